#pragma once

// Pictures made on the spot for the images tests.

#include "PkgTestSupport.h"
#include "QzPkgImages.h"

#include <QBuffer>
#include <gtest/gtest.h>

// Opaque, every pixel different, so lossless formats can be compared pixel by pixel.
inline QImage testPicture(int width, int height, int seed = 0) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb((x * 16 + seed) & 0xFF, (y * 20) & 0xFF, (x + y) * 8));
    return picture;
}

inline QByteArray encoded(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format)) << format;
    return bytes;
}

inline bool samePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// A 16x12 PNG with both masks, all flags changed and distinct margins.
inline void fillImage(TQzPkgImagesImage& image, int seed = 0) {
    image.SetPicture(encoded(testPicture(16, 12, seed), "png"), QStringLiteral("TPngImage"));
    image.CreateExternalMask(QRegion(0, 0, 16, 12).subtracted(QRegion(0, 0, 3, 2)));
    image.CreateInternalMask(QRegion(4, 4, 6, 3).united(QRegion(12, 1, 2, 9)));
    image.SetAdjusts(true);
    image.SetSyncHor(false);
    image.SetSyncVer(false);
    const int margins[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    image.SetAdjustUp1(margins[0]);
    image.SetAdjustUp2(margins[1]);
    image.SetAdjustDown1(margins[2]);
    image.SetAdjustDown2(margins[3]);
    image.SetAdjustLeft1(margins[4]);
    image.SetAdjustLeft2(margins[5]);
    image.SetAdjustRight1(margins[6]);
    image.SetAdjustRight2(margins[7]);
}

// Everything an image carries but its id and protection, for comparisons.
inline void expectSameImage(const TQzPkgImagesImage& a, const TQzPkgImagesImage& b) {
    EXPECT_EQ(a.GraphicClass(), b.GraphicClass());
    EXPECT_EQ(a.PictureBytes(), b.PictureBytes());
    EXPECT_EQ(a.Picture().size(), b.Picture().size());
    EXPECT_TRUE(samePixels(a.Picture(), b.Picture()));
    EXPECT_EQ(a.CreateExternalRgn(), b.CreateExternalRgn());
    EXPECT_EQ(a.CreateInternalRgn(), b.CreateInternalRgn());
    // The flags and margins.
    auto published = [](const TQzPkgImagesImage& image) {
        QStringList lines = ::published(&image);
        lines.removeIf([](const QString& line) {
            return line.startsWith(QLatin1String("Id =")) ||
                   line.startsWith(QLatin1String("Protected ="));
        });
        return lines;
    };
    EXPECT_EQ(published(a), published(b));
}
