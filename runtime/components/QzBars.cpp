#include "QzBars.h"

#include "QzExcept.h"
#include "QzImageControls.h"

void TQzStatusBarPanel::Assign(const TPersistent* source) {
    TQzCollectionItem::Assign(source);
    if (const auto* other = qobject_cast<const TQzStatusBarPanel*>(source)) {
        FDataType = other->FDataType;
        FWidth = other->FWidth;
        FAlignment = other->FAlignment;
        FBevel = other->FBevel;
    }
}

TQzStatusBar::TQzStatusBar(TComponent* owner)
    : TQzWinControl(owner), FPanels(new TQzCollection(ClassOf<TQzStatusBarPanel>(), this)) {
    SetBounds(0, 0, 200, 19);
}

TQzMemoBar::TQzMemoBar(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 300, 26);
}

void TQzMemoBar::SetMemo(TQzCustomMemo* memo) {
    QzFollow(this, FMemo, memo);
}

TQzRichEditBar::TQzRichEditBar(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 400, 26);
}

void TQzRichEditBar::SetRichEdit(TQzCustomRichEditOle* richEdit) {
    QzFollow(this, FRichEdit, richEdit);
}

TQzImageBar::TQzImageBar(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 150, 26);
}

void TQzImageBar::SetImage(TComponent* image) {
    if (image && !qobject_cast<TQzCustomImage*>(image) &&
        !qobject_cast<TQzCustomFocusImage*>(image))
        QzExcept(QStringLiteral("%1 is not an image control").arg(image->Name()));
    QzFollow(this, FImage, image);
}

TQzProgressBar::TQzProgressBar(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 150, 16);
}

TQzRuler::TQzRuler(TComponent* owner) : TQzGraphicControl(owner) {
    SetBounds(0, 0, 200, 25);
}
