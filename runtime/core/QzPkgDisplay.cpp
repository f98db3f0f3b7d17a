#include "QzPkgDisplay.h"

#include "Filer.h"
#include "QzExcept.h"

// The display's own images packages: their content is replaced as part of the display's, so the
// display hands them content it has already read and checked.
class TQzPkgDisplayImages : public TQzPkgImages {
public:
    TQzPkgDisplayImages(TQzPkgDisplay* display, const QString& name, const QString& pkgName)
        : TQzPkgImages(display) {
        SetName(name);
        SetPkgName(pkgName);
        SetSubComponent(true);
    }
    void Adopt(std::unique_ptr<TQzPkgData> data) { CommitData(std::move(data)); }
};

namespace {

std::unique_ptr<TQzPkgImagesData> readImages(const QByteArray& bytes, const QString& part) {
    if (bytes.isEmpty())
        return std::make_unique<TQzPkgImagesData>();
    try {
        return QzReadPkgImagesData(bytes);
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("the %1 images are unreadable: %2").arg(part, e.Message()));
    }
}

// Raises EQzError for a name no set can have.
void checkSetName(const QString& name, const QString& what) {
    if (name.trimmed().isEmpty())
        QzExcept(QStringLiteral("A %1 needs a name").arg(what));
    // Set references use this marker for the default set; a set of that name could never be
    // chosen.
    if (name.compare(TQzSetRef::DefaultSetMarker(), Qt::CaseInsensitive) == 0)
        QzExcept(QStringLiteral("\"%1\" is reserved for the default set").arg(name));
}

QList<int> defaultUserColors() {
    return QList<int>(QzUserColorCount, TQzPkgDisplaySetColor::DefaultColor);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Sets

TQzPkgDisplaySet::TQzPkgDisplaySet(TCollection* collection)
    : TCollectionItem(collection), FDescriptionId(new TQzMemoryLabel(this)) {}

void TQzPkgDisplaySet::SetName(const QString& name) {
    if (name == FName)
        return;
    auto* list = qobject_cast<TQzPkgDisplaySets*>(Collection());
    const QString what = list ? list->What() : QStringLiteral("set");
    checkSetName(name, what);
    if (list) {
        const TQzPkgDisplaySet* other = list->Find(name);
        if (other && other != this)
            QzExcept(QStringLiteral("There is already a %1 named \"%2\"").arg(what, other->Name()));
    }
    FName = name;
}

void TQzPkgDisplaySet::SetDescriptionId(const TQzMemoryLabel* ref) {
    FDescriptionId->Assign(ref);
}

QString TQzPkgDisplaySet::DescriptionText() const {
    return FDescriptionId->Defined() ? FDescriptionId->Text() : FDescription;
}

void TQzPkgDisplaySet::assignSet(const TQzPkgDisplaySet& other) {
    SetName(other.FName);
    FDescription = other.FDescription;
    FDescriptionId->Assign(other.FDescriptionId);
}

void TQzPkgDisplaySetColor::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgDisplaySetColor*>(source);
    if (!other) {
        TQzPkgDisplaySet::Assign(source);
        return;
    }
    assignSet(*other);
    FColor = other->FColor;
}

TQzPkgDisplayFont::TQzPkgDisplayFont(QObject* parent)
    : TPersistent(parent), FName(QStringLiteral("Sans Serif")) {}

void TQzPkgDisplayFont::SetCharset(int charset) {
    QzCheckRange(charset, 0, 255, QStringLiteral("A character set"));
    FCharset = charset;
}

void TQzPkgDisplayFont::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgDisplayFont*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FName = other->FName;
    FStyle = other->FStyle;
    FColor = other->FColor;
    FCharset = other->FCharset;
}

TQzPkgDisplaySetFont::TQzPkgDisplaySetFont(TCollection* collection)
    : TQzPkgDisplaySet(collection), FFont(new TQzPkgDisplayFont(this)) {}

void TQzPkgDisplaySetFont::SetSize(int size) {
    QzCheckRange(size, 1, 1638, QStringLiteral("A font size"));
    FSize = size;
}

QFont TQzPkgDisplaySetFont::GetQFont() const {
    QFont font(FFont->Name());
    font.setPointSize(FSize);
    const auto style = FFont->Style();
    font.setBold(style.testFlag(TQzPkgDisplayFont::fsBold));
    font.setItalic(style.testFlag(TQzPkgDisplayFont::fsItalic));
    font.setUnderline(style.testFlag(TQzPkgDisplayFont::fsUnderline));
    font.setStrikeOut(style.testFlag(TQzPkgDisplayFont::fsStrikeOut));
    return font;
}

void TQzPkgDisplaySetFont::SetQFont(const QFont& font) {
    // A pixel-sized font has no point size; the set's size stays then.
    if (font.pointSize() > 0)
        SetSize(font.pointSize());
    FFont->SetName(font.family());
    TQzPkgDisplayFont::TFontStyles style;
    style.setFlag(TQzPkgDisplayFont::fsBold, font.bold());
    style.setFlag(TQzPkgDisplayFont::fsItalic, font.italic());
    style.setFlag(TQzPkgDisplayFont::fsUnderline, font.underline());
    style.setFlag(TQzPkgDisplayFont::fsStrikeOut, font.strikeOut());
    FFont->SetStyle(style);
}

void TQzPkgDisplaySetFont::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgDisplaySetFont*>(source);
    if (!other) {
        TQzPkgDisplaySet::Assign(source);
        return;
    }
    assignSet(*other);
    FFont->Assign(other->FFont);
    FSize = other->FSize;
}

TQzPkgDisplaySetBackGround::TQzPkgDisplaySetBackGround(TCollection* collection)
    : TQzPkgDisplaySet(collection), FImage(new TQzMemoryImage(this)) {}

void TQzPkgDisplaySetBackGround::SetStyle(TQzBackGroundStyle style) {
    QzCheckRange(style, 0, QzBackGroundStyleCount - 1, QStringLiteral("A background style"));
    FStyle = style;
}

void TQzPkgDisplaySetBackGround::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgDisplaySetBackGround*>(source);
    if (!other) {
        TQzPkgDisplaySet::Assign(source);
        return;
    }
    assignSet(*other);
    FStyle = other->FStyle;
    FStartGraColor = other->FStartGraColor;
    FEndGraColor = other->FEndGraColor;
    FSolidColor = other->FSolidColor;
    FTransparent = other->FTransparent;
    FImage->Assign(other->FImage);
}

// ---------------------------------------------------------------------------------------------
// Lists

TQzPkgDisplaySets::TQzPkgDisplaySets(TClass itemClass, TPersistent* owner, QString what)
    : TCollection(itemClass, owner), FWhat(std::move(what)) {}

TQzPkgDisplaySet* TQzPkgDisplaySets::GetItems(int index) const {
    return static_cast<TQzPkgDisplaySet*>(Items(index));
}

TQzPkgDisplaySet* TQzPkgDisplaySets::Find(const QString& name) const {
    for (int i = 0; i < Count(); ++i) {
        TQzPkgDisplaySet* set = GetItems(i);
        if (set->Name().compare(name, Qt::CaseInsensitive) == 0 && !set->Name().isEmpty())
            return set;
    }
    return nullptr;
}

TQzPkgDisplaySet* TQzPkgDisplaySets::AddNamed(const QString& name) {
    // Checked before the set exists, so a refused name leaves no nameless set behind.
    checkSetName(name, FWhat);
    if (const TQzPkgDisplaySet* other = Find(name))
        QzExcept(QStringLiteral("There is already a %1 named \"%2\"").arg(FWhat, other->Name()));
    auto* set = static_cast<TQzPkgDisplaySet*>(Add());
    set->SetName(name);
    return set;
}

void TQzPkgDisplaySets::Validate() const {
    for (int i = 0; i < Count(); ++i)
        if (GetItems(i)->Name().isEmpty())
            QzExcept(QStringLiteral("A %1 has no name").arg(FWhat));
}

TQzPkgDisplaySetsColor::TQzPkgDisplaySetsColor(TPersistent* owner)
    : TQzPkgDisplaySets(ClassOf<TQzPkgDisplaySetColor>(), owner, QStringLiteral("colour set")) {}

TQzPkgDisplaySetColor* TQzPkgDisplaySetsColor::GetSetColor(int index) const {
    return static_cast<TQzPkgDisplaySetColor*>(Items(index));
}

TQzPkgDisplaySetColor* TQzPkgDisplaySetsColor::Find(const QString& name) const {
    return static_cast<TQzPkgDisplaySetColor*>(TQzPkgDisplaySets::Find(name));
}

TQzPkgDisplaySetColor* TQzPkgDisplaySetsColor::Add(const QString& name) {
    return static_cast<TQzPkgDisplaySetColor*>(AddNamed(name));
}

TQzPkgDisplaySetsFont::TQzPkgDisplaySetsFont(TPersistent* owner)
    : TQzPkgDisplaySets(ClassOf<TQzPkgDisplaySetFont>(), owner, QStringLiteral("font set")) {}

TQzPkgDisplaySetFont* TQzPkgDisplaySetsFont::GetSetFont(int index) const {
    return static_cast<TQzPkgDisplaySetFont*>(Items(index));
}

TQzPkgDisplaySetFont* TQzPkgDisplaySetsFont::Find(const QString& name) const {
    return static_cast<TQzPkgDisplaySetFont*>(TQzPkgDisplaySets::Find(name));
}

TQzPkgDisplaySetFont* TQzPkgDisplaySetsFont::Add(const QString& name) {
    return static_cast<TQzPkgDisplaySetFont*>(AddNamed(name));
}

TQzPkgDisplaySetsBackGround::TQzPkgDisplaySetsBackGround(TPersistent* owner)
    : TQzPkgDisplaySets(ClassOf<TQzPkgDisplaySetBackGround>(), owner,
                        QStringLiteral("background set")) {}

TQzPkgDisplaySetBackGround* TQzPkgDisplaySetsBackGround::GetSetBackGround(int index) const {
    return static_cast<TQzPkgDisplaySetBackGround*>(Items(index));
}

TQzPkgDisplaySetBackGround* TQzPkgDisplaySetsBackGround::Find(const QString& name) const {
    return static_cast<TQzPkgDisplaySetBackGround*>(TQzPkgDisplaySets::Find(name));
}

TQzPkgDisplaySetBackGround* TQzPkgDisplaySetsBackGround::Add(const QString& name) {
    return static_cast<TQzPkgDisplaySetBackGround*>(AddNamed(name));
}

// ---------------------------------------------------------------------------------------------
// Content

TQzPkgDisplayData::TQzPkgDisplayData(QObject* parent)
    : TQzPkgData(parent), FUserColors(defaultUserColors()),
      FSetsColor(new TQzPkgDisplaySetsColor(this)), FSetsFont(new TQzPkgDisplaySetsFont(this)),
      FSetsBackGround(new TQzPkgDisplaySetsBackGround(this)) {}

TQzPkgDisplayData::~TQzPkgDisplayData() = default;

void TQzPkgDisplayData::SetUpdateDateTime(const QDateTime& date) {
    FUpdateDateTime = date;
}

void TQzPkgDisplayData::DefineProperties(TFiler& filer) {
    TQzPkgData::DefineProperties(filer);
    filer.DefineProperty(
        QStringLiteral("UserColors"),
        [this](TReader& reader) {
            QList<int> colors;
            reader.ReadListBegin();
            while (!reader.EndOfList()) {
                const qint64 color = reader.ReadInteger();
                QzCheckRange(color, INT32_MIN, INT32_MAX, QStringLiteral("A colour"));
                colors.push_back(int(color));
            }
            reader.ReadListEnd();
            if (colors.size() != QzUserColorCount)
                QzExcept(QStringLiteral("%1 custom colours are stored, not %2")
                             .arg(colors.size())
                             .arg(QzUserColorCount));
            FUserColors = colors;
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int color : FUserColors)
                writer.WriteInteger(color);
            writer.WriteListEnd();
        },
        FUserColors != defaultUserColors());
}

void TQzPkgDisplayData::readNested() const {
    if (!FSystemRead)
        FSystemRead = readImages(FSystemImages, QStringLiteral("System"));
    if (!FUserRead)
        FUserRead = readImages(FUserImages, QStringLiteral("User"));
}

void TQzPkgDisplayData::Validate() const {
    TQzPkgData::Validate();
    for (const TQzPkgDisplaySets* list : {static_cast<const TQzPkgDisplaySets*>(FSetsColor),
                                          static_cast<const TQzPkgDisplaySets*>(FSetsFont),
                                          static_cast<const TQzPkgDisplaySets*>(FSetsBackGround)})
        list->Validate();
    const std::pair<int, const char*> measures[] = {
        {FCWMarginAfterTitle, "CWMarginAfterTitle"},
        {FCWTitleHeight, "CWTitleHeight"},
        {FCWButtonsWidth, "CWButtonsWidth"},
        {FCWButtonsHeight, "CWButtonsHeight"},
        {FCWButtonsSpacing, "CWButtonsSpacing"},
        {FCWButtonsMargin, "CWButtonsMargin"},
        {FCWMarginTop, "CWMarginTop"},
        {FCWMarginLeft, "CWMarginLeft"},
        {FCWMarginRight, "CWMarginRight"},
        {FCWMarginBottom, "CWMarginBottom"},
        {FCWWinRgn, "CWWinRgn"},
        {FHiMarginLeft, "HiMarginLeft"},
        {FHiMarginRight, "HiMarginRight"},
        {FHiMarginTop, "HiMarginTop"},
        {FHiMarginBottom, "HiMarginBottom"},
        {FHiWinRgn, "HiWinRgn"},
    };
    for (const auto& [value, name] : measures)
        if (value < 0)
            QzExcept(
                QStringLiteral("%1 cannot be negative (%2)").arg(QLatin1String(name)).arg(value));
    readNested();
}

std::unique_ptr<TQzPkgImagesData> TQzPkgDisplayData::TakeSystemImages() {
    readNested();
    FSystemImages.clear();
    return std::move(FSystemRead);
}

std::unique_ptr<TQzPkgImagesData> TQzPkgDisplayData::TakeUserImages() {
    readNested();
    FUserImages.clear();
    return std::move(FUserRead);
}

// ---------------------------------------------------------------------------------------------
// Package

TQzPkgDisplay::TQzPkgDisplay(TComponent* owner)
    : TQzPkgInfo(owner, TQzPkgKind::Display, QStringLiteral("dis")),
      FSystemImages(
          new TQzPkgDisplayImages(this, QStringLiteral("SystemImages"), QStringLiteral("System"))),
      FUserImages(
          new TQzPkgDisplayImages(this, QStringLiteral("UserImages"), QStringLiteral("User"))) {
    InitData();
}

TQzPkgImages* TQzPkgDisplay::SystemImages() const {
    return FSystemImages;
}

TQzPkgImages* TQzPkgDisplay::UserImages() const {
    return FUserImages;
}

void TQzPkgDisplay::setMeasure(int& field, int value) {
    if (value < 0)
        QzExcept(QStringLiteral("A window or hint measure cannot be negative (%1)").arg(value));
    field = value;
}

void TQzPkgDisplay::SetUserColors(const QList<int>& colors) {
    if (colors.size() > QzUserColorCount)
        QzExcept(QStringLiteral("There are %1 custom colours, not %2")
                     .arg(QzUserColorCount)
                     .arg(colors.size()));
    QList<int> all = colors;
    all.resize(QzUserColorCount, TQzPkgDisplaySetColor::DefaultColor);
    data()->FUserColors = all;
}

void TQzPkgDisplay::Clear() {
    SetsColor()->Clear();
    SetsFont()->Clear();
    SetsBackGround()->Clear();
    FSystemImages->Clear();
    FUserImages->Clear();
    SetLastUpdateFile(QString());
    SetUpdateDateTime(QDateTime());
}

std::unique_ptr<TQzPkgData> TQzPkgDisplay::CreateData() const {
    return std::make_unique<TQzPkgDisplayData>();
}

void TQzPkgDisplay::CommitData(std::unique_ptr<TQzPkgData> data) {
    auto* display = static_cast<TQzPkgDisplayData*>(data.get());
    // Both nested parts are read before either is replaced; past this point nothing can fail.
    display->Validate();
    FSystemImages->Adopt(display->TakeSystemImages());
    FUserImages->Adopt(display->TakeUserImages());
    TQzPkgInfo::CommitData(std::move(data));
}

void TQzPkgDisplay::PrepareWrite(TQzPkgData& data) const {
    auto& display = static_cast<TQzPkgDisplayData&>(data);
    display.FSystemImages = FSystemImages->ContentBytes();
    display.FUserImages = FUserImages->ContentBytes();
}

TQzPkgDisplay* QzFindPkgDisplay(const QString& name) {
    return static_cast<TQzPkgDisplay*>(QzFindPackage(TQzPkgKind::Display, name));
}

QList<TQzPkgDisplay*> QzPkgDisplayAll() {
    QList<TQzPkgDisplay*> all;
    for (TQzPkgInfo* p : QzAllPackages())
        if (p->Kind() == TQzPkgKind::Display)
            all.push_back(static_cast<TQzPkgDisplay*>(p));
    return all;
}
