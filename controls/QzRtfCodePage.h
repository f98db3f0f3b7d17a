#pragma once

// The code pages of rich text: Windows-1252, which every document is written in, and the pages
// a text or its fonts' character sets name, which the reader decodes.

#include <QByteArrayView>
#include <QString>
#include <map>
#include <memory>

class QStringDecoder;

// The Windows-1252 byte of `c`, or -1 when that code page has no byte for it.
int QzRtfToCp1252(char16_t c);

// The code page a font's character set implies; `ansi` for the default set and unknown ones.
int QzRtfCodePageOfCharset(int charset, int ansi);

// Decoders of the code pages a text names, made on first use. Windows-1252 and any page the
// platform does not know are read as Windows-1252.
class TQzRtfCodePages {
public:
    TQzRtfCodePages();
    ~TQzRtfCodePages();
    QString Decode(int codePage, QByteArrayView bytes);

private:
    static std::unique_ptr<QStringDecoder> makeDecoder(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> FDecoders;
};
