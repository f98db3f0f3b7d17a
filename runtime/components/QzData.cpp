#include "QzData.h"

#include "QzExcept.h"
#include "QzPkgInfo.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

QStringList TDataSet::GetAggregateFieldNames() const {
    QStringList names;
    for (const QString& line : FAggregates) {
        const QString name = line.section(u'=', 0, 0).trimmed();
        if (!name.isEmpty())
            names.push_back(name);
    }
    return names;
}

namespace {

QStringList fieldNamesOf(const QSqlRecord& record) {
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names.push_back(record.fieldName(i));
    return names;
}

QStringList readFieldNames(const QString& connection, const TQzSqlDataSet& set,
                           const QString& file) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        QzExcept(QStringLiteral("Cannot open the database %1: %2")
                     .arg(set.FDatabaseName, db.lastError().text()));
    if (!set.FTableName.isEmpty()) {
        const QSqlRecord record = db.record(set.FTableName);
        if (record.isEmpty())
            QzExcept(QStringLiteral("The database %1 has no table %2")
                         .arg(set.FDatabaseName, set.FTableName));
        return fieldNamesOf(record);
    }
    if (set.FSQL.trimmed().isEmpty())
        QzExcept(
            QStringLiteral("The data set %1 names neither a table nor a query").arg(set.Name()));
    QSqlQuery query(db);
    if (!query.exec(set.FSQL))
        QzExcept(
            QStringLiteral("The query of %1 failed: %2").arg(set.Name(), query.lastError().text()));
    return fieldNamesOf(query.record());
}

} // namespace

QStringList TQzSqlDataSet::GetFieldNames() const {
    // A relative name lives in the application folder, as package files do.
    const QString file = QFileInfo(FDatabaseName).isRelative() && !FDatabaseName.isEmpty()
                             ? QzAppPath() + FDatabaseName
                             : FDatabaseName;
    if (FDatabaseName.isEmpty() || !QFileInfo(file).isFile())
        QzExcept(QStringLiteral("The database file %1 does not exist").arg(FDatabaseName));
    // Each listing gets a connection of its own, gone again before this returns.
    static QAtomicInteger<int> counter;
    const QString connection = QStringLiteral("QzSqlDataSet%1").arg(counter.fetchAndAddRelaxed(1));
    struct Remove {
        QString Name;
        ~Remove() { QSqlDatabase::removeDatabase(Name); }
    } remove{connection};
    return readFieldNames(connection, *this, file);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (FDataSet)
        FDataSet->RemoveFreeNotification(this);
    FDataSet = dataSet;
    if (dataSet)
        dataSet->FreeNotification(this);
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FDataSet)
        FDataSet = nullptr;
}

void TQzDataLink::SetSource(TComponent* control, TDataSource* source) {
    if (FSource)
        FSource->RemoveFreeNotification(control);
    FSource = source;
    if (source)
        source->FreeNotification(control);
}
