#include "QzMemos.h"

TQzCustomMemo::TQzCustomMemo(TComponent* owner)
    : TQzCustomEdit(owner), FLines(new TStrings(this)), FText(new TQzMemoryText(this)) {
    SetBounds(0, 0, 185, 89);
    FixDataType(dtMemo);
}

TQzCustomRichEditOle::TQzCustomRichEditOle(TComponent* owner) : TQzCustomMemo(owner) {}
