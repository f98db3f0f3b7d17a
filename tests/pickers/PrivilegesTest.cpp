// The privileges editor, its add dialog and the privilege picker as a person uses them: the
// filter, the Id edit, adding, renumbering and deleting, Clear All and the picker's results,
// judged by the package, the reference and the lines shown.

#include "DialogDriving.h"
#include "QzCApplication.h"
#include "QzPkgPrivileges.h"
#include "QzRefs.h"
#include "QzScriptedUi.h"
#include "manager/core/QzFormScanner.h"
#include "packages/QzPrivilegesEditor.h"
#include "pickers/QzPrivilege.h"
#include "pickers/QzPrivilegesList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TQzPrivilegesList* list(QWidget& d) {
    return d.findChild<TQzPrivilegesList*>(QStringLiteral("Privileges"));
}

// The ids of the lines shown, in order.
QList<int> ids(QWidget& d) {
    QList<int> out;
    for (TQzPkgItem* item : list(d)->Model()->Rows())
        out << item->Id();
    return out;
}

int selectedId(QWidget& d) {
    const int row = list(d)->CurrentRow();
    return row < 0 ? -1 : list(d)->Model()->Item(row)->Id();
}

class Privileges : public ::testing::Test {
protected:
    void SetUp() override {
        const std::pair<int, const char*> rows[] = {
            {7, "Print"}, {3, "BADMINTON club"}, {12, "Admin"}, {5, "Export"}};
        for (const auto& [id, description] : rows)
            Pkg()->Add(id)->SetDescription(QString::fromLatin1(description));
    }
    TQzPkgPrivileges* Pkg() const { return App.Privileges(); }

    void runEditor(std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrPrivileges"), std::move(act));
        TFrPrivileges editor;
        editor.Pkg = Pkg();
        editor.Execute();
    }
    int pick(TQzPrivilege& ref, std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrPrivilege"), std::move(act));
        TFrPrivilege picker;
        picker.Pkg = Pkg();
        picker.SetReference(&ref);
        return picker.Execute();
    }

    TQzCApplication App;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(Privileges, TheEditorFiltersByDescriptionSelectsByIdAndDeletesTowardsTheEnd) {
    runEditor([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Privileges");
        EXPECT_EQ(ids(d), QList<int>({3, 5, 7, 12}));
        EXPECT_EQ(d.findChild<QStatusBar*>("StatusBar")->currentMessage(), "4 Privileges");
        type(edit(d, "EdPrivilege"), "adm");
        EXPECT_EQ(ids(d), QList<int>({3, 12}));
        type(edit(d, "EdPrivilege"), "");
        type(edit(d, "EdId"), "7");
        EXPECT_EQ(selectedId(d), 7);
        type(edit(d, "EdId"), "99");
        EXPECT_EQ(selectedId(d), -1);
        EXPECT_FALSE(button(d, "BtModify")->isEnabled());
        // Letters never reach the Id edit.
        type(edit(d, "EdId"), "x1");
        EXPECT_EQ(edit(d, "EdId")->text(), "1");

        type(edit(d, "EdId"), "12");
        button(d, "BtDelete")->click();
        EXPECT_EQ(ids(d), QList<int>({3, 5, 7}));
        EXPECT_EQ(selectedId(d), 7);
        EXPECT_EQ(edit(d, "EdId")->text(), "7");
        EXPECT_EQ(d.findChild<QStatusBar*>("StatusBar")->currentMessage(), "3 Privileges");
        ok(d);
    });
    EXPECT_EQ(Pkg()->FindId(12), nullptr);
    EXPECT_TRUE(Ui.Done());
}

// Clear Access and Clear All ask first; only Ok acts. The read state box sets the package's flag.
TEST_F(Privileges, ClearingAsksFirstAndOnlyOkActs) {
    Pkg()->FindId(7)->SetAccess(TQzPrivilege::acNone);
    Pkg()->FindId(5)->SetAccess(TQzPrivilege::acRead);
    runEditor([this](QDialog& d) {
        auto* readState = d.findChild<QCheckBox*>("EdReadState");
        EXPECT_FALSE(readState->isChecked());
        readState->click();
        EXPECT_TRUE(Pkg()->ReadStateDisableControl());

        auto* clearAccess = d.findChild<QAction*>("MnClearAccess");
        ASSERT_NE(clearAccess, nullptr);
        EXPECT_EQ(clearAccess->text(), "Clear Access");
        Ui.ExpectMessage(91, bkCancel);
        clearAccess->trigger();
        EXPECT_EQ(Pkg()->FindId(7)->Access(), TQzPrivilege::acNone);
        Ui.ExpectMessage(91, bkOk);
        clearAccess->trigger();
        for (int i = 0; i < Pkg()->Count(); ++i)
            EXPECT_EQ(Pkg()->GetItems(i)->Access(), TQzPrivilege::acReadWrite);

        Ui.ExpectMessage(65, bkCancel);
        button(d, "BtClear")->click();
        EXPECT_EQ(Pkg()->Count(), 4);
        EXPECT_EQ(ids(d).size(), 4);
        Ui.ExpectMessage(65, bkOk);
        button(d, "BtClear")->click();
        EXPECT_EQ(Pkg()->Count(), 0);
        EXPECT_TRUE(ids(d).isEmpty());
        ok(d);
    });
    EXPECT_TRUE(Ui.Done());
}

TEST_F(Privileges, TheAddDialogAddsRenumbersAndKeepsATakenIdOpen) {
    runEditor([this](QDialog& d) {
        Ui.ExpectDialog(QStringLiteral("TFrPrivilegesAdd"), [](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Add Privilege");
            EXPECT_EQ(add.findChild<QComboBox*>("CBAccess")->currentIndex(), 2);
            type(edit(add, "EdPrivilege"), "Archive");
            type(edit(add, "EdId"), "20");
            add.findChild<QComboBox*>("CBAccess")->setCurrentIndex(1);
            ok(add);
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(selectedId(d), 20);
        EXPECT_EQ(edit(d, "EdId")->text(), "20");

        // Renumbered onto an id another privilege has: the error shows and the dialog stays.
        Ui.ExpectDialog(QStringLiteral("TFrPrivilegesAdd"), [this](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Modify Privilege");
            EXPECT_EQ(edit(add, "EdPrivilege")->text(), "Archive");
            type(edit(add, "EdId"), "7");
            Ui.ExpectMessage([](const TQzMessageRequest&) { return bkOk; });
            ok(add);
            EXPECT_TRUE(add.isVisible());
            type(edit(add, "EdId"), "21");
            ok(add);
        });
        button(d, "BtModify")->click();
        EXPECT_EQ(ids(d), QList<int>({3, 5, 7, 12, 21}));
        EXPECT_EQ(selectedId(d), 21);
        ok(d);
    });
    const TQzPkgPrivilegesItem* archive = Pkg()->FindId(21);
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->Description(), "Archive");
    EXPECT_EQ(archive->Access(), TQzPrivilege::acRead);
    EXPECT_EQ(Pkg()->FindId(20), nullptr);
    EXPECT_EQ(Pkg()->FindId(7)->Description(), "Print");
    EXPECT_TRUE(Ui.Done());
}

TEST_F(Privileges, ThePickerStoresTheIdTypedNullOrNothingOnCancel) {
    TQzPrivilege ref;
    ref.SetId(5);
    ref.SetAccess(TQzPrivilege::acRead);
    struct Case {
        const char* Step;
        std::function<void(QDialog&)> Act;
        int Result;
        int Stored;
    };
    const Case cases[] = {
        {"opened on the reference's id",
         [](QDialog& d) {
             EXPECT_EQ(d.windowTitle(), "Privileges");
             EXPECT_EQ(edit(d, "EdId")->text(), "5");
             EXPECT_EQ(selectedId(d), 5);
             EXPECT_EQ(d.focusWidget(), edit(d, "EdId"));
             type(edit(d, "EdId"), "12");
             ok(d);
         },
         mrOk, 12},
        {"an id no privilege has", [](QDialog& d) { type(edit(d, "EdId"), "99"), ok(d); }, mrOk,
         99},
        {"an empty id", [](QDialog& d) { type(edit(d, "EdId"), ""), ok(d); }, mrOk, -1},
        {"Null on a selected line",
         [](QDialog& d) {
             type(edit(d, "EdId"), "7");
             button(d, "BtClear")->click();
         },
         mrOk, -1},
        {"a double-click on a line",
         [](QDialog& d) {
             list(d)->SelectRow(0);
             EXPECT_EQ(edit(d, "EdId")->text(), "3");
             Q_EMIT list(d)->doubleClicked(list(d)->model()->index(0, 0));
         },
         mrOk, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pick(ref, c.Act), c.Result) << c.Step;
        EXPECT_EQ(ref.Id(), c.Stored) << c.Step;
        EXPECT_EQ(ref.Access(), TQzPrivilege::acRead) << c.Step;
        ref.SetId(5);
    }

    // Cancel after a delete: the package keeps the change, the reference does not move.
    pick(ref, [](QDialog& d) {
        button(d, "BtDelete")->click();
        static_cast<TQzDialog&>(d).CancelButton()->click();
    });
    EXPECT_EQ(ref.Id(), 5);
    EXPECT_EQ(Pkg()->FindId(5), nullptr);
    EXPECT_TRUE(Ui.Done());
}

// Templates and package files: a template saved and loaded back restores the privileges, and a
// damaged file is refused with its reason while the privileges stay as they were.
TEST_F(Privileges, TemplatesComeBackAndADamagedFileChangesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pri = dir.filePath(QStringLiteral("Roles"));
    const QString damaged = dir.filePath(QStringLiteral("Damaged.pri"));
    QFile bad(damaged);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("QZPK\x01garbage", 12));
    bad.close();
    const auto answer = [this](const QString& file, TQzFileRequest::Mode mode, const char* filter) {
        Ui.ExpectFile([=](const TQzFileRequest& r) -> std::optional<QStringList> {
            EXPECT_EQ(r.mode, mode);
            EXPECT_TRUE(r.Filter.startsWith(QString::fromLatin1(filter))) << r.Filter.toStdString();
            return QStringList{file};
        });
    };
    runEditor([&](QDialog& d) {
        // Saved without an extension: ".pri" is added.
        answer(pri, TQzFileRequest::Save, "Files Privileges (*.pri)");
        button(d, "BtSaveTemplate")->click();
        EXPECT_TRUE(QFile::exists(pri + QStringLiteral(".pri")));
        Ui.ExpectMessage(65, bkOk);
        button(d, "BtClear")->click();
        answer(pri + QStringLiteral(".pri"), TQzFileRequest::Open, "Files Privileges (*.pri)");
        button(d, "BtLoadTemplate")->click();
        EXPECT_EQ(ids(d), QList<int>({3, 5, 7, 12}));

        for (const char* load : {"BtLoadTemplate", "BtLoadFrom"}) {
            answer(damaged, TQzFileRequest::Open, "");
            Ui.ExpectMessage([&](const TQzMessageRequest& r) {
                EXPECT_EQ(r.Type, TQzMessageType::mtError);
                EXPECT_TRUE(r.Text.contains(QStringLiteral("Damaged.pri"))) << r.Text.toStdString();
                return bkOk;
            });
            button(d, load)->click();
            EXPECT_EQ(ids(d), QList<int>({3, 5, 7, 12})) << load;
        }
        ok(d);
    });
    EXPECT_EQ(Pkg()->FindId(7)->Description(), "Print");
    EXPECT_TRUE(Ui.Done());
}

// The Manager opens on the privileges and the id in the Id edit; Load Access and Save Access
// open the package file dialog in their mode.
TEST_F(Privileges, TheManagerAndThePackageFileDialogsOpenOnWhatIsShown) {
    runEditor([this](QDialog& d) {
        for (const char* name : {"BtLoad", "BtSave"}) {
            Ui.ExpectDialog(QStringLiteral("TFrPkgLoadSave"), [name](QDialog& files) {
                EXPECT_EQ(files.windowTitle(),
                          name == std::string("BtLoad") ? "Load Access" : "Save Access");
                files.reject();
            });
            button(d, name)->click();
        }
        type(edit(d, "EdId"), "7");
        Ui.ExpectDialog(QStringLiteral("TFrManager"), [](QDialog& manager) {
            EXPECT_EQ(manager.windowTitle(),
                      QStringLiteral("Packages Manager (%1)").arg(QzDlgManagerName(dlmPrivileges)));
            EXPECT_EQ(edit(manager, "EdId")->text(), "7");
            manager.reject();
        });
        button(d, "BtManager")->click();
        ok(d);
    });
    EXPECT_TRUE(Ui.Done());
}
