#include "QzPkgFile.h"

#include "QzExcept.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>

namespace {

constexpr char Magic[4] = {'Q', 'Z', 'P', 'K'};
// magic, kind, version, description length
constexpr qsizetype FixedHeader = 4 + 1 + 2 + 4;
// content length and checksum after the description
constexpr qsizetype ContentHeader = 4 + 4;
constexpr quint32 MaxDescription = 64 * 1024;

} // namespace

quint32 QzCrc32(QByteArrayView data) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data)
        crc = table[(crc ^ static_cast<quint8>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

namespace {

template <typename T>
T readLE(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void appendLE(QByteArray& out, T v) {
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

[[noreturn]] void fail(const QString& fileName, const QString& problem) {
    QzExcept(QStringLiteral("Cannot read package file \"%1\": %2").arg(fileName, problem));
}

// Checks the fixed part, the description and the name; returns the offset after them.
qsizetype parseHeader(const QByteArray& bytes, const QString& fileName, TQzPkgFileHeader& header) {
    if (bytes.size() < 4 || std::memcmp(bytes.constData(), Magic, 4) != 0)
        fail(fileName, QStringLiteral("it is not a package file"));
    if (bytes.size() < FixedHeader)
        fail(fileName, QStringLiteral("the file is truncated"));
    const auto kind = static_cast<quint8>(bytes[4]);
    if (kind < 1 || kind > 7)
        fail(fileName, QStringLiteral("unknown package kind %1").arg(kind));
    header.Kind = static_cast<TQzPkgKind>(kind);
    header.Version = readLE<quint16>(bytes.constData() + 5);
    if (header.Version == 0 || header.Version > QzPkgFormatVersion)
        fail(fileName, QStringLiteral("format version %1 is newer than this library reads (%2)")
                           .arg(header.Version)
                           .arg(QzPkgFormatVersion));
    qsizetype at = FixedHeader - 4;
    for (QString* text : {&header.Description, &header.Name}) {
        if (bytes.size() - at < 4)
            fail(fileName, QStringLiteral("the file is truncated"));
        const auto length = readLE<quint32>(bytes.constData() + at);
        if (length > MaxDescription)
            fail(fileName,
                 QStringLiteral("the text length %1 in the header is not plausible").arg(length));
        at += 4;
        if (bytes.size() - at < qsizetype(length))
            fail(fileName, QStringLiteral("the file is truncated"));
        *text = QString::fromUtf8(bytes.constData() + at, length);
        at += length;
    }
    return at;
}

QString description(const QString& fileName, TQzPkgKind kind) {
    try {
        const TQzPkgFileHeader header = QzReadPkgFileHeader(fileName);
        return header.Kind == kind ? header.Description : QString();
    } catch (const EQzError&) {
        return QString();
    }
}

} // namespace

QString QzPkgKindName(TQzPkgKind kind) {
    switch (kind) {
    case TQzPkgKind::Strings:
        return QStringLiteral("strings");
    case TQzPkgKind::Images:
        return QStringLiteral("images");
    case TQzPkgKind::Vars:
        return QStringLiteral("vars");
    case TQzPkgKind::Privileges:
        return QStringLiteral("privileges");
    case TQzPkgKind::Display:
        return QStringLiteral("display");
    case TQzPkgKind::Language:
        return QStringLiteral("language");
    case TQzPkgKind::Setup:
        return QStringLiteral("setup");
    }
    return QString();
}

QString QzPkgKindWithArticle(TQzPkgKind kind) {
    const QString name = QzPkgKindName(kind);
    const bool vowel = QStringLiteral("aeiou").contains(name.front());
    return (vowel ? QStringLiteral("an ") : QStringLiteral("a ")) + name +
           QStringLiteral(" package");
}

bool QzPkgKindFromName(const QString& name, TQzPkgKind& kind) {
    for (int k = 1; k <= 7; ++k) {
        if (QzPkgKindName(TQzPkgKind(k)).compare(name, Qt::CaseInsensitive) == 0) {
            kind = TQzPkgKind(k);
            return true;
        }
    }
    return false;
}

QByteArray QzBuildPkgFile(const TQzPkgFileHeader& header, const QByteArray& content) {
    const QByteArray description = header.Description.toUtf8();
    const QByteArray name = header.Name.toUtf8();
    if (description.size() > qsizetype(MaxDescription) || name.size() > qsizetype(MaxDescription))
        QzExcept(QStringLiteral("A package description or name is longer than %1 bytes")
                     .arg(MaxDescription));
    QByteArray out;
    out.reserve(FixedHeader + description.size() + 4 + name.size() + ContentHeader +
                content.size());
    out.append(Magic, 4);
    out.append(char(header.Kind));
    appendLE<quint16>(out, header.Version);
    for (const QByteArray* text : {&description, &name}) {
        appendLE<quint32>(out, quint32(text->size()));
        out += *text;
    }
    appendLE<quint32>(out, quint32(content.size()));
    appendLE<quint32>(out, QzCrc32(content));
    out += content;
    return out;
}

TQzPkgFileContents QzParsePkgFile(QByteArray bytes, const QString& fileName) {
    TQzPkgFileContents result;
    const qsizetype at = parseHeader(bytes, fileName, result.Header);
    if (bytes.size() - at < ContentHeader)
        fail(fileName, QStringLiteral("the file is truncated"));
    const auto length = readLE<quint32>(bytes.constData() + at);
    const auto checksum = readLE<quint32>(bytes.constData() + at + 4);
    const qsizetype contentAt = at + ContentHeader;
    if (bytes.size() - contentAt < qsizetype(length))
        fail(fileName, QStringLiteral("the file is truncated"));
    if (bytes.size() - contentAt > qsizetype(length))
        fail(fileName, QStringLiteral("the file has %1 unexpected bytes at its end")
                           .arg(bytes.size() - contentAt - length));
    // The content is the rest of the bytes: taken without a copy when nobody else holds them.
    result.Content = std::move(bytes);
    result.Content.remove(0, contentAt);
    if (QzCrc32(result.Content) != checksum)
        fail(fileName, QStringLiteral("the file is damaged (checksum mismatch)"));
    return result;
}

TQzPkgFileHeader QzReadPkgFileHeader(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fail(fileName, file.errorString());
    // Only as far as the two texts reach: the content is never read here.
    QByteArray head = file.read(FixedHeader);
    for (int text = 0; text < 2 && head.size() >= 4; ++text) {
        const auto length = readLE<quint32>(head.constData() + head.size() - 4);
        if (length > MaxDescription)
            break;
        head += file.read(length);
        if (text == 0)
            head += file.read(4);
    }
    TQzPkgFileHeader header;
    parseHeader(head, fileName, header);
    return header;
}

TQzPkgFileContents QzLoadPkgFile(const QString& fileName, TQzPkgKind kind) {
    QFile file(fileName);
    if (!file.exists())
        fail(fileName, QStringLiteral("the file does not exist"));
    if (!file.open(QIODevice::ReadOnly))
        fail(fileName, file.errorString());
    TQzPkgFileContents contents = QzParsePkgFile(file.readAll(), fileName);
    if (contents.Header.Kind != kind)
        fail(fileName, QStringLiteral("it holds %1, not %2")
                           .arg(QzPkgKindWithArticle(contents.Header.Kind),
                                QzPkgKindWithArticle(kind)));
    return contents;
}

QString QzReadPkgStringsDescription(const QString& f) {
    return description(f, TQzPkgKind::Strings);
}
QString QzReadPkgImagesDescription(const QString& f) {
    return description(f, TQzPkgKind::Images);
}
QString QzReadPkgVarsDescription(const QString& f) {
    return description(f, TQzPkgKind::Vars);
}
QString QzReadPkgAccessDescription(const QString& f) {
    return description(f, TQzPkgKind::Privileges);
}
QString QzReadPkgDisplayDescription(const QString& f) {
    return description(f, TQzPkgKind::Display);
}
QString QzReadPkgLanguageDescription(const QString& f) {
    return description(f, TQzPkgKind::Language);
}
QString QzReadPkgSetupDescription(const QString& f) {
    return description(f, TQzPkgKind::Setup);
}
