#pragma once

// The id list of the string translators: one row per id of either package, drawn in columns: the
// id, the reference's text and the current package's text, split at the middle of the room
// after the id, with a small red mark where a side lacks the item and raised separators between
// the columns from top to bottom. Rows hold ids only; the texts are looked up when drawn.

#include <QAbstractListModel>
#include <QListView>
#include <vector>

class TQzPkgItemList;

class TQzTranslatorModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void SetIds(std::vector<int> ids);
    const std::vector<int>& Ids() const { return FIds; }
    // The row of `id`, or -1.
    int RowOf(int id) const;
    // The lists the texts come from; either may be none.
    void SetLists(const TQzPkgItemList* reference, const TQzPkgItemList* current);
    const TQzPkgItemList* Reference() const { return FReference; }
    const TQzPkgItemList* Current() const { return FCurrent; }

private:
    std::vector<int> FIds;
    const TQzPkgItemList* FReference = nullptr;
    const TQzPkgItemList* FCurrent = nullptr;
};

class TQzTranslatorList : public QListView {
    Q_OBJECT
public:
    explicit TQzTranslatorList(QWidget* parent = nullptr);

    TQzTranslatorModel* Model() const { return FModel; }
    int CurrentRow() const;
    // Selects `row` and scrolls to it; -1 clears the selection.
    void SelectRow(int row);

    // Where the columns start, in the list's font, for a row `width` wide.
    int ReferenceLeft() const;
    int SplitAt(int width) const;
    int CurrentLeft(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TQzTranslatorModel* FModel;
};
