// The synchronizer dialog on package files of a scratch application folder: what it offers,
// when Apply may run, both directions, and message 66 for a file that fails while the others are
// still done.

#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "manager/QzPkgSynchronizer.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QStringList entries(QDialog& d, const char* name) {
    QStringList texts;
    auto* list = d.findChild<QListWidget*>(QString::fromLatin1(name));
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList labelIds(const QString& file) {
    TQzPkgStrings pkg;
    pkg.LoadFromFile(file);
    QStringList ids;
    for (int i = 0; i < pkg.Labels()->Count(); ++i)
        ids << QString::number(pkg.Labels()->GetItems(i)->Id());
    return ids;
}

class SynchronizerDialog : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(Dir.isValid());
        QzSetAppPath(Dir.path());
        Master.SetPkgName("Master");
        Master.Labels()->Add(1, "One");
        Master.Labels()->Add(2, "Two");
        Master.SaveFileEx("Master", TQzPkgInfo::imFILE);
        TQzPkgStrings other;
        other.Labels()->Add(2, "Zwei");
        other.Labels()->Add(3, "Drei");
        for (const char* name : {"a.pst", "b.pst", "x.PST"})
            other.SaveToFile(Dir.filePath(name));
        QFile damaged(Dir.filePath("damaged.pst"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("QZPK not really");
    }
    void TearDown() override { QzSetAppPath(QString()); }

    QTemporaryDir Dir;
    TQzPkgStrings Master;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(SynchronizerDialog, FromAFileIntoTheEditedPackage) {
    Ui.ExpectDialog("TFrPkgSynchronizer", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Synchronizer");
        // The package's own file is not offered.
        EXPECT_EQ(entries(d, "FileList"), QStringList({"a.pst", "b.pst", "damaged.pst"}));
        EXPECT_FALSE(d.findChild<QCheckBox*>("CBSyncSets")->isVisible());
        auto* name = d.findChild<QLineEdit*>("EdPkgFileName");
        auto* apply = d.findChild<QPushButton*>("BtApply");
        name->setText("x.PST");
        EXPECT_FALSE(apply->isEnabled());
        name->setText("missing.pst");
        EXPECT_FALSE(apply->isEnabled());
        // The folder's packages are offered as sources too; choosing one names it.
        EXPECT_EQ(entries(d, "FromList"), QStringList({"a.pst", "b.pst", "damaged.pst"}));
        d.findChild<QListWidget*>("FromList")->setCurrentRow(0);
        EXPECT_EQ(name->text(), "a.pst");
        EXPECT_TRUE(apply->isEnabled());
        d.findChild<QCheckBox*>("CBAddItems")->setChecked(true);
        d.findChild<QCheckBox*>("CBDeleteItems")->setChecked(true);
        apply->click();
        EXPECT_EQ(labelIds(Dir.filePath("Master.pst")), QStringList({"2", "3"}));
        // Ok on a file that fails: message 66 and the dialog stays.
        name->setText("damaged.pst");
        Ui.ExpectMessage(66, bkOk);
        static_cast<TQzDialog&>(d).OkButton()->click();
        EXPECT_TRUE(d.isVisible());
        static_cast<TQzDialog&>(d).CancelButton()->click();
    });
    TFrPkgSynchronizer dialog;
    dialog.Pkg = &Master;
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(Master.Labels()->FindId(2)->Text(), "Two");
}

TEST_F(SynchronizerDialog, ToEveryChosenFileAndAFailingOneStays) {
    Ui.ExpectDialog("TFrPkgSynchronizer", [&](QDialog& d) {
        d.findChild<QToolButton*>("SBTo")->click();
        auto* apply = d.findChild<QPushButton*>("BtApply");
        EXPECT_FALSE(apply->isEnabled());
        d.findChild<QToolButton*>("SBAppendAll")->click();
        EXPECT_EQ(entries(d, "FileList"), QStringList());
        d.findChild<QListWidget*>("ListBox")->setCurrentRow(0);
        d.findChild<QToolButton*>("SBDelete")->click();
        EXPECT_EQ(entries(d, "FileList"), QStringList({"a.pst"}));
        EXPECT_EQ(entries(d, "ListBox"), QStringList({"b.pst", "damaged.pst"}));
        d.findChild<QCheckBox*>("CBAddItems")->setChecked(true);
        Ui.ExpectMessage(66, bkOk);
        apply->click();
        EXPECT_EQ(entries(d, "ListBox"), QStringList({"damaged.pst"}));
        EXPECT_EQ(entries(d, "FileList"), QStringList({"a.pst", "b.pst"}));
        static_cast<TQzDialog&>(d).CancelButton()->click();
    });
    TFrPkgSynchronizer dialog;
    dialog.Pkg = &Master;
    dialog.Execute();
    EXPECT_EQ(labelIds(Dir.filePath("b.pst")), QStringList({"2", "3", "1"}));
    EXPECT_EQ(labelIds(Dir.filePath("a.pst")), QStringList({"2", "3"}));
}
