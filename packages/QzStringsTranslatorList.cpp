#include "packages/QzStringsTranslatorList.h"

#include "QzPkgInfo.h"
#include "pickers/QzPickerList.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Model

int TQzTranslatorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(FIds.size());
}

QVariant TQzTranslatorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(FIds.size()))
        return {};
    const int id = FIds[std::size_t(index.row())];
    if (role == Qt::DisplayRole)
        return QString::number(id);
    if (role == Qt::UserRole)
        return id;
    return {};
}

void TQzTranslatorModel::SetIds(std::vector<int> ids) {
    beginResetModel();
    FIds = std::move(ids);
    endResetModel();
}

int TQzTranslatorModel::RowOf(int id) const {
    const auto it = std::lower_bound(FIds.begin(), FIds.end(), id);
    return it != FIds.end() && *it == id ? int(it - FIds.begin()) : -1;
}

void TQzTranslatorModel::SetLists(const TQzPkgItemList* reference, const TQzPkgItemList* current) {
    FReference = reference;
    FCurrent = current;
    if (!FIds.empty())
        Q_EMIT dataChanged(index(0), index(int(FIds.size()) - 1));
}

// ---------------------------------------------------------------------------------------------
// Drawing

namespace {

int widthOf(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().horizontalAdvance(text);
}

class TQzTranslatorDelegate : public QStyledItemDelegate {
public:
    explicit TQzTranslatorDelegate(TQzTranslatorList* list)
        : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const TQzTranslatorModel* model = FList->Model();
        const int id = index.data(Qt::UserRole).toInt();
        const TQzPkgItem* reference = model->Reference() ? model->Reference()->FindId(id) : nullptr;
        const TQzPkgItem* current = model->Current() ? model->Current()->FindId(id) : nullptr;
        const QRect r = option.rect;
        painter->save();
        QzBeginRow(painter, option);
        const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;
        const int referenceLeft = FList->ReferenceLeft();
        const int split = FList->SplitAt(r.width());
        const int currentLeft = FList->CurrentLeft(r.width());
        painter->drawText(QRect(r.left() + 2, r.top(), referenceLeft - 2, r.height()), flags,
                          QString::number(id));
        // A side that lacks the item shows a red mark half as high as an "X".
        const int mark =
            std::max(2, FList->fontMetrics().tightBoundingRect(QStringLiteral("X")).height() / 2);
        const auto column = [&](int left, int right, const TQzPkgItem* item) {
            if (!item) {
                painter->fillRect(
                    QRect(r.left() + left, r.top() + (r.height() - mark) / 2, mark, mark), Qt::red);
                return;
            }
            QString text = QzPickerItemText(item);
            text.replace(u'\r', u' ').replace(u'\n', u' ');
            painter->drawText(QRect(r.left() + left, r.top(), right - left, r.height()), flags,
                              text);
        };
        column(referenceLeft, split, reference);
        column(currentLeft, r.width(), current);
        QzDrawRowFocus(painter, option, FList);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), std::max(16, option.fontMetrics.height() + 2)};
    }

private:
    TQzTranslatorList* FList;
};

} // namespace

TQzTranslatorList::TQzTranslatorList(QWidget* parent)
    : QListView(parent), FModel(new TQzTranslatorModel(this)) {
    setModel(FModel);
    setItemDelegate(new TQzTranslatorDelegate(this));
    QzSetUpColumnList(this);
}

int TQzTranslatorList::CurrentRow() const {
    return QzListCurrentRow(this);
}

void TQzTranslatorList::SelectRow(int row) {
    QzListSelectRow(this, row);
}

int TQzTranslatorList::ReferenceLeft() const {
    return widthOf(this, QStringLiteral("9999")) + widthOf(this, QStringLiteral("99")) + 2;
}

int TQzTranslatorList::SplitAt(int width) const {
    const int left = ReferenceLeft();
    return left + (width - left) / 2 - widthOf(this, QStringLiteral("9"));
}

int TQzTranslatorList::CurrentLeft(int width) const {
    return SplitAt(width) + widthOf(this, QStringLiteral("99")) + 2;
}

// The separators run the whole height, below the last row too.
void TQzTranslatorList::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    QPainter painter(viewport());
    const int height = viewport()->height();
    const int first = widthOf(this, QStringLiteral("99999")) + 2;
    const int second = first + (viewport()->width() - first) / 2;
    QzDrawColumnSeparator(painter, this, first, height);
    QzDrawColumnSeparator(painter, this, second, height);
}
