#include "ComponentStreams.h"

#include "BinaryForm.h"
#include "ComponentStreamsShared.h"
#include "Filer.h"
#include "TextForm.h"

#include <QIODevice>
#include <QMetaEnum>
#include <QStringList>
#include <charconv>
#include <map>
#include <memory>
#include <optional>

namespace {

using namespace componentstreams;

// The extended value nearest to the double's shortest decimal form, so that 0.1 is written
// as 0.1 and still reads back as the same double.
long double extendedOf(double d) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    long double x = d;
    std::from_chars(buf, r.ptr, x);
    // Rarely the nearest extended rounds to the neighbouring double; keep the exact value then.
    return double(x) == d ? x : static_cast<long double>(d);
}

std::optional<TFormValue> variantToValue(const QVariant& v) {
    if (!v.isValid())
        return TFormValue::makeNil();
    switch (v.typeId()) {
    case QMetaType::Nullptr:
        return TFormValue();
    case QMetaType::Bool:
        return TFormValue::makeBoolean(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TFormValue::makeInteger(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return TFormValue::makeFloat(v.toDouble(), TFormValue::Extended);
    case QMetaType::QString:
        return TFormValue::makeString(v.toString());
    case QMetaType::QDateTime: {
        // No date is the stream's zero date, as in files written elsewhere.
        if (!v.toDateTime().isValid())
            return TFormValue::makeFloat(0, TFormValue::Date);
        const qint64 ms = streamEpoch().msecsTo(v.toDateTime().toUTC());
        return TFormValue::makeFloat(static_cast<long double>(ms) / 86400000.0L, TFormValue::Date);
    }
    case QMetaType::QByteArray:
        return TFormValue::makeBinary(v.toByteArray());
    default:
        return std::nullopt;
    }
}

class FilerForWrite : public TFiler {
public:
    FilerForWrite(TComponent* root, QString prefix, std::vector<TFormProperty>& out)
        : TFiler(root), FPrefix(std::move(prefix)), FOut(out) {}

    void DefineProperty(const QString& name, const std::function<void(TReader&)>&,
                        const std::function<void(TWriter&)>& writeData, bool hasData) override {
        if (!hasData || !writeData)
            return;
        TWriter writer(FRoot);
        writeData(writer);
        FOut.push_back({FPrefix + name, writer.Take()});
    }

    void DefineBinaryProperty(const QString& name, const std::function<void(const QByteArray&)>&,
                              const std::function<QByteArray()>& writeData, bool hasData) override {
        if (!hasData || !writeData)
            return;
        FOut.push_back({FPrefix + name, TFormValue::makeBinary(writeData())});
    }

private:
    QString FPrefix;
    std::vector<TFormProperty>& FOut;
};

class Writer {
public:
    explicit Writer(TComponent* root) : FRoot(root) {}

    TFormObject writeComponent(TComponent* component) {
        TFormObject obj;
        obj.ClassName = component->StreamedClassName();
        obj.Name = component->Name();
        if (component->ComponentState() & csInline)
            obj.Flags |= ffInline;
        component->SetState(csWriting);
        try {
            writeProperties(component, defaultOf(component), QString(), obj.Properties);
            // An inline frame owns what is on it: its children are its own, not the form's.
            TComponent* const outer = FRoot;
            if (obj.Flags & ffInline)
                FRoot = component;
            try {
                component->GetChildren(
                    [&](TComponent* child) { obj.Children.push_back(writeComponent(child)); },
                    FRoot);
            } catch (...) {
                FRoot = outer;
                throw;
            }
            FRoot = outer;
        } catch (...) {
            component->ClearState(csWriting);
            throw;
        }
        component->ClearState(csWriting);
        return obj;
    }

    void writeObjectProperties(TPersistent* object, std::vector<TFormProperty>& out) {
        writeProperties(object, defaultOf(object), QString(), out);
    }

private:
    // A fresh instance of the object's class, kept for the whole write; none when the class is
    // not registered, and then every stored property is written.
    const QObject* defaultOf(const QObject* object, TClass known = nullptr) {
        const QMetaObject* meta = object->metaObject();
        auto it = FDefaults.find(meta);
        if (it != FDefaults.end())
            return it->second.get();
        TClass cls =
            known && known->Meta == meta ? known : GetClass(QString::fromLatin1(meta->className()));
        std::unique_ptr<QObject> instance;
        if (cls && cls->Meta == meta) {
            const TDefaultInstanceScope scope;
            instance.reset(cls->Create(nullptr));
        }
        return FDefaults.emplace(meta, std::move(instance)).first->second.get();
    }

    std::optional<TFormValue> componentReference(TComponent* target) const {
        if (!target)
            return std::nullopt;
        if (target->Name().isEmpty())
            return std::nullopt;
        if (target == FRoot || target->Owner() == FRoot || !target->Owner())
            return TFormValue::makeIdent(target->Name());
        if (target->Owner()->Name().isEmpty())
            return std::nullopt;
        return TFormValue::makeIdent(target->Owner()->Name() + u'.' + target->Name());
    }

    std::optional<TFormValue> scalarValue(const QMetaProperty& prop, const QObject* object) {
        const QVariant v = prop.read(object);
        if (prop.isEnumType()) {
            const QMetaEnum e = prop.enumerator();
            const int bits = v.toInt();
            if (e.isFlag()) {
                QStringList names;
                for (int i = 0; i < e.keyCount(); ++i) {
                    const int k = e.value(i);
                    if (k != 0 && (bits & k) == k)
                        names.push_back(QString::fromLatin1(e.key(i)));
                }
                return TFormValue::makeSet(names);
            }
            if (const char* key = e.valueToKey(bits))
                return TFormValue::makeIdent(QString::fromLatin1(key));
            return TFormValue::makeInteger(bits);
        }
        const QMetaType type = prop.metaType();
        if (IsEventType(type)) {
            QVariant m = v;
            if (!m.convert(QMetaType::fromType<TMethod>()))
                return std::nullopt;
            const QString name = m.value<TMethod>().Name;
            if (name.isEmpty())
                return std::nullopt;
            return TFormValue::makeIdent(name);
        }
        if (IsStringType(type))
            return TFormValue::makeString(v.toString());
        switch (type.id()) {
        case QMetaType::Float:
            return TFormValue::makeFloat(v.toFloat(), TFormValue::Single);
        case QMetaType::Double:
            return TFormValue::makeFloat(extendedOf(v.toDouble()));
        case QMetaType::QStringList: {
            TFormValue list;
            list.kind = TFormValue::List;
            for (const QString& s : v.toStringList())
                list.Elements.push_back(TFormValue::makeString(s));
            return list;
        }
        case QMetaType::QVariant:
            return variantToValue(v);
        default:
            break;
        }
        if (auto value = variantToValue(v);
            value && type.id() != QMetaType::QVariant && value->kind != TFormValue::Nil)
            return value;
        throw EWriteError(QStringLiteral("Cannot stream property %1 of type %2")
                              .arg(QLatin1String(prop.name()), QLatin1String(type.name())));
    }

    TFormValue collectionValue(TCollection* collection) {
        TFormValue v;
        v.kind = TFormValue::Collection;
        for (int i = 0; i < collection->Count(); ++i) {
            TCollectionItem* item = collection->Items(i);
            TFormCollectionItem entry;
            writeProperties(item, defaultOf(item, collection->ItemClass()), QString(),
                            entry.Properties);
            v.Items.push_back(std::move(entry));
        }
        return v;
    }

    void writeProperties(QObject* object, const QObject* defaults, const QString& prefix,
                         std::vector<TFormProperty>& out) {
        const QMetaObject* meta = object->metaObject();
        for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty prop = meta->property(i);
            if (!prop.isStored() || !prop.isReadable())
                continue;
            const QString& own = propertyName(meta, i);
            const QString name = prefix.isEmpty() ? own : prefix + own;
            if (inherits(prop, TComponent::staticMetaObject)) {
                if (TComponent* sub = subComponentOf(prop, object)) {
                    const QObject* subDefaults =
                        defaults ? subComponentOf(prop, defaults) : nullptr;
                    if (subDefaults && subDefaults->metaObject() != sub->metaObject())
                        subDefaults = nullptr;
                    writeProperties(sub, subDefaults, name + u'.', out);
                    continue;
                }
                if (!prop.isWritable())
                    continue;
                auto value = componentReference(
                    qobject_cast<TComponent*>(prop.read(object).value<QObject*>()));
                auto base = defaults ? componentReference(qobject_cast<TComponent*>(
                                           prop.read(defaults).value<QObject*>()))
                                     : std::nullopt;
                if (value && value != base)
                    out.push_back({name, *value});
                continue;
            }
            if (inherits(prop, TCollection::staticMetaObject)) {
                auto* collection = qobject_cast<TCollection*>(readObject(prop, object));
                if (!collection)
                    continue;
                TFormValue value = collectionValue(collection);
                auto* base =
                    defaults ? qobject_cast<TCollection*>(readObject(prop, defaults)) : nullptr;
                if (!base || !(collectionValue(base) == value))
                    out.push_back({name, std::move(value)});
                continue;
            }
            if (isObjectProperty(prop)) {
                TPersistent* sub = readObject(prop, object);
                if (!sub)
                    continue;
                const QObject* subDefaults = defaults ? readObject(prop, defaults) : nullptr;
                if (subDefaults && subDefaults->metaObject() != sub->metaObject())
                    subDefaults = nullptr;
                writeProperties(sub, subDefaults, name + u'.', out);
                continue;
            }
            if (!prop.isWritable())
                continue;
            auto value = scalarValue(prop, object);
            if (!value)
                continue;
            if (defaults) {
                const auto& base = defaultValue(prop, i, defaults);
                if (base && *base == *value)
                    continue;
            }
            out.push_back({name, std::move(*value)});
        }
        if (auto* persistent = qobject_cast<TPersistent*>(object)) {
            FilerForWrite filer(FRoot, prefix, out);
            persistent->DefineProperties(filer);
        }
    }

    // Names and default values are the same for every object of a class.
    const QString& propertyName(const QMetaObject* meta, int index) {
        auto& names = FNames[meta];
        if (names.empty())
            for (int i = 0; i < meta->propertyCount(); ++i)
                names.push_back(QString::fromLatin1(meta->property(i).name()));
        return names[std::size_t(index)];
    }
    const std::optional<TFormValue>& defaultValue(const QMetaProperty& prop, int index,
                                                  const QObject* defaults) {
        auto& values = FDefaultValues[defaults];
        if (values.empty())
            values.resize(std::size_t(defaults->metaObject()->propertyCount()));
        auto& slot = values[std::size_t(index)];
        if (!slot.first) {
            slot.first = true;
            slot.second = scalarValue(prop, defaults);
        }
        return slot.second;
    }

    TComponent* FRoot;
    std::map<const QMetaObject*, std::unique_ptr<QObject>> FDefaults;
    std::map<const QMetaObject*, std::vector<QString>> FNames;
    std::map<const QObject*, std::vector<std::pair<bool, std::optional<TFormValue>>>>
        FDefaultValues;
};

} // namespace

TFormObject PersistentToFormObject(TPersistent* object, TComponent* root) {
    TFormObject obj;
    obj.ClassName = object->ClassName();
    Writer(root).writeObjectProperties(object, obj.Properties);
    return obj;
}

TFormObject ComponentToFormObject(TComponent* root) {
    return Writer(root).writeComponent(root);
}

void WriteComponent(QIODevice& output, TComponent* root) {
    const QByteArray data = WriteBinaryForm(ComponentToFormObject(root));
    if (output.write(data) != data.size())
        throw EWriteError(QStringLiteral("Stream write error: %1").arg(output.errorString()));
}

QByteArray WriteComponentText(TComponent* root) {
    return WriteTextForm(ComponentToFormObject(root));
}
