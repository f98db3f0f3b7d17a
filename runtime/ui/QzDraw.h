#pragma once

// Painting of the library's stored looks on any QPainter: package images (stretched with their
// margins, cut by their masks), the background styles of background sets, window and hint
// skins, and list separators. Nothing here paints outside the rectangle it is given.

#include "QzPkgDisplay.h"

#include <QColor>
#include <QPainter>
#include <QRect>

// Colour values as packages store them: 0x00BBGGRR, or a system colour (high bit set, its index
// in the low byte: 0x8000000F and 0xFF00000F are both the button face), which the application's
// palette supplies. Only the low three bytes of a plain colour count.
QColor QzColorToQColor(int color);
// The plain colour value of a colour; its alpha is dropped.
int QzQColorToColor(const QColor& color);

// Draws the picture of an images package item at the rectangle's top left, or stretched over
// it. Stretching keeps the four corner boxes of the stretch margins unscaled, stretches the
// edges between them one way and the middle both ways. Pixels outside the external mask are
// never painted, nor, when `transparent`, those of the bottom-left pixel's colour. Returns
// false, painting nothing, for a missing package, item or picture.
bool QzDrawImage(QPainter& painter, const QRect& rect, const TQzMemoryImage& image, bool stretch,
                 bool transparent);
bool QzDrawImage(QPainter& painter, const QRect& rect, const TQzPkgImagesImage& image, bool stretch,
                 bool transparent);

// Paints a background of the style. Gradient styles run from the start colour (left, top, the
// first corner, or the centre) to the end colour (right, bottom, the opposite corner, or the
// border); mirrored styles and bars return to the start colour. Image styles paint the solid
// colour and draw the image over it; with `transparent` the solid colour is left out and the
// image's bottom-left colour is not painted either. An image style without its image paints the
// solid colour alone (nothing when transparent). Colours are package colour values.
void QzDrawGradient(QPainter& painter, const QRect& rect, TQzBackGroundStyle style, int startColor,
                    int endColor, int solidColor, const TQzMemoryImage* image, bool transparent);

// A window or hint skin stretched with its margins over the rectangle, its external mask giving
// the shape. False, painting nothing, when the skin image is not there, so that the caller
// paints a plain frame instead.
bool QzPaintSkin(QPainter& painter, const QRect& rect, const TQzMemoryImage& skin);

// A one-pixel line under every row of `rowHeight` pixels that ends inside the rectangle.
void QzDrawGridLines(QPainter& painter, const QRect& rect, int rowHeight, const QColor& color);
