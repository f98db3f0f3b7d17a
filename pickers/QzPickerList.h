#pragma once

// The item list of the label, message and text pickers: a model over the package's own items
// (one pointer a row, nothing else kept per row) and a view that draws each row in columns: the
// id, the protected mark "P" (for the "System" package only) and the text, with raised
// separators between the columns from top to bottom. The column widths are measured from the
// templates "9999", "99", "P", "99999" and "9P9" in the list's font.

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <vector>

class TQzPkgItem;

// The text of a strings item (a label's text, a message's or a text's).
const QString& QzPickerItemText(const TQzPkgItem* item);
// A stored text as a memo shows it: CR LF line breaks as single ones.
QString QzPickerShownText(QString text);

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

class TQzPickerList : public QListView {
    Q_OBJECT
public:
    explicit TQzPickerList(QWidget* parent = nullptr);

    TQzPickerModel* Model() const { return FModel; }
    // Shows the "P" column and its separator.
    void SetShowProtected(bool show);
    bool ShowProtected() const { return FShowProtected; }
    int CurrentRow() const;
    // Selects `row` and scrolls to it; -1 clears the selection.
    void SelectRow(int row);
    // Where the columns start, and the separators, in the list's font.
    int TextLeft() const;
    int ProtectedLeft() const;
    int SeparatorLeft() const;
    int SecondSeparatorLeft() const;

protected:
    // Where the column separators run, from the left of the rows.
    virtual QList<int> Separators() const;
    void paintEvent(QPaintEvent* event) override;

private:
    TQzPickerModel* FModel;
    bool FShowProtected = false;
};
