// The field list of data controls, read from a real SQLite table through the data set their data
// source names.

#include "EditorsTestSupport.h"

#include <QSqlDatabase>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

class DataField : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        createDatabase();
        FDataSet = add<TQzSqlDataSet>(u"QyCustomers"_s);
        FDataSet->FDatabaseName = u"Shop.sqlite3"_s;
        FDataSet->FTableName = u"Customers"_s;
        FSource = add<TDataSource>(u"DsCustomers"_s);
        FSource->SetDataSet(FDataSet);
    }

    void createDatabase() {
        const QString connection = u"DataFieldTest"_s;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
            db.setDatabaseName(path(u"Shop.sqlite3"_s));
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(u"CREATE TABLE Customers (Id INTEGER PRIMARY KEY, Name TEXT, "
                                   "City TEXT, Balance REAL)"_s));
            ASSERT_TRUE(query.exec(u"INSERT INTO Customers VALUES (1, 'Smith', 'Leeds', 10.5)"_s));
        }
        QSqlDatabase::removeDatabase(connection);
    }

    TQzSqlDataSet* FDataSet = nullptr;
    TDataSource* FSource = nullptr;
};

} // namespace

TEST_F(DataField, OffersTheFieldsOfTheTableThenItsAggregates) {
    FDataSet->FAggregates = {u"Total=SUM(Balance)"_s, u"Customers = COUNT(*)"_s};
    auto* label = add<TQzDbLabel>(u"LbName"_s);
    auto* edit = add<TQzDbEdit>(u"EdCity"_s);
    label->SetDataSource(FSource);
    edit->SetDataSource(FSource);
    const QStringList expected = {u"Id"_s,      u"Name"_s,  u"City"_s,
                                  u"Balance"_s, u"Total"_s, u"Customers"_s};

    for (TPersistent* control : QList<TPersistent*>{label, edit}) {
        auto editor = editorOf({control}, u"DataField"_s);
        ASSERT_EQ(editorClass(editor.get()), u"TQzDataFieldAggProperty");
        EXPECT_EQ(editor->GetAttributes(),
                  TPropertyAttributes(paValueList | paMultiSelect | paSortList));
        EXPECT_EQ(valuesOf(editor.get()), expected);
    }

    // Both controls selected: one choice sets the field of each.
    auto editor = editorOf({label, edit}, u"DataField"_s);
    ASSERT_TRUE(editor);
    editor->SetValue(u"City"_s);
    EXPECT_EQ(label->FDataField, u"City");
    EXPECT_EQ(edit->FDataField, u"City");
}

TEST_F(DataField, WithoutDataSourceOrDataSetTheListIsEmpty) {
    auto* edit = add<TQzDbEdit>(u"EdNothing"_s);
    auto editor = editorOf({edit}, u"DataField"_s);
    EXPECT_TRUE(valuesOf(editor.get()).isEmpty());

    auto* empty = add<TDataSource>(u"DsEmpty"_s);
    edit->SetDataSource(empty);
    EXPECT_TRUE(valuesOf(editor.get()).isEmpty());

    // A data set removed from the form leaves its data source empty.
    edit->SetDataSource(FSource);
    EXPECT_EQ(valuesOf(editor.get()).size(), 4);
    delete FDataSet;
    EXPECT_TRUE(valuesOf(editor.get()).isEmpty());
}
