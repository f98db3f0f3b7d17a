#include "ObjectStreams.h"

#include "BinaryForm.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <QIODevice>
#include <cstring>

namespace {

constexpr quint16 ResourceFlags = 0x1030;

void writeAll(QIODevice& output, const QByteArray& data) {
    if (output.write(data) != data.size())
        throw EStreamError(QStringLiteral("Stream write error: %1").arg(output.errorString()));
}

// Leaves a random-access input just past what was consumed, as a stream reader would.
void rewindUnused(QIODevice& input, qsizetype unused) {
    if (unused > 0 && !input.isSequential())
        input.seek(input.pos() - unused);
}

} // namespace

TFormFileFormat DetectFormFileFormat(const QByteArray& head) {
    if (head.startsWith(QByteArrayLiteral("\xFF\x0A\x00")))
        return TFormFileFormat::Resource;
    if (head.startsWith(QByteArray(FilerSignature, 4)))
        return TFormFileFormat::Binary;
    QByteArrayView text(head);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    text = text.trimmed();
    for (const char* kw : {"object", "inherited", "inline"}) {
        const auto n = qsizetype(std::strlen(kw));
        if (text.size() > n &&
            QByteArrayView(text.data(), n).compare(kw, Qt::CaseInsensitive) == 0 &&
            static_cast<unsigned char>(text[n]) <= 32)
            return TFormFileFormat::Text;
    }
    return TFormFileFormat::Unknown;
}

QByteArray ObjectBinaryToText(const QByteArray& binary) {
    return WriteTextForm(ReadBinaryForm(binary));
}

QByteArray ObjectTextToBinary(const QByteArray& text) {
    return WriteBinaryForm(ReadTextForm(text));
}

QByteArray WrapResource(const QByteArray& objectStream, const QString& resourceName) {
    QByteArray out("\xFF\x0A\x00", 3);
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
    if (!resource.startsWith(QByteArrayLiteral("\xFF\x0A\x00")))
        throw EReadError(
            QStringLiteral("Error reading form resource at byte 0: resource header expected"));
    const auto nameEnd = resource.indexOf('\0', 3);
    if (nameEnd < 0 || resource.size() - (nameEnd + 1) < 6)
        throw EReadError(
            QStringLiteral("Error reading form resource at byte 3: truncated resource header"));
    if (resourceName)
        *resourceName = QString::fromLatin1(resource.mid(3, nameEnd - 3));
    quint32 size = 0;
    std::memcpy(&size, resource.constData() + nameEnd + 3, 4);
    const auto dataAt = nameEnd + 7;
    if (size > quint32(resource.size() - dataAt))
        throw EReadError(
            QStringLiteral("Error reading form resource at byte %1: size %2 exceeds the "
                           "%3 bytes left")
                .arg(nameEnd + 3)
                .arg(size)
                .arg(resource.size() - dataAt));
    return resource.mid(dataAt, size);
}

QByteArray ObjectResourceToText(const QByteArray& resource) {
    return ObjectBinaryToText(UnwrapResource(resource));
}

QByteArray ObjectTextToResource(const QByteArray& text) {
    const TFormObject root = ReadTextForm(text);
    return WrapResource(WriteBinaryForm(root), root.ClassName);
}

QByteArray FormFileToText(const QByteArray& data) {
    switch (DetectFormFileFormat(data.left(64))) {
    case TFormFileFormat::Resource:
        return ObjectResourceToText(data);
    case TFormFileFormat::Binary:
        return ObjectBinaryToText(data);
    case TFormFileFormat::Text:
        return WriteTextForm(ReadTextForm(data));
    case TFormFileFormat::Unknown:
        break;
    }
    throw EReadError(QStringLiteral("Not a form file: neither text, binary nor resource form"));
}

QByteArray TextToFormFile(const QByteArray& text, TFormFileFormat format) {
    switch (format) {
    case TFormFileFormat::Binary:
        return ObjectTextToBinary(text);
    case TFormFileFormat::Resource:
        return ObjectTextToResource(text);
    case TFormFileFormat::Text:
        return WriteTextForm(ReadTextForm(text));
    case TFormFileFormat::Unknown:
        break;
    }
    throw EWriteError(QStringLiteral("No form file format given"));
}

void ObjectBinaryToText(QIODevice& input, QIODevice& output) {
    const QByteArray data = input.readAll();
    qsizetype pos = 0;
    const TFormObject root = ReadBinaryForm(data, pos);
    rewindUnused(input, data.size() - pos);
    writeAll(output, WriteTextForm(root));
}

void ObjectBinaryToText(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format) {
    ObjectBinaryToText(input, output);
    format = sofBinary;
}

void ObjectTextToBinary(QIODevice& input, QIODevice& output) {
    writeAll(output, ObjectTextToBinary(input.readAll()));
}

void ObjectTextToBinary(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format) {
    ObjectTextToBinary(input, output);
    format = sofText;
}

void ObjectResourceToText(QIODevice& input, QIODevice& output) {
    const QByteArray data = input.readAll();
    const QByteArray stream = UnwrapResource(data);
    writeAll(output, ObjectBinaryToText(stream));
}

void ObjectResourceToText(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format) {
    ObjectResourceToText(input, output);
    format = sofBinary;
}

void ObjectTextToResource(QIODevice& input, QIODevice& output) {
    writeAll(output, ObjectTextToResource(input.readAll()));
}

void ObjectTextToResource(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format,
                          const QString& resourceName) {
    const TFormObject root = ReadTextForm(input.readAll());
    const QString name = resourceName.isEmpty() ? root.ClassName : resourceName;
    writeAll(output, WrapResource(WriteBinaryForm(root), name));
    // The format describes the text that was read; a caller may already know it.
    if (format == sofUnknown)
        format = sofText;
}
