#include "controls/core/QzRgnMasks.h"

#include <algorithm>
#include <bit>

namespace {

constexpr quint64 AllBits = ~quint64(0);

// The bits x1 <= x < x2 of the word that holds bit `word`·64.
quint64 wordBits(int word, int x1, int x2) {
    const int lo = std::max(x1 - word * 64, 0);
    const int hi = std::min(x2 - word * 64, 64);
    if (lo >= hi)
        return 0;
    const quint64 upper = hi == 64 ? AllBits : (quint64(1) << hi) - 1;
    return upper & (AllBits << lo);
}

// The first x >= from in the row whose bit is `set`, or `width` when there is none. Bits past
// the width are always clear, so a search for a clear bit stops there at the latest.
int nextBit(const quint64* row, int words, int from, int width, bool set) {
    int word = from >> 6;
    if (word >= words)
        return width;
    quint64 bits = (set ? row[word] : ~row[word]) & (AllBits << (from & 63));
    while (bits == 0) {
        if (++word >= words)
            return width;
        bits = set ? row[word] : ~row[word];
    }
    return std::min(word * 64 + std::countr_zero(bits), width);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Bit masks

TQzBitMask::TQzBitMask(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)), FRowWords((FWidth + 63) / 64),
      FBits(std::size_t(FRowWords) * std::size_t(FHeight), 0) {}

void TQzBitMask::Set(int x, int y, bool value) {
    quint64& word = FBits[rowStart(y) + std::size_t(x >> 6)];
    const quint64 bit = quint64(1) << (x & 63);
    word = value ? word | bit : word & ~bit;
}

void TQzBitMask::SetRun(int y, int x1, int x2) {
    quint64* row = Row(y);
    for (int word = x1 >> 6; word <= (x2 - 1) >> 6 && x1 < x2; ++word)
        row[word] |= wordBits(word, x1, x2);
}

void TQzBitMask::Clear() {
    std::fill(FBits.begin(), FBits.end(), 0);
}

void TQzBitMask::Invert() {
    for (int y = 0; y < FHeight; ++y) {
        quint64* row = Row(y);
        for (int word = 0; word < FRowWords; ++word)
            row[word] = ~row[word] & wordBits(word, 0, FWidth);
    }
}

bool TQzBitMask::Any() const {
    return std::any_of(FBits.begin(), FBits.end(), [](quint64 w) { return w != 0; });
}

qint64 TQzBitMask::Count() const {
    qint64 count = 0;
    for (quint64 w : FBits)
        count += std::popcount(w);
    return count;
}

// ---------------------------------------------------------------------------------------------
// Flood fill
//
// The pixels a fill takes are the connected area of passable pixels round the seed, whatever
// order they are walked in, so the walk goes by runs: a run is filled whole, and the rows above
// and below it (one pixel wider with diagonals) are searched for the runs it touches. The visited
// bits and a stack of rows still to search are all it needs besides the masks.

namespace {

class TScan {
public:
    TScan(const QImage& picture, TQzBitMask& target, const TQzBitMask& other, QRgb seed,
          const TQzScanOptions& options)
        : FPicture(picture), FTarget(target), FOther(other),
          FVisited(picture.width(), picture.height()), FWidth(picture.width()),
          FHeight(picture.height()), FReach(options.Diagonals ? 1 : 0) {
        seed &= 0xFFFFFF;
        const QRgb base = options.BaseColor ? (*options.BaseColor & 0xFFFFFF) : seed;
        FExact = !options.BaseColor;
        FSeed = seed;
        for (int shift : {0, 8, 16}) {
            const quint32 a = (seed >> shift) & 0xFF;
            const quint32 b = (base >> shift) & 0xFF;
            FLow[shift / 8] = std::min(a, b);
            FHigh[shift / 8] = std::max(a, b);
        }
    }

    qint64 Run(int x, int y) {
        fillRun(x, y);
        while (!FStack.empty()) {
            const Segment segment = FStack.back();
            FStack.pop_back();
            const QRgb* line = scanLine(segment.Y);
            for (int sx = segment.X1; sx <= segment.X2; ++sx)
                if (passable(line, sx, segment.Y))
                    sx = fillRun(sx, segment.Y);
        }
        return FCount;
    }

private:
    struct Segment {
        int Y;
        int X1;
        int X2;
    };

    const QRgb* scanLine(int y) const {
        return reinterpret_cast<const QRgb*>(FPicture.scanLine(y));
    }

    bool matches(QRgb pixel) const {
        if (FExact)
            return (pixel & 0xFFFFFF) == FSeed;
        const quint32 b = pixel & 0xFF;
        const quint32 g = (pixel >> 8) & 0xFF;
        const quint32 r = (pixel >> 16) & 0xFF;
        return b >= FLow[0] && b <= FHigh[0] && g >= FLow[1] && g <= FHigh[1] && r >= FLow[2] &&
               r <= FHigh[2];
    }

    bool passable(const QRgb* line, int x, int y) const {
        return !FVisited.Get(x, y) && (FTarget.Get(x, y) || FOther.Get(x, y) || matches(line[x]));
    }

    // Fills the run through (x, y) and queues the rows beside it; returns the run's last x.
    int fillRun(int x, int y) {
        const QRgb* line = scanLine(y);
        int left = x;
        while (left > 0 && passable(line, left - 1, y))
            --left;
        int right = x;
        while (right + 1 < FWidth && passable(line, right + 1, y))
            ++right;
        FVisited.SetRun(y, left, right + 1);
        quint64* target = FTarget.Row(y);
        const quint64* other = FOther.Row(y);
        for (int word = left >> 6; word <= right >> 6; ++word)
            target[word] |= wordBits(word, left, right + 1) & ~other[word];
        FCount += right - left + 1;
        const int x1 = std::max(left - FReach, 0);
        const int x2 = std::min(right + FReach, FWidth - 1);
        if (y > 0)
            FStack.push_back({y - 1, x1, x2});
        if (y + 1 < FHeight)
            FStack.push_back({y + 1, x1, x2});
        return right;
    }

    const QImage& FPicture;
    TQzBitMask& FTarget;
    const TQzBitMask& FOther;
    TQzBitMask FVisited;
    const int FWidth;
    const int FHeight;
    const int FReach;
    bool FExact = true;
    QRgb FSeed = 0;
    quint32 FLow[3] = {};
    quint32 FHigh[3] = {};
    std::vector<Segment> FStack;
    qint64 FCount = 0;
};

} // namespace

qint64 QzScanFill(const QImage& picture, TQzBitMask& target, const TQzBitMask& other, int x, int y,
                  const TQzScanOptions& options) {
    if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height())
        return 0;
    Q_ASSERT(target.Width() == picture.width() && target.Height() == picture.height());
    Q_ASSERT(other.Width() == picture.width() && other.Height() == picture.height());
    if (target.Get(x, y) || other.Get(x, y))
        return 0;
    const bool direct =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
    const QImage converted = direct ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    const QImage& pixels = direct ? picture : converted;
    TScan scan(pixels, target, other, pixels.pixel(x, y), options);
    return scan.Run(x, y);
}

// ---------------------------------------------------------------------------------------------
// Masks and regions

std::optional<QRegion> QzMaskToRgn(const TQzBitMask& mask, int zoom) {
    std::vector<QRect> rects;
    const int width = mask.Width();
    const int words = mask.RowWords();
    // A row whose runs are those of the band above it makes that band taller, as a region keeps
    // its bands; so the rectangles go into the region as they are, already in its own form.
    std::size_t band = 0;
    for (int y = 0; y < mask.Height(); ++y) {
        const quint64* row = mask.Row(y);
        const std::size_t start = rects.size();
        int x = nextBit(row, words, 0, width, true);
        while (x < width) {
            const int end = nextBit(row, words, x, width, false);
            rects.emplace_back(x * zoom, y * zoom, (end - x) * zoom, zoom);
            x = end < width ? nextBit(row, words, end, width, true) : width;
        }
        const std::size_t count = rects.size() - start;
        const bool same =
            count > 0 && start - band == count && rects[band].bottom() + 1 == y * zoom &&
            std::equal(rects.begin() + std::ptrdiff_t(band), rects.begin() + std::ptrdiff_t(start),
                       rects.begin() + std::ptrdiff_t(start), [](const QRect& a, const QRect& b) {
                           return a.left() == b.left() && a.width() == b.width();
                       });
        if (same) {
            for (std::size_t i = band; i < start; ++i)
                rects[i].setHeight(rects[i].height() + zoom);
            rects.resize(start);
        } else if (count > 0) {
            band = start;
        }
    }
    if (rects.empty())
        return std::nullopt;
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

TQzBitMask QzRgnToMask(const QRegion& region, int width, int height) {
    TQzBitMask mask(width, height);
    const QRect bounds(0, 0, width, height);
    for (const QRect& rect : region) {
        const QRect r = rect & bounds;
        for (int y = r.top(); y <= r.bottom(); ++y)
            mask.SetRun(y, r.left(), r.right() + 1);
    }
    return mask;
}

// ---------------------------------------------------------------------------------------------
// Undo

void TQzRgnMasks::Reset(int width, int height) {
    External = TQzBitMask(width, height);
    Internal = TQzBitMask(width, height);
    Start();
}

void TQzRgnMasks::Start() {
    FInitialExternal = External;
    FInitialInternal = Internal;
    FSnapshots.clear();
    FIndex = -1;
}

void TQzRgnMasks::push(Snapshot snapshot) {
    FSnapshots.resize(std::size_t(FIndex + 1));
    FSnapshots.push_back(std::move(snapshot));
    FIndex = int(FSnapshots.size()) - 1;
}

void TQzRgnMasks::Record(bool external) {
    Snapshot snapshot;
    if (external)
        snapshot.External = External;
    else
        snapshot.Internal = Internal;
    push(std::move(snapshot));
}

void TQzRgnMasks::RecordBoth() {
    push({External, Internal});
}

bool TQzRgnMasks::Redo() {
    if (!CanRedo())
        return false;
    const Snapshot& snapshot = FSnapshots[std::size_t(++FIndex)];
    if (snapshot.External)
        External = *snapshot.External;
    if (snapshot.Internal)
        Internal = *snapshot.Internal;
    return true;
}

bool TQzRgnMasks::Undo() {
    if (!CanUndo())
        return false;
    --FIndex;
    External = nearest(true);
    Internal = nearest(false);
    return true;
}

const TQzBitMask& TQzRgnMasks::nearest(bool external) const {
    for (int i = FIndex; i >= 0; --i) {
        const Snapshot& snapshot = FSnapshots[std::size_t(i)];
        if (external && snapshot.External)
            return *snapshot.External;
        if (!external && snapshot.Internal)
            return *snapshot.Internal;
    }
    return external ? FInitialExternal : FInitialInternal;
}
