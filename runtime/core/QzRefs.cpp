#include "QzRefs.h"

#include "Filer.h"
#include "QzExcept.h"
#include "QzPkgStrings.h"

#include <climits>

namespace {

TQzPrivilegeLookup& privilegeLookup() {
    static TQzPrivilegeLookup lookup;
    return lookup;
}

// The strings package a reference's item would be in, or none.
const TQzPkgStrings* packageOf(const TQzMemoryRef& ref) {
    const QString pkgName = ref.ItemPkgName();
    // An unnamed package would match an empty name; a reference without a name has no item.
    if (pkgName.isEmpty() || ref.ItemId() < 0)
        return nullptr;
    return QzFindPkgStrings(pkgName);
}

} // namespace

void QzCheckRange(qint64 value, qint64 low, qint64 high, const QString& what) {
    if (value < low || value > high)
        QzExcept(QStringLiteral("%1 must be between %2 and %3, not %4")
                     .arg(what)
                     .arg(low)
                     .arg(high)
                     .arg(value));
}

QChar QzOneCharacter(const QString& text, const QString& what) {
    if (text.size() != 1)
        QzExcept(QStringLiteral("%1 must be one character, not \"%2\"").arg(what, text));
    return text.front();
}

// ---------------------------------------------------------------------------------------------
// Package items

TQzMemoryRef::TQzMemoryRef(QObject* parent) : TPersistent(parent) {}

void TQzMemoryRef::PkgId(const QString& pkgName, int id) {
    FPkgName = pkgName;
    FId = id;
}

void TQzMemoryRef::SetDefault(const QString& pkgName, int id) {
    FDefaultPkgName = pkgName;
    FDefaultId = id;
    FHasDefault = true;
    FId = DefaultItem;
}

QString TQzMemoryRef::ItemPkgName() const {
    return FId == DefaultItem && FHasDefault ? FDefaultPkgName : FPkgName;
}

int TQzMemoryRef::ItemId() const {
    return FId == DefaultItem && FHasDefault ? FDefaultId : FId;
}

bool TQzMemoryRef::IsFresh() const {
    return FPkgName.isEmpty() && FId == (FHasDefault ? DefaultItem : NoItem);
}

void TQzMemoryRef::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzMemoryRef*>(source);
    if (!other || other->metaObject() != metaObject()) {
        TPersistent::Assign(source);
        return;
    }
    FPkgName = other->FPkgName;
    FId = other->FId;
    if (!FHasDefault && other->FHasDefault) {
        FDefaultPkgName = other->FDefaultPkgName;
        FDefaultId = other->FDefaultId;
        FHasDefault = true;
    }
}

void TQzMemoryRef::DefineProperties(TFiler& filer) {
    TPersistent::DefineProperties(filer);
    // One condition for both, so the two lines are always written as a pair.
    const bool written = !IsFresh();
    filer.DefineProperty(
        QStringLiteral("PkgName"), [this](TReader& reader) { FPkgName = reader.ReadString(); },
        [this](TWriter& writer) { writer.WriteString(FPkgName); }, written);
    filer.DefineProperty(
        QStringLiteral("Id"),
        [this](TReader& reader) {
            const qint64 id = reader.ReadInteger();
            QzCheckRange(id, INT_MIN, INT_MAX, QStringLiteral("An item id"));
            FId = int(id);
        },
        [this](TWriter& writer) { writer.WriteInteger(FId); }, written);
}

QString TQzMemoryLabel::Text() const {
    const TQzPkgStrings* pkg = packageOf(*this);
    const TQzPkgStringsLabel* label = pkg ? pkg->Labels()->FindId(ItemId()) : nullptr;
    return label ? label->Text() : QString();
}

QString TQzMemoryLabel::Hint() const {
    const TQzPkgStrings* pkg = packageOf(*this);
    const TQzPkgStringsLabel* label = pkg ? pkg->Labels()->FindId(ItemId()) : nullptr;
    return label ? label->Hint() : QString();
}

QString TQzMemoryMessage::Text() const {
    const TQzPkgStrings* pkg = packageOf(*this);
    const TQzPkgStringsText* message = pkg ? pkg->Messages()->FindId(ItemId()) : nullptr;
    return message ? message->Text() : QString();
}

QString TQzMemoryText::Text() const {
    const TQzPkgStrings* pkg = packageOf(*this);
    const TQzPkgStringsText* text = pkg ? pkg->Texts()->FindId(ItemId()) : nullptr;
    return text ? text->Text() : QString();
}

// ---------------------------------------------------------------------------------------------
// Display sets

TQzSetRef::TQzSetRef(QObject* parent) : TPersistent(parent) {}

bool TQzSetRef::IsDefault() const {
    return FName.compare(DefaultSetMarker(), Qt::CaseInsensitive) == 0;
}

QString TQzSetRef::SetNameResolved() const {
    return IsDefault() ? FDefaultSet : FName;
}

void TQzSetRef::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzSetRef*>(source);
    if (!other || other->metaObject() != metaObject()) {
        TPersistent::Assign(source);
        return;
    }
    FName = other->FName;
    if (FDefaultSet.isEmpty())
        FDefaultSet = other->FDefaultSet;
}

// ---------------------------------------------------------------------------------------------
// Privileges

void QzSetPrivilegeLookup(TQzPrivilegeLookup lookup) {
    privilegeLookup() = std::move(lookup);
}

TQzPrivilege::TQzPrivilege(QObject* parent) : TPersistent(parent) {}

void TQzPrivilege::SetAccess(TQzAccess access) {
    QzCheckRange(access, acNone, acReadWrite, QStringLiteral("The access level"));
    FAccess = access;
}

std::optional<TQzPrivilegeInfo> TQzPrivilege::Info() const {
    const TQzPrivilegeLookup& lookup = privilegeLookup();
    if (FId < 0 || !lookup)
        return std::nullopt;
    std::optional<QString> description = lookup(FId);
    if (!description)
        return std::nullopt;
    return TQzPrivilegeInfo{FId, *description};
}

void TQzPrivilege::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPrivilege*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FId = other->FId;
    FAccess = other->FAccess;
}

// ---------------------------------------------------------------------------------------------
// Edit masks

TQzMask::TQzMask(QObject* parent) : TPersistent(parent) {}

void TQzMask::SetDataType(TQzDataType dataType) {
    QzCheckRange(dataType, dtInteger, dtMemo, QStringLiteral("The data type"));
    if (dataType != FDataType && !FDataTypeEditable)
        QzExcept(QStringLiteral("The data type of this mask cannot be changed"));
    FDataType = dataType;
}

void TQzMask::SetSize(int size) {
    QzCheckRange(size, 0, MaxSize, QStringLiteral("The mask size"));
    FSize = size;
}

void TQzMask::SetTake(TQzMaskTake take) {
    QzCheckRange(take, mtValue, mtMaskedText, QStringLiteral("The mask take"));
    FTake = take;
}

void TQzMask::SetDecimals(int decimals) {
    QzCheckRange(decimals, 0, MaxDecimals, QStringLiteral("The mask decimals"));
    FDecimals = decimals;
}

void TQzMask::SetDateYear(TQzDateYear dateYear) {
    QzCheckRange(dateYear, dyTwoDigits, dyFourDigits, QStringLiteral("The date-year rule"));
    FDateYear = dateYear;
}

void TQzMask::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzMask*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (FDataTypeEditable)
        FDataType = other->FDataType;
    FText = other->FText;
    FSize = other->FSize;
    FTake = other->FTake;
    FDecimals = other->FDecimals;
    FDateYear = other->FDateYear;
}
