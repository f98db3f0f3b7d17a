// qzpkg sync on real package files: both directions, the options, dry runs, JSON, and files
// that cannot be read or written, which are reported and left as they were while the others
// are still done.

#include "QzPkgDisplay.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzpkgRun.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class QzpkgSync : public QzpkgTest {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        TQzPkgStrings master;
        master.SetPkgName("Master");
        master.Labels()->Add(1, "One");
        master.Labels()->Add(2, "Two");
        master.Messages()->Add(5, "Five");
        master.SaveToFile(path("master.pst"));
        TQzPkgStrings other;
        other.SetPkgName("Other");
        other.SetDescription("kept description");
        other.Labels()->Add(2, "Zwei");
        other.Labels()->Add(3, "Drei");
        other.SaveToFile(path("a.pst"));
        other.SaveToFile(path("b.pst"));
    }
    QStringList labels(const QString& name) const {
        TQzPkgStrings pkg;
        pkg.LoadFromFile(path(name));
        QStringList lines;
        for (int i = 0; i < pkg.Labels()->Count(); ++i)
            lines << QStringLiteral("%1 %2")
                         .arg(pkg.Labels()->GetItems(i)->Id())
                         .arg(pkg.Labels()->GetItems(i)->Text());
        return lines;
    }
};

} // namespace

TEST_F(QzpkgSync, ToBringsEveryFileIntoLineAndFromBringsThePackage) {
    ToolRun run = qzpkg(
        {"sync", path("master.pst"), path("a.pst"), path("b.pst"), "--to", "--add", "--delete"});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    for (const char* file : {"a.pst", "b.pst"}) {
        EXPECT_EQ(labels(file), QStringList({"2 Zwei", "1 One"})) << file;
        EXPECT_TRUE(run.Out.contains(path(file).toUtf8() + ": added 2, deleted 1"))
            << run.Out.data();
    }
    TQzPkgStrings kept;
    kept.LoadFromFile(path("a.pst"));
    EXPECT_EQ(kept.Description(), "kept description");
    EXPECT_EQ(QzReadPkgFileHeader(path("a.pst")).Name, "Other");

    run = qzpkg({"sync", path("master.pst"), path("b.pst"), "--from", "--delete"});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    EXPECT_EQ(labels("master.pst"), QStringList({"1 One", "2 Two"}));
    EXPECT_EQ(labels("b.pst"), QStringList({"2 Zwei", "1 One"}));
}

TEST_F(QzpkgSync, DryRunListsPerFileAndWritesNothing) {
    const QByteArray before = read("a.pst");
    const ToolRun run =
        qzpkg({"sync", path("master.pst"), path("a.pst"), "--to", "--add", "--dry-run"});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    EXPECT_EQ(read("a.pst"), before);
    EXPECT_TRUE(run.Out.contains(": would add 2, would delete 0\n  + labels 1\n  + messages 5\n"))
        << run.Out.data();

    const ToolRun json = qzpkg(
        {"sync", path("master.pst"), path("a.pst"), "--to", "--delete", "--dry-run", "--json"});
    ASSERT_EQ(json.Exit, 0);
    const QJsonObject result = QJsonDocument::fromJson(json.Out).object();
    EXPECT_EQ(result["direction"].toString(), "to");
    EXPECT_TRUE(result["dryRun"].toBool());
    const QJsonObject file = result["files"].toArray()[0].toObject();
    EXPECT_TRUE(file["ok"].toBool());
    EXPECT_EQ(file["deleted"].toArray()[0].toObject()["key"].toString(), "3");
    EXPECT_EQ(read("a.pst"), before);
}

TEST_F(QzpkgSync, AFailingFileIsReportedAndNoFileIsChanged) {
    // Damaged: a byte of the content flipped, which its checksum catches.
    QByteArray damaged = read("a.pst");
    damaged[damaged.size() - 2] = char(damaged[damaged.size() - 2] ^ 0x20);
    write("damaged.pst", damaged);
    // Unwritable: in a folder nobody may write to (the tool runs as another user under root,
    // who may write anywhere).
    ASSERT_TRUE(QDir(Dir.path()).mkdir("locked"));
    const QString lockedName = QStringLiteral("locked/b.pst");
    write(lockedName, read("b.pst"));
    const QByteArray lockedBefore = read(lockedName);
    const QByteArray aBefore = read("a.pst");
    ASSERT_TRUE(QFile::setPermissions(Dir.path(), QFileDevice::Permissions(0x7777)));
    ASSERT_TRUE(QFile::setPermissions(path("locked"), QFileDevice::Permissions(0x5555)));
    ASSERT_TRUE(QFile::setPermissions(path("a.pst"), QFileDevice::Permissions(0x6666)));

    // A file that cannot be read stops every write.
    const ToolRun unread = qzpkgUnprivileged({"sync", path("master.pst"), path("damaged.pst"),
                                              path("a.pst"), "--to", "--add", "--json"});
    EXPECT_EQ(unread.Exit, 1);
    const QJsonObject unreadResult = QJsonDocument::fromJson(unread.Out).object();
    const QJsonArray unreadFiles = unreadResult["files"].toArray();
    ASSERT_EQ(unreadFiles.size(), 2) << unread.Out.data();
    EXPECT_FALSE(unreadFiles[0].toObject()["ok"].toBool());
    EXPECT_TRUE(unreadFiles[0].toObject()["error"].toString().contains("damaged.pst"));
    EXPECT_EQ(unreadResult["messages"].toArray().last().toObject()["text"].toString(),
              "no file was changed");
    EXPECT_EQ(read("a.pst"), aBefore);

    // A file that cannot be written: the one written before it gets its bytes back.
    const ToolRun run = qzpkgUnprivileged(
        {"sync", path("master.pst"), path("a.pst"), path(lockedName), "--to", "--add", "--json"});
    EXPECT_EQ(run.Exit, 1);
    const QJsonArray files = QJsonDocument::fromJson(run.Out).object()["files"].toArray();
    ASSERT_EQ(files.size(), 2) << run.Out.data();
    EXPECT_FALSE(files[1].toObject()["ok"].toBool());
    EXPECT_TRUE(files[1].toObject()["error"].toString().startsWith("Cannot write"))
        << run.Out.data();
    EXPECT_EQ(read("damaged.pst"), damaged);
    EXPECT_EQ(read(lockedName), lockedBefore);
    EXPECT_EQ(read("a.pst"), aBefore);

    ASSERT_TRUE(QFile::setPermissions(path("locked"), QFileDevice::Permissions(0x7777)));
    // From a damaged file: the package stays as it was.
    const QByteArray master = read("master.pst");
    const ToolRun from =
        qzpkg({"sync", path("master.pst"), path("damaged.pst"), "--from", "--add"});
    EXPECT_EQ(from.Exit, 1);
    EXPECT_TRUE(from.Err.contains("damaged.pst")) << from.Err.data();
    EXPECT_EQ(read("master.pst"), master);
}

TEST_F(QzpkgSync, AReadOnlyFileIsNotReplacedInAFolderThatCouldBeWritten) {
    ASSERT_TRUE(QFile::setPermissions(Dir.path(), QFileDevice::Permissions(0x7777)));
    for (const char* name : {"master.pst", "a.pst", "b.pst"})
        ASSERT_TRUE(QFile::setPermissions(path(name), QFileDevice::Permissions(0x6666)));
    ASSERT_TRUE(QFile::setPermissions(path("a.pst"), QFileDevice::Permissions(0x4444)));
    const QByteArray before = read("a.pst");
    const QByteArray otherBefore = read("b.pst");

    ToolRun run = qzpkgUnprivileged(
        {"sync", path("master.pst"), path("a.pst"), path("b.pst"), "--to", "--add"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains("read-only")) << run.Err.data();
    EXPECT_EQ(read("a.pst"), before);
    // All or none: the other file is not changed either.
    EXPECT_EQ(read("b.pst"), otherBefore);

    // The package itself, read-only, is not brought into line either.
    const QByteArray master = read("a.pst");
    run = qzpkgUnprivileged({"sync", path("a.pst"), path("master.pst"), "--from", "--add"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(read("a.pst"), master);
    // A dry run only reads.
    EXPECT_EQ(
        qzpkgUnprivileged({"sync", path("master.pst"), path("a.pst"), "--to", "--add", "--dry-run"})
            .Exit,
        0);
}

TEST_F(QzpkgSync, BadArgumentsAreUsageErrors) {
    TQzPkgDisplay display;
    display.SaveToFile(path("d.dis"));
    TQzPkgDisplay displayB;
    displayB.SaveToFile(path("e.dis"));
    const QString m = path("master.pst");
    const QString a = path("a.pst");
    const QList<QStringList> cases = {
        {"sync", m, a},
        {"sync", m, a, "--from", "--to"},
        {"sync", m, "--to"},
        {"sync", m, a, path("b.pst"), "--from"},
        {"sync", m, m, "--to"},
        {"sync", m, a, a, "--to"},
        {"sync", m, a, "--to", "--sets"},
        {"sync", m, a, "--to", "--system"},
        {"sync", m, a, "--to", "--bogus"},
    };
    for (const QStringList& args : cases) {
        const ToolRun run = qzpkg(args);
        EXPECT_EQ(run.Exit, 2) << args.join(' ').toStdString() << run.Err.data();
    }
    // Display packages take the part switches.
    EXPECT_EQ(qzpkg({"sync", path("d.dis"), path("e.dis"), "--to", "--sets", "--system"}).Exit, 0);
    // A package of another kind, or a kind the synchronizer does not handle, fails the work.
    EXPECT_EQ(qzpkg({"sync", m, path("d.dis"), "--to", "--add"}).Exit, 1);
    ASSERT_EQ(qzpkg({"new", "vars", path("v.pva")}).Exit, 0);
    ASSERT_EQ(qzpkg({"new", "vars", path("w.pva")}).Exit, 0);
    EXPECT_EQ(qzpkg({"sync", path("v.pva"), path("w.pva"), "--to"}).Exit, 1);
}
