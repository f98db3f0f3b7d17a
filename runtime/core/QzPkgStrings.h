#pragma once

// Strings packages: labels (text and hint), messages and texts, each found by id.

#include "QzPkgInfo.h"

class TQzPkgStringsLabel : public TQzPkgItem {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
public:
    Q_INVOKABLE explicit TQzPkgStringsLabel(TCollection* collection = nullptr)
        : TQzPkgItem(collection) {}
    const QString& Text() const { return FText; }
    void SetText(const QString& text) { FText = text; }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& hint) { FHint = hint; }

private:
    QString FText;
    QString FHint;
};

// A message or a text: an id and its text.
class TQzPkgStringsText : public TQzPkgItem {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    Q_INVOKABLE explicit TQzPkgStringsText(TCollection* collection = nullptr)
        : TQzPkgItem(collection) {}
    const QString& Text() const { return FText; }
    void SetText(const QString& text) { FText = text; }

private:
    QString FText;
};

class TQzPkgStringsLabels : public TQzPkgItemList {
    Q_OBJECT
public:
    explicit TQzPkgStringsLabels(TPersistent* owner);
    TQzPkgStringsLabel* GetItems(int index) const;
    TQzPkgStringsLabel* FindId(int id) const;
    // Raises EQzError when the id is taken.
    TQzPkgStringsLabel* Add(int id, const QString& text, const QString& hint = QString());
    using TCollection::Add;
};

class TQzPkgStringsTexts : public TQzPkgItemList {
    Q_OBJECT
public:
    TQzPkgStringsTexts(TPersistent* owner, const QString& what);
    TQzPkgStringsText* GetItems(int index) const;
    TQzPkgStringsText* FindId(int id) const;
    TQzPkgStringsText* Add(int id, const QString& text);
    using TCollection::Add;
};
using TQzPkgStringsMessages = TQzPkgStringsTexts;

class TQzPkgStringsData : public TQzPkgData {
    Q_OBJECT
    Q_PROPERTY(TCollection* Labels READ Labels)
    Q_PROPERTY(TCollection* Messages READ Messages)
    Q_PROPERTY(TCollection* Texts READ Texts)
public:
    Q_INVOKABLE explicit TQzPkgStringsData(QObject* parent = nullptr);
    TQzPkgStringsLabels* Labels() const { return FLabels; }
    TQzPkgStringsTexts* Messages() const { return FMessages; }
    TQzPkgStringsTexts* Texts() const { return FTexts; }

private:
    TQzPkgStringsLabels* FLabels;
    TQzPkgStringsTexts* FMessages;
    TQzPkgStringsTexts* FTexts;
};

class TQzPkgStrings : public TQzPkgInfo {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzPkgStrings(TComponent* owner = nullptr);

    TQzPkgStringsLabels* Labels() const { return data()->Labels(); }
    TQzPkgStringsTexts* Messages() const { return data()->Messages(); }
    TQzPkgStringsTexts* Texts() const { return data()->Texts(); }

protected:
    std::unique_ptr<TQzPkgData> CreateData() const override;

private:
    TQzPkgStringsData* data() const { return static_cast<TQzPkgStringsData*>(Data()); }
};

// The loaded strings package of that name (the active one first), or none.
TQzPkgStrings* QzFindPkgStrings(const QString& name);
// Fills `list` with the names of the loaded strings packages.
void QzPkgStringsActives(QStringList& list);
// Every strings package alive, with its owner, in creation order.
QList<TQzPkgStrings*> QzPkgStringsAll();
