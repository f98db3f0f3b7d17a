#pragma once

// A list of lines edited in a plain memo: a multi-line text property, or a list of names such as
// those of the months. Whatever way the window is closed (Escape included), the memo's lines are
// the result: the window edits in place, as a memo would.

#include "QzDialog.h"

#include <memory>

namespace Ui {
class TFrMultiLine;
}

class TFrMultiLine : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrMultiLine(QWidget* parent = nullptr);
    ~TFrMultiLine() override;

    // Shows `text` (lines broken at CR LF, LF or CR) under `caption`; `result` receives the
    // memo's lines joined with CR LF.
    void Execute(const QString& caption, const QString& text, QString& result);

private:
    std::unique_ptr<Ui::TFrMultiLine> FUi;
};
