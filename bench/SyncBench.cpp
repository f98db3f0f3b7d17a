// The package synchronizer on two strings package files of a hundred thousand labels each, half
// of them on both sides: "Synchronize to" the second file with "Add new items" and "Delete
// nonexistent items" (read both files, merge, write the second), against reading the same two
// files and writing the second without merging, in the same run. Every figure counts the bytes of
// both files, so a ratio is the baseline's time over the phase's.

#include "BenchReport.h"
#include "FileWrite.h"
#include "LabelsFlags.h"
#include "PkgCorpus.h"

#include "QzExcept.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "manager/core/QzPkgSync.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

struct TFiles {
    QString Source;
    QString Target;
    QByteArray TargetBytes;
    qint64 Bytes = 0;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Labels [0, n) of a generated package go to the source, [n/2, 3n/2) to the target.
bool buildFiles(TFiles& files, const QString& dir, int labels, std::uint64_t seed) {
    TQzPkgStrings all;
    FillStringsPackage(all, labels + labels / 2, seed);
    TQzPkgStrings source;
    TQzPkgStrings target;
    source.SetPkgName(QStringLiteral("Source"));
    target.SetPkgName(QStringLiteral("Target"));
    TQzPkgStringsLabels* list = all.Labels();
    for (int i = 0; i < list->Count(); ++i) {
        const TQzPkgStringsLabel* label = list->GetItems(i);
        if (i < labels)
            source.Labels()->Add(label->Id(), label->Text(), label->Hint());
        if (i >= labels / 2)
            target.Labels()->Add(label->Id(), label->Text(), label->Hint());
    }
    files.Source = dir + QStringLiteral("/Source.pst");
    files.Target = dir + QStringLiteral("/Target.pst");
    try {
        source.SaveToFile(files.Source);
        target.SaveToFile(files.Target);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        return false;
    }
    files.TargetBytes = readAll(files.Target);
    files.Bytes = readAll(files.Source).size() + files.TargetBytes.size();
    std::printf("two strings packages of %d labels, %d on both sides; files %.1f MB together\n",
                labels, labels - labels / 2, files.Bytes / 1e6);
    std::fflush(stdout);
    return true;
}

// Each run starts from the target as it was generated; putting it back is not counted.
void registerBenchmark(const char* name, const TFiles& files, std::function<void()> run) {
    benchmark::RegisterBenchmark(name, [&files, run](benchmark::State& state) {
        for (auto _ : state) {
            state.PauseTiming();
            WriteFileAtomic(files.Target, files.TargetBytes);
            state.ResumeTiming();
            run();
        }
        state.SetBytesProcessed(state.iterations() * files.Bytes);
    })->Unit(benchmark::kMillisecond);
}

const std::vector<TBenchRow> Rows = {
    {"load and save", "files/load-save", nullptr},
    {"sync to", "sync/to", "files/load-save"},
    {"sync from", "sync/from", "files/load-save"},
};

} // namespace

int main(int argc, char** argv) {
    TLabelsFlags flags;
    if (!StartLabelsBenchmark(argc, argv, 2, flags))
        return 2;

    QzRegisterRuntimeClasses();
    QTemporaryDir dir;
    TFiles files;
    if (!dir.isValid() || !buildFiles(files, dir.path(), int(flags.Labels), flags.Seed))
        return 1;
    TQzSyncOptions options;
    options.AddItems = true;
    options.DeleteItems = true;

    registerBenchmark("files/load-save", files, [&files] {
        const std::unique_ptr<TQzPkgInfo> source = QzSyncLoadFile(files.Source);
        const std::unique_ptr<TQzPkgInfo> target = QzSyncLoadFile(files.Target);
        target->SaveToFile(files.Target);
        benchmark::DoNotOptimize(source.get());
    });
    // What `qzpkg sync Source.pst Target.pst --to --add --delete` does.
    registerBenchmark("sync/to", files, [&files, options] {
        const std::unique_ptr<TQzPkgInfo> source = QzSyncLoadFile(files.Source);
        QzSyncToFile(*source, files.Target, options);
    });
    // What `qzpkg sync Target.pst Source.pst --from --add --delete` does.
    registerBenchmark("sync/from", files, [&files, options] {
        const std::unique_ptr<TQzPkgInfo> target = QzSyncLoadFile(files.Target);
        QzSyncFromFile(*target, files.Source, options);
        target->SaveToFile(files.Target);
    });

    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable("A ratio is the load and save's time over the synchronisation's (1 = no "
                        "dearer than reading\nboth files and writing one back).");
    benchmark::Shutdown();
    return 0;
}
