#include "QzPkgPrivileges.h"

#include "BinaryForm.h"
#include "ComponentStreams.h"
#include "FileWrite.h"
#include "QzExcept.h"

// ---------------------------------------------------------------------------------------------
// Privileges

TQzPkgPrivilegesItem::TQzPkgPrivilegesItem(TCollection* collection)
    : TQzPkgItem(collection), FDescriptionId(new TQzMemoryLabel(this)) {}

TQzPkgPrivilegesItem::~TQzPkgPrivilegesItem() {
    changed();
}

void TQzPkgPrivilegesItem::changed() const {
    if (auto* list = qobject_cast<TQzPkgPrivilegesItems*>(Collection()); list && list->FOnChange)
        list->FOnChange();
}

void TQzPkgPrivilegesItem::SetId(int id) {
    if (id == Id())
        return;
    TQzPkgItem::SetId(id);
    changed();
}

void TQzPkgPrivilegesItem::SetDescription(const QString& description) {
    FDescription = description;
    changed();
}

void TQzPkgPrivilegesItem::SetDescriptionId(const TQzMemoryLabel* label) {
    FDescriptionId->Assign(label);
    changed();
}

QString TQzPkgPrivilegesItem::DescriptionText() const {
    return FDescriptionId->Defined() ? FDescriptionId->Text() : FDescription;
}

void TQzPkgPrivilegesItem::SetAccess(int access) {
    if (access < TQzPrivilege::acNone || access > TQzPrivilege::acReadWrite)
        QzExcept(
            QStringLiteral("%1 is not an access level (0 none, 1 read, 2 read/write)").arg(access));
    FAccess = TQzAccess(access);
    changed();
}

void TQzPkgPrivilegesItem::SetVisible(bool visible) {
    FVisible = visible;
    changed();
}

void TQzPkgPrivilegesItem::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgPrivilegesItem*>(source);
    if (!other) {
        TQzPkgItem::Assign(source);
        return;
    }
    SetId(other->Id());
    Protected = other->Protected;
    FDescription = other->FDescription;
    FDescriptionId->Assign(other->FDescriptionId);
    FAccess = other->FAccess;
    FVisible = other->FVisible;
    changed();
}

TQzPkgPrivilegesItems::TQzPkgPrivilegesItems(TPersistent* owner)
    : TQzPkgItemList(ClassOf<TQzPkgPrivilegesItem>(), owner, QStringLiteral("privilege")) {}

TQzPkgPrivilegesItem* TQzPkgPrivilegesItems::GetItems(int index) const {
    return static_cast<TQzPkgPrivilegesItem*>(Items(index));
}

TQzPkgPrivilegesItem* TQzPkgPrivilegesItems::FindId(int id) const {
    return static_cast<TQzPkgPrivilegesItem*>(TQzPkgItemList::FindId(id));
}

TQzPkgPrivilegesItem* TQzPkgPrivilegesItems::Add(int id) {
    auto* item = static_cast<TQzPkgPrivilegesItem*>(AddWithId(id));
    if (FOnChange)
        FOnChange();
    return item;
}

TQzPkgPrivilegesData::TQzPkgPrivilegesData(QObject* parent)
    : TQzPkgData(parent), FItems(new TQzPkgPrivilegesItems(this)) {}

TQzPkgPrivilegesTemplate::TQzPkgPrivilegesTemplate(QObject* parent)
    : TPersistent(parent), FItems(new TQzPkgPrivilegesItems(this)) {}

// ---------------------------------------------------------------------------------------------
// Package

TQzPkgPrivileges::TQzPkgPrivileges(TComponent* owner)
    : TQzPkgInfo(owner, TQzPkgKind::Privileges, QStringLiteral("pac")) {
    InitData();
}

TQzPkgPrivileges::~TQzPkgPrivileges() {
    // The content outlives this part of the package; its privileges must not call back.
    Items()->FOnChange = nullptr;
}

std::unique_ptr<TQzPkgData> TQzPkgPrivileges::CreateData() const {
    return std::make_unique<TQzPkgPrivilegesData>();
}

void TQzPkgPrivileges::DataChanged() {
    Items()->FOnChange = [this] {
        changed();
    };
    changed();
}

void TQzPkgPrivileges::changed() {
    if (FUpdateCount > 0)
        FChangedWhileUpdating = true;
    else
        Q_EMIT Changed();
}

void TQzPkgPrivileges::BeginUpdate() {
    ++FUpdateCount;
}

void TQzPkgPrivileges::EndUpdate() {
    if (FUpdateCount == 0)
        QzExcept(QStringLiteral("EndUpdate of a privileges package without a BeginUpdate"));
    if (--FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Q_EMIT Changed();
    }
}

void TQzPkgPrivileges::Clear() {
    BeginUpdate();
    Items()->Clear();
    EndUpdate();
}

void TQzPkgPrivileges::SetReadStateDisableControl(bool value) {
    data()->FReadStateDisableControl = value;
    changed();
}

void TQzPkgPrivileges::SetAccessKey(const QString& key) {
    data()->FAccessKey = key;
    changed();
}

void TQzPkgPrivileges::SaveTemplateToFile(const QString& fileName) const {
    TQzPkgPrivilegesTemplate content;
    content.Items()->Assign(Items());
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Privileges;
    header.Description = Description();
    WriteFileAtomic(fileName,
                    QzBuildPkgFile(header, WriteBinaryForm(PersistentToFormObject(&content))));
}

void TQzPkgPrivileges::LoadTemplateFromFile(const QString& fileName) {
    const TQzPkgFileContents contents = QzLoadPkgFile(fileName, TQzPkgKind::Privileges);
    TQzPkgPrivilegesTemplate content;
    try {
        const TFormObject object = ReadBinaryForm(contents.Content);
        if (object.ClassName == TQzPkgPrivilegesData::staticMetaObject.className())
            QzExcept(QStringLiteral("it is a privileges package, not a template"));
        if (object.ClassName != content.ClassName())
            QzExcept(QStringLiteral("the content is a %1, not a privileges template")
                         .arg(object.ClassName));
        ReadPersistent(object, &content);
        content.Items()->Validate();
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("Cannot read privileges template \"%1\": %2")
                     .arg(fileName, e.Message()));
    }
    // A fully read template cannot fail to copy, so the privileges are never left half-replaced.
    BeginUpdate();
    Items()->Assign(content.Items());
    EndUpdate();
}
