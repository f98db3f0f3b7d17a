#pragma once

// The binary object stream ("TPF0"): value-type bytes, short-string names, lists ended by a zero
// byte. Reading checks every length against the bytes that are left, so corrupt input ends in an
// EReadError that names the offset.

#include "FormData.h"

#include <QByteArrayView>

inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// Reads one signed object stream starting at `pos`; on return `pos` is just past it.
TFormObject ReadBinaryForm(QByteArrayView data, qsizetype& pos);
TFormObject ReadBinaryForm(QByteArrayView data);

// Appends the signature and the object to `out`.
void WriteBinaryForm(const TFormObject& root, QByteArray& out);
QByteArray WriteBinaryForm(const TFormObject& root);
