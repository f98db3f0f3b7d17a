// The form bridge the Packages Manager reads the project through: the project's forms, each
// form's text (live from the designer, or from its file), writing text back as a form file, and
// the broken preconditions it refuses.

#include "Controls.h"
#include "DemoProject.h"
#include "ObjectStreams.h"
#include "QzLabels.h"
#include "SysUtils.h"
#include "manager/QzPortDsgn.h"

#include "../support/StoredFormTexts.h"

#include <functional>
#include <regex>
#include <vector>

namespace {

QStringList linesOf(const QByteArray& text) {
    QStringList lines = QString::fromUtf8(text).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

// The message of the assertion failure `f` raises, or "no assertion failure".
std::string assertionOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EAssertionFailed& e) {
        return e.Message().toStdString();
    }
    return "no assertion failure";
}

bool isBridgeAssertion(const std::string& message) {
    static const std::regex pattern(R"(Assertion failure \(QzPortDsgn\.cpp, line [0-9]+\))");
    return std::regex_match(message, pattern);
}

} // namespace

class Bridge : public DemoProject {
protected:
    // The project with a plain unit (no form) among its forms.
    void openProjectWithPlainUnit() {
        QByteArray project = read(QStringLiteral("Demo.dpr"));
        project.replace("  Forms,\n", "  Forms,\n  Tools in 'Tools.pas',\n");
        write(QStringLiteral("Demo.dpr"), project);
        write(QStringLiteral("Tools.pas"), "unit Tools;\n\ninterface\n\nimplementation\n\nend.\n");
        openProject();
    }

    // Form text read through the bridge; fails the test when there is none.
    TFormFileText formText(const QString& name) {
        TFormFileText text;
        EXPECT_TRUE(QzHostFormToFormText(path(name), text)) << name.toStdString();
        return text;
    }
};

TEST_F(Bridge, ListsTheProjectsFormsInOrderWithoutPlainUnits) {
    openProjectWithPlainUnit();
    EXPECT_EQ(QzGetProjectName(), path(QStringLiteral("Demo.dpr")));
    EXPECT_EQ(QzGetModuleCount(), 6);
    EXPECT_EQ(QzGetFormCount(), 5);

    QStringList names{QStringLiteral("kept")};
    QzGetFormNames(names);
    QStringList expected{QStringLiteral("kept")};
    for (const char* form : {"Main", "Customers", "Orders", "Settings", "About"})
        expected << path(QString::fromLatin1(form) + QStringLiteral(".dfm"));
    EXPECT_EQ(names, expected);
}

TEST_F(Bridge, OutsideTheDesignerThereIsNoProjectButFormFilesStillRead) {
    FHost.reset();
    EXPECT_EQ(QzGetProjectName(), QString());
    EXPECT_EQ(QzGetModuleCount(), 0);
    EXPECT_EQ(QzGetFormCount(), 0);
    QStringList names{QStringLiteral("kept")};
    QzGetFormNames(names);
    EXPECT_EQ(names, QStringList{QStringLiteral("kept")});
    EXPECT_EQ(QzHostDesignForm(path(QStringLiteral("Orders.pas"))), nullptr);

    const TFormFileText text = formText(QStringLiteral("Orders.pas"));
    EXPECT_EQ(text.Lines(), linesOf(read(QStringLiteral("Orders.dfm"))));
    EXPECT_EQ(text.Format(), TFormFileFormat::Text);
}

TEST_F(Bridge, FormInTheDesignerIsReadLiveWithNamesForUnnamedComponents) {
    openProject();
    const QByteArray stored = read(QStringLiteral("Orders.dfm"));
    TComponent* root = FHost->OpenForm(path(QStringLiteral("Orders.pas")))->GetRoot();
    EXPECT_EQ(QzHostDesignForm(path(QStringLiteral("Orders.pas"))), root);
    EXPECT_EQ(QzHostDesignForm(path(QStringLiteral("Orders.dfm"))), root);
    EXPECT_EQ(QzHostDesignForm(path(QStringLiteral("Main.pas"))), nullptr);

    // Unsaved changes: a new tag and a control nobody named yet.
    root->SetTag(4711);
    auto* label = new TQzLabel(root);
    label->SetParent(qobject_cast<TWinControl*>(root));

    const TFormFileText text = formText(QStringLiteral("Orders.dfm"));
    const QStringList& lines = text.Lines();
    EXPECT_EQ(text.Format(), TFormFileFormat::Binary);
    // The text names the form's own class, as its file does.
    EXPECT_EQ(lines.value(0), QStringLiteral("object FrmOrders: TFrmOrders"));
    EXPECT_EQ(label->Name(), QStringLiteral("QzLabel1"));
    EXPECT_TRUE(lines.contains(QStringLiteral("  Tag = 4711")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  object QzLabel1: TQzLabel")));
    for (const QString& line : lines)
        EXPECT_FALSE(line.trimmed().startsWith(QStringLiteral("object :"))) << line.toStdString();
    EXPECT_EQ(read(QStringLiteral("Orders.dfm")), stored);
}

TEST_F(Bridge, FormOpenAsTextIsClosedAndReadFromItsFile) {
    openProject();
    FHost->OpenFormAsText(path(QStringLiteral("Settings.dfm")));
    ASSERT_NE(FHost->FindModule(path(QStringLiteral("Settings.pas"))), nullptr);

    EXPECT_EQ(formText(QStringLiteral("Settings.pas")).Lines(),
              linesOf(read(QStringLiteral("Settings.dfm"))));
    EXPECT_EQ(FHost->FindModule(path(QStringLiteral("Settings.pas"))), nullptr);
}

TEST_F(Bridge, UnitOpenWithoutItsFormReadsTheFormFile) {
    openProject();
    FHost->OpenUnit(path(QStringLiteral("About.pas")));
    EXPECT_EQ(QzHostDesignForm(path(QStringLiteral("About.pas"))), nullptr);
    const TFormFileText text = formText(QStringLiteral("About.pas"));
    EXPECT_EQ(text.Lines(), linesOf(FormFileToText(read(QStringLiteral("About.dfm")))));
    EXPECT_EQ(text.Format(), TFormFileFormat::Resource);
}

TEST_F(Bridge, StoredFormsAreReadInTheirFormatAndWrittenBackInIt) {
    openProject();
    // A text form stays text: not a byte changes.
    const QByteArray orders = read(QStringLiteral("Orders.dfm"));
    const TFormFileText text = formText(QStringLiteral("Orders.dfm"));
    EXPECT_EQ(text.Lines(), linesOf(orders));
    EXPECT_TRUE(QzHostFormTextToForm(text, path(QStringLiteral("Orders.dfm"))));
    EXPECT_EQ(read(QStringLiteral("Orders.dfm")), orders);

    // Binary forms, the bare object stream of other tools too, go back as the resource form.
    write(QStringLiteral("Bare.dfm"), ObjectTextToBinary(orders));
    for (const char* name : {"Customers.dfm", "Bare.dfm"}) {
        SCOPED_TRACE(name);
        const QByteArray stored = read(QString::fromLatin1(name));
        const TFormFileText binary = formText(QString::fromLatin1(name));
        EXPECT_EQ(binary.Lines(), linesOf(FormFileToText(stored)));
        EXPECT_TRUE(QzHostFormTextToForm(binary, path(QString::fromLatin1(name))));
        EXPECT_EQ(read(QString::fromLatin1(name)), ObjectTextToResource(FormFileToText(stored)));
    }

    TFormFileText untouched(QStringList{QStringLiteral("kept")});
    EXPECT_FALSE(QzHostFormToFormText(path(QStringLiteral("Missing.pas")), untouched));
    EXPECT_EQ(untouched.Lines(), QStringList{QStringLiteral("kept")});
}

TEST_F(Bridge, AChangedLineIsTheOnlyChangeToATextForm) {
    using namespace storedforms;
    FHost.reset();
    QStringList changed = Lines;
    changed[PrivilegeLine] = QStringLiteral("    Privilege.Id = 9");
    for (const TStoredForm& stored : StoredForms) {
        SCOPED_TRACE(stored.What);
        write(QStringLiteral("Test.dfm"), stored.Bytes(Lines));
        TFormFileText text = formText(QStringLiteral("Test.pas"));
        EXPECT_EQ(text.Lines(), Lines);
        text.SetLine(PrivilegeLine, changed[PrivilegeLine]);
        EXPECT_TRUE(QzHostFormTextToForm(text, path(QStringLiteral("Test.dfm"))));
        EXPECT_EQ(read(QStringLiteral("Test.dfm")), stored.Bytes(changed));
    }
}

TEST_F(Bridge, MalformedTextLeavesTheFormFileAsItWas) {
    for (const char* name : {"Customers.dfm", "Orders.dfm"}) {
        SCOPED_TRACE(name);
        const QByteArray stored = read(QString::fromLatin1(name));
        TFormFileText text = formText(QString::fromLatin1(name));
        text.SetLine(1, QStringLiteral("  Left = "));
        EXPECT_THROW(QzHostFormTextToForm(text, path(QString::fromLatin1(name))), EParserError);
        EXPECT_EQ(read(QString::fromLatin1(name)), stored);
    }
}

TEST_F(Bridge, WithoutAProjectGroupTheProjectCallsFail) {
    // The host is running, but no project is open.
    QStringList names;
    EXPECT_TRUE(isBridgeAssertion(assertionOf([] { QzGetProjectName(); })));
    EXPECT_TRUE(isBridgeAssertion(assertionOf([] { QzGetFormCount(); })));
    EXPECT_TRUE(isBridgeAssertion(assertionOf([&] { QzGetFormNames(names); })));
    EXPECT_TRUE(isBridgeAssertion(assertionOf([] { QzGetModuleCount(); })));
}

// ---------------------------------------------------------------------------------------------
// IDEs that break the bridge's preconditions

namespace {

class FakeFormEditor : public IOTAFormEditor {
public:
    explicit FakeFormEditor(IOTAModule* module) : FModule(module) {}
    QString FileName() const override { return QStringLiteral("/fake/Unit1.dfm"); }
    IOTAModule* Module() const override { return FModule; }
    IOTAComponent* GetRootComponent() override { return nullptr; }
    void MarkModified() override {}

private:
    IOTAModule* FModule;
};

class FakeSourceEditor : public IOTASourceEditor {
public:
    FakeSourceEditor(IOTAModule* module, QString fileName)
        : FModule(module), FFileName(std::move(fileName)) {}
    QString FileName() const override { return FFileName; }
    IOTAModule* Module() const override { return FModule; }
    QString Text() const override { return {}; }

private:
    IOTAModule* FModule;
    QString FFileName;
};

// A module with the editors a test gives it; it never closes.
class FakeModule : public IOTAModule {
public:
    QString FileName() const override { return QStringLiteral("/fake/Unit1.pas"); }
    int GetModuleFileCount() const override { return int(Editors.size()); }
    IOTAEditor* GetModuleFileEditor(int index) const override {
        return Editors[std::size_t(index)].get();
    }
    bool CloseModule(bool) override {
        ++CloseRequests;
        return false;
    }

    std::vector<std::unique_ptr<IOTAEditor>> Editors;
    int CloseRequests = 0;
};

// An IDE whose module services hold `Module` alone, or that has none.
class FakeIde : public IIDEServices, public IOTAModuleServices {
public:
    IOTAModuleServices* ModuleServices() override { return HasModuleServices ? this : nullptr; }
    int ModuleCount() const override { return 1; }
    IOTAModule* Modules(int) const override { return const_cast<FakeModule*>(&Module); }
    IOTAModule* FindModule(const QString&) const override {
        return const_cast<FakeModule*>(&Module);
    }

    bool HasModuleServices = true;
    FakeModule Module;
};

} // namespace

class BrokenIde : public ::testing::Test {
protected:
    void SetUp() override { IDEServices = &FIde; }
    void TearDown() override { IDEServices = nullptr; }

    FakeIde FIde;
};

TEST_F(BrokenIde, WithoutModuleServicesEveryCallFails) {
    FIde.HasModuleServices = false;
    TFormFileText text;
    EXPECT_TRUE(isBridgeAssertion(assertionOf([] { QzGetProjectName(); })));
    EXPECT_TRUE(isBridgeAssertion(assertionOf([] { QzGetFormCount(); })));
    EXPECT_TRUE(isBridgeAssertion(assertionOf([] { QzHostDesignForm(QStringLiteral("U.pas")); })));
    EXPECT_TRUE(isBridgeAssertion(
        assertionOf([&] { QzHostFormToFormText(QStringLiteral("U.pas"), text); })));
}

TEST_F(BrokenIde, TwoFormEditorsOnOneModuleFail) {
    FIde.Module.Editors.push_back(std::make_unique<FakeFormEditor>(&FIde.Module));
    FIde.Module.Editors.push_back(std::make_unique<FakeFormEditor>(&FIde.Module));
    TFormFileText text;
    EXPECT_TRUE(isBridgeAssertion(
        assertionOf([] { QzHostDesignForm(QStringLiteral("/fake/Unit1.pas")); })));
    EXPECT_TRUE(isBridgeAssertion(
        assertionOf([&] { QzHostFormToFormText(QStringLiteral("/fake/Unit1.pas"), text); })));
}

TEST_F(BrokenIde, FormTextThatWillNotCloseIsNotRead) {
    FIde.Module.Editors.push_back(
        std::make_unique<FakeSourceEditor>(&FIde.Module, QStringLiteral("/fake/Unit1.DFM")));
    TFormFileText text(QStringList{QStringLiteral("kept")});
    EXPECT_FALSE(QzHostFormToFormText(QStringLiteral("/fake/Unit1.pas"), text));
    EXPECT_EQ(FIde.Module.CloseRequests, 1);
    EXPECT_EQ(text.Lines(), QStringList{QStringLiteral("kept")});
}
