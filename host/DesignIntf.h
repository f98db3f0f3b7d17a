#pragma once

// What the design package sees of the form designer: the designer of one designed form
// (IDesigner) and the attributes the object inspector reads from property editors. The designer
// host implements IDesigner; the package calls it.

#include "Classes.h"

#include <QList>
#include <QMetaType>
#include <functional>

class IDesigner;

using TGetStrProc = std::function<void(const QString& value)>;

// What the object inspector may do with a property.
enum TPropertyAttribute : unsigned {
    paValueList = 0x1,     // offers a list of values (GetValues)
    paSubProperties = 0x2, // expands into the properties of its object (GetProperties)
    paDialog = 0x4,        // a "..." button runs Edit
    paMultiSelect = 0x8,   // stays visible while several components are selected
    paAutoUpdate = 0x10,   // SetValue on every keystroke
    paSortList = 0x20,     // the value list is shown sorted
    paReadOnly = 0x40,     // the value cannot be typed
    paRevertable = 0x80,   // can be reset to its inherited value
    paFullWidthName = 0x100,
    paVolatileSubProperties = 0x200, // sub-properties change with the value
    paNotNestable = 0x400,           // not shown as a sub-property of another property
};
using TPropertyAttributes = unsigned;

// The designer of a designed form. Every designed root component carries its designer
// (TComponent::Designer()); DesignerOf gives it back as this interface.
class IDesigner {
public:
    virtual ~IDesigner();

    // The design changed: the form is marked modified and open design windows are told.
    virtual void Modified() = 0;
    // Adds an event handler `name` of `eventType` to the root's unit and returns it bound.
    virtual TMethod CreateMethod(const QString& name, QMetaType eventType) = 0;
    // The name of the handler `method` points at; "" when it points at none the unit has.
    virtual QString GetMethodName(const TMethod& method) = 0;
    virtual bool MethodExists(const QString& name) = 0;
    // The unit's handlers that fit `eventType`, in the order of the unit.
    virtual void GetMethods(QMetaType eventType, const TGetStrProc& proc) = 0;
    // Brings the handler's code into view in the source editor.
    virtual void ShowMethod(const QString& name) = 0;

    // Makes `instance` (a component of the form, or a persistent inside one) the selection.
    virtual void SelectComponent(TPersistent* instance) = 0;
    virtual void SetSelections(const QList<TPersistent*>& selection) = 0;
    virtual QList<TPersistent*> GetSelections() = 0;

    // Names of the form's components (the root included) whose class descends from
    // `classType`, in creation order.
    virtual void GetComponentNames(const QMetaObject* classType, const TGetStrProc& proc) = 0;
    // The component of the form called `name` (case-insensitive), the root included; none
    // when there is no such component.
    virtual TComponent* GetComponent(const QString& name) = 0;
    virtual QString GetComponentName(TComponent* component) = 0;
    virtual TComponent* GetRoot() = 0;

    // A new component of `componentClass` owned by the root, placed under `parent` (the root
    // when none). -1 for a coordinate or size means the designer's default.
    virtual TComponent* CreateComponent(TClass componentClass, TComponent* parent, int left,
                                        int top, int width, int height) = 0;
    // A component name not yet taken on the form: `baseName` without its leading "T" plus the
    // first free number ("TQzLabel" gives "QzLabel1").
    virtual QString UniqueName(const QString& baseName) = 0;
};

// The designer of `root`, a designed root component; none when nothing designs it.
IDesigner* DesignerOf(const TComponent* root);
// Makes `designer` the designer of `root` (none to detach it).
void SetDesignerOf(TComponent* root, IDesigner* designer);
