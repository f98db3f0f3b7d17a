#include "QzObjectTree.h"

#include "ComponentStreams.h"
#include "DesignRegistry.h"
#include "QzDesignerDisplay.h"
#include "QzFormDesigner.h"
#include "QzFormObjects.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QSet>
#include <QTreeWidgetItemIterator>

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

TQzObjectTree::TQzObjectTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("ObjectTree"));
    setColumnCount(2);
    setHeaderLabels({tr("Name"), tr("Class")});
    // Names in full; the class takes what is left.
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TQzObjectTree::itemsSelected);
    connect(this, &QTreeWidget::itemChanged, this, &TQzObjectTree::itemRenamed);
}

void TQzObjectTree::SetDesigner(TQzFormDesigner* designer) {
    if (FDesigner)
        disconnect(FDesigner, nullptr, this, nullptr);
    FDesigner = designer;
    if (FDesigner) {
        connect(FDesigner, &TQzFormDesigner::DesignModified, this, &TQzObjectTree::scheduleRebuild);
        connect(FDesigner, &TQzFormDesigner::RootReplaced, this, &TQzObjectTree::rebuild);
        connect(FDesigner, &TQzFormDesigner::SelectionChanged, this,
                &TQzObjectTree::followSelection);
        connect(FDesigner, &QObject::destroyed, this, [this] {
            FDesigner = nullptr;
            clear();
        });
    }
    rebuild();
}

QTreeWidgetItem* TQzObjectTree::ItemOf(const QString& path) const {
    for (QTreeWidgetItemIterator it(const_cast<TQzObjectTree*>(this)); *it; ++it)
        if ((*it)->data(0, PathRole).toString() == path)
            return *it;
    return nullptr;
}

TPersistent* TQzObjectTree::ObjectOf(const QTreeWidgetItem* item) const {
    return item && FDesigner ? FDesigner->FindByNamePath(item->data(0, PathRole).toString())
                             : nullptr;
}

void TQzObjectTree::scheduleRebuild() {
    if (FRebuildQueued)
        return;
    FRebuildQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FRebuildQueued = false;
            rebuild();
        },
        Qt::QueuedConnection);
}

void TQzObjectTree::rebuild() {
    // What the person closed stays closed.
    QSet<QString> collapsed;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if ((*it)->childCount() > 0 && !(*it)->isExpanded())
            collapsed.insert((*it)->data(0, PathRole).toString());
    const QSignalBlocker blocker(this);
    clear();
    if (!FDesigner)
        return;
    QList<QTreeWidgetItem*> parents;
    for (const TQzFormObject& object :
         QzFormObjects(FDesigner->GetRoot(), FDesigner->FormClassName())) {
        parents.resize(object.Depth);
        auto* item =
            parents.isEmpty() ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parents.last());
        item->setText(0, object.Name);
        item->setText(1, object.ClassName);
        item->setData(0, PathRole, object.Path);
        item->setIcon(0, QIcon(QzPalettePixmap(object.Object->ClassName())));
        auto* component = qobject_cast<TComponent*>(object.Object);
        if (component && !(component->ComponentState() & csSubComponent))
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        parents << item;
    }
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        (*it)->setExpanded(!collapsed.contains((*it)->data(0, PathRole).toString()));
    followSelection();
}

void TQzObjectTree::followSelection() {
    if (!FDesigner)
        return;
    QSet<QString> selected;
    for (TPersistent* object : FDesigner->GetSelections())
        selected.insert(object->GetNamePath());
    FFollowing = true;
    {
        const QSignalBlocker blocker(this);
        QTreeWidgetItem* first = nullptr;
        for (QTreeWidgetItemIterator it(this); *it; ++it) {
            const bool on = selected.contains((*it)->data(0, PathRole).toString());
            (*it)->setSelected(on);
            if (on && !first)
                first = *it;
        }
        if (first) {
            setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
            scrollToItem(first);
        }
    }
    FFollowing = false;
    viewport()->update();
}

void TQzObjectTree::itemsSelected() {
    if (FFollowing || !FDesigner)
        return;
    QList<TPersistent*> selection;
    for (QTreeWidgetItem* item : selectedItems())
        if (TPersistent* object = ObjectOf(item))
            selection << object;
    if (!selection.isEmpty())
        FDesigner->SetSelections(selection);
}

void TQzObjectTree::DeleteSelected() {
    if (!FDesigner)
        return;
    QList<TComponent*> components;
    QList<QPointer<TCollectionItem>> items;
    for (QTreeWidgetItem* row : selectedItems()) {
        TPersistent* object = ObjectOf(row);
        if (auto* component = qobject_cast<TComponent*>(object))
            components << component;
        else if (auto* item = qobject_cast<TCollectionItem*>(object))
            items << item;
    }
    components.removeAll(FDesigner->GetRoot());
    if (components.isEmpty() && items.isEmpty())
        return;
    const TQzDesignChange change(FDesigner, tr("Delete"));
    FDesigner->DeleteComponents(components);
    // Items of components deleted above went with them.
    for (const QPointer<TCollectionItem>& item : items)
        delete item.data();
    if (!items.isEmpty())
        FDesigner->Modified();
    FDesigner->SelectComponent(FDesigner->GetRoot());
}

void TQzObjectTree::Rename(QTreeWidgetItem* item, const QString& name) {
    auto* component = qobject_cast<TComponent*>(ObjectOf(item));
    if (!component || !FDesigner || name == component->Name())
        return;
    const TQzDesignChange change(FDesigner, tr("Rename %1").arg(component->Name()));
    const QMetaProperty prop =
        FindPublishedProperty(component->metaObject(), QStringLiteral("Name"));
    std::unique_ptr<TPropertyEditor> editor = CreatePropertyEditor(FDesigner, {component}, prop);
    if (!editor || !QzRunShowingErrors([&] { editor->SetValue(name.trimmed()); })) {
        const QSignalBlocker blocker(this);
        item->setText(0, component->Name());
    }
}

void TQzObjectTree::itemRenamed(QTreeWidgetItem* item, int column) {
    if (column == 0)
        Rename(item, item->text(0));
}

void TQzObjectTree::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        DeleteSelected();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
