#pragma once

// The standard property editors, one per kind of value; the registry falls back on them for
// properties no package binds. Package editors derive from the one nearest to their value.

#include "DesignEditors.h"

// Integers, enumerations, booleans and object references read as numbers.
class TOrdinalProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    bool AllEqual() override;
};

class TIntegerProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    QString GetValue() override;
    // Raises EConvertError for text that is not a whole number in the property's range.
    void SetValue(const QString& value) override;
};

// Enumerations and booleans: the names of the values, as a sorted list.
class TEnumProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // Accepts a value name (any case) or its number; raises EConvertError otherwise.
    void SetValue(const QString& value) override;
    void GetValues(const TGetStrProc& proc) override;
};

// Sets: "[a,b]"; each member is a Boolean sub-property.
class TSetProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString& value) override;
    void GetProperties(const TGetPropProc& proc) override;
};

class TFloatProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString& value) override;
    bool AllEqual() override;
};

class TStringProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString& value) override;
    bool AllEqual() override;
};

// A component's Name: one component at a time, since two cannot share a name. Raises for text
// that is not an identifier or a name taken on the form.
class TComponentNameProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override;
    void SetValue(const QString& value) override;
};

// Variants are shown and typed as text.
class TVariantProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString& value) override;
    bool AllEqual() override;
};

// An object the component owns (a font, a reference object, a collection): "(TClassName)",
// read-only, with its published properties as sub-properties.
class TClassProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetProperties(const TGetPropProc& proc) override;
    // Each component holds an object of its own: they agree when the objects' classes do.
    bool AllEqual() override;
};

// A reference to another component of the form, chosen by name; "" clears it.
class TComponentProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // Raises EConvertError for a name the form has no fitting component of.
    void SetValue(const QString& value) override;
    void GetValues(const TGetStrProc& proc) override;
    bool AllEqual() override;
};

// An event: the name of its handler in the form's unit. Typing a new name creates the handler;
// Edit creates the default one (component name + event name without "On") and shows it.
class TMethodProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString& value) override;
    void GetValues(const TGetStrProc& proc) override;
    void Edit() override;
    bool AllEqual() override;
    QString DefaultMethodName() const;
};
