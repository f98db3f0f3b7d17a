#pragma once

// The design package's dialogs looked at without a person: the list of those it registered, and
// one of them opened on the project's designs and rendered to a picture.

#include <QString>

class QPixmap;
class TQzDesignerHost;

// Writes `shot` to `fileName` in the picture format its suffix names (PNG without one), whole or
// not at all. Raises EFileWriteError with the reason.
void QzWriteScreenshot(const QPixmap& shot, const QString& fileName);

// The class names of the registered dialogs, one a line, in registration order.
QString QzDialogListing();

enum class TQzDialogShotResult { Written, Failed, UnknownClass };

// Opens the project and every form of it, opens the dialog `className` on its first fitting
// subject, renders the dialog to `pngFile` and closes it as Cancel would, so nothing is kept.
// Messages the dialog shows on the way are added to `messages`; `error` says why it failed.
TQzDialogShotResult QzDialogScreenshot(TQzDesignerHost& host, const QString& project,
                                       const QString& className, const QString& pngFile,
                                       QStringList& messages, QString& error);
