#pragma once

// The one-line field format of exported strings: fields joined by a separator, quoted and
// escaped only where they must be, so that a line splits back into exactly the same fields.

#include <QChar>
#include <QString>
#include <QStringList>

// Joins `fields` with `separator` into one physical line that QzTextToStrings splits back into
// exactly the same fields. A field is written as it is (`3,Save` stays `3,Save`) unless it holds
// the separator, a quote, a control character (line breaks and tabs among them), a line or
// paragraph separator or half a surrogate pair, starts or ends with a blank, or is the only field
// and empty; then it is quoted. Inside quotes a quote is doubled and a backslash starts an
// escape: "\\", "\r", "\n", "\t", and "\uXXXX" for the other characters named above, so the
// line never breaks and survives being saved as UTF-8. Raises EQzError for a separator that
// cannot work: a quote, a backslash, a control character other than tab, a line or paragraph
// separator or half a surrogate pair.
QString QzTextFromStrings(const QStringList& fields, QChar separator = u',');
// Splits `line` into `fields` (replacing its content). An empty line has no fields; a line
// ending in a line break has it ignored. Raises EQzError, leaving `fields` alone, for malformed
// text: an unterminated quote, text after a closing quote, a quote inside an unquoted field or
// an unknown escape.
void QzTextToStrings(const QString& line, QStringList& fields, QChar separator = u',');
