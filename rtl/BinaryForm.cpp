#include "BinaryForm.h"

#include "SysUtils.h"

#include <cfloat>
#include <cstring>

static_assert(LDBL_MANT_DIG == 64, "extended values are kept in the x87 80-bit long double");

namespace {

class BinaryReader {
public:
    BinaryReader(QByteArrayView data, qsizetype pos) : FData(data), FPos(pos) {}

    qsizetype position() const { return FPos; }

    TFormObject readRoot() {
        if (FData.size() - FPos < 4 || std::memcmp(FData.data() + FPos, FilerSignature, 4) != 0)
            fail(QStringLiteral("invalid stream format (no TPF0 signature)"));
        FPos += 4;
        return readObject(0);
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw EReadError(
            QStringLiteral("Error reading object stream at byte %1: %2").arg(FPos).arg(what));
    }

    void need(qsizetype n) const {
        if (n < 0 || FData.size() - FPos < n)
            fail(QStringLiteral("unexpected end of stream"));
    }

    std::uint8_t peekByte() const {
        need(1);
        return static_cast<std::uint8_t>(FData[FPos]);
    }

    std::uint8_t readByte() {
        const auto b = peekByte();
        ++FPos;
        return b;
    }

    template <typename T>
    T readRaw() {
        need(sizeof(T));
        T v;
        std::memcpy(&v, FData.data() + FPos, sizeof(T)); // the stream is little endian, as is x86
        FPos += sizeof(T);
        return v;
    }

    QByteArray readBytes(qsizetype n) {
        need(n);
        QByteArray r(FData.data() + FPos, n);
        FPos += n;
        return r;
    }

    qint32 readLength() {
        const auto at = FPos;
        const auto n = readRaw<qint32>();
        if (n < 0) {
            FPos = at;
            fail(QStringLiteral("negative length %1").arg(n));
        }
        if (FData.size() - FPos < n) {
            FPos = at;
            fail(QStringLiteral("length %1 exceeds the %2 bytes left")
                     .arg(n)
                     .arg(FData.size() - FPos - 4));
        }
        return n;
    }

    // Names and ANSI strings: UTF-8 when they are valid UTF-8, Latin-1 otherwise.
    static QString decode8(const QByteArray& bytes) {
        QString s = QString::fromUtf8(bytes);
        if (s.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD"))
            return QString::fromLatin1(bytes);
        return s;
    }

    QString readShortString() {
        const auto n = readByte();
        return decode8(readBytes(n));
    }

    void enter(int depth) const {
        if (depth > MaxFormNesting)
            fail(QStringLiteral("nesting deeper than %1 levels").arg(MaxFormNesting));
    }

    qint64 readIntegerValue() {
        const auto at = FPos;
        const auto t = static_cast<TValueType>(readByte());
        switch (t) {
        case TValueType::vaInt8:
            return readRaw<qint8>();
        case TValueType::vaInt16:
            return readRaw<qint16>();
        case TValueType::vaInt32:
            return readRaw<qint32>();
        case TValueType::vaInt64:
            return readRaw<qint64>();
        default:
            FPos = at;
            fail(QStringLiteral("integer expected"));
        }
    }

    TFormObject readObject(int depth) {
        enter(depth);
        TFormObject obj;
        const auto prefix = peekByte();
        if ((prefix & 0xF0) == 0xF0) {
            ++FPos;
            obj.Flags = prefix & 0x0F;
            if (obj.Flags & ~(ffInherited | ffChildPos | ffInline))
                fail(QStringLiteral("unknown object flags 0x%1")
                         .arg(prefix, 2, 16, QLatin1Char('0')));
            if (obj.Flags & ffChildPos)
                obj.ChildPos = readIntegerValue();
        }
        obj.ClassName = readShortString();
        if (obj.ClassName.isEmpty())
            fail(QStringLiteral("empty class name"));
        obj.Name = readShortString();
        while (peekByte() != 0) {
            TFormProperty p;
            p.Name = readShortString();
            if (p.Name.isEmpty())
                fail(QStringLiteral("empty property name"));
            p.Value = readValue(depth + 1);
            obj.Properties.push_back(std::move(p));
        }
        ++FPos;
        while (peekByte() != 0)
            obj.Children.push_back(readObject(depth + 1));
        ++FPos;
        return obj;
    }

    TFormValue readValue(int depth) {
        enter(depth);
        const auto at = FPos;
        const auto t = static_cast<TValueType>(readByte());
        TFormValue v;
        switch (t) {
        case TValueType::vaNull:
            v.kind = TFormValue::Null;
            break;
        case TValueType::vaNil:
            v.kind = TFormValue::Nil;
            break;
        case TValueType::vaFalse:
        case TValueType::vaTrue:
            v = TFormValue::makeBoolean(t == TValueType::vaTrue);
            break;
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64:
            FPos = at;
            v = TFormValue::makeInteger(readIntegerValue());
            break;
        case TValueType::vaExtended: {
            need(10);
            long double x = 0;
            std::memcpy(&x, FData.data() + FPos, 10);
            FPos += 10;
            v = TFormValue::makeFloat(x, TFormValue::Extended);
            break;
        }
        case TValueType::vaDouble:
            v = TFormValue::makeFloat(readRaw<double>(), TFormValue::Double);
            break;
        case TValueType::vaSingle:
            v = TFormValue::makeFloat(readRaw<float>(), TFormValue::Single);
            break;
        case TValueType::vaDate:
            v = TFormValue::makeFloat(readRaw<double>(), TFormValue::Date);
            break;
        case TValueType::vaCurrency:
            // Kept as its scaled 64-bit integer so that no digit is lost.
            v = TFormValue::makeFloat(0, TFormValue::Currency);
            v.Int = readRaw<qint64>();
            v.Real = static_cast<long double>(v.Int) / 10000;
            break;
        case TValueType::vaString:
            v = TFormValue::makeString(readShortString());
            break;
        case TValueType::vaLString:
            v = TFormValue::makeString(decode8(readBytes(readLength())));
            break;
        case TValueType::vaUTF8String:
            v = TFormValue::makeString(QString::fromUtf8(readBytes(readLength())));
            break;
        case TValueType::vaWString: {
            const auto lengthAt = FPos;
            const auto n = readRaw<qint32>();
            if (n < 0 || (FData.size() - FPos) / 2 < n) {
                FPos = lengthAt;
                fail(QStringLiteral("bad wide string length %1").arg(n));
            }
            QString s(n, Qt::Uninitialized);
            std::memcpy(s.data(), FData.data() + FPos, std::size_t(n) * 2);
            FPos += qsizetype(n) * 2;
            v = TFormValue::makeString(std::move(s));
            break;
        }
        case TValueType::vaIdent:
            v = TFormValue::makeIdent(readShortString());
            if (v.Str.isEmpty())
                fail(QStringLiteral("empty identifier"));
            break;
        case TValueType::vaBinary:
            v = TFormValue::makeBinary(readBytes(readLength()));
            break;
        case TValueType::vaSet:
            v.kind = TFormValue::Set;
            for (;;) {
                QString name = readShortString();
                if (name.isEmpty())
                    break;
                v.Names.push_back(std::move(name));
            }
            break;
        case TValueType::vaList:
            v.kind = TFormValue::List;
            while (peekByte() != 0)
                v.Elements.push_back(readValue(depth + 1));
            ++FPos;
            break;
        case TValueType::vaCollection:
            v.kind = TFormValue::Collection;
            while (peekByte() != 0) {
                enter(depth + 1);
                TFormCollectionItem item;
                const auto next = static_cast<TValueType>(peekByte());
                if (next == TValueType::vaInt8 || next == TValueType::vaInt16 ||
                    next == TValueType::vaInt32 || next == TValueType::vaInt64) {
                    item.HasOrder = true;
                    item.Order = readIntegerValue();
                }
                if (static_cast<TValueType>(readByte()) != TValueType::vaList) {
                    --FPos;
                    fail(QStringLiteral("collection item expected"));
                }
                while (peekByte() != 0) {
                    TFormProperty p;
                    p.Name = readShortString();
                    if (p.Name.isEmpty())
                        fail(QStringLiteral("empty property name"));
                    p.Value = readValue(depth + 2);
                    item.Properties.push_back(std::move(p));
                }
                ++FPos;
                v.Items.push_back(std::move(item));
            }
            ++FPos;
            break;
        default:
            FPos = at;
            fail(QStringLiteral("unknown value type %1").arg(int(t)));
        }
        return v;
    }

    QByteArrayView FData;
    qsizetype FPos;
};

class BinaryWriter {
public:
    explicit BinaryWriter(QByteArray& out) : FOut(out) {}

    void writeObject(const TFormObject& obj) {
        // A class name of 240 bytes or more starts with a length byte the reader would take for
        // a flags prefix, so it gets an explicit one.
        if (obj.Flags != 0 || obj.ClassName.toUtf8().size() >= 0xF0) {
            byte(0xF0 | obj.Flags);
            if (obj.Flags & ffChildPos)
                integer(obj.ChildPos);
        }
        if (obj.ClassName.isEmpty())
            throw EWriteError(QStringLiteral("Object without a class name"));
        shortString(obj.ClassName);
        shortString(obj.Name);
        for (const auto& p : obj.Properties)
            property(p);
        byte(0);
        for (const auto& child : obj.Children)
            writeObject(child);
        byte(0);
    }

private:
    void byte(int b) { FOut.append(char(b)); }
    void type(TValueType t) { byte(int(t)); }

    template <typename T>
    void raw(T v) {
        FOut.append(reinterpret_cast<const char*>(&v), sizeof(T));
    }

    void shortString(const QString& s) {
        const QByteArray bytes = s.toUtf8();
        if (bytes.size() > 255)
            throw EWriteError(QStringLiteral("Name too long for the object stream: %1").arg(s));
        byte(int(bytes.size()));
        FOut.append(bytes);
    }

    void integer(qint64 v) {
        if (v >= -128 && v <= 127) {
            type(TValueType::vaInt8);
            raw(qint8(v));
        } else if (v >= -32768 && v <= 32767) {
            type(TValueType::vaInt16);
            raw(qint16(v));
        } else if (v >= INT32_MIN && v <= INT32_MAX) {
            type(TValueType::vaInt32);
            raw(qint32(v));
        } else {
            type(TValueType::vaInt64);
            raw(qint64(v));
        }
    }

    void string(const QString& s) {
        bool ascii = true;
        for (QChar c : s)
            ascii = ascii && c.unicode() < 128;
        if (ascii && s.size() <= 255) {
            type(TValueType::vaString);
            shortString(s);
        } else if (ascii) {
            type(TValueType::vaLString);
            raw(qint32(s.size()));
            FOut.append(s.toLatin1());
        } else {
            type(TValueType::vaWString);
            raw(qint32(s.size()));
            FOut.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        }
    }

    void property(const TFormProperty& p) {
        if (p.Name.isEmpty())
            throw EWriteError(QStringLiteral("Empty property name"));
        shortString(p.Name);
        value(p.Value);
    }

    void value(const TFormValue& v) {
        switch (v.kind) {
        case TFormValue::Null:
            type(TValueType::vaNull);
            break;
        case TFormValue::Nil:
            type(TValueType::vaNil);
            break;
        case TFormValue::Boolean:
            type(v.Int ? TValueType::vaTrue : TValueType::vaFalse);
            break;
        case TFormValue::Integer:
            integer(v.Int);
            break;
        case TFormValue::Float:
            switch (v.floatKind) {
            case TFormValue::Extended: {
                type(TValueType::vaExtended);
                char bytes[sizeof(long double)] = {};
                std::memcpy(bytes, &v.Real, sizeof(long double));
                FOut.append(bytes, 10);
                break;
            }
            case TFormValue::Double:
                type(TValueType::vaDouble);
                raw(double(v.Real));
                break;
            case TFormValue::Single:
                type(TValueType::vaSingle);
                raw(float(v.Real));
                break;
            case TFormValue::Date:
                type(TValueType::vaDate);
                raw(double(v.Real));
                break;
            case TFormValue::Currency:
                type(TValueType::vaCurrency);
                raw(qint64(v.Int));
                break;
            }
            break;
        case TFormValue::String:
            string(v.Str);
            break;
        case TFormValue::Ident:
            if (v.Str.isEmpty())
                throw EWriteError(QStringLiteral("Empty identifier value"));
            type(TValueType::vaIdent);
            shortString(v.Str);
            break;
        case TFormValue::Set:
            type(TValueType::vaSet);
            for (const auto& n : v.Names) {
                if (n.isEmpty())
                    throw EWriteError(QStringLiteral("Empty set element"));
                shortString(n);
            }
            byte(0);
            break;
        case TFormValue::Binary:
            type(TValueType::vaBinary);
            raw(qint32(v.Bytes.size()));
            FOut.append(v.Bytes);
            break;
        case TFormValue::List:
            type(TValueType::vaList);
            for (const auto& e : v.Elements) {
                // A null byte would end the list early.
                if (e.kind == TFormValue::Null)
                    throw EWriteError(QStringLiteral("A list cannot hold Null"));
                value(e);
            }
            byte(0);
            break;
        case TFormValue::Collection:
            type(TValueType::vaCollection);
            for (const auto& item : v.Items) {
                if (item.HasOrder)
                    integer(item.Order);
                type(TValueType::vaList);
                for (const auto& p : item.Properties)
                    property(p);
                byte(0);
            }
            byte(0);
            break;
        }
    }

    QByteArray& FOut;
};

} // namespace

TFormObject ReadBinaryForm(QByteArrayView data, qsizetype& pos) {
    BinaryReader reader(data, pos);
    TFormObject root = reader.readRoot();
    pos = reader.position();
    return root;
}

TFormObject ReadBinaryForm(QByteArrayView data) {
    qsizetype pos = 0;
    return ReadBinaryForm(data, pos);
}

void WriteBinaryForm(const TFormObject& root, QByteArray& out) {
    out.append(FilerSignature, 4);
    BinaryWriter(out).writeObject(root);
}

QByteArray WriteBinaryForm(const TFormObject& root) {
    QByteArray out;
    WriteBinaryForm(root, out);
    return out;
}
