#pragma once

// A form file as lines of text, for tools that change a form file line by line and must leave
// everything else as it was. A text form is read as it is stored: its encoding (TextEncoding.h)
// and the line end of each line (LF, CR LF, CR alone, or none after a last line) are kept, so
// that writing it back gives the very same bytes for every line that was not edited, in files
// with mixed line ends too. A binary or resource form is read through the converters (plain
// ASCII lines ending in LF) and written back in the form it was stored in. Edits go through
// SetLine, InsertLine and RemoveLine, which keep each line's end with its line. The text is
// checked to parse before it is ever turned into bytes.

#include "ObjectStreams.h"
#include "TextEncoding.h"

#include <QList>
#include <QStringList>

enum class TLineEnd : quint8 { None, Lf, CrLf, Cr };

class TFormFileText {
public:
    // A text form of no lines, in UTF-8.
    TFormFileText() = default;
    // A UTF-8 text form of `lines`, each ending in LF.
    explicit TFormFileText(const QStringList& lines);

    // The lines of the form file `data`, in whichever form it is stored. Raises EReadError for
    // bytes that are no form file and the converters' errors for a binary form that does not
    // read; a text form is not parsed here.
    static TFormFileText FromBytes(const QByteArray& data);
    // The same for the file `fileName`; raises EStreamError when it cannot be read.
    static TFormFileText FromFile(const QString& fileName);

    TFormFileFormat Format() const { return FFormat; }
    // How the text is to be stored when it is written.
    void SetFormat(TFormFileFormat format) { FFormat = format; }
    TTextEncoding Encoding() const { return FEncoding; }

    int Count() const { return int(FLines.size()); }
    const QStringList& Lines() const { return FLines; }
    const QString& Line(int index) const { return FLines[index]; }
    TLineEnd LineEnd(int index) const { return FEnds[index]; }

    // Replaces the text of a line; its line end stays.
    void SetLine(int index, const QString& text);
    // Inserts a line before `index` (Count() appends) with the line end of its neighbours; a
    // text without a final line break keeps having none.
    void InsertLine(int index, const QString& text);
    // Removes a line with its line end. Removing a last line that has no line end takes the end
    // of the line before it too, so a text without a final line break keeps having none.
    void RemoveLine(int index);

    // The bytes of the form file, stored as Format() says. Raises EParserError, naming the line
    // and column, when the text does not parse, and EConvertError when a line holds a character
    // the text's encoding cannot hold.
    QByteArray ToBytes() const;
    // Writes ToBytes() through WriteFileAtomic: on any error the file is left as it was.
    void WriteToFile(const QString& fileName) const;

private:
    TLineEnd usualEnd(int index) const;
    QString text() const;

    QStringList FLines;
    QList<TLineEnd> FEnds;
    TFormFileFormat FFormat = TFormFileFormat::Text;
    TTextEncoding FEncoding = TTextEncoding::Utf8;
};
