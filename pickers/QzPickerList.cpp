#include "pickers/QzPickerList.h"

#include "QzPkgStrings.h"

#include <QPainter>

const QString& QzPickerItemText(const TQzPkgItem* item) {
    static const QString none;
    if (auto* label = qobject_cast<const TQzPkgStringsLabel*>(item))
        return label->Text();
    if (auto* text = qobject_cast<const TQzPkgStringsText*>(item))
        return text->Text();
    return none;
}

QString QzPickerShownText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// ---------------------------------------------------------------------------------------------
// Model

int TQzPickerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(FRows.size());
}

QVariant TQzPickerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(FRows.size()))
        return {};
    const TQzPkgItem* item = FRows[std::size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return QzPickerItemText(item);
    if (role == Qt::UserRole)
        return item->Id();
    return {};
}

void TQzPickerModel::SetRows(std::vector<TQzPkgItem*> rows) {
    beginResetModel();
    FRows = std::move(rows);
    endResetModel();
}

TQzPkgItem* TQzPickerModel::Item(int row) const {
    return row >= 0 && row < int(FRows.size()) ? FRows[std::size_t(row)] : nullptr;
}

int TQzPickerModel::RowOf(const TQzPkgItem* item) const {
    const auto it = std::find(FRows.begin(), FRows.end(), item);
    return it == FRows.end() ? -1 : int(it - FRows.begin());
}

void TQzPickerModel::InsertRow(int row, TQzPkgItem* item) {
    beginInsertRows(QModelIndex(), row, row);
    FRows.insert(FRows.begin() + row, item);
    endInsertRows();
}

void TQzPickerModel::RemoveRow(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    FRows.erase(FRows.begin() + row);
    endRemoveRows();
}

void TQzPickerModel::RowChanged(int row) {
    const QModelIndex at = index(row);
    Q_EMIT dataChanged(at, at);
}

// ---------------------------------------------------------------------------------------------
// Drawing

namespace {

int widthOf(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().horizontalAdvance(text);
}

// Draws a row: the id, the mark of a protected item and the text, each clipped to the row.
class TQzPickerDelegate : public QStyledItemDelegate {
public:
    explicit TQzPickerDelegate(TQzPickerList* list) : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const TQzPkgItem* item = FList->Model()->Item(index.row());
        if (!item)
            return;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        painter->setClipRect(option.rect);
        const QRect r = option.rect;
        const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;
        painter->drawText(QRect(r.left() + 2, r.top(), FList->ProtectedLeft() - 2, r.height()),
                          flags, QString::number(item->Id()));
        if (FList->ShowProtected() && item->Protected)
            painter->drawText(
                QRect(r.left() + FList->ProtectedLeft(), r.top(), r.width(), r.height()), flags,
                QStringLiteral("P"));
        // Line breaks of a multi-line text show as blanks on its one line.
        QString text = QzPickerItemText(item);
        text.replace(u'\r', u' ').replace(u'\n', u' ');
        painter->drawText(
            QRect(r.left() + FList->TextLeft(), r.top(), r.width() - FList->TextLeft(), r.height()),
            flags, text);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.rect = r;
            focus.state = option.state;
            focus.backgroundColor = palette.highlight().color();
            FList->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, FList);
        }
        painter->restore();
    }

    // One line of text, as the list's font measures "A".
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), option.fontMetrics.boundingRect(QStringLiteral("A")).height() +
                                         option.fontMetrics.leading() + 2};
    }

private:
    TQzPickerList* FList;
};

} // namespace

TQzPickerList::TQzPickerList(QWidget* parent)
    : QListView(parent), FModel(new TQzPickerModel(this)) {
    setModel(FModel);
    setItemDelegate(new TQzPickerDelegate(this));
    // Every row is one line high: the view need not measure a hundred thousand of them.
    setUniformItemSizes(true);
    // Texts are clipped to the row, as the columns leave them.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void TQzPickerList::SetShowProtected(bool show) {
    FShowProtected = show;
    viewport()->update();
}

int TQzPickerList::CurrentRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TQzPickerList::SelectRow(int row) {
    if (row < 0 || row >= FModel->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex at = FModel->index(row);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    scrollTo(at);
}

int TQzPickerList::ProtectedLeft() const {
    return widthOf(this, QStringLiteral("9999")) + widthOf(this, QStringLiteral("99"));
}

int TQzPickerList::TextLeft() const {
    const int left = ProtectedLeft();
    return FShowProtected
               ? left + widthOf(this, QStringLiteral("P")) + widthOf(this, QStringLiteral("99"))
               : left;
}

int TQzPickerList::SeparatorLeft() const {
    return widthOf(this, QStringLiteral("99999")) + 2;
}

int TQzPickerList::SecondSeparatorLeft() const {
    return SeparatorLeft() + widthOf(this, QStringLiteral("9P9"));
}

QList<int> TQzPickerList::Separators() const {
    QList<int> lines{SeparatorLeft()};
    if (FShowProtected)
        lines << SecondSeparatorLeft();
    return lines;
}

// The separators run the whole height, below the last row too.
void TQzPickerList::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    QPainter painter(viewport());
    const int height = viewport()->height();
    for (int x : Separators()) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(x, 0, x, height);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(x + 1, 0, x + 1, height);
    }
}
