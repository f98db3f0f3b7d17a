#include "QzNumbers.h"

#include "QzExcept.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

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
