#pragma once

// Vars packages: a tree of folders holding typed variables (boolean, integer, float, string),
// addressed by paths whose names are separated by "\". Names are unique among siblings,
// compared case-insensitively, so a path names at most one item.

#include "QzPkgInfo.h"

class TQzPkgVarsItems;

// Folders nest at most this deep (a root item is at level 1), well within what an object
// stream reads back, so that every tree the package holds can be saved and loaded again.
inline constexpr int QzPkgVarsMaxDepth = 100;

class TQzPkgVarsItem : public TCollectionItem {
    Q_OBJECT
public:
    enum TQzPkgVarsItemType {
        vtBoolean = 0,
        vtInteger = 1,
        vtFloat = 2,
        vtString = 3,
        vtFolder = 4
    };
    Q_ENUM(TQzPkgVarsItemType)
private:
    // ItemType precedes Items: a folder's children can only be read once it is a folder.
    Q_PROPERTY(QString Ident READ Ident WRITE SetIdent)
    Q_PROPERTY(TQzPkgVarsItemType ItemType READ ItemType WRITE SetItemType)
    Q_PROPERTY(TCollection* Items READ Children)

public:
    Q_INVOKABLE explicit TQzPkgVarsItem(TCollection* collection = nullptr);
    ~TQzPkgVarsItem() override;

    const QString& Ident() const { return FIdent; }
    // Raises EQzError for a blank name, a name holding "\" or one a sibling has (in any case).
    void SetIdent(const QString& ident);

    TQzPkgVarsItemType ItemType() const { return FItemType; }
    bool IsFolder() const { return FItemType == vtFolder; }
    // Converts the value where it converts sensibly (1 <-> True, 2.6 -> 3, "12" -> 12, ...), else
    // the new type starts from its default. A folder becomes a variable only when it is empty:
    // raises EQzError otherwise, and nothing changes.
    void SetItemType(TQzPkgVarsItemType type);

    // The value of a variable; the getters of the other types give their defaults (False, 0,
    // 0.0, ""). The setters raise EQzError on an item of another type.
    bool VBoolean() const { return FBoolean; }
    void SetVBoolean(bool value);
    int VInteger() const { return FInteger; }
    void SetVInteger(int value);
    double VFloat() const { return FFloat; }
    void SetVFloat(double value);
    const QString& VString() const { return FString; }
    void SetVString(const QString& value);

    // The items of a folder in order; none for a variable.
    TQzPkgVarsItems* Children() const { return FChildren; }
    // The folder holding this item; none at the top level.
    TQzPkgVarsItem* Parent() const;
    // The next item of the same folder, or none.
    TQzPkgVarsItem* Next() const;
    // The names from the top level down to this item, joined by "\".
    QString Path() const;

    void DefineProperties(TFiler& filer) override;

private:
    void requireType(TQzPkgVarsItemType type) const;
    void resetValue();

    QString FIdent;
    TQzPkgVarsItemType FItemType = vtBoolean;
    bool FBoolean = false;
    int FInteger = 0;
    double FFloat = 0.0;
    QString FString;
    TQzPkgVarsItems* FChildren = nullptr;
};
using TQzPkgVarsItemType = TQzPkgVarsItem::TQzPkgVarsItemType;

// The items of one folder, or the top level of a package, in order.
class TQzPkgVarsItems : public TCollection {
    Q_OBJECT
public:
    explicit TQzPkgVarsItems(TPersistent* owner);
    ~TQzPkgVarsItems() override;

    TQzPkgVarsItem* GetItems(int index) const;
    TQzPkgVarsItem* First() const { return Count() > 0 ? GetItems(0) : nullptr; }
    // The item of that name (case-insensitive), or none.
    TQzPkgVarsItem* Find(const QString& ident) const;
    // The folder these items are in; none at the top level.
    TQzPkgVarsItem* Folder() const;
    // 1 at the top level, one more per folder.
    int Level() const;
    // Raises EQzError when `ident` cannot name an item of this list other than `self`.
    void CheckIdent(const QString& ident, const TQzPkgVarsItem* self) const;
    // Raises EQzError for an unnamed item or folders nested too deep.
    void Validate() const;

private:
    friend class TQzPkgVarsItem;
    QString where() const;
    QHash<QString, TQzPkgVarsItem*> FNames; // by case-folded name
};

class TQzPkgVarsData : public TQzPkgData {
    Q_OBJECT
    Q_PROPERTY(TCollection* Items READ Items)
public:
    Q_INVOKABLE explicit TQzPkgVarsData(QObject* parent = nullptr);
    TQzPkgVarsItems* Items() const { return FItems; }
    void Validate() const override;

private:
    TQzPkgVarsItems* FItems;
};

class TQzPkgVars : public TQzPkgInfo {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzPkgVars(TComponent* owner = nullptr);

    // The top-level items in order.
    TQzPkgVarsItems* Items() const { return data()->Items(); }
    // Creates the item at `path` ("Folder\Sub\Name"): the folders before the last name must
    // exist and the name must be free there. Raises EQzError otherwise, and nothing changes.
    TQzPkgVarsItem* Add(const QString& path, TQzPkgVarsItemType type);
    // The item at `path`, names compared case-insensitively, or none.
    TQzPkgVarsItem* Find(const QString& path) const;
    // Removes every item; the editor geometry stays.
    void Clear() override;

protected:
    std::unique_ptr<TQzPkgData> CreateData() const override;

private:
    TQzPkgVarsData* data() const { return static_cast<TQzPkgVarsData*>(Data()); }
};

// The loaded vars package of that name (the active one first), or none.
TQzPkgVars* QzFindPkgVars(const QString& name);
// Fills `list` with the names of the loaded vars packages.
void QzPkgVarsActives(QStringList& list);
// Every vars package alive, with its owner, in creation order.
QList<TQzPkgVars*> QzPkgVarsAll();
