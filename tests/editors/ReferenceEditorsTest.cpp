// The editors of item, display set and privilege references as the object inspector uses them:
// what they show, what they refuse without an application component, and how the picker's
// choice reaches every selected component with the designer told once.

#include "EditorsTestSupport.h"
#include "QzButtons.h"
#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzMemos.h"
#include "QzScriptedUi.h"
#include "editors/QzReferenceEditors.h"
#include "pickers/QzSetsList.h"
#include "registration/QzPackage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

using namespace Qt::StringLiterals;

namespace {

class ReferenceEditors : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        DefShowPrivileges();
        Strings = add<TQzPkgStrings>(u"Strings"_s);
        Strings->SetPkgName(u"System"_s);
        Strings->Labels()->Add(12, u"Save"_s, u"Saves the file"_s);
        Strings->Labels()->Add(13, u"Open"_s);
        Strings->Messages()->Add(3, u"File not found"_s);
        Strings->Texts()->Add(1, u"Line one"_s);
        for (const QString& name : {u"Button1"_s, u"Button2"_s, u"Button3"_s})
            Buttons << add<TQzSpeedButton>(name);
    }
    void TearDown() override {
        ShowPrivilege = nullptr;
        ShowPrivileges = nullptr;
        EditorsTest::TearDown();
    }

    TQzCApplication* addApplication() {
        auto* app = add<TQzCApplication>(u"CApp"_s);
        app->PkgDisplay()->SetsFont()->Add(u"Title"_s);
        app->PkgDisplay()->SetsFont()->Add(u"Normal"_s);
        TQzPkgPrivilegesItem* print = app->Privileges()->Add(7);
        print->SetDescription(u"Print"_s);
        app->Privileges()->Add(8);
        return app;
    }
    TQzSpeedButton* button(int index) const { return static_cast<TQzSpeedButton*>(Buttons[index]); }

    TQzPkgStrings* Strings = nullptr;
    QList<TPersistent*> Buttons;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(ReferenceEditors, ShowTheReferenceAsTheInspectorLists) {
    addApplication();
    struct Case {
        QString Property;
        std::function<void(TQzSpeedButton&)> Set;
        QString Shown;
    };
    const Case cases[] = {
        {u"Caption"_s, [](TQzSpeedButton& l) { l.Caption()->PkgId(u"System"_s, 12); },
         u"(12, System) Save - Saves the file"_s},
        // No hint, no " - ".
        {u"Caption"_s, [](TQzSpeedButton& l) { l.Caption()->PkgId(u"System"_s, 13); },
         u"(13, System) Open"_s},
        {u"Caption"_s, [](TQzSpeedButton& l) { l.Caption()->PkgId(u"System"_s, -2); },
         u"(Default)"_s},
        {u"Caption"_s, [](TQzSpeedButton& l) { l.Caption()->PkgId(u"System"_s, -1); }, u"(None)"_s},
        {u"Caption"_s, [](TQzSpeedButton& l) { l.Caption()->PkgId(u"System"_s, -7); }, u"(None)"_s},
        // An item the package lacks still shows its number.
        {u"Caption"_s, [](TQzSpeedButton& l) { l.Caption()->PkgId(u"Gone"_s, 4); },
         u"(4, Gone) "_s},
        {u"SetFont"_s, [](TQzSpeedButton& l) { l.FontSet()->SetName(u"<Default>"_s); },
         u"<Default>"_s},
        {u"Privilege"_s, [](TQzSpeedButton& l) { l.Privilege()->SetId(7); }, u"(7, R/W) - Print"_s},
        // A privilege without a name shows none.
        {u"Privilege"_s,
         [](TQzSpeedButton& l) {
             l.Privilege()->SetId(8);
             l.Privilege()->SetAccess(TQzPrivilege::acRead);
         },
         u"(8, R)"_s},
        {u"Privilege"_s,
         [](TQzSpeedButton& l) {
             l.Privilege()->SetId(9);
             l.Privilege()->SetAccess(TQzPrivilege::acNone);
         },
         u"(9, N)"_s},
        {u"Privilege"_s, [](TQzSpeedButton& l) { l.Privilege()->SetId(-1); }, u"(None)"_s},
    };
    for (const Case& c : cases) {
        c.Set(*button(0));
        auto editor = editorOf({button(0)}, c.Property);
        ASSERT_NE(editor, nullptr) << c.Property.toStdString();
        EXPECT_EQ(editor->GetValue(), c.Shown);
    }

    auto* memo = add<TQzMemo>(u"Memo1"_s);
    memo->Text()->PkgId(u"System"_s, 1);
    EXPECT_EQ(editorOf({memo}, u"Text"_s)->GetValue(), u"(1, System) Line one"_s);
    button(0)->Image()->PkgId(u"Icons"_s, 5);
    EXPECT_EQ(editorOf({button(0)}, u"Image"_s)->GetValue(), u"(5, Icons)"_s);
}

// Each editor is bound by type; its attributes say what the inspector offers.
TEST_F(ReferenceEditors, AreBoundByTypeWithTheirAttributes) {
    struct Case {
        QString Property;
        QString Editor;
        TPropertyAttributes Attributes;
    };
    const TPropertyAttributes refs = paDialog | paReadOnly | paMultiSelect | paRevertable;
    const TPropertyAttributes sets = paDialog | paMultiSelect | paRevertable;
    const Case cases[] = {
        {u"Caption"_s, u"TQzMemoryLabelPropertyEditor"_s, refs},
        {u"Image"_s, u"TQzMemoryImagePropertyEditor"_s, refs},
        {u"SetColor"_s, u"TQzSetColorProperty"_s, sets},
        {u"SetFont"_s, u"TQzSetFontProperty"_s, sets},
        {u"SetBackGround"_s, u"TQzSetBackGroundProperty"_s, sets},
        {u"Privilege"_s, u"TQzPrivilegeProperty"_s, refs},
    };
    for (const Case& c : cases) {
        auto editor = editorOf(Buttons, c.Property);
        ASSERT_NE(editor, nullptr) << c.Property.toStdString();
        EXPECT_EQ(editorClass(editor.get()), c.Editor);
        EXPECT_EQ(editor->GetAttributes(), c.Attributes) << c.Property.toStdString();
    }
    EXPECT_EQ(editorClass(editorOf({add<TQzMemo>(u"Memo1"_s)}, u"Text"_s).get()),
              u"TQzMemoryTextPropertyEditor"_s);
}

TEST_F(ReferenceEditors, NothingOpensWithoutAnApplicationComponent) {
    for (const QString& property : {u"Caption"_s, u"Hint"_s, u"Image"_s, u"SetColor"_s,
                                    u"SetFont"_s, u"SetBackGround"_s, u"Privilege"_s}) {
        auto editor = editorOf(Buttons, property);
        ASSERT_NE(editor, nullptr);
        try {
            editor->Edit();
            ADD_FAILURE() << property.toStdString() << " opened without an application";
        } catch (const EQzError& e) {
            EXPECT_EQ(e.Message(), u"Component TQzCApplication not found"_s);
        }
    }
    EXPECT_EQ(modifiedCount(), 0);
}

// A value of another class than the editor's shows nothing and takes nothing.
TEST_F(ReferenceEditors, AValueOfAnotherClassIsNeitherShownNorChanged) {
    const QMetaObject* meta = &TQzSpeedButton::staticMetaObject;
    const QMetaProperty image = meta->property(meta->indexOfProperty("Image"));
    TQzMemoryLabelPropertyEditor labelEditor(designer(), Buttons, image);
    button(0)->Image()->PkgId(u"Icons"_s, 5);
    EXPECT_EQ(labelEditor.GetValue(), QString());
    TQzSetColorProperty setEditor(designer(), Buttons, image);
    EXPECT_EQ(setEditor.GetValue(), QString());
    setEditor.SetValue(u"Warning"_s);
    TQzPrivilegeProperty privilegeEditor(designer(), Buttons, image);
    EXPECT_EQ(privilegeEditor.GetValue(), QString());
    EXPECT_EQ(button(0)->Image()->PkgName(), u"Icons"_s);
    EXPECT_EQ(modifiedCount(), 0);
}

TEST_F(ReferenceEditors, ThePickedLabelReachesEverySelectedComponentAndTheDesignerHearsOnce) {
    addApplication();
    for (int i = 0; i < 3; ++i)
        button(i)->Caption()->PkgId(u"System"_s, 13);
    const int before = modifiedCount();

    Ui.ExpectDialog(u"TFrMemoryLabel"_s, [](QDialog& d) {
        auto* id = d.findChild<QLineEdit*>(u"EdId"_s);
        id->setText(u"12"_s);
        Q_EMIT id->textEdited(id->text());
        d.reject();
    });
    editorOf(Buttons, u"Caption"_s)->Edit();
    EXPECT_EQ(modifiedCount(), before);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(button(i)->Caption()->Id(), 13);

    Ui.ExpectDialog(u"TFrMemoryLabel"_s, [](QDialog& d) {
        auto* id = d.findChild<QLineEdit*>(u"EdId"_s);
        id->setText(u"12"_s);
        Q_EMIT id->textEdited(id->text());
        static_cast<TQzDialog&>(d).OkButton()->click();
    });
    editorOf(Buttons, u"Caption"_s)->Edit();
    EXPECT_EQ(modifiedCount(), before + 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(button(i)->Caption()->PkgName(), u"System"_s);
        EXPECT_EQ(button(i)->Caption()->Id(), 12);
    }
    EXPECT_TRUE(Ui.Done());
}

TEST_F(ReferenceEditors, SetNamesAreTypedOrPickedForEverySelectedComponent) {
    addApplication();
    auto editor = editorOf(Buttons, u"SetFont"_s);
    // Any name is taken, even one no set has.
    editor->SetValue(u"Nowhere"_s);
    EXPECT_EQ(modifiedCount(), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(button(i)->FontSet()->Name(), u"Nowhere"_s);
    button(1)->FontSet()->SetName(u"NOWHERE"_s);
    EXPECT_TRUE(editor->AllEqual());
    button(2)->FontSet()->SetName(u"Title"_s);
    EXPECT_FALSE(editor->AllEqual());

    Ui.ExpectDialog(u"TFrSetFont"_s, [](QDialog& d) {
        auto* list = d.findChild<TQzSetsList*>(u"Fonts"_s);
        list->SelectRow(0);
        Q_EMIT list->itemClicked(list->item(0));
        static_cast<TQzDialog&>(d).OkButton()->click();
    });
    editor->Edit();
    EXPECT_EQ(modifiedCount(), 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(button(i)->FontSet()->Name(), u"Normal"_s);
    EXPECT_TRUE(Ui.Done());
}

TEST_F(ReferenceEditors, PrivilegesArePickedThroughTheExportedVariable) {
    TQzCApplication* app = addApplication();
    for (int i = 0; i < 3; ++i) {
        button(i)->Privilege()->SetId(8);
        button(i)->Privilege()->SetAccess(TQzAccess(i));
    }
    auto editor = editorOf(Buttons, u"Privilege"_s);
    EXPECT_TRUE(editor->AllEqual());

    // The editor opens on the package handed to it.
    Ui.ExpectDialog(u"TFrPrivileges"_s, [](QDialog& d) {
        EXPECT_EQ(d.findChild<QStatusBar*>(u"StatusBar"_s)->currentMessage(), u"2 Privileges"_s);
        static_cast<TQzDialog&>(d).OkButton()->click();
    });
    ShowPrivileges(app->Privileges());
    // Without a reference nothing opens.
    EXPECT_FALSE(ShowPrivilege(app->Privileges(), nullptr));

    // The package's own picker: the id chosen goes to every privilege; each keeps its access.
    Ui.ExpectDialog(u"TFrPrivilege"_s, [](QDialog& d) {
        auto* id = d.findChild<QLineEdit*>(u"EdId"_s);
        id->setText(u"7"_s);
        Q_EMIT id->textEdited(id->text());
        static_cast<TQzDialog&>(d).OkButton()->click();
    });
    editor->Edit();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(button(i)->Privilege()->Id(), 7);
        EXPECT_EQ(button(i)->Privilege()->Access(), TQzAccess(i));
    }
    EXPECT_EQ(modifiedCount(), 1);

    // Another package's picker, refusing: nothing changes.
    QList<TQzPkgPrivileges*> asked;
    ShowPrivilege = [&](TQzPkgPrivileges* privileges, TQzPrivilege* privilege) {
        asked << privileges;
        privilege->SetId(8);
        return false;
    };
    editor->Edit();
    EXPECT_EQ(asked, QList<TQzPkgPrivileges*>{app->Privileges()});
    EXPECT_EQ(button(1)->Privilege()->Id(), 7);
    EXPECT_EQ(modifiedCount(), 1);
    button(1)->Privilege()->SetId(3);
    EXPECT_FALSE(editor->AllEqual());
    EXPECT_TRUE(Ui.Done());
}
