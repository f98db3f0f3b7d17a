// The strings package component on a designed form: its component editor and its FileName
// editor open the strings package editor on it, the first only with an application component,
// and the FileName shows where the package is kept.

#include "EditorsTestSupport.h"
#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzScriptedUi.h"
#include "editors/QzPkgEditors.h"
#include "packages/QzPkgActive.h"
#include "packages/QzPkgStringsEditor.h"

#include <QDialog>

using namespace Qt::StringLiterals;

namespace {

class PkgEditors : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        Pkg = add<TQzPkgStrings>(u"Strings1"_s);
        Pkg->SetPkgName(u"Orders"_s);
    }
    void TearDown() override {
        delete FrPkgStringsActive.data();
        EditorsTest::TearDown();
    }
    // The editor is opened on Pkg; it closes at once.
    void expectEditor() {
        Ui.ExpectDialog(u"TFrPkgStrings"_s, [this](QDialog& d) {
            EXPECT_EQ(static_cast<TFrPkgStrings&>(d).Pkg, Pkg);
            EXPECT_EQ(d.windowTitle(), u"Package : Orders"_s);
            d.done(1);
        });
    }

    TQzPkgStrings* Pkg = nullptr;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(PkgEditors, TheComponentEditorOpensTheStringsEditorAndListsThePackages) {
    std::unique_ptr<TComponentEditor> editor = GetComponentEditor(Pkg, designer());
    ASSERT_NE(dynamic_cast<TQzPkgStringsComponentEditor*>(editor.get()), nullptr);
    EXPECT_EQ(editor->GetVerbCount(), 1);
    EXPECT_EQ(editor->GetVerb(0), u"View &Package List"_s);

    // Not without an application component.
    try {
        editor->Edit();
        ADD_FAILURE() << "opened without an application component";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Component TQzCApplication not found"_s);
    }
    add<TQzCApplication>(u"App"_s);
    expectEditor();
    editor->Edit();
    EXPECT_TRUE(Ui.Done());

    // The package list needs no application; it is one window, made once.
    editor->ExecuteVerb(0);
    auto* list = qobject_cast<TFrPkgActive*>(FrPkgStringsActive.data());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->Entries().contains(Pkg));
    GetComponentEditor(Pkg, designer())->ExecuteVerb(0);
    EXPECT_EQ(FrPkgStringsActive.data(), list);
}

TEST_F(PkgEditors, TheFileNameShowsWhereThePackageIsKeptAndOpensTheEditor) {
    auto fileName = [this] {
        return editorOf({Pkg}, u"FileName"_s);
    };
    ASSERT_NE(fileName(), nullptr);
    EXPECT_EQ(editorClass(fileName().get()), u"TQzPkgStringsFileNameProperty"_s);
    EXPECT_EQ(fileName()->GetValue(), u"(DFM)"_s);
    EXPECT_EQ(fileName()->GetAttributes(), paDialog | paReadOnly | paRevertable);
    Pkg->SetFileName(u"Orders.pst"_s);
    EXPECT_EQ(fileName()->GetValue(), u"Orders.pst (DFM)"_s);
    Pkg->SetInitMode(TQzPkgInfo::imFILE);
    EXPECT_EQ(fileName()->GetValue(), u"Orders.pst (FILE)"_s);
    Pkg->SetInitMode(TQzPkgInfo::imDFM);

    // Like every dialog editor, not without an application component.
    EXPECT_THROW(fileName()->Edit(), Exception);
    add<TQzCApplication>(u"App"_s);
    expectEditor();
    fileName()->Edit();
    EXPECT_TRUE(Ui.Done());
}
