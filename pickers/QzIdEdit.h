#pragma once

// Id edits of the pickers and add dialogs: at most four characters, and of the keys that type
// something only the digits and Backspace get through.

class QLineEdit;
class QString;

void QzRestrictIdEdit(QLineEdit* edit);
// The id typed in an Id edit; raises EQzError for anything but a number from 0 to 9999.
int QzTypedId(const QString& text);
