#pragma once

// Values converted to the data types of masks and values.

#include "QzRefs.h"

#include <QVariant>

// Converts `value` to the variant of a data type: dtInteger a whole number (qint64; numbers are
// rounded half away from zero), dtFloat a double, dtCurrency a double with four decimals,
// dtString and dtMemo text, dtDateTime a date and time, dtOther unchanged. Null and unassigned
// values stay as they are. Text is read, and numbers and dates are written, by QzNumbers.h and
// QzDates.h (dates as "dmyhns" with four-digit years). Raises EQzError when the value cannot be
// converted or the data type is unknown.
QVariant QzDataCast(const QVariant& value, TQzDataType dataType);
