// Setup packages: key assignments and database settings through files and forms, and the
// values they refuse.

#include "BinaryForm.h"
#include "ComponentStreams.h"
#include "Controls.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgSetup.h"

#include <QMetaEnum>
#include <memory>

namespace {

int shortCut(QKeyCombination keys) {
    return keys.toCombined();
}

void fill(TQzPkgSetup& setup) {
    TQzPkgSetupKeys* keys = setup.Keys();
    keys->SetInsertRecord(shortCut(Qt::CTRL | Qt::Key_N));
    keys->SetPostRecord(shortCut(Qt::SHIFT | Qt::CTRL | Qt::Key_F12));
    keys->SetButtonCustom2(0);
    keys->SetInsertMode(true);
    keys->SetActionEnter(false);
    keys->SetDeleteType(TQzPkgSetupKeys::dltGrids);
    TQzPkgSetupDataBase* db = setup.DataBase();
    db->SetDataBaseEngine(TQzPkgSetupDataBase::dbeManual);
    db->SetDateFormat(dfYMD);
    db->SetDateSeparator(u'-');
    db->SetTimeSeparator(QChar(0)); // an empty edit stores none
    db->SetNumericDecimalSeparator(u',');
    db->SetQuotedNumber(true);
    db->SetSQLSyntax(true);
}

void expectFilled(const TQzPkgSetup& setup) {
    const TQzPkgSetupKeys* keys = setup.Keys();
    EXPECT_EQ(keys->InsertRecord(), shortCut(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(keys->PostRecord(), shortCut(Qt::SHIFT | Qt::CTRL | Qt::Key_F12));
    EXPECT_EQ(keys->ButtonCustom2(), 0);
    EXPECT_EQ(keys->FirstRecord(), shortCut(Qt::CTRL | Qt::Key_Home)); // untouched default
    EXPECT_TRUE(keys->InsertMode());
    EXPECT_FALSE(keys->ActionEnter());
    EXPECT_EQ(keys->DeleteType(), TQzPkgSetupKeys::dltGrids);
    const TQzPkgSetupDataBase* db = setup.DataBase();
    EXPECT_EQ(db->DataBaseEngine(), TQzPkgSetupDataBase::dbeManual);
    EXPECT_EQ(db->DateFormat(), dfYMD);
    EXPECT_EQ(db->DateSeparator(), u'-');
    EXPECT_EQ(db->TimeSeparator(), QChar(0));
    EXPECT_EQ(db->NumericDecimalSeparator(), u',');
    EXPECT_TRUE(db->QuotedNumber());
    EXPECT_TRUE(db->SQLSyntax());
}

// The content of `setup` as written, with one property replaced.
QByteArray contentWith(TQzPkgSetup& setup, const QString& name, const TFormValue& value) {
    TFormObject object = ReadBinaryForm(setup.ContentBytes());
    bool found = false;
    for (TFormProperty& p : object.Properties)
        if (p.Name == name) {
            p.Value = value;
            found = true;
        }
    EXPECT_TRUE(found) << name.toStdString();
    return WriteBinaryForm(object);
}

class PkgSetup : public PkgTest {};

} // namespace

TEST_F(PkgSetup, EnumerationNamesForTheDialogs) {
    const QMetaEnum deleteTypes = QMetaEnum::fromType<TQzPkgSetupKeys::TQzDeleteType>();
    ASSERT_EQ(deleteTypes.keyCount(), 4);
    EXPECT_STREQ(deleteTypes.key(0), "dltNone");
    EXPECT_STREQ(deleteTypes.key(1), "dltBoth");
    EXPECT_STREQ(deleteTypes.key(2), "dltControls");
    EXPECT_STREQ(deleteTypes.key(3), "dltGrids");
    EXPECT_EQ(QMetaEnum::fromType<TQzPkgSetupDataBase::TQzDataBaseEngine>().keyCount(), 3);
    EXPECT_EQ(QMetaEnum::fromType<TQzDateFormat>().keyCount(), 3);
}

TEST_F(PkgSetup, SettersRefuseBadValuesAndChangeNothing) {
    TQzPkgSetup setup;
    TQzPkgSetupKeys* keys = setup.Keys();
    const int before = keys->Refresh();
    EXPECT_EQ(errorOf([&] { keys->SetRefresh(-5); }), "-5 is not a shortcut");
    EXPECT_EQ(keys->Refresh(), before);
    EXPECT_THROW(keys->SetDeleteType(TQzPkgSetupKeys::TQzDeleteType(4)), EQzError);
    EXPECT_EQ(keys->DeleteType(), TQzPkgSetupKeys::dltBoth);
    TQzPkgSetupDataBase* db = setup.DataBase();
    EXPECT_EQ(errorOf([&] { db->SetDataBaseEngine(TQzPkgSetupDataBase::TQzDataBaseEngine(3)); }),
              "The database engine must be between 0 and 2, not 3");
    EXPECT_THROW(db->SetDateFormat(TQzDateFormat(-1)), EQzError);
    EXPECT_EQ(db->DataBaseEngine(), TQzPkgSetupDataBase::dbeStandard);
}

TEST_F(PkgSetup, FileRoundTripAndCopy) {
    TQzPkgSetup setup;
    fill(setup);
    setup.SetDescription(QStringLiteral("Office"));
    setup.SaveFileEx(QStringLiteral("office"), TQzPkgInfo::imFILE);
    EXPECT_EQ(QzReadPkgSetupDescription(path(QStringLiteral("office.stp"))),
              QStringLiteral("Office"));

    TQzPkgSetup copy;
    copy.LoadFromFile(path(QStringLiteral("office.stp")));
    expectFilled(copy);
    EXPECT_EQ(copy.ContentBytes(), setup.ContentBytes());

    // Assign copies every value between setups.
    TQzPkgSetup other;
    other.Keys()->Assign(setup.Keys());
    other.DataBase()->Assign(setup.DataBase());
    expectFilled(other);
    EXPECT_THROW(other.Keys()->Assign(setup.DataBase()), EConvertError);
}

TEST_F(PkgSetup, ContentTravelsInAForm) {
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    auto* setup = new TQzPkgSetup(&form);
    setup->SetName(QStringLiteral("PkgSetup1"));
    fill(*setup);
    const QByteArray text = WriteComponentText(&form);
    EXPECT_TRUE(text.contains("PkgData = {"));
    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    auto* back = qobject_cast<TQzPkgSetup*>(copy->FindComponent(QStringLiteral("PkgSetup1")));
    ASSERT_TRUE(back);
    expectFilled(*back);
}

TEST_F(PkgSetup, BadContentIsRefusedWhole) {
    TQzPkgSetup good;
    fill(good);
    TQzPkgSetup setup;
    setup.Keys()->SetInsertRecord(shortCut(Qt::Key_F9));
    const QByteArray before = setup.ContentBytes();
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Setup;
    auto expectRefused = [&](const QByteArray& content, const std::string& problem) {
        writeBytes(QStringLiteral("bad.stp"), QzBuildPkgFile(header, content));
        const std::string message =
            errorOf([&] { setup.LoadFromFile(path(QStringLiteral("bad.stp"))); });
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_EQ(setup.ContentBytes(), before);
        EXPECT_THROW(setup.SetContentBytes(content), Exception);
        EXPECT_EQ(setup.ContentBytes(), before);
    };
    expectRefused(contentWith(good, QStringLiteral("Keys.DeleteType"), TFormValue::makeInteger(9)),
                  "9 is not a value of TQzDeleteType");
    expectRefused(contentWith(good, QStringLiteral("Keys.EditRecord"), TFormValue::makeInteger(-1)),
                  "-1 is not a shortcut");
    expectRefused(contentWith(good, QStringLiteral("DataBase.DateSeparator"),
                              TFormValue::makeString(QString())),
                  "The date separator must be one character");
    expectRefused(contentWith(good, QStringLiteral("DataBase.DataBaseEngine"),
                              TFormValue::makeIdent(QStringLiteral("dbeRemote"))),
                  "dbeRemote");
}
