// The designer on a large form (2,000 labels on 100 panels by default): a property change
// recorded as an undo step (the form written to text and the unit kept in step), an undo and a
// redo (the form read back from its recorded text each time), and the form painted as it looks
// at run time. Each is set against opening the same form in the designer in the same run, so a
// ratio says how a step of work compares with reading the form. Runs offscreen.

#include "BenchReport.h"

#include "Controls.h"
#include "QzDesignerHost.h"
#include "QzFormDesigner.h"
#include "QzFormDrawing.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

QString UnitFile;
// The label the changes move, on the middle panel.
QString Target;
qint64 FormBytes = 0;
TQzDesignerHost* Host = nullptr;

// A form of `panels` panels with `labels` labels each, and the unit declaring them.
bool writeProject(const QString& dir, int panels, int labels) {
    QByteArray form = "object FrmBig: TFrmBig\n  Width = 1200\n  Height = 900\n";
    QByteArray fields;
    for (int p = 0; p < panels; ++p) {
        form += QStringLiteral("  object PnPart%1: TQzPanel\n    Left = %2\n    Top = %3\n"
                               "    Width = 110\n    Height = 80\n")
                    .arg(p)
                    .arg(p % 10 * 115)
                    .arg(p / 10 * 85)
                    .toLatin1();
        fields += QStringLiteral("    PnPart%1: TQzPanel;\n").arg(p).toLatin1();
        for (int l = 0; l < labels; ++l) {
            form += QStringLiteral("    object LbPart%1_%2: TQzLabel\n      Left = %3\n"
                                   "      Top = %4\n      Tag = %5\n    end\n")
                        .arg(p)
                        .arg(l)
                        .arg(l % 4 * 26)
                        .arg(l / 4 * 15)
                        .arg(p * labels + l)
                        .toLatin1();
            fields += QStringLiteral("    LbPart%1_%2: TQzLabel;\n").arg(p).arg(l).toLatin1();
        }
        form += "  end\n";
    }
    form += "end\n";
    const QByteArray unit = "unit Big;\ninterface\ntype\n  TFrmBig = class(TForm)\n" + fields +
                            "  end;\nimplementation\nend.\n";
    QFile dfm(dir + QStringLiteral("/Big.dfm"));
    QFile pas(dir + QStringLiteral("/Big.pas"));
    if (!dfm.open(QIODevice::WriteOnly) || !pas.open(QIODevice::WriteOnly))
        return false;
    FormBytes = dfm.write(form);
    pas.write(unit);
    return true;
}

TQzFormDesigner* openForm() {
    return Host->OpenForm(UnitFile);
}

void registerBenchmarks() {
    const auto add = [](const char* name, std::function<void(benchmark::State&)> run) {
        benchmark::RegisterBenchmark(name, [run](benchmark::State& state) {
            run(state);
            state.SetBytesProcessed(state.iterations() * FormBytes);
        })->Unit(benchmark::kMillisecond);
    };
    add("open/form", [](benchmark::State& state) {
        for (auto _ : state) {
            openForm();
            Host->CloseUnit(UnitFile);
        }
    });
    add("change/step", [](benchmark::State& state) {
        TQzFormDesigner* designer = openForm();
        int left = 0;
        for (auto _ : state) {
            auto* label = qobject_cast<TControl*>(designer->GetComponent(Target));
            label->SetLeft(++left % 40);
            designer->Modified();
            designer->CommitChanges();
        }
        Host->CloseUnit(UnitFile);
    });
    add("undo+redo/step", [](benchmark::State& state) {
        TQzFormDesigner* designer = openForm();
        auto* label = qobject_cast<TControl*>(designer->GetComponent(Target));
        label->SetLeft(33);
        designer->Modified();
        designer->CommitChanges();
        for (auto _ : state) {
            designer->Undo();
            designer->Redo();
        }
        Host->CloseUnit(UnitFile);
    });
    add("paint/form", [](benchmark::State& state) {
        TQzFormDesigner* designer = openForm();
        const QWidget widget;
        const TQzFormDrawing drawing(designer->GetRoot());
        QImage image(drawing.Size(), QImage::Format_ARGB32_Premultiplied);
        for (auto _ : state) {
            QPainter painter(&image);
            drawing.Paint(painter, widget);
        }
        Host->CloseUnit(UnitFile);
    });
}

const std::vector<TBenchRow> Rows = {
    {"open form", "open/form", nullptr},
    {"change, one undo step", "change/step", "open/form"},
    {"undo and redo", "undo+redo/step", "open/form"},
    {"paint the form", "paint/form", "open/form"},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    long long panels = 100, labels = 20;
    if (!StartBenchmarks(argc, argv, [&](const char* arg) {
            return TakeFlag(arg, "--form_panels", panels) || TakeFlag(arg, "--form_labels", labels);
        }))
        return 2;
    if (panels < 1 || panels > 10000 || labels < 8 || labels > 1000) {
        std::fprintf(stderr,
                     "usage: %s [--form_panels=N] [--form_labels=N (8 or more)] "
                     "[benchmark flags]\n",
                     argv[0]);
        return 2;
    }

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !writeProject(dir.path(), int(panels), int(labels))) {
        std::fprintf(stderr, "cannot write the form to a temporary folder\n");
        return 1;
    }
    UnitFile = dir.filePath(QStringLiteral("Big.pas"));
    Target = QStringLiteral("LbPart%1_7").arg(panels / 2);
    std::printf("form: %lld panels, %lld labels, %lld bytes\n", panels, panels * labels, FormBytes);

    TQzDesignerHost host;
    Host = &host;
    registerBenchmarks();
    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable("A ratio sets the designer's work against opening the same form in this "
                        "run\n(above 1: faster than opening it).");
    benchmark::Shutdown();
    return 0;
}
