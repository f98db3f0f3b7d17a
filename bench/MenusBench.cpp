// How the menus editor keeps up with a large menu: 2,046 items in five levels on a form open in the
// designer. Every change on the form tells every open menus editor, which brings its tree in step
// by change; the figures set that refresh, and the editor's own commands, against opening the
// editor, which builds the whole tree, in the same run.

#include "BenchReport.h"
#include "QzFormDesigner.h"
#include "QzMenus.h"
#include "QzRuntime.h"
#include "controls/QzMenusEditor.h"
#include "registration/QzPackage.h"
#include "registration/QzRegister.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// Items under each item, level by level; the top level has the first count.
const int Branching[] = {6, 4, 4, 4, 4};

TQzFormDesigner* Designer = nullptr;
TQzMainMenu* Menu = nullptr;
int ItemCount = 0;

void addLevel(TQzMenuItem* parent, int level, TComponent* form) {
    if (level >= int(std::size(Branching)))
        return;
    for (int i = 0; i < Branching[level]; ++i) {
        auto* item = new TQzMenuItem(form);
        item->SetName(QStringLiteral("Mn%1").arg(++ItemCount));
        item->FCaption = QStringLiteral("Item %1").arg(ItemCount);
        item->SetDesigning(true);
        parent->Add(item);
        addLevel(item, level + 1, form);
    }
}

// Opening the editor: the window and every node of the tree.
void BM_Open(benchmark::State& state) {
    for (auto _ : state) {
        auto editor = std::make_unique<TFrMenus>();
        editor->SetMenu(Menu);
        editor->SetDesigner(Designer);
        editor->Execute();
        benchmark::DoNotOptimize(editor->Tree()->topLevelItemCount());
    }
    state.SetBytesProcessed(state.iterations() * ItemCount);
}

// The same editor, open, told of a change elsewhere on the form.
void BM_Refresh(benchmark::State& state) {
    TFrMenus* editor = TFrMenus::ShowMenusEditor(Menu, Designer);
    for (auto _ : state)
        editor->ItemsModified(Designer);
    state.SetBytesProcessed(state.iterations() * ItemCount);
}

// A caption changed from the object inspector: the designer tells the editor.
void BM_Rename(benchmark::State& state) {
    TFrMenus* editor = TFrMenus::ShowMenusEditor(Menu, Designer);
    TQzMenuItem* item = Menu->Items()->Items(2)->Items(1)->Items(3);
    int n = 0;
    for (auto _ : state) {
        item->FCaption = QStringLiteral("Renamed %1").arg(++n);
        Designer->Modified();
    }
    benchmark::DoNotOptimize(editor);
    state.SetBytesProcessed(state.iterations() * ItemCount);
}

// Adding an item four levels down through the editor, and deleting it again.
void BM_AddDelete(benchmark::State& state) {
    TFrMenus* editor = TFrMenus::ShowMenusEditor(Menu, Designer);
    QTreeWidgetItem* deep = editor->NodeOf(Menu->Items()->Items(3)->Items(2)->Items(1)->Items(0));
    for (auto _ : state) {
        editor->Tree()->setCurrentItem(deep);
        editor->InsertItem();
        editor->DeleteItem();
    }
    state.SetBytesProcessed(state.iterations() * ItemCount);
}

const std::vector<TBenchRow> Rows{
    {"open (baseline)", "BM_Open", nullptr},
    {"refresh", "BM_Refresh", "BM_Open"},
    {"rename", "BM_Rename", "BM_Open"},
    {"add and delete", "BM_AddDelete", "BM_Open"},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Offscreen windows cannot be raised, and the platform says so for every window shown: noise
    // between the figures.
    static const QtMessageHandler shown = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(u"This plugin does not support"))
                shown(type, context, text);
        });
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (!StartBenchmarks(argc, argv))
        return 2;

    QzRegisterRuntimeClasses();
    QzPackageInit();
    Register();
    QTemporaryDir dir;
    QFile form(dir.filePath(QStringLiteral("Unit1.dfm")));
    if (!dir.isValid() || !form.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write a form in a temporary folder\n");
        return 1;
    }
    form.write("object Form1: TForm\n  object MmBig: TQzMainMenu\n  end\nend\n");
    form.close();
    auto designer =
        std::make_unique<TQzFormDesigner>(nullptr, dir.filePath(QStringLiteral("Unit1.pas")));
    Designer = designer.get();
    Menu = qobject_cast<TQzMainMenu*>(designer->GetRoot()->FindComponent("MmBig"));
    addLevel(Menu->Items(), 0, designer->GetRoot());

    benchmark::RegisterBenchmark("BM_Open", BM_Open);
    benchmark::RegisterBenchmark("BM_Refresh", BM_Refresh);
    benchmark::RegisterBenchmark("BM_Rename", BM_Rename);
    benchmark::RegisterBenchmark("BM_AddDelete", BM_AddDelete);
    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable(
        "Here a byte is one item of the menu (2,046 items in five levels): MB/s reads as millions\n"
        "of the menu's items an operation keeps up with a second. A ratio sets an operation on "
        "the\n"
        "open editor against opening the editor, which builds the whole tree; above 1 is faster.");
    benchmark::Shutdown();
    designer.reset();
    QzPackageFinal();
    return 0;
}
