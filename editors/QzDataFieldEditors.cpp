#include "editors/QzDataFieldEditors.h"

#include "QzData.h"

TPropertyAttributes TQzDBStringProperty::GetAttributes() {
    return paValueList | paMultiSelect | paSortList;
}

void TQzDBStringProperty::GetValues(const TGetStrProc& proc) {
    QStringList list;
    GetValueList(list);
    for (const QString& value : list)
        proc(value);
}

void TQzDBStringProperty::GetValueList(QStringList&) {}

QString TQzDataFieldAggProperty::GetDataSourcePropName() const {
    return QStringLiteral("DataSource");
}

void TQzDataFieldAggProperty::GetValueList(QStringList& list) {
    TPersistent* component = GetComponent(0);
    if (!component)
        return;
    const auto* source = qobject_cast<TDataSource*>(
        component->property(GetDataSourcePropName().toLatin1()).value<QObject*>());
    TDataSet* dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet)
        return;
    list += dataSet->GetFieldNames();
    list += dataSet->GetAggregateFieldNames();
}
