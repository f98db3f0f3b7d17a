// The form converters as a person runs them, whole process: `qzpkg form-to-binary` and
// `qzpkg form-to-text` on one large generated form, and on the forms of the generated corpus,
// beside Free Pascal's converters (the interop tests' fpcconv) on the same files when fpc is
// there. Each figure is the median wall time of the runs; the peak memory is the child's
// largest resident size. The ratio says how many times faster than Free Pascal's the command is.

#include "BenchRandom.h"
#include "BenchReport.h"
#include "FormCorpus.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "ObjectStreams.h"
#include "TextForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// A form of `components` components made only of what Free Pascal's converters read: integers,
// extended floats, strings with #nnn codes, identifiers, sets, binary data, lists of strings and
// collections without item orders.
QByteArray largeForm(int components, std::uint64_t seed) {
    TBenchRandom r(seed);
    const char* const classes[] = {"TLabel", "TEdit", "TButton", "TPanel", "TCheckBox"};
    const char* const colors[] = {"clBtnFace", "clWindow", "clWhite", "clNavy", "clSilver"};
    const char* const words[] = {"Customer", "Order", "Invoice", "Amount", "Date",
                                 "Total",    "Name",  "Number",  "Status", "Price"};
    QByteArray out = "object FrmLarge: TForm\n  Left = 0\n  Top = 0\n  Caption = 'Large'\n";
    for (int i = 0; i < components; ++i) {
        out += "  object C" + QByteArray::number(i) + ": " + r.pick(classes) + '\n';
        for (const char* prop : {"Left", "Top", "Width", "Height"})
            out += QByteArray("    ") + prop + " = " + QByteArray::number(r.range(0, 2000)) + '\n';
        out += QByteArray("    Caption = '") + r.pick(words) + ' ' + r.pick(words) + "'#233'" +
               QByteArray::number(i) + "'\n";
        out += QByteArray("    Color = ") + r.pick(colors) + '\n';
        out += "    Anchors = [akLeft, akTop]\n";
        out += "    TabOrder = " + QByteArray::number(i % 97) + '\n';
        if (r.chance(20))
            out += "    Ratio = 0." + QByteArray::number(r.range(1, 99999)) + '\n';
        if (r.chance(10))
            out += "    Items.Strings = (\n      'one'\n      'two'\n      'three')\n";
        if (r.chance(5))
            out += "    Columns = <\n      item\n        Width = 64\n      end\n      item\n"
                   "        Width = 80\n      end>\n";
        if (r.chance(2)) {
            out += "    Data = {\n";
            for (int row = 0; row < 4; ++row) {
                out += "      ";
                for (int b = 0; b < 32; ++b)
                    out += QByteArray::number(r.range(0, 255), 16).rightJustified(2, '0').toUpper();
                out += '\n';
            }
            out.chop(1);
            out += "}\n";
        }
        out += "  end\n";
    }
    out += "end\n";
    return out;
}

struct TRun {
    double Millis = 0;
    double PeakMb = 0;
    bool Ok = false;
};

// Runs a program to the end, timed, with its peak memory.
TRun run(const QString& program, const QStringList& args) {
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& a : args)
        words.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        // A failed run is counted, not shown: the peer refuses some forms.
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {clock.nsecsElapsed() / 1e6, usage.ru_maxrss / 1024.0,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct TMeasure {
    const char* Label;
    std::vector<double> Millis;
    double PeakMb = 0;
    bool Ok = true;
};

// Seconds to read a form of `count` components into components, the best of `runs`.
double loadSeconds(int count, long long runs) {
    QByteArray text = "object FrmLoad: TForm\n";
    for (int i = 0; i < count; ++i)
        text += "  object C" + QByteArray::number(i) +
                ": TComponent\n    Tag = " + QByteArray::number(i) + "\n  end\n";
    text += "end\n";
    double best = 0;
    for (long long run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        const std::unique_ptr<TComponent> form(ReadComponentText(text));
        const double seconds = clock.nsecsElapsed() / 1e9;
        best = run == 0 ? seconds : std::min(best, seconds);
    }
    return best;
}

bool writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    long long components = 150000, forms = 200, runs = 3,
              seed = static_cast<long long>(DefaultCorpusSeed);
    for (int i = 1; i < argc; ++i)
        if (!TakeFlag(argv[i], "--components", components) &&
            !TakeFlag(argv[i], "--convert_forms", forms) && !TakeFlag(argv[i], "--runs", runs) &&
            !TakeFlag(argv[i], "--seed", seed)) {
            std::fprintf(stderr,
                         "usage: %s [--components=N] [--convert_forms=N] [--runs=N] [--seed=N]\n",
                         argv[0]);
            return 2;
        }
    const QString bin = QCoreApplication::applicationDirPath();
    const QString qzpkg = bin + QStringLiteral("/qzpkg");
    const QString fpcconv = QStringLiteral(QZ_FPCCONV);
    const bool peer = QFile::exists(fpcconv);
    if (!QFile::exists(qzpkg) || runs < 1 || components < 1 || forms < 0) {
        std::fprintf(stderr, "%s: needs qzpkg beside it and positive counts\n", argv[0]);
        return 2;
    }

    QTemporaryDir dir;
    const auto path = [&](const QString& name) {
        return QDir(dir.path()).filePath(name);
    };
    // The forms are made and written, then freed: a child starts out with as much resident
    // memory as this process has when it forks, which would count as the child's peak.
    qint64 textBytes = 0;
    {
        const QByteArray text = largeForm(int(components), std::uint64_t(seed));
        textBytes = text.size();
        if (!writeFile(path("large.txt"), text) ||
            !writeFile(path("large.bin"), ObjectTextToBinary(text))) {
            std::fprintf(stderr, "cannot write the large form\n");
            return 1;
        }
    }
    // The corpus forms both sides read: written by our writer, read back by Free Pascal's in
    // both directions.
    QStringList corpus;
    qint64 corpusBytes = 0;
    {
        const std::vector<QByteArray> generated =
            GenerateFormCorpus(int(forms), std::uint64_t(seed));
        for (std::size_t i = 0; i < generated.size(); ++i) {
            const QString name = path(QStringLiteral("corpus%1.txt").arg(i));
            const QString binary = QString(name).replace(".txt", ".bin");
            if (!writeFile(name, generated[i]) ||
                !writeFile(binary, ObjectTextToBinary(generated[i])))
                return 1;
            if (peer && (!run(fpcconv, {"tobin", name, path("probe.bin")}).Ok ||
                         !run(fpcconv, {"totext", binary, path("probe.txt")}).Ok))
                continue;
            corpus << name;
            corpusBytes += generated[i].size();
        }
    }
    malloc_trim(0);
    std::printf("large form: %lld components, text %.1f MB; corpus: %lld of %lld forms that %s, "
                "text %.1f MB\n%s\n",
                components, textBytes / 1e6, qint64(corpus.size()), forms,
                peer ? "Free Pascal reads too" : "were generated", corpusBytes / 1e6,
                peer ? "peer: Free Pascal's converters (fpcconv)" : "peer: none (fpc not found)");
    std::fflush(stdout);

    TMeasure measures[] = {
        {"large text->binary, qzpkg", {}},  {"large text->binary, fpc", {}},
        {"large binary->text, qzpkg", {}},  {"large binary->text, fpc", {}},
        {"corpus text->binary, qzpkg", {}}, {"corpus text->binary, fpc", {}},
        {"corpus binary->text, qzpkg", {}}, {"corpus binary->text, fpc", {}},
    };
    auto measure = [&](TMeasure& m, const QString& program, const QStringList& args) {
        const TRun r = run(program, args);
        m.Ok = m.Ok && r.Ok;
        m.PeakMb = std::max(m.PeakMb, r.PeakMb);
        return r.Millis;
    };
    // Rounds interleave the tools, so that a busy neighbour hurts both alike.
    for (long long round = 0; round < runs; ++round) {
        for (int direction = 0; direction < 2; ++direction) {
            const bool toBinary = direction == 0;
            const QString in = path(toBinary ? "large.txt" : "large.bin");
            TMeasure& ours = measures[direction * 2];
            ours.Millis.push_back(measure(
                ours, qzpkg, {toBinary ? "form-to-binary" : "form-to-text", in, path("out")}));
            if (peer) {
                TMeasure& theirs = measures[direction * 2 + 1];
                theirs.Millis.push_back(
                    measure(theirs, fpcconv, {toBinary ? "tobin" : "totext", in, path("out")}));
            }
            double oursTotal = 0, theirsTotal = 0;
            TMeasure& oursCorpus = measures[4 + direction * 2];
            TMeasure& theirsCorpus = measures[5 + direction * 2];
            for (QString form : corpus) {
                if (!toBinary)
                    form.replace(".txt", ".bin");
                oursTotal +=
                    measure(oursCorpus, qzpkg,
                            {toBinary ? "form-to-binary" : "form-to-text", form, path("out")});
                if (peer)
                    theirsTotal += measure(theirsCorpus, fpcconv,
                                           {toBinary ? "tobin" : "totext", form, path("out")});
            }
            if (!corpus.isEmpty()) {
                oursCorpus.Millis.push_back(oursTotal);
                if (peer)
                    theirsCorpus.Millis.push_back(theirsTotal);
            }
        }
    }

    std::printf("\n%-28s %10s %10s %14s\n", "", "ms", "peak MB", "x fpc (speed)");
    for (std::size_t i = 0; i < std::size(measures); ++i) {
        const TMeasure& m = measures[i];
        if (m.Millis.empty())
            continue;
        std::printf("%-28s %10.1f %10.1f", m.Label, median(m.Millis), m.PeakMb);
        const TMeasure& theirs = measures[i | 1];
        if (i % 2 == 0 && !theirs.Millis.empty())
            std::printf(" %14.2f", median(theirs.Millis) / median(m.Millis));
        std::printf("%s\n", m.Ok ? "" : "  (a run failed)");
    }
    std::printf("median of %lld runs, whole process; corpus figures are the sum over its forms, "
                "one process each\n",
                runs);

    // Loading into components grows with the number of components, not with its square.
    RegisterClasses<TForm, TComponent>();
    const double small = loadSeconds(10000, runs);
    const double large = loadSeconds(80000, runs);
    std::printf("\nload 10,000 components %.3f s, 80,000 %.3f s: x%.1f for 8x the components\n",
                small, large, large / small);
    return 0;
}
