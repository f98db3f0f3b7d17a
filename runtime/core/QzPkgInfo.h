#pragma once

// What every package has: a name, where it is kept (inside the designed form or in its own
// file), a description, its content, and the load/save operations. Content lives in a data
// object that streams as an object stream; a load reads it into a fresh data object, and only a
// fully read one replaces the current content.

#include "Classes.h"
#include "QzPkgFile.h"

#include <QDateTime>
#include <QHash>
#include <climits>
#include <memory>

class TQzPkgInfo;

inline constexpr int QzNeverPlaced = INT_MAX;

// Content of a package. Kinds add their lists and values as published properties; the editor
// geometry is common to the kinds that have an editor window.
class TQzPkgData : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int EditorLeft MEMBER FEditorLeft)
    Q_PROPERTY(int EditorTop MEMBER FEditorTop)
    Q_PROPERTY(int EditorWidth MEMBER FEditorWidth)
    Q_PROPERTY(int EditorHeight MEMBER FEditorHeight)
    Q_PROPERTY(int EditorState MEMBER FEditorState)
public:
    using TPersistent::TPersistent;
    // Checks what the stream cannot check by itself; raises EQzError.
    virtual void Validate() const;
    // The package whose content this is; none while a load is still checking it.
    TQzPkgInfo* Package() const { return FPackage; }
    TPersistent* GetOwner() const override;

    int FEditorLeft = QzNeverPlaced;
    int FEditorTop = 0;
    int FEditorWidth = 0;
    int FEditorHeight = 0;
    int FEditorState = 0; // 2 = maximised

private:
    friend class TQzPkgInfo;
    TQzPkgInfo* FPackage = nullptr;
};

// An item of a package list with an id unique in its list.
class TQzPkgItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(int Id READ Id WRITE SetId)
    Q_PROPERTY(bool Protected MEMBER Protected)
public:
    explicit TQzPkgItem(TCollection* collection = nullptr);
    ~TQzPkgItem() override;
    int Id() const { return FId; }
    // Raises EQzError when another item of the list has the id; nothing changes then.
    void SetId(int id);
    bool Protected = false;

private:
    friend class TQzPkgItemList;
    int FId = -1;
};

// A list of package items, found by id in constant time.
class TQzPkgItemList : public TCollection {
    Q_OBJECT
public:
    TQzPkgItemList(TClass itemClass, TPersistent* owner, QString what);

    TQzPkgItem* GetItems(int index) const { return static_cast<TQzPkgItem*>(Items(index)); }
    TQzPkgItem* FindId(int id) const { return FIndex.value(id, nullptr); }
    // An id no item has, for a new item: one above the largest while that stays within the
    // four digits a person types, else the smallest free one.
    int UniqueId() const;
    // "label", "image", ...: how messages name an item of this list.
    const QString& What() const { return FWhat; }
    // Raises EQzError when ids are missing or repeated.
    void Validate() const;

protected:
    // A new item with `id`; raises EQzError when the id is taken or negative.
    TQzPkgItem* AddWithId(int id);

private:
    friend class TQzPkgItem;
    QHash<int, TQzPkgItem*> FIndex;
    QString FWhat;
};

class TQzPkgInfo : public TComponent {
    Q_OBJECT
public:
    enum TQzRegisterInitMode { imDFM = 0, imFILE = 1 };
    Q_ENUM(TQzRegisterInitMode)
private:
    Q_PROPERTY(QString PkgName READ PkgName WRITE SetPkgName)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(TQzRegisterInitMode InitMode READ InitMode WRITE SetInitMode)
    Q_PROPERTY(QString Description READ Description WRITE SetDescription)
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)

public:
    TQzPkgInfo(TComponent* owner, TQzPkgKind kind, QString defaultExt);
    ~TQzPkgInfo() override;

    TQzPkgKind Kind() const { return FKind; }
    // The name references use: the PkgName property, or the component name when it is empty.
    QString GetPkgName() const;
    const QString& PkgName() const { return FPkgName; }
    void SetPkgName(const QString& name) { FPkgName = name; }
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }
    TQzRegisterInitMode InitMode() const { return FInitMode; }
    void SetInitMode(TQzRegisterInitMode mode) { FInitMode = mode; }
    bool IsFileStored() const { return FInitMode == imFILE; }
    const QString& Description() const { return FDescription; }
    void SetDescription(const QString& description) { FDescription = description; }
    // Without the leading point: "pim".
    const QString& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString& ext);

    // Own file: LoadFile reads FileName; SaveFile writes it, and only for a FILE-stored package.
    void LoadFile();
    void SaveFile();
    // Another file; storage kind and FileName stay as they are.
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);
    // By bare name in the application folder, then FileName and storage kind are set.
    void LoadFileEx(const QString& name, TQzRegisterInitMode mode);
    void SaveFileEx(const QString& name, TQzRegisterInitMode mode);
    // The full file name for a bare name: the application folder and the default extension are
    // added where the name has none.
    QString GetFileName(const QString& name) const;
    // The bytes a save writes: the file header and the content.
    QByteArray FileBytes() const;
    // True when the own file's time or size changed since this package last read or wrote it.
    bool FileModified() const;

    // Whether QzFind... returns this package for its name; activating one deactivates the
    // others of the same kind and name.
    bool Active() const { return FActive; }
    void SetActive(bool active);

    // Empties the content.
    virtual void Clear();
    // The content as bytes of an object stream, and back (validated before anything changes).
    QByteArray ContentBytes() const;
    void SetContentBytes(const QByteArray& bytes);

    TQzPkgData* Data() const { return FData.get(); }

    void DefineProperties(TFiler& filer) override;
    void Loaded() override;

protected:
    virtual std::unique_ptr<TQzPkgData> CreateData() const = 0;
    // Replaces the content with `data`, already read and validated. Kinds with nested packages
    // check those first and raise before anything changes.
    virtual void CommitData(std::unique_ptr<TQzPkgData> data);
    // Brings nested content into `data` before it is written.
    virtual void PrepareWrite(TQzPkgData& data) const;
    // Called once the first data object exists; kinds keep typed pointers into it.
    virtual void DataChanged() {}
    void InitData();

private:
    std::unique_ptr<TQzPkgData> parseContent(const QByteArray& bytes) const;
    void stampFile(const QString& fileName);
    void writeFile(const QString& fileName);
    void readFile(const QString& fileName);

    TQzPkgKind FKind;
    QString FPkgName;
    QString FFileName;
    TQzRegisterInitMode FInitMode = imDFM;
    QString FDescription;
    QString FDefaultExt;
    bool FActive = false;
    std::unique_ptr<TQzPkgData> FData;
    QDateTime FStampTime;
    qint64 FStampSize = -1;
    QString FStampFile;
};

// Reads content bytes into `data`, a fresh content object, and validates it; raises when the
// bytes are not content of that class. Nested packages read their part with it too.
void QzReadPkgData(const QByteArray& bytes, TQzPkgData& data);

// The application folder where package files live, ending with a separator. Hosts set it (the
// designer from the project's folder or the application component's Path).
QString QzAppPath();
void QzSetAppPath(const QString& path);

// A new, empty package of a kind (its class must be registered); raises EQzError otherwise.
TQzPkgInfo* QzCreatePackage(TQzPkgKind kind, TComponent* owner = nullptr);
// The class that implements a kind: "TQzPkgStrings", ...
QString QzPackageClassName(TQzPkgKind kind);

// Every package alive, in creation order.
const QList<TQzPkgInfo*>& QzAllPackages();
// The package of a kind and name for references: the active one, else the first created.
TQzPkgInfo* QzFindPackage(TQzPkgKind kind, const QString& name);
// Names of the packages of a kind, each once, in creation order.
QStringList QzPackageNames(TQzPkgKind kind);
