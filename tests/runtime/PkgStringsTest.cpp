// Strings packages through the eyes of their callers: editors, pickers and the form streams.

#include "ComponentStreams.h"
#include "Controls.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgStrings.h"

#include <memory>

namespace {

void fill(TQzPkgStrings& pkg) {
    pkgKind(TQzPkgKind::Strings).Fill(pkg);
}

class PkgStrings : public PkgTest {};

} // namespace

TEST_F(PkgStrings, ListsFindByIdAndRefuseDuplicates) {
    TQzPkgStrings pkg;
    fill(pkg);
    EXPECT_EQ(pkg.Labels()->Count(), 2);
    EXPECT_EQ(pkg.Labels()->FindId(12)->Text().left(6), QStringLiteral(u"Zurück"));
    EXPECT_EQ(pkg.Labels()->FindId(3), nullptr);
    EXPECT_EQ(pkg.Labels()->UniqueId(), 13);
    EXPECT_EQ(pkg.Messages()->UniqueId(), 3);

    EXPECT_EQ(errorOf([&] { pkg.Labels()->Add(12, QStringLiteral("again")); }),
              "There is already a label with the id 12");
    EXPECT_EQ(pkg.Labels()->Count(), 2);
    EXPECT_EQ(errorOf([&] { pkg.Labels()->FindId(1)->SetId(12); }),
              "There is already a label with the id 12");
    EXPECT_EQ(pkg.Labels()->FindId(1)->Text(), QStringLiteral("Save"));
    EXPECT_EQ(errorOf([&] { pkg.Messages()->Add(-3, QString()); }), "-3 is not a valid message id");

    // Re-numbering keeps the index right, and freeing an item removes it.
    pkg.Labels()->FindId(1)->SetId(5);
    EXPECT_EQ(pkg.Labels()->FindId(1), nullptr);
    EXPECT_EQ(pkg.Labels()->FindId(5)->Text(), QStringLiteral("Save"));
    delete pkg.Labels()->FindId(5);
    EXPECT_EQ(pkg.Labels()->Count(), 1);
    EXPECT_EQ(pkg.Labels()->FindId(5), nullptr);
    pkg.Labels()->Add(5, QStringLiteral("reused"));

    // The proposal stays within four digits.
    pkg.Texts()->Add(9999, QString());
    EXPECT_EQ(pkg.Texts()->UniqueId(), 1);
}

TEST_F(PkgStrings, OwnFileAndFileModified) {
    TQzPkgStrings pkg;
    fill(pkg);
    pkg.SaveFileEx(QStringLiteral("app"), TQzPkgInfo::imFILE);
    EXPECT_EQ(pkg.FileName(), path(QStringLiteral("app.pst")));
    EXPECT_TRUE(pkg.IsFileStored());
    EXPECT_FALSE(pkg.FileModified());

    // Another program rewrites the file.
    TQzPkgStrings other;
    other.Labels()->Add(3, QStringLiteral("from elsewhere"));
    other.SaveToFile(pkg.FileName());
    EXPECT_TRUE(pkg.FileModified());
    pkg.LoadFile();
    EXPECT_FALSE(pkg.FileModified());
    EXPECT_EQ(pkg.Labels()->Count(), 1);

    // SaveFile writes only a FILE-stored package.
    pkg.Labels()->Add(4, QStringLiteral("new"));
    pkg.SaveFile();
    TQzPkgStrings check;
    check.LoadFromFile(pkg.FileName());
    EXPECT_EQ(check.Labels()->Count(), 2);
    pkg.SetInitMode(TQzPkgInfo::imDFM);
    pkg.Labels()->Add(5, QStringLiteral("not saved"));
    pkg.SaveFile();
    check.LoadFromFile(pkg.FileName());
    EXPECT_EQ(check.Labels()->Count(), 2);

    // LoadFileEx by bare name from the application folder.
    TQzPkgStrings loaded;
    loaded.LoadFileEx(QStringLiteral("app"), TQzPkgInfo::imFILE);
    EXPECT_EQ(loaded.Labels()->Count(), 2);
    EXPECT_EQ(loaded.FileName(), path(QStringLiteral("app.pst")));
    EXPECT_NE(errorOf([&] {
                  loaded.LoadFileEx(QStringLiteral("nope"), TQzPkgInfo::imFILE);
              }).find("does not exist"),
              std::string::npos);
    EXPECT_EQ(loaded.FileName(), path(QStringLiteral("app.pst")));
}

TEST_F(PkgStrings, RegistryFindsLoadedPackagesByName) {
    TForm form;
    auto* a = new TQzPkgStrings(&form);
    a->SetName(QStringLiteral("A"));
    a->SetPkgName(QStringLiteral("Shared"));
    auto* b = new TQzPkgStrings(&form);
    b->SetName(QStringLiteral("B"));
    b->SetPkgName(QStringLiteral("shared"));
    auto* c = new TQzPkgStrings(&form);
    c->SetName(QStringLiteral("Other"));

    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("SHARED")), a); // the first made
    b->SetActive(true);
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("Shared")), b);
    a->SetActive(true);
    EXPECT_FALSE(b->Active());
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("Other")), c);
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("nothing")), nullptr);

    QStringList names;
    QzPkgStringsActives(names);
    EXPECT_EQ(names, QStringList({"Shared", "Other"}));
    EXPECT_EQ(QzPkgStringsAll().size(), 3);
    delete a;
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("Shared")), b);
}
