// The package file dialogs driven as a person would: titles, the questions before replacing or
// overwriting, refused files that change nothing, the system update dialogs and the active
// packages window.

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "packages/QzPkgActive.h"
#include "packages/QzPkgLoadSave.h"
#include "packages/QzUpdateSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

void ok(QDialog& d) {
    static_cast<TQzDialog&>(d).OkButton()->click();
}

class PkgFileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(Dir.isValid());
        QzSetAppPath(Dir.path());
        TQzPkgStrings file;
        file.SetDescription("Shared texts");
        file.Labels()->Add(7, "Seven");
        file.SaveToFile(Dir.filePath("Shared.pst"));
    }
    void TearDown() override { QzSetAppPath(QString()); }

    QTemporaryDir Dir;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(PkgFileDialogs, TitlesFollowTheKindAndTheDirection) {
    const QList<QPair<TQzPkgKind, QString>> kinds = {
        {TQzPkgKind::Images, "PkgImages"},  {TQzPkgKind::Strings, "PkgStrings"},
        {TQzPkgKind::Vars, "PkgVars"},      {TQzPkgKind::Display, "Display"},
        {TQzPkgKind::Language, "Language"}, {TQzPkgKind::Setup, "Setup"},
        {TQzPkgKind::Privileges, "Access"}};
    for (const auto& [kind, name] : kinds) {
        std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(kind));
        TFrPkgLoadSave dialog;
        dialog.Pkg = pkg.get();
        dialog.Load = true;
        EXPECT_EQ(dialog.GetTitle(), "Load " + name);
        dialog.Load = false;
        EXPECT_EQ(dialog.GetTitle(), "Save " + name);
    }
}

TEST_F(PkgFileDialogs, LoadAsksBeforeReplacingWhatIsInMemoryAndRefusesMissingFiles) {
    TQzPkgStrings pkg;
    pkg.Labels()->Add(1, "kept until the load");
    Ui.ExpectDialog("TFrPkgLoadSave", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Load PkgStrings");
        auto* files = d.findChild<QListWidget*>("FileList");
        ASSERT_EQ(files->count(), 1);
        files->setCurrentRow(0);
        EXPECT_EQ(d.findChild<QLineEdit*>("EdFileName")->text(), "Shared");
        EXPECT_EQ(d.findChild<QLineEdit*>("EdDescription")->text(), "Shared texts");
        EXPECT_FALSE(d.findChild<QLineEdit*>("EdKey")->isVisible());
        // A missing file: message 49 with the name typed, and the dialog stays.
        d.findChild<QLineEdit*>("EdFileName")->setText("Missing");
        Ui.ExpectMessage(49, bkOk);
        ok(d);
        EXPECT_TRUE(d.isVisible());
        // Declining the question keeps the dialog and the package.
        d.findChild<QLineEdit*>("EdFileName")->setText("Shared");
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.Default, bkOk);
            return bkCancel;
        });
        ok(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(pkg.Labels()->Count(), 1);
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkOk; });
        ok(d);
    });
    TFrPkgLoadSave dialog;
    dialog.Pkg = &pkg;
    EXPECT_EQ(dialog.Execute(), 1);
    EXPECT_EQ(pkg.Labels()->FindId(7)->Text(), "Seven");
    EXPECT_EQ(dialog.FileName(), QDir(Dir.path()).filePath("Shared.pst"));
    EXPECT_TRUE(pkg.IsFileStored() == false);

    // A FILE-stored package loads without the question.
    pkg.SetInitMode(TQzPkgInfo::imFILE);
    Ui.ExpectDialog("TFrPkgLoadSave", [](QDialog& d) {
        d.findChild<QLineEdit*>("EdFileName")->setText("Shared");
        ok(d);
    });
    TFrPkgLoadSave again;
    again.Pkg = &pkg;
    EXPECT_EQ(again.Execute(), 1);
}

TEST_F(PkgFileDialogs, SaveAsksBeforeOverwritingAndAFileItCannotWriteChangesNothing) {
    TQzPkgStrings pkg;
    pkg.SetDescription("before");
    pkg.Labels()->Add(2, "Two");
    ASSERT_TRUE(QDir(Dir.path()).mkdir("Folder.pst"));
    Ui.ExpectDialog("TFrPkgLoadSave", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Save PkgStrings");
        d.findChild<QLineEdit*>("EdDescription")->setText("after");
        // No name: nothing is written.
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkOk; });
        ok(d);
        // A name the file system refuses: the description goes back.
        d.findChild<QLineEdit*>("EdFileName")->setText("Folder");
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkOk; });
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("Folder.pst"));
            return bkOk;
        });
        ok(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(pkg.Description(), "before");
        // Overwriting: the question defaults to the second button.
        d.findChild<QLineEdit*>("EdFileName")->setText("Shared");
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.Default, bkCancel);
            return bkCancel;
        });
        ok(d);
        EXPECT_TRUE(d.isVisible());
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkOk; });
        ok(d);
    });
    TFrPkgLoadSave dialog;
    dialog.Pkg = &pkg;
    dialog.Load = false;
    EXPECT_EQ(dialog.Execute(), 1);
    TQzPkgStrings saved;
    saved.LoadFromFile(Dir.filePath("Shared.pst"));
    EXPECT_EQ(saved.Description(), "after");
    EXPECT_EQ(saved.Labels()->FindId(2)->Text(), "Two");
}

TEST_F(PkgFileDialogs, UpdateDialogsRefuseANameThatIsNoFile) {
    TQzCApplication app;
    Ui.ExpectDialog("TFrUpdateSystemStrings", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Update System Strings");
        d.findChild<QLineEdit*>("Edit1")->setText("");
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.Text, "Invalidate FileName");
            return bkOk;
        });
        ok(d);
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    TFrUpdateSystemStrings strings;
    strings.App = &app;
    EXPECT_FALSE(strings.Execute());

    Ui.ExpectDialog("TFrUpdateSystemImages", [&](QDialog& d) {
        EXPECT_TRUE(d.findChild<QLineEdit*>("Edit1")->text().endsWith("/Standard.dis"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    TFrUpdateSystemImages images;
    images.App = &app;
    EXPECT_FALSE(images.Execute());
}

TEST_F(PkgFileDialogs, ActiveWindowKeepsEqualNamesInOrderAndFollowsBroadcasts) {
    TQzPkgImages first;
    first.SetPkgName("Icons");
    first.SetName("First");
    TQzPkgImages second;
    second.SetPkgName("Icons");
    second.SetName("Second");
    auto* window = new TFrPkgActive;
    window->Execute(&second);
    EXPECT_EQ(window->windowTitle(), "View PkgImages");
    EXPECT_EQ(window->Entries(), QList<TComponent*>({&first, &second}));
    EXPECT_EQ(TFrPkgActive::EntryText(&second), "Icons (nil.Second)");
    window->Active1Click();
    EXPECT_TRUE(second.Active());
    EXPECT_EQ(QzFindPkgImages("Icons"), &second);
    {
        TQzPkgImages third;
        third.SetPkgName("Alpha");
        QzFormsPerform(QzPerformImages, &third);
        EXPECT_EQ(window->Entries().size(), 3);
        EXPECT_EQ(window->Entries().first(), &third);
        // Another kind's broadcast leaves the list alone.
    }
    QzFormsPerform(QzPerformStrings, nullptr);
    EXPECT_EQ(window->Entries().size(), 3);
    QzFormsPerform(QzPerformImages, nullptr);
    EXPECT_EQ(window->Entries().size(), 2);

    // A package freed without a broadcast: its entry cannot be made active, and it leaves.
    {
        TQzPkgImages fourth;
        fourth.SetPkgName("Beta");
        QzFormsPerform(QzPerformImages, &fourth);
        window->UpdateListBox(&fourth);
    }
    window->Active1Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Entries(), QList<TComponent*>({&first, &second}));
    delete window;
}
