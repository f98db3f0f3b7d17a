#include "controls/QzCollectionEditor.h"
#include "controls/QzCollectionEntries.h"

#include "Controls.h"
#include "QzContainers.h"
#include "QzControlBase.h"
#include "QzExcept.h"
#include "QzMsg.h"
#include "ui_TFrCollection.h"

#include <QAction>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMetaProperty>

using namespace QzCollectionEntries;

// ---------------------------------------------------------------------------------------------
// TFrCollection

TFrCollection::TFrCollection(QWidget* parent)
    : TDesignWindow(parent), FUi(std::make_unique<Ui::TFrCollection>()) {
    FUi->setupUi(this);
    InitControls();
}

TFrCollection::TFrCollection(QWidget* parent, TOwnLayout) : TDesignWindow(parent) {}

TFrCollection::~TFrCollection() = default;

void TFrCollection::InitControls() {
    FLb = findChild<QListWidget*>(QStringLiteral("lb"));
    FBtDelete = findChild<QPushButton*>(QStringLiteral("BtDelete"));
    FBtOwner = findChild<QPushButton*>(QStringLiteral("BtOwner"));
    FBtMoveUp = findChild<QPushButton*>(QStringLiteral("BtMoveUp"));
    FBtMoveDown = findChild<QPushButton*>(QStringLiteral("BtMoveDown"));
    const std::pair<const char*, void (TFrCollection::*)()> buttons[] = {
        {"BtAdd", &TFrCollection::BtAddClick},
        {"BtInsert", &TFrCollection::BtInsertClick},
        {"BtDelete", &TFrCollection::BtDeleteClick},
        {"BtOwner", &TFrCollection::BtOwnerClick},
        {"BtMoveUp", &TFrCollection::BtMoveUpClick},
        {"BtMoveDown", &TFrCollection::BtMoveDownClick}};
    for (const auto& [name, handler] : buttons)
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this,
                [this, handler = handler] { guarded([this, handler] { (this->*handler)(); }); });
    struct TMenuCommand {
        const char* Name;
        const char* Caption;
        QKeySequence Keys;
        void (TFrCollection::*Handler)();
    };
    const TMenuCommand commands[] = {
        {"MnFirst", "&First", QKeySequence(), &TFrCollection::MnFirstClick},
        {"MnLast", "&Last", QKeySequence(), &TFrCollection::MnLastClick},
        {"Clear1", "&Clear", QKeySequence(), &TFrCollection::Clear1Click},
        {"Find1", "Find", QKeySequence(Qt::CTRL | Qt::Key_F), &TFrCollection::Find1Click}};
    for (const TMenuCommand& command : commands) {
        auto* action = new QAction(QString::fromLatin1(command.Caption), FLb);
        action->setObjectName(QString::fromLatin1(command.Name));
        action->setShortcut(command.Keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        FLb->addAction(action);
        const auto handler = command.Handler;
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    }
    FLb->viewport()->installEventFilter(this);
    FLb->setDefaultDropAction(Qt::CopyAction);
    // Mouse and keys move the selection alike; the designer follows either. A click moves the
    // current row before it selects, so the selection is what counts.
    connect(FLb, &QListWidget::itemSelectionChanged, this, [this] {
        if (!FSyncing)
            SyncSelected();
        AdjustButtons();
    });
}

TFrCollection* TFrCollection::CollectionEditorOf(const TCollection* collection) {
    for (TDesignWindow* window : DesignWindows())
        if (auto* editor = qobject_cast<TFrCollection*>(window);
            editor && editor->Collection() == collection)
            return editor;
    return nullptr;
}

TFrCollection* TFrCollection::ShowCollectionEditor(TCollection* collection, IDesigner* designer,
                                                   bool pageControl) {
    TFrCollection* editor = CollectionEditorOf(collection);
    if (!editor) {
        editor = pageControl ? new TFrCollPageControl : new TFrCollection;
        editor->SetCollection(collection);
        editor->SetDesigner(designer);
        editor->setWindowTitle(QStringLiteral("Editing ") + collection->GetNamePath());
        editor->DisplayInfo(true);
    }
    editor->Execute();
    return editor;
}

void TFrCollection::SetCollection(TCollection* collection) {
    if (FCollection)
        disconnect(FCollection, nullptr, this, nullptr);
    FCollection = collection;
    // The window must not outlive the collection it lists.
    if (collection)
        connect(collection, &QObject::destroyed, this, [this] {
            FSaved.clear();
            hide();
            deleteLater();
        });
}

void TFrCollection::selectRow(QListWidget* list, int row) {
    const bool syncing = FSyncing;
    FSyncing = true;
    list->setCurrentRow(row);
    if (row < 0)
        list->clearSelection();
    FSyncing = syncing;
}

TCollectionItem* TFrCollection::SelectedItem() const {
    if (!FLb->currentItem() || !FLb->currentItem()->isSelected())
        return nullptr;
    return liveItem(FCollection, entryData(FLb, FLb->currentRow()));
}

void TFrCollection::Execute() {
    DisplayInfo(true);
    EnterSelections();
    SyncSelected();
    CheckItemHeight();
    AdjustButtons();
    show();
    raise();
    activateWindow();
}

QString TFrCollection::DoDrawText(int index) const {
    if (!FCollection || index < 0 || index >= FCollection->Count())
        return QString();
    return QStringLiteral("%1 - %2").arg(index).arg(FCollection->Items(index)->DisplayName());
}

void TFrCollection::DisplayInfo(bool select) {
    if (FUpdating || !FCollection)
        return;
    const bool syncing = FSyncing;
    FSyncing = true;
    TCollectionItem* remembered = SelectedItem();
    for (int i = 0; i < FCollection->Count(); ++i)
        setEntry(FLb, i, DoDrawText(i), FCollection->Items(i));
    while (FLb->count() > FCollection->Count())
        delete FLb->takeItem(FLb->count() - 1);
    for (int row = 0; row < FLb->count(); ++row)
        FLb->item(row)->setSizeHint(QSize(-1, FItemHeight));
    if (select)
        selectRow(FLb, rowOf(FLb, remembered));
    FSyncing = syncing;
    AdjustButtons();
}

void TFrCollection::CheckItemHeight() {
    const int height = QFontMetrics(FLb->font()).boundingRect(QStringLiteral("A")).height();
    if (height > FItemHeight) {
        FItemHeight = height;
        for (int row = 0; row < FLb->count(); ++row)
            FLb->item(row)->setSizeHint(QSize(-1, FItemHeight));
    }
}

void TFrCollection::AdjustButtons() {
    if (!FLb)
        return;
    const int row = SelectedItem() ? FLb->currentRow() : -1;
    FBtDelete->setEnabled(row >= 0);
    FBtMoveUp->setEnabled(row > 0);
    FBtMoveDown->setEnabled(row >= 0 && row < FLb->count() - 1);
    FBtOwner->setEnabled(FCollection && FCollection->GetOwner());
}

// ---- The designer

void TFrCollection::SelectComponent(TPersistent* persistent) {
    if (!persistent)
        return;
    if (Designer()) {
        FLastSelection = {persistent};
        Designer()->SelectComponent(persistent);
    }
    auto* control = FCollection ? qobject_cast<TControl*>(FCollection->GetOwner()) : nullptr;
    if (auto* item = qobject_cast<TCollectionItem*>(persistent); control && item)
        QzMasterMessage(control, QzShowItemMessage, item);
}

void TFrCollection::SyncSelected() {
    if (TCollectionItem* item = SelectedItem())
        SelectComponent(item);
    else
        SelectComponent(FCollection);
}

void TFrCollection::EnterSelections() {
    FSaved.clear();
    if (Designer())
        for (TPersistent* persistent : Designer()->GetSelections())
            FSaved << persistent;
}

void TFrCollection::ExitSelections() {
    auto* owner = FCollection ? qobject_cast<TComponent*>(FCollection->GetOwner()) : nullptr;
    if (!Designer() || !owner || FSaved.isEmpty())
        return;
    TComponent* root = Designer()->GetRoot();
    bool onForm = owner == root;
    for (const TComponent* c = owner; c && !onForm; c = c->Owner())
        onForm = c->Owner() == root;
    if (!onForm)
        return;
    QList<TPersistent*> selection;
    for (const QPointer<TPersistent>& persistent : FSaved)
        if (persistent)
            selection << persistent.data();
    FSaved.clear();
    FLastSelection = selection;
    Designer()->SetSelections(selection);
}

void TFrCollection::ItemsModified(IDesigner* designer) {
    if (designer == Designer())
        DisplayInfo(true);
}

// Undo and redo read the form back: the window goes on with the collection the same property of
// the component of the same name holds now.
void TFrCollection::FormReplaced(IDesigner* designer, TComponent* oldRoot, TComponent* newRoot) {
    TCollection* collection = nullptr;
    auto* owner = FCollection ? qobject_cast<TComponent*>(FCollection->GetOwner()) : nullptr;
    if (TComponent* counterpart =
            designer == Designer() ? CounterpartOf(owner, oldRoot, newRoot) : nullptr) {
        const QMetaObject* meta = owner->metaObject();
        for (int i = 0; i < meta->propertyCount() && !collection; ++i)
            if (meta->property(i).read(owner).value<QObject*>() == FCollection)
                collection = qobject_cast<TCollection*>(
                    meta->property(i).read(counterpart).value<QObject*>());
    }
    if (!collection) {
        TDesignWindow::FormReplaced(designer, oldRoot, newRoot);
        return;
    }
    FSaved.clear();
    FLastSelection.clear();
    FLb->clear();
    SetCollection(collection);
    DisplayInfo(false);
    AdjustButtons();
}

void TFrCollection::SelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection) {
    // The window's own selection coming back changes nothing here.
    if (selection == FLastSelection) {
        FLastSelection.clear();
        return;
    }
    FLastSelection.clear();
    if (designer != Designer() || selection.isEmpty())
        return;
    auto* item = qobject_cast<TCollectionItem*>(selection.first());
    if (item && item->Collection() == FCollection && FCollection)
        selectRow(FLb, rowOf(FLb, item));
}

void TFrCollection::hideEvent(QHideEvent* event) {
    ExitSelections();
    TDesignWindow::hideEvent(event);
}

// ---- Commands

void TFrCollection::BtAddClick() {
    if (!FCollection)
        return;
    TCollectionItem* item = FCollection->Add();
    DisplayInfo(false);
    selectRow(FLb, item->Index());
    SelectComponent(item);
    if (Designer())
        Designer()->Modified();
}

void TFrCollection::BtInsertClick() {
    if (!FCollection)
        return;
    const int index = SelectedItem() ? FLb->currentRow() : std::max(0, FCollection->Count() - 1);
    TCollectionItem* item = FCollection->Insert(index);
    DisplayInfo(false);
    selectRow(FLb, item->Index());
    SelectComponent(item);
    if (Designer())
        Designer()->Modified();
}

void TFrCollection::BtDeleteClick() {
    TCollectionItem* item = SelectedItem();
    if (!FCollection || !item)
        return;
    const int row = FLb->currentRow();
    FUpdating = true;
    {
        const bool syncing = FSyncing;
        FSyncing = true;
        delete FLb->takeItem(row);
        FSyncing = syncing;
    }
    const int next = std::min(row, FLb->count() - 1);
    selectRow(FLb, next);
    TCollectionItem* nextItem = liveItem(FCollection, entryData(FLb, next));
    if (Designer())
        Designer()->SelectComponent(nextItem ? static_cast<TPersistent*>(nextItem)
                                             : FCollection.data());
    FLastSelection = Designer() ? Designer()->GetSelections() : QList<TPersistent*>{};
    delete item;
    if (nextItem)
        if (auto* control = qobject_cast<TControl*>(FCollection->GetOwner()))
            QzMasterMessage(control, QzShowItemMessage, nextItem);
    FUpdating = false;
    DisplayInfo(true);
    if (Designer())
        Designer()->Modified();
}

void TFrCollection::BtOwnerClick() {
    if (FCollection && FCollection->GetOwner() && Designer())
        Designer()->SelectComponent(FCollection->GetOwner());
}

void TFrCollection::moveTo(int index) {
    TCollectionItem* item = SelectedItem();
    if (!item || index < 0 || index >= FCollection->Count() || index == item->Index())
        return;
    item->SetIndex(index);
    DisplayInfo(true);
    if (Designer())
        Designer()->Modified();
    SyncSelected();
}

void TFrCollection::BtMoveUpClick() {
    if (TCollectionItem* item = SelectedItem())
        moveTo(item->Index() - 1);
}

void TFrCollection::BtMoveDownClick() {
    if (TCollectionItem* item = SelectedItem())
        moveTo(item->Index() + 1);
}

void TFrCollection::lbDragDrop(int row) {
    if (!FCollection || !SelectedItem())
        return;
    moveTo(row >= 0 && row < FLb->count() ? row : FLb->count() - 1);
}

void TFrCollection::MnFirstClick() {
    if (FLb->count() > 0) {
        selectRow(FLb, 0);
        SyncSelected();
    }
}

void TFrCollection::MnLastClick() {
    if (FLb->count() > 0) {
        selectRow(FLb, FLb->count() - 1);
        SyncSelected();
    }
}

void TFrCollection::Clear1Click() {
    if (!FCollection)
        return;
    FUpdating = true;
    FCollection->Clear();
    FUpdating = false;
    DisplayInfo(true);
    if (Designer())
        Designer()->Modified();
    SyncSelected();
}

bool TFrCollection::matches(const QString& entry, const TQzFindRequest& request) const {
    const Qt::CaseSensitivity cs = request.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return request.WholeWord ? entry.compare(request.Text, cs) == 0
                             : entry.contains(request.Text, cs);
}

void TFrCollection::Find1Click() {
    TQzFindRequest request;
    // Each press of Find Next looks on from the entry found last, until the dialog is closed.
    while (const std::optional<TQzFindRequest> press = QzUi().FindDialog(request)) {
        request = *press;
        const int selected = SelectedItem() ? FLb->currentRow() : -1;
        const int step = request.Down ? 1 : -1;
        int row = selected >= 0 ? selected + step : (request.Down ? 0 : FLb->count() - 1);
        for (; row >= 0 && row < FLb->count(); row += step)
            if (matches(FLb->item(row)->text(), request))
                break;
        if (row >= 0 && row < FLb->count()) {
            selectRow(FLb, row);
            SyncSelected();
        }
    }
}

bool TFrCollection::eventFilter(QObject* watched, QEvent* event) {
    if (!FLb || watched != FLb->viewport())
        return TDesignWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->source() == FLb && SelectedItem()) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        // Taken as a copy, so the list removes nothing itself; the item is moved here.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (drop->source() == FLb)
            guarded([&] { lbDragDrop(FLb->row(FLb->itemAt(drop->position().toPoint()))); });
        return true;
    }
    default:
        return TDesignWindow::eventFilter(watched, event);
    }
}
