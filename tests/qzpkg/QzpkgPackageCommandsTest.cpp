// qzpkg's package commands, run as a person or a script would run them.

#include "QzPkgFile.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzpkgRun.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class QzpkgPackages : public QzpkgTest {
protected:
    void SetUp() override { QzRegisterRuntimeClasses(); }
};

} // namespace

TEST_F(QzpkgPackages, NewThenInfoInTextAndJson) {
    // Every kind makes a package file that info reads back.
    for (const char* kind :
         {"strings", "images", "vars", "privileges", "display", "language", "setup"}) {
        const QString file = path(QString::fromLatin1(kind));
        ASSERT_EQ(qzpkg({"new", kind, file}).Exit, 0) << kind;
        const QJsonObject info =
            QJsonDocument::fromJson(qzpkg({"info", file, "--json"}).Out).object();
        EXPECT_EQ(info["kind"].toString(), QLatin1String(kind));
    }
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
    const QJsonObject info =
        QJsonDocument::fromJson(qzpkg({"info", path("app.pst"), "--json"}).Out).object();
    EXPECT_EQ(info["name"].toString(), QStringLiteral("Main"));
    EXPECT_EQ(info["description"].toString(), QStringLiteral("Main strings"));
    EXPECT_EQ(info["formatVersion"].toInt(), QzPkgFormatVersion);
    EXPECT_EQ(info["lists"].toObject()["Labels"].toInt(), 2);
    EXPECT_EQ(info["lists"].toObject()["Messages"].toInt(), 1);

    // "-" is standard output: the package goes there, what was done to standard error.
    const ToolRun piped = qzpkg({"new", "vars", "-", "--name", "Piped"});
    ASSERT_EQ(piped.Exit, 0) << piped.Err.data();
    EXPECT_TRUE(piped.Out.startsWith("QZPK"));
    EXPECT_TRUE(piped.Err.contains("Created a vars package 'Piped' in -")) << piped.Err.data();
    write("piped.pvr", piped.Out);
    EXPECT_EQ(QJsonDocument::fromJson(qzpkg({"info", path("piped.pvr"), "--json"}).Out)
                  .object()["name"]
                  .toString(),
              QStringLiteral("Piped"));
}

TEST_F(QzpkgPackages, StringsExportImportRoundTripsAnyText) {
    TQzPkgStrings pkg;
    pkg.Labels()->Add(3, QStringLiteral("Three"));
    pkg.Labels()->Add(1, QString(), QStringLiteral("hint only"));
    pkg.Labels()->Add(2, QStringLiteral(u"a, \"b\"\r\nc  ü"), QStringLiteral(" lead"));
    pkg.Labels()->FindId(3)->Protected = true;
    pkg.SaveToFile(path("s.pst"));

    ASSERT_EQ(qzpkg({"strings-export", path("s.pst"), "--labels", path("labels.txt")}).Exit, 0);
    const QList<QByteArray> lines = read("labels.txt").split('\n');
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
    const QByteArray before = read("s.pst");
    const struct {
        const char* Text;
        const char* Problem;
    } cases[] = {
        {"1,a\n2,b\nx,c\n", "in.txt:3: 'x' is not an id"},
        {"1,a\n1,b\n", "in.txt:2: the id 1 appears twice"},
        {"1,\"open\n", "in.txt:1:"},
        {"1,a,b\n", "in.txt:1: too many fields"},
        {"\n\n", "holds no items"},
    };
    for (const auto& c : cases) {
        write("in.txt", c.Text);
        const ToolRun run = qzpkg({"strings-import", path("s.pst"), "--texts", path("in.txt")});
        EXPECT_EQ(run.Exit, 1);
        EXPECT_TRUE(run.Err.contains(c.Problem)) << run.Err.data();
        EXPECT_EQ(read("s.pst"), before) << c.Text;
    }
}

TEST_F(QzpkgPackages, ImagesAddTakesPicturesOrNothing) {
    ASSERT_EQ(qzpkg({"new", "images", path("i.pim")}).Exit, 0);
    QImage red(6, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path("red.png")));
    ASSERT_TRUE(red.save(path("red.bmp")));
    write("junk.png", "not a picture");

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
}

TEST_F(QzpkgPackages, ImportsReportEveryBadLineAndReadAnyTextFile) {
    TQzPkgStrings pkg;
    pkg.Texts()->Add(1, QStringLiteral("one"));
    pkg.SaveToFile(path("s.pst"));
    const QByteArray before = read("s.pst");
    QByteArray bad;
    for (int i = 0; i < 150; ++i)
        bad += "x" + QByteArray::number(i) + ",text\n";
    write("bad.txt", "1,fine\n" + bad);
    const ToolRun run = qzpkg({"strings-import", path("s.pst"), "--texts", path("bad.txt")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains("bad.txt:2: 'x0' is not an id")) << run.Err.data();
    EXPECT_TRUE(run.Err.contains("bad.txt:101: 'x99' is not an id"));
    EXPECT_FALSE(run.Err.contains("bad.txt:102:"));
    EXPECT_TRUE(run.Err.contains("50 more bad lines"));
    EXPECT_EQ(read("s.pst"), before);

    // Windows-1252 text with lines ended by CR alone, as older tools write them.
    write("latin.txt", "1,Caf\xE9\r2,\x80 20\r");
    ASSERT_EQ(qzpkg({"strings-import", path("s.pst"), "--texts", path("latin.txt")}).Exit, 0);
    TQzPkgStrings back;
    back.LoadFromFile(path("s.pst"));
    ASSERT_EQ(back.Texts()->Count(), 2);
    EXPECT_EQ(back.Texts()->FindId(1)->Text(), QStringLiteral(u"Caf\u00E9"));
    EXPECT_EQ(back.Texts()->FindId(2)->Text(), QStringLiteral(u"\u20AC 20"));

    // An empty file empties the list only when asked to.
    write("empty.txt", "");
    EXPECT_EQ(qzpkg({"strings-import", path("s.pst"), "--texts", path("empty.txt")}).Exit, 1);
    ASSERT_EQ(
        qzpkg({"strings-import", path("s.pst"), "--texts", path("empty.txt"), "--allow-empty"})
            .Exit,
        0);
    back.LoadFromFile(path("s.pst"));
    EXPECT_EQ(back.Texts()->Count(), 0);
}

TEST_F(QzpkgPackages, StringsLiveInLanguageFilesAndFormsToo) {
    const QString demo = QStringLiteral(QZ_DEMO_DIR);
    for (const char* name : {"Demo.lan", "Orders.dfm", "Orders.pas", "Icons.pim"})
        ASSERT_TRUE(QFile::copy(demo + u'/' + QLatin1String(name), path(QLatin1String(name))));

    // A language file's User strings, named by --part.
    EXPECT_EQ(qzpkg({"strings-export", path("Demo.lan"), "--labels", path("l.txt")}).Exit, 2);
    ASSERT_EQ(
        qzpkg({"strings-export", path("Demo.lan"), "--part", "User", "--labels", path("user.txt")})
            .Exit,
        0);
    write("user.txt", read("user.txt") + "9001,Added\n");
    ASSERT_EQ(
        qzpkg({"strings-import", path("Demo.lan"), "--part=user", "--labels", path("user.txt")})
            .Exit,
        0);
    const ToolRun user =
        qzpkg({"strings-export", path("Demo.lan"), "--part", "User", "--labels", "-"});
    EXPECT_TRUE(user.Out.endsWith("9001,Added\n")) << user.Out.data();

    // The strings package kept in the orders form: only its data lines change.
    const QByteArray form = read("Orders.dfm");
    ASSERT_EQ(qzpkg({"strings-export", path("Orders.dfm"), "--package", "orders", "--labels",
                     path("orders.txt")})
                  .Exit,
              0);
    write("orders.txt", read("orders.txt") + "77,Seventy-seven\n");
    const ToolRun imported = qzpkg({"strings-import", path("Orders.dfm"), "--package", "Orders",
                                    "--labels", path("orders.txt")});
    ASSERT_EQ(imported.Exit, 0) << imported.Err.data();
    const QByteArray changed = read("Orders.dfm");
    const qsizetype data = form.indexOf("    PkgData = {");
    ASSERT_GT(data, 0);
    EXPECT_EQ(changed.left(data), form.left(data));
    const qsizetype after = form.indexOf('}', data);
    EXPECT_TRUE(changed.endsWith(form.mid(after + 1)));
    EXPECT_TRUE(
        qzpkg({"strings-export", path("Orders.dfm"), "--package", "Orders", "--labels", "-"})
            .Out.contains("77,Seventy-seven\n"));
    EXPECT_EQ(
        qzpkg({"strings-export", path("Orders.dfm"), "--package", "None", "--labels", "-"}).Exit,
        1);
    EXPECT_EQ(qzpkg({"strings-export", path("Orders.dfm"), "--labels", "-"}).Exit, 2);

    // Strings read from standard input can be exported; they have no file to be imported into.
    const auto piped = [this](const QStringList& args, const char* file) {
        return qzpkgWithInput(args, read(QString::fromLatin1(file)), Dir.path());
    };
    EXPECT_TRUE(piped({"strings-export", "-", "--package", "Orders", "--labels", "-"}, "Orders.dfm")
                    .Out.contains("77,Seventy-seven\n"));
    EXPECT_TRUE(piped({"strings-export", "-", "--part", "User", "--labels", "-"}, "Demo.lan")
                    .Out.endsWith("9001,Added\n"));
    EXPECT_EQ(piped({"strings-import", "-", "--package", "Orders", "--labels", path("orders.txt")},
                    "Orders.dfm")
                  .Exit,
              2);
    EXPECT_FALSE(QFileInfo::exists(path("-")));
    for (const QStringList& args : {QStringList{"vars-set", "-", "X", "Integer", "1"},
                                    QStringList{"images-add", "-", path("Icons.pim")},
                                    QStringList{"po-import", "-", path("x.po")}})
        EXPECT_EQ(qzpkg(args).Exit, 2) << args.join(u' ').toStdString();

    // Any other kind says what it holds.
    const ToolRun images = qzpkg({"strings-export", path("Icons.pim"), "--labels", "-"});
    EXPECT_EQ(images.Exit, 1);
    EXPECT_TRUE(images.Err.contains("holds an images package, not strings")) << images.Err.data();
}
