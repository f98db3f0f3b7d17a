#include "QzLabels.h"

TQzBasicLabel::TQzBasicLabel(TComponent* owner)
    : TQzGraphicControl(owner), FMask(new TQzMask(this)) {
    SetBounds(0, 0, 65, 17);
}

void TQzBasicLabel::SetFocusControl(TWinControl* control) {
    QzFollow(this, FFocusControl, control);
}
