#include "QzPkgVarsText.h"

#include "QzExcept.h"
#include "QzNumbers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMetaEnum>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace {

// A value read from text, of the type it was read for.
struct Value {
    bool Boolean = false;
    int Integer = 0;
    double Float = 0.0;
    QString String;
};

bool readValue(TQzPkgVarsItemType type, const QString& text, Value& value) {
    switch (type) {
    case TQzPkgVarsItem::vtBoolean: {
        const QString upper = QLocale().toUpper(text);
        if (upper != u"TRUE" && upper != u"FALSE")
            return false;
        value.Boolean = upper == u"TRUE";
        return true;
    }
    case TQzPkgVarsItem::vtInteger: {
        bool ok = false;
        value.Integer = text.trimmed().toInt(&ok, 10);
        return ok;
    }
    case TQzPkgVarsItem::vtFloat:
        try {
            value.Float = QzCStrToNumeric(text);
        } catch (const EQzError&) {
            return false;
        }
        return true;
    case TQzPkgVarsItem::vtString:
        value.String = text;
        return true;
    case TQzPkgVarsItem::vtFolder:
        break;
    }
    return false;
}

void setValue(TQzPkgVarsItem* item, const Value& value) {
    switch (item->ItemType()) {
    case TQzPkgVarsItem::vtBoolean:
        item->SetVBoolean(value.Boolean);
        break;
    case TQzPkgVarsItem::vtInteger:
        item->SetVInteger(value.Integer);
        break;
    case TQzPkgVarsItem::vtFloat:
        item->SetVFloat(value.Float);
        break;
    case TQzPkgVarsItem::vtString:
        item->SetVString(value.String);
        break;
    case TQzPkgVarsItem::vtFolder:
        break;
    }
}

// Every item below `items` in package order, each folder before its content.
void walk(const TQzPkgVarsItems* items, const std::function<void(const TQzPkgVarsItem*)>& visit) {
    for (int i = 0; i < items->Count(); ++i) {
        const TQzPkgVarsItem* item = items->GetItems(i);
        visit(item);
        if (item->Children())
            walk(item->Children(), visit);
    }
}

QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

// A float as JSON holds it: a number where the number reads back as exactly this double, else
// the shortest text.
QJsonValue floatToJson(double value) {
    if (std::isfinite(value) && !(value == 0 && std::signbit(value)))
        return value;
    return QzCNumericToStr(value);
}

const QString Path = QStringLiteral("path");
const QString Type = QStringLiteral("type");
const QString ValueKey = QStringLiteral("value");
const QString Items = QStringLiteral("items");
const QString Name = QStringLiteral("name");

QJsonValue valueToJson(const TQzPkgVarsItem* item) {
    switch (item->ItemType()) {
    case TQzPkgVarsItem::vtBoolean:
        return item->VBoolean();
    case TQzPkgVarsItem::vtInteger:
        return item->VInteger();
    case TQzPkgVarsItem::vtFloat:
        return floatToJson(item->VFloat());
    case TQzPkgVarsItem::vtString:
        return item->VString();
    case TQzPkgVarsItem::vtFolder:
        break;
    }
    return QJsonValue();
}

// Reads the value of one entry; false when the JSON value is not one of `type`.
bool valueFromJson(TQzPkgVarsItemType type, const QJsonValue& json, Value& value) {
    switch (type) {
    case TQzPkgVarsItem::vtBoolean:
        value.Boolean = json.toBool();
        return json.isBool();
    case TQzPkgVarsItem::vtInteger: {
        if (!json.isDouble())
            return false;
        const double number = json.toDouble();
        if (number != std::trunc(number) || number < std::numeric_limits<int>::min() ||
            number > std::numeric_limits<int>::max())
            return false;
        value.Integer = int(number);
        return true;
    }
    case TQzPkgVarsItem::vtFloat:
        if (json.isDouble()) {
            value.Float = json.toDouble();
            return true;
        }
        return json.isString() && readValue(type, json.toString(), value);
    case TQzPkgVarsItem::vtString:
        value.String = json.toString();
        return json.isString();
    case TQzPkgVarsItem::vtFolder:
        break;
    }
    return false;
}

// One item of the JSON form, checked.
struct Entry {
    QString Path;
    TQzPkgVarsItemType Type = TQzPkgVarsItem::vtFolder;
    Value Val;
};

// Reads item `number` of `source` and adds it to `trial`; raises naming the item.
Entry readEntry(TQzPkgVars& trial, const QJsonValue& json, const QString& source,
                qsizetype number) {
    const auto fail = [&](const QString& problem) {
        QzExcept(QStringLiteral("%1: item %2: %3").arg(source).arg(number).arg(problem));
    };
    if (!json.isObject())
        fail(QStringLiteral("an item is an object with \"path\", \"type\" and \"value\""));
    const QJsonObject object = json.toObject();
    for (auto it = object.begin(); it != object.end(); ++it)
        if (it.key() != Path && it.key() != Type && it.key() != ValueKey)
            fail(QStringLiteral("unknown key \"%1\"").arg(it.key()));
    if (!object.value(Path).isString())
        fail(QStringLiteral("\"path\" must be a string"));
    Entry entry;
    entry.Path = object.value(Path).toString();
    const auto failAt = [&](const QString& problem) {
        fail(QStringLiteral("\"%1\": %2").arg(entry.Path, problem));
    };
    if (!QzPkgVarsTypeFromName(object.value(Type).toString(), entry.Type))
        failAt(QStringLiteral("\"type\" must be one of Boolean, Integer, Float, String, Folder"));
    if (entry.Type == TQzPkgVarsItem::vtFolder) {
        if (object.contains(ValueKey))
            failAt(QStringLiteral("a folder has no \"value\""));
    } else if (!object.contains(ValueKey)) {
        failAt(QStringLiteral("a variable needs a \"value\""));
    } else if (!valueFromJson(entry.Type, object.value(ValueKey), entry.Val)) {
        failAt(QStringLiteral("\"value\" is not a value of type %1")
                   .arg(QzPkgVarsTypeName(entry.Type)));
    }
    try {
        setValue(trial.Add(entry.Path, entry.Type), entry.Val);
    } catch (const EQzError& e) {
        failAt(e.Message());
    }
    return entry;
}

} // namespace

QString QzPkgVarsTypeName(TQzPkgVarsItemType type) {
    // The enumeration's names without their "vt".
    const char* key = QMetaEnum::fromType<TQzPkgVarsItemType>().valueToKey(type);
    return key ? QString::fromLatin1(key + 2) : QString();
}

bool QzPkgVarsTypeFromName(const QString& name, TQzPkgVarsItemType& type) {
    const QMetaEnum types = QMetaEnum::fromType<TQzPkgVarsItemType>();
    for (int i = 0; i < types.keyCount(); ++i)
        if (name.compare(QLatin1String(types.key(i) + 2), Qt::CaseInsensitive) == 0) {
            type = TQzPkgVarsItemType(types.value(i));
            return true;
        }
    return false;
}

QString QzPkgVarsValueText(const TQzPkgVarsItem* item) {
    switch (item->ItemType()) {
    case TQzPkgVarsItem::vtBoolean:
        return item->VBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case TQzPkgVarsItem::vtInteger:
        return QString::number(item->VInteger());
    case TQzPkgVarsItem::vtFloat:
        return QzCNumericToStr(item->VFloat());
    case TQzPkgVarsItem::vtString:
        return item->VString();
    case TQzPkgVarsItem::vtFolder:
        break;
    }
    return QString();
}

bool QzPkgVarsValueTextValid(TQzPkgVarsItemType type, const QString& text) {
    Value value;
    return readValue(type, text, value);
}

void QzPkgVarsSetValueText(TQzPkgVarsItem* item, const QString& text) {
    Value value;
    if (!readValue(item->ItemType(), text, value))
        QzExcept(QStringLiteral("\"%1\" is not a value of type %2")
                     .arg(text, QzPkgVarsTypeName(item->ItemType())));
    setValue(item, value);
}

QString QzPkgVarsListingLine(const TQzPkgVarsItem* item) {
    QString line = item->Path() + u'\t' + QzPkgVarsTypeName(item->ItemType());
    if (item->ItemType() == TQzPkgVarsItem::vtString)
        line += u'\t' + quoted(item->VString());
    else if (!item->IsFolder())
        line += u'\t' + QzPkgVarsValueText(item);
    return line;
}

QString QzPkgVarsListing(const TQzPkgVars& pkg) {
    QString out;
    walk(pkg.Items(),
         [&](const TQzPkgVarsItem* item) { out += QzPkgVarsListingLine(item) + u'\n'; });
    return out;
}

QByteArray QzPkgVarsToJson(const TQzPkgVars& pkg) {
    QJsonArray items;
    walk(pkg.Items(), [&](const TQzPkgVarsItem* item) {
        QJsonObject entry{{Path, item->Path()}, {Type, QzPkgVarsTypeName(item->ItemType())}};
        if (!item->IsFolder())
            entry.insert(ValueKey, valueToJson(item));
        items.append(entry);
    });
    const QJsonObject root{{Name, pkg.GetPkgName()}, {Items, items}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void QzPkgVarsFromJson(TQzPkgVars& pkg, const QByteArray& json, const QString& source) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        QzExcept(QStringLiteral("%1: not JSON at offset %2: %3")
                     .arg(source)
                     .arg(error.offset)
                     .arg(error.errorString()));
    if (!document.isObject())
        QzExcept(QStringLiteral("%1: expected an object with \"items\"").arg(source));
    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it)
        if (it.key() != Items && it.key() != Name)
            QzExcept(QStringLiteral("%1: unknown key \"%2\"").arg(source, it.key()));
    if (!root.value(Items).isArray())
        QzExcept(QStringLiteral("%1: \"items\" must be an array").arg(source));

    // Everything is tried on a package aside first; the same steps then work on the emptied one,
    // which keeps its editor's place.
    TQzPkgVars trial;
    const QJsonArray items = root.value(Items).toArray();
    std::vector<Entry> entries;
    entries.reserve(std::size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        entries.push_back(readEntry(trial, items.at(i), source, i + 1));
    pkg.Clear();
    for (const Entry& entry : entries)
        setValue(pkg.Add(entry.Path, entry.Type), entry.Val);
}
