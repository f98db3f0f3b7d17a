#pragma once

// Text files that other tools write (form texts, units): UTF-8, with or without a byte order
// mark, or else the 8-bit Windows-1252 code page. Bytes that are valid UTF-8 are read as UTF-8;
// any others as Windows-1252, losslessly: the five bytes the code page leaves undefined stand for
// U+0081, U+008D, U+008F, U+0090 and U+009D; a byte order mark before such bytes is read as three
// characters of the code page too. Written back in the encoding it was read in, a text gives the
// same bytes again.

#include <QByteArrayView>
#include <QString>

enum class TTextEncoding : quint8 { Utf8, Utf8Bom, Windows1252 };

// Decodes `data` (a byte order mark is not part of the text); `encoding`, when given, receives
// the encoding it was read in.
QString DecodeText(QByteArrayView data, TTextEncoding* encoding = nullptr);

// The same for an 8-bit string of a form: every byte is kept, a leading byte order mark too.
QString DecodeBytes(QByteArrayView data);
// `data` read in the encoding given (a byte order mark is a character here).
QString DecodeWith(QByteArrayView data, TTextEncoding encoding);

// Checks bytes for UTF-8 a piece at a time, as they are read.
class TUtf8Check {
public:
    // False once the bytes so far are no UTF-8.
    bool Feed(QByteArrayView bytes);
    // Whether all the bytes fed were UTF-8, none left halfway through a character.
    bool Finish() const { return FValid && FNeed == 0; }

private:
    bool FValid = true;
    int FNeed = 0;
    unsigned char FLow = 0x80;
    unsigned char FHigh = 0xBF;
};

// The position of the first character of `text` that `encoding` cannot hold, or -1. UTF-8 holds
// everything but half a surrogate pair.
qsizetype FindUnencodable(QStringView text, TTextEncoding encoding);

// "U+1F600": the character at `at`, as messages name it.
QString CodePointName(QStringView text, qsizetype at);

// `text` in `encoding`, with the byte order mark of Utf8Bom. Raises EConvertError naming the
// first character the encoding cannot hold, rather than write something else in its place.
QByteArray EncodeText(QStringView text, TTextEncoding encoding);
