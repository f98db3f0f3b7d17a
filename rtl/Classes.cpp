#include "Classes.h"

#include <QHash>
#include <QMetaProperty>
#include <algorithm>

bool IsEventType(QMetaType type) {
    return type.isValid() && type != QMetaType::fromType<TMethod>() &&
           QMetaType::hasRegisteredConverterFunction(type, QMetaType::fromType<TMethod>());
}

bool IsStringType(QMetaType type) {
    return type.isValid() && type != QMetaType::fromType<QString>() &&
           !(type.flags() & QMetaType::PointerToQObject) &&
           QMetaType::hasRegisteredConverterFunction(type, QMetaType::fromType<QString>()) &&
           QMetaType::hasRegisteredConverterFunction(QMetaType::fromType<QString>(), type);
}

// ---------------------------------------------------------------------------------------------
// TPersistent

TPersistent::TPersistent(QObject* parent) : QObject(parent) {}

TPersistent::~TPersistent() = default;

void TPersistent::Assign(const TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    const QString from = this == dest ? QStringLiteral("nil") : ClassName();
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(from, dest->ClassName()));
}

TPersistent* TPersistent::GetOwner() const {
    return qobject_cast<TPersistent*>(parent());
}

QString TPersistent::GetNamePath() const {
    // A sub-object is named through its owner: "Label1.Font".
    if (TPersistent* owner = GetOwner()) {
        const QMetaObject* meta = owner->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QMetaProperty prop = meta->property(i);
            if ((prop.metaType().flags() & QMetaType::PointerToQObject) &&
                prop.read(owner).value<QObject*>() == this) {
                const QString path = owner->GetNamePath();
                return path.isEmpty() ? QString::fromLatin1(prop.name())
                                      : path + u'.' + QString::fromLatin1(prop.name());
            }
        }
    }
    return ClassName();
}

void TPersistent::DefineProperties(TFiler&) {}

// ---------------------------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* owner) : TPersistent(nullptr) {
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FState |= csDestroying;
    notifyAll(TOperation::opRemove);
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::notifyAll(TOperation operation) {
    // Each notified component may remove itself from the list while we walk it.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = other->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, operation);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FComponents[std::size_t(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    const auto& list = FOwner->FComponents;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int index) {
    if (!FOwner)
        return;
    auto& list = FOwner->FComponents;
    const int count = int(list.size());
    index = std::clamp(index, 0, count - 1);
    const int current = ComponentIndex();
    if (current == index)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
}

TComponent* TComponent::FindComponent(const QString& name) const {
    if (name.isEmpty())
        return nullptr;
    return FNames.value(name.toCaseFolded());
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->FOwner == this)
        return;
    if (!component->FName.isEmpty())
        ValidateRename(component, QString(), component->FName);
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    component->FOwner = this;
    component->setParent(this);
    FComponents.push_back(component);
    if (!component->FName.isEmpty())
        FNames.insert(component->FName.toCaseFolded(), component);
    if (FState & csDesigning)
        component->SetDesigning(true);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    // Components go last first when their owner is freed: search from the end.
    const auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
    if (it == FComponents.rend())
        return;
    FComponents.erase(std::next(it).base());
    if (!component->FName.isEmpty()) {
        const QString key = component->FName.toCaseFolded();
        if (FNames.value(key) == component)
            FNames.remove(key);
    }
    component->FOwner = nullptr;
    if (!(component->FState & csDestroying))
        component->setParent(nullptr);
    if (!(FState & csDestroying))
        Notification(component, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty())
        delete FComponents.back();
}

void TComponent::SetName(const QString& name) {
    if (name == FName)
        return;
    if (!name.isEmpty() && !IsValidIdent(name))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(name));
    if (FOwner)
        FOwner->ValidateRename(this, FName, name);
    else
        ValidateRename(nullptr, FName, name);
    if (FOwner) {
        const QString key = FName.toCaseFolded();
        if (!FName.isEmpty() && FOwner->FNames.value(key) == this)
            FOwner->FNames.remove(key);
        if (!name.isEmpty())
            FOwner->FNames.insert(name.toCaseFolded(), this);
    }
    FName = name;
}

void TComponent::ValidateRename(TComponent* component, const QString& currentName,
                                const QString& newName) const {
    if (!component || newName.isEmpty() || SameText(currentName, newName))
        return;
    TComponent* existing = FindComponent(newName);
    if (existing && existing != component)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(newName));
}

void TComponent::SetDesigning(bool designing, bool setChildren) {
    if (designing)
        FState |= csDesigning;
    else
        FState &= ~csDesigning;
    if (setChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(designing, true);
}

void TComponent::SetSubComponent(bool isSubComponent) {
    if (isSubComponent)
        FState |= csSubComponent;
    else
        FState &= ~csSubComponent;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto& theirs = component->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component)
        return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                        FFreeNotifies.end());
    auto& theirs = component->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation != TOperation::opRemove)
        return;
    const QMetaObject* meta = metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        const QMetaObject* target = prop.metaType().metaObject();
        if (!prop.isWritable() || !target || !target->inherits(&TComponent::staticMetaObject))
            continue;
        if (prop.read(this).value<QObject*>() == component)
            prop.write(this, QVariant(prop.metaType()));
    }
    // Siblings learn of a removal through their owner.
    for (std::size_t i = FComponents.size(); i-- > 0;)
        if (i < FComponents.size() && FComponents[i] != component)
            FComponents[i]->Notification(component, operation);
}

void TComponent::Loaded() {
    FState &= ~csLoading;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::SetParentComponent(TComponent*) {}

// ---------------------------------------------------------------------------------------------
// Collections

TCollectionItem::TCollectionItem(TCollection* collection) : TPersistent(nullptr) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection)
        FCollection->removeItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection)
        return;
    if (FCollection)
        FCollection->removeItem(this);
    if (collection)
        collection->insertItem(this, collection->Count());
}

int TCollectionItem::Index() const {
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (!FCollection)
        return;
    auto& items = FCollection->FItems;
    const int current = Index();
    index = std::clamp(index, 0, int(items.size()) - 1);
    if (current == index)
        return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
}

QString TCollectionItem::DisplayName() const {
    return ClassName();
}

void TCollectionItem::SetDisplayName(const QString&) {}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

QString TCollectionItem::GetNamePath() const {
    if (!FCollection)
        return ClassName();
    return QStringLiteral("%1[%2]").arg(FCollection->GetNamePath()).arg(Index());
}

TCollection::TCollection(TClass itemClass, TPersistent* owner)
    : TPersistent(owner), FItemClass(itemClass), FOwner(owner) {
    Q_ASSERT(itemClass && itemClass->Meta->inherits(&TCollectionItem::staticMetaObject));
}

TCollection::~TCollection() {
    Clear();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FItems[std::size_t(index)];
}

TCollectionItem* TCollection::Add() {
    return static_cast<TCollectionItem*>(FItemClass->Create(this));
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    delete Items(index);
}

void TCollection::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id)
            return item;
    return nullptr;
}

void TCollection::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    // A trial copy first, so an item that cannot be copied leaves this collection whole.
    {
        TCollection trial(FItemClass);
        for (TCollectionItem* item : other->FItems)
            trial.Add()->Assign(item);
    }
    Clear();
    for (TCollectionItem* item : other->FItems)
        Add()->Assign(item);
}

QString TCollection::GetNamePath() const {
    const QString prop = PropName();
    if (!FOwner || prop.isEmpty())
        return ClassName();
    const QString owner = FOwner->GetNamePath();
    return owner.isEmpty() ? prop : owner + u'.' + prop;
}

QString TCollection::PropName() const {
    if (!FOwner)
        return QString();
    const QMetaObject* meta = FOwner->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        if ((prop.metaType().flags() & QMetaType::PointerToQObject) &&
            prop.read(FOwner).value<QObject*>() == this)
            return QString::fromLatin1(prop.name());
    }
    return QString();
}

void TCollection::insertItem(TCollectionItem* item, int index) {
    FItems.insert(FItems.begin() + index, item);
    item->FCollection = this;
    item->FID = FNextID++;
}

void TCollection::removeItem(TCollectionItem* item) {
    // Items mostly leave from the end (Clear, freeing a collection), so look there first.
    const auto it = std::find(FItems.rbegin(), FItems.rend(), item);
    if (it != FItems.rend())
        FItems.erase(std::next(it).base());
    item->FCollection = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Class registry

namespace {
thread_local int creatingDefaults = 0;
} // namespace

bool IsCreatingDefaultInstance() {
    return creatingDefaults > 0;
}

TDefaultInstanceScope::TDefaultInstanceScope() {
    ++creatingDefaults;
}

TDefaultInstanceScope::~TDefaultInstanceScope() {
    --creatingDefaults;
}

namespace {
QHash<QString, TClass>& registry() {
    static QHash<QString, TClass> classes;
    return classes;
}
QList<TClass>& registrationOrder() {
    static QList<TClass> order;
    return order;
}
QString registryKey(const QString& name) {
    return name.toLower();
}
} // namespace

void RegisterClass(TClass cls) {
    auto& map = registry();
    const QString key = registryKey(cls->ClassName());
    if (TClass previous = map.value(key, nullptr))
        registrationOrder().removeOne(previous);
    map.insert(key, cls);
    registrationOrder().push_back(cls);
}

void UnRegisterClass(TClass cls) {
    auto& map = registry();
    auto it = map.find(registryKey(cls->ClassName()));
    if (it != map.end() && it.value() == cls) {
        map.erase(it);
        registrationOrder().removeOne(cls);
    }
}

QList<TClass> RegisteredClasses() {
    return registrationOrder();
}

TClass GetClass(const QString& className) {
    return registry().value(registryKey(className), nullptr);
}

TClass FindClass(const QString& className) {
    TClass cls = GetClass(className);
    if (!cls)
        throw EClassNotFound(QStringLiteral("Class %1 not found").arg(className));
    return cls;
}

TComponent* CreateComponentByName(const QString& className, TComponent* owner) {
    TClass cls = FindClass(className);
    if (!cls->Meta->inherits(&TComponent::staticMetaObject))
        throw EClassNotFound(QStringLiteral("Class %1 is not a component class").arg(className));
    return static_cast<TComponent*>(cls->Create(owner));
}
