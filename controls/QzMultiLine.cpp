#include "controls/QzMultiLine.h"

#include "Strings.h"
#include "ui_TFrMultiLine.h"

TFrMultiLine::TFrMultiLine(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrMultiLine>()) {
    FUi->setupUi(this);
}

TFrMultiLine::~TFrMultiLine() = default;

void TFrMultiLine::Execute(const QString& caption, const QString& text, QString& result) {
    setWindowTitle(caption);
    TStrings lines;
    lines.SetText(text);
    FUi->Memo1->setPlainText(lines.Lines().join(u'\n'));
    FUi->Memo1->moveCursor(QTextCursor::Start);
    ShowModal();
    result = FUi->Memo1->toPlainText().split(u'\n').join(QStringLiteral("\r\n"));
}
