#include "QzFields.h"

#include "QzExcept.h"

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
