#include "QzCollection.h"

TQzCollectionItem::TQzCollectionItem(TCollection* collection)
    : TCollectionItem(collection), FCaption(new TQzMemoryLabel(this)),
      FImage(new TQzMemoryImage(this)) {}

QString TQzCollectionItem::DisplayName() const {
    const QString text = FCaption->Text();
    return text.isEmpty() ? QStringLiteral("Item%1").arg(Index()) : text;
}

void TQzCollectionItem::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzCollectionItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    FCaption->Assign(other->FCaption);
    FImage->Assign(other->FImage);
    FValue = other->FValue;
}

TQzCollection::TQzCollection(QObject* owner)
    : TQzCollection(ClassOf<TQzCollectionItem>(), qobject_cast<TPersistent*>(owner)) {}

TQzCollection::TQzCollection(TClass itemClass, TPersistent* owner) : TCollection(itemClass, owner) {
    Q_ASSERT(itemClass->Meta->inherits(&TQzCollectionItem::staticMetaObject));
}

TQzCollectionItem* TQzCollection::FindValue(const QVariant& value) const {
    for (int i = 0; i < Count(); ++i)
        if (GetItems(i)->Value() == value)
            return GetItems(i);
    return nullptr;
}

QString TQzCollection::DisplayText() const {
    return Count() == 1 ? QStringLiteral("1 Item") : QStringLiteral("%1 Items").arg(Count());
}
