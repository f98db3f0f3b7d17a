// Forms kept in files, as the command line rewrites them: a text form keeps every byte that was
// not changed, whatever its encoding and line ends; a binary form stays binary; and a text that
// does not parse is never stored.

#include "ManagerTestSupport.h"

#include "../support/StoredFormTexts.h"
#include "manager/core/QzManagerFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
        forms.WriteForm(form, path(name));
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
    EXPECT_FALSE(forms.ReadForm(path("Missing.dfm"), form));
    ASSERT_TRUE(forms.ReadForm(path("Test.dfm"), form));
    form.SetLine(3, "    Hint.PkgName = 'O'Brien'");
    EXPECT_THROW(forms.WriteForm(form, path("Test.dfm")), EParserError);
    // A Windows-1252 text cannot hold every character; it is not written with "?" instead.
    form.SetLine(3, QStringLiteral("    Hint.PkgName = '\u0141\u00F3d\u017A'"));
    EXPECT_THROW(forms.WriteForm(form, path("Test.dfm")), EConvertError);
    EXPECT_EQ(readAll(path("Test.dfm")), text);
    EXPECT_EQ(forms.Written(), QStringList());

    // A dry run checks and records, and writes nothing.
    form.SetLine(3, "    Hint.PkgName = 'Plain'");
    forms.SetDryRun(true);
    forms.WriteForm(form, path("Test.dfm"));
    EXPECT_EQ(readAll(path("Test.dfm")), text);
    EXPECT_EQ(forms.Written(), QStringList({path("Test.dfm")}));
}
