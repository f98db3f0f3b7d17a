#include "QzContainers.h"

#include "QzExcept.h"
#include "QzHooks.h"

TQzGroupBox::TQzGroupBox(TComponent* owner) : TQzWinControl(owner) {
    FControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 185, 105);
}

TQzPanel::TQzPanel(TComponent* owner) : TQzWinControl(owner) {
    FControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 185, 41);
}

TQzScrollBarSettings::TQzScrollBarSettings(QObject* parent)
    : TPersistent(parent), FImage(new TQzMemoryImage(this)) {}

void TQzScrollBarSettings::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzScrollBarSettings*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FSize = other->FSize;
    FButtonSize = other->FButtonSize;
    FFlat = other->FFlat;
    FColor = other->FColor;
    FThumbColor = other->FThumbColor;
    FImage->Assign(other->FImage);
}

TQzScrollBox::TQzScrollBox(TComponent* owner)
    : TQzWinControl(owner), FScrollBars(new TQzScrollBarSettings(this)) {
    FControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 185, 41);
}

TQzExtScrollBar::TQzExtScrollBar(TComponent* owner)
    : TQzWinControl(owner), FSettings(new TQzScrollBarSettings(this)) {
    SetBounds(0, 0, 121, 17);
}

TQzSplitter::TQzSplitter(TComponent* owner) : TQzGraphicControl(owner) {
    SetBounds(0, 0, 3, 100);
}

TQzSetsGroup::TQzSetsGroup(TComponent* owner)
    : TQzWinControl(owner), FItems(new TQzCollection(this)) {
    SetBounds(0, 0, 185, 105);
}

// ---------------------------------------------------------------------------------------------
// Page controls

TQzCustomPageControl* TQzTabControl::PageControl() const {
    return Collection() ? qobject_cast<TQzCustomPageControl*>(Collection()->GetOwner()) : nullptr;
}

void TQzTabControl::SetPageId(int pageId) {
    if (pageId == FPageId)
        return;
    if (pageId < 0)
        QzExcept(QStringLiteral("%1 is not a valid page id").arg(pageId));
    TQzCustomPageControl* control = PageControl();
    // 0 shows no sheet: any number of tabs may have it.
    if (control && !control->IsLoading() && pageId != 0) {
        const TQzTabControl* other = control->FindTab(pageId);
        if (other && other != this)
            QzExcept(QStringLiteral("There is already a tab with the page id %1").arg(pageId));
    }
    FPageId = pageId;
}

void TQzTabControl::Assign(const TPersistent* source) {
    TQzCollectionItem::Assign(source);
    if (const auto* other = qobject_cast<const TQzTabControl*>(source)) {
        FPageId = other->FPageId;
        FDescription = other->FDescription;
        FTabVisible = other->FTabVisible;
    }
}

TQzCustomPageControl::TQzCustomPageControl(TComponent* owner)
    : TQzWinControl(owner), FTabs(new TQzCollection(ClassOf<TQzTabControl>(), this)) {
    SetBounds(0, 0, 289, 193);
    FTabStop = true;
}

TQzTabControl* TQzCustomPageControl::AddTab() {
    int id = 0;
    for (int i = 0; i < FTabs->Count(); ++i)
        id = std::max(id, GetTab(i)->PageId() + 1);
    auto* tab = static_cast<TQzTabControl*>(FTabs->Add());
    tab->SetPageId(id);
    return tab;
}

TQzTabControl* TQzCustomPageControl::FindTab(int pageId) const {
    for (int i = 0; i < FTabs->Count(); ++i)
        if (GetTab(i)->PageId() == pageId)
            return GetTab(i);
    return nullptr;
}

QList<TQzTabSheet*> TQzCustomPageControl::TabSheets() const {
    QList<TQzTabSheet*> sheets;
    for (TControl* control : ControlList())
        if (auto* sheet = qobject_cast<TQzTabSheet*>(control))
            sheets.push_back(sheet);
    return sheets;
}

TQzTabSheet* TQzCustomPageControl::FindTabSheet(int pageId) const {
    for (TQzTabSheet* sheet : TabSheets())
        if (sheet->FPageId == pageId)
            return sheet;
    return nullptr;
}

TQzTabSheet* TQzCustomPageControl::CreateTabSheet(TQzTabControl* tab) {
    auto* sheet = new TQzTabSheet(Owner() ? Owner() : this);
    sheet->FPageId = tab ? tab->PageId() : 0;
    sheet->SetParent(this);
    sheet->SetBounds(4, 24, std::max(0, Width() - 8), std::max(0, Height() - 28));
    QzDsgnCreateUniqueName(sheet);
    return sheet;
}

void TQzCustomPageControl::MasterMessage(int code, TPersistent* object) {
    auto* tab = qobject_cast<TQzTabControl*>(object);
    if (code == QzShowItemMessage && tab && tab->Collection() == FTabs)
        FTabIndex = tab->Index();
}

TQzTabSheet::TQzTabSheet(TComponent* owner) : TQzWinControl(owner) {
    FControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 281, 165);
}

TQzCustomPageControl* TQzTabSheet::PageControl() const {
    return qobject_cast<TQzCustomPageControl*>(Parent());
}

TQzTabControl* TQzTabSheet::GetTab() const {
    TQzCustomPageControl* control = PageControl();
    return control ? control->FindTab(FPageId) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Outlook bar

TQzOutLookBarPage::TQzOutLookBarPage(TComponent* owner)
    : TQzWinControl(owner), FImage(new TQzMemoryImage(this)) {
    FControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 121, 200);
}

TQzOutLookBar* TQzOutLookBarPage::OutLook() const {
    return qobject_cast<TQzOutLookBar*>(Parent());
}

void TQzOutLookBarPage::SetOutLook(TQzOutLookBar* bar) {
    TQzOutLookBar* old = OutLook();
    if (old == bar)
        return;
    SetParent(bar);
    if (old && old->ActivePage() == this)
        old->SetActivePage(nullptr);
}

TQzOutLookBar::TQzOutLookBar(TComponent* owner) : TQzWinControl(owner) {
    SetBounds(0, 0, 121, 249);
}

QList<TQzOutLookBarPage*> TQzOutLookBar::Pages() const {
    QList<TQzOutLookBarPage*> pages;
    for (TControl* control : ControlList())
        if (auto* page = qobject_cast<TQzOutLookBarPage*>(control))
            pages.push_back(page);
    return pages;
}

void TQzOutLookBar::SetActivePage(TQzOutLookBarPage* page) {
    if (page && page->OutLook() != this)
        QzExcept(QStringLiteral("%1 is not a page of %2").arg(page->Name(), Name()));
    QzFollow(this, FActivePage, page);
}

void TQzOutLookBar::SelectNextPage(bool forward) {
    QList<TQzOutLookBarPage*> pages;
    for (TQzOutLookBarPage* page : Pages())
        if (page->Visible() || page == FActivePage)
            pages.push_back(page);
    if (pages.isEmpty())
        return;
    const qsizetype count = pages.size();
    const qsizetype current = pages.indexOf(FActivePage.data());
    qsizetype next;
    if (current < 0)
        next = forward ? 0 : count - 1;
    else
        next = (current + (forward ? 1 : count - 1)) % count;
    SetActivePage(pages[next]);
}
