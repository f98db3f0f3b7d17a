#include "QzPkgVars.h"

#include "Filer.h"
#include "QzExcept.h"

#include <QLocale>
#include <bit>
#include <climits>
#include <cmath>

namespace {

QString typeName(TQzPkgVarsItemType type) {
    switch (type) {
    case TQzPkgVarsItem::vtBoolean:
        return QStringLiteral("Boolean");
    case TQzPkgVarsItem::vtInteger:
        return QStringLiteral("Integer");
    case TQzPkgVarsItem::vtFloat:
        return QStringLiteral("Float");
    case TQzPkgVarsItem::vtString:
        return QStringLiteral("String");
    case TQzPkgVarsItem::vtFolder:
        return QStringLiteral("Folder");
    }
    return QString();
}

void checkType(int type) {
    if (type < TQzPkgVarsItem::vtBoolean || type > TQzPkgVarsItem::vtFolder)
        QzExcept(QStringLiteral("%1 is not a type of variable").arg(type));
}

// What a name must be wherever the item stands.
void checkIdentForm(const QString& ident) {
    if (ident.trimmed().isEmpty())
        QzExcept(QStringLiteral("The name of a variable or folder cannot be empty"));
    if (ident.contains(u'\\'))
        QzExcept(QStringLiteral("The name \"%1\" cannot contain \"\\\": it separates the folders "
                                "of a path")
                     .arg(ident));
}

QString nameKey(const QString& ident) {
    return ident.toCaseFolded();
}

// A float to integer where it is a number within range, to the nearest whole number.
bool floatToInteger(double value, int& result) {
    if (!std::isfinite(value))
        return false;
    const double rounded = std::round(value);
    if (rounded < double(INT_MIN) || rounded > double(INT_MAX))
        return false;
    result = int(rounded);
    return true;
}

QString floatToText(double value) {
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

bool textToFloat(const QString& text, double& result) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (ok)
        result = value;
    return ok;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Items

TQzPkgVarsItem::TQzPkgVarsItem(TCollection* collection) : TCollectionItem(collection) {}

TQzPkgVarsItem::~TQzPkgVarsItem() {
    // The children go first, while this item still answers for their paths.
    delete FChildren;
    if (auto* list = qobject_cast<TQzPkgVarsItems*>(Collection())) {
        const QString key = nameKey(FIdent);
        if (list->FNames.value(key) == this)
            list->FNames.remove(key);
    }
}

void TQzPkgVarsItem::SetIdent(const QString& ident) {
    auto* list = qobject_cast<TQzPkgVarsItems*>(Collection());
    if (list) {
        list->CheckIdent(ident, this);
        const QString oldKey = nameKey(FIdent);
        if (list->FNames.value(oldKey) == this)
            list->FNames.remove(oldKey);
        list->FNames.insert(nameKey(ident), this);
    } else {
        checkIdentForm(ident);
    }
    FIdent = ident;
}

void TQzPkgVarsItem::SetItemType(TQzPkgVarsItemType type) {
    checkType(type);
    if (type == FItemType)
        return;
    if (FChildren && FChildren->Count() > 0)
        QzExcept(QStringLiteral("The folder \"%1\" holds %2 item(s); only an empty folder can "
                                "become a variable")
                     .arg(Path())
                     .arg(FChildren->Count()));

    // The current value as each type would hold it, or that type's default.
    bool asBoolean = false;
    int asInteger = 0;
    double asFloat = 0.0;
    QString asString;
    switch (FItemType) {
    case vtBoolean:
        asBoolean = FBoolean;
        asInteger = FBoolean ? 1 : 0;
        asFloat = asInteger;
        asString = FBoolean ? QStringLiteral("True") : QStringLiteral("False");
        break;
    case vtInteger:
        asBoolean = FInteger != 0;
        asInteger = FInteger;
        asFloat = FInteger;
        asString = QString::number(FInteger);
        break;
    case vtFloat:
        asBoolean = !std::isnan(FFloat) && FFloat != 0.0;
        floatToInteger(FFloat, asInteger);
        asFloat = FFloat;
        asString = floatToText(FFloat);
        break;
    case vtString: {
        const QString text = FString.trimmed();
        asBoolean = text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
        bool isInteger = false;
        asInteger = text.toInt(&isInteger, 10);
        if (textToFloat(text, asFloat) && !isInteger)
            floatToInteger(asFloat, asInteger);
        asString = FString;
        break;
    }
    case vtFolder:
        break;
    }

    if (type == vtFolder) {
        FChildren = new TQzPkgVarsItems(this);
    } else if (FChildren) {
        delete FChildren;
        FChildren = nullptr;
    }
    resetValue();
    FItemType = type;
    switch (type) {
    case vtBoolean:
        FBoolean = asBoolean;
        break;
    case vtInteger:
        FInteger = asInteger;
        break;
    case vtFloat:
        FFloat = asFloat;
        break;
    case vtString:
        FString = asString;
        break;
    case vtFolder:
        break;
    }
}

void TQzPkgVarsItem::resetValue() {
    FBoolean = false;
    FInteger = 0;
    FFloat = 0.0;
    FString.clear();
}

void TQzPkgVarsItem::requireType(TQzPkgVarsItemType type) const {
    if (FItemType == type)
        return;
    if (FItemType == vtFolder)
        QzExcept(QStringLiteral("\"%1\" is a folder and holds no value").arg(Path()));
    QzExcept(QStringLiteral("The variable \"%1\" is of type %2, not %3")
                 .arg(Path(), typeName(FItemType), typeName(type)));
}

void TQzPkgVarsItem::SetVBoolean(bool value) {
    requireType(vtBoolean);
    FBoolean = value;
}

void TQzPkgVarsItem::SetVInteger(int value) {
    requireType(vtInteger);
    FInteger = value;
}

void TQzPkgVarsItem::SetVFloat(double value) {
    requireType(vtFloat);
    FFloat = value;
}

void TQzPkgVarsItem::SetVString(const QString& value) {
    requireType(vtString);
    FString = value;
}

TQzPkgVarsItem* TQzPkgVarsItem::Parent() const {
    auto* list = qobject_cast<TQzPkgVarsItems*>(Collection());
    return list ? list->Folder() : nullptr;
}

TQzPkgVarsItem* TQzPkgVarsItem::Next() const {
    TCollection* list = Collection();
    if (!list)
        return nullptr;
    const int next = Index() + 1;
    return next < list->Count() ? static_cast<TQzPkgVarsItem*>(list->Items(next)) : nullptr;
}

QString TQzPkgVarsItem::Path() const {
    QString path = FIdent;
    for (const TQzPkgVarsItem* folder = Parent(); folder; folder = folder->Parent())
        path = folder->FIdent + u'\\' + path;
    return path;
}

void TQzPkgVarsItem::DefineProperties(TFiler& filer) {
    TCollectionItem::DefineProperties(filer);
    // Only the value of the item's own type is stored, and only when it is not the default.
    filer.DefineProperty(
        QStringLiteral("VBoolean"), [this](TReader& r) { SetVBoolean(r.ReadBoolean()); },
        [this](TWriter& w) { w.WriteBoolean(FBoolean); }, FItemType == vtBoolean && FBoolean);
    filer.DefineProperty(
        QStringLiteral("VInteger"),
        [this](TReader& r) {
            const qint64 value = r.ReadInteger();
            if (value < INT_MIN || value > INT_MAX)
                QzExcept(QStringLiteral("Value %1 out of range").arg(value));
            SetVInteger(int(value));
        },
        [this](TWriter& w) { w.WriteInteger(FInteger); }, FItemType == vtInteger && FInteger);
    // The float's bit pattern, so that every double (NaN payloads, -0) comes back unchanged.
    filer.DefineProperty(
        QStringLiteral("VFloatBits"),
        [this](TReader& r) { SetVFloat(std::bit_cast<double>(r.ReadInteger())); },
        [this](TWriter& w) { w.WriteInteger(std::bit_cast<qint64>(FFloat)); },
        FItemType == vtFloat && std::bit_cast<qint64>(FFloat) != 0);
    filer.DefineProperty(
        QStringLiteral("VString"), [this](TReader& r) { SetVString(r.ReadString()); },
        [this](TWriter& w) { w.WriteString(FString); },
        FItemType == vtString && !FString.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Item lists

TQzPkgVarsItems::TQzPkgVarsItems(TPersistent* owner)
    : TCollection(ClassOf<TQzPkgVarsItem>(), owner) {}

TQzPkgVarsItems::~TQzPkgVarsItems() {
    // The items leave the name index while it still exists.
    Clear();
}

TQzPkgVarsItem* TQzPkgVarsItems::GetItems(int index) const {
    return static_cast<TQzPkgVarsItem*>(Items(index));
}

TQzPkgVarsItem* TQzPkgVarsItems::Find(const QString& ident) const {
    return FNames.value(nameKey(ident), nullptr);
}

TQzPkgVarsItem* TQzPkgVarsItems::Folder() const {
    return qobject_cast<TQzPkgVarsItem*>(GetOwner());
}

int TQzPkgVarsItems::Level() const {
    int level = 1;
    for (const TQzPkgVarsItem* folder = Folder(); folder; folder = folder->Parent())
        ++level;
    return level;
}

QString TQzPkgVarsItems::where() const {
    const TQzPkgVarsItem* folder = Folder();
    return folder ? QStringLiteral("in the folder \"%1\"").arg(folder->Path())
                  : QStringLiteral("at the top level");
}

void TQzPkgVarsItems::CheckIdent(const QString& ident, const TQzPkgVarsItem* self) const {
    checkIdentForm(ident);
    const TQzPkgVarsItem* other = Find(ident);
    if (other && other != self)
        QzExcept(QStringLiteral("There is already an item named \"%1\" %2")
                     .arg(other->Ident(), where()));
}

void TQzPkgVarsItems::Validate() const {
    for (int i = 0; i < Count(); ++i) {
        const TQzPkgVarsItem* item = GetItems(i);
        if (item->Ident().trimmed().isEmpty())
            QzExcept(QStringLiteral("An item %1 has no name").arg(where()));
        if (!item->Children())
            continue;
        if (item->Children()->Count() > 0 && Level() >= QzPkgVarsMaxDepth)
            QzExcept(QStringLiteral("The folder \"%1\" nests deeper than %2 levels")
                         .arg(item->Path())
                         .arg(QzPkgVarsMaxDepth));
        item->Children()->Validate();
    }
}

TQzPkgVarsData::TQzPkgVarsData(QObject* parent)
    : TQzPkgData(parent), FItems(new TQzPkgVarsItems(this)) {}

void TQzPkgVarsData::Validate() const {
    TQzPkgData::Validate();
    FItems->Validate();
}

// ---------------------------------------------------------------------------------------------
// Package

TQzPkgVars::TQzPkgVars(TComponent* owner)
    : TQzPkgInfo(owner, TQzPkgKind::Vars, QStringLiteral("pvr")) {
    InitData();
}

std::unique_ptr<TQzPkgData> TQzPkgVars::CreateData() const {
    return std::make_unique<TQzPkgVarsData>();
}

TQzPkgVarsItem* TQzPkgVars::Add(const QString& path, TQzPkgVarsItemType type) {
    checkType(type);
    TQzPkgVarsItems* list = Items();
    const qsizetype cut = path.lastIndexOf(u'\\');
    if (cut >= 0) {
        const QString folderPath = path.left(cut);
        TQzPkgVarsItem* folder = Find(folderPath);
        if (!folder)
            QzExcept(QStringLiteral("There is no folder \"%1\"").arg(folderPath));
        if (!folder->IsFolder())
            QzExcept(QStringLiteral("\"%1\" is a variable, not a folder").arg(folder->Path()));
        list = folder->Children();
    }
    const QString ident = path.mid(cut + 1);
    list->CheckIdent(ident, nullptr);
    if (list->Level() > QzPkgVarsMaxDepth)
        QzExcept(QStringLiteral("Folders nest at most %1 levels deep; \"%2\" would be deeper")
                     .arg(QzPkgVarsMaxDepth)
                     .arg(path));
    // Both checked above, so neither call below can refuse and leave a stray item.
    auto* item = static_cast<TQzPkgVarsItem*>(list->Add());
    item->SetIdent(ident);
    item->SetItemType(type);
    return item;
}

TQzPkgVarsItem* TQzPkgVars::Find(const QString& path) const {
    if (path.isEmpty())
        return nullptr;
    TQzPkgVarsItems* list = Items();
    TQzPkgVarsItem* item = nullptr;
    for (const QString& ident : path.split(u'\\')) {
        if (!list)
            return nullptr;
        item = list->Find(ident);
        if (!item)
            return nullptr;
        list = item->Children();
    }
    return item;
}

void TQzPkgVars::Clear() {
    Items()->Clear();
}

TQzPkgVars* QzFindPkgVars(const QString& name) {
    return static_cast<TQzPkgVars*>(QzFindPackage(TQzPkgKind::Vars, name));
}

void QzPkgVarsActives(QStringList& list) {
    list += QzPackageNames(TQzPkgKind::Vars);
}

QList<TQzPkgVars*> QzPkgVarsAll() {
    QList<TQzPkgVars*> all;
    for (TQzPkgInfo* p : QzAllPackages())
        if (p->Kind() == TQzPkgKind::Vars)
            all.push_back(static_cast<TQzPkgVars*>(p));
    return all;
}
