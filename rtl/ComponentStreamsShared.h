#pragma once

// What writing and reading components agree on: how an object-valued property is told apart
// and read, and the day that date values count from.

#include "Classes.h"

#include <QDateTime>
#include <QMetaProperty>

namespace componentstreams {

inline const QDateTime& streamEpoch() {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch;
}

inline bool isObjectProperty(const QMetaProperty& prop) {
    return (prop.metaType().flags() & QMetaType::PointerToQObject) && prop.metaType().metaObject();
}

inline bool inherits(const QMetaProperty& prop, const QMetaObject& base) {
    return isObjectProperty(prop) && prop.metaType().metaObject()->inherits(&base);
}

inline TPersistent* readObject(const QMetaProperty& prop, const QObject* owner) {
    return qobject_cast<TPersistent*>(prop.read(owner).value<QObject*>());
}

// The component a property holds when it is a sub-component of the property's owner.
inline TComponent* subComponentOf(const QMetaProperty& prop, const QObject* owner) {
    auto* c = qobject_cast<TComponent*>(prop.read(owner).value<QObject*>());
    return c && (c->ComponentState() & csSubComponent) && c->Owner() == owner ? c : nullptr;
}

} // namespace componentstreams
