// The palette bitmaps as the designer's palette loads them: by resource name, in three sizes.

#include "BmpHeader.h"
#include "PaletteClasses.h"
#include "QzPaletteBitmaps.h"

#include <QHash>
#include <QSet>
#include <gtest/gtest.h>

namespace {

struct Expected {
    QString name;
    int size;
    int bitCount;
};

QStringList classResourceNames() {
    QStringList names;
    for (const QzPalette::Page& page : QzPalette::Pages)
        for (const char* className : page.classes)
            names << QString::fromLatin1(className).toUpper();
    for (const QzPalette::InertClass& inert : QzPalette::InertClasses)
        names << QString::fromLatin1(inert.resourceName);
    return names;
}

QList<Expected> expectedBitmaps() {
    QList<Expected> all;
    for (const QzPalette::Page& page : QzPalette::Pages)
        for (const char* className : page.classes) {
            const QString name = QString::fromLatin1(className).toUpper();
            const bool small16 = QLatin1String(className) == QLatin1String("TQzUpDownEx");
            all << Expected{name, 24, 4} << Expected{name + "16", 16, small16 ? 4 : 8}
                << Expected{name + "32", 32, 4};
        }
    for (const QzPalette::InertClass& inert : QzPalette::InertClasses) {
        const QString name = QString::fromLatin1(inert.resourceName);
        all << Expected{name, 24, 4}
            << Expected{name + "16", inert.large16 ? 24 : 16, inert.large16 ? 4 : 8}
            << Expected{name + "32", 32, 4};
    }
    return all;
}

} // namespace

// The design package's tests check the pages; a name twice would hide a class's bitmaps.
TEST(PaletteBitmaps, NoClassIsListedTwice) {
    const QStringList names = classResourceNames();
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
}

TEST(PaletteBitmaps, EveryClassHasThreeBitmapsOfTheRightSizeAndDepth) {
    const QList<Expected> expected = expectedBitmaps();
    QStringList expectedNames;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name.toStdString());
        expectedNames << e.name;
        const QByteArray file = QzPaletteBitmapData(e.name);
        const BmpHeader h = readBmpHeader(file);
        ASSERT_TRUE(h.valid);
        EXPECT_EQ(h.infoSize, 40u);
        EXPECT_EQ(h.width, e.size);
        EXPECT_EQ(h.height, e.size);
        EXPECT_EQ(h.planes, 1);
        EXPECT_EQ(h.bitCount, e.bitCount);
        EXPECT_EQ(h.compression, 0u);
        EXPECT_EQ(h.fileSize, quint32(file.size()));

        const QImage image = QzPaletteBitmap(e.name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(e.size, e.size));
    }
    // Nothing more than that: a stray bitmap would be a class the palette does not know.
    expectedNames.sort();
    EXPECT_EQ(QzPaletteBitmapNames(), expectedNames);
}

TEST(PaletteBitmaps, PicturesAreDrawingsOnATransparentGround) {
    for (const Expected& e : expectedBitmaps()) {
        SCOPED_TRACE(e.name.toStdString());
        const QImage image = QzPaletteBitmap(e.name).convertToFormat(QImage::Format_RGB32);
        // The host takes the lower-left pixel's colour as transparent; it must be the ground
        // every picture shares, not a colour of the drawing.
        const QRgb ground = image.pixel(0, image.height() - 1);
        EXPECT_EQ(QColor(ground), QColor(255, 0, 255));
        QSet<QRgb> colours;
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                colours.insert(image.pixel(x, y));
                drawn += image.pixel(x, y) != ground ? 1 : 0;
            }
        EXPECT_GE(colours.size(), 2);
        EXPECT_GE(drawn, image.width() * image.height() / 8);
    }
}

TEST(PaletteBitmaps, NoTwoClassesShareAPicture) {
    const QStringList classes = classResourceNames();
    for (const QString& suffix : {QString(), QStringLiteral("16"), QStringLiteral("32")}) {
        QHash<QByteArray, QString> seen;
        for (const QString& name : classes) {
            const QImage image =
                QzPaletteBitmap(name + suffix).convertToFormat(QImage::Format_RGB32);
            const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()),
                                    image.sizeInBytes());
            const QString other = seen.value(pixels);
            EXPECT_TRUE(other.isEmpty())
                << (name + suffix).toStdString() << " looks the same as " << other.toStdString();
            seen.insert(pixels, name + suffix);
        }
    }
}

TEST(PaletteBitmaps, LookupIgnoresCaseAndFindsNothingElse) {
    const QImage upper = QzPaletteBitmap(QStringLiteral("TQZLABEL"));
    EXPECT_EQ(QzPaletteBitmap(QStringLiteral("TQzLabel")), upper);
    EXPECT_EQ(QzPaletteBitmapData(QStringLiteral("tqzlabel32")),
              QzPaletteBitmapData(QStringLiteral("TQZLABEL32")));

    for (const QString& name :
         {QString(), QStringLiteral("TQZNOSUCHCLASS"), QStringLiteral("TQZLABEL64"),
          QStringLiteral("TQZLABEL.bmp"), QStringLiteral("../qzpalette/TQZLABEL"),
          QStringLiteral("/qzpalette/TQZLABEL"), QStringLiteral(u"TQZLABEL\u00e9")}) {
        EXPECT_TRUE(QzPaletteBitmap(name).isNull()) << name.toStdString();
        EXPECT_TRUE(QzPaletteBitmapData(name).isEmpty()) << name.toStdString();
    }
}
