// The images package editor, its import and the images package's component and file name
// editors, driven through the scripted UI and judged by the package, the designer's notices and
// the printed catalogue.

#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzGraphics.h"
#include "QzHooks.h"
#include "QzPkgImages.h"
#include "QzScriptedUi.h"
#include "editors/QzPkgImagesEditors.h"
#include "packages/QzImportImages.h"
#include "packages/QzPkgImagesEditor.h"
#include "pickers/QzImageGrid.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage solid(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QPushButton* button(QWidget& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QAction* action(QWidget& d, const char* name) {
    auto* a = d.findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(a, nullptr) << name;
    return a;
}

QString status(QWidget& d) {
    return d.findChild<QStatusBar*>("StatusBar1")->currentMessage();
}

TQzImageGrid* grid(QWidget& d) {
    return d.findChild<TQzImageGrid*>("Images");
}

QList<int> ids(const TQzPkgImages& pkg) {
    QList<int> list;
    for (int i = 0; i < pkg.Images()->Count(); ++i)
        list << pkg.Images()->GetItems(i)->Id();
    std::sort(list.begin(), list.end());
    return list;
}

class ImagesEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        QzSetAppPath(Dir.path());
        Pkg.SetPkgName("User");
        Pkg.SetDesigning(true);
        Pkg.SetDesigner(&FDesigner);
        Pkg.Images()->Add(3)->SetPicture(solid(20, 10, qRgb(255, 0, 0)));
        Pkg.Images()->Add(1)->SetPicture(solid(8, 8, qRgb(0, 0, 255)));
        Pkg.Images()->Add(2);
        // Placed before, so that closing the editor where it opened changes nothing.
        Pkg.Data()->FEditorLeft = 40;
        Pkg.Data()->FEditorTop = 50;
        Pkg.Data()->FEditorWidth = 700;
        Pkg.Data()->FEditorHeight = 480;
        QzDsgnModified = [this](TComponent*) {
            ++Notices;
        };
    }
    void TearDown() override {
        QzDsgnModified = nullptr;
        QzSetAppPath(QString());
    }

    void run(TQzPkgImages& pkg, std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrPkgImages"), std::move(act));
        TFrPkgImages editor;
        editor.Package = &pkg;
        editor.Execute();
    }

    QTemporaryDir Dir;
    TQzPkgImages Pkg;
    int FDesigner = 0;
    int Notices = 0;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST(ImagesSizeText, RoundsToOneDecimalAtTheThresholds) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "(0 Bytes)"},
        {1023, "(1023 Bytes)"},
        {1024, "(1 KB)"},
        {1536, "(1.5 KB)"},
        {1048575, "(1024 KB)"},
        {1048576, "(1 MB)"},
        {5 * 1048576 + 104858, "(5.1 MB)"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(QzSizeText(bytes), QString::fromLatin1(text)) << bytes;
}

TEST_F(ImagesEditor, ListsByIdSelectsByIdAndReportsTheSize) {
    const qint64 bytes = Pkg.Images()->FindId(1)->GetSize() + Pkg.Images()->FindId(3)->GetSize();
    run(Pkg, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Package : User");
        EXPECT_EQ(d.findChild<QLabel*>("Label7")->text(), "(Memory)");
        EXPECT_EQ(d.findChild<QLabel*>("LabMode")->text(), "DFM");
        EXPECT_EQ(status(d), QStringLiteral("3 Images %1 ").arg(QzSizeText(bytes)));
        QList<int> shown;
        for (TQzPkgItem* item : grid(d)->Model()->Rows())
            shown << item->Id();
        EXPECT_EQ(shown, (QList<int>{1, 2, 3}));
        EXPECT_EQ(QzImageCellText(*Pkg.Images()->FindId(3), TQzImageInfo::WidthHeight),
                  QStringLiteral("3\r(%1)\r(20x10)").arg(QzFindGraphicDescription("TPngImage")));
        EXPECT_EQ(QzImageCellText(*Pkg.Images()->FindId(2), TQzImageInfo::Size), "2\r(None)");

        auto* id = d.findChild<QLineEdit*>("EdId");
        id->setFocus();
        QTest::keyClicks(id, "3");
        EXPECT_EQ(grid(d)->CurrentRow(), 2);
        EXPECT_TRUE(button(d, "BtModify")->isEnabled());
        QTest::keyClicks(id, "x"); // dropped
        EXPECT_EQ(id->text(), "3");
        QTest::keyClick(id, Qt::Key_Backspace);
        QTest::keyClicks(id, "7");
        EXPECT_EQ(grid(d)->CurrentRow(), -1);
        EXPECT_FALSE(button(d, "BtDelete")->isEnabled());
        d.reject();
    });
}

TEST_F(ImagesEditor, ClosingUnchangedTellsNobodyButMovingIsKept) {
    run(Pkg, [](QDialog& d) { static_cast<TQzDialog&>(d).OkButton()->click(); });
    EXPECT_EQ(Notices, 0);
    run(Pkg, [](QDialog& d) {
        d.resize(640, 420);
        d.reject();
    });
    EXPECT_EQ(Notices, 1);
    EXPECT_EQ(Pkg.Data()->FEditorWidth, 640);
}

TEST_F(ImagesEditor, DeletesAndClearsOnlyWhenConfirmed) {
    run(Pkg, [&](QDialog& d) {
        Ui.ExpectMessage(25, bkCancel).ExpectMessage(25, bkOk).ExpectMessage(50, bkCancel);
        auto* id = d.findChild<QLineEdit*>("EdId");
        id->setFocus();
        QTest::keyClicks(id, "2");
        button(d, "BtDelete")->click();
        EXPECT_EQ(ids(Pkg), (QList<int>{1, 2, 3}));
        button(d, "BtDelete")->click();
        EXPECT_EQ(ids(Pkg), (QList<int>{1, 3}));
        EXPECT_EQ(id->text(), "3"); // the selection moves to the same place
        EXPECT_EQ(grid(d)->CurrentRow(), 1);
        button(d, "BtClear")->click();
        EXPECT_EQ(ids(Pkg), (QList<int>{1, 3}));
        d.reject();
    });
    EXPECT_EQ(Notices, 1);
    EXPECT_EQ(Ui.Messages().at(0).Default, bkOk);
    EXPECT_EQ(Ui.Messages().at(2).Default, bkCancel);
}

TEST_F(ImagesEditor, TheSystemPackageNeedsTheSystemEditFlag) {
    TQzPkgImages system;
    system.SetPkgName("System");
    system.Images()->Add(1);
    run(system, [](QDialog& d) {
        for (const char* name : {"BtAdd", "BtClear", "BtLoadFrom", "BtModify", "BtDelete"})
            EXPECT_FALSE(button(d, name)->isEnabled()) << name;
        for (const char* name :
             {"MnProtected", "MnProtectAllImages", "MnUnprotectAllImages", "MnUpdateSystemImages"})
            EXPECT_TRUE(action(d, name)->isVisible()) << name;
        for (const char* name : {"MnProtectAllImages", "MnUnprotectAllImages", "MnImport"})
            EXPECT_FALSE(action(d, name)->isEnabled()) << name;
        d.reject();
    });
    TQzCApplication app;
    app.FSystemEdit = true;
    run(system, [&](QDialog& d) {
        EXPECT_TRUE(button(d, "BtAdd")->isEnabled());
        action(d, "MnProtectAllImages")->trigger();
        d.reject();
    });
    EXPECT_TRUE(system.Images()->FindId(1)->Protected);
    run(Pkg, [](QDialog& d) {
        EXPECT_FALSE(action(d, "MnProtected")->isVisible());
        EXPECT_TRUE(action(d, "MnImport")->isEnabled());
        d.reject();
    });
}

TEST_F(ImagesEditor, AddsAPictureFileAndRefusesOneThatDoesNotDecode) {
    const QString good = Dir.filePath("green.png");
    ASSERT_TRUE(solid(5, 4, qRgb(0, 255, 0)).save(good));
    const QString bad = Dir.filePath("broken.png");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x89PNG not really");
    }
    run(Pkg, [&](QDialog& d) {
        Ui.ExpectDialog("TFrMemoryImageAdd", [&](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Add Image");
            EXPECT_EQ(add.findChild<QLineEdit*>("EdId")->text(), "4");
            EXPECT_FALSE(add.findChild<QWidget*>("EdProtected")->isVisible());
            Ui.ExpectFile([bad](const TQzFileRequest&) { return QStringList{bad}; });
            Ui.ExpectMessage([](const TQzMessageRequest& message) {
                EXPECT_TRUE(message.Text.contains("broken.png")) << message.Text.toStdString();
                return bkOk;
            });
            add.findChild<QAbstractButton*>("BtLoad")->click();
            EXPECT_EQ(add.findChild<QLabel*>("Label1")->text(), "(None)");
            EXPECT_FALSE(add.findChild<QAbstractButton*>("BtMask")->isEnabled());
            add.reject();
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(ids(Pkg), (QList<int>{1, 2, 3}));

        Ui.ExpectDialog("TFrMemoryImageAdd", [&](QDialog& add) {
            Ui.ExpectFile([good](const TQzFileRequest&) { return QStringList{good}; });
            add.findChild<QAbstractButton*>("BtLoad")->click();
            EXPECT_TRUE(add.findChild<QLabel*>("Label1")->text().endsWith("(5x4)"));
            auto* id = add.findChild<QLineEdit*>("EdId");
            id->setText("1");
            Ui.ExpectMessage([](const TQzMessageRequest&) { return bkOk; });
            static_cast<TQzDialog&>(add).OkButton()->click(); // 1 is taken: refused, stays open
            EXPECT_TRUE(add.isVisible());
            EXPECT_EQ(Pkg.Images()->FindId(1)->Width(), 8);
            id->setText("4");
            static_cast<TQzDialog&>(add).OkButton()->click();
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(ids(Pkg), (QList<int>{1, 2, 3, 4}));
        EXPECT_EQ(d.findChild<QLineEdit*>("EdId")->text(), "4");
        EXPECT_EQ(grid(d)->CurrentRow(), 3);
        EXPECT_EQ(Pkg.Images()->FindId(4)->Width(), 5);
        d.reject();
    });
    EXPECT_EQ(Notices, 1);
}

TEST_F(ImagesEditor, ImportsChosenImagesFromTheFirstFreeIds) {
    const QString file = Dir.filePath("Other.pim");
    {
        TQzPkgImages other;
        for (int id : {10, 11, 12})
            other.Images()->Add(id)->SetPicture(solid(id, 3, qRgb(id, 0, 0)));
        other.SaveToFile(file);
    }
    TQzPkgImages target;
    target.Images()->Add(6);
    TFrImportImages::RememberedFile() = file;
    Ui.ExpectDialog("TFrImportImages", [&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>("Label7")->text(), file);
        EXPECT_EQ(grid(d)->Model()->rowCount(), 3);
        grid(d)->selectAll();
        Ui.ExpectDialog("TFrImportDlg", [](QDialog& first) {
            EXPECT_EQ(first.findChild<QLineEdit*>("EdId")->text(), "7");
            first.reject();
        });
        static_cast<TQzDialog&>(d).OkButton()->click(); // the first id was cancelled: stays open
        EXPECT_TRUE(d.isVisible());
        Ui.ExpectDialog("TFrImportDlg", [](QDialog& first) {
            first.findChild<QLineEdit*>("EdId")->setText("5");
            static_cast<TQzDialog&>(first).OkButton()->click();
        });
        static_cast<TQzDialog&>(d).OkButton()->click();
    });
    TFrImportImages dialog;
    dialog.TargetPkg = &target;
    EXPECT_EQ(dialog.Execute(), 1);
    EXPECT_EQ(ids(target), (QList<int>{5, 6, 7, 8}));
    EXPECT_EQ(target.Images()->FindId(8)->Width(), 12);
    EXPECT_EQ(NextFreeId(*target.Images(), 2), 3);
    EXPECT_EQ(NextFreeId(*target.Images(), 5), 9);
}

TEST_F(ImagesEditor, PrintsTheCatalogueToPdf) {
    // Nine cells a row and nine rows a page on A4: two pages.
    for (int id = 10; id < 100; ++id)
        Pkg.Images()->Add(id)->SetPicture(solid(16 + id, 12, qRgb(id * 2, 120, 255 - id * 2)));
    const QString pdf = QDir::current().filePath("ImagesReport.pdf");
    QFile::remove(pdf);
    run(Pkg, [&](QDialog& d) {
        Ui.ExpectPrinter([pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        d.findChild<QAbstractButton*>("BtReport")->click();
        d.reject();
    });
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 2);
}

TEST_F(ImagesEditor, ComponentAndFileNameEditorsOpenTheEditor) {
    TQzPkgImagesComponentEditor editor(&Pkg, nullptr);
    EXPECT_EQ(editor.GetVerbCount(), 1);
    EXPECT_EQ(editor.GetVerb(0), "View &Package List");
    try {
        editor.Edit();
        ADD_FAILURE() << "opened without an application component";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Component TQzCApplication not found");
    }
    TQzCApplication app;
    Ui.ExpectDialog("TFrPkgImages", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Package : User");
        d.reject();
    });
    editor.Edit();

    EXPECT_EQ(QzPkgFileNameValue(Pkg), "(DFM)");
    Pkg.SetFileName("Icons.pim");
    Pkg.SetInitMode(TQzPkgInfo::imFILE);
    EXPECT_EQ(QzPkgFileNameValue(Pkg), "Icons.pim (FILE)");
}

TEST_F(ImagesEditor, AFileThatCannotBeWrittenIsReportedOnClose) {
    Pkg.SetFileName(Dir.filePath("missing-folder/Icons.pim"));
    Pkg.SetInitMode(TQzPkgInfo::imFILE);
    run(Pkg, [&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>("LabMode")->text(), "FILE");
        Ui.ExpectMessage([](const TQzMessageRequest& message) {
            EXPECT_EQ(message.Type, TQzMessageType::mtError);
            EXPECT_TRUE(message.Text.contains("Icons.pim")) << message.Text.toStdString();
            return bkOk;
        });
        d.reject();
    });
    EXPECT_EQ(ids(Pkg), (QList<int>{1, 2, 3}));
}
