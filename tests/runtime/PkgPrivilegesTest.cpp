// Privileges packages through the eyes of their callers: the privileges editor and its add
// dialog, the privilege picker and templates. Files and forms are tested with every kind.

#include "BinaryForm.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgPrivileges.h"
#include "QzPkgStrings.h"

#include <QMetaProperty>
#include <memory>
#include <stdexcept>

namespace {

using P = TQzPkgPrivilegesItem;

void fill(TQzPkgPrivileges& pkg) {
    pkgKind(TQzPkgKind::Privileges).Fill(pkg);
}

// Every privilege in list order with all it holds.
QStringList dump(const TQzPkgPrivileges& pkg) {
    QStringList lines;
    for (int i = 0; i < pkg.Count(); ++i) {
        const P* item = pkg.GetItems(i);
        lines.push_back(QStringLiteral("%1 '%2' (%3,%4) access %5 visible %6 protected %7")
                            .arg(item->Id())
                            .arg(item->Description(), item->DescriptionId()->PkgName())
                            .arg(item->DescriptionId()->Id())
                            .arg(int(item->Access()))
                            .arg(int(item->Visible()))
                            .arg(int(item->Protected)));
    }
    return lines;
}

// The stored privileges of a content or template stream.
std::vector<TFormCollectionItem>& storedItems(TFormObject& content) {
    for (TFormProperty& p : content.Properties)
        if (p.Name == QStringLiteral("Items"))
            return p.Value.Items;
    throw std::logic_error("no Items");
}

void setStored(TFormCollectionItem& item, const char* name, const TFormValue& value) {
    for (TFormProperty& p : item.Properties)
        if (p.Name == QString::fromUtf8(name)) {
            p.Value = value;
            return;
        }
    throw std::logic_error(name);
}

QByteArray privilegesFile(const QByteArray& content) {
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Privileges;
    return QzBuildPkgFile(header, content);
}

class PkgPrivileges : public PkgTest {};

} // namespace

TEST_F(PkgPrivileges, ListFindsByIdAndRefusesWhatWouldBreakIt) {
    TQzPkgPrivileges pkg;
    EXPECT_EQ(pkg.DefaultExt(), QStringLiteral("pac"));
    P* first = pkg.Add(1);
    pkg.Add(5);
    EXPECT_EQ(pkg.Count(), 2);
    EXPECT_EQ(pkg.GetItems(1)->Id(), 5);
    EXPECT_EQ(pkg.FindId(1), first);
    EXPECT_EQ(pkg.FindId(2), nullptr);
    EXPECT_EQ(pkg.UniqueId(), 6);
    // A new privilege grants read/write and shows, as the add dialog proposes.
    EXPECT_EQ(first->Access(), TQzPrivilege::acReadWrite);
    EXPECT_TRUE(first->Visible());
    EXPECT_FALSE(first->DescriptionId()->Defined());

    const QByteArray before = pkg.ContentBytes();
    EXPECT_EQ(errorOf([&] { pkg.Add(5); }), "There is already a privilege with the id 5");
    EXPECT_EQ(errorOf([&] { first->SetId(5); }), "There is already a privilege with the id 5");
    EXPECT_EQ(errorOf([&] { pkg.Add(-1); }), "-1 is not a valid privilege id");
    EXPECT_EQ(errorOf([&] { first->SetAccess(3); }),
              "3 is not an access level (0 none, 1 read, 2 read/write)");
    EXPECT_EQ(errorOf([&] { first->SetAccess(-1); }),
              "-1 is not an access level (0 none, 1 read, 2 read/write)");
    EXPECT_EQ(pkg.ContentBytes(), before);

    // The add dialog lists the access levels by the names of the property's type, in order.
    const QMetaProperty access =
        P::staticMetaObject.property(P::staticMetaObject.indexOfProperty("Access"));
    ASSERT_TRUE(access.isEnumType());
    EXPECT_EQ(access.enumerator().keyCount(), 3);
    EXPECT_STREQ(access.enumerator().valueToKey(TQzPrivilege::acReadWrite), "acReadWrite");
}

TEST_F(PkgPrivileges, DescriptionComesFromTheLabelWhenOneIsSet) {
    TQzPkgStrings strings;
    strings.SetPkgName(QStringLiteral("Main"));
    strings.Labels()->Add(40, QStringLiteral("Reports"));

    TQzPkgPrivileges pkg;
    P* item = pkg.Add(1);
    item->SetDescription(QStringLiteral("typed"));
    EXPECT_EQ(item->DescriptionText(), QStringLiteral("typed"));

    // The item keeps a copy: changing the dialog's reference afterwards does not reach it.
    TQzMemoryLabel label;
    label.PkgId(QStringLiteral("main"), 40);
    item->SetDescriptionId(&label);
    label.SetId(-1);
    EXPECT_TRUE(item->DescriptionId()->Defined());
    EXPECT_EQ(item->DescriptionText(), QStringLiteral("Reports"));

    // A cleared reference gives the typed text back.
    item->DescriptionId()->SetId(-1);
    EXPECT_EQ(item->DescriptionText(), QStringLiteral("typed"));
}

TEST_F(PkgPrivileges, TemplatesCarryThePrivilegesWithoutTheKey) {
    TQzPkgPrivileges pkg;
    fill(pkg);
    const QString file = path(QStringLiteral("shop.pri"));
    pkg.SaveTemplateToFile(file);
    const QByteArray bytes = readBytes(QStringLiteral("shop.pri"));
    EXPECT_FALSE(bytes.contains("s3cr3t-KEY"));
    EXPECT_FALSE(bytes.contains(QByteArray(reinterpret_cast<const char*>(u"s3cr3t-KEY"), 20)));

    // Loading replaces the privileges and keeps the target's own key and settings.
    TQzPkgPrivileges other;
    other.Add(500)->SetDescription(QStringLiteral("replaced"));
    other.SetAccessKey(QStringLiteral("other key"));
    other.LoadTemplateFromFile(file);
    EXPECT_EQ(dump(other), dump(pkg));
    EXPECT_EQ(other.FindId(500), nullptr);
    EXPECT_EQ(other.AccessKey(), QStringLiteral("other key"));
    EXPECT_FALSE(other.ReadStateDisableControl());
    EXPECT_EQ(errorOf([&] { other.Add(12); }), "There is already a privilege with the id 12");

    // Templates and package files are not taken for one another.
    const QByteArray before = other.ContentBytes();
    auto expectRefused = [&](const std::function<void()>& load, const std::string& problem) {
        const std::string message = errorOf(load);
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_EQ(other.ContentBytes(), before);
    };
    pkg.SaveToFile(path(QStringLiteral("shop.pac")));
    expectRefused([&] { other.LoadTemplateFromFile(path(QStringLiteral("shop.pac"))); },
                  "it is a privileges package, not a template");
    expectRefused([&] { other.LoadFromFile(file); }, "not a TQzPkgPrivilegesData");

    // Damaged or foreign templates.
    expectRefused([&] { other.LoadTemplateFromFile(path(QStringLiteral("none.pri"))); },
                  "does not exist");
    writeBytes(QStringLiteral("cut.pri"), bytes.left(bytes.size() - 4));
    expectRefused([&] { other.LoadTemplateFromFile(path(QStringLiteral("cut.pri"))); },
                  "truncated");
    QByteArray flipped = bytes;
    flipped[flipped.size() - 8] = char(flipped[flipped.size() - 8] ^ 0x01);
    writeBytes(QStringLiteral("flipped.pri"), flipped);
    expectRefused([&] { other.LoadTemplateFromFile(path(QStringLiteral("flipped.pri"))); },
                  "checksum mismatch");
    TQzPkgStrings strings;
    strings.SaveToFile(path(QStringLiteral("strings.pri")));
    expectRefused([&] { other.LoadTemplateFromFile(path(QStringLiteral("strings.pri"))); },
                  "it holds a strings package, not a privileges package");
    TFormObject twice = ReadBinaryForm(QzParsePkgFile(bytes, file).Content);
    setStored(storedItems(twice)[1], "Id", TFormValue::makeInteger(12));
    writeBytes(QStringLiteral("twice.pri"), privilegesFile(WriteBinaryForm(twice)));
    expectRefused([&] { other.LoadTemplateFromFile(path(QStringLiteral("twice.pri"))); },
                  "There is already a privilege with the id 12");
}

TEST_F(PkgPrivileges, BulkChangesAreReportedOnceAtTheEnd) {
    TQzPkgPrivileges pkg;
    int reports = 0;
    QObject::connect(&pkg, &TQzPkgPrivileges::Changed, [&] { ++reports; });
    for (int id = 1; id <= 3; ++id)
        pkg.Add(id)->SetAccess(TQzPrivilege::acNone);
    EXPECT_EQ(reports, 6);

    // The editor's "Clear Access": every privilege back to read/write, one report.
    reports = 0;
    pkg.BeginUpdate();
    pkg.BeginUpdate();
    for (int i = 0; i < pkg.Count(); ++i)
        pkg.GetItems(i)->SetAccess(TQzPrivilege::acReadWrite);
    pkg.EndUpdate();
    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(pkg.Updating());
    pkg.EndUpdate();
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(pkg.Updating());
    EXPECT_EQ(errorOf([&] { pkg.EndUpdate(); }),
              "EndUpdate of a privileges package without a BeginUpdate");

    // An update without changes reports nothing.
    reports = 0;
    pkg.BeginUpdate();
    pkg.EndUpdate();
    EXPECT_EQ(reports, 0);

    // Clearing drops the privileges in one report and keeps the key and settings.
    pkg.SetAccessKey(QStringLiteral("key"));
    pkg.SetReadStateDisableControl(true);
    reports = 0;
    pkg.Clear();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(pkg.Count(), 0);
    EXPECT_EQ(pkg.AccessKey(), QStringLiteral("key"));
    EXPECT_TRUE(pkg.ReadStateDisableControl());

    // Freeing a privilege and loading content report; a refused load does not.
    delete pkg.Add(4);
    EXPECT_EQ(reports, 3);
    pkg.SaveToFile(path(QStringLiteral("p.pac")));
    pkg.LoadFromFile(path(QStringLiteral("p.pac")));
    EXPECT_EQ(reports, 4);
    EXPECT_THROW(pkg.LoadFromFile(path(QStringLiteral("missing.pac"))), EQzError);
    EXPECT_EQ(reports, 4);
    // New content reports to the same listeners.
    pkg.Add(8);
    EXPECT_EQ(reports, 5);
}
