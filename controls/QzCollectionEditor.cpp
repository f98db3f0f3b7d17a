#include "controls/QzCollectionEditor.h"

#include "Controls.h"
#include "QzContainers.h"
#include "QzControlBase.h"
#include "QzExcept.h"
#include "QzMsg.h"
#include "ui_TFrCollPageControl.h"
#include "ui_TFrCollection.h"

#include <QAction>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMetaProperty>

namespace {

const QString NoneEntry = QStringLiteral("<None>");

QObject* entryData(const QListWidget* list, int row) {
    const QListWidgetItem* entry = row >= 0 ? list->item(row) : nullptr;
    return entry ? entry->data(Qt::UserRole).value<QObject*>() : nullptr;
}

// The lists keep plain pointers, and items and sheets may be freed elsewhere: one is taken only
// while the collection or the page control still holds it.
TCollectionItem* liveItem(const TCollection* collection, const QObject* object) {
    if (collection && object)
        for (int i = 0; i < collection->Count(); ++i)
            if (collection->Items(i) == object)
                return collection->Items(i);
    return nullptr;
}

TQzTabSheet* liveSheet(const TQzCustomPageControl* control, const QObject* object) {
    if (control && object)
        for (TQzTabSheet* sheet : control->TabSheets())
            if (sheet == object)
                return sheet;
    return nullptr;
}

int rowOf(const QListWidget* list, const QObject* object) {
    for (int row = 0; row < list->count(); ++row)
        if (entryData(list, row) == object)
            return row;
    return -1;
}

// Sets an entry's text and object where they differ, appending it when the list is shorter.
void setEntry(QListWidget* list, int row, const QString& text, QObject* object) {
    QListWidgetItem* entry = list->item(row);
    if (!entry) {
        entry = new QListWidgetItem(text, list);
        entry->setData(Qt::UserRole, QVariant::fromValue(object));
        return;
    }
    if (entry->text() != text)
        entry->setText(text);
    if (entryData(list, row) != object)
        entry->setData(Qt::UserRole, QVariant::fromValue(object));
}

// Frees `sheet` with the controls placed on it, innermost first, as the designer deletes a
// control: controls left without their parent would be lost on the form.
void freeWithControls(TQzTabSheet* sheet, TComponent* root) {
    QList<QPointer<TComponent>> doomed;
    if (root)
        for (TComponent* component : root->ComponentList())
            if (auto* control = qobject_cast<TControl*>(component);
                control && control != sheet && sheet->ContainsControl(control))
                doomed << control;
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        delete it->data();
    delete sheet;
}

} // namespace

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

template <typename F>
void TFrCollection::guarded(F&& handler) {
    try {
        handler();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
    AdjustButtons();
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

// ---------------------------------------------------------------------------------------------
// TFrCollPageControl

TFrCollPageControl::TFrCollPageControl(QWidget* parent)
    : TFrCollection(parent, TOwnLayout{}), FUi(std::make_unique<Ui::TFrCollPageControl>()) {
    FUi->setupUi(this);
    InitControls();
    auto* add = new QAction(QStringLiteral("Add TabSheet"), FUi->lbts);
    add->setObjectName(QStringLiteral("AddTabSheet1"));
    auto* remove = new QAction(QStringLiteral("Remove TabSheet"), FUi->lbts);
    remove->setObjectName(QStringLiteral("RemoveTabSheet1"));
    FUi->lbts->addAction(add);
    FUi->lbts->addAction(remove);
    connect(add, &QAction::triggered, this, [this] { guarded([this] { AddTabSheet1Click(); }); });
    connect(remove, &QAction::triggered, this,
            [this] { guarded([this] { RemoveTabSheet1Click(); }); });
    connect(FUi->lb, &QListWidget::itemSelectionChanged, this, [this] {
        if (!FSyncing)
            SyncCBTabSheet();
    });
    connect(FUi->lbts, &QListWidget::itemSelectionChanged, this, [this] {
        if (!FSyncing)
            SyncCBTab();
    });
    connect(FUi->CBTabSheet, &QComboBox::activated, this,
            [this] { guarded([this] { CBTabSheetChange(); }); });
    connect(FUi->CBTab, &QComboBox::activated, this,
            [this] { guarded([this] { CBTabChange(); }); });
}

TFrCollPageControl::~TFrCollPageControl() = default;

TQzCustomPageControl* TFrCollPageControl::PageControl() const {
    return Collection() ? qobject_cast<TQzCustomPageControl*>(Collection()->GetOwner()) : nullptr;
}

QListWidget* TFrCollPageControl::lbts() const {
    return FUi->lbts;
}

QComboBox* TFrCollPageControl::CBTab() const {
    return FUi->CBTab;
}

QComboBox* TFrCollPageControl::CBTabSheet() const {
    return FUi->CBTabSheet;
}

TQzTabSheet* TFrCollPageControl::SelectedSheet() const {
    const QListWidgetItem* entry = FUi->lbts->currentItem();
    if (!entry || !entry->isSelected())
        return nullptr;
    return liveSheet(PageControl(), entry->data(Qt::UserRole).value<QObject*>());
}

void TFrCollPageControl::fillCombo(QComboBox* combo, const QListWidget* list) {
    const QSignalBlocker block(combo);
    const QString current = combo->currentText();
    combo->clear();
    for (int row = 0; row < list->count(); ++row)
        combo->addItem(list->item(row)->text(), QVariant::fromValue(entryData(list, row)));
    combo->addItem(NoneEntry);
    const int at = combo->findText(current);
    combo->setCurrentIndex(at >= 0 ? at : combo->count() - 1);
}

void TFrCollPageControl::DisplayInfo(bool select) {
    DisplayTabs(select);
    DisplayTabSheets(select);
}

void TFrCollPageControl::DisplayTabs(bool select) {
    TFrCollection::DisplayInfo(select);
    fillCombo(FUi->CBTab, FUi->lb);
}

void TFrCollPageControl::DisplayTabSheets(bool select) {
    const bool syncing = FSyncing;
    FSyncing = true;
    QObject* remembered = SelectedSheet();
    FUi->lbts->clear();
    if (TQzCustomPageControl* control = PageControl())
        for (TQzTabSheet* sheet : control->TabSheets()) {
            auto* entry = new QListWidgetItem(sheet->Name(), FUi->lbts);
            entry->setData(Qt::UserRole, QVariant::fromValue<QObject*>(sheet));
        }
    FUi->lbts->sortItems();
    if (select)
        selectRow(FUi->lbts, rowOf(FUi->lbts, remembered));
    FSyncing = syncing;
    fillCombo(FUi->CBTabSheet, FUi->lbts);
}

void TFrCollPageControl::SyncCBTabSheet() {
    auto* tab = qobject_cast<TQzTabControl*>(SelectedItem());
    TQzTabSheet* sheet = nullptr;
    if (tab && tab->PageId() != 0 && PageControl())
        sheet = PageControl()->FindTabSheet(tab->PageId());
    const int row = rowOf(FUi->lbts, sheet);
    const QSignalBlocker block(FUi->CBTabSheet);
    FUi->CBTabSheet->setCurrentIndex(row >= 0 ? row : FUi->CBTabSheet->count() - 1);
    selectRow(FUi->lbts, row);
}

void TFrCollPageControl::SyncCBTab() {
    TQzTabSheet* sheet = SelectedSheet();
    int found = -1;
    // Page id 0 stands for no sheet: no tab shows a sheet through it.
    if (sheet && sheet->FPageId != 0)
        for (int i = 0; i < FUi->CBTab->count() - 1 && found < 0; ++i)
            if (auto* tab = qobject_cast<TQzTabControl*>(
                    liveItem(Collection(), FUi->CBTab->itemData(i).value<QObject*>()));
                tab && tab->PageId() == sheet->FPageId)
                found = i;
    const QSignalBlocker block(FUi->CBTab);
    FUi->CBTab->setCurrentIndex(found >= 0 ? found : FUi->CBTab->count() - 1);
    selectRow(FUi->lb, -1);
    if (found >= 0)
        selectRow(FUi->lb, found);
}

void TFrCollPageControl::linkTab(TCollectionItem* item, int pageId) {
    auto* tab = qobject_cast<TQzTabControl*>(item);
    if (!tab || !PageControl())
        return;
    // A sheet shows under one tab: the tab that showed it lets go.
    if (pageId != 0)
        if (TQzTabControl* holder = PageControl()->FindTab(pageId); holder && holder != tab)
            holder->SetPageId(0);
    tab->SetPageId(pageId);
}

void TFrCollPageControl::CBTabSheetChange() {
    TCollectionItem* tab = SelectedItem();
    const int index = FUi->CBTabSheet->currentIndex();
    if (!tab) {
        const QSignalBlocker block(FUi->CBTabSheet);
        FUi->CBTabSheet->setCurrentIndex(FUi->CBTabSheet->count() - 1);
        return;
    }
    TQzTabSheet* sheet =
        liveSheet(PageControl(), FUi->CBTabSheet->itemData(index).value<QObject*>());
    try {
        linkTab(tab, sheet ? sheet->FPageId : 0);
    } catch (...) {
        SyncCBTabSheet();
        throw;
    }
    DisplayTabs(true);
    SyncCBTabSheet();
    if (Designer())
        Designer()->Modified();
}

void TFrCollPageControl::CBTabChange() {
    TQzTabSheet* sheet = SelectedSheet();
    if (!sheet)
        return;
    const int index = FUi->CBTab->currentIndex();
    auto* tab = qobject_cast<TQzTabControl*>(
        liveItem(Collection(), FUi->CBTab->itemData(index).value<QObject*>()));
    if (tab) {
        linkTab(tab, sheet->FPageId);
        selectRow(FUi->lb, rowOf(FUi->lb, tab));
        SyncSelected();
    } else if (TQzTabControl* shown = sheet->GetTab()) {
        shown->SetPageId(0);
    }
    DisplayTabs(true);
    SyncCBTab();
    if (Designer())
        Designer()->Modified();
}

void TFrCollPageControl::AddTabSheet1Click() {
    TQzCustomPageControl* control = PageControl();
    if (!control || !Designer())
        return;
    // A page id of its own, so that a tab can be linked to the new sheet.
    int pageId = 1;
    for (int i = 0; i < control->Tabs()->Count(); ++i)
        pageId = std::max(pageId, control->GetTab(i)->PageId() + 1);
    for (const TQzTabSheet* sheet : control->TabSheets())
        pageId = std::max(pageId, sheet->FPageId + 1);
    auto* sheet = qobject_cast<TQzTabSheet*>(
        Designer()->CreateComponent(ClassOf<TQzTabSheet>(), control, -1, -1, -1, -1));
    if (!sheet)
        return;
    sheet->FPageId = pageId;
    sheet->SetBounds(4, 24, std::max(0, control->Width() - 8), std::max(0, control->Height() - 28));
    DisplayTabSheets(true);
    selectRow(FUi->lbts, rowOf(FUi->lbts, sheet));
    SyncCBTab();
    const QSignalBlocker block(FUi->CBTabSheet);
    FUi->CBTabSheet->setCurrentIndex(FUi->CBTabSheet->count() - 1);
    Designer()->Modified();
}

void TFrCollPageControl::RemoveTabSheet1Click() {
    TQzTabSheet* sheet = SelectedSheet();
    if (sheet) {
        if (sheet->ComponentState() & csAncestor)
            QzExcept(QStringLiteral("Component was introduced in an ancestor form"));
        const int row = FUi->lbts->currentRow();
        freeWithControls(sheet, Designer() ? Designer()->GetRoot() : sheet->Owner());
        DisplayTabSheets(false);
        DisplayTabs(true);
        selectRow(FUi->lbts, std::min(row, FUi->lbts->count() - 1));
        SyncCBTabSheet();
        SyncCBTab();
    }
    if (Designer())
        Designer()->Modified();
}
