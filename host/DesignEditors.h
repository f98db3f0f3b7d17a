#pragma once

// Property editors (one per shown property of the selection) and component editors (double-click
// and context-menu verbs). The object inspector and the form designer make them through the
// registry (DesignRegistry.h) and throw them away after use.

#include "DesignIntf.h"

#include <QMetaProperty>
#include <QVariant>
#include <memory>

class TPropertyEditor;
using TGetPropProc = std::function<void(std::unique_ptr<TPropertyEditor> editor)>;

class TPropertyEditor {
public:
    // `components` is the selection whose property `prop` is edited; `prop` belongs to the class
    // of every one of them.
    TPropertyEditor(IDesigner* designer, QList<TPersistent*> components, QMetaProperty prop);
    virtual ~TPropertyEditor();
    TPropertyEditor(const TPropertyEditor&) = delete;
    TPropertyEditor& operator=(const TPropertyEditor&) = delete;

    virtual TPropertyAttributes GetAttributes();
    // The text the inspector shows, read from the first component; the inspector shows none
    // where AllEqual says the selection disagrees.
    virtual QString GetValue();
    // Applies typed text to every selected component. Raises on a value it refuses.
    virtual void SetValue(const QString& value);
    // The offered values, in order, one call each.
    virtual void GetValues(const TGetStrProc& proc);
    // What "..." (and a double-click on the value) does.
    virtual void Edit();
    // Whether every selected component holds the same value.
    virtual bool AllEqual();
    // One editor per sub-property, for paSubProperties.
    virtual void GetProperties(const TGetPropProc& proc);
    virtual QString GetName() const;

    int PropCount() const { return int(FComponents.size()); }
    TPersistent* GetComponent(int index) const;
    const QList<TPersistent*>& Components() const { return FComponents; }
    QMetaProperty GetPropInfo() const { return FProp; }
    IDesigner* Designer() const { return FDesigner; }
    // Tells the designer the design changed.
    void Modified();

    // Typed access. The getters read the first component (or the one at `index`); the setters
    // write every selected component and report the change once.
    qint64 GetOrdValue() const { return GetOrdValueAt(0); }
    qint64 GetOrdValueAt(int index) const;
    void SetOrdValue(qint64 value);
    QString GetStrValue() const { return GetStrValueAt(0); }
    QString GetStrValueAt(int index) const;
    void SetStrValue(const QString& value);
    QVariant GetVarValue() const { return GetVarValueAt(0); }
    QVariant GetVarValueAt(int index) const;
    void SetVarValue(const QVariant& value);
    double GetFloatValue() const { return GetFloatValueAt(0); }
    double GetFloatValueAt(int index) const;
    void SetFloatValue(double value);
    QObject* GetObjectValue() const { return GetObjectValueAt(0); }
    QObject* GetObjectValueAt(int index) const;
    void SetObjectValue(QObject* value);
    TMethod GetMethodValue() const { return GetMethodValueAt(0); }
    TMethod GetMethodValueAt(int index) const;
    void SetMethodValue(const TMethod& value);

private:
    void writeAll(const QVariant& value);

    IDesigner* FDesigner;
    QList<TPersistent*> FComponents;
    QMetaProperty FProp;
};

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

// ---------------------------------------------------------------------------------------------
// Component editors

class TComponentEditor {
public:
    TComponentEditor(TComponent* component, IDesigner* designer);
    virtual ~TComponentEditor();
    TComponentEditor(const TComponentEditor&) = delete;
    TComponentEditor& operator=(const TComponentEditor&) = delete;

    // Double-click: runs verb 0 when there are verbs.
    virtual void Edit();
    virtual void ExecuteVerb(int index);
    virtual QString GetVerb(int index);
    virtual int GetVerbCount();

    TComponent* Component() const { return FComponent; }
    IDesigner* GetDesigner() const { return FDesigner; }

private:
    TComponent* FComponent;
    IDesigner* FDesigner;
};

// The editor of components that have none registered: double-click creates or shows the
// handler of the component's main event (OnCreate, OnChange or OnClick, the first it has).
class TDefaultEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
};
