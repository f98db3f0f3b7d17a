// The string translators as a person uses them beside the strings editor: the ids of both sides,
// the marks and menus of what one side lacks, adding, changing and deleting (through the editor,
// which asks), saving, the status bar, and reference files of both kinds.

#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "StringsEditorTestSupport.h"
#include "packages/QzPkgStringsEditor.h"
#include "packages/QzStringsTranslatorList.h"
#include "packages/QzStringsTranslators.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QList<int> ids(TQzStringsTranslator& t) {
    const std::vector<int>& ids = t.List()->Model()->Ids();
    return QList<int>(ids.begin(), ids.end());
}

void select(TQzStringsTranslator& t, int id) {
    t.List()->SelectRow(t.List()->Model()->RowOf(id));
}

// Which of Add, Modify, Delete and Save the popup enables.
QString enabled(TQzStringsTranslator& t) {
    t.PopupMenu1Popup();
    QString flags;
    for (QAction* a : t.PopupMenu1()->actions())
        if (!a->isSeparator())
            flags += a->isEnabled() ? a->text().mid(1, 1) : QStringLiteral("-");
    return flags;
}

QString text(QWidget& w, const char* label) {
    return w.findChild<QLabel*>(QString::fromLatin1(label))->text();
}

class StringsTranslators : public StringsEditorTest {
protected:
    void SetUp() override {
        StringsEditorTest::SetUp();
        Pkg->Labels()->Add(2, "Two", "second");
        Pkg->Labels()->Add(3, "Three");
        TQzPkgStrings reference;
        reference.Labels()->Add(1, "Uno", "primero");
        reference.Labels()->Add(2, "Dos", "segundo");
        reference.SaveToFile(path("Spanish.pst"));
    }
    // The labels translator on Pkg, opened from an editor, with `act` driving it; `opening`
    // expects what comes before it shows.
    void translate(const QString& file, std::function<void(TQzStringsTranslator&)> act,
                   std::function<void()> opening = {}) {
        Ui.ExpectDialog("TFrPkgStrings", [&](QDialog& d) {
            auto& editor = static_cast<TFrPkgStrings&>(d);
            if (opening)
                opening();
            Ui.ExpectDialog("TFrPkgStringsLabelsTranslator", [&](QDialog& t) {
                act(static_cast<TQzStringsTranslator&>(t));
                t.done(2);
            });
            TFrPkgStringsLabelsTranslator translator(&editor);
            translator.Pkg = Pkg;
            translator.Editor = &editor;
            translator.LanguageFile = file;
            translator.Execute();
            Changed = translator.Changed();
            ok(d);
        });
        TFrPkgStrings editor;
        editor.Pkg = Pkg;
        editor.Execute();
    }

    bool Changed = false;
};

} // namespace

TEST_F(StringsTranslators, BothSidesIdsAreListedAndWhatASideLacksCanOnlyBeAddedThere) {
    translate(path("Spanish.pst"), [](TQzStringsTranslator& t) {
        EXPECT_EQ(ids(t), (QList<int>{1, 2, 3}));
        EXPECT_EQ(text(t, "LabelTitle1"), "Load File : Spanish.pst");
        EXPECT_EQ(t.findChild<QStatusBar*>("SBar")->currentMessage(),
                  "( Spanish : 2 Labels )  ( User - Unknown : 2 Labels )");
        select(t, 1);
        EXPECT_EQ(t.findChild<QPlainTextEdit*>("MeHint1")->toPlainText(), "primero");
        EXPECT_EQ(t.findChild<QPlainTextEdit*>("MeHint2")->toPlainText(), "");
        // Add, Modify, Delete, Save: a package kept in the form is not saved from here.
        EXPECT_EQ(enabled(t), "A---");
        select(t, 3);
        EXPECT_EQ(enabled(t), "-MD-");
        select(t, 2);
        EXPECT_EQ(enabled(t), "-MD-");
    });
    EXPECT_FALSE(Changed);
}

TEST_F(StringsTranslators, AddingAndChangingShowTheOtherSideAndMarkTheChange) {
    translate(path("Spanish.pst"), [this](TQzStringsTranslator& t) {
        select(t, 1);
        Ui.ExpectDialog("TFrPkgStringsLabelsTranslatorAdd", [](QDialog& a) {
            EXPECT_EQ(a.windowTitle(), "Add Label");
            EXPECT_EQ(a.findChild<QLineEdit*>("EdId")->text(), "1");
            EXPECT_EQ(a.findChild<QLineEdit*>("EdLabel1")->text(), "Uno");
            EXPECT_EQ(a.findChild<QPlainTextEdit*>("MeHint1")->toPlainText(), "primero");
            EXPECT_EQ(a.findChild<QLineEdit*>("EdLabel2")->text(), "");
            EXPECT_TRUE(a.findChild<QCheckBox*>("EdProtected")->isChecked());
            a.findChild<QLineEdit*>("EdLabel2")->setText("One");
            a.findChild<QPlainTextEdit*>("MeHint2")->setPlainText("first\nline");
            a.findChild<QCheckBox*>("EdProtected")->setChecked(false);
            ok(a);
        });
        t.LabelsDblClick();
        EXPECT_EQ(t.findChild<QPlainTextEdit*>("MeHint2")->toPlainText(), "first\nline");
        EXPECT_EQ(enabled(t), "-MD-");

        select(t, 2);
        Ui.ExpectDialog("TFrPkgStringsLabelsTranslatorAdd", [](QDialog& a) {
            EXPECT_EQ(a.windowTitle(), "Modify Label");
            EXPECT_EQ(a.findChild<QLineEdit*>("EdLabel2")->text(), "Two");
            a.findChild<QLineEdit*>("EdLabel2")->setText("Deux");
            ok(a);
        });
        t.LabelsDblClick();
        // Cancelled: nothing changes.
        Ui.ExpectDialog("TFrPkgStringsLabelsTranslatorAdd", [](QDialog& a) {
            a.findChild<QLineEdit*>("EdLabel2")->setText("ignored");
            a.reject();
        });
        t.ModifyClick();
    });
    EXPECT_TRUE(Changed);
    const TQzPkgStringsLabel* one = Pkg->Labels()->FindId(1);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->Text(), "One");
    EXPECT_EQ(one->Hint(), "first\r\nline");
    EXPECT_FALSE(one->Protected);
    EXPECT_EQ(Pkg->Labels()->FindId(2)->Text(), "Deux");
}

TEST_F(StringsTranslators, DeletingGoesThroughTheEditorsQuestion) {
    translate(path("Spanish.pst"), [this](TQzStringsTranslator& t) {
        select(t, 3);
        Ui.ExpectMessage(26, bkCancel);
        t.DeleteClick();
        EXPECT_EQ(ids(t), (QList<int>{1, 2, 3}));
        Ui.ExpectMessage(26, bkOk);
        t.DeleteClick();
        EXPECT_EQ(ids(t), (QList<int>{1, 2}));
        // The reference keeps id 2 in the list after the package lost it.
        select(t, 2);
        Ui.ExpectMessage(26, bkOk);
        t.DeleteClick();
        EXPECT_EQ(ids(t), (QList<int>{1, 2}));
        select(t, 2);
        EXPECT_EQ(enabled(t), "A---");
    });
    EXPECT_EQ(Pkg->Labels()->Count(), 0);
}

TEST_F(StringsTranslators, WithoutAFileTheReferenceIsUnknownAndAFileOfTheWrongKindIsRefused) {
    translate(QString(), [](TQzStringsTranslator& t) {
        EXPECT_EQ(text(t, "LabelTitle1"), "Load File : (Unknown)");
        EXPECT_EQ(t.findChild<QStatusBar*>("SBar")->currentMessage(),
                  "( Unknown : 0 Labels )  ( User - Unknown : 2 Labels )");
        EXPECT_EQ(ids(t), (QList<int>{2, 3}));
    });
    TQzPkgLanguage language;
    language.SaveToFile(path("Wrong.pst"));
    translate(
        path("Wrong.pst"),
        [](TQzStringsTranslator& t) {
            EXPECT_EQ(text(t, "LabelTitle1"), "Load File : (Unknown)");
            EXPECT_EQ(ids(t), (QList<int>{2, 3}));
        },
        [this] {
            Ui.ExpectMessage([](const TQzMessageRequest& r) {
                EXPECT_TRUE(r.Text.contains("Wrong.pst")) << r.Text.toStdString();
                return bkOk;
            });
        });
}

TEST_F(StringsTranslators, AFileChosenInTheFolderIsLoadedAndAPackageInItsFileIsSaved) {
    Pkg->SaveFileEx("User", TQzPkgInfo::imFILE);
    translate(QString(), [this](TQzStringsTranslator& t) {
        EXPECT_EQ(text(t, "LabelTitle2"), "Current File : " + path("User.pst"));
        Ui.ExpectDialog("TFrOpenFiles", [](QDialog& d) {
            auto* files = d.findChild<QListWidget*>("FileList");
            const QList<QListWidgetItem*> spanish =
                files->findItems("Spanish.pst", Qt::MatchExactly);
            ASSERT_EQ(spanish.size(), 1);
            files->setCurrentItem(spanish.first());
            ok(d);
        });
        t.SpeedButton1Click();
        EXPECT_EQ(t.LanguageFile, path("Spanish.pst"));
        EXPECT_EQ(ids(t), (QList<int>{1, 2, 3}));
        select(t, 1);
        EXPECT_EQ(enabled(t), "A--S");
        Pkg->Labels()->Add(9, "Nine");
        t.SaveClick();
    });
    TQzPkgStrings saved;
    saved.LoadFromFile(path("User.pst"));
    EXPECT_NE(saved.Labels()->FindId(9), nullptr);
}

TEST_F(StringsTranslators, ALanguagesStringsStandBesideTheSameStringsOfALanguageFile) {
    TQzPkgLanguage spanish;
    spanish.SystemStrings()->Messages()->Add(4, "Sistema");
    spanish.UserStrings()->Messages()->Add(5, "Usuario");
    spanish.SaveToFile(path("Spanish.lan"));
    TQzPkgLanguage language;
    language.SetFileName(path("App.dat"));
    language.SystemStrings()->Messages()->Add(7, "System seven");
    for (TQzPkgStrings* strings : {language.SystemStrings(), language.UserStrings()}) {
        Ui.ExpectDialog("TFrPkgStringsMessagesTranslator", [&](QDialog& d) {
            auto& t = static_cast<TQzStringsTranslator&>(d);
            EXPECT_EQ(text(t, "LabelTitle2"), "Current File : " + path("App.lan"));
            const bool system = strings == language.SystemStrings();
            EXPECT_EQ(ids(t), system ? (QList<int>{4, 7}) : (QList<int>{5}));
            select(t, system ? 4 : 5);
            EXPECT_EQ(d.findChild<QPlainTextEdit*>("MeMsg1")->toPlainText(),
                      system ? "Sistema" : "Usuario");
            // Without the editor nothing can be deleted from here.
            EXPECT_FALSE(t.PopupMenu1()->actions()[2]->isVisible());
            d.done(2);
        });
        TFrPkgStringsMessagesTranslator translator;
        translator.Pkg = strings;
        translator.LanguageFile = path("Spanish.lan");
        translator.Execute();
    }
}

TEST_F(StringsTranslators, LongPathsLoseTheirDirectoriesFirstAndKeepTheirName) {
    QLabel label;
    label.resize(label.fontMetrics().horizontalAdvance("/.../c/x.lan") + 2, 20);
    EXPECT_EQ(TQzStringsTranslator::EllipsisPath(&label, "/a/b/c/x.lan"), "/.../c/x.lan");
    EXPECT_EQ(TQzStringsTranslator::EllipsisPath(&label, "C:\\a\\b\\c\\x.lan"), "C:\\...\\x.lan");
    EXPECT_EQ(TQzStringsTranslator::EllipsisPath(&label, "/a/b/c/a-very-long-file-name.lan"),
              "/.../a-very-long-file-name.lan");
    EXPECT_EQ(TQzStringsTranslator::EllipsisPath(&label, "a-very-long-file-name.lan"),
              "a-very-long-file-name.lan");
    label.resize(2000, 20);
    EXPECT_EQ(TQzStringsTranslator::EllipsisPath(&label, "/a/b/c/x.lan"), "/a/b/c/x.lan");
}

TEST_F(StringsTranslators, TheEditorOpensTheTranslatorOfItsPageAndKeepsTheFileChosen) {
    Ui.ExpectDialog("TFrPkgStrings", [this](QDialog& d) {
        Ui.ExpectDialog("TFrPkgStringsLabelsTranslator", [this](QDialog& t) {
            EXPECT_EQ(t.windowTitle(), "Labels Translator");
            Ui.ExpectDialog("TFrOpenFiles", [](QDialog& files) {
                files.findChild<QListWidget*>("FileList")->setCurrentRow(0);
                ok(files);
            });
            auto& translator = static_cast<TQzStringsTranslator&>(t);
            translator.SpeedButton1Click();
            select(translator, 1);
            Ui.ExpectDialog("TFrPkgStringsLabelsTranslatorAdd", [](QDialog& a) {
                a.findChild<QLineEdit*>("EdLabel2")->setText("One");
                ok(a);
            });
            translator.AddClick();
            t.done(2);
        });
        d.findChild<QPushButton*>("BtTranslator")->click();
        // The page shows what the translator added.
        EXPECT_EQ(d.findChild<QStatusBar*>("StatusBar1")->currentMessage(), "3 Labels ");
        d.findChild<QTabWidget*>("PageC")->setCurrentIndex(2);
        Ui.ExpectDialog("TFrPkgStringsTextsTranslator", [](QDialog& t) {
            EXPECT_EQ(t.windowTitle(), "Texts Translator");
            EXPECT_EQ(text(t, "LabelTitle1"), "Load File : Spanish.pst");
            t.done(2);
        });
        d.findChild<QPushButton*>("BtTranslator")->click();
        ok(d);
    });
    TFrPkgStrings editor;
    editor.Pkg = Pkg;
    editor.Execute();
    EXPECT_EQ(editor.LastLanguageFile(), path("Spanish.pst"));
}
