// The synchronizer's engine on packages of every kind it handles: which items each option adds
// and deletes, that items on both sides stay as they were, and that files are read whole before
// anything changes and written whole or not at all.

#include "QzExcept.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzRuntime.h"
#include "manager/core/QzPkgSync.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

QStringList labelLines(const TQzPkgStrings& pkg) {
    QStringList lines;
    for (int i = 0; i < pkg.Labels()->Count(); ++i) {
        const TQzPkgStringsLabel* l = pkg.Labels()->GetItems(i);
        lines << QStringLiteral("%1 %2/%3").arg(l->Id()).arg(l->Text(), l->Hint());
    }
    return lines;
}

QStringList ids(const TQzPkgItemList* list) {
    QStringList lines;
    for (int i = 0; i < list->Count(); ++i)
        lines << QString::number(list->GetItems(i)->Id());
    return lines;
}

QStringList setNames(const TQzPkgDisplaySets* sets) {
    QStringList names;
    for (int i = 0; i < sets->Count(); ++i)
        names << sets->GetItems(i)->Name();
    return names;
}

class TCountingProgress : public IQzSyncProgress {
public:
    void SyncStart(int steps) override { Steps = steps; }
    void SyncStep() override { ++Done; }
    int Steps = -1;
    int Done = 0;
};

class PkgSync : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(Dir.isValid());
        // Source: 1 One, 2 Two, 4 Four. Target: 2 Zwei (differs), 3 Drei.
        Source.Labels()->Add(1, "One", "first");
        Source.Labels()->Add(2, "Two");
        Source.Labels()->Add(4, "Four");
        Source.Messages()->Add(7, "Seven");
        Target.Labels()->Add(3, "Drei");
        Target.Labels()->Add(2, "Zwei", "kept");
        Target.Texts()->Add(9, "Nine");
    }
    QString path(const QString& name) const { return Dir.filePath(name); }
    QByteArray bytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir Dir;
    TQzPkgStrings Source;
    TQzPkgStrings Target;
};

} // namespace

TEST_F(PkgSync, EachOptionAddsOrDeletesByKeyOnlyAndNeverChangesItemsOnBothSides) {
    struct Case {
        bool Add;
        bool Delete;
        QStringList Labels;
        QStringList Messages;
        QStringList Texts;
    };
    const Case cases[] = {
        {false, false, {"3 Drei/", "2 Zwei/kept"}, {}, {"9"}},
        {true, false, {"3 Drei/", "2 Zwei/kept", "1 One/first", "4 Four/"}, {"7"}, {"9"}},
        {false, true, {"2 Zwei/kept"}, {}, {}},
        {true, true, {"2 Zwei/kept", "1 One/first", "4 Four/"}, {"7"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "add " << c.Add << " delete " << c.Delete);
        TQzPkgStrings target;
        target.SetContentBytes(Target.ContentBytes());
        TQzSyncOptions options;
        options.AddItems = c.Add;
        options.DeleteItems = c.Delete;
        TCountingProgress progress;
        const TQzSyncReport report = QzSyncPackages(Source, target, options, &progress);
        EXPECT_EQ(labelLines(target), c.Labels);
        EXPECT_EQ(ids(target.Messages()), c.Messages);
        EXPECT_EQ(ids(target.Texts()), c.Texts);
        EXPECT_EQ(progress.Done, progress.Steps);
        EXPECT_EQ(report.AddedCount() + report.DeletedCount(), report.Changes.size());
        // The source is never touched.
        EXPECT_EQ(labelLines(Source), QStringList({"1 One/first", "2 Two/", "4 Four/"}));
    }
}

TEST_F(PkgSync, DeletingHalfOfALargeListKeepsTheRestInOrderAndFindable) {
    TQzPkgStrings source;
    TQzPkgStrings target;
    for (int id = 0; id < 20000; ++id) {
        target.Labels()->Add(id, QString::number(id));
        if (id % 2 == 0)
            source.Labels()->Add(id, QStringLiteral("other"));
    }
    TQzSyncOptions options;
    options.DeleteItems = true;
    const TQzSyncReport report = QzSyncPackages(source, target, options);
    EXPECT_EQ(report.DeletedCount(), 10000);
    ASSERT_EQ(target.Labels()->Count(), 10000);
    for (int i = 0; i < target.Labels()->Count(); ++i) {
        const TQzPkgStringsLabel* label = target.Labels()->GetItems(i);
        ASSERT_EQ(label->Id(), 2 * i);
        ASSERT_EQ(label->Text(), QString::number(2 * i));
        ASSERT_EQ(target.Labels()->FindId(2 * i), label);
        ASSERT_EQ(target.Labels()->FindId(2 * i + 1), nullptr);
    }
    // The id index still refuses what the list holds and takes what it lost.
    EXPECT_THROW(target.Labels()->Add(4, "dup"), EQzError);
    EXPECT_NO_THROW(target.Labels()->Add(5, "back"));
}

TEST_F(PkgSync, DisplayAndLanguageMergeOnlyTheChosenParts) {
    TQzPkgDisplay source;
    TQzPkgDisplay target;
    source.SystemImages()->Images()->Add(1);
    source.UserImages()->Images()->Add(2);
    source.SetsFont()->Add("Title")->SetSize(14);
    source.SetsColor()->Add("Red")->SetColor(0xFF);
    target.SetsColor()->Add("RED")->SetColor(0x10);
    target.SetsBackGround()->Add("Old");
    target.UserImages()->Images()->Add(5);

    struct Case {
        bool System, User, Sets;
        QStringList SystemIds, UserIds, Fonts, Colors, Backgrounds;
    };
    const Case cases[] = {
        {false, false, false, {}, {"5"}, {}, {"RED"}, {"Old"}},
        {true, false, false, {"1"}, {"5"}, {}, {"RED"}, {"Old"}},
        {false, true, false, {}, {"2"}, {}, {"RED"}, {"Old"}},
        {false, false, true, {}, {"5"}, {"Title"}, {"RED"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.System << c.User << c.Sets);
        TQzPkgDisplay copy;
        copy.SetContentBytes(target.ContentBytes());
        TQzSyncOptions options{true, true, c.System, c.User, c.Sets};
        QzSyncPackages(source, copy, options);
        EXPECT_EQ(ids(copy.SystemImages()->Images()), c.SystemIds);
        EXPECT_EQ(ids(copy.UserImages()->Images()), c.UserIds);
        EXPECT_EQ(setNames(copy.SetsFont()), c.Fonts);
        EXPECT_EQ(setNames(copy.SetsColor()), c.Colors);
        EXPECT_EQ(setNames(copy.SetsBackGround()), c.Backgrounds);
        // A set found by name in any case is the same set, and keeps its own values.
        EXPECT_EQ(copy.SetsColor()->Find("red")->Color(), 0x10);
        if (c.Sets) {
            EXPECT_EQ(copy.SetsFont()->Find("Title")->Size(), 14);
        }
    }

    TQzPkgLanguage langSource;
    TQzPkgLanguage langTarget;
    langSource.SystemStrings()->Messages()->Add(3, "System three");
    langSource.UserStrings()->Labels()->Add(4, "User four");
    TQzSyncOptions options;
    options.AddItems = true;
    options.SyncUser = true;
    QzSyncPackages(langSource, langTarget, options);
    EXPECT_EQ(langTarget.SystemStrings()->Messages()->Count(), 0);
    EXPECT_EQ(langTarget.UserStrings()->Labels()->FindId(4)->Text(), "User four");
}

TEST_F(PkgSync, RefusesOtherKindsAndMismatchedPackagesBeforeChangingAnything) {
    TQzPkgVars vars;
    TQzPkgVars vars2;
    TQzSyncOptions options{true, true, true, true, true};
    EXPECT_THROW(QzSyncPackages(vars, vars2, options), EQzError);
    TQzPkgImages images;
    EXPECT_THROW(QzSyncPackages(images, Target, options), EQzError);
    EXPECT_EQ(Target.Labels()->Count(), 2);
    EXPECT_TRUE(QzSyncHandlesKind(TQzPkgKind::Language));
    EXPECT_FALSE(QzSyncHandlesKind(TQzPkgKind::Setup));
    EXPECT_EQ(QzSyncFilter(Target), "Package Strings (*.pst)|*.pst");
    TQzPkgDisplay display;
    EXPECT_EQ(QzSyncFilter(display), "Package Display (*.dis)|*.dis");
}

TEST_F(PkgSync, FilesAreReadWholeFirstAndWrittenWholeOrNotAtAll) {
    Source.SaveToFile(path("source.pst"));
    Target.SaveToFile(path("target.pst"));
    const QByteArray before = bytes("target.pst");
    TQzSyncOptions options;
    options.AddItems = true;

    // A dry run reports without writing.
    TQzSyncReport report = QzSyncToFile(Source, path("target.pst"), options, true);
    EXPECT_EQ(report.AddedCount(), 3);
    EXPECT_EQ(bytes("target.pst"), before);

    report = QzSyncToFile(Source, path("target.pst"), options);
    TQzPkgStrings written;
    written.LoadFromFile(path("target.pst"));
    EXPECT_EQ(ids(written.Labels()), QStringList({"3", "2", "1", "4"}));

    // A damaged or foreign source leaves the edited package as it was.
    QByteArray damaged = bytes("source.pst");
    damaged[damaged.size() - 3] = char(damaged[damaged.size() - 3] ^ 0x55);
    QFile f(path("damaged.pst"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(damaged);
    f.close();
    TQzPkgImages images;
    images.SaveToFile(path("images.pst"));
    for (const char* name : {"damaged.pst", "images.pst", "missing.pst"}) {
        SCOPED_TRACE(name);
        TQzPkgStrings target;
        target.SetContentBytes(Target.ContentBytes());
        EXPECT_THROW(QzSyncFromFile(target, path(name), options), EQzError);
        EXPECT_EQ(labelLines(target), labelLines(Target));
    }
    // A folder named as a target is said to be one, not a missing file.
    ASSERT_TRUE(QDir(Dir.path()).mkdir("folder.pst"));
    try {
        QzSyncToFile(Source, path("folder.pst"), options);
        ADD_FAILURE() << "a folder was taken for a package file";
    } catch (const EQzError& e) {
        EXPECT_TRUE(e.Message().contains("folder")) << e.Message().toStdString();
    }
}
