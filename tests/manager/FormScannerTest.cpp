// The form-text scanner line by line: how lines split into tokens, which lines open objects and
// collections, the object path of a property, and the class found at the end of a path.

#include "ManagerTestSupport.h"

#include "QzHooks.h"

using namespace mgrtest;

namespace {

QStringList tokens(const QString& line) {
    TQzTokens list;
    TQzFormScanner::GetListTokens(list, line);
    QStringList out;
    for (QStringView t : list)
        out << t.toString();
    return out;
}

class FormScanner : public ::testing::Test {
protected:
    FormScanner() : Engine(Forms, Feedback) { QzRegisterRuntimeClasses(); }

    // Runs the line kinds over `lines` (as a scan would) and returns the path of the last one.
    QString pathAfter(const QStringList& lines) {
        TQzTokens list;
        int k = -1;
        for (const QString& line : lines) {
            TQzFormScanner::GetListTokens(list, line);
            k = Engine.Scanner(list);
        }
        return k > 0 ? Engine.GetStrChange(list) : QString();
    }

    TMemoryForms Forms;
    TRecordingFeedback Feedback;
    TQzManagerEngine Engine;
};

} // namespace

TEST(FormScannerTokens, SplitsNamesAtBlanksAndDotsButKeepsThemInValues) {
    EXPECT_EQ(tokens("object Label1: TQzLabel"),
              QStringList({"object", "Label1", ":", "TQzLabel"}));
    EXPECT_EQ(tokens("  Caption.PkgName = 'Main Pkg'"),
              QStringList({"Caption", "PkgName", "=", "'Main Pkg'"}));
    EXPECT_EQ(tokens("Font.Name = 'MS Sans Serif'"),
              QStringList({"Font", "Name", "=", "'MS Sans Serif'"}));
    EXPECT_EQ(tokens("Items = <"), QStringList({"Items", "=", "<"}));
    EXPECT_EQ(tokens("      end>"), QStringList({"end>"}));
    // After "=", blanks and dots belong to the value.
    EXPECT_EQ(tokens("Ratio = 1.5 e"), QStringList({"Ratio", "=", "1.5 e"}));
    // Control characters before "=" are trimmed from the name, not split on.
    EXPECT_EQ(tokens("\tTag\t= 3\t"), QStringList({"Tag", "=", "3"}));
    EXPECT_TRUE(tokens(" \t ").isEmpty());
}

TEST(FormScannerTokens, DropTheCharacterAfterAClosingQuote) {
    EXPECT_EQ(tokens("X = 'abc'x"), QStringList({"X", "=", "'abc'"}));
    EXPECT_EQ(tokens("'abc' +"), QStringList({"'abc'", "+"}));
    // A quote discards what was collected before it; an unclosed one runs to the end.
    EXPECT_EQ(tokens("ab'cd"), QStringList({"'cd"}));
    EXPECT_EQ(tokens("A = 'x:y=z'"), QStringList({"A", "=", "'x:y=z'"}));

    TQzTokens list;
    TQzFormScanner::GetListTokens(list, u"A = B");
    EXPECT_EQ(TQzFormScanner::ScannerTokensEqual(list), 1);
    EXPECT_TRUE(TQzFormScanner::GetToken(list, 3).isEmpty());
    TQzFormScanner::GetListTokens(list, u"Name: 'a=b'");
    EXPECT_EQ(TQzFormScanner::ScannerTokensEqual(list), 1);
    TQzFormScanner::GetListTokens(list, u"'a=b'");
    EXPECT_EQ(TQzFormScanner::ScannerTokensEqual(list), -1);
}

TEST_F(FormScanner, ObjectLinesNameTheObjectThatPathsStartFrom) {
    EXPECT_EQ(pathAfter({"object Label1: TQzLabel", "Caption.PkgName = 'X'"}),
              "Label1:TQzLabel.Caption");
    EXPECT_EQ(Engine.FNameObj, "Label1:TQzLabel");
    EXPECT_EQ(pathAfter({"object TQzLabel", "SetFont.Name = 'X'"}), ":TQzLabel.SetFont");
    // Inherited and inline components are objects too: their properties are theirs.
    EXPECT_EQ(pathAfter({"inherited Label2: TQzLabel", "Caption.Id = 1"}),
              "Label2:TQzLabel.Caption");
    // "end" does not go back to the outer object; a plain property has no qualifier.
    EXPECT_EQ(pathAfter({"object A: TQzPanel", "object B: TQzLabel", "end", "Tag = 1"}),
              "B:TQzLabel");
    EXPECT_EQ(pathAfter({"object A: TQzPanel", "a.b.c.Id = 1"}), "A:TQzPanel.a.b.c");
    EXPECT_TRUE(pathAfter({"object A: TQzPanel", "item"}).isEmpty());
}

TEST_F(FormScanner, CollectionItemsAreCountedAndIndexLinesOverrideThem) {
    const QStringList collection = {"object L: TQzListBox", "Items = <", "item",
                                    "Caption.Id = 1",       "end",       "item",
                                    "Caption.Id = 2"};
    EXPECT_EQ(pathAfter(collection), "L:TQzListBox.Items[1].Caption");
    EXPECT_EQ(Engine.FNameCol, "Items");
    EXPECT_EQ(pathAfter(collection.mid(0, 4)), "L:TQzListBox.Items[0].Caption");
    EXPECT_EQ(pathAfter({"object L: TQzListBox", "Items = <", "item", "Index = 7", "Image.Id = 1"}),
              "L:TQzListBox.Items[7].Image");
    // "end>" ends the collection; an object line ends it too.
    EXPECT_EQ(pathAfter({"object L: TQzListBox", "Items = <", "item", "end>", "Hint.Id = 1"}),
              "L:TQzListBox.Hint");
    EXPECT_TRUE(Engine.FNameCol.isEmpty());
    TQzTokens list;
    TQzFormScanner::GetListTokens(list, u"Index = seven");
    pathAfter({"object L: TQzListBox", "Items = <"});
    EXPECT_THROW(Engine.Scanner(list), EConvertError);
}

TEST_F(FormScanner, ResolvesTheClassAtTheEndOfAPath) {
    EXPECT_EQ(Engine.GetTypeProperty("LbTitle:TQzLabel.Caption"), "TQzMemoryLabel");
    EXPECT_EQ(Engine.GetTypeProperty("LbTitle:TQzLabel.Font"), "TFont");
    EXPECT_EQ(Engine.GetTypeProperty(":TQzLabel.SetFont"), "TQzSetFont");
    EXPECT_EQ(Engine.GetTypeProperty("L:TQzListBox.Items[9].Image"), "TQzMemoryImage");
    EXPECT_EQ(Engine.GetTypeProperty("S:TQzSpeedButton"), "TQzSpeedButton");
    EXPECT_EQ(Engine.GetTypeProperty("S:TQzSpeedButton.Tag"), "int");
    EXPECT_TRUE(Feedback.Messages.isEmpty());
    // No ":" after the first name: not an object path, and nothing to report.
    EXPECT_TRUE(Engine.GetTypeProperty("Caption").isEmpty());
    EXPECT_TRUE(Feedback.Messages.isEmpty());
}

TEST_F(FormScanner, ReportsPathsThatDoNotResolveWithFileAndLine) {
    Engine.FNameUnit = "/project/forms/Main.dfm";
    Engine.FNumLine = 41;
    EXPECT_TRUE(Engine.GetTypeProperty("Foo:TNoSuchClass.Caption").isEmpty());
    Engine.FNumLine = 42;
    EXPECT_TRUE(Engine.GetTypeProperty("Lb:TQzLabel.NoSuchProperty").isEmpty());
    EXPECT_TRUE(Engine.GetTypeProperty("Lb:TQzLabel.Caption.Text.More").isEmpty());
    EXPECT_EQ(Feedback.Messages,
              QStringList({"The file: Main.dfm can contain an error in the line: (41) "
                           "Foo:TNoSuchClass.Caption",
                           "The file: Main.dfm can contain an error in the line: (42) "
                           "Lb:TQzLabel.NoSuchProperty",
                           "The file: Main.dfm can contain an error in the line: (42) "
                           "Lb:TQzLabel.Caption.Text.More"}));
}

TEST_F(FormScanner, CachedResolutionGivesTheSameAnswersAndMessages) {
    const QStringList paths = {
        "A:TQzLabel.Caption",      "B:TQzLabel.Caption",          "X:TNoSuchClass.Caption",
        "Y:TNoSuchClass.Caption",  "L:TQzListBox.Items[0].Image", "M:TQzListBox.Items[3].Image",
        ":TQzPanel.SetBackGround", "9bad:TQzLabel.Caption",       "C:TQzLabel.Nope",
        "D:TQzLabel.Nope"};
    auto run = [&](bool cache) {
        TRecordingFeedback feedback;
        TQzManagerEngine engine(Forms, feedback);
        engine.SetTypeCache(cache);
        QStringList answers;
        for (int i = 0; i < paths.size(); ++i) {
            engine.FNumLine = i;
            answers << engine.GetTypeProperty(paths[i]);
        }
        return answers + feedback.Messages;
    };
    const QStringList uncached = run(false);
    EXPECT_EQ(run(true), uncached);
    // Every failing line is reported, also when its answer came from the cache.
    EXPECT_EQ(uncached.filter("can contain an error").size(), 5);
}

TEST_F(FormScanner, ResolvingLeavesNoTraceInTheApplicationRegistry) {
    int broadcasts = 0;
    const int key = QzAddFormsListener([&](int, QObject*) { ++broadcasts; });
    const qsizetype apps = QzCApplicationsAll().size();
    EXPECT_EQ(Engine.GetTypeProperty("App:TQzCApplication.PkgDisplay"), "TQzPkgDisplay");
    EXPECT_EQ(QzCApplicationsAll().size(), apps);
    EXPECT_EQ(broadcasts, 0);
    QzRemoveFormsListener(key);
}

TEST_F(FormScanner, WritesNewValuesIntoLinesAfterTheirEqualsSign) {
    EXPECT_EQ(TQzFormScanner::LineString("    Caption.Id = 2", "17"), "    Caption.Id = 17");
    EXPECT_EQ(TQzFormScanner::LineString("  X.Name = 'a = b'", "'c'"), "  X.Name = 'c'");
    EXPECT_EQ(TQzFormScanner::LineString("  item", "3"), "  item");
}

TEST_F(FormScanner, SetsLiveReferencesFoundByPath) {
    TManagerWorld world;
    std::unique_ptr<TComponent> form = ReadLiveForm(DemoForm);
    Engine.FTypeDlg = dlmLabels;
    EXPECT_TRUE(
        Engine.SetProperty(form.get(), "LbItems:TQzListBox.Items[1].Caption", "Common", "7"));
    auto* list = form->FindComponent("LbItems");
    auto* items = list->property("Items").value<TCollection*>();
    auto caption = [&](int i) {
        return items->Items(i)->property("Caption").value<TQzMemoryLabel*>();
    };
    EXPECT_EQ(caption(1)->PkgName(), "Common");
    EXPECT_EQ(caption(1)->Id(), 7);
    EXPECT_EQ(caption(0)->Id(), 3);
    // Unnamed objects, missing components and items, and other reference classes are not set.
    EXPECT_FALSE(Engine.SetProperty(form.get(), ":TQzLabel.Caption", "User", "1"));
    EXPECT_FALSE(Engine.SetProperty(form.get(), "Nobody:TQzLabel.Caption", "User", "1"));
    EXPECT_FALSE(
        Engine.SetProperty(form.get(), "LbItems:TQzListBox.Items[5].Caption", "User", "1"));
    EXPECT_FALSE(Engine.SetProperty(form.get(), "SbSave:TQzSpeedButton.Image", "User", "1"));
    EXPECT_THROW(Engine.SetProperty(form.get(), "LbTitle:TQzLabel.Caption", "User", "x"),
                 EConvertError);

    Engine.FTypeDlg = dlmSetsFont;
    EXPECT_TRUE(Engine.SetProperty(form.get(), "LbTitle:TQzLabel.SetFont", "", "Big"));
    EXPECT_EQ(form->FindComponent("LbTitle")->property("SetFont").value<TQzSetFont*>()->Name(),
              "Big");
    EXPECT_FALSE(Engine.SetProperty(form.get(), "PnTop:TQzPanel.SetBackGround", "", "Big"));
    Engine.FTypeDlg = dlmPrivileges;
    EXPECT_TRUE(Engine.SetProperty(form.get(), "SbSave:TQzSpeedButton.Privilege", "", "-1"));
    EXPECT_FALSE(
        form->FindComponent("SbSave")->property("Privilege").value<TQzPrivilege*>()->Defined());
}
