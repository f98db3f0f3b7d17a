// Translation files without a window: which units a package gives, PO and XLIFF carrying every
// text there and back, damaged files refused with their line, and an import that applies only
// what it can check against the package.

#include "QzExcept.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "packages/core/QzStringsMerge.h"
#include "packages/core/QzTranslationFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using F = TQzTranslationFormat;

// "context|source|target|fuzzy" per unit.
QStringList describe(const TQzTranslationFile& file) {
    QStringList lines;
    for (const TQzTranslationUnit& unit : file.Units)
        lines << QStringLiteral("%1|%2|%3%4")
                     .arg(unit.Context, unit.Source, unit.Target,
                          unit.Fuzzy ? QStringLiteral("|fuzzy") : QString());
    return lines;
}

template <typename Fn>
std::string errorOf(Fn&& fn) {
    try {
        fn();
    } catch (const Exception& e) {
        return e.Message().toStdString();
    }
    return "no error";
}

class TranslationFiles : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(Dir.isValid());
        Source.SetPkgName("Common");
        Source.Labels()->Add(2, "Open", "Opens a file");
        Source.Labels()->Add(1, "Save");
        Source.Labels()->Add(3, "", "hint without text");
        Source.Messages()->Add(7, "Line one\r\nLine two");
        Source.Texts()->Add(4, "A text");
        Source.Texts()->Add(5, "");
    }
    QString path(const QString& name) const { return Dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    TQzTranslationFile read(const QString& name, const QByteArray& bytes) const {
        write(name, bytes);
        return QzReadTranslationFile(path(name), QzTranslationFormatOf(name));
    }

    QTemporaryDir Dir;
    TQzPkgStrings Source;
};

} // namespace

TEST_F(TranslationFiles, APackageGivesEveryNonEmptyTextByListAndIdWithItsTranslation) {
    TQzPkgStrings spanish;
    spanish.Labels()->Add(2, "Abrir", "\nAbre un archivo");
    spanish.Messages()->Add(7, "Linea uno\r\nLinea dos");
    spanish.Texts()->Add(9, "only in the translation");
    QStringList warnings;
    const TQzTranslationFile file = QzTranslationUnits(Source, &spanish, warnings);
    EXPECT_EQ(file.PackageName, "Common");
    EXPECT_EQ(describe(file), (QStringList{
                                  "Labels/1|Save|",
                                  "Labels/2|Open|Abrir",
                                  "Labels/2/Hint|Opens a file|\nAbre un archivo|fuzzy",
                                  "Labels/3/Hint|hint without text|",
                                  "Messages/7|Line one\nLine two|Linea uno\nLinea dos",
                                  "Texts/4|A text|",
                              }));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith("Labels/2/Hint: the translation begins or ends"));
}

TEST_F(TranslationFiles, BothFormatsCarryEveryTextThereAndBack) {
    TQzTranslationFile file;
    file.PackageName = "Ñandú \"pkg\" <&>";
    file.TargetLanguage = "es";
    const QString odd = QStringLiteral("  quotes \" ' back\\slash\ttab <b>&amp; \U0001F600 ü\r "
                                       "lone return\nnext line  ");
    file.Units = {{"Labels/1", "Save", "Guardar"},
                  {"Labels/1/Hint", odd, odd + odd, true},
                  {"Messages/2", "x", ""},
                  {"Texts/3", "\nstarts and ends\n", "\nempieza\n"}};
    for (const QString name : {"u.po", "u.xlf"}) {
        QStringList warnings;
        const QByteArray bytes =
            QzWriteTranslationFile(file, QzTranslationFormatOf(name), warnings);
        EXPECT_TRUE(warnings.isEmpty()) << name.toStdString();
        const TQzTranslationFile back = read(name, bytes);
        EXPECT_EQ(describe(back), describe(file)) << name.toStdString();
        EXPECT_EQ(back.PackageName, file.PackageName);
        EXPECT_EQ(back.TargetLanguage, "es");
        // Written again, the same bytes: files under version control do not churn.
        EXPECT_EQ(QzWriteTranslationFile(back, QzTranslationFormatOf(name), warnings), bytes);
    }
}

TEST_F(TranslationFiles, UnitsAFormatCannotCarryAreLeftOutAndNamed) {
    TQzTranslationFile file;
    file.Units = {{"Labels/1", QString(QChar(0)) + "nul", ""},
                  {"Labels/2", "bell\a", ""},
                  {"Labels/3", QString(QChar(0xD800)) + "half", ""},
                  {"Labels/4", "fine", ""}};
    const struct {
        F Format;
        QStringList Kept;
        int Warnings;
    } cases[] = {{F::Po, {"Labels/2", "Labels/4"}, 2}, {F::Xliff, {"Labels/4"}, 3}};
    for (const auto& c : cases) {
        QStringList warnings;
        const QByteArray bytes = QzWriteTranslationFile(file, c.Format, warnings);
        EXPECT_EQ(warnings.size(), c.Warnings);
        const TQzTranslationFile back = read(c.Format == F::Po ? "c.po" : "c.xlf", bytes);
        QStringList kept;
        for (const TQzTranslationUnit& unit : back.Units)
            kept << unit.Context;
        EXPECT_EQ(kept, c.Kept);
    }
}

TEST_F(TranslationFiles, DamagedFilesAreRefusedWithTheirLine) {
    const QByteArray header =
        "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    const QByteArray xliff = "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\">\n<file "
                             "original=\"Common\"><body>\n";
    const struct {
        const char* Name;
        QByteArray Bytes;
        const char* Problem;
    } cases[] = {
        // The library counts the line after an unterminated string, as msgfmt does.
        {"open.po", header + "msgctxt \"Labels/1\"\nmsgid \"Save\nmsgstr \"x\"\n", "line 6"},
        {"garbage.po", "this is not a PO file\n", "line 1"},
        {"twice.po", header + "msgid \"a\"\nmsgstr \"\"\n\nmsgid \"a\"\nmsgstr \"\"\n", "line 7"},
        {"bytes.po", header + "msgid \"caf\xff\"\nmsgstr \"\"\n", "line 4"},
        {"charset.po",
         "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=NO-SUCH-SET\\n\"\n\nmsgid "
         "\"a\"\nmsgstr \"b\"\n",
         "NO-SUCH-SET"},
        {"plural.po", header + "msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"b\"\n",
         "plural forms"},
        {"missing.po", QByteArray(), "does not exist"},
        {"notxml.xlf", "<xliff version=\"1.2\"><file>", "line 1"},
        {"root.xlf", "<?xml version=\"1.0\"?>\n<html/>", "line 2: <html> where <xliff>"},
        {"version.xlf", "<xliff version=\"2.0\"/>", "version \"2.0\""},
        {"noid.xlf", xliff + "<trans-unit>\n<source>a</source></trans-unit>", "line 4"},
        {"nosource.xlf", xliff + "\n<trans-unit id=\"Labels/1\">\n</trans-unit>",
         "line 6: the <trans-unit> \"Labels/1\" has no <source>"},
        {"markup.xlf",
         xliff + "<trans-unit id=\"Labels/1\"><source>a <g id=\"1\">b</g></source></trans-unit>",
         "line 4: <g> inside <source>"},
        {"cut.xlf", xliff + "<trans-unit id=\"Labels/1\"><source>a", "line 4"},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.Name);
        if (!c.Bytes.isNull())
            write(name, c.Bytes);
        const std::string error =
            errorOf([&] { QzReadTranslationFile(path(name), QzTranslationFormatOf(name)); });
        EXPECT_NE(error.find(c.Problem), std::string::npos) << c.Name << ": " << error;
        EXPECT_NE(error.find(c.Name), std::string::npos) << error;
    }
    EXPECT_NE(errorOf([] { QzTranslationFormatOf("notes.txt"); }).find("neither"),
              std::string::npos);
}

TEST_F(TranslationFiles, AnImportAppliesWhatItCanCheckAndReportsTheRest) {
    TQzPkgStrings target;
    target.Labels()->Add(1, "Guardar");
    TQzTranslationFile file;
    file.PackageName = "Common";
    file.Units = {
        {"Labels/1", "Save", "Guardar"},                      // unchanged
        {"Labels/2/Hint", "Opens a file", "Abre un archivo"}, // a label the target lacks
        {"Messages/7", "Line one\nLine two", "Uno\nDos"},     // line breaks as the source's
        {"Texts/4", "A text", "Un texto", true},              // fuzzy
        {"Texts/4", "A text", "Otro"},                        // twice
        {"Labels/3/Hint", "an older hint", "vieja"},          // source changed
        {"Messages/99", "x", "y"},                            // no such item
        {"Texts/4/Hint", "A text", "y"},                      // texts have no hint
        {"Labels/-1", "x", "y"},                              // not an id
        {"Labels/1", "Save", ""},                             // twice as well
        {"Texts/5", "", ""},                                  // untranslated
    };
    file.Units[3].Line = 40;
    TQzTranslationImport result = QzApplyTranslations(file, Source, target, false);
    EXPECT_EQ(result.Applied, 2);
    EXPECT_EQ(result.Unchanged, 1);
    EXPECT_EQ(result.Untranslated, 1);
    QStringList issues;
    for (const TQzTranslationIssue& issue : result.Issues)
        issues << QStringLiteral("%1 %2: %3").arg(issue.Context).arg(issue.Line).arg(issue.Text);
    EXPECT_EQ(issues, (QStringList{
                          "Texts/4 40: marked fuzzy (for review); not applied",
                          "Texts/4 0: appears twice; only the first is used",
                          "Labels/3/Hint 0: the source text has changed since the file was made",
                          "Messages/99 0: unknown context: the package has no such item",
                          "Texts/4/Hint 0: unknown context",
                          "Labels/-1 0: unknown context",
                          "Labels/1 0: appears twice; only the first is used",
                      }));
    // The new label takes the source's text where only its hint was translated.
    ASSERT_NE(target.Labels()->FindId(2), nullptr);
    EXPECT_EQ(target.Labels()->FindId(2)->Text(), "Open");
    EXPECT_EQ(target.Labels()->FindId(2)->Hint(), "Abre un archivo");
    EXPECT_EQ(target.Messages()->FindId(7)->Text(), "Uno\r\nDos");
    EXPECT_EQ(target.Texts()->FindId(4), nullptr);
    // The source is only read.
    EXPECT_EQ(Source.Labels()->FindId(2)->Hint(), "Opens a file");

    result = QzApplyTranslations(file, Source, target, true);
    EXPECT_EQ(target.Texts()->FindId(4)->Text(), "Un texto");
}

TEST_F(TranslationFiles, AFileOfAnotherPackageChangesNothingAndAPackageTranslatesInPlace) {
    TQzTranslationFile file;
    file.PackageName = "Other";
    file.Units = {{"Labels/1", "Save", "Guardar"}};
    EXPECT_NE(errorOf([&] {
                  QzApplyTranslations(file, Source, Source, false);
              }).find("for the package \"Other\", not for \"Common\""),
              std::string::npos);
    EXPECT_EQ(Source.Labels()->FindId(1)->Text(), "Save");
    file.PackageName.clear();
    EXPECT_EQ(QzApplyTranslations(file, Source, Source, false).Applied, 1);
    EXPECT_EQ(Source.Labels()->FindId(1)->Text(), "Guardar");
}

TEST_F(TranslationFiles, ALanguageTranslatesTheSystemPackageWithItsSystemStrings) {
    TQzPkgLanguage language;
    EXPECT_EQ(QzLanguageStringsFor(language, "System"), language.SystemStrings());
    EXPECT_EQ(QzLanguageStringsFor(language, "system"), language.UserStrings());
    EXPECT_EQ(QzLanguageStringsFor(language, "Common"), language.UserStrings());
}

TEST_F(TranslationFiles, TheMergedIdsAreEveryIdOnceInOrder) {
    TQzPkgStrings other;
    other.Labels()->Add(3, "c");
    other.Labels()->Add(0, "z");
    EXPECT_EQ(QzMergedIds(Source.Labels(), other.Labels()), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(QzMergedIds(nullptr, other.Labels()), (std::vector<int>{0, 3}));
    EXPECT_TRUE(QzMergedIds(nullptr, nullptr).empty());
}
