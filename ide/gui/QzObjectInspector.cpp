#include "QzObjectInspector.h"

#include "DesignRegistry.h"
#include "QzDesignerDisplay.h"
#include "QzDesignerReports.h"
#include "QzFormDesigner.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int EditorRole = Qt::UserRole + 1;
constexpr int LoadedRole = Qt::UserRole + 2;
constexpr int RawValueRole = Qt::UserRole;

} // namespace

TQzObjectInspector::TQzObjectInspector(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ObjectInspector"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    FHeader = new QLabel(this);
    FHeader->setObjectName(QStringLiteral("LbSelection"));
    FHeader->setContentsMargins(4, 2, 4, 2);
    FHeader->setTextFormat(Qt::PlainText);
    layout->addWidget(FHeader);
    FTree = new QTreeWidget(this);
    FTree->setObjectName(QStringLiteral("Properties"));
    FTree->setColumnCount(2);
    FTree->setHeaderLabels({tr("Property"), tr("Value")});
    FTree->setAlternatingRowColors(true);
    FTree->setUniformRowHeights(true);
    FTree->setRootIsDecorated(true);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    FTree->header()->setStretchLastSection(true);
    FTree->setColumnWidth(0, 140);
    layout->addWidget(FTree, 1);

    connect(FTree, &QTreeWidget::itemExpanded, this, &TQzObjectInspector::loadChildren);
    connect(FTree, &QTreeWidget::currentItemChanged, this, &TQzObjectInspector::currentRowChanged);
    connect(FTree, &QTreeWidget::itemDoubleClicked, this, &TQzObjectInspector::rowDoubleClicked);
}

TQzObjectInspector::~TQzObjectInspector() {
    clearRows();
}

void TQzObjectInspector::SetDesigner(IDesigner* designer) {
    FDesigner = designer;
    Refresh();
}

// ---------------------------------------------------------------------------------------------
// Rows

void TQzObjectInspector::clearRows() {
    ++FGeneration;
    {
        const QSignalBlocker blocker(FTree);
        FTree->clear();
    }
    while (!FEditors.empty())
        FEditors.pop_back();
}

void TQzObjectInspector::addRow(QTreeWidgetItem* parent, std::unique_ptr<TPropertyEditor> editor) {
    auto* row = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(FTree);
    const QString name = editor->GetName();
    row->setText(0, name);
    row->setData(0, PathRole, parent ? parent->data(0, PathRole).toString() + u'.' + name : name);
    QString raw;
    row->setText(1, QzInspectorValueText(editor.get(), &raw));
    row->setData(1, RawValueRole, raw);
    row->setToolTip(1, raw);
    row->setData(0, EditorRole, QVariant::fromValue(quintptr(editor.get())));
    if (QzInspectorAttributes(editor.get()) & paSubProperties)
        row->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    FEditors.push_back(std::move(editor));
}

TPropertyEditor* TQzObjectInspector::RowEditor(const QTreeWidgetItem* row) const {
    return row ? reinterpret_cast<TPropertyEditor*>(row->data(0, EditorRole).value<quintptr>())
               : nullptr;
}

void TQzObjectInspector::loadChildren(QTreeWidgetItem* row) {
    if (row->data(0, LoadedRole).toBool())
        return;
    row->setData(0, LoadedRole, true);
    TPropertyEditor* editor = RowEditor(row);
    QzRunShowingErrors([&] {
        editor->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
            if (!(QzInspectorAttributes(child.get()) & paNotNestable))
                addRow(row, std::move(child));
        });
    });
    if (row->childCount() == 0)
        row->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString TQzObjectInspector::SelectionText() const {
    return FHeader->text();
}

QStringList TQzObjectInspector::PropertyNames() const {
    QStringList names;
    for (int i = 0; i < FTree->topLevelItemCount(); ++i)
        names << FTree->topLevelItem(i)->text(0);
    return names;
}

void TQzObjectInspector::Refresh() {
    // The editor at work may be among the rows; the refresh follows when it is done.
    if (FBusy > 0)
        return;
    QSet<QString> expanded;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it)
        if ((*it)->isExpanded())
            expanded.insert((*it)->data(0, PathRole).toString());
    const QString current =
        FTree->currentItem() ? FTree->currentItem()->data(0, PathRole).toString() : QString();
    const int scroll = FTree->verticalScrollBar()->value();
    const QWidget* editing = ValueEditor();
    const bool hadFocus = editing && editing->isAncestorOf(QApplication::focusWidget());
    clearRows();

    const QList<TPersistent*> selection =
        FDesigner ? FDesigner->GetSelections() : QList<TPersistent*>();
    if (selection.isEmpty()) {
        FHeader->clear();
        return;
    }
    if (selection.size() > 1) {
        FHeader->setText(tr("%n components selected", nullptr, int(selection.size())));
    } else {
        TPersistent* selected = selection.first();
        const QString name = selected->GetNamePath();
        // The form is known by its own class, not by the registered class it is made of.
        auto* form = dynamic_cast<TQzFormDesigner*>(FDesigner);
        const QString className =
            form && selected == form->GetRoot() ? form->FormClassName() : selected->ClassName();
        FHeader->setText(name.isEmpty() ? className : name + QStringLiteral(": ") + className);
    }
    QzRunShowingErrors([&] {
        GetComponentProperties(FDesigner, selection, [&](std::unique_ptr<TPropertyEditor> editor) {
            addRow(nullptr, std::move(editor));
        });
    });
    // Expanding loads the sub-properties, whose rows the iteration then meets in turn.
    for (QTreeWidgetItemIterator it(FTree); *it; ++it)
        if (expanded.contains((*it)->data(0, PathRole).toString()))
            (*it)->setExpanded(true);
    if (QTreeWidgetItem* row = existingRow(current))
        FTree->setCurrentItem(row, 1);
    FTree->verticalScrollBar()->setValue(scroll);
    // Typing goes on in the row's new editor.
    if (QWidget* cell = ValueEditor(); cell && hadFocus)
        if (QWidget* input = cell->findChild<QWidget*>())
            input->setFocus();
}

void TQzObjectInspector::updateValues() {
    for (QTreeWidgetItemIterator it(FTree); *it; ++it) {
        QString raw;
        (*it)->setText(1, QzInspectorValueText(RowEditor(*it), &raw));
        (*it)->setData(1, RawValueRole, raw);
        (*it)->setToolTip(1, raw);
    }
    // The current row's editor shows the value the property took (or kept, when refused).
    if (QTreeWidgetItem* row = FTree->currentItem()) {
        const QString raw = row->data(1, RawValueRole).toString();
        if (QWidget* cell = FTree->itemWidget(row, 1)) {
            if (auto* combo = cell->findChild<QComboBox*>()) {
                const QSignalBlocker blocker(combo);
                combo->setCurrentIndex(combo->findText(raw));
                if (combo->isEditable())
                    combo->setEditText(raw);
            } else if (auto* edit = cell->findChild<QLineEdit*>(); edit && edit->text() != raw) {
                edit->setText(raw);
            }
        }
    }
}

void TQzObjectInspector::scheduleRefresh() {
    if (FRefreshQueued)
        return;
    FRefreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FRefreshQueued = false;
            Refresh();
        },
        Qt::QueuedConnection);
}

QTreeWidgetItem* TQzObjectInspector::existingRow(const QString& path) const {
    if (path.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it)
        if ((*it)->data(0, PathRole).toString() == path)
            return *it;
    return nullptr;
}

QTreeWidgetItem* TQzObjectInspector::FindRow(const QString& path) {
    QTreeWidgetItem* row = nullptr;
    for (const QString& name : path.split(u'.')) {
        if (row)
            loadChildren(row);
        QTreeWidgetItem* next = nullptr;
        const int count = row ? row->childCount() : FTree->topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* child = row ? row->child(i) : FTree->topLevelItem(i);
            if (child->text(0) == name)
                next = child;
        }
        if (!next)
            return nullptr;
        if (row)
            row->setExpanded(true);
        row = next;
    }
    return row;
}

// ---------------------------------------------------------------------------------------------
// Editing

QWidget* TQzObjectInspector::ValueEditor() const {
    QTreeWidgetItem* row = FTree->currentItem();
    return row ? FTree->itemWidget(row, 1) : nullptr;
}

void TQzObjectInspector::currentRowChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (previous)
        FTree->removeItemWidget(previous, 1);
    if (current)
        if (QWidget* cell = createValueEditor(current))
            FTree->setItemWidget(current, 1, cell);
}

QWidget* TQzObjectInspector::createValueEditor(QTreeWidgetItem* row) {
    TPropertyEditor* editor = RowEditor(row);
    const TPropertyAttributes attributes = QzInspectorAttributes(editor);
    const bool readOnly = attributes & paReadOnly;
    if (readOnly && !(attributes & (paDialog | paValueList)))
        return nullptr;
    const QString path = row->data(0, PathRole).toString();
    const QString value = row->data(1, RawValueRole).toString();
    const int generation = FGeneration;

    auto* cell = new QWidget;
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (attributes & paValueList) {
        auto* combo = new QComboBox(cell);
        combo->setObjectName(QStringLiteral("CbValue"));
        combo->setEditable(!readOnly);
        combo->setInsertPolicy(QComboBox::NoInsert);
        QStringList values;
        QzRunShowingErrors([&] { editor->GetValues([&](const QString& v) { values << v; }); });
        if (attributes & paSortList)
            values.sort(Qt::CaseInsensitive);
        combo->addItems(values);
        combo->setCurrentIndex(int(values.indexOf(value)));
        if (combo->isEditable())
            combo->setEditText(value);
        connect(combo, &QComboBox::activated, this, [this, combo, generation, path](int index) {
            commit(generation, path, combo->itemText(index));
        });
        if (QLineEdit* edit = combo->lineEdit())
            connect(edit, &QLineEdit::editingFinished, this, [this, edit, generation, path] {
                if (!edit->isModified())
                    return;
                edit->setModified(false);
                commit(generation, path, edit->text());
            });
        layout->addWidget(combo, 1);
    } else {
        auto* edit = new QLineEdit(value, cell);
        edit->setObjectName(QStringLiteral("EdValue"));
        edit->setFrame(false);
        edit->setReadOnly(readOnly);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, generation, path] {
            if (!edit->isModified())
                return;
            edit->setModified(false);
            commit(generation, path, edit->text());
        });
        if (attributes & paAutoUpdate)
            connect(
                edit, &QLineEdit::textEdited, this,
                [this, generation, path](const QString& text) { commit(generation, path, text); });
        layout->addWidget(edit, 1);
    }
    if (attributes & paDialog) {
        auto* button = new QToolButton(cell);
        button->setObjectName(QStringLiteral("BtEdit"));
        button->setText(QStringLiteral("..."));
        button->setToolTip(tr("Edit %1").arg(row->text(0)));
        connect(button, &QToolButton::clicked, this,
                [this, generation, path] { editRow(generation, path); });
        layout->addWidget(button);
    }
    return cell;
}

void TQzObjectInspector::rowDoubleClicked(QTreeWidgetItem* row, int column) {
    if (column != 1)
        return;
    TPropertyEditor* editor = RowEditor(row);
    const TPropertyAttributes attributes = QzInspectorAttributes(editor);
    const QString path = row->data(0, PathRole).toString();
    if (attributes & paDialog) {
        editRow(FGeneration, path);
        return;
    }
    if (!(attributes & paValueList) || (attributes & paReadOnly))
        return;
    // A double-click steps to the next value of the list.
    QStringList values;
    QzRunShowingErrors([&] { editor->GetValues([&](const QString& v) { values << v; }); });
    if (attributes & paSortList)
        values.sort(Qt::CaseInsensitive);
    if (values.isEmpty())
        return;
    const qsizetype index = values.indexOf(row->data(1, RawValueRole).toString());
    commit(FGeneration, path, values[(index + 1) % values.size()]);
}

void TQzObjectInspector::commit(int generation, const QString& path, const QString& text) {
    if (generation != FGeneration)
        return;
    QTreeWidgetItem* row = existingRow(path);
    if (!row)
        return;
    TPropertyEditor* editor = RowEditor(row);
    runEditorAction([&] { editor->SetValue(text); });
}

void TQzObjectInspector::editRow(int generation, const QString& path) {
    if (generation != FGeneration)
        return;
    QTreeWidgetItem* row = existingRow(path);
    if (!row)
        return;
    TPropertyEditor* editor = RowEditor(row);
    runEditorAction([&] { editor->Edit(); });
}

void TQzObjectInspector::runEditorAction(const std::function<void()>& action) {
    ++FBusy;
    QzRunShowingErrors(action);
    --FBusy;
    if (FBusy > 0)
        return;
    // The rows stay while the widget that sent the change may still be running; they show
    // the new values at once and are read again from the events loop.
    updateValues();
    scheduleRefresh();
}
