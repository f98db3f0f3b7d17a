#include "QzDialog.h"

#include "QzUi.h"

TQzDialog::TQzDialog(QWidget* parent) : QDialog(parent) {}

void TQzDialog::SetModalResult(int modalResult) {
    if (modalResult == mrNone)
        setResult(mrNone);
    else
        done(modalResult);
}

int TQzDialog::ShowModal() {
    return QzUi().ExecDialog(*this);
}

void TQzDialog::accept() {
    done(mrOk);
}

void TQzDialog::reject() {
    done(mrCancel);
}
