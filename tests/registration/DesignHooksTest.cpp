// The hooks the package plugs into the runtime, as the runtime's components call them on forms
// open in the designer host: naming, creating and selecting components, reports of changes,
// menu item click handlers and the project folder. Whatever is not being designed has no designer
// and is left alone.

#include "Controls.h"
#include "DemoProject.h"
#include "QzContainers.h"
#include "QzHooks.h"
#include "QzLabels.h"
#include "QzMenus.h"
#include "QzNonVisual.h"

#include <QVariant>

namespace {

QString onClick(TComponent* item) {
    return item->property("OnClick").value<TNotifyEvent>().Name;
}

} // namespace

class DesignHooks : public DemoProject {
protected:
    void SetUp() override {
        DemoProject::SetUp();
        openProject();
        loadPackage();
        FDesigner = FHost->OpenForm(path(QStringLiteral("Main.pas")));
        FRoot = FDesigner->GetRoot();
    }

    TQzFormDesigner* FDesigner = nullptr;
    TComponent* FRoot = nullptr;
};

TEST_F(DesignHooks, ComponentsOnWindowedControlsAreNamedAfterTheirClass) {
    auto* label = new TQzLabel(FRoot);
    QzDsgnCreateUniqueName(label);
    EXPECT_EQ(label->Name(), QStringLiteral("QzLabel1"));
    auto* second = new TQzLabel(FRoot);
    QzDsgnCreateUniqueName(second);
    EXPECT_EQ(second->Name(), QStringLiteral("QzLabel2"));

    // A data module is no windowed control: the name the designer gave stays.
    write(QStringLiteral("DmData.dfm"), "object DmData: TDataModule\nend\n");
    write(QStringLiteral("DmData.pas"), "unit DmData;\n\ninterface\n\ntype\n"
                                        "  TDmData = class(TDataModule)\n  end;\n\n"
                                        "implementation\n\nend.\n");
    TComponent* module = FHost->OpenForm(path(QStringLiteral("DmData.pas")))->GetRoot();
    auto* timer = new TQzTimer(module);
    timer->SetName(QStringLiteral("TmRefresh"));
    QzDsgnCreateUniqueName(timer);
    EXPECT_EQ(timer->Name(), QStringLiteral("TmRefresh"));

    // Made at run time: no designer, no name.
    TForm runtimeForm;
    auto* onRuntimeForm = new TQzLabel(&runtimeForm);
    QzDsgnCreateUniqueName(onRuntimeForm);
    EXPECT_TRUE(onRuntimeForm->Name().isEmpty());
}

TEST_F(DesignHooks, MenuItemClickMakesTheHandlerOnlyWhenItHasNone) {
    const QString unitBefore = FDesigner->UnitText();
    TComponent* save = FRoot->FindComponent(QStringLiteral("MnSave"));
    QzDsgnCreateMethodMenuClick(save);
    EXPECT_EQ(onClick(save), QStringLiteral("MnSaveClick"));
    EXPECT_EQ(FDesigner->UnitText(), unitBefore);
    EXPECT_EQ(FDesigner->ShownMethod(), QStringLiteral("MnSaveClick"));
    EXPECT_EQ(FDesigner->GetSelections(), QList<TPersistent*>{save});
    EXPECT_TRUE(FDesigner->IsModified());

    TComponent* line = FRoot->FindComponent(QStringLiteral("MnFileLine"));
    ASSERT_TRUE(onClick(line).isEmpty());
    QzDsgnCreateMethodMenuClick(line);
    EXPECT_EQ(onClick(line), QStringLiteral("MnFileLineClick"));
    EXPECT_TRUE(FDesigner->MethodExists(QStringLiteral("MnFileLineClick")));
    EXPECT_TRUE(FDesigner->UnitText().contains(QStringLiteral("MnFileLineClick(Sender: TObject)")));
    EXPECT_EQ(FDesigner->ShownMethod(), QStringLiteral("MnFileLineClick"));
    EXPECT_EQ(FDesigner->GetSelections(), QList<TPersistent*>{line});

    // On a form nobody designs nothing is made.
    TForm runtimeForm;
    auto* item = new TQzMenuItem(&runtimeForm);
    item->SetName(QStringLiteral("MnRuntime"));
    QzDsgnCreateMethodMenuClick(item);
    EXPECT_TRUE(onClick(item).isEmpty());
    EXPECT_EQ(FDesigner->ShownMethod(), QStringLiteral("MnFileLineClick"));
}

TEST_F(DesignHooks, SelectCreateAndModifiedReachTheDesignerOfTheComponent) {
    TComponent* item = FRoot->FindComponent(QStringLiteral("MnPrint"));
    TComponent* title = FRoot->FindComponent(QStringLiteral("LbTitle"));
    QzDsgnSelectComponent(item, title);
    EXPECT_EQ(FDesigner->GetSelections(), QList<TPersistent*>{title});

    EXPECT_FALSE(FDesigner->IsModified());
    QzDsgnModified(item);
    EXPECT_TRUE(FDesigner->IsModified());

    auto* header = FRoot->FindComponent(QStringLiteral("PnHeader"));
    const int before = FRoot->ComponentCount();
    TComponent* created = QzDsgnCreateComponent(item, ClassOf<TQzLabel>(), header);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(FRoot->ComponentCount(), before + 1);
    EXPECT_EQ(created->Owner(), FRoot);
    EXPECT_EQ(qobject_cast<TControl*>(created)->Parent(), header);
    EXPECT_FALSE(created->Name().isEmpty());
}

TEST_F(DesignHooks, ComponentsMadeAtRunTimeHaveNoDesigner) {
    TForm runtimeForm;
    auto* label = new TQzLabel(&runtimeForm);
    QzDsgnSelectComponent(label, label);
    QzDsgnModified(label);
    EXPECT_EQ(QzDsgnCreateComponent(label, ClassOf<TQzLabel>(), &runtimeForm), nullptr);
    EXPECT_EQ(runtimeForm.ComponentCount(), 1);
    EXPECT_TRUE(FDesigner->GetSelections().isEmpty());
    EXPECT_FALSE(FDesigner->IsModified());
}

TEST_F(DesignHooks, ProjectFolderIsTheProjectFilesFolder) {
    EXPECT_EQ(QzDsgnGetProyectName(), FDir.path() + u'/');
}
