// Vars packages through the eyes of their callers: the vars editor and value editors. Files and
// forms are tested with every kind.

#include "BinaryForm.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgVars.h"

#include <cmath>

namespace {

using V = TQzPkgVarsItem;

// Folders as deep as they may go: "L1\\L2\\...".
const QString DeepFolder = [] {
    QStringList names;
    for (int level = 1; level <= QzPkgVarsMaxDepth; ++level)
        names.push_back(QStringLiteral("L%1").arg(level));
    return names.join(u'\\');
}();

// A folder chain `levels` deep, as the stream of a file would hold it.
TFormValue folderChain(int levels) {
    TFormCollectionItem item;
    item.Properties.push_back({QStringLiteral("Ident"), TFormValue::makeString("F")});
    item.Properties.push_back({QStringLiteral("ItemType"), TFormValue::makeIdent("vtFolder")});
    if (levels > 1)
        item.Properties.push_back({QStringLiteral("Items"), folderChain(levels - 1)});
    TFormValue list;
    list.kind = TFormValue::Collection;
    list.Items.push_back(std::move(item));
    return list;
}

class PkgVars : public PkgTest {};

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
    // A new variable of type `from` holding `value`, changed to `to`.
    auto convert = [&](TQzPkgVarsItemType from, const QVariant& value, TQzPkgVarsItemType to) {
        TQzPkgVarsItem* item = pkg.Add(QStringLiteral("v%1").arg(++n), from);
        if (from == V::vtInteger)
            item->SetVInteger(value.toInt());
        else if (from == V::vtFloat)
            item->SetVFloat(value.toDouble());
        else if (from == V::vtString)
            item->SetVString(value.toString());
        else
            item->SetVBoolean(value.toBool());
        item->SetItemType(to);
        EXPECT_EQ(item->ItemType(), to);
        return item;
    };

    EXPECT_EQ(convert(V::vtInteger, 42, V::vtFloat)->VFloat(), 42.0);
    EXPECT_EQ(convert(V::vtInteger, -42, V::vtString)->VString(), QStringLiteral("-42"));
    EXPECT_TRUE(convert(V::vtInteger, 3, V::vtBoolean)->VBoolean());
    EXPECT_FALSE(convert(V::vtInteger, 0, V::vtBoolean)->VBoolean());

    EXPECT_EQ(convert(V::vtFloat, 2.6, V::vtInteger)->VInteger(), 3);
    EXPECT_EQ(convert(V::vtFloat, -2.5, V::vtInteger)->VInteger(), -3);
    EXPECT_EQ(convert(V::vtFloat, 1e12, V::vtInteger)->VInteger(), 0);
    EXPECT_EQ(convert(V::vtFloat, NAN, V::vtInteger)->VInteger(), 0);
    EXPECT_FALSE(convert(V::vtFloat, NAN, V::vtBoolean)->VBoolean());
    EXPECT_TRUE(convert(V::vtFloat, -0.5, V::vtBoolean)->VBoolean());
    // Float to text and back gives the same double.
    for (double value : {0.1, -double(INFINITY)}) {
        TQzPkgVarsItem* item = convert(V::vtFloat, value, V::vtString);
        item->SetItemType(V::vtFloat);
        EXPECT_EQ(item->VFloat(), value);
    }
    EXPECT_EQ(convert(V::vtFloat, 0.1, V::vtString)->VString(), QStringLiteral("0.1"));

    EXPECT_EQ(convert(V::vtString, " 12 ", V::vtInteger)->VInteger(), 12);
    EXPECT_EQ(convert(V::vtString, "1e3", V::vtInteger)->VInteger(), 1000);
    EXPECT_EQ(convert(V::vtString, "abc", V::vtInteger)->VInteger(), 0);
    EXPECT_EQ(convert(V::vtString, "-7.25", V::vtFloat)->VFloat(), -7.25);
    EXPECT_EQ(convert(V::vtString, "abc", V::vtFloat)->VFloat(), 0.0);
    EXPECT_TRUE(convert(V::vtString, "TRUE", V::vtBoolean)->VBoolean());
    EXPECT_FALSE(convert(V::vtString, "yes", V::vtBoolean)->VBoolean());

    EXPECT_EQ(convert(V::vtBoolean, true, V::vtInteger)->VInteger(), 1);
    EXPECT_EQ(convert(V::vtBoolean, true, V::vtString)->VString(), QStringLiteral("True"));
    EXPECT_EQ(convert(V::vtBoolean, false, V::vtFloat)->VFloat(), 0.0);

    // Folders and variables turn into each other, starting from the defaults.
    TQzPkgVarsItem* folder = convert(V::vtInteger, 5, V::vtFolder);
    EXPECT_EQ(folder->VInteger(), 0);
    pkg.Add(folder->Path() + QStringLiteral("\\inside"), V::vtString);
    delete folder->Children()->First();
    folder->SetItemType(V::vtString);
    EXPECT_EQ(folder->Children(), nullptr);
    EXPECT_EQ(folder->VString(), QString());
}

TEST_F(PkgVars, LoadedTreesAreIndexedAndClearKeepsTheEditorsPlace) {
    TQzPkgVars pkg;
    pkgKind(TQzPkgKind::Vars).Fill(pkg);
    pkg.SaveToFile(path(QStringLiteral("vars.pvr")));
    TQzPkgVars copy;
    copy.LoadFromFile(path(QStringLiteral("vars.pvr")));
    EXPECT_EQ(copy.Find(DeepFolder)->Path(), DeepFolder);
    EXPECT_EQ(copy.Find(QStringLiteral(u" WITH BLANKS \\grüße 🌍"))->VString().left(7),
              QStringLiteral("Zeile 1"));
    EXPECT_NE(errorOf([&] { copy.Add(QStringLiteral("NUMBERS\\MAX"), V::vtInteger); }), "no error");

    copy.Clear();
    EXPECT_EQ(copy.Items()->Count(), 0);
    EXPECT_EQ(copy.Find(QStringLiteral("zeta")), nullptr);
    EXPECT_EQ(copy.Data()->FEditorLeft, 12);
}

// Folders nest in files as deep as they may be added, and no deeper.
TEST_F(PkgVars, FilesNestFoldersAsDeepAsTheyMayGo) {
    TFormObject deep;
    deep.ClassName = QStringLiteral("TQzPkgVarsData");
    deep.Properties.push_back({QStringLiteral("Items"), folderChain(QzPkgVarsMaxDepth)});
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Vars;
    writeBytes(QStringLiteral("deep.pvr"), QzBuildPkgFile(header, WriteBinaryForm(deep)));
    TQzPkgVars pkg;
    pkg.LoadFromFile(path(QStringLiteral("deep.pvr")));
    EXPECT_NE(pkg.Find(QStringList(QzPkgVarsMaxDepth, QStringLiteral("F")).join(u'\\')), nullptr);

    deep.Properties.front().Value = folderChain(QzPkgVarsMaxDepth + 1);
    writeBytes(QStringLiteral("deep.pvr"), QzBuildPkgFile(header, WriteBinaryForm(deep)));
    EXPECT_NE(errorOf([&] {
                  pkg.LoadFromFile(path(QStringLiteral("deep.pvr")));
              }).find("nests deeper than 100 levels"),
              std::string::npos);
}
