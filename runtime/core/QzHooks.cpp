#include "QzHooks.h"

#include <memory>
#include <vector>

bool QzDesignMode = false;
TQzHook<void(TComponent*)> QzDsgnCreateUniqueName;
TQzHook<void(TComponent*)> QzDsgnCreateMethodMenuClick;
TQzHook<QString()> QzDsgnGetProyectName;
TQzHook<void(TComponent*, TPersistent*)> QzDsgnSelectComponent;
TQzHook<TComponent*(TComponent*, TClass, TComponent*)> QzDsgnCreateComponent;
TQzHook<void(TComponent*)> QzDsgnModified;

QPointer<QObject> FrPkgImagesActive;
QPointer<QObject> FrPkgStringsActive;
QPointer<QObject> FrPkgVarsActive;
QPointer<QObject> FrApplicationsActive;

void QzAssignDgnCreateUniqueName(std::function<void(TComponent*)> hook) {
    QzDsgnCreateUniqueName = std::move(hook);
}

namespace {

// The object `object` belongs to, one step up.
QObject* ownerOf(QObject* object) {
    auto* persistent = qobject_cast<TPersistent*>(object);
    if (!persistent)
        return object->parent();
    return persistent->GetOwner();
}

} // namespace

TComponent* QzDesignedComponent(QObject* object) {
    while (object && !qobject_cast<TComponent*>(object))
        object = ownerOf(object);
    for (auto* component = qobject_cast<TComponent*>(object); component;
         component = component->Owner()) {
        if (component->Designer())
            return component;
        if (!component->IsDesigning())
            return nullptr;
    }
    return nullptr;
}

void QzDesignerModified(QObject* object) {
    if (TComponent* designed = QzDesignedComponent(object))
        QzDsgnModified(designed);
}

// ---------------------------------------------------------------------------------------------

namespace {

struct Listener {
    int Key;
    bool HasContext;
    QPointer<QObject> Context;
    // Shared so that a listener removed while it runs stays alive until it returns.
    std::shared_ptr<TQzFormsListener> Call;
};

std::vector<Listener>& listeners() {
    static std::vector<Listener> list;
    return list;
}

int nextKey = 1;

} // namespace

int QzAddFormsListener(TQzFormsListener listener, QObject* context) {
    const int key = nextKey++;
    listeners().push_back(Listener{key, context != nullptr, context,
                                   std::make_shared<TQzFormsListener>(std::move(listener))});
    return key;
}

void QzRemoveFormsListener(int key) {
    std::erase_if(listeners(), [key](const Listener& l) { return l.Key == key; });
}

void QzFormsPerform(int code, QObject* object) {
    std::erase_if(listeners(), [](const Listener& l) { return l.HasContext && !l.Context; });
    std::vector<int> keys;
    for (const Listener& l : listeners())
        keys.push_back(l.Key);
    for (int key : keys) {
        std::shared_ptr<TQzFormsListener> call;
        for (const Listener& l : listeners())
            if (l.Key == key && (!l.HasContext || l.Context))
                call = l.Call;
        if (call && *call)
            (*call)(code, object);
    }
}
