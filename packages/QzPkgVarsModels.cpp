#include "packages/QzPkgVarsModels.h"

#include "QzPkgVarsText.h"

#include <QApplication>
#include <QStyle>

namespace {

// An icon that shows `selected` while its item is selected.
QIcon iconWithSelected(QStyle::StandardPixmap normal, QStyle::StandardPixmap selected) {
    QIcon icon = QApplication::style()->standardIcon(normal);
    const QIcon chosen = QApplication::style()->standardIcon(selected);
    for (const QSize& size : chosen.availableSizes())
        icon.addPixmap(chosen.pixmap(size), QIcon::Selected);
    return icon;
}

bool sortsBefore(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

QString QzPkgVarsTypeToString(const TQzPkgVarsItem* item) {
    return u'"' + QzPkgVarsValueText(item) + u'"';
}

// ---------------------------------------------------------------------------------------------
// Folder tree

struct TQzPkgVarsTreeModel::Node {
    TQzPkgVarsItem* Item = nullptr; // none for the root
    Node* Parent = nullptr;
    int Row = 0;
    std::vector<std::unique_ptr<Node>> Children;

    const QString& name() const { return Item->Ident(); }
    void renumber() {
        for (std::size_t i = 0; i < Children.size(); ++i)
            Children[i]->Row = int(i);
    }
};

TQzPkgVarsTreeModel::TQzPkgVarsTreeModel(QObject* parent)
    : QAbstractItemModel(parent),
      FFolderIcon(iconWithSelected(QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon)),
      FPackageIcon(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon)) {}

TQzPkgVarsTreeModel::~TQzPkgVarsTreeModel() = default;

void TQzPkgVarsTreeModel::Load(TQzPkgVars* pkg) {
    beginResetModel();
    FPkg = pkg;
    FNodes.clear();
    FRoot.reset();
    if (pkg) {
        FRoot = std::make_unique<Node>();
        build(FRoot.get());
    }
    endResetModel();
}

void TQzPkgVarsTreeModel::build(Node* n) {
    const TQzPkgVarsItems* items = n->Item ? n->Item->Children() : FPkg->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TQzPkgVarsItem* item = items->GetItems(i);
        if (!item->IsFolder())
            continue;
        auto child = std::make_unique<Node>();
        child->Item = item;
        child->Parent = n;
        FNodes.insert(item, child.get());
        build(child.get());
        n->Children.push_back(std::move(child));
    }
    std::stable_sort(n->Children.begin(), n->Children.end(), [](const auto& a, const auto& b) {
        return sortsBefore(a->name(), b->name());
    });
    n->renumber();
}

TQzPkgVarsTreeModel::Node* TQzPkgVarsTreeModel::node(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex TQzPkgVarsTreeModel::indexOf(const Node* n) const {
    return n ? createIndex(n->Row, 0, const_cast<Node*>(n)) : QModelIndex();
}

QModelIndex TQzPkgVarsTreeModel::RootIndex() const {
    return indexOf(FRoot.get());
}

TQzPkgVarsItem* TQzPkgVarsTreeModel::Item(const QModelIndex& index) const {
    const Node* n = node(index);
    return n ? n->Item : nullptr;
}

TQzPkgVarsItems* TQzPkgVarsTreeModel::Folder(const QModelIndex& index) const {
    const Node* n = node(index);
    if (!n)
        return nullptr;
    return n->Item ? n->Item->Children() : FPkg->Items();
}

QString TQzPkgVarsTreeModel::Path(const QModelIndex& index) const {
    const TQzPkgVarsItem* item = Item(index);
    return item ? item->Path() : QString();
}

QModelIndex TQzPkgVarsTreeModel::IndexOf(const TQzPkgVarsItem* folder) const {
    return indexOf(FNodes.value(folder, nullptr));
}

int TQzPkgVarsTreeModel::sortedRow(const Node* parent, const QString& name,
                                   const Node* except) const {
    int row = 0;
    for (const auto& child : parent->Children)
        if (child.get() != except && sortsBefore(child->name(), name))
            ++row;
    return row;
}

QModelIndex TQzPkgVarsTreeModel::AddFolder(const QModelIndex& parent, TQzPkgVarsItem* folder) {
    Node* p = node(parent);
    Q_ASSERT(p && folder->IsFolder());
    auto child = std::make_unique<Node>();
    child->Item = folder;
    child->Parent = p;
    Node* added = child.get();
    const int row = sortedRow(p, folder->Ident());
    beginInsertRows(parent, row, row);
    FNodes.insert(folder, added);
    build(added);
    p->Children.insert(p->Children.begin() + row, std::move(child));
    p->renumber();
    endInsertRows();
    return indexOf(added);
}

void TQzPkgVarsTreeModel::forget(const Node* n) {
    FNodes.remove(n->Item);
    for (const auto& child : n->Children)
        forget(child.get());
}

void TQzPkgVarsTreeModel::RemoveNode(const QModelIndex& index) {
    Node* n = node(index);
    Q_ASSERT(n && n->Parent);
    Node* p = n->Parent;
    beginRemoveRows(indexOf(p), n->Row, n->Row);
    forget(n);
    p->Children.erase(p->Children.begin() + n->Row);
    p->renumber();
    endRemoveRows();
}

void TQzPkgVarsTreeModel::RemoveFolders() {
    if (!FRoot || FRoot->Children.empty())
        return;
    beginRemoveRows(RootIndex(), 0, int(FRoot->Children.size()) - 1);
    FNodes.clear();
    FRoot->Children.clear();
    endRemoveRows();
}

QModelIndex TQzPkgVarsTreeModel::Renamed(const QModelIndex& index) {
    Node* n = node(index);
    if (!n || !n->Parent)
        return index;
    Node* p = n->Parent;
    const QModelIndex parentIndex = indexOf(p);
    const int from = n->Row;
    const int to = sortedRow(p, n->name(), n);
    Q_EMIT dataChanged(index, index);
    if (to == from)
        return index;
    // Qt counts the destination before the move: one further when moving down.
    beginMoveRows(parentIndex, from, from, parentIndex, to > from ? to + 1 : to);
    std::unique_ptr<Node> moving = std::move(p->Children[std::size_t(from)]);
    p->Children.erase(p->Children.begin() + from);
    p->Children.insert(p->Children.begin() + to, std::move(moving));
    p->renumber();
    endMoveRows();
    return indexOf(n);
}

void TQzPkgVarsTreeModel::RootChanged() {
    const QModelIndex root = RootIndex();
    if (root.isValid())
        Q_EMIT dataChanged(root, root);
}

QModelIndex TQzPkgVarsTreeModel::NextNode(const QModelIndex& index) const {
    const Node* n = node(index);
    if (!n)
        return QModelIndex();
    if (!n->Children.empty())
        return indexOf(n->Children.front().get());
    for (; n->Parent; n = n->Parent)
        if (std::size_t(n->Row) + 1 < n->Parent->Children.size())
            return indexOf(n->Parent->Children[std::size_t(n->Row) + 1].get());
    return QModelIndex();
}

QModelIndex TQzPkgVarsTreeModel::PrevNode(const QModelIndex& index) const {
    const Node* n = node(index);
    if (!n || !n->Parent)
        return QModelIndex();
    if (n->Row == 0)
        return indexOf(n->Parent);
    const Node* last = n->Parent->Children[std::size_t(n->Row) - 1].get();
    while (!last->Children.empty())
        last = last->Children.back().get();
    return indexOf(last);
}

QModelIndex TQzPkgVarsTreeModel::LastNode() const {
    const Node* last = FRoot.get();
    while (last && !last->Children.empty())
        last = last->Children.back().get();
    return indexOf(last);
}

QModelIndex TQzPkgVarsTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return QModelIndex();
    if (!parent.isValid())
        return row == 0 ? RootIndex() : QModelIndex();
    const Node* p = node(parent);
    if (std::size_t(row) >= p->Children.size())
        return QModelIndex();
    return indexOf(p->Children[std::size_t(row)].get());
}

QModelIndex TQzPkgVarsTreeModel::parent(const QModelIndex& child) const {
    const Node* n = node(child);
    return n ? indexOf(n->Parent) : QModelIndex();
}

int TQzPkgVarsTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return FRoot ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    return int(node(parent)->Children.size());
}

int TQzPkgVarsTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TQzPkgVarsTreeModel::data(const QModelIndex& index, int role) const {
    const Node* n = node(index);
    if (!n)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (n->Item)
            return n->name();
        return FPkg->GetPkgName().isEmpty() ? QStringLiteral("Unknown") : FPkg->GetPkgName();
    case Qt::DecorationRole:
        return n->Item ? FFolderIcon : FPackageIcon;
    default:
        return QVariant();
    }
}

bool TQzPkgVarsTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !Item(index) || !FRename || !FRename(index, value.toString()))
        return false;
    Renamed(index);
    return true;
}

Qt::ItemFlags TQzPkgVarsTreeModel::flags(const QModelIndex& index) const {
    const Node* n = node(index);
    if (!n)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (n->Item)
        f |= Qt::ItemIsEditable;
    return f;
}

// ---------------------------------------------------------------------------------------------
// Variables of a folder

TQzPkgVarsListModel::TQzPkgVarsListModel(QObject* parent)
    : QAbstractItemModel(parent),
      FVariableIcon(QApplication::style()->standardIcon(QStyle::SP_FileIcon)) {}

void TQzPkgVarsListModel::Load(const TQzPkgVarsItems* folder) {
    beginResetModel();
    FRows.clear();
    if (folder)
        for (int i = 0; i < folder->Count(); ++i)
            if (TQzPkgVarsItem* item = folder->GetItems(i); !item->IsFolder())
                FRows.push_back(item);
    endResetModel();
}

void TQzPkgVarsListModel::Clear() {
    Load(nullptr);
}

TQzPkgVarsItem* TQzPkgVarsListModel::Item(int row) const {
    return row >= 0 && std::size_t(row) < FRows.size() ? FRows[std::size_t(row)] : nullptr;
}

int TQzPkgVarsListModel::RowOf(const TQzPkgVarsItem* item) const {
    const auto it = std::find(FRows.begin(), FRows.end(), item);
    return it == FRows.end() ? -1 : int(it - FRows.begin());
}

void TQzPkgVarsListModel::AppendRow(TQzPkgVarsItem* item) {
    const int row = int(FRows.size());
    beginInsertRows(QModelIndex(), row, row);
    FRows.push_back(item);
    endInsertRows();
}

void TQzPkgVarsListModel::RemoveRow(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    FRows.erase(FRows.begin() + row);
    endRemoveRows();
}

void TQzPkgVarsListModel::RowChanged(int row) {
    Q_EMIT dataChanged(index(row, 0), index(row, 1));
}

QModelIndex TQzPkgVarsListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column < 0 || column > 1 || !Item(row))
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex TQzPkgVarsListModel::parent(const QModelIndex&) const {
    return QModelIndex();
}

int TQzPkgVarsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(FRows.size());
}

int TQzPkgVarsListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TQzPkgVarsListModel::data(const QModelIndex& index, int role) const {
    const TQzPkgVarsItem* item = Item(index.row());
    if (!item || !index.isValid())
        return QVariant();
    if (index.column() == 1)
        return role == Qt::DisplayRole ? QzPkgVarsTypeToString(item) : QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item->Ident();
    case Qt::DecorationRole:
        return FVariableIcon;
    default:
        return QVariant();
    }
}

bool TQzPkgVarsListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != 0 || !FRename ||
        !FRename(index, value.toString()))
        return false;
    RowChanged(index.row());
    return true;
}

Qt::ItemFlags TQzPkgVarsListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TQzPkgVarsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section == 0 ? QStringLiteral("Variable") : QStringLiteral("Value");
}
