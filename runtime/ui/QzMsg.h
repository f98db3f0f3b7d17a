#pragma once

// Message boxes through the UI service: a literal text, a "%s" format, or a numbered message of
// a strings package. A numbered message always shows something: the text of the loaded package
// of that name, else the runtime's own text for a "System" message, else a line naming the
// message and package.

#include "QzUi.h"

#include <QVariantList>

// Each returns the kind of the button pressed. Without buttons the box has OK; a default that is
// not among the buttons is ignored.
TQzButtonKind QzMsg(TQzMessageType type, const QString& text, const TQzButtons& buttons = {bkOk},
                    TQzButtonKind defaultButton = bkNone);
// `format` with each "%s" or "%d" replaced by the next of `args` and "%%" by "%". A directive
// without an argument left is kept as it is; arguments left over are not shown.
TQzButtonKind QzMsgArgs(TQzMessageType type, const QString& format, const QVariantList& args,
                        const TQzButtons& buttons = {bkOk}, TQzButtonKind defaultButton = bkNone);
TQzButtonKind QzMsgPkg(TQzMessageType type, const QString& package, int id,
                       const TQzButtons& buttons = {bkOk}, TQzButtonKind defaultButton = bkNone);
// The numbered message is a format, filled as QzMsgArgs does; the fallback line lists `args`.
TQzButtonKind QzMsgPkgArgs(TQzMessageType type, const QString& package, int id,
                           const QVariantList& args, const TQzButtons& buttons = {bkOk},
                           TQzButtonKind defaultButton = bkNone);

// True when message `id` of `package` has a text of its own (loaded or, for "System", built in),
// rather than the line QzMsgPkg falls back to.
bool QzMsgPkgExists(const QString& package, int id);
// The text QzMsgPkg shows for message `id` of `package`.
QString QzMsgPkgText(const QString& package, int id);
// `format` filled as QzMsgArgs fills it.
QString QzFormatArgs(const QString& format, const QVariantList& args);
