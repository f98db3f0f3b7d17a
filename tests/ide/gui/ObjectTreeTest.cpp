// The object tree beside the inspector, and undo in the main window: the tree lists the form's
// objects in owner and parent order, keeps its selection in step with the surface and the
// inspector's selector, deletes and renames; Ctrl+Z and Ctrl+Shift+Z step through the changes.

#include "GuiTestSupport.h"

#include "QzFormObjects.h"
#include "QzObjectTree.h"
#include "QzUnitSource.h"

#include <QLabel>
#include <QStatusBar>
#include <QUndoStack>

namespace {

QStringList childNames(QTreeWidgetItem* item) {
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i)
        names << item->child(i)->text(0);
    return names;
}

} // namespace

TEST_F(DesignerWindowTest, TheObjectTreeListsEveryObjectUnderItsHolder) {
    TQzObjectTree* tree = FWindow->ObjectTree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* form = tree->topLevelItem(0);
    EXPECT_EQ(form->text(0), QStringLiteral("FrmMain"));
    EXPECT_EQ(form->text(1), QStringLiteral("TFrmMain"));
    EXPECT_EQ(childNames(form), (QStringList{"PnHeader", "ObMain", "SplMain", "MmWelcome", "SbMain",
                                             "QzCApplication1", "QzCForm1", "PkgCommon", "PkgIcons",
                                             "MmMain", "PmMain", "TmClock", "MfMain", "BfMain"}));
    EXPECT_EQ(childNames(tree->ItemOf(QStringLiteral("SbMain"))),
              (QStringList{"Panels[0]", "Panels[1]", "Panels[2]"}));
    EXPECT_EQ(childNames(tree->ItemOf(QStringLiteral("MmMain"))),
              (QStringList{"MnFile", "MnView", "MnWindow", "MnHelp"}));
    EXPECT_EQ(childNames(tree->ItemOf(QStringLiteral("MnNew"))),
              (QStringList{"MnNewCustomer", "MnNewOrder"}));
    // A panel menu holds its items, inside the outlook page that holds it.
    EXPECT_EQ(childNames(tree->ItemOf(QStringLiteral("PmTools"))),
              (QStringList{"MnToolSettings", "MnToolCalendar", "MnToolCalculator"}));
    EXPECT_EQ(tree->ItemOf(QStringLiteral("PmTools"))->parent(),
              tree->ItemOf(QStringLiteral("OpTools")));

    // What --tree prints is the same tree.
    const QString listing =
        QzFormObjectsListing(QzFormObjects(designer()->GetRoot(), designer()->FormClassName()));
    EXPECT_TRUE(listing.startsWith(QStringLiteral("FrmMain: TFrmMain\n  PnHeader: TQzPanel\n"
                                                  "    PiLogo: TQzPkgImage\n")));
    EXPECT_TRUE(listing.contains(QStringLiteral("\n  SbMain: TQzStatusBar\n"
                                                "    Panels[0]: TQzStatusBarPanel\n")));
    EXPECT_TRUE(listing.contains(QStringLiteral("\n      MnNew: TQzMenuItem\n"
                                                "        MnNewCustomer: TQzMenuItem\n")));
}

TEST_F(DesignerWindowTest, TheTreeTheSurfaceAndTheInspectorSelectTogether) {
    TQzObjectTree* tree = FWindow->ObjectTree();
    // From the surface.
    click(component("LbTitle"));
    EXPECT_EQ(tree->selectedItems(),
              QList<QTreeWidgetItem*>{tree->ItemOf(QStringLiteral("LbTitle"))});
    EXPECT_EQ(inspector()->SelectionText(), QStringLiteral("LbTitle: TQzLabel"));
    // From the tree, a collection item too.
    tree->ItemOf(QStringLiteral("SbMain.Panels[1]"))->setSelected(true);
    tree->ItemOf(QStringLiteral("LbTitle"))->setSelected(false);
    settle();
    ASSERT_EQ(selection().size(), 1);
    EXPECT_EQ(selection().first()->GetNamePath(), QStringLiteral("SbMain.Panels[1]"));
    EXPECT_EQ(inspector()->SelectionText(), QStringLiteral("Panels[1]: TQzStatusBarPanel"));
    EXPECT_EQ(shownValue(QStringLiteral("Width")), QStringLiteral("140"));
    // From the inspector's selector.
    QComboBox* selector = inspector()->Selector();
    const int mnSave = selector->findData(QStringLiteral("MnSave"));
    ASSERT_GE(mnSave, 0);
    selector->setCurrentIndex(mnSave);
    Q_EMIT selector->activated(mnSave);
    settle();
    EXPECT_EQ(selection(), QList<TPersistent*>{component("MnSave")});
    EXPECT_EQ(tree->selectedItems(),
              QList<QTreeWidgetItem*>{tree->ItemOf(QStringLiteral("MnSave"))});
    EXPECT_EQ(shownValue(QStringLiteral("ShortCut")), QStringLiteral("Ctrl+S"));
}

TEST_F(DesignerWindowTest, DeletingAndRenamingFromTheTreeAreStepsToUndo) {
    TQzObjectTree* tree = FWindow->ObjectTree();
    const QString unit = designer()->UnitText();
    tree->setFocus();
    tree->clearSelection();
    tree->ItemOf(QStringLiteral("TmClock"))->setSelected(true);
    tree->ItemOf(QStringLiteral("SbMain.Panels[2]"))->setSelected(true);
    settle();
    QTest::keyClick(tree, Qt::Key_Delete);
    settle();
    EXPECT_EQ(component("TmClock"), nullptr);
    EXPECT_EQ(tree->ItemOf(QStringLiteral("TmClock")), nullptr);
    EXPECT_EQ(tree->ItemOf(QStringLiteral("SbMain.Panels[2]")), nullptr);
    EXPECT_FALSE(designer()->UnitText().contains(QStringLiteral("TmClock:")));
    EXPECT_EQ(FWindow->FormTabs()->tabText(0), QStringLiteral("*Main.dfm"));

    // A rename through the tree renames the field and the handlers named after it.
    tree->Rename(tree->ItemOf(QStringLiteral("PmMain")), QStringLiteral("PmEdit"));
    settle();
    EXPECT_NE(component("PmEdit"), nullptr);
    EXPECT_NE(tree->ItemOf(QStringLiteral("PmEdit")), nullptr);
    EXPECT_TRUE(designer()->UnitText().contains(QStringLiteral("    PmEdit: TQzPopupMenu;")));
    EXPECT_TRUE(designer()->UnitText().contains(QStringLiteral("procedure PmEditPopup(")));
    // A name the form has already is refused and the row keeps the old one.
    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_TRUE(request.Text.contains(QStringLiteral("already exists")));
        return bkOk;
    });
    tree->Rename(tree->ItemOf(QStringLiteral("PmEdit")), QStringLiteral("MmMain"));
    settle();
    EXPECT_TRUE(FUi.Done());
    EXPECT_NE(component("PmEdit"), nullptr);

    // Ctrl+Z on the tree undoes, Ctrl+Shift+Z redoes.
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_NE(component("PmMain"), nullptr);
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_NE(component("TmClock"), nullptr);
    EXPECT_EQ(designer()->UnitText(), unit);
    EXPECT_FALSE(designer()->IsModified());
    // The tab and the status bar both say so.
    EXPECT_EQ(FWindow->FormTabs()->tabText(0), QStringLiteral("Main.dfm"));
    for (const QLabel* label : FWindow->statusBar()->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains(QStringLiteral("(modified)")))
            << label->text().toStdString();
    EXPECT_EQ(FWindow->FormTabs()->tabText(0), QStringLiteral("Main.dfm"));
    EXPECT_NE(tree->ItemOf(QStringLiteral("SbMain.Panels[2]")), nullptr);
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(component("TmClock"), nullptr);
}

TEST_F(DesignerWindowTest, TheSurfaceUndoesMovesAndNudgesAsOneStepEach) {
    click(component("LbTitle"));
    const QRect before = surface()->ComponentRect(component("LbTitle"));
    drag(spotOf(component("LbTitle")), spotOf(component("LbTitle")) + QPoint(24, 8));
    EXPECT_EQ(control("LbTitle")->Left(), 88);
    surface()->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(surface(), Qt::Key_Right, Qt::ControlModifier);
    settle();
    EXPECT_EQ(control("LbTitle")->Left(), 91);
    QUndoStack* stack = designer()->UndoStack();
    EXPECT_EQ(stack->count(), 2);
    EXPECT_EQ(stack->undoText(), QStringLiteral("Move"));
    QTest::keyClick(surface(), Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(control("LbTitle")->Left(), 88);
    QTest::keyClick(surface(), Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(surface()->ComponentRect(component("LbTitle")), before);
    // The selection came back with the component.
    EXPECT_EQ(selection(), QList<TPersistent*>{component("LbTitle")});
    EXPECT_EQ(inspector()->SelectionText(), QStringLiteral("LbTitle: TQzLabel"));
}
