// The region designer's engine on small pictures worked out by hand: which pixels a fill takes
// in both connection modes, with and without a base colour, through masked pixels; masks to
// regions and back; and undo and redo across both masks. A random comparison holds the run-wise
// fill to the pixel-by-pixel walk with a stack of directions.

#include "controls/core/QzRgnMasks.h"

#include <QImage>
#include <gtest/gtest.h>
#include <random>

namespace {

QRgb colourOf(char c) {
    switch (c) {
    case '#':
        return qRgb(0, 0, 0);
    case 'g':
        return qRgb(128, 128, 128);
    case 'd':
        return qRgb(64, 64, 64);
    case 'r':
        return qRgb(255, 0, 0);
    case 'b':
        return qRgb(0, 0, 200);
    default:
        return qRgb(255, 255, 255);
    }
}

QImage picture(const std::vector<std::string>& rows) {
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colourOf(rows[std::size_t(y)][std::size_t(x)]));
    return image;
}

// 'x' marks a set bit.
TQzBitMask mask(const std::vector<std::string>& rows) {
    TQzBitMask m(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < m.Height(); ++y)
        for (int x = 0; x < m.Width(); ++x)
            m.Set(x, y, rows[std::size_t(y)][std::size_t(x)] == 'x');
    return m;
}

std::vector<std::string> rowsOf(const TQzBitMask& m) {
    std::vector<std::string> rows;
    for (int y = 0; y < m.Height(); ++y) {
        std::string row;
        for (int x = 0; x < m.Width(); ++x)
            row += m.Get(x, y) ? 'x' : '.';
        rows.push_back(row);
    }
    return rows;
}

// The walk as the designer describes it: from the current pixel the directions east, south-east,
// south, ... north-east are tried in order; a step goes to an unvisited neighbour that matches or
// lies in a mask; a dead end steps back and goes on after the direction it came by.
void referenceWalk(const QImage& image, TQzBitMask& target, const TQzBitMask& other, int x, int y,
                   const TQzScanOptions& options) {
    if (target.Get(x, y) || other.Get(x, y))
        return;
    const QRgb seed = image.pixel(x, y) & 0xFFFFFF;
    auto matches = [&](QRgb p) {
        p &= 0xFFFFFF;
        if (!options.BaseColor)
            return p == seed;
        for (int shift : {0, 8, 16}) {
            const int a = int((seed >> shift) & 0xFF),
                      b = int((*options.BaseColor >> shift) & 0xFF);
            const int c = int((p >> shift) & 0xFF);
            if (c < std::min(a, b) || c > std::max(a, b))
                return false;
        }
        return true;
    };
    static const int dx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static const int dy[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    TQzBitMask visited(image.width(), image.height());
    visited.Set(x, y, true);
    target.Set(x, y, true);
    std::vector<int> stack;
    int dir = 0;
    for (;;) {
        bool stepped = false;
        for (; dir < 8; ++dir) {
            if (!options.Diagonals && dir % 2)
                continue;
            const int nx = x + dx[dir], ny = y + dy[dir];
            if (nx < 0 || ny < 0 || nx >= image.width() || ny >= image.height() ||
                visited.Get(nx, ny))
                continue;
            if (!(target.Get(nx, ny) || other.Get(nx, ny) || matches(image.pixel(nx, ny))))
                continue;
            visited.Set(nx, ny, true);
            if (!other.Get(nx, ny))
                target.Set(nx, ny, true);
            stack.push_back(dir);
            x = nx;
            y = ny;
            dir = 0;
            stepped = true;
            break;
        }
        if (stepped)
            continue;
        if (stack.empty())
            return;
        const int back = stack.back();
        stack.pop_back();
        x -= dx[back];
        y -= dy[back];
        dir = back + 1;
    }
}

struct FillCase {
    const char* Name;
    std::vector<std::string> Picture;
    std::vector<std::string> Target;
    std::vector<std::string> Other;
    int X;
    int Y;
    bool Diagonals;
    std::optional<QRgb> Base;
    std::vector<std::string> Expected;
};

} // namespace

TEST(RgnFill, HandWorkedPictures) {
    const std::vector<std::string> none5 = {".....", ".....", ".....", ".....", "....."};
    const std::vector<FillCase> cases = {
        {"single steps do not cross a diagonal line",
         {"#....", ".#...", "..#..", "...#.", "....#"},
         none5,
         none5,
         2,
         2,
         false,
         std::nullopt,
         {".....", ".....", "..x..", ".....", "....."}},
        {"full steps follow the diagonal line",
         {"#....", ".#...", "..#..", "...#.", "....#"},
         none5,
         none5,
         2,
         2,
         true,
         std::nullopt,
         {"x....", ".x...", "..x..", "...x.", "....x"}},
        {"single steps take the white around the line",
         {"#....", ".#...", "..#..", "...#.", "....#"},
         none5,
         none5,
         4,
         0,
         false,
         std::nullopt,
         {".xxxx", "..xxx", "...xx", "....x", "....."}},
        {"an exact colour leaves other colours out",
         {"ggdgg", "ggdgg", "ddddd", "ggdgg", "ggdgg"},
         none5,
         none5,
         0,
         0,
         true,
         std::nullopt,
         {"xx...", "xx...", ".....", ".....", "....."}},
        {"a black base colour takes every darker connected pixel",
         {"gg.##", "gd.rg", "d#...", "....d", "gg.dd"},
         none5,
         none5,
         0,
         0,
         true,
         qRgb(0, 0, 0),
         {"xx...", "xx...", "xx...", ".....", "....."}},
        {"the base colour range holds across the row gap diagonally",
         {"gd...", "..#..", "...d.", ".....", "....g"},
         none5,
         none5,
         0,
         0,
         true,
         qRgb(0, 0, 0),
         {"xx...", "..x..", "...x.", ".....", "....."}},
        {"masked pixels are passable and stay in their mask",
         {"..#..", "..#..", "..#..", "..#..", "..#.."},
         none5,
         {"..x..", "..x..", "..x..", "..x..", "..x.."},
         0,
         0,
         false,
         std::nullopt,
         {"xx.xx", "xx.xx", "xx.xx", "xx.xx", "xx.xx"}},
        {"pixels already in the target are passable too",
         {"..#..", "..#..", "..#..", "..#..", "..#.."},
         {".....", ".....", "..x..", ".....", "....."},
         none5,
         0,
         0,
         false,
         std::nullopt,
         {"xx.xx", "xx.xx", "xxxxx", "xx.xx", "xx.xx"}},
        {"a seed in the other mask fills nothing",
         {".....", ".....", ".....", ".....", "....."},
         none5,
         {".....", ".....", "..x..", ".....", "....."},
         2,
         2,
         true,
         std::nullopt,
         none5},
        {"a seed outside the picture fills nothing",
         {".....", ".....", ".....", ".....", "....."},
         none5,
         none5,
         5,
         0,
         true,
         std::nullopt,
         none5},
    };
    for (const FillCase& c : cases) {
        const QImage image = picture(c.Picture);
        TQzBitMask target = mask(c.Target);
        const TQzBitMask other = mask(c.Other);
        TQzScanOptions options;
        options.Diagonals = c.Diagonals;
        options.BaseColor = c.Base;
        QzScanFill(image, target, other, c.X, c.Y, options);
        EXPECT_EQ(rowsOf(target), c.Expected) << c.Name;
        EXPECT_EQ(rowsOf(other), c.Other) << c.Name;
    }
}

TEST(RgnFill, TakesWhatTheWalkByDirectionsTakes) {
    std::mt19937 random(7);
    const QRgb palette[3] = {qRgb(0, 0, 0), qRgb(90, 90, 90), qRgb(200, 200, 200)};
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + int(random() % 70), h = 1 + int(random() % 23);
        QImage image(w, h, QImage::Format_RGB32);
        TQzBitMask target(w, h), other(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                image.setPixel(x, y, palette[random() % 3]);
                const int m = int(random() % 12);
                target.Set(x, y, m == 0);
                other.Set(x, y, m == 1);
            }
        TQzScanOptions options;
        options.Diagonals = random() % 2;
        if (random() % 2)
            options.BaseColor = palette[random() % 3];
        const int x = int(random() % unsigned(w)), y = int(random() % unsigned(h));
        TQzBitMask fast = target, slow = target;
        QzScanFill(image, fast, other, x, y, options);
        referenceWalk(image, slow, other, x, y, options);
        ASSERT_EQ(rowsOf(fast), rowsOf(slow)) << "round " << round;
    }
}

TEST(RgnRegions, MasksBecomeRowRunsAtTheZoomAndComeBack) {
    const TQzBitMask m = mask({"xx..x", ".....", "..xxx"});
    EXPECT_FALSE(QzMaskToRgn(TQzBitMask(5, 3), 1).has_value());

    const std::optional<QRegion> one = QzMaskToRgn(m, 1);
    ASSERT_TRUE(one.has_value());
    const std::vector<QRect> expected1 = {QRect(0, 0, 2, 1), QRect(4, 0, 1, 1), QRect(2, 2, 3, 1)};
    EXPECT_EQ(std::vector<QRect>(one->begin(), one->end()), expected1);
    EXPECT_EQ(rowsOf(QzRgnToMask(*one, 5, 3)), rowsOf(m));

    // Rows with the same runs make one band, as a region built by unions has.
    const std::optional<QRegion> banded =
        QzMaskToRgn(mask({".xx.x", ".xx.x", "..xx.", ".xx.x"}), 2);
    ASSERT_TRUE(banded.has_value());
    const QRegion unions = QRegion(2, 0, 4, 4) + QRegion(8, 0, 2, 4) + QRegion(4, 4, 4, 2) +
                           QRegion(2, 6, 4, 2) + QRegion(8, 6, 2, 2);
    EXPECT_EQ(std::vector<QRect>(banded->begin(), banded->end()),
              std::vector<QRect>(unions.begin(), unions.end()));

    const std::optional<QRegion> three = QzMaskToRgn(m, 3);
    ASSERT_TRUE(three.has_value());
    EXPECT_EQ(*three, QRegion(0, 0, 6, 3) + QRegion(12, 0, 3, 3) + QRegion(6, 6, 9, 3));

    // Words past 64 pixels, a run over a word boundary, and a region reaching outside.
    TQzBitMask wide(130, 2);
    wide.SetRun(0, 60, 70);
    wide.SetRun(1, 127, 130);
    const std::optional<QRegion> runs = QzMaskToRgn(wide, 1);
    ASSERT_TRUE(runs.has_value());
    EXPECT_EQ(*runs, QRegion(60, 0, 10, 1) + QRegion(127, 1, 3, 1));
    EXPECT_EQ(QzRgnToMask(QRegion(-5, -5, 200, 200), 130, 2).Count(), 260);

    TQzBitMask inverted = m;
    inverted.Invert();
    EXPECT_EQ(rowsOf(inverted), (std::vector<std::string>{"..xx.", "xxxxx", "xx..."}));
    EXPECT_EQ(inverted.Count(), 15 - m.Count());
}

TEST(RgnUndo, RestoresEachMaskFromItsNearestSnapshot) {
    TQzRgnMasks masks;
    masks.Reset(3, 1);
    masks.Internal.Set(2, 0, true); // as the designer opened
    masks.Start();
    EXPECT_FALSE(masks.CanUndo());

    masks.External.Set(0, 0, true); // fill 1, external
    masks.Record(true);
    masks.Internal.Set(1, 0, true); // fill 2, internal
    masks.Record(false);
    masks.External.Set(1, 0, true); // fill 3, external (through the internal pixel... by hand)
    masks.Record(true);
    EXPECT_TRUE(masks.CanUndo());
    EXPECT_FALSE(masks.CanRedo());

    ASSERT_TRUE(masks.Undo()); // back to fill 2
    EXPECT_EQ(rowsOf(masks.External), std::vector<std::string>{"x.."});
    EXPECT_EQ(rowsOf(masks.Internal), std::vector<std::string>{".xx"});
    ASSERT_TRUE(masks.Undo()); // fill 1
    EXPECT_EQ(rowsOf(masks.Internal), std::vector<std::string>{"..x"});
    ASSERT_TRUE(masks.Undo()); // as opened
    EXPECT_EQ(rowsOf(masks.External), std::vector<std::string>{"..."});
    EXPECT_EQ(rowsOf(masks.Internal), std::vector<std::string>{"..x"});
    EXPECT_FALSE(masks.CanUndo());
    EXPECT_FALSE(masks.Undo());

    ASSERT_TRUE(masks.Redo()); // fill 1 again
    ASSERT_TRUE(masks.Redo()); // fill 2 again
    EXPECT_EQ(rowsOf(masks.External), std::vector<std::string>{"x.."});
    EXPECT_EQ(rowsOf(masks.Internal), std::vector<std::string>{".xx"});

    // A new change drops what could have been redone.
    masks.Internal.Set(0, 0, true);
    masks.Record(false);
    EXPECT_FALSE(masks.CanRedo());
    EXPECT_FALSE(masks.Redo());
    EXPECT_EQ(masks.Index(), 2);
}

TEST(RgnUndo, ClearIsUndoneAndRedoneForBothMasks) {
    TQzRgnMasks masks;
    masks.Reset(2, 1);
    masks.External.Set(0, 0, true);
    masks.Record(true);
    masks.Internal.Set(1, 0, true);
    masks.Record(false);
    masks.External.Clear();
    masks.Internal.Clear();
    masks.RecordBoth();

    masks.External.Set(1, 0, true); // a fill after Clear
    masks.Record(true);
    ASSERT_TRUE(masks.Undo()); // back to just after Clear: both empty, nothing comes back
    EXPECT_EQ(rowsOf(masks.External), std::vector<std::string>{".."});
    EXPECT_EQ(rowsOf(masks.Internal), std::vector<std::string>{".."});
    ASSERT_TRUE(masks.Undo()); // before Clear
    EXPECT_EQ(rowsOf(masks.External), std::vector<std::string>{"x."});
    EXPECT_EQ(rowsOf(masks.Internal), std::vector<std::string>{".x"});
    ASSERT_TRUE(masks.Redo()); // Clear again empties both
    EXPECT_EQ(rowsOf(masks.External), std::vector<std::string>{".."});
    EXPECT_EQ(rowsOf(masks.Internal), std::vector<std::string>{".."});
}
