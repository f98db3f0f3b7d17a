#include "QzGraphicsBase.h"

void TFont::SetSize(int size) {
    if (size <= 0)
        throw EConvertError(QStringLiteral("%1 is not a valid font size").arg(size));
    FSize = size;
}

void TFont::SetCharset(int charset) {
    if (charset < 0 || charset > 255)
        throw EConvertError(QStringLiteral("%1 is not a valid character set").arg(charset));
    FCharset = charset;
}

void TFont::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TFont*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FName = other->FName;
    FSize = other->FSize;
    FStyle = other->FStyle;
    FColor = other->FColor;
    FCharset = other->FCharset;
}

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
