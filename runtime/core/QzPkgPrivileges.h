#pragma once

// Privileges packages: the numbered privileges of an application, each with a description (plain
// text or a label of a strings package), an access level and a visibility flag, plus the
// package's access key. Templates carry the privileges alone, without the key, from one
// application to another.

#include "QzPkgInfo.h"
#include "QzRefs.h"

#include <functional>

// The access levels are those of the privilege references: none, read, read/write.
using TQzAccess = TQzPrivilege::TQzAccess;

class TQzPkgPrivilegesItem : public TQzPkgItem {
    Q_OBJECT
    Q_PROPERTY(QString Description READ Description WRITE SetDescription)
    Q_PROPERTY(TQzMemoryLabel* DescriptionId READ DescriptionId)
    Q_PROPERTY(TQzPrivilege::TQzAccess Access READ Access WRITE SetAccess)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    Q_INVOKABLE explicit TQzPkgPrivilegesItem(TCollection* collection = nullptr);
    ~TQzPkgPrivilegesItem() override;

    // Raises EQzError when another privilege has the id; nothing changes then.
    void SetId(int id);
    const QString& Description() const { return FDescription; }
    void SetDescription(const QString& description);
    TQzMemoryLabel* DescriptionId() const { return FDescriptionId; }
    // Copies the reference.
    void SetDescriptionId(const TQzMemoryLabel* label);
    // What a person reads: the label's text when the reference is defined, else Description.
    QString DescriptionText() const;
    TQzAccess Access() const { return FAccess; }
    // Takes the level's ordinal; raises EQzError for one outside none..read/write.
    void SetAccess(int access);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);

    void Assign(const TPersistent* source) override;

private:
    void changed() const;

    QString FDescription;
    TQzMemoryLabel* FDescriptionId;
    // A new privilege grants everything and shows, as the editor proposes.
    TQzAccess FAccess = TQzPrivilege::acReadWrite;
    bool FVisible = true;
};

class TQzPkgPrivilegesItems : public TQzPkgItemList {
    Q_OBJECT
public:
    explicit TQzPkgPrivilegesItems(TPersistent* owner);
    TQzPkgPrivilegesItem* GetItems(int index) const;
    TQzPkgPrivilegesItem* FindId(int id) const;
    // Raises EQzError when the id is taken or negative.
    TQzPkgPrivilegesItem* Add(int id);
    using TCollection::Add;

private:
    friend class TQzPkgPrivilegesItem;
    friend class TQzPkgPrivileges;
    // Told of every change to the list or its privileges.
    std::function<void()> FOnChange;
};

class TQzPkgPrivilegesData : public TQzPkgData {
    Q_OBJECT
    Q_PROPERTY(TCollection* Items READ Items)
    Q_PROPERTY(bool ReadStateDisableControl MEMBER FReadStateDisableControl)
    Q_PROPERTY(QString AccessKey MEMBER FAccessKey)
public:
    Q_INVOKABLE explicit TQzPkgPrivilegesData(QObject* parent = nullptr);
    TQzPkgPrivilegesItems* Items() const { return FItems; }

    bool FReadStateDisableControl = false;
    QString FAccessKey;

private:
    TQzPkgPrivilegesItems* FItems;
};

// The content of a template file (".pri"): the privileges without the key and settings.
class TQzPkgPrivilegesTemplate : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TCollection* Items READ Items)
public:
    explicit TQzPkgPrivilegesTemplate(QObject* parent = nullptr);
    TQzPkgPrivilegesItems* Items() const { return FItems; }

private:
    TQzPkgPrivilegesItems* FItems;
};

class TQzPkgPrivileges : public TQzPkgInfo {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzPkgPrivileges(TComponent* owner = nullptr);
    ~TQzPkgPrivileges() override;

    TQzPkgPrivilegesItems* Items() const { return data()->Items(); }
    int Count() const { return Items()->Count(); }
    TQzPkgPrivilegesItem* GetItems(int index) const { return Items()->GetItems(index); }
    TQzPkgPrivilegesItem* FindId(int id) const { return Items()->FindId(id); }
    // Raises EQzError when the id is taken or negative.
    TQzPkgPrivilegesItem* Add(int id) { return Items()->Add(id); }
    // An id no privilege has, at most four digits while one is free.
    int UniqueId() const { return Items()->UniqueId(); }
    // Removes every privilege; the access key and the settings stay.
    void Clear() override;

    // Changes between the outermost BeginUpdate and its EndUpdate are reported once, at the end.
    void BeginUpdate();
    // Raises EQzError without a BeginUpdate to close.
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    bool ReadStateDisableControl() const { return data()->FReadStateDisableControl; }
    void SetReadStateDisableControl(bool value);
    const QString& AccessKey() const { return data()->FAccessKey; }
    void SetAccessKey(const QString& key);

    // Replaces the privileges with those of a template file; the key and settings stay. A file
    // that is missing, damaged or not a template raises EQzError and nothing changes.
    void LoadTemplateFromFile(const QString& fileName);
    // Writes the privileges, without the key, as a template file.
    void SaveTemplateToFile(const QString& fileName) const;

Q_SIGNALS:
    // The privileges, the key or a setting changed, or new content was loaded.
    void Changed();

protected:
    std::unique_ptr<TQzPkgData> CreateData() const override;
    void DataChanged() override;

private:
    TQzPkgPrivilegesData* data() const { return static_cast<TQzPkgPrivilegesData*>(Data()); }
    void changed();

    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};
