#pragma once

// The binary object stream ("TPF0"): value-type bytes, short-string names, lists ended by a zero
// byte. Reading checks every length against the bytes that are left, so corrupt input ends in an
// EReadError that names the offset.

#include "FormData.h"

#include <memory>

class TFormEventReader;
class TFormEventWriter;
class TFormInput;
class TFormOutput;

#include <QByteArrayView>

inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// Reads one signed object stream starting at `pos`; on return `pos` is just past it.
TFormObject ReadBinaryForm(QByteArrayView data, qsizetype& pos);
// Reads a stream that is all of `data`; bytes after the root object are an error.
TFormObject ReadBinaryForm(QByteArrayView data);

// Appends the signature and the object to `out`.
void WriteBinaryForm(const TFormObject& root, QByteArray& out);
QByteArray WriteBinaryForm(const TFormObject& root);

// The reader and the writer behind them, on events (FormEvents.h). Offsets in the reader's
// messages count from `offset` before the input. The writer writes the resource form, header
// first, with `resource`; its name is the root's class unless `resourceName` is given.
std::unique_ptr<TFormEventReader> NewBinaryFormReader(TFormInput& input, qint64 offset);
std::unique_ptr<TFormEventWriter> NewBinaryFormWriter(TFormOutput& output, bool resource,
                                                      const QString& resourceName = QString());
