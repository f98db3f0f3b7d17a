// Setup packages: the values their setters refuse and copies between setups. Files and forms
// are tested with every kind.

#include "PkgTestSupport.h"
#include "QzPkgSetup.h"

#include <QMetaEnum>

namespace {

class PkgSetup : public PkgTest {};

} // namespace

// Stored content names these values, and the dialogs list them in this order.
TEST_F(PkgSetup, EnumerationNamesForTheDialogs) {
    QStringList keys;
    const QMetaEnum deleteTypes = QMetaEnum::fromType<TQzPkgSetupKeys::TQzDeleteType>();
    for (int i = 0; i < deleteTypes.keyCount(); ++i)
        keys << QLatin1String(deleteTypes.key(i));
    EXPECT_EQ(keys, QStringList({"dltNone", "dltBoth", "dltControls", "dltGrids"}));
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

TEST_F(PkgSetup, AssignCopiesEveryValueBetweenSetups) {
    TQzPkgSetup setup;
    pkgKind(TQzPkgKind::Setup).Fill(setup);
    TQzPkgSetup other;
    other.Keys()->Assign(setup.Keys());
    other.DataBase()->Assign(setup.DataBase());
    EXPECT_EQ(published(other.Data()), published(setup.Data()));
    EXPECT_NE(published(other.Data()), published(TQzPkgSetup().Data()));
    EXPECT_THROW(other.Keys()->Assign(setup.DataBase()), EConvertError);
}
