#pragma once

// The pixel masks of the region designer and what is done to them: the flood fill that takes a
// connected area of one colour (or of a colour range) into a mask, masks turned into regions at a
// zoom and back, and the undo snapshots. Widget-free, so it is tested and measured on its own.

#include <QImage>
#include <QRegion>
#include <QtGlobal>
#include <optional>
#include <vector>

// W x H bits, one per pixel; rows are kept in whole 64-bit words so runs are found a word at a
// time.
class TQzBitMask {
public:
    TQzBitMask() = default;
    TQzBitMask(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Get(int x, int y) const {
        return (FBits[rowStart(y) + std::size_t(x >> 6)] >> (x & 63)) & 1u;
    }
    void Set(int x, int y, bool value);
    // Sets the bits x1 <= x < x2 of row y.
    void SetRun(int y, int x1, int x2);
    void Clear();
    // Every bit flipped: the pixels not in the mask.
    void Invert();
    bool Any() const;
    qint64 Count() const;
    bool operator==(const TQzBitMask& other) const = default;

    int RowWords() const { return FRowWords; }
    const quint64* Row(int y) const { return FBits.data() + rowStart(y); }
    quint64* Row(int y) { return FBits.data() + rowStart(y); }

private:
    std::size_t rowStart(int y) const { return std::size_t(y) * std::size_t(FRowWords); }

    int FWidth = 0;
    int FHeight = 0;
    int FRowWords = 0;
    std::vector<quint64> FBits;
};

struct TQzScanOptions {
    // Steps diagonally too (8 neighbours), else only across and down (4).
    bool Diagonals = true;
    // With a base colour a pixel matches when each of its red, green and blue components lies
    // between the base colour's and the seed's; without one, when it is the seed's colour.
    std::optional<QRgb> BaseColor;
};

// Fills from the seed pixel into `target`: every pixel connected to the seed through pixels that
// match the seed or already lie in either mask. Pixels of `other` stay where they are, so a fill
// flows through masked areas but never moves a pixel from one mask to the other. A seed outside
// the picture or in either mask fills nothing. Returns the pixels reached (0 for none).
// The picture is read as 32-bit RGB; alpha does not count.
qint64 QzScanFill(const QImage& picture, TQzBitMask& target, const TQzBitMask& other, int x, int y,
                  const TQzScanOptions& options);

// Each maximal run of set bits x1..x2-1 of row y becomes the rectangle (x1·z, y·z) to (x2·z,
// (y+1)·z); a mask without set bits gives none.
std::optional<QRegion> QzMaskToRgn(const TQzBitMask& mask, int zoom);
// The pixels a region (at zoom 1) covers, clipped to the mask's size.
TQzBitMask QzRgnToMask(const QRegion& region, int width, int height);

// Both masks with their undo history. A snapshot is taken after each change and says which mask
// it holds (a fill) or holds both (Clear, which empties both); undo restores each mask from the
// nearest snapshot holding it at or below the new position, or from the masks as they were when
// editing started.
class TQzRgnMasks {
public:
    void Reset(int width, int height);
    TQzBitMask External;
    TQzBitMask Internal;

    // The undo floor: the masks as they are now; the history is dropped.
    void Start();
    // After a change of the external (or internal) mask: later snapshots are dropped.
    void Record(bool external);
    // After a change of both masks.
    void RecordBoth();
    // Moves one snapshot up and restores what it holds; false when there is nothing to redo.
    bool Redo();
    // Moves one snapshot down and restores both masks; false when there is nothing to undo.
    bool Undo();
    bool CanUndo() const { return FIndex >= 0; }
    bool CanRedo() const { return FIndex + 1 < int(FSnapshots.size()); }
    int Index() const { return FIndex; }

private:
    struct Snapshot {
        std::optional<TQzBitMask> External;
        std::optional<TQzBitMask> Internal;
    };
    void push(Snapshot snapshot);
    const TQzBitMask& nearest(bool external) const;

    TQzBitMask FInitialExternal;
    TQzBitMask FInitialInternal;
    std::vector<Snapshot> FSnapshots;
    int FIndex = -1;
};
