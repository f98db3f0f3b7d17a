#pragma once

// The models of the vars package editor, over the package's own items: the folder tree (a root
// node for the package, then one node per folder, siblings sorted by name) and the variables of
// one folder in package order with their values. They keep nothing per item but a pointer, so a
// package of tens of thousands of variables opens at once. Renaming in place goes to the editor
// through a hook, which may refuse the name.

#include "QzPkgVars.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <functional>
#include <memory>
#include <vector>

// The value as the list shows it: in double quotes.
QString QzPkgVarsTypeToString(const TQzPkgVarsItem* item);

// Renames the item of `index` to `name`; false when the name was refused (nothing changed).
using TQzPkgVarsRename = std::function<bool(const QModelIndex& index, const QString& name)>;

class TQzPkgVarsTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TQzPkgVarsTreeModel(QObject* parent = nullptr);
    ~TQzPkgVarsTreeModel() override;

    // Builds the whole tree of `pkg` (none: no nodes at all).
    void Load(TQzPkgVars* pkg);
    void SetRename(TQzPkgVarsRename rename) { FRename = std::move(rename); }

    QModelIndex RootIndex() const;
    // The folder of a node; none for the root node.
    TQzPkgVarsItem* Item(const QModelIndex& index) const;
    // The items the node's folder holds (the package's top level for the root node).
    TQzPkgVarsItems* Folder(const QModelIndex& index) const;
    // The names below the root down to the node joined by "\"; empty for the root node.
    QString Path(const QModelIndex& index) const;
    // The node of a folder item; invalid when the tree does not show it.
    QModelIndex IndexOf(const TQzPkgVarsItem* folder) const;

    // A node for `folder`, an item just added to the folder of `parent`, in its sorted place.
    QModelIndex AddFolder(const QModelIndex& parent, TQzPkgVarsItem* folder);
    // Takes the node and its subtree out; the items are the caller's.
    void RemoveNode(const QModelIndex& index);
    // Every node but the root.
    void RemoveFolders();
    // The node's name changed: it moves to its sorted place among its siblings.
    QModelIndex Renamed(const QModelIndex& index);
    // The root's caption follows the package name.
    void RootChanged();

    // Tree order: a node, then its children in order. Invalid past either end.
    QModelIndex NextNode(const QModelIndex& index) const;
    QModelIndex PrevNode(const QModelIndex& index) const;
    // The last node in tree order.
    QModelIndex LastNode() const;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Node;
    Node* node(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* n) const;
    void build(Node* n);
    void forget(const Node* n);
    void insertNode(Node* parent, std::unique_ptr<Node> child);
    std::unique_ptr<Node> takeNode(Node* n);
    int sortedRow(const Node* parent, const QString& name, const Node* except = nullptr) const;

    TQzPkgVars* FPkg = nullptr;
    std::unique_ptr<Node> FRoot;
    QHash<const TQzPkgVarsItem*, Node*> FNodes;
    TQzPkgVarsRename FRename;
    QIcon FFolderIcon;
    QIcon FPackageIcon;
};

class TQzPkgVarsListModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TQzPkgVarsListModel(QObject* parent = nullptr);

    void SetRename(TQzPkgVarsRename rename) { FRename = std::move(rename); }
    // Shows the variables of `folder` (not its subfolders), in order.
    void Load(const TQzPkgVarsItems* folder);
    void Clear();
    const std::vector<TQzPkgVarsItem*>& Rows() const { return FRows; }
    TQzPkgVarsItem* Item(int row) const;
    int RowOf(const TQzPkgVarsItem* item) const;
    void AppendRow(TQzPkgVarsItem* item);
    void RemoveRow(int row);
    // The row's item changed: its name and value are shown again.
    void RowChanged(int row);

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TQzPkgVarsItem*> FRows;
    TQzPkgVarsRename FRename;
    QIcon FVariableIcon;
};
