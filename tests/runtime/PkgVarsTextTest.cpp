// Vars packages as text: values read as a person types them, the listing, and the JSON form that
// scripts read and write, which must bring every value back exactly and refuse a bad file whole.

#include "PkgTestSupport.h"
#include "QzPkgVars.h"
#include "QzPkgVarsText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

using V = TQzPkgVarsItem;

class PkgVarsText : public PkgTest {
protected:
    // A package with every type, nesting and the floats a JSON number cannot hold.
    void fill(TQzPkgVars& pkg) {
        pkg.SetPkgName("Settings");
        pkg.Add("App", V::vtFolder);
        pkg.Add("App\\Title", V::vtString)->SetVString("Line \"one\"\n\ttab\\slash");
        pkg.Add("App\\Count", V::vtInteger)->SetVInteger(std::numeric_limits<int>::min());
        pkg.Add("App\\Empty", V::vtFolder);
        pkg.Add("App\\Deep", V::vtFolder);
        pkg.Add("App\\Deep\\On", V::vtBoolean)->SetVBoolean(true);
        const double floats[] = {0.1,
                                 -0.0,
                                 1e300,
                                 5e-324,
                                 123456789.0,
                                 std::nan(""),
                                 -std::numeric_limits<double>::infinity(),
                                 1.0 / 3};
        for (std::size_t i = 0; i < std::size(floats); ++i)
            pkg.Add(QStringLiteral("F%1").arg(i), V::vtFloat)->SetVFloat(floats[i]);
        pkg.Add(QStringLiteral(u"Ünïcode €"), V::vtString)->SetVString(QStringLiteral(u"\u2603"));
    }
};

} // namespace

TEST_F(PkgVarsText, ValueTextsReadAsTheirTypeReadsThem) {
    const struct {
        V::TQzPkgVarsItemType Type;
        QString Text;
        bool Valid;
    } cases[] = {
        {V::vtBoolean, "true", true}, {V::vtBoolean, "FALSE", true},
        {V::vtBoolean, "yes", false}, {V::vtBoolean, " true", false},
        {V::vtInteger, "-12", true},  {V::vtInteger, " 7 ", true},
        {V::vtInteger, "1.5", false}, {V::vtInteger, "2147483648", false},
        {V::vtInteger, "", false},    {V::vtFloat, "1e-5", true},
        {V::vtFloat, "+2.5", true},   {V::vtFloat, "nan", true},
        {V::vtFloat, "1,5", false},   {V::vtFloat, "", false},
        {V::vtString, "", true},      {V::vtFolder, "x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QzPkgVarsValueTextValid(c.Type, c.Text), c.Valid) << c.Text.toStdString();

    TQzPkgVars pkg;
    TQzPkgVarsItem* count = pkg.Add("Count", V::vtInteger);
    QzPkgVarsSetValueText(count, "42");
    EXPECT_EQ(QzPkgVarsValueText(count), "42");
    EXPECT_THROW(QzPkgVarsSetValueText(count, "x"), EQzError);
    EXPECT_EQ(count->VInteger(), 42);
    TQzPkgVarsItem* ratio = pkg.Add("Ratio", V::vtFloat);
    QzPkgVarsSetValueText(ratio, "0.30000000000000004");
    EXPECT_EQ(ratio->VFloat(), 0.1 + 0.2);
    EXPECT_EQ(QzPkgVarsValueText(ratio), "0.30000000000000004");
}

TEST_F(PkgVarsText, TheListingShowsPathsTypesAndQuotedStrings) {
    TQzPkgVars pkg;
    pkg.Add("App", V::vtFolder);
    pkg.Add("App\\Title", V::vtString)->SetVString("a\"b\nc");
    pkg.Add("App\\On", V::vtBoolean)->SetVBoolean(true);
    pkg.Add("Ratio", V::vtFloat)->SetVFloat(0.25);
    EXPECT_EQ(QzPkgVarsListing(pkg), "App\tFolder\n"
                                     "App\\Title\tString\t\"a\\\"b\\nc\"\n"
                                     "App\\On\tBoolean\tTrue\n"
                                     "Ratio\tFloat\t0.25\n");
}

TEST_F(PkgVarsText, JsonBringsEveryValueBackExactly) {
    TQzPkgVars pkg;
    fill(pkg);
    const QByteArray json = QzPkgVarsToJson(pkg);
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(root["name"].toString(), "Settings");
    const QJsonArray items = root["items"].toArray();
    EXPECT_EQ(items[0].toObject(), (QJsonObject{{"path", "App"}, {"type", "Folder"}}));
    EXPECT_EQ(items[2].toObject()["value"].toDouble(), std::numeric_limits<int>::min());
    // Keys come sorted, so the text is the same for the same package every time.
    EXPECT_LT(json.indexOf("\"path\""), json.indexOf("\"type\""));
    EXPECT_LT(json.indexOf("\"type\""), json.indexOf("\"value\""));

    TQzPkgVars back;
    back.SetPkgName("Settings");
    back.Add("Gone", V::vtString);
    back.Data()->FEditorLeft = 17;
    QzPkgVarsFromJson(back, json, "x.json");
    EXPECT_EQ(QzPkgVarsToJson(back), json);
    EXPECT_EQ(back.Find("Gone"), nullptr);
    // The editor's place is not content: it stays.
    EXPECT_EQ(back.Data()->FEditorLeft, 17);
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("F%1").arg(i);
        const double want = pkg.Find(name)->VFloat();
        const double got = back.Find(name)->VFloat();
        EXPECT_EQ(std::memcmp(&want, &got, sizeof want), 0) << name.toStdString();
    }
    EXPECT_EQ(back.Find("App\\Title")->VString(), pkg.Find("App\\Title")->VString());
}

TEST_F(PkgVarsText, ABadJsonFileIsRefusedWholeNamingTheEntry) {
    const struct {
        QByteArray Json;
        QString Message;
    } cases[] = {
        {"{\"items\": [", "not JSON at offset"},
        {"[1, 2]", "expected an object"},
        {"{\"items\": {}}", "\"items\" must be an array"},
        {"{\"items\": [], \"extra\": 1}", "unknown key \"extra\""},
        {"{\"items\": [7]}", "item 1: an item is an object"},
        {"{\"items\": [{\"path\": 1, \"type\": \"Folder\"}]}", "item 1: \"path\" must be a string"},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Folder\", \"size\": 2}]}",
         "item 1: unknown key \"size\""},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Date\", \"value\": 1}]}",
         "item 1: \"A\": \"type\" must be one of"},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Integer\"}]}",
         "item 1: \"A\": a variable needs a \"value\""},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"folder\", \"value\": 1}]}",
         "item 1: \"A\": a folder has no \"value\""},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Integer\", \"value\": 1.5}]}",
         "item 1: \"A\": \"value\" is not a value of type Integer"},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Integer\", \"value\": 3000000000}]}",
         "\"value\" is not a value of type Integer"},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Boolean\", \"value\": \"true\"}]}",
         "\"value\" is not a value of type Boolean"},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Float\", \"value\": \"1,5\"}]}",
         "\"value\" is not a value of type Float"},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"String\", \"value\": null}]}",
         "\"value\" is not a value of type String"},
        {"{\"items\": [{\"path\": \"A\\\\B\", \"type\": \"String\", \"value\": \"\"}]}",
         "item 1: \"A\\B\": There is no folder \"A\""},
        {"{\"items\": [{\"path\": \"A\", \"type\": \"Folder\"}, "
         "{\"path\": \"a\", \"type\": \"String\", \"value\": \"\"}]}",
         "item 2: \"a\": There is already an item named \"A\""},
        {"{\"items\": [{\"path\": \"\", \"type\": \"String\", \"value\": \"\"}]}",
         "cannot be empty"},
    };
    for (const auto& c : cases) {
        TQzPkgVars pkg;
        pkg.Add("Kept", V::vtInteger)->SetVInteger(5);
        const QByteArray before = pkg.ContentBytes();
        try {
            QzPkgVarsFromJson(pkg, c.Json, "in.json");
            ADD_FAILURE() << "accepted " << c.Json.toStdString();
        } catch (const EQzError& e) {
            EXPECT_TRUE(e.Message().startsWith("in.json")) << e.Message().toStdString();
            EXPECT_TRUE(e.Message().contains(c.Message))
                << e.Message().toStdString() << " / " << c.Message.toStdString();
        }
        EXPECT_EQ(pkg.ContentBytes(), before) << c.Json.toStdString();
    }

    // Folders nested deeper than a package holds are refused too.
    QJsonArray deep;
    QString path;
    for (int level = 0; level <= QzPkgVarsMaxDepth; ++level) {
        path += (level ? QStringLiteral("\\") : QString()) + QStringLiteral("L");
        deep.append(QJsonObject{{"path", path}, {"type", "Folder"}});
    }
    TQzPkgVars pkg;
    EXPECT_THROW(
        QzPkgVarsFromJson(pkg, QJsonDocument(QJsonObject{{"items", deep}}).toJson(), "deep.json"),
        EQzError);
    EXPECT_EQ(pkg.Items()->Count(), 0);
}
