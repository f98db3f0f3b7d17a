#pragma once

// The menus editor: the item tree of a main, popup or panel menu, open beside the form designer.
// It creates, inserts, deletes, renames, moves, cuts, copies and pastes the menu's items (menu
// items owned by the form, made through the designer), follows the designer's selection and
// changes, and opens an item's click handler on a double click. There is one window per menu;
// it lives until the menu is freed.
//
// The tree: the root node is the menu, each item a node under its parent, and every level that
// holds items ends with an "<Eof>" node, before which new items go.

#include "DesignWindows.h"

#include <QHash>
#include <QPointer>
#include <memory>

namespace Ui {
class TFrMenus;
}
class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class TQzMenuItem;

class TFrMenus : public TDesignWindow {
    Q_OBJECT
public:
    explicit TFrMenus(QWidget* parent = nullptr);
    ~TFrMenus() override;

    // The window editing `menu`, or none.
    static TFrMenus* MenusEditorOf(const TComponent* menu);
    // The window of `menu`, made for `designer` when there is none yet, shown with Execute.
    static TFrMenus* ShowMenusEditor(TComponent* menu, IDesigner* designer);

    // A main, popup or panel menu.
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* menu);
    // The menu's root item: its sub-items are the top-level items.
    TQzMenuItem* MenuItems() const;
    // The form that owns the menu and its items.
    TComponent* Form() const;
    QTreeWidget* Tree() const;
    QMenu* PopupMenu1() const { return FPopupMenu; }

    // Fills the tree when it is empty and shows the window without waiting.
    void Execute();

    void ItemsModified(IDesigner* designer) override;
    void SelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection) override;
    void FormReplaced(IDesigner* designer, TComponent* oldRoot, TComponent* newRoot) override;
    TEditState GetEditState() override;
    void EditAction(TEditAction action) override;

    void BuildNodes(QTreeWidgetItem* node, TQzMenuItem* items);
    void BuildItem(QTreeWidgetItem* node);
    // Brings every node in step with the menu: texts, pictures, order, new and gone items.
    void BuildInfo();
    void InsertItem();
    void AddItem();
    void AddSubMenuItem();
    void DeleteItem();
    // Starts editing the selected item's caption in place.
    void ModifyItem();
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    TQzMenuItem* CreateComp(IDesigner* designer, TComponent* owner);
    void CopyValues(TQzMenuItem* source, TQzMenuItem* target);
    bool IsUnique(const QString& name) const;
    QString CreateUniqueName(const QString& base) const;
    // The menu's name and the captions down to `node`, joined with "/".
    QString Path(QTreeWidgetItem* node) const;
    // Selects `component` in the designer, remembering that the editor did.
    void Selection(TPersistent* component);
    void ChangeState();

    // Dropping the node selected in `source` (a menus editor's tree) before `target`.
    bool TreeDragOver(QObject* source, QTreeWidgetItem* target) const;
    void TreeDragDrop(QObject* source, QTreeWidgetItem* target);
    void TreeDblClick(QTreeWidgetItem* node);

    QTreeWidgetItem* Root() const;
    // The item of a node; none for the root and end markers.
    static TQzMenuItem* ItemOf(const QTreeWidgetItem* node);
    bool IsEndMarker(const QTreeWidgetItem* node) const;
    QTreeWidgetItem* NodeOf(const TQzMenuItem* item) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    template <typename F>
    void guarded(F&& handler);
    // Fills an empty tree from the menu: the root node and every item under it.
    void fillTree();
    QTreeWidgetItem* newNode(QTreeWidgetItem* parent, int index, TQzMenuItem* item);
    QTreeWidgetItem* insertionPoint();
    // Drops `node` and its subtree from the tree (not their items); a level left with only its
    // end marker loses that too.
    void removeNode(QTreeWidgetItem* node);
    void forget(QTreeWidgetItem* node);
    void dropLoneEndMarker(QTreeWidgetItem* parent);
    void itemDestroyed(QObject* item);
    // The item list a level of nodes stands for: the menu's root item for the root.
    TQzMenuItem* levelItems(QTreeWidgetItem* parent) const;
    void select(QTreeWidgetItem* node);
    void treeChange(QTreeWidgetItem* node);
    void treeEdited(QTreeWidgetItem* node);
    void treeContextMenu(const QPoint& at);
    void endEdit();
    QTreeWidgetItem* copyItem(QTreeWidgetItem* parent, int index, TQzMenuItem* source);
    void giveUniqueNames(TQzMenuItem* item);

    std::unique_ptr<Ui::TFrMenus> FUi;
    QMenu* FPopupMenu;
    QAction* FModify = nullptr;
    QAction* FAdd = nullptr;
    QAction* FInsert = nullptr;
    QAction* FDelete = nullptr;
    QAction* FCut = nullptr;
    QAction* FCopy = nullptr;
    QAction* FPaste = nullptr;
    QAction* FSubMenu = nullptr;
    QAction* FClear = nullptr;
    QPointer<TComponent> FMenu;
    QHash<const QObject*, QTreeWidgetItem*> FNodes;
    bool FCreating = false;
    // Set while the editor changes the tree itself, so that the tree's signals are not taken for
    // the person's doing.
    bool FUpdating = false;
    QList<TPersistent*> FLastSelection;
};
