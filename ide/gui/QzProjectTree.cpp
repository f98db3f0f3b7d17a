#include "QzProjectTree.h"

#include "QzProjectFile.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace {
constexpr int UnitFileRole = Qt::UserRole;
}

TQzProjectTree::TQzProjectTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("ProjectTree"));
    setColumnCount(1);
    setHeaderHidden(true);
    // Long names scroll sideways rather than being cut.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        // A form row, or the row of a unit that has a form.
        const bool hasForm = item->parent() && (item->parent()->parent() || item->childCount() > 0);
        if (hasForm)
            Q_EMIT FormActivated(item->data(0, UnitFileRole).toString());
    });
}

void TQzProjectTree::SetProject(const TQzProjectFile* project) {
    clear();
    if (!project)
        return;
    auto* top = new QTreeWidgetItem(this);
    top->setText(0, QFileInfo(project->FileName).fileName());
    top->setToolTip(0, project->FileName);
    top->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    for (const TQzProjectUnit& unit : project->Units) {
        auto* unitItem = new QTreeWidgetItem(top);
        unitItem->setText(0, unit.Name + QStringLiteral(" (") +
                                 QFileInfo(unit.FileName).fileName() + u')');
        unitItem->setToolTip(0, unit.FileName);
        unitItem->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
        unitItem->setData(0, UnitFileRole, unit.FileName);
        if (unit.FormName.isEmpty())
            continue;
        auto* formItem = new QTreeWidgetItem(unitItem);
        formItem->setText(0, unit.FormName + QStringLiteral(" (") +
                                 QFileInfo(unit.FormFileName()).fileName() + u')');
        formItem->setToolTip(0, unit.FormFileName());
        formItem->setIcon(0, style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        formItem->setData(0, UnitFileRole, unit.FileName);
    }
    expandAll();
}

QTreeWidgetItem* TQzProjectTree::UnitItem(const QString& unitFileName) const {
    if (topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem* top = topLevelItem(0);
    for (int i = 0; i < top->childCount(); ++i)
        if (top->child(i)->data(0, UnitFileRole).toString() == unitFileName)
            return top->child(i);
    return nullptr;
}

void TQzProjectTree::SetFormState(const QString& unitFileName, bool open, bool modified) {
    QTreeWidgetItem* unit = UnitItem(unitFileName);
    if (!unit || unit->childCount() == 0)
        return;
    QTreeWidgetItem* form = unit->child(0);
    QFont font = form->font(0);
    font.setBold(open);
    form->setFont(0, font);
    // The modified mark leads the text, as in the form tabs.
    QString text = form->text(0);
    if (text.startsWith(u'*'))
        text.remove(0, 1);
    form->setText(0, modified ? u'*' + text : text);
}
