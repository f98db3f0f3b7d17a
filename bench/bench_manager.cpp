// The Packages Manager's Scan and Scan Counter over a generated project of text forms, end to
// end: every form file read from disk, every line scanned, the result list built. Each figure is
// set against `grep -c PkgName` over the same files, run in the same rounds, so that the ratio
// says how much more than a plain text search the Manager costs on this machine. Both commands
// run with the type-resolution cache and without it. The peak memory of the whole run ends the
// report.

#include "BenchReport.h"
#include "ManagerCorpus.h"

#include "QzCApplication.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "manager/core/QzManagerFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace {

// Counts what the passes report instead of showing it.
class TQuietFeedback : public IQzManagerFeedback {
public:
    void Message(TQzManagerMessageType, const QString&) override { ++Messages; }
    bool ShowsProgress() const override { return false; }
    int Messages = 0;
};

// The application and packages the corpus refers to; each has fewer items than the corpus
// draws ids from.
struct TWorld {
    TWorld() {
        QzRegisterRuntimeClasses();
        App = std::make_unique<TQzCApplication>();
        TQzPkgStrings* user = App->PkgLanguage()->UserStrings();
        for (int id = 1; id <= CorpusLabelIds * 7 / 8; ++id) {
            user->Labels()->Add(id, QStringLiteral("Label %1").arg(id));
            user->Texts()->Add(id, QStringLiteral("Text %1").arg(id));
            user->Messages()->Add(id, QStringLiteral("Message %1").arg(id));
        }
        Common = std::make_unique<TQzPkgStrings>();
        Common->SetPkgName(QStringLiteral("Common"));
        for (int id = 1; id <= CorpusLabelIds / 4; ++id)
            Common->Labels()->Add(id, QStringLiteral("Common %1").arg(id));
        Icons = std::make_unique<TQzPkgImages>();
        Icons->SetPkgName(QStringLiteral("Icons"));
        for (int id = 1; id <= CorpusImageIds * 7 / 8; ++id)
            Icons->Images()->Add(id);
        TQzPkgDisplay* display = App->PkgDisplay();
        for (const QString& name : CorpusSets) {
            auto* background = display->SetsBackGround()->Add(name);
            background->Image()->PkgId(QStringLiteral("Icons"), 1);
            background->DescriptionId()->PkgId(QStringLiteral("User"), 7);
            display->SetsColor()->Add(name);
            display->SetsFont()->Add(name);
        }
        for (int id = 1; id <= CorpusPrivilegeIds * 3 / 4; ++id)
            App->Privileges()->Add(id)->DescriptionId()->PkgId(QStringLiteral("User"), id);
    }
    std::unique_ptr<TQzCApplication> App;
    std::unique_ptr<TQzPkgStrings> Common;
    std::unique_ptr<TQzPkgImages> Icons;
};

struct TMeasure {
    TMeasure(const char* label, std::function<qint64(TMeasure&)> run)
        : Label(label), Run(std::move(run)) {}
    const char* Label;
    // Runs once and returns the number of results; may note the messages in the measure.
    std::function<qint64(TMeasure&)> Run;
    std::vector<double> Millis;
    qint64 Results = 0;
    int Messages = 0;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    long long forms = 1000, runs = 5, seed = static_cast<long long>(DefaultManagerSeed);
    QString keep;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--write_project=", 16) == 0)
            keep = QString::fromLocal8Bit(argv[i] + 16);
        else if (!TakeFlag(argv[i], "--forms", forms) && !TakeFlag(argv[i], "--runs", runs) &&
                 !TakeFlag(argv[i], "--seed", seed)) {
            std::fprintf(stderr,
                         "usage: %s [--forms=N] [--runs=N] [--seed=N] [--write_project=DIR]\n",
                         argv[0]);
            return 2;
        }
    }
    const QString grep = QStandardPaths::findExecutable(QStringLiteral("grep"));
    if (forms < 1 || runs < 1 || grep.isEmpty()) {
        std::fprintf(stderr, "%s: needs --forms and --runs of at least 1, and grep\n", argv[0]);
        return 2;
    }

    QTemporaryDir temporary;
    const QString dir = keep.isEmpty() ? temporary.path() : keep;
    const TManagerCorpus corpus =
        WriteManagerCorpus(dir, int(forms), static_cast<std::uint64_t>(seed));
    if (corpus.Files.size() != forms) {
        std::fprintf(stderr, "cannot write the corpus to %s\n", qPrintable(dir));
        return 1;
    }
    std::printf("corpus (seed %#llx): %lld forms, %lld lines, %.1f MB, %lld references, %lld "
                "components of unknown classes\n",
                static_cast<unsigned long long>(seed), forms, corpus.Lines, corpus.Bytes / 1e6,
                corpus.References, corpus.UnknownObjects);
    std::fflush(stdout);

    TWorld world;
    const QStringList counted = {QStringLiteral("User"), QStringLiteral("Common")};
    std::vector<TMeasure> measures;
    measures.push_back(
        {"grep -c PkgName", [&](TMeasure&) -> qint64 {
             QProcess process;
             process.start(grep, QStringList{QStringLiteral("-c"), QStringLiteral("PkgName")} +
                                     corpus.Files);
             process.waitForFinished(-1);
             qint64 total = 0;
             for (const QByteArray& line : process.readAllStandardOutput().split('\n'))
                 total += line.mid(line.lastIndexOf(':') + 1).toLongLong();
             return total;
         }});
    auto engineRun = [&](bool counter, bool cache) {
        return [&, counter, cache](TMeasure& self) -> qint64 {
            TQzManagerFileForms files(corpus.Files);
            TQuietFeedback feedback;
            TQzManagerEngine engine(files, feedback);
            engine.SetTypeCache(cache);
            if (counter)
                engine.Counter(dlmLabels, counted);
            else
                engine.Scan(dlmLabels, QStringLiteral("User"), QStringLiteral("7"));
            self.Messages = feedback.Messages;
            return qint64(engine.Lines().size());
        };
    };
    measures.push_back({"Scan", engineRun(false, true)});
    measures.push_back({"Scan, no cache", engineRun(false, false)});
    measures.push_back({"Scan Counter", engineRun(true, true)});
    measures.push_back({"Scan Counter, no cache", engineRun(true, false)});

    // Rounds interleave the measures, so that a busy neighbour hurts every figure alike.
    for (long long round = 0; round < runs; ++round) {
        for (TMeasure& m : measures) {
            QElapsedTimer clock;
            clock.start();
            m.Results = m.Run(m);
            m.Millis.push_back(clock.nsecsElapsed() / 1e6);
        }
    }

    const double base = median(measures[0].Millis);
    std::printf("\n%-24s %10s %21s %9s %9s %9s\n", "", "ms", "(min - max)", "x grep", "results",
                "messages");
    for (const TMeasure& m : measures)
        std::printf("%-24s %10.1f (%8.1f - %8.1f) %9.2f %9lld %9d\n", m.Label, median(m.Millis),
                    *std::min_element(m.Millis.begin(), m.Millis.end()),
                    *std::max_element(m.Millis.begin(), m.Millis.end()), median(m.Millis) / base,
                    m.Results, m.Messages);
    std::printf("median of %lld rounds, wall time; grep's results are its matching lines, the "
                "Manager's its result lines\n(Scan: label 7 of User; Scan Counter: the labels of "
                "User and Common).\npeak memory of the run: %.1f MB\n",
                runs, peakMegabytes());
    return 0;
}
