#pragma once

// Where data controls get their fields: a data source that names a data set, and a data set
// read from an SQLite database file through Qt Sql (a table or a query). At design time only
// the field names are needed, so the database is opened, read-only, just to list them.

#include "Classes.h"
#include "QzMultiLine.h"

#include <QPointer>
#include <QStringList>

class TDataSet : public TComponent {
    Q_OBJECT
    // "Name=expression" per line; the names are the aggregate fields data controls may show.
    Q_PROPERTY(QStringList Aggregates MEMBER FAggregates)
public:
    Q_INVOKABLE explicit TDataSet(TComponent* owner = nullptr) : TComponent(owner) {}

    // The names of the data set's fields; raises EQzError when they cannot be read.
    virtual QStringList GetFieldNames() const { return {}; }
    QStringList GetAggregateFieldNames() const;

    QStringList FAggregates;
};

class TQzSqlDataSet : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName MEMBER FDatabaseName)
    Q_PROPERTY(QString TableName MEMBER FTableName)
    Q_PROPERTY(TQzMultiLine SQL MEMBER FSQL)
public:
    Q_INVOKABLE explicit TQzSqlDataSet(TComponent* owner = nullptr) : TDataSet(owner) {}

    // The columns of the table, or of the query when no table is named. The database file must
    // exist; it is opened read-only, so a query can never change it.
    QStringList GetFieldNames() const override;

    QString FDatabaseName;
    QString FTableName;
    TQzMultiLine FSQL;
};

class TDataSource : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSet* DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(bool Enabled MEMBER FEnabled)
public:
    Q_INVOKABLE explicit TDataSource(TComponent* owner = nullptr) : TComponent(owner) {}

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    void Notification(TComponent* component, TOperation operation) override;

    bool FEnabled = true;

private:
    QPointer<TDataSet> FDataSet;
};

// The data source of a data control: followed until it is freed.
class TQzDataLink {
public:
    TDataSource* Source() const { return FSource; }
    void SetSource(TComponent* control, TDataSource* source);

private:
    QPointer<TDataSource> FSource;
};
