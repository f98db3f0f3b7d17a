#include "ObjectStreams.h"

#include "BinaryForm.h"
#include "FormEvents.h"
#include "FormInput.h"
#include "SysUtils.h"
#include "TextEncoding.h"
#include "TextForm.h"

#include <QIODevice>
#include <cstring>
#include <optional>

namespace {

constexpr quint16 ResourceFlags = 0x1030;
const QByteArrayView ResourceHeader("\xFF\x0A\x00", 3);
const QByteArrayView Bom("\xEF\xBB\xBF");

[[noreturn]] void failResource(qint64 at, const QString& what) {
    throw EReadError(
        QStringLiteral("Error reading form resource at byte %1: %2").arg(at).arg(what));
}

// The resource header in front of an object stream: the name and the stream's size.
struct TResourceHeader {
    QString Name;
    quint32 Size = 0;
    qint64 DataAt = 0;
};

TResourceHeader readResourceHeader(TFormInput& in) {
    if (!in.Ensure(3) || QByteArrayView(in.Data(), 3) != ResourceHeader)
        failResource(in.Position(), QStringLiteral("resource header expected"));
    in.Skip(3);
    QByteArray name;
    while (in.Ensure(1) && in.Peek() != 0) {
        name += char(in.Peek());
        in.Skip(1);
    }
    if (!in.Ensure(7))
        failResource(3, QStringLiteral("truncated resource header"));
    in.Skip(1);
    TResourceHeader header;
    header.Name = QString::fromLatin1(name);
    const qint64 sizeAt = in.Position() + 2;
    std::memcpy(&header.Size, in.Data() + 2, 4);
    in.Skip(6);
    header.DataAt = in.Position();
    const qint64 left = in.Remaining();
    if (left >= 0 && header.Size > left)
        failResource(
            sizeAt, QStringLiteral("size %1 exceeds the %2 bytes left").arg(header.Size).arg(left));
    return header;
}

// Reads one form stored as `from` and writes it as `to`. With `whole`, the input must end with
// the form: nothing but blanks after a text form, nothing at all after a binary one.
void convert(TFormInput& in, TFormFileFormat from, std::optional<TTextEncoding> encoding,
             TFormOutput& out, TFormFileFormat to, bool whole,
             const QString& resourceName = QString()) {
    std::unique_ptr<TFormEventReader> reader;
    std::optional<TResourceHeader> resource;
    switch (from) {
    case TFormFileFormat::Text:
        reader = NewTextFormReader(in, encoding.value_or(TTextEncoding::Utf8));
        break;
    case TFormFileFormat::Binary:
        reader = NewBinaryFormReader(in, 0);
        break;
    case TFormFileFormat::Resource:
        resource = readResourceHeader(in);
        // Offsets in the stream count from its start, as for a bare binary form.
        reader = NewBinaryFormReader(in, -resource->DataAt);
        break;
    case TFormFileFormat::Unknown:
        throw EReadError(QStringLiteral("Not a form file: neither text, binary nor resource form"));
    }
    std::unique_ptr<TFormEventWriter> writer;
    if (to == TFormFileFormat::Text)
        writer = NewTextFormWriter(out);
    else if (to == TFormFileFormat::Binary || to == TFormFileFormat::Resource)
        writer = NewBinaryFormWriter(out, to == TFormFileFormat::Resource, resourceName);
    else
        throw EWriteError(QStringLiteral("No form file format given"));
    PumpFormEvents(*reader, *writer);

    if (resource) {
        const qint64 used = in.Position() - resource->DataAt;
        if (used > resource->Size)
            throw EReadError(QStringLiteral("Error reading object stream at byte %1: unexpected "
                                            "end of stream")
                                 .arg(resource->Size));
        if (used < resource->Size)
            throw EReadError(QStringLiteral("Error reading object stream at byte %1: %2 bytes "
                                            "follow the root object")
                                 .arg(used)
                                 .arg(resource->Size - used));
    }
    if (!whole || from == TFormFileFormat::Text)
        return;
    // Whatever follows would be lost on the way to any other form.
    const qint64 at = in.Position();
    qint64 left = 0;
    while (in.Ensure(1)) {
        left += in.Available();
        in.Skip(in.Available());
    }
    if (left == 0)
        return;
    if (resource)
        failResource(at, QStringLiteral("%1 bytes follow the object stream of %2 bytes")
                             .arg(left)
                             .arg(resource->Size));
    throw EReadError(QStringLiteral("Error reading object stream at byte %1: %2 bytes follow the "
                                    "root object")
                         .arg(at)
                         .arg(left));
}

QByteArray convertBytes(QByteArrayView data, TFormFileFormat from, TFormFileFormat to) {
    TFormInput in(data);
    TFormOutput out;
    convert(in, from, from == TFormFileFormat::Text ? TextFormEncoding(data) : TTextEncoding::Utf8,
            out, to, true);
    return out.Take();
}

// What a device holds, found without consuming it: a binary or resource form by its first
// bytes; a text form by its first word, after a byte order mark and blank lines. For a text
// form the whole input is read through once for its encoding, and rewound.
TFormFileFormat detect(QIODevice& device, TTextEncoding& encoding) {
    const QByteArray head = device.peek(4);
    if (head.startsWith(ResourceHeader.toByteArray()) ||
        head.startsWith(QByteArray(FilerSignature, 4)))
        return DetectFormFileFormat(head);
    const qint64 start = device.pos();
    TUtf8Check check;
    QByteArray first; // the first word after blanks
    bool firstDone = false;
    bool atStart = true;
    QByteArray chunk;
    for (;;) {
        chunk = device.read(1024 * 1024);
        if (chunk.isEmpty())
            break;
        QByteArrayView view(chunk);
        if (atStart && view.startsWith(Bom))
            view = view.sliced(Bom.size());
        atStart = false;
        check.Feed(view);
        for (qsizetype i = 0; i < view.size() && !firstDone; ++i) {
            const auto c = static_cast<unsigned char>(view[i]);
            if (c > 32)
                first += char(c);
            else if (!first.isEmpty())
                firstDone = true;
            firstDone = firstDone || first.size() > 16;
        }
    }
    device.seek(start);
    encoding = check.Finish() ? TTextEncoding::Utf8 : TTextEncoding::Windows1252;
    return DetectFormFileFormat(first + ' ');
}

} // namespace

TFormFileFormat DetectFormFileFormat(QByteArrayView data) {
    if (data.startsWith(ResourceHeader))
        return TFormFileFormat::Resource;
    if (data.startsWith(QByteArrayView(FilerSignature, 4)))
        return TFormFileFormat::Binary;
    QByteArrayView text(data);
    if (text.startsWith(Bom))
        text = text.sliced(3);
    // However many blank lines come first.
    qsizetype at = 0;
    while (at < text.size() && static_cast<unsigned char>(text[at]) <= 32)
        ++at;
    text = text.sliced(at);
    for (const char* kw : {"object", "inherited", "inline"}) {
        const auto n = qsizetype(std::strlen(kw));
        if (text.size() > n && text.first(n).compare(kw, Qt::CaseInsensitive) == 0 &&
            static_cast<unsigned char>(text[n]) <= 32)
            return TFormFileFormat::Text;
    }
    return TFormFileFormat::Unknown;
}

QByteArray ObjectBinaryToText(const QByteArray& binary) {
    return convertBytes(binary, TFormFileFormat::Binary, TFormFileFormat::Text);
}

QByteArray ObjectTextToBinary(const QByteArray& text) {
    return convertBytes(text, TFormFileFormat::Text, TFormFileFormat::Binary);
}

QByteArray ObjectResourceToText(const QByteArray& resource) {
    return convertBytes(resource, TFormFileFormat::Resource, TFormFileFormat::Text);
}

QByteArray ObjectTextToResource(const QByteArray& text) {
    return convertBytes(text, TFormFileFormat::Text, TFormFileFormat::Resource);
}

QByteArray WrapResource(const QByteArray& objectStream, const QString& resourceName) {
    QByteArray out = ResourceHeader.toByteArray();
    const QByteArray name = resourceName.toUpper().toLatin1();
    if (name.contains('\0'))
        throw EWriteError(QStringLiteral("Invalid resource name"));
    out += name;
    out += '\0';
    out.append(reinterpret_cast<const char*>(&ResourceFlags), 2);
    const quint32 size = quint32(objectStream.size());
    out.append(reinterpret_cast<const char*>(&size), 4);
    out += objectStream;
    return out;
}

QByteArray UnwrapResource(const QByteArray& resource, QString* resourceName) {
    TFormInput in(resource);
    const TResourceHeader header = readResourceHeader(in);
    if (header.Size < quint32(resource.size() - header.DataAt))
        failResource(header.DataAt + header.Size,
                     QStringLiteral("%1 bytes follow the object stream of %2 bytes")
                         .arg(resource.size() - header.DataAt - header.Size)
                         .arg(header.Size));
    if (resourceName)
        *resourceName = header.Name;
    return resource.mid(header.DataAt, header.Size);
}

QByteArray FormFileToText(const QByteArray& data) {
    return convertBytes(data, DetectFormFileFormat(data), TFormFileFormat::Text);
}

QByteArray TextToFormFile(const QByteArray& text, TFormFileFormat format) {
    if (format == TFormFileFormat::Unknown)
        throw EWriteError(QStringLiteral("No form file format given"));
    return convertBytes(text, TFormFileFormat::Text, format);
}

void ConvertFormFile(QIODevice& input, QIODevice& output, TFormFileFormat to) {
    // A pipe cannot be read twice; what comes from one is held.
    QByteArray held;
    TFormFileFormat from;
    TTextEncoding encoding = TTextEncoding::Utf8;
    if (input.isSequential()) {
        held = input.readAll();
        from = DetectFormFileFormat(held);
        encoding = TextFormEncoding(held);
    } else {
        from = detect(input, encoding);
    }
    std::optional<TFormInput> in;
    if (input.isSequential())
        in.emplace(QByteArrayView(held));
    else
        in.emplace(input);
    // The resource header's size is written last: only a random-access output goes back to it.
    if (to == TFormFileFormat::Resource && output.isSequential()) {
        TFormOutput out;
        convert(*in, from, encoding, out, to, true);
        const QByteArray bytes = out.Take();
        if (output.write(bytes) != bytes.size())
            throw EWriteError(QStringLiteral("Stream write error: %1").arg(output.errorString()));
        return;
    }
    TFormOutput out(output);
    convert(*in, from, encoding, out, to, true);
}

void ObjectBinaryToText(QIODevice& input, QIODevice& output) {
    TFormInput in(input);
    TFormOutput out(output);
    convert(in, TFormFileFormat::Binary, std::nullopt, out, TFormFileFormat::Text, false);
    // A random-access input is left just past the object, as a stream reader would.
    in.GiveBackUnread();
}

void ObjectBinaryToText(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format) {
    ObjectBinaryToText(input, output);
    format = sofBinary;
}

void ObjectTextToBinary(QIODevice& input, QIODevice& output) {
    const QByteArray text = input.readAll();
    TFormInput in(text);
    TFormOutput out(output);
    convert(in, TFormFileFormat::Text, TextFormEncoding(text), out, TFormFileFormat::Binary, true);
}

void ObjectTextToBinary(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format) {
    ObjectTextToBinary(input, output);
    format = sofText;
}

void ObjectResourceToText(QIODevice& input, QIODevice& output) {
    TFormInput in(input);
    TFormOutput out(output);
    convert(in, TFormFileFormat::Resource, std::nullopt, out, TFormFileFormat::Text, true);
}

void ObjectResourceToText(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format) {
    ObjectResourceToText(input, output);
    format = sofBinary;
}

void ObjectTextToResource(QIODevice& input, QIODevice& output) {
    TStreamOriginalFormat format = sofUnknown;
    ObjectTextToResource(input, output, format);
}

void ObjectTextToResource(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format,
                          const QString& resourceName) {
    const QByteArray text = input.readAll();
    TFormInput in(text);
    TFormOutput out;
    convert(in, TFormFileFormat::Text, TextFormEncoding(text), out, TFormFileFormat::Resource, true,
            resourceName);
    const QByteArray bytes = out.Take();
    if (output.write(bytes) != bytes.size())
        throw EStreamError(QStringLiteral("Stream write error: %1").arg(output.errorString()));
    // The format describes the text that was read; a caller may already know it.
    if (format == sofUnknown)
        format = sofText;
}
