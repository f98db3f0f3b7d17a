#pragma once

// Writing a whole file so that it is either written completely or not changed at all: the bytes
// go to a new file in the target's folder, are flushed to the disk and renamed over the target.
// On any failure the new file is removed again and the old one, if any, is left as it was. A
// target that is a symbolic link is written through, so the link stays; an existing target keeps
// its permissions.

#include "SysUtils.h"

#include <QByteArrayView>

// The one error of a failed write. Its message names the file and gives the operating system's
// reason ("No space left on device").
QZ_DECLARE_EXCEPTION(EFileWriteError, EStreamError);

void WriteFileAtomic(const QString& fileName, QByteArrayView bytes);
