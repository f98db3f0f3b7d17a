#include "QzDialog.h"

#include "QzMsg.h"
#include "QzUi.h"
#include "QzWindows.h"
#include "SysUtils.h"

#include <QDialogButtonBox>
#include <QHash>
#include <QPushButton>

namespace {

// One record per dialog class, kept while the package is loaded.
QHash<QByteArray, TQzResizeInfoDesigner>& classRecords() {
    static QHash<QByteArray, TQzResizeInfoDesigner> records;
    return records;
}

} // namespace

TQzDialog::TQzDialog(QWidget* parent) : QDialog(parent) {}

TQzDialog::~TQzDialog() = default;

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
    if (!CanAccept())
        return;
    try {
        Accepting();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    done(mrOk);
}

void TQzDialog::reject() {
    done(mrCancel);
}

void TQzDialog::setVisible(bool visible) {
    if (visible == isVisible()) {
        QDialog::setVisible(visible);
        return;
    }
    if (visible) {
        // Placed before it appears, so the window does not jump.
        QzRestoreResizeInfoDesigner(this, ResizeInfo());
        InputChanged();
    } else {
        QzSaveResizeInfoDesigner(this, ResizeInfo());
    }
    QDialog::setVisible(visible);
}

QPushButton* TQzDialog::OkButton() const {
    QDialogButtonBox* box = buttonBox();
    return box ? box->button(QDialogButtonBox::Ok) : nullptr;
}

QPushButton* TQzDialog::CancelButton() const {
    QDialogButtonBox* box = buttonBox();
    return box ? box->button(QDialogButtonBox::Cancel) : nullptr;
}

bool TQzDialog::CanAccept() const {
    return true;
}

void TQzDialog::Accepting() {}

void TQzDialog::InputChanged() {
    if (QPushButton* ok = OkButton())
        ok->setEnabled(CanAccept());
}

TQzResizeInfoDesigner& TQzDialog::ResizeInfo() {
    return classRecords()[metaObject()->className()];
}

// The box is looked for once the layout is built (the derived constructor has run by the time
// anything asks): its buttons get the library's names and texts and close the dialog through
// accept and reject.
QDialogButtonBox* TQzDialog::buttonBox() const {
    if (FButtonsLooked)
        return FButtons;
    FButtonsLooked = true;
    FButtons = findChild<QDialogButtonBox*>();
    if (!FButtons)
        return nullptr;
    if (QPushButton* ok = FButtons->button(QDialogButtonBox::Ok)) {
        ok->setObjectName(QStringLiteral("BtOk"));
        ok->setText(QStringLiteral("Ok"));
    }
    if (QPushButton* cancel = FButtons->button(QDialogButtonBox::Cancel)) {
        cancel->setObjectName(QStringLiteral("BtCancel"));
        cancel->setText(QStringLiteral("Cancel"));
    }
    auto* self = const_cast<TQzDialog*>(this);
    connect(FButtons, &QDialogButtonBox::accepted, self, &TQzDialog::accept);
    connect(FButtons, &QDialogButtonBox::rejected, self, &TQzDialog::reject);
    return FButtons;
}
