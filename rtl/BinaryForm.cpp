#include "BinaryForm.h"

#include "FormEvents.h"
#include "FormInput.h"
#include "SysUtils.h"
#include "TextEncoding.h"

#include <cfloat>
#include <cstring>

static_assert(LDBL_MANT_DIG == 64, "extended values are kept in the x87 80-bit long double");

namespace {

bool isInteger(TValueType t) {
    return t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32 ||
           t == TValueType::vaInt64;
}

// The binary object stream read one event at a time. Every length is checked against the bytes
// that are left, so that corrupt input ends in an EReadError naming the offset.
class BinaryReader final : public TFormEventReader {
public:
    // `offset` is where the input starts in what messages count bytes of.
    BinaryReader(TFormInput& input, qint64 offset) : FIn(input), FOffset(offset) {}

    bool Next(TFormEvent& e) override {
        if (FDone)
            return false;
        if (FStack.empty()) {
            if (!FIn.Ensure(4) || std::memcmp(FIn.Data(), FilerSignature, 4) != 0)
                fail(QStringLiteral("invalid stream format (no TPF0 signature)"));
            FIn.Skip(4);
            beginObject(e);
            return true;
        }
        switch (FStack.back()) {
        case Properties:
            if (peekByte() != 0) {
                e.kind = TFormEvent::Property;
                property(e);
                return true;
            }
            FIn.Skip(1);
            FStack.back() = Children;
            [[fallthrough]];
        case Children:
            if (peekByte() != 0) {
                beginObject(e);
                return true;
            }
            FIn.Skip(1);
            FStack.pop_back();
            FDone = FStack.empty();
            e.kind = TFormEvent::EndObject;
            return true;
        case List:
            if (peekByte() != 0) {
                e.kind = TFormEvent::Element;
                value(e.Value);
                return true;
            }
            FIn.Skip(1);
            FStack.pop_back();
            e.kind = TFormEvent::EndList;
            return true;
        case Collection:
            if (peekByte() != 0) {
                beginItem(e);
                return true;
            }
            FIn.Skip(1);
            FStack.pop_back();
            e.kind = TFormEvent::EndCollection;
            return true;
        case Item:
            if (peekByte() != 0) {
                e.kind = TFormEvent::Property;
                property(e);
                return true;
            }
            FIn.Skip(1);
            FStack.pop_back();
            e.kind = TFormEvent::EndItem;
            return true;
        }
        return false;
    }

private:
    enum Frame : std::uint8_t { Properties, Children, List, Collection, Item };

    qint64 position() const { return FOffset + FIn.Position(); }

    [[noreturn]] void failAt(qint64 at, const QString& what) const {
        throw EReadError(
            QStringLiteral("Error reading object stream at byte %1: %2").arg(at).arg(what));
    }
    [[noreturn]] void fail(const QString& what) const { failAt(position(), what); }

    void need(qsizetype n) {
        if (!FIn.Ensure(n))
            fail(QStringLiteral("unexpected end of stream"));
    }

    std::uint8_t peekByte() {
        need(1);
        return FIn.Peek();
    }

    std::uint8_t readByte() {
        const auto b = peekByte();
        FIn.Skip(1);
        return b;
    }

    template <typename T>
    T readRaw() {
        need(sizeof(T));
        T v;
        std::memcpy(&v, FIn.Data(), sizeof(T)); // the stream is little endian, as is x86
        FIn.Skip(sizeof(T));
        return v;
    }

    // `n` bytes, which must be there: checked against what is left before anything is held.
    void readBytes(qint64 n, QByteArray& out) {
        const qint64 left = FIn.Remaining();
        if (left >= 0 && left < n)
            fail(QStringLiteral("unexpected end of stream"));
        out.resize(0);
        while (out.size() < n) {
            need(1);
            const qsizetype take = qsizetype(std::min<qint64>(n - out.size(), FIn.Available()));
            out.append(FIn.Data(), take);
            FIn.Skip(take);
        }
    }

    qint32 readLength() {
        const qint64 at = position();
        const auto n = readRaw<qint32>();
        if (n < 0)
            failAt(at, QStringLiteral("negative length %1").arg(n));
        const qint64 left = FIn.Remaining();
        if (left >= 0 && left < n)
            failAt(at, QStringLiteral("length %1 exceeds the %2 bytes left").arg(n).arg(left));
        return n;
    }

    // Names and ANSI strings: UTF-8 when they are valid UTF-8, else Windows-1252, which keeps
    // every byte.
    QString shortString() {
        const auto n = readByte();
        need(n);
        QString s = DecodeBytes(QByteArrayView(FIn.Data(), n));
        FIn.Skip(n);
        return s;
    }

    void push(Frame frame) {
        if (int(FStack.size()) > MaxFormNesting)
            fail(QStringLiteral("nesting deeper than %1 levels").arg(MaxFormNesting));
        FStack.push_back(frame);
    }

    qint64 readIntegerValue() {
        const qint64 at = position();
        switch (static_cast<TValueType>(readByte())) {
        case TValueType::vaInt8:
            return readRaw<qint8>();
        case TValueType::vaInt16:
            return readRaw<qint16>();
        case TValueType::vaInt32:
            return readRaw<qint32>();
        case TValueType::vaInt64:
            return readRaw<qint64>();
        default:
            failAt(at, QStringLiteral("integer expected"));
        }
    }

    void beginObject(TFormEvent& e) {
        push(Properties);
        e.kind = TFormEvent::BeginObject;
        e.Flags = 0;
        e.ChildPos = 0;
        const auto prefix = peekByte();
        if ((prefix & 0xF0) == 0xF0) {
            FIn.Skip(1);
            e.Flags = prefix & 0x0F;
            if (e.Flags & ~(ffInherited | ffChildPos | ffInline))
                fail(QStringLiteral("unknown object flags 0x%1")
                         .arg(prefix, 2, 16, QLatin1Char('0')));
            if (e.Flags & ffChildPos)
                e.ChildPos = readIntegerValue();
        }
        e.ClassName = shortString();
        if (e.ClassName.isEmpty())
            fail(QStringLiteral("empty class name"));
        e.Name = shortString();
    }

    void property(TFormEvent& e) {
        e.Name = shortString();
        if (e.Name.isEmpty())
            fail(QStringLiteral("empty property name"));
        value(e.Value);
    }

    void beginItem(TFormEvent& e) {
        push(Item);
        e.kind = TFormEvent::BeginItem;
        e.HasOrder = isInteger(static_cast<TValueType>(peekByte()));
        e.Order = e.HasOrder ? readIntegerValue() : 0;
        if (static_cast<TValueType>(peekByte()) != TValueType::vaList)
            fail(QStringLiteral("collection item expected"));
        FIn.Skip(1);
    }

    // A scalar, or a list or collection opened.
    void value(TFormValue& v) {
        const qint64 at = position();
        const auto t = static_cast<TValueType>(readByte());
        switch (t) {
        case TValueType::vaNull:
            v.kind = TFormValue::Null;
            break;
        case TValueType::vaNil:
            v.kind = TFormValue::Nil;
            break;
        case TValueType::vaFalse:
        case TValueType::vaTrue:
            v.kind = TFormValue::Boolean;
            v.Int = t == TValueType::vaTrue;
            break;
        case TValueType::vaInt8:
            setInteger(v, readRaw<qint8>());
            break;
        case TValueType::vaInt16:
            setInteger(v, readRaw<qint16>());
            break;
        case TValueType::vaInt32:
            setInteger(v, readRaw<qint32>());
            break;
        case TValueType::vaInt64:
            setInteger(v, readRaw<qint64>());
            break;
        case TValueType::vaExtended: {
            need(10);
            long double x = 0;
            std::memcpy(&x, FIn.Data(), 10);
            FIn.Skip(10);
            setFloat(v, x, TFormValue::Extended);
            break;
        }
        case TValueType::vaDouble:
            setFloat(v, readRaw<double>(), TFormValue::Double);
            break;
        case TValueType::vaSingle:
            setFloat(v, readRaw<float>(), TFormValue::Single);
            break;
        case TValueType::vaDate:
            setFloat(v, readRaw<double>(), TFormValue::Date);
            break;
        case TValueType::vaCurrency:
            // Kept as its scaled 64-bit integer so that no digit is lost.
            v.kind = TFormValue::Float;
            v.floatKind = TFormValue::Currency;
            v.Int = readRaw<qint64>();
            v.Real = static_cast<long double>(v.Int) / 10000;
            break;
        case TValueType::vaString:
            v.kind = TFormValue::String;
            v.Str = shortString();
            break;
        case TValueType::vaLString:
            readBytes(readLength(), FBytes);
            v.kind = TFormValue::String;
            v.Str = DecodeBytes(FBytes);
            break;
        case TValueType::vaUTF8String:
            readBytes(readLength(), FBytes);
            v.kind = TFormValue::String;
            v.Str = QString::fromUtf8(FBytes);
            break;
        case TValueType::vaWString: {
            const qint64 lengthAt = position();
            const auto n = readRaw<qint32>();
            const qint64 left = FIn.Remaining();
            if (n < 0 || (left >= 0 && left / 2 < n))
                failAt(lengthAt, QStringLiteral("bad wide string length %1").arg(n));
            readBytes(qint64(n) * 2, FBytes);
            v.kind = TFormValue::String;
            v.Str.resize(n);
            std::memcpy(v.Str.data(), FBytes.constData(), std::size_t(n) * 2);
            break;
        }
        case TValueType::vaIdent:
            v.kind = TFormValue::Ident;
            v.Str = shortString();
            if (v.Str.isEmpty())
                fail(QStringLiteral("empty identifier"));
            break;
        case TValueType::vaBinary:
            v.kind = TFormValue::Binary;
            readBytes(readLength(), v.Bytes);
            break;
        case TValueType::vaSet:
            v.kind = TFormValue::Set;
            v.Names.clear();
            for (;;) {
                QString name = shortString();
                if (name.isEmpty())
                    break;
                v.Names.push_back(std::move(name));
            }
            break;
        case TValueType::vaList:
            v.kind = TFormValue::List;
            push(List);
            break;
        case TValueType::vaCollection:
            v.kind = TFormValue::Collection;
            push(Collection);
            break;
        default:
            failAt(at, QStringLiteral("unknown value type %1").arg(int(t)));
        }
    }

    static void setInteger(TFormValue& v, qint64 n) {
        v.kind = TFormValue::Integer;
        v.Int = n;
    }

    static void setFloat(TFormValue& v, long double x, TFormValue::FloatKind kind) {
        v.kind = TFormValue::Float;
        v.floatKind = kind;
        v.Real = x;
    }

    TFormInput& FIn;
    qint64 FOffset;
    std::vector<Frame> FStack;
    bool FDone = false;
    QByteArray FBytes;
};

// The binary object stream written as the events come.
class BinaryWriter final : public TFormEventWriter {
public:
    BinaryWriter(TFormOutput& out, bool resource, QString resourceName)
        : FOut(out.Buffer()), FOutput(out), FResource(resource),
          FResourceName(std::move(resourceName)) {}

    void Write(const TFormEvent& e) override {
        switch (e.kind) {
        case TFormEvent::BeginObject:
            if (FStack.empty())
                begin(e.ClassName);
            else
                endProperties();
            writeObject(e);
            FStack.push_back(Properties);
            break;
        case TFormEvent::EndObject:
            endProperties();
            byte(0);
            FStack.pop_back();
            FOutput.Flush();
            if (FStack.empty())
                end();
            break;
        case TFormEvent::Property:
            if (e.Name.isEmpty())
                throw EWriteError(QStringLiteral("Empty property name"));
            shortString(e.Name);
            value(e.Value);
            break;
        case TFormEvent::Element:
            // A null byte would end the list early.
            if (e.Value.kind == TFormValue::Null)
                throw EWriteError(QStringLiteral("A list cannot hold Null"));
            value(e.Value);
            break;
        case TFormEvent::BeginItem:
            if (e.HasOrder)
                integer(e.Order);
            type(TValueType::vaList);
            FStack.push_back(Open);
            break;
        case TFormEvent::EndList:
        case TFormEvent::EndItem:
        case TFormEvent::EndCollection:
            byte(0);
            FStack.pop_back();
            break;
        }
    }

private:
    enum Frame : std::uint8_t { Properties, Children, Open };

    void begin(const QString& className) {
        if (FResource) {
            // The header's size is known at the end; it is written then.
            FOut += QByteArrayView("\xFF\x0A\x00", 3);
            const QByteArray name =
                (FResourceName.isEmpty() ? className : FResourceName).toUpper().toLatin1();
            if (name.contains('\0'))
                throw EWriteError(QStringLiteral("Invalid resource name"));
            FOut += name;
            FOut += '\0';
            raw(quint16(0x1030));
            FSizeAt = FOutput.Position();
            raw(quint32(0));
        }
        FStart = FOutput.Position();
        FOut.append(FilerSignature, 4);
    }

    void end() {
        if (FResource) {
            const auto size = quint32(FOutput.Position() - FStart);
            FOutput.Patch(FSizeAt, QByteArrayView(reinterpret_cast<const char*>(&size), 4));
        }
        FOutput.Flush(true);
    }

    void endProperties() {
        if (FStack.back() == Properties) {
            byte(0);
            FStack.back() = Children;
        }
    }

    void writeObject(const TFormEvent& e) {
        // A class name of 240 bytes or more starts with a length byte the reader would take for
        // a flags prefix, so it gets an explicit one.
        if (e.ClassName.isEmpty())
            throw EWriteError(QStringLiteral("Object without a class name"));
        if (e.Flags != 0 || utf8Size(e.ClassName) >= 0xF0) {
            byte(0xF0 | e.Flags);
            if (e.Flags & ffChildPos)
                integer(e.ChildPos);
        }
        shortString(e.ClassName);
        shortString(e.Name);
    }

    void byte(int b) { FOut.append(char(b)); }
    void type(TValueType t) { byte(int(t)); }

    template <typename T>
    void raw(T v) {
        FOut.append(reinterpret_cast<const char*>(&v), sizeof(T));
    }

    static bool isAscii(const QString& s) {
        for (const QChar c : s)
            if (c.unicode() >= 128)
                return false;
        return true;
    }

    static qsizetype utf8Size(const QString& s) {
        return isAscii(s) ? s.size() : s.toUtf8().size();
    }

    void shortString(const QString& s) {
        if (isAscii(s) && s.size() <= 255) {
            byte(int(s.size()));
            for (const QChar c : s)
                FOut += char(c.unicode());
            return;
        }
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
        const bool ascii = isAscii(s);
        if (ascii && s.size() <= 255) {
            type(TValueType::vaString);
            shortString(s);
        } else if (ascii) {
            type(TValueType::vaLString);
            raw(qint32(s.size()));
            for (const QChar c : s)
                FOut += char(c.unicode());
        } else {
            type(TValueType::vaWString);
            raw(qint32(s.size()));
            FOut.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        }
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
            FStack.push_back(Open);
            break;
        case TFormValue::Collection:
            type(TValueType::vaCollection);
            FStack.push_back(Open);
            break;
        }
    }

    QByteArray& FOut;
    TFormOutput& FOutput;
    bool FResource;
    QString FResourceName;
    qint64 FSizeAt = 0;
    qint64 FStart = 0;
    std::vector<Frame> FStack;
};

} // namespace

std::unique_ptr<TFormEventReader> NewBinaryFormReader(TFormInput& input, qint64 offset) {
    return std::make_unique<BinaryReader>(input, offset);
}

std::unique_ptr<TFormEventWriter> NewBinaryFormWriter(TFormOutput& output, bool resource,
                                                      const QString& resourceName) {
    return std::make_unique<BinaryWriter>(output, resource, resourceName);
}

TFormObject ReadBinaryForm(QByteArrayView data, qsizetype& pos) {
    TFormInput input(data.sliced(pos));
    BinaryReader reader(input, pos);
    TFormTreeBuilder tree;
    PumpFormEvents(reader, tree);
    pos += qsizetype(input.Position());
    return tree.Take();
}

TFormObject ReadBinaryForm(QByteArrayView data) {
    qsizetype pos = 0;
    TFormObject root = ReadBinaryForm(data, pos);
    // Whatever follows would be lost on the way to any other form.
    if (pos < data.size())
        throw EReadError(QStringLiteral("Error reading object stream at byte %1: %2 bytes follow "
                                        "the root object")
                             .arg(pos)
                             .arg(data.size() - pos));
    return root;
}

void WriteBinaryForm(const TFormObject& root, QByteArray& out) {
    TFormOutput output;
    BinaryWriter writer(output, false, QString());
    WriteFormTree(root, writer);
    out += output.Take();
}

QByteArray WriteBinaryForm(const TFormObject& root) {
    TFormOutput output;
    BinaryWriter writer(output, false, QString());
    WriteFormTree(root, writer);
    return output.Take();
}
