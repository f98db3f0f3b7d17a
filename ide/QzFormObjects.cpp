#include "QzFormObjects.h"

#include "Classes.h"
#include "Controls.h"

#include <QMetaProperty>
#include <functional>

namespace {

// The collections `object` publishes, with their property names.
QList<QPair<QString, TCollection*>> collectionsOf(const TPersistent* object) {
    QList<QPair<QString, TCollection*>> collections;
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        if (!(prop.metaType().flags() & QMetaType::PointerToQObject))
            continue;
        if (auto* collection = qobject_cast<TCollection*>(prop.read(object).value<QObject*>()))
            collections.push_back({QString::fromLatin1(prop.name()), collection});
    }
    return collections;
}

} // namespace

QList<TQzFormObject> QzFormObjects(TComponent* root, const QString& formClassName) {
    QList<TQzFormObject> objects;
    // `ownerRoot` is what owns the components of this part of the tree: the form, or an inline
    // frame for what is on it.
    std::function<void(TComponent*, int, TComponent*)> add = [&](TComponent* component, int depth,
                                                                 TComponent* ownerRoot) {
        const bool isRoot = component == root;
        objects.push_back({component, depth, component->Name(),
                           isRoot ? formClassName : component->ClassName(),
                           component->GetNamePath()});
        for (const auto& [property, collection] : collectionsOf(component))
            for (int i = 0; i < collection->Count(); ++i) {
                TCollectionItem* item = collection->Items(i);
                objects.push_back({item, depth + 1, QStringLiteral("%1[%2]").arg(property).arg(i),
                                   item->ClassName(), item->GetNamePath()});
            }
        TComponent* childRoot = (component->ComponentState() & csInline) ? component : ownerRoot;
        component->GetChildren([&](TComponent* child) { add(child, depth + 1, childRoot); },
                               childRoot);
    };
    if (root)
        add(root, 0, root);
    return objects;
}

QString QzFormObjectsListing(const QList<TQzFormObject>& objects) {
    QString out;
    for (const TQzFormObject& object : objects)
        out += QString(object.Depth * 2, u' ') + object.Name + QStringLiteral(": ") +
               object.ClassName + u'\n';
    return out;
}
