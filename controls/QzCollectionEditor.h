#pragma once

// The collection editors, open beside the form designer. TFrCollection lists the items of one
// collection ("Editing Owner.Property") to add, insert, delete, reorder, find and select them; the
// item selected is the designer's selection, so the object inspector shows it. TFrCollPageControl
// does the same for the tabs of a page control and shows its tab sheets beside them, linking a
// tab to the sheet with its page id. There is one window per collection; it lives until the
// collection is freed.

#include "DesignWindows.h"

#include <QPointer>
#include <memory>

namespace Ui {
class TFrCollection;
class TFrCollPageControl;
} // namespace Ui
class QAction;
class QComboBox;
class QListWidget;
class QPushButton;
class TCollection;
class TCollectionItem;
class TQzCustomPageControl;
class TQzTabSheet;
struct TQzFindRequest;

class TFrCollection : public TDesignWindow {
    Q_OBJECT
public:
    explicit TFrCollection(QWidget* parent = nullptr);
    ~TFrCollection() override;

    // The window editing `collection`, or none.
    static TFrCollection* CollectionEditorOf(const TCollection* collection);
    // The window of `collection`, made for `designer` when there is none yet (a page-control
    // window when `pageControl`), captioned "Editing " and the collection's name path, filled,
    // and shown with Execute.
    static TFrCollection* ShowCollectionEditor(TCollection* collection, IDesigner* designer,
                                               bool pageControl);

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* collection);
    QListWidget* lb() const { return FLb; }
    // The item of the selected entry, or none.
    TCollectionItem* SelectedItem() const;

    // Shows the window without waiting, the selected item (or the collection) selected in the
    // designer.
    void Execute();

    // Brings the list in step with the collection; with `select` the item selected before is
    // selected again.
    virtual void DisplayInfo(bool select);
    void SyncSelected();
    void SelectComponent(TPersistent* persistent);
    void EnterSelections();
    void ExitSelections();
    void CheckItemHeight();
    void AdjustButtons();
    // The text of entry `index`: "index - display name".
    QString DoDrawText(int index) const;

    void ItemsModified(IDesigner* designer) override;
    void SelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection) override;
    void FormReplaced(IDesigner* designer, TComponent* oldRoot, TComponent* newRoot) override;

    void BtAddClick();
    void BtInsertClick();
    void BtDeleteClick();
    void BtOwnerClick();
    void BtMoveUpClick();
    void BtMoveDownClick();
    void MnFirstClick();
    void MnLastClick();
    void Clear1Click();
    void Find1Click();
    // Drops the selected entry on entry `row` (-1: below the last one).
    void lbDragDrop(int row);

protected:
    struct TOwnLayout {};
    // For a window that sets up a layout of its own with the same controls, then calls
    // InitControls.
    TFrCollection(QWidget* parent, TOwnLayout);
    void InitControls();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    template <typename F>
    void guarded(F&& handler);
    // Selects entry `row` (-1: none) without the designer hearing of it.
    void selectRow(QListWidget* list, int row);
    // True while the window itself changes its lists or the designer's selection.
    bool FSyncing = false;

private:
    // Moves the selected item to `index` and follows it.
    void moveTo(int index);
    bool matches(const QString& entry, const TQzFindRequest& request) const;

    std::unique_ptr<Ui::TFrCollection> FUi;
    QPointer<TCollection> FCollection;
    QListWidget* FLb = nullptr;
    QPushButton* FBtDelete = nullptr;
    QPushButton* FBtOwner = nullptr;
    QPushButton* FBtMoveUp = nullptr;
    QPushButton* FBtMoveDown = nullptr;
    bool FUpdating = false;
    int FItemHeight = 16;
    QList<QPointer<TPersistent>> FSaved;
    QList<TPersistent*> FLastSelection;
};

class TFrCollPageControl : public TFrCollection {
    Q_OBJECT
public:
    explicit TFrCollPageControl(QWidget* parent = nullptr);
    ~TFrCollPageControl() override;

    // The page control whose tabs the collection holds.
    TQzCustomPageControl* PageControl() const;
    QListWidget* lbts() const;
    QComboBox* CBTab() const;
    QComboBox* CBTabSheet() const;
    // The sheet of the selected entry of lbts, or none.
    TQzTabSheet* SelectedSheet() const;

    void DisplayInfo(bool select) override;
    void DisplayTabs(bool select);
    void DisplayTabSheets(bool select);
    void SyncCBTabSheet();
    void SyncCBTab();
    void CBTabSheetChange();
    void CBTabChange();
    void AddTabSheet1Click();
    void RemoveTabSheet1Click();

private:
    // Gives `tab` the page id `pageId`, taking it from the tab that has it first.
    void linkTab(TCollectionItem* tab, int pageId);
    static void fillCombo(QComboBox* combo, const QListWidget* list);

    std::unique_ptr<Ui::TFrCollPageControl> FUi;
};
