#pragma once

// The collections the library's controls publish: items that show a label and an image and
// stand for a value (the entries of a combo box, the buttons of a radio group, ...).

#include "Classes.h"
#include "QzRefs.h"

#include <QVariant>

class TQzCollectionItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryLabel* Caption READ Caption)
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(QVariant Value MEMBER FValue)
public:
    Q_INVOKABLE explicit TQzCollectionItem(TCollection* collection = nullptr);

    TQzMemoryLabel* Caption() const { return FCaption; }
    TQzMemoryImage* Image() const { return FImage; }
    const QVariant& Value() const { return FValue; }
    void SetValue(const QVariant& value) { FValue = value; }
    // The caption's text, else "Item" and the index, as editors list the item.
    QString DisplayName() const override;

    void Assign(const TPersistent* source) override;

    QVariant FValue;

private:
    TQzMemoryLabel* FCaption;
    TQzMemoryImage* FImage;
};

class TQzCollection : public TCollection {
    Q_OBJECT
public:
    // Items of TQzCollectionItem, or of `itemClass`, which must derive from it.
    explicit TQzCollection(QObject* owner = nullptr);
    TQzCollection(TClass itemClass, TPersistent* owner);

    TQzCollectionItem* GetItems(int index) const {
        return static_cast<TQzCollectionItem*>(Items(index));
    }
    TQzCollectionItem* AddItem() { return static_cast<TQzCollectionItem*>(Add()); }
    // The first item holding `value`, or none.
    TQzCollectionItem* FindValue(const QVariant& value) const;
    // How editors sum the collection up: "3 Items".
    QString DisplayText() const;
};
