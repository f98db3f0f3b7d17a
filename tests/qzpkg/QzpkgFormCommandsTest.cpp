// qzpkg's form conversions, and what every command says about a failure or bad arguments.

#include "ObjectStreams.h"
#include "QzpkgRun.h"

#include <QImage>

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

using QzpkgForms = QzpkgTest;

} // namespace

TEST_F(QzpkgForms, ConvertsBetweenAllThreeForms) {
    write("a.dfm", FormText);
    ASSERT_EQ(qzpkg({"form-to-binary", path("a.dfm"), path("a.bin")}).Exit, 0);
    ASSERT_EQ(qzpkg({"form-to-resource", path("a.bin"), path("a.res")}).Exit, 0);
    EXPECT_EQ(DetectFormFileFormat(read("a.bin")), TFormFileFormat::Binary);
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

// Exit status 1 with the file and the problem named, and nothing written over.
TEST_F(QzpkgForms, FailuresSayWhatAndKeepExistingFiles) {
    write("bad.dfm", "object Form1: TForm1\n  Caption = 'open\nend\n");
    write("out.bin", "previous");
    write("junk.dfm", "hello world");
    write("good.dfm", FormText);
    write("cut.bin", ObjectTextToBinary(FormText).left(30));
    ASSERT_EQ(qzpkg({"new", "strings", path("a.pst")}).Exit, 0);
    const QByteArray package = read("a.pst");
    write("cut.pst", package.left(package.size() - 3));
    const struct {
        QStringList Args;
        const char* Problem;
    } cases[] = {
        {{"form-to-binary", path("bad.dfm"), path("out.bin")},
         "line 2, column 13: Unterminated string"},
        {{"form-to-text", path("nope.dfm")}, "nope.dfm"},
        {{"form-to-text", path("junk.dfm")}, "Not a form file"},
        {{"form-to-text", path("cut.bin")}, "at byte"},
        {{"form-to-binary", path("good.dfm"), path("no/such/dir/x.bin")}, ""},
        {{"new", "strings", path("a.pst"), "--name", "Other"}, "already exists"},
        {{"info", path("cut.pst")}, "truncated"},
        {{"info", path("none.pst")}, "none.pst"},
        {{"count", path("Missing.dpr"), "--kind", "labels"}, "Missing.dpr"},
    };
    for (const auto& c : cases) {
        const ToolRun run = qzpkg(c.Args);
        EXPECT_EQ(run.Exit, 1) << c.Args.join(u' ').toStdString();
        EXPECT_TRUE(run.Err.contains(c.Problem)) << run.Err.data();
    }
    EXPECT_EQ(read("out.bin"), "previous");
    EXPECT_EQ(read("a.pst"), package);
}

TEST_F(QzpkgForms, BadArgumentsExitWithTwoAndEveryCommandHasHelp) {
    // Files that exist, so that only the arguments are wrong.
    const QString dpr = QStringLiteral(QZ_DEMO_DIR "/Demo.dpr");
    ASSERT_EQ(qzpkg({"new", "strings", path("s.pst")}).Exit, 0);
    ASSERT_EQ(qzpkg({"new", "images", path("i.pim")}).Exit, 0);
    QImage red(6, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path("red.png")));
    for (const QStringList& args : std::initializer_list<QStringList>{
             {},
             {"frobnicate"},
             {"form-to-binary", "only-one"},
             {"form-to-text", "a", "b", "c"},
             {"new", "strings"},
             {"new", "colours", path("b.pst")},
             {"new", "strings", path("c.pst"), "--name"},
             {"info", path("a.pst"), "--yaml"},
             {"strings-import", path("s.pst"), path("in.txt")},
             {"strings-export", path("s.pst"), "--texts", "--labels", path("o.txt")},
             {"images-add", path("i.pim"), path("red.png"), "--first-id", "x"},
             {"classes", "extra"},
             {"classes", "--bogus"},
             {"scan", dpr, "--kind", "pictures", "--id", "1"},
             {"scan", dpr, "--kind", "labels"},
             {"scan", dpr, "--kind", "SetsFont", "--package", "User", "--id", "A"},
             {"replace", dpr, "--kind", "labels", "--id", "1", "--to-id", "one"},
             {"replace", dpr, "--kind", "labels", "--id", "one", "--to-id", "1", "--dry-run"},
             {"scan", dpr, "--kind", "labels", "--id=abc"},
             {"scan", dpr, "--kind", "images", "--id", "99999999999"},
             {"clear", dpr, "--kind", "messages", "--id", "1.5", "--dry-run"},
         })
        EXPECT_EQ(qzpkg(args).Exit, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(qzpkg({"frobnicate"}).Err.contains("unknown command 'frobnicate'"));
    EXPECT_TRUE(qzpkg({"new", "colours", path("b.pst")})
                    .Err.contains("kinds are strings, images, vars, privileges, display, "
                                  "language, setup"));

    const ToolRun help = qzpkg({"--help"});
    EXPECT_EQ(help.Exit, 0);
    for (const char* name :
         {"form-to-text", "form-to-binary", "form-to-resource", "new", "info", "strings-export",
          "strings-import", "images-add", "classes", "scan", "count", "replace", "clear"}) {
        EXPECT_TRUE(help.Out.contains(name)) << name;
        const ToolRun sub = qzpkg({name, "--help"});
        EXPECT_EQ(sub.Exit, 0) << name;
        EXPECT_TRUE(sub.Out.startsWith(QByteArray("Usage: qzpkg ") + name)) << sub.Out.data();
    }
    EXPECT_TRUE(qzpkg({"replace", "--help"}).Out.contains("a text form stays text"));
}
