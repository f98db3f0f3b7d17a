#include "TextForm.h"

#include "SysUtils.h"
#include "TextEncoding.h"
#include "TextFormWords.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

class TextParser {
public:
    // A byte order mark is never part of the form, whatever the encoding of the rest.
    explicit TextParser(QByteArrayView text)
        : FText(DecodeText(text.startsWith("\xEF\xBB\xBF") ? text.sliced(3) : text)) {}

    TFormObject parseRoot() {
        skipBlanks();
        TFormObject root = parseObject(0);
        skipBlanks();
        if (!atEnd())
            fail(QStringLiteral("end of text expected after the root object but %1 found")
                     .arg(describeCurrent()));
        return root;
    }

private:
    [[noreturn]] void fail(const QString& what) const { failAt(FPos, what); }

    [[noreturn]] void failAt(qsizetype pos, const QString& what) const {
        int line = 1;
        qsizetype lineStart = 0;
        for (qsizetype i = 0; i < pos && i < FText.size(); ++i)
            if (FText[i] == u'\n') {
                ++line;
                lineStart = i + 1;
            }
        throw EParserError(QStringLiteral("Error in form text on line %1, column %2: %3")
                               .arg(line)
                               .arg(pos - lineStart + 1)
                               .arg(what));
    }

    bool atEnd() const { return FPos >= FText.size(); }
    QChar cur() const { return atEnd() ? QChar() : FText[FPos]; }

    void skipBlanks() {
        while (!atEnd() && FText[FPos].unicode() <= 32)
            ++FPos;
    }

    static bool identStart(QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    }
    static bool identChar(QChar c) { return identStart(c) || (c >= u'0' && c <= u'9'); }

    QString describeCurrent() const {
        if (atEnd())
            return QStringLiteral("end of text");
        return QStringLiteral("'%1'").arg(FText[FPos]);
    }

    // An identifier; with `dotted` also "A.B.C".
    QString parseIdent(bool dotted, const char* what) {
        skipBlanks();
        if (!identStart(cur()))
            fail(QStringLiteral("%1 expected but %2 found")
                     .arg(QLatin1String(what), describeCurrent()));
        const auto start = FPos;
        for (;;) {
            while (identChar(cur()))
                ++FPos;
            if (dotted && cur() == u'.' && FPos + 1 < FText.size() && identStart(FText[FPos + 1])) {
                ++FPos;
                continue;
            }
            break;
        }
        return FText.mid(start, FPos - start);
    }

    void expect(QChar c) {
        skipBlanks();
        if (cur() != c)
            fail(QStringLiteral("'%1' expected but %2 found").arg(c).arg(describeCurrent()));
        ++FPos;
    }

    qint64 parseIntegerLiteral() {
        skipBlanks();
        const auto start = FPos;
        TFormValue v = parseNumber();
        if (v.kind != TFormValue::Integer)
            failAt(start, QStringLiteral("integer expected"));
        return v.Int;
    }

    void enter(int depth) const {
        if (depth > MaxFormNesting)
            fail(QStringLiteral("nesting deeper than %1 levels").arg(MaxFormNesting));
    }

    bool keywordAhead(QLatin1StringView word) const {
        if (FText.size() - FPos < word.size())
            return false;
        if (QStringView(FText).mid(FPos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const auto after = FPos + word.size();
        return after >= FText.size() || !identChar(FText[after]);
    }

    TFormObject parseObject(int depth) {
        enter(depth);
        skipBlanks();
        TFormObject obj;
        if (keywordAhead(QLatin1StringView("object")))
            FPos += 6;
        else if (keywordAhead(QLatin1StringView("inherited"))) {
            FPos += 9;
            obj.Flags |= ffInherited;
        } else if (keywordAhead(QLatin1StringView("inline"))) {
            FPos += 6;
            obj.Flags |= ffInline;
        } else
            fail(QStringLiteral("'object' expected but %1 found").arg(describeCurrent()));
        QString first = parseIdent(true, "Identifier");
        skipBlanks();
        if (cur() == u':') {
            ++FPos;
            obj.Name = first;
            obj.ClassName = parseIdent(true, "Class name");
        } else {
            obj.ClassName = first;
        }
        skipBlanks();
        if (cur() == u'[') {
            ++FPos;
            obj.Flags |= ffChildPos;
            obj.ChildPos = parseIntegerLiteral();
            expect(u']');
        }
        for (;;) {
            skipBlanks();
            if (atEnd())
                fail(QStringLiteral("'end' expected but end of text found"));
            if (keywordAhead(QLatin1StringView("end"))) {
                FPos += 3;
                break;
            }
            if (keywordAhead(QLatin1StringView("object")) ||
                keywordAhead(QLatin1StringView("inherited")) ||
                keywordAhead(QLatin1StringView("inline"))) {
                obj.Children.push_back(parseObject(depth + 1));
                continue;
            }
            if (!obj.Children.empty())
                fail(QStringLiteral("'end' expected but %1 found").arg(describeCurrent()));
            obj.Properties.push_back(parseProperty(depth + 1));
        }
        return obj;
    }

    TFormProperty parseProperty(int depth) {
        TFormProperty p;
        p.Name = parseIdent(true, "Property name");
        expect(u'=');
        p.Value = parseValue(depth, false);
        return p;
    }

    TFormValue parseValue(int depth, bool inList) {
        enter(depth);
        skipBlanks();
        const auto start = FPos;
        const QChar c = cur();
        if (c == u'\'' || c == u'#')
            return TFormValue::makeString(parseStringSum());
        if (TFormValue v; parseNonFinite(v))
            return v;
        if (c == u'-' || c == u'+' || c == u'$' || (c >= u'0' && c <= u'9'))
            return parseNumber();
        if (c == u'[')
            return parseSet();
        if (c == u'{')
            return parseBinary();
        if (c == u'(') {
            ++FPos;
            TFormValue v;
            v.kind = TFormValue::List;
            for (;;) {
                skipBlanks();
                if (cur() == u')') {
                    ++FPos;
                    break;
                }
                if (atEnd())
                    fail(QStringLiteral("')' expected but end of text found"));
                v.Elements.push_back(parseValue(depth + 1, true));
            }
            return v;
        }
        if (c == u'<')
            return parseCollection(depth);
        if (identStart(c)) {
            QString ident = parseIdent(true, "Value");
            if (SameText(ident, QStringLiteral("True")))
                return TFormValue::makeBoolean(true);
            if (SameText(ident, QStringLiteral("False")))
                return TFormValue::makeBoolean(false);
            if (SameText(ident, QStringLiteral("nil")))
                return TFormValue::makeNil();
            if (SameText(ident, QStringLiteral("Null"))) {
                if (inList)
                    failAt(start, QStringLiteral("Null cannot stand in a list"));
                return {};
            }
            if (ident.toUtf8().size() > 255)
                failAt(start, QStringLiteral("identifier longer than 255 bytes"));
            return TFormValue::makeIdent(ident);
        }
        fail(QStringLiteral("Value expected but %1 found").arg(describeCurrent()));
    }

    // 'abc'#13#10'def' + 'ghi' ...
    QString parseStringSum() {
        QString s = parseStringLiteral();
        for (;;) {
            const auto save = FPos;
            skipBlanks();
            if (cur() != u'+') {
                FPos = save;
                return s;
            }
            ++FPos;
            skipBlanks();
            if (cur() != u'\'' && cur() != u'#')
                fail(QStringLiteral("String expected after '+' but %1 found")
                         .arg(describeCurrent()));
            s += parseStringLiteral();
        }
    }

    QString parseStringLiteral() {
        QString s;
        for (;;) {
            if (cur() == u'\'') {
                const auto open = FPos;
                ++FPos;
                for (;;) {
                    if (atEnd() || cur() == u'\n' || cur() == u'\r')
                        failAt(open, QStringLiteral("Unterminated string"));
                    if (cur() == u'\'') {
                        if (FPos + 1 < FText.size() && FText[FPos + 1] == u'\'') {
                            s += u'\'';
                            FPos += 2;
                            continue;
                        }
                        ++FPos;
                        break;
                    }
                    s += cur();
                    ++FPos;
                }
            } else if (cur() == u'#') {
                const auto at = FPos;
                ++FPos;
                quint32 code = 0;
                int digits = 0;
                const bool hex = cur() == u'$';
                if (hex)
                    ++FPos;
                for (;; ++FPos, ++digits) {
                    const QChar d = cur();
                    int dv;
                    if (d >= u'0' && d <= u'9')
                        dv = d.unicode() - '0';
                    else if (hex && d >= u'a' && d <= u'f')
                        dv = d.unicode() - 'a' + 10;
                    else if (hex && d >= u'A' && d <= u'F')
                        dv = d.unicode() - 'A' + 10;
                    else
                        break;
                    code = code * (hex ? 16 : 10) + quint32(dv);
                    if (code > 0xFFFF)
                        failAt(at, QStringLiteral("Character code out of range"));
                }
                if (digits == 0)
                    failAt(at, QStringLiteral("Character code expected after '#'"));
                s += QChar(char16_t(code));
            } else {
                return s;
            }
        }
    }

    // NaN, Inf and -Inf as the writer emits them; false, with nothing consumed, for anything else.
    bool parseNonFinite(TFormValue& v) {
        qsizetype p = FPos;
        const bool negative = cur() == u'-';
        if (negative || cur() == u'+')
            ++p;
        const QStringView rest = QStringView(FText).mid(p);
        const qsizetype n = nonFiniteWord(rest);
        if (n == 0 || (n < rest.size() && identChar(rest[n])))
            return false;
        TFormValue::FloatKind kind = TFormValue::Extended;
        if (n == 4)
            kind = rest[3].toLower() == u's' ? TFormValue::Single : TFormValue::Date;
        const long double x = rest.startsWith(u"NaN")
                                  ? std::numeric_limits<long double>::quiet_NaN()
                                  : std::numeric_limits<long double>::infinity();
        v = TFormValue::makeFloat(negative ? -x : x, kind);
        FPos = p + n;
        return true;
    }

    // Reads the digits at the precision of the kind, so that a single or a date holds the same
    // value as one read from the binary form.
    static bool readFloat(const char* first, const char* last, TFormValue::FloatKind kind,
                          long double& x) {
        if (kind == TFormValue::Single) {
            float f = 0;
            const auto r = std::from_chars(first, last, f);
            x = f;
            return r.ec == std::errc() && r.ptr == last;
        }
        if (kind == TFormValue::Date) {
            double d = 0;
            const auto r = std::from_chars(first, last, d);
            x = d;
            return r.ec == std::errc() && r.ptr == last;
        }
        const auto r = std::from_chars(first, last, x);
        if (r.ptr != last)
            return false;
        if (r.ec == std::errc())
            return true;
        // from_chars refuses subnormal extended values; the C library reads them, and the C
        // locale keeps the decimal point a point whatever locale the host set.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        char* end = nullptr;
        const long double y = strtold_l(first, &end, cLocale);
        if (end != last || y == 0 || !std::isfinite(y))
            return false;
        x = y;
        return true;
    }

    TFormValue parseNumber() {
        const auto start = FPos;
        bool negative = false;
        if (cur() == u'-' || cur() == u'+') {
            negative = cur() == u'-';
            ++FPos;
        }
        if (cur() == u'$') {
            ++FPos;
            const auto digitsAt = FPos;
            while (!atEnd() && isxdigit(cur().unicode() < 128 ? cur().toLatin1() : 0))
                ++FPos;
            bool ok = false;
            const quint64 mag = FText.mid(digitsAt, FPos - digitsAt).toULongLong(&ok, 16);
            if (!ok)
                failAt(start, QStringLiteral("Invalid hexadecimal number"));
            // $FFFFFFFF style literals are bit patterns of 32- or 64-bit values.
            qint64 v = FPos - digitsAt <= 8 ? qint64(qint32(quint32(mag))) : qint64(mag);
            // Negated as a bit pattern too: -$8000000000000000 is itself.
            return TFormValue::makeInteger(negative ? qint64(quint64(0) - quint64(v)) : v);
        }
        while (cur() >= u'0' && cur() <= u'9')
            ++FPos;
        bool isFloat = false;
        if (cur() == u'.' && FPos + 1 < FText.size() && FText[FPos + 1] >= u'0' &&
            FText[FPos + 1] <= u'9') {
            isFloat = true;
            ++FPos;
            while (cur() >= u'0' && cur() <= u'9')
                ++FPos;
        }
        if (cur() == u'e' || cur() == u'E') {
            isFloat = true;
            ++FPos;
            if (cur() == u'+' || cur() == u'-')
                ++FPos;
            const auto expAt = FPos;
            while (cur() >= u'0' && cur() <= u'9')
                ++FPos;
            if (FPos == expAt)
                failAt(start, QStringLiteral("Invalid number"));
        }
        const QByteArray digits = FText.mid(start, FPos - start).toLatin1();
        if (digits.isEmpty() || digits == "-" || digits == "+")
            failAt(start, QStringLiteral("Number expected"));
        const QChar suffix = cur().toLower();
        if (suffix == u's' || suffix == u'c' || suffix == u'd') {
            ++FPos;
            isFloat = true;
        }
        if (identChar(cur()))
            failAt(start, QStringLiteral("Invalid number"));
        const char* first = digits.constData() + (digits.startsWith('+') ? 1 : 0);
        const char* last = digits.constData() + digits.size();
        if (!isFloat) {
            qint64 v = 0;
            auto r = std::from_chars(first, last, v);
            if (r.ec != std::errc() || r.ptr != last)
                failAt(start, QStringLiteral("Integer out of range"));
            return TFormValue::makeInteger(v);
        }
        if (suffix == u'c')
            return parseCurrency(start, digits);
        TFormValue::FloatKind kind = TFormValue::Extended;
        if (suffix == u's')
            kind = TFormValue::Single;
        else if (suffix == u'd')
            kind = TFormValue::Date;
        long double x = 0;
        if (!readFloat(first, last, kind, x))
            failAt(start, QStringLiteral("Invalid floating point number"));
        return TFormValue::makeFloat(x, kind);
    }

    // Currency keeps four decimals exactly: parse digits rather than go through a float.
    TFormValue parseCurrency(qsizetype start, const QByteArray& text) {
        QByteArray t = text;
        const bool negative = t.startsWith('-');
        if (negative || t.startsWith('+'))
            t.remove(0, 1);
        if (t.contains('e') || t.contains('E'))
            failAt(start, QStringLiteral("Currency values take no exponent"));
        const auto dot = t.indexOf('.');
        QByteArray whole = dot < 0 ? t : t.left(dot);
        QByteArray frac = dot < 0 ? QByteArray() : t.mid(dot + 1);
        if (frac.size() > 4)
            failAt(start, QStringLiteral("Currency values have at most four decimals"));
        frac = frac.leftJustified(4, '0');
        bool ok = false;
        // With its sign, so that the most negative value is in range.
        const qint64 scaled = ((negative ? "-" : "") + whole + frac).toLongLong(&ok);
        if (!ok)
            failAt(start, QStringLiteral("Currency value out of range"));
        TFormValue v = TFormValue::makeFloat(0, TFormValue::Currency);
        v.Int = scaled;
        v.Real = static_cast<long double>(v.Int) / 10000;
        return v;
    }

    TFormValue parseSet() {
        ++FPos;
        TFormValue v;
        v.kind = TFormValue::Set;
        skipBlanks();
        if (cur() == u']') {
            ++FPos;
            return v;
        }
        for (;;) {
            v.Names.push_back(parseIdent(false, "Set element"));
            skipBlanks();
            if (cur() == u']') {
                ++FPos;
                return v;
            }
            if (cur() != u',')
                fail(QStringLiteral("',' or ']' expected but %1 found").arg(describeCurrent()));
            ++FPos;
        }
    }

    TFormValue parseBinary() {
        const auto open = FPos;
        ++FPos;
        QByteArray hex;
        for (;;) {
            if (atEnd())
                failAt(open, QStringLiteral("Unterminated binary data"));
            const QChar c = cur();
            if (c == u'}') {
                ++FPos;
                break;
            }
            if (c.unicode() <= 32) {
                ++FPos;
                continue;
            }
            if (c.unicode() >= 128 || !isxdigit(c.toLatin1()))
                fail(QStringLiteral("Invalid binary data"));
            hex += c.toLatin1();
            ++FPos;
        }
        if (hex.size() % 2 != 0)
            failAt(open, QStringLiteral("Binary data has an odd number of hexadecimal digits"));
        return TFormValue::makeBinary(QByteArray::fromHex(hex));
    }

    TFormValue parseCollection(int depth) {
        ++FPos;
        TFormValue v;
        v.kind = TFormValue::Collection;
        for (;;) {
            skipBlanks();
            if (cur() == u'>') {
                ++FPos;
                return v;
            }
            if (!keywordAhead(QLatin1StringView("item")))
                fail(QStringLiteral("'item' or '>' expected but %1 found").arg(describeCurrent()));
            FPos += 4;
            enter(depth + 1);
            TFormCollectionItem item;
            skipBlanks();
            if (cur() == u'[') {
                ++FPos;
                item.HasOrder = true;
                item.Order = parseIntegerLiteral();
                expect(u']');
            }
            for (;;) {
                skipBlanks();
                if (atEnd())
                    fail(QStringLiteral("'end' expected but end of text found"));
                if (keywordAhead(QLatin1StringView("end"))) {
                    FPos += 3;
                    break;
                }
                item.Properties.push_back(parseProperty(depth + 2));
            }
            v.Items.push_back(std::move(item));
        }
    }

    QString FText;
    qsizetype FPos = 0;
};

} // namespace

TFormObject ReadTextForm(QByteArrayView text) {
    return TextParser(text).parseRoot();
}
