// qzpkg's package commands, run as a person or a script would run them.

#include "QzPkgStrings.h"
#include "QzRuntime.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int Exit;
    QByteArray Out;
    QByteArray Err;
};

ToolRun qzpkg(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QZPKG_PATH), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

class QzpkgPackages : public ::testing::Test {
protected:
    void SetUp() override { QzRegisterRuntimeClasses(); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(QzpkgPackages, NewThenInfoInTextAndJson) {
    const ToolRun made = qzpkg(
        {"new", "strings", path("app.pst"), "--name", "Main", "--description", "Main strings"});
    ASSERT_EQ(made.Exit, 0) << made.Err.data();

    // The file is a real package file that the library loads.
    TQzPkgStrings pkg;
    pkg.LoadFromFile(path("app.pst"));
    pkg.Labels()->Add(1, QStringLiteral("One"));
    pkg.Labels()->Add(2, QStringLiteral("Two"));
    pkg.Messages()->Add(5, QStringLiteral("Five"));
    pkg.SetPkgName(QStringLiteral("Main"));
    pkg.SaveToFile(path("app.pst"));

    const ToolRun text = qzpkg({"info", path("app.pst")});
    EXPECT_EQ(text.Exit, 0);
    EXPECT_TRUE(text.Out.contains("Kind:           strings\n")) << text.Out.data();
    EXPECT_TRUE(text.Out.contains("Labels:         2\n")) << text.Out.data();

    const ToolRun json = qzpkg({"info", path("app.pst"), "--json"});
    ASSERT_EQ(json.Exit, 0);
    const QJsonObject info = QJsonDocument::fromJson(json.Out).object();
    EXPECT_EQ(info["kind"].toString(), QStringLiteral("strings"));
    EXPECT_EQ(info["name"].toString(), QStringLiteral("Main"));
    EXPECT_EQ(info["description"].toString(), QStringLiteral("Main strings"));
    EXPECT_EQ(info["formatVersion"].toInt(), 1);
    EXPECT_EQ(info["lists"].toObject()["Labels"].toInt(), 2);
    EXPECT_EQ(info["lists"].toObject()["Messages"].toInt(), 1);
}

TEST_F(QzpkgPackages, RefusalsAreClearAndChangeNothing) {
    ASSERT_EQ(qzpkg({"new", "strings", path("a.pst")}).Exit, 0);
    QFile file(path("a.pst"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const ToolRun again = qzpkg({"new", "strings", path("a.pst"), "--name", "Other"});
    EXPECT_EQ(again.Exit, 1);
    EXPECT_TRUE(again.Err.contains("already exists")) << again.Err.data();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    const ToolRun kind = qzpkg({"new", "colours", path("b.pst")});
    EXPECT_EQ(kind.Exit, 2);
    EXPECT_TRUE(kind.Err.contains("kinds are strings, images, vars, privileges, display, "
                                  "language, setup"));
    EXPECT_EQ(qzpkg({"new", "strings"}).Exit, 2);
    EXPECT_EQ(qzpkg({"new", "strings", path("c.pst"), "--name"}).Exit, 2);
    EXPECT_EQ(qzpkg({"info", path("a.pst"), "--yaml"}).Exit, 2);

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(before.left(before.size() - 3));
    file.close();
    const ToolRun cut = qzpkg({"info", path("a.pst")});
    EXPECT_EQ(cut.Exit, 1);
    EXPECT_TRUE(cut.Err.contains("truncated")) << cut.Err.data();
    const ToolRun missing = qzpkg({"info", path("none.pst")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains("none.pst"));
}
