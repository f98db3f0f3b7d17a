// What every qzpkg command keeps to, so that scripts can rely on it: the exit codes, options as
// "--name VALUE" or "--name=VALUE", unknown options and stray arguments refused, messages that
// name their file and line (as objects with --json), and output that is checked to arrive.

#include "QzpkgRun.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sys/resource.h>

namespace {

class QzpkgConventions : public QzpkgTest {
protected:
    void SetUp() override {
        const QDir demo(QStringLiteral(QZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name)));
        QImage red(6, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(path("red.png")));
        ASSERT_EQ(qzpkg({"new", "strings", path("Other.pst")}).Exit, 0);
        ASSERT_EQ(
            qzpkg({"strings-export", path("Common.pst"), "--labels", path("labels.txt")}).Exit, 0);
        ASSERT_EQ(qzpkg({"new", "vars", path("Vars.pva")}).Exit, 0);
        ASSERT_EQ(qzpkg({"vars-set", path("Vars.pva"), "Limit", "Integer", "3"}).Exit, 0);
        const ToolRun vars = qzpkg({"vars-export", path("Vars.pva"), "--json"});
        ASSERT_EQ(vars.Exit, 0);
        write("vars.json", vars.Out);
        ASSERT_EQ(qzpkg({"po-export", path("Common.pst"), "--out", path("common.po")}).Exit, 0);
        ASSERT_EQ(qzpkg({"xliff-export", path("Common.pst"), "--out", path("common.xlf")}).Exit, 0);
    }

    // One run of every command that succeeds; `fixed` says whether it takes a fixed number of
    // arguments, so that one more is a stray one.
    struct Case {
        const char* Name;
        QStringList Args;
        bool Fixed = true;
        bool Json = false;
    };
    std::vector<Case> cases() const {
        const QString dpr = path("Demo.dpr");
        return {
            {"form-to-text", {path("Main.dfm"), path("main.txt")}},
            {"form-to-binary", {path("Main.dfm"), path("main.bin")}},
            {"form-to-resource", {path("Main.dfm"), path("main.res")}},
            {"new", {"strings", path("New.pst")}},
            {"info", {path("Common.pst")}, true, true},
            {"strings-export", {path("Common.pst"), "--labels", path("out.txt")}},
            {"strings-import", {path("Other.pst"), "--labels", path("labels.txt")}},
            {"images-add", {path("Icons.pim"), path("red.png")}, false},
            {"classes", {"TQzLabel"}, true, true},
            {"scan", {dpr, "--kind", "labels", "--id", "5"}, true, true},
            {"count", {dpr, "--kind", "labels"}, true, true},
            {"replace",
             {dpr, "--kind", "labels", "--id", "5", "--to-id", "5", "--dry-run"},
             true,
             true},
            {"clear", {dpr, "--kind", "labels", "--id", "5", "--dry-run"}, true, true},
            {"sync", {path("Common.pst"), path("Other.pst"), "--to", "--dry-run"}, false, true},
            {"vars-export", {path("Vars.pva")}},
            {"vars-import", {path("Vars.pva"), path("vars.json")}},
            {"vars-set", {path("Vars.pva"), "Limit", "Integer", "4"}},
            {"po-export", {path("Common.pst"), "--out", path("c.po")}},
            {"po-import", {path("Common.pst"), path("common.po"), "--dry-run"}},
            {"xliff-export", {path("Common.pst"), "--out", path("c.xlf")}},
            {"xliff-import", {path("Common.pst"), path("common.xlf"), "--dry-run"}},
        };
    }
};

ToolRun qzpkgWithStdout(const QStringList& args, const QString& file, rlim_t sizeLimit) {
    QProcess p;
    p.setStandardOutputFile(file);
    p.setChildProcessModifier([sizeLimit] {
        const rlimit limit{sizeLimit, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start(QStringLiteral(QZPKG_PATH), args);
    p.waitForFinished(30000);
    return {
        p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, {}, p.readAllStandardError()};
}

} // namespace

TEST_F(QzpkgConventions, EveryCommandKeepsTheSameConventions) {
    // The table holds every command the tool lists.
    QStringList listed;
    const QList<QByteArray> usage = qzpkg({"--help"}).Out.split('\n');
    for (qsizetype i = usage.indexOf("Commands:") + 1; i < usage.size() && !usage[i].isEmpty(); ++i)
        listed << QString::fromUtf8(usage[i].simplified().split(' ').front());
    QStringList tested;
    for (const Case& c : cases())
        tested << QString::fromLatin1(c.Name);
    listed.sort();
    tested.sort();
    EXPECT_EQ(tested, listed);

    for (const Case& c : cases()) {
        SCOPED_TRACE(c.Name);
        const QStringList args = QStringList{c.Name} + c.Args;
        const ToolRun done = qzpkg(args);
        EXPECT_EQ(done.Exit, 0) << done.Err.data();

        const ToolRun unknown = qzpkg(args + QStringList{"--bogus"});
        EXPECT_EQ(unknown.Exit, 2);
        EXPECT_TRUE(unknown.Err.contains("unknown option --bogus")) << unknown.Err.data();
        EXPECT_EQ(qzpkg(args + QStringList{"-x"}).Exit, 2);
        if (c.Fixed) {
            const ToolRun stray = qzpkg(args + QStringList{"stray"});
            EXPECT_EQ(stray.Exit, 2);
            EXPECT_TRUE(stray.Err.contains("unexpected argument 'stray'")) << stray.Err.data();
        }

        // Output that cannot be written fails the command, with the system's reason.
        const ToolRun full = qzpkgWithStdout(args, QStringLiteral("/dev/full"), RLIM_INFINITY);
        EXPECT_EQ(full.Exit, 1);
        EXPECT_TRUE(full.Err.contains("cannot write to standard output: No space left on device"))
            << full.Err.data();

        const ToolRun help = qzpkg({c.Name, "--help"});
        EXPECT_EQ(help.Exit, 0);
        EXPECT_TRUE(help.Out.contains("Exit status: 0 done; 1 a file could not be read or "
                                      "written (nothing was changed);\n2 usage error; 3"));
        if (c.Json) {
            const QJsonObject result =
                QJsonDocument::fromJson(qzpkg(args + QStringList{"--json"}).Out).object();
            EXPECT_TRUE(result.contains("messages") || QByteArray(c.Name) == "info" ||
                        QByteArray(c.Name) == "classes");
        }
    }
    EXPECT_EQ(qzpkg({}).Exit, 2);
    EXPECT_EQ(qzpkg({"frobnicate"}).Exit, 2);
    const ToolRun version = qzpkg({"--version"});
    EXPECT_EQ(version.Exit, 0);
    EXPECT_TRUE(version.Out.startsWith("qzpkg ")) << version.Out.data();
}

TEST_F(QzpkgConventions, OptionsTakeTheirValueEitherWayAndDashIsStandardInputOrOutput) {
    const ToolRun spaced = qzpkg({"scan", path("Demo.dpr"), "--kind", "labels", "--id", "5"});
    const ToolRun joined = qzpkg({"scan", path("Demo.dpr"), "--kind=labels", "--id=5"});
    EXPECT_EQ(joined.Exit, 0) << joined.Err.data();
    EXPECT_EQ(joined.Out, spaced.Out);
    EXPECT_EQ(qzpkg({"scan", path("Demo.dpr"), "--kind=labels", "--id=5", "--json=yes"}).Exit, 2);

    // A form through standard input and output: text to binary to text.
    QProcess toBinary;
    toBinary.setStandardInputFile(path("Main.dfm"));
    toBinary.start(QStringLiteral(QZPKG_PATH), {"form-to-binary", "-", "-"});
    ASSERT_TRUE(toBinary.waitForFinished(30000));
    EXPECT_EQ(toBinary.exitCode(), 0) << toBinary.readAllStandardError().data();
    const QByteArray binary = toBinary.readAllStandardOutput();
    EXPECT_TRUE(binary.startsWith("TPF0"));
    write("piped.bin", binary);
    EXPECT_EQ(qzpkg({"form-to-text", path("piped.bin")}).Out, read("Main.dfm"));

    ASSERT_EQ(qzpkg({"strings-export", path("Common.pst"), "--labels", "-"}).Out,
              read("labels.txt"));
    // The output may not be the input itself: the package would be lost.
    const QByteArray package = read("Common.pst");
    const ToolRun itself =
        qzpkg({"strings-export", path("Common.pst"), "--labels", path("Common.pst")});
    EXPECT_EQ(itself.Exit, 2);
    EXPECT_EQ(read("Common.pst"), package);
    EXPECT_EQ(qzpkg({"form-to-binary", path("Main.dfm"), path("./Main.dfm")}).Exit, 2);
}

TEST_F(QzpkgConventions, MessagesNameTheFileAndLineAndAreObjectsInJson) {
    QByteArray orders = read("Orders.dfm");
    orders.replace("  Caption = 'Orders'\n", "  Caption = 'Orders\n");
    write("Orders.dfm", orders);
    const int line = int(orders.left(orders.indexOf("Caption = 'Orders\n")).count('\n')) + 1;
    for (const char* kind : {"texts", "labels"}) {
        SCOPED_TRACE(kind);
        const ToolRun run =
            qzpkg({"scan", path("Demo.dpr"), "--kind", kind, "--id", "1", "--json"});
        EXPECT_EQ(run.Exit, 1);
        const QJsonArray messages = QJsonDocument::fromJson(run.Out).object()["messages"].toArray();
        ASSERT_FALSE(messages.isEmpty()) << run.Out.data();
        const QJsonObject first = messages[0].toObject();
        EXPECT_TRUE(first["file"].toString().endsWith("Orders.dfm"));
        EXPECT_EQ(first["line"].toInt(), line);
        EXPECT_EQ(first["severity"].toString(), "error");
        EXPECT_TRUE(first["text"].toString().contains("Unterminated string"));
        EXPECT_TRUE(run.Err.contains(QStringLiteral("Orders.dfm:%1: ").arg(line).toUtf8()))
            << run.Err.data();
    }

    // A fatal error is a message too.
    const ToolRun info = qzpkg({"info", path("Missing.pst"), "--json"});
    EXPECT_EQ(info.Exit, 1);
    const QJsonObject missing =
        QJsonDocument::fromJson(info.Out).object()["messages"].toArray()[0].toObject();
    EXPECT_TRUE(missing["file"].toString().endsWith("Missing.pst")) << info.Out.data();
    EXPECT_TRUE(missing["line"].isNull());
}

TEST_F(QzpkgConventions, AFileSizeLimitIsAFailedWriteNotACrash) {
    const ToolRun limited =
        qzpkgWithStdout({"form-to-text", path("Main.dfm")}, path("limited.txt"), 4096);
    EXPECT_EQ(limited.Exit, 1);
    EXPECT_TRUE(limited.Err.contains("cannot write to standard output: File too large"))
        << limited.Err.data();
}
