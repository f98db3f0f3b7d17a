#pragma once

// Pictures made on the spot for the images tests, and the crafting of package content that a
// careful writer would never produce.

#include "BinaryForm.h"
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

// Everything an image carries except its id, for comparisons.
inline void expectSameImage(const TQzPkgImagesImage& a, const TQzPkgImagesImage& b) {
    EXPECT_EQ(a.GraphicClass(), b.GraphicClass());
    EXPECT_EQ(a.PictureBytes(), b.PictureBytes());
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
    EXPECT_TRUE(samePixels(a.Picture(), b.Picture()));
    EXPECT_EQ(a.CreateExternalRgn(), b.CreateExternalRgn());
    EXPECT_EQ(a.CreateInternalRgn(), b.CreateInternalRgn());
    EXPECT_EQ(a.Adjusts(), b.Adjusts());
    EXPECT_EQ(a.SyncHor(), b.SyncHor());
    EXPECT_EQ(a.SyncVer(), b.SyncVer());
    EXPECT_EQ(a.AdjustUp1(), b.AdjustUp1());
    EXPECT_EQ(a.AdjustUp2(), b.AdjustUp2());
    EXPECT_EQ(a.AdjustDown1(), b.AdjustDown1());
    EXPECT_EQ(a.AdjustDown2(), b.AdjustDown2());
    EXPECT_EQ(a.AdjustLeft1(), b.AdjustLeft1());
    EXPECT_EQ(a.AdjustLeft2(), b.AdjustLeft2());
    EXPECT_EQ(a.AdjustRight1(), b.AdjustRight1());
    EXPECT_EQ(a.AdjustRight2(), b.AdjustRight2());
}

// A property of a parsed object or collection item, by name.
inline TFormProperty& propertyOf(std::vector<TFormProperty>& properties, const QString& name) {
    for (TFormProperty& p : properties)
        if (p.Name == name)
            return p;
    ADD_FAILURE() << "no property " << name.toStdString();
    static TFormProperty none;
    return none;
}
