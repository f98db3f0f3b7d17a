#pragma once

// What the design package plugs into the runtime when it loads: hooks into the form designer,
// and the broadcast that keeps the library's open windows in step with package changes. Until a
// hook is set it does nothing and returns nothing, so the runtime works the same outside the
// designer.

#include "Classes.h"

#include <QPointer>
#include <functional>
#include <utility>

// A hook: a std::function that, while empty, does nothing and returns the default of its result
// (none, "", false).
template <typename Signature>
class TQzHook;

template <typename R, typename... Args>
class TQzHook<R(Args...)> : public std::function<R(Args...)> {
public:
    using Function = std::function<R(Args...)>;
    using Function::Function;
    using Function::operator=;

    R operator()(Args... args) const {
        if (!*this) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R();
        }
        return Function::operator()(std::forward<Args>(args)...);
    }
};

// True while the runtime runs inside the designer.
extern bool QzDesignMode;
// Gives `component` a name unique in its designer, built from its class name.
extern TQzHook<void(TComponent* component)> QzDsgnCreateUniqueName;
void QzAssignDgnCreateUniqueName(std::function<void(TComponent* component)> hook);
// Creates or shows the click handler of a menu item.
extern TQzHook<void(TComponent* menuItem)> QzDsgnCreateMethodMenuClick;
// The folder of the current project's file, ending with '/'.
extern TQzHook<QString()> QzDsgnGetProyectName;
// Selects `instance` in the designer of `component`.
extern TQzHook<void(TComponent* component, TPersistent* instance)> QzDsgnSelectComponent;
// A new component of `componentClass` under `parent`, made by the designer of `component` at
// its default place and size; none without a designer.
extern TQzHook<TComponent*(TComponent* component, TClass componentClass, TComponent* parent)>
    QzDsgnCreateComponent;
// Tells the designer of `component` that the design changed.
extern TQzHook<void(TComponent* component)> QzDsgnModified;

// The component `object` belongs to that a designer designs: the root of its owner chain that
// has a designer, reached through designing components only. `object` may be a component, a
// package, a package nested in another one, or something inside a package (its content, lists
// and items). None when no designer designs it.
TComponent* QzDesignedComponent(QObject* object);
// Tells the designer of `object` (found as QzDesignedComponent does) that the design changed;
// nothing when there is none.
void QzDesignerModified(QObject* object);

// ---------------------------------------------------------------------------------------------
// Broadcast to the library's open windows

// What changed; the object is the package or application concerned.
enum TQzFormsPerformCode : int {
    QzPerformStrings = 10,
    QzPerformImages = 11,
    QzPerformVars = 12,
    QzPerformApplications = 16,
};

using TQzFormsListener = std::function<void(int code, QObject* object)>;

// Registers `listener` and returns the key that unregisters it. With a `context`, the listener
// is dropped by itself when the context object is destroyed.
int QzAddFormsListener(TQzFormsListener listener, QObject* context = nullptr);
void QzRemoveFormsListener(int key);
// Calls every listener registered when the broadcast starts and still registered when its turn
// comes, in registration order: a listener may remove itself or others, or add new ones (they
// hear the next broadcast). An exception from a listener ends the broadcast and reaches the
// caller.
void QzFormsPerform(int code, QObject* object);

// The single list windows of packages and applications; empty until a verb opens one, and again
// once it is destroyed.
extern QPointer<QObject> FrPkgImagesActive;
extern QPointer<QObject> FrPkgStringsActive;
extern QPointer<QObject> FrPkgVarsActive;
extern QPointer<QObject> FrApplicationsActive;
