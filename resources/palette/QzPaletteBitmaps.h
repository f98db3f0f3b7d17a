#pragma once

// The palette bitmaps: three per component class, looked up by resource name, the class name
// in upper case ("TQZLABEL", 24 x 24, 16 colours), + "16" (16 x 16, 256 colours) and + "32"
// (32 x 32, 16 colours). The colour of the lower-left pixel is the transparent one.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The bitmap of that resource name (any case), or a null image when there is none.
QImage QzPaletteBitmap(const QString& resourceName);
// The stored .bmp file of that resource name, or an empty array when there is none.
QByteArray QzPaletteBitmapData(const QString& resourceName);
// Every resource name, sorted.
QStringList QzPaletteBitmapNames();
