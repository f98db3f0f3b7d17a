#include "QzExcept.h"

void QzExcept(const QString& message) {
    throw EQzError(message);
}
