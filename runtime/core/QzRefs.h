#pragma once

// What a component's properties point at: an item of a strings or images package (by package
// name and id), a display set (by name), a privilege (by id), and the edit mask of a data
// control. They are sub-objects of their component: changed in place, copied with Assign, and
// streamed inside it as qualified names ("Caption.PkgName").

#include "Classes.h"

#include <functional>
#include <optional>

// Value kinds shared by masks, the locale and the setup package. The names come from the type
// information, so editors list them as they are declared.
namespace QzTypes {
Q_NAMESPACE

// What a data control holds: 0 to 2 are numbers, 3 and 6 text, 4 a date and time, 5 anything
// the controls cannot edit as text.
enum TQzDataType : quint8 {
    dtInteger,
    dtFloat,
    dtCurrency,
    dtString,
    dtDateTime,
    dtOther,
    dtMemo,
};
Q_ENUM_NS(TQzDataType)

// How a masked control hands its value over: as a value (only then do decimals and the date-year
// rule apply), as the text typed, or as that text with the mask's literal characters.
enum TQzMaskTake { mtValue, mtText, mtMaskedText };
Q_ENUM_NS(TQzMaskTake)

// How many digits a year shows: two, two when they read back as the same year (else four), or
// four.
enum TQzDateYear { dyTwoDigits, dyAutomatic, dyFourDigits };
Q_ENUM_NS(TQzDateYear)

// The order of day, month and year in a date, numbered as QzLocaleDateFormat counts it.
enum TQzDateFormat { dfDMY, dfMDY, dfYMD };
Q_ENUM_NS(TQzDateFormat)
} // namespace QzTypes

using QzTypes::TQzDataType;
using QzTypes::TQzDateFormat;
using QzTypes::TQzDateYear;
using QzTypes::TQzMaskTake;
using enum QzTypes::TQzDataType;
using enum QzTypes::TQzDateFormat;
using enum QzTypes::TQzDateYear;
using enum QzTypes::TQzMaskTake;

// Raises EQzError naming `what` when `value` lies outside low..high.
void QzCheckRange(qint64 value, qint64 low, qint64 high, const QString& what);
// The one character of `text`; raises EQzError naming `what` for any other length.
QChar QzOneCharacter(const QString& text, const QString& what);

// ---------------------------------------------------------------------------------------------
// Package items

// A package name and an item id. -1 (or any negative id but -2) is no item; -2 is the default
// item of the property, when it has one. In a form both values are written together, PkgName
// first, whenever the reference differs from a fresh one, because readers of form text match
// the pair line by line.
class TQzMemoryRef : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString PkgName READ PkgName WRITE SetPkgName STORED false)
    Q_PROPERTY(int Id READ Id WRITE SetId STORED false)
public:
    static constexpr int NoItem = -1;
    static constexpr int DefaultItem = -2;

    explicit TQzMemoryRef(QObject* parent = nullptr);

    const QString& PkgName() const { return FPkgName; }
    void SetPkgName(const QString& pkgName) { FPkgName = pkgName; }
    int Id() const { return FId; }
    void SetId(int id) { FId = id; }
    void PkgId(const QString& pkgName, int id);
    // Refers to an item by its number.
    bool Defined() const { return FId >= 0; }

    // The item the property falls back on. Components call SetDefault when they make the
    // reference, which then starts out on that item (-2).
    const QString& DefaultPkgName() const { return FDefaultPkgName; }
    int DefaultId() const { return FDefaultId; }
    bool HasDefault() const { return FHasDefault; }
    void SetDefault(const QString& pkgName, int id);

    // The package name and id actually meant: the default item's for -2.
    QString ItemPkgName() const;
    int ItemId() const;

    // Copies package name and id between references of one class; the default item stays the
    // property's own and is taken over only by a reference that has none.
    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

private:
    // What a fresh reference holds, which a form leaves unwritten.
    bool IsFresh() const;

    QString FPkgName;
    int FId = NoItem;
    QString FDefaultPkgName;
    int FDefaultId = NoItem;
    bool FHasDefault = false;
};

// The texts of references whose package is missing, or lacks the id, are empty.
class TQzMemoryLabel : public TQzMemoryRef {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzMemoryLabel(QObject* parent = nullptr) : TQzMemoryRef(parent) {}
    QString Text() const;
    QString Hint() const;
};

class TQzMemoryMessage : public TQzMemoryRef {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzMemoryMessage(QObject* parent = nullptr) : TQzMemoryRef(parent) {}
    QString Text() const;
};

class TQzMemoryText : public TQzMemoryRef {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzMemoryText(QObject* parent = nullptr) : TQzMemoryRef(parent) {}
    QString Text() const;
};

class TQzMemoryImage : public TQzMemoryRef {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzMemoryImage(QObject* parent = nullptr) : TQzMemoryRef(parent) {}
};

// ---------------------------------------------------------------------------------------------
// Display sets

// A set of the display package by name: "" is none, "<Default>" (any case) the default set of
// the property. Names are not checked against the sets that exist.
class TQzSetRef : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
public:
    explicit TQzSetRef(QObject* parent = nullptr);

    static QString DefaultSetMarker() { return QStringLiteral("<Default>"); }

    const QString& Name() const { return FName; }
    void SetName(const QString& name) { FName = name; }
    bool IsDefault() const;
    // The name behind "<Default>"; empty when the property has no default set.
    const QString& DefaultSet() const { return FDefaultSet; }
    void SetDefaultSet(const QString& name) { FDefaultSet = name; }
    // The set actually meant: the default set's name for "<Default>".
    QString SetNameResolved() const;

    // Copies the name between references of one class; the default set is taken over only by a
    // reference that has none.
    void Assign(const TPersistent* source) override;

private:
    QString FName;
    QString FDefaultSet;
};

class TQzSetColor : public TQzSetRef {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzSetColor(QObject* parent = nullptr) : TQzSetRef(parent) {}
};

class TQzSetFont : public TQzSetRef {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzSetFont(QObject* parent = nullptr) : TQzSetRef(parent) {}
};

class TQzSetBackGround : public TQzSetRef {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzSetBackGround(QObject* parent = nullptr) : TQzSetRef(parent) {}
};

// ---------------------------------------------------------------------------------------------
// Privileges

struct TQzPrivilegeInfo {
    int Id = -1;
    QString Name;
};

// The description of the privilege with an id, or none when there is no such privilege. The
// application installs it for its privileges package; until then no privilege has a record.
using TQzPrivilegeLookup = std::function<std::optional<QString>(int id)>;
void QzSetPrivilegeLookup(TQzPrivilegeLookup lookup);

// A privilege by id (negative: none) and the access level that goes with it. The id is not
// checked against the privileges package.
class TQzPrivilege : public TPersistent {
    Q_OBJECT
public:
    enum TQzAccess { acNone, acRead, acReadWrite };
    Q_ENUM(TQzAccess)
private:
    Q_PROPERTY(int Id READ Id WRITE SetId)
    Q_PROPERTY(TQzAccess Access READ Access WRITE SetAccess)

public:
    Q_INVOKABLE explicit TQzPrivilege(QObject* parent = nullptr);

    int Id() const { return FId; }
    void SetId(int id) { FId = id; }
    bool Defined() const { return FId >= 0; }
    TQzAccess Access() const { return FAccess; }
    // Raises EQzError for a level outside acNone..acReadWrite.
    void SetAccess(TQzAccess access);
    // The privilege's id and description, when the installed lookup knows the id.
    std::optional<TQzPrivilegeInfo> Info() const;

    void Assign(const TPersistent* source) override;

private:
    int FId = -1;
    // Without a privilege nothing restricts the control.
    TQzAccess FAccess = acReadWrite;
};

// ---------------------------------------------------------------------------------------------
// Edit masks

// What a data control accepts and how it shows it. Text is "options[;mask text[;space]]", empty
// for the default mask of the data type; interpreting it is the control's business. Setters
// refuse values out of range with EQzError and change nothing then.
class TQzMask : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType READ DataType WRITE SetDataType)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(QzTypes::TQzMaskTake Take READ Take WRITE SetTake)
    Q_PROPERTY(int Decimals READ Decimals WRITE SetDecimals)
    Q_PROPERTY(QzTypes::TQzDateYear DateYear READ DateYear WRITE SetDateYear)
public:
    static constexpr int MaxSize = 9999999;
    static constexpr int MaxDecimals = 15;

    Q_INVOKABLE explicit TQzMask(QObject* parent = nullptr);

    TQzDataType DataType() const { return FDataType; }
    // Raises EQzError for an unknown type, or for a change when the type is fixed.
    void SetDataType(TQzDataType dataType);
    // Controls made for one kind of value fix the data type of their mask.
    bool DataTypeEditable() const { return FDataTypeEditable; }
    void SetDataTypeEditable(bool editable) { FDataTypeEditable = editable; }
    const QString& Text() const { return FText; }
    void SetText(const QString& text) { FText = text; }
    int Size() const { return FSize; }
    void SetSize(int size);
    TQzMaskTake Take() const { return FTake; }
    void SetTake(TQzMaskTake take);
    int Decimals() const { return FDecimals; }
    void SetDecimals(int decimals);
    TQzDateYear DateYear() const { return FDateYear; }
    void SetDateYear(TQzDateYear dateYear);

    // Copies every value; a fixed data type stays as it is.
    void Assign(const TPersistent* source) override;

private:
    TQzDataType FDataType = dtString;
    bool FDataTypeEditable = true;
    QString FText;
    int FSize = 0;
    TQzMaskTake FTake = mtValue;
    int FDecimals = 0;
    TQzDateYear FDateYear = dyTwoDigits;
};
