// The menus editor beside a form open in the designer: opened from the inspector and the component
// editors, driven through its commands, keys, tree and drops, kept in step with the designer both
// ways, and judged by the menu it leaves and the form file saved and read back.

#include "ControlsTestSupport.h"
#include "QzMenus.h"
#include "controls/QzMenusEditor.h"
#include "editors/QzControlEditors.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QByteArray MenusForm = R"(  object MmMain: TQzMainMenu
    object MnFile: TQzMenuItem
      Caption = '&File'
      object MnOpen: TQzMenuItem
        Caption = 'Open'
      end
      object MnExit: TQzMenuItem
        Caption = 'Exit'
        Image.PkgName = 'System'
        Image.Id = 3
      end
    end
    object MnHelp: TQzMenuItem
      Caption = 'Help'
    end
  end
  object PmEmpty: TQzPopupMenu
  end
  object PnMenu: TQzPanelMenu
    object MnPanelOne: TQzMenuItem
      Caption = 'One'
    end
  end
  object LbTitle: TQzLabel
  end
)";

// The tree as text: one node a line, indented by level.
QString treeText(TFrMenus& editor) {
    QString text;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* node, int level) {
        text += QString(level * 2, u' ') + node->text(0) + u'\n';
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), level + 1);
    };
    walk(editor.Root(), 0);
    return text;
}

// The menu's items as "Caption(Name)[sub-items]".
QString menuText(const TQzMenuItem* items) {
    QStringList parts;
    for (int i = 0; i < items->Count(); ++i) {
        const TQzMenuItem* item = items->Items(i);
        QString part = item->FCaption + u'(' + item->Name() + u')';
        if (item->Count() > 0)
            part += u'[' + menuText(item) + u']';
        parts << part;
    }
    return parts.join(u',');
}

QTreeWidgetItem* nodeNamed(TFrMenus& editor, const QString& text) {
    const QList<QTreeWidgetItem*> found =
        editor.Tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1) << text.toStdString();
    return found.value(0);
}

QAction* command(TFrMenus& editor, const char* name) {
    auto* action = editor.findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

} // namespace

class MenusEditor : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        openForm(MenusForm);
    }
    TFrMenus& open(const char* menu) {
        return *TFrMenus::ShowMenusEditor(find<TComponent>(menu), designer());
    }
    void select(TFrMenus& editor, const QString& text) {
        editor.Tree()->setCurrentItem(text == editor.Menu()->Name() ? editor.Root()
                                                                    : nodeNamed(editor, text));
    }
};

TEST_F(MenusEditor, ShowsTheMenuAsATreeWithEndMarkersAndOneWindowPerMenu) {
    TFrMenus& editor = open("MmMain");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.windowTitle(), "MmMain");
    EXPECT_EQ(treeText(editor),
              "MmMain\n  &File\n    Open\n    Exit\n    <Eof>\n  Help\n  <Eof>\n");
    // Pictures: a menu bar, items with and without a picture, end markers.
    const auto key = [&](const QString& text) {
        return nodeNamed(editor, text)->icon(0).cacheKey();
    };
    EXPECT_NE(key("Exit"), key("Open"));
    EXPECT_EQ(key("Open"), key("Help"));
    EXPECT_EQ(TFrMenus::ShowMenusEditor(find<TComponent>("MmMain"), designer()), &editor);

    // The inspector's "..." and the component editor's double-click open the same window.
    auto property = CreatePropertyEditor(
        designer(), {find<TComponent>("MmMain")},
        find<TComponent>("MmMain")->metaObject()->property(
            find<TComponent>("MmMain")->metaObject()->indexOfProperty("Items")));
    ASSERT_NE(property, nullptr);
    EXPECT_EQ(DemangledClassName(typeid(*property)), "TQzMainMenuPropertyEditor");
    EXPECT_EQ(property->GetValue(), "(Menu)");
    EXPECT_TRUE(property->GetAttributes() & paDialog);
    property->Edit();
    GetComponentEditor(find<TComponent>("MmMain"), designer())->Edit();
    int windows = 0;
    for (TDesignWindow* window : DesignWindows())
        windows += qobject_cast<TFrMenus*>(window) != nullptr;
    EXPECT_EQ(windows, 1);

    // A popup menu shows its own picture; a panel menu edits its items.
    TFrMenus& popup = open("PmEmpty");
    EXPECT_EQ(treeText(popup), "PmEmpty\n");
    EXPECT_NE(popup.Root()->icon(0).cacheKey(), editor.Root()->icon(0).cacheKey());
    TFrMenus& panel = open("PnMenu");
    EXPECT_EQ(treeText(panel), "PnMenu\n  One\n  <Eof>\n");
}

TEST_F(MenusEditor, AddingToAnEmptyMenuMakesTheEndMarkerFirstAndNamesTheItem) {
    TFrMenus& editor = open("PmEmpty");
    const int before = modifiedCount();
    command(editor, "Add1")->trigger();
    EXPECT_EQ(treeText(editor), "PmEmpty\n  QzMenuItem1\n  <Eof>\n");
    EXPECT_EQ(editor.Tree()->currentItem()->text(0), "QzMenuItem1");
    EXPECT_EQ(designer()->GetSelections(), QList<TPersistent*>{find<TQzMenuItem>("QzMenuItem1")});
    EXPECT_GT(modifiedCount(), before);

    // Insert goes before the selection, Add at the end of its level, a sub-menu under it.
    command(editor, "Insert1")->trigger();
    select(editor, "QzMenuItem1");
    command(editor, "CreateSubMenu1")->trigger();
    command(editor, "Add1")->trigger();
    EXPECT_EQ(treeText(editor), "PmEmpty\n  QzMenuItem2\n  QzMenuItem1\n    QzMenuItem3\n"
                                "    QzMenuItem4\n    <Eof>\n  <Eof>\n");
    EXPECT_EQ(editor.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
              "PmEmpty/QzMenuItem1/QzMenuItem4");

    TComponent* read = saveAndReadBack();
    auto* menu = qobject_cast<TQzPopupMenu*>(read->FindComponent("PmEmpty"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menuText(menu->Items()), "QzMenuItem2(QzMenuItem2),QzMenuItem1(QzMenuItem1)"
                                       "[QzMenuItem3(QzMenuItem3),QzMenuItem4(QzMenuItem4)]");
}

TEST_F(MenusEditor, DeletingTheLastItemOfALevelTakesItsEndMarkerAlong) {
    TFrMenus& editor = open("MmMain");
    select(editor, "Exit");
    command(editor, "Delete1")->trigger();
    // The end marker would be next: the item before it is selected instead.
    EXPECT_EQ(editor.Tree()->currentItem()->text(0), "Open");
    command(editor, "Delete1")->trigger();
    EXPECT_EQ(treeText(editor), "MmMain\n  &File\n  Help\n  <Eof>\n");
    EXPECT_EQ(editor.Tree()->currentItem()->text(0), "&File");
    EXPECT_EQ(root()->FindComponent("MnOpen"), nullptr);
    EXPECT_EQ(root()->FindComponent("MnExit"), nullptr);
    // Delete and the like need an item.
    select(editor, "MmMain");
    EXPECT_FALSE(command(editor, "Delete1")->isEnabled());
    EXPECT_FALSE(command(editor, "Modify1")->isEnabled());

    TComponent* read = saveAndReadBack();
    EXPECT_EQ(menuText(qobject_cast<TQzMainMenu*>(read->FindComponent("MmMain"))->Items()),
              "&File(MnFile),Help(MnHelp)");
}

// The node that takes a deleted item's place is selected as if clicked, even where the tree put
// its cursor there itself.
TEST_F(MenusEditor, AfterADeleteTheDesignerAndStatusFollowTheNewSelection) {
    TFrMenus& editor = open("MmMain");
    const auto status = [&] {
        return editor.findChild<QStatusBar*>("StatusBar1")->currentMessage();
    };
    const struct {
        const char* Deleted;
        const char* Selected;
        const char* Item;
        const char* Path;
    } steps[] = {
        {"Open", "Exit", "MnExit", "MmMain/&File/Exit"},
        {"Exit", "&File", "MnFile", "MmMain/&File"},
        {"&File", "Help", "MnHelp", "MmMain/Help"},
    };
    for (const auto& step : steps) {
        select(editor, step.Deleted);
        command(editor, "Delete1")->trigger();
        EXPECT_EQ(editor.Tree()->currentItem()->text(0), step.Selected) << step.Deleted;
        EXPECT_EQ(designer()->GetSelections(), QList<TPersistent*>{find<TQzMenuItem>(step.Item)})
            << step.Deleted;
        EXPECT_EQ(status(), step.Path) << step.Deleted;
    }
}

TEST_F(MenusEditor, ClearAsksFirst) {
    TFrMenus& editor = open("MmMain");
    Ui.ExpectMessage(57, bkCancel);
    command(editor, "Clear1")->trigger();
    EXPECT_EQ(editor.Root()->childCount(), 3);
    EXPECT_EQ(Ui.Messages().back().Default, bkCancel);
    Ui.ExpectMessage(57, bkOk);
    editor.findChild<QToolButton*>("BtClear")->click();
    EXPECT_EQ(treeText(editor), "MmMain\n");
    EXPECT_EQ(find<TQzMainMenu>("MmMain")->Items()->Count(), 0);
    EXPECT_EQ(root()->FindComponent("MnOpen"), nullptr);
    EXPECT_FALSE(command(editor, "Clear1")->isEnabled());
}

TEST_F(MenusEditor, CutCopyAndPasteGoThroughTheComponentClipboard) {
    TFrMenus& editor = open("MmMain");
    select(editor, "&File");
    command(editor, "Copy1")->trigger();
    EXPECT_TRUE(TDesignWindow::ClipboardComponents());
    EXPECT_TRUE(editor.GetEditState() & TDesignWindow::esCanPaste);
    select(editor, "Help");
    command(editor, "Paste1")->trigger();
    // A pasted item and its sub-items get names of their own; it goes before the selection.
    EXPECT_EQ(menuText(find<TQzMainMenu>("MmMain")->Items()),
              "&File(MnFile)[Open(MnOpen),Exit(MnExit)],"
              "&File(QzMenuItem1)[Open(QzMenuItem2),Exit(QzMenuItem3)],Help(MnHelp)");
    EXPECT_EQ(editor.Tree()->currentItem()->text(0), "&File");
    EXPECT_EQ(editor.Tree()->indexOfTopLevelItem(editor.Tree()->currentItem()), -1);
    EXPECT_EQ(editor.Root()->indexOfChild(editor.Tree()->currentItem()), 1);

    // Cut is a copy and a delete; the pasted copy goes into another menu's empty tree.
    select(editor, "Help");
    editor.EditAction(TDesignWindow::eaCut);
    EXPECT_EQ(root()->FindComponent("MnHelp"), nullptr);
    TFrMenus& popup = open("PmEmpty");
    popup.EditAction(TDesignWindow::eaPaste);
    EXPECT_EQ(treeText(popup), "PmEmpty\n  Help\n  <Eof>\n");
    EXPECT_EQ(menuText(find<TQzPopupMenu>("PmEmpty")->Items()), "Help(QzMenuItem4)");

    // Only menu items go into a menu: other components on the clipboard are not pasted.
    TDesignWindow::CopyComponents(root(), {find<TComponent>("LbTitle")});
    const int components = root()->ComponentCount();
    popup.Paste();
    EXPECT_EQ(root()->ComponentCount(), components);
    EXPECT_EQ(treeText(popup), "PmEmpty\n  Help\n  <Eof>\n");

    TComponent* read = saveAndReadBack();
    EXPECT_EQ(menuText(qobject_cast<TQzPopupMenu*>(read->FindComponent("PmEmpty"))->Items()),
              "Help(QzMenuItem4)");
}

TEST_F(MenusEditor, EditingInPlaceSetsTheCaption) {
    TFrMenus& editor = open("MmMain");
    select(editor, "Open");
    const int before = modifiedCount();
    nodeNamed(editor, "Open")->setText(0, "Open...");
    EXPECT_EQ(find<TQzMenuItem>("MnOpen")->FCaption, "Open...");
    EXPECT_EQ(modifiedCount(), before + 1);
    // F2 starts the editor on the item.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    editor.Tree()->setFocus();
    select(editor, "Help");
    QTest::keyClick(editor.Tree(), Qt::Key_F2);
    EXPECT_NE(editor.Tree()->indexWidget(editor.Tree()->currentIndex()), nullptr);
    // Adding ends the edit first.
    command(editor, "Add1")->trigger();
    EXPECT_EQ(editor.Tree()->indexWidget(editor.Tree()->currentIndex()), nullptr);
    EXPECT_EQ(find<TQzMainMenu>("MmMain")->Items()->Count(), 3);
}

TEST_F(MenusEditor, KeysRunTheCommands) {
    TFrMenus& editor = open("PmEmpty");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    editor.Tree()->setFocus();
    QTest::keyClick(editor.Tree(), Qt::Key_Insert);
    QTest::keyClick(editor.Tree(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(treeText(editor), "PmEmpty\n  QzMenuItem1\n  QzMenuItem2\n  <Eof>\n");
    QTest::keyClick(editor.Tree(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(treeText(editor),
              "PmEmpty\n  QzMenuItem1\n  QzMenuItem2\n    QzMenuItem3\n    <Eof>\n"
              "  <Eof>\n");
    QTest::keyClick(editor.Tree(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(treeText(editor), "PmEmpty\n  QzMenuItem1\n  QzMenuItem2\n  <Eof>\n");
}

TEST_F(MenusEditor, DragMovesWithinTheTree) {
    TFrMenus& editor = open("MmMain");
    // Help into the File menu, before Exit.
    select(editor, "Help");
    ASSERT_TRUE(editor.TreeDragOver(editor.Tree(), nodeNamed(editor, "Exit")));
    editor.TreeDragDrop(editor.Tree(), nodeNamed(editor, "Exit"));
    EXPECT_EQ(treeText(editor), "MmMain\n  &File\n    Open\n    Help\n    Exit\n    <Eof>\n"
                                "  <Eof>\n");
    // Open to the end of the top level; a drop on the root goes before the first item.
    select(editor, "Open");
    editor.TreeDragDrop(editor.Tree(), editor.Root()->child(1));
    select(editor, "Exit");
    editor.TreeDragDrop(editor.Tree(), editor.Root());
    EXPECT_EQ(treeText(editor), "MmMain\n  Exit\n  &File\n    Help\n    <Eof>\n  Open\n  <Eof>\n");
    // A level left empty loses its end marker.
    select(editor, "Help");
    editor.TreeDragDrop(editor.Tree(), nodeNamed(editor, "Open"));
    EXPECT_EQ(treeText(editor), "MmMain\n  Exit\n  &File\n  Help\n  Open\n  <Eof>\n");
    // Nothing goes into itself, and the root and end markers are not dragged.
    select(editor, "&File");
    editor.AddSubMenuItem();
    select(editor, "&File");
    EXPECT_FALSE(editor.TreeDragOver(editor.Tree(), editor.Root()->child(1)->child(0)));
    select(editor, "MmMain");
    EXPECT_FALSE(editor.TreeDragOver(editor.Tree(), nodeNamed(editor, "Open")));
    EXPECT_FALSE(editor.TreeDragOver(nullptr, nodeNamed(editor, "Open")));

    TComponent* read = saveAndReadBack();
    EXPECT_EQ(menuText(qobject_cast<TQzMainMenu*>(read->FindComponent("MmMain"))->Items()),
              "Exit(MnExit),&File(MnFile)[QzMenuItem1(QzMenuItem1)],Help(MnHelp),Open(MnOpen)");
}

TEST_F(MenusEditor, DragFromAnotherEditorCopiesTheItemWithItsSubItems) {
    TFrMenus& main = open("MmMain");
    TFrMenus& popup = open("PmEmpty");
    select(main, "&File");
    ASSERT_TRUE(popup.TreeDragOver(main.Tree(), popup.Root()));
    popup.TreeDragDrop(main.Tree(), popup.Root());
    EXPECT_EQ(treeText(popup), "PmEmpty\n  &File\n    Open\n    Exit\n    <Eof>\n  <Eof>\n");
    // Names are taken where the form has none of them yet; here it has them all.
    EXPECT_EQ(menuText(find<TQzPopupMenu>("PmEmpty")->Items()),
              "&File(QzMenuItem1)[Open(QzMenuItem2),Exit(QzMenuItem3)]");
    EXPECT_EQ(menuText(find<TQzMainMenu>("MmMain")->Items()),
              "&File(MnFile)[Open(MnOpen),Exit(MnExit)],Help(MnHelp)");
}

TEST_F(MenusEditor, ThirtyTopLevelItemsTakeNoMoreDrops) {
    TFrMenus& main = open("MmMain");
    TFrMenus& popup = open("PmEmpty");
    for (int i = 0; i < 30; ++i)
        popup.AddItem();
    ASSERT_EQ(popup.Root()->childCount(), 31);
    select(main, "Help");
    EXPECT_FALSE(popup.TreeDragOver(main.Tree(), popup.Root()->child(3)));
    EXPECT_FALSE(popup.TreeDragOver(main.Tree(), popup.Root()));
    select(popup, "QzMenuItem1");
    popup.AddSubMenuItem();
    EXPECT_TRUE(popup.TreeDragOver(main.Tree(), popup.Root()->child(0)->child(0)));
}

TEST_F(MenusEditor, SelectionFollowsTheDesignerBothWays) {
    TFrMenus& editor = open("MmMain");
    select(editor, "Open");
    EXPECT_EQ(designer()->GetSelections(), QList<TPersistent*>{find<TQzMenuItem>("MnOpen")});
    select(editor, "MmMain");
    EXPECT_EQ(designer()->GetSelections(), QList<TPersistent*>{find<TQzMainMenu>("MmMain")});
    designer()->SelectComponent(find<TQzMenuItem>("MnExit"));
    EXPECT_EQ(editor.Tree()->currentItem()->text(0), "Exit");
    EXPECT_EQ(designer()->GetSelections(), QList<TPersistent*>{find<TQzMenuItem>("MnExit")});
    // Components that are not this menu's leave the tree as it is.
    designer()->SelectComponent(find<TComponent>("LbTitle"));
    designer()->SelectComponent(find<TQzMenuItem>("MnPanelOne"));
    EXPECT_EQ(editor.Tree()->currentItem()->text(0), "Exit");
    designer()->SelectComponent(find<TQzMainMenu>("MmMain"));
    EXPECT_EQ(editor.Tree()->currentItem(), editor.Root());
}

// Undo and redo read the form back into new components; the window stays open on the menu of the
// same name and goes on editing it.
TEST_F(MenusEditor, StaysOnTheMenuThroughUndoAndRedo) {
    QPointer<TFrMenus> editor = &open("MmMain");
    const QString before = treeText(*editor);
    select(*editor, "Help");
    command(*editor, "Insert1")->trigger();
    const QString inserted = treeText(*editor);
    ASSERT_NE(inserted, before);

    designer()->Undo();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(editor.isNull());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Menu(), find<TComponent>("MmMain"));
    EXPECT_EQ(TFrMenus::MenusEditorOf(find<TComponent>("MmMain")), editor);
    EXPECT_EQ(treeText(*editor), before);

    designer()->Redo();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(editor.isNull());
    EXPECT_EQ(treeText(*editor), inserted);
    select(*editor, "Help");
    command(*editor, "Delete1")->trigger();
    EXPECT_EQ(menuText(QzMenuItemsOf(find<TComponent>("MmMain"))),
              "&File(MnFile)[Open(MnOpen),Exit(MnExit)],QzMenuItem1(QzMenuItem1)");
}

TEST_F(MenusEditor, FollowsWhatTheDesignerChanges) {
    TFrMenus& editor = open("MmMain");
    nodeNamed(editor, "Open")->setExpanded(true);
    auto* menu = find<TQzMainMenu>("MmMain");
    // Captions, order and items made or freed elsewhere.
    find<TQzMenuItem>("MnOpen")->FCaption = QStringLiteral("Open file");
    find<TQzMenuItem>("MnHelp")->SetMenuIndex(0);
    auto* added = new TQzMenuItem(root());
    added->SetName(QStringLiteral("MnAdded"));
    added->FCaption = QStringLiteral("Added");
    find<TQzMenuItem>("MnHelp")->Add(added);
    designer()->Modified();
    EXPECT_EQ(treeText(editor), "MmMain\n  Help\n    Added\n    <Eof>\n  &File\n    Open file\n"
                                "    Exit\n    <Eof>\n  <Eof>\n");
    designer()->DeleteComponents({find<TComponent>("MnFile")});
    EXPECT_EQ(treeText(editor), "MmMain\n  Help\n    Added\n    <Eof>\n  <Eof>\n");
    menu->SetName(QStringLiteral("MmRenamed"));
    designer()->Modified();
    EXPECT_EQ(editor.windowTitle(), "MmRenamed");
    EXPECT_EQ(editor.Root()->text(0), "MmRenamed");

    // The window goes with its menu.
    QPointer<TFrMenus> window = &editor;
    designer()->DeleteComponents({menu});
    EXPECT_FALSE(editor.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(MenusEditor, DoubleClickGoesToTheClickHandler) {
    TFrMenus& editor = open("MmMain");
    editor.TreeDblClick(nodeNamed(editor, "Open"));
    EXPECT_EQ(designer()->ShownMethod(), "MnOpenClick");
    EXPECT_TRUE(designer()->UnitText().contains("procedure TForm1.MnOpenClick(Sender: TObject);"))
        << designer()->UnitText().toStdString();
    // An item with sub-items opens no handler.
    editor.TreeDblClick(nodeNamed(editor, "&File"));
    EXPECT_EQ(designer()->ShownMethod(), "MnOpenClick");
    TComponent* read = saveAndReadBack();
    EXPECT_EQ(read->FindComponent("MnOpen")->property("OnClick").value<TNotifyEvent>().Name,
              "MnOpenClick");
}

TEST_F(MenusEditor, WithoutADesignerTheCommandsChangeNothing) {
    auto editor = std::make_unique<TFrMenus>();
    editor->SetMenu(find<TComponent>("MmMain"));
    editor->Execute();
    const QString before = treeText(*editor);
    editor->Tree()->setCurrentItem(editor->Root()->child(0));
    for (const char* name : {"Add1", "Insert1", "CreateSubMenu1", "Delete1", "Paste1"})
        command(*editor, name)->trigger();
    EXPECT_EQ(treeText(*editor), before);
    EXPECT_EQ(menuText(find<TQzMainMenu>("MmMain")->Items()),
              "&File(MnFile)[Open(MnOpen),Exit(MnExit)],Help(MnHelp)");
}

// ---- The popup menu's component editor

TEST_F(MenusEditor, BuildSystemMenuAddsWhatIsMissingOnce) {
    auto editor = GetComponentEditor(find<TComponent>("PmEmpty"), designer());
    ASSERT_EQ(editor->GetVerbCount(), 2);
    EXPECT_EQ(editor->GetVerb(0), "View &PopupMenu");
    EXPECT_EQ(editor->GetVerb(1), "Build SystemMenu");
    editor->ExecuteVerb(1);
    auto* menu = find<TQzPopupMenu>("PmEmpty");
    EXPECT_TRUE(menu->FImagesVisible);
    QStringList actions;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        actions << QString::number(menu->Items()->Items(i)->DefaultAction()) + u':' +
                       menu->Items()->Items(i)->FCaption;
    EXPECT_EQ(actions.join(u' '), "1: 2: 3: 4: 5: 0:- 6:");
    const int before = modifiedCount();
    editor->ExecuteVerb(1);
    EXPECT_EQ(menu->Items()->Count(), 7);
    EXPECT_EQ(modifiedCount(), before + 1);
    // The menus editor shows them.
    editor->Edit();
    TFrMenus* window = TFrMenus::MenusEditorOf(menu);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Root()->childCount(), 8);
}

TEST_F(MenusEditor, ViewPopupMenuShowsItAsAtRunTime) {
    auto editor = GetComponentEditor(find<TComponent>("PmEmpty"), designer());
    TFrMenus& window = open("PmEmpty");
    window.AddItem();
    window.AddItem();
    window.Tree()->currentItem()->setText(0, QStringLiteral("-"));
    window.AddItem();
    editor->ExecuteVerb(0);
    QMenu* shown = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "PopupMenuView" && widget->isVisible())
            shown = qobject_cast<QMenu*>(widget);
    ASSERT_NE(shown, nullptr);
    QStringList texts;
    for (QAction* action : shown->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts.join(u','), "QzMenuItem1,-,QzMenuItem3");
    shown->close();
}
