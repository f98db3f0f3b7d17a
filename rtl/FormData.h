#pragma once

// The parsed shape of an object stream: one tree that the binary and the text forms both read
// into and write from, so that the two converters share every rule about values.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// Value-type bytes of the binary form; the numbering is fixed by files written elsewhere.
enum class TValueType : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21,
};

struct TFormCollectionItem;

// One property value. Only the fields of its kind are used; the kind keeps the value type it was
// read with so that a binary round trip writes the same bytes.
struct TFormValue {
    enum Kind : std::uint8_t {
        Null,       // Null (a null variant)
        Nil,        // nil
        Boolean,    // Int is 0 or 1
        Integer,    // Int
        Float,      // Real, with floatKind telling extended, double, single, currency or date
        String,     // Str
        Ident,      // Str
        Set,        // Names
        Binary,     // Bytes
        List,       // Elements
        Collection, // Items
    };
    enum FloatKind : std::uint8_t { Extended, Double, Single, Currency, Date };

    Kind kind = Null;
    FloatKind floatKind = Extended;
    qint64 Int = 0;
    long double Real = 0;
    QString Str;
    QStringList Names;
    QByteArray Bytes;
    std::vector<TFormValue> Elements;
    std::vector<TFormCollectionItem> Items;

    static TFormValue makeInteger(qint64 v);
    static TFormValue makeBoolean(bool v);
    static TFormValue makeFloat(long double v, FloatKind k = Extended);
    static TFormValue makeString(QString v);
    static TFormValue makeIdent(QString v);
    static TFormValue makeSet(QStringList names);
    static TFormValue makeBinary(QByteArray bytes);
    static TFormValue makeNil();

    bool operator==(const TFormValue& other) const;
};

struct TFormProperty {
    QString Name; // qualified with dots: "Font.Name"
    TFormValue Value;
    bool operator==(const TFormProperty&) const = default;
};

struct TFormCollectionItem {
    bool HasOrder = false; // written as "item [n]"
    qint64 Order = 0;
    std::vector<TFormProperty> Properties;
    bool operator==(const TFormCollectionItem&) const = default;
};

// Filer flags of an object header.
enum TFilerFlag : std::uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

struct TFormObject {
    std::uint8_t Flags = 0;
    qint64 ChildPos = 0; // valid with ffChildPos
    QString ClassName;
    QString Name;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    bool operator==(const TFormObject&) const = default;
};

// Limits that keep a hostile stream from exhausting the stack or memory.
inline constexpr int MaxFormNesting = 512;
