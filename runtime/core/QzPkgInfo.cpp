#include "QzPkgInfo.h"

#include "BinaryForm.h"
#include "ComponentStreams.h"
#include "FileWrite.h"
#include "Filer.h"
#include "FormEvents.h"
#include "FormInput.h"
#include "QzExcept.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
QList<TQzPkgInfo*>& packages() {
    static QList<TQzPkgInfo*> list;
    return list;
}
QString& appPath() {
    static QString path;
    return path;
}
// "a label", "an image".
QString withArticle(const QString& noun) {
    const bool vowel = !noun.isEmpty() && QStringLiteral("aeiou").contains(noun[0].toLower());
    return (vowel ? QStringLiteral("an ") : QStringLiteral("a ")) + noun;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Data and items

void TQzPkgData::Validate() const {
    for (QObject* child : children())
        if (auto* list = qobject_cast<TQzPkgItemList*>(child))
            list->Validate();
}

TPersistent* TQzPkgData::GetOwner() const {
    return FPackage;
}

TQzPkgItem::TQzPkgItem(TCollection* collection) : TCollectionItem(collection) {}

TQzPkgItem::~TQzPkgItem() {
    if (auto* list = qobject_cast<TQzPkgItemList*>(Collection()))
        if (list->FIndex.value(FId) == this)
            list->FIndex.remove(FId);
}

void TQzPkgItem::SetId(int id) {
    if (id == FId)
        return;
    auto* list = qobject_cast<TQzPkgItemList*>(Collection());
    if (list) {
        if (id < 0)
            QzExcept(QStringLiteral("%1 is not a valid %2 id").arg(id).arg(list->What()));
        if (list->FIndex.contains(id))
            QzExcept(QStringLiteral("There is already %1 with the id %2")
                         .arg(withArticle(list->What()))
                         .arg(id));
        if (list->FIndex.value(FId) == this)
            list->FIndex.remove(FId);
        list->FIndex.insert(id, this);
    }
    FId = id;
}

TQzPkgItemList::TQzPkgItemList(TClass itemClass, TPersistent* owner, QString what)
    : TCollection(itemClass, owner), FWhat(std::move(what)) {}

int TQzPkgItemList::UniqueId() const {
    int largest = 0;
    for (auto it = FIndex.cbegin(); it != FIndex.cend(); ++it)
        largest = std::max(largest, it.key());
    if (largest < 9999)
        return largest + 1;
    for (int id = 1; id <= 9999; ++id)
        if (!FIndex.contains(id))
            return id;
    QzExcept(QStringLiteral("Every %1 id from 1 to 9999 is in use").arg(FWhat));
}

TQzPkgItem* TQzPkgItemList::AddWithId(int id) {
    if (id < 0)
        QzExcept(QStringLiteral("%1 is not a valid %2 id").arg(id).arg(FWhat));
    if (FIndex.contains(id))
        QzExcept(
            QStringLiteral("There is already %1 with the id %2").arg(withArticle(FWhat)).arg(id));
    auto* item = static_cast<TQzPkgItem*>(Add());
    item->SetId(id);
    return item;
}

void TQzPkgItemList::Validate() const {
    // Ids are checked as they are read; an item without one would be unreachable.
    if (FIndex.size() != Count()) {
        QString item = withArticle(FWhat);
        item[0] = item[0].toUpper();
        QzExcept(item + QStringLiteral(" has no id"));
    }
}

// ---------------------------------------------------------------------------------------------
// Package

TQzPkgInfo::TQzPkgInfo(TComponent* owner, TQzPkgKind kind, QString defaultExt)
    : TComponent(owner), FKind(kind), FDefaultExt(std::move(defaultExt)) {
    if (!IsCreatingDefaultInstance())
        packages().push_back(this);
}

TQzPkgInfo::~TQzPkgInfo() {
    packages().removeOne(this);
}

void TQzPkgInfo::InitData() {
    FData = CreateData();
    FData->FPackage = this;
    DataChanged();
}

QString TQzPkgInfo::GetPkgName() const {
    return FPkgName.isEmpty() ? Name() : FPkgName;
}

void TQzPkgInfo::SetDefaultExt(const QString& ext) {
    FDefaultExt = ext.startsWith(u'.') ? ext.mid(1) : ext;
}

void TQzPkgInfo::SetActive(bool active) {
    if (active)
        for (TQzPkgInfo* other : packages())
            if (other != this && other->FKind == FKind &&
                SameText(other->GetPkgName(), GetPkgName()))
                other->FActive = false;
    FActive = active;
}

// The content is read as it is decoded, item by item, without a tree of it in between.
void QzReadPkgData(const QByteArray& bytes, TQzPkgData& data) {
    TFormInput input(bytes);
    const std::unique_ptr<TFormEventReader> events = NewBinaryFormReader(input, 0);
    TFormEvent root;
    events->Next(root);
    if (root.ClassName != data.ClassName())
        QzExcept(
            QStringLiteral("the content is a %1, not a %2").arg(root.ClassName, data.ClassName()));
    ReadPersistentProperties(*events, &data);
    if (!input.AtEnd())
        QzExcept(QStringLiteral("%1 bytes follow the content").arg(input.Available()));
    data.Validate();
}

std::unique_ptr<TQzPkgData> TQzPkgInfo::parseContent(const QByteArray& bytes) const {
    std::unique_ptr<TQzPkgData> data = CreateData();
    QzReadPkgData(bytes, *data);
    return data;
}

QByteArray TQzPkgInfo::ContentBytes() const {
    PrepareWrite(*FData);
    return WriteBinaryForm(PersistentToFormObject(FData.get()));
}

void TQzPkgInfo::SetContentBytes(const QByteArray& bytes) {
    CommitData(parseContent(bytes));
}

void TQzPkgInfo::CommitData(std::unique_ptr<TQzPkgData> data) {
    FData = std::move(data);
    FData->FPackage = this;
    DataChanged();
}

void TQzPkgInfo::PrepareWrite(TQzPkgData&) const {}

void TQzPkgInfo::Clear() {
    CommitData(CreateData());
}

void TQzPkgInfo::readFile(const QString& fileName) {
    const TQzPkgFileContents contents = QzLoadPkgFile(fileName, FKind);
    std::unique_ptr<TQzPkgData> data;
    try {
        data = parseContent(contents.Content);
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("Cannot read package file \"%1\": its content is unreadable: %2")
                     .arg(fileName, e.Message()));
    }
    CommitData(std::move(data));
    FDescription = contents.Header.Description;
}

QByteArray TQzPkgInfo::FileBytes() const {
    TQzPkgFileHeader header;
    header.Kind = FKind;
    header.Description = FDescription;
    header.Name = GetPkgName();
    return QzBuildPkgFile(header, ContentBytes());
}

void TQzPkgInfo::writeFile(const QString& fileName) {
    WriteFileAtomic(fileName, FileBytes());
}

void TQzPkgInfo::stampFile(const QString& fileName) {
    const QFileInfo info(fileName);
    FStampFile = info.absoluteFilePath();
    FStampTime = info.lastModified();
    FStampSize = info.size();
}

void TQzPkgInfo::LoadFile() {
    if (FFileName.isEmpty())
        QzExcept(QStringLiteral("The package %1 has no file name").arg(GetPkgName()));
    const QString file = GetFileName(FFileName);
    readFile(file);
    stampFile(file);
}

void TQzPkgInfo::SaveFile() {
    if (!IsFileStored() || FFileName.isEmpty())
        return;
    const QString file = GetFileName(FFileName);
    writeFile(file);
    stampFile(file);
}

void TQzPkgInfo::LoadFromFile(const QString& fileName) {
    readFile(fileName);
}

void TQzPkgInfo::SaveToFile(const QString& fileName) {
    writeFile(fileName);
}

void TQzPkgInfo::LoadFileEx(const QString& name, TQzRegisterInitMode mode) {
    const QString file = GetFileName(name);
    readFile(file);
    FFileName = file;
    FInitMode = mode;
    stampFile(file);
}

void TQzPkgInfo::SaveFileEx(const QString& name, TQzRegisterInitMode mode) {
    const QString file = GetFileName(name);
    writeFile(file);
    FFileName = file;
    FInitMode = mode;
    stampFile(file);
}

QString TQzPkgInfo::GetFileName(const QString& name) const {
    QString file = name;
    if (QFileInfo(file).suffix().isEmpty() && !FDefaultExt.isEmpty())
        file += u'.' + FDefaultExt;
    if (QFileInfo(file).isRelative())
        file = QzAppPath() + file;
    return QDir::cleanPath(file);
}

bool TQzPkgInfo::FileModified() const {
    if (!IsFileStored() || FFileName.isEmpty() || FStampSize < 0)
        return false;
    const QFileInfo info(GetFileName(FFileName));
    if (info.absoluteFilePath() != FStampFile)
        return false;
    return !info.exists() || info.size() != FStampSize || info.lastModified() != FStampTime;
}

void TQzPkgInfo::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    // A form-stored package carries its content inside the form.
    filer.DefineBinaryProperty(
        QStringLiteral("PkgData"), [this](const QByteArray& bytes) { SetContentBytes(bytes); },
        [this] { return ContentBytes(); }, !IsFileStored());
}

void TQzPkgInfo::Loaded() {
    TComponent::Loaded();
    // A file-stored package reads its file when its form is read; a missing or bad file leaves
    // it empty rather than refusing the whole form.
    if (IsFileStored() && !FFileName.isEmpty()) {
        try {
            LoadFile();
        } catch (const EQzError&) {
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Registry

QString QzAppPath() {
    QString path = appPath().isEmpty() ? QDir::currentPath() : appPath();
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

void QzSetAppPath(const QString& path) {
    appPath() = path;
}

QString QzPackageClassName(TQzPkgKind kind) {
    switch (kind) {
    case TQzPkgKind::Strings:
        return QStringLiteral("TQzPkgStrings");
    case TQzPkgKind::Images:
        return QStringLiteral("TQzPkgImages");
    case TQzPkgKind::Vars:
        return QStringLiteral("TQzPkgVars");
    case TQzPkgKind::Privileges:
        return QStringLiteral("TQzPkgPrivileges");
    case TQzPkgKind::Display:
        return QStringLiteral("TQzPkgDisplay");
    case TQzPkgKind::Language:
        return QStringLiteral("TQzPkgLanguage");
    case TQzPkgKind::Setup:
        return QStringLiteral("TQzPkgSetup");
    }
    return QString();
}

TQzPkgInfo* QzCreatePackage(TQzPkgKind kind, TComponent* owner) {
    const QString className = QzPackageClassName(kind);
    TClass cls = GetClass(className);
    if (!cls || !cls->Meta->inherits(&TQzPkgInfo::staticMetaObject))
        QzExcept(QStringLiteral("Packages of kind %1 are not available").arg(QzPkgKindName(kind)));
    return static_cast<TQzPkgInfo*>(cls->Create(owner));
}

const QList<TQzPkgInfo*>& QzAllPackages() {
    return packages();
}

TQzPkgInfo* QzFindPackage(TQzPkgKind kind, const QString& name) {
    TQzPkgInfo* first = nullptr;
    for (TQzPkgInfo* p : packages()) {
        if (p->Kind() != kind || !SameText(p->GetPkgName(), name))
            continue;
        if (p->Active())
            return p;
        if (!first)
            first = p;
    }
    return first;
}

QStringList QzPackageNames(TQzPkgKind kind) {
    QStringList names;
    for (TQzPkgInfo* p : packages())
        if (p->Kind() == kind && !names.contains(p->GetPkgName(), Qt::CaseInsensitive))
            names.push_back(p->GetPkgName());
    return names;
}
