#pragma once

// The privileges editor: TFrPrivileges edits the privileges of an application's privileges
// package (TQzPrivilegesDialog) and besides empties it, gives every privilege read and write
// access again, loads and saves privilege templates (".pri"), loads and saves the package from
// and to package files, and sets whether a read-only privilege disables its control.

#include "pickers/QzPrivilegesList.h"

namespace Ui {
class TFrPrivileges;
}
class QAction;
class QMenu;

class TFrPrivileges : public TQzPrivilegesDialog {
    Q_OBJECT
public:
    explicit TFrPrivileges(QWidget* parent = nullptr);
    ~TFrPrivileges() override;

    // Shows the editor modally for Pkg.
    void Execute();

    void EdReadStateClick();
    void BtClearClick();
    void MnClearAccessClick();
    void BtLoadTemplateClick();
    void BtSaveTemplateClick();
    void BtLoadClick();
    void BtSaveClick();
    void BtLoadFromClick();
    void BtSaveToClick();

private:
    // The file chosen to read (`save` off) or write, with `filter` ("Name (*.x)|*.x|...") and its
    // default extension; none when cancelled.
    std::optional<QString> chooseFile(bool save, const QString& filter, const QString& ext);
    // The package files of the kind: "Package Images (*.pac)|*.pac|All files (*.*)|*.*".
    QString packageFilter() const;
    // Content replaced from a file: the list is read again and the designer told.
    void reloaded();

    std::unique_ptr<Ui::TFrPrivileges> FUi;
    QMenu* PPPrivileges;
    QAction* MnClearAccess;
};
