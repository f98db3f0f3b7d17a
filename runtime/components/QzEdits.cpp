#include "QzEdits.h"

#include "QzExcept.h"

TQzCustomEdit::TQzCustomEdit(TComponent* owner) : TQzWinControl(owner), FMask(new TQzMask(this)) {
    SetBounds(0, 0, 121, 21);
    FColor = clWindow;
    FTabStop = true;
}

void TQzCustomEdit::FixDataType(TQzDataType dataType) {
    FMask->SetDataTypeEditable(true);
    FMask->SetDataType(dataType);
    FMask->SetDataTypeEditable(false);
}

TQzEditBtns::TQzEditBtns(TComponent* owner)
    : TQzWinControl(owner), FImage(new TQzMemoryImage(this)) {
    SetBounds(0, 0, 21, 21);
}

TQzCustomComboBox::TQzCustomComboBox(TComponent* owner) : TQzCustomEdit(owner) {
    SetBounds(0, 0, 145, 21);
}

TQzComboBox::TQzComboBox(TComponent* owner)
    : TQzCustomComboBox(owner), FItems(new TQzCollection(this)) {}

TQzFontComboBox::TQzFontComboBox(TComponent* owner) : TQzCustomComboBox(owner) {
    FixDataType(dtString);
}

namespace {

void checkAssociate(TWinControl* control) {
    if (control && !qobject_cast<TQzCustomEdit*>(control))
        QzExcept(QStringLiteral("%1 is not an edit and cannot be associated")
                     .arg(control->Name().isEmpty() ? control->ClassName() : control->Name()));
}

} // namespace

TQzUpDown::TQzUpDown(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 17, 21);
}

void TQzUpDown::SetAssociate(TWinControl* control) {
    checkAssociate(control);
    QzFollow(this, FAssociate, control);
}

TQzUpDownEx::TQzUpDownEx(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 17, 21);
}

void TQzUpDownEx::SetAssociate(TWinControl* control) {
    checkAssociate(control);
    QzFollow(this, FAssociate, control);
}
