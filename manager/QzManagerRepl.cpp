#include "manager/QzManagerRepl.h"

#include "SysUtils.h"
#include "ui_TFrManagerRepl.h"

TFrManagerRepl::TFrManagerRepl(QWidget* owner)
    : TQzDialog(owner), FUi(std::make_unique<Ui::TFrManagerRepl>()) {
    FUi->setupUi(this);
    connect(FUi->EdValue, &QLineEdit::textChanged, this, &TFrManagerRepl::InputChanged);
}

TFrManagerRepl::~TFrManagerRepl() = default;

bool TFrManagerRepl::Execute(TQzDlgManager kind, const QStringList& packages,
                             const QString& pkgName, const QString& value) {
    FKind = kind;
    const bool withPackage = QzDlgManagerHasPackage(kind);
    QStringList names = packages;
    names.sort(Qt::CaseInsensitive);
    FUi->EdPkg->addItems(names);
    FUi->EdPkg->setCurrentText(pkgName);
    FUi->EdValue->setText(value);
    FUi->LbPkg->setVisible(withPackage);
    FUi->EdPkg->setVisible(withPackage);
    // The height follows the rows shown; only the width is the person's to choose.
    layout()->activate();
    setFixedHeight(sizeHint().height());
    FUi->EdValue->setFocus();
    return ShowModal() == mrOk;
}

QString TFrManagerRepl::PkgName() const {
    return FUi->EdPkg->currentText().trimmed();
}

QString TFrManagerRepl::Value() const {
    return FUi->EdValue->text().trimmed();
}

bool TFrManagerRepl::CanAccept() const {
    if (QzDlgManagerIsSet(FKind))
        return true;
    try {
        QzStrToInt(Value());
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}
