#include "controls/QzMenusEditor.h"

#include "QzHooks.h"
#include "QzMenus.h"
#include "QzMsg.h"
#include "SysUtils.h"
#include "ui_TFrMenus.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <vector>

namespace {

const QString EndMarker = QStringLiteral("<Eof>");
// A menu bar holds at most this many top-level items.
constexpr int MaxTopLevelNodes = 31;

enum TNodeImage { imMenu, imPopupMenu, imItem, imItemImage, imEndMarker };

// The node pictures: a menu bar, a popup menu, an item, an item with a picture, the end marker.
const QIcon& nodeImage(TNodeImage image) {
    static const QList<QIcon> images = [] {
        QList<QIcon> list;
        for (int kind = imMenu; kind <= imEndMarker; ++kind) {
            QPixmap pixmap(16, 16);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setPen(Qt::darkGray);
            switch (kind) {
            case imMenu:
                p.fillRect(1, 3, 14, 4, QColor(0, 0, 128));
                p.drawRect(1, 7, 8, 7);
                break;
            case imPopupMenu:
                p.fillRect(2, 1, 11, 14, Qt::white);
                p.drawRect(2, 1, 11, 14);
                for (int y = 4; y < 14; y += 3)
                    p.drawLine(4, y, 11, y);
                break;
            case imItem:
                p.drawLine(3, 8, 13, 8);
                break;
            case imItemImage:
                p.fillRect(2, 4, 6, 6, QColor(0, 128, 0));
                p.drawLine(9, 7, 14, 7);
                break;
            case imEndMarker:
                p.drawRect(3, 5, 10, 6);
                break;
            }
            list << QIcon(pixmap);
        }
        return list;
    }();
    return images[image];
}

bool isPopup(const TComponent* menu) {
    return qobject_cast<const TQzPopupMenu*>(menu) != nullptr;
}

// The root item of the tree `item` sits in.
const TQzMenuItem* rootOf(const TQzMenuItem* item) {
    while (item->Parent())
        item = item->Parent();
    return item;
}

} // namespace

TFrMenus::TFrMenus(QWidget* parent)
    : TDesignWindow(parent), FUi(std::make_unique<Ui::TFrMenus>()), FPopupMenu(new QMenu(this)) {
    FUi->setupUi(this);
    FPopupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QTreeWidget* tree = FUi->Tree;
    tree->viewport()->installEventFilter(this);
    tree->setDefaultDropAction(Qt::CopyAction);

    struct TCommand {
        QAction*& Action;
        const char* Name;
        const char* Caption;
        QKeySequence Keys;
        QToolButton* Button;
        void (TFrMenus::*Handler)();
    };
    const TCommand commands[] = {
        {FModify, "Modify1", "&Modify", QKeySequence(Qt::Key_F2), FUi->BtEdit,
         &TFrMenus::ModifyItem},
        {FAdd, "Add1", "&Add", QKeySequence(Qt::CTRL | Qt::Key_Insert), FUi->BtAdd,
         &TFrMenus::AddItem},
        {FInsert, "Insert1", "&Insert", QKeySequence(Qt::Key_Insert), FUi->BtInsert,
         &TFrMenus::InsertItem},
        {FDelete, "Delete1", "&Delete", QKeySequence(Qt::CTRL | Qt::Key_Delete), FUi->BtDelete,
         &TFrMenus::DeleteItem},
        {FCut, "Cut1", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), FUi->BtCut, &TFrMenus::Cut},
        {FCopy, "Copy1", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), FUi->BtCopy, &TFrMenus::Copy},
        {FPaste, "Paste1", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), FUi->BtPaste,
         &TFrMenus::Paste},
        {FSubMenu, "CreateSubMenu1", "Create &SubMenu", QKeySequence(Qt::CTRL | Qt::Key_Right),
         FUi->BtAddSub, &TFrMenus::AddSubMenuItem},
        {FClear, "Clear1", "Clear", QKeySequence(), FUi->BtClear, &TFrMenus::Clear},
    };
    for (const TCommand& command : commands) {
        auto* action = new QAction(QString::fromLatin1(command.Caption), this);
        action->setObjectName(QString::fromLatin1(command.Name));
        action->setShortcut(command.Keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        command.Action = action;
        FPopupMenu->addAction(action);
        // The tree takes the shortcuts: Insert or F2 typed elsewhere belong to that control.
        tree->addAction(action);
        const auto handler = command.Handler;
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
        connect(command.Button, &QToolButton::clicked, action, &QAction::trigger);
    }
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { treeChange(node); });
    connect(tree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* node) { treeEdited(node); });
    connect(tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* node) { guarded([this, node] { TreeDblClick(node); }); });
    connect(tree, &QTreeWidget::customContextMenuRequested, this, &TFrMenus::treeContextMenu);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TFrMenus::ChangeState);
    ChangeState();
}

TFrMenus::~TFrMenus() = default;

TFrMenus* TFrMenus::MenusEditorOf(const TComponent* menu) {
    for (TDesignWindow* window : DesignWindows())
        if (auto* editor = qobject_cast<TFrMenus*>(window); editor && editor->Menu() == menu)
            return editor;
    return nullptr;
}

TFrMenus* TFrMenus::ShowMenusEditor(TComponent* menu, IDesigner* designer) {
    TFrMenus* editor = MenusEditorOf(menu);
    if (!editor) {
        editor = new TFrMenus;
        editor->SetMenu(menu);
        editor->SetDesigner(designer);
    }
    editor->Execute();
    return editor;
}

void TFrMenus::SetMenu(TComponent* menu) {
    if (FMenu)
        disconnect(FMenu, nullptr, this, nullptr);
    FMenu = menu;
    // The window must not outlive the menu it shows.
    if (menu)
        connect(menu, &QObject::destroyed, this, [this] {
            FNodes.clear();
            FUi->Tree->clear();
            hide();
            deleteLater();
        });
}

TQzMenuItem* TFrMenus::MenuItems() const {
    return FMenu ? QzMenuItemsOf(FMenu) : nullptr;
}

TComponent* TFrMenus::Form() const {
    return FMenu ? FMenu->Owner() : nullptr;
}

QTreeWidget* TFrMenus::Tree() const {
    return FUi->Tree;
}

QTreeWidgetItem* TFrMenus::Root() const {
    return FUi->Tree->topLevelItem(0);
}

TQzMenuItem* TFrMenus::ItemOf(const QTreeWidgetItem* node) {
    return node && node->parent()
               ? qobject_cast<TQzMenuItem*>(node->data(0, Qt::UserRole).value<QObject*>())
               : nullptr;
}

bool TFrMenus::IsEndMarker(const QTreeWidgetItem* node) const {
    return node && node->parent() && !ItemOf(node);
}

QTreeWidgetItem* TFrMenus::NodeOf(const TQzMenuItem* item) const {
    return FNodes.value(item);
}

TQzMenuItem* TFrMenus::levelItems(QTreeWidgetItem* parent) const {
    return parent == Root() ? MenuItems() : ItemOf(parent);
}

template <typename F>
void TFrMenus::guarded(F&& handler) {
    try {
        handler();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
    ChangeState();
}

// ---- Showing the menu

void TFrMenus::Execute() {
    if (!FMenu)
        return;
    if (!Root())
        fillTree();
    ChangeState();
    Root()->setExpanded(true);
    show();
    raise();
    activateWindow();
}

void TFrMenus::fillTree() {
    const QSignalBlocker block(FUi->Tree);
    setWindowTitle(FMenu->Name());
    auto* root = new QTreeWidgetItem(FUi->Tree);
    root->setData(0, Qt::UserRole, QVariant::fromValue<QObject*>(MenuItems()));
    BuildItem(root);
    BuildNodes(root, MenuItems());
    FUi->Tree->setCurrentItem(root);
}

QTreeWidgetItem* TFrMenus::newNode(QTreeWidgetItem* parent, int index, TQzMenuItem* item) {
    const QSignalBlocker block(FUi->Tree);
    auto* node = new QTreeWidgetItem;
    if (item) {
        node->setData(0, Qt::UserRole, QVariant::fromValue<QObject*>(item));
        node->setFlags(node->flags() | Qt::ItemIsEditable);
        FNodes.insert(item, node);
        connect(item, &QObject::destroyed, this, &TFrMenus::itemDestroyed, Qt::UniqueConnection);
    }
    parent->insertChild(index, node);
    BuildItem(node);
    return node;
}

void TFrMenus::BuildNodes(QTreeWidgetItem* node, TQzMenuItem* items) {
    if (!items || items->Count() == 0)
        return;
    for (int i = 0; i < items->Count(); ++i) {
        TQzMenuItem* item = items->Items(i);
        QTreeWidgetItem* child = newNode(node, node->childCount(), item);
        BuildNodes(child, item);
    }
    newNode(node, node->childCount(), nullptr);
}

void TFrMenus::BuildItem(QTreeWidgetItem* node) {
    const QSignalBlocker block(FUi->Tree);
    QString text;
    TNodeImage image = imEndMarker;
    if (node == Root()) {
        text = FMenu ? FMenu->Name() : QString();
        image = isPopup(FMenu) ? imPopupMenu : imMenu;
    } else if (TQzMenuItem* item = ItemOf(node)) {
        text = item->FCaption;
        image = item->Image()->Defined() ? imItemImage : imItem;
    } else {
        text = EndMarker;
    }
    if (node->text(0) != text)
        node->setText(0, text);
    // Setting an equal picture still repaints; a menu of thousands of items would feel it.
    if (node->icon(0).cacheKey() != nodeImage(image).cacheKey())
        node->setIcon(0, nodeImage(image));
}

void TFrMenus::BuildInfo() {
    QTreeWidgetItem* root = Root();
    if (!root || !MenuItems())
        return;
    const QSignalBlocker block(FUi->Tree);
    setWindowTitle(FMenu->Name());
    BuildItem(root);
    std::vector<std::pair<QTreeWidgetItem*, TQzMenuItem*>> levels{{root, MenuItems()}};
    while (!levels.empty()) {
        const auto [node, items] = levels.back();
        levels.pop_back();
        const int count = items->Count();
        for (int i = 0; i < count; ++i) {
            TQzMenuItem* item = items->Items(i);
            QTreeWidgetItem* child = node->child(i);
            if (!child || ItemOf(child) != item) {
                if (QTreeWidgetItem* moved = FNodes.value(item)) {
                    QTreeWidgetItem* from = moved->parent();
                    from->takeChild(from->indexOfChild(moved));
                    node->insertChild(i, moved);
                    child = moved;
                } else {
                    child = newNode(node, i, item);
                }
            }
            BuildItem(child);
            levels.push_back({child, item});
        }
        // What follows the items: their end marker, and nothing else.
        if (count > 0) {
            int marker = count;
            while (marker < node->childCount() && !IsEndMarker(node->child(marker)))
                ++marker;
            if (marker == node->childCount())
                newNode(node, count, nullptr);
            else if (marker != count)
                node->insertChild(count, node->takeChild(marker));
        }
        while (node->childCount() > (count > 0 ? count + 1 : 0)) {
            QTreeWidgetItem* stale = node->takeChild(node->childCount() - 1);
            forget(stale);
            delete stale;
        }
    }
}

void TFrMenus::forget(QTreeWidgetItem* node) {
    if (TQzMenuItem* item = ItemOf(node)) {
        if (FNodes.value(item) == node)
            FNodes.remove(item);
    }
    for (int i = 0; i < node->childCount(); ++i)
        forget(node->child(i));
}

void TFrMenus::removeNode(QTreeWidgetItem* node) {
    QTreeWidgetItem* parent = node->parent();
    if (!parent)
        return;
    const QSignalBlocker block(FUi->Tree);
    forget(node);
    delete parent->takeChild(parent->indexOfChild(node));
    dropLoneEndMarker(parent);
}

void TFrMenus::dropLoneEndMarker(QTreeWidgetItem* parent) {
    if (parent->childCount() == 1 && IsEndMarker(parent->child(0)))
        delete parent->takeChild(0);
}

// An item freed elsewhere (the designer's Delete, say) takes its node along.
void TFrMenus::itemDestroyed(QObject* item) {
    if (QTreeWidgetItem* node = FNodes.take(item))
        removeNode(node);
}

// ---- Designer notifications

void TFrMenus::ItemsModified(IDesigner* designer) {
    if (designer != Designer() || FCreating || !FMenu || !Root())
        return;
    BuildInfo();
    ChangeState();
}

// Undo and redo read the form back: the window goes on with the menu of the same name, its tree
// made again from the menu as it is now; the designer's selection then picks the node.
void TFrMenus::FormReplaced(IDesigner* designer, TComponent* oldRoot, TComponent* newRoot) {
    TComponent* menu = designer == Designer() ? CounterpartOf(FMenu, oldRoot, newRoot) : nullptr;
    if (!menu) {
        TDesignWindow::FormReplaced(designer, oldRoot, newRoot);
        return;
    }
    FNodes.clear();
    FLastSelection.clear();
    {
        const QSignalBlocker block(FUi->Tree);
        FUi->Tree->clear();
    }
    SetMenu(menu);
    fillTree();
    Root()->setExpanded(true);
    ChangeState();
}

void TFrMenus::SelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection) {
    // The editor's own selection coming back changes nothing here.
    if (selection == FLastSelection) {
        FLastSelection.clear();
        return;
    }
    FLastSelection.clear();
    if (designer != Designer() || FCreating || !FMenu || !Root() || selection.isEmpty())
        return;
    QTreeWidgetItem* node = nullptr;
    if (selection.first() == FMenu)
        node = Root();
    else if (auto* item = qobject_cast<TQzMenuItem*>(selection.first());
             item && rootOf(item) == MenuItems())
        node = NodeOf(item);
    if (!node)
        return;
    FUpdating = true;
    select(node);
    FUpdating = false;
}

TDesignWindow::TEditState TFrMenus::GetEditState() {
    TEditState state = 0;
    if (ClipboardComponents())
        state |= esCanPaste;
    if (ItemOf(FUi->Tree->currentItem()))
        state |= esCanCut | esCanCopy | esCanDelete;
    return state;
}

void TFrMenus::EditAction(TEditAction action) {
    guarded([&] {
        switch (action) {
        case eaCut:
            Cut();
            break;
        case eaCopy:
            Copy();
            break;
        case eaPaste:
            Paste();
            break;
        case eaDelete:
            DeleteItem();
            break;
        case eaUndo:
        case eaSelectAll:
            break;
        }
    });
}

// ---- The tree

void TFrMenus::treeChange(QTreeWidgetItem* node) {
    if (!node)
        return;
    FUi->StatusBar1->showMessage(Path(node));
    if (!FUpdating)
        Selection(node == Root() ? static_cast<TPersistent*>(FMenu.data()) : ItemOf(node));
    ChangeState();
}

void TFrMenus::treeEdited(QTreeWidgetItem* node) {
    TQzMenuItem* item = ItemOf(node);
    if (FUpdating || !item || item->FCaption == node->text(0))
        return;
    item->FCaption = node->text(0);
    FUi->StatusBar1->showMessage(Path(node));
    if (Designer())
        Designer()->Modified();
}

void TFrMenus::endEdit() {
    QTreeWidget* tree = FUi->Tree;
    if (QWidget* editor = tree->indexWidget(tree->currentIndex())) {
        QMetaObject::invokeMethod(tree, "commitData", Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(
            tree, "closeEditor", Q_ARG(QWidget*, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

void TFrMenus::treeContextMenu(const QPoint& at) {
    QTreeWidgetItem* node = FUi->Tree->itemAt(at);
    select(node ? node : Root());
    ChangeState();
    FPopupMenu->popup(FUi->Tree->viewport()->mapToGlobal(at));
}

void TFrMenus::TreeDblClick(QTreeWidgetItem* node) {
    TQzMenuItem* item = ItemOf(node);
    if (item && item->Count() == 0)
        QzDsgnCreateMethodMenuClick(item);
}

bool TFrMenus::TreeDragOver(QObject* source, QTreeWidgetItem* target) const {
    auto* sourceTree = qobject_cast<QTreeWidget*>(source);
    auto* sourceEditor = sourceTree ? qobject_cast<TFrMenus*>(sourceTree->window()) : nullptr;
    if (!sourceEditor || !target || !Root())
        return false;
    QTreeWidgetItem* dragged = sourceTree->currentItem();
    if (!ItemOf(dragged))
        return false;
    if (Root()->childCount() >= MaxTopLevelNodes &&
        (target == Root() || target->parent() == Root()))
        return false;
    // An item cannot go inside itself.
    if (sourceTree == FUi->Tree)
        for (QTreeWidgetItem* at = target; at; at = at->parent())
            if (at == dragged)
                return false;
    return true;
}

void TFrMenus::TreeDragDrop(QObject* source, QTreeWidgetItem* target) {
    if (!Designer() || !TreeDragOver(source, target))
        return;
    auto* sourceTree = static_cast<QTreeWidget*>(source);
    QTreeWidgetItem* dragged = sourceTree->currentItem();
    QTreeWidgetItem* root = Root();
    if (sourceTree == FUi->Tree) {
        if (target == root)
            target = root->child(0);
        TQzMenuItem* item = ItemOf(dragged);
        QTreeWidgetItem* from = dragged->parent();
        QTreeWidgetItem* to = target->parent();
        FUpdating = true;
        from->takeChild(from->indexOfChild(dragged));
        const int index = to->indexOfChild(target);
        to->insertChild(index, dragged);
        levelItems(to)->Insert(index, item);
        if (from != to)
            dropLoneEndMarker(from);
        FUpdating = false;
        select(dragged);
    } else {
        if (target == root) {
            if (root->childCount() == 0)
                newNode(root, 0, nullptr);
            target = root->child(0);
        }
        QTreeWidgetItem* parent = target->parent();
        select(copyItem(parent, parent->indexOfChild(target), ItemOf(dragged)));
    }
    Designer()->Modified();
    ChangeState();
}

// A new item of this menu with the values of `source` and copies of its sub-items.
QTreeWidgetItem* TFrMenus::copyItem(QTreeWidgetItem* parent, int index, TQzMenuItem* source) {
    TQzMenuItem* item = CreateComp(Designer(), Form());
    if (!item)
        return nullptr;
    CopyValues(source, item);
    levelItems(parent)->Insert(index, item);
    QTreeWidgetItem* node = newNode(parent, index, item);
    if (source->Count() > 0) {
        QTreeWidgetItem* marker = newNode(node, 0, nullptr);
        for (int i = 0; i < source->Count(); ++i)
            copyItem(node, node->indexOfChild(marker), source->Items(i));
    }
    return node;
}

bool TFrMenus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FUi->Tree->viewport())
        return TDesignWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        QTreeWidgetItem* target = FUi->Tree->itemAt(drag->position().toPoint());
        if (TreeDragOver(drag->source(), target)) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        QTreeWidgetItem* target = FUi->Tree->itemAt(drop->position().toPoint());
        QObject* source = drop->source();
        // Taken as a copy, so the view the drag came from removes nothing itself.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        guarded([&] { TreeDragDrop(source, target); });
        return true;
    }
    default:
        return TDesignWindow::eventFilter(watched, event);
    }
}

void TFrMenus::changeEvent(QEvent* event) {
    TDesignWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && FUi->Tree->currentItem())
        treeChange(FUi->Tree->currentItem());
}
