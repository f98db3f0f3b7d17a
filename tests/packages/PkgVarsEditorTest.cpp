// The vars package editor as a person uses it: folders and variables created, renamed, deleted,
// changed and cleared through the menus and keys, values typed into the value dialog, searches
// in both directions, package files loaded and saved; judged by the package, the designer's
// notices and the files afterwards.

#include "QzHooks.h"
#include "QzPkgVars.h"
#include "QzPkgVarsText.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "packages/QzPkgVarsEditor.h"
#include "packages/QzPkgVarsModels.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

TFrPkgVars& editor(QDialog& d) {
    return static_cast<TFrPkgVars&>(d);
}

QTreeView* tree(QDialog& d) {
    return d.findChild<QTreeView*>(QStringLiteral("TView"));
}

QTreeView* list(QDialog& d) {
    return d.findChild<QTreeView*>(QStringLiteral("LView"));
}

QAction* action(QDialog& d, const char* name) {
    auto* a = d.findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(a, nullptr) << name;
    return a;
}

void trigger(QDialog& d, const char* name) {
    QAction* a = action(d, name);
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
}

void click(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_TRUE(b && b->isEnabled()) << name;
    b->click();
}

// The tree as lines, one space of indent per level, in the order shown.
QStringList folders(QDialog& d) {
    TQzPkgVarsTreeModel* model = editor(d).Tree();
    QStringList lines;
    for (QModelIndex i = model->RootIndex(); i.isValid(); i = model->NextNode(i)) {
        int depth = 0;
        for (QModelIndex p = i.parent(); p.isValid(); p = p.parent())
            ++depth;
        lines << QString(depth, u' ') + i.data().toString();
    }
    return lines;
}

// The list as "name value" lines.
QStringList rows(QDialog& d) {
    const TQzPkgVarsListModel* model = editor(d).List();
    QStringList lines;
    for (int r = 0; r < model->rowCount(); ++r)
        lines << model->index(r, 0).data().toString() + u' ' + model->index(r, 1).data().toString();
    return lines;
}

QString selectedFolder(QDialog& d) {
    return editor(d).SelectedNode().data().toString();
}

QString selectedRow(QDialog& d) {
    const int row = editor(d).SelectedRow();
    return row < 0 ? QString() : editor(d).List()->Item(row)->Ident();
}

QString status(QDialog& d) {
    return d.findChild<QStatusBar*>(QStringLiteral("SBar"))->currentMessage();
}

// Types `name` into the open in-place editor of `view` and presses Enter.
void typeName(QTreeView* view, const QString& name) {
    auto* edit = qobject_cast<QLineEdit*>(view->indexWidget(view->currentIndex()));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
    // The view takes the text once the editor closes, from the event loop.
    QCoreApplication::processEvents();
}

class PkgVarsEditor : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(Dir.isValid());
        QzSetAppPath(Dir.path());
        // A package of a designed form: the designer hears of its changes.
        Root.SetName("Form1");
        Root.SetDesigning(true);
        Root.SetDesigner(&Root);
        Pkg = new TQzPkgVars(&Root);
        Pkg->SetDesigning(true);
        Pkg->SetPkgName("Settings");
        QzDsgnModified = [this](TComponent*) {
            ++Told;
        };
        Pkg->Add("General", TQzPkgVarsItem::vtFolder);
        Pkg->Add("General\\Title", TQzPkgVarsItem::vtString)->SetVString("Demo");
        Pkg->Add("General\\Count", TQzPkgVarsItem::vtInteger)->SetVInteger(3);
        Pkg->Add("General\\Colours", TQzPkgVarsItem::vtFolder);
        Pkg->Add("General\\Colours\\Dark", TQzPkgVarsItem::vtBoolean)->SetVBoolean(true);
        Pkg->Add("Zeta", TQzPkgVarsItem::vtFolder);
        Pkg->Add("alpha", TQzPkgVarsItem::vtFolder);
        Pkg->Add("alpha\\Ratio", TQzPkgVarsItem::vtFloat)->SetVFloat(0.5);
        Pkg->Add("Version", TQzPkgVarsItem::vtString)->SetVString("1.0");
    }
    void TearDown() override {
        QzDsgnModified = nullptr;
        QzSetAppPath(QString());
    }

    // Runs the editor on Pkg with `act` driving it; closes it with Ok when `act` did not.
    void run(std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrPkgVars"), [act](QDialog& d) {
            // Keys reach the views only in the active window.
            d.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            act(d);
            if (d.isVisible())
                static_cast<TQzDialog&>(d).OkButton()->click();
        });
        TFrPkgVars e;
        e.Pkg = Pkg;
        e.Execute();
    }

    void selectFolder(QDialog& d, const QString& path) {
        const TQzPkgVarsItem* folder = Pkg->Find(path);
        const QModelIndex node =
            folder ? editor(d).Tree()->IndexOf(folder) : editor(d).Tree()->RootIndex();
        tree(d)->setFocus();
        tree(d)->setCurrentIndex(node);
    }

    void selectRow(QDialog& d, const QString& name) {
        const TQzPkgVarsListModel* model = editor(d).List();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->Item(r)->Ident() == name) {
                list(d)->setFocus();
                list(d)->setCurrentIndex(model->index(r, 0));
                return;
            }
        ADD_FAILURE() << "no row " << name.toStdString();
    }

    QTemporaryDir Dir;
    TComponent Root;
    TQzPkgVars* Pkg = nullptr;
    int Told = 0;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(PkgVarsEditor, ShowsTheFoldersSortedAndTheVariablesOfTheSelectedFolder) {
    run([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "PkgVars : Settings");
        EXPECT_EQ(folders(d),
                  (QStringList{"Settings", " alpha", " General", "  Colours", " Zeta"}));
        EXPECT_TRUE(tree(d)->isExpanded(editor(d).Tree()->RootIndex()));
        EXPECT_EQ(selectedFolder(d), "Settings");
        EXPECT_EQ(rows(d), QStringList{"Version \"1.0\""});
        EXPECT_EQ(status(d), "Settings");
        EXPECT_EQ(d.findChild<QLabel*>("Label6")->text(), "DFM");
        EXPECT_EQ(d.findChild<QLabel*>("Label7")->text(), "(Memory)");
        selectFolder(d, "General");
        EXPECT_EQ(rows(d), (QStringList{"Title \"Demo\"", "Count \"3\""}));
        EXPECT_EQ(status(d), "Settings\\General");
        selectFolder(d, "General\\Colours");
        EXPECT_EQ(rows(d), QStringList{"Dark \"True\""});
        EXPECT_EQ(status(d), "Settings\\General\\Colours");
        selectFolder(d, "alpha");
        EXPECT_EQ(rows(d), QStringList{"Ratio \"0.5\""});
        // The package itself can be neither renamed nor deleted.
        selectFolder(d, "");
        EXPECT_FALSE(action(d, "Delete1")->isEnabled());
        EXPECT_FALSE(action(d, "ChangeName1")->isEnabled());
        EXPECT_TRUE(action(d, "New1")->isEnabled());
        EXPECT_FALSE(action(d, "Modify1")->isEnabled());
        selectRow(d, "Version");
        EXPECT_TRUE(action(d, "Modify1")->isEnabled());
    });

    // A package without a name shows "Unknown".
    Pkg->SetPkgName("");
    run([](QDialog& d) { EXPECT_EQ(folders(d).first(), "Unknown"); });
}

TEST_F(PkgVarsEditor, TheWindowOpensCentredOnceAndThenWhereItWasLeft) {
    ASSERT_EQ(Pkg->Data()->FEditorLeft, QzNeverPlaced);
    QRect shown;
    run([&](QDialog& d) {
        d.setGeometry(40, 50, 720, 480);
        shown = d.geometry();
    });
    EXPECT_EQ(Pkg->Data()->FEditorLeft, shown.left());
    EXPECT_EQ(Pkg->Data()->FEditorWidth, 720);
    EXPECT_EQ(Told, 1);
    // Opened again where it was left; nothing moved, nothing to tell.
    run([&](QDialog& d) { EXPECT_EQ(d.geometry(), shown); });
    EXPECT_EQ(Told, 1);
}

TEST_F(PkgVarsEditor, NewFoldersAndVariablesGetFreeNamesAndCanBeRenamedInPlace) {
    run([&](QDialog& d) {
        // Two new folders in one place are numbered 1 and 2.
        selectFolder(d, "Zeta");
        trigger(d, "NewSubFolder1");
        EXPECT_NE(tree(d)->indexWidget(tree(d)->currentIndex()), nullptr);
        QTest::keyClick(tree(d)->indexWidget(tree(d)->currentIndex()), Qt::Key_Escape);
        EXPECT_EQ(selectedFolder(d), "New Folder #1");
        // "New" beside a folder: in the same parent.
        trigger(d, "New1");
        EXPECT_EQ(selectedFolder(d), "New Folder #2");
        QTest::keyClick(tree(d)->indexWidget(tree(d)->currentIndex()), Qt::Key_Escape);
        // Once the first is renamed, its number is free again.
        selectFolder(d, "Zeta\\New Folder #1");
        trigger(d, "ChangeName1");
        typeName(tree(d), "Inputs");
        EXPECT_NE(Pkg->Find("Zeta\\Inputs"), nullptr);
        EXPECT_EQ(status(d), "Settings\\Zeta\\Inputs");
        trigger(d, "New1");
        EXPECT_EQ(selectedFolder(d), "New Folder #1");
        ASSERT_NE(Pkg->Find("Zeta\\New Folder #1"), nullptr);
        // A name a sibling has is refused with the runtime's message; the name stays.
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("already")) << r.Text.toStdString();
            return bkOk;
        });
        typeName(tree(d), "inputs");
        EXPECT_EQ(selectedFolder(d), "New Folder #1");
        // Renamed folders move to their sorted place.
        trigger(d, "ChangeName1");
        typeName(tree(d), "Aardvark");
        EXPECT_EQ(folders(d), (QStringList{"Settings", " alpha", " General", "  Colours", " Zeta",
                                           "  Aardvark", "  Inputs", "  New Folder #2"}));
        EXPECT_EQ(selectedFolder(d), "Aardvark");

        // New on the package makes a top-level folder; variables of each type start empty.
        selectFolder(d, "");
        trigger(d, "New1");
        EXPECT_NE(Pkg->Find("New Folder #1"), nullptr);
        const char* types[] = {"NewString1", "NewInteger1", "NewFloat1", "NewBoolean1"};
        for (const char* type : types) {
            trigger(d, type);
            EXPECT_NE(list(d)->indexWidget(list(d)->currentIndex()), nullptr) << type;
            QTest::keyClick(list(d)->indexWidget(list(d)->currentIndex()), Qt::Key_Escape);
        }
        EXPECT_EQ(rows(d), (QStringList{"New Var #1 \"\"", "New Var #2 \"0\"", "New Var #3 \"0\"",
                                        "New Var #4 \"False\""}));
        EXPECT_EQ(selectedRow(d), "New Var #4");
        trigger(d, "ChangeName2");
        typeName(list(d), "Enabled");
        EXPECT_EQ(Pkg->Find("New Folder #1\\Enabled")->ItemType(), TQzPkgVarsItem::vtBoolean);
    });
    EXPECT_GT(Told, 8);
}

TEST_F(PkgVarsEditor, DeletingAsksFirstAndMovesTheSelectionToANeighbour) {
    Pkg->Add("General\\Last", TQzPkgVarsItem::vtString);
    run([&](QDialog& d) {
        selectFolder(d, "Zeta");
        // Declined: nothing goes.
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 34);
            EXPECT_EQ(r.Buttons, (TQzButtons{bkYes, bkNo}));
            EXPECT_EQ(r.Default, bkYes);
            return bkNo;
        });
        trigger(d, "Delete1");
        EXPECT_NE(Pkg->Find("Zeta"), nullptr);
        // The last folder of its parent hands the selection to the one before it.
        Ui.ExpectMessage(34, bkYes);
        tree(d)->setFocus();
        QTest::keyClick(tree(d), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(Pkg->Find("Zeta"), nullptr);
        EXPECT_EQ(selectedFolder(d), "General");
        // A folder goes with everything in it.
        Ui.ExpectMessage(34, bkYes);
        trigger(d, "Delete1");
        EXPECT_EQ(Pkg->Find("General"), nullptr);
        EXPECT_EQ(folders(d), (QStringList{"Settings", " alpha"}));

        selectFolder(d, "");
        trigger(d, "NewString1");
        QTest::keyClick(list(d)->indexWidget(list(d)->currentIndex()), Qt::Key_Escape);
        trigger(d, "NewString1");
        QTest::keyClick(list(d)->indexWidget(list(d)->currentIndex()), Qt::Key_Escape);
        // The last row hands the selection to the one before; another row to the one after.
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 35);
            EXPECT_EQ(r.Default, bkYes);
            return bkYes;
        });
        trigger(d, "Delete2");
        EXPECT_EQ(selectedRow(d), "New Var #1");
        selectRow(d, "Version");
        Ui.ExpectMessage(35, bkYes);
        QTest::keyClick(list(d), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(selectedRow(d), "New Var #1");
        // The only row leaves no selection.
        Ui.ExpectMessage(35, bkYes);
        trigger(d, "Delete2");
        EXPECT_EQ(selectedRow(d), "");
        EXPECT_TRUE(rows(d).isEmpty());
        EXPECT_FALSE(action(d, "Delete2")->isEnabled());
    });
    EXPECT_EQ(Pkg->Find("Version"), nullptr);
}

TEST_F(PkgVarsEditor, ValuesAreTypedAsTheirTypeReadsThem) {
    struct Case {
        const char* Path;
        const char* Type;
        QString Refused;
        QString Typed;
        QString Shown;
    };
    const Case cases[] = {
        {"General\\Colours\\Dark", "(Boolean)", "yes", "false", "\"False\""},
        {"General\\Colours\\Dark", "(Boolean)", "True ", "true", "\"True\""},
        {"General\\Count", "(Integer)", "12x", " -40 ", "\"-40\""},
        {"General\\Count", "(Integer)", "3000000000", "2147483647", "\"2147483647\""},
        {"alpha\\Ratio", "(Float)", "1,5", "0.1", "\"0.1\""},
        {"alpha\\Ratio", "(Float)", "", "-1e-300", "\"-1e-300\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed.toStdString());
        run([&](QDialog& d) {
            const QString path = QString::fromLatin1(c.Path);
            selectFolder(d, path.section(u'\\', 0, -2));
            selectRow(d, path.section(u'\\', -1));
            Ui.ExpectDialog("TFrPkgVarsModify", [&](QDialog& m) {
                EXPECT_EQ(m.windowTitle(), "Edit Value");
                EXPECT_EQ(m.findChild<QLineEdit*>("EdNameVar")->text(), path.section(u'\\', -1));
                EXPECT_TRUE(m.findChild<QLineEdit*>("EdNameVar")->isReadOnly());
                EXPECT_EQ(m.findChild<QLabel*>("Label2")->text(),
                          QStringLiteral("&Value Information %1:").arg(QLatin1String(c.Type)));
                auto* value = m.findChild<QLineEdit*>("EdValue");
                value->setText(c.Refused);
                Ui.ExpectMessage([](const TQzMessageRequest& r) {
                    EXPECT_EQ(r.Text, "Incorrect Format");
                    return bkOk;
                });
                static_cast<TQzDialog&>(m).OkButton()->click();
                EXPECT_TRUE(m.isVisible());
                value->setText(c.Typed);
                static_cast<TQzDialog&>(m).OkButton()->click();
            });
            // Enter on a row changes its value, as a double-click does.
            QTest::keyClick(list(d), Qt::Key_Return);
            EXPECT_TRUE(rows(d).contains(path.section(u'\\', -1) + u' ' + c.Shown))
                << rows(d).join(u'|').toStdString();
        });
    }
    EXPECT_EQ(Pkg->Find("alpha\\Ratio")->VFloat(), -1e-300);
    // A cancelled value dialog changes nothing.
    run([&](QDialog& d) {
        selectFolder(d, "General");
        selectRow(d, "Title");
        Ui.ExpectDialog("TFrPkgVarsModify", [](QDialog& m) {
            m.findChild<QLineEdit*>("EdValue")->setText("changed");
            QTest::keyClick(&m, Qt::Key_Escape);
        });
        Q_EMIT list(d)->doubleClicked(list(d)->currentIndex());
    });
    EXPECT_EQ(Pkg->Find("General\\Title")->VString(), "Demo");
}

TEST_F(PkgVarsEditor, ChangingATypeAsksAndConvertsTheValue) {
    Pkg->Add("General\\Number", TQzPkgVarsItem::vtString)->SetVString("12");
    Pkg->Add("Empty", TQzPkgVarsItem::vtFolder);
    run([&](QDialog& d) {
        selectFolder(d, "General");
        selectRow(d, "Number");
        editor(d).PopupLView1Popup();
        EXPECT_TRUE(action(d, "String3")->isChecked());
        // Cancelled: the type and the radio item stay.
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 36);
            EXPECT_EQ(r.Buttons, (TQzButtons{bkOk, bkCancel}));
            return bkCancel;
        });
        trigger(d, "Integer3");
        EXPECT_TRUE(action(d, "String3")->isChecked());
        EXPECT_EQ(Pkg->Find("General\\Number")->ItemType(), TQzPkgVarsItem::vtString);
        Ui.ExpectMessage(36, bkOk);
        trigger(d, "Integer3");
        EXPECT_EQ(Pkg->Find("General\\Number")->VInteger(), 12);
        EXPECT_TRUE(rows(d).contains("Number \"12\""));
        // The same type again asks nothing.
        trigger(d, "Integer3");

        // With the tree in focus the folder is the subject: an empty one becomes a variable.
        selectFolder(d, "Empty");
        Ui.ExpectMessage(36, bkOk);
        trigger(d, "Float3");
        EXPECT_EQ(Pkg->Find("Empty")->ItemType(), TQzPkgVarsItem::vtFloat);
        EXPECT_EQ(selectedFolder(d), "Settings");
        EXPECT_EQ(selectedRow(d), "Empty");
        EXPECT_FALSE(folders(d).contains(" Empty"));
        // A folder that holds something stays one.
        selectFolder(d, "alpha");
        Ui.ExpectMessage(36, bkOk);
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("only an empty folder")) << r.Text.toStdString();
            return bkOk;
        });
        trigger(d, "Float3");
        EXPECT_TRUE(Pkg->Find("alpha")->IsFolder());
    });
}

TEST_F(PkgVarsEditor, ClearFolderKeepsSubfoldersAndClearAllLeavesThePackageEmpty) {
    run([&](QDialog& d) {
        selectFolder(d, "General");
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 60);
            EXPECT_EQ(r.Default, bkCancel);
            return bkCancel;
        });
        click(d, "BtClearFolder");
        EXPECT_EQ(rows(d).size(), 2);
        Ui.ExpectMessage(60, bkOk);
        trigger(d, "ClearAll2");
        EXPECT_TRUE(rows(d).isEmpty());
        EXPECT_NE(Pkg->Find("General\\Colours\\Dark"), nullptr);
        EXPECT_FALSE(d.findChild<QPushButton*>("BtClearFolder")->isEnabled());

        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 59);
            EXPECT_EQ(r.Default, bkCancel);
            return bkOk;
        });
        click(d, "BtClearAll");
        EXPECT_EQ(folders(d), QStringList{"Settings"});
        EXPECT_EQ(selectedFolder(d), "Settings");
        EXPECT_TRUE(rows(d).isEmpty());
        EXPECT_EQ(Pkg->Items()->Count(), 0);
        EXPECT_FALSE(d.findChild<QPushButton*>("BtClearAll")->isEnabled());
    });
    EXPECT_GE(Told, 2);
}

TEST_F(PkgVarsEditor, FindWalksTheFoldersEitherWayAndStartsOverAfterTheEnd) {
    Pkg->Add("Zeta\\Note", TQzPkgVarsItem::vtString)->SetVString("dark side");
    run([&](QDialog& d) {
        // Down, case-insensitive: folder names, variable names and values, in tree order.
        Ui.ExpectFind(TQzFindRequest{"dark", false, false, true});
        QTest::keyClick(&d, Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(selectedFolder(d), "Colours");
        EXPECT_EQ(selectedRow(d), "Dark");
        EXPECT_TRUE(list(d)->hasFocus());
        QTest::keyClick(&d, Qt::Key_F3);
        EXPECT_EQ(selectedFolder(d), "Zeta");
        EXPECT_EQ(selectedRow(d), "Note");
        // The end: message 2, no row selected, and the next search starts from the top.
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 2);
            EXPECT_EQ(r.Type, TQzMessageType::mtInformation);
            EXPECT_EQ(r.Buttons, TQzButtons{bkOk});
            return bkOk;
        });
        QTest::keyClick(&d, Qt::Key_F3);
        EXPECT_EQ(selectedRow(d), "");
        QTest::keyClick(&d, Qt::Key_F3);
        EXPECT_EQ(selectedRow(d), "Dark");

        // A folder's name selects the folder and focuses the tree; whole words must equal. The
        // search goes on from the last match, so it first reaches the end.
        Ui.ExpectFind(TQzFindRequest{"general", false, true, true});
        Ui.ExpectMessage(2, bkOk);
        click(d, "BtFind");
        QTest::keyClick(&d, Qt::Key_F3);
        EXPECT_EQ(selectedFolder(d), "General");
        EXPECT_EQ(selectedRow(d), "");
        EXPECT_TRUE(tree(d)->hasFocus());
        // Matching case finds nothing in "General".
        Ui.ExpectFind(TQzFindRequest{"general", true, false, true});
        Ui.ExpectMessage(2, bkOk);
        click(d, "BtFind");

        // Up from the start: from the very last folder.
        Ui.ExpectFind(TQzFindRequest{"e", false, false, false});
        click(d, "BtFind");
        EXPECT_EQ(selectedFolder(d), "Zeta");
        EXPECT_EQ(selectedRow(d), "Note");
        QTest::keyClick(&d, Qt::Key_F3);
        EXPECT_EQ(selectedFolder(d), "Zeta");
        EXPECT_EQ(selectedRow(d), "");
        // Found by its name going up, the folder is done with: on to the one before.
        QTest::keyClick(&d, Qt::Key_F3);
        EXPECT_EQ(selectedFolder(d), "Colours");
        EXPECT_EQ(selectedRow(d), "Dark");
        // "Colours" has no "e" in its name: on to the folder before it.
        QTest::keyClick(&d, Qt::Key_F3);
        EXPECT_EQ(selectedFolder(d), "General");
        EXPECT_EQ(selectedRow(d), "Title");
        // A cancelled find dialog searches nothing.
        Ui.ExpectFind(std::nullopt);
        click(d, "BtFind");
        EXPECT_EQ(selectedRow(d), "Title");
    });

    // Up from the start, the folders below the last top-level folder are searched too.
    Pkg->Add("Zeta\\Deep", TQzPkgVarsItem::vtFolder);
    Pkg->Add("Zeta\\Deep\\Needle", TQzPkgVarsItem::vtInteger);
    run([&](QDialog& d) {
        Ui.ExpectFind(TQzFindRequest{"needle", false, false, false});
        click(d, "BtFind");
        EXPECT_EQ(selectedFolder(d), "Deep");
        EXPECT_EQ(selectedRow(d), "Needle");
    });
}

TEST_F(PkgVarsEditor, PackageFilesLoadAndSaveAndAFileThatFailsChangesNothing) {
    TQzPkgVars other;
    other.Add("FromFile", TQzPkgVarsItem::vtInteger)->SetVInteger(7);
    other.SaveToFile(Dir.filePath("Other.pvr"));
    QFile damaged(Dir.filePath("Damaged.pvr"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("QZPK not really a package");
    damaged.close();

    run([&](QDialog& d) {
        // Load From a damaged file: the runtime's message, the package as it was.
        Ui.ExpectFile([&](const TQzFileRequest& r) {
            EXPECT_EQ(r.mode, TQzFileRequest::Open);
            EXPECT_EQ(r.Filter, "Package Vars (*.pvr);;All files (*.*)");
            return QStringList{Dir.filePath("Damaged.pvr")};
        });
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.Type, TQzMessageType::mtError);
            return bkOk;
        });
        click(d, "BtLoadFrom");
        EXPECT_NE(Pkg->Find("General\\Title"), nullptr);
        Ui.ExpectFile(
            [&](const TQzFileRequest&) { return QStringList{Dir.filePath("Other.pvr")}; });
        click(d, "BtLoadFrom");
        EXPECT_EQ(rows(d), QStringList{"FromFile \"7\""});
        EXPECT_EQ(folders(d), QStringList{"Settings"});

        // Save To a place that cannot be written: the message, nothing else.
        Ui.ExpectFile([&](const TQzFileRequest& r) {
            EXPECT_EQ(r.mode, TQzFileRequest::Save);
            return QStringList{Dir.filePath("missing/folder/x.pvr")};
        });
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkOk; });
        click(d, "BtSaveTo");
        Ui.ExpectFile([&](const TQzFileRequest&) { return std::nullopt; });
        click(d, "BtSaveTo");

        // Save through the package file dialog: the package is kept in its file from now on.
        Ui.ExpectDialog("TFrPkgLoadSave", [](QDialog& s) {
            EXPECT_EQ(s.windowTitle(), "Save PkgVars");
            s.findChild<QLineEdit*>("EdFileName")->setText("Saved");
            s.findChild<QComboBox*>("EdInitMode")->setCurrentText("FILE");
            static_cast<TQzDialog&>(s).OkButton()->click();
        });
        click(d, "BtSave");
        EXPECT_EQ(d.findChild<QLabel*>("Label6")->text(), "FILE");
        EXPECT_TRUE(d.findChild<QLabel*>("Label7")->text().endsWith("Saved.pvr"));
        // A change now goes to the file on close, not to the designer.
        const int told = Told;
        selectRow(d, "FromFile");
        Ui.ExpectDialog("TFrPkgVarsModify", [](QDialog& m) {
            m.findChild<QLineEdit*>("EdValue")->setText("8");
            static_cast<TQzDialog&>(m).OkButton()->click();
        });
        trigger(d, "Modify1");
        EXPECT_EQ(Told, told);

        // A cancelled load keeps the folder and row the person was on.
        selectRow(d, "FromFile");
        Ui.ExpectDialog("TFrPkgLoadSave", [](QDialog& s) { QTest::keyClick(&s, Qt::Key_Escape); });
        click(d, "BtLoad");
        EXPECT_EQ(selectedRow(d), "FromFile");
    });
    TQzPkgVars saved;
    saved.LoadFromFile(Dir.filePath("Saved.pvr"));
    EXPECT_EQ(saved.Find("FromFile")->VInteger(), 8);

    // Changed on disk since: the editor reads the file again when it opens.
    TQzPkgVars changed;
    changed.Add("Fresh", TQzPkgVarsItem::vtBoolean);
    QTest::qWait(20);
    changed.SaveToFile(Dir.filePath("Saved.pvr"));
    run([](QDialog& d) { EXPECT_EQ(rows(d), QStringList{"Fresh \"False\""}); });

    // Loaded through the package file dialog.
    run([&](QDialog& d) {
        Ui.ExpectDialog("TFrPkgLoadSave", [](QDialog& s) {
            EXPECT_EQ(s.windowTitle(), "Load PkgVars");
            s.findChild<QLineEdit*>("EdFileName")->setText("Other");
            static_cast<TQzDialog&>(s).OkButton()->click();
        });
        click(d, "BtLoad");
        EXPECT_EQ(rows(d), QStringList{"FromFile \"7\""});
    });
}

// Twenty thousand variables in two thousand folders: every folder is in the tree and a search
// reaches the last variable.
TEST_F(PkgVarsEditor, ALargePackageOpensWhole) {
    Pkg->Clear();
    for (int f = 0; f < 200; ++f) {
        const QString top = QStringLiteral("Group %1").arg(f, 3, 10, QChar(u'0'));
        Pkg->Add(top, TQzPkgVarsItem::vtFolder);
        for (int s = 0; s < 9; ++s) {
            const QString sub = top + QStringLiteral("\\Part %1").arg(s);
            Pkg->Add(sub, TQzPkgVarsItem::vtFolder);
            for (int v = 0; v < 10; ++v)
                Pkg->Add(sub + QStringLiteral("\\Var %1").arg(v), TQzPkgVarsItem::vtInteger)
                    ->SetVInteger(f * 100 + s * 10 + v);
        }
        for (int v = 0; v < 10; ++v)
            Pkg->Add(top + QStringLiteral("\\Var %1").arg(v), TQzPkgVarsItem::vtInteger);
    }
    run([&](QDialog& d) {
        EXPECT_EQ(folders(d).size(), 2001);
        tree(d)->expandAll();
        Ui.ExpectFind(TQzFindRequest{"19989", false, true, true});
        click(d, "BtFind");
        EXPECT_EQ(selectedFolder(d), "Part 8");
        EXPECT_EQ(selectedRow(d), "Var 9");
        EXPECT_EQ(status(d), "Settings\\Group 199\\Part 8");
    });
}
