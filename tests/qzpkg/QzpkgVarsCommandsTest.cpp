// qzpkg's vars commands on real package files: the listing and the JSON form, a content replaced
// from JSON and one variable set, and inputs and targets that are refused with the file left as
// it was.

#include "QzPkgVars.h"
#include "QzRuntime.h"
#include "QzpkgRun.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <memory>

namespace {

using V = TQzPkgVarsItem;

class QzpkgVars : public QzpkgTest {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        TQzPkgVars pkg;
        pkg.SetPkgName("Settings");
        pkg.SetDescription("kept");
        pkg.Add("App", V::vtFolder);
        pkg.Add("App\\Title", V::vtString)->SetVString("Demo\tapp");
        pkg.Add("App\\Port", V::vtInteger)->SetVInteger(8080);
        pkg.Add("Ratio", V::vtFloat)->SetVFloat(0.1);
        pkg.Add("Debug", V::vtBoolean);
        pkg.SaveToFile(path("app.pvr"));
    }

    std::unique_ptr<TQzPkgVars> loaded(const QString& name) {
        auto pkg = std::make_unique<TQzPkgVars>();
        pkg->LoadFromFile(path(name));
        return pkg;
    }
};

} // namespace

TEST_F(QzpkgVars, ExportListsTheTreeAsTextAndAsJson) {
    const ToolRun text = qzpkg({"vars-export", path("app.pvr")});
    ASSERT_EQ(text.Exit, 0) << text.Err.data();
    EXPECT_EQ(text.Out, "App\tFolder\n"
                        "App\\Title\tString\t\"Demo\\tapp\"\n"
                        "App\\Port\tInteger\t8080\n"
                        "Ratio\tFloat\t0.1\n"
                        "Debug\tBoolean\tFalse\n");
    const ToolRun json = qzpkg({"vars-export", path("app.pvr"), "--json"});
    ASSERT_EQ(json.Exit, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.Out).object();
    EXPECT_EQ(root["name"].toString(), "Settings");
    EXPECT_EQ(root["items"].toArray()[2].toObject(),
              (QJsonObject{{"path", "App\\Port"}, {"type", "Integer"}, {"value", 8080}}));
    // The same package prints the same text every time, from standard input too.
    EXPECT_EQ(qzpkg({"vars-export", path("app.pvr"), "--json"}).Out, json.Out);
    EXPECT_EQ(qzpkgWithInput({"vars-export", "-", "--json"}, read("app.pvr"), Dir.path()).Out,
              json.Out);

    // Not a vars package, not a package, no file: refused with the reason.
    ASSERT_EQ(qzpkg({"new", "strings", path("s.pst")}).Exit, 0);
    const ToolRun strings = qzpkg({"vars-export", path("s.pst")});
    EXPECT_EQ(strings.Exit, 1);
    EXPECT_TRUE(strings.Err.contains("not a vars package")) << strings.Err.data();
    EXPECT_EQ(qzpkg({"vars-export", path("none.pvr")}).Exit, 1);
    EXPECT_EQ(qzpkg({"vars-export"}).Exit, 2);
    EXPECT_EQ(qzpkg({"vars-export", path("app.pvr"), "--xml"}).Exit, 2);
    EXPECT_EQ(qzpkg({"vars-export", "--help"}).Exit, 0);
}

TEST_F(QzpkgVars, ImportReplacesTheContentAndKeepsFloatsExact) {
    QJsonArray items{
        QJsonObject{{"path", "Net"}, {"type", "folder"}},
        QJsonObject{{"path", "Net\\Timeout"}, {"type", "FLOAT"}, {"value", 1.0 / 3}},
        QJsonObject{{"path", "Net\\Tiny"}, {"type", "Float"}, {"value", 5e-324}},
        QJsonObject{{"path", "Net\\Odd"}, {"type", "Float"}, {"value", "-0"}},
        QJsonObject{{"path", "Net\\None"}, {"type", "Float"}, {"value", "nan"}},
        QJsonObject{{"path", "Net\\Host"}, {"type", "String"}, {"value", "example.org"}},
        QJsonObject{{"path", "On"}, {"type", "Boolean"}, {"value", true}},
    };
    write("in.json", QJsonDocument(QJsonObject{{"items", items}}).toJson());
    const ToolRun run = qzpkg({"vars-import", path("app.pvr"), path("in.json")});
    ASSERT_EQ(run.Exit, 0) << run.Err.data();
    EXPECT_EQ(run.Out, "Imported 7 item(s) into " + path("app.pvr").toUtf8() + "\n");

    const std::unique_ptr<TQzPkgVars> pkg = loaded("app.pvr");
    EXPECT_EQ(pkg->Find("App"), nullptr);
    EXPECT_EQ(pkg->Find("Net\\Timeout")->VFloat(), 1.0 / 3);
    EXPECT_EQ(pkg->Find("Net\\Tiny")->VFloat(), 5e-324);
    EXPECT_TRUE(std::signbit(pkg->Find("Net\\Odd")->VFloat()));
    EXPECT_TRUE(std::isnan(pkg->Find("Net\\None")->VFloat()));
    EXPECT_TRUE(pkg->Find("On")->VBoolean());
    EXPECT_EQ(pkg->Description(), "kept");

    // What export writes, import reads back to the same export.
    const QByteArray exported = qzpkg({"vars-export", path("app.pvr"), "--json"}).Out;
    write("again.json", exported);
    ASSERT_EQ(qzpkg({"vars-import", path("app.pvr"), path("again.json")}).Exit, 0);
    EXPECT_EQ(qzpkg({"vars-export", path("app.pvr"), "--json"}).Out, exported);
}

TEST_F(QzpkgVars, BadJsonAndUnwritableTargetsLeaveTheFileAsItWas) {
    const QByteArray before = read("app.pvr");
    const struct {
        QByteArray Json;
        QByteArray Message;
    } cases[] = {
        {"{\"items\": [{\"path\": \"A\"", "not JSON at offset"},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Folder\"}, "
         "{\"path\": \"A\\\\B\\\\C\", \"type\": \"Integer\", \"value\": 1}]}",
         "item 2: \"A\\B\\C\": There is no folder \"A\\B\""},
        {"{\"items\": [{\"path\": \"X\", \"type\": \"Integer\", \"value\": \"12\"}]}",
         "item 1: \"X\": \"value\" is not a value of type Integer"},
    };
    for (const auto& c : cases) {
        write("bad.json", c.Json);
        const ToolRun run = qzpkg({"vars-import", path("app.pvr"), path("bad.json")});
        EXPECT_EQ(run.Exit, 1) << c.Json.data();
        EXPECT_TRUE(run.Err.contains(c.Message)) << run.Err.data();
        EXPECT_TRUE(run.Err.contains("is left as it was")) << run.Err.data();
        EXPECT_EQ(read("app.pvr"), before);
    }
    EXPECT_EQ(qzpkg({"vars-import", path("app.pvr"), path("missing.json")}).Exit, 1);

    // A read-only file, and a file in a folder nobody may write to, as a user they bind.
    write("good.json", "{\"items\": []}");
    ASSERT_TRUE(QFile::setPermissions(path("app.pvr"), QFileDevice::Permissions(0x4444)));
    ASSERT_TRUE(QFile::setPermissions(Dir.path(), QFileDevice::Permissions(0x7777)));
    ASSERT_TRUE(QFile::setPermissions(path("good.json"), QFileDevice::Permissions(0x4444)));
    ToolRun run = qzpkgUnprivileged({"vars-import", path("app.pvr"), path("good.json")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains("is read-only")) << run.Err.data();
    run = qzpkgUnprivileged({"vars-set", path("app.pvr"), "Debug", "Boolean", "true"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(read("app.pvr"), before);

    ASSERT_TRUE(QDir(Dir.path()).mkdir("locked"));
    ASSERT_TRUE(QFile::copy(path("app.pvr"), path("locked/app.pvr")));
    ASSERT_TRUE(QFile::setPermissions(path("locked/app.pvr"), QFileDevice::Permissions(0x6666)));
    ASSERT_TRUE(QFile::setPermissions(path("locked"), QFileDevice::Permissions(0x5555)));
    run = qzpkgUnprivileged({"vars-import", path("locked/app.pvr"), path("good.json")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains("Cannot write")) << run.Err.data();
    EXPECT_EQ(read("locked/app.pvr"), before);
    ASSERT_TRUE(QFile::setPermissions(path("locked"), QFileDevice::Permissions(0x7777)));
}

TEST_F(QzpkgVars, SetChangesOrAddsOneVariable) {
    const struct {
        QStringList Args;
        QByteArray Out;
    } cases[] = {
        {{"App\\Port", "integer", "-1"}, "Set App\\Port\tInteger\t-1\n"},
        {{"Ratio", "Float", "0.30000000000000004"}, "Set Ratio\tFloat\t0.30000000000000004\n"},
        {{"Debug", "String", "maybe"}, "Set Debug\tString\t\"maybe\"\n"},
        {{"App\\Retries", "Integer", "3"}, "Added App\\Retries\tInteger\t3\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = qzpkg(QStringList{"vars-set", path("app.pvr")} + c.Args);
        EXPECT_EQ(run.Exit, 0) << run.Err.data();
        EXPECT_EQ(run.Out, c.Out);
    }
    const std::unique_ptr<TQzPkgVars> pkg = loaded("app.pvr");
    EXPECT_EQ(pkg->Find("App\\Port")->VInteger(), -1);
    EXPECT_EQ(pkg->Find("Ratio")->VFloat(), 0.1 + 0.2);
    EXPECT_EQ(pkg->Find("Debug")->VString(), "maybe");
    EXPECT_EQ(pkg->Find("App\\Retries")->VInteger(), 3);

    const QByteArray before = read("app.pvr");
    const struct {
        QStringList Args;
        int Exit;
        QByteArray Message;
    } refused[] = {
        {{"App", "String", "x"}, 1, "is a folder"},
        {{"Nope\\X", "String", "x"}, 1, "There is no folder"},
        {{"App\\Port", "Integer", "ten"}, 1, "\"ten\" is not a value of type Integer"},
        {{"App\\Port", "Folder", "x"}, 2, "TYPE is one of"},
        {{"App\\Port", "Integer"}, 2, "expected FILE PATH TYPE VALUE"},
    };
    for (const auto& c : refused) {
        const ToolRun run = qzpkg(QStringList{"vars-set", path("app.pvr")} + c.Args);
        EXPECT_EQ(run.Exit, c.Exit) << c.Args.join(u' ').toStdString();
        EXPECT_TRUE(run.Err.contains(c.Message)) << run.Err.data();
    }
    EXPECT_EQ(read("app.pvr"), before);
}
