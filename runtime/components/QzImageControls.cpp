#include "QzImageControls.h"

TQzCustomImage::TQzCustomImage(TComponent* owner)
    : TQzGraphicControl(owner), FImage(new TQzMemoryImage(this)) {
    SetBounds(0, 0, 105, 105);
}

TQzCustomFocusImage::TQzCustomFocusImage(TComponent* owner)
    : TQzWinControl(owner), FImage(new TQzMemoryImage(this)) {
    SetBounds(0, 0, 105, 105);
    FTabStop = true;
}

TQzPkgImage::TQzPkgImage(TComponent* owner)
    : TQzGraphicControl(owner), FImage(new TQzMemoryImage(this)) {
    SetBounds(0, 0, 105, 105);
}

TQzShape::TQzShape(TComponent* owner)
    : TQzGraphicControl(owner), FPen(new TQzPen(this)), FBrush(new TQzBrush(this)) {
    SetBounds(0, 0, 65, 65);
}
