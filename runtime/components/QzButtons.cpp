#include "QzButtons.h"

TQzCheckBox::TQzCheckBox(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 97, 17);
    FTabStop = true;
}

TQzRadioButton::TQzRadioButton(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 113, 17);
}

TQzRadioGroup::TQzRadioGroup(TComponent* owner)
    : TQzWinControl(owner), FItems(new TQzCollection(this)) {
    SetBounds(0, 0, 185, 105);
    FTabStop = true;
}

TQzBitBtn::TQzBitBtn(TComponent* owner) : TQzWinControl(owner), FImage(new TQzMemoryImage(this)) {
    SetBounds(0, 0, 75, 25);
    FTabStop = true;
}

TQzSpeedButton::TQzSpeedButton(TComponent* owner)
    : TQzGraphicControl(owner), FImage(new TQzMemoryImage(this)) {
    SetBounds(0, 0, 23, 22);
}

TQzDbBitBtn::TQzDbBitBtn(TComponent* owner) : TQzBitBtn(owner), FStates(new TQzCollection(this)) {}

TQzDbSpeedButton::TQzDbSpeedButton(TComponent* owner)
    : TQzSpeedButton(owner), FStates(new TQzCollection(this)) {}

TQzDbNavigator::TQzDbNavigator(TComponent* owner)
    : TQzWinControl(owner), FVisibleButtons(nbFirst | nbPrior | nbNext | nbLast | nbInsert |
                                            nbDelete | nbEdit | nbPost | nbCancel | nbRefresh),
      FDeleteMessage(new TQzMemoryMessage(this)) {
    SetBounds(0, 0, 240, 25);
}
