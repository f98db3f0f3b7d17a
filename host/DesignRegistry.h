#pragma once

// Registration of what a design package offers the designer (palette classes, property editor
// and component editor bindings) and the lookups the designer makes in it. Every call is kept in
// a journal in order, so the designer can list it and tests can check the order.

#include "ComponentEditors.h"
#include "DesignDialogs.h"
#include "DesignEditors.h"

#include <QStringList>
#include <cxxabi.h>
#include <typeinfo>

// ---------------------------------------------------------------------------------------------
// Editor classes

// The readable name of a C++ class, as written in the source.
QString DemangledClassName(const std::type_info& type);

struct TPropertyEditorClassInfo {
    QString ClassName;
    std::function<std::unique_ptr<TPropertyEditor>(IDesigner*, const QList<TPersistent*>&,
                                                   const QMetaProperty&)>
        Create;
};
using TPropertyEditorClass = const TPropertyEditorClassInfo*;

template <typename E>
TPropertyEditorClass PropertyEditorClassOf() {
    static const TPropertyEditorClassInfo info{
        DemangledClassName(typeid(E)),
        [](IDesigner* designer, const QList<TPersistent*>& components, const QMetaProperty& prop) {
            return std::unique_ptr<TPropertyEditor>(new E(designer, components, prop));
        }};
    return &info;
}

struct TComponentEditorClassInfo {
    QString ClassName;
    std::function<std::unique_ptr<TComponentEditor>(TComponent*, IDesigner*)> Create;
};
using TComponentEditorClass = const TComponentEditorClassInfo*;

template <typename E>
TComponentEditorClass ComponentEditorClassOf() {
    static const TComponentEditorClassInfo info{
        DemangledClassName(typeid(E)), [](TComponent* component, IDesigner* designer) {
            return std::unique_ptr<TComponentEditor>(new E(component, designer));
        }};
    return &info;
}

// ---------------------------------------------------------------------------------------------
// Property types as bindings name them

// A class type matches properties holding that class or a descendant; any other type matches
// properties of exactly its meta type. Name is what listings show ("Integer", "string",
// "Variant", "TModalResult", "TQzMemoryLabel").
struct TTypeInfo {
    QString Name;
    QMetaType Type;
    const QMetaObject* Class = nullptr;
};

template <typename T>
TTypeInfo TypeInfoOf(const char* name = nullptr) {
    TTypeInfo info;
    if constexpr (std::is_base_of_v<QObject, T>) {
        info.Class = &T::staticMetaObject;
        info.Type = QMetaType::fromType<T*>();
        info.Name = QString::fromLatin1(T::staticMetaObject.className());
    } else {
        info.Type = QMetaType::fromType<T>();
        if constexpr (std::is_same_v<T, int>)
            info.Name = QStringLiteral("Integer");
        else if constexpr (std::is_same_v<T, QString>)
            info.Name = QStringLiteral("string");
        else if constexpr (std::is_same_v<T, QVariant>)
            info.Name = QStringLiteral("Variant");
        else if constexpr (std::is_same_v<T, bool>)
            info.Name = QStringLiteral("Boolean");
        else if constexpr (std::is_same_v<T, double>)
            info.Name = QStringLiteral("Double");
        else if constexpr (std::is_enum_v<T>)
            info.Name = QString::fromLatin1(QMetaEnum::fromType<T>().name());
        else
            info.Name = QString::fromLatin1(info.Type.name());
    }
    if (name)
        info.Name = QString::fromLatin1(name);
    return info;
}

// ---------------------------------------------------------------------------------------------
// Registration, called from a package's Register

void RegisterComponents(const QString& page, const QList<TClass>& classes);
void RegisterNoIcon(const QList<TClass>& classes);
// Registers with the class registry for streaming, and journals it.
void RegisterDesignClass(TClass cls);
void RegisterDesignClasses(const QList<TClass>& classes);
// The designer offers `cls` and its descendants only on forms that `groupClass` fits.
void GroupDescendentsWith(TClass cls, const QMetaObject* groupClass);
// `componentClass` none means every class; an empty `propertyName` every property of the type.
void RegisterPropertyEditor(const TTypeInfo& propertyType, const QMetaObject* componentClass,
                            const QString& propertyName, TPropertyEditorClass editorClass);
void RegisterComponentEditor(const QMetaObject* componentClass, TComponentEditorClass editorClass);

// ---------------------------------------------------------------------------------------------
// The journal

enum class TRegistrationKind {
    Components,
    NoIcon,
    Class,
    GroupDescendents,
    PropertyEditor,
    ComponentEditor,
    Dialog,
    Tool,
};

struct TRegistration {
    TRegistrationKind Kind = TRegistrationKind::Components;
    QString Module;        // the package that registered it
    QString Page;          // Components
    QList<TClass> Classes; // Components, NoIcon, Class, GroupDescendents (the class)
    const QMetaObject* GroupClass = nullptr;     // GroupDescendents
    TTypeInfo PropertyType;                      // PropertyEditor
    const QMetaObject* ComponentClass = nullptr; // PropertyEditor, ComponentEditor
    QString PropertyName;                        // PropertyEditor
    TPropertyEditorClass PropertyEditorClass = nullptr;
    TComponentEditorClass ComponentEditorClass = nullptr;
    TDesignDialogClass DialogClass = nullptr; // Dialog
    TDesignTool Tool = nullptr;               // Tool
};

// Every registration still in force, in the order it was made.
const QList<TRegistration>& DesignRegistrations();
// Registrations made from now on are credited to `module`, until the next call.
void BeginModuleRegistration(const QString& module);
// Withdraws what `module` registered (its palette entries, bindings and streamable classes).
void UnregisterModule(const QString& module);

// The palette pages in registration order, each with its classes in order.
QList<QPair<QString, QList<TClass>>> PalettePages();
// Where `cls` sits on the palette, or "" when it has no palette entry.
QString PalettePageOf(TClass cls);

// ---------------------------------------------------------------------------------------------
// Lookups the designer makes

// The registered editor class for `prop` of `componentClass`, or none. The most specific
// binding wins: a property name before none, a component class before none, a nearer class
// before a farther one (for both the property type and the component class); among equals the
// later registration wins.
TPropertyEditorClass FindPropertyEditorClass(const QMetaObject* componentClass,
                                             const QMetaProperty& prop);
// The editor for `prop` of `components` (all of one class or sharing the property): the
// registered one, else the standard editor for the property's kind; none for a property no
// editor can show.
std::unique_ptr<TPropertyEditor> CreatePropertyEditor(IDesigner* designer,
                                                      const QList<TPersistent*>& components,
                                                      const QMetaProperty& prop);
// Editors for the published properties the selection shares, in declaration order (of the
// first component's class). With more than one component, only editors with paMultiSelect.
void GetComponentProperties(IDesigner* designer, const QList<TPersistent*>& components,
                            const TGetPropProc& proc);
TComponentEditorClass FindComponentEditorClass(const QMetaObject* componentClass);
// The registered component editor of `component`'s class (or its nearest ancestor's), else the
// default editor.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component, IDesigner* designer);
