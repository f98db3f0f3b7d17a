#include "manager/QzManagerRepl.h"

#include "QzWindows.h"
#include "ui_TFrManagerRepl.h"

namespace {
TQzResizeInfoDesigner ResizeInfo;
} // namespace

TFrManagerRepl::TFrManagerRepl(QWidget* owner)
    : TQzDialog(owner), FUi(std::make_unique<Ui::TFrManagerRepl>()) {
    FUi->setupUi(this);
    connect(FUi->BtOk, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
    connect(FUi->BtCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

TFrManagerRepl::~TFrManagerRepl() {
    QzSaveResizeInfoDesigner(this, ResizeInfo);
}

bool TFrManagerRepl::Execute(bool withPackage, const QStringList& packages, const QString& pkgName,
                             const QString& value) {
    QStringList names = packages;
    names.sort(Qt::CaseInsensitive);
    FUi->EdPkg->addItems(names);
    FUi->EdPkg->setCurrentText(pkgName);
    FUi->EdValue->setText(value);
    FUi->LbPkg->setVisible(withPackage);
    FUi->EdPkg->setVisible(withPackage);
    QzRestoreResizeInfoDesigner(this, ResizeInfo);
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
