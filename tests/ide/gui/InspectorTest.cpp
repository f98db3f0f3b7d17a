// The object inspector on components of the example project: what it lists for one and for
// several selected components, and editing through its value cells: typed text, value lists,
// sub-properties, "..." dialogs, read-only values and the errors editors raise.

#include "GuiTestSupport.h"

#include "DesignRegistry.h"
#include "QzExcept.h"
#include "QzLabels.h"
#include "QzMemos.h"
#include "QzMsg.h"
#include "StdEditors.h"

#include <QToolButton>

namespace {

// Word wrap that only one component at a time can take.
class TTestSingleProperty : public TEnumProperty {
public:
    using TEnumProperty::TEnumProperty;
    TPropertyAttributes GetAttributes() override { return paValueList | paSortList; }
};

// A tag set by a dialog only: "..." asks, and sets 42 when the person agrees.
class TTestDialogProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
    void Edit() override {
        if (QzMsg(TQzMessageType::mtConfirmation, QStringLiteral("Set the tag to 42?"),
                  {bkYes, bkNo}) == bkYes)
            SetOrdValue(42);
    }
};

// A tag whose dialog always fails.
class TTestLockedProperty : public TTestDialogProperty {
public:
    using TTestDialogProperty::TTestDialogProperty;
    void Edit() override { QzExcept(QStringLiteral("The tag is locked")); }
};

struct TestBindings {
    TestBindings() {
        BeginModuleRegistration(QStringLiteral("ide_gui_tests"));
        RegisterPropertyEditor(TypeInfoOf<bool>(), &TQzLabel::staticMetaObject,
                               QStringLiteral("WordWrap"),
                               PropertyEditorClassOf<TTestSingleProperty>());
        RegisterPropertyEditor(TypeInfoOf<int>(), &TQzLabel::staticMetaObject,
                               QStringLiteral("Tag"), PropertyEditorClassOf<TTestDialogProperty>());
        RegisterPropertyEditor(TypeInfoOf<int>(), &TQzMemo::staticMetaObject, QStringLiteral("Tag"),
                               PropertyEditorClassOf<TTestLockedProperty>());
    }
    ~TestBindings() { UnregisterModule(QStringLiteral("ide_gui_tests")); }
};

// Expects one error message whose text contains `part`.
void expectError(TQzScriptedUi& ui, const QString& part) {
    ui.ExpectMessage([part](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Type, TQzMessageType::mtError);
        EXPECT_TRUE(request.Text.contains(part)) << request.Text.toStdString();
        return bkOk;
    });
}

} // namespace

TEST_F(DesignerWindowTest, TypingAValueChangesTheComponentAndMarksTheForm) {
    click(component("LbTitle"));
    const QRect before = surface()->ComponentRect(component("LbTitle"));
    typeValue(QStringLiteral("Left"), QStringLiteral("70"));
    EXPECT_EQ(control("LbTitle")->Left(), 70);
    EXPECT_EQ(shownValue(QStringLiteral("Left")), QStringLiteral("70"));
    EXPECT_TRUE(designer()->IsModified());
    EXPECT_EQ(FWindow->FormTabs()->tabText(0), QStringLiteral("*Main.dfm"));
    EXPECT_EQ(surface()->ComponentRect(component("LbTitle")), before.translated(6, 0));

    // The caption of the form shows in the title of the surface's frame and in the value.
    click(designer()->GetRoot());
    typeValue(QStringLiteral("Caption"), QStringLiteral("Customers & orders"));
    EXPECT_EQ(designer()->GetRoot()->property("Caption").toString(),
              QStringLiteral("Customers & orders"));
}

TEST_F(DesignerWindowTest, ARefusedValueIsShownAndThePropertyKeepsItsValue) {
    click(component("LbTitle"));
    expectError(FUi, QStringLiteral("abc"));
    typeValue(QStringLiteral("Width"), QStringLiteral("abc"));
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(control("LbTitle")->Width(), 220);
    EXPECT_EQ(shownValue(QStringLiteral("Width")), QStringLiteral("220"));
    EXPECT_EQ(valueEditor<QLineEdit>(QStringLiteral("Width"))->text(), QStringLiteral("220"));
    EXPECT_FALSE(designer()->IsModified());

    // A name another component has is refused too.
    expectError(FUi, QStringLiteral("MmWelcome"));
    typeValue(QStringLiteral("Name"), QStringLiteral("MmWelcome"));
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(inspector()->SelectionText(), QStringLiteral("LbTitle: TQzLabel"));
    EXPECT_NE(component("LbTitle"), nullptr);
}

TEST_F(DesignerWindowTest, ValueListsOfferTheEditorsValues) {
    click(component("LbTitle"));
    auto* combo = valueEditor<QComboBox>(QStringLiteral("Alignment"));
    ASSERT_NE(combo, nullptr);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("taCenter"), QStringLiteral("taLeftJustify"),
                                  QStringLiteral("taRightJustify")}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("taLeftJustify"));

    // Chosen by typing it, as from the list.
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("taRightJustify"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    settle();
    EXPECT_EQ(control("LbTitle")->property("Alignment").toInt(), int(taRightJustify));
    EXPECT_EQ(shownValue(QStringLiteral("Alignment")), QStringLiteral("taRightJustify"));
    EXPECT_TRUE(designer()->IsModified());

    // A double-click on a value steps to the next one of the list.
    doubleClickCell(inspector()->Tree(), inspector()->FindRow(QStringLiteral("Transparent")), 1);
    EXPECT_FALSE(control("LbTitle")->property("Transparent").toBool());
    EXPECT_EQ(shownValue(QStringLiteral("Transparent")), QStringLiteral("False"));
}

TEST_F(DesignerWindowTest, SubPropertiesExpandAndEditTheObjectInside) {
    click(component("LbTitle"));
    QTreeWidgetItem* font = inspector()->FindRow(QStringLiteral("Font"));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    // Read-only without a dialog: nothing to edit in the row itself.
    inspector()->Tree()->setCurrentItem(font, 1);
    EXPECT_EQ(inspector()->ValueEditor(), nullptr);

    typeValue(QStringLiteral("Font.Name"), QStringLiteral("Serif"));
    auto* fontObject =
        qobject_cast<TFont*>(component("LbTitle")->property("Font").value<QObject*>());
    ASSERT_NE(fontObject, nullptr);
    EXPECT_EQ(fontObject->Name(), QStringLiteral("Serif"));
    EXPECT_TRUE(designer()->IsModified());
    // The rows are read again and the font stays open, on the row edited.
    EXPECT_TRUE(inspector()->FindRow(QStringLiteral("Font"))->isExpanded());
    EXPECT_EQ(inspector()->Tree()->currentItem(),
              inspector()->FindRow(QStringLiteral("Font.Name")));
    EXPECT_EQ(shownValue(QStringLiteral("Font.Name")), QStringLiteral("Serif"));
}

TEST_F(DesignerWindowTest, SeveralSelectedShowOnlyWhatAllCanTake) {
    TestBindings bindings;
    openForm("Orders");
    click(component("LbDate"));
    EXPECT_TRUE(inspector()->PropertyNames().contains(QStringLiteral("WordWrap")));
    // The package's label value editor reads one control's data type.
    EXPECT_TRUE(inspector()->PropertyNames().contains(QStringLiteral("Value")));
    click(component("LbAmount"), Qt::ControlModifier);
    ASSERT_EQ(selection().size(), 2);

    const QStringList names = inspector()->PropertyNames();
    EXPECT_FALSE(names.contains(QStringLiteral("WordWrap")));
    EXPECT_FALSE(names.contains(QStringLiteral("Value")));
    EXPECT_TRUE(names.contains(QStringLiteral("Left")));
    for (int i = 0; i < inspector()->Tree()->topLevelItemCount(); ++i) {
        TPropertyEditor* editor = inspector()->RowEditor(inspector()->Tree()->topLevelItem(i));
        EXPECT_TRUE(editor->GetAttributes() & paMultiSelect) << editor->GetName().toStdString();
    }

    // A value typed once goes to every selected component.
    typeValue(QStringLiteral("Width"), QStringLiteral("90"));
    EXPECT_EQ(control("LbDate")->Width(), 90);
    EXPECT_EQ(control("LbAmount")->Width(), 90);
    EXPECT_EQ(shownValue(QStringLiteral("Width")), QStringLiteral("90"));
}

TEST_F(DesignerWindowTest, DialogPropertiesRunTheirEditorAndShowItsErrors) {
    TestBindings bindings;
    click(component("LbTitle"));
    auto* edit = valueEditor<QLineEdit>(QStringLiteral("Tag"));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    auto* button = inspector()->ValueEditor()->findChild<QToolButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("..."));

    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Text, QStringLiteral("Set the tag to 42?"));
        return bkYes;
    });
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(component("LbTitle")->Tag(), 42);
    EXPECT_EQ(shownValue(QStringLiteral("Tag")), QStringLiteral("42"));
    EXPECT_TRUE(designer()->IsModified());

    // The memo's dialog fails: the error is shown and the tag stays.
    click(component("MmWelcome"));
    valueEditor<QLineEdit>(QStringLiteral("Tag"));
    expectError(FUi, QStringLiteral("The tag is locked"));
    QTest::mouseClick(inspector()->ValueEditor()->findChild<QToolButton*>(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(component("MmWelcome")->Tag(), 0);
}

TEST_F(DesignerWindowTest, ThePackagesValueListsAreSortedOnlyWhereTheirEditorsAskForIt) {
    const auto itemsOf = [](QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    };

    // Pen widths come in their own order, 1 to 20, not sorted as text.
    openForm("About");
    click(component("ShFrame"));
    auto* width = valueEditor<QComboBox>(QStringLiteral("Pen.Width"));
    ASSERT_NE(width, nullptr);
    QStringList widths;
    for (int i = 1; i <= 20; ++i)
        widths << QString::number(i);
    EXPECT_EQ(itemsOf(width), widths);

    // Modal results are sorted by name and set the number the name stands for.
    openForm("Orders");
    click(component("BtOk"));
    auto* modalResult = valueEditor<QComboBox>(QStringLiteral("ModalResult"));
    ASSERT_NE(modalResult, nullptr);
    const QStringList names = itemsOf(modalResult);
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, sorted);
    EXPECT_TRUE(names.contains(QStringLiteral("mrCancel")));
    EXPECT_EQ(modalResult->currentText(), QStringLiteral("mrOk"));
    modalResult->lineEdit()->selectAll();
    QTest::keyClicks(modalResult->lineEdit(), QStringLiteral("mrCancel"));
    QTest::keyClick(modalResult->lineEdit(), Qt::Key_Return);
    settle();
    EXPECT_EQ(component("BtOk")->property("ModalResult").toInt(), 2);
    EXPECT_EQ(shownValue(QStringLiteral("ModalResult")), QStringLiteral("mrCancel"));
}
