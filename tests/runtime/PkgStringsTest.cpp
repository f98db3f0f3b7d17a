// Strings packages through the eyes of their callers: editors, pickers and the form streams.

#include "ComponentStreams.h"
#include "Controls.h"
#include "FileWrite.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgStrings.h"

#include <memory>

namespace {

void fill(TQzPkgStrings& pkg) {
    pkg.Labels()->Add(1, QStringLiteral("Save"), QStringLiteral("Saves the record"));
    pkg.Labels()->Add(12, QStringLiteral(u"Zurück\r\nzwei Zeilen, 'quoted'"));
    pkg.Messages()->Add(2, QStringLiteral("Done."));
    pkg.Texts()->Add(7, QString(70000, u'x'));
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

TEST_F(PkgStrings, FileRoundTripKeepsEverything) {
    TQzPkgStrings pkg;
    fill(pkg);
    pkg.Labels()->FindId(1)->Protected = true;
    pkg.SetDescription(QStringLiteral(u"Main strings – v2"));
    pkg.Data()->FEditorLeft = 40;
    pkg.SaveToFile(path(QStringLiteral("main.pst")));

    EXPECT_EQ(QzReadPkgStringsDescription(path(QStringLiteral("main.pst"))),
              QStringLiteral(u"Main strings – v2"));
    EXPECT_EQ(QzReadPkgImagesDescription(path(QStringLiteral("main.pst"))), QString());

    TQzPkgStrings copy;
    copy.LoadFromFile(path(QStringLiteral("main.pst")));
    EXPECT_EQ(copy.ContentBytes(), pkg.ContentBytes());
    EXPECT_TRUE(copy.Labels()->FindId(1)->Protected);
    EXPECT_EQ(copy.Labels()->FindId(1)->Hint(), QStringLiteral("Saves the record"));
    EXPECT_EQ(copy.Texts()->FindId(7)->Text().size(), 70000);
    EXPECT_EQ(copy.Description(), QStringLiteral(u"Main strings – v2"));
    EXPECT_EQ(copy.Data()->FEditorLeft, 40);
    // LoadFromFile leaves where the package is kept alone.
    EXPECT_FALSE(copy.IsFileStored());
    EXPECT_TRUE(copy.FileName().isEmpty());
}

TEST_F(PkgStrings, BadFilesLeaveThePackageAsItWas) {
    TQzPkgStrings good;
    fill(good);
    good.SaveToFile(path(QStringLiteral("good.pst")));
    const QByteArray bytes = readBytes(QStringLiteral("good.pst"));

    TQzPkgStrings pkg;
    pkg.Labels()->Add(99, QStringLiteral("keep me"));
    const QByteArray before = pkg.ContentBytes();
    auto expectRefused = [&](const QString& name, const std::string& problem) {
        const std::string message = errorOf([&] { pkg.LoadFromFile(path(name)); });
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_NE(message.find(name.toStdString()), std::string::npos) << message;
        EXPECT_EQ(pkg.ContentBytes(), before);
    };
    expectRefused(QStringLiteral("missing.pst"), "the file does not exist");
    writeBytes(QStringLiteral("text.pst"), "hello");
    expectRefused(QStringLiteral("text.pst"), "it is not a package file");
    for (qsizetype n : {qsizetype(6), qsizetype(12), qsizetype(30), bytes.size() - 1}) {
        writeBytes(QStringLiteral("cut.pst"), bytes.left(n));
        expectRefused(QStringLiteral("cut.pst"), "truncated");
    }
    QByteArray flipped = bytes;
    flipped[flipped.size() - 10] = char(flipped[flipped.size() - 10] ^ 0x20);
    writeBytes(QStringLiteral("flipped.pst"), flipped);
    expectRefused(QStringLiteral("flipped.pst"), "checksum mismatch");
    QByteArray newer = bytes;
    newer[5] = 9;
    writeBytes(QStringLiteral("newer.pst"), newer);
    expectRefused(QStringLiteral("newer.pst"), "format version 9 is newer");
    QByteArray foreign = bytes;
    foreign[4] = char(TQzPkgKind::Images);
    writeBytes(QStringLiteral("foreign.pst"), foreign);
    expectRefused(QStringLiteral("foreign.pst"),
                  "it holds a images package, not a strings package");

    // A well-formed file whose content repeats an id is refused as a whole.
    TQzPkgFileHeader header;
    TQzPkgStrings twice;
    twice.Labels()->Add(1, QStringLiteral("a"));
    twice.Labels()->Add(2, QStringLiteral("b"));
    QByteArray content = twice.ContentBytes();
    const QByteArray id2("\x02Id\x02\x02", 5);
    const QByteArray id1("\x02Id\x02\x01", 5);
    ASSERT_TRUE(content.contains(id2));
    content.replace(id2, id1);
    writeBytes(QStringLiteral("dup.pst"), QzBuildPkgFile(header, content));
    expectRefused(QStringLiteral("dup.pst"), "There is already a label with the id 1");
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

TEST_F(PkgStrings, FailedSaveKeepsThePreviousFile) {
    TQzPkgStrings pkg;
    fill(pkg);
    pkg.SaveToFile(path(QStringLiteral("keep.pst")));
    const QByteArray before = readBytes(QStringLiteral("keep.pst"));
    pkg.SetDescription(QString(70 * 1024, u'd')); // longer than a header takes
    EXPECT_THROW(pkg.SaveToFile(path(QStringLiteral("keep.pst"))), EQzError);
    EXPECT_EQ(readBytes(QStringLiteral("keep.pst")), before);
    pkg.SetDescription(QString());
    EXPECT_THROW(pkg.SaveToFile(path(QStringLiteral("no/such/folder/x.pst"))), EFileWriteError);
}

TEST_F(PkgStrings, FormStoredContentTravelsInTheForm) {
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    auto* pkg = new TQzPkgStrings(&form);
    pkg->SetName(QStringLiteral("PkgStrings1"));
    pkg->SetPkgName(QStringLiteral("Main"));
    fill(*pkg);
    const QByteArray text = WriteComponentText(&form);
    EXPECT_TRUE(text.contains("PkgName = 'Main'"));
    EXPECT_TRUE(text.contains("PkgData = {"));

    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    auto* back = qobject_cast<TQzPkgStrings*>(copy->FindComponent(QStringLiteral("PkgStrings1")));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ContentBytes(), pkg->ContentBytes());

    // A file-stored package keeps only its file name in the form and reads the file on load.
    pkg->SaveFileEx(QStringLiteral("main"), TQzPkgInfo::imFILE);
    const QByteArray fileText = WriteComponentText(&form);
    EXPECT_FALSE(fileText.contains("PkgData"));
    std::unique_ptr<TComponent> fromFile(ReadComponentText(fileText));
    auto* loaded =
        qobject_cast<TQzPkgStrings*>(fromFile->FindComponent(QStringLiteral("PkgStrings1")));
    EXPECT_EQ(loaded->Labels()->Count(), 2);

    // Corrupt content inside a form fails the read of that form with a clear message.
    QByteArray broken = text;
    const auto at = broken.indexOf("PkgData = {") + 20;
    broken[at] = broken[at] == '0' ? '1' : '0';
    EXPECT_THROW(ReadComponentText(broken), Exception);
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
