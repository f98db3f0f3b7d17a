// The designer host as design packages and the form bridge see it: the project and its units
// through the module services, units opened in the designer or as text, finding and closing
// them, and loading and unloading design packages.

#include "ComponentStreams.h"
#include "Controls.h"
#include "DesignRegistry.h"
#include "DesignWindows.h"
#include "IdeTestSupport.h"
#include "ObjectStreams.h"

#include <QCoreApplication>
#include <QSignalSpy>

namespace {

QStringList formNames(IOTAProject* project) {
    QStringList names;
    for (int i = 0; i < project->GetModuleCount(); ++i)
        names << project->GetModule(i)->FormName();
    return names;
}

template <typename T>
T* editorOf(IOTAModule* module) {
    for (int i = 0; i < module->GetModuleFileCount(); ++i)
        if (auto* editor = dynamic_cast<T*>(module->GetModuleFileEditor(i)))
            return editor;
    return nullptr;
}

// Remembers what the host tells design windows.
class ClosingWatcher : public TDesignWindow {
public:
    void DesignerClosed(IDesigner* designer) override {
        Closed << designer;
        TDesignWindow::DesignerClosed(designer);
    }
    QList<IDesigner*> Closed;
};

} // namespace

using DesignerHost = DemoCopy;

TEST_F(DesignerHost, ProjectShowsItsGroupProjectAndUnitsThroughTheModuleServices) {
    EXPECT_EQ(IDEServices, FHost.get());
    QSignalSpy opened(FHost.get(), &TQzDesignerHost::ProjectOpened);
    openProject();
    EXPECT_EQ(opened.count(), 1);

    IOTAModuleServices* services = IDEServices->ModuleServices();
    ASSERT_EQ(services->ModuleCount(), 2);
    auto* group = dynamic_cast<IOTAProjectGroup*>(services->Modules(0));
    ASSERT_NE(group, nullptr);
    IOTAProject* project = group->ActiveProject();
    EXPECT_EQ(project, services->Modules(1));
    EXPECT_EQ(project, FHost->ActiveProject());
    EXPECT_EQ(project->FileName(), path(QStringLiteral("Demo.dpr")));

    // "Forms" names a library unit without a path: not part of the project.
    ASSERT_EQ(project->GetModuleCount(), 5);
    EXPECT_EQ(formNames(project).join(u' ').toStdString(),
              "FrmMain FrmCustomers FrmOrders FrmSettings FrmAbout");
    EXPECT_EQ(project->GetModule(2)->Name().toStdString(), "Orders");
    EXPECT_EQ(project->GetModule(2)->FileName(), path(QStringLiteral("Orders.pas")));
    EXPECT_EQ(project->GetModule(5), nullptr);
    EXPECT_EQ(services->Modules(2), nullptr);
}

TEST_F(DesignerHost, PlainUnitsHaveNoFormAndAnotherProjectReplacesTheFirst) {
    writeBytes(QStringLiteral("Tools.dpr"), "program Tools;\n"
                                            "uses\n"
                                            "  SysUtils,\n"
                                            "  Helpers in 'lib/Helpers.pas',\n"
                                            "  Main in 'Main.pas' {FrmMain};\n"
                                            "begin\n"
                                            "end.\n");
    openProject();
    openForm("Main");
    QSignalSpy closed(FHost.get(), &TQzDesignerHost::ProjectClosed);
    QSignalSpy closing(FHost.get(), &TQzDesignerHost::FormClosing);
    FHost->OpenProject(path(QStringLiteral("Tools.dpr")));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(closing.count(), 1);

    IOTAProject* project = FHost->ActiveProject();
    ASSERT_EQ(project->GetModuleCount(), 2);
    EXPECT_EQ(project->GetModule(0)->FormName(), QString());
    EXPECT_EQ(project->GetModule(0)->FileName(), path(QStringLiteral("lib/Helpers.pas")));
    EXPECT_EQ(project->GetModule(1)->FormName(), QStringLiteral("FrmMain"));
    EXPECT_EQ(FHost->ModuleCount(), 2) << "the first project's units are closed with it";

    // A project that cannot be read leaves the open one alone.
    EXPECT_NE(errorOf([&] { FHost->OpenProject(path(QStringLiteral("Nothing.dpr"))); }),
              "no error");
    EXPECT_EQ(FHost->ActiveProject(), project);
}

TEST_F(DesignerHost, OpenedUnitsFollowTheProjectInOpeningOrderWithTheirEditors) {
    openProject();
    QSignalSpy formOpened(FHost.get(), &TQzDesignerHost::FormOpened);
    // Either the form or the unit file name opens the unit.
    TQzFormDesigner* orders = FHost->OpenForm(path(QStringLiteral("Orders.dfm")));
    TQzFormDesigner* main = openForm("Main");
    EXPECT_EQ(FHost->OpenForm(path(QStringLiteral("Orders.pas"))), orders);
    EXPECT_EQ(formOpened.count(), 2);
    EXPECT_EQ(FHost->FormDesigners(), (QList<TQzFormDesigner*>{orders, main}));

    ASSERT_EQ(FHost->ModuleCount(), 4);
    IOTAModule* module = FHost->Modules(2);
    EXPECT_EQ(module->FileName(), path(QStringLiteral("Orders.pas")));
    ASSERT_EQ(module->GetModuleFileCount(), 2);
    auto* source = editorOf<IOTASourceEditor>(module);
    auto* form = editorOf<IOTAFormEditor>(module);
    ASSERT_TRUE(source && form);
    EXPECT_EQ(source->FileName(), path(QStringLiteral("Orders.pas")));
    EXPECT_TRUE(source->Text().contains(QStringLiteral("TFrmOrders = class(TForm)")));
    EXPECT_EQ(form->FileName(), path(QStringLiteral("Orders.dfm")));
    EXPECT_EQ(form->Module(), module);
    ASSERT_NE(form->GetRootComponent(), nullptr);
    EXPECT_EQ(form->GetRootComponent()->GetComponentHandle(), orders->GetRoot());

    // The source editor shows the handlers the designer adds.
    orders->CreateMethod(QStringLiteral("CbPayChange"), QMetaType::fromType<TNotifyEvent>());
    EXPECT_TRUE(source->Text().contains(QStringLiteral("procedure CbPayChange(Sender: TObject);")));
    QSignalSpy modified(orders, &TQzFormDesigner::DesignModified);
    form->MarkModified();
    EXPECT_EQ(modified.count(), 1);
    EXPECT_TRUE(orders->IsModified());
}

TEST_F(DesignerHost, ModulesAreFoundByCleanAbsolutePathsAndClosedWithTheirDesigner) {
    openProject();
    TQzFormDesigner* settings = openForm("Settings");
    IOTAModule* module = FHost->FindModule(path(QStringLiteral("Settings.pas")));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("Settings.dfm"))), module);
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("sub/../Settings.pas"))), module);
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("./Settings.pas"))), module);
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("Demo.dpr"))), FHost->ActiveProject());
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("Main.pas"))), nullptr);
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("Settings.txt"))), nullptr);
    EXPECT_EQ(FHost->FindModule(QString()), nullptr);
    EXPECT_EQ(FHost->FindFormDesigner(path(QStringLiteral("Settings.dfm"))), settings);

    ClosingWatcher window;
    window.SetDesigner(settings);
    QSignalSpy closing(FHost.get(), &TQzDesignerHost::FormClosing);

    // A modified form stays open unless it is forced closed.
    settings->Modified();
    EXPECT_FALSE(module->CloseModule(false));
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("Settings.pas"))), module);
    EXPECT_TRUE(closing.isEmpty());

    EXPECT_TRUE(module->CloseModule(true));
    ASSERT_EQ(closing.count(), 1);
    EXPECT_EQ(closing.first().first().value<TQzFormDesigner*>(), settings);
    EXPECT_EQ(window.Closed, QList<IDesigner*>{settings});
    EXPECT_EQ(window.Designer(), nullptr);
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("Settings.pas"))), nullptr);
    EXPECT_EQ(FHost->FindFormDesigner(path(QStringLiteral("Settings.pas"))), nullptr);
    EXPECT_EQ(FHost->ModuleCount(), 2);
    EXPECT_FALSE(FHost->CloseUnit(path(QStringLiteral("Settings.pas"))));

    // The project's closing closes what is open.
    openForm("Main");
    FHost->OpenUnit(path(QStringLiteral("About.pas")));
    FHost->CloseProject();
    EXPECT_EQ(FHost->ModuleCount(), 0);
    EXPECT_EQ(FHost->ActiveProject(), nullptr);
    EXPECT_EQ(closing.count(), 2);
}

TEST_F(DesignerHost, FormsOpenAsTextInTheSourceEditorInsteadOfTheDesigner) {
    openProject();
    TQzFormDesigner* about = openForm("About");
    QSignalSpy closing(FHost.get(), &TQzDesignerHost::FormClosing);
    FHost->OpenFormAsText(path(QStringLiteral("About.pas")));
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(FHost->FindFormDesigner(path(QStringLiteral("About.pas"))), nullptr);

    // The binary form shows as its text, as the only editor of the unit's module.
    IOTAModule* module = FHost->FindModule(path(QStringLiteral("About.dfm")));
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->GetModuleFileCount(), 1);
    auto* text = dynamic_cast<IOTASourceEditor*>(module->GetModuleFileEditor(0));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->FileName(), path(QStringLiteral("About.dfm")));
    EXPECT_TRUE(text->Text().startsWith(QStringLiteral("object FrmAbout: TFrmAbout")));
    EXPECT_EQ(editorOf<IOTAFormEditor>(module), nullptr);
    EXPECT_EQ(FHost->ModuleCount(), 3);

    // Opening it in the designer again keeps the module where it was.
    about = openForm("About");
    EXPECT_EQ(FHost->Modules(2), FHost->FindModule(path(QStringLiteral("About.pas"))));
    EXPECT_EQ(FHost->Modules(2)->GetModuleFileCount(), 2);
    EXPECT_NE(about->GetRoot(), nullptr);

    // What the form bridge does with a form open as text: close it through its editor.
    FHost->OpenFormAsText(path(QStringLiteral("About.dfm")));
    IOTAEditor* editor = FHost->Modules(2)->GetModuleFileEditor(0);
    EXPECT_TRUE(editor->Module()->CloseModule(true));
    EXPECT_EQ(FHost->ModuleCount(), 2);

    // A missing form opens nothing.
    EXPECT_NE(errorOf([&] { FHost->OpenFormAsText(path(QStringLiteral("Nothing.pas"))); }),
              "no error");
    EXPECT_EQ(FHost->ModuleCount(), 2);

    // A unit opened by itself has its source only.
    FHost->OpenUnit(path(QStringLiteral("Main.pas")));
    IOTAModule* unit = FHost->FindModule(path(QStringLiteral("Main.pas")));
    ASSERT_NE(unit, nullptr);
    ASSERT_EQ(unit->GetModuleFileCount(), 1);
    EXPECT_EQ(unit->GetModuleFileEditor(0)->FileName(), path(QStringLiteral("Main.pas")));
    EXPECT_NE(errorOf([&] { FHost->OpenUnit(path(QStringLiteral("Nothing.pas"))); }), "no error");
}

TEST_F(DesignerHost, SaveAllWritesTheModifiedFormsOnly) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    openForm("Orders");
    const QByteArray orders = readBytes(QStringLiteral("Orders.dfm"));
    writeBytes(QStringLiteral("Main.dfm"), "changed on disk");
    main->Modified();
    FHost->SaveAll();
    EXPECT_FALSE(main->IsModified());
    EXPECT_TRUE(readBytes(QStringLiteral("Main.dfm")).startsWith("object FrmMain: TFrmMain"));
    EXPECT_EQ(readBytes(QStringLiteral("Orders.dfm")), orders);
}

TEST_F(DesignerHost, TheHostIsTheIdeServicesWhileItLives) {
    FHost.reset();
    EXPECT_EQ(IDEServices, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Design packages

namespace {

QStringList packageLog() {
    return qApp->property("QzTestPackageLog").toStringList();
}

QList<TRegistration> registrationsOf(const QString& module) {
    QList<TRegistration> found;
    for (const TRegistration& entry : DesignRegistrations())
        if (entry.Module == module)
            found << entry;
    return found;
}

class DesignPackages : public DemoCopy {
protected:
    void SetUp() override {
        DemoCopy::SetUp();
        qApp->setProperty("QzTestPackageLog", QStringList());
    }
};

} // namespace

TEST_F(DesignPackages, LoadRunsInitThenRegisterAndUnloadWithdrawsWhatItRegistered) {
    const QString name = QStringLiteral("QzTestPackage");
    FHost->LoadPackage(QStringLiteral(QZ_TEST_PACKAGE));
    EXPECT_EQ(packageLog(), (QStringList{"init", "register"}));
    EXPECT_EQ(FHost->LoadedPackages(), QStringList{name});

    const QList<TRegistration> made = registrationsOf(name);
    ASSERT_EQ(made.size(), 2);
    EXPECT_EQ(made[0].Kind, TRegistrationKind::Components);
    EXPECT_EQ(made[0].Page, QStringLiteral("Test Gauges"));
    EXPECT_EQ(made[1].Kind, TRegistrationKind::PropertyEditor);
    EXPECT_EQ(made[1].PropertyName, QStringLiteral("Left"));

    TClass gauge = GetClass(QStringLiteral("TTestGauge"));
    ASSERT_NE(gauge, nullptr) << "palette classes are streamable";
    EXPECT_EQ(PalettePageOf(gauge), QStringLiteral("Test Gauges"));
    const QMetaProperty left = FindPublishedProperty(gauge->Meta, QStringLiteral("Left"));
    TPropertyEditorClass editor = FindPropertyEditorClass(gauge->Meta, left);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->ClassName.endsWith(QStringLiteral("TTestGaugeLeftProperty")));
    // Registrations after Register are no longer the package's.
    RegisterNoIcon({gauge});
    EXPECT_EQ(registrationsOf(name).size(), 2);
    UnregisterModule(QString());

    EXPECT_NE(errorOf([&] {
                  FHost->LoadPackage(QStringLiteral(QZ_TEST_PACKAGE));
              }).find("already loaded"),
              std::string::npos);

    FHost->UnloadPackages();
    EXPECT_EQ(packageLog(), (QStringList{"init", "register", "final"}));
    EXPECT_TRUE(FHost->LoadedPackages().isEmpty());
    EXPECT_TRUE(registrationsOf(name).isEmpty());
    EXPECT_EQ(GetClass(QStringLiteral("TTestGauge")), nullptr);

    // Loaded again, it registers again.
    FHost->LoadPackage(QStringLiteral(QZ_TEST_PACKAGE));
    EXPECT_EQ(registrationsOf(name).size(), 2);
}

TEST_F(DesignPackages, BrokenPackagesAreRefusedAndLeaveNothingBehind) {
    EXPECT_EQ(errorOf([&] {
                  FHost->LoadPackage(path(QStringLiteral("libNothing.so")));
              }).rfind("Cannot load the package", 0),
              0u);

    EXPECT_EQ(errorOf([&] { FHost->LoadPackage(QStringLiteral(QZ_TEST_PACKAGE_NOFINAL)); }),
              "The package QzTestPackageNoFinal has no entry QzPackageFinal");
    EXPECT_TRUE(packageLog().isEmpty()) << "nothing runs in a package that cannot unload";

    EXPECT_EQ(errorOf([&] { FHost->LoadPackage(QStringLiteral(QZ_TEST_PACKAGE_THROWS)); }),
              "Register of the package QzTestPackageThrows failed: The gauge page is broken");
    EXPECT_EQ(packageLog(), (QStringList{"init", "register", "final"}));
    EXPECT_TRUE(registrationsOf(QStringLiteral("QzTestPackageThrows")).isEmpty());
    EXPECT_EQ(GetClass(QStringLiteral("TTestGauge")), nullptr);
    EXPECT_TRUE(FHost->LoadedPackages().isEmpty());
}
