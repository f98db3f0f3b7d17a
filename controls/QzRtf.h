#pragma once

// Rich text format (RTF), as the library's rich edit component keeps its content, read into and
// written from a QTextDocument. What a document can hold travels both ways: fonts, sizes, bold,
// italic, underline, strike-out, text and highlight colours, paragraph alignment, bulleted and
// numbered paragraphs, tabs and line breaks, any Unicode character (\uN with an ANSI fallback)
// and pictures (\pict, written as PNG). Widget-free: QtGui only.
//
// The reader is lenient as readers of this format must be: unknown control words are ignored,
// groups marked \* that it does not know are skipped, other unknown groups keep their text, and
// a text cut short keeps everything before the cut.

#include <QByteArray>
#include <QByteArrayView>

class QTextDocument;

// Whether `data` starts as rich text does ("{\rtf", after white space).
bool QzIsRtf(QByteArrayView data);

// Replaces the content of `document` with the rich text `data`. Raises EQzError, leaving the
// document as it was, when `data` is not rich text at all.
void QzRtfRead(QByteArrayView data, QTextDocument& document);

// The content of `document` as rich text: 7-bit ASCII, lines of at most a few hundred characters.
QByteArray QzRtfWrite(const QTextDocument& document);
