#include "DesignRegistry.h"

#include "CollectionEditors.h"
#include "Graphics.h"
#include "GraphicsEditors.h"
#include "StdEditors.h"

#include "ComponentStreams.h"

#include <cstdlib>
#include <memory>
#include <tuple>

QString DemangledClassName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    return QString::fromLatin1(status == 0 && name ? name.get() : type.name());
}

namespace {

struct Registry {
    QList<TRegistration> Journal;
    QString Module;
    // Classes that design registration put into the class registry (not there before), by
    // module, so unloading takes them out again.
    QList<QPair<QString, TClass>> AddedClasses;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

void journal(TRegistration entry) {
    entry.Module = registry().Module;
    registry().Journal.push_back(std::move(entry));
}

void makeStreamable(TClass cls) {
    if (GetClass(cls->ClassName()) == cls)
        return;
    RegisterClass(cls);
    registry().AddedClasses.push_back({registry().Module, cls});
}

// How many steps up from `cls` `ancestor` is; -1 when it is not an ancestor.
int distance(const QMetaObject* cls, const QMetaObject* ancestor) {
    int steps = 0;
    for (const QMetaObject* m = cls; m; m = m->superClass(), ++steps)
        if (m == ancestor)
            return steps;
    return -1;
}

bool typeMatches(const TTypeInfo& type, const QMetaProperty& prop, int* typeDistance) {
    if (type.Class) {
        const QMetaObject* held = prop.metaType().metaObject();
        if (!(prop.metaType().flags() & QMetaType::PointerToQObject) || !held)
            return false;
        *typeDistance = distance(held, type.Class);
        return *typeDistance >= 0;
    }
    *typeDistance = 0;
    return type.Type == prop.metaType();
}

} // namespace

void RegisterComponents(const QString& page, const QList<TClass>& classes) {
    for (TClass cls : classes)
        makeStreamable(cls);
    TRegistration entry;
    entry.Kind = TRegistrationKind::Components;
    entry.Page = page;
    entry.Classes = classes;
    journal(entry);
}

void RegisterNoIcon(const QList<TClass>& classes) {
    TRegistration entry;
    entry.Kind = TRegistrationKind::NoIcon;
    entry.Classes = classes;
    journal(entry);
}

void RegisterDesignClass(TClass cls) {
    RegisterDesignClasses({cls});
}

void RegisterDesignClasses(const QList<TClass>& classes) {
    for (TClass cls : classes)
        makeStreamable(cls);
    TRegistration entry;
    entry.Kind = TRegistrationKind::Class;
    entry.Classes = classes;
    journal(entry);
}

void GroupDescendentsWith(TClass cls, const QMetaObject* groupClass) {
    TRegistration entry;
    entry.Kind = TRegistrationKind::GroupDescendents;
    entry.Classes = {cls};
    entry.GroupClass = groupClass;
    journal(entry);
}

void RegisterPropertyEditor(const TTypeInfo& propertyType, const QMetaObject* componentClass,
                            const QString& propertyName, TPropertyEditorClass editorClass) {
    TRegistration entry;
    entry.Kind = TRegistrationKind::PropertyEditor;
    entry.PropertyType = propertyType;
    entry.ComponentClass = componentClass;
    entry.PropertyName = propertyName;
    entry.PropertyEditorClass = editorClass;
    journal(entry);
}

void RegisterComponentEditor(const QMetaObject* componentClass, TComponentEditorClass editorClass) {
    TRegistration entry;
    entry.Kind = TRegistrationKind::ComponentEditor;
    entry.ComponentClass = componentClass;
    entry.ComponentEditorClass = editorClass;
    journal(entry);
}

void RegisterDesignDialog(TDesignDialogClass dialog) {
    TRegistration entry;
    entry.Kind = TRegistrationKind::Dialog;
    entry.DialogClass = dialog;
    journal(entry);
}

void RegisterDesignTool(TDesignTool tool) {
    TRegistration entry;
    entry.Kind = TRegistrationKind::Tool;
    entry.Tool = tool;
    journal(std::move(entry));
}

const QList<TRegistration>& DesignRegistrations() {
    return registry().Journal;
}

void BeginModuleRegistration(const QString& module) {
    registry().Module = module;
}

void UnregisterModule(const QString& module) {
    Registry& r = registry();
    r.Journal.removeIf([&](const TRegistration& entry) { return entry.Module == module; });
    r.AddedClasses.removeIf([&](const QPair<QString, TClass>& added) {
        if (added.first != module)
            return false;
        UnRegisterClass(added.second);
        return true;
    });
}

QList<QPair<QString, QList<TClass>>> PalettePages() {
    QList<QPair<QString, QList<TClass>>> pages;
    for (const TRegistration& entry : registry().Journal) {
        if (entry.Kind != TRegistrationKind::Components)
            continue;
        auto page = std::find_if(pages.begin(), pages.end(),
                                 [&](const auto& p) { return p.first == entry.Page; });
        if (page == pages.end()) {
            pages.push_back({entry.Page, {}});
            page = pages.end() - 1;
        }
        for (TClass cls : entry.Classes) {
            // A class registered again moves to its latest place.
            for (auto& other : pages)
                other.second.removeOne(cls);
            page->second.push_back(cls);
        }
    }
    pages.removeIf([](const auto& p) { return p.second.isEmpty(); });
    return pages;
}

QString PalettePageOf(TClass cls) {
    for (const auto& page : PalettePages())
        if (page.second.contains(cls))
            return page.first;
    return {};
}

TPropertyEditorClass FindPropertyEditorClass(const QMetaObject* componentClass,
                                             const QMetaProperty& prop) {
    const QString name = QString::fromLatin1(prop.name());
    TPropertyEditorClass best = nullptr;
    // Higher is better: property name given, component class given, nearer property type,
    // nearer component class, later registration.
    std::tuple<bool, bool, int, int, int> bestRank;
    const QList<TRegistration>& all = registry().Journal;
    for (int i = 0; i < all.size(); ++i) {
        const TRegistration& entry = all[i];
        if (entry.Kind != TRegistrationKind::PropertyEditor)
            continue;
        int typeDistance = 0;
        if (!typeMatches(entry.PropertyType, prop, &typeDistance))
            continue;
        int componentDistance = 0;
        if (entry.ComponentClass) {
            componentDistance = distance(componentClass, entry.ComponentClass);
            if (componentDistance < 0)
                continue;
        }
        if (!entry.PropertyName.isEmpty() &&
            entry.PropertyName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const auto rank =
            std::make_tuple(!entry.PropertyName.isEmpty(), entry.ComponentClass != nullptr,
                            -typeDistance, -componentDistance, i);
        if (!best || rank > bestRank) {
            best = entry.PropertyEditorClass;
            bestRank = rank;
        }
    }
    return best;
}

namespace {

bool isInteger(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

template <typename E>
std::unique_ptr<TPropertyEditor> make(IDesigner* designer, const QList<TPersistent*>& components,
                                      const QMetaProperty& prop) {
    return std::make_unique<E>(designer, components, prop);
}

} // namespace

std::unique_ptr<TPropertyEditor> CreatePropertyEditor(IDesigner* designer,
                                                      const QList<TPersistent*>& components,
                                                      const QMetaProperty& prop) {
    if (components.isEmpty())
        return nullptr;
    if (TPropertyEditorClass cls = FindPropertyEditorClass(components[0]->metaObject(), prop))
        return cls->Create(designer, components, prop);
    const QMetaType type = prop.metaType();
    if (prop.enclosingMetaObject() == &TComponent::staticMetaObject &&
        qstrcmp(prop.name(), "Name") == 0)
        return make<TComponentNameProperty>(designer, components, prop);
    if (IsEventType(type))
        return make<TMethodProperty>(designer, components, prop);
    if (prop.isFlagType())
        return make<TSetProperty>(designer, components, prop);
    if (prop.isEnumType() || type == QMetaType::fromType<bool>())
        return make<TEnumProperty>(designer, components, prop);
    if (isInteger(type)) {
        // Colours and short cuts are integers as forms store them.
        const QByteArray name(prop.name());
        if (name.endsWith("Color"))
            return make<TColorProperty>(designer, components, prop);
        if (name == "ShortCut")
            return make<TShortCutProperty>(designer, components, prop);
        return make<TIntegerProperty>(designer, components, prop);
    }
    if (type == QMetaType::fromType<double>() || type == QMetaType::fromType<float>())
        return make<TFloatProperty>(designer, components, prop);
    if (type == QMetaType::fromType<QString>())
        return make<TStringProperty>(designer, components, prop);
    if (type == QMetaType::fromType<QVariant>())
        return make<TVariantProperty>(designer, components, prop);
    if (type.flags() & QMetaType::PointerToQObject) {
        const QMetaObject* held = type.metaObject();
        const bool reference = held && held->inherits(&TComponent::staticMetaObject);
        // A component the holder owns as a part of itself is edited in place, not chosen.
        auto* value = qobject_cast<TComponent*>(prop.read(components[0]).value<QObject*>());
        // An unnamed component the holder owns is a part of it that holds others (a menu's
        // items): it opens up to them.
        if (reference && value && value->Name().isEmpty() && value->Owner() == components[0])
            return make<TComponentPartProperty>(designer, components, prop);
        if (reference && !(value && (value->ComponentState() & csSubComponent)))
            return make<TComponentProperty>(designer, components, prop);
        if (held && held->inherits(&TCollection::staticMetaObject))
            return make<TCollectionProperty>(designer, components, prop);
        if (held && held->inherits(&TFont::staticMetaObject))
            return make<TFontProperty>(designer, components, prop);
        if (held && held->inherits(&TPersistent::staticMetaObject))
            return make<TClassProperty>(designer, components, prop);
    }
    return nullptr;
}

void GetComponentProperties(IDesigner* designer, const QList<TPersistent*>& components,
                            const TGetPropProc& proc) {
    if (components.isEmpty())
        return;
    const QMetaObject* meta = components[0]->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        if (!prop.isDesignable())
            continue;
        const QString name = QString::fromLatin1(prop.name());
        // Every selected component must have the property, with the same type and editor.
        TPropertyEditorClass editorClass = FindPropertyEditorClass(meta, prop);
        bool shared = true;
        for (int c = 1; c < components.size() && shared; ++c) {
            const QMetaProperty other = FindPublishedProperty(components[c]->metaObject(), name);
            shared = other.isValid() && other.metaType() == prop.metaType() &&
                     FindPropertyEditorClass(components[c]->metaObject(), other) == editorClass;
        }
        if (!shared)
            continue;
        std::unique_ptr<TPropertyEditor> editor = CreatePropertyEditor(designer, components, prop);
        if (!editor)
            continue;
        if (components.size() > 1 && !(editor->GetAttributes() & paMultiSelect))
            continue;
        proc(std::move(editor));
    }
}

TComponentEditorClass FindComponentEditorClass(const QMetaObject* componentClass) {
    TComponentEditorClass best = nullptr;
    int bestDistance = -1;
    for (const TRegistration& entry : registry().Journal) {
        if (entry.Kind != TRegistrationKind::ComponentEditor)
            continue;
        const int d = distance(componentClass, entry.ComponentClass);
        // Nearer wins; for the same class the later registration.
        if (d >= 0 && (!best || d <= bestDistance)) {
            best = entry.ComponentEditorClass;
            bestDistance = d;
        }
    }
    return best;
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component, IDesigner* designer) {
    if (TComponentEditorClass cls = FindComponentEditorClass(component->metaObject()))
        return cls->Create(component, designer);
    return std::make_unique<TDefaultEditor>(component, designer);
}
