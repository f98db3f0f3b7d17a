#pragma once

// Editors that open up what a property holds inside the object inspector: a collection's items,
// the items held by a part of a component (a menu's root item holds the menu), and each such
// object with its own properties and, for a component, what it holds in turn. The registry
// falls back on them for collections and for unnamed parts a component owns.

#include "StdEditors.h"

// A collection: "(3 items)", expanding to one row per item.
class TCollectionProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    QString GetValue() override;
    void GetProperties(const TGetPropProc& proc) override;
};

// An unnamed component that is a part of the selected one (a menu's root item): the names of
// what it holds ("MnFile, MnView"), expanding to them.
class TComponentPartProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetProperties(const TGetPropProc& proc) override;
};

// One object under the row that holds it: a collection item ("[0]", shown by its display name)
// or a component (by its name, shown by its caption). It expands to its published properties
// and, for a component, to the components it holds.
class TNestedObjectProperty : public TPropertyEditor {
public:
    TNestedObjectProperty(TPropertyEditor* holder, TPersistent* object, QString name);
    TPropertyAttributes GetAttributes() override;
    QString GetName() const override;
    QString GetValue() override;
    bool AllEqual() override { return true; }
    void GetProperties(const TGetPropProc& proc) override;
    // The object the row stands for.
    TPersistent* Object() const { return FObject; }

private:
    TPersistent* FObject;
    QString FName;
};
