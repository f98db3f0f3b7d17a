// The collection editors beside a form open in the designer: opened from the inspector and the page
// control's component editor, driven through their buttons, menus, lists and combo boxes, kept in
// step with the designer's selection, and judged by the collection and the form saved and read
// back.

#include "ControlsTestSupport.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzNonVisual.h"
#include "controls/QzCollectionEditor.h"
#include "editors/QzControlEditors.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray CollectionsForm = R"(  object CbStatus: TQzComboBox
    Items = <
      item
        Value = 10
      end
      item
        Value = 11
      end
      item
        Value = 12
      end>
  end
  object PcMain: TQzPageControl
    Tabs = <
      item
        PageId = 1
      end
      item
        PageId = 2
      end
      item
      end>
    object TsOne: TQzTabSheet
      PageId = 1
      object EdOnSheet: TQzEdit
      end
    end
    object TsTwo: TQzTabSheet
      PageId = 2
    end
    object TsLoose: TQzTabSheet
      PageId = 7
    end
  end
  object QzCForm1: TQzCForm
  end
)";

QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

// The values of the items, in order.
QString values(const TCollection* collection) {
    QStringList texts;
    for (int i = 0; i < collection->Count(); ++i)
        texts << static_cast<TQzCollectionItem*>(collection->Items(i))->Value().toString();
    return texts.join(u',');
}

void click(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

void trigger(QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

} // namespace

class CollectionEditor : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        openForm(CollectionsForm);
        find<TQzComboBox>("CbStatus")->Items()->GetItems(0);
    }
    TQzCollection* items() const { return find<TQzComboBox>("CbStatus")->Items(); }
    TFrCollection& open() {
        return *TFrCollection::ShowCollectionEditor(items(), designer(), false);
    }
    TPersistent* selected() const {
        const QList<TPersistent*> selection = designer()->GetSelections();
        return selection.size() == 1 ? selection.first() : nullptr;
    }
};

TEST_F(CollectionEditor, OpensOneWindowPerCollectionFromTheInspector) {
    auto* combo = find<TQzComboBox>("CbStatus");
    auto editor = CreatePropertyEditor(
        designer(), {combo},
        combo->metaObject()->property(combo->metaObject()->indexOfProperty("Items")));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(DemangledClassName(typeid(*editor)), "TQzCollectionPropertyEditor");
    EXPECT_EQ(editor->GetValue(), "(3 Items)");
    EXPECT_EQ(editor->GetAttributes() & (paDialog | paReadOnly), paDialog | paReadOnly);
    designer()->SelectComponent(combo);
    editor->Edit();
    TFrCollection* window = TFrCollection::CollectionEditorOf(items());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Editing CbStatus.Items");
    EXPECT_EQ(entries(window->lb()), QStringList({"0 - Item0", "1 - Item1", "2 - Item2"}));
    // Nothing selected in the list: the collection is the designer's selection.
    EXPECT_EQ(selected(), items());
    editor->Edit();
    EXPECT_EQ(TFrCollection::CollectionEditorOf(items()), window);

    // A plain collection (the form's data sources) has its window too.
    auto* form = find<TQzCForm>("QzCForm1");
    auto sources = CreatePropertyEditor(
        designer(), {form},
        form->metaObject()->property(form->metaObject()->indexOfProperty("DataSources")));
    ASSERT_NE(sources, nullptr);
    EXPECT_EQ(sources->GetValue(), "(TCollection)");
    sources->Edit();
    EXPECT_NE(TFrCollection::CollectionEditorOf(form->DataSources()), nullptr);
}

TEST_F(CollectionEditor, AddInsertAndDeleteSelectWhatTheyLeave) {
    TFrCollection& window = open();
    const int before = modifiedCount();
    click(window, "BtAdd");
    EXPECT_EQ(items()->Count(), 4);
    EXPECT_EQ(window.lb()->currentRow(), 3);
    EXPECT_EQ(selected(), items()->Items(3));
    window.lb()->setCurrentRow(1);
    EXPECT_EQ(selected(), items()->Items(1));
    click(window, "BtInsert");
    EXPECT_EQ(values(items()), "10,,11,12,");
    EXPECT_EQ(window.lb()->currentRow(), 1);
    EXPECT_EQ(modifiedCount(), before + 2);

    // Deleting the last entry selects the new last one; the only one, the collection.
    window.lb()->setCurrentRow(4);
    click(window, "BtDelete");
    EXPECT_EQ(values(items()), "10,,11,12");
    EXPECT_EQ(window.lb()->currentRow(), 3);
    EXPECT_EQ(selected(), items()->Items(3));
    window.lb()->setCurrentRow(1);
    click(window, "BtDelete");
    EXPECT_EQ(values(items()), "10,11,12");
    EXPECT_EQ(selected(), items()->Items(1));
    while (items()->Count() > 1) {
        window.lb()->setCurrentRow(0);
        click(window, "BtDelete");
    }
    window.lb()->setCurrentRow(0);
    click(window, "BtDelete");
    EXPECT_EQ(items()->Count(), 0);
    EXPECT_EQ(selected(), items());
    EXPECT_FALSE(window.findChild<QPushButton*>("BtDelete")->isEnabled());

    click(window, "BtAdd");
    TComponent* read = saveAndReadBack();
    EXPECT_EQ(qobject_cast<TQzComboBox*>(read->FindComponent("CbStatus"))->Items()->Count(), 1);
}

TEST_F(CollectionEditor, MovesByButtonAndDrop) {
    TFrCollection& window = open();
    window.lb()->setCurrentRow(0);
    EXPECT_FALSE(window.findChild<QPushButton*>("BtMoveUp")->isEnabled());
    const int before = modifiedCount();
    window.BtMoveUpClick();
    EXPECT_EQ(values(items()), "10,11,12");
    EXPECT_EQ(modifiedCount(), before);
    click(window, "BtMoveDown");
    EXPECT_EQ(values(items()), "11,10,12");
    EXPECT_EQ(window.lb()->currentRow(), 1);
    EXPECT_EQ(selected(), items()->Items(1));
    // A drop on an entry takes its place; below the last entry, the last place.
    window.lbDragDrop(0);
    EXPECT_EQ(values(items()), "10,11,12");
    window.lbDragDrop(-1);
    EXPECT_EQ(values(items()), "11,12,10");
    EXPECT_EQ(entries(window.lb()), QStringList({"0 - Item0", "1 - Item1", "2 - Item2"}));
    EXPECT_EQ(modifiedCount(), before + 3);
    TComponent* read = saveAndReadBack();
    EXPECT_EQ(values(qobject_cast<TQzComboBox*>(read->FindComponent("CbStatus"))->Items()),
              "11,12,10");
}

TEST_F(CollectionEditor, FirstLastClearAndOwner) {
    TFrCollection& window = open();
    trigger(window, "MnLast");
    EXPECT_EQ(selected(), items()->Items(2));
    trigger(window, "MnFirst");
    EXPECT_EQ(selected(), items()->Items(0));
    click(window, "BtOwner");
    EXPECT_EQ(selected(), find<TComponent>("CbStatus"));
    trigger(window, "Clear1");
    EXPECT_EQ(items()->Count(), 0);
    EXPECT_EQ(window.lb()->count(), 0);
    EXPECT_EQ(selected(), items());
}

struct TFindCase {
    const char* Name;
    int Selected; // -1: none
    TQzFindRequest Request;
    int Found; // -1: stays as it was
};

class CollectionFind : public CollectionEditor, public ::testing::WithParamInterface<TFindCase> {};

TEST_P(CollectionFind, SelectsTheFirstMatchOnwards) {
    TFrCollection& window = open();
    window.lb()->setCurrentRow(GetParam().Selected);
    if (GetParam().Selected < 0)
        window.lb()->clearSelection();
    Ui.ExpectFind(GetParam().Request).ExpectFind(std::nullopt);
    trigger(window, "Find1");
    const int expected = GetParam().Found >= 0 ? GetParam().Found : GetParam().Selected;
    EXPECT_EQ(window.SelectedItem() ? window.lb()->currentRow() : -1, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CollectionFind,
    ::testing::Values(
        TFindCase{"DownWithoutSelectionFromTheFirst", -1, {"item", false, false, true}, 0},
        TFindCase{"UpWithoutSelectionFromTheLast", -1, {"item", false, false, false}, 2},
        TFindCase{"DownAfterTheSelection", 0, {"ITEM", false, false, true}, 1},
        TFindCase{"UpBeforeTheSelection", 2, {"item", false, false, false}, 1},
        TFindCase{"MatchCase", -1, {"item", true, false, true}, -1},
        TFindCase{"WholeEntry", -1, {"2 - item2", false, true, true}, 2},
        TFindCase{"WholeEntryOnly", -1, {"Item2", false, true, true}, -1},
        TFindCase{"NothingAfterTheLast", 2, {"Item", false, false, true}, -1}),
    [](const ::testing::TestParamInfo<TFindCase>& info) { return std::string(info.param.Name); });

TEST_F(CollectionEditor, FollowsTheDesignerAndGivesItsSelectionBackOnClosing) {
    auto* combo = find<TQzComboBox>("CbStatus");
    designer()->SelectComponent(combo);
    TFrCollection& window = open();
    designer()->SelectComponent(items()->Items(2));
    EXPECT_EQ(window.lb()->currentRow(), 2);
    window.close();
    EXPECT_EQ(selected(), combo);
    // Items made elsewhere show up.
    items()->Add();
    designer()->Modified();
    EXPECT_EQ(window.lb()->count(), 4);
    // The window goes with its collection.
    QPointer<TFrCollection> alive = &window;
    designer()->DeleteComponents({combo});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

// Undo and redo read the form back into new components; the window stays open on the same
// property of the component of the same name.
TEST_F(CollectionEditor, StaysOnTheCollectionThroughUndoAndRedo) {
    QPointer<TFrCollection> window = &open();
    window->BtAddClick();
    ASSERT_EQ(window->lb()->count(), 4);

    designer()->Undo();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Collection(), items());
    EXPECT_EQ(window->lb()->count(), 3);

    designer()->Redo();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->lb()->count(), 4);
    window->lb()->setCurrentRow(0);
    window->BtDeleteClick();
    EXPECT_EQ(items()->Count(), 3);
    EXPECT_EQ(window->lb()->count(), 3);
}

// ---- The page control's tabs and tab sheets

namespace {

// A click on a row as the mouse gives it.
void click(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

} // namespace

class PageControlEditor : public CollectionEditor {
protected:
    TQzPageControl* control() const { return find<TQzPageControl>("PcMain"); }
    TFrCollPageControl& openTabs() {
        GetComponentEditor(control(), designer())->Edit();
        auto* window =
            qobject_cast<TFrCollPageControl*>(TFrCollection::CollectionEditorOf(control()->Tabs()));
        EXPECT_NE(window, nullptr);
        return *window;
    }
    QString pageIds() const {
        QStringList ids;
        for (int i = 0; i < control()->Tabs()->Count(); ++i)
            ids << QString::number(control()->GetTab(i)->PageId());
        return ids.join(u',');
    }
};

TEST_F(PageControlEditor, ListsTabsAndSheetsAndShowsTheirLinks) {
    TFrCollPageControl& window = openTabs();
    EXPECT_EQ(window.windowTitle(), "Editing PcMain.Tabs");
    EXPECT_EQ(entries(window.lb()), QStringList({"0 - Item0", "1 - Item1", "2 - Item2"}));
    EXPECT_EQ(entries(window.lbts()), QStringList({"TsLoose", "TsOne", "TsTwo"}));
    EXPECT_EQ(window.CBTab()->itemText(window.CBTab()->count() - 1), "<None>");
    EXPECT_EQ(window.CBTabSheet()->count(), 4);
    // The inspector binds the same window to the page control's tabs.
    auto editor = CreatePropertyEditor(
        designer(), {control()},
        control()->metaObject()->property(control()->metaObject()->indexOfProperty("Tabs")));
    EXPECT_EQ(DemangledClassName(typeid(*editor)), "TQzCollPageControlPropertyEditor");

    // Clicked as with the mouse, which moves the current row before it selects.
    click(window.lb(), 1);
    EXPECT_EQ(window.CBTabSheet()->currentText(), "TsTwo");
    EXPECT_EQ(window.lbts()->currentItem()->text(), "TsTwo");
    EXPECT_EQ(designer()->GetSelections(), QList<TPersistent*>{control()->GetTab(1)});
    EXPECT_TRUE(window.findChild<QPushButton*>("BtDelete")->isEnabled());
    // The tab being edited is the one the page control shows.
    EXPECT_EQ(control()->FTabIndex, 1);
    click(window.lb(), 2);
    EXPECT_EQ(window.CBTabSheet()->currentText(), "<None>");
    EXPECT_FALSE(window.lbts()->currentItem() && window.lbts()->currentItem()->isSelected());

    click(window.lbts(), 1);
    EXPECT_EQ(window.CBTab()->currentText(), "0 - Item0");
    EXPECT_EQ(window.lb()->currentRow(), 0);
    click(window.lbts(), 0);
    EXPECT_EQ(window.CBTab()->currentText(), "<None>");
}

TEST_F(PageControlEditor, LinksTabsAndSheetsByPageId) {
    TFrCollPageControl& window = openTabs();
    const int before = modifiedCount();
    // The third tab gets the loose sheet.
    window.lb()->setCurrentRow(2);
    window.CBTabSheet()->setCurrentIndex(window.CBTabSheet()->findText("TsLoose"));
    window.CBTabSheetChange();
    EXPECT_EQ(pageIds(), "1,2,7");
    // The sheet of the first tab goes to the second, which the first lets go.
    window.lbts()->setCurrentRow(1);
    window.CBTab()->setCurrentIndex(1);
    window.CBTabChange();
    EXPECT_EQ(pageIds(), "0,1,7");
    EXPECT_EQ(window.lb()->currentRow(), 1);
    // "<None>" unlinks the tab that shows the sheet.
    window.CBTab()->setCurrentIndex(window.CBTab()->count() - 1);
    window.CBTabChange();
    EXPECT_EQ(pageIds(), "0,0,7");
    EXPECT_EQ(modifiedCount(), before + 3);
    // Without a tab selected the sheet combo falls back and nothing changes.
    window.lb()->setCurrentRow(-1);
    window.lb()->clearSelection();
    window.CBTabSheet()->setCurrentIndex(0);
    window.CBTabSheetChange();
    EXPECT_EQ(window.CBTabSheet()->currentText(), "<None>");
    EXPECT_EQ(pageIds(), "0,0,7");

    TComponent* read = saveAndReadBack();
    auto* readControl = qobject_cast<TQzPageControl*>(read->FindComponent("PcMain"));
    EXPECT_EQ(readControl->GetTab(2)->PageId(), 7);
}

TEST_F(PageControlEditor, AddsAndRemovesTabSheets) {
    TFrCollPageControl& window = openTabs();
    trigger(window, "AddTabSheet1");
    const QStringList sheets = entries(window.lbts());
    ASSERT_EQ(sheets.size(), 4);
    auto* sheet = qobject_cast<TQzTabSheet*>(
        window.lbts()->currentItem()->data(Qt::UserRole).value<QObject*>());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->Parent(), control());
    // A page id of its own, so that a tab can show it.
    EXPECT_EQ(sheet->FPageId, 8);
    EXPECT_EQ(window.CBTabSheet()->currentText(), "<None>");
    window.lb()->setCurrentRow(2);
    window.CBTabSheet()->setCurrentIndex(window.CBTabSheet()->findText(sheet->Name()));
    window.CBTabSheetChange();
    EXPECT_EQ(control()->GetTab(2)->PageId(), 8);

    // Removing a sheet takes the controls on it along.
    window.lbts()->setCurrentRow(
        window.lbts()->row(window.lbts()->findItems("TsOne", Qt::MatchExactly).first()));
    trigger(window, "RemoveTabSheet1");
    EXPECT_EQ(root()->FindComponent("TsOne"), nullptr);
    EXPECT_EQ(root()->FindComponent("EdOnSheet"), nullptr);
    EXPECT_EQ(window.lbts()->count(), 3);

    // A sheet an ancestor form brought is refused.
    find<TQzTabSheet>("TsTwo")->SetState(csAncestor);
    window.lbts()->setCurrentRow(
        window.lbts()->row(window.lbts()->findItems("TsTwo", Qt::MatchExactly).first()));
    Ui.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Text, "Component was introduced in an ancestor form");
        return bkOk;
    });
    trigger(window, "RemoveTabSheet1");
    EXPECT_NE(root()->FindComponent("TsTwo"), nullptr);
    find<TQzTabSheet>("TsTwo")->ClearState(csAncestor);

    TComponent* read = saveAndReadBack();
    EXPECT_EQ(qobject_cast<TQzPageControl*>(read->FindComponent("PcMain"))->TabSheets().size(), 3);
}
