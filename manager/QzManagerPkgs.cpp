#include "manager/QzManagerPkgs.h"

#include "ui_TFrManagerPkgs.h"

TFrManagerPkgs::TFrManagerPkgs(QWidget* owner)
    : TQzDialog(owner), FUi(std::make_unique<Ui::TFrManagerPkgs>()) {
    FUi->setupUi(this);
}

TFrManagerPkgs::~TFrManagerPkgs() = default;

bool TFrManagerPkgs::Execute(const QStringList& packages) {
    QStringList names = packages;
    names.sort(Qt::CaseInsensitive);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, FUi->clb);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(name.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0
                                ? Qt::Unchecked
                                : Qt::Checked);
    }
    return ShowModal() == mrOk;
}

QStringList TFrManagerPkgs::Selected() const {
    QStringList names;
    for (int i = 0; i < FUi->clb->count(); ++i)
        if (FUi->clb->item(i)->checkState() == Qt::Checked)
            names << FUi->clb->item(i)->text();
    return names;
}
