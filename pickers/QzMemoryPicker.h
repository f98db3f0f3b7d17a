#pragma once

// What the label, message and text pickers share: the package combo of the loaded strings
// packages, the Id edit (four digits), the item list (a TQzPickerView), the status line, the item
// buttons (Add, Modify, Delete through the kind's add dialog), Null and Default, the protection
// items of the "System" package, the Packages Manager, and closing: the package current at close
// is saved when the picker changed it (FILE storage), and the caller's reference is written only
// on OK. A kind overrides how its list is filled and searched and which add dialog it opens; a
// kind of another package class (images) also which packages it lists and what it broadcasts.

#include "QzDialog.h"
#include "manager/core/QzManagerEngine.h"

#include <QPointer>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class TQzMemoryRef;
class TQzPickerView;
class TQzPkgItem;
class TQzPkgInfo;
class TQzPkgItemList;
class TQzPkgStrings;

// The words a picker kind uses: "Label" and "Labels", the Manager kind, the add dialog's
// captions.
struct TQzPickerKind {
    QString Singular;
    QString Plural;
    TQzDlgManager ManagerKind;
};

class TQzMemoryPicker : public TQzDialog, public IQzManagerOwner {
    Q_OBJECT
public:
    ~TQzMemoryPicker() override;

    // The reference the picker opens on and writes on OK; the caller owns it and sets it
    // before Execute.
    void SetReference(TQzMemoryRef* reference) { FRef = reference; }
    TQzMemoryRef* Reference() const { return FRef; }
    // Prepares the dialog from the reference and shows it modally; 1 OK, 2 Cancel.
    int Execute();
    // Removes `item`, an item of the current package, from the package and from the list, as the
    // Delete button does; an item the list does not show is freed all the same.
    void DeleteItem(TQzPkgItem* item);

    // The current package; none when the name in the combo names none.
    TQzPkgInfo* CurrentPackage() const;
    // The current package as a strings package.
    TQzPkgStrings* Package() const;

    // Handlers.
    void EdPkgChange();
    void EdIdChange();
    void BtAddClick();
    void BtModifyClick();
    void BtDeleteClick();
    void BtNullClick();
    void BtDefaultClick();
    void BtManagerClick();
    void MnProtectAllClick();
    void MnUnprotectAllClick();

    // IQzManagerOwner
    bool ManagerEditsKind(TQzDlgManager kind) const override;
    QString ManagerPackageName() const override;
    void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) override;

    // Why a close could not save the package, or empty; shown to the person as well.
    const QString& SaveError() const { return FSaveError; }

protected:
    TQzMemoryPicker(QWidget* parent, TQzPickerKind kind);
    // Finds the shared controls of the layout by name and wires them; the derived constructor
    // calls it after setupUi.
    void BindControls(QLineEdit* search);

    // The item list of `pkg` this picker shows: ItemsOf for any package, Items for a strings one.
    virtual TQzPkgItemList* ItemsOf(TQzPkgInfo* pkg) const;
    virtual TQzPkgItemList* Items(TQzPkgStrings* pkg) const;
    // The loaded package of that name, and the names of the loaded packages (strings by default).
    virtual TQzPkgInfo* FindPackage(const QString& name) const;
    virtual void ActiveNames(QStringList& names) const;
    // The code the picker's changes are broadcast with (QzFormsPerform).
    virtual int PerformCode() const;
    // After the shared controls were enabled: the kind's own follow.
    virtual void StateChanged() {}
    // Appended to the status line after the count, when not empty.
    virtual QString InfoSuffix() const { return QString(); }
    // Fills the list from the current package (none: empty).
    virtual void LoadList() = 0;
    // Shows the details of the item selected (none: cleared).
    virtual void ShowDetail(TQzPkgItem* item) = 0;
    // Runs the kind's add dialog: a new item (`item` none) or a change of `item`; the item added
    // or changed when the person pressed OK, else none.
    virtual TQzPkgItem* RunAddDialog(TQzPkgItem* item) = 0;
    // After an item was added or changed through the add dialog.
    virtual void ItemAdded(TQzPkgItem* item) = 0;
    virtual void ItemModified(TQzPkgItem* item, int oldId) = 0;

    void done(int result) override;

    void PkgChange();
    void IdChange();
    void ChangeState();
    void UpdateInfo();
    bool ValidPkg(const QString& name) const;
    // The package changed: the designer is told for a package kept in the form; a package kept in
    // its own file is saved when the picker switches package or closes.
    void Modified();
    // Saves the current package when this picker changed it.
    void SavePackage();
    // The id in the Id edit, or -1 when it names no item of the current list.
    int EditedId() const;
    // Selects the row without the selection's own reaction (ShowRow).
    void SelectRowQuietly(int row);
    void SetEdId(int id);
    // The row's item becomes current: Id edit and details follow.
    void ShowRow(int row);
    bool SystemPackage() const { return FSystem; }
    QLineEdit* SearchEdit() const { return FSearch; }
    const TQzPickerKind& Kind() const { return FKind; }

    QComboBox* EdPkg = nullptr;
    QLineEdit* EdId = nullptr;
    TQzPickerView* List = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QPushButton* BtManager = nullptr;
    QPushButton* BtAdd = nullptr;
    QPushButton* BtModify = nullptr;
    QPushButton* BtDelete = nullptr;
    QPushButton* BtNull = nullptr;
    QPushButton* BtDefault = nullptr;
    QMenu* PPMenu = nullptr;
    QAction* MnProtectAll = nullptr;
    QAction* MnUnprotectAll = nullptr;

private:
    void setProtection(bool protect);
    void showSaveError(const QString& message);

    TQzPickerKind FKind;
    TQzMemoryRef* FRef = nullptr;
    QPointer<TQzPkgInfo> FPkg;
    QLineEdit* FSearch = nullptr;
    bool FSystem = false;
    // The current package was changed through this picker since it became current.
    bool FDirty = false;
    bool FFilling = false;
    QString FSaveError;
};
