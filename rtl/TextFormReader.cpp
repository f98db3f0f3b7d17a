#include "TextForm.h"

#include "FormEvents.h"
#include "FormInput.h"
#include "SysUtils.h"
#include "TextEncoding.h"
#include "TextFormWords.h"

#include <QIODevice>
#include <QScopeGuard>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

const QByteArrayView Bom("\xEF\xBB\xBF");

bool identStart(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool identChar(int c) {
    return identStart(c) || (c >= '0' && c <= '9');
}
bool hexDigit(int c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The text form read one event at a time, on bytes: identifiers, keywords and numbers are
// ASCII, and only the text inside quotes is decoded, in the encoding of the whole text.
class TextReader final : public TFormEventReader {
public:
    TextReader(TFormInput& input, TTextEncoding encoding) : FIn(input), FEncoding(encoding) {
        if (FIn.Ensure(3) && QByteArrayView(FIn.Data(), 3) == Bom)
            FIn.Skip(3);
        FLineStart = FKeptFrom = FIn.Position();
        FIn.Keep(FLineStart);
        FIn.SetDropped([this](QByteArrayView dropped) { this->dropped(dropped); });
    }

    bool Next(TFormEvent& e) override {
        if (FDone)
            return false;
        if (FStack.empty()) {
            skipBlanks();
            beginObject(e);
            return true;
        }
        switch (FStack.back()) {
        case Object:
        case Children:
            return inObject(e);
        case List:
            return inList(e);
        case Collection:
            return inCollection(e);
        case Item:
            return inItem(e);
        }
        return false;
    }

private:
    enum Frame : std::uint8_t { Object, Children, List, Collection, Item };

    // A place in the text, for messages: the offset, its line and where that line starts.
    struct Where {
        qint64 Offset;
        int Line;
        qint64 LineStart;
        qsizetype ColumnBase;
        qsizetype Column = -1; // computed when the line may be gone by the time of a message
    };

    Where here() const { return {FIn.Position(), FLine, FLineStart, FColumnBase}; }

    // The start of a long line leaves the window: its characters are counted, and the column of
    // a pinned place in it (an open quote) is taken before its bytes are gone.
    void dropped(QByteArrayView bytes) {
        if (FPinned && FPinned->Column < 0 && FPinned->Offset < FKeptFrom + bytes.size())
            FPinned->Column =
                FColumnBase + characters(bytes.first(qsizetype(FPinned->Offset - FKeptFrom))) + 1;
        FColumnBase += characters(bytes);
        FKeptFrom += bytes.size();
    }

    qsizetype characters(QByteArrayView bytes) const {
        if (FEncoding == TTextEncoding::Windows1252)
            return bytes.size();
        qsizetype n = 0;
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            n += (b & 0xC0) != 0x80;
            n += b >= 0xF0; // a surrogate pair
        }
        return n;
    }

    qsizetype columnOf(const Where& at) const {
        if (at.Column >= 0)
            return at.Column;
        const QByteArrayView line = FIn.Since(at.LineStart);
        const qsizetype kept = line.size() - qsizetype(FIn.Position() - at.Offset);
        return at.ColumnBase + characters(line.first(std::max<qsizetype>(kept, 0))) + 1;
    }

    [[noreturn]] void failAt(const Where& at, const QString& what) const {
        throw EParserError(QStringLiteral("Error in form text on line %1, column %2: %3")
                               .arg(at.Line)
                               .arg(columnOf(at))
                               .arg(what),
                           at.Line);
    }
    [[noreturn]] void fail(const QString& what) const { failAt(here(), what); }

    bool atEnd() { return !FIn.Ensure(1); }
    int cur() { return FIn.Ensure(1) ? FIn.Peek() : -1; }

    void skipBlanks() {
        while (FIn.Ensure(1)) {
            const unsigned char c = FIn.Peek();
            if (c > 32)
                return;
            FIn.Skip(1);
            if (c == '\n') {
                ++FLine;
                FLineStart = FIn.Position();
                FColumnBase = 0;
                FKeptFrom = FLineStart;
                FIn.Keep(FLineStart);
            }
        }
    }

    QString describeCurrent() {
        if (atEnd())
            return QStringLiteral("end of text");
        qsizetype n = 1;
        if (FEncoding != TTextEncoding::Windows1252) {
            const unsigned char b = FIn.Peek();
            n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            FIn.Ensure(n);
            n = std::min(n, FIn.Available());
        }
        return QStringLiteral("'%1'").arg(DecodeWith(QByteArrayView(FIn.Data(), n), FEncoding));
    }

    bool keywordAhead(const char* word) {
        const auto n = qsizetype(std::strlen(word));
        if (!FIn.Ensure(n))
            return false;
        if (QByteArrayView(FIn.Data(), n).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        return !FIn.Ensure(n + 1) || !identChar(FIn.Peek(n));
    }

    // An identifier; with `dotted` also "A.B.C".
    QString parseIdent(bool dotted, const char* what) {
        skipBlanks();
        if (!identStart(cur()))
            fail(QStringLiteral("%1 expected but %2 found")
                     .arg(QLatin1String(what), describeCurrent()));
        FToken.clear();
        for (;;) {
            while (identChar(cur())) {
                FToken += char(FIn.Peek());
                FIn.Skip(1);
            }
            if (dotted && cur() == '.' && FIn.Ensure(2) && identStart(FIn.Peek(1))) {
                FToken += '.';
                FIn.Skip(1);
                continue;
            }
            break;
        }
        return QString::fromLatin1(FToken);
    }

    void expect(char c) {
        skipBlanks();
        if (cur() != c)
            fail(QStringLiteral("'%1' expected but %2 found")
                     .arg(QLatin1Char(c))
                     .arg(describeCurrent()));
        FIn.Skip(1);
    }

    void push(Frame frame) {
        if (int(FStack.size()) > MaxFormNesting)
            fail(QStringLiteral("nesting deeper than %1 levels").arg(MaxFormNesting));
        FStack.push_back(frame);
    }

    // ---- Objects

    void beginObject(TFormEvent& e) {
        e.kind = TFormEvent::BeginObject;
        e.Flags = 0;
        e.ChildPos = 0;
        if (keywordAhead("object")) {
            FIn.Skip(6);
        } else if (keywordAhead("inherited")) {
            FIn.Skip(9);
            e.Flags |= ffInherited;
        } else if (keywordAhead("inline")) {
            FIn.Skip(6);
            e.Flags |= ffInline;
        } else {
            fail(QStringLiteral("'object' expected but %1 found").arg(describeCurrent()));
        }
        push(Object);
        QString first = parseIdent(true, "Identifier");
        skipBlanks();
        if (cur() == ':') {
            FIn.Skip(1);
            e.Name = std::move(first);
            e.ClassName = parseIdent(true, "Class name");
        } else {
            e.Name.clear();
            e.ClassName = std::move(first);
        }
        skipBlanks();
        if (cur() == '[') {
            FIn.Skip(1);
            e.Flags |= ffChildPos;
            e.ChildPos = parseIntegerLiteral();
            expect(']');
        }
    }

    bool inObject(TFormEvent& e) {
        skipBlanks();
        if (atEnd())
            fail(QStringLiteral("'end' expected but end of text found"));
        if (keywordAhead("end")) {
            FIn.Skip(3);
            FStack.pop_back();
            e.kind = TFormEvent::EndObject;
            if (FStack.empty())
                finish();
            return true;
        }
        if (keywordAhead("object") || keywordAhead("inherited") || keywordAhead("inline")) {
            FStack.back() = Children;
            beginObject(e);
            return true;
        }
        if (FStack.back() == Children)
            fail(QStringLiteral("'end' expected but %1 found").arg(describeCurrent()));
        property(e);
        return true;
    }

    // Only blanks may follow the root object.
    void finish() {
        skipBlanks();
        if (!atEnd())
            fail(QStringLiteral("end of text expected after the root object but %1 found")
                     .arg(describeCurrent()));
        FDone = true;
    }

    void property(TFormEvent& e) {
        e.kind = TFormEvent::Property;
        e.Name = parseIdent(true, "Property name");
        expect('=');
        value(e, false);
    }

    // ---- Values

    void value(TFormEvent& e, bool inList) {
        skipBlanks();
        const Where start = here();
        const int c = cur();
        TFormValue& v = e.Value;
        if (c == '\'' || c == '#') {
            v.kind = TFormValue::String;
            parseStringSum(v.Str);
            return;
        }
        if (parseNonFinite(v))
            return;
        if (c == '-' || c == '+' || c == '$' || (c >= '0' && c <= '9')) {
            parseNumber(v);
            return;
        }
        if (c == '[') {
            parseSet(v);
            return;
        }
        if (c == '{') {
            parseBinary(v);
            return;
        }
        if (c == '(' || c == '<') {
            FIn.Skip(1);
            v.kind = c == '(' ? TFormValue::List : TFormValue::Collection;
            push(c == '(' ? List : Collection);
            return;
        }
        if (identStart(c)) {
            QString ident = parseIdent(true, "Value");
            if (SameText(ident, QStringLiteral("True"))) {
                v.kind = TFormValue::Boolean;
                v.Int = 1;
            } else if (SameText(ident, QStringLiteral("False"))) {
                v.kind = TFormValue::Boolean;
                v.Int = 0;
            } else if (SameText(ident, QStringLiteral("nil"))) {
                v.kind = TFormValue::Nil;
            } else if (SameText(ident, QStringLiteral("Null"))) {
                if (inList)
                    failAt(start, QStringLiteral("Null cannot stand in a list"));
                v.kind = TFormValue::Null;
            } else {
                if (ident.size() > 255)
                    failAt(start, QStringLiteral("identifier longer than 255 bytes"));
                v.kind = TFormValue::Ident;
                v.Str = std::move(ident);
            }
            return;
        }
        fail(QStringLiteral("Value expected but %1 found").arg(describeCurrent()));
    }

    bool inList(TFormEvent& e) {
        skipBlanks();
        if (cur() == ')') {
            FIn.Skip(1);
            FStack.pop_back();
            e.kind = TFormEvent::EndList;
            return true;
        }
        if (atEnd())
            fail(QStringLiteral("')' expected but end of text found"));
        e.kind = TFormEvent::Element;
        value(e, true);
        return true;
    }

    bool inCollection(TFormEvent& e) {
        skipBlanks();
        if (cur() == '>') {
            FIn.Skip(1);
            FStack.pop_back();
            e.kind = TFormEvent::EndCollection;
            return true;
        }
        if (!keywordAhead("item"))
            fail(QStringLiteral("'item' or '>' expected but %1 found").arg(describeCurrent()));
        FIn.Skip(4);
        push(Item);
        e.kind = TFormEvent::BeginItem;
        e.HasOrder = false;
        e.Order = 0;
        skipBlanks();
        if (cur() == '[') {
            FIn.Skip(1);
            e.HasOrder = true;
            e.Order = parseIntegerLiteral();
            expect(']');
        }
        return true;
    }

    bool inItem(TFormEvent& e) {
        skipBlanks();
        if (atEnd())
            fail(QStringLiteral("'end' expected but end of text found"));
        if (keywordAhead("end")) {
            FIn.Skip(3);
            FStack.pop_back();
            e.kind = TFormEvent::EndItem;
            return true;
        }
        property(e);
        return true;
    }

    // 'abc'#13#10'def' + 'ghi' ...
    void parseStringSum(QString& s) {
        s.clear();
        parseStringLiteral(s);
        for (;;) {
            skipBlanks();
            if (cur() != '+')
                return;
            FIn.Skip(1);
            skipBlanks();
            if (cur() != '\'' && cur() != '#')
                fail(QStringLiteral("String expected after '+' but %1 found")
                         .arg(describeCurrent()));
            parseStringLiteral(s);
        }
    }

    void parseStringLiteral(QString& s) {
        for (;;) {
            const int c = cur();
            if (c == '\'') {
                Where open = here();
                FPinned = &open;
                const auto unpin = qScopeGuard([this] { FPinned = nullptr; });
                FIn.Skip(1);
                FRaw.clear();
                for (;;) {
                    if (!FIn.Ensure(1))
                        failAt(open, QStringLiteral("Unterminated string"));
                    // The run up to the next quote or line end goes in one piece.
                    const char* data = FIn.Data();
                    const qsizetype n = FIn.Available();
                    qsizetype i = 0;
                    while (i < n && data[i] != '\'' && data[i] != '\n' && data[i] != '\r')
                        ++i;
                    FRaw.append(data, i);
                    FIn.Skip(i);
                    if (i == n)
                        continue;
                    if (data[i] != '\'')
                        failAt(open, QStringLiteral("Unterminated string"));
                    FIn.Skip(1);
                    if (cur() == '\'') {
                        FRaw += '\'';
                        FIn.Skip(1);
                        continue;
                    }
                    break;
                }
                s += DecodeWith(FRaw, FEncoding);
            } else if (c == '#') {
                const Where at = here();
                FIn.Skip(1);
                quint32 code = 0;
                int digits = 0;
                const bool hex = cur() == '$';
                if (hex)
                    FIn.Skip(1);
                for (;; FIn.Skip(1), ++digits) {
                    const int d = cur();
                    int dv;
                    if (d >= '0' && d <= '9')
                        dv = d - '0';
                    else if (hex && d >= 'a' && d <= 'f')
                        dv = d - 'a' + 10;
                    else if (hex && d >= 'A' && d <= 'F')
                        dv = d - 'A' + 10;
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
                return;
            }
        }
    }

    // NaN, Inf and -Inf as the writer emits them; false, with nothing consumed, for anything else.
    bool parseNonFinite(TFormValue& v) {
        FIn.Ensure(6);
        const qsizetype n = std::min<qsizetype>(FIn.Available(), 6);
        const QString ahead = QString::fromLatin1(FIn.Data(), n);
        qsizetype p = 0;
        const bool negative = ahead.startsWith(u'-');
        if (negative || ahead.startsWith(u'+'))
            ++p;
        const QStringView rest = QStringView(ahead).mid(p);
        const qsizetype word = nonFiniteWord(rest);
        if (word == 0 || (word < rest.size() && identChar(rest[word].unicode())))
            return false;
        TFormValue::FloatKind kind = TFormValue::Extended;
        if (word == 4)
            kind = rest[3].toLower() == u's' ? TFormValue::Single : TFormValue::Date;
        const long double x = rest.startsWith(u"NaN")
                                  ? std::numeric_limits<long double>::quiet_NaN()
                                  : std::numeric_limits<long double>::infinity();
        v.kind = TFormValue::Float;
        v.floatKind = kind;
        v.Real = negative ? -x : x;
        FIn.Skip(p + word);
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

    void take() {
        FToken += char(FIn.Peek());
        FIn.Skip(1);
    }

    void takeDigits() {
        while (cur() >= '0' && cur() <= '9')
            take();
    }

    qint64 parseIntegerLiteral() {
        skipBlanks();
        const Where start = here();
        TFormValue v;
        parseNumber(v);
        if (v.kind != TFormValue::Integer)
            failAt(start, QStringLiteral("integer expected"));
        return v.Int;
    }

    void parseNumber(TFormValue& v) {
        const Where start = here();
        FToken.clear();
        bool negative = false;
        if (cur() == '-' || cur() == '+') {
            negative = cur() == '-';
            take();
        }
        if (cur() == '$') {
            FIn.Skip(1);
            FToken.clear();
            while (hexDigit(cur()))
                take();
            bool ok = false;
            const quint64 mag = FToken.toULongLong(&ok, 16);
            if (!ok)
                failAt(start, QStringLiteral("Invalid hexadecimal number"));
            // $FFFFFFFF style literals are bit patterns of 32- or 64-bit values.
            const qint64 bits = FToken.size() <= 8 ? qint64(qint32(quint32(mag))) : qint64(mag);
            // Negated as a bit pattern too: -$8000000000000000 is itself.
            v.kind = TFormValue::Integer;
            v.Int = negative ? qint64(quint64(0) - quint64(bits)) : bits;
            return;
        }
        takeDigits();
        bool isFloat = false;
        if (cur() == '.' && FIn.Ensure(2) && FIn.Peek(1) >= '0' && FIn.Peek(1) <= '9') {
            isFloat = true;
            take();
            takeDigits();
        }
        if (cur() == 'e' || cur() == 'E') {
            isFloat = true;
            take();
            if (cur() == '+' || cur() == '-')
                take();
            const qsizetype expAt = FToken.size();
            takeDigits();
            if (FToken.size() == expAt)
                failAt(start, QStringLiteral("Invalid number"));
        }
        if (FToken.isEmpty() || FToken == "-" || FToken == "+")
            failAt(start, QStringLiteral("Number expected"));
        const int suffix = cur() >= 'A' && cur() <= 'Z' ? cur() + 32 : cur();
        if (suffix == 's' || suffix == 'c' || suffix == 'd') {
            FIn.Skip(1);
            isFloat = true;
        }
        if (identChar(cur()))
            failAt(start, QStringLiteral("Invalid number"));
        const char* first = FToken.constData() + (FToken.startsWith('+') ? 1 : 0);
        const char* last = FToken.constData() + FToken.size();
        if (!isFloat) {
            qint64 n = 0;
            const auto r = std::from_chars(first, last, n);
            if (r.ec != std::errc() || r.ptr != last)
                failAt(start, QStringLiteral("Integer out of range"));
            v.kind = TFormValue::Integer;
            v.Int = n;
            return;
        }
        if (suffix == 'c') {
            parseCurrency(start, v);
            return;
        }
        TFormValue::FloatKind kind = TFormValue::Extended;
        if (suffix == 's')
            kind = TFormValue::Single;
        else if (suffix == 'd')
            kind = TFormValue::Date;
        long double x = 0;
        if (!readFloat(first, last, kind, x))
            failAt(start, QStringLiteral("Invalid floating point number"));
        v.kind = TFormValue::Float;
        v.floatKind = kind;
        v.Real = x;
    }

    // Currency keeps four decimals exactly: parse digits rather than go through a float.
    void parseCurrency(const Where& start, TFormValue& v) {
        QByteArray t = FToken;
        const bool negative = t.startsWith('-');
        if (negative || t.startsWith('+'))
            t.remove(0, 1);
        if (t.contains('e') || t.contains('E'))
            failAt(start, QStringLiteral("Currency values take no exponent"));
        const auto dot = t.indexOf('.');
        const QByteArray whole = dot < 0 ? t : t.left(dot);
        QByteArray frac = dot < 0 ? QByteArray() : t.mid(dot + 1);
        if (frac.size() > 4)
            failAt(start, QStringLiteral("Currency values have at most four decimals"));
        frac = frac.leftJustified(4, '0');
        bool ok = false;
        // With its sign, so that the most negative value is in range.
        const qint64 scaled = ((negative ? "-" : "") + whole + frac).toLongLong(&ok);
        if (!ok)
            failAt(start, QStringLiteral("Currency value out of range"));
        v.kind = TFormValue::Float;
        v.floatKind = TFormValue::Currency;
        v.Int = scaled;
        v.Real = static_cast<long double>(scaled) / 10000;
    }

    void parseSet(TFormValue& v) {
        FIn.Skip(1);
        v.kind = TFormValue::Set;
        v.Names.clear();
        skipBlanks();
        if (cur() == ']') {
            FIn.Skip(1);
            return;
        }
        for (;;) {
            v.Names.push_back(parseIdent(false, "Set element"));
            skipBlanks();
            if (cur() == ']') {
                FIn.Skip(1);
                return;
            }
            if (cur() != ',')
                fail(QStringLiteral("',' or ']' expected but %1 found").arg(describeCurrent()));
            FIn.Skip(1);
        }
    }

    void parseBinary(TFormValue& v) {
        Where open = here();
        // The data may span many lines; the column of the brace is taken while its line is
        // still there.
        open.Column = columnOf(open);
        FIn.Skip(1);
        v.kind = TFormValue::Binary;
        v.Bytes.clear();
        int high = -1;
        for (;;) {
            skipBlanks();
            if (atEnd())
                failAt(open, QStringLiteral("Unterminated binary data"));
            const int c = FIn.Peek();
            if (c == '}') {
                FIn.Skip(1);
                break;
            }
            if (!hexDigit(c))
                fail(QStringLiteral("Invalid binary data"));
            const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            if (high < 0) {
                high = digit;
            } else {
                v.Bytes += char(high << 4 | digit);
                high = -1;
            }
            FIn.Skip(1);
        }
        if (high >= 0)
            failAt(open, QStringLiteral("Binary data has an odd number of hexadecimal digits"));
    }

    TFormInput& FIn;
    TTextEncoding FEncoding;
    std::vector<Frame> FStack;
    bool FDone = false;
    int FLine = 1;
    qint64 FLineStart = 0;
    qsizetype FColumnBase = 0; // characters of the current line no longer in the window
    qint64 FKeptFrom = 0;      // the offset of the first byte of the line still in the window
    Where* FPinned = nullptr;
    QByteArray FToken;
    QByteArray FRaw;
};

} // namespace

TTextEncoding TextFormEncoding(QByteArrayView text) {
    TUtf8Check check;
    check.Feed(text.startsWith(Bom) ? text.sliced(Bom.size()) : text);
    return check.Finish() ? TTextEncoding::Utf8 : TTextEncoding::Windows1252;
}

std::unique_ptr<TFormEventReader> NewTextFormReader(TFormInput& input, TTextEncoding encoding) {
    return std::make_unique<TextReader>(input, encoding);
}

TFormObject ReadTextForm(QByteArrayView text) {
    TFormInput input(text);
    TextReader reader(input, TextFormEncoding(text));
    TFormTreeBuilder tree;
    PumpFormEvents(reader, tree);
    return tree.Take();
}

void CheckTextForm(QByteArrayView text) {
    TFormInput input(text);
    TextReader reader(input, TextFormEncoding(text));
    TFormEvent event;
    while (reader.Next(event)) {
    }
}
