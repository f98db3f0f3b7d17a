#pragma once

// The component model: persistent objects, components with owners and names, collections, the
// class registry and the hooks the object streams call. Everything here is QtCore only.

#include "SysUtils.h"

#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class TComponent;
class TCollection;
class TFiler;

// ---------------------------------------------------------------------------------------------
// Class references

// What the registry knows of a class: its meta object and how to make an instance. The owner
// passed to Create is a TComponent for components and a TCollection for collection items.
struct TClassInfo {
    const QMetaObject* Meta;
    std::function<QObject*(QObject* owner)> Create;
    QString ClassName() const { return QString::fromLatin1(Meta->className()); }
};
using TClass = const TClassInfo*;

template <typename T>
TClass ClassOf();

// ---------------------------------------------------------------------------------------------
// Event properties: a published event holds the name of the handler method, as in form files.

struct TMethod {
    QString Name;
    bool IsAssigned() const { return !Name.isEmpty(); }
    bool operator==(const TMethod&) const = default;
};

#define QZ_DECLARE_EVENT(Type)                                                                     \
    struct Type : TMethod {};                                                                      \
    Q_DECLARE_METATYPE(Type)

QZ_DECLARE_EVENT(TNotifyEvent)

// Makes an event type known to the streams (both directions of conversion to TMethod).
template <typename E>
void RegisterEventType() {
    if (!QMetaType::hasRegisteredConverterFunction<E, TMethod>()) {
        QMetaType::registerConverter<E, TMethod>([](const E& e) { return TMethod{e.Name}; });
        QMetaType::registerConverter<TMethod, E>([](const TMethod& m) {
            E e;
            e.Name = m.Name;
            return e;
        });
    }
}
bool IsEventType(QMetaType type);

// Text types of their own (a multi-line text, say): the streams read and write them as strings,
// while the designer can tell them from plain strings and bind editors to them. S converts to
// and from QString.
template <typename S>
void RegisterStringType() {
    if (!QMetaType::hasRegisteredConverterFunction<S, QString>()) {
        QMetaType::registerConverter<S, QString>([](const S& s) { return QString(s); });
        QMetaType::registerConverter<QString, S>([](const QString& s) { return S(s); });
    }
}
bool IsStringType(QMetaType type);

// ---------------------------------------------------------------------------------------------

class TPersistent : public QObject {
    Q_OBJECT
public:
    explicit TPersistent(QObject* parent = nullptr);
    ~TPersistent() override;

    // Copies `source` into this object; raises EConvertError when the classes do not match.
    virtual void Assign(const TPersistent* source);
    virtual TPersistent* GetOwner() const;
    virtual QString GetNamePath() const;
    QString ClassName() const { return QString::fromLatin1(metaObject()->className()); }

    // Streams data that is not a published property (custom binary blocks, lists).
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};

enum TComponentStateFlag {
    csLoading = 0x1,
    csReading = 0x2,
    csWriting = 0x4,
    csDestroying = 0x8,
    csDesigning = 0x10,
    csAncestor = 0x20,
    csUpdating = 0x40,
    csInline = 0x80,
    // Owned by the component whose published property holds it; streamed inside that
    // component as qualified names rather than as a reference.
    csSubComponent = 0x100,
};
using TComponentState = int;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName STORED false)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    Q_INVOKABLE explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const QString& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or is taken in the owner.
    void SetName(const QString& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const;
    const std::vector<TComponent*>& ComponentList() const { return FComponents; }
    int ComponentIndex() const;
    void SetComponentIndex(int index);
    // Case-insensitive lookup among the owned components.
    TComponent* FindComponent(const QString& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    TComponentState ComponentState() const { return FState; }
    bool IsDesigning() const { return FState & csDesigning; }
    bool IsLoading() const { return FState & csLoading; }
    // Sets or clears the designing flag here and, when asked, on the owned components.
    void SetDesigning(bool designing, bool setChildren = true);
    void SetState(TComponentState flags) { FState |= flags; }
    void SetSubComponent(bool isSubComponent);
    void ClearState(TComponentState flags) { FState &= ~flags; }

    // `component` is told through Notification when this one is freed, and vice versa.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // The default clears every published component reference that points at a freed component.
    virtual void Notification(TComponent* component, TOperation operation);
    virtual void Loaded();

    // Streaming: which components are written nested in this one, and the visual parent.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent);

    TPersistent* GetOwner() const override { return FOwner; }
    QString GetNamePath() const override { return FName; }

    // The designer of a designed root; set by the designer host.
    void* Designer() const { return FDesigner; }
    void SetDesigner(void* designer) { FDesigner = designer; }
    // The class the streams write for this component: its own, unless a designer stands a
    // registered ancestor in for a class only the form's unit declares ("TFrmMain").
    QString StreamedClassName() const {
        return FStreamedClassName.isEmpty() ? ClassName() : FStreamedClassName;
    }
    void SetStreamedClassName(const QString& name) { FStreamedClassName = name; }

protected:
    virtual void ValidateRename(TComponent* component, const QString& currentName,
                                const QString& newName) const;

private:
    void notifyAll(TOperation operation);

    TComponent* FOwner = nullptr;
    QString FName;
    int FTag = 0;
    TComponentState FState = 0;
    std::vector<TComponent*> FComponents;
    // The owned components by case-folded name, so that a lookup does not walk them all.
    QHash<QString, TComponent*> FNames;
    std::vector<TComponent*> FFreeNotifies;
    void* FDesigner = nullptr;
    QString FStreamedClassName;
};

// ---------------------------------------------------------------------------------------------
// Collections

class TCollectionItem : public TPersistent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TCollectionItem(TCollection* collection = nullptr);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* collection);
    int Index() const;
    // Moves the item within its collection.
    void SetIndex(int index);
    int ID() const { return FID; }
    virtual QString DisplayName() const;
    virtual void SetDisplayName(const QString& name);
    TPersistent* GetOwner() const override;
    QString GetNamePath() const override;

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
    Q_OBJECT
public:
    TCollection(TClass itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    TClass ItemClass() const { return FItemClass; }
    int Count() const { return int(FItems.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override { return FOwner; }
    // "Owner.Property", for example "Label1.Items".
    QString GetNamePath() const override;
    // The owner's published property that holds this collection.
    QString PropName() const;

private:
    friend class TCollectionItem;
    void insertItem(TCollectionItem* item, int index);
    void removeItem(TCollectionItem* item);

    TClass FItemClass;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
};

// ---------------------------------------------------------------------------------------------
// Class registry

void RegisterClass(TClass cls);
template <typename... T>
void RegisterClasses() {
    (RegisterClass(ClassOf<T>()), ...);
}
// Raises EClassNotFound for an unknown class.
TClass FindClass(const QString& className);
// None for an unknown class.
TClass GetClass(const QString& className);
void UnRegisterClass(TClass cls);
// Every registered class, in the order of registration.
QList<TClass> RegisteredClasses();
// True while the streams construct a fresh instance only to learn its default values; such an
// instance should not announce itself (registries, broadcasts).
bool IsCreatingDefaultInstance();
// Marks the construction of such instances for its lifetime.
class TDefaultInstanceScope {
public:
    TDefaultInstanceScope();
    ~TDefaultInstanceScope();
    TDefaultInstanceScope(const TDefaultInstanceScope&) = delete;
    TDefaultInstanceScope& operator=(const TDefaultInstanceScope&) = delete;
};

// Creates a registered component by class name; raises EClassNotFound for an unknown one.
TComponent* CreateComponentByName(const QString& className, TComponent* owner);

template <typename T>
TClass ClassOf() {
    static const TClassInfo info{&T::staticMetaObject, [](QObject* owner) -> QObject* {
                                     if constexpr (std::is_base_of_v<TComponent, T>)
                                         return new T(static_cast<TComponent*>(owner));
                                     else if constexpr (std::is_base_of_v<TCollectionItem, T>)
                                         return new T(static_cast<TCollection*>(owner));
                                     else
                                         return new T(owner);
                                 }};
    return &info;
}
