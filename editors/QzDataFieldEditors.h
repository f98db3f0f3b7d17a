#pragma once

// Field names of a data control, offered from the data set its data source names.

#include "StdEditors.h"

// A text property whose values come from a list the descendant fills.
class TQzDBStringProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc& proc) override;

protected:
    virtual void GetValueList(QStringList& list);
};

// The field of a data label or data edit: the fields of the data set behind its data source,
// then the data set's aggregate fields. Without a data source or data set the list is empty; a
// data set that cannot be read raises its error.
class TQzDataFieldAggProperty : public TQzDBStringProperty {
public:
    using TQzDBStringProperty::TQzDBStringProperty;

protected:
    virtual QString GetDataSourcePropName() const;
    void GetValueList(QStringList& list) override;
};
