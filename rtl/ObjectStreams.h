#pragma once

// Conversions between the three stored forms of a form file: text, the binary object stream and
// the binary resource (a resource header in front of the object stream).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

enum TStreamOriginalFormat { sofUnknown, sofBinary, sofText, sofUTF8Text };

// What the first bytes of a form file say it holds (a text form may start with blank lines).
enum class TFormFileFormat { Unknown, Text, Binary, Resource };
TFormFileFormat DetectFormFileFormat(QByteArrayView data);

// The platform's converters. Each reads from the input's current position and writes at the
// output's; errors raise EReadError (binary) or EParserError (text). The overloads with a format
// report the format the input was stored in.
void ObjectBinaryToText(QIODevice& input, QIODevice& output);
void ObjectBinaryToText(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format);
void ObjectTextToBinary(QIODevice& input, QIODevice& output);
void ObjectTextToBinary(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format);
void ObjectResourceToText(QIODevice& input, QIODevice& output);
void ObjectResourceToText(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format);
void ObjectTextToResource(QIODevice& input, QIODevice& output);
void ObjectTextToResource(QIODevice& input, QIODevice& output, TStreamOriginalFormat& format,
                          const QString& resourceName = QString());

// Byte-array forms of the same conversions.
QByteArray ObjectBinaryToText(const QByteArray& binary);
QByteArray ObjectTextToBinary(const QByteArray& text);
QByteArray ObjectResourceToText(const QByteArray& resource);
QByteArray ObjectTextToResource(const QByteArray& text);

// Any stored form to text, and text to the form asked for.
QByteArray FormFileToText(const QByteArray& data);
QByteArray TextToFormFile(const QByteArray& text, TFormFileFormat format);

// A whole form file, stored in any form, converted to `to` as it is read: no tree is built and
// memory stays bounded by the longest value and the nesting depth. A sequential input (a pipe)
// is read whole first, as is the result when it is a resource for a sequential output. Raises
// what the readers and writers raise; the output then holds part of the form.
void ConvertFormFile(QIODevice& input, QIODevice& output, TFormFileFormat to);

// The resource wrapper: header 0xFF 0x0A 0x00, the upper-cased name with a terminating zero, the
// flags word 0x1030 and the 32-bit size of the object stream that follows.
QByteArray WrapResource(const QByteArray& objectStream, const QString& resourceName);
QByteArray UnwrapResource(const QByteArray& resource, QString* resourceName = nullptr);
