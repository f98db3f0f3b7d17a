// The vars package editor on a package of 20,000 variables in 2,000 folders: opening it (tree
// built, window laid out and painted once), opening it with every folder expanded, and a search
// for a text no name or value holds, which walks every folder and variable. Each is set against
// loading the same package from its file in the same run, so a ratio says how the editor's work
// compares with reading what it shows. Runs offscreen.

#include "BenchReport.h"

#include "QzPkgVars.h"
#include "QzRuntime.h"
#include "QzUi.h"
#include "packages/QzPkgVarsEditor.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Runs each dialog through `Act` and answers every question with OK; the find dialog asks for
// text nothing holds.
class TBenchUi : public TQzUiService {
public:
    std::function<void(QDialog&)> Act;

    int ExecDialog(QDialog& dialog) override {
        dialog.show();
        Act(dialog);
        if (dialog.isVisible())
            dialog.done(1);
        return dialog.result();
    }
    TQzButtonKind Message(const TQzMessageRequest&) override { return bkOk; }
    std::optional<QStringList> FileDialog(const TQzFileRequest&) override { return {}; }
    std::optional<QString> FolderDialog(const QString&, const QString&) override { return {}; }
    std::optional<QColor> ColorDialog(const QColor&) override { return {}; }
    std::optional<QFont> FontDialog(const QFont&) override { return {}; }
    bool PrinterDialog(QPrinter&) override { return false; }
    std::optional<TQzFindRequest> FindDialog(const TQzFindRequest&) override {
        return TQzFindRequest{QStringLiteral("not anywhere"), false, false, true};
    }
};

TBenchUi* Bench = nullptr;
TQzPkgVars* Pkg = nullptr;
QString PkgFile;
qint64 PkgBytes = 0;

// Folders of `subfolders` + 1 under each of `tops`, ten variables of mixed types in each.
void fill(TQzPkgVars& pkg, int tops, int subfolders) {
    int n = 0;
    const auto vars = [&](const QString& folder) {
        for (int v = 0; v < 10; ++v, ++n) {
            const QString path = folder + QStringLiteral("\\Var %1").arg(v);
            switch (n % 4) {
            case 0:
                pkg.Add(path, TQzPkgVarsItem::vtInteger)->SetVInteger(n);
                break;
            case 1:
                pkg.Add(path, TQzPkgVarsItem::vtFloat)->SetVFloat(n / 7.0);
                break;
            case 2:
                pkg.Add(path, TQzPkgVarsItem::vtString)
                    ->SetVString(QStringLiteral("Value %1").arg(n));
                break;
            default:
                pkg.Add(path, TQzPkgVarsItem::vtBoolean)->SetVBoolean(n % 3 == 0);
            }
        }
    };
    for (int t = 0; t < tops; ++t) {
        const QString top = QStringLiteral("Group %1").arg(t, 4, 10, QChar(u'0'));
        pkg.Add(top, TQzPkgVarsItem::vtFolder);
        vars(top);
        for (int s = 0; s < subfolders; ++s) {
            const QString sub = top + QStringLiteral("\\Part %1").arg(s);
            pkg.Add(sub, TQzPkgVarsItem::vtFolder);
            vars(sub);
        }
    }
}

// Opens the editor on the package with `act` run while it is shown.
void openEditor(const std::function<void(QDialog&)>& act) {
    Bench->Act = act;
    TFrPkgVars editor;
    editor.Pkg = Pkg;
    editor.Execute();
}

void paint(QDialog& d) {
    benchmark::DoNotOptimize(d.grab().cacheKey());
}

void registerBenchmarks() {
    const auto add = [](const char* name, std::function<void()> run) {
        benchmark::RegisterBenchmark(name, [run](benchmark::State& state) {
            for (auto _ : state)
                run();
            state.SetBytesProcessed(state.iterations() * PkgBytes);
        })->Unit(benchmark::kMillisecond);
    };
    add("load/vars", [] {
        TQzPkgVars fresh;
        fresh.LoadFromFile(PkgFile);
    });
    add("open/vars", [] { openEditor(paint); });
    add("expand/vars", [] {
        openEditor([](QDialog& d) {
            d.findChild<QTreeView*>(QStringLiteral("TView"))->expandAll();
            paint(d);
        });
    });
    add("find/vars", [] {
        openEditor([](QDialog& d) {
            paint(d);
            d.findChild<QPushButton*>(QStringLiteral("BtFind"))->click();
        });
    });
}

const std::vector<TBenchRow> Rows = {
    {"load package", "load/vars", nullptr},
    {"open editor", "open/vars", "load/vars"},
    {"open, expand all", "expand/vars", "load/vars"},
    {"open, find nothing", "find/vars", "load/vars"},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    long long tops = 200, subfolders = 9;
    if (!StartBenchmarks(argc, argv, [&](const char* arg) {
            return TakeFlag(arg, "--var_groups", tops) ||
                   TakeFlag(arg, "--var_subfolders", subfolders);
        }))
        return 2;
    if (tops < 1 || tops > 100000 || subfolders < 0 || subfolders > 1000) {
        std::fprintf(stderr, "usage: %s [--var_groups=N] [--var_subfolders=N] [benchmark flags]\n",
                     argv[0]);
        return 2;
    }

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QzRegisterRuntimeClasses();
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    TQzPkgVars pkg;
    pkg.SetPkgName(QStringLiteral("Settings"));
    fill(pkg, int(tops), int(subfolders));
    PkgFile = dir.filePath(QStringLiteral("Settings.pvr"));
    pkg.SaveToFile(PkgFile);
    PkgBytes = QFileInfo(PkgFile).size();
    Pkg = &pkg;
    std::printf("vars package: %lld folders, %lld variables, %lld bytes\n", tops * (subfolders + 1),
                tops * (subfolders + 1) * 10, PkgBytes);

    TBenchUi ui;
    Bench = &ui;
    TQzUiService* previous = QzSetUi(&ui);
    registerBenchmarks();
    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable("A ratio sets the editor's work against loading the same package from its "
                        "file in this run\n(above 1: faster than the load).");
    QzSetUi(previous);
    benchmark::Shutdown();
    return 0;
}
