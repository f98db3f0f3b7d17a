#include "FormEvents.h"

TFormEventReader::~TFormEventReader() = default;
TFormEventWriter::~TFormEventWriter() = default;

void PumpFormEvents(TFormEventReader& reader, TFormEventWriter& writer) {
    TFormEvent event;
    while (reader.Next(event))
        writer.Write(event);
}

// ---------------------------------------------------------------------------------------------
// The tree from events. Only the innermost open container grows, so the pointers to the ones
// around it stay valid.

namespace {

enum Open : std::uint8_t { InObject, InList, InCollection, InItem };

// An event's value with only the fields of its kind: a reader leaves the others as they were.
TFormValue valueOf(const TFormValue& v) {
    TFormValue r;
    r.kind = v.kind;
    switch (v.kind) {
    case TFormValue::Boolean:
    case TFormValue::Integer:
        r.Int = v.Int;
        break;
    case TFormValue::Float:
        r.floatKind = v.floatKind;
        r.Int = v.Int;
        r.Real = v.Real;
        break;
    case TFormValue::String:
    case TFormValue::Ident:
        r.Str = v.Str;
        break;
    case TFormValue::Set:
        r.Names = v.Names;
        break;
    case TFormValue::Binary:
        r.Bytes = v.Bytes;
        break;
    default:
        break;
    }
    return r;
}

} // namespace

void TFormTreeBuilder::Write(const TFormEvent& event) {
    switch (event.kind) {
    case TFormEvent::BeginObject: {
        TFormObject* object = FStarted ? &FObjects.back()->Children.emplace_back() : &FRoot;
        FStarted = true;
        object->Flags = event.Flags;
        object->ChildPos = event.ChildPos;
        object->ClassName = event.ClassName;
        object->Name = event.Name;
        FObjects.push_back(object);
        FOpen.push_back(InObject);
        break;
    }
    case TFormEvent::Property: {
        std::vector<TFormProperty>& properties =
            FOpen.back() == InItem ? FItems.back()->Properties : FObjects.back()->Properties;
        TFormValue& value =
            properties.emplace_back(TFormProperty{event.Name, valueOf(event.Value)}).Value;
        if (value.kind == TFormValue::List || value.kind == TFormValue::Collection) {
            FValues.push_back(&value);
            FOpen.push_back(value.kind == TFormValue::List ? InList : InCollection);
        }
        break;
    }
    case TFormEvent::Element: {
        TFormValue& value = FValues.back()->Elements.emplace_back(valueOf(event.Value));
        if (value.kind == TFormValue::List || value.kind == TFormValue::Collection) {
            FValues.push_back(&value);
            FOpen.push_back(value.kind == TFormValue::List ? InList : InCollection);
        }
        break;
    }
    case TFormEvent::BeginItem: {
        TFormCollectionItem& item = FValues.back()->Items.emplace_back();
        item.HasOrder = event.HasOrder;
        item.Order = event.Order;
        FItems.push_back(&item);
        FOpen.push_back(InItem);
        break;
    }
    case TFormEvent::EndObject:
        FObjects.pop_back();
        FOpen.pop_back();
        break;
    case TFormEvent::EndList:
    case TFormEvent::EndCollection:
        FValues.pop_back();
        FOpen.pop_back();
        break;
    case TFormEvent::EndItem:
        FItems.pop_back();
        FOpen.pop_back();
        break;
    }
}

TFormObject TFormTreeBuilder::Take() {
    FStarted = false;
    return std::move(FRoot);
}

// ---------------------------------------------------------------------------------------------
// Events from a tree

namespace {

class TreeWalker {
public:
    explicit TreeWalker(TFormEventWriter& writer) : FWriter(writer) {}

    void object(const TFormObject& object) {
        FEvent.kind = TFormEvent::BeginObject;
        FEvent.Flags = object.Flags;
        FEvent.ChildPos = object.ChildPos;
        FEvent.ClassName = object.ClassName;
        FEvent.Name = object.Name;
        FWriter.Write(FEvent);
        for (const TFormProperty& p : object.Properties)
            property(p);
        for (const TFormObject& child : object.Children)
            this->object(child);
        end(TFormEvent::EndObject);
    }

private:
    void property(const TFormProperty& p) {
        FEvent.Name = p.Name;
        value(TFormEvent::Property, p.Value);
    }

    void value(TFormEvent::Kind kind, const TFormValue& v) {
        FEvent.kind = kind;
        if (v.kind != TFormValue::List && v.kind != TFormValue::Collection) {
            FEvent.Value = v;
            FWriter.Write(FEvent);
            return;
        }
        FEvent.Value = TFormValue();
        FEvent.Value.kind = v.kind;
        FWriter.Write(FEvent);
        for (const TFormValue& element : v.Elements)
            value(TFormEvent::Element, element);
        for (const TFormCollectionItem& item : v.Items) {
            FEvent.kind = TFormEvent::BeginItem;
            FEvent.HasOrder = item.HasOrder;
            FEvent.Order = item.Order;
            FWriter.Write(FEvent);
            for (const TFormProperty& p : item.Properties)
                property(p);
            end(TFormEvent::EndItem);
        }
        end(v.kind == TFormValue::List ? TFormEvent::EndList : TFormEvent::EndCollection);
    }

    void end(TFormEvent::Kind kind) {
        FEvent.kind = kind;
        FWriter.Write(FEvent);
    }

    TFormEventWriter& FWriter;
    TFormEvent FEvent;
};

} // namespace

void WriteFormTree(const TFormObject& root, TFormEventWriter& writer) {
    TreeWalker(writer).object(root);
}
