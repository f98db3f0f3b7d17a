#include "controls/QzCollectionEditor.h"
#include "controls/QzCollectionEntries.h"

#include "ui_TFrCollPageControl.h"

#include <QAction>
#include <QComboBox>

using namespace QzCollectionEntries;

// The page control's window: its tabs beside its tab sheets, linked by page id.

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
