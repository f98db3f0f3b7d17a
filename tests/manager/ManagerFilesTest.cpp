// Forms kept in files, as the command line rewrites them: a text form keeps every byte that was
// not changed, a binary form stays binary, and a text that does not parse is never stored.

#include "ManagerTestSupport.h"

#include "manager/core/QzManagerFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace mgrtest;

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
    QTemporaryDir Dir;
};

} // namespace

TEST_F(ManagerFiles, TextFormsKeepTheirBytesOutsideTheChangedLines) {
    QByteArray text = DemoForm.join("\r\n").toUtf8() + "\r\n";
    text.replace("'Test'", "'T\xC3\xA9st'"); // UTF-8 a form writer would have coded as #233
    writeAll(path("Test.dfm"), "\xEF\xBB\xBF" + text);
    TQzManagerFileForms forms({path("Test.dfm"), path("Missing.dfm")});

    QStringList lines;
    TStreamOriginalFormat format = sofUnknown;
    EXPECT_FALSE(forms.ReadForm(path("Missing.dfm"), lines, format));
    ASSERT_TRUE(forms.ReadForm(path("Test.dfm"), lines, format));
    EXPECT_EQ(format, sofText);
    ASSERT_EQ(lines.size(), DemoForm.size());
    EXPECT_EQ(lines[1], QString::fromUtf8("  Caption = 'T\xC3\xA9st'"));
    EXPECT_EQ(lines[6], DemoForm[6]);

    lines[6] = "      Caption.Id = 9";
    forms.WriteForm(lines, path("Test.dfm"), format);
    QByteArray expected = "\xEF\xBB\xBF" + text;
    expected.replace("Caption.Id = 2\r\n      Font", "Caption.Id = 9\r\n      Font");
    EXPECT_EQ(readAll(path("Test.dfm")), expected);
    EXPECT_EQ(forms.Written(), QStringList({path("Test.dfm")}));

    // A text written by hand in Latin-1 keeps its bytes too.
    QByteArray latin = DemoForm.join('\n').toLatin1() + '\n';
    latin.replace("'Test'", "'T\xE9st'");
    writeAll(path("Latin.dfm"), latin);
    ASSERT_TRUE(forms.ReadForm(path("Latin.dfm"), lines, format));
    EXPECT_EQ(lines[1], QString::fromUtf8("  Caption = 'T\xC3\xA9st'"));
    lines[6] = "      Caption.Id = 9";
    forms.WriteForm(lines, path("Latin.dfm"), format);
    EXPECT_EQ(readAll(path("Latin.dfm")), QByteArray(latin).replace("Caption.Id = 2\n      Font",
                                                                    "Caption.Id = 9\n      Font"));
}

TEST_F(ManagerFiles, BinaryFormsAreWrittenBackInTheFormTheyWereReadIn) {
    const QByteArray text = DemoForm.join('\n').toUtf8() + '\n';
    writeAll(path("Res.dfm"), ObjectTextToResource(text));
    writeAll(path("Bin.dfm"), ObjectTextToBinary(text));
    TQzManagerFileForms forms({path("Res.dfm"), path("Bin.dfm")});
    for (const char* name : {"Res.dfm", "Bin.dfm"}) {
        QStringList lines;
        TStreamOriginalFormat format = sofUnknown;
        ASSERT_TRUE(forms.ReadForm(path(name), lines, format));
        EXPECT_EQ(format, sofBinary);
        const int id = int(lines.indexOf("      Caption.Id = 2"));
        ASSERT_GT(id, 0) << lines.join('\n').toStdString();
        lines[id] = "      Caption.Id = 9";
        forms.WriteForm(lines, path(name), format);
    }
    EXPECT_EQ(forms.StoredFormat(path("Res.dfm")), TFormFileFormat::Resource);
    EXPECT_EQ(DetectFormFileFormat(readAll(path("Res.dfm"))), TFormFileFormat::Resource);
    EXPECT_EQ(DetectFormFileFormat(readAll(path("Bin.dfm"))), TFormFileFormat::Binary);
    EXPECT_TRUE(FormFileToText(readAll(path("Bin.dfm"))).contains("Caption.Id = 9"));
}

TEST_F(ManagerFiles, TextThatDoesNotParseIsNeverStored) {
    const QByteArray text = DemoForm.join('\n').toUtf8() + '\n';
    writeAll(path("Test.dfm"), text);
    TQzManagerFileForms forms({path("Test.dfm")});
    QStringList lines;
    TStreamOriginalFormat format = sofUnknown;
    ASSERT_TRUE(forms.ReadForm(path("Test.dfm"), lines, format));
    lines[3] = "    SetBackGround.Name = 'O'Brien'";
    EXPECT_THROW(forms.WriteForm(lines, path("Test.dfm"), format), EParserError);
    EXPECT_EQ(readAll(path("Test.dfm")), text);

    // A dry run checks and records, and writes nothing.
    lines[3] = "    SetBackGround.Name = 'Plain'";
    forms.SetDryRun(true);
    forms.WriteForm(lines, path("Test.dfm"), format);
    EXPECT_EQ(readAll(path("Test.dfm")), text);
    EXPECT_EQ(forms.Written(), QStringList({path("Test.dfm")}));
}
