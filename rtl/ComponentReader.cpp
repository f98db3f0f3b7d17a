#include "ComponentStreams.h"

#include "BinaryForm.h"
#include "ComponentStreamsShared.h"
#include "Filer.h"
#include "FormEvents.h"
#include "TextForm.h"

#include <QHash>
#include <QIODevice>
#include <QMetaEnum>
#include <QStringList>
#include <cmath>
#include <memory>
#include <optional>

namespace {

using namespace componentstreams;

QVariant valueToVariant(const TFormValue& v) {
    switch (v.kind) {
    case TFormValue::Null:
        return QVariant::fromValue(nullptr);
    case TFormValue::Nil:
        return QVariant();
    case TFormValue::Boolean:
        return QVariant(v.Int != 0);
    case TFormValue::Integer:
        if (v.Int >= INT32_MIN && v.Int <= INT32_MAX)
            return QVariant(int(v.Int));
        return QVariant(qint64(v.Int));
    case TFormValue::Float:
        if (v.floatKind == TFormValue::Date) {
            if (v.Real == 0)
                return QVariant(QDateTime());
            const auto ms = qint64(std::llround(double(v.Real * 86400000.0L)));
            return QVariant(streamEpoch().addMSecs(ms));
        }
        return QVariant(double(v.Real));
    case TFormValue::String:
    case TFormValue::Ident:
        return QVariant(v.Str);
    case TFormValue::Binary:
        return QVariant(v.Bytes);
    default:
        return QVariant();
    }
}

class FilerForRead : public TFiler {
public:
    FilerForRead(TComponent* root, const QString& name, const TFormValue& value)
        : TFiler(root), FName(name), FValue(value) {}

    bool handled() const { return FHandled; }

    void DefineProperty(const QString& name, const std::function<void(TReader&)>& readData,
                        const std::function<void(TWriter&)>&, bool) override {
        if (FHandled || !SameText(name, FName) || !readData)
            return;
        FHandled = true;
        TReader reader(FValue, FRoot);
        readData(reader);
    }

    void DefineBinaryProperty(const QString& name,
                              const std::function<void(const QByteArray&)>& readData,
                              const std::function<QByteArray()>&, bool) override {
        if (FHandled || !SameText(name, FName) || !readData)
            return;
        if (FValue.kind != TFormValue::Binary)
            throw EReadError(QStringLiteral("Invalid property value: binary data expected"));
        FHandled = true;
        readData(FValue.Bytes);
    }

private:
    QString FName;
    const TFormValue& FValue;
    bool FHandled = false;
};

// Where a property sits, for messages; the text is built only when a message needs it.
struct Path {
    const QString* Root = nullptr;
    const Path* Parent = nullptr;
    const QString* Name = nullptr;
    int Index = -1;
    QString str() const {
        if (Root)
            return *Root;
        const QString s = Parent->str();
        return Index >= 0 ? s + QStringLiteral("[%1]").arg(Index) : s + u'.' + *Name;
    }
};

class Reader {
public:
    TComponent* read(const TFormObject& object, TComponent* instance) {
        TComponent* root = instance;
        QPointer<TComponent> createdRoot;
        try {
            if (!root) {
                root = CreateComponentByName(object.ClassName, nullptr);
                createdRoot = root;
            }
            FRoot = root;
            readInto(root, object, nullptr, root);
            resolveFixups();
            for (auto& c : FLoaded)
                if (c) {
                    c->ClearState(csReading);
                    c->Loaded();
                }
        } catch (...) {
            cleanUp(root, createdRoot);
            throw;
        }
        return root;
    }

    void readObjectProperties(const TFormObject& object, TPersistent* target, TComponent* root) {
        FRoot = root;
        const QString path = target->ClassName();
        for (const TFormProperty& p : object.Properties)
            readProperty(target, Path{&path}, p);
        if (root)
            resolveFixups();
    }

    // The same from events, after the root's BeginObject: a collection's items are read one at
    // a time, so that no more than one item's values are held at once.
    void readStreamedProperties(TFormEventReader& events, TPersistent* target) {
        const QString path = target->ClassName();
        TFormEvent e;
        while (events.Next(e)) {
            if (e.kind == TFormEvent::EndObject)
                return;
            if (e.kind == TFormEvent::BeginObject) {
                skipObject(events);
                continue;
            }
            const Path base{&path};
            const Path full{nullptr, &base, &e.Name};
            const QMetaProperty prop = e.Name.contains(u'.')
                                           ? QMetaProperty()
                                           : findProperty(target->metaObject(), e.Name);
            auto* collection = e.Value.kind == TFormValue::Collection && prop.isValid() &&
                                       prop.isStored() &&
                                       inherits(prop, TCollection::staticMetaObject)
                                   ? qobject_cast<TCollection*>(readObject(prop, target))
                                   : nullptr;
            if (!collection) {
                TFormProperty p{e.Name, e.Value};
                if (p.Value.kind == TFormValue::List || p.Value.kind == TFormValue::Collection)
                    fillValue(events, p.Value);
                readProperty(target, Path{&path}, p);
                continue;
            }
            collection->Clear();
            TFormEvent item;
            while (events.Next(item) && item.kind == TFormEvent::BeginItem) {
                TCollectionItem* added = collection->Add();
                const Path itemPath{nullptr, &full, nullptr, collection->Count() - 1};
                TFormEvent property;
                while (events.Next(property) && property.kind == TFormEvent::Property) {
                    TFormProperty p{property.Name, property.Value};
                    if (p.Value.kind == TFormValue::List || p.Value.kind == TFormValue::Collection)
                        fillValue(events, p.Value);
                    readProperty(added, itemPath, p);
                }
            }
        }
    }

private:
    struct Fixup {
        QPointer<QObject> Object;
        QMetaProperty Property;
        QString Target;
    };

    void cleanUp(TComponent* root, QPointer<TComponent>& createdRoot) {
        // Free what this read made, newest first; freeing an owner frees what it owns.
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
            delete it->data();
        if (createdRoot)
            delete createdRoot.data();
        else if (root)
            root->ClearState(csLoading | csReading);
        for (auto& c : FLoaded)
            if (c)
                c->ClearState(csLoading | csReading);
    }

    [[noreturn]] void fail(const QString& path, const QString& what) const {
        throw EReadError(QStringLiteral("Error reading %1: %2").arg(path, what));
    }
    [[noreturn]] void fail(const Path& path, const QString& what) const { fail(path.str(), what); }

    void readInto(TComponent* component, const TFormObject& object, TComponent* parent,
                  TComponent* owner) {
        component->SetState(csLoading | csReading);
        FLoaded.push_back(component);
        if (component != FRoot || !object.Name.isEmpty()) {
            try {
                component->SetName(object.Name);
            } catch (const Exception& e) {
                fail(object.Name.isEmpty() ? object.ClassName : object.Name, e.Message());
            }
        }
        if (parent && component->HasParent())
            component->SetParentComponent(parent);
        const QString path = component->Name().isEmpty() ? object.ClassName : component->Name();
        for (const TFormProperty& p : object.Properties)
            readProperty(component, Path{&path}, p);
        // An inline frame owns the components nested in it.
        TComponent* childOwner = (object.Flags & ffInline) ? component : owner;
        for (const TFormObject& child : object.Children)
            readChild(child, component, childOwner);
    }

    void readChild(const TFormObject& object, TComponent* parent, TComponent* owner) {
        TComponent* component = nullptr;
        if (object.Flags & ffInherited) {
            component = owner->FindComponent(object.Name);
            if (!component)
                fail(object.Name, QStringLiteral("Ancestor for '%1' not found").arg(object.Name));
        } else {
            try {
                component = CreateComponentByName(object.ClassName, owner);
            } catch (const Exception& e) {
                fail(object.Name.isEmpty() ? object.ClassName : object.Name, e.Message());
            }
            FCreated.push_back(component);
            if (object.Flags & ffInline)
                component->SetState(csInline);
        }
        readInto(component, object, parent, owner);
    }

    // The elements or items of an opened list or collection value, from the events up to its end.
    static void fillValue(TFormEventReader& events, TFormValue& value) {
        TFormEvent e;
        while (events.Next(e)) {
            switch (e.kind) {
            case TFormEvent::Element: {
                TFormValue& element = value.Elements.emplace_back(e.Value);
                if (element.kind == TFormValue::List || element.kind == TFormValue::Collection)
                    fillValue(events, element);
                break;
            }
            case TFormEvent::BeginItem: {
                TFormCollectionItem& item = value.Items.emplace_back();
                item.HasOrder = e.HasOrder;
                item.Order = e.Order;
                TFormEvent p;
                while (events.Next(p) && p.kind == TFormEvent::Property) {
                    TFormValue& v =
                        item.Properties.emplace_back(TFormProperty{p.Name, p.Value}).Value;
                    if (v.kind == TFormValue::List || v.kind == TFormValue::Collection)
                        fillValue(events, v);
                }
                break;
            }
            default:
                return;
            }
        }
    }

    static void skipObject(TFormEventReader& events) {
        int depth = 1;
        TFormEvent e;
        while (depth > 0 && events.Next(e))
            depth += e.kind == TFormEvent::BeginObject ? 1
                     : e.kind == TFormEvent::EndObject ? -1
                                                       : 0;
    }

    // Property lookups by class and name, cached: the same few names come again and again.
    QMetaProperty findProperty(const QMetaObject* cls, const QString& name) {
        const auto key = std::make_pair(cls, name);
        const auto it = FProperties.constFind(key);
        if (it != FProperties.constEnd())
            return *it;
        return *FProperties.insert(key, FindPublishedProperty(cls, name));
    }

    // Walks "Font.Name" to the object that holds the last name.
    void readProperty(QObject* object, const Path& path, const TFormProperty& p) {
        const Path full{nullptr, &path, &p.Name};
        const bool dotted = p.Name.contains(u'.');
        const QStringList parts = dotted ? p.Name.split(u'.') : QStringList();
        QObject* target = object;
        for (int i = 0; i + 1 < parts.size(); ++i) {
            const QMetaProperty prop = FindPublishedProperty(target->metaObject(), parts[i]);
            TPersistent* sub =
                prop.isValid() && isObjectProperty(prop) ? readObject(prop, target) : nullptr;
            if (!sub ||
                (inherits(prop, TComponent::staticMetaObject) && !subComponentOf(prop, target)))
                fail(full, QStringLiteral("Property %1 does not exist")
                               .arg(parts.mid(0, i + 1).join(u'.')));
            // A sub-component read through its holder is loaded like the holder.
            if (auto* c = qobject_cast<TComponent*>(sub); c && !(c->ComponentState() & csLoading)) {
                c->SetState(csLoading | csReading);
                FLoaded.push_back(c);
            }
            target = sub;
        }
        const QString last = dotted ? parts.back() : p.Name;
        const QMetaProperty prop = findProperty(target->metaObject(), last);
        try {
            if (prop.isValid() && prop.isStored()) {
                assign(target, prop, p.Value, full);
                return;
            }
            if (auto* persistent = qobject_cast<TPersistent*>(target)) {
                FilerForRead filer(FRoot, last, p.Value);
                persistent->DefineProperties(filer);
                if (filer.handled())
                    return;
            }
        } catch (const EReadError& e) {
            if (e.Message().startsWith(QStringLiteral("Error reading ")))
                throw;
            fail(full, e.Message());
        } catch (const Exception& e) {
            fail(full, e.Message());
        }
        fail(full, QStringLiteral("Property %1 does not exist").arg(p.Name));
    }

    [[noreturn]] void invalid(const Path& path, const TFormValue&) const {
        fail(path, QStringLiteral("Invalid property value"));
    }

    void write(QObject* target, const QMetaProperty& prop, const QVariant& value,
               const Path& path) {
        if (!prop.isWritable() || !prop.write(target, value))
            fail(path, QStringLiteral("Invalid property value"));
    }

    void assign(QObject* target, const QMetaProperty& prop, const TFormValue& v, const Path& path) {
        if (inherits(prop, TComponent::staticMetaObject)) {
            if (subComponentOf(prop, target))
                invalid(path, v);
            if (v.kind == TFormValue::Nil) {
                write(target, prop, QVariant(prop.metaType()), path);
                return;
            }
            if (v.kind != TFormValue::Ident)
                invalid(path, v);
            FFixups.push_back({target, prop, v.Str});
            return;
        }
        if (inherits(prop, TCollection::staticMetaObject)) {
            auto* collection = qobject_cast<TCollection*>(readObject(prop, target));
            if (v.kind != TFormValue::Collection || !collection)
                invalid(path, v);
            collection->Clear();
            for (const TFormCollectionItem& entry : v.Items) {
                TCollectionItem* item = collection->Add();
                const Path itemPath{nullptr, &path, nullptr, collection->Count() - 1};
                for (const TFormProperty& p : entry.Properties)
                    readProperty(item, itemPath, p);
            }
            return;
        }
        if (isObjectProperty(prop))
            fail(path, QStringLiteral("Invalid property value"));
        if (prop.isEnumType()) {
            const QMetaEnum e = prop.enumerator();
            if (e.isFlag()) {
                if (v.kind != TFormValue::Set)
                    invalid(path, v);
                int bits = 0;
                for (const QString& name : v.Names)
                    bits |= enumValue(e, name, path);
                write(target, prop, QVariant(bits), path);
            } else {
                if (v.kind == TFormValue::Ident)
                    write(target, prop, QVariant(enumValue(e, v.Str, path)), path);
                else if (v.kind == TFormValue::Integer) {
                    if (v.Int < INT32_MIN || v.Int > INT32_MAX || !e.valueToKey(int(v.Int)))
                        fail(path, QStringLiteral("%1 is not a value of %2")
                                       .arg(v.Int)
                                       .arg(QLatin1String(e.enumName())));
                    write(target, prop, QVariant(int(v.Int)), path);
                } else
                    invalid(path, v);
            }
            return;
        }
        const QMetaType type = prop.metaType();
        if (IsEventType(type)) {
            TMethod m;
            if (v.kind == TFormValue::Ident)
                m.Name = v.Str;
            else if (v.kind != TFormValue::Nil)
                invalid(path, v);
            QVariant value = QVariant::fromValue(m);
            if (!value.convert(type))
                invalid(path, v);
            write(target, prop, value, path);
            return;
        }
        if (IsStringType(type)) {
            if (v.kind != TFormValue::String)
                invalid(path, v);
            QVariant value(v.Str);
            if (!value.convert(type))
                invalid(path, v);
            write(target, prop, value, path);
            return;
        }
        switch (type.id()) {
        case QMetaType::QVariant:
            if (v.kind == TFormValue::List || v.kind == TFormValue::Set ||
                v.kind == TFormValue::Collection)
                invalid(path, v);
            write(target, prop, valueToVariant(v), path);
            return;
        case QMetaType::Bool:
            if (v.kind != TFormValue::Boolean)
                invalid(path, v);
            write(target, prop, QVariant(v.Int != 0), path);
            return;
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            if (v.kind != TFormValue::Integer)
                invalid(path, v);
            QVariant value(qint64(v.Int));
            if (type.id() == QMetaType::Int && (v.Int < INT32_MIN || v.Int > INT32_MAX))
                fail(path, QStringLiteral("Value %1 out of range").arg(v.Int));
            if (!value.convert(type))
                invalid(path, v);
            write(target, prop, value, path);
            return;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            if (v.kind == TFormValue::Integer)
                write(target, prop, QVariant(double(v.Int)), path);
            else if (v.kind == TFormValue::Float)
                write(target, prop, QVariant(double(v.Real)), path);
            else
                invalid(path, v);
            return;
        case QMetaType::QString:
            if (v.kind != TFormValue::String)
                invalid(path, v);
            write(target, prop, QVariant(v.Str), path);
            return;
        case QMetaType::QByteArray:
            if (v.kind != TFormValue::Binary)
                invalid(path, v);
            write(target, prop, QVariant(v.Bytes), path);
            return;
        case QMetaType::QStringList: {
            if (v.kind != TFormValue::List)
                invalid(path, v);
            QStringList list;
            for (const TFormValue& e : v.Elements) {
                if (e.kind != TFormValue::String)
                    invalid(path, v);
                list.push_back(e.Str);
            }
            write(target, prop, QVariant(list), path);
            return;
        }
        case QMetaType::QDateTime:
            if (v.kind != TFormValue::Float)
                invalid(path, v);
            write(target, prop, valueToVariant(v), path);
            return;
        default:
            fail(path,
                 QStringLiteral("Cannot read property of type %1").arg(QLatin1String(type.name())));
        }
    }

    int enumValue(const QMetaEnum& e, const QString& name, const Path& path) const {
        for (int i = 0; i < e.keyCount(); ++i)
            if (SameText(QString::fromLatin1(e.key(i)), name))
                return e.value(i);
        fail(path, QStringLiteral("Invalid property value '%1'").arg(name));
    }

    // References are resolved once every component exists. "Form2.Button1" names a component
    // of another root; only the root being read is searched, and others stay unassigned.
    void resolveFixups() {
        for (const Fixup& f : FFixups) {
            if (!f.Object)
                continue;
            TComponent* target = nullptr;
            const QStringList parts = f.Target.split(u'.');
            if (parts.size() == 1)
                target = SameText(parts[0], FRoot->Name()) ? FRoot : FRoot->FindComponent(parts[0]);
            else if (parts.size() == 2 && SameText(parts[0], FRoot->Name()))
                target = FRoot->FindComponent(parts[1]);
            if (!target)
                continue;
            const QMetaObject* wanted = f.Property.metaType().metaObject();
            if (!target->metaObject()->inherits(wanted))
                throw EReadError(QStringLiteral("Error reading %1: %2 is not a %3")
                                     .arg(QLatin1String(f.Property.name()), f.Target,
                                          QLatin1String(wanted->className())));
            f.Property.write(f.Object, QVariant::fromValue<QObject*>(target));
        }
    }

    TComponent* FRoot = nullptr;
    QHash<std::pair<const QMetaObject*, QString>, QMetaProperty> FProperties;
    std::vector<QPointer<TComponent>> FCreated;
    std::vector<QPointer<TComponent>> FLoaded;
    std::vector<Fixup> FFixups;
};

} // namespace

QMetaProperty FindPublishedProperty(const QMetaObject* cls, const QString& name) {
    if (!cls)
        return {};
    const int exact = cls->indexOfProperty(name.toLatin1().constData());
    if (exact >= QObject::staticMetaObject.propertyCount())
        return cls->property(exact);
    for (int i = QObject::staticMetaObject.propertyCount(); i < cls->propertyCount(); ++i)
        if (QLatin1StringView(cls->property(i).name()).compare(name, Qt::CaseInsensitive) == 0)
            return cls->property(i);
    return {};
}

const QMetaObject* PropertyClass(const QMetaObject* cls, const QString& name) {
    const QMetaProperty prop = FindPublishedProperty(cls, name);
    return prop.isValid() && isObjectProperty(prop) ? prop.metaType().metaObject() : nullptr;
}

void ReadPersistent(const TFormObject& object, TPersistent* target, TComponent* root) {
    Reader().readObjectProperties(object, target, root);
}

void ReadPersistentProperties(TFormEventReader& events, TPersistent* target) {
    Reader().readStreamedProperties(events, target);
}

TComponent* ReadComponent(const TFormObject& object, TComponent* instance) {
    return Reader().read(object, instance);
}

TComponent* ReadComponent(QIODevice& input, TComponent* instance) {
    const QByteArray data = input.readAll();
    qsizetype pos = 0;
    const TFormObject object = ReadBinaryForm(data, pos);
    if (!input.isSequential())
        input.seek(input.pos() - (data.size() - pos));
    return ReadComponent(object, instance);
}

TComponent* ReadComponentText(const QByteArray& text, TComponent* instance) {
    return ReadComponent(ReadTextForm(text), instance);
}
