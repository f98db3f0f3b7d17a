#include "QzObjectInspector.h"

#include "CollectionEditors.h"
#include "DesignRegistry.h"
#include "GraphicsEditors.h"
#include "QzColors.h"
#include "QzDesignerDisplay.h"
#include "QzDesignerReports.h"
#include "QzDraw.h"
#include "QzFormDesigner.h"
#include "QzFormObjects.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int EditorRole = Qt::UserRole + 1;
constexpr int LoadedRole = Qt::UserRole + 2;
constexpr int RawValueRole = Qt::UserRole;
constexpr int SelectorPathRole = Qt::UserRole;
// Set on the rows of a set's members, which are check boxes.
constexpr int MemberRole = Qt::UserRole + 3;

bool isMember(const QTreeWidgetItem* row) {
    return row->data(0, MemberRole).toBool();
}

bool isEvent(TPropertyEditor* editor) {
    return dynamic_cast<TMethodProperty*>(editor) && IsEventType(editor->GetPropInfo().metaType());
}

QIcon swatch(const QColor& color, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(1, 1, size - 2, size - 2), color);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(1, 1, size - 3, size - 3));
    return QIcon(pixmap);
}

} // namespace

TQzObjectInspector::TQzObjectInspector(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ObjectInspector"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    FSelector = new QComboBox(this);
    FSelector->setObjectName(QStringLiteral("CbObjects"));
    FSelector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FSelector->setMaxVisibleItems(24);
    layout->addWidget(FSelector);
    FPages = new QTabBar(this);
    FPages->setObjectName(QStringLiteral("TbPages"));
    FPages->addTab(tr("Properties"));
    FPages->addTab(tr("Events"));
    FPages->setExpanding(false);
    FPages->setDrawBase(false);
    layout->addWidget(FPages);
    FFilter = new QLineEdit(this);
    FFilter->setObjectName(QStringLiteral("EdFilter"));
    FFilter->setPlaceholderText(tr("Filter"));
    FFilter->setClearButtonEnabled(true);
    layout->addWidget(FFilter);
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
    // A click on a value goes on in its editor, so that typing edits it.
    connect(FTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row, int column) {
        if (column != 1 || row != FTree->currentItem())
            return;
        if (QWidget* cell = ValueEditor())
            if (QWidget* input = cell->findChild<QWidget*>())
                input->setFocus(Qt::MouseFocusReason);
    });
    connect(FTree, &QTreeWidget::itemChanged, this, &TQzObjectInspector::rowChanged);
    connect(FPages, &QTabBar::currentChanged, this, [this] {
        CommitPending();
        Refresh();
    });
    connect(FFilter, &QLineEdit::textChanged, this, &TQzObjectInspector::applyFilter);
    connect(FSelector, &QComboBox::activated, this, &TQzObjectInspector::selectorActivated);
}

TQzObjectInspector::~TQzObjectInspector() {
    clearRows();
}

void TQzObjectInspector::SetDesigner(IDesigner* designer) {
    if (designer != FDesigner)
        CommitPending();
    FDesigner = designer;
    Refresh();
}

void TQzObjectInspector::ShowPage(TPage page) {
    FPages->setCurrentIndex(int(page));
}

TQzObjectInspector::TPage TQzObjectInspector::Page() const {
    return FPages->currentIndex() == int(Events) ? Events : Properties;
}

void TQzObjectInspector::SetFilter(const QString& text) {
    FFilter->setText(text);
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
    row->setData(0, EditorRole, QVariant::fromValue(quintptr(editor.get())));
    // One height for every row, whatever edits it.
    row->setSizeHint(0, QSize(0, std::max(20, fontMetrics().height() + 6)));
    // The members of a set are a check list; nothing else is checked.
    const bool member = parent && dynamic_cast<TSetProperty*>(RowEditor(parent));
    row->setData(0, MemberRole, member);
    row->setFlags(member ? row->flags() | Qt::ItemIsUserCheckable
                         : row->flags() & ~Qt::ItemIsUserCheckable);
    if (QzInspectorAttributes(editor.get()) & paSubProperties)
        row->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    FEditors.push_back(std::move(editor));
    showValue(row);
}

void TQzObjectInspector::addRows(QTreeWidgetItem* parent,
                                 std::vector<std::unique_ptr<TPropertyEditor>> editors, bool sort) {
    if (sort)
        std::stable_sort(editors.begin(), editors.end(), [](const auto& a, const auto& b) {
            const bool aHeld = dynamic_cast<TNestedObjectProperty*>(a.get());
            const bool bHeld = dynamic_cast<TNestedObjectProperty*>(b.get());
            if (aHeld || bHeld)
                return !aHeld && bHeld;
            return a->GetName().compare(b->GetName(), Qt::CaseInsensitive) < 0;
        });
    for (auto& editor : editors)
        addRow(parent, std::move(editor));
}

void TQzObjectInspector::showValue(QTreeWidgetItem* row) {
    TPropertyEditor* editor = RowEditor(row);
    QString raw;
    const QString shown = QzInspectorValueText(editor, &raw);
    const QSignalBlocker blocker(FTree);
    row->setData(1, RawValueRole, raw);
    row->setToolTip(1, raw);
    if (isMember(row)) {
        row->setCheckState(1, raw == u"True" ? Qt::Checked : Qt::Unchecked);
        return;
    }
    row->setText(1, shown);
    if (dynamic_cast<TColorProperty*>(editor)) {
        const std::optional<int> color = QzIdentToColor(raw);
        row->setIcon(1, color ? swatch(QzColorToQColor(*color), fontMetrics().height()) : QIcon());
    }
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
    std::vector<std::unique_ptr<TPropertyEditor>> children;
    QzRunShowingErrors([&] {
        editor->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
            if (!(QzInspectorAttributes(child.get()) & paNotNestable))
                children.push_back(std::move(child));
        });
    });
    // A set lists its members in their order.
    addRows(row, std::move(children), !dynamic_cast<TSetProperty*>(editor));
    if (row->childCount() == 0)
        row->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString TQzObjectInspector::SelectionText() const {
    return FSelector->currentIndex() >= 0 ? FSelector->currentText() : FSelector->placeholderText();
}

QStringList TQzObjectInspector::PropertyNames() const {
    QStringList names;
    for (int i = 0; i < FTree->topLevelItemCount(); ++i)
        if (!FTree->topLevelItem(i)->isHidden())
            names << FTree->topLevelItem(i)->text(0);
    return names;
}

void TQzObjectInspector::fillSelector() {
    const QSignalBlocker blocker(FSelector);
    FSelector->clear();
    auto* form = dynamic_cast<TQzFormDesigner*>(FDesigner);
    const QList<TPersistent*> selection =
        FDesigner ? FDesigner->GetSelections() : QList<TPersistent*>();
    if (form)
        for (const TQzFormObject& object : QzFormObjects(form->GetRoot(), form->FormClassName()))
            FSelector->addItem(QString(object.Depth * 2, u' ') + object.Name +
                                   QStringLiteral(": ") + object.ClassName,
                               object.Path);
    FSelector->setPlaceholderText(selection.size() > 1
                                      ? tr("%n components selected", nullptr, int(selection.size()))
                                      : QString());
    if (selection.size() != 1) {
        FSelector->setCurrentIndex(-1);
        return;
    }
    TPersistent* selected = selection.first();
    const int index = FSelector->findData(selected->GetNamePath(), SelectorPathRole);
    if (index >= 0) {
        FSelector->setCurrentIndex(index);
        // The list indents by depth; what is selected reads without it.
        FSelector->setItemText(index, FSelector->itemText(index).trimmed());
        return;
    }
    // Something the form's tree does not list (a sub-object a design window selected).
    FSelector->addItem(selected->GetNamePath() + QStringLiteral(": ") + selected->ClassName());
    FSelector->setCurrentIndex(FSelector->count() - 1);
}

void TQzObjectInspector::selectorActivated(int index) {
    auto* form = dynamic_cast<TQzFormDesigner*>(FDesigner);
    if (!form)
        return;
    if (TPersistent* object =
            form->FindByNamePath(FSelector->itemData(index, SelectorPathRole).toString()))
        form->SelectComponent(object);
}

void TQzObjectInspector::Refresh() {
    // The editor at work may be among the rows; the refresh follows when it is done.
    if (FBusy > 0) {
        FRefreshWanted = true;
        return;
    }
    FRefreshWanted = false;
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
    fillSelector();

    const QList<TPersistent*> selection =
        FDesigner ? FDesigner->GetSelections() : QList<TPersistent*>();
    if (selection.isEmpty())
        return;
    std::vector<std::unique_ptr<TPropertyEditor>> editors;
    const bool events = Page() == Events;
    QzRunShowingErrors([&] {
        GetComponentProperties(FDesigner, selection, [&](std::unique_ptr<TPropertyEditor> editor) {
            if (isEvent(editor.get()) == events)
                editors.push_back(std::move(editor));
        });
    });
    addRows(nullptr, std::move(editors), true);
    applyFilter();
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

void TQzObjectInspector::applyFilter() {
    const QString text = FFilter->text().trimmed();
    for (int i = 0; i < FTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = FTree->topLevelItem(i);
        row->setHidden(!text.isEmpty() && !row->text(0).contains(text, Qt::CaseInsensitive));
    }
}

void TQzObjectInspector::updateValues() {
    for (QTreeWidgetItemIterator it(FTree); *it; ++it)
        showValue(*it);
    // The current row's editor shows the value the property took (or kept, when refused).
    if (QTreeWidgetItem* row = FTree->currentItem()) {
        const QString raw = row->data(1, RawValueRole).toString();
        if (QWidget* cell = FTree->itemWidget(row, 1)) {
            if (auto* combo = cell->findChild<QComboBox*>()) {
                const QSignalBlocker blocker(combo);
                combo->setCurrentIndex(combo->findText(raw));
                if (combo->isEditable()) {
                    combo->setEditText(raw);
                    combo->lineEdit()->setModified(false);
                }
            } else if (auto* edit = cell->findChild<QLineEdit*>(); edit && edit->text() != raw) {
                edit->setText(raw);
                edit->setModified(false);
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

bool TQzObjectInspector::CommitPending() {
    QTreeWidgetItem* row = FTree->currentItem();
    return !row || commitRow(row);
}

bool TQzObjectInspector::commitRow(QTreeWidgetItem* row) {
    QWidget* cell = FTree->itemWidget(row, 1);
    if (!cell)
        return true;
    auto* edit = cell->findChild<QLineEdit*>();
    if (!edit || !edit->isModified())
        return true;
    edit->setModified(false);
    return commit(FGeneration, row->data(0, PathRole).toString(), edit->text());
}

void TQzObjectInspector::currentRowChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    // Leaving a row by key from its editor goes on in the next row's editor.
    QWidget* focus = QApplication::focusWidget();
    const bool wasEditing = focus && FTree->isAncestorOf(focus);
    if (previous) {
        // What was typed there counts, as when Enter had been pressed.
        commitRow(previous);
        FTree->removeItemWidget(previous, 1);
    }
    if (!current)
        return;
    // What the editor does while its widget is made must not see its row taken away by a
    // refresh from the events loop.
    ++FBusy;
    QWidget* cell = createValueEditor(current);
    --FBusy;
    if (cell)
        FTree->setItemWidget(current, 1, cell);
    if (wasEditing) {
        QWidget* input = cell ? cell->findChild<QWidget*>() : nullptr;
        if (input)
            input->setFocus();
        else
            FTree->setFocus();
    }
    if (FRefreshWanted && FBusy == 0)
        scheduleRefresh();
}

QWidget* TQzObjectInspector::createValueEditor(QTreeWidgetItem* row) {
    TPropertyEditor* editor = RowEditor(row);
    const TPropertyAttributes attributes = QzInspectorAttributes(editor);
    const bool readOnly = attributes & paReadOnly;
    if ((readOnly && !(attributes & (paDialog | paValueList))) || isMember(row))
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
        combo->setFrame(false);
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
        // A list that cannot be read leaves the row editable and says why it is empty.
        QStringList values;
        QString failure;
        try {
            editor->GetValues([&](const QString& v) { values << v; });
        } catch (const Exception& e) {
            failure = e.Message();
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
        if (!failure.isEmpty()) {
            values.clear();
            combo->setToolTip(tr("The values cannot be listed: %1").arg(failure));
        }
        if (attributes & paSortList)
            values.sort(Qt::CaseInsensitive);
        const bool colors = dynamic_cast<TColorProperty*>(editor);
        for (const QString& v : values) {
            const std::optional<int> color = colors ? QzIdentToColor(v) : std::nullopt;
            if (color)
                combo->addItem(swatch(QzColorToQColor(*color), fontMetrics().height()), v);
            else
                combo->addItem(v);
        }
        combo->setCurrentIndex(int(values.indexOf(value)));
        if (combo->isEditable()) {
            combo->setEditText(value);
            combo->lineEdit()->setModified(false);
        }
        connect(combo, &QComboBox::activated, this, [this, combo, generation, path](int index) {
            if (combo->isEditable())
                combo->lineEdit()->setModified(false);
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
        edit->installEventFilter(this);
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
            connect(edit, &QLineEdit::textEdited, this,
                    [this, edit, generation, path](const QString& text) {
                        edit->setModified(false);
                        commit(generation, path, text);
                    });
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

bool TQzObjectInspector::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) ||
            (key->matches(QKeySequence::Redo) && !edit->isRedoAvailable())) {
            // Not taken by the edit, so that the window's undo and redo get it.
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TQzObjectInspector::rowDoubleClicked(QTreeWidgetItem* row, int column) {
    TPropertyEditor* editor = RowEditor(row);
    const TPropertyAttributes attributes = QzInspectorAttributes(editor);
    const QString path = row->data(0, PathRole).toString();
    // An event's handler is made, or shown, as designers do.
    if ((attributes & paDialog) || isEvent(editor)) {
        editRow(FGeneration, path);
        return;
    }
    if (column != 1 || !(attributes & paValueList) || (attributes & paReadOnly))
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

void TQzObjectInspector::rowChanged(QTreeWidgetItem* row, int column) {
    if (column != 1 || !isMember(row))
        return;
    const QString value =
        row->checkState(1) == Qt::Checked ? QStringLiteral("True") : QStringLiteral("False");
    if (value != row->data(1, RawValueRole).toString())
        commit(FGeneration, row->data(0, PathRole).toString(), value);
}

bool TQzObjectInspector::commit(int generation, const QString& path, const QString& text) {
    if (generation != FGeneration)
        return true;
    QTreeWidgetItem* row = existingRow(path);
    if (!row)
        return true;
    TPropertyEditor* editor = RowEditor(row);
    return runEditorAction(path, [&] { editor->SetValue(text); });
}

void TQzObjectInspector::editRow(int generation, const QString& path) {
    if (generation != FGeneration)
        return;
    QTreeWidgetItem* row = existingRow(path);
    if (!row)
        return;
    TPropertyEditor* editor = RowEditor(row);
    runEditorAction(path, [&] { editor->Edit(); });
}

bool TQzObjectInspector::runEditorAction(const QString& path, const std::function<void()>& action) {
    ++FBusy;
    bool done = false;
    {
        const TQzDesignChange change(FDesigner, tr("Change %1").arg(path));
        done = QzRunShowingErrors(action);
    }
    --FBusy;
    if (FBusy > 0)
        return done;
    // The rows stay while the widget that sent the change may still be running; they show
    // the new values at once and are read again from the events loop.
    updateValues();
    scheduleRefresh();
    return done;
}
