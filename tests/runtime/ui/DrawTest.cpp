// Painting of package images and background styles, checked pixel by pixel on images.

#include "ImagesTestSupport.h"
#include "QzDraw.h"

#include <QGuiApplication>
#include <QMetaEnum>
#include <QPalette>
#include <functional>
#include <memory>

namespace {

constexpr QRgb Untouched = qRgb(1, 2, 3);
constexpr int Red = 0x000000FF;  // package colour values
constexpr int Blue = 0x00FF0000; //
constexpr int Green = 0x0000FF00;

QImage canvas(int w, int h, QRgb fill = Untouched) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

QImage painted(QImage image, const std::function<void(QPainter&)>& paint) {
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

QImage part(const QImage& image, const QRect& rect) {
    return image.copy(rect).convertToFormat(QImage::Format_ARGB32);
}

// Every pixel outside `inside` still has the canvas colour.
bool untouchedOutside(const QImage& image, const QRect& inside) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!inside.contains(x, y) && image.pixel(x, y) != Untouched)
                return false;
    return true;
}

bool paintedAll(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) == Untouched)
                return false;
    return true;
}

bool cameFrom(QRgb pixel, const QImage& picture, const QRect& box) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (picture.pixel(x, y) == pixel)
                return true;
    return false;
}

QRgb rgbOf(int color) {
    return QzColorToQColor(color).rgb();
}

class Draw : public ::testing::Test {
protected:
    void SetUp() override { FPkg.SetPkgName(QStringLiteral("DrawPictures")); }

    TQzPkgImagesImage* add(int id, const QImage& picture) {
        TQzPkgImagesImage* image = FPkg.Images()->Add(id);
        image->SetPicture(picture);
        return image;
    }
    static std::unique_ptr<TQzMemoryImage>
    ref(int id, const QString& pkg = QStringLiteral("drawpictures")) {
        auto r = std::make_unique<TQzMemoryImage>();
        r->PkgId(pkg, id);
        return r;
    }

    TQzPkgImages FPkg;
};

} // namespace

TEST(DrawColors, PackageValuesAndSystemColours) {
    EXPECT_EQ(QzColorToQColor(0x00332211), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(QzQColorToColor(QColor(0x11, 0x22, 0x33, 0x40)), 0x00332211);
    // Only the low three bytes of a plain colour count.
    EXPECT_EQ(QzColorToQColor(0x02332211), QColor(0x11, 0x22, 0x33));

    const QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Text, QColor(40, 50, 60));
    palette.setColor(QPalette::ToolTipBase, QColor(70, 80, 90));
    QGuiApplication::setPalette(palette);
    EXPECT_EQ(QzColorToQColor(TQzPkgDisplaySetBackGround::DefaultColor), QColor(10, 20, 30));
    EXPECT_EQ(QzColorToQColor(int(0x8000000F)), QColor(10, 20, 30));
    EXPECT_EQ(QzColorToQColor(TQzPkgDisplayFont::DefaultColor), QColor(40, 50, 60));
    EXPECT_EQ(QzColorToQColor(int(0xFF000018)), QColor(70, 80, 90));
    EXPECT_EQ(QzColorToQColor(int(0xFF000019)), QColor(Qt::black));
    EXPECT_EQ(QzColorToQColor(int(0xFF0000C8)), QColor(Qt::black));
    QGuiApplication::setPalette(saved);
}

TEST_F(Draw, ImageAtTopLeftIsClippedToTheRectangle) {
    const QImage picture = testPicture(6, 5);
    add(1, picture);
    const QRect rect(3, 4, 10, 10);
    QImage out = painted(canvas(20, 20), [&](QPainter& p) {
        EXPECT_TRUE(QzDrawImage(p, rect, *ref(1), false, false));
    });
    EXPECT_EQ(part(out, QRect(3, 4, 6, 5)), part(picture, picture.rect()));
    EXPECT_TRUE(untouchedOutside(out, QRect(3, 4, 6, 5)));

    const QRect small(3, 4, 4, 2);
    out =
        painted(canvas(20, 20), [&](QPainter& p) { QzDrawImage(p, small, *ref(1), false, false); });
    EXPECT_EQ(part(out, small), part(picture, QRect(0, 0, 4, 2)));
    EXPECT_TRUE(untouchedOutside(out, small));
}

TEST_F(Draw, MissingPackagesAndImagesDrawNothing) {
    add(1, testPicture(4, 4));
    FPkg.Images()->Add(2); // no picture
    const QImage blank = canvas(10, 10);
    std::vector<std::unique_ptr<TQzMemoryImage>> missing;
    for (int id : {9, 2, -1})
        missing.push_back(ref(id));
    missing.push_back(ref(1, QStringLiteral("NoSuchPackage")));
    for (const auto& r : missing) {
        const QImage out = painted(blank, [&](QPainter& p) {
            EXPECT_FALSE(QzDrawImage(p, QRect(0, 0, 10, 10), *r, true, false));
            EXPECT_FALSE(QzPaintSkin(p, QRect(0, 0, 10, 10), *r));
        });
        EXPECT_EQ(out, blank) << r->PkgName().toStdString() << " " << r->Id();
    }

    // A reference on its default item draws that item.
    TQzMemoryImage byDefault;
    byDefault.SetDefault(QStringLiteral("DrawPictures"), 1);
    const QImage out = painted(blank, [&](QPainter& p) {
        EXPECT_TRUE(QzDrawImage(p, QRect(0, 0, 10, 10), byDefault, false, false));
    });
    EXPECT_EQ(part(out, QRect(0, 0, 4, 4)), part(testPicture(4, 4), QRect(0, 0, 4, 4)));
}

TEST_F(Draw, TransparentColourAndExternalMaskLeavePixelsUntouched) {
    // The bottom-left colour also sits at (5, 1); the mask cuts away the top-left 2x2.
    QImage picture = testPicture(8, 6);
    const QRgb key = qRgb(200, 100, 50);
    picture.setPixel(0, 5, key);
    picture.setPixel(5, 1, key);
    TQzPkgImagesImage* image = add(4, picture);
    image->CreateExternalMask(QRegion(0, 0, 8, 6).subtracted(QRegion(0, 0, 2, 2)));

    for (bool stretch : {false, true}) {
        const QImage opaque = painted(canvas(8, 6), [&](QPainter& p) {
            QzDrawImage(p, QRect(0, 0, 8, 6), *image, stretch, false);
        });
        const QImage keyed = painted(canvas(8, 6), [&](QPainter& p) {
            QzDrawImage(p, QRect(0, 0, 8, 6), *image, stretch, true);
        });
        for (const QImage& out : {opaque, keyed})
            for (QPoint cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                EXPECT_EQ(out.pixel(cut), Untouched);
        EXPECT_EQ(opaque.pixel(0, 5), key);
        EXPECT_EQ(opaque.pixel(5, 1), key);
        EXPECT_EQ(keyed.pixel(0, 5), Untouched);
        EXPECT_EQ(keyed.pixel(5, 1), Untouched);
        EXPECT_EQ(keyed.pixel(2, 0), picture.pixel(2, 0));
        EXPECT_EQ(keyed.pixel(7, 5), picture.pixel(7, 5));
    }

    // Stretched, the cut-out grows with the picture.
    const QImage big = painted(canvas(16, 12), [&](QPainter& p) {
        QzDrawImage(p, QRect(0, 0, 16, 12), *image, true, false);
    });
    EXPECT_EQ(big.pixel(3, 3), Untouched);
    EXPECT_EQ(big.pixel(4, 4), picture.pixel(2, 2));
}

TEST_F(Draw, StretchingKeepsEveryCornerBoxUnscaled) {
    const QImage picture = testPicture(20, 16, 5);
    TQzPkgImagesImage* image = add(7, picture);
    image->SetSyncHor(false);
    image->SetSyncVer(false);
    image->SetAdjustUp1(3);    // top-left box 3 wide,
    image->SetAdjustLeft1(2);  // 2 high
    image->SetAdjustUp2(4);    // top-right box 4 wide,
    image->SetAdjustRight1(4); // 4 high
    image->SetAdjustDown1(5);  // bottom-left box 5 wide,
    image->SetAdjustLeft2(3);  // 3 high
    image->SetAdjustDown2(2);  // bottom-right box 2 wide,
    image->SetAdjustRight2(5); // 5 high
    const QRect rect(7, 9, 60, 50);
    const QImage out = painted(canvas(80, 70), [&](QPainter& p) {
        EXPECT_TRUE(QzDrawImage(p, rect, *ref(7), true, false));
    });
    EXPECT_TRUE(untouchedOutside(out, rect));
    EXPECT_TRUE(paintedAll(out, rect));
    EXPECT_EQ(part(out, QRect(7, 9, 3, 2)), part(picture, QRect(0, 0, 3, 2)));
    EXPECT_EQ(part(out, QRect(63, 9, 4, 4)), part(picture, QRect(16, 0, 4, 4)));
    EXPECT_EQ(part(out, QRect(7, 56, 5, 3)), part(picture, QRect(0, 13, 5, 3)));
    EXPECT_EQ(part(out, QRect(65, 54, 2, 5)), part(picture, QRect(18, 11, 2, 5)));

    // The top edge stretches sideways only: its first line holds the picture's first line.
    QSet<QRgb> firstLine;
    for (int x = 0; x < 20; ++x)
        firstLine.insert(picture.pixel(x, 0));
    for (int x = rect.left(); x <= rect.right(); ++x)
        EXPECT_TRUE(firstLine.contains(out.pixel(x, rect.top()))) << x;

    // A sync flag makes the coupled margin follow the first, whatever is stored.
    image->SetSyncVer(true);
    image->SetSyncHor(true);
    const QImage synced =
        painted(canvas(80, 70), [&](QPainter& p) { QzDrawImage(p, rect, *image, true, false); });
    image->SetSyncVer(false);
    image->SetSyncHor(false);
    image->SetAdjustDown1(3);
    image->SetAdjustDown2(4);
    image->SetAdjustRight1(2);
    image->SetAdjustRight2(3);
    EXPECT_EQ(synced, painted(canvas(80, 70),
                              [&](QPainter& p) { QzDrawImage(p, rect, *image, true, false); }));
}

TEST_F(Draw, StretchingWithOddMarginsStillFillsTheRectangle) {
    const QImage picture = testPicture(10, 8, 2);
    TQzPkgImagesImage* image = add(3, picture);
    const QImage plain = painted(canvas(40, 30), [&](QPainter& p) {
        QzDrawImage(p, QRect(0, 0, 40, 30), *image, true, false);
    });
    EXPECT_TRUE(paintedAll(plain, QRect(0, 0, 40, 30)));

    // Margins that leave nothing in the middle stretch the whole axis.
    image->SetAdjustUp1(6);
    image->SetAdjustUp2(4);
    EXPECT_EQ(
        painted(canvas(40, 30),
                [&](QPainter& p) { QzDrawImage(p, QRect(0, 0, 40, 30), *image, true, false); }),
        plain);

    // A target smaller than the corners shares itself between them.
    image->SetAdjustUp1(4);
    image->SetAdjustUp2(4);
    image->SetAdjustLeft1(3);
    image->SetAdjustLeft2(3);
    const QImage tiny = painted(canvas(10, 10), [&](QPainter& p) {
        QzDrawImage(p, QRect(2, 2, 4, 3), *image, true, false);
    });
    EXPECT_TRUE(paintedAll(tiny, QRect(2, 2, 4, 3)));
    EXPECT_TRUE(untouchedOutside(tiny, QRect(2, 2, 4, 3)));
    EXPECT_TRUE(cameFrom(tiny.pixel(2, 2), picture, QRect(0, 0, 4, 3)));
    EXPECT_TRUE(cameFrom(tiny.pixel(5, 4), picture, QRect(6, 5, 4, 3)));
}

TEST_F(Draw, GradientsRunFromTheStartToTheEndColour) {
    const QRect rect(0, 0, 41, 31); // odd sizes have a middle pixel
    const QPoint tl(0, 0), tr(40, 0), bl(0, 30), br(40, 30), centre(20, 15);
    const QRgb s = rgbOf(Red), e = rgbOf(Blue);
    struct Expect {
        TQzBackGroundStyle Style;
        std::vector<std::pair<QPoint, QRgb>> Pixels;
    };
    const std::vector<Expect> expectations = {
        {bgsHorizontal, {{tl, s}, {bl, s}, {tr, e}, {br, e}}},
        {bgsVertical, {{tl, s}, {tr, s}, {bl, e}, {br, e}}},
        {bgsHorizontalMirror, {{tl, s}, {tr, s}, {{20, 0}, e}, {{20, 30}, e}}},
        {bgsVerticalMirror, {{tl, s}, {bl, s}, {{0, 15}, e}, {{40, 15}, e}}},
        {bgsDiagonalDown, {{tl, s}, {br, e}}},
        {bgsDiagonalUp, {{bl, s}, {tr, e}}},
        {bgsDiagonalDownMirror, {{tl, s}, {br, s}, {tr, e}, {bl, e}, {centre, e}}},
        {bgsDiagonalUpMirror, {{bl, s}, {tr, s}, {tl, e}, {br, e}, {centre, e}}},
        {bgsRectangle, {{centre, s}, {{20, 0}, e}, {{0, 15}, e}, {tl, e}}},
        {bgsEllipse, {{centre, s}, {{20, 0}, e}, {{40, 15}, e}, {br, e}}},
        {bgsCircle, {{centre, s}, {tl, e}, {br, e}}},
        {bgsConical, {{{40, 15}, s}, {{0, 15}, e}}},
        {bgsPyramid, {{centre, s}, {tl, e}, {br, e}}},
        {bgsHorizontalBars, {{tl, s}, {tr, s}}},
        {bgsVerticalBars, {{tl, s}, {bl, s}}},
    };
    const QMetaEnum styles = QMetaEnum::fromType<TQzBackGroundStyle>();
    for (const Expect& expect : expectations) {
        const QImage out = painted(canvas(41, 31), [&](QPainter& p) {
            QzDrawGradient(p, rect, expect.Style, Red, Blue, Green, nullptr, false);
        });
        for (const auto& [at, colour] : expect.Pixels)
            EXPECT_EQ(out.pixel(at), colour)
                << styles.valueToKey(expect.Style) << " at " << at.x() << "," << at.y();
        // Nothing but mixes of the two colours.
        for (int y = 0; y < 31; ++y)
            for (int x = 0; x < 41; ++x)
                ASSERT_EQ(qGreen(out.pixel(x, y)), 0) << styles.valueToKey(expect.Style);
    }

    // The horizontal ramp never turns back; the bars go out and back several times.
    const QImage ramp = painted(canvas(41, 1), [&](QPainter& p) {
        QzDrawGradient(p, QRect(0, 0, 41, 1), bgsHorizontal, Red, Blue, Green, nullptr, false);
    });
    for (int x = 1; x < 41; ++x)
        EXPECT_GE(qBlue(ramp.pixel(x, 0)), qBlue(ramp.pixel(x - 1, 0)));
    const QImage bars = painted(canvas(1, 64), [&](QPainter& p) {
        QzDrawGradient(p, QRect(0, 0, 1, 64), bgsHorizontalBars, Red, Blue, Green, nullptr, false);
    });
    int peaks = 0;
    for (int y = 0; y < 64; ++y)
        peaks += bars.pixel(0, y) == e;
    EXPECT_GE(peaks, 3);
}

TEST_F(Draw, EveryStyleLooksDifferentAndStaysInItsRectangle) {
    add(5, testPicture(9, 7, 1));
    const auto image = ref(5);
    const QRect rect(4, 3, 50, 30);
    std::vector<QImage> looks;
    for (int style = 0; style < QzBackGroundStyleCount; ++style) {
        const QImage out = painted(canvas(58, 37), [&](QPainter& p) {
            QzDrawGradient(p, rect, TQzBackGroundStyle(style), Red, Blue, Green, image.get(),
                           false);
        });
        EXPECT_TRUE(untouchedOutside(out, rect)) << style;
        EXPECT_TRUE(paintedAll(out, rect)) << style;
        for (std::size_t other = 0; other < looks.size(); ++other)
            EXPECT_NE(out, looks[other]) << style << " paints like " << other;
        looks.push_back(out);
    }
}

TEST_F(Draw, ImageStylesPlaceTheImage) {
    const QImage picture = testPicture(9, 7, 1);
    add(5, picture);
    const auto image = ref(5);
    const QRect rect(0, 0, 30, 21);
    const QRgb solid = rgbOf(Green);
    auto draw = [&](TQzBackGroundStyle style, bool transparent, const TQzMemoryImage* which) {
        return painted(canvas(30, 21), [&](QPainter& p) {
            QzDrawGradient(p, rect, style, Red, Blue, Green, which, transparent);
        });
    };

    const QImage tiled = draw(bgsImageTile, false, image.get());
    EXPECT_EQ(part(tiled, QRect(18, 14, 9, 7)), part(picture, picture.rect()));
    EXPECT_EQ(tiled.pixel(29, 20), picture.pixel(2, 6));

    const QImage centred = draw(bgsImageCenter, false, image.get());
    EXPECT_EQ(part(centred, QRect(10, 7, 9, 7)), part(picture, picture.rect()));
    EXPECT_EQ(centred.pixel(9, 7), solid);

    const QImage topLeft = draw(bgsImageTopLeft, false, image.get());
    EXPECT_EQ(part(topLeft, QRect(0, 0, 9, 7)), part(picture, picture.rect()));
    EXPECT_EQ(topLeft.pixel(9, 0), solid);
    // Transparent: only the image is painted.
    const QImage bare = draw(bgsImageTopLeft, true, image.get());
    EXPECT_TRUE(untouchedOutside(bare, QRect(0, 0, 9, 7)));
    EXPECT_EQ(bare.pixel(0, 6), Untouched); // the image's own transparent colour

    // Proportional: 9x7 fits 27x21, centred across.
    const QImage fitted = draw(bgsImageProportional, false, image.get());
    EXPECT_EQ(fitted.pixel(0, 10), solid);
    EXPECT_EQ(fitted.pixel(29, 10), solid);
    EXPECT_EQ(fitted.pixel(1, 0), picture.pixel(0, 0));
    EXPECT_EQ(fitted.pixel(27, 20), picture.pixel(8, 6));

    const QImage stretched = draw(bgsImageStretch, false, image.get());
    EXPECT_EQ(stretched.pixel(0, 0), picture.pixel(0, 0));
    EXPECT_EQ(stretched.pixel(29, 20), picture.pixel(8, 6));

    // Without its image a style paints the solid colour, or nothing when transparent.
    const auto missing = ref(77);
    const QImage plain = draw(bgsSolid, false, nullptr);
    EXPECT_EQ(plain.pixel(15, 10), solid);
    for (int style = bgsImageTile; style <= bgsImageProportional; ++style) {
        EXPECT_EQ(draw(TQzBackGroundStyle(style), false, missing.get()), plain) << style;
        EXPECT_EQ(draw(TQzBackGroundStyle(style), false, nullptr), plain) << style;
        EXPECT_EQ(draw(TQzBackGroundStyle(style), true, nullptr), canvas(30, 21)) << style;
    }
}

TEST_F(Draw, HugeRectanglesPaintOnlyWhatIsSeen) {
    // A gradient a hundred thousand pixels wide, seen through a 50-pixel window at its middle.
    QImage out = painted(canvas(50, 10), [&](QPainter& p) {
        p.translate(-50000, 0);
        QzDrawGradient(p, QRect(0, 0, 100001, 10), bgsHorizontal, 0, 0x00C8C8C8, 0, nullptr, false);
    });
    EXPECT_EQ(qRed(out.pixel(0, 0)), 100);
    EXPECT_EQ(qRed(out.pixel(49, 9)), 100);

    out = painted(canvas(50, 10), [&](QPainter& p) {
        p.setClipRect(QRect(10, 0, 5, 10));
        QzDrawGradient(p, QRect(0, 0, 100000, 100000), bgsVerticalBars, Red, Blue, 0, nullptr,
                       false);
    });
    EXPECT_TRUE(untouchedOutside(out, QRect(10, 0, 5, 10)));
    EXPECT_TRUE(paintedAll(out, QRect(10, 0, 5, 10)));
}

TEST(DrawGridLines, OneLineUnderEveryRow) {
    const QRect rect(2, 3, 20, 25); // rows end on lines 8, 14, 20 and 26
    const QRgb line = qRgb(9, 9, 9);
    QImage out =
        painted(canvas(30, 32), [&](QPainter& p) { QzDrawGridLines(p, rect, 6, QColor(line)); });
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool onLine = rect.contains(x, y) && (y == 8 || y == 14 || y == 20 || y == 26);
            ASSERT_EQ(out.pixel(x, y), onLine ? line : Untouched) << x << "," << y;
        }

    // A painter clipped to the lower rows draws the same lines there.
    out = painted(canvas(30, 32), [&](QPainter& p) {
        p.setClipRect(QRect(0, 15, 30, 17));
        QzDrawGridLines(p, rect, 6, QColor(line));
    });
    EXPECT_EQ(out.pixel(2, 14), Untouched);
    EXPECT_EQ(out.pixel(2, 20), line);
    EXPECT_EQ(out.pixel(21, 26), line);

    const QImage blank = canvas(30, 32);
    for (int rowHeight : {0, -4})
        EXPECT_EQ(
            painted(blank, [&](QPainter& p) { QzDrawGridLines(p, rect, rowHeight, Qt::red); }),
            blank);
}

TEST_F(Draw, SkinsStretchWithTheirMarginsAndShape) {
    const QImage picture = testPicture(12, 10, 4);
    TQzPkgImagesImage* skin = add(8, picture);
    skin->SetAdjustUp1(3);
    skin->SetAdjustUp2(3);
    skin->SetAdjustLeft1(2);
    skin->SetAdjustLeft2(2);
    skin->CreateExternalMask(QRegion(0, 0, 12, 10).subtracted(QRegion(11, 9, 1, 1)));
    const QRect rect(0, 0, 40, 30);
    const QImage out =
        painted(canvas(40, 30), [&](QPainter& p) { EXPECT_TRUE(QzPaintSkin(p, rect, *ref(8))); });
    EXPECT_EQ(part(out, QRect(0, 0, 3, 2)), part(picture, QRect(0, 0, 3, 2)));
    EXPECT_EQ(part(out, QRect(37, 0, 3, 2)), part(picture, QRect(9, 0, 3, 2)));
    EXPECT_EQ(out.pixel(39, 29), Untouched);
    EXPECT_EQ(out.pixel(38, 29), picture.pixel(10, 9));
    // The skin's colour in the bottom-left corner is painted: skins are shaped by masks.
    EXPECT_EQ(out.pixel(0, 29), picture.pixel(0, 9));
}
