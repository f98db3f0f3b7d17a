#include "TextForm.h"

#include "SysUtils.h"
#include "TextFormWords.h"

#include <charconv>
#include <cmath>

namespace {

bool isDottedIdent(const QString& s) {
    for (const QString& part : s.split(u'.'))
        if (!IsValidIdent(part))
            return false;
    return true;
}

class TextWriter {
public:
    QByteArray take() { return std::move(FOut); }

    void writeObject(const TFormObject& obj, int indent) {
        // Text has one word for the header; an inline frame that is also inherited would come
        // back as a new frame.
        if ((obj.Flags & ffInline) && (obj.Flags & ffInherited))
            throw EWriteError(QStringLiteral("Object %1 is both inline and inherited, which form "
                                             "text cannot express")
                                  .arg(obj.Name));
        if (!obj.Name.isEmpty())
            checkName(obj.Name, "Object name");
        checkName(obj.ClassName, "Class name");
        pad(indent);
        if (obj.Flags & ffInline)
            FOut += "inline ";
        else if (obj.Flags & ffInherited)
            FOut += "inherited ";
        else
            FOut += "object ";
        if (!obj.Name.isEmpty())
            FOut += obj.Name.toUtf8() + ": ";
        FOut += obj.ClassName.toUtf8();
        if (obj.Flags & ffChildPos)
            FOut += " [" + QByteArray::number(obj.ChildPos) + "]";
        FOut += '\n';
        for (const auto& p : obj.Properties)
            writeProperty(p, indent + 1);
        for (const auto& child : obj.Children)
            writeObject(child, indent + 1);
        pad(indent);
        FOut += "end\n";
    }

private:
    void pad(int indent) { FOut.append(qsizetype(indent) * 2, ' '); }

    // Names go out as they are, so only what the parser reads back as the same name may.
    static void checkName(const QString& name, const char* what) {
        if (!isDottedIdent(name))
            throw EWriteError(QStringLiteral("%1 '%2' cannot be written as form text")
                                  .arg(QLatin1String(what), name));
    }

    void writeProperty(const TFormProperty& p, int indent) {
        checkName(p.Name, "Property name");
        // A property named like a keyword would end the object or start a nested one.
        const QString head = p.Name.section(u'.', 0, 0);
        for (const char* keyword : {"object", "inherited", "inline", "end"})
            if (SameText(head, QLatin1String(keyword)))
                throw EWriteError(
                    QStringLiteral("Property name '%1' cannot be written as form text")
                        .arg(p.Name));
        pad(indent);
        FOut += p.Name.toUtf8();
        FOut += " =";
        writeValue(p.Value, indent);
        FOut += '\n';
    }

    // Writes a value that follows "=" (with its leading blank) or starts a list line.
    void writeValue(const TFormValue& v, int indent) {
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
            FOut += ' ' + QByteArray::number(v.Int);
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
            FOut += ' ' + v.Str.toUtf8();
            break;
        case TFormValue::Set:
            for (const QString& name : v.Names)
                if (!IsValidIdent(name))
                    throw EWriteError(
                        QStringLiteral("Set element '%1' cannot be written as form text")
                            .arg(name));
            FOut += " [" + v.Names.join(QStringLiteral(", ")).toUtf8() + "]";
            break;
        case TFormValue::Binary:
            writeBinary(v.Bytes, indent);
            break;
        case TFormValue::List:
            FOut += " (";
            for (std::size_t i = 0; i < v.Elements.size(); ++i) {
                FOut += '\n';
                pad(indent + 1);
                const auto mark = FOut.size();
                writeValue(v.Elements[i], indent + 1);
                if (FOut.size() > mark && FOut[mark] == ' ')
                    FOut.remove(mark, 1); // list elements start at the indent
            }
            FOut += ')';
            break;
        case TFormValue::Collection:
            FOut += " <";
            for (const auto& item : v.Items) {
                FOut += '\n';
                pad(indent + 1);
                FOut += "item";
                if (item.HasOrder)
                    FOut += " [" + QByteArray::number(item.Order) + "]";
                FOut += '\n';
                for (const auto& p : item.Properties)
                    writeProperty(p, indent + 2);
                pad(indent + 1);
                FOut += "end";
            }
            FOut += '>';
            break;
        }
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
        constexpr qsizetype Chunk = 64;
        if (s.size() <= Chunk) {
            FOut += ' ' + QuoteFormString(s);
            return;
        }
        for (qsizetype i = 0; i < s.size(); i += Chunk) {
            FOut += '\n';
            pad(indent + 1);
            qsizetype n = std::min(Chunk, s.size() - i);
            FOut += QuoteFormString(QStringView(s).mid(i, n));
            if (i + n < s.size())
                FOut += " +";
        }
    }

    void writeBinary(const QByteArray& bytes, int indent) {
        FOut += " {";
        constexpr qsizetype Row = 32;
        for (qsizetype i = 0; i < bytes.size(); i += Row) {
            FOut += '\n';
            pad(indent + 1);
            FOut += bytes.mid(i, Row).toHex().toUpper();
        }
        FOut += '}';
    }

    QByteArray FOut;
};

} // namespace

QByteArray QuoteFormString(QStringView s) {
    QByteArray r;
    bool inQuote = false;
    for (QChar c : s) {
        const ushort u = c.unicode();
        if (u >= 32 && u < 127) {
            if (!inQuote) {
                r += '\'';
                inQuote = true;
            }
            if (u == '\'')
                r += "''";
            else
                r += char(u);
        } else {
            if (inQuote) {
                r += '\'';
                inQuote = false;
            }
            r += '#' + QByteArray::number(u);
        }
    }
    if (inQuote)
        r += '\'';
    if (r.isEmpty())
        r = "''";
    return r;
}

QByteArray WriteTextForm(const TFormObject& root) {
    TextWriter w;
    w.writeObject(root, 0);
    return w.take();
}
