#pragma once

// An image of an images package on the clipboard: in the library's own format, which keeps the
// masks, design flags and margins, and as a plain picture that other programs paste.

#include "QzPkgImages.h"

// The library's clipboard format: the bytes of an ".imqz" file.
inline const QString CF_QZIMAGE = QStringLiteral("application/x-qz-image");

// True when the clipboard holds the library's format or any picture.
bool QzClipboardHasImage();
// Puts the image on the clipboard in both forms; raises EQzError for an image without a picture.
void SaveToClipBoard(const TQzPkgImagesImage& image);
// Takes the library's format when the clipboard has it, else the picture (kept as PNG, without
// masks). Raises EQzError, and leaves the image as it was, when neither is there or the data is
// damaged. The id and Protected stay.
void LoadFromClipBoard(TQzPkgImagesImage& image);
