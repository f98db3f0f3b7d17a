// The label, message and text pickers as a person uses them: opened on a reference, driven
// through their edits, list, buttons and menus with the add dialogs and message boxes answered by
// the scripted UI, and judged by the reference, the package and the files afterwards.

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgStrings.h"
#include "QzRefs.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "pickers/QzMemoryLabel.h"
#include "pickers/QzMemoryTexts.h"
#include "pickers/QzPickerList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

template <typename T>
T* child(QWidget& dialog, const QString& name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

QLineEdit* edit(QWidget& d, const char* name) {
    return child<QLineEdit>(d, QString::fromLatin1(name));
}

QPushButton* button(QWidget& d, const char* name) {
    return child<QPushButton>(d, QString::fromLatin1(name));
}

void click(QWidget& d, const char* name) {
    QPushButton* b = button(d, name);
    ASSERT_TRUE(b->isEnabled()) << name;
    b->click();
}

void ok(QDialog& d) {
    static_cast<TQzDialog&>(d).OkButton()->click();
}

TQzPickerList* list(QWidget& d, const char* name) {
    return child<TQzPickerList>(d, QString::fromLatin1(name));
}

// The rows of a picker's list as "id text".
QStringList rows(QWidget& d, const char* name) {
    QStringList lines;
    for (TQzPkgItem* item : list(d, name)->Model()->Rows())
        lines << QStringLiteral("%1 %2").arg(item->Id()).arg(QzPickerItemText(item));
    return lines;
}

// The selected row's id, or -1.
int selectedId(QWidget& d, const char* name) {
    TQzPickerList* l = list(d, name);
    TQzPkgItem* item = l->Model()->Item(l->CurrentRow());
    return item ? item->Id() : -1;
}

QString status(QWidget& d) {
    return child<QStatusBar>(d, "StatusBar1")->currentMessage();
}

void typeInto(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
}

class Pickers : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(Dir.isValid());
        QzSetAppPath(Dir.path());
        User = std::make_unique<TQzPkgStrings>();
        User->SetPkgName("User");
        User->Labels()->Add(3, "Cherry", "red fruit");
        User->Labels()->Add(1, "apple", "green");
        User->Labels()->Add(2, "Banana");
        User->Labels()->Add(10, "banana split");
        User->Messages()->Add(5, "Save changes?");
        User->Messages()->Add(6, "File not found");
        User->Messages()->Add(7, " saved");
        User->Texts()->Add(1, "Line one\r\nLine two");
        System = std::make_unique<TQzPkgStrings>();
        System->SetPkgName("System");
        System->Labels()->Add(1, "Ok");
        System->Labels()->Add(2, "Cancel");
        App = std::make_unique<TQzCApplication>();
        Heard.clear();
        FListener = QzAddFormsListener([this](int code, QObject* object) {
            Heard << QStringLiteral("%1 %2").arg(code).arg(
                static_cast<TQzPkgInfo*>(object)->GetPkgName());
        });
    }
    void TearDown() override {
        QzRemoveFormsListener(FListener);
        QzSetAppPath(QString());
    }

    // Runs a picker of class TPicker on `ref` with `act` driving it; returns the modal result.
    template <typename TPicker>
    int run(TQzMemoryRef& ref, const char* className, std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QString::fromLatin1(className), std::move(act));
        TPicker picker;
        picker.SetReference(&ref);
        return picker.Execute();
    }

    QTemporaryDir Dir;
    std::unique_ptr<TQzPkgStrings> User;
    std::unique_ptr<TQzPkgStrings> System;
    std::unique_ptr<TQzCApplication> App;
    QStringList Heard;
    int FListener = 0;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(Pickers, OpensOnTheReferenceItsDefaultOrUserAndStoresTheChoiceOnlyOnOk) {
    struct Case {
        QString PkgName;
        int Id;
        bool HasDefault;
        QString ShownPkg;
        QString ShownId;
        int Selected;
    };
    const Case cases[] = {
        {"User", 2, false, "User", "2", 2},
        {"", 3, false, "User", "3", 3},
        // -2 with a default opens on the default item; without one it selects nothing.
        {"System", -2, true, "User", "10", 10},
        {"System", -2, false, "System", "-2", -1},
        {"Nowhere", 1, false, "Nowhere", "1", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.PkgName.toStdString() + " " + std::to_string(c.Id));
        TQzMemoryLabel ref;
        if (c.HasDefault)
            ref.SetDefault("User", 10);
        ref.PkgId(c.PkgName, c.Id);
        const int result = run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Labels");
            EXPECT_EQ(child<QComboBox>(d, "EdPkg")->currentText(), c.ShownPkg);
            EXPECT_EQ(edit(d, "EdId")->text(), c.ShownId);
            EXPECT_EQ(selectedId(d, "Labels"), c.Selected);
            EXPECT_EQ(button(d, "BtDefault")->isEnabled(), c.HasDefault);
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        EXPECT_EQ(result, 2);
        EXPECT_EQ(ref.PkgName(), c.PkgName);
        EXPECT_EQ(ref.Id(), c.Id);
    }

    // OK on the default's own item stores -2; on another item its number.
    TQzMemoryLabel ref;
    ref.SetDefault("user", 10);
    ref.PkgId("User", 1);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [](QDialog& d) {
        typeInto(edit(d, "EdId"), "10");
        EXPECT_EQ(edit(d, "EdLabel")->text(), "banana split");
        ok(d);
    });
    EXPECT_EQ(ref.Id(), -2);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [](QDialog& d) {
        typeInto(edit(d, "EdId"), "3");
        EXPECT_EQ(child<QPlainTextEdit>(d, "EdHint")->toPlainText(), "red fruit");
        ok(d);
    });
    EXPECT_EQ(ref.Id(), 3);
    // A double-click on the list chooses.
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [](QDialog& d) {
        TQzPickerList* l = list(d, "Labels");
        l->SelectRow(0);
        Q_EMIT l->doubleClicked(l->Model()->index(0));
    });
    EXPECT_EQ(ref.Id(), 1);
}

TEST_F(Pickers, NullDefaultAndTypedIdsEndUpInTheReference) {
    struct Case {
        const char* Button;
        QString TypedId;
        int Stored;
    };
    const Case cases[] = {
        {"BtNull", "", -1},
        {"BtDefault", "", -2},
        // Letters never reach the Id edit; an empty one is the default on OK.
        {nullptr, "x", -2},
        {nullptr, "12345", 1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.TypedId.toStdString());
        TQzMemoryLabel ref;
        ref.SetDefault("System", 1);
        ref.PkgId("User", 3);
        run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [&](QDialog& d) {
            if (c.Button) {
                click(d, c.Button);
                return;
            }
            typeInto(edit(d, "EdId"), c.TypedId);
            EXPECT_EQ(selectedId(d, "Labels"), -1);
            EXPECT_EQ(edit(d, "EdLabel")->text(), "");
            ok(d);
        });
        EXPECT_EQ(ref.PkgName(), "User");
        EXPECT_EQ(ref.Id(), c.Stored);
    }
}

TEST_F(Pickers, LabelSearchFollowsTheOrderChosen) {
    TQzMemoryLabel ref;
    ref.PkgId("User", -1);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [](QDialog& d) {
        EXPECT_EQ(rows(d, "Labels"),
                  QStringList({"1 apple", "2 Banana", "10 banana split", "3 Cherry"}));
        QLineEdit* search = edit(d, "EdLabel");
        // By text: the first label not below what is typed.
        typeInto(search, "BANANA S");
        EXPECT_EQ(selectedId(d, "Labels"), 10);
        EXPECT_EQ(edit(d, "EdId")->text(), "10");
        typeInto(search, "b");
        EXPECT_EQ(selectedId(d, "Labels"), 2);
        // Above every label: the selection stays.
        search->setText("");
        QTest::keyClicks(search, "zz");
        EXPECT_EQ(selectedId(d, "Labels"), 2);
        EXPECT_EQ(search->text(), "zz");

        child<QRadioButton>(d, "OrderId")->click();
        EXPECT_EQ(rows(d, "Labels"),
                  QStringList({"1 apple", "2 Banana", "3 Cherry", "10 banana split"}));
        // By id: the first label that begins with it.
        typeInto(search, "ch");
        EXPECT_EQ(selectedId(d, "Labels"), 3);
        search->setText("");
        QTest::keyClicks(search, "split");
        EXPECT_EQ(selectedId(d, "Labels"), 3);
        EXPECT_EQ(status(d), "4 Labels");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

TEST_F(Pickers, MessageAndTextSearchFilterTheList) {
    TQzMemoryMessage message;
    message.PkgId("User", 6);
    run<TFrMemoryMessage>(message, "TFrMemoryMessage", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Messages");
        EXPECT_EQ(selectedId(d, "Messages"), 6);
        QLineEdit* search = edit(d, "EdMessage");
        typeInto(search, "   ");
        EXPECT_EQ(rows(d, "Messages").size(), 3);
        // The filter is not trimmed: " S" is in " saved" only... and in "Save changes?" not.
        typeInto(search, " s");
        EXPECT_EQ(rows(d, "Messages"), QStringList({"7  saved"}));
        typeInto(search, "E");
        EXPECT_EQ(rows(d, "Messages").size(), 3);
        // A click only puts the id in the Id edit.
        list(d, "Messages")->SelectRow(1);
        EXPECT_EQ(edit(d, "EdId")->text(), "6");
        EXPECT_EQ(search->text(), "E");
        EXPECT_EQ(status(d), "3 Messages");
        ok(d);
    });
    EXPECT_EQ(message.Id(), 6);

    TQzMemoryText text;
    text.PkgId("User", 1);
    run<TFrMemoryText>(text, "TFrMemoryText", [](QDialog& d) {
        EXPECT_EQ(child<QPlainTextEdit>(d, "EdTexto")->toPlainText(), "Line one\nLine two");
        typeInto(edit(d, "EdId"), "9");
        EXPECT_EQ(child<QPlainTextEdit>(d, "EdTexto")->toPlainText(), "");
        EXPECT_EQ(status(d), "1 Text");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

TEST_F(Pickers, AddModifyAndDeleteGoThroughTheAddDialogs) {
    TQzMemoryLabel ref;
    ref.PkgId("User", 1);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [&](QDialog& d) {
        // Add: the unused id is proposed; a refused id is shown and the dialog stays open.
        Ui.ExpectDialog("TFrMemoryLabelAdd", [&](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Add Label");
            EXPECT_EQ(edit(add, "EdId")->text(), "11");
            EXPECT_FALSE(child<QCheckBox>(add, "EdProtected")->isVisible());
            edit(add, "EdLabel")->setText("Date");
            child<QPlainTextEdit>(add, "EdHint")->setPlainText("sweet");
            // Pasted text that is no id does not get in; an id below 0, which would stand for
            // no item, is refused.
            edit(add, "EdId")->selectAll();
            edit(add, "EdId")->insert("x-1");
            EXPECT_EQ(edit(add, "EdId")->text(), "11");
            edit(add, "EdId")->setText("-1");
            Ui.ExpectMessage([](const TQzMessageRequest& r) {
                EXPECT_TRUE(r.Text.startsWith("'-1' is not a valid id")) << r.Text.toStdString();
                return bkOk;
            });
            ok(add);
            EXPECT_TRUE(add.isVisible());
            EXPECT_EQ(User->Labels()->FindId(-1), nullptr);
            edit(add, "EdId")->setText("3");
            Ui.ExpectMessage([](const TQzMessageRequest& r) {
                EXPECT_EQ(r.Text, "There is already a label with the id 3");
                return bkOk;
            });
            ok(add);
            EXPECT_TRUE(add.isVisible());
            edit(add, "EdId")->setText("20");
            ok(add);
        });
        click(d, "BtAdd");
        EXPECT_EQ(rows(d, "Labels"),
                  QStringList({"1 apple", "2 Banana", "10 banana split", "3 Cherry", "20 Date"}));
        EXPECT_EQ(selectedId(d, "Labels"), 20);
        EXPECT_EQ(status(d), "5 Labels");

        // Modify: new text and id; the list keeps its order.
        Ui.ExpectDialog("TFrMemoryLabelAdd", [](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Modify Label");
            EXPECT_EQ(edit(add, "EdLabel")->text(), "Date");
            EXPECT_EQ(child<QPlainTextEdit>(add, "EdHint")->toPlainText(), "sweet");
            edit(add, "EdLabel")->setText("Avocado");
            edit(add, "EdId")->setText("21");
            ok(add);
        });
        click(d, "BtModify");
        EXPECT_EQ(rows(d, "Labels"), QStringList({"1 apple", "21 Avocado", "2 Banana",
                                                  "10 banana split", "3 Cherry"}));
        EXPECT_EQ(edit(d, "EdId")->text(), "21");

        // Delete the last entry: the new last is selected.
        list(d, "Labels")->SelectRow(4);
        click(d, "BtDelete");
        EXPECT_EQ(selectedId(d, "Labels"), 10);
        EXPECT_EQ(status(d), "4 Labels");
        ok(d);
    });
    EXPECT_EQ(ref.Id(), 10);
    EXPECT_EQ(User->Labels()->FindId(21)->Hint(), "sweet");
    EXPECT_EQ(User->Labels()->FindId(3), nullptr);
    EXPECT_EQ(Heard, QStringList({"10 User", "10 User", "10 User"}));

    // The only message deleted: the Id edit is left empty.
    TQzPkgStrings one;
    one.SetPkgName("One");
    one.Messages()->Add(4, "only");
    TQzMemoryMessage message;
    message.PkgId("One", 4);
    run<TFrMemoryMessage>(message, "TFrMemoryMessage", [&](QDialog& d) {
        Ui.ExpectDialog("TFrMemoryMessageAdd", [](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Modify Message");
            EXPECT_EQ(child<QPlainTextEdit>(add, "EdMessage")->toPlainText(), "only");
            child<QPlainTextEdit>(add, "EdMessage")->setPlainText("changed");
            ok(add);
        });
        click(d, "BtModify");
        EXPECT_EQ(rows(d, "Messages"), QStringList({"4 changed"}));
        click(d, "BtDelete");
        EXPECT_EQ(edit(d, "EdId")->text(), "");
        EXPECT_EQ(status(d), "0 Messages");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(one.Messages()->Count(), 0);
}

TEST_F(Pickers, SystemPackageIsReadOnlyUnlessTheApplicationPermitsAndShowsProtection) {
    TQzMemoryLabel ref;
    ref.PkgId("System", 1);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [](QDialog& d) {
        EXPECT_FALSE(button(d, "BtAdd")->isEnabled());
        EXPECT_FALSE(button(d, "BtModify")->isEnabled());
        EXPECT_FALSE(button(d, "BtDelete")->isEnabled());
        QAction* protect = child<QAction>(d, "MnProtectAllLabels");
        EXPECT_TRUE(protect->isVisible());
        EXPECT_FALSE(protect->isEnabled());
        EXPECT_TRUE(list(d, "Labels")->ShowProtected());
        // Another package: no protection items and no "P" column.
        child<QComboBox>(d, "EdPkg")->setCurrentText("User");
        EXPECT_FALSE(protect->isVisible());
        EXPECT_FALSE(list(d, "Labels")->ShowProtected());
        EXPECT_TRUE(button(d, "BtAdd")->isEnabled());
        child<QComboBox>(d, "EdPkg")->setCurrentText("Nowhere");
        EXPECT_EQ(status(d), "Package Unknown");
        EXPECT_FALSE(button(d, "BtAdd")->isEnabled());
        QTest::keyClick(&d, Qt::Key_Escape);
    });

    App->FSystemEdit = true;
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [&](QDialog& d) {
        EXPECT_TRUE(button(d, "BtAdd")->isEnabled());
        child<QAction>(d, "MnProtectAllLabels")->trigger();
        // New items of the System package are protected by default.
        Ui.ExpectDialog("TFrMemoryLabelAdd", [](QDialog& add) {
            QCheckBox* box = child<QCheckBox>(add, "EdProtected");
            EXPECT_TRUE(box->isVisible());
            EXPECT_TRUE(box->isChecked());
            box->setChecked(false);
            edit(add, "EdLabel")->setText("Help");
            ok(add);
        });
        click(d, "BtAdd");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_TRUE(System->Labels()->FindId(1)->Protected);
    EXPECT_TRUE(System->Labels()->FindId(2)->Protected);
    EXPECT_FALSE(System->Labels()->FindId(3)->Protected);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [](QDialog& d) {
        child<QAction>(d, "MnUnprotectAllLabels")->trigger();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(System->Labels()->FindId(1)->Protected);
}

TEST_F(Pickers, FileStoredPackagesAreSavedWhenChangedAndReloadedWhenChangedOnDisk) {
    const QString file = Dir.filePath("Shared.pst");
    TQzPkgStrings shared;
    shared.SetPkgName("Shared");
    shared.Labels()->Add(1, "One");
    shared.SaveFileEx(file, TQzPkgInfo::imFILE);
    const QDateTime written = QFileInfo(file).lastModified();

    // Looking changes nothing, not even the file's time.
    TQzMemoryLabel ref;
    ref.PkgId("Shared", 1);
    QThread::msleep(20);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [](QDialog& d) { ok(d); });
    EXPECT_EQ(QFileInfo(file).lastModified(), written);

    // Another writer changed the file: the picker reads it again.
    TQzPkgStrings other;
    other.LoadFromFile(file);
    other.Labels()->Add(2, "Two");
    other.SaveToFile(file);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [&](QDialog& d) {
        EXPECT_EQ(rows(d, "Labels"), QStringList({"1 One", "2 Two"}));
        Ui.ExpectDialog("TFrMemoryLabelAdd", [](QDialog& add) {
            edit(add, "EdLabel")->setText("Three");
            ok(add);
        });
        click(d, "BtAdd");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    TQzPkgStrings saved;
    saved.LoadFromFile(file);
    EXPECT_EQ(saved.Labels()->FindId(3)->Text(), "Three");
}

TEST_F(Pickers, TheManagerDeletesThroughThePicker) {
    TQzPkgStrings other;
    other.SetPkgName("Other");
    TQzPkgStringsLabel* foreign = other.Labels()->Add(8, "foreign");
    TQzMemoryLabel ref;
    ref.PkgId("User", 2);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [&](QDialog& d) {
        auto& picker = static_cast<TFrMemoryLabel&>(d);
        EXPECT_TRUE(picker.ManagerEditsKind(dlmLabels));
        EXPECT_FALSE(picker.ManagerEditsKind(dlmTexts));
        EXPECT_EQ(picker.ManagerPackageName(), "User");
        picker.ManagerDeleteItem(dlmLabels, User->Labels()->FindId(2));
        EXPECT_EQ(rows(d, "Labels"), QStringList({"1 apple", "10 banana split", "3 Cherry"}));
        EXPECT_EQ(selectedId(d, "Labels"), 10);
        // An item of a package the picker does not show leaves the list as it is.
        picker.ManagerDeleteItem(dlmLabels, foreign);
        EXPECT_EQ(rows(d, "Labels").size(), 3);
        EXPECT_EQ(status(d), "3 Labels");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(other.Labels()->Count(), 0);
    EXPECT_EQ(Heard, QStringList({"10 User", "10 Other"}));
}

TEST_F(Pickers, TheMultiLineEditorGivesTheTextBackAsItWas) {
    TQzMemoryLabel ref;
    ref.PkgId("User", 1);
    run<TFrMemoryLabel>(ref, "TFrMemoryLabel", [&](QDialog& d) {
        Ui.ExpectDialog("TFrMemoryLabelAdd", [&](QDialog& add) {
            edit(add, "EdLabel")->setText("first");
            Ui.ExpectDialog("TFrMemoryLabelAddMultiLine", [](QDialog& lines) {
                EXPECT_EQ(lines.windowTitle(), "Label MultiLine");
                EXPECT_EQ(child<QPlainTextEdit>(lines, "Memo")->toPlainText(), "first");
                QTest::keyClick(&lines, Qt::Key_Escape);
            });
            child<QToolButton>(add, "SBEdit")->click();
            EXPECT_EQ(edit(add, "EdLabel")->text(), "first");
            Ui.ExpectDialog("TFrMemoryLabelAddMultiLine", [](QDialog& lines) {
                child<QPlainTextEdit>(lines, "Memo")->setPlainText("first\nsecond");
                lines.close();
            });
            child<QToolButton>(add, "SBEdit")->click();
            ok(add);
        });
        click(d, "BtAdd");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(User->Labels()->FindId(11)->Text(), "first\r\nsecond");
}
