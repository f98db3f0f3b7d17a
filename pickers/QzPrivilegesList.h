#pragma once

// What the privileges editor and the privilege picker share: the list of the privileges of a
// privileges package, by id, filtered on their descriptions and drawn in columns (id,
// description, access level in its colour, "V" for a visible privilege); the Id edit that
// selects by id; Add, Modify and Delete through TFrPrivilegesAdd; the Packages Manager; the
// count in the status line; and telling the designer. A package kept in its own file is saved
// when the dialog closes, if the dialog changed it.

#include "QzDialog.h"
#include "manager/core/QzManagerEngine.h"
#include "pickers/QzPickerList.h"

#include <memory>

namespace Ui {
class TFrPrivilegesAdd;
}
class QLineEdit;
class QPushButton;
class QStatusBar;
class TQzDescriptionLabel;
class TQzMemoryLabel;
class TQzPkgPrivileges;
class TQzPkgPrivilegesItem;

// "None", "Read", "Read/Write"; empty for any other level.
QString QzAccessText(int access);

// The list of privileges: one line a privilege, in columns.
class TQzPrivilegesList : public TQzPickerList {
    Q_OBJECT
public:
    explicit TQzPrivilegesList(QWidget* parent = nullptr);

    // Where the description, access and visibility columns start.
    int DescriptionLeft() const;
    int AccessLeft() const;
    int VisibleLeft() const;

protected:
    QList<int> Separators() const override;
};

class TQzPrivilegesDialog : public TQzDialog, public IQzManagerOwner {
    Q_OBJECT
public:
    ~TQzPrivilegesDialog() override;

    // The package shown; the caller sets it before Execute.
    TQzPkgPrivileges* Pkg = nullptr;

    // Removes `item` from the package and its line from the list, as Delete does.
    void DeleteItem(TQzPkgPrivilegesItem* item);

    // Handlers.
    void EdPrivilegeChange();
    void EdIdChange();
    void PrivilegesClick();
    void BtAddClick();
    void BtModifyClick();
    void BtDeleteClick();
    void BtManagerClick();

    // IQzManagerOwner
    bool ManagerEditsKind(TQzDlgManager kind) const override;
    QString ManagerPackageName() const override;
    void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) override;

    // Why closing could not save the package, or empty; shown to the person too.
    const QString& SaveError() const { return FSaveError; }

protected:
    explicit TQzPrivilegesDialog(QWidget* parent);
    // Finds the shared controls of the layout by name and wires them.
    void BindControls();
    // The list with the filter typed, the line of the Id edit's id, buttons and status.
    void PrepareList();

    void LoadPrivileges(const QString& filter);
    // Selects the line of the Id edit's id; none when it is no number or no line has it.
    void SelectEdId();
    void ChangeState();
    void UpdateInfo();
    // The package changed: the designer is told (of the application when it holds the package);
    // a package in its own file is saved when the dialog closes.
    void Modified();
    // A double-click on a line.
    virtual void PrivilegesDblClick();
    void done(int result) override;

    QLineEdit* EdPrivilege = nullptr;
    QLineEdit* EdId = nullptr;
    TQzPrivilegesList* List = nullptr;
    QPushButton* BtAdd = nullptr;
    QPushButton* BtModify = nullptr;
    QPushButton* BtDelete = nullptr;
    QPushButton* BtManager = nullptr;
    QStatusBar* StatusBar = nullptr;

private:
    TQzPkgPrivilegesItem* selected() const;
    void savePackage();

    bool FDirty = false;
    // The selection is being set from the Id edit, not by the person.
    bool FSelecting = false;
    QString FSaveError;
};

// Adds a privilege to a package or changes one: its description (typed, or a label of a strings
// package), id, access level and visibility. A refused id is shown and the dialog stays open.
class TFrPrivilegesAdd : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrPrivilegesAdd(QWidget* parent = nullptr);
    ~TFrPrivilegesAdd() override;

    // A new privilege of `pkg` (`item` none: the package's unused id, read/write and visible) or
    // a change of `item`; true on OK, when the package holds the privilege as entered.
    bool Execute(TQzPkgPrivileges* pkg, const TQzPkgPrivilegesItem* item);
    // The privilege's id after OK.
    int Id() const;

protected:
    void Accepting() override;

private:
    std::unique_ptr<Ui::TFrPrivilegesAdd> FUi;
    TQzDescriptionLabel* FDescription;
    TQzPkgPrivileges* FPkg = nullptr;
    bool FModify = false;
    QString FPriorId;
};
