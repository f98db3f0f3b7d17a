// The editors that open the vars package editor and the mask designer, found and driven as the
// designer does: the vars package's component editor and its verb, the FileName property, and
// the mask property of several selected controls.

#include "ComponentEditors.h"
#include "EditorsTestSupport.h"
#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzHooks.h"
#include "QzScriptedUi.h"
#include "packages/QzPkgActive.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

class PkgVarsMaskEditors : public EditorsTest {
protected:
    std::unique_ptr<TComponentEditor> componentEditor(TComponent* component) {
        TComponentEditorClass editorClass = FindComponentEditorClass(component->metaObject());
        EXPECT_NE(editorClass, nullptr);
        return editorClass->Create(component, designer());
    }

    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

void ok(QDialog& d) {
    static_cast<TQzDialog&>(d).OkButton()->click();
}

} // namespace

TEST_F(PkgVarsMaskEditors, TheVarsPackageOpensFromItsComponentEditorAndItsFileName) {
    auto* pkg = add<TQzPkgVars>(u"PkgVars1"_s);
    pkg->Add(u"Port"_s, TQzPkgVarsItem::vtInteger);

    auto fileName = editorOf({pkg}, u"FileName"_s);
    ASSERT_EQ(editorClass(fileName.get()), u"TQzPkgVarsFileNameProperty");
    EXPECT_EQ(fileName->GetAttributes(), TPropertyAttributes(paDialog | paReadOnly | paRevertable));
    EXPECT_EQ(fileName->GetValue(), u"(DFM)");
    pkg->SetFileName(u"Vars.pvr"_s);
    EXPECT_EQ(fileName->GetValue(), u"Vars.pvr (DFM)");
    pkg->SetInitMode(TQzPkgInfo::imFILE);
    EXPECT_EQ(fileName->GetValue(), u"Vars.pvr (FILE)");
    pkg->SetFileName(QString());
    pkg->SetInitMode(TQzPkgInfo::imDFM);
    // "..." opens the editor, which tells the designer itself.
    Ui.ExpectDialog(u"TFrPkgVars"_s, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"PkgVars : PkgVars1");
        ok(d);
    });
    fileName->Edit();

    auto editor = componentEditor(pkg);
    ASSERT_EQ(editor->GetVerbCount(), 1);
    EXPECT_EQ(editor->GetVerb(0), u"View &Package List");
    // A double-click needs the application component.
    try {
        editor->Edit();
        ADD_FAILURE() << "opened without an application component";
    } catch (const EQzError& e) {
        EXPECT_EQ(e.Message(), u"Component TQzCApplication not found");
    }
    add<TQzCApplication>(u"CApp"_s);
    Ui.ExpectDialog(u"TFrPkgVars"_s, [](QDialog& d) { ok(d); });
    editor->Edit();

    // The verb shows the one list of vars packages, made on first use.
    editor->ExecuteVerb(0);
    auto* window = qobject_cast<TFrPkgActive*>(FrPkgVarsActive.data());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Kind(), TFrPkgActive::kVars);
    EXPECT_TRUE(window->isVisible());
    componentEditor(pkg)->ExecuteVerb(0);
    EXPECT_EQ(FrPkgVarsActive.data(), window);
    delete window;
    EXPECT_TRUE(Ui.Done());
}

TEST_F(PkgVarsMaskEditors, TheMaskEditorShowsTheTextAndGivesEverySelectedMaskTheDesignersResult) {
    QList<TPersistent*> edits;
    for (const QString& name : {u"Edit1"_s, u"Edit2"_s, u"Edit3"_s}) {
        auto* edit = add<TQzEdit>(name);
        edit->Mask()->SetDataType(dtString);
        edit->Mask()->SetText(u"<sadwu"_s);
        edits << edit;
    }
    const auto mask = [&](int i) {
        return static_cast<TQzEdit*>(edits[i])->Mask();
    };
    auto property = editorOf(edits, u"Mask"_s);
    ASSERT_EQ(editorClass(property.get()), u"TQzMaskPropertyEditor");
    EXPECT_EQ(property->GetAttributes(),
              TPropertyAttributes(paSubProperties | paDialog | paMultiSelect));
    EXPECT_EQ(property->GetValue(), u"<sadwu");
    mask(2)->SetText(u"<SADWU"_s);
    EXPECT_TRUE(property->AllEqual());
    mask(2)->SetText(u"<d"_s);
    EXPECT_FALSE(property->AllEqual());

    int before = modifiedCount();
    property->SetValue(u">"_s);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(mask(i)->Text(), u">");
    EXPECT_EQ(modifiedCount(), before + 1);

    // Cancelled: nothing changes and nothing is told.
    before = modifiedCount();
    Ui.ExpectDialog(u"TFrMask"_s, [](QDialog& d) { d.reject(); });
    property->Edit();
    EXPECT_EQ(modifiedCount(), before);
    // OK: the first mask is written by the designer and copied to the others.
    Ui.ExpectDialog(u"TFrMask"_s, [](QDialog& d) {
        auto* types = d.findChild<QComboBox*>(u"CBDataType"_s);
        types->setCurrentIndex(types->findText(u"dtCurrency"_s));
        Q_EMIT types->activated(types->currentIndex());
        d.findChild<QLineEdit*>(u"EdSize"_s)->setText(u"10"_s);
        ok(d);
    });
    property->Edit();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mask(i)->DataType(), dtCurrency) << i;
        EXPECT_EQ(mask(i)->Size(), 10) << i;
        EXPECT_EQ(mask(i)->Text(), u"") << i;
    }
    EXPECT_GT(modifiedCount(), before);
    EXPECT_TRUE(Ui.Done());
}
