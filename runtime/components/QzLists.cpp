#include "QzLists.h"

TQzCustomListBox::TQzCustomListBox(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 121, 97);
    FColor = clWindow;
    FTabStop = true;
}

TQzListBox::TQzListBox(TComponent* owner)
    : TQzCustomListBox(owner), FItems(new TQzCollection(this)) {}

TQzFontListBox::TQzFontListBox(TComponent* owner) : TQzCustomListBox(owner) {
    FDataType = dtString;
}
