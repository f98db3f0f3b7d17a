// qzpkg's form conversions, run as a person would run them.

#include "ObjectStreams.h"
#include "QzpkgRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray FormText = "object Form1: TForm1\n"
                            "  Caption = 'Orders '#8211' main'\n"
                            "  object Label1: TLabel\n"
                            "    Items = <\n"
                            "      item\n"
                            "        Value = 1.5\n"
                            "      end>\n"
                            "  end\n"
                            "end\n";

class QzpkgForms : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void write(const char* name, const QByteArray& data) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray read(const char* name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(QzpkgForms, ConvertsBetweenAllThreeForms) {
    write("a.dfm", FormText);
    ASSERT_EQ(qzpkg({"form-to-binary", path("a.dfm"), path("a.bin")}).Exit, 0);
    ASSERT_EQ(qzpkg({"form-to-resource", path("a.bin"), path("a.res")}).Exit, 0);
    EXPECT_EQ(DetectFormFileFormat(read("a.bin")), TFormFileFormat::Binary);
    EXPECT_EQ(DetectFormFileFormat(read("a.res")), TFormFileFormat::Resource);
    EXPECT_TRUE(read("a.res").startsWith(QByteArray("\xFF\x0A\x00TFORM1\x00", 10)));

    const ToolRun toStdout = qzpkg({"form-to-text", path("a.res")});
    EXPECT_EQ(toStdout.Exit, 0);
    EXPECT_EQ(toStdout.Out, FormText);
    ASSERT_EQ(qzpkg({"form-to-text", path("a.bin"), path("b.txt")}).Exit, 0);
    EXPECT_EQ(read("b.txt"), FormText);
    // Resource to binary strips the header again.
    ASSERT_EQ(qzpkg({"form-to-binary", path("a.res"), path("c.bin")}).Exit, 0);
    EXPECT_EQ(read("c.bin"), read("a.bin"));
}

TEST_F(QzpkgForms, FailuresSayWhatAndKeepExistingFiles) {
    write("bad.dfm", "object Form1: TForm1\n  Caption = 'open\nend\n");
    write("out.bin", "previous");
    const ToolRun bad = qzpkg({"form-to-binary", path("bad.dfm"), path("out.bin")});
    EXPECT_EQ(bad.Exit, 1);
    EXPECT_TRUE(bad.Err.contains("line 2, column 13: Unterminated string")) << bad.Err.data();
    EXPECT_EQ(read("out.bin"), "previous");

    const ToolRun missing = qzpkg({"form-to-text", path("nope.dfm")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains("nope.dfm")) << missing.Err.data();

    write("junk.dfm", "hello world");
    const ToolRun junk = qzpkg({"form-to-text", path("junk.dfm")});
    EXPECT_EQ(junk.Exit, 1);
    EXPECT_TRUE(junk.Err.contains("Not a form file")) << junk.Err.data();

    write("cut.bin", ObjectTextToBinary(FormText).left(30));
    const ToolRun cut = qzpkg({"form-to-text", path("cut.bin")});
    EXPECT_EQ(cut.Exit, 1);
    EXPECT_TRUE(cut.Err.contains("at byte")) << cut.Err.data();

    const ToolRun unwritable =
        qzpkg({"form-to-binary", path("bad.dfm"), path("no/such/dir/x.bin")});
    EXPECT_EQ(unwritable.Exit, 1);
}

TEST_F(QzpkgForms, UsageAndHelp) {
    const ToolRun help = qzpkg({"--help"});
    EXPECT_EQ(help.Exit, 0);
    for (const char* name : {"form-to-text", "form-to-binary", "form-to-resource"}) {
        EXPECT_TRUE(help.Out.contains(name));
        const ToolRun sub = qzpkg({name, "--help"});
        EXPECT_EQ(sub.Exit, 0);
        EXPECT_TRUE(sub.Out.startsWith(QByteArray("Usage: qzpkg ") + name)) << sub.Out.data();
    }
    EXPECT_EQ(qzpkg({}).Exit, 2);
    EXPECT_EQ(qzpkg({"form-to-binary", "only-one"}).Exit, 2);
    EXPECT_EQ(qzpkg({"form-to-text", "a", "b", "c"}).Exit, 2);
    const ToolRun unknown = qzpkg({"frobnicate"});
    EXPECT_EQ(unknown.Exit, 2);
    EXPECT_TRUE(unknown.Err.contains("unknown command 'frobnicate'"));
}
