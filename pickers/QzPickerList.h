#pragma once

// The item list of the label, message and text pickers: a model over the package's own items
// (one pointer a row, nothing else kept per row) and a view that draws each row in columns: the
// id, the protected mark "P" (for the "System" package only) and the text, with raised
// separators between the columns from top to bottom. The column widths are measured from the
// templates "9999", "99", "P", "99999" and "9P9" in the list's font.

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

class QListView;
class QPainter;
class TQzPkgItem;
class TQzPkgItemList;

// The text of a strings item (a label's text, a message's or a text's).
const QString& QzPickerItemText(const TQzPkgItem* item);
// A stored text as a memo shows it: CR LF line breaks as single ones.
QString QzPickerShownText(QString text);

// The order of a list sorted by text: case-insensitive (each UTF-16 unit case-folded), and
// equal texts in the order the rows had. <0, 0 or >0 as `a` sorts before, with or after `b`.
int QzCompareFolded(QStringView a, QStringView b);
void QzSortByText(std::vector<TQzPkgItem*>& rows);
// By ascending id, equal ids in the order the rows had.
void QzSortById(std::vector<TQzPkgItem*>& rows);
bool QzIdBefore(const TQzPkgItem* a, const TQzPkgItem* b);
// The first row of `rows`, sorted by text, that does not sort before `text`; rows.size() when
// every row does.
std::size_t QzFirstNotBefore(const std::vector<TQzPkgItem*>& rows, QStringView text);
// Where an item with `text` goes in `rows`, sorted by text: after the rows equal to it.
std::size_t QzInsertionRow(const std::vector<TQzPkgItem*>& rows, QStringView text);

// The items of `list` in a list's order: by text, in any case (equal texts in the package's
// order), or by id.
std::vector<TQzPkgItem*> QzPickerRows(const TQzPkgItemList& list, bool byText);
// The items of `list` whose text holds `filter` in any case, blanks included (a blank filter
// takes them all), by id.
std::vector<TQzPkgItem*> QzPickerFilteredRows(const TQzPkgItemList& list, const QString& filter);
// The row a search text selects in `rows`: ordered by text, the first not below it, found by
// halving; ordered by id, the first whose text begins with it. -1 for none.
int QzPickerSearchRow(const std::vector<TQzPkgItem*>& rows, const QString& search, bool byText);
// Where `item` goes in `rows` ordered by text or by id: after its equals.
int QzPickerSortedRow(const std::vector<TQzPkgItem*>& rows, const TQzPkgItem* item, bool byText);

// Sets `protect` on every item of `items`; true when any changed.
bool QzProtectAll(TQzPkgItemList& items, bool protect);

// Shared by the lists drawn in columns: the row selected (-1 for none), selecting a row and
// scrolling to it (-1 clears the selection), and a raised separator from top to bottom.
int QzListCurrentRow(const QAbstractItemView* view);
void QzListSelectRow(QAbstractItemView* view, int row);
void QzDrawColumnSeparator(QPainter& painter, const QWidget* view, int x, int height);
// One line a row, one row selected at a time, nothing edited in place, texts clipped to the row.
void QzSetUpColumnList(QListView* view);
// A row's background and pen as selected or not, clipped to the row; and its focus frame.
void QzBeginRow(QPainter* painter, const QStyleOptionViewItem& option);
void QzDrawRowFocus(QPainter* painter, const QStyleOptionViewItem& option, const QWidget* view);

class TQzPickerModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Replaces every row at once.
    void SetRows(std::vector<TQzPkgItem*> rows);
    const std::vector<TQzPkgItem*>& Rows() const { return FRows; }
    TQzPkgItem* Item(int row) const;
    // The first row holding `item`, or -1.
    int RowOf(const TQzPkgItem* item) const;
    void InsertRow(int row, TQzPkgItem* item);
    void RemoveRow(int row);
    // The row's item changed: it is drawn again.
    void RowChanged(int row);

private:
    std::vector<TQzPkgItem*> FRows;
};

// The item list of a picker or package editor, however it is drawn (rows of columns, a grid of
// pictures): the items of its rows and which one is selected.
class TQzPickerView {
public:
    virtual ~TQzPickerView();
    TQzPickerView(const TQzPickerView&) = delete;
    TQzPickerView& operator=(const TQzPickerView&) = delete;

    TQzPickerModel* Model() const { return FModel; }
    QAbstractItemView* View() const { return FView; }
    int CurrentRow() const;
    // Selects `row` and scrolls to it; -1 clears the selection.
    void SelectRow(int row);
    // Shows the "P" column of protected items, where the list has one.
    virtual void SetShowProtected(bool show);

protected:
    // Makes the model of `view` (which owns it).
    explicit TQzPickerView(QAbstractItemView* view);

private:
    QAbstractItemView* FView;
    TQzPickerModel* FModel;
};

class TQzPickerList : public QTableView, public TQzPickerView {
    Q_OBJECT
public:
    explicit TQzPickerList(QWidget* parent = nullptr);

    // Shows the "P" column and its separator.
    void SetShowProtected(bool show) override;
    bool ShowProtected() const { return FShowProtected; }
    // Where the columns start, and the separators, in the list's font.
    int TextLeft() const;
    int ProtectedLeft() const;
    int SeparatorLeft() const;
    int SecondSeparatorLeft() const;
    // The width of the narrowest character, as "." measures it.
    int NarrowestWidth() const;

    // Rows as high as one line of text in the list's font.
    void CheckItemHeight();

protected:
    // Where the column separators run, from the left of the rows.
    virtual QList<int> Separators() const;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool FShowProtected = false;
};
