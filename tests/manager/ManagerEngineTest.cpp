// The Manager's passes over a project's forms: what a scan finds and shows, what a count
// counts, and how replacing and clearing rewrite form text or live forms.

#include "ManagerTestSupport.h"

#include "QzHooks.h"

using namespace mgrtest;

namespace {

class ManagerEngine : public ::testing::Test {
protected:
    ManagerEngine() : Engine(Forms, Feedback) { Forms.Add("/p/Test.dfm", DemoForm); }

    TManagerWorld World;
    TMemoryForms Forms;
    TRecordingFeedback Feedback;
    TQzManagerEngine Engine;
};

// An owner that records what the Manager asks it to delete, and deletes it.
class TRecordingOwner : public IQzManagerOwner {
public:
    TRecordingOwner(QList<TQzDlgManager> kinds, QString package)
        : Kinds(std::move(kinds)), Package(std::move(package)) {}
    bool ManagerEditsKind(TQzDlgManager kind) const override { return Kinds.contains(kind); }
    QString ManagerPackageName() const override { return Package; }
    void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) override {
        Deleted << QStringLiteral("%1:%2")
                       .arg(QzDlgManagerName(kind))
                       .arg(item->property("Id").toInt());
        delete item;
    }
    QList<TQzDlgManager> Kinds;
    QString Package;
    QStringList Deleted;
};

} // namespace

TEST_F(ManagerEngine, ScanFindsReferencesOfTheRightClassOnly) {
    Engine.Scan(dlmLabels, "User", "2");
    EXPECT_EQ(LineTexts(Engine),
              QStringList({"(Test.dfm) (LbTitle:TQzLabel)       Caption.Id = 2",
                           "(Test.dfm) (LbItems:TQzListBox - Items[1])         Caption.Id = 2",
                           "(SetsFont) Name: 'Title'", "(Privileges) Id: 2"}));
    EXPECT_EQ(Engine.FModeScan, msnScan);
    const TQzTokenRec1& first = *Engine.Lines()[0].Found();
    EXPECT_EQ(first.NameUnit, "/p/Test.dfm");
    EXPECT_EQ(first.NumLine, 6);
    EXPECT_EQ(first.StrChange, "LbTitle:TQzLabel.Caption");
    EXPECT_EQ(first.StrLine, "      Caption.Id = 2");
    // Form references start checked, references held by sets and privileges unchecked.
    EXPECT_TRUE(Engine.Lines()[1].Checked);
    EXPECT_FALSE(Engine.Lines()[2].Checked);
    const TQzTokenRec1& holder = *Engine.Lines()[3].Found();
    EXPECT_EQ(holder.NumLine, -1);
    EXPECT_EQ(holder.StrChange, "2");
    EXPECT_TRUE(Feedback.Messages.isEmpty());
    EXPECT_EQ(Feedback.Progress.first(), "open Scanning");
    EXPECT_EQ(Feedback.Progress.last(), "close");
    // 36 lines, 2 + 1 + 1 sets and 2 privileges.
    EXPECT_TRUE(Feedback.Progress.contains("max 41"));
}

TEST_F(ManagerEngine, ScanMatchesIdsAsTextAndPairsOnly) {
    Engine.Scan(dlmLabels, "User", "5");
    EXPECT_TRUE(Engine.Lines().empty()) << LineTexts(Engine).join('\n').toStdString();
    Engine.Scan(dlmLabels, "User", "05");
    ASSERT_EQ(Engine.Lines().size(), 1u);
    EXPECT_EQ(Engine.Lines()[0].Found()->StrChange, "SbSave:TQzSpeedButton.Hint");
    // A package line not directly followed by its id line is no reference.
    Forms.Texts["/p/Test.dfm"].insert(6, "      Transparent = True");
    Engine.Scan(dlmLabels, "User", "2");
    EXPECT_EQ(Engine.Lines()[0].Found()->StrChange, "LbItems:TQzListBox.Items[1].Caption");
    Engine.Scan(dlmTexts, "User", "2");
    ASSERT_EQ(Engine.Lines().size(), 1u);
    EXPECT_EQ(Engine.Lines()[0].Found()->StrChange, "MmNotes:TQzMemo.Text");
}

TEST_F(ManagerEngine, ScanOfSetsAndPrivilegesSkipsFontsAndTheRootForm) {
    Forms.Add("/p/Root.dfm", {"object FrmRoot: TQzPanel", "  SetFont.Name = 'Title'", "end"});
    Engine.Scan(dlmSetsFont, "", "title");
    ASSERT_EQ(Engine.Lines().size(), 1u);
    EXPECT_EQ(Engine.Lines()[0].Found()->StrChange, "LbTitle:TQzLabel.SetFont");
    // A quote in a new set name is doubled, so the line still parses.
    const int line = Engine.Lines()[0].Found()->NumLine;
    Engine.Replace(QString(), "O'Brien");
    EXPECT_EQ(Forms.Texts["/p/Test.dfm"][line].trimmed(), "SetFont.Name = 'O''Brien'");
    Engine.Scan(dlmSetsFont, "", "title");
    EXPECT_TRUE(Engine.Lines().empty());
    Engine.Scan(dlmPrivileges, "", "2");
    ASSERT_EQ(Engine.Lines().size(), 1u);
    EXPECT_EQ(Engine.Lines()[0].Found()->NumLine, 27);
    Engine.Scan(dlmImages, "ICONS", "1");
    EXPECT_EQ(LineTexts(Engine).size(), 3);
    EXPECT_EQ(LineTexts(Engine).last(), "(SetsBackGround) Name: 'Header'");
}

TEST_F(ManagerEngine, BlankIdLeavesEverythingAsItWas) {
    Engine.Scan(dlmLabels, "User", "2");
    const QStringList before = LineTexts(Engine);
    Engine.Scan(dlmLabels, "User", "  ");
    EXPECT_EQ(LineTexts(Engine), before);
    EXPECT_EQ(Feedback.Progress.count("open Scanning"), 1);
}

TEST_F(ManagerEngine, AFormThatFailsIsReportedAndTheNextIsScanned) {
    Forms.Order.prepend("/p/Bad.dfm");
    Forms.Texts["/p/Bad.dfm"] = {"object FrmBad: TForm", "  object L: TQzListBox", "    Items = <",
                                 "      item",           "        Index = x",      "end"};
    Forms.Add("/p/Other.dfm",
              {"object FrmOther: TForm", "  object X: TNoSuchThing", "    Caption.PkgName = 'User'",
               "    Caption.Id = 2", "  end", "end"});
    Engine.Scan(dlmLabels, "User", "2");
    EXPECT_EQ(Feedback.Messages,
              QStringList({"Internal Error: File: Bad.dfm Line: (4)         Index = x "
                           "Procedure: Scanner",
                           "The file: Other.dfm can contain an error in the line: (2) "
                           "X:TNoSuchThing.Caption"}));
    EXPECT_EQ(LineTexts(Engine).filter("Test.dfm").size(), 2);
}

TEST_F(ManagerEngine, CancelStopsBetweenSteps) {
    Feedback.CancelAfter = 10;
    Engine.Scan(dlmLabels, "User", "2");
    EXPECT_EQ(Feedback.Steps, 10);
    EXPECT_EQ(LineTexts(Engine),
              QStringList({"(Test.dfm) (LbTitle:TQzLabel)       Caption.Id = 2"}));
    EXPECT_FALSE(Feedback.Open);
}

TEST_F(ManagerEngine, CounterCountsMarksMissingItemsAndChecksUnusedOnes) {
    Engine.Counter(dlmLabels, {"User"});
    EXPECT_EQ(Engine.FModeScan, msnCounter);
    // Sorted by counter, then by id as a number ("05" after "4"); the sets and privileges count
    // too, also for other packages.
    EXPECT_EQ(LineTexts(Engine), QStringList({
                                     "(00000) PkgName: 'User' Id: 1",
                                     "(00001) PkgName: 'User' Id: 3",
                                     "(00001) PkgName: 'User' Id: 4",
                                     "(00001) PkgName: 'User' Id: 05 ( Nonexistent )",
                                     "(00004) PkgName: 'User' Id: 2",
                                 }));
    EXPECT_TRUE(Engine.Lines()[0].Checked);
    EXPECT_EQ(Engine.CheckedCount(), 1);
    EXPECT_TRUE(Feedback.Progress.contains("Labels Search"));
    EXPECT_TRUE(Feedback.Progress.contains("Exist Check"));

    // With nothing chosen, only what the sets and privileges hold is counted, whatever package
    // it names.
    World.App->PkgDisplay()->SetsColor()->GetItems(0)->DescriptionId()->PkgId("Gone", 9);
    Engine.Counter(dlmLabels, {});
    EXPECT_EQ(LineTexts(Engine),
              QStringList({"(00001) PkgName: 'Gone' Id: 9 ( Nonexistent )",
                           "(00001) PkgName: 'User' Id: 4", "(00002) PkgName: 'User' Id: 2"}));
}

TEST_F(ManagerEngine, CounterOfSetsUsesNamesAndOfPrivilegesIds) {
    Engine.Counter(dlmSetsBackGround, {"ignored"});
    EXPECT_EQ(LineTexts(Engine), QStringList({"(00000) Name: 'Plain'", "(00001) Name: 'Header'"}));
    Forms.Add("/p/More.dfm", {"object FrmMore: TForm", "  object B: TQzSpeedButton",
                              "    Privilege.Id = 8", "  end", "end"});
    Engine.Counter(dlmPrivileges, {});
    EXPECT_EQ(LineTexts(Engine),
              QStringList({"(00000) Id: 1", "(00001) Id: 2", "(00001) Id: 8 ( Nonexistent )"}));
    EXPECT_EQ(Engine.CheckedCount(), 1);
    const TQzTokenRec2& missing = *Engine.Lines()[2].Counted();
    EXPECT_EQ(missing.NameId, "8");
    EXPECT_EQ(Engine.FindItem(missing), nullptr);
}

TEST_F(ManagerEngine, ReplaceRewritesTheCheckedReferencesInTheFormText) {
    Engine.Scan(dlmLabels, "User", "2");
    Engine.SetChecked(1, false);
    Engine.SetChecked(3, true);
    Engine.Replace("Common", "7");
    const QStringList& text = Forms.Texts["/p/Test.dfm"];
    EXPECT_EQ(text[5], "      Caption.PkgName = 'Common'");
    EXPECT_EQ(text[6], "      Caption.Id = 7");
    EXPECT_EQ(text[20], "        Caption.PkgName = 'user'");
    EXPECT_EQ(text[21], "        Caption.Id = 2");
    EXPECT_EQ(Forms.Written, QStringList({"/p/Test.dfm"}));
    // The privilege's description moved as well; the list is empty again.
    EXPECT_EQ(World.App->Privileges()->FindId(2)->DescriptionId()->PkgName(), "Common");
    EXPECT_EQ(World.App->Privileges()->FindId(2)->DescriptionId()->Id(), 7);
    EXPECT_EQ(Feedback.ChangedPackages, QList<TQzPkgInfo*>({World.App->Privileges()}));
    EXPECT_TRUE(Engine.Lines().empty());
    EXPECT_EQ(Engine.FModeScan, msnNone);
    EXPECT_TRUE(Feedback.Messages.isEmpty());
    ASSERT_EQ(Feedback.Changes.size(), 3);
    EXPECT_EQ(Feedback.Changes[1].After, "      Caption.Id = 7");
    EXPECT_EQ(Feedback.Changes[2].kind, TQzManagerChange::Holder);
}

TEST_F(ManagerEngine, ReplaceLeavesLinesThatMovedAndSaysHowMany) {
    Engine.Scan(dlmLabels, "User", "2");
    QStringList& text = Forms.Texts["/p/Test.dfm"];
    text.insert(0 + 12, "    Tag = 1");      // moves the list item's lines
    text[5] = "      Hint.PkgName = 'User'"; // the pair above LbTitle's id is another property
    const QStringList edited = text;
    Engine.Replace("Common", "7");
    EXPECT_EQ(Forms.Texts["/p/Test.dfm"], edited);
    EXPECT_TRUE(Forms.Written.isEmpty());
    EXPECT_EQ(Feedback.Messages, QStringList({"Unable to modified 2 lines"}));
}

TEST_F(ManagerEngine, ReplaceOfANumberKindRefusesTextBeforeChangingAnything) {
    Engine.Scan(dlmImages, "Icons", "1");
    EXPECT_THROW(Engine.Replace("Icons", "x1"), EConvertError);
    EXPECT_EQ(Forms.Texts["/p/Test.dfm"], DemoForm);
    EXPECT_EQ(Engine.Lines().size(), 3u);
    // Written as the form writer writes numbers, so that it reads back as the same id.
    Engine.Replace("Icons", "0x2");
    EXPECT_EQ(Forms.Texts["/p/Test.dfm"][29], "    Image.Id = 2");
    EXPECT_EQ(Forms.Texts["/p/Test.dfm"][28], "    Image.PkgName = 'Icons'");
    // The background set's image is unchecked, so it keeps its reference.
    EXPECT_EQ(World.App->PkgDisplay()->SetsBackGround()->Find("Header")->Image()->Id(), 1);
}

TEST_F(ManagerEngine, ClearDeletesReferenceLinesAndHolderIds) {
    Engine.Scan(dlmImages, "Icons", "1");
    Engine.SetChecked(2, true);
    Engine.Clear(nullptr);
    QStringList expected = DemoForm;
    expected.remove(28, 2);
    expected.remove(16, 2);
    EXPECT_EQ(Forms.Texts["/p/Test.dfm"], expected);
    EXPECT_EQ(World.App->PkgDisplay()->SetsBackGround()->Find("Header")->Image()->Id(), -1);
    // The cleared form still reads, with the references back at their defaults.
    EXPECT_NO_THROW(ReadLiveForm(expected));

    Engine.Scan(dlmSetsBackGround, "", "Header");
    Engine.Clear(nullptr);
    EXPECT_FALSE(Forms.Texts["/p/Test.dfm"].contains("    SetBackGround.Name = 'Header'"));
}

TEST_F(ManagerEngine, WhenOneFormCannotBeWrittenNoneIs) {
    QStringList other = DemoForm;
    other[0] = "object FrmOther: TForm";
    Forms.Add("/p/Other.dfm", other);
    Engine.Scan(dlmLabels, "User", "3");
    ASSERT_EQ(Engine.Lines().size(), 2u);
    Forms.FailWrite << "/p/Other.dfm";
    Engine.Clear(nullptr);
    EXPECT_EQ(Forms.Texts["/p/Test.dfm"], DemoForm);
    EXPECT_EQ(Forms.Texts["/p/Other.dfm"], other);
    EXPECT_TRUE(Forms.Written.isEmpty());
    EXPECT_EQ(Feedback.Messages, QStringList({"Disk full: /p/Other.dfm", "No form was changed"}));
    EXPECT_TRUE(Feedback.Changes.isEmpty());

    // A form whose new text would not parse stops every other one before anything is written.
    QStringList broken = DemoForm;
    broken[35] = "endx";
    Forms.Texts["/p/Other.dfm"] = broken;
    Feedback.Messages.clear();
    Engine.Scan(dlmLabels, "User", "3");
    Engine.Clear(nullptr);
    EXPECT_TRUE(Forms.Written.isEmpty());
    ASSERT_EQ(Feedback.Messages.size(), 2);
    EXPECT_TRUE(Feedback.Messages[0].startsWith("Other.dfm: Error in form text on line"))
        << Feedback.Messages[0].toStdString();
}

TEST_F(ManagerEngine, LiveFormsAreChangedInPlaceAndMarkedModified) {
    std::unique_ptr<TComponent> live = ReadLiveForm(DemoForm);
    live->SetDesigning(true);
    int designer = 0;
    live->SetDesigner(&designer);
    QList<TComponent*> modified;
    QzDsgnModified = [&](TComponent* c) {
        modified << c;
    };
    Forms.Live["/p/Test.dfm"] = live.get();

    Engine.Scan(dlmLabels, "User", "2");
    Engine.Replace("Common", "7");
    auto caption = [&](const char* name) {
        return live->FindComponent(name)->property("Caption").value<TQzMemoryLabel*>();
    };
    EXPECT_EQ(caption("LbTitle")->PkgName(), "Common");
    EXPECT_EQ(caption("LbTitle")->Id(), 7);
    auto* items = live->FindComponent("LbItems")->property("Items").value<TCollection*>();
    EXPECT_EQ(items->Items(1)->property("Caption").value<TQzMemoryLabel*>()->Id(), 7);
    EXPECT_EQ(items->Items(0)->property("Caption").value<TQzMemoryLabel*>()->Id(), 3);
    EXPECT_EQ(modified, QList<TComponent*>({live.get()}));
    EXPECT_TRUE(Forms.Written.isEmpty());

    Engine.Scan(dlmSetsFont, "", "Title");
    Engine.Clear(nullptr);
    EXPECT_TRUE(
        live->FindComponent("LbTitle")->property("SetFont").value<TQzSetFont*>()->Name().isEmpty());
    QzDsgnModified = nullptr;
}

TEST_F(ManagerEngine, UnusedItemsAreDeletedThroughTheOwnerThatShowsThem) {
    TQzPkgStrings* user = World.User;
    TQzPkgStrings* common = World.Common.get();
    Engine.Counter(dlmLabels, {"User", "Common"});
    // Unused: User 1 and Common 7.
    ASSERT_EQ(Engine.CheckedCount(), 2);
    TRecordingOwner owner({dlmLabels, dlmTexts}, "user");
    Engine.Clear(&owner);
    EXPECT_EQ(owner.Deleted, QStringList({"Labels:1"}));
    EXPECT_EQ(user->Labels()->FindId(1), nullptr);
    EXPECT_EQ(common->Labels()->FindId(7), nullptr);
    EXPECT_EQ(Feedback.ChangedPackages, QList<TQzPkgInfo*>({common}));
    EXPECT_TRUE(Engine.Lines().empty());

    // An owner of another kind deletes nothing; sets go through the owner whatever it shows.
    Engine.Counter(dlmImages, {"Icons"});
    ASSERT_EQ(Engine.CheckedCount(), 1);
    TRecordingOwner labels({dlmLabels}, "Icons");
    Engine.Clear(&labels);
    EXPECT_TRUE(labels.Deleted.isEmpty());
    EXPECT_NE(World.Icons->Images()->FindId(2), nullptr);
    Engine.Counter(dlmPrivileges, {});
    TRecordingOwner privileges({dlmPrivileges}, "");
    Engine.Clear(&privileges);
    EXPECT_EQ(privileges.Deleted, QStringList({"Privileges:1"}));
}
