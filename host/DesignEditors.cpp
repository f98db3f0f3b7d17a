#include "DesignEditors.h"

#include "ComponentStreams.h"

#include <cstring>

namespace {

bool isObjectType(QMetaType type) {
    return type.flags() & QMetaType::PointerToQObject;
}

// A QVariant of `type` holding `object`; pointer-to-object types share one representation.
QVariant objectVariant(QMetaType type, QObject* object) {
    return QVariant(type, &object);
}

QString methodName(const QVariant& value) {
    if (!value.isValid())
        return {};
    QVariant converted = value;
    if (!converted.convert(QMetaType::fromType<TMethod>()))
        return {};
    return converted.value<TMethod>().Name;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TPropertyEditor

TPropertyEditor::TPropertyEditor(IDesigner* designer, QList<TPersistent*> components,
                                 QMetaProperty prop)
    : FDesigner(designer), FComponents(std::move(components)), FProp(prop) {}

TPropertyEditor::~TPropertyEditor() = default;

TPropertyAttributes TPropertyEditor::GetAttributes() {
    return paRevertable;
}

QString TPropertyEditor::GetValue() {
    return QStringLiteral("(unknown)");
}

void TPropertyEditor::SetValue(const QString&) {}

void TPropertyEditor::GetValues(const TGetStrProc&) {}

void TPropertyEditor::Edit() {
    // A value list cycles to the value after the current one.
    if (!(GetAttributes() & paValueList))
        return;
    QStringList values;
    GetValues([&](const QString& value) { values << value; });
    if (values.isEmpty())
        return;
    const qsizetype at = values.indexOf(GetValue());
    SetValue(values[(at + 1) % values.size()]);
}

bool TPropertyEditor::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (GetVarValueAt(i) != GetVarValueAt(0))
            return false;
    return true;
}

void TPropertyEditor::GetProperties(const TGetPropProc&) {}

QString TPropertyEditor::GetName() const {
    return QString::fromLatin1(FProp.name());
}

TPersistent* TPropertyEditor::GetComponent(int index) const {
    return index >= 0 && index < PropCount() ? FComponents[index] : nullptr;
}

void TPropertyEditor::Modified() {
    if (FDesigner)
        FDesigner->Modified();
}

namespace {

// The property of `object` that `prop` stands for: the same one when `object` has its class,
// else the published property of that name (the selection may mix classes).
QMetaProperty propertyOf(const QObject* object, const QMetaProperty& prop) {
    if (object->metaObject()->inherits(prop.enclosingMetaObject()))
        return prop;
    return FindPublishedProperty(object->metaObject(), QString::fromLatin1(prop.name()));
}

} // namespace

QVariant TPropertyEditor::GetVarValueAt(int index) const {
    TPersistent* component = GetComponent(index);
    return component ? propertyOf(component, FProp).read(component) : QVariant();
}

void TPropertyEditor::writeAll(const QVariant& value) {
    for (TPersistent* component : FComponents) {
        const QMetaProperty prop = propertyOf(component, FProp);
        if (!prop.write(component, value))
            throw EConvertError(QStringLiteral("Invalid property value"));
    }
    Modified();
}

void TPropertyEditor::SetVarValue(const QVariant& value) {
    writeAll(value);
}

qint64 TPropertyEditor::GetOrdValueAt(int index) const {
    const QVariant value = GetVarValueAt(index);
    if (isObjectType(value.metaType()))
        return qint64(reinterpret_cast<quintptr>(value.value<QObject*>()));
    if (value.metaType() == QMetaType::fromType<bool>())
        return value.toBool() ? 1 : 0;
    QVariant number = value;
    if (FProp.isEnumType()) {
        // Enumerations and flags convert through their underlying integer.
        qint64 result = 0;
        std::memcpy(&result, value.constData(),
                    std::min<size_t>(sizeof(result), size_t(value.metaType().sizeOf())));
        return value.metaType().sizeOf() == 4 ? qint64(qint32(result)) : result;
    }
    return number.toLongLong();
}

void TPropertyEditor::SetOrdValue(qint64 value) {
    const QMetaType type = FProp.metaType();
    if (FProp.isEnumType()) {
        QVariant enumValue(type);
        std::memcpy(enumValue.data(), &value, size_t(type.sizeOf()));
        writeAll(enumValue);
        return;
    }
    if (type == QMetaType::fromType<bool>()) {
        writeAll(QVariant(value != 0));
        return;
    }
    QVariant number(value);
    if (!number.convert(type))
        throw EConvertError(QStringLiteral("Invalid property value"));
    writeAll(number);
}

QString TPropertyEditor::GetStrValueAt(int index) const {
    return GetVarValueAt(index).toString();
}

void TPropertyEditor::SetStrValue(const QString& value) {
    writeAll(QVariant(value));
}

double TPropertyEditor::GetFloatValueAt(int index) const {
    return GetVarValueAt(index).toDouble();
}

void TPropertyEditor::SetFloatValue(double value) {
    QVariant number(value);
    number.convert(FProp.metaType());
    writeAll(number);
}

QObject* TPropertyEditor::GetObjectValueAt(int index) const {
    const QVariant value = GetVarValueAt(index);
    return isObjectType(value.metaType()) ? value.value<QObject*>() : nullptr;
}

void TPropertyEditor::SetObjectValue(QObject* value) {
    writeAll(objectVariant(FProp.metaType(), value));
}

TMethod TPropertyEditor::GetMethodValueAt(int index) const {
    return TMethod{methodName(GetVarValueAt(index))};
}

void TPropertyEditor::SetMethodValue(const TMethod& value) {
    QVariant method = QVariant::fromValue(value);
    if (!method.convert(FProp.metaType()))
        throw EConvertError(QStringLiteral("Invalid property value"));
    writeAll(method);
}
