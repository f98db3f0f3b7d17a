#pragma once

// Writing components to object streams and reading them back: published properties by name,
// sub-objects as qualified names ("Font.Name"), collections, component references resolved
// after loading, event handlers by method name, and data from DefineProperties.

#include "FormData.h"

#include <QMetaProperty>

class QIODevice;
class TComponent;
class TFormEventReader;
class TPersistent;

// The object tree of `root` and every component it nests (GetChildren). A property is written
// only where it differs from a freshly constructed instance of the same class.
TFormObject ComponentToFormObject(TComponent* root);
void WriteComponent(QIODevice& output, TComponent* root);
QByteArray WriteComponentText(TComponent* root);

// Reads a component. With `instance` the root's properties go into it and the nested
// components are created with it as owner; without, the root is created by its class name.
// On failure everything this call created is freed again and the exception propagates.
TComponent* ReadComponent(const TFormObject& object, TComponent* instance = nullptr);
TComponent* ReadComponent(QIODevice& input, TComponent* instance = nullptr);
TComponent* ReadComponentText(const QByteArray& text, TComponent* instance = nullptr);

// The published properties of a persistent object that is not a component (a package's
// content, say) as an object of its class name, and back. Reading into `target` stops at the
// first error; callers that must not be left half-changed read into a fresh object and Assign.
TFormObject PersistentToFormObject(TPersistent* object, TComponent* root = nullptr);
void ReadPersistent(const TFormObject& object, TPersistent* target, TComponent* root = nullptr);
// The same from the events of an object stream whose root's BeginObject was read: its
// properties up to its end, a collection's items one at a time, no tree held.
void ReadPersistentProperties(TFormEventReader& events, TPersistent* target);

// The published property `name` of a class, matched case-insensitively; invalid when none.
QMetaProperty FindPublishedProperty(const QMetaObject* cls, const QString& name);
// The declared class of an object-valued property ("TFont" for Font), or none.
const QMetaObject* PropertyClass(const QMetaObject* cls, const QString& name);
