#pragma once

// The text form of an object stream: "object Name: TClass" blocks with "Name = value" lines.
// The writer emits plain ASCII (other characters as #nnn codes) so the text survives any editor;
// the parser reports the line and column of the first thing it cannot read.

#include "FormData.h"

#include <QByteArrayView>

QByteArray WriteTextForm(const TFormObject& root);

// A string as the text form writes it: printable ASCII in quotes, other characters as #nnn.
QByteArray QuoteFormString(QStringView s);

// Parses one object from `text`: UTF-8 (after an optional byte order mark) when it is valid
// UTF-8, else Windows-1252, as other tools write forms (TextEncoding.h).
TFormObject ReadTextForm(QByteArrayView text);
