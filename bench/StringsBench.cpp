// What the string translators do before they show anything: build the merged id list of the
// package translated and the file beside it. Two generated strings packages of 100,000 labels
// each (ids drawn apart, so they overlap in part) are read from their files, and the merge is set
// against reading the files' bytes and against loading both packages, in the same run. (The
// figures are MB of both files a second, whatever the phase does with them.)

#include "BenchReport.h"
#include "PkgCorpus.h"

#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "packages/core/QzStringsMerge.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct TStringsFiles {
    QString Paths[2];
    // Loaded once for the merge; the load phase makes its own.
    std::unique_ptr<TQzPkgStrings> Packages[2];
};

const std::vector<TBenchRow> Rows = {
    {"read both files", "read/both", nullptr},
    {"load both packages", "load/both", "read/both"},
    {"merged id list", "merge/labels", "read/both"},
    {"merged id list vs load", "merge/labels", "load/both"},
};

} // namespace

int main(int argc, char** argv) {
    long long labels = 100000, seed = static_cast<long long>(DefaultPkgSeed);
    if (!StartBenchmarks(argc, argv, [&](const char* arg) {
            return TakeFlag(arg, "--labels", labels) || TakeFlag(arg, "--seed", seed);
        }))
        return 2;
    if (labels < 1 || labels > 10'000'000) {
        std::fprintf(stderr, "usage: %s [--labels=N] [--seed=N] [benchmark flags]\n", argv[0]);
        return 2;
    }

    QzRegisterRuntimeClasses();
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    TStringsFiles files;
    for (int i = 0; i < 2; ++i) {
        TQzPkgStrings generated;
        FillStringsPackage(generated, int(labels), static_cast<std::uint64_t>(seed) + i);
        files.Paths[i] = dir.filePath(QStringLiteral("Strings%1.pst").arg(i));
        generated.SaveToFile(files.Paths[i]);
        files.Packages[i] = std::make_unique<TQzPkgStrings>();
        files.Packages[i]->LoadFromFile(files.Paths[i]);
    }
    const std::size_t merged =
        QzMergedIds(files.Packages[0]->Labels(), files.Packages[1]->Labels()).size();
    const qint64 bytes = readAll(files.Paths[0]).size() + readAll(files.Paths[1]).size();
    std::printf("%lld labels a side, %zu ids merged (%lld on both sides), %.1f MB of files\n\n",
                labels, merged, 2 * labels - static_cast<long long>(merged), bytes / 1e6);

    benchmark::RegisterBenchmark("read/both", [&files, bytes](benchmark::State& state) {
        for (auto _ : state)
            for (const QString& path : files.Paths)
                benchmark::DoNotOptimize(readAll(path));
        state.SetBytesProcessed(state.iterations() * bytes);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("load/both", [&files, bytes](benchmark::State& state) {
        for (auto _ : state)
            for (const QString& path : files.Paths) {
                TQzPkgStrings pkg;
                pkg.LoadFromFile(path);
                benchmark::DoNotOptimize(pkg.Labels()->Count());
            }
        state.SetBytesProcessed(state.iterations() * bytes);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("merge/labels", [&files, bytes](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(
                QzMergedIds(files.Packages[0]->Labels(), files.Packages[1]->Labels()));
        state.SetBytesProcessed(state.iterations() * bytes);
    })->Unit(benchmark::kMillisecond);

    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable(
        "Every figure is the files' bytes over the time taken, so a ratio is the baseline's time\n"
        "over this one's, in this run: above 1, it takes less time than its baseline.");
    benchmark::Shutdown();
    return 0;
}
