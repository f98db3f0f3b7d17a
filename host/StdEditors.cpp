#include "StdEditors.h"
#include "DesignRegistry.h"

#include <QMetaEnum>
#include <cmath>
#include <limits>

TPropertyAttributes TOrdinalProperty::GetAttributes() {
    return paMultiSelect | paRevertable;
}

bool TOrdinalProperty::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (GetOrdValueAt(i) != GetOrdValueAt(0))
            return false;
    return true;
}

QString TIntegerProperty::GetValue() {
    return QString::number(GetOrdValue());
}

namespace {

// What an integer property of `type` can hold; wider values would be cut silently.
std::pair<qint64, qint64> integerRange(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Char:
    case QMetaType::SChar:
        return {std::numeric_limits<qint8>::min(), std::numeric_limits<qint8>::max()};
    case QMetaType::UChar:
        return {0, std::numeric_limits<quint8>::max()};
    case QMetaType::Short:
        return {std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()};
    case QMetaType::UShort:
        return {0, std::numeric_limits<quint16>::max()};
    case QMetaType::Int:
        return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    case QMetaType::UInt:
        return {0, std::numeric_limits<quint32>::max()};
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return {0, std::numeric_limits<qint64>::max()};
    default:
        return {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    }
}

} // namespace

void TIntegerProperty::SetValue(const QString& value) {
    bool ok = false;
    const qint64 number = value.trimmed().toLongLong(&ok);
    const auto [low, high] = integerRange(GetPropInfo().metaType());
    if (!ok || number < low || number > high)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    SetOrdValue(number);
}

namespace {

bool isBoolean(const QMetaProperty& prop) {
    return prop.metaType() == QMetaType::fromType<bool>();
}

QString ordinalName(const QMetaProperty& prop, qint64 value) {
    if (isBoolean(prop))
        return value ? QStringLiteral("True") : QStringLiteral("False");
    const char* key = prop.enumerator().valueToKey(int(value));
    return key ? QString::fromLatin1(key) : QString::number(value);
}

} // namespace

TPropertyAttributes TEnumProperty::GetAttributes() {
    return paMultiSelect | paValueList | paSortList | paRevertable;
}

QString TEnumProperty::GetValue() {
    return ordinalName(GetPropInfo(), GetOrdValue());
}

void TEnumProperty::SetValue(const QString& value) {
    const QString text = value.trimmed();
    if (isBoolean(GetPropInfo())) {
        if (text.compare(u"True", Qt::CaseInsensitive) == 0 || text == u"1")
            return SetOrdValue(1);
        if (text.compare(u"False", Qt::CaseInsensitive) == 0 || text == u"0")
            return SetOrdValue(0);
        throw EConvertError(QStringLiteral("Invalid property value"));
    }
    const QMetaEnum meta = GetPropInfo().enumerator();
    for (int i = 0; i < meta.keyCount(); ++i)
        if (text.compare(QLatin1StringView(meta.key(i)), Qt::CaseInsensitive) == 0)
            return SetOrdValue(meta.value(i));
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok && meta.valueToKey(number))
        return SetOrdValue(number);
    throw EConvertError(QStringLiteral("Invalid property value"));
}

void TEnumProperty::GetValues(const TGetStrProc& proc) {
    if (isBoolean(GetPropInfo())) {
        proc(QStringLiteral("False"));
        proc(QStringLiteral("True"));
        return;
    }
    const QMetaEnum meta = GetPropInfo().enumerator();
    for (int i = 0; i < meta.keyCount(); ++i)
        proc(QString::fromLatin1(meta.key(i)));
}

namespace {

// One member of a set, shown under the set as a Boolean.
class TSetElementProperty : public TPropertyEditor {
public:
    TSetElementProperty(TSetProperty* owner, QString name, qint64 bit)
        : TPropertyEditor(owner->Designer(), owner->Components(), owner->GetPropInfo()),
          FName(std::move(name)), FBit(bit) {}

    TPropertyAttributes GetAttributes() override {
        return paMultiSelect | paValueList | paSortList;
    }
    QString GetName() const override { return FName; }
    QString GetValue() override {
        return (GetOrdValue() & FBit) ? QStringLiteral("True") : QStringLiteral("False");
    }
    void GetValues(const TGetStrProc& proc) override {
        proc(QStringLiteral("False"));
        proc(QStringLiteral("True"));
    }
    bool AllEqual() override {
        for (int i = 1; i < PropCount(); ++i)
            if ((GetOrdValueAt(i) & FBit) != (GetOrdValueAt(0) & FBit))
                return false;
        return true;
    }
    void SetValue(const QString& value) override {
        const bool on = value.trimmed().compare(u"True", Qt::CaseInsensitive) == 0;
        if (!on && value.trimmed().compare(u"False", Qt::CaseInsensitive) != 0)
            throw EConvertError(QStringLiteral("Invalid property value"));
        // Each component keeps its other members.
        for (int i = 0; i < PropCount(); ++i) {
            const qint64 current = GetOrdValueAt(i);
            TPropertyEditor single(nullptr, {GetComponent(i)}, GetPropInfo());
            single.SetOrdValue(on ? current | FBit : current & ~FBit);
        }
        Modified();
    }

private:
    QString FName;
    qint64 FBit;
};

} // namespace

TPropertyAttributes TSetProperty::GetAttributes() {
    return paMultiSelect | paSubProperties | paReadOnly | paRevertable;
}

QString TSetProperty::GetValue() {
    const QMetaEnum meta = GetPropInfo().enumerator();
    const qint64 value = GetOrdValue();
    QStringList names;
    for (int i = 0; i < meta.keyCount(); ++i)
        if (meta.value(i) != 0 && (value & meta.value(i)) == meta.value(i))
            names << QString::fromLatin1(meta.key(i));
    return u'[' + names.join(u',') + u']';
}

void TSetProperty::SetValue(const QString& value) {
    QString text = value.trimmed();
    if (!text.startsWith(u'[') || !text.endsWith(u']'))
        throw EConvertError(QStringLiteral("Invalid property value"));
    text = text.mid(1, text.size() - 2);
    const QMetaEnum meta = GetPropInfo().enumerator();
    qint64 bits = 0;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        // Blanks between the brackets or the commas name no member: "[ ]" is the empty set.
        if (part.trimmed().isEmpty())
            continue;
        bool found = false;
        for (int i = 0; i < meta.keyCount() && !found; ++i)
            if (part.trimmed().compare(QLatin1StringView(meta.key(i)), Qt::CaseInsensitive) == 0) {
                bits |= meta.value(i);
                found = true;
            }
        if (!found)
            throw EConvertError(QStringLiteral("Invalid property value"));
    }
    SetOrdValue(bits);
}

void TSetProperty::GetProperties(const TGetPropProc& proc) {
    const QMetaEnum meta = GetPropInfo().enumerator();
    for (int i = 0; i < meta.keyCount(); ++i)
        if (meta.value(i) != 0)
            proc(std::make_unique<TSetElementProperty>(this, QString::fromLatin1(meta.key(i)),
                                                       meta.value(i)));
}

TPropertyAttributes TFloatProperty::GetAttributes() {
    return paMultiSelect | paRevertable;
}

QString TFloatProperty::GetValue() {
    return QString::number(GetFloatValue(), 'g', 15);
}

void TFloatProperty::SetValue(const QString& value) {
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(value));
    SetFloatValue(number);
}

bool TFloatProperty::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (GetFloatValueAt(i) != GetFloatValueAt(0))
            return false;
    return true;
}

TPropertyAttributes TStringProperty::GetAttributes() {
    return paMultiSelect | paRevertable;
}

QString TStringProperty::GetValue() {
    return GetStrValue();
}

void TStringProperty::SetValue(const QString& value) {
    SetStrValue(value);
}

bool TStringProperty::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (GetStrValueAt(i) != GetStrValueAt(0))
            return false;
    return true;
}

TPropertyAttributes TComponentNameProperty::GetAttributes() {
    return paRevertable;
}

void TComponentNameProperty::SetValue(const QString& value) {
    if (!IsValidIdent(value))
        throw EConvertError(QStringLiteral("'%1' is not a valid component name").arg(value));
    // The form's unit declares a field of that name.
    if (IsReservedWord(value))
        throw EConvertError(
            QStringLiteral("'%1' is a reserved word and cannot name a component").arg(value));
    // The form's own name is not in its component list, so the owner's check misses it.
    TComponent* holder = Designer() ? Designer()->GetComponent(value) : nullptr;
    if (holder && holder != GetComponent(0))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(value));
    // Its field would clash with the method in the form's class.
    if (Designer() && Designer()->MethodExists(value))
        throw EComponentError(QStringLiteral("A method named %1 already exists").arg(value));
    SetStrValue(value);
}

TPropertyAttributes TVariantProperty::GetAttributes() {
    return paMultiSelect | paRevertable;
}

QString TVariantProperty::GetValue() {
    const QVariant value = GetVarValue();
    return value.isValid() && !value.isNull() ? value.toString() : QString();
}

void TVariantProperty::SetValue(const QString& value) {
    SetVarValue(value.isEmpty() ? QVariant() : QVariant(value));
}

bool TVariantProperty::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (GetVarValueAt(i) != GetVarValueAt(0))
            return false;
    return true;
}

TPropertyAttributes TClassProperty::GetAttributes() {
    return paMultiSelect | paSubProperties | paReadOnly;
}

QString TClassProperty::GetValue() {
    QObject* object = GetObjectValue();
    return object ? u'(' + QString::fromLatin1(object->metaObject()->className()) + u')'
                  : QString();
}

bool TClassProperty::AllEqual() {
    const auto classOf = [this](int index) {
        QObject* object = GetObjectValueAt(index);
        return object ? object->metaObject() : nullptr;
    };
    for (int i = 1; i < PropCount(); ++i)
        if (classOf(i) != classOf(0))
            return false;
    return true;
}

void TClassProperty::GetProperties(const TGetPropProc& proc) {
    QList<TPersistent*> objects;
    for (int i = 0; i < PropCount(); ++i) {
        auto* object = qobject_cast<TPersistent*>(GetObjectValueAt(i));
        if (!object)
            return;
        objects << object;
    }
    GetComponentProperties(Designer(), objects, proc);
}

TPropertyAttributes TComponentProperty::GetAttributes() {
    return paMultiSelect | paValueList | paSortList | paRevertable;
}

QString TComponentProperty::GetValue() {
    auto* component = qobject_cast<TComponent*>(GetObjectValue());
    if (!component)
        return {};
    return Designer() ? Designer()->GetComponentName(component) : component->Name();
}

void TComponentProperty::SetValue(const QString& value) {
    const QString name = value.trimmed();
    if (name.isEmpty())
        return SetObjectValue(nullptr);
    TComponent* component = Designer() ? Designer()->GetComponent(name) : nullptr;
    const QMetaObject* wanted = GetPropInfo().metaType().metaObject();
    if (!component || (wanted && !component->metaObject()->inherits(wanted)))
        throw EConvertError(QStringLiteral("Invalid property value"));
    SetObjectValue(component);
}

void TComponentProperty::GetValues(const TGetStrProc& proc) {
    if (Designer())
        Designer()->GetComponentNames(GetPropInfo().metaType().metaObject(), proc);
}

bool TComponentProperty::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (GetObjectValueAt(i) != GetObjectValueAt(0))
            return false;
    return true;
}

TPropertyAttributes TMethodProperty::GetAttributes() {
    return paMultiSelect | paValueList | paSortList | paRevertable;
}

QString TMethodProperty::GetValue() {
    return GetMethodValue().Name;
}

void TMethodProperty::SetValue(const QString& value) {
    const QString name = value.trimmed();
    if (name.isEmpty())
        return SetMethodValue(TMethod{});
    if (!IsValidIdent(name))
        throw EConvertError(QStringLiteral("'%1' is not a valid method name").arg(name));
    IDesigner* designer = Designer();
    if (designer && !designer->MethodExists(name)) {
        SetMethodValue(designer->CreateMethod(name, GetPropInfo().metaType()));
        designer->ShowMethod(name);
        return;
    }
    // Bound as the unit spells it.
    SetMethodValue(TMethod{designer ? designer->GetMethodName(TMethod{name}) : name});
}

void TMethodProperty::GetValues(const TGetStrProc& proc) {
    if (Designer())
        Designer()->GetMethods(GetPropInfo().metaType(), proc);
}

void TMethodProperty::Edit() {
    IDesigner* designer = Designer();
    if (!designer)
        return;
    QString name = GetValue();
    if (name.isEmpty() || !designer->MethodExists(name)) {
        if (name.isEmpty())
            name = DefaultMethodName();
        SetMethodValue(designer->MethodExists(name)
                           ? TMethod{name}
                           : designer->CreateMethod(name, GetPropInfo().metaType()));
    }
    designer->ShowMethod(name);
}

bool TMethodProperty::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (GetMethodValueAt(i).Name != GetMethodValueAt(0).Name)
            return false;
    return true;
}

QString TMethodProperty::DefaultMethodName() const {
    QString event = GetName();
    if (event.startsWith(u"On"))
        event = event.mid(2);
    // Handlers of the form itself are called FormCreate, FormShow...; of anything inside a
    // component (an item, a sub-object), after that component.
    QObject* holder = GetComponent(0);
    while (holder && !qobject_cast<TComponent*>(holder)) {
        auto* persistent = qobject_cast<TPersistent*>(holder);
        holder = persistent ? persistent->GetOwner() : holder->parent();
    }
    auto* component = qobject_cast<TComponent*>(holder);
    if (!component)
        return event;
    if (Designer() && component == Designer()->GetRoot())
        return QStringLiteral("Form") + event;
    return component->Name() + event;
}
