#pragma once

// The text form of an object stream: "object Name: TClass" blocks with "Name = value" lines.
// The writer emits plain ASCII (other characters as #nnn codes) so the text survives any editor;
// the parser reports the line and column of the first thing it cannot read.

#include "FormData.h"
#include "TextEncoding.h"

#include <memory>

class TFormEventReader;
class TFormEventWriter;
class TFormInput;
class TFormOutput;

#include <QByteArrayView>
#include <QList>

QByteArray WriteTextForm(const TFormObject& root);
// The writer behind it, taking events (FormEvents.h).
std::unique_ptr<TFormEventWriter> NewTextFormWriter(TFormOutput& output);

// A string as the text form writes it: printable ASCII in quotes, other characters as #nnn.
QByteArray QuoteFormString(QStringView s);
// A string value as the writer lays it out: one quoted piece for up to 64 characters, else
// pieces of 64 characters, each on a line of its own after the property, all but the last
// ending in " +".
QList<QByteArray> QuoteFormStringPieces(QStringView s);
// Binary data as the writer lays it out between braces: rows of 32 bytes in hexadecimal.
QList<QByteArray> FormBinaryRows(QByteArrayView bytes);

// Parses one object from `text`: UTF-8 (after an optional byte order mark) when it is valid
// UTF-8, else Windows-1252, as other tools write forms (TextEncoding.h).
TFormObject ReadTextForm(QByteArrayView text);
// Raises EParserError, naming the line and column, unless `text` is a form text that parses.
void CheckTextForm(QByteArrayView text);
// The encoding a form text is read in: UTF-8 when the bytes after an optional byte order mark
// are valid UTF-8, else Windows-1252.
TTextEncoding TextFormEncoding(QByteArrayView text);
// The reader behind them, delivering events (FormEvents.h); it skips a byte order mark and
// raises, after the root object, unless only blanks follow it.
std::unique_ptr<TFormEventReader> NewTextFormReader(TFormInput& input, TTextEncoding encoding);
