#include "TextEncoding.h"

#include "SysUtils.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace {

const QByteArrayView Bom("\xEF\xBB\xBF");

// Windows-1252 for the bytes 0x80..0x9F; the undefined ones stand for themselves.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of `c`, or -1.
int windows1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    const auto* at = std::find(std::begin(HighControls), std::end(HighControls), c);
    return at == std::end(HighControls) ? -1 : int(0x80 + (at - std::begin(HighControls)));
}

QString decodeWindows1252(QByteArrayView data) {
    QString text(data.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : data) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = b >= 0x80 && b < 0xA0 ? HighControls[b - 0x80] : char16_t(b);
    }
    return text;
}

QString encodingName(TTextEncoding encoding) {
    return encoding == TTextEncoding::Windows1252 ? QStringLiteral("Windows-1252")
                                                  : QStringLiteral("UTF-8");
}

} // namespace

QString CodePointName(QStringView text, qsizetype at) {
    const char32_t code =
        text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()
            ? QChar::surrogateToUcs4(text[at], text[at + 1])
            : text[at].unicode();
    return QStringLiteral("U+%1").arg(QString::number(code, 16).toUpper(), 4, u'0');
}

namespace {

// UTF-8 when `data` is valid UTF-8, else Windows-1252; a byte order mark is a character here.
QString decodeBytes(QByteArrayView data, bool& windows1252) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(data);
    windows1252 = utf8.hasError();
    return windows1252 ? decodeWindows1252(data) : text;
}

} // namespace

QString DecodeText(QByteArrayView data, TTextEncoding* encoding) {
    const bool bom = data.startsWith(Bom);
    bool windows1252 = false;
    QString text = decodeBytes(bom ? data.sliced(Bom.size()) : data, windows1252);
    // A mark before bytes that are no UTF-8 is three characters of the code page.
    if (windows1252 && bom)
        text = decodeWindows1252(data);
    if (encoding)
        *encoding = windows1252 ? TTextEncoding::Windows1252
                    : bom       ? TTextEncoding::Utf8Bom
                                : TTextEncoding::Utf8;
    return text;
}

QString DecodeWith(QByteArrayView data, TTextEncoding encoding) {
    if (encoding == TTextEncoding::Windows1252)
        return decodeWindows1252(data);
    return QString::fromUtf8(data);
}

bool TUtf8Check::Feed(QByteArrayView bytes) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    while (FValid && at != end) {
        if (FNeed == 0) {
            // Plain ASCII eight bytes at a time.
            while (end - at >= 8) {
                quint64 word;
                std::memcpy(&word, at, 8);
                if (word & 0x8080808080808080ull)
                    break;
                at += 8;
            }
            if (at == end)
                break;
            const unsigned char b = *at++;
            if (b < 0x80)
                continue;
            FLow = 0x80;
            FHigh = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                FNeed = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                FNeed = 2;
                FLow = b == 0xE0 ? 0xA0 : 0x80;
                FHigh = b == 0xED ? 0x9F : 0xBF;
            } else if (b >= 0xF0 && b <= 0xF4) {
                FNeed = 3;
                FLow = b == 0xF0 ? 0x90 : 0x80;
                FHigh = b == 0xF4 ? 0x8F : 0xBF;
            } else {
                FValid = false;
            }
            continue;
        }
        const unsigned char b = *at++;
        if (b < FLow || b > FHigh) {
            FValid = false;
            break;
        }
        FLow = 0x80;
        FHigh = 0xBF;
        --FNeed;
    }
    return FValid;
}

QString DecodeBytes(QByteArrayView data) {
    bool windows1252 = false;
    return decodeBytes(data, windows1252);
}

qsizetype FindUnencodable(QStringView text, TTextEncoding encoding) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (encoding == TTextEncoding::Windows1252) {
            if (windows1252Byte(c.unicode()) < 0)
                return i;
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            return i;
        }
    }
    return -1;
}

QByteArray EncodeText(QStringView text, TTextEncoding encoding) {
    if (const qsizetype at = FindUnencodable(text, encoding); at >= 0)
        throw EConvertError(
            QStringLiteral("The character %1 at position %2 cannot be written in %3")
                .arg(CodePointName(text, at))
                .arg(at + 1)
                .arg(encodingName(encoding)));
    if (encoding != TTextEncoding::Windows1252)
        return (encoding == TTextEncoding::Utf8Bom ? Bom.toByteArray() : QByteArray()) +
               text.toUtf8();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text)
        *out++ = char(windows1252Byte(c.unicode()));
    return bytes;
}
