#pragma once

// The runtime's one error channel: every refusal and failure of the library raises EQzError
// with a message a person can read; the host shows it.

#include "SysUtils.h"

QZ_DECLARE_EXCEPTION(EQzError, Exception);

[[noreturn]] void QzExcept(const QString& message);
