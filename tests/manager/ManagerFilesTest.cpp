// Forms kept in files, as the command line rewrites them: a text form keeps every byte that was
// not changed, whatever its encoding and line ends; a binary form stays binary; and a text that
// does not parse is never stored.

#include "ManagerTestSupport.h"

#include "../support/StoredFormTexts.h"
#include "FileWrite.h"
#include "TextForm.h"
#include "manager/core/QzManagerFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

using namespace mgrtest;
using namespace storedforms;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// Writes one form's text as the engine does.
void writeForm(TQzManagerFileForms& forms, const TFormFileText& text, const QString& path) {
    TFileTransaction files;
    files.Add(path, forms.FormFileBytes(text, path));
    forms.WriteForms(files);
}

class ManagerFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return QDir(Dir.path()).filePath(name); }
    TManagerWorld World;
    QTemporaryDir Dir;
    TRecordingFeedback Feedback;
};

} // namespace

TEST_F(ManagerFiles, ReplaceAndClearChangeOnlyTheirLines) {
    QStringList replaced = Lines;
    replaced[PrivilegeLine] = QStringLiteral("    Privilege.Id = 9");
    QStringList cleared = Lines;
    cleared.removeAt(PrivilegeLine);
    for (const TStoredForm& stored : StoredForms) {
        SCOPED_TRACE(stored.What);
        const QString file = path("Test.dfm");
        writeAll(file, stored.Bytes(Lines));
        TQzManagerFileForms forms({file});
        TQzManagerEngine engine(forms, Feedback);

        engine.Scan(dlmPrivileges, QString(), QStringLiteral("2"));
        ASSERT_EQ(engine.Lines().size(), 1u);
        engine.Replace(QString(), QStringLiteral("9"));
        EXPECT_EQ(readAll(file), stored.Bytes(replaced));

        engine.Scan(dlmPrivileges, QString(), QStringLiteral("9"));
        engine.Clear(nullptr);
        EXPECT_EQ(readAll(file), stored.Bytes(cleared, PrivilegeLine));
        EXPECT_EQ(forms.Written(), QStringList({file, file}));
    }
    EXPECT_EQ(Feedback.Messages, QStringList());
}

TEST_F(ManagerFiles, BinaryFormsAreWrittenBackInTheFormTheyWereReadIn) {
    const QByteArray text = DemoForm.join('\n').toUtf8() + '\n';
    writeAll(path("Res.dfm"), ObjectTextToResource(text));
    writeAll(path("Bin.dfm"), ObjectTextToBinary(text));
    TQzManagerFileForms forms({path("Res.dfm"), path("Bin.dfm")});
    for (const char* name : {"Res.dfm", "Bin.dfm"}) {
        TFormFileText form;
        ASSERT_TRUE(forms.ReadForm(path(name), form));
        const int id = int(form.Lines().indexOf("      Caption.Id = 2"));
        ASSERT_GT(id, 0) << form.Lines().join('\n').toStdString();
        form.SetLine(id, "      Caption.Id = 9");
        writeForm(forms, form, path(name));
    }
    EXPECT_EQ(DetectFormFileFormat(readAll(path("Res.dfm"))), TFormFileFormat::Resource);
    EXPECT_EQ(DetectFormFileFormat(readAll(path("Bin.dfm"))), TFormFileFormat::Binary);
    EXPECT_TRUE(FormFileToText(readAll(path("Bin.dfm"))).contains("Caption.Id = 9"));
}

TEST_F(ManagerFiles, TextThatCannotBeStoredIsNeverStored) {
    const QByteArray text = StoredForms[2].Bytes(Lines);
    writeAll(path("Test.dfm"), text);
    TQzManagerFileForms forms({path("Test.dfm"), path("Missing.dfm")});
    TFormFileText form;
    EXPECT_THROW(forms.ReadForm(path("Missing.dfm"), form), EStreamError);
    ASSERT_TRUE(forms.ReadForm(path("Test.dfm"), form));
    form.SetLine(3, "    Hint.PkgName = 'O'Brien'");
    EXPECT_THROW(writeForm(forms, form, path("Test.dfm")), EParserError);
    // A Windows-1252 text cannot hold every character; it is not written with "?" instead.
    form.SetLine(3, QStringLiteral("    Hint.PkgName = '\u0141\u00F3d\u017A'"));
    EXPECT_THROW(writeForm(forms, form, path("Test.dfm")), EConvertError);
    EXPECT_EQ(readAll(path("Test.dfm")), text);
    EXPECT_EQ(forms.Written(), QStringList());

    // A dry run checks and records, and writes nothing.
    form.SetLine(3, "    Hint.PkgName = 'Plain'");
    forms.SetDryRun(true);
    writeForm(forms, form, path("Test.dfm"));
    EXPECT_EQ(readAll(path("Test.dfm")), text);
    EXPECT_EQ(forms.Written(), QStringList({path("Test.dfm")}));
}

TEST_F(ManagerFiles, ANameReplacedIsFoundAgainWhateverItHolds) {
    // Names with quotes, codes, plus signs, blanks and letters beyond ASCII and beyond the
    // file's encoding, some longer than the form writer puts on one line.
    const QString alphabet = QStringLiteral(u"aZ9 '#+=:.,()\u00E9\u20AC\u0142\U0001F600");
    std::mt19937 random(12);
    const auto randomName = [&] {
        QString name;
        const int length = std::uniform_int_distribution<int>(1, 150)(random);
        while (name.size() < length) {
            const QChar c =
                alphabet[std::uniform_int_distribution<qsizetype>(0, alphabet.size() - 1)(random)];
            name += c;
            if (c.isHighSurrogate())
                name += alphabet.back();
        }
        return name;
    };
    QStringList form = {"object FrmNames: TForm",
                        "  object LbA: TQzLabel",
                        "    Caption.PkgName = 'User'",
                        "    Caption.Id = 3",
                        "  end",
                        "  object LbB: TQzLabel",
                        "    Hint.PkgName = 'User'",
                        "    Hint.Id = 3",
                        "  end",
                        "end"};
    const QString file = path("Names.dfm");
    for (int round = 0; round < 60; ++round) {
        const QString name = round == 0   ? QStringLiteral("Bob's")
                             : round == 1 ? QStringLiteral(u"D\u00E9mo")
                                          : randomName();
        SCOPED_TRACE(name.toStdString());
        const TStoredForm& stored = StoredForms[round % std::size(StoredForms)];
        writeAll(file, EncodeText(form.join(u'\n') + u'\n', stored.Encoding));
        TQzManagerFileForms forms({file});
        TQzManagerEngine engine(forms, Feedback);
        engine.Scan(dlmLabels, QStringLiteral("User"), QStringLiteral("3"));
        ASSERT_EQ(engine.Lines().size(), 2u);
        engine.Replace(name, QStringLiteral("5"));
        ASSERT_EQ(Feedback.Messages, QStringList());

        engine.Scan(dlmLabels, name, QStringLiteral("5"));
        EXPECT_EQ(engine.Lines().size(), 2u);
        engine.Counter(dlmLabels, {name});
        const auto counted = std::find_if(
            engine.Lines().begin(), engine.Lines().end(),
            [&](const TQzManagerLine& line) { return QzUnquote(line.Counted()->PkgName) == name; });
        ASSERT_NE(counted, engine.Lines().end());
        EXPECT_EQ(counted->Counted()->Counter, 2);
        // The written form reads, and holds the name exactly.
        const TFormObject root = ReadTextForm(readAll(file));
        EXPECT_EQ(root.Children[0].Properties[0].Value.Str, name);

        engine.Scan(dlmLabels, name, QStringLiteral("5"));
        engine.Clear(nullptr);
        engine.Scan(dlmLabels, name, QStringLiteral("5"));
        EXPECT_TRUE(engine.Lines().empty());
        EXPECT_NO_THROW(ReadTextForm(readAll(file)));
    }
}

TEST_F(ManagerFiles, SetNamesAreReadAndWrittenAsTheFormWriterQuotesThem) {
    const QString file = path("Sets.dfm");
    const QString longName = QString(70, u'x') + u'\'';
    writeAll(file, "object FrmSets: TForm\n  object PnA: TQzPanel\n"
                   "    SetBackGround.Name = 'Bob''s'\n    Tag = 1\n  end\nend\n");
    TQzManagerFileForms forms({file});
    TQzManagerEngine engine(forms, Feedback);
    engine.Scan(dlmSetsBackGround, QString(), QStringLiteral("Bob's"));
    ASSERT_EQ(engine.Lines().size(), 1u);
    engine.Replace(QString(), longName);
    EXPECT_EQ(readAll(file),
              "object FrmSets: TForm\n  object PnA: TQzPanel\n"
              "    SetBackGround.Name =\n"
              "      'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +\n"
              "      'xxxxxx'''\n"
              "    Tag = 1\n  end\nend\n");
    engine.Scan(dlmSetsBackGround, QString(), longName);
    ASSERT_EQ(engine.Lines().size(), 1u);
    EXPECT_EQ(engine.Lines()[0].Found()->LineCount, 3);
    // Back to a short name: the three lines become one again.
    engine.Replace(QString(), QStringLiteral("Plain"));
    EXPECT_EQ(readAll(file), "object FrmSets: TForm\n  object PnA: TQzPanel\n"
                             "    SetBackGround.Name = 'Plain'\n    Tag = 1\n  end\nend\n");
    // A name replaced by itself changes nothing and writes nothing.
    engine.Scan(dlmSetsBackGround, QString(), QStringLiteral("plain"));
    Feedback.Changes.clear();
    engine.Replace(QString(), QStringLiteral("Plain"));
    EXPECT_TRUE(Feedback.Changes.isEmpty());
    EXPECT_EQ(forms.Written().size(), 2);
}
