#pragma once

// Indexed Windows bitmaps, 4 and 8 bits a pixel. The palette pictures must keep the classic
// 16- and 256-colour depths, and Qt writes bitmaps only at 1, 24 and 32 bits a pixel.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// The 16 colours of every 4-bit picture, in their usual order.
const QList<QRgb>& QzBmpPalette16();
// The 256 colours of every 8-bit picture: the 16 above, a 6 x 6 x 6 colour cube, 24 greys.
const QList<QRgb>& QzBmpPalette256();

// `image` with every pixel replaced by the nearest colour of `palette` (alpha is ignored), as an
// Indexed8 image whose colour table is `palette`.
QImage QzBmpQuantize(const QImage& image, const QList<QRgb>& palette);

// A whole .bmp file of `image`: `bitCount` 4 (the 16-colour table) or 8 (the 256-colour
// table), bottom-up rows. Throws std::invalid_argument for another depth or a null image.
QByteArray QzBmpEncode(const QImage& image, int bitCount);
