#include "Graphics.h"

#include <cmath>
#include <cstdlib>

void TFont::SetSize(int size) {
    if (size <= 0)
        throw EConvertError(QStringLiteral("%1 is not a valid font size").arg(size));
    FSize = size;
}

int TFont::Height() const {
    return -int(std::lround(FSize * double(PixelsPerInch) / 72));
}

void TFont::SetHeight(int height) {
    if (height == 0)
        throw EConvertError(QStringLiteral("0 is not a valid font height"));
    FSize = std::max(1, int(std::lround(std::abs(height) * 72.0 / PixelsPerInch)));
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
