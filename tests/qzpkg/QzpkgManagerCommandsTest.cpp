// qzpkg's Packages Manager commands on a copy of the example project, run as a person or a
// continuous-integration script would run them.

#include "ObjectStreams.h"
#include "QzpkgRun.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class QzpkgManager : public QzpkgTest {
protected:
    void SetUp() override {
        const QDir demo(QStringLiteral(QZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name)));
    }
    QString project() const { return path(QStringLiteral("Demo.dpr")); }
    QStringList out(const ToolRun& run) const {
        return QString::fromUtf8(run.Out).split(u'\n', Qt::SkipEmptyParts);
    }
};

// Runs qzpkg with standard error on a pseudo-terminal, as a person at a terminal sees it;
// standard output stays a pipe, as when the listing is redirected.
ToolRun qzpkgAtTerminal(const QStringList& args) {
    int master = -1;
    int slave = -1;
    int out[2];
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0 || pipe(out) != 0)
        return {-1, {}, {}};
    std::vector<QByteArray> words{QByteArrayLiteral(QZPKG_PATH)};
    for (const QString& arg : args)
        words.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        close(master);
        close(out[0]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(slave);
    close(out[1]);
    auto drain = [](int fd) {
        QByteArray data;
        char buffer[4096];
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0)
            data.append(buffer, n);
        return data;
    };
    // The listing is small enough for the pipe; the terminal ends with EIO once the child is gone.
    const QByteArray listing = drain(out[0]);
    const QByteArray terminal = drain(master);
    int status = 0;
    waitpid(child, &status, 0);
    close(out[0]);
    close(master);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, listing, terminal};
}

} // namespace

TEST_F(QzpkgManager, ProgressGoesToATerminalAndIsWipedBeforeItEnds) {
    const QStringList args = {"count", project(), "--kind", "labels"};
    const ToolRun terminal = qzpkgAtTerminal(args);
    ASSERT_EQ(terminal.Exit, 0) << terminal.Err.data();
    EXPECT_TRUE(terminal.Err.contains("\r")) << terminal.Err.data();
    EXPECT_TRUE(terminal.Err.contains("%")) << terminal.Err.data();
    // Nothing of the progress line stays on the terminal, and the listing does not carry it.
    EXPECT_TRUE(terminal.Err.endsWith("\r\x1b[K")) << terminal.Err.data();
    const ToolRun piped = qzpkg(args);
    EXPECT_EQ(terminal.Out, piped.Out);
    EXPECT_FALSE(piped.Err.contains("\r"));
}

TEST_F(QzpkgManager, ScanListsWhereAnItemIsReferenced) {
    const ToolRun text =
        qzpkg({"scan", project(), "--kind", "LABELS", "--package", "User", "--id", "5"});
    ASSERT_EQ(text.Exit, 0) << text.Err.data();
    EXPECT_EQ(out(text), QStringList({
                             "Main.dfm:52: OpCustomers:TQzOutLookBarPage.Caption: Caption.Id = 5",
                             "Main.dfm:61: SbCustomers:TQzSpeedButton.Caption: Caption.Id = 5",
                             "Main.dfm:332: MnCustomers:TQzMenuItem.CaptionId: CaptionId.Id = 5",
                             "Customers.dfm:435: QzCForm1:TQzCForm.Caption: Caption.Id = 5",
                             "4 reference(s)",
                         }));
    // A numbered item is found however its number is written.
    EXPECT_EQ(qzpkg({"scan", project(), "--kind", "labels", "--package", "User", "--id=$05"}).Out,
              text.Out);

    const ToolRun json =
        qzpkg({"scan", project(), "--kind", "images", "--package", "User", "--id", "2", "--json"});
    ASSERT_EQ(json.Exit, 0);
    const QJsonArray refs = QJsonDocument::fromJson(json.Out).object()["references"].toArray();
    ASSERT_EQ(refs.size(), 2);
    EXPECT_EQ(refs[0].toObject()["path"].toString(), "SgTheme:TQzSetsGroup.Items[1].Image");
    EXPECT_EQ(refs[0].toObject()["line"].toInt(), 142);
    EXPECT_EQ(refs[1].toObject()["holder"].toString(), "SetsBackGround");
    EXPECT_EQ(refs[1].toObject()["item"].toString(), "Logo");
}

TEST_F(QzpkgManager, CountFailsOnUnusedOrMissingItemsOnlyWhenAsked) {
    const ToolRun json = qzpkg({"count", project(), "--kind", "labels", "--json"});
    ASSERT_EQ(json.Exit, 0) << json.Err.data();
    const QJsonObject counted = QJsonDocument::fromJson(json.Out).object();
    EXPECT_EQ(counted["unused"].toInt(), 1);
    EXPECT_EQ(counted["nonexistent"].toInt(), 0);
    EXPECT_FALSE(counted["packages"].toArray().contains(QJsonValue("System")));
    const QJsonObject first = counted["items"].toArray()[0].toObject();
    EXPECT_EQ(first["package"].toString(), "Orders");
    EXPECT_TRUE(first["unused"].toBool());

    EXPECT_EQ(qzpkg({"count", project(), "--kind", "labels", "--fail-on-unused"}).Exit, 3);
    EXPECT_EQ(qzpkg({"count", project(), "--kind", "labels", "--fail-on-missing"}).Exit, 0);
    // A package the project does not load is named, not counted as holding nothing.
    const ToolRun unknown = qzpkg({"count", project(), "--kind", "labels", "--package", "Nope"});
    EXPECT_EQ(unknown.Exit, 1);
    EXPECT_TRUE(unknown.Out.isEmpty()) << unknown.Out.data();
    EXPECT_TRUE(unknown.Err.contains("no strings package named \"Nope\" is loaded"))
        << unknown.Err.data();
    // Only the chosen packages are counted: Orders is not, so nothing is unused.
    EXPECT_EQ(qzpkg({"count", project(), "--kind", "labels", "--package", "User", "--package",
                     "Common", "--fail-on-unused"})
                  .Exit,
              0);

    // A privilege that does not exist is refused unless forced.
    const QStringList toMissing = {"replace", project(), "--kind",  "privileges",
                                   "--id",    "4",       "--to-id", "44"};
    const ToolRun refused = qzpkg(toMissing);
    EXPECT_EQ(refused.Exit, 1);
    EXPECT_TRUE(refused.Err.contains("44")) << refused.Err.data();
    ASSERT_EQ(qzpkg(toMissing + QStringList{"--force"}).Exit, 0);
    const ToolRun missing =
        qzpkg({"count", project(), "--kind", "Privileges", "--fail-on-missing"});
    EXPECT_EQ(missing.Exit, 3);
    EXPECT_TRUE(out(missing).contains("(00000) Id: 4 ( Unused )"));
    EXPECT_TRUE(out(missing).contains("(00001) Id: 44 ( Nonexistent )"));
}

TEST_F(QzpkgManager, ReplaceKeepsTextFormsTextAndBinaryFormsBinary) {
    const QByteArray main = read("Main.dfm");
    const QByteArray customers = read("Customers.dfm");
    const QStringList replace = {"replace", project(),      "--kind", "labels",  "--id",
                                 "5",       "--to-package", "Common", "--to-id", "13"};

    const ToolRun dry = qzpkg(replace + QStringList{"--dry-run"});
    ASSERT_EQ(dry.Exit, 0) << dry.Err.data();
    EXPECT_TRUE(out(dry).contains("Main.dfm:51: Caption.PkgName = 'User' -> Caption.PkgName = "
                                  "'Common'"));
    EXPECT_EQ(out(dry).last(), "Would change 8 line(s) in 2 form(s); nothing was written");
    EXPECT_EQ(read("Main.dfm"), main);

    const ToolRun run = qzpkg(replace);
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    EXPECT_EQ(out(run).last(), "Changed 8 line(s) in 2 form(s)");
    // Only the changed lines differ in the text form.
    QByteArray expected = main;
    expected.replace("      Caption.PkgName = 'User'\n      Caption.Id = 5\n",
                     "      Caption.PkgName = 'Common'\n      Caption.Id = 13\n");
    expected.replace("        Caption.PkgName = 'User'\n        Caption.Id = 5\n",
                     "        Caption.PkgName = 'Common'\n        Caption.Id = 13\n");
    expected.replace("CaptionId.PkgName = 'User'\n        CaptionId.Id = 5\n",
                     "CaptionId.PkgName = 'Common'\n        CaptionId.Id = 13\n");
    EXPECT_EQ(read("Main.dfm").toStdString(), expected.toStdString());
    const QByteArray written = read("Customers.dfm");
    EXPECT_EQ(DetectFormFileFormat(written), DetectFormFileFormat(customers));
    EXPECT_TRUE(FormFileToText(written).contains("Caption.PkgName = 'Common'"));

    const ToolRun after = qzpkg({"scan", project(), "--kind", "labels", "--id", "5"});
    EXPECT_EQ(out(after), QStringList({"0 reference(s)"}));
}

TEST_F(QzpkgManager, ClearDeletesTheReferenceLinesAndFormsStillRead) {
    const ToolRun run = qzpkg(
        {"clear", project(), "--kind", "images", "--package", "Icons", "--id", "3", "--json"});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    const QJsonObject result = QJsonDocument::fromJson(run.Out).object();
    EXPECT_FALSE(result["dryRun"].toBool());
    const QJsonArray changes = result["changes"].toArray();
    ASSERT_EQ(changes.size(), 4);
    EXPECT_FALSE(changes[0].toObject().contains("after"));
    // In file order: the package name line above the id line.
    EXPECT_EQ(changes[0].toObject()["before"].toString(), "Image.PkgName = 'Icons'");
    EXPECT_EQ(changes[1].toObject()["before"].toString(), "Image.Id = 3");
    EXPECT_LT(changes[0].toObject()["line"].toInt(), changes[1].toObject()["line"].toInt());
    for (const QJsonValue& form : result["forms"].toArray())
        EXPECT_EQ(qzpkg({"form-to-text", path(form.toString())}).Exit, 0);
    EXPECT_EQ(
        out(qzpkg({"scan", project(), "--kind", "images", "--package", "Icons", "--id", "3"})),
        QStringList({"0 reference(s)"}));
}

TEST_F(QzpkgManager, SetsAndPrivilegesChangeOnlyWhenAskedAndAreSaved) {
    const QByteArray display = read("Demo.dis");
    const QStringList replace = {"replace", project(), "--kind",  "images",
                                 "--id",    "2",       "--to-id", "1"};
    ASSERT_EQ(qzpkg(replace).Exit, 0);
    EXPECT_EQ(read("Demo.dis"), display);
    EXPECT_TRUE(out(qzpkg({"scan", project(), "--kind", "images", "--id", "2"}))
                    .contains("(SetsBackGround) Name: 'Logo'"));

    const ToolRun run = qzpkg(replace + QStringList{"--sets-and-privileges"});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    EXPECT_TRUE(out(run).contains("(SetsBackGround) Logo: changed"));
    EXPECT_NE(read("Demo.dis"), display);
    EXPECT_TRUE(out(qzpkg({"scan", project(), "--kind", "images", "--id", "1"}))
                    .contains("(SetsBackGround) Name: 'Logo'"));
}

TEST_F(QzpkgManager, AFailureHalfwayThroughTheWritesLeavesEveryFormAsItWas) {
    // Common 14 is referenced in Customers.dfm (binary, about 6 KB), written first, and in
    // Orders.dfm (text, about 12 KB): with files limited to 9 KB the second write fails.
    const QByteArray customers = read("Customers.dfm");
    const QByteArray orders = read("Orders.dfm");
    ASSERT_LT(customers.size(), 9000);
    ASSERT_GT(orders.size(), 9000);
    const QStringList replace = {"replace", project(), "--kind",  "labels", "--package", "Common",
                                 "--id",    "14",      "--to-id", "15",     "--json"};
    const ToolRun failed = qzpkgWithFileSizeLimit(replace, 9000);
    EXPECT_EQ(failed.Exit, 1);
    EXPECT_TRUE(failed.Err.contains("Orders.dfm")) << failed.Err.data();
    EXPECT_TRUE(failed.Err.contains("File too large")) << failed.Err.data();
    EXPECT_EQ(read("Customers.dfm"), customers);
    EXPECT_EQ(read("Orders.dfm"), orders);
    // Nothing is listed as changed; the messages say what failed.
    const QJsonObject result = QJsonDocument::fromJson(failed.Out).object();
    EXPECT_TRUE(result["changes"].toArray().isEmpty()) << failed.Out.data();
    EXPECT_FALSE(result["messages"].toArray().isEmpty()) << failed.Out.data();
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
              QDir(QStringLiteral(QZ_DEMO_DIR)).entryList(QDir::Files).size());

    // Without the limit both are written.
    const ToolRun done = qzpkg(replace);
    ASSERT_EQ(done.Exit, 0) << done.Err.data();
    EXPECT_EQ(QJsonDocument::fromJson(done.Out).object()["forms"].toArray().size(), 2);
}
