// The strings package editor as a person uses it: opened on a package of a designed form, driven
// through its pages, buttons and menus with the add dialogs, file dialogs, printer and message
// boxes answered by the scripted UI, and judged by the package, the files and what the designer
// was told.

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "StringsEditorTestSupport.h"
#include "packages/QzPkgStringsEditor.h"
#include "pickers/QzPickerList.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

template <typename T>
T* child(QWidget& w, const QString& name) {
    T* widget = w.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

QLineEdit* edit(QWidget& d, const char* name) {
    return child<QLineEdit>(d, QString::fromLatin1(name));
}

QPushButton* button(QWidget& d, const char* name) {
    return child<QPushButton>(d, QString::fromLatin1(name));
}

QAction* action(QWidget& d, const char* name) {
    return child<QAction>(d, QString::fromLatin1(name));
}

// The rows of a list as "id text".
QStringList rows(QWidget& d, const char* name) {
    QStringList lines;
    for (TQzPkgItem* item : child<TQzPickerList>(d, QString::fromLatin1(name))->Model()->Rows())
        lines << QStringLiteral("%1 %2").arg(item->Id()).arg(QzPickerItemText(item));
    return lines;
}

int selectedId(QWidget& d, const char* name) {
    auto* list = child<TQzPickerList>(d, QString::fromLatin1(name));
    TQzPkgItem* item = list->Model()->Item(list->CurrentRow());
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

void page(QWidget& d, int index) {
    child<QTabWidget>(d, "PageC")->setCurrentIndex(index);
}

QByteArray readFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class PkgStringsEditor : public StringsEditorTest {
protected:
    void SetUp() override {
        StringsEditorTest::SetUp();
        Pkg->Labels()->Add(3, "Cherry", "red fruit");
        Pkg->Labels()->Add(1, "apple", "green");
        Pkg->Labels()->Add(2, "Banana");
        Pkg->Labels()->Add(10, "banana split", "   ");
        Pkg->Messages()->Add(5, "Save changes?");
        Pkg->Messages()->Add(6, "File not found");
        Pkg->Texts()->Add(1, "Line one\r\nLine two");
    }

    // Runs the editor on Pkg with `act` driving it.
    int run(std::function<void(TFrPkgStrings&)> act, bool embedded = false) {
        Ui.ExpectDialog("TFrPkgStrings",
                        [act](QDialog& d) { act(static_cast<TFrPkgStrings&>(d)); });
        TFrPkgStrings editor;
        editor.Pkg = Pkg;
        editor.Embedded = embedded;
        return editor.Execute();
    }
    // Answers the next file dialog with `file`.
    void chooseFile(const QString& file) {
        Ui.ExpectFile([file](const TQzFileRequest&) { return QStringList{file}; });
    }
};

} // namespace

TEST_F(PkgStringsEditor, OpensCentredTheFirstTimeAndKeepsItsPlaceInThePackage) {
    ASSERT_EQ(Pkg->Data()->FEditorLeft, QzNeverPlaced);
    run([](TFrPkgStrings& d) {
        EXPECT_EQ(d.windowTitle(), "Package : User");
        EXPECT_EQ(status(d), "4 Labels ");
        EXPECT_EQ(child<QLabel>(d, "Label11")->text(), "(Memory)");
        EXPECT_EQ(child<QLabel>(d, "Label10")->text(), "DFM");
        EXPECT_TRUE(child<QWidget>(d, "Panel1")->isVisible());
        d.setGeometry(40, 50, 700, 520);
        ok(d);
    });
    const TQzPkgData* data = Pkg->Data();
    EXPECT_EQ(QRect(data->FEditorLeft, data->FEditorTop, data->FEditorWidth, data->FEditorHeight),
              QRect(40, 50, 700, 520));
    EXPECT_EQ(Modified, 1);

    // It comes back there; closing where it was tells the designer nothing.
    run([](TFrPkgStrings& d) {
        EXPECT_EQ(d.geometry(), QRect(40, 50, 700, 520));
        ok(d);
    });
    EXPECT_EQ(Modified, 1);

    // Embedded: no file controls and no designer notification, even for a new place.
    run(
        [](TFrPkgStrings& d) {
            for (const char* name : {"Panel1", "BtLoad", "BtSave", "BtSynchronizer"})
                EXPECT_FALSE(child<QWidget>(d, name)->isVisible()) << name;
            EXPECT_TRUE(button(d, "BtLoadFrom")->isVisible());
            d.setGeometry(60, 70, 640, 480);
            ok(d);
        },
        true);
    EXPECT_EQ(Pkg->Data()->FEditorLeft, 60);
    EXPECT_EQ(Modified, 1);
}

TEST_F(PkgStringsEditor, TheSystemPackageOffersProtectionAndUpdatesOnlyWhereTheApplicationAllows) {
    Pkg->SetPkgName("system");
    const struct {
        bool App;
        bool SystemEdit;
        bool CanEdit;
        bool MenuEnabled;
    } cases[] = {
        {false, false, true, false}, {true, false, false, false}, {true, true, true, true}};
    for (const auto& c : cases) {
        std::unique_ptr<TQzCApplication> app;
        if (c.App) {
            app = std::make_unique<TQzCApplication>();
            app->FSystemEdit = c.SystemEdit;
        }
        run([&](TFrPkgStrings& d) {
            EXPECT_EQ(button(d, "BtAdd")->isEnabled(), c.CanEdit);
            EXPECT_EQ(button(d, "BtClear")->isEnabled(), c.CanEdit);
            EXPECT_EQ(button(d, "BtLoadFrom")->isEnabled(), c.CanEdit);
            EXPECT_EQ(button(d, "BtTranslator")->isEnabled(), c.CanEdit);
            EXPECT_EQ(action(d, "MnImportLabels")->isEnabled(), c.CanEdit);
            for (const char* name :
                 {"MnUpdateSystemStrings1", "MnUpdateSystemStrings2", "MnProtectAllLabels",
                  "MnUnProtectAllMessages", "MnUnprotectAllTexts"}) {
                EXPECT_TRUE(action(d, name)->isVisible()) << name;
                EXPECT_EQ(action(d, name)->isEnabled(), c.MenuEnabled) << name;
            }
            // The protected mark has a column of its own.
            EXPECT_TRUE(child<TQzPickerList>(d, "Labels")->ShowProtected());
            if (c.MenuEnabled) {
                action(d, "MnProtectAllLabels")->trigger();
                EXPECT_TRUE(Pkg->Labels()->FindId(2)->Protected);
                EXPECT_FALSE(Pkg->Messages()->FindId(5)->Protected);
            }
            ok(d);
        });
    }
    Pkg->SetPkgName("User");
    run([](TFrPkgStrings& d) {
        EXPECT_FALSE(action(d, "MnProtectAllLabels")->isVisible());
        EXPECT_FALSE(action(d, "MnUpdateSystemStrings3")->isVisible());
        EXPECT_FALSE(child<TQzPickerList>(d, "Labels")->ShowProtected());
        ok(d);
    });
}

TEST_F(PkgStringsEditor, LabelsAreOrderedSearchedAndChosenById) {
    run([](TFrPkgStrings& d) {
        EXPECT_EQ(rows(d, "Labels"),
                  (QStringList{"1 apple", "2 Banana", "10 banana split", "3 Cherry"}));
        typeInto(edit(d, "EdLabel"), "bz");
        EXPECT_EQ(selectedId(d, "Labels"), 3);
        EXPECT_EQ(edit(d, "EdLabelId")->text(), "3");
        EXPECT_EQ(child<QPlainTextEdit>(d, "EdLabelHint")->toPlainText(), "red fruit");
        EXPECT_TRUE(button(d, "BtModify")->isEnabled());

        typeInto(edit(d, "EdLabelId"), "2");
        EXPECT_EQ(selectedId(d, "Labels"), 2);
        EXPECT_EQ(edit(d, "EdLabel")->text(), "Banana");
        // Letters do not get into an id; an unknown id selects nothing and clears the edits.
        QTest::keyClicks(edit(d, "EdLabelId"), "x");
        EXPECT_EQ(edit(d, "EdLabelId")->text(), "2");
        typeInto(edit(d, "EdLabelId"), "77");
        EXPECT_EQ(selectedId(d, "Labels"), -1);
        EXPECT_EQ(edit(d, "EdLabel")->text(), "");
        EXPECT_FALSE(button(d, "BtModify")->isEnabled());

        child<QRadioButton>(d, "OrderId")->click();
        EXPECT_EQ(rows(d, "Labels"),
                  (QStringList{"1 apple", "2 Banana", "3 Cherry", "10 banana split"}));
        typeInto(edit(d, "EdLabel"), "ban");
        EXPECT_EQ(selectedId(d, "Labels"), 2);
        ok(d);
    });
}

TEST_F(PkgStringsEditor, MessagesAndTextsAreFilteredAndTheWholeTextShows) {
    run([](TFrPkgStrings& d) {
        page(d, 1);
        EXPECT_EQ(status(d), "2 Messages ");
        typeInto(edit(d, "EdMessage"), "not");
        EXPECT_EQ(rows(d, "Messages"), QStringList{"6 File not found"});
        typeInto(edit(d, "EdMessage"), "  ");
        EXPECT_EQ(rows(d, "Messages").size(), 2);
        typeInto(edit(d, "EdMsgId"), "5");
        EXPECT_EQ(selectedId(d, "Messages"), 5);

        page(d, 2);
        EXPECT_EQ(status(d), "1 Text ");
        child<TQzPickerList>(d, "Texts")->SelectRow(0);
        EXPECT_EQ(edit(d, "EdTextId")->text(), "1");
        EXPECT_EQ(child<QPlainTextEdit>(d, "EdTexto")->toPlainText(), "Line one\nLine two");
        ok(d);
    });
}

TEST_F(PkgStringsEditor, LabelsAreAddedChangedAndDeletedThroughTheAddDialog) {
    run([this](TFrPkgStrings& d) {
        Ui.ExpectDialog("TFrMemoryLabelAdd", [](QDialog& a) {
            EXPECT_EQ(a.windowTitle(), "Add Label");
            EXPECT_EQ(a.findChild<QLineEdit*>("EdId")->text(), "11");
            a.findChild<QLineEdit*>("EdLabel")->setText("Date");
            a.findChild<QPlainTextEdit*>("EdHint")->setPlainText("when");
            ok(a);
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(rows(d, "Labels"),
                  (QStringList{"1 apple", "2 Banana", "10 banana split", "3 Cherry", "11 Date"}));
        EXPECT_EQ(selectedId(d, "Labels"), 11);
        EXPECT_EQ(status(d), "5 Labels ");
        EXPECT_EQ(Modified, 1);

        // A changed text moves the label to its place.
        Ui.ExpectDialog("TFrMemoryLabelAdd", [](QDialog& a) {
            EXPECT_EQ(a.windowTitle(), "Modify Label");
            EXPECT_EQ(a.findChild<QPlainTextEdit*>("EdHint")->toPlainText(), "when");
            a.findChild<QLineEdit*>("EdLabel")->setText("Aaa");
            ok(a);
        });
        button(d, "BtModify")->click();
        EXPECT_EQ(rows(d, "Labels").first(), "11 Aaa");
        EXPECT_EQ(Modified, 2);

        // Deleting asks message 26, which proceeds on its first button.
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 26);
            EXPECT_EQ(r.Default, bkOk);
            return bkCancel;
        });
        button(d, "BtDelete")->click();
        EXPECT_NE(Pkg->Labels()->FindId(11), nullptr);
        Ui.ExpectMessage(26, bkOk);
        button(d, "BtDelete")->click();
        EXPECT_EQ(Pkg->Labels()->FindId(11), nullptr);
        EXPECT_EQ(selectedId(d, "Labels"), 1);
        EXPECT_EQ(edit(d, "EdLabelId")->text(), "1");
        EXPECT_EQ(status(d), "4 Labels ");
        ok(d);
    });
    // And once for the window's first place.
    EXPECT_EQ(Modified, 4);
}

TEST_F(PkgStringsEditor, MessagesAndTextsAreAddedChangedAndDeletedToo) {
    run([this](TFrPkgStrings& d) {
        page(d, 1);
        typeInto(edit(d, "EdMessage"), "found");
        Ui.ExpectDialog("TFrMemoryMessageAdd", [](QDialog& a) {
            EXPECT_EQ(a.windowTitle(), "Add Message");
            a.findChild<QPlainTextEdit*>()->setPlainText("Not found again");
            ok(a);
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(rows(d, "Messages"), (QStringList{"6 File not found", "7 Not found again"}));
        EXPECT_EQ(selectedId(d, "Messages"), 7);

        Ui.ExpectDialog("TFrMemoryMessageAdd", [](QDialog& a) {
            EXPECT_EQ(a.windowTitle(), "Modify Message");
            a.findChild<QLineEdit*>("EdId")->setText("70");
            ok(a);
        });
        button(d, "BtModify")->click();
        EXPECT_EQ(rows(d, "Messages"), (QStringList{"6 File not found", "70 Not found again"}));
        EXPECT_EQ(edit(d, "EdMsgId")->text(), "70");

        // A text is added with the filter emptied, so it shows.
        page(d, 2);
        typeInto(edit(d, "EdText"), "zzz");
        Ui.ExpectDialog("TFrMemoryTextAdd", [](QDialog& a) {
            a.findChild<QPlainTextEdit*>("EdTexto")->setPlainText("Second");
            ok(a);
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(edit(d, "EdText")->text(), "");
        EXPECT_EQ(rows(d, "Texts"), (QStringList{"1 Line one\r\nLine two", "2 Second"}));
        Ui.ExpectMessage(26, bkOk);
        button(d, "BtDelete")->click();
        EXPECT_EQ(rows(d, "Texts").size(), 1);
        EXPECT_EQ(selectedId(d, "Texts"), 1);
        ok(d);
    });
}

TEST_F(PkgStringsEditor, ClearAllAsksFirstWithTheSecondButtonAsDefault) {
    run([this](TFrPkgStrings& d) {
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.MessageId, 58);
            EXPECT_EQ(r.Default, bkCancel);
            return bkCancel;
        });
        button(d, "BtClear")->click();
        EXPECT_EQ(Pkg->Labels()->Count(), 4);
        Ui.ExpectMessage(58, bkOk);
        button(d, "BtClear")->click();
        EXPECT_EQ(Pkg->Labels()->Count() + Pkg->Messages()->Count() + Pkg->Texts()->Count(), 0);
        EXPECT_TRUE(rows(d, "Labels").isEmpty());
        EXPECT_EQ(status(d), "0 Labels ");
        ok(d);
    });
}

TEST_F(PkgStringsEditor, TextFilesAreWrittenByIdAndReadWholeBeforeAnythingChanges) {
    Pkg->Labels()->Add(0, "", "only a hint");
    run([this](TFrPkgStrings& d) {
        chooseFile(path("labels.txt"));
        action(d, "MnExportLabels")->trigger();
        EXPECT_EQ(readFile(path("labels.txt")),
                  "0,,only a hint\n1,apple,green\n2,Banana\n3,Cherry,red fruit\n"
                  "10,banana split,\"   \"\n");

        // A bad line: the number is named and nothing changes.
        writeFile(path("bad.txt"), "1,one\n2,two\nx,three\n");
        chooseFile(path("bad.txt"));
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("bad.txt, line 3: 'x' is not an id")) << r.Text.data();
            return bkOk;
        });
        action(d, "MnImportLabels")->trigger();
        EXPECT_EQ(Pkg->Labels()->Count(), 5);

        // Latin-1 with carriage returns alone: every line, every character.
        writeFile(path("latin.txt"), "1,caf\xe9\r2,\"a, b\",hint\r3\r");
        chooseFile(path("latin.txt"));
        action(d, "MnImportLabels")->trigger();
        EXPECT_EQ(rows(d, "Labels"), (QStringList{"3 ", "2 a, b", QString::fromUtf8("1 café")}));
        EXPECT_EQ(Pkg->Labels()->FindId(2)->Hint(), "hint");
        EXPECT_EQ(status(d), "3 Labels ");

        // Cancelled dialogs change nothing.
        Ui.ExpectFile([](const TQzFileRequest&) { return std::nullopt; });
        action(d, "MnImportMessages")->trigger();
        EXPECT_EQ(Pkg->Messages()->Count(), 2);
        ok(d);
    });
}

TEST_F(PkgStringsEditor, APackageInItsOwnFileIsWrittenOnCloseAndLoadsFromOtherFiles) {
    TQzPkgStrings other;
    other.Labels()->Add(40, "Forty");
    other.SaveToFile(path("Other.pst"));
    writeFile(path("Damaged.pst"), "QZPK not really");
    Pkg->SaveFileEx("Own", TQzPkgInfo::imFILE);
    run([this](TFrPkgStrings& d) {
        EXPECT_EQ(child<QLabel>(d, "Label10")->text(), "FILE");
        EXPECT_EQ(child<QLabel>(d, "Label11")->text(), path("Own.pst"));
        chooseFile(path("Damaged.pst"));
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("Damaged.pst"));
            return bkOk;
        });
        button(d, "BtLoadFrom")->click();
        EXPECT_EQ(Pkg->Labels()->Count(), 4);
        chooseFile(path("Other.pst"));
        button(d, "BtLoadFrom")->click();
        EXPECT_EQ(rows(d, "Labels"), QStringList{"40 Forty"});
        chooseFile(path("Copy.pst"));
        button(d, "BtSaveTo")->click();
        ok(d);
    });
    // Kept in its own file: the designer is told only of the window's new place.
    EXPECT_EQ(Modified, 1);
    TQzPkgStrings own, copy;
    own.LoadFromFile(path("Own.pst"));
    copy.LoadFromFile(path("Copy.pst"));
    EXPECT_EQ(own.Labels()->FindId(40)->Text(), "Forty");
    EXPECT_EQ(copy.Labels()->Count(), 1);
}

TEST_F(PkgStringsEditor, TheReportPrintsThePageShownWithItsNumbersAndWrapsLongTexts) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (Debian package poppler-utils) is not installed";
    const QString longText = QString("word ").repeated(60) + "END";
    for (int id = 100; id < 2100; ++id)
        Pkg->Labels()->Add(id, QStringLiteral("Label %1").arg(id), id == 150 ? longText : "");
    const auto print = [this](const QString& pdf) {
        Ui.ExpectPrinter([pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
    };
    const auto text = [](const QString& pdf) {
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    run([&](TFrPkgStrings& d) {
        child<QRadioButton>(d, "OrderId")->click();
        print(path("labels.pdf"));
        child<QToolButton>(d, "BtReport")->click();
        page(d, 1);
        typeInto(edit(d, "EdMessage"), "found");
        print(path("messages.pdf"));
        child<QToolButton>(d, "BtReport")->click();
        // No printer chosen, nothing printed; one that cannot print says so.
        Ui.ExpectPrinter([](QPrinter&) { return false; });
        child<QToolButton>(d, "BtReport")->click();
        print(path("no/such/folder/x.pdf"));
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.startsWith("Cannot print to")) << r.Text.toStdString();
            return bkOk;
        });
        child<QToolButton>(d, "BtReport")->click();
        ok(d);
    });
    const QString labels = text(path("labels.pdf"));
    EXPECT_TRUE(labels.startsWith("**** Labels Report ****")) << labels.left(200).toStdString();
    EXPECT_TRUE(labels.contains(QRegularExpression(R"(\b3 - Cherry \*Hint = red fruit\b)")));
    // A hint of blanks only prints no hint part.
    EXPECT_TRUE(labels.contains(QRegularExpression(R"(\b10 - banana split\s*\n)")));
    // The long text wraps onto further lines, whole.
    EXPECT_TRUE(labels.contains(QRegularExpression(R"(150 - Label 150 \*Hint = word)")));
    EXPECT_EQ(labels.count("word"), 60);
    EXPECT_TRUE(labels.contains("END"));
    const int pages = labels.count(QChar('\f'));
    EXPECT_GT(pages, 20);
    EXPECT_TRUE(labels.contains(QStringLiteral("Page %1 of %1").arg(pages)));
    EXPECT_TRUE(labels.contains("2099 - Label 2099"));

    const QString messages = text(path("messages.pdf"));
    EXPECT_TRUE(messages.contains("**** Messages Report ****"));
    EXPECT_TRUE(messages.contains("6 - File not found"));
    EXPECT_FALSE(messages.contains("Save changes?"));
}

TEST_F(PkgStringsEditor, TranslationFilesAreOfferedFromTheMenu) {
    TQzPkgStrings spanish;
    spanish.SetPkgName("User");
    spanish.Labels()->Add(1, "manzana");
    spanish.SaveToFile(path("User_es.pst"));
    run([this](TFrPkgStrings& d) {
        chooseFile(path("user.po"));
        chooseFile(path("User_es.pst"));
        action(d, "MnExportTranslationLabels")->trigger();
        const QByteArray po = readFile(path("user.po"));
        EXPECT_TRUE(po.contains("msgctxt \"Labels/1\"\nmsgid \"apple\"\nmsgstr \"manzana\""));

        QByteArray edited = po;
        writeFile(path("user.po"), edited.replace("msgid \"Banana\"\nmsgstr \"\"",
                                                  "msgid \"Banana\"\nmsgstr \"Pl\xc3\xa1tano\""));
        chooseFile(path("user.po"));
        chooseFile(path("User_es.pst"));
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains(": 1; unchanged: 1;")) << r.Text.toStdString();
            return bkOk;
        });
        action(d, "MnImportTranslationMessages")->trigger();

        // A damaged file is refused with its line, and nothing is asked further.
        writeFile(path("bad.po"), "msgid \"a\nmsgstr \"b\"\n");
        chooseFile(path("bad.po"));
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("line 2")) << r.Text.toStdString();
            return bkOk;
        });
        action(d, "MnImportTranslationTexts")->trigger();
        ok(d);
    });
    // Writing translations into the package's own file would be undone by the editor's own save.
    Pkg->SaveFileEx("User", TQzPkgInfo::imFILE);
    run([this](TFrPkgStrings& d) {
        chooseFile(path("user.po"));
        chooseFile(path("User.pst"));
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("holds this package itself")) << r.Text.toStdString();
            return bkOk;
        });
        action(d, "MnImportTranslationLabels")->trigger();
        ok(d);
    });
    spanish.LoadFromFile(path("User_es.pst"));
    EXPECT_EQ(spanish.Labels()->FindId(2)->Text(), QString::fromUtf8("Plátano"));
    // The package itself only gave the source texts.
    EXPECT_EQ(Pkg->Labels()->FindId(2)->Text(), "Banana");
}

TEST_F(PkgStringsEditor, TheManagerAndTheTranslatorsDeleteThroughTheEditor) {
    run([this](TFrPkgStrings& d) {
        EXPECT_TRUE(d.ManagerEditsKind(dlmTexts));
        EXPECT_FALSE(d.ManagerEditsKind(dlmImages));
        EXPECT_EQ(d.ManagerPackageName(), "User");
        typeInto(edit(d, "EdLabelId"), "2");
        d.ManagerDeleteItem(dlmLabels, Pkg->Labels()->FindId(2));
        EXPECT_EQ(rows(d, "Labels"), (QStringList{"1 apple", "10 banana split", "3 Cherry"}));
        EXPECT_EQ(selectedId(d, "Labels"), 10);
        d.ManagerDeleteItem(dlmMessages, Pkg->Messages()->FindId(6));
        EXPECT_EQ(Pkg->Messages()->Count(), 1);

        // The translators delete by id, through the question, whatever the filter shows.
        page(d, 1);
        typeInto(edit(d, "EdMessage"), "nothing like it");
        EXPECT_TRUE(rows(d, "Messages").isEmpty());
        Ui.ExpectMessage(26, bkOk);
        EXPECT_TRUE(d.DeleteById(TQzStringsKind::Messages, 5));
        EXPECT_EQ(Pkg->Messages()->Count(), 0);
        ok(d);
    });
}

TEST_F(PkgStringsEditor, ALanguagesSystemStringsShowTheirLastUpdateAndAreUpdatedFromABaseFile) {
    TQzPkgLanguage base;
    base.SystemStrings()->Labels()->Add(99, "From the base file");
    base.SaveToFile(path("Base.lan"));
    TQzCApplication app;
    app.FSystemEdit = true;
    TQzPkgLanguage* language = app.PkgLanguage();
    language->SetLastUpdateFile("Standard.lan");
    language->SystemStrings()->Labels()->Add(1, "Ok");
    Pkg = language->SystemStrings();
    run(
        [this](TFrPkgStrings& d) {
            EXPECT_EQ(status(d), "1 Label (LastUpdateFile:Standard.lan) (UpdateDateTime:)");
            Ui.ExpectDialog("TFrUpdateSystemStrings", [this](QDialog& u) {
                u.findChild<QLineEdit*>("Edit1")->setText(path("Base.lan"));
                ok(u);
            });
            action(d, "MnUpdateSystemStrings2")->trigger();
            EXPECT_EQ(rows(d, "Labels"), (QStringList{"99 From the base file", "1 Ok"}));
            EXPECT_TRUE(status(d).startsWith("2 Labels (LastUpdateFile:"));
            ok(d);
        },
        true);
    // Embedded: the language dialog that opened it tells the designer.
    EXPECT_EQ(Modified, 0);
}
