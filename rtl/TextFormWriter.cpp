#include "TextForm.h"

#include "FormEvents.h"
#include "FormInput.h"
#include "SysUtils.h"
#include "TextFormWords.h"

#include <charconv>
#include <cmath>

namespace {

// A string as the text form writes it: printable ASCII in quotes, other characters as #nnn.
void appendQuoted(QByteArray& out, QStringView s) {
    bool inQuote = false;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (u >= 32 && u < 127) {
            if (!inQuote) {
                out += '\'';
                inQuote = true;
            }
            if (u == '\'')
                out += '\'';
            out += char(u);
        } else {
            if (inQuote) {
                out += '\'';
                inQuote = false;
            }
            char buffer[8];
            const auto r = std::to_chars(buffer, buffer + sizeof buffer, int(u));
            out += '#';
            out.append(buffer, r.ptr - buffer);
        }
    }
    if (inQuote)
        out += '\'';
    if (s.isEmpty())
        out += "''";
}

// Identifiers joined by dots, each a letter or underscore and then letters, digits, underscores.
bool isDottedIdent(QStringView s) {
    bool start = true;
    for (const QChar c : s) {
        if (c == u'.') {
            if (start)
                return false;
            start = true;
            continue;
        }
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        if (!letter && (start || c < u'0' || c > u'9'))
            return false;
        start = false;
    }
    return !start;
}

// The text form written as the events come: each object, property and list element goes out as
// it arrives, indented by its depth.
class TextWriter final : public TFormEventWriter {
public:
    explicit TextWriter(TFormOutput& out) : FOut(out.Buffer()), FOutput(out) {}

    void Write(const TFormEvent& e) override {
        switch (e.kind) {
        case TFormEvent::BeginObject:
            beginObject(e);
            break;
        case TFormEvent::EndObject:
            pad(FFrames.back().Indent);
            FOut += "end\n";
            FFrames.pop_back();
            FOutput.Flush(FFrames.empty());
            break;
        case TFormEvent::Property: {
            const int indent =
                FFrames.back().Kind == Item ? FFrames.back().Indent + 2 : FFrames.back().Indent + 1;
            checkName(e.Name, "Property name");
            // A property named like a keyword would end the object or start a nested one.
            const QStringView head = QStringView(e.Name).left(e.Name.indexOf(u'.'));
            for (const char* keyword : {"object", "inherited", "inline", "end"})
                if (head.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0)
                    throw EWriteError(
                        QStringLiteral("Property name '%1' cannot be written as form text")
                            .arg(e.Name));
            pad(indent);
            appendName(e.Name);
            FOut += " =";
            value(e.Value, indent, true);
            break;
        }
        case TFormEvent::Element: {
            const int indent = FFrames.back().Indent;
            FOut += '\n';
            pad(indent + 1);
            // List elements start at the indent, without the blank that follows "=".
            const qsizetype mark = FOut.size();
            value(e.Value, indent + 1, false);
            if (FOut.size() > mark && FOut[mark] == ' ')
                FOut.remove(mark, 1);
            break;
        }
        case TFormEvent::EndList:
            FOut += ')';
            endValue();
            break;
        case TFormEvent::BeginItem:
            FOut += '\n';
            pad(FFrames.back().Indent + 1);
            FOut += "item";
            if (e.HasOrder) {
                FOut += " [";
                appendNumber(e.Order);
                FOut += ']';
            }
            FOut += '\n';
            FFrames.push_back({Item, FFrames.back().Indent, false});
            break;
        case TFormEvent::EndItem:
            pad(FFrames.back().Indent + 1);
            FOut += "end";
            FFrames.pop_back();
            break;
        case TFormEvent::EndCollection:
            FOut += '>';
            endValue();
            break;
        }
    }

private:
    enum FrameKind : std::uint8_t { Object, List, Collection, Item };
    struct Frame {
        FrameKind Kind;
        int Indent;    // of the object, or of the property or element the value belongs to
        bool EndsLine; // a property's list or collection: its line ends after it
    };

    void pad(int indent) { FOut.append(qsizetype(indent) * 2, ' '); }

    void appendName(const QString& name) {
        for (const QChar c : name)
            FOut += char(c.unicode());
    }

    void appendNumber(qint64 v) {
        char buffer[24];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
        FOut.append(buffer, r.ptr - buffer);
    }

    void beginObject(const TFormEvent& e) {
        // Text has one word for the header; an inline frame that is also inherited would come
        // back as a new frame.
        if ((e.Flags & ffInline) && (e.Flags & ffInherited))
            throw EWriteError(QStringLiteral("Object %1 is both inline and inherited, which form "
                                             "text cannot express")
                                  .arg(e.Name));
        if (!e.Name.isEmpty())
            checkName(e.Name, "Object name");
        checkName(e.ClassName, "Class name");
        const int indent = FFrames.empty() ? 0 : FFrames.back().Indent + 1;
        pad(indent);
        if (e.Flags & ffInline)
            FOut += "inline ";
        else if (e.Flags & ffInherited)
            FOut += "inherited ";
        else
            FOut += "object ";
        if (!e.Name.isEmpty()) {
            appendName(e.Name);
            FOut += ": ";
        }
        appendName(e.ClassName);
        if (e.Flags & ffChildPos) {
            FOut += " [";
            appendNumber(e.ChildPos);
            FOut += ']';
        }
        FOut += '\n';
        FFrames.push_back({Object, indent, false});
    }

    void endValue() {
        const bool endsLine = FFrames.back().EndsLine;
        FFrames.pop_back();
        if (endsLine)
            lineDone();
    }

    void lineDone() {
        FOut += '\n';
        FOutput.Flush();
    }

    // Names go out as they are, so only what the parser reads back as the same name may.
    static void checkName(const QString& name, const char* what) {
        if (!isDottedIdent(name))
            throw EWriteError(QStringLiteral("%1 '%2' cannot be written as form text")
                                  .arg(QLatin1String(what), name));
    }

    // Writes a value that follows "=" (with its leading blank) or starts a list line; a list or
    // collection is opened, its content follows as events.
    void value(const TFormValue& v, int indent, bool property) {
        switch (v.kind) {
        case TFormValue::Null:
            FOut += " Null";
            break;
        case TFormValue::Nil:
            FOut += " nil";
            break;
        case TFormValue::Boolean:
            FOut += v.Int ? " True" : " False";
            break;
        case TFormValue::Integer:
            FOut += ' ';
            appendNumber(v.Int);
            break;
        case TFormValue::Float:
            FOut += ' ' + floatText(v);
            break;
        case TFormValue::String:
            writeString(v.Str, indent);
            break;
        case TFormValue::Ident:
            // An identifier spelled like a keyword or a non-finite float reads back as that.
            checkName(v.Str, "Identifier");
            for (const char* keyword : {"True", "False", "nil", "Null"})
                if (SameText(v.Str, QLatin1String(keyword)))
                    throw EWriteError(
                        QStringLiteral("Identifier '%1' cannot be written as form text")
                            .arg(v.Str));
            if (const auto n = nonFiniteWord(v.Str);
                n > 0 && (n == v.Str.size() || v.Str[n] == u'.'))
                throw EWriteError(
                    QStringLiteral("Identifier '%1' cannot be written as form text").arg(v.Str));
            FOut += ' ';
            appendName(v.Str);
            break;
        case TFormValue::Set:
            for (const QString& name : v.Names)
                if (!IsValidIdent(name))
                    throw EWriteError(
                        QStringLiteral("Set element '%1' cannot be written as form text")
                            .arg(name));
            FOut += " [";
            for (qsizetype i = 0; i < v.Names.size(); ++i) {
                if (i > 0)
                    FOut += ", ";
                appendName(v.Names[i]);
            }
            FOut += ']';
            break;
        case TFormValue::Binary:
            FOut += " {";
            for (const QByteArray& row : FormBinaryRows(v.Bytes)) {
                FOut += '\n';
                pad(indent + 1);
                FOut += row;
            }
            FOut += '}';
            break;
        case TFormValue::List:
            FOut += " (";
            FFrames.push_back({List, indent, property});
            return;
        case TFormValue::Collection:
            FOut += " <";
            FFrames.push_back({Collection, indent, property});
            return;
        }
        if (property)
            lineDone();
    }

    static QByteArray floatText(const TFormValue& v) {
        QByteArray text;
        if (v.floatKind == TFormValue::Currency) {
            // Exact decimal of the scaled integer.
            const bool negative = v.Int < 0;
            const quint64 mag = negative ? quint64(0) - quint64(v.Int) : quint64(v.Int);
            text = QByteArray::number(mag / 10000);
            quint64 frac = mag % 10000;
            if (frac != 0) {
                QByteArray digits = QByteArray::number(frac).rightJustified(4, '0');
                while (digits.endsWith('0'))
                    digits.chop(1);
                text += '.' + digits;
            } else {
                text += ".0";
            }
            return (negative ? "-" : "") + text + 'c';
        }
        if (std::isnan(v.Real))
            text = "NaN";
        else if (std::isinf(v.Real))
            text = v.Real > 0 ? "Inf" : "-Inf";
        else {
            char buf[64];
            std::to_chars_result r;
            if (v.floatKind == TFormValue::Single)
                r = std::to_chars(buf, buf + sizeof buf, float(v.Real));
            else if (v.floatKind == TFormValue::Extended)
                r = std::to_chars(buf, buf + sizeof buf, v.Real);
            else
                r = std::to_chars(buf, buf + sizeof buf, double(v.Real));
            if (v.floatKind == TFormValue::Double) {
                // The text reads back as an extended; in rare cases the shortest digits of the
                // double lie so near the middle between two doubles that the extended rounds to
                // the neighbour. Seventeen digits always land close enough.
                long double back = 0;
                std::from_chars(buf, r.ptr, back);
                if (double(back) != double(v.Real))
                    r = std::to_chars(buf, buf + sizeof buf, double(v.Real),
                                      std::chars_format::general, 17);
            }
            text = QByteArray(buf, r.ptr - buf).toUpper();
            // A float must not read back as an integer.
            if (!text.contains('.') && !text.contains('E'))
                text += ".0";
            else if (!text.contains('.')) {
                const auto e = text.indexOf('E');
                text.insert(e, ".0");
            }
        }
        switch (v.floatKind) {
        case TFormValue::Single:
            text += 's';
            break;
        case TFormValue::Date:
            text += 'd';
            break;
        default:
            break;
        }
        return text;
    }

    void writeString(const QString& s, int indent) {
        if (s.size() <= 64) {
            FOut += ' ';
            appendQuoted(FOut, s);
            return;
        }
        for (const QByteArray& piece : QuoteFormStringPieces(s)) {
            FOut += '\n';
            pad(indent + 1);
            FOut += piece;
        }
    }

    QByteArray& FOut;
    TFormOutput& FOutput;
    std::vector<Frame> FFrames;
};

} // namespace

QByteArray QuoteFormString(QStringView s) {
    QByteArray r;
    appendQuoted(r, s);
    return r;
}

QList<QByteArray> FormBinaryRows(QByteArrayView bytes) {
    constexpr qsizetype Row = 32;
    QList<QByteArray> rows;
    for (qsizetype i = 0; i < bytes.size(); i += Row)
        rows << bytes.sliced(i, std::min(Row, bytes.size() - i)).toByteArray().toHex().toUpper();
    return rows;
}

QList<QByteArray> QuoteFormStringPieces(QStringView s) {
    constexpr qsizetype Chunk = 64;
    if (s.size() <= Chunk)
        return {QuoteFormString(s)};
    QList<QByteArray> pieces;
    for (qsizetype i = 0; i < s.size(); i += Chunk) {
        const qsizetype n = std::min(Chunk, s.size() - i);
        pieces << QuoteFormString(s.mid(i, n)) + (i + n < s.size() ? " +" : "");
    }
    return pieces;
}

std::unique_ptr<TFormEventWriter> NewTextFormWriter(TFormOutput& output) {
    return std::make_unique<TextWriter>(output);
}

QByteArray WriteTextForm(const TFormObject& root) {
    TFormOutput output;
    TextWriter writer(output);
    WriteFormTree(root, writer);
    return output.Take();
}
