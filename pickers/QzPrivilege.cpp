#include "pickers/QzPrivilege.h"

#include "QzRefs.h"
#include "ui_TFrPrivilege.h"

TFrPrivilege::TFrPrivilege(QWidget* parent)
    : TQzPrivilegesDialog(parent), FUi(std::make_unique<Ui::TFrPrivilege>()) {
    FUi->setupUi(this);
    BindControls();
    connect(FUi->BtClear, &QPushButton::clicked, this, &TFrPrivilege::BtClearClick);
}

TFrPrivilege::~TFrPrivilege() = default;

int TFrPrivilege::Execute() {
    Q_ASSERT(FRef);
    EdId->setText(QString::number(FRef->Id()));
    PrepareList();
    EdId->setFocus();
    const int result = ShowModal();
    if (result == mrOk) {
        bool ok = false;
        const int id = EdId->text().trimmed().toInt(&ok);
        FRef->SetId(ok ? id : -1);
    }
    return result;
}

void TFrPrivilege::BtClearClick() {
    EdId->setText(QStringLiteral("-1"));
    SetModalResult(mrOk);
}

void TFrPrivilege::PrivilegesDblClick() {
    SetModalResult(mrOk);
}
