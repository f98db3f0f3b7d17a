#pragma once

// The help window of the library: one numbered entry of a package's help, shown read-only. The
// "System" package's entries ship with the runtime; an entry it does not have shows a line
// naming it.

#include "QzDialog.h"

class QPlainTextEdit;

// The built-in text of help entry `id` of the "System" package, or empty.
QString QzSystemHelpText(int id);

class TFrMsgHlp : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrMsgHlp(QWidget* parent = nullptr);

    // Shows entry `id` of `package` modally.
    int Execute(const QString& package, int id);
    QString Text() const;

private:
    QPlainTextEdit* FText;
};
