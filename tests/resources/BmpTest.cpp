// The indexed bitmap writer: what it writes must read back exactly, through an ordinary reader.

#include "BmpHeader.h"
#include "QzBmp.h"

#include <QImage>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A picture whose every row and column differs, so flipped or shifted rows and swapped
// nibbles all show; its colours are taken from `palette`.
QImage patterned(int width, int height, const QList<QRgb>& palette) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, palette[(x * 7 + y * 3 + x * y) % palette.size()]);
    return image;
}

void expectSamePixels(const QImage& expected, const QImage& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(QColor(expected.pixel(x, y)), QColor(a.pixel(x, y)))
                << "at " << x << "," << y;
}

} // namespace

TEST(Bmp, SixteenColourFilesReadBackExactly) {
    // Odd widths end rows on a half byte and need padding to four bytes.
    for (const QSize size : {QSize(7, 5), QSize(1, 1), QSize(9, 3), QSize(24, 24)}) {
        const QImage image = patterned(size.width(), size.height(), QzBmpPalette16());
        const QByteArray file = QzBmpEncode(image, 4);

        const BmpHeader h = readBmpHeader(file);
        ASSERT_TRUE(h.valid);
        EXPECT_EQ(h.bitCount, 4);
        EXPECT_EQ(h.coloursUsed, 16u);
        EXPECT_EQ(h.width, size.width());
        EXPECT_EQ(h.height, size.height()); // positive: bottom-up rows
        EXPECT_EQ(h.compression, 0u);
        const quint32 stride = quint32((size.width() * 4 + 31) / 32 * 4);
        EXPECT_EQ(h.pixelOffset, 14u + 40u + 16u * 4u);
        EXPECT_EQ(h.imageSize, stride * quint32(size.height()));
        EXPECT_EQ(h.fileSize, quint32(file.size()));
        EXPECT_EQ(h.pixelOffset + h.imageSize, h.fileSize);

        const QImage back = QImage::fromData(file, "BMP");
        ASSERT_FALSE(back.isNull()) << size.width() << "x" << size.height();
        expectSamePixels(image, back);
    }
}

TEST(Bmp, TwoHundredFiftySixColourFilesReadBackExactly) {
    for (const QSize size : {QSize(5, 3), QSize(16, 16), QSize(3, 7)}) {
        const QImage image = patterned(size.width(), size.height(), QzBmpPalette256());
        const QByteArray file = QzBmpEncode(image, 8);

        const BmpHeader h = readBmpHeader(file);
        ASSERT_TRUE(h.valid);
        EXPECT_EQ(h.bitCount, 8);
        EXPECT_EQ(h.coloursUsed, 256u);
        EXPECT_EQ(h.pixelOffset, 14u + 40u + 256u * 4u);
        EXPECT_EQ(h.fileSize, quint32(file.size()));

        const QImage back = QImage::fromData(file, "BMP");
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.colorCount(), 256);
        expectSamePixels(image, back);
    }
}

TEST(Bmp, ColoursOutsideThePaletteTakeTheNearest) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(250, 10, 10));
    image.setPixel(1, 0, qRgb(100, 100, 100));
    image.setPixel(2, 0, qRgba(0, 0, 250, 40)); // alpha plays no part
    image.setPixel(3, 0, qRgb(101, 101, 101));

    const QImage four = QImage::fromData(QzBmpEncode(image, 4), "BMP");
    EXPECT_EQ(QColor(four.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(four.pixel(1, 0)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(four.pixel(2, 0)), QColor(Qt::blue));

    const QImage eight = QImage::fromData(QzBmpEncode(image, 8), "BMP");
    EXPECT_EQ(QColor(eight.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(eight.pixel(3, 0)), QColor(102, 102, 102));
}

TEST(Bmp, RefusesOtherDepthsAndEmptyPictures) {
    const QImage image = patterned(4, 4, QzBmpPalette16());
    for (const int bitCount : {0, 1, 2, 16, 24, 32})
        EXPECT_THROW(QzBmpEncode(image, bitCount), std::invalid_argument) << bitCount;
    EXPECT_THROW(QzBmpEncode(QImage(), 4), std::invalid_argument);
}
