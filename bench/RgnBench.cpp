// The region designer's flood fill and its masks-to-regions conversion on 4096 x 4096 pictures.
// Each fill is set against a plain breadth-first fill of the same pixels (a queue of pixel
// indexes and a visited bit per pixel) in the same run, and each conversion against building the
// same rectangles, already collected, into a region. Rates count 4 bytes a pixel of the picture.

#include "BenchRandom.h"
#include "BenchReport.h"
#include "controls/core/QzRgnMasks.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int Side = 4096;
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

struct Picture {
    std::string Name;
    QImage Image;
    bool Diagonals;
    int X;
    int Y;
};

QImage oneColour() {
    QImage image(Side, Side, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

QImage checkerboard() {
    QImage image(Side, Side, QImage::Format_RGB32);
    for (int y = 0; y < Side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Side; ++x)
            line[x] = (x + y) % 2 ? Black : White;
    }
    return image;
}

QImage noise(TBenchRandom& random) {
    QImage image(Side, Side, QImage::Format_RGB32);
    for (int y = 0; y < Side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Side; ++x)
            line[x] = random.chance(50) ? Black : White;
    }
    return image;
}

// A perfect maze: cells at odd coordinates, walls between them knocked through by a random
// depth-first walk, so the corridors are one pixel wide and reach every cell.
QImage maze(TBenchRandom& random) {
    QImage image(Side, Side, QImage::Format_RGB32);
    image.fill(Black);
    const int cells = (Side - 1) / 2;
    std::vector<bool> seen(std::size_t(cells) * std::size_t(cells), false);
    std::vector<int> stack{0};
    seen[0] = true;
    image.setPixel(1, 1, White);
    const int dx[4] = {1, -1, 0, 0};
    const int dy[4] = {0, 0, 1, -1};
    while (!stack.empty()) {
        const int cell = stack.back();
        const int cx = cell % cells, cy = cell / cells;
        int options[4];
        int count = 0;
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + dx[d], ny = cy + dy[d];
            if (nx >= 0 && ny >= 0 && nx < cells && ny < cells &&
                !seen[std::size_t(ny) * std::size_t(cells) + std::size_t(nx)])
                options[count++] = d;
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const int d = options[random.below(count)];
        const int nx = cx + dx[d], ny = cy + dy[d];
        seen[std::size_t(ny) * std::size_t(cells) + std::size_t(nx)] = true;
        image.setPixel(2 * cx + 1 + dx[d], 2 * cy + 1 + dy[d], White);
        image.setPixel(2 * nx + 1, 2 * ny + 1, White);
        stack.push_back(ny * cells + nx);
    }
    return image;
}

// The baseline: every pixel of the seed's colour connected to it, breadth first.
qint64 breadthFirst(const QImage& image, TQzBitMask& target, int x0, int y0, bool diagonals) {
    const int w = image.width(), h = image.height();
    TQzBitMask visited(w, h);
    const QRgb seed = image.pixel(x0, y0) & 0xFFFFFF;
    std::vector<quint32> queue;
    queue.push_back(quint32(y0 * w + x0));
    visited.Set(x0, y0, true);
    static const int dx[8] = {1, 0, -1, 0, 1, -1, -1, 1};
    static const int dy[8] = {0, 1, 0, -1, 1, 1, -1, -1};
    const int directions = diagonals ? 8 : 4;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int x = int(queue[head] % quint32(w)), y = int(queue[head] / quint32(w));
        target.Set(x, y, true);
        for (int d = 0; d < directions; ++d) {
            const int nx = x + dx[d], ny = y + dy[d];
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || visited.Get(nx, ny))
                continue;
            if ((reinterpret_cast<const QRgb*>(image.constScanLine(ny))[nx] & 0xFFFFFF) != seed)
                continue;
            visited.Set(nx, ny, true);
            queue.push_back(quint32(ny * w + nx));
        }
    }
    return qint64(queue.size());
}

// The rectangles the conversion gives, collected once outside the timing.
std::vector<QRect> collectRects(const TQzBitMask& mask, int zoom) {
    const std::optional<QRegion> region = QzMaskToRgn(mask, zoom);
    return region ? std::vector<QRect>(region->begin(), region->end()) : std::vector<QRect>();
}

constexpr qint64 PictureBytes = qint64(Side) * Side * 4;

void registerFills(const std::vector<Picture>& pictures) {
    for (const Picture& p : pictures) {
        benchmark::RegisterBenchmark(("fill/" + p.Name).c_str(), [&p](benchmark::State& state) {
            TQzBitMask target(Side, Side);
            const TQzBitMask other(Side, Side);
            TQzScanOptions options;
            options.Diagonals = p.Diagonals;
            for (auto _ : state) {
                state.PauseTiming();
                target.Clear();
                state.ResumeTiming();
                benchmark::DoNotOptimize(QzScanFill(p.Image, target, other, p.X, p.Y, options));
            }
            state.SetBytesProcessed(state.iterations() * PictureBytes);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("bfs/" + p.Name).c_str(), [&p](benchmark::State& state) {
            TQzBitMask target(Side, Side);
            for (auto _ : state) {
                state.PauseTiming();
                target.Clear();
                state.ResumeTiming();
                benchmark::DoNotOptimize(breadthFirst(p.Image, target, p.X, p.Y, p.Diagonals));
            }
            state.SetBytesProcessed(state.iterations() * PictureBytes);
        })->Unit(benchmark::kMillisecond);
    }
}

struct MaskCase {
    std::string Name;
    TQzBitMask Mask;
    int Zoom;
    std::vector<QRect> Rects;
};

void registerRegions(const std::vector<MaskCase>& masks) {
    for (const MaskCase& m : masks) {
        benchmark::RegisterBenchmark(("rgn/" + m.Name).c_str(), [&m](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(QzMaskToRgn(m.Mask, m.Zoom));
            state.SetBytesProcessed(state.iterations() * PictureBytes);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("rects/" + m.Name).c_str(), [&m](benchmark::State& state) {
            for (auto _ : state) {
                QRegion region;
                region.setRects(m.Rects.data(), int(m.Rects.size()));
                benchmark::DoNotOptimize(region);
            }
            state.SetBytesProcessed(state.iterations() * PictureBytes);
        })->Unit(benchmark::kMillisecond);
    }
}

const std::vector<TBenchRow> Rows = {
    {"bfs one colour", "bfs/one-colour", nullptr},
    {"fill one colour", "fill/one-colour", "bfs/one-colour"},
    {"bfs checkerboard", "bfs/checkerboard", nullptr},
    {"fill checkerboard", "fill/checkerboard", "bfs/checkerboard"},
    {"bfs noise", "bfs/noise", nullptr},
    {"fill noise", "fill/noise", "bfs/noise"},
    {"bfs maze", "bfs/maze", nullptr},
    {"fill maze", "fill/maze", "bfs/maze"},
    {"rects noise x1", "rects/noise-x1", nullptr},
    {"rgn noise x1", "rgn/noise-x1", "rects/noise-x1"},
    {"rects noise x8", "rects/noise-x8", nullptr},
    {"rgn noise x8", "rgn/noise-x8", "rects/noise-x8"},
    {"rects maze x1", "rects/maze-x1", nullptr},
    {"rgn maze x1", "rgn/maze-x1", "rects/maze-x1"},
    {"rects maze x8", "rects/maze-x8", nullptr},
    {"rgn maze x8", "rgn/maze-x8", "rects/maze-x8"},
};

} // namespace

int main(int argc, char** argv) {
    long long seed = 1;
    if (!StartBenchmarks(argc, argv,
                         [&](const char* arg) { return TakeFlag(arg, "--seed", seed); }))
        return 2;

    TBenchRandom random(static_cast<std::uint64_t>(seed));
    std::vector<Picture> pictures;
    pictures.push_back({"one-colour", oneColour(), true, Side / 2, Side / 2});
    pictures.push_back({"checkerboard", checkerboard(), true, 0, 0});
    pictures.push_back({"noise", noise(random), true, Side / 2, Side / 2});
    pictures.push_back({"maze", maze(random), false, 1, 1});
    // A noise seed on the wrong colour would measure a tiny area: start on the larger one.
    Picture& noisy = pictures[2];
    noisy.Image.setPixel(noisy.X, noisy.Y, White);

    std::vector<MaskCase> masks;
    for (const Picture* p : {&pictures[2], &pictures[3]}) {
        TQzBitMask mask(Side, Side);
        TQzScanOptions options;
        options.Diagonals = p->Diagonals;
        const qint64 filled =
            QzScanFill(p->Image, mask, TQzBitMask(Side, Side), p->X, p->Y, options);
        std::printf("%s: the fill takes %lld of %lld pixels\n", p->Name.c_str(),
                    static_cast<long long>(filled), static_cast<long long>(Side) * Side);
        for (int zoom : {1, 8})
            masks.push_back(
                {p->Name + "-x" + std::to_string(zoom), mask, zoom, collectRects(mask, zoom)});
    }
    registerFills(pictures);
    registerRegions(masks);
    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable("A fill's ratio sets it against the breadth-first fill of the same pixels; "
                        "a conversion's\nagainst building its rectangles, already collected, into "
                        "a region (above 1 = faster).");
    benchmark::Shutdown();
    return 0;
}
