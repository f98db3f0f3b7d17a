#include "CollectionEditors.h"

#include "DesignRegistry.h"
#include "QzPaintStyle.h"

namespace {

// What `part` holds, as its form file nests it.
QList<TComponent*> heldBy(TComponent* part, IDesigner* designer) {
    QList<TComponent*> held;
    TComponent* root = designer ? designer->GetRoot() : part->Owner();
    part->GetChildren([&](TComponent* child) { held << child; }, root);
    return held;
}

} // namespace

QString TCollectionProperty::GetValue() {
    auto* collection = qobject_cast<TCollection*>(GetObjectValue());
    if (!collection)
        return {};
    return collection->Count() == 1 ? QStringLiteral("(1 item)")
                                    : QStringLiteral("(%1 items)").arg(collection->Count());
}

void TCollectionProperty::GetProperties(const TGetPropProc& proc) {
    // The items of one collection only: several selected components each have their own.
    auto* collection = qobject_cast<TCollection*>(GetObjectValue());
    if (PropCount() != 1 || !collection)
        return;
    for (int i = 0; i < collection->Count(); ++i)
        proc(std::make_unique<TNestedObjectProperty>(this, collection->Items(i),
                                                     QStringLiteral("[%1]").arg(i)));
}

TPropertyAttributes TComponentPartProperty::GetAttributes() {
    return paSubProperties | paReadOnly;
}

QString TComponentPartProperty::GetValue() {
    auto* part = qobject_cast<TComponent*>(GetObjectValue());
    if (!part)
        return {};
    QStringList names;
    for (TComponent* held : heldBy(part, Designer()))
        names << held->Name();
    return names.join(QStringLiteral(", "));
}

void TComponentPartProperty::GetProperties(const TGetPropProc& proc) {
    auto* part = qobject_cast<TComponent*>(GetObjectValue());
    if (!part)
        return;
    for (TComponent* held : heldBy(part, Designer()))
        proc(std::make_unique<TNestedObjectProperty>(this, held, held->Name()));
}

TNestedObjectProperty::TNestedObjectProperty(TPropertyEditor* holder, TPersistent* object,
                                             QString name)
    : TPropertyEditor(holder->Designer(), {object}, holder->GetPropInfo()), FObject(object),
      FName(std::move(name)) {}

TPropertyAttributes TNestedObjectProperty::GetAttributes() {
    return paSubProperties | paReadOnly;
}

QString TNestedObjectProperty::GetName() const {
    return FName;
}

QString TNestedObjectProperty::GetValue() {
    if (auto* item = qobject_cast<TCollectionItem*>(FObject))
        return item->DisplayName();
    return QzCaptionOf(FObject);
}

void TNestedObjectProperty::GetProperties(const TGetPropProc& proc) {
    GetComponentProperties(Designer(), {FObject}, proc);
    if (auto* component = qobject_cast<TComponent*>(FObject))
        for (TComponent* held : heldBy(component, Designer()))
            proc(std::make_unique<TNestedObjectProperty>(this, held, held->Name()));
}
