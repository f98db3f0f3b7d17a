// Load and save speed of package files on generated packages: the strings of a large translated
// application and a library of small pictures. Absolute MB/s depend on the machine and on whoever
// else shares it, so every load and save is also given as a ratio to reading the same file's
// bytes in the same run. Peak memory comes from a separate single run of each phase.

#include "BenchReport.h"
#include "FileWrite.h"
#include "PkgCorpus.h"

#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A generated package kept in a file, and one loaded from it whose saves are measured.
struct PkgFile {
    std::string Key; // "strings", "images"
    QString Path;
    QString SavePath;
    QByteArray Bytes;
    std::function<std::unique_ptr<TQzPkgInfo>()> Create;
    std::unique_ptr<TQzPkgInfo> Loaded;
};

// One measured operation with what has to happen around it outside the timing.
struct Phase {
    std::string Name;
    qint64 Bytes;
    std::function<void()> Prepare;
    std::function<void()> Run;
    std::function<void()> Finish;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// ---------------------------------------------------------------------------------------------
// Memory

// kB of a "VmHWM:" or "VmRSS:" line of /proc/self/status; -1 when there is none.
qint64 statusKb(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Sets the high-water mark back to the current resident size (Linux 4.0 and later).
bool resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

struct Peak {
    double PeakMB = -1;
    double RiseMB = -1;
    double KeptMB = -1;
};

// Bytes of heap in use, whatever the allocator keeps resident around them.
qint64 heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

// The peak resident size over one run of `run`, how far it rose over the start and how much
// more heap is in use after it. Freed heap goes back to the system first, so that what ran
// before does not hide what this needs.
Peak measured(const std::function<void()>& run) {
    malloc_trim(0);
    const bool reset = resetPeak();
    const qint64 start = statusKb("VmRSS");
    const qint64 heap = heapInUse();
    run();
    const qint64 peak = statusKb("VmHWM");
    const qint64 kept = heapInUse() - heap;
    if (peak < 0 || start < 0)
        return {};
    return {peak * 1024 / 1e6, reset ? (peak - start) * 1024 / 1e6 : -1,
            std::max<qint64>(0, kept) / 1e6};
}

using Peaks = std::map<std::string, Peak>;

// ---------------------------------------------------------------------------------------------
// The packages

void describeStrings(const TQzPkgStrings& p, qint64 fileBytes) {
    qint64 hints = 0, wide = 0, longer = 0, chars = 0;
    auto count = [&](const QString& s) {
        chars += s.size();
        if (std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() >= 128; }))
            ++wide;
        else if (s.size() > 255)
            ++longer;
    };
    for (int i = 0; i < p.Labels()->Count(); ++i) {
        const TQzPkgStringsLabel* label = p.Labels()->GetItems(i);
        count(label->Text());
        if (!label->Hint().isEmpty()) {
            ++hints;
            count(label->Hint());
        }
    }
    for (const TQzPkgStringsTexts* list : {p.Messages(), p.Texts()})
        for (int i = 0; i < list->Count(); ++i)
            count(list->GetItems(i)->Text());
    std::printf("strings package: %d labels (%lld with a hint), %d messages, %d texts; %lld "
                "strings of %.1f M characters, %lld of them non-ASCII, %lld long ASCII; file "
                "%.1f MB\n",
                p.Labels()->Count(), hints, p.Messages()->Count(), p.Texts()->Count(),
                p.Labels()->Count() + hints + p.Messages()->Count() + p.Texts()->Count(),
                chars / 1e6, wide, longer, fileBytes / 1e6);
}

void describeImages(const TQzPkgImages& p, qint64 fileBytes) {
    qint64 external = 0, internal = 0, adjusts = 0, png = 0, pixels = 0;
    int smallest = INT_MAX, largest = 0;
    for (int i = 0; i < p.Images()->Count(); ++i) {
        const TQzPkgImagesImage* image = p.Images()->GetItems(i);
        external += image->GetExternalMask();
        internal += image->GetInternalMask();
        adjusts += image->Adjusts();
        png += image->GetSize();
        pixels += qint64(image->Width()) * image->Height();
        smallest = std::min({smallest, image->Width(), image->Height()});
        largest = std::max({largest, image->Width(), image->Height()});
    }
    std::printf("images package: %d pictures of %d to %d pixels a side (%.1f M pixels), %lld "
                "with an external mask, %lld with an internal one, %lld with margins; PNG %.1f "
                "MB, file %.1f MB\n",
                p.Images()->Count(), smallest, largest, pixels / 1e6, external, internal, adjusts,
                png / 1e6, fileBytes / 1e6);
}

// Generates both packages into `dir` outside any timing, then checks that a load and a save give
// back the very file, or the figures would compare unlike work. That load and save are the runs
// whose memory is reported.
bool buildPackages(std::vector<PkgFile>& files, Peaks& peaks, const QString& dir, int labels,
                   int images, std::uint64_t seed) {
    auto strings = std::make_unique<TQzPkgStrings>();
    FillStringsPackage(*strings, labels, seed);
    auto pictures = std::make_unique<TQzPkgImages>();
    FillImagesPackage(*pictures, images, seed);

    files.push_back({"strings",
                     dir + QStringLiteral("/Strings.pst"),
                     dir + QStringLiteral("/Saved.pst"),
                     {},
                     [] { return std::make_unique<TQzPkgStrings>(); },
                     nullptr});
    files.push_back({"images",
                     dir + QStringLiteral("/Images.pim"),
                     dir + QStringLiteral("/Saved.pim"),
                     {},
                     [] { return std::make_unique<TQzPkgImages>(); },
                     nullptr});
    TQzPkgInfo* const generated[] = {strings.get(), pictures.get()};
    std::printf("packages (seed %#llx) in %s\n", static_cast<unsigned long long>(seed),
                qPrintable(dir));
    for (std::size_t i = 0; i < files.size(); ++i) {
        PkgFile& f = files[i];
        TQzPkgInfo* original = generated[i];
        try {
            original->SaveToFile(f.Path);
            f.Bytes = readAll(f.Path);
            f.Loaded = f.Create();
            peaks["load/" + f.Key] = measured([&f] { f.Loaded->LoadFromFile(f.Path); });
            peaks["save/" + f.Key] = measured([&f] { f.Loaded->SaveToFile(f.SavePath); });
            if (readAll(f.SavePath) != f.Bytes) {
                std::fprintf(stderr, "the %s package saves as another file than it was read from\n",
                             f.Key.c_str());
                return false;
            }
        } catch (const Exception& e) {
            std::fprintf(stderr, "%s package: %s\n", f.Key.c_str(), qPrintable(e.Message()));
            return false;
        }
    }
    describeStrings(*strings, files[0].Bytes.size());
    describeImages(*pictures, files[1].Bytes.size());
    std::fflush(stdout);
    return true;
}

std::vector<Phase> definePhases(std::vector<PkgFile>& files) {
    std::vector<Phase> phases;
    for (PkgFile& f : files) {
        const qint64 bytes = f.Bytes.size();
        // The baseline: a whole file's bytes, the first thing a load does.
        phases.push_back({"read/" + f.Key, bytes, nullptr,
                          [&f] { benchmark::DoNotOptimize(readAll(f.Path).constData()); },
                          nullptr});
        // Writing the same bytes the way a save does, to tell the file system from the rest.
        phases.push_back({"write/" + f.Key, bytes, nullptr,
                          [&f] { WriteFileAtomic(f.SavePath, f.Bytes); }, nullptr});
        // A load into a package that is still empty, as a form being opened does; making and
        // freeing that package is not counted.
        auto fresh = std::make_shared<std::unique_ptr<TQzPkgInfo>>();
        phases.push_back({"load/" + f.Key, bytes, [&f, fresh] { *fresh = f.Create(); },
                          [&f, fresh] { (*fresh)->LoadFromFile(f.Path); },
                          [fresh] {
                              fresh->reset();
                          }});
        phases.push_back(
            {"save/" + f.Key, bytes, nullptr, [&f] { f.Loaded->SaveToFile(f.SavePath); }, nullptr});
    }
    return phases;
}

// Memory of the phases the check of the packages did not run.
void measureMemory(const std::vector<Phase>& phases, Peaks& peaks) {
    for (const Phase& phase : phases) {
        if (peaks.count(phase.Name))
            continue;
        if (phase.Prepare)
            phase.Prepare();
        peaks[phase.Name] = measured(phase.Run);
        if (phase.Finish)
            phase.Finish();
    }
}

std::string megabytes(double mb) {
    if (mb < 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", mb);
    return text;
}

// ---------------------------------------------------------------------------------------------
// Benchmarks

void registerBenchmarks(const std::vector<Phase>& phases) {
    for (const Phase& phase : phases) {
        benchmark::RegisterBenchmark(phase.Name.c_str(), [&phase](benchmark::State& state) {
            for (auto _ : state) {
                if (phase.Prepare) {
                    state.PauseTiming();
                    phase.Prepare();
                    state.ResumeTiming();
                }
                phase.Run();
                if (phase.Finish) {
                    state.PauseTiming();
                    phase.Finish();
                    state.ResumeTiming();
                }
            }
            state.SetBytesProcessed(state.iterations() * phase.Bytes);
        })->Unit(benchmark::kMillisecond);
    }
}

const std::vector<TBenchRow> Rows = {
    {"read strings", "read/strings", nullptr},
    {"write strings", "write/strings", "read/strings"},
    {"load strings", "load/strings", "read/strings"},
    {"save strings", "save/strings", "read/strings"},
    {"read images", "read/images", nullptr},
    {"write images", "write/images", "read/images"},
    {"load images", "load/images", "read/images"},
    {"save images", "save/images", "read/images"},
};

// For a look at the packages: Strings.pst and Images.pim.
bool writePackages(const std::vector<PkgFile>& files, const QString& dir) {
    if (!QDir().mkpath(dir))
        return false;
    for (const PkgFile& f : files) {
        QFile out(QDir(dir).filePath(QFileInfo(f.Path).fileName()));
        if (!out.open(QIODevice::WriteOnly) || out.write(f.Bytes) != f.Bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Our own flags first; the rest belongs to the benchmark library. Defaults keep the whole run
    // short and interleave the repetitions so that a busy neighbour hurts every figure alike.
    long long labels = 100000, images = 5000, seed = static_cast<long long>(DefaultPkgSeed);
    QString packagesDir;
    if (!StartBenchmarks(argc, argv, [&](const char* arg) {
            if (std::strncmp(arg, "--write_packages=", 17) == 0) {
                packagesDir = QString::fromLocal8Bit(arg + 17);
                return true;
            }
            return TakeFlag(arg, "--labels", labels) || TakeFlag(arg, "--images", images) ||
                   TakeFlag(arg, "--seed", seed);
        }))
        return 2;
    if (labels < 1 || labels > 10'000'000 || images < 1 || images > 1'000'000) {
        std::fprintf(stderr,
                     "usage: %s [--labels=N] [--images=N] [--seed=N] [--write_packages=DIR] "
                     "[benchmark flags]\n",
                     argv[0]);
        return 2;
    }

    QzRegisterRuntimeClasses();
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder: %s\n", qPrintable(dir.errorString()));
        return 1;
    }
    // Packages unregister themselves when freed, so they live in here, not in statics.
    std::vector<PkgFile> files;
    Peaks peaks;
    if (!buildPackages(files, peaks, dir.path(), int(labels), int(images),
                       static_cast<std::uint64_t>(seed)))
        return 1;
    if (!packagesDir.isEmpty() && !writePackages(files, packagesDir)) {
        std::fprintf(stderr, "cannot write the packages to %s\n", qPrintable(packagesDir));
        return 1;
    }
    const std::vector<Phase> phases = definePhases(files);
    measureMemory(phases, peaks);
    registerBenchmarks(phases);
    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto column = [&peaks](const char* title, double Peak::*field) {
        return TBenchColumn{title, [&peaks, field](const TBenchRow& row) {
                                return megabytes(peaks[row.Benchmark].*field);
                            }};
    };
    reporter.printTable(
        "A ratio sets a load or save against reading the same file's bytes in this run.\n"
        "Memory comes from one run of each phase apart from the timing: peak MB is the process's\n"
        "VmHWM (reset just before the phase), +MB its rise over the resident size at the phase's\n"
        "start, kept MB how much more heap is in use after it (the content a load leaves).",
        {column("peak MB", &Peak::PeakMB), column("+MB", &Peak::RiseMB),
         column("kept MB", &Peak::KeptMB)});
    benchmark::Shutdown();
    return 0;
}
