#pragma once

// Display packages: the application's named colour, font and background sets, its "System" and
// "User" images, the measures of the library's common windows and hints, and the custom
// colours of the colour dialog, kept together in one ".dis" file or in the application's form.
// Colours are 32-bit colour values: 0x00BBGGRR, or a system colour with the high byte 0xFF.

#include "QzPkgImages.h"
#include "QzRefs.h"

#include <QDateTime>
#include <QFont>

namespace QzDisplayTypes {
Q_NAMESPACE

// How a background set paints. The gradient styles run from the start to the end colour; the
// image styles draw the set's image over the solid colour.
enum TQzBackGroundStyle {
    bgsSolid,
    bgsHorizontal,
    bgsVertical,
    bgsHorizontalMirror,
    bgsVerticalMirror,
    bgsDiagonalDown,
    bgsDiagonalUp,
    bgsDiagonalDownMirror,
    bgsDiagonalUpMirror,
    bgsRectangle,
    bgsEllipse,
    bgsCircle,
    bgsConical,
    bgsPyramid,
    bgsHorizontalBars,
    bgsVerticalBars,
    bgsImageTile,
    bgsImageStretch,
    bgsImageCenter,
    bgsImageTopLeft,
    bgsImageProportional,
};
Q_ENUM_NS(TQzBackGroundStyle)
} // namespace QzDisplayTypes

using QzDisplayTypes::TQzBackGroundStyle;
using enum QzDisplayTypes::TQzBackGroundStyle;

inline constexpr int QzBackGroundStyleCount = bgsImageProportional + 1;

// ---------------------------------------------------------------------------------------------
// Sets

// What every set has: a name unique in its list (compared ignoring case) and a description,
// which a defined description label supplies instead.
class TQzPkgDisplaySet : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Description READ Description WRITE SetDescription)
    Q_PROPERTY(TQzMemoryLabel* DescriptionId READ DescriptionId)
public:
    explicit TQzPkgDisplaySet(TCollection* collection = nullptr);

    const QString& Name() const { return FName; }
    // Raises EQzError for a blank name, the default-set marker, or a name another set of the
    // list has; nothing changes then.
    void SetName(const QString& name);
    const QString& Description() const { return FDescription; }
    void SetDescription(const QString& description) { FDescription = description; }
    TQzMemoryLabel* DescriptionId() const { return FDescriptionId; }
    // Copies the reference.
    void SetDescriptionId(const TQzMemoryLabel* ref);
    // The label's text when the description id is defined, else the description.
    QString DescriptionText() const;

    QString DisplayName() const override { return FName; }

protected:
    // Name, description and description id; the kinds add their values.
    void assignSet(const TQzPkgDisplaySet& other);

private:
    QString FName;
    QString FDescription;
    TQzMemoryLabel* FDescriptionId;
};

class TQzPkgDisplaySetColor : public TQzPkgDisplaySet {
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
public:
    static constexpr int DefaultColor = 0x00FFFFFF; // white

    Q_INVOKABLE explicit TQzPkgDisplaySetColor(TCollection* collection = nullptr)
        : TQzPkgDisplaySet(collection) {}
    int Color() const { return FColor; }
    void SetColor(int color) { FColor = color; }
    void Assign(const TPersistent* source) override;

private:
    int FColor = DefaultColor;
};

// The font of a font set; its size is kept by the set.
class TQzPkgDisplayFont : public TPersistent {
    Q_OBJECT
public:
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)
private:
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int Charset READ Charset WRITE SetCharset)

public:
    static constexpr int DefaultColor = int(0xFF000008); // the system's window text colour
    static constexpr int DefaultCharset = 1;

    Q_INVOKABLE explicit TQzPkgDisplayFont(QObject* parent = nullptr);

    const QString& Name() const { return FName; }
    void SetName(const QString& name) { FName = name; }
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style) { FStyle = style; }
    int Color() const { return FColor; }
    void SetColor(int color) { FColor = color; }
    int Charset() const { return FCharset; }
    // Raises EQzError outside 0..255.
    void SetCharset(int charset);

    void Assign(const TPersistent* source) override;

private:
    QString FName;
    TFontStyles FStyle;
    int FColor = DefaultColor;
    int FCharset = DefaultCharset;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TQzPkgDisplayFont::TFontStyles)

class TQzPkgDisplaySetFont : public TQzPkgDisplaySet {
    Q_OBJECT
    Q_PROPERTY(TQzPkgDisplayFont* Font READ Font)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
public:
    static constexpr int DefaultSize = 8;

    Q_INVOKABLE explicit TQzPkgDisplaySetFont(TCollection* collection = nullptr);
    TQzPkgDisplayFont* Font() const { return FFont; }
    // Copies name, style, colour and character set; the size stays.
    void SetFont(const TQzPkgDisplayFont* font) { FFont->Assign(font); }
    // Points; raises EQzError unless 1..1638.
    int Size() const { return FSize; }
    void SetSize(int size);
    // The font and size as Qt sees them, and back (colour and character set stay).
    QFont GetQFont() const;
    void SetQFont(const QFont& font);
    void Assign(const TPersistent* source) override;

private:
    TQzPkgDisplayFont* FFont;
    int FSize = DefaultSize;
};

class TQzPkgDisplaySetBackGround : public TQzPkgDisplaySet {
    Q_OBJECT
    Q_PROPERTY(QzDisplayTypes::TQzBackGroundStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int StartGraColor READ StartGraColor WRITE SetStartGraColor)
    Q_PROPERTY(int EndGraColor READ EndGraColor WRITE SetEndGraColor)
    Q_PROPERTY(int SolidColor READ SolidColor WRITE SetSolidColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
public:
    static constexpr int DefaultColor = int(0xFF00000F); // the system's button face colour

    Q_INVOKABLE explicit TQzPkgDisplaySetBackGround(TCollection* collection = nullptr);
    TQzBackGroundStyle Style() const { return FStyle; }
    // Raises EQzError for a value outside the enumeration.
    void SetStyle(TQzBackGroundStyle style);
    int StartGraColor() const { return FStartGraColor; }
    void SetStartGraColor(int color) { FStartGraColor = color; }
    int EndGraColor() const { return FEndGraColor; }
    void SetEndGraColor(int color) { FEndGraColor = color; }
    int SolidColor() const { return FSolidColor; }
    void SetSolidColor(int color) { FSolidColor = color; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent) { FTransparent = transparent; }
    TQzMemoryImage* Image() const { return FImage; }
    // Copies the reference.
    void SetImage(const TQzMemoryImage* image) { FImage->Assign(image); }
    void Assign(const TPersistent* source) override;

private:
    TQzBackGroundStyle FStyle = bgsSolid;
    int FStartGraColor = DefaultColor;
    int FEndGraColor = DefaultColor;
    int FSolidColor = DefaultColor;
    bool FTransparent = false;
    TQzMemoryImage* FImage;
};

// A list of sets, found by name ignoring case.
class TQzPkgDisplaySets : public TCollection {
    Q_OBJECT
public:
    TQzPkgDisplaySets(TClass itemClass, TPersistent* owner, QString what);
    TQzPkgDisplaySet* GetItems(int index) const;
    TQzPkgDisplaySet* Find(const QString& name) const;
    // "colour set", ...: how messages name a set of this list.
    const QString& What() const { return FWhat; }
    // Raises EQzError when a set has no name.
    void Validate() const;

protected:
    // A new set named `name`; raises EQzError when the name is not acceptable or taken.
    TQzPkgDisplaySet* AddNamed(const QString& name);

private:
    QString FWhat;
};

class TQzPkgDisplaySetsColor : public TQzPkgDisplaySets {
    Q_OBJECT
public:
    explicit TQzPkgDisplaySetsColor(TPersistent* owner);
    TQzPkgDisplaySetColor* GetSetColor(int index) const;
    TQzPkgDisplaySetColor* GetItems(int index) const { return GetSetColor(index); }
    TQzPkgDisplaySetColor* Find(const QString& name) const;
    TQzPkgDisplaySetColor* Add(const QString& name);
    using TCollection::Add;
};

class TQzPkgDisplaySetsFont : public TQzPkgDisplaySets {
    Q_OBJECT
public:
    explicit TQzPkgDisplaySetsFont(TPersistent* owner);
    TQzPkgDisplaySetFont* GetSetFont(int index) const;
    TQzPkgDisplaySetFont* GetItems(int index) const { return GetSetFont(index); }
    TQzPkgDisplaySetFont* Find(const QString& name) const;
    TQzPkgDisplaySetFont* Add(const QString& name);
    using TCollection::Add;
};

class TQzPkgDisplaySetsBackGround : public TQzPkgDisplaySets {
    Q_OBJECT
public:
    explicit TQzPkgDisplaySetsBackGround(TPersistent* owner);
    TQzPkgDisplaySetBackGround* GetSetBackGround(int index) const;
    TQzPkgDisplaySetBackGround* GetItems(int index) const { return GetSetBackGround(index); }
    TQzPkgDisplaySetBackGround* Find(const QString& name) const;
    TQzPkgDisplaySetBackGround* Add(const QString& name);
    using TCollection::Add;
};

// ---------------------------------------------------------------------------------------------
// Content and package

inline constexpr int QzUserColorCount = 16;

// The content of a display package. The nested images travel as their own content streams and
// are read and checked with the rest before anything is replaced. Window and hint measures are
// pixels and never negative.
class TQzPkgDisplayData : public TQzPkgData {
    Q_OBJECT
    Q_PROPERTY(TCollection* SetsColor READ SetsColor)
    Q_PROPERTY(TCollection* SetsFont READ SetsFont)
    Q_PROPERTY(TCollection* SetsBackGround READ SetsBackGround)
    Q_PROPERTY(QByteArray SystemImages MEMBER FSystemImages)
    Q_PROPERTY(QByteArray UserImages MEMBER FUserImages)
    Q_PROPERTY(int CWMarginAfterTitle MEMBER FCWMarginAfterTitle)
    Q_PROPERTY(int CWTitleHeight MEMBER FCWTitleHeight)
    Q_PROPERTY(int CWButtonsWidth MEMBER FCWButtonsWidth)
    Q_PROPERTY(int CWButtonsHeight MEMBER FCWButtonsHeight)
    Q_PROPERTY(int CWButtonsSpacing MEMBER FCWButtonsSpacing)
    Q_PROPERTY(int CWButtonsMargin MEMBER FCWButtonsMargin)
    Q_PROPERTY(int CWMarginTop MEMBER FCWMarginTop)
    Q_PROPERTY(int CWMarginLeft MEMBER FCWMarginLeft)
    Q_PROPERTY(int CWMarginRight MEMBER FCWMarginRight)
    Q_PROPERTY(int CWMarginBottom MEMBER FCWMarginBottom)
    Q_PROPERTY(int CWWinRgn MEMBER FCWWinRgn)
    Q_PROPERTY(int HiMarginLeft MEMBER FHiMarginLeft)
    Q_PROPERTY(int HiMarginRight MEMBER FHiMarginRight)
    Q_PROPERTY(int HiMarginTop MEMBER FHiMarginTop)
    Q_PROPERTY(int HiMarginBottom MEMBER FHiMarginBottom)
    Q_PROPERTY(int HiWinRgn MEMBER FHiWinRgn)
    Q_PROPERTY(QString LastUpdateFile MEMBER FLastUpdateFile)
    Q_PROPERTY(QDateTime UpdateDateTime READ UpdateDateTime WRITE SetUpdateDateTime)
public:
    Q_INVOKABLE explicit TQzPkgDisplayData(QObject* parent = nullptr);
    ~TQzPkgDisplayData() override;

    TQzPkgDisplaySetsColor* SetsColor() const { return FSetsColor; }
    TQzPkgDisplaySetsFont* SetsFont() const { return FSetsFont; }
    TQzPkgDisplaySetsBackGround* SetsBackGround() const { return FSetsBackGround; }
    // Invalid until the system images were first updated from a base file.
    const QDateTime& UpdateDateTime() const { return FUpdateDateTime; }
    void SetUpdateDateTime(const QDateTime& date);

    void Validate() const override;
    void DefineProperties(TFiler& filer) override;
    // The nested images contents, read once; raises EQzError naming the part that is bad.
    std::unique_ptr<TQzPkgImagesData> TakeSystemImages();
    std::unique_ptr<TQzPkgImagesData> TakeUserImages();

    QByteArray FSystemImages;
    QByteArray FUserImages;
    int FCWMarginAfterTitle = 4;
    int FCWTitleHeight = 22;
    int FCWButtonsWidth = 75;
    int FCWButtonsHeight = 25;
    int FCWButtonsSpacing = 8;
    int FCWButtonsMargin = 8;
    int FCWMarginTop = 8;
    int FCWMarginLeft = 8;
    int FCWMarginRight = 8;
    int FCWMarginBottom = 8;
    int FCWWinRgn = 0;
    int FHiMarginLeft = 4;
    int FHiMarginRight = 4;
    int FHiMarginTop = 2;
    int FHiMarginBottom = 2;
    int FHiWinRgn = 0;
    QList<int> FUserColors;
    QString FLastUpdateFile;

private:
    void readNested() const;

    TQzPkgDisplaySetsColor* FSetsColor;
    TQzPkgDisplaySetsFont* FSetsFont;
    TQzPkgDisplaySetsBackGround* FSetsBackGround;
    QDateTime FUpdateDateTime;
    mutable std::unique_ptr<TQzPkgImagesData> FSystemRead;
    mutable std::unique_ptr<TQzPkgImagesData> FUserRead;
};

class TQzPkgDisplayImages;

// Owned by the application component. Its "System" and "User" images are packages of their own
// (found by those names) whose content is part of the display's. Setters of the window and hint
// measures raise EQzError for a negative value and change nothing then.
class TQzPkgDisplay : public TQzPkgInfo {
    Q_OBJECT
    Q_PROPERTY(TQzPkgImages* SystemImages READ SystemImages STORED false)
    Q_PROPERTY(TQzPkgImages* UserImages READ UserImages STORED false)
public:
    Q_INVOKABLE explicit TQzPkgDisplay(TComponent* owner = nullptr);

    TQzPkgDisplaySetsColor* SetsColor() const { return data()->SetsColor(); }
    TQzPkgDisplaySetsFont* SetsFont() const { return data()->SetsFont(); }
    TQzPkgDisplaySetsBackGround* SetsBackGround() const { return data()->SetsBackGround(); }
    TQzPkgImages* SystemImages() const;
    TQzPkgImages* UserImages() const;

    // Common windows.
    int CWMarginAfterTitle() const { return data()->FCWMarginAfterTitle; }
    void SetCWMarginAfterTitle(int value) { setMeasure(data()->FCWMarginAfterTitle, value); }
    int CWTitleHeight() const { return data()->FCWTitleHeight; }
    void SetCWTitleHeight(int value) { setMeasure(data()->FCWTitleHeight, value); }
    int CWButtonsWidth() const { return data()->FCWButtonsWidth; }
    void SetCWButtonsWidth(int value) { setMeasure(data()->FCWButtonsWidth, value); }
    int CWButtonsHeight() const { return data()->FCWButtonsHeight; }
    void SetCWButtonsHeight(int value) { setMeasure(data()->FCWButtonsHeight, value); }
    int CWButtonsSpacing() const { return data()->FCWButtonsSpacing; }
    void SetCWButtonsSpacing(int value) { setMeasure(data()->FCWButtonsSpacing, value); }
    int CWButtonsMargin() const { return data()->FCWButtonsMargin; }
    void SetCWButtonsMargin(int value) { setMeasure(data()->FCWButtonsMargin, value); }
    int CWMarginTop() const { return data()->FCWMarginTop; }
    void SetCWMarginTop(int value) { setMeasure(data()->FCWMarginTop, value); }
    int CWMarginLeft() const { return data()->FCWMarginLeft; }
    void SetCWMarginLeft(int value) { setMeasure(data()->FCWMarginLeft, value); }
    int CWMarginRight() const { return data()->FCWMarginRight; }
    void SetCWMarginRight(int value) { setMeasure(data()->FCWMarginRight, value); }
    int CWMarginBottom() const { return data()->FCWMarginBottom; }
    void SetCWMarginBottom(int value) { setMeasure(data()->FCWMarginBottom, value); }
    int CWWinRgn() const { return data()->FCWWinRgn; }
    void SetCWWinRgn(int value) { setMeasure(data()->FCWWinRgn, value); }
    // Hints.
    int HiMarginLeft() const { return data()->FHiMarginLeft; }
    void SetHiMarginLeft(int value) { setMeasure(data()->FHiMarginLeft, value); }
    int HiMarginRight() const { return data()->FHiMarginRight; }
    void SetHiMarginRight(int value) { setMeasure(data()->FHiMarginRight, value); }
    int HiMarginTop() const { return data()->FHiMarginTop; }
    void SetHiMarginTop(int value) { setMeasure(data()->FHiMarginTop, value); }
    int HiMarginBottom() const { return data()->FHiMarginBottom; }
    void SetHiMarginBottom(int value) { setMeasure(data()->FHiMarginBottom, value); }
    int HiWinRgn() const { return data()->FHiWinRgn; }
    void SetHiWinRgn(int value) { setMeasure(data()->FHiWinRgn, value); }

    // The colour dialog's sixteen custom colours. A shorter list is filled up with white; a
    // longer one raises EQzError.
    const QList<int>& UserColors() const { return data()->FUserColors; }
    void SetUserColors(const QList<int>& colors);

    // The base file the system images were last updated from, and when.
    const QString& LastUpdateFile() const { return data()->FLastUpdateFile; }
    void SetLastUpdateFile(const QString& fileName) { data()->FLastUpdateFile = fileName; }
    const QDateTime& UpdateDateTime() const { return data()->UpdateDateTime(); }
    void SetUpdateDateTime(const QDateTime& date) { data()->SetUpdateDateTime(date); }

    // Empties the three set lists and both images packages and forgets the last update; the
    // window and hint measures and the custom colours stay.
    void Clear() override;

protected:
    std::unique_ptr<TQzPkgData> CreateData() const override;
    void CommitData(std::unique_ptr<TQzPkgData> data) override;
    void PrepareWrite(TQzPkgData& data) const override;

private:
    TQzPkgDisplayData* data() const { return static_cast<TQzPkgDisplayData*>(Data()); }
    static void setMeasure(int& field, int value);

    TQzPkgDisplayImages* FSystemImages;
    TQzPkgDisplayImages* FUserImages;
};

// The display package of that name (the active one first), or none.
TQzPkgDisplay* QzFindPkgDisplay(const QString& name);
// Every display package alive, in creation order.
QList<TQzPkgDisplay*> QzPkgDisplayAll();
