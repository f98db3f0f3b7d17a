// Vars packages through the eyes of their callers: the vars editor, value editors and the form
// streams.

#include "BinaryForm.h"
#include "ComponentStreams.h"
#include "Controls.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgVars.h"

#include <bit>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>

namespace {

using V = TQzPkgVarsItem;

double fromBits(quint64 bits) {
    return std::bit_cast<double>(bits);
}

// Every item in package order, one line each: level, name, type and the exact value.
QStringList dump(const TQzPkgVarsItems* items, int level = 0) {
    QStringList lines;
    for (const TQzPkgVarsItem* item = items->First(); item; item = item->Next()) {
        QString value;
        switch (item->ItemType()) {
        case V::vtBoolean:
            value = item->VBoolean() ? QStringLiteral("true") : QStringLiteral("false");
            break;
        case V::vtInteger:
            value = QString::number(item->VInteger());
            break;
        case V::vtFloat:
            value = QString::number(std::bit_cast<quint64>(item->VFloat()), 16);
            break;
        case V::vtString:
            value = item->VString();
            break;
        case V::vtFolder:
            break;
        }
        lines.push_back(QStringLiteral("%1 [%2] %3 = %4")
                            .arg(level)
                            .arg(item->Ident())
                            .arg(int(item->ItemType()))
                            .arg(value));
        if (item->Children())
            lines += dump(item->Children(), level + 1);
    }
    return lines;
}

const QString DeepFolder = [] {
    QStringList names;
    for (int level = 1; level <= QzPkgVarsMaxDepth; ++level)
        names.push_back(QStringLiteral("L%1").arg(level));
    return names.join(u'\\');
}();

// Every type with its edge values, names with blanks, siblings out of alphabetical order and
// folders as deep as they may go.
void fill(TQzPkgVars& pkg) {
    pkg.Add(QStringLiteral("zeta"), V::vtBoolean)->SetVBoolean(true);
    pkg.Add(QStringLiteral("Alpha"), V::vtBoolean);
    pkg.Add(QStringLiteral("Numbers"), V::vtFolder);
    pkg.Add(QStringLiteral("Numbers\\min"), V::vtInteger)->SetVInteger(INT_MIN);
    pkg.Add(QStringLiteral("Numbers\\max"), V::vtInteger)->SetVInteger(INT_MAX);
    pkg.Add(QStringLiteral("Numbers\\minus one"), V::vtInteger)->SetVInteger(-1);
    pkg.Add(QStringLiteral("Numbers\\zero"), V::vtInteger);
    const double floats[] = {0.1,
                             -0.0,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             fromBits(0x7FF8000000000ABCull),  // NaN with a payload
                             fromBits(0xFFF8000000000001ull),  // negative NaN
                             fromBits(0x7FF0000000000001ull)}; // signalling NaN
    pkg.Add(QStringLiteral("Numbers\\Floats"), V::vtFolder);
    for (std::size_t i = 0; i < std::size(floats); ++i)
        pkg.Add(QStringLiteral("Numbers\\Floats\\f%1").arg(i), V::vtFloat)->SetVFloat(floats[i]);
    pkg.Add(QStringLiteral(" with blanks "), V::vtFolder);
    pkg.Add(QStringLiteral(" with blanks \\empty"), V::vtString);
    pkg.Add(QStringLiteral(" with blanks \\Grüße 🌍"), V::vtString)
        ->SetVString(QStringLiteral(u"Zeile 1\r\nZeile 2\t'quoted' 🌍"));
    pkg.Add(QStringLiteral(" with blanks \\long"), V::vtString)->SetVString(QString(70000, u'x'));
    pkg.Add(QStringLiteral("Empty folder"), V::vtFolder);

    QString path;
    for (const QString& name : DeepFolder.split(u'\\')) {
        path += (path.isEmpty() ? QString() : QStringLiteral("\\")) + name;
        pkg.Add(path, V::vtFolder);
    }
    pkg.Add(DeepFolder.section(u'\\', 0, -2) + QStringLiteral("\\leaf"), V::vtInteger)
        ->SetVInteger(7);
}

QByteArray varsFile(const TFormObject& content) {
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Vars;
    return QzBuildPkgFile(header, WriteBinaryForm(content));
}

TFormValue emptyCollection() {
    TFormValue list;
    list.kind = TFormValue::Collection;
    return list;
}

TFormProperty* findProperty(std::vector<TFormProperty>& properties, const QString& name) {
    for (TFormProperty& p : properties)
        if (p.Name == name)
            return &p;
    return nullptr;
}

// A folder chain `levels` deep, as the stream of a file would hold it.
TFormValue folderChain(int levels) {
    TFormCollectionItem item;
    item.Properties.push_back({QStringLiteral("Ident"), TFormValue::makeString("F")});
    item.Properties.push_back({QStringLiteral("ItemType"), TFormValue::makeIdent("vtFolder")});
    if (levels > 1)
        item.Properties.push_back({QStringLiteral("Items"), folderChain(levels - 1)});
    TFormValue list = emptyCollection();
    list.Items.push_back(std::move(item));
    return list;
}

class PkgVars : public PkgTest {
protected:
    // Writes `content` as a vars package file and expects loading it to fail with `problem`,
    // leaving `pkg` as it was.
    void expectRefused(TQzPkgVars& pkg, const TFormObject& content, const std::string& problem) {
        writeBytes(QStringLiteral("bad.pvr"), varsFile(content));
        const QByteArray before = pkg.ContentBytes();
        const std::string message =
            errorOf([&] { pkg.LoadFromFile(path(QStringLiteral("bad.pvr"))); });
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_EQ(pkg.ContentBytes(), before);
    }
};

} // namespace

TEST_F(PkgVars, PathsFindItemsCaseInsensitively) {
    TQzPkgVars pkg;
    TQzPkgVarsItem* app = pkg.Add(QStringLiteral("App"), V::vtFolder);
    TQzPkgVarsItem* size = pkg.Add(QStringLiteral("App\\Window Size"), V::vtInteger);
    TQzPkgVarsItem* anger = pkg.Add(QStringLiteral(u"App\\Ärger"), V::vtString);
    TQzPkgVarsItem* top = pkg.Add(QStringLiteral("Top"), V::vtBoolean);

    EXPECT_EQ(pkg.Find(QStringLiteral("app\\WINDOW SIZE")), size);
    EXPECT_EQ(pkg.Find(QStringLiteral(u"APP\\ÄRGER")), anger);
    EXPECT_EQ(pkg.Find(QStringLiteral("App")), app);
    for (const char* missing : {"", "App\\", "\\App", "Top\\x", "Nope", "App\\Window"})
        EXPECT_EQ(pkg.Find(QString::fromUtf8(missing)), nullptr) << missing;

    EXPECT_EQ(size->Path(), QStringLiteral("App\\Window Size"));
    EXPECT_EQ(size->Parent(), app);
    EXPECT_EQ(pkg.Items()->First(), app);
    EXPECT_EQ(app->Next(), top);
    EXPECT_EQ(top->Next(), nullptr);
    EXPECT_EQ(size->Next(), anger);

    // A rename in another case keeps the item findable under its new spelling.
    app->SetIdent(QStringLiteral("APP"));
    EXPECT_EQ(pkg.Find(QStringLiteral("app\\window size")), size);
    size->SetIdent(QStringLiteral("Height"));
    EXPECT_EQ(pkg.Find(QStringLiteral("App\\Window Size")), nullptr);
    EXPECT_EQ(pkg.Find(QStringLiteral("App\\height")), size);

    // Freeing a folder takes its items with it and frees their names.
    delete app;
    EXPECT_EQ(pkg.Items()->Count(), 1);
    EXPECT_EQ(pkg.Find(QStringLiteral("App\\Height")), nullptr);
    EXPECT_EQ(pkg.Find(QStringLiteral("App")), nullptr);
    EXPECT_EQ(pkg.Add(QStringLiteral("app"), V::vtString)->Path(), QStringLiteral("app"));
}

TEST_F(PkgVars, RefusedAddsAndRenamesChangeNothing) {
    TQzPkgVars pkg;
    pkg.Add(QStringLiteral("App"), V::vtFolder);
    TQzPkgVarsItem* size = pkg.Add(QStringLiteral("App\\Size"), V::vtInteger);
    TQzPkgVarsItem* top = pkg.Add(QStringLiteral("Top"), V::vtBoolean);
    const QByteArray before = pkg.ContentBytes();

    auto add = [&](const char* path, TQzPkgVarsItemType type = V::vtString) {
        return errorOf([&] { pkg.Add(QString::fromUtf8(path), type); });
    };
    EXPECT_EQ(add("Missing\\x"), "There is no folder \"Missing\"");
    EXPECT_EQ(add("Top\\x"), "\"Top\" is a variable, not a folder");
    EXPECT_EQ(add("app\\SIZE"), "There is already an item named \"Size\" in the folder \"App\"");
    EXPECT_EQ(add("TOP"), "There is already an item named \"Top\" at the top level");
    EXPECT_EQ(add(""), "The name of a variable or folder cannot be empty");
    EXPECT_EQ(add("App\\"), "The name of a variable or folder cannot be empty");
    EXPECT_EQ(add("App\\  "), "The name of a variable or folder cannot be empty");
    EXPECT_EQ(add("App\\\\x"), "There is no folder \"App\\\"");
    EXPECT_EQ(add("x", TQzPkgVarsItemType(7)), "7 is not a type of variable");

    EXPECT_EQ(errorOf([&] { size->SetIdent(QStringLiteral("a\\b")); }),
              "The name \"a\\b\" cannot contain \"\\\": it separates the folders of a path");
    EXPECT_EQ(errorOf([&] { top->SetIdent(QStringLiteral("app")); }),
              "There is already an item named \"App\" at the top level");
    EXPECT_EQ(errorOf([&] { top->SetIdent(QString()); }),
              "The name of a variable or folder cannot be empty");
    EXPECT_EQ(errorOf([&] { size->SetVString(QStringLiteral("x")); }),
              "The variable \"App\\Size\" is of type Integer, not String");
    EXPECT_EQ(errorOf([&] { pkg.Find(QStringLiteral("App"))->SetVBoolean(true); }),
              "\"App\" is a folder and holds no value");

    // Only an empty folder becomes a variable: its items are never dropped on the way.
    EXPECT_EQ(errorOf([&] { pkg.Find(QStringLiteral("App"))->SetItemType(V::vtInteger); }),
              "The folder \"App\" holds 1 item(s); only an empty folder can become a variable");
    EXPECT_EQ(pkg.ContentBytes(), before);
    EXPECT_EQ(pkg.Find(QStringLiteral("App\\Size")), size);

    // Folders stop where the streams could no longer read them back.
    QString path;
    for (const QString& name : DeepFolder.split(u'\\')) {
        path += (path.isEmpty() ? QString() : QStringLiteral("\\")) + name;
        pkg.Add(path, V::vtFolder);
    }
    const QByteArray deep = pkg.ContentBytes();
    EXPECT_EQ(errorOf([&] { pkg.Add(DeepFolder + QStringLiteral("\\x"), V::vtInteger); }),
              QStringLiteral("Folders nest at most 100 levels deep; \"%1\\x\" would be deeper")
                  .arg(DeepFolder)
                  .toStdString());
    EXPECT_EQ(pkg.ContentBytes(), deep);
}

TEST_F(PkgVars, TypeChangesKeepWhatConverts) {
    TQzPkgVars pkg;
    int n = 0;
    // A new variable of type `from` holding `set`, changed to `to`.
    auto convert = [&](TQzPkgVarsItemType from, const auto& set, TQzPkgVarsItemType to) {
        TQzPkgVarsItem* item = pkg.Add(QStringLiteral("v%1").arg(++n), from);
        set(item);
        item->SetItemType(to);
        EXPECT_EQ(item->ItemType(), to);
        return item;
    };
    auto integer = [](int v) {
        return [v](V* i) {
            i->SetVInteger(v);
        };
    };
    auto real = [](double v) {
        return [v](V* i) {
            i->SetVFloat(v);
        };
    };
    auto text = [](const char* v) {
        return [v](V* i) {
            i->SetVString(QString::fromUtf8(v));
        };
    };
    auto boolean = [](bool v) {
        return [v](V* i) {
            i->SetVBoolean(v);
        };
    };

    EXPECT_EQ(convert(V::vtInteger, integer(42), V::vtFloat)->VFloat(), 42.0);
    EXPECT_EQ(convert(V::vtInteger, integer(-42), V::vtString)->VString(), QStringLiteral("-42"));
    EXPECT_TRUE(convert(V::vtInteger, integer(3), V::vtBoolean)->VBoolean());
    EXPECT_FALSE(convert(V::vtInteger, integer(0), V::vtBoolean)->VBoolean());

    EXPECT_EQ(convert(V::vtFloat, real(2.6), V::vtInteger)->VInteger(), 3);
    EXPECT_EQ(convert(V::vtFloat, real(-2.5), V::vtInteger)->VInteger(), -3);
    EXPECT_EQ(convert(V::vtFloat, real(1e12), V::vtInteger)->VInteger(), 0);
    EXPECT_EQ(convert(V::vtFloat, real(NAN), V::vtInteger)->VInteger(), 0);
    EXPECT_FALSE(convert(V::vtFloat, real(NAN), V::vtBoolean)->VBoolean());
    EXPECT_TRUE(convert(V::vtFloat, real(-0.5), V::vtBoolean)->VBoolean());
    // Float to text and back gives the same double.
    TQzPkgVarsItem* tenth = convert(V::vtFloat, real(0.1), V::vtString);
    EXPECT_EQ(tenth->VString(), QStringLiteral("0.1"));
    tenth->SetItemType(V::vtFloat);
    EXPECT_EQ(tenth->VFloat(), 0.1);
    TQzPkgVarsItem* infinite = convert(V::vtFloat, real(-INFINITY), V::vtString);
    infinite->SetItemType(V::vtFloat);
    EXPECT_EQ(infinite->VFloat(), -INFINITY);

    EXPECT_EQ(convert(V::vtString, text(" 12 "), V::vtInteger)->VInteger(), 12);
    EXPECT_EQ(convert(V::vtString, text("1e3"), V::vtInteger)->VInteger(), 1000);
    EXPECT_EQ(convert(V::vtString, text("abc"), V::vtInteger)->VInteger(), 0);
    EXPECT_EQ(convert(V::vtString, text("-7.25"), V::vtFloat)->VFloat(), -7.25);
    EXPECT_EQ(convert(V::vtString, text("abc"), V::vtFloat)->VFloat(), 0.0);
    EXPECT_TRUE(convert(V::vtString, text("TRUE"), V::vtBoolean)->VBoolean());
    EXPECT_FALSE(convert(V::vtString, text("yes"), V::vtBoolean)->VBoolean());

    EXPECT_EQ(convert(V::vtBoolean, boolean(true), V::vtInteger)->VInteger(), 1);
    EXPECT_EQ(convert(V::vtBoolean, boolean(true), V::vtString)->VString(), QStringLiteral("True"));
    EXPECT_EQ(convert(V::vtBoolean, boolean(false), V::vtFloat)->VFloat(), 0.0);

    // Folders and variables turn into each other, starting from the defaults.
    TQzPkgVarsItem* folder = convert(V::vtInteger, integer(5), V::vtFolder);
    EXPECT_EQ(folder->VInteger(), 0);
    pkg.Add(folder->Path() + QStringLiteral("\\inside"), V::vtString);
    delete folder->Children()->First();
    folder->SetItemType(V::vtString);
    EXPECT_EQ(folder->Children(), nullptr);
    EXPECT_EQ(folder->VString(), QString());
}

TEST_F(PkgVars, FileRoundTripKeepsOrderTypesAndValuesExactly) {
    TQzPkgVars pkg;
    fill(pkg);
    pkg.SetDescription(QStringLiteral("Settings"));
    pkg.Data()->FEditorLeft = 12;
    pkg.Data()->FEditorState = 2;
    pkg.SaveToFile(path(QStringLiteral("vars.pvr")));
    EXPECT_EQ(QzReadPkgVarsDescription(path(QStringLiteral("vars.pvr"))),
              QStringLiteral("Settings"));

    TQzPkgVars copy;
    copy.Add(QStringLiteral("replaced"), V::vtString);
    copy.LoadFromFile(path(QStringLiteral("vars.pvr")));
    const QStringList lines = dump(copy.Items());
    EXPECT_EQ(lines, dump(pkg.Items()));
    EXPECT_EQ(lines.front(), QStringLiteral("0 [zeta] 0 = true"));
    EXPECT_TRUE(lines.contains(QStringLiteral("2 [f7] 2 = 7ff8000000000abc")));
    EXPECT_TRUE(lines.contains(QStringLiteral("2 [f9] 2 = 7ff0000000000001")));
    EXPECT_TRUE(lines.contains(QStringLiteral("1 [min] 1 = -2147483648")));
    EXPECT_EQ(copy.Find(DeepFolder)->Path(), DeepFolder);
    EXPECT_EQ(copy.ContentBytes(), pkg.ContentBytes());
    EXPECT_EQ(copy.Data()->FEditorLeft, 12);
    EXPECT_EQ(copy.Data()->FEditorState, 2);

    // The loaded names are indexed like added ones.
    EXPECT_EQ(copy.Find(QStringLiteral(u" WITH BLANKS \\grüße 🌍"))->VString().left(7),
              QStringLiteral("Zeile 1"));
    EXPECT_NE(errorOf([&] { copy.Add(QStringLiteral("NUMBERS\\MAX"), V::vtInteger); }), "no error");

    // Clearing empties the tree and keeps where the editor was.
    copy.Clear();
    EXPECT_EQ(copy.Items()->Count(), 0);
    EXPECT_EQ(copy.Find(QStringLiteral("zeta")), nullptr);
    EXPECT_EQ(copy.Data()->FEditorLeft, 12);
}

TEST_F(PkgVars, FormStoredTreeTravelsInTheForm) {
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    auto* pkg = new TQzPkgVars(&form);
    pkg->SetName(QStringLiteral("PkgVars1"));
    pkg->SetPkgName(QStringLiteral("Settings"));
    fill(*pkg);

    const QByteArray text = WriteComponentText(&form);
    EXPECT_TRUE(text.contains("PkgData = {"));
    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    auto* back = qobject_cast<TQzPkgVars*>(copy->FindComponent(QStringLiteral("PkgVars1")));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetPkgName(), QStringLiteral("Settings"));
    EXPECT_EQ(dump(back->Items()), dump(pkg->Items()));
    EXPECT_EQ(back->ContentBytes(), pkg->ContentBytes());
}

TEST_F(PkgVars, DamagedContentLeavesThePackageAsItWas) {
    TQzPkgVars source;
    source.Add(QStringLiteral("One"), V::vtInteger)->SetVInteger(1);
    source.Add(QStringLiteral("Two"), V::vtString)->SetVString(QStringLiteral("2"));
    source.Add(QStringLiteral("Dir"), V::vtFolder);
    source.Add(QStringLiteral("Dir\\Inner"), V::vtBoolean)->SetVBoolean(true);
    const TFormObject good = ReadBinaryForm(source.ContentBytes());

    TQzPkgVars pkg;
    pkg.Add(QStringLiteral("keep me"), V::vtFloat)->SetVFloat(1.5);

    // Changes the `index`th top-level item of a copy of the good content.
    auto damaged = [&](int index, const auto& change) {
        TFormObject content = good;
        change(findProperty(content.Properties, QStringLiteral("Items"))->Value.Items[index]);
        return content;
    };
    auto set = [](const char* name, TFormValue value) {
        return [=](TFormCollectionItem& item) {
            if (TFormProperty* p = findProperty(item.Properties, QString::fromUtf8(name)))
                p->Value = value;
            else
                item.Properties.push_back({QString::fromUtf8(name), value});
        };
    };
    expectRefused(pkg, damaged(1, set("Ident", TFormValue::makeString("ONE"))),
                  "There is already an item named \"One\" at the top level");
    expectRefused(pkg, damaged(1, set("Ident", TFormValue::makeString("a\\b"))),
                  "cannot contain \"\\\"");
    expectRefused(pkg, damaged(0, set("VString", TFormValue::makeString("1"))),
                  "The variable \"One\" is of type Integer, not String");
    expectRefused(pkg, damaged(0, set("VInteger", TFormValue::makeInteger(1LL << 40))),
                  "Value 1099511627776 out of range");
    expectRefused(pkg, damaged(0, set("ItemType", TFormValue::makeInteger(9))),
                  "9 is not a value of TQzPkgVarsItemType");
    expectRefused(pkg, damaged(0, set("Items", emptyCollection())), "Invalid property value");
    expectRefused(pkg,
                  damaged(0,
                          [](TFormCollectionItem& item) {
                              std::erase_if(item.Properties, [](const TFormProperty& p) {
                                  return p.Name == QStringLiteral("Ident");
                              });
                          }),
                  "An item at the top level has no name");

    // A tree as deep as folders may nest loads; one level more is refused.
    TFormObject deep;
    deep.ClassName = QStringLiteral("TQzPkgVarsData");
    deep.Properties.push_back({QStringLiteral("Items"), folderChain(QzPkgVarsMaxDepth)});
    writeBytes(QStringLiteral("deep.pvr"), varsFile(deep));
    TQzPkgVars deepest;
    deepest.LoadFromFile(path(QStringLiteral("deep.pvr")));
    EXPECT_NE(deepest.Find(QStringList(QzPkgVarsMaxDepth, QStringLiteral("F")).join(u'\\')),
              nullptr);
    deep.Properties.front().Value = folderChain(QzPkgVarsMaxDepth + 1);
    expectRefused(pkg, deep, "nests deeper than 100 levels");

    EXPECT_EQ(pkg.Find(QStringLiteral("keep me"))->VFloat(), 1.5);
}

TEST_F(PkgVars, RegistryFindsLoadedPackagesByName) {
    TForm form;
    auto* a = new TQzPkgVars(&form);
    a->SetPkgName(QStringLiteral("Settings"));
    auto* b = new TQzPkgVars(&form);
    b->SetPkgName(QStringLiteral("settings"));
    b->SetActive(true);
    EXPECT_EQ(QzFindPkgVars(QStringLiteral("SETTINGS")), b);
    EXPECT_EQ(QzFindPkgVars(QStringLiteral("nothing")), nullptr);
    QStringList names;
    QzPkgVarsActives(names);
    EXPECT_EQ(names, QStringList({"Settings"}));
    EXPECT_EQ(QzPkgVarsAll(), QList<TQzPkgVars*>({a, b}));
}
