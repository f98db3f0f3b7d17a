#pragma once

// The demo's pictures, drawn rather than shipped so that they can be changed in one place: small
// toolbar symbols, the skins of windows and hints, and the application's logo.

#include <QByteArray>
#include <QImage>

enum class TDemoPicture {
    // Buttons of the "System" images.
    Tick,
    Cross,
    Disk,
    Bin,
    Printer,
    WindowSkin,
    HintSkin,
    ScrollThumb,
    // The application's "User" images.
    Logo,
    Pattern,
    // The "Icons" images package.
    Person,
    Document,
    Box,
    Gear,
    Calendar,
    Star,
    Truck,
    Gift,
};

QImage DemoPicture(TDemoPicture picture);
// The picture as PNG bytes, as an image control keeps it in a form.
QByteArray DemoPicturePng(TDemoPicture picture);
