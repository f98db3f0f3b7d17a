// qzpkg's package commands, run as a person or a script would run them.

#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzpkgRun.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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

TEST_F(QzpkgPackages, StringsExportImportRoundTripsAnyText) {
    TQzPkgStrings pkg;
    pkg.SetPkgName(QStringLiteral("Main"));
    pkg.Labels()->Add(3, QStringLiteral("Three"));
    pkg.Labels()->Add(1, QString(), QStringLiteral("hint only"));
    pkg.Labels()->Add(2, QStringLiteral(u"a, \"b\"\r\nc  ü"), QStringLiteral(" lead"));
    pkg.Labels()->FindId(3)->Protected = true;
    pkg.Messages()->Add(9, QStringLiteral("kept"));
    pkg.SaveToFile(path("s.pst"));

    ASSERT_EQ(qzpkg({"strings-export", path("s.pst"), "--labels", path("labels.txt")}).Exit, 0);
    QFile exported(path("labels.txt"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = exported.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines and the final line break
    EXPECT_EQ(lines[0], "1,,hint only");
    EXPECT_TRUE(lines[1].startsWith("2,\""));
    EXPECT_EQ(lines[2], "3,Three");

    // Import into a package whose labels differ: the list is replaced, other lists stay.
    TQzPkgStrings other;
    other.Labels()->Add(50, QStringLiteral("old"));
    other.Messages()->Add(9, QStringLiteral("kept"));
    other.SaveToFile(path("t.pst"));
    ASSERT_EQ(qzpkg({"strings-import", path("t.pst"), "--labels", path("labels.txt")}).Exit, 0);
    TQzPkgStrings back;
    back.LoadFromFile(path("t.pst"));
    ASSERT_EQ(back.Labels()->Count(), 3);
    EXPECT_EQ(back.Labels()->FindId(50), nullptr);
    EXPECT_EQ(back.Labels()->FindId(2)->Text(), pkg.Labels()->FindId(2)->Text());
    EXPECT_EQ(back.Labels()->FindId(2)->Hint(), QStringLiteral(" lead"));
    EXPECT_EQ(back.Labels()->FindId(1)->Hint(), QStringLiteral("hint only"));
    EXPECT_FALSE(back.Labels()->FindId(3)->Protected);
    EXPECT_EQ(back.Messages()->FindId(9)->Text(), QStringLiteral("kept"));
}

TEST_F(QzpkgPackages, FailedImportsLeaveThePackageUntouched) {
    TQzPkgStrings pkg;
    pkg.Texts()->Add(1, QStringLiteral("one"));
    pkg.SaveToFile(path("s.pst"));
    QFile file(path("s.pst"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const struct {
        const char* Text;
        const char* Problem;
    } cases[] = {
        {"1,a\n2,b\nx,c\n", "line 3: 'x' is not an id"},
        {"1,a\n1,b\n", "line 2: the id 1 appears twice"},
        {"1,\"open\n", "line 1:"},
        {"1,a,b\n", "line 1: too many fields"},
    };
    for (const auto& c : cases) {
        QFile in(path("in.txt"));
        ASSERT_TRUE(in.open(QIODevice::WriteOnly | QIODevice::Truncate));
        in.write(c.Text);
        in.close();
        const ToolRun run = qzpkg({"strings-import", path("s.pst"), "--texts", path("in.txt")});
        EXPECT_EQ(run.Exit, 1);
        EXPECT_TRUE(run.Err.contains(c.Problem)) << run.Err.data();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before) << c.Text;
        file.close();
    }
    EXPECT_EQ(qzpkg({"strings-import", path("s.pst"), path("in.txt")}).Exit, 2);
    EXPECT_EQ(qzpkg({"strings-export", path("s.pst"), "--texts", "--labels", path("o.txt")}).Exit,
              2);
}

TEST_F(QzpkgPackages, ImagesAddTakesPicturesOrNothing) {
    ASSERT_EQ(qzpkg({"new", "images", path("i.pim")}).Exit, 0);
    QImage red(6, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path("red.png")));
    ASSERT_TRUE(red.save(path("red.bmp")));
    QFile junk(path("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    const ToolRun added =
        qzpkg({"images-add", path("i.pim"), path("red.png"), path("red.bmp"), "--first-id", "20"});
    ASSERT_EQ(added.Exit, 0) << added.Err.data();
    TQzPkgImages pkg;
    pkg.LoadFromFile(path("i.pim"));
    ASSERT_EQ(pkg.Images()->Count(), 2);
    EXPECT_EQ(pkg.Images()->FindId(20)->Width(), 6);
    EXPECT_EQ(pkg.Images()->FindId(21)->Height(), 4);

    // A bad picture or a taken id adds nothing at all.
    EXPECT_EQ(qzpkg({"images-add", path("i.pim"), path("red.png"), path("junk.png")}).Exit, 1);
    EXPECT_EQ(qzpkg({"images-add", path("i.pim"), path("red.png"), "--first-id", "21"}).Exit, 1);
    pkg.LoadFromFile(path("i.pim"));
    EXPECT_EQ(pkg.Images()->Count(), 2);
    EXPECT_EQ(qzpkg({"images-add", path("i.pim"), path("red.png")}).Exit, 0);
    pkg.LoadFromFile(path("i.pim"));
    EXPECT_NE(pkg.Images()->FindId(22), nullptr);
    EXPECT_EQ(qzpkg({"images-add", path("i.pim"), path("red.png"), "--first-id", "x"}).Exit, 2);
}
