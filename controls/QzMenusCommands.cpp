#include "controls/QzMenusEditor.h"

#include "QzMenus.h"
#include "QzMsg.h"
#include "SysUtils.h"
#include "ui_TFrMenus.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalBlocker>
#include <QTreeWidget>

// The menus editor's commands: insert, add, sub-menu, delete, clear, clipboard and in-place edit.

void TFrMenus::select(QTreeWidgetItem* node) {
    // The tree may have moved its cursor there itself while its signals were held (a node taken
    // out): the node is taken up all the same.
    if (FUi->Tree->currentItem() == node)
        treeChange(node);
    else
        FUi->Tree->setCurrentItem(node);
    FUi->Tree->scrollToItem(node);
}

TQzMenuItem* TFrMenus::CreateComp(IDesigner* designer, TComponent*) {
    FCreating = true;
    TComponent* component = nullptr;
    try {
        component = designer->CreateComponent(ClassOf<TQzMenuItem>(), nullptr, -1, -1, -1, -1);
    } catch (...) {
        FCreating = false;
        throw;
    }
    FCreating = false;
    return qobject_cast<TQzMenuItem*>(component);
}

// Where new items go: before the selected node, the root standing for its first child; an empty
// menu gets its end marker first.
QTreeWidgetItem* TFrMenus::insertionPoint() {
    QTreeWidgetItem* root = Root();
    if (root->childCount() == 0)
        select(newNode(root, 0, nullptr));
    else if (FUi->Tree->currentItem() == root)
        select(root->child(0));
    return FUi->Tree->currentItem();
}

void TFrMenus::InsertItem() {
    if (!Designer() || !Root() || !FUi->Tree->currentItem())
        return;
    QTreeWidgetItem* before = insertionPoint();
    QTreeWidgetItem* parent = before->parent();
    const int index = parent->indexOfChild(before);
    TQzMenuItem* item = CreateComp(Designer(), Form());
    if (!item)
        return;
    item->FCaption = item->Name();
    levelItems(parent)->Insert(index, item);
    select(newNode(parent, index, item));
    Designer()->Modified();
    ChangeState();
}

void TFrMenus::AddItem() {
    endEdit();
    QTreeWidgetItem* root = Root();
    if (root && root->childCount() > 0 && FUi->Tree->currentItem()) {
        if (FUi->Tree->currentItem() == root)
            select(root->child(0));
        QTreeWidgetItem* parent = FUi->Tree->currentItem()->parent();
        select(parent->child(parent->childCount() - 1));
    }
    InsertItem();
}

void TFrMenus::AddSubMenuItem() {
    QTreeWidgetItem* node = FUi->Tree->currentItem();
    if (!Designer() || !node)
        return;
    if (Root()->childCount() == 0) {
        InsertItem();
        return;
    }
    if (!ItemOf(node))
        return;
    if (node->childCount() == 0) {
        select(newNode(node, 0, nullptr));
        InsertItem();
    } else {
        select(node->child(0));
    }
}

void TFrMenus::DeleteItem() {
    QTreeWidgetItem* node = FUi->Tree->currentItem();
    TQzMenuItem* item = ItemOf(node);
    if (!Designer() || !item)
        return;
    QTreeWidgetItem* parent = node->parent();
    const int index = parent->indexOfChild(node);
    FUpdating = true;
    delete item; // its node goes with it, and the level's end marker when it was the last
    FUpdating = false;
    QTreeWidgetItem* next = parent;
    if (parent->childCount() > 0) {
        next = parent->child(std::min(index, parent->childCount() - 1));
        if (IsEndMarker(next) && index > 0)
            next = parent->child(index - 1);
    }
    select(next);
    Designer()->Modified();
    ChangeState();
}

void TFrMenus::ModifyItem() {
    QTreeWidgetItem* node = FUi->Tree->currentItem();
    if (ItemOf(node))
        FUi->Tree->editItem(node);
}

void TFrMenus::Cut() {
    if (!ItemOf(FUi->Tree->currentItem()))
        return;
    Copy();
    DeleteItem();
}

void TFrMenus::Copy() {
    if (TQzMenuItem* item = ItemOf(FUi->Tree->currentItem()))
        CopyComponents(Form(), {item});
}

void TFrMenus::Paste() {
    if (!Designer() || !Root() || !FUi->Tree->currentItem() || !ClipboardComponents())
        return;
    QTreeWidgetItem* before = insertionPoint();
    QTreeWidgetItem* parent = before->parent();
    TQzMenuItem* parentItem = levelItems(parent);
    int index = parent->indexOfChild(before);
    QTreeWidgetItem* last = nullptr;
    for (TComponent* pasted : PasteComponents(Form(), parentItem)) {
        auto* item = qobject_cast<TQzMenuItem*>(pasted);
        if (!item) {
            // Only menu items belong in a menu; the rest of the clipboard is not put on the form.
            delete pasted;
            continue;
        }
        if (item->Parent())
            continue;
        giveUniqueNames(item);
        parentItem->Insert(index, item);
        last = newNode(parent, index, item);
        BuildNodes(last, item);
        ++index;
    }
    dropLoneEndMarker(parent);
    if (last)
        select(last);
    Designer()->Modified();
    ChangeState();
}

// Names taken in order, from the top item down: the names the paste gave them are let go first,
// so that they are free for the items that come earlier.
void TFrMenus::giveUniqueNames(TQzMenuItem* item) {
    std::vector<TQzMenuItem*> items{item};
    for (std::size_t i = 0; i < items.size(); ++i)
        for (int sub = 0; sub < items[i]->Count(); ++sub)
            items.push_back(items[i]->Items(sub));
    for (TQzMenuItem* each : items)
        each->SetName(QString());
    for (TQzMenuItem* each : items)
        each->SetName(CreateUniqueName(each->ClassName()));
}

void TFrMenus::Clear() {
    QTreeWidgetItem* root = Root();
    if (!root || root->childCount() == 0)
        return;
    if (QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 57, {bkOk, bkCancel},
                 bkCancel) != bkOk)
        return;
    FUpdating = true;
    while (root->childCount() > 0) {
        QTreeWidgetItem* node = root->child(0);
        if (TQzMenuItem* item = ItemOf(node))
            delete item;
        else
            removeNode(node);
    }
    FUpdating = false;
    select(root);
    if (Designer())
        Designer()->Modified();
    ChangeState();
}

void TFrMenus::CopyValues(TQzMenuItem* source, TQzMenuItem* target) {
    target->FCaption = source->FCaption;
    if (IsUnique(source->Name()))
        target->SetName(source->Name());
}

bool TFrMenus::IsUnique(const QString& name) const {
    const TComponent* form = Form();
    return form && !form->FindComponent(name) && !SameText(form->Name(), name);
}

QString TFrMenus::CreateUniqueName(const QString& base) const {
    for (int n = 1;; ++n) {
        QString name = base + QString::number(n);
        if (name.startsWith(u'T') || name.startsWith(u't'))
            name.remove(0, 1);
        if (IsUnique(name))
            return name;
    }
}

QString TFrMenus::Path(QTreeWidgetItem* node) const {
    QStringList parts;
    for (QTreeWidgetItem* at = node; at && at != Root(); at = at->parent())
        if (TQzMenuItem* item = ItemOf(at))
            parts.prepend(item->FCaption);
    parts.prepend(FMenu ? FMenu->Name() : QString());
    return parts.join(u'/');
}

void TFrMenus::Selection(TPersistent* component) {
    if (!component)
        return;
    FLastSelection = CreateSelectionList();
    FLastSelection << component;
    SetSelection(FLastSelection);
}

void TFrMenus::ChangeState() {
    const TEditState state = GetEditState();
    FCut->setEnabled(state & esCanCut);
    FCopy->setEnabled(state & esCanCopy);
    FPaste->setEnabled(state & esCanPaste);
    FDelete->setEnabled(state & esCanDelete);
    FModify->setEnabled(state & esCanDelete);
    FClear->setEnabled(Root() && Root()->childCount() > 0);
    const std::pair<QAction*, QToolButton*> buttons[] = {
        {FModify, FUi->BtEdit},   {FAdd, FUi->BtAdd},        {FInsert, FUi->BtInsert},
        {FDelete, FUi->BtDelete}, {FCut, FUi->BtCut},        {FCopy, FUi->BtCopy},
        {FPaste, FUi->BtPaste},   {FSubMenu, FUi->BtAddSub}, {FClear, FUi->BtClear}};
    for (const auto& [action, button] : buttons)
        button->setEnabled(action->isEnabled());
}
