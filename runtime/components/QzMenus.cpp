#include "QzMenus.h"

#include "QzExcept.h"

#include <algorithm>

TQzMenuItem::TQzMenuItem(TComponent* owner)
    : TComponent(owner), FCaptionId(new TQzMemoryLabel(this)), FImage(new TQzMemoryImage(this)),
      FPrivilege(new TQzPrivilege(this)) {}

TQzMenuItem::~TQzMenuItem() {
    // Sub-items are components of the form, yet they go with their parent, as in a menu.
    Clear();
    if (FParent)
        FParent->Remove(this);
}

QString TQzMenuItem::Text() const {
    const QString text = FCaptionId->Text();
    return text.isEmpty() ? FCaption : text;
}

void TQzMenuItem::SetDefaultAction(TQzMenuItemDefaultAction action) {
    QzCheckRange(action, daNone, daAbout, QStringLiteral("The default action"));
    FDefaultAction = action;
}

TQzMenuItem* TQzMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        QzExcept(QStringLiteral("Menu index out of bounds (%1)").arg(index));
    return FItems[std::size_t(index)];
}

int TQzMenuItem::IndexOf(const TQzMenuItem* item) const {
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TQzMenuItem::Add(TQzMenuItem* item) {
    Insert(Count() - (item && item->FParent == this ? 1 : 0), item);
}

void TQzMenuItem::Insert(int index, TQzMenuItem* item) {
    if (!item)
        return;
    for (const TQzMenuItem* p = this; p; p = p->FParent)
        if (p == item)
            QzExcept(QStringLiteral("A menu item cannot be inserted into itself or one of its "
                                    "sub-items"));
    if (item->FMenu)
        QzExcept(QStringLiteral("The root of a menu cannot be inserted into another item"));
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TQzMenuItem::Remove(TQzMenuItem* item) {
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TQzMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

void TQzMenuItem::SetMenuIndex(int index) {
    if (FParent)
        FParent->Insert(index, this);
}

TQzCustomMenu* TQzMenuItem::GetParentMenu() const {
    const TQzMenuItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item->FMenu;
}

TComponent* TQzMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu)
        return FParent->FMenu->StreamParent();
    return FParent;
}

void TQzMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = qobject_cast<TQzMenuItem*>(parent))
        item->Add(this);
    else if (TQzMenuItem* items = QzMenuItemsOf(parent))
        items->Add(this);
}

void TQzMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TQzMenuItem* item : std::vector<TQzMenuItem*>(FItems))
        if (item->Owner() == root)
            proc(item);
}

// ---------------------------------------------------------------------------------------------

TQzCustomMenu::TQzCustomMenu(TComponent* owner)
    : TComponent(owner), FItems(new TQzMenuItem(this)), FFont(new TFont(this)),
      FSetColor(new TQzSetColor(this)), FSetFont(new TQzSetFont(this)),
      FSetBackGround(new TQzSetBackGround(this)) {
    FItems->FMenu = this;
}

bool TQzCustomMenu::ValidAssignWindowsList(const TQzMenuItem* item) const {
    return item && item != FItems && item->GetParentMenu() == this;
}

void TQzCustomMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    FItems->GetChildren(proc, root);
}

void TQzMainMenu::SetWindowsList(TQzMenuItem* item) {
    if (item && !ValidAssignWindowsList(item))
        QzExcept(QStringLiteral("%1 is not an item of the menu %2").arg(item->Name(), Name()));
    QzFollow(this, FWindowsList, item);
}

void TQzPopupMenu::ConfigApp() {
    FImagesVisible = true;
    ColorSet()->SetName(TQzSetRef::DefaultSetMarker());
    FontSet()->SetName(TQzSetRef::DefaultSetMarker());
    BackGroundSet()->SetName(TQzSetRef::DefaultSetMarker());
}

TQzPanelMenu::TQzPanelMenu(TComponent* owner) : TQzWinControl(owner), FMenu(new TQzMainMenu(this)) {
    FMenu->SetStreamParent(this);
    SetBounds(0, 0, 150, 200);
}

void TQzPanelMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    TQzWinControl::GetChildren(proc, root);
    FMenu->GetChildren(proc, root);
}

TQzMenuItem* QzMenuItemsOf(TComponent* component) {
    if (auto* menu = qobject_cast<TQzCustomMenu*>(component))
        return menu->Items();
    if (auto* panel = qobject_cast<TQzPanelMenu*>(component))
        return panel->Items();
    return nullptr;
}
