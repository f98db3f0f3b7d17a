// The Packages Manager as a person uses it in the designer: opened on a copy of the example
// project, driven through its buttons, list and boxes, with the progress window, the package and
// replace dialogs and the message boxes answered by the scripted UI.

#include "ObjectStreams.h"
#include "QzDesignerHost.h"
#include "QzFormDesigner.h"
#include "QzMenus.h"
#include "QzScriptedUi.h"
#include "manager/QzManager.h"
#include "manager/QzManagerProgress.h"

#include "../../support/FileSizeLimit.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// An editor that owns the Manager and deletes items when it asks.
class TOwningEditor : public QDialog, public IQzManagerOwner {
public:
    TOwningEditor(TQzDlgManager kind, QString package)
        : FKind(kind), FPackage(std::move(package)) {}
    bool ManagerEditsKind(TQzDlgManager kind) const override { return kind == FKind; }
    QString ManagerPackageName() const override { return FPackage; }
    void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) override {
        Deleted << QStringLiteral("%1 %2")
                       .arg(QzDlgManagerName(kind))
                       .arg(item->property("Id").toInt());
        delete item;
    }
    QStringList Deleted;

private:
    TQzDlgManager FKind;
    QString FPackage;
};

template <typename T>
T* child(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QStringList listTexts(QWidget& dialog) {
    QStringList texts;
    QListWidget* list = child<QListWidget>(dialog, "clb");
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QString status(QWidget& dialog) {
    return child<QStatusBar>(dialog, "sb")->currentMessage();
}

void click(QWidget& dialog, const char* button) {
    QPushButton* b = child<QPushButton>(dialog, button);
    ASSERT_TRUE(b->isEnabled()) << button;
    b->click();
}

class ManagerDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        const QDir demo(QStringLiteral(QZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name)));
        Host = std::make_unique<TQzDesignerHost>();
        Host->LoadPackage(QStringLiteral(QZ_PACKAGE_FILE));
        Host->OpenProject(path("Demo.dpr"));
        // The main form holds the application and its packages.
        Main = Host->OpenForm(path("Main.dfm"));
    }
    void TearDown() override { Host.reset(); }

    QString path(const QString& name) const { return QDir::cleanPath(Dir.filePath(name)); }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The form file as text, whatever form it is stored in.
    QString formText(const QString& name) const {
        return QString::fromUtf8(FormFileToText(read(name)));
    }

    QTemporaryDir Dir;
    std::unique_ptr<TQzDesignerHost> Host;
    TQzFormDesigner* Main = nullptr;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(ManagerDialog, ScanListsReferencesAndTheButtonsFollowTheChecks) {
    Ui.ExpectDialog("TFrManager", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Packages Manager (Labels)");
        EXPECT_TRUE(child<QComboBox>(d, "EdPkg")->findText("Common") >= 0);
        EXPECT_EQ(child<QLineEdit>(d, "EdId")->text(), "5");
        EXPECT_EQ(status(d), "");
        click(d, "BtScan");
        EXPECT_EQ(listTexts(d),
                  QStringList({"(Main.dfm) (OpCustomers:TQzOutLookBarPage)       Caption.Id = 5",
                               "(Main.dfm) (SbCustomers:TQzSpeedButton)         Caption.Id = 5",
                               "(Main.dfm) (MnCustomers:TQzMenuItem)         CaptionId.Id = 5",
                               "(Customers.dfm) (QzCForm1:TQzCForm)     Caption.Id = 5"}));
        EXPECT_EQ(status(d), "Found: 4 Selected: 4");
        EXPECT_TRUE(child<QPushButton>(d, "BtReplace")->isEnabled());
        QListWidget* list = child<QListWidget>(d, "clb");
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(status(d), "Found: 4 Selected: 0");
        EXPECT_FALSE(child<QPushButton>(d, "BtReplace")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(d, "BtClear")->isEnabled());
        // Typing empties the results.
        child<QLineEdit>(d, "EdId")->setText("6");
        EXPECT_TRUE(listTexts(d).isEmpty());
        EXPECT_EQ(status(d), "");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    TFrManager manager(nullptr);
    manager.Execute(dlmLabels, "User", "5");
    EXPECT_EQ(manager.result(), mrCancel);
    EXPECT_TRUE(Ui.Done());
}

TEST_F(ManagerDialog, ReplaceChangesTheOpenFormLiveAndTheClosedOneInItsFile) {
    const QString customers = formText("Customers.dfm");
    const QByteArray mainFile = read("Main.dfm");
    Ui.ExpectDialog("TFrManager", [this](QDialog& d) {
        click(d, "BtScan");
        Ui.ExpectDialog("TFrManagerRepl", [](QDialog& r) {
            EXPECT_TRUE(child<QComboBox>(r, "EdPkg")->isVisible());
            EXPECT_EQ(child<QComboBox>(r, "EdPkg")->currentText(), "User");
            EXPECT_EQ(child<QLineEdit>(r, "EdValue")->text(), "5");
            child<QComboBox>(r, "EdPkg")->setCurrentText("Common");
            child<QLineEdit>(r, "EdValue")->setText("13");
            click(r, "BtOk");
        });
        click(d, "BtReplace");
        EXPECT_TRUE(listTexts(d).isEmpty());
        EXPECT_EQ(status(d), "");
        click(d, "BtOk");
    });
    TFrManager manager(nullptr);
    manager.Execute(dlmLabels, "User", "5");

    auto* item = qobject_cast<TQzMenuItem*>(Main->GetComponent("MnCustomers"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->property("CaptionId").value<TQzMemoryLabel*>()->PkgName(), "Common");
    EXPECT_EQ(item->property("CaptionId").value<TQzMemoryLabel*>()->Id(), 13);
    EXPECT_TRUE(Main->IsModified());
    EXPECT_EQ(read("Main.dfm"), mainFile);
    QString expected = customers;
    expected.replace("Caption.PkgName = 'User'\n    Caption.Id = 5\n",
                     "Caption.PkgName = 'Common'\n    Caption.Id = 13\n");
    EXPECT_NE(expected, customers);
    EXPECT_EQ(formText("Customers.dfm"), expected);
}

TEST_F(ManagerDialog, LinesThatMovedAreLeftAndCounted) {
    Ui.ExpectDialog("TFrManager", [this](QDialog& d) {
        click(d, "BtScan");
        ASSERT_EQ(listTexts(d).size(), 3);
        // Someone edits the closed form in between.
        QByteArray text = read("Orders.dfm");
        text.replace("object FrmOrders: TFrmOrders\n", "object FrmOrders: TFrmOrders\n  Tag = 1\n");
        QFile file(path("Orders.dfm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        Ui.ExpectDialog("TFrManagerRepl", [](QDialog& r) {
            EXPECT_FALSE(child<QComboBox>(r, "EdPkg")->isVisible());
            EXPECT_EQ(child<QLineEdit>(r, "EdValue")->text(), "Sidebar");
            child<QLineEdit>(r, "EdValue")->setText("Header");
            click(r, "BtOk");
        });
        Ui.ExpectMessage([](const TQzMessageRequest& m) {
            EXPECT_EQ(m.Text, "Unable to modified 2 lines");
            EXPECT_EQ(m.Type, TQzMessageType::mtInformation);
            return bkOk;
        });
        click(d, "BtReplace");
        click(d, "BtOk");
    });
    TFrManager manager(nullptr);
    manager.Execute(dlmSetsBackGround, "", "Sidebar");
    // The open main form was changed; the moved lines of the closed one were not.
    EXPECT_EQ(
        Main->GetComponent("ObMain")->property("SetBackGround").value<TQzSetBackGround*>()->Name(),
        "Header");
    EXPECT_TRUE(Main->IsModified());
    EXPECT_EQ(formText("Orders.dfm").count("SetBackGround.Name = 'Sidebar'"), 2);
}

TEST_F(ManagerDialog, SetsAndPrivilegesShowOnlyTheIdRow) {
    Ui.ExpectDialog("TFrManager", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Packages Manager (SetsColor)");
        EXPECT_FALSE(child<QComboBox>(d, "EdPkg")->isVisible());
        EXPECT_EQ(child<QLabel>(d, "LbId")->text(), "Name:");
        QLineEdit* id = child<QLineEdit>(d, "EdId");
        EXPECT_EQ(child<QLabel>(d, "LbId")->x(), 4);
        EXPECT_EQ(id->x(), child<QLabel>(d, "LbId")->geometry().right() + 1 + 2);
        EXPECT_EQ(child<QWidget>(d, "PnTop")->height(), 2 * id->y() + id->height());
        // The buttons stack up from the bottom with alternating gaps.
        QPushButton* ok = child<QPushButton>(d, "BtOk");
        QPushButton* clear = child<QPushButton>(d, "BtClear");
        QPushButton* replace = child<QPushButton>(d, "BtReplace");
        EXPECT_EQ(ok->y() - clear->geometry().bottom() - 1, ok->height() / 2);
        EXPECT_EQ(clear->y() - replace->geometry().bottom() - 1, ok->height() / 5);
        d.resize(d.width() + 40, d.height() + 30);
        click(d, "BtOk");
    });
    QSize size;
    {
        TFrManager manager(nullptr);
        manager.Execute(dlmSetsColor, "", "Window");
        size = manager.size();
    }
    Ui.ExpectDialog("TFrManager", [&](QDialog& d) {
        EXPECT_EQ(d.size(), size);
        EXPECT_EQ(child<QLabel>(d, "LbId")->text(), "Id:");
        click(d, "BtOk");
    });
    TFrManager again(nullptr);
    again.Execute(dlmPrivileges, "", "1");
}

TEST_F(ManagerDialog, CountProposesPackagesAndClearDeletesUnusedItemsThroughTheOwner) {
    // The orders strings are kept in the orders form: open, they are loaded.
    Host->OpenForm(path("Orders.dfm"));
    TOwningEditor editor(dlmLabels, "orders");
    TFrManager manager(&editor);
    Ui.ExpectDialog("TFrManager", [&](QDialog& d) {
        Ui.ExpectDialog("TFrManagerPkgs", [](QDialog& p) {
            EXPECT_EQ(p.windowTitle(), "Packages Select");
            QListWidget* list = child<QListWidget>(p, "clb");
            for (int i = 0; i < list->count(); ++i) {
                QListWidgetItem* item = list->item(i);
                EXPECT_EQ(item->checkState() == Qt::Checked, item->text() != "System")
                    << item->text().toStdString();
                item->setCheckState(item->text() == "Orders" ? Qt::Checked : Qt::Unchecked);
            }
            click(p, "BtOk");
        });
        click(d, "BtCounter");
        const QStringList lines = listTexts(d);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines[0], "(00000) PkgName: 'Orders' Id: 1");
        EXPECT_EQ(status(d), QStringLiteral("Found: %1 Selected: 1").arg(lines.size()));
        EXPECT_FALSE(child<QPushButton>(d, "BtReplace")->isEnabled());

        // A line fills the boxes and keeps the list.
        QListWidget* list = child<QListWidget>(d, "clb");
        list->setCurrentRow(1);
        Q_EMIT list->itemClicked(list->item(1));
        const TQzTokenRec2& second = *manager.Engine().Lines()[1].Counted();
        EXPECT_EQ(child<QComboBox>(d, "EdPkg")->currentText(), QzUnquote(second.PkgName));
        EXPECT_EQ(child<QLineEdit>(d, "EdId")->text(), second.NameId);
        EXPECT_EQ(listTexts(d), lines);

        Ui.ExpectMessage([](const TQzMessageRequest& m) {
            EXPECT_EQ(m.Text,
                      QString::fromUtf8("\xC2\xBF"
                                        "Do you wish to clear the definition of these elements?"));
            EXPECT_EQ(m.Type, TQzMessageType::mtConfirmation);
            EXPECT_EQ(m.Buttons, TQzButtons({bkYes, bkNo}));
            EXPECT_EQ(m.Default, bkYes);
            return bkYes;
        });
        click(d, "BtClear");
        EXPECT_TRUE(listTexts(d).isEmpty());
        click(d, "BtOk");
    });
    manager.Execute(dlmLabels, "Orders", "1");
    EXPECT_EQ(editor.Deleted, QStringList({"Labels 1"}));
}

TEST_F(ManagerDialog, TheProgressWindowDisablesTheManagerUntilCancelled) {
    Ui.ExpectDialog("TFrManager", [](QDialog& d) {
        bool seen = false;
        QTimer::singleShot(0, &d, [&] {
            ASSERT_NE(FrManagerProgress, nullptr);
            seen = true;
            EXPECT_FALSE(d.isEnabled());
            EXPECT_TRUE(FrManagerProgress->isEnabled());
            EXPECT_EQ(FrManagerProgress->windowTitle(), "Scanning");
            EXPECT_TRUE(FrManagerProgress->Text().endsWith("Main.dfm"));
            EXPECT_GT(FrManagerProgress->Position(), 0);
            FrManagerProgress->findChild<QPushButton*>("BtCancel")->click();
            EXPECT_TRUE(d.isEnabled());
        });
        click(d, "BtScan");
        EXPECT_TRUE(seen);
        EXPECT_EQ(FrManagerProgress, nullptr);
        EXPECT_TRUE(d.isEnabled());
        // Cancelled in the first form: what was found before stays, the rest is not scanned.
        EXPECT_LT(listTexts(d).size(), 4);
        click(d, "BtOk");
    });
    TFrManager manager(nullptr);
    manager.Execute(dlmLabels, "User", "5");
}

TEST_F(ManagerDialog, FailuresAreShownAndAFormThatCannotBeWrittenIsRestored) {
    // A form with a component whose class is unknown, and a form too large to be written.
    QByteArray about = FormFileToText(read("About.dfm"));
    about.insert(about.lastIndexOf("end"),
                 "  object Chart1: TVendorChart\n    SetFont.Name = 'Title'\n  end\n");
    {
        QFile file(path("About.dfm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(about);
    }
    const QString before = formText("Customers.dfm");
    Ui.ExpectDialog("TFrManager", [this](QDialog& d) {
        Ui.ExpectMessage([](const TQzMessageRequest& m) {
            EXPECT_TRUE(m.Text.startsWith("The file: About.dfm can contain an error in the line: "))
                << m.Text.toStdString();
            EXPECT_TRUE(m.Text.endsWith("Chart1:TVendorChart.SetFont")) << m.Text.toStdString();
            return bkOk;
        });
        click(d, "BtScan");
        QListWidget* list = child<QListWidget>(d, "clb");
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(
                list->item(i)->text().startsWith("(Customers.dfm)") ? Qt::Checked : Qt::Unchecked);
        Ui.ExpectDialog("TFrManagerRepl", [](QDialog& r) {
            child<QLineEdit>(r, "EdValue")->setText("Renamed");
            click(r, "BtOk");
        });
        Ui.ExpectMessage([](const TQzMessageRequest& m) {
            EXPECT_EQ(m.Type, TQzMessageType::mtError);
            EXPECT_TRUE(m.Text.contains("File too large")) << m.Text.toStdString();
            return bkOk;
        });
        Ui.ExpectMessage([](const TQzMessageRequest& m) {
            EXPECT_EQ(m.Text, "No form was changed");
            return bkOk;
        });
        {
            // The form cannot be written whole.
            const FileSizeLimit limit(1024);
            click(d, "BtReplace");
        }
        click(d, "BtOk");
    });
    TFrManager manager(nullptr);
    manager.Execute(dlmSetsFont, "", "Title");
    EXPECT_EQ(formText("Customers.dfm"), before);
}
