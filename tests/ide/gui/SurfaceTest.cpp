// The main window on the example project: palette, project tree and form tabs, and the form
// surface driven with the mouse and keyboard: selecting, moving, resizing, placing from the
// palette, deleting, the component editor on double-click and in the context menu, the edit
// commands.

#include "GuiTestSupport.h"

#include "DesignRegistry.h"
#include "QzComponentPalette.h"
#include "QzExcept.h"
#include "QzFormDrawing.h"
#include "QzMemos.h"
#include "QzMsg.h"
#include "QzProjectTree.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

// A component editor with two verbs: one that talks to the person, one that fails.
class TTestMemoEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 2; }
    QString GetVerb(int index) override {
        return index == 0 ? QStringLiteral("Say hello") : QStringLiteral("Fail");
    }
    void ExecuteVerb(int index) override {
        if (index == 1)
            QzExcept(QStringLiteral("The memo refuses"));
        QzMsg(TQzMessageType::mtInformation, QStringLiteral("Hello from ") + Component()->Name());
    }
};

// Bindings made by the test itself, withdrawn when it ends.
struct TestBindings {
    TestBindings() {
        BeginModuleRegistration(QStringLiteral("ide_gui_tests"));
        RegisterComponentEditor(&TQzMemo::staticMetaObject,
                                ComponentEditorClassOf<TTestMemoEditor>());
    }
    ~TestBindings() { UnregisterModule(QStringLiteral("ide_gui_tests")); }
};

// Controls the library does not know: one that holds controls by its style alone, one that does
// not.
class TTestTray : public TWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestTray(TComponent* owner = nullptr) : TWinControl(owner) {
        FControlStyle |= csAcceptsControls;
    }
};

class TTestBox : public TWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestBox(TComponent* owner = nullptr) : TWinControl(owner) {}
};

QStringList actionTexts(const QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

TEST_F(DesignerWindowTest, ShowsThePaletteTheProjectAndItsFirstForm) {
    // The palette: a tab per registered page, a button per class with its bitmap and name.
    TQzComponentPalette* palette = FWindow->Palette();
    const auto pages = PalettePages();
    ASSERT_EQ(palette->count(), pages.size());
    for (int i = 0; i < palette->count(); ++i) {
        EXPECT_EQ(palette->tabText(i), pages[i].first);
        for (TClass cls : pages[i].second) {
            QToolButton* button = palette->ClassButton(cls->ClassName());
            ASSERT_NE(button, nullptr) << cls->ClassName().toStdString();
            EXPECT_FALSE(button->icon().isNull()) << cls->ClassName().toStdString();
            EXPECT_EQ(button->toolTip(), cls->ClassName());
        }
    }
    EXPECT_EQ(palette->tabText(0), QStringLiteral("Qz Standard"));
    EXPECT_EQ(palette->tabText(3), QStringLiteral("Qz Editors"));

    // The project: its units, each with its form.
    QTreeWidget* tree = FWindow->ProjectTree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* project = tree->topLevelItem(0);
    EXPECT_EQ(project->text(0), QStringLiteral("Demo.dpr"));
    ASSERT_EQ(project->childCount(), 5);
    EXPECT_EQ(project->child(0)->text(0), QStringLiteral("Main (Main.pas)"));
    EXPECT_EQ(project->child(2)->child(0)->text(0), QStringLiteral("FrmOrders (Orders.dfm)"));

    // The first form is open, with itself selected.
    ASSERT_EQ(FWindow->FormTabs()->count(), 1);
    EXPECT_EQ(FWindow->FormTabs()->tabText(0), QStringLiteral("Main.dfm"));
    EXPECT_EQ(inspector()->SelectionText(), QStringLiteral("FrmMain: TFrmMain"));
    EXPECT_EQ(shownValue(QStringLiteral("Caption")), QStringLiteral("Demo"));

    // A double-click on a form in the tree opens it in a tab of its own.
    QTreeWidgetItem* orders = project->child(2)->child(0);
    doubleClickCell(tree, orders, 0);
    ASSERT_EQ(FWindow->FormTabs()->count(), 2);
    EXPECT_EQ(FWindow->FormTabs()->tabText(FWindow->FormTabs()->currentIndex()),
              QStringLiteral("Orders.dfm"));
    EXPECT_EQ(designer()->GetRoot()->Name(), QStringLiteral("FrmOrders"));
    EXPECT_TRUE(orders->font(0).bold());
}

TEST_F(DesignerWindowTest, ControlsAreDrawnAtTheirBoundsInsideTheirParents) {
    const QRect client = surface()->ComponentRect(designer()->GetRoot());
    const QRect header = surface()->ComponentRect(component("PnHeader"));
    EXPECT_EQ(header, QRect(client.topLeft(), QSize(784, 56)));
    // LbTitle sits at 64, 16 inside the header panel.
    EXPECT_EQ(surface()->ComponentRect(component("LbTitle")),
              QRect(header.topLeft() + QPoint(64, 16), QSize(220, 24)));
    EXPECT_EQ(surface()->ComponentAt(header.topLeft() + QPoint(70, 20)), component("LbTitle"));

    // Of the outlook bar's pages only the shown one is drawn, with what it holds.
    EXPECT_FALSE(surface()->ComponentRect(component("OpCustomers")).isNull());
    EXPECT_TRUE(surface()->ComponentRect(component("OpOrders")).isNull());
    EXPECT_TRUE(surface()->ComponentRect(component("SbOrders")).isNull());

    // Non-visual components sit in the tray under the form; menu items are not drawn.
    const QRect timer = surface()->ComponentRect(component("TmClock"));
    EXPECT_GT(timer.top(), client.bottom());
    EXPECT_TRUE(surface()->ComponentRect(component("MnFile")).isNull());
}

TEST_F(DesignerWindowTest, ClickCtrlClickAndTheRubberBandSelect) {
    click(component("LbTitle"));
    EXPECT_EQ(selection(), QList<TPersistent*>{component("LbTitle")});
    EXPECT_EQ(inspector()->SelectionText(), QStringLiteral("LbTitle: TQzLabel"));
    EXPECT_EQ(shownValue(QStringLiteral("Left")), QStringLiteral("64"));
    EXPECT_EQ(shownValue(QStringLiteral("Width")), QStringLiteral("220"));
    EXPECT_TRUE(
        FWindow->StatusText().contains(QStringLiteral("LbTitle: TQzLabel  64, 16  220 x 24")))
        << FWindow->StatusText().toStdString();

    click(component("MmWelcome"), Qt::ControlModifier);
    EXPECT_EQ(selection().size(), 2);
    EXPECT_EQ(inspector()->SelectionText(), QStringLiteral("2 components selected"));
    // Where the two disagree the value is blank.
    EXPECT_EQ(shownValue(QStringLiteral("Left")), QString());
    EXPECT_EQ(shownValue(QStringLiteral("Visible")), QStringLiteral("True"));

    click(component("LbTitle"), Qt::ControlModifier);
    EXPECT_EQ(selection(), QList<TPersistent*>{component("MmWelcome")});

    // A band drawn from the empty form over the memo picks it, and nothing on the header.
    const QRect client = surface()->ComponentRect(designer()->GetRoot());
    const QPoint from = client.topLeft() + QPoint(700, 300);
    ASSERT_EQ(surface()->ComponentAt(from), designer()->GetRoot());
    drag(from, client.topLeft() + QPoint(400, 150));
    EXPECT_EQ(selection(), QList<TPersistent*>{component("MmWelcome")});

    // A click on the empty form selects the form.
    click(designer()->GetRoot());
    EXPECT_EQ(selection(), QList<TPersistent*>{designer()->GetRoot()});
}

TEST_F(DesignerWindowTest, DraggingMovesAndHandlesResize) {
    TControl* memo = control("MmWelcome");
    click(memo);
    const QPoint grip = spotOf(memo);
    drag(grip, grip + QPoint(16, 8));
    EXPECT_EQ(memo->Left(), 208);
    EXPECT_EQ(memo->Top(), 72);
    EXPECT_EQ(memo->Width(), 584);
    EXPECT_TRUE(designer()->IsModified());
    EXPECT_EQ(FWindow->FormTabs()->tabText(0), QStringLiteral("*Main.dfm"));
    EXPECT_EQ(shownValue(QStringLiteral("Left")), QStringLiteral("208"));

    // The bottom right handle.
    const QRect rect = surface()->ComponentRect(memo);
    const QPoint corner = rect.bottomRight() + QPoint(1, 1);
    drag(corner, corner + QPoint(-84, 30));
    EXPECT_EQ(memo->Left(), 208);
    EXPECT_EQ(memo->Width(), 500);
    EXPECT_EQ(memo->Height(), 150);
}

TEST_F(DesignerWindowTest, ThePalettePlacesComponentsAndDeleteRemovesThem) {
    TQzComponentPalette* palette = FWindow->Palette();
    QTest::mouseClick(palette->ClassButton(QStringLiteral("TQzLabel")), Qt::LeftButton);
    ASSERT_NE(palette->ArmedClass(), nullptr);
    EXPECT_EQ(surface()->ArmedClass(), palette->ArmedClass());

    // A control goes into the container clicked, where it was clicked.
    const QRect header = surface()->ComponentRect(component("PnHeader"));
    const QPoint at = header.topLeft() + QPoint(400, 10);
    ASSERT_EQ(surface()->ComponentAt(at), component("PnHeader"));
    QTest::mouseClick(surface(), Qt::LeftButton, {}, at);
    settle();
    TControl* label = control("QzLabel1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), component("PnHeader"));
    EXPECT_EQ(label->Left(), 400);
    EXPECT_EQ(label->Top(), 10);
    EXPECT_EQ(selection(), QList<TPersistent*>{label});
    EXPECT_EQ(palette->ArmedClass(), nullptr);
    EXPECT_EQ(surface()->ArmedClass(), nullptr);
    EXPECT_TRUE(designer()->IsModified());

    // A non-visual component goes to the tray.
    palette->setCurrentIndex(1);
    QTest::mouseClick(palette->ClassButton(QStringLiteral("TQzTimer")), Qt::LeftButton);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, header.topLeft() + QPoint(300, 200));
    settle();
    TComponent* timer = component("QzTimer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_GT(surface()->ComponentRect(timer).top(),
              surface()->ComponentRect(designer()->GetRoot()).bottom());

    // The Delete key takes the selection away and leaves the form selected.
    QTest::keyClick(surface(), Qt::Key_Delete);
    settle();
    EXPECT_EQ(component("QzTimer1"), nullptr);
    EXPECT_EQ(selection(), QList<TPersistent*>{designer()->GetRoot()});
    click(label);
    QTest::keyClick(surface(), Qt::Key_Delete);
    EXPECT_EQ(component("QzLabel1"), nullptr);
    // The form itself stays whatever is pressed.
    QTest::keyClick(surface(), Qt::Key_Delete);
    EXPECT_NE(designer()->GetRoot(), nullptr);

    // Escape, or the armed button again, goes back to selecting.
    QTest::mouseClick(palette->ClassButton(QStringLiteral("TQzSplitter")), Qt::LeftButton);
    QTest::keyClick(surface(), Qt::Key_Escape);
    EXPECT_EQ(palette->ArmedClass(), nullptr);
    QTest::mouseClick(palette->ClassButton(QStringLiteral("TQzSplitter")), Qt::LeftButton);
    QTest::mouseClick(palette->ClassButton(QStringLiteral("TQzSplitter")), Qt::LeftButton);
    EXPECT_EQ(palette->ArmedClass(), nullptr);
}

TEST_F(DesignerWindowTest, AControlIsDroppedIntoWhatAcceptsControlsByItsStyle) {
    // Of the registered controls, these say they hold controls.
    QStringList accepting;
    for (TClass cls : RegisteredClasses()) {
        if (!cls->Meta->inherits(&TControl::staticMetaObject))
            continue;
        const std::unique_ptr<TComponent> instance(
            CreateComponentByName(cls->ClassName(), nullptr));
        if (TQzFormDrawing::AcceptsControls(instance.get()))
            accepting << cls->ClassName();
    }
    accepting.sort();
    EXPECT_EQ(accepting, QStringList({"TForm", "TFrame", "TQzGroupBox", "TQzOutLookBarPage",
                                      "TQzPanel", "TQzScrollBox", "TQzTabSheet"}));

    RegisterClasses<TTestTray, TTestBox>();
    TComponent* header = component("PnHeader");
    struct Case {
        TClass Class;
        int Left;
        bool Accepts;
    };
    for (const Case& c :
         {Case{ClassOf<TTestTray>(), 500, true}, Case{ClassOf<TTestBox>(), 640, false}}) {
        SCOPED_TRACE(c.Class->ClassName().toStdString());
        TComponent* holder = designer()->CreateComponent(c.Class, header, c.Left, 8, 120, 40);
        settle();
        QTest::mouseClick(FWindow->Palette()->ClassButton(QStringLiteral("TQzLabel")),
                          Qt::LeftButton);
        QTest::mouseClick(surface(), Qt::LeftButton, {}, spotOf(holder));
        settle();
        auto* label = qobject_cast<TControl*>(selection().value(0));
        ASSERT_NE(label, nullptr);
        // Without the style the control falls through to the panel under the box.
        EXPECT_EQ(label->Parent(), c.Accepts ? holder : header);
    }
    UnRegisterClass(ClassOf<TTestTray>());
    UnRegisterClass(ClassOf<TTestBox>());
}

TEST_F(DesignerWindowTest, DoubleClickRunsTheComponentEditor) {
    // A button has no editor of its own: the default one writes and shows its click handler.
    TQzComponentPalette* palette = FWindow->Palette();
    QTest::mouseClick(palette->ClassButton(QStringLiteral("TQzBitBtn")), Qt::LeftButton);
    const QPoint at = surface()->ComponentRect(designer()->GetRoot()).topLeft() + QPoint(600, 300);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, at);
    settle();
    TComponent* button = component("QzBitBtn1");
    ASSERT_NE(button, nullptr);
    QTest::mouseDClick(surface(), Qt::LeftButton, {}, spotOf(button));
    settle();
    EXPECT_EQ(designer()->ShownMethod(), QStringLiteral("QzBitBtn1Click"));
    EXPECT_TRUE(designer()->UnitText().contains(QStringLiteral("QzBitBtn1Click")));
    inspector()->ShowPage(TQzObjectInspector::Events);
    EXPECT_EQ(shownValue(QStringLiteral("OnClick")), QStringLiteral("QzBitBtn1Click"));
    inspector()->ShowPage(TQzObjectInspector::Properties);

    // A registered editor runs its first verb.
    TestBindings bindings;
    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Text, QStringLiteral("Hello from MmWelcome"));
        return bkOk;
    });
    QTest::mouseDClick(surface(), Qt::LeftButton, {}, spotOf(component("MmWelcome")));
    settle();
    EXPECT_TRUE(FUi.Done());
}

TEST_F(DesignerWindowTest, TheContextMenuOffersTheVerbsThenTheEditCommands) {
    TestBindings bindings;
    click(component("MmWelcome"));
    std::unique_ptr<QMenu> menu(surface()->CreateContextMenu(component("MmWelcome")));
    EXPECT_EQ(actionTexts(*menu),
              (QStringList{QStringLiteral("Say hello"), QStringLiteral("Fail"), QStringLiteral("-"),
                           QStringLiteral("Cut"), QStringLiteral("Copy"), QStringLiteral("Paste"),
                           QStringLiteral("Delete"), QStringLiteral("Select All")}));
    // What a verb raises is shown as an error.
    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Type, TQzMessageType::mtError);
        EXPECT_EQ(request.Text, QStringLiteral("The memo refuses"));
        return bkOk;
    });
    menu->actions().at(1)->trigger();
    EXPECT_TRUE(FUi.Done());
    EXPECT_NE(component("MmWelcome"), nullptr);

    // Delete from the menu.
    menu->actions().at(6)->trigger();
    settle();
    EXPECT_EQ(component("MmWelcome"), nullptr);
    EXPECT_TRUE(designer()->IsModified());

    // With several selected only the edit commands remain.
    click(component("PnHeader"));
    click(component("SbMain"), Qt::ControlModifier);
    menu.reset(surface()->CreateContextMenu(component("SbMain")));
    EXPECT_EQ(actionTexts(*menu).first(), QStringLiteral("Cut"));
}

TEST_F(DesignerWindowTest, CopyPasteAndSelectAll) {
    click(component("LbTitle"));
    surface()->CopySelection();
    // Pasted into the selected container, under a name of its own, and selected.
    click(component("PnHeader"));
    const int before = designer()->GetRoot()->ComponentCount();
    surface()->PasteComponents();
    settle();
    ASSERT_EQ(designer()->GetRoot()->ComponentCount(), before + 1);
    ASSERT_EQ(selection().size(), 1);
    auto* pasted = qobject_cast<TControl*>(selection().first());
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted, component("LbTitle"));
    EXPECT_EQ(pasted->ClassName(), QStringLiteral("TQzLabel"));
    EXPECT_EQ(pasted->Parent(), component("PnHeader"));
    EXPECT_TRUE(pasted->IsDesigning());
    EXPECT_TRUE(designer()->IsModified());

    // Select all takes what lies on the form and the tray, not the form nor what is nested.
    surface()->SelectAll();
    const QList<TPersistent*> all = selection();
    for (const char* name : {"PnHeader", "ObMain", "SplMain", "MmWelcome", "SbMain", "TmClock"})
        EXPECT_TRUE(all.contains(component(name))) << name;
    EXPECT_FALSE(all.contains(component("LbTitle")));
    EXPECT_FALSE(all.contains(designer()->GetRoot()));
}

TEST_F(DesignerWindowTest, SavingWritesTheFormAndClosingAsksAboutChanges) {
    click(component("MmWelcome"));
    const QPoint grip = spotOf(component("MmWelcome"));
    drag(grip, grip + QPoint(20, 0));
    ASSERT_TRUE(designer()->IsModified());

    // Closing with changes asks; Cancel keeps the window, No closes it without saving.
    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Text, QStringLiteral("Save changes to Main.dfm?"));
        EXPECT_EQ(request.Buttons, (TQzButtons{bkYes, bkNo, bkCancel}));
        return bkCancel;
    });
    EXPECT_FALSE(FWindow->close());
    EXPECT_TRUE(FWindow->isVisible());

    EXPECT_TRUE(FWindow->SaveForm());
    EXPECT_FALSE(designer()->IsModified());
    EXPECT_EQ(FWindow->FormTabs()->tabText(0), QStringLiteral("Main.dfm"));
    const QString text = readText(QStringLiteral("Main.dfm"));
    const qsizetype memo = text.indexOf(QStringLiteral("object MmWelcome: TQzMemo"));
    ASSERT_GE(memo, 0);
    EXPECT_EQ(text.mid(memo).section(u'\n', 1, 1).trimmed(), QStringLiteral("Left = 212"));

    // Nothing left to ask about.
    EXPECT_TRUE(FWindow->close());
}

TEST_F(DesignerWindowTest, OpenProjectChoosesAFileAndAsksAboutChangesFirst) {
    click(component("MmWelcome"));
    const QPoint grip = spotOf(component("MmWelcome"));
    drag(grip, grip + QPoint(20, 0));
    ASSERT_TRUE(designer()->IsModified());

    FUi.ExpectFile([this](const TQzFileRequest& request) {
        EXPECT_EQ(request.mode, TQzFileRequest::Open);
        EXPECT_TRUE(request.Filter.startsWith(QStringLiteral("Projects (*.dpr)")));
        EXPECT_EQ(request.Directory, FDir.path());
        return std::optional<QStringList>(QStringList{path(QStringLiteral("Demo.dpr"))});
    });
    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Text, QStringLiteral("Save changes to Main.dfm?"));
        return bkNo;
    });
    QMenu* file = FWindow->menuBar()->actions().first()->menu();
    ASSERT_NE(file, nullptr);
    file->actions().first()->trigger();
    settle();
    EXPECT_TRUE(FUi.Done());

    // The project is read again, its first form as it is stored.
    ASSERT_EQ(FWindow->FormTabs()->count(), 1);
    EXPECT_FALSE(designer()->IsModified());
    EXPECT_EQ(control("MmWelcome")->Left(), 192);
}

#include "SurfaceTest.moc"
