#pragma once

// What the display sets editors and the set pickers share: the list of the colour, font or
// background sets of the application's display package, sorted by name and drawn two lines an
// entry beside a sample of the set; the search box; Add, Modify and Delete through the kind's
// add dialog; the Packages Manager; and the count in the status line. A kind (TQzSetsKind) says
// which list, which words and which sample; the editor (packages/) and the picker (below) add
// only what they do on top.

#include "QzDialog.h"
#include "manager/core/QzManagerEngine.h"

#include <QListWidget>
#include <memory>

class QLineEdit;
class QPainter;
class QPushButton;
class QStatusBar;
class TQzCApplication;
class TQzPkgDisplay;
class TQzPkgDisplaySet;
class TQzPkgDisplaySets;
class TQzSetRef;
class TQzSetsAddDialog;

// One family of sets: colour, font or background.
struct TQzSetsKind {
    // The list control's name: "Colors", "Fonts", "BackGrounds".
    QString ListName;
    // "SetsColor": the caption's start and the status word for several sets.
    QString Plural;
    // "SetColor": the status word for one set.
    QString Singular;
    // "Color": the add dialog's captions are "Add " and "Modify " followed by it.
    QString What;
    // The start of the names proposed for new sets: "sc", "sf", "sb".
    QString NamePrefix;
    TQzDlgManager ManagerKind;
    // Whether typing "<Default>" in a picker's name box leaves the selection alone.
    bool DefaultKeepsSelection;
    TQzPkgDisplaySets* (*Sets)(const TQzPkgDisplay& display);
    // A new set of the kind; raises when the name is refused.
    TQzPkgDisplaySet* (*Add)(const TQzPkgDisplay& display, const QString& name);
    // Paints the set's sample inside `frame`.
    void (*DrawSample)(QPainter& painter, const QRect& frame, const TQzPkgDisplaySet& set);
    // What follows the name on the entry's first line: " (RGB:255,255,255)".
    QString (*Detail)(const TQzPkgDisplaySet& set);
    std::unique_ptr<TQzSetsAddDialog> (*CreateAddDialog)(QWidget* parent);
};

const TQzSetsKind& QzSetsColorKind();
const TQzSetsKind& QzSetsFontKind();
const TQzSetsKind& QzSetsBackGroundKind();

// The list box of sets: one entry a set, carrying the set, drawn by the kind.
class TQzSetsList : public QListWidget {
    Q_OBJECT
public:
    explicit TQzSetsList(QWidget* parent = nullptr);

    void SetKind(const TQzSetsKind* kind) { FKind = kind; }
    const TQzSetsKind* Kind() const { return FKind; }
    // Replaces the entries, in the order given.
    void SetSets(const QList<TQzPkgDisplaySet*>& sets);
    TQzPkgDisplaySet* Set(int row) const;
    int RowOf(const TQzPkgDisplaySet* set) const;
    // The selected entry's set; none without a selection.
    TQzPkgDisplaySet* Selected() const;
    // Selects `row`; -1 selects nothing.
    void SelectRow(int row);

private:
    const TQzSetsKind* FKind = nullptr;
};

// The list dialog of one kind of sets. A derived dialog builds its layout, calls BindControls,
// and runs PrepareList before showing itself.
class TQzSetsDialog : public TQzDialog, public IQzManagerOwner {
    Q_OBJECT
public:
    ~TQzSetsDialog() override;

    const TQzSetsKind& Kind() const { return FKind; }
    // The application component whose display package is edited; none leaves Add disabled.
    void SetApplication(TQzCApplication* app) { FApp = app; }
    TQzCApplication* Application() const { return FApp; }
    // Whether a set was added, changed or deleted since the dialog opened.
    bool Changed() const { return FChanged; }

    // Removes the entry of `set`, frees the set and selects the neighbouring entry.
    void DeleteItem(TQzPkgDisplaySet* set);

    // Handlers.
    void SetsClick();
    void EdDescripChange();
    void BtAddClick();
    void BtModifyClick();
    void BtDeleteClick();
    void BtManagerClick();

    // IQzManagerOwner
    bool ManagerEditsKind(TQzDlgManager kind) const override;
    QString ManagerPackageName() const override;
    void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) override;

protected:
    TQzSetsDialog(QWidget* parent, const TQzSetsKind& kind);
    // Finds the shared controls of the layout by name and wires them.
    void BindControls();
    // The caption, the sorted list, the buttons and the status line.
    void PrepareList();
    // The sets of the kind in the application's display package; none without one.
    TQzPkgDisplaySets* Sets() const;
    TQzPkgDisplay* Display() const;

    void LoadSets();
    void ChangeState();
    void UpdateInfo();
    // Selects the entry of the set called `name` and shows the name in the search box; without
    // such a set nothing is selected and the box is emptied.
    void SelectByName(const QString& name);
    // A search typed into the box: the first entry whose name is not below it.
    virtual void Search(const QString& text);
    // A double-click on an entry.
    virtual void SetsDblClick();
    // After a set was added, changed or deleted, or the custom colours changed.
    virtual void PackageChanged();

    TQzSetsList* List = nullptr;
    QLineEdit* EdDescrip = nullptr;
    QPushButton* BtAdd = nullptr;
    QPushButton* BtModify = nullptr;
    QPushButton* BtDelete = nullptr;
    QPushButton* BtManager = nullptr;
    QStatusBar* StatusBar1 = nullptr;

private:
    // Runs the add dialog on `set` (none: a new set); the set's name after OK, else none.
    std::optional<QString> runAddDialog(TQzPkgDisplaySet* set);

    const TQzSetsKind& FKind;
    TQzCApplication* FApp = nullptr;
    bool FChanged = false;
};

// A set picker: the list dialog that also chooses the set a reference names, the empty name (no
// set) or "<Default>". Sets added, changed or deleted on the way stay so even when it is
// cancelled; the display package is saved to its file when it closes, if the picker changed it.
class TQzSetPicker : public TQzSetsDialog {
    Q_OBJECT
public:
    ~TQzSetPicker() override;

    // The reference the picker opens on and names on OK; the caller owns it.
    void SetReference(TQzSetRef* reference) { FRef = reference; }
    // 1 OK, 2 Cancel; on OK the reference names the set chosen.
    int Execute();

    void BtNullClick();
    void BtDefaultClick();

    // Why the display package could not be saved on closing, or empty; shown to the person too.
    const QString& SaveError() const { return FSaveError; }

protected:
    TQzSetPicker(QWidget* parent, const TQzSetsKind& kind);
    // Wires Null and Default after BindControls.
    void BindPicker();

    void Search(const QString& text) override;
    void SetsDblClick() override;
    // The designer hears of a display package kept in the form.
    void PackageChanged() override;

private:
    void saveDisplay();

    TQzSetRef* FRef = nullptr;
    QString FSaveError;
};
