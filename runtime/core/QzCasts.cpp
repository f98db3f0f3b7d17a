#include "QzCasts.h"

#include "QzDates.h"
#include "QzExcept.h"
#include "QzNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isText(const QVariant& v) {
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QChar ||
           v.typeId() == QMetaType::QByteArray;
}

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void cannotConvert(const QVariant& value, const QString& what) {
    QzExcept(QStringLiteral("\"%1\" cannot be converted to %2").arg(value.toString(), what));
}

double toDouble(const QVariant& value, const QString& what) {
    if (isText(value))
        return QzAStrToNumeric(value.toString(), -1);
    if (!isNumber(value))
        cannotConvert(value, what);
    return value.toDouble();
}

qint64 toWholeNumber(const QVariant& value) {
    const QString what = QStringLiteral("a whole number");
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Bool:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            cannotConvert(value, what);
        return value.toLongLong();
    default:
        break;
    }
    // Whole numbers in text are read as such, so that large ones keep every digit.
    if (isText(value)) {
        const QByteArray digits = value.toString().trimmed().toLatin1();
        qint64 number = 0;
        const auto result =
            std::from_chars(digits.constData(), digits.constData() + digits.size(), number);
        if (!digits.isEmpty() && result.ec == std::errc() &&
            result.ptr == digits.constData() + digits.size())
            return number;
    }
    const double number = std::round(toDouble(value, what));
    // 2^63 itself is out of range; every double below it converts exactly.
    if (!(number >= -9223372036854775808.0 && number < 9223372036854775808.0))
        cannotConvert(value, what);
    return static_cast<qint64>(number);
}

QString toText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QzCNumericToStr(value.toDouble());
    case QMetaType::QDateTime:
        return QzADateTimeToStr(value.toDateTime(), QStringLiteral("dmyhns"), dyFourDigits);
    case QMetaType::QDate:
        return QzADateTimeToStr(value.toDate().startOfDay(), QStringLiteral("dmy"), dyFourDigits);
    case QMetaType::QTime:
        return QzADateTimeToStr(QDateTime(QzDayZero(), value.toTime()), QStringLiteral("hns"),
                                dyFourDigits);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        if (!value.canConvert<QString>())
            cannotConvert(value, QStringLiteral("text"));
        return value.toString();
    }
}

} // namespace

QVariant QzDataCast(const QVariant& value, TQzDataType dataType) {
    if (dataType > dtMemo)
        QzExcept(QStringLiteral("%1 is not a data type").arg(int(dataType)));
    if (!value.isValid() || value.isNull() || dataType == dtOther)
        return value;
    switch (dataType) {
    case dtInteger:
        return QVariant::fromValue(toWholeNumber(value));
    case dtFloat:
        return toDouble(value, QStringLiteral("a number"));
    case dtCurrency:
        return QzRoundDec(toDouble(value, QStringLiteral("a currency amount")), 4);
    case dtDateTime:
        if (isText(value))
            return QzAStrToDate(value.toString());
        if (value.typeId() == QMetaType::QDateTime)
            return value;
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().startOfDay();
        if (value.typeId() == QMetaType::QTime)
            return QDateTime(QzDayZero(), value.toTime());
        cannotConvert(value, QStringLiteral("a date"));
    case dtString:
    case dtMemo:
    case dtOther:
        break;
    }
    return toText(value);
}
