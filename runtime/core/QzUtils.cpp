#include "QzUtils.h"

#include "QzExcept.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <dlfcn.h>
#include <limits>
#include <string>

// ---------------------------------------------------------------------------------------------
// Paths

QString QzAddPathBar(const QString& path) {
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path + u'/';
}

QString QzAddPointExt(const QString& ext) {
    if (ext.isEmpty() || ext.startsWith(u'.'))
        return ext;
    return u'.' + ext;
}

namespace {
// Any object of this library: its address tells which file the library was loaded from.
const int libraryAnchor = 0;
} // namespace

QString QzGetInstallPackagesExists() {
    QString install = qEnvironmentVariable("QZ_INSTALL_DIR");
    if (install.isEmpty()) {
        Dl_info info{};
        if (dladdr(&libraryAnchor, &info) != 0 && info.dli_fname)
            install = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
        else
            install = QDir::currentPath();
    }
    return QzAddPathBar(
        QDir::cleanPath(QDir(install).absoluteFilePath(QStringLiteral("packages"))));
}

// ---------------------------------------------------------------------------------------------
// Fields of one line

namespace {

bool isLineSeparator(QChar c) {
    return c == u'\u2028' || c == u'\u2029';
}

// Characters that must not appear raw in a line: they would break it, or be lost in UTF-8.
bool mustEscape(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.category() == QChar::Other_Control || isLineSeparator(c))
        return true;
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

void checkSeparator(QChar separator) {
    if (separator == u'"' || separator == u'\\' || separator.isSurrogate() ||
        isLineSeparator(separator) ||
        (separator.category() == QChar::Other_Control && separator != u'\t'))
        QzExcept(QStringLiteral("U+%1 cannot separate fields")
                     .arg(QStringLiteral("%1")
                              .arg(separator.unicode(), 4, 16, QLatin1Char('0'))
                              .toUpper()));
}

bool needsQuotes(const QString& field, QChar separator, bool alone) {
    if (field.isEmpty())
        return alone;
    if (field.front().isSpace() || field.back().isSpace())
        return true;
    for (qsizetype i = 0; i < field.size(); ++i)
        if (field[i] == separator || field[i] == u'"' || mustEscape(field, i))
            return true;
    return false;
}

QString quoted(const QString& field) {
    QString out;
    out.reserve(field.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == u'"')
            out += QStringLiteral("\"\"");
        else if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (mustEscape(field, i))
            out += QStringLiteral("\\u") +
                   QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    out += u'"';
    return out;
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

[[noreturn]] void badLine(const QString& line, const QString& reason) {
    QzExcept(QStringLiteral("Cannot read the fields of \"%1\": %2").arg(line, reason));
}

} // namespace

QString QzTextFromStrings(const QStringList& fields, QChar separator) {
    checkSeparator(separator);
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += separator;
        const QString& field = fields[i];
        line += needsQuotes(field, separator, fields.size() == 1) ? quoted(field) : field;
    }
    return line;
}

void QzTextToStrings(const QString& line, QStringList& fields, QChar separator) {
    checkSeparator(separator);
    QStringView s(line);
    if (s.endsWith(u'\n'))
        s.chop(1);
    if (s.endsWith(u'\r'))
        s.chop(1);
    QStringList out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (n > 0) {
        const qsizetype number = out.size() + 1;
        QString field;
        if (i < n && s[i] == u'"') {
            bool closed = false;
            ++i;
            while (i < n && !closed) {
                const QChar c = s[i];
                if (c == u'"') {
                    if (i + 1 < n && s[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                    } else {
                        closed = true;
                        ++i;
                    }
                } else if (c == u'\\') {
                    if (i + 1 >= n)
                        break;
                    const QChar e = s[i + 1];
                    i += 2;
                    if (e == u'\\')
                        field += u'\\';
                    else if (e == u'r')
                        field += u'\r';
                    else if (e == u'n')
                        field += u'\n';
                    else if (e == u't')
                        field += u'\t';
                    else if (e == u'u') {
                        bool ok = i + 4 <= n;
                        int code = 0;
                        for (qsizetype k = i; ok && k < i + 4; ++k) {
                            const int digit = hexValue(s[k]);
                            ok = digit >= 0;
                            code = code * 16 + digit;
                        }
                        if (!ok)
                            badLine(line, QStringLiteral("\\u needs four hex digits in field %1")
                                              .arg(number));
                        field += QChar(char16_t(code));
                        i += 4;
                    } else
                        badLine(
                            line,
                            QStringLiteral("unknown escape \\%1 in field %2").arg(e).arg(number));
                } else {
                    field += c;
                    ++i;
                }
            }
            if (!closed)
                badLine(line, QStringLiteral("the quote of field %1 is not closed").arg(number));
            if (i < n && s[i] != separator)
                badLine(line,
                        QStringLiteral("field %1 goes on after its closing quote").arg(number));
        } else {
            while (i < n && s[i] != separator) {
                if (s[i] == u'"')
                    badLine(line,
                            QStringLiteral("field %1 holds a quote but is not quoted").arg(number));
                field += s[i];
                ++i;
            }
        }
        out.push_back(field);
        if (i == n)
            break;
        ++i; // the separator; a field follows it, even an empty one at the end
    }
    fields = out;
}

// ---------------------------------------------------------------------------------------------
// Numbers

namespace {

// A finite number as its shortest decimal digits: value = 0.Digits x 10^Point. Rounding works on
// these digits, so it rounds the number a person reads rather than its binary neighbour.
struct Decimal {
    bool Negative = false;
    std::string Digits; // no leading or trailing zeros; empty for zero
    int Point = 0;
};

Decimal toDecimal(double value) {
    Decimal d;
    d.Negative = std::signbit(value);
    if (value == 0)
        return d;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.Digits += text[i];
    std::size_t exponentStart = e + 1;
    if (text[exponentStart] == '+')
        ++exponentStart;
    int exponent = 0;
    std::from_chars(text.data() + exponentStart, text.data() + text.size(), exponent);
    d.Point = exponent + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

double fromDecimal(const Decimal& d) {
    if (d.Digits.empty())
        return 0.0;
    const std::string text =
        d.Digits + 'e' + std::to_string(d.Point - static_cast<int>(d.Digits.size()));
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return d.Negative ? -value : value;
}

// Keeps the first `keep` digits, rounding half away from zero.
void roundDigits(Decimal& d, long long keep) {
    if (d.Digits.empty() || keep >= static_cast<long long>(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[static_cast<std::size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        auto i = static_cast<long long>(keep) - 1;
        while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9')
            d.Digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Point;
        } else {
            ++d.Digits[static_cast<std::size_t>(i)];
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
}

void roundDecimals(Decimal& d, int decimals) {
    roundDigits(d, static_cast<long long>(d.Point) + decimals);
}

[[noreturn]] void notANumber(const QString& text) {
    QzExcept(QStringLiteral("\"%1\" is not a number").arg(text));
}

// Reads a plain ASCII number completely, or raises.
double readNumber(const QString& original, const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 128)
            notANumber(original);
    const QByteArray bytes = text.toLatin1();
    double value = 0;
    const auto result = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        QzExcept(QStringLiteral("\"%1\" is too large a number").arg(original));
    if (result.ec != std::errc() || result.ptr != bytes.constData() + bytes.size())
        notANumber(original);
    return value;
}

QString groupThousands(const QString& digits) {
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

QString fixedText(const Decimal& d, int decimals, bool thousands, bool trim) {
    const auto count = static_cast<int>(d.Digits.size());
    QString whole;
    if (d.Point <= 0)
        whole = QStringLiteral("0");
    else
        whole = QString::fromStdString(d.Digits.substr(0, std::min(d.Point, count))) +
                QString(std::max(0, d.Point - count), u'0');
    QString fraction;
    if (d.Point < 0)
        fraction = QString(-d.Point, u'0') + QString::fromStdString(d.Digits);
    else if (d.Point < count)
        fraction = QString::fromStdString(d.Digits.substr(static_cast<std::size_t>(d.Point)));
    fraction += QString(std::max<qsizetype>(0, decimals - fraction.size()), u'0');
    if (trim)
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
    if (thousands)
        whole = groupThousands(whole);
    return fraction.isEmpty() ? whole : whole + u'.' + fraction;
}

QString scientificText(Decimal d, int decimals, int exponentDigits, bool trim) {
    roundDigits(d, 1LL + decimals);
    const int exponent = d.Digits.empty() ? 0 : d.Point - 1;
    QString mantissa =
        d.Digits.empty() ? QStringLiteral("0") : QString::fromStdString(d.Digits.substr(0, 1));
    QString fraction = d.Digits.size() > 1 ? QString::fromStdString(d.Digits.substr(1)) : QString();
    fraction += QString(std::max<qsizetype>(0, decimals - fraction.size()), u'0');
    if (trim)
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
    if (!fraction.isEmpty())
        mantissa += u'.' + fraction;
    return mantissa + QStringLiteral("E%1%2")
                          .arg(QChar(exponent < 0 ? u'-' : u'+'))
                          .arg(std::abs(exponent), exponentDigits, 10, QLatin1Char('0'));
}

QString pad(const QString& text, int size, QChar alignment) {
    const qsizetype missing = size - text.size();
    if (missing <= 0)
        return text;
    if (alignment == u'<')
        return text + QString(missing, u' ');
    if (alignment == u'%')
        return QString(missing / 2, u' ') + text + QString(missing - missing / 2, u' ');
    return QString(missing, u' ') + text;
}

} // namespace

QString QzCNumericToStr(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

double QzCStrToNumeric(const QString& text) {
    QString s = text.trimmed();
    // A leading '+' is fine for a person, though the reader below does not take it.
    if (s.startsWith(u'+') && s.size() > 1 && s[1] != u'-' && s[1] != u'+')
        s.remove(0, 1);
    if (s.isEmpty())
        notANumber(text);
    return readNumber(text, s);
}

double QzRoundDec(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    Decimal d = toDecimal(value);
    roundDecimals(d, decimals);
    return fromDecimal(d);
}

QString QzANumericToStr(double value, const QString& mask, int size, int decimals) {
    const QString options = mask.section(u';', 0, 0);
    QChar alignment = u'>';
    for (QChar c : options)
        if (c == u'<' || c == u'%' || c == u'>')
            alignment = c;
    const bool zeros = options.contains(u'0');
    decimals = std::max(0, decimals);
    if (!std::isfinite(value))
        return pad(QzCNumericToStr(value), size, alignment);

    Decimal d = toDecimal(value);
    int exponentDigits = 0;
    for (QChar c : options)
        if (c >= u'1' && c <= u'4')
            exponentDigits = c == u'4' ? 1 : c.digitValue();
    const bool trim = options.contains(u'&');
    QString body;
    if (exponentDigits > 0) {
        body = scientificText(d, decimals, exponentDigits, trim);
        roundDigits(d, 1LL + decimals);
    } else {
        roundDecimals(d, decimals);
        body = fixedText(d, decimals, options.contains(u'.'), trim);
    }
    if (d.Digits.empty() && options.contains(u'z'))
        return pad(QString(), size, alignment);
    const bool negative = d.Negative && !d.Digits.empty();
    QString sign;
    if (negative)
        sign = QStringLiteral("-");
    else if (options.contains(u'+'))
        sign = QStringLiteral("+");
    if (zeros)
        body = QString(std::max<qsizetype>(0, size - sign.size() - body.size()), u'0') + body;
    const QString text = options.contains(u'*') ? body + sign : sign + body;
    return pad(text, size, alignment);
}

double QzAStrToNumeric(const QString& text, int decimals) {
    static const QRegularExpression number(QStringLiteral(
        R"(^([+-]?)\s*((?:[0-9]+(?:,[0-9]{3})*)?)(?:\.([0-9]*))?([eE][+-]?[0-9]+)?\s*([+-]?)$)"));
    const QString s = text.trimmed();
    // What QzANumericToStr writes for a value that is not finite.
    if (s.contains(QStringLiteral("inf"), Qt::CaseInsensitive) ||
        s.contains(QStringLiteral("nan"), Qt::CaseInsensitive))
        return QzCStrToNumeric(s);
    const QRegularExpressionMatch m = number.match(s);
    if (!m.hasMatch() || (m.capturedLength(2) == 0 && m.capturedLength(3) == 0))
        notANumber(text);
    if (m.capturedLength(1) > 0 && m.capturedLength(5) > 0)
        notANumber(text);
    const bool negative = m.captured(1) == u"-" || m.captured(5) == u"-";
    QString plain = m.captured(2).remove(u',');
    if (plain.isEmpty())
        plain = QStringLiteral("0");
    if (m.capturedLength(3) > 0)
        plain += u'.' + m.captured(3);
    plain += m.captured(4);
    double value = readNumber(text, plain);
    if (negative)
        value = -value;
    return decimals >= 0 ? QzRoundDec(value, decimals) : value;
}

// ---------------------------------------------------------------------------------------------
// Dates and times

namespace {

// The year a one- or two-digit year stands for: the one within 50 years of today.
int windowYear(int shortYear) {
    const int now = QDate::currentDate().year();
    int year = now - now % 100 + shortYear;
    if (year > now + 49)
        year -= 100;
    else if (year <= now - 51)
        year += 100;
    return year;
}

QString yearText(int year, TQzDateYear dateYear) {
    const bool twoDigits = dateYear == dyTwoDigits ||
                           (dateYear == dyAutomatic && year >= 0 && windowYear(year % 100) == year);
    if (twoDigits)
        return QStringLiteral("%1").arg(((year % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

[[noreturn]] void notADate(const QString& text) {
    QzExcept(QStringLiteral("\"%1\" is not a date").arg(text));
}

QDate dayZero() {
    return QDate(1899, 12, 30);
}

} // namespace

QString QzADateTimeToStr(const QDateTime& value, const QString& format, TQzDateYear dateYear) {
    if (!value.isValid())
        return QString();
    QString options = format.section(u';', 0, 0);
    if (options.remove(u'<').remove(u'>').remove(u'%').isEmpty())
        options = QStringLiteral("dmy");
    const QLocale english = QLocale::c();
    const QDate date = value.date();
    const QTime time = value.time();

    QStringList dateParts;
    bool named = false;
    if (options.contains(u'd'))
        dateParts << QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    else if (options.contains(u'D') || options.contains(u'1')) {
        dateParts << english.dayName(
            date.dayOfWeek(), options.contains(u'D') ? QLocale::ShortFormat : QLocale::LongFormat);
        named = true;
    }
    if (options.contains(u'm'))
        dateParts << QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
    else if (options.contains(u'M') || options.contains(u'2')) {
        dateParts << english.monthName(date.month(), options.contains(u'M') ? QLocale::ShortFormat
                                                                            : QLocale::LongFormat);
        named = true;
    }
    if (options.contains(u'y'))
        dateParts << yearText(date.year(), dateYear);

    QStringList timeParts;
    const bool twelve = options.contains(u'o');
    if (options.contains(u'h')) {
        int hour = time.hour();
        if (twelve)
            hour = hour % 12 == 0 ? 12 : hour % 12;
        timeParts << QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'));
    }
    if (options.contains(u'n'))
        timeParts << QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0'));
    if (options.contains(u's'))
        timeParts << QStringLiteral("%1").arg(time.second(), 2, 10, QLatin1Char('0'));
    QString timeText = timeParts.join(u':');
    if (twelve || options.contains(u'a')) {
        const QString meridiem = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        timeText = timeText.isEmpty() ? meridiem : timeText + u' ' + meridiem;
    }

    QString text = dateParts.join(named ? u' ' : u'/');
    if (!timeText.isEmpty())
        text = text.isEmpty() ? timeText : text + u' ' + timeText;
    return text;
}

QDateTime QzAStrToDate(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(
            R"(^(?:(?:([0-9]{4})-([0-9]{1,2})-([0-9]{1,2}))|)"
            R"((?:([0-9]{1,2})([/.-])([0-9]{1,2})\5([0-9]{1,4})))?)"
            R"((?:(?:^|\s+|T)([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2})(?:\.([0-9]{1,3}))?)?)"
            R"((?:\s*(AM|PM))?)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString s = text.trimmed();
    const QRegularExpressionMatch m = pattern.match(s);
    const bool hasDate = m.hasMatch() && (m.capturedLength(1) > 0 || m.capturedLength(4) > 0);
    const bool hasTime = m.hasMatch() && m.capturedLength(8) > 0;
    if (!hasDate && !hasTime)
        notADate(text);

    QDate date = dayZero();
    if (m.capturedLength(1) > 0) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (hasDate) {
        int year = m.captured(7).toInt();
        if (m.capturedLength(7) <= 2)
            year = windowYear(year);
        date = QDate(year, m.captured(6).toInt(), m.captured(4).toInt());
    }
    QTime time(0, 0);
    if (hasTime) {
        int hour = m.captured(8).toInt();
        const QString meridiem = m.captured(12).toUpper();
        if (!meridiem.isEmpty()) {
            if (hour < 1 || hour > 12)
                notADate(text);
            hour = hour % 12 + (meridiem == u"PM" ? 12 : 0);
        }
        const QString millis = m.captured(11);
        const int ms = millis.isEmpty() ? 0 : (millis + QStringLiteral("00")).left(3).toInt();
        time = QTime(hour, m.captured(9).toInt(), m.captured(10).toInt(), ms);
    }
    if (!date.isValid() || !time.isValid())
        notADate(text);
    return QDateTime(date, time);
}

// ---------------------------------------------------------------------------------------------
// Variants

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
        return QzADateTimeToStr(QDateTime(dayZero(), value.toTime()), QStringLiteral("hns"),
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
            return QDateTime(dayZero(), value.toTime());
        cannotConvert(value, QStringLiteral("a date"));
    case dtString:
    case dtMemo:
    case dtOther:
        break;
    }
    return toText(value);
}

TQzDateFormat QzLocaleDateFormat(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(u'd');
    const qsizetype month = format.indexOf(u'M');
    const qsizetype year = format.indexOf(u'y');
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month))
        return dfYMD;
    if (month >= 0 && day >= 0 && month < day)
        return dfMDY;
    return dfDMY;
}

TQzDateFormat QzSystemDateFormat() {
    return QzLocaleDateFormat(QLocale::system());
}
