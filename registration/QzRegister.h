#pragma once

// What the package offers the designer: its components on the palette, the classes forms need
// to stream, and the editors of the library's properties and components. The designer host calls
// Register once, right after QzPackageInit.
//
// The palette bitmaps travel in QzPaletteBitmaps, which the package links; the host reads them
// by resource name through QzPaletteBitmap.

#include <QtGlobal>

extern "C" {
Q_DECL_EXPORT void Register();
}
