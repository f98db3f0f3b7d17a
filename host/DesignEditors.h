#pragma once

// Property editors: the object inspector makes one for each property it shows of the selection,
// through the registry (DesignRegistry.h), and throws it away after use. The standard editors
// for each kind of value are in StdEditors.h; component editors in ComponentEditors.h.
//
// Writing a property editor
// -------------------------
// Derive from the standard editor nearest to the value (TStringProperty for text,
// TIntegerProperty, TEnumProperty, TClassProperty for an object the component owns,
// TComponentProperty for a reference to another component; TPropertyEditor itself when nothing
// fits) and override only what differs:
//
//   GetAttributes  what the inspector may do with the property; add to the base's flags:
//                    paValueList   offers a drop-down list of GetValues (paSortList: sorted)
//                    paDialog      shows "..."; the button and a double-click run Edit
//                    paSubProperties  expands into GetProperties
//                    paMultiSelect stays visible while several components are selected
//                    paReadOnly    the value cannot be typed (a dialog or list may still set it)
//                    paAutoUpdate  SetValue runs on every keystroke
//                    paRevertable  can be reset to the inherited value
//   GetValue       the text shown, read from the first component (GetComponent(0), or the
//                  typed getters GetOrdValue, GetStrValue, GetVarValue, GetObjectValue)
//   SetValue       takes typed text for every selected component through the typed setters,
//                  which write them all and tell the designer once; raise EConvertError (or
//                  the runtime's error) with a readable message to refuse the text
//   GetValues      one call of the callback per offered value, in order
//   Edit           what "..." does; editors whose "..." opens a dialog derive from the dialog
//                  editor base of the design package, which holds the shared steps
//   AllEqual       whether every selected component holds the same value; where it says no,
//                  the inspector shows no text
//
// An editor validates in SetValue and raises; the host shows the message and keeps the old
// value. An editor never keeps pointers beyond its own life: the selection may change as soon
// as a call returns.

#include "DesignIntf.h"

#include <QMetaProperty>
#include <QVariant>
#include <functional>
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
