#pragma once

// An object stream as a sequence of events, so that a form travels from one stored form to
// another without being held whole: a reader of one form delivers the events one at a time
// (Next), a writer of another form takes them (Write), and memory stays bounded by the longest
// value and the nesting depth. The tree of FormData.h is built from the same events and written
// through them, so that every rule about values lives in the readers and writers alone.
//
// The events of one object: BeginObject; its properties, each a Property event whose value is a
// scalar or opens a list (elements until EndList) or a collection (BeginItem, the item's
// properties, EndItem, ... until EndCollection); its children, each a nested object; EndObject.

#include "FormData.h"

class QIODevice;

struct TFormEvent {
    enum Kind : std::uint8_t {
        BeginObject,   // Flags, ChildPos, ClassName, Name
        EndObject,     //
        Property,      // Name and Value; a List or Collection value opens it
        Element,       // Value of a list element; a List or Collection value opens it
        EndList,       //
        BeginItem,     // HasOrder, Order
        EndItem,       //
        EndCollection, //
    };
    Kind kind = BeginObject;
    std::uint8_t Flags = 0;
    bool HasOrder = false;
    qint64 ChildPos = 0; // with ffChildPos
    qint64 Order = 0;    // with HasOrder
    QString ClassName;
    QString Name; // the object's, or the property's
    // Scalars only: a List or Collection value holds no elements or items here.
    TFormValue Value;
};

// Delivers the events of one object stream.
class TFormEventReader {
public:
    virtual ~TFormEventReader();
    // The next event; false once the root object has ended.
    virtual bool Next(TFormEvent& event) = 0;
};

// Takes the events of one object stream, in order, and checks that they make one.
class TFormEventWriter {
public:
    virtual ~TFormEventWriter();
    virtual void Write(const TFormEvent& event) = 0;
};

// Passes every event of `reader` to `writer`.
void PumpFormEvents(TFormEventReader& reader, TFormEventWriter& writer);

// The tree from events, and events from a tree.
class TFormTreeBuilder : public TFormEventWriter {
public:
    void Write(const TFormEvent& event) override;
    // The root object, once it has ended.
    TFormObject Take();

private:
    TFormObject FRoot;
    bool FStarted = false;
    // The objects being filled, and the list or collection values inside them.
    std::vector<TFormObject*> FObjects;
    std::vector<TFormValue*> FValues;
    std::vector<TFormCollectionItem*> FItems;
    // For each open value: whether it sits in an item (else in an object or a list).
    std::vector<std::uint8_t> FOpen;
};

void WriteFormTree(const TFormObject& root, TFormEventWriter& writer);
