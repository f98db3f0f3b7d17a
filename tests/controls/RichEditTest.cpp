// The rich text editor on a rich edit of a form open in the designer, and the multi-line editor
// on a multi-line property: opened from the inspector, driven through their buttons, combos and
// the scripted UI's dialogs and messages, and judged by the component, the files and the form.

#include "ControlsTestSupport.h"
#include "QzData.h"
#include "QzMemos.h"
#include "RtfOutline.h"
#include "controls/QzMultiLine.h"
#include "controls/QzRichEdit.h"
#include "controls/QzRtf.h"
#include "editors/QzControlEditors.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>

namespace {

const QByteArray RichForm = R"(  object ReTerms: TQzRichEdit
    Font.Name = 'DejaVu Serif'
    Font.Height = -16
  end
  object RePlain: TQzRichEdit
    Lines.Strings = (
      'first line'
      'second line')
    PlainText = True
  end
  object SqlOrders: TQzSqlDataSet
    SQL = 'select *'#13#10'from Orders'
  end
)";

TFrRichEdit& editorOf(QDialog& dialog) {
    return static_cast<TFrRichEdit&>(dialog);
}

QTextEdit* text(QDialog& dialog) {
    return editorOf(dialog).RichEdit();
}

void press(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QToolButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

bool enabled(QDialog& dialog, const char* name) {
    return dialog.findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled();
}

QString panel(QDialog& dialog, const char* name) {
    return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

void ok(QDialog& dialog) {
    static_cast<TQzDialog&>(dialog).OkButton()->click();
}

void type(QDialog& dialog, const QString& typed) {
    QTextCursor cursor = text(dialog)->textCursor();
    cursor.insertText(typed);
    text(dialog)->setTextCursor(cursor);
}

void selectAll(QDialog& dialog) {
    text(dialog)->selectAll();
}

QByteArray readFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::function<std::optional<QStringList>(const TQzFileRequest&)> answer(const QString& file) {
    return [file](const TQzFileRequest&) {
        return std::optional<QStringList>(QStringList{file});
    };
}

} // namespace

class RichEdit : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        openForm(RichForm);
    }
    TQzRichEdit* terms() const { return find<TQzRichEdit>("ReTerms"); }
    // Opens the editor on `edit` through the inspector's "..." of its Lines, `act` driving it.
    void edit(TQzRichEdit* edit, std::function<void(QDialog&)> act) {
        auto editor = CreatePropertyEditor(
            designer(), {edit},
            edit->metaObject()->property(edit->metaObject()->indexOfProperty("Lines")));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(DemangledClassName(typeid(*editor)), "TQzRichEditPropertyEditor");
        EXPECT_EQ(editor->GetAttributes(), paDialog | paReadOnly);
        Ui.ExpectDialog("TFrRichEdit", std::move(act));
        editor->Edit();
    }
    // What the component holds, read as a document.
    QString componentOutline() const {
        QTextDocument document;
        QzRtfRead(terms()->Lines()->Text().toLatin1(), document);
        return RtfOutline(document);
    }
};

TEST_F(RichEdit, AnEmptyComponentOpensEmptyInItsFont) {
    edit(terms(), [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "RichEdit - Untitled");
        EXPECT_TRUE(text(d)->document()->isEmpty());
        EXPECT_EQ(text(d)->document()->defaultFont().family(), "DejaVu Serif");
        EXPECT_EQ(text(d)->document()->defaultFont().pointSize(), 12);
        EXPECT_EQ(panel(d, "StatusLocation"), "Line: 1 Col: 1");
        EXPECT_EQ(panel(d, "StatusModified"), "");
        EXPECT_EQ(panel(d, "StatusUpdate"), "");
        EXPECT_FALSE(enabled(d, "BtnUndo"));
        EXPECT_FALSE(enabled(d, "BtnCut"));
        ok(d);
    });
    EXPECT_EQ(terms()->Lines()->Count(), 0);
}

TEST_F(RichEdit, OkWritesRichTextIntoTheComponentAndTellsTheDesigner) {
    const int before = modifiedCount();
    edit(terms(), [](QDialog& d) {
        type(d, QStringLiteral("Terms apply"));
        EXPECT_EQ(panel(d, "StatusModified"), "Modified");
        EXPECT_EQ(panel(d, "StatusUpdate"), "Update Component");
        EXPECT_EQ(panel(d, "StatusLocation"), "Line: 1 Col: 12");
        EXPECT_TRUE(enabled(d, "BtnUndo"));
        selectAll(d);
        press(d, "BtnBold");
        press(d, "BtnCenter");
        ok(d);
    });
    EXPECT_EQ(modifiedCount(), before + 1);
    EXPECT_TRUE(terms()->Lines()->Lines().first().startsWith("{\\rtf1"));
    EXPECT_EQ(componentOutline(), "center [DejaVu Serif 12 b auto/auto]Terms apply\n");
    // The form keeps the lines; opened again, the editor shows them as they were.
    TComponent* read = saveAndReadBack();
    EXPECT_EQ(qobject_cast<TQzRichEdit*>(read->FindComponent("ReTerms"))->Lines()->Lines(),
              terms()->Lines()->Lines());
    edit(terms(), [](QDialog& d) {
        EXPECT_EQ(RtfOutline(*text(d)->document()),
                  "center [DejaVu Serif 12 b auto/auto]Terms apply\n");
        EXPECT_TRUE(editorOf(d).findChild<QToolButton*>("BtnBold")->isChecked());
        EXPECT_TRUE(editorOf(d).findChild<QToolButton*>("BtnCenter")->isChecked());
        ok(d);
    });
}

TEST_F(RichEdit, APlainTextComponentKeepsPlainLines) {
    auto* plain = find<TQzRichEdit>("RePlain");
    edit(plain, [](QDialog& d) {
        EXPECT_EQ(text(d)->toPlainText(), "first line\nsecond line");
        text(d)->moveCursor(QTextCursor::End);
        type(d, QStringLiteral("!"));
        ok(d);
    });
    EXPECT_EQ(plain->Lines()->Lines(), QStringList({"first line", "second line!"}));
}

TEST_F(RichEdit, ClosingWithoutOkAsksOnlyAfterAChange) {
    terms()->Lines()->SetLines({"{\\rtf1 kept}"});
    edit(terms(), [](QDialog& d) { d.reject(); });
    edit(terms(), [this](QDialog& d) {
        type(d, QStringLiteral("lost "));
        Ui.ExpectMessage([](const TQzMessageRequest& request) {
            EXPECT_EQ(request.Text, "Do you wish to cancel the changes?");
            EXPECT_EQ(request.Buttons, TQzButtons({bkYes, bkNo}));
            EXPECT_EQ(request.Default, bkNo);
            return request.Default;
        });
        d.reject();
        EXPECT_TRUE(d.isVisible());
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkYes; });
        d.reject();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(terms()->Lines()->Lines(), QStringList({"{\\rtf1 kept}"}));
}

TEST_F(RichEdit, FormatCommandsAndTheControlsThatShowThem) {
    edit(terms(), [this](QDialog& d) {
        type(d, QStringLiteral("one\ntwo"));
        selectAll(d);
        press(d, "BtnItalic");
        press(d, "BtnUnderline");
        press(d, "BtnRight");
        press(d, "BtnBullet");
        Ui.ExpectColor(QColor(Qt::red));
        press(d, "BtnColorFont");
        auto* sizes = d.findChild<QComboBox*>("CBSizes");
        sizes->setEditText(QStringLiteral("20"));
        editorOf(d).CBSizesChange();
        auto* fonts = d.findChild<QComboBox*>("CBFonts");
        ASSERT_GT(fonts->count(), 0);
        fonts->setCurrentIndex(0);
        editorOf(d).CBFontsChange();
        const QString family = fonts->itemText(0);
        QTextCursor cursor = text(d)->textCursor();
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextCharacter);
        text(d)->setTextCursor(cursor);
        EXPECT_EQ(RtfOutline(*text(d)->document()),
                  QStringLiteral("right bullet [%1 20 i u #ff0000/auto]one\n"
                                 "right bullet [%1 20 i u #ff0000/auto]two\n")
                      .arg(family));
        EXPECT_EQ(sizes->currentText(), "20");
        EXPECT_EQ(fonts->currentText(), family);
        EXPECT_TRUE(d.findChild<QToolButton*>("BtnItalic")->isChecked());
        EXPECT_TRUE(d.findChild<QToolButton*>("BtnBullet")->isChecked());
        EXPECT_TRUE(d.findChild<QToolButton*>("BtnRight")->isChecked());
        EXPECT_FALSE(d.findChild<QToolButton*>("BtnLeft")->isChecked());
        // Bullets off again, for both paragraphs.
        selectAll(d);
        press(d, "BtnBullet");
        EXPECT_EQ(text(d)->document()->begin().textList(), nullptr);
        EXPECT_EQ(text(d)->document()->lastBlock().textList(), nullptr);
        press(d, "BtnLeft");
        EXPECT_FALSE(d.findChild<QToolButton*>("BtnRight")->isChecked());
        ok(d);
    });
    EXPECT_TRUE(componentOutline().startsWith("left [")) << componentOutline().toStdString();
}

TEST_F(RichEdit, ClipboardAndUndo) {
    edit(terms(), [](QDialog& d) {
        type(d, QStringLiteral("abc"));
        EXPECT_FALSE(enabled(d, "BtnCopy"));
        selectAll(d);
        press(d, "BtnCut");
        EXPECT_TRUE(text(d)->document()->isEmpty());
        press(d, "BtnPaste");
        press(d, "BtnPaste");
        EXPECT_EQ(text(d)->toPlainText(), "abcabc");
        press(d, "BtnUndo");
        EXPECT_EQ(text(d)->toPlainText(), "abc");
        ok(d);
    });
}

TEST_F(RichEdit, SavingAnUntitledTextGoesThroughSaveAs) {
    const QString file = path(QStringLiteral("terms.rtf"));
    edit(terms(), [&](QDialog& d) {
        type(d, QStringLiteral("first"));
        Ui.ExpectFile([&](const TQzFileRequest& request) {
            EXPECT_EQ(request.mode, TQzFileRequest::Save);
            EXPECT_EQ(request.Filter, "Rich Files (*.rtf);;All Files (*.*)");
            return std::optional<QStringList>(QStringList{file});
        });
        press(d, "BtnSave");
        EXPECT_EQ(d.windowTitle(), "RichEdit - terms.rtf");
        EXPECT_EQ(panel(d, "StatusModified"), "");
        QTextDocument saved;
        QzRtfRead(readFile(file), saved);
        EXPECT_EQ(saved.toPlainText(), "first");
        // Named now: Save writes without asking.
        type(d, QStringLiteral(" second"));
        press(d, "BtnSave");
        QzRtfRead(readFile(file), saved);
        EXPECT_EQ(saved.toPlainText(), "first second");
        ok(d);
    });
}

// A text file stays a text file: saved in the code page and line ends it was read in, and one
// the code page cannot hold is refused with the file left as it was.
TEST_F(RichEdit, TextFilesAreSavedAsText) {
    const QString latin = path(QStringLiteral("notes.txt"));
    writeFile(latin, "caf\xe9\r\nend\r\n");
    const QString fresh = path(QStringLiteral("fresh.TXT"));
    const QString rich = path(QStringLiteral("day.rtf"));
    writeFile(rich, "{\\rtf1 \\u26085?\\par end}");
    const QString plain = path(QStringLiteral("day.txt"));
    edit(terms(), [&](QDialog& d) {
        Ui.ExpectFile(answer(latin));
        press(d, "BtnLoad");
        text(d)->moveCursor(QTextCursor::End);
        type(d, QStringLiteral(u"\u20ac"));
        press(d, "BtnSave");
        EXPECT_EQ(readFile(latin), "caf\xe9\r\nend\r\n\x80");
        type(d, QStringLiteral(u"\u65e5"));
        Ui.ExpectMessage([](const TQzMessageRequest& request) {
            EXPECT_EQ(request.Type, TQzMessageType::mtError);
            return bkOk;
        });
        press(d, "BtnSave");
        EXPECT_EQ(readFile(latin), "caf\xe9\r\nend\r\n\x80");
        EXPECT_EQ(panel(d, "StatusModified"), "Modified");

        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkNo; });
        press(d, "BtnNew");
        type(d, QStringLiteral(u"new \u65e5"));
        selectAll(d);
        press(d, "BtnBold");
        Ui.ExpectFile(answer(fresh));
        press(d, "BtnSave");
        EXPECT_EQ(readFile(fresh), "new \xe6\x97\xa5");

        // Rich text read after the text file takes nothing of its code page or line ends.
        Ui.ExpectFile(answer(latin));
        press(d, "BtnLoad");
        Ui.ExpectFile(answer(rich));
        press(d, "BtnLoad");
        Ui.ExpectFile(answer(plain));
        press(d, "BtnSaveAs");
        EXPECT_EQ(readFile(plain), "\xe6\x97\xa5\nend");
        ok(d);
    });
}

// Save writes a file back in the form it was read in, whatever its name says; Save As to a new
// name goes by the name.
TEST_F(RichEdit, AFileKeepsTheFormItWasReadIn) {
    const QString richText = path(QStringLiteral("rich.txt"));
    const QString plainRich = path(QStringLiteral("plain.rtf"));
    const QString copy = path(QStringLiteral("copy.txt"));
    writeFile(richText, "{\\rtf1 {\\b bold} text\\par}");
    writeFile(plainRich, "plain words");
    edit(terms(), [&](QDialog& d) {
        Ui.ExpectFile(answer(richText));
        press(d, "BtnLoad");
        text(d)->moveCursor(QTextCursor::End);
        type(d, QStringLiteral("!"));
        press(d, "BtnSave");
        EXPECT_TRUE(readFile(richText).startsWith("{\\rtf1")) << readFile(richText).data();
        Ui.ExpectFile(answer(copy));
        press(d, "BtnSaveAs");
        type(d, QStringLiteral("?"));
        press(d, "BtnSave");
        EXPECT_EQ(readFile(copy), "bold text!?");

        Ui.ExpectFile(answer(plainRich));
        press(d, "BtnLoad");
        text(d)->moveCursor(QTextCursor::End);
        type(d, QStringLiteral("!"));
        press(d, "BtnSave");
        EXPECT_EQ(readFile(plainRich), "plain words!");
        ok(d);
    });
}

TEST_F(RichEdit, NewAndLoadAskToSaveAChangedText) {
    const QString rtf = path(QStringLiteral("other.rtf"));
    const QString txt = path(QStringLiteral("notes.txt"));
    writeFile(rtf, "{\\rtf1 {\\b bold} text\\par}");
    writeFile(txt, "caf\xe9 cr\xe8me");
    edit(terms(), [&](QDialog& d) {
        type(d, QStringLiteral("draft"));
        // Cancel keeps everything as it was.
        Ui.ExpectMessage([](const TQzMessageRequest& request) {
            EXPECT_EQ(request.Text, "Save changes to Untitled?");
            EXPECT_EQ(request.Buttons, TQzButtons({bkYes, bkNo, bkCancel}));
            EXPECT_EQ(request.Default, bkYes);
            return bkCancel;
        });
        press(d, "BtnNew");
        EXPECT_EQ(text(d)->toPlainText(), "draft");
        // Yes with Save As cancelled saves nothing, so the text stays.
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkYes; });
        Ui.ExpectFile([](const TQzFileRequest&) { return std::optional<QStringList>(); });
        press(d, "BtnNew");
        EXPECT_EQ(text(d)->toPlainText(), "draft");
        // No discards it.
        Ui.ExpectMessage([](const TQzMessageRequest&) { return bkNo; });
        press(d, "BtnNew");
        EXPECT_TRUE(text(d)->document()->isEmpty());
        EXPECT_EQ(panel(d, "StatusUpdate"), "Update Component");

        Ui.ExpectFile([&](const TQzFileRequest& request) {
            EXPECT_EQ(request.Filter, "Rich Files (*.rtf);;Text Files (*.txt);;All Files (*.*)");
            EXPECT_EQ(request.DefaultSuffix, "txt");
            return std::optional<QStringList>(QStringList{rtf});
        });
        press(d, "BtnLoad");
        EXPECT_EQ(text(d)->toPlainText(), "bold text");
        EXPECT_EQ(d.windowTitle(), "RichEdit - other.rtf");
        Ui.ExpectFile(answer(txt));
        press(d, "BtnLoad");
        EXPECT_EQ(text(d)->toPlainText(), QStringLiteral(u"caf\u00e9 cr\u00e8me"));
        ok(d);
    });
    EXPECT_EQ(componentOutline().section(u']', 1), QStringLiteral(u"caf\u00e9 cr\u00e8me\n"));
}

TEST_F(RichEdit, FilesThatCannotBeReadOrWrittenAreReported) {
    const QString big = path(QStringLiteral("big.rtf"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(65 * 1024 * 1024));
    }
    edit(terms(), [&](QDialog& d) {
        type(d, QStringLiteral("kept"));
        editorOf(d).SetModified(false);
        const auto error = [](const char* expected) {
            return [expected](const TQzMessageRequest& request) {
                EXPECT_EQ(request.Type, TQzMessageType::mtError);
                EXPECT_TRUE(request.Text.contains(QString::fromLatin1(expected)))
                    << request.Text.toStdString();
                return bkOk;
            };
        };
        Ui.ExpectFile(answer(path(QStringLiteral("missing.rtf"))));
        Ui.ExpectMessage(error("Cannot open"));
        press(d, "BtnLoad");
        Ui.ExpectFile(answer(big));
        Ui.ExpectMessage(error("too large"));
        press(d, "BtnLoad");
        EXPECT_EQ(text(d)->toPlainText(), "kept");
        // A failed save leaves the text modified and the name as it was.
        type(d, QStringLiteral("!"));
        Ui.ExpectFile(answer(path(QStringLiteral("no/such/folder/x.rtf"))));
        Ui.ExpectMessage(error("no/such/folder/x.rtf"));
        press(d, "BtnSaveAs");
        EXPECT_EQ(panel(d, "StatusModified"), "Modified");
        EXPECT_EQ(d.windowTitle(), "RichEdit - Untitled");
        ok(d);
    });
}

// Text files come in any line ends and in UTF-8 or the ANSI code page; damaged rich text keeps
// the text it has.
TEST_F(RichEdit, LoadedFilesGiveTheirLines) {
    const struct {
        const char* Name;
        QByteArray Bytes;
        QString Text;
    } cases[] = {
        {"crlf.txt", "one\r\ntwo\r\n", QStringLiteral("one\ntwo\n")},
        {"cr.txt", "one\rtwo", QStringLiteral("one\ntwo")},
        {"latin1.txt", "caf\xe9\n\x80", QStringLiteral("caf\u00e9\n\u20ac")},
        {"bom.txt", "\xef\xbb\xbf\xc3\xa9t\xc3\xa9", QStringLiteral("\u00e9t\u00e9")},
        {"cut.rtf", R"({\rtf1{\fonttbl{\f0 Arial;}}\f0 kept {\b half)",
         QStringLiteral("kept half")},
    };
    for (const auto& c : cases)
        writeFile(path(QString::fromLatin1(c.Name)), c.Bytes);
    edit(terms(), [&](QDialog& d) {
        for (const auto& c : cases) {
            Ui.ExpectFile(answer(path(QString::fromLatin1(c.Name))));
            press(d, "BtnLoad");
            EXPECT_EQ(text(d)->toPlainText(), c.Text) << c.Name;
            EXPECT_EQ(panel(d, "StatusModified"), "") << c.Name;
        }
        ok(d);
    });
}

TEST_F(RichEdit, FindAndReplaceThroughTheirDialogs) {
    edit(terms(), [this](QDialog& d) {
        type(d, QStringLiteral("one two One three one"));
        text(d)->moveCursor(QTextCursor::Start);
        Ui.ExpectFind(TQzFindRequest{"one", false, false, true})
            .ExpectFind(TQzFindRequest{"one", true, false, true})
            .ExpectFind(std::nullopt);
        press(d, "BtnFind");
        // The second press looks on from the first match, matching case.
        EXPECT_EQ(text(d)->textCursor().selectionStart(), 18);
        Ui.ExpectFind(TQzFindRequest{"four", false, false, true});
        Ui.ExpectMessage([](const TQzMessageRequest& request) {
            EXPECT_EQ(request.Text, "Cannot find \"four\"");
            return bkOk;
        });
        Ui.ExpectFind(std::nullopt);
        press(d, "BtnFind");

        text(d)->moveCursor(QTextCursor::Start);
        TQzReplaceRequest next{"one", "1", false, true, TQzReplaceRequest::FindNext};
        TQzReplaceRequest replace = next;
        replace.Action = TQzReplaceRequest::Replace;
        TQzReplaceRequest all = next;
        all.Action = TQzReplaceRequest::ReplaceAll;
        Ui.ExpectReplace(next).ExpectReplace(replace).ExpectReplace(all);
        Ui.ExpectMessage([](const TQzMessageRequest& request) {
            EXPECT_EQ(request.Text, "2 occurrence(s) replaced");
            return bkOk;
        });
        Ui.ExpectReplace(std::nullopt);
        press(d, "BtnReplace");
        EXPECT_EQ(text(d)->toPlainText(), "1 two 1 three 1");
        // Replacing everything is one step to undo.
        press(d, "BtnUndo");
        EXPECT_EQ(text(d)->toPlainText(), "1 two One three one");
        ok(d);
    });
}

TEST_F(RichEdit, PicturesGoInAndPrintingGoesToThePrinter) {
    const QString png = path(QStringLiteral("logo.png"));
    QImage logo(6, 4, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    ASSERT_TRUE(logo.save(png));
    const QString pdf = path(QStringLiteral("printed.pdf"));
    edit(terms(), [&](QDialog& d) {
        type(d, QStringLiteral("Logo: "));
        Ui.ExpectFile(answer(png));
        press(d, "BtnInsertOb");
        EXPECT_EQ(text(d)->toPlainText(), QStringLiteral(u"Logo: \ufffc"));
        // Something that is no picture is refused.
        Ui.ExpectFile(answer(path(QStringLiteral("Unit1.dfm"))));
        Ui.ExpectMessage([](const TQzMessageRequest& request) {
            EXPECT_TRUE(request.Text.startsWith("Cannot insert")) << request.Text.toStdString();
            return bkOk;
        });
        press(d, "BtnInsertOb");
        Ui.ExpectPrinter([&](QPrinter& printer) {
            EXPECT_EQ(printer.docName(), "RichEdit");
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        press(d, "BtnPrint");
        ok(d);
    });
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_TRUE(terms()->Lines()->Text().contains("\\pict\\pngblip"));
    EXPECT_TRUE(componentOutline().contains("picture 6x4")) << componentOutline().toStdString();
}

// ---- Multi-line texts

TEST_F(RichEdit, AMultiLinePropertyIsEditedAsLines) {
    auto* set = find<TQzSqlDataSet>("SqlOrders");
    auto editor = CreatePropertyEditor(
        designer(), {set}, set->metaObject()->property(set->metaObject()->indexOfProperty("SQL")));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(DemangledClassName(typeid(*editor)), "TQzMultiLinePropertyEditor");
    EXPECT_TRUE(editor->GetAttributes() & paDialog);
    EXPECT_TRUE(editor->GetAttributes() & paAutoUpdate);
    const int before = modifiedCount();
    Ui.ExpectDialog("TFrMultiLine", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Property: SQL");
        auto* memo = d.findChild<QPlainTextEdit*>("Memo1");
        EXPECT_EQ(memo->toPlainText(), "select *\nfrom Orders");
        memo->appendPlainText(QStringLiteral("where Id > 1"));
        // Escape closes it; the lines are kept all the same.
        d.reject();
    });
    editor->Edit();
    EXPECT_EQ(QString(set->FSQL), "select *\r\nfrom Orders\r\nwhere Id > 1");
    EXPECT_EQ(modifiedCount(), before + 1);
    TComponent* read = saveAndReadBack();
    EXPECT_EQ(QString(qobject_cast<TQzSqlDataSet*>(read->FindComponent("SqlOrders"))->FSQL),
              "select *\r\nfrom Orders\r\nwhere Id > 1");
}

TEST_F(RichEdit, TheMultiLineEditorTakesAnyLineBreaks) {
    TFrMultiLine dialog;
    Ui.ExpectDialog("TFrMultiLine", [](QDialog& d) {
        EXPECT_EQ(d.findChild<QPlainTextEdit*>("Memo1")->toPlainText(), "a\nb\n\nc");
        d.accept();
    });
    QString result;
    dialog.Execute(QStringLiteral("Names"), QStringLiteral("a\rb\n\r\nc\r\n"), result);
    EXPECT_EQ(result, "a\r\nb\r\n\r\nc");
}
