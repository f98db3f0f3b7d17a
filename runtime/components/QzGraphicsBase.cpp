#include "QzGraphicsBase.h"

void TQzPen::SetWidth(int width) {
    if (width < 1)
        throw EConvertError(QStringLiteral("%1 is not a valid pen width").arg(width));
    FWidth = width;
}

void TQzPen::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPen*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FColor = other->FColor;
    FStyle = other->FStyle;
    FWidth = other->FWidth;
}

void TQzBrush::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzBrush*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FColor = other->FColor;
    FStyle = other->FStyle;
}
