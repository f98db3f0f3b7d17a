#include "controls/QzRtfCodePage.h"

#include <QByteArrayList>
#include <QStringDecoder>
#include <map>

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined stand for themselves, as
// elsewhere in the library.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto byte = uchar(b);
        text += byte >= 0x80 && byte < 0xA0 ? QChar(cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

} // namespace

int QzRtfCodePageOfCharset(int charset, int ansi) {
    static const std::map<int, int> pages{
        {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
        {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {255, 437}};
    const auto it = pages.find(charset);
    return it == pages.end() ? ansi : it->second;
}

int QzRtfToCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (cp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

TQzRtfCodePages::TQzRtfCodePages() = default;
TQzRtfCodePages::~TQzRtfCodePages() = default;

QString TQzRtfCodePages::Decode(int codePage, QByteArrayView bytes) {
    if (codePage == 1252)
        return fromCp1252(bytes);
    auto it = FDecoders.find(codePage);
    if (it == FDecoders.end())
        it = FDecoders.emplace(codePage, makeDecoder(codePage)).first;
    if (!it->second)
        return fromCp1252(bytes);
    QString text = it->second->decode(bytes);
    it->second->resetState();
    return text;
}

std::unique_ptr<QStringDecoder> TQzRtfCodePages::makeDecoder(int codePage) {
    const QByteArray number = QByteArray::number(codePage);
    QList<QByteArray> names{"windows-" + number, "cp" + number, "IBM" + number};
    if (codePage == 10000)
        names.prepend("macintosh");
    for (const QByteArray& name : names) {
        auto decoder = std::make_unique<QStringDecoder>(name.constData());
        if (decoder->isValid())
            return decoder;
    }
    return nullptr;
}
