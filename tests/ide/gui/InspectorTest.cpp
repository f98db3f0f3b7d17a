// The object inspector on components of the example project: what it lists for one and for
// several selected components, and editing through its value cells: typed text, value lists,
// sub-properties, "..." dialogs, read-only values and the errors editors raise.

#include "GuiTestSupport.h"

#include "DesignRegistry.h"
#include "QzButtons.h"
#include "QzExcept.h"
#include "QzLabels.h"
#include "QzMemos.h"
#include "QzMsg.h"
#include "StdEditors.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
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
    // Nothing to type in the row itself, but "..." for the font dialog.
    inspector()->Tree()->setCurrentItem(font, 1);
    ASSERT_NE(inspector()->ValueEditor(), nullptr);
    EXPECT_TRUE(inspector()->ValueEditor()->findChild<QLineEdit*>()->isReadOnly());
    EXPECT_NE(inspector()->ValueEditor()->findChild<QToolButton*>(), nullptr);

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

// ---------------------------------------------------------------------------------------------
// Pages, order and filter; colours, short cuts and sets as a person sees them

TEST_F(DesignerWindowTest, PropertiesAndEventsAreOnPagesOfTheirOwnSortedAndFiltered) {
    click(component("SbMain"));
    QStringList names = inspector()->PropertyNames();
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, sorted);
    EXPECT_TRUE(names.contains(QStringLiteral("Caption")));
    EXPECT_FALSE(names.contains(QStringLiteral("OnClick")));

    openForm("Orders");
    click(component("BtOk"));
    inspector()->ShowPage(TQzObjectInspector::Events);
    settle();
    EXPECT_EQ(inspector()->PropertyNames(), QStringList{QStringLiteral("OnClick")});
    EXPECT_EQ(shownValue(QStringLiteral("OnClick")), QStringLiteral("BtOkClick"));
    inspector()->ShowPage(TQzObjectInspector::Properties);
    settle();
    inspector()->SetFilter(QStringLiteral("cap"));
    EXPECT_EQ(inspector()->PropertyNames(), QStringList{QStringLiteral("Caption")});
    inspector()->SetFilter(QString());
    EXPECT_GT(inspector()->PropertyNames().size(), 10);

    // Every row is as high as the first, whatever edits it.
    QTreeWidget* tree = inspector()->Tree();
    valueEditor<QComboBox>(QStringLiteral("ModalResult"));
    const int height = tree->visualItemRect(tree->topLevelItem(0)).height();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        EXPECT_EQ(tree->visualItemRect(tree->topLevelItem(i)).height(), height) << i;
}

TEST_F(DesignerWindowTest, ADoubleClickOnAnEventMakesTheHandlerNamedAfterTheComponent) {
    openForm("Orders");
    TComponent* button =
        designer()->CreateComponent(ClassOf<TQzBitBtn>(), component("PnButtons"), 200, 8, -1, -1);
    button->SetName(QStringLiteral("BtHelp"));
    designer()->Modified();
    click(button);
    inspector()->ShowPage(TQzObjectInspector::Events);
    settle();
    QTreeWidgetItem* row = inspector()->FindRow(QStringLiteral("OnClick"));
    ASSERT_NE(row, nullptr);
    doubleClickCell(inspector()->Tree(), row, 0);
    EXPECT_EQ(designer()->ShownMethod(), QStringLiteral("BtHelpClick"));
    EXPECT_EQ(shownValue(QStringLiteral("OnClick")), QStringLiteral("BtHelpClick"));
    EXPECT_TRUE(designer()->UnitText().contains(
        QStringLiteral("procedure TFrmOrders.BtHelpClick(Sender: TObject);")));
    // One step takes both the handler and its binding back.
    FWindow->UndoForm();
    settle();
    EXPECT_FALSE(designer()->UnitText().contains(QStringLiteral("BtHelpClick")));
    EXPECT_TRUE(designer()->UnitText().contains(QStringLiteral("    BtHelp: TQzBitBtn;")));
}

TEST_F(DesignerWindowTest, ColoursShowTheirNameAndASwatch) {
    click(component("MmWelcome"));
    EXPECT_EQ(shownValue(QStringLiteral("Color")), QStringLiteral("clWindow"));
    EXPECT_FALSE(inspector()->FindRow(QStringLiteral("Color"))->icon(1).isNull());
    auto* combo = valueEditor<QComboBox>(QStringLiteral("Color"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("clWindow"));
    EXPECT_FALSE(combo->itemIcon(0).isNull());
    const int red = combo->findText(QStringLiteral("clRed"));
    ASSERT_GE(red, 0);
    combo->setCurrentIndex(red);
    Q_EMIT combo->activated(red);
    settle();
    EXPECT_EQ(component("MmWelcome")->property("Color").toInt(), 0x0000FF);
    EXPECT_EQ(shownValue(QStringLiteral("Color")), QStringLiteral("clRed"));
    // "..." is the colour dialog.
    FUi.ExpectColor(QColor(0x10, 0x20, 0x30));
    valueEditor<QComboBox>(QStringLiteral("Color"));
    QTest::mouseClick(inspector()->ValueEditor()->findChild<QToolButton*>(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(shownValue(QStringLiteral("Color")), QStringLiteral("$00302010"));
}

TEST_F(DesignerWindowTest, SetsAreCheckLists) {
    click(component("LbTitle"));
    QTreeWidgetItem* bold = inspector()->FindRow(QStringLiteral("Font.Style.fsBold"));
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->flags() & Qt::ItemIsUserCheckable);
    // Only the members are check boxes.
    EXPECT_FALSE(inspector()->FindRow(QStringLiteral("Font.Name"))->flags() &
                 Qt::ItemIsUserCheckable);
    EXPECT_FALSE(
        inspector()->FindRow(QStringLiteral("Font.Name"))->data(1, Qt::CheckStateRole).isValid());
    EXPECT_EQ(bold->checkState(1), Qt::Unchecked);
    bold->setCheckState(1, Qt::Checked);
    settle();
    auto* font = qobject_cast<TFont*>(component("LbTitle")->property("Font").value<QObject*>());
    EXPECT_EQ(font->Style(), TFont::TFontStyles(TFont::fsBold));
    EXPECT_EQ(shownValue(QStringLiteral("Font.Style")), QStringLiteral("[fsBold]"));
    EXPECT_EQ(inspector()->FindRow(QStringLiteral("Font.Style.fsBold"))->checkState(1),
              Qt::Checked);
}

namespace {

// The package's window of that class beside the designer, if one is open.
QWidget* openWindow(const char* className) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->inherits(className))
            return window;
    return nullptr;
}

} // namespace

// Collections and menus are edited in the package's windows: the row shows what the package's
// editor says and its button opens the window on the property's own object.
TEST_F(DesignerWindowTest, CollectionsAndMenusOpenThePackageWindows) {
    click(component("SbMain"));
    EXPECT_EQ(shownValue(QStringLiteral("Panels")), QStringLiteral("(3 Items)"));
    auto* button = valueEditor<QToolButton>(QStringLiteral("Panels"));
    ASSERT_NE(button, nullptr);
    button->click();
    settle();
    QWidget* collection = openWindow("TFrCollection");
    ASSERT_NE(collection, nullptr);
    auto* list = collection->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    collection->close();
    settle();

    designer()->SelectComponent(component("MmMain"));
    settle();
    EXPECT_EQ(shownValue(QStringLiteral("Items")), QStringLiteral("(Menu)"));
    button = valueEditor<QToolButton>(QStringLiteral("Items"));
    ASSERT_NE(button, nullptr);
    button->click();
    settle();
    QWidget* menus = openWindow("TFrMenus");
    ASSERT_NE(menus, nullptr);
    menus->close();
    settle();
}

// ---------------------------------------------------------------------------------------------
// Values typed and not committed

TEST_F(DesignerWindowTest, ATypedValueIsCommittedWhenTheRowIsLeftByKey) {
    click(component("LbTitle"));
    auto* edit = valueEditor<QLineEdit>(QStringLiteral("Left"));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("77"));
    QTest::keyClick(edit, Qt::Key_Down);
    settle();
    EXPECT_EQ(control("LbTitle")->Left(), 77);
    EXPECT_EQ(shownValue(QStringLiteral("Left")), QStringLiteral("77"));
    // Typing goes on in the next row, where Ctrl+Z undoes the value just committed.
    QWidget* next = QApplication::focusWidget();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(inspector()->ValueEditor()->isAncestorOf(next));
    QTest::keyClick(next, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(control("LbTitle")->Left(), 64);
}

// A click on a value puts the typing into its editor, and undo and redo work while the
// inspector has the focus.
TEST_F(DesignerWindowTest, AClickOnAValueTypesIntoItAndTheInspectorUndoes) {
    click(component("LbTitle"));
    QTreeWidget* tree = inspector()->Tree();
    QTreeWidgetItem* row = inspector()->FindRow(QStringLiteral("Left"));
    ASSERT_NE(row, nullptr);
    ASSERT_NE(tree->currentItem(), row);
    QTest::mouseClick(
        tree->viewport(), Qt::LeftButton, {},
        QPoint(tree->header()->sectionPosition(1) + 4, tree->visualItemRect(row).center().y()));
    settle();
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(inspector()->ValueEditor()->isAncestorOf(edit));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("70"));
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_EQ(control("LbTitle")->Left(), 70);

    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(control("LbTitle")->Left(), 64);
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(control("LbTitle")->Left(), 70);
}

TEST_F(DesignerWindowTest, ATypedValueIsCommittedBeforeSavingAndClosing) {
    click(component("LbTitle"));
    auto* edit = valueEditor<QLineEdit>(QStringLiteral("Top"));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("21"));
    ASSERT_TRUE(FWindow->SaveForm());
    EXPECT_EQ(control("LbTitle")->Top(), 21);
    EXPECT_TRUE(readText(QStringLiteral("Main.dfm")).contains(QStringLiteral("      Top = 21\n")));

    // Closing asks about the change just typed, and keeps the window when asked to.
    edit = valueEditor<QLineEdit>(QStringLiteral("Top"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("23"));
    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Text, QStringLiteral("Save changes to Main.dfm?"));
        return bkCancel;
    });
    EXPECT_FALSE(FWindow->close());
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(control("LbTitle")->Top(), 23);
}

namespace {

// A value list that cannot be read.
class TTestBrokenListProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override { return paValueList; }
    void GetValues(const TGetStrProc&) override { QzExcept(QStringLiteral("No list today")); }
};

} // namespace

// A value list that cannot be read says so in the row rather than in a message box, whose own
// events loop would let a queued refresh free the row being edited.
TEST_F(DesignerWindowTest, AValueListErrorWhileARefreshIsQueuedKeepsTheRow) {
    BeginModuleRegistration(QStringLiteral("ide_gui_tests"));
    RegisterPropertyEditor(TypeInfoOf<int>(), &TQzLabel::staticMetaObject, QStringLiteral("Tag"),
                           PropertyEditorClassOf<TTestBrokenListProperty>());
    click(component("LbTitle"));
    // A committed change queues a refresh.
    auto* edit = valueEditor<QLineEdit>(QStringLiteral("Width"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("200"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTreeWidgetItem* tag = inspector()->FindRow(QStringLiteral("Tag"));
    ASSERT_NE(tag, nullptr);
    inspector()->Tree()->setCurrentItem(tag, 1);
    EXPECT_EQ(inspector()->Tree()->currentItem(), tag);
    auto* combo = inspector()->ValueEditor()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->toolTip().contains(QStringLiteral("No list today")));
    EXPECT_EQ(combo->count(), 0);
    settle();
    EXPECT_EQ(inspector()->Tree()->currentItem()->text(0), QStringLiteral("Tag"));
    EXPECT_NE(inspector()->ValueEditor(), nullptr);
    EXPECT_EQ(control("LbTitle")->Width(), 200);
    EXPECT_EQ(shownValue(QStringLiteral("Width")), QStringLiteral("200"));
    // A value typed still goes in.
    typeValue(QStringLiteral("Tag"), QStringLiteral("7"));
    EXPECT_EQ(component("LbTitle")->Tag(), 7);
    UnregisterModule(QStringLiteral("ide_gui_tests"));
}
