#include "pickers/QzPickerList.h"

#include "QzPkgStrings.h"

#include <QEvent>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <numeric>

// The class is compared directly: a cast through the meta-object system, per comparison of a
// sort, would cost as much as the comparison.
const QString& QzPickerItemText(const TQzPkgItem* item) {
    static const QString none;
    if (item->metaObject() == &TQzPkgStringsLabel::staticMetaObject)
        return static_cast<const TQzPkgStringsLabel*>(item)->Text();
    if (item->metaObject() == &TQzPkgStringsText::staticMetaObject)
        return static_cast<const TQzPkgStringsText*>(item)->Text();
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
// Order by text

namespace {

char32_t folded(char16_t unit) {
    if (unit < 0x80)
        return unit >= u'A' && unit <= u'Z' ? unit + 32u : unit;
    return QChar::toCaseFolded(char32_t(unit));
}

// Sorting a hundred thousand texts by comparing them whole reads their shared beginnings (captions
// often share several words) again at every comparison. Here the first folded units of each text
// are packed three to a 64-bit word, each unit one more than its value so that 0 marks the end,
// and a three-way radix quicksort splits the rows on one word at a time. Rows still equal after
// the packed words are compared whole.
class TTextSorter {
public:
    // A row being sorted: its place before the sort, which is also where its words are.
    using Row = quint32;

    explicit TTextSorter(const std::vector<TQzPkgItem*>& items)
        : FItems(items), FWords(new quint64[items.size() * WordCount]) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QString& text = QzPickerItemText(items[i]);
            const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
            const qsizetype size = text.size();
            quint64* words = &FWords[i * WordCount];
            for (int w = 0; w < WordCount; ++w) {
                const qsizetype u = qsizetype(w) * UnitsPerWord;
                if (u + UnitsPerWord <= size) {
                    words[w] = quint64(folded(units[u]) + 1) << (2 * UnitBits) |
                               quint64(folded(units[u + 1]) + 1) << UnitBits |
                               quint64(folded(units[u + 2]) + 1);
                    continue;
                }
                quint64 packed = 0;
                for (qsizetype k = u; k < u + UnitsPerWord; ++k)
                    packed = packed << UnitBits | (k < size ? folded(units[k]) + 1 : 0);
                words[w] = packed;
            }
        }
    }

    // Sorts rows [0, n) that agree on their first `depth` words.
    void Sort(Row* rows, std::size_t n, int depth) const {
        while (n > 1) {
            if (depth == WordCount) {
                std::sort(rows, rows + n, [this](Row a, Row b) { return wholeBefore(a, b); });
                return;
            }
            if (n < 16) {
                std::sort(rows, rows + n,
                          [this, depth](Row a, Row b) { return before(a, b, depth); });
                return;
            }
            const quint64 first = word(rows[0], depth);
            const quint64 middle = word(rows[n / 2], depth);
            const quint64 last = word(rows[n - 1], depth);
            const quint64 pivot =
                std::max(std::min(first, middle), std::min(std::max(first, middle), last));
            std::size_t less = 0, i = 0, greater = n;
            while (i < greater) {
                const quint64 w = word(rows[i], depth);
                if (w < pivot)
                    std::swap(rows[less++], rows[i++]);
                else if (w > pivot)
                    std::swap(rows[i], rows[--greater]);
                else
                    ++i;
            }
            struct Part {
                Row* Rows;
                std::size_t Size;
                int Depth;
            };
            Part parts[] = {{rows, less, depth},
                            {rows + less, greater - less, depth + 1},
                            {rows + greater, n - greater, depth}};
            if (pivot == 0) {
                // Texts that ended before this word are equal: they keep their order.
                std::sort(parts[1].Rows, parts[1].Rows + parts[1].Size);
                parts[1].Size = 0;
            }
            // The two smaller parts by recursion, the largest by the loop: the recursion stays
            // shallow.
            std::sort(std::begin(parts), std::end(parts),
                      [](const Part& a, const Part& b) { return a.Size < b.Size; });
            Sort(parts[0].Rows, parts[0].Size, parts[0].Depth);
            Sort(parts[1].Rows, parts[1].Size, parts[1].Depth);
            rows = parts[2].Rows;
            n = parts[2].Size;
            depth = parts[2].Depth;
        }
    }

private:
    static constexpr int WordCount = 8;
    static constexpr int UnitsPerWord = 3;
    static constexpr int UnitBits = 21;

    quint64 word(Row row, int depth) const { return FWords[std::size_t(row) * WordCount + depth]; }

    // For rows that agree on their first `depth` words.
    bool before(Row a, Row b, int depth) const {
        for (; depth < WordCount; ++depth) {
            const quint64 x = word(a, depth);
            const quint64 y = word(b, depth);
            if (x != y)
                return x < y;
            if (x == 0)
                return a < b;
        }
        return wholeBefore(a, b);
    }

    bool wholeBefore(Row a, Row b) const {
        const int order = QzCompareFolded(QzPickerItemText(FItems[a]), QzPickerItemText(FItems[b]));
        return order != 0 ? order < 0 : a < b;
    }

    const std::vector<TQzPkgItem*>& FItems;
    std::unique_ptr<quint64[]> FWords;
};

} // namespace

int QzCompareFolded(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t x = folded(a[i].unicode());
        const char32_t y = folded(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

void QzSortByText(std::vector<TQzPkgItem*>& rows) {
    std::vector<TTextSorter::Row> order(rows.size());
    std::iota(order.begin(), order.end(), TTextSorter::Row(0));
    TTextSorter(rows).Sort(order.data(), order.size(), 0);
    const std::vector<TQzPkgItem*> unsorted = rows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = unsorted[order[i]];
}

bool QzIdBefore(const TQzPkgItem* a, const TQzPkgItem* b) {
    return a->Id() < b->Id();
}

// Packages mostly hold their items by rising id already.
void QzSortById(std::vector<TQzPkgItem*>& rows) {
    if (!std::is_sorted(rows.begin(), rows.end(), QzIdBefore))
        std::stable_sort(rows.begin(), rows.end(), QzIdBefore);
}

std::size_t QzFirstNotBefore(const std::vector<TQzPkgItem*>& rows, QStringView text) {
    return std::size_t(std::partition_point(rows.begin(), rows.end(),
                                            [text](const TQzPkgItem* row) {
                                                return QzCompareFolded(QzPickerItemText(row),
                                                                       text) < 0;
                                            }) -
                       rows.begin());
}

std::size_t QzInsertionRow(const std::vector<TQzPkgItem*>& rows, QStringView text) {
    return std::size_t(std::partition_point(rows.begin(), rows.end(),
                                            [text](const TQzPkgItem* row) {
                                                return QzCompareFolded(QzPickerItemText(row),
                                                                       text) <= 0;
                                            }) -
                       rows.begin());
}

std::vector<TQzPkgItem*> QzPickerRows(const TQzPkgItemList& list, bool byText) {
    std::vector<TQzPkgItem*> rows;
    rows.reserve(std::size_t(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        rows.push_back(list.GetItems(i));
    if (byText)
        QzSortByText(rows);
    else
        QzSortById(rows);
    return rows;
}

std::vector<TQzPkgItem*> QzPickerFilteredRows(const TQzPkgItemList& list, const QString& filter) {
    if (filter.trimmed().isEmpty())
        return QzPickerRows(list, false);
    std::vector<TQzPkgItem*> rows;
    for (int i = 0; i < list.Count(); ++i) {
        TQzPkgItem* item = list.GetItems(i);
        if (QzPickerItemText(item).contains(filter, Qt::CaseInsensitive))
            rows.push_back(item);
    }
    QzSortById(rows);
    return rows;
}

int QzPickerSearchRow(const std::vector<TQzPkgItem*>& rows, const QString& search, bool byText) {
    if (byText) {
        const std::size_t first = QzFirstNotBefore(rows, search);
        return first < rows.size() ? int(first) : -1;
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (QzPickerItemText(rows[i]).startsWith(search, Qt::CaseInsensitive))
            return int(i);
    return -1;
}

int QzPickerSortedRow(const std::vector<TQzPkgItem*>& rows, const TQzPkgItem* item, bool byText) {
    if (byText)
        return int(QzInsertionRow(rows, QzPickerItemText(item)));
    return int(std::upper_bound(rows.begin(), rows.end(), item, QzIdBefore) - rows.begin());
}

bool QzProtectAll(TQzPkgItemList& items, bool protect) {
    bool changed = false;
    for (int i = 0; i < items.Count(); ++i) {
        TQzPkgItem* item = items.GetItems(i);
        if (item->Protected != protect) {
            item->Protected = protect;
            changed = true;
        }
    }
    return changed;
}

// ---------------------------------------------------------------------------------------------
// Lists drawn in columns

int QzListCurrentRow(const QAbstractItemView* view) {
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void QzListSelectRow(QAbstractItemView* view, int row) {
    if (row < 0 || row >= view->model()->rowCount()) {
        view->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex at = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(at);
}

void QzDrawColumnSeparator(QPainter& painter, const QWidget* view, int x, int height) {
    painter.setPen(view->palette().color(QPalette::Mid));
    painter.drawLine(x, 0, x, height);
    painter.setPen(view->palette().color(QPalette::Light));
    painter.drawLine(x + 1, 0, x + 1, height);
}

// Every row is one line high: the view need not measure each of them.
void QzSetUpColumnList(QListView* view) {
    view->setUniformItemSizes(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void QzBeginRow(QPainter* painter, const QStyleOptionViewItem& option) {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->setClipRect(option.rect);
}

void QzDrawRowFocus(QPainter* painter, const QStyleOptionViewItem& option, const QWidget* view) {
    if (!(option.state & QStyle::State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.rect = option.rect;
    focus.state = option.state;
    focus.backgroundColor = option.palette.highlight().color();
    view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
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
        painter->save();
        QzBeginRow(painter, option);
        const QRect r = option.rect;
        const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;
        painter->drawText(QRect(r.left() + 2, r.top(), FList->ProtectedLeft() - 2, r.height()),
                          flags, QString::number(item->Id()));
        if (FList->ShowProtected() && item->Protected)
            painter->drawText(
                QRect(r.left() + FList->ProtectedLeft(), r.top(), r.width(), r.height()), flags,
                QStringLiteral("P"));
        // Only what the row can show is laid out: a long text would be shaped whole for the few
        // words that fit. No character is narrower than a point. Line breaks of a multi-line
        // text show as blanks on its one line.
        const QRect textRect(r.left() + FList->TextLeft(), r.top(), r.width() - FList->TextLeft(),
                             r.height());
        const qsizetype room = textRect.width() / std::max(1, FList->NarrowestWidth()) + 1;
        QString text = QzPickerItemText(item).left(room);
        text.replace(u'\r', u' ').replace(u'\n', u' ');
        painter->drawText(textRect, flags, text);
        QzDrawRowFocus(painter, option, FList);
        painter->restore();
    }

private:
    TQzPickerList* FList;
};

} // namespace

// A table of one column with rows of one fixed height rather than a list view: a list view lays
// out every row before it shows any, which for a hundred thousand rows costs more than filling
// them; a table's rows are placed by arithmetic.
TQzPickerView::TQzPickerView(QAbstractItemView* view)
    : FView(view), FModel(new TQzPickerModel(view)) {
    FView->setModel(FModel);
}

TQzPickerView::~TQzPickerView() = default;

int TQzPickerView::CurrentRow() const {
    return QzListCurrentRow(FView);
}

void TQzPickerView::SelectRow(int row) {
    QzListSelectRow(FView, row);
}

void TQzPickerView::SetShowProtected(bool) {}

TQzPickerList::TQzPickerList(QWidget* parent) : QTableView(parent), TQzPickerView(this) {
    setItemDelegate(new TQzPickerDelegate(this));
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    CheckItemHeight();
    setShowGrid(false);
    setWordWrap(false);
    // Tab leaves the list, as it leaves any other control.
    setTabKeyNavigation(false);
    // Texts are clipped to the row, as the columns leave them.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

// One line of text, as the list's font measures "A".
void TQzPickerList::CheckItemHeight() {
    const QFontMetrics metrics = fontMetrics();
    const int height = metrics.boundingRect(QStringLiteral("A")).height() + metrics.leading() + 2;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void TQzPickerList::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        CheckItemHeight();
}

void TQzPickerList::SetShowProtected(bool show) {
    FShowProtected = show;
    viewport()->update();
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

int TQzPickerList::NarrowestWidth() const {
    return widthOf(this, QStringLiteral("."));
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
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    const int height = viewport()->height();
    for (int x : Separators())
        QzDrawColumnSeparator(painter, this, x, height);
}
