#pragma once

// The privilege picker: TFrPrivilege chooses the privilege a privilege reference names, by id,
// among those of the application's privileges package, or none ("N&ull"); it adds, changes and
// deletes privileges on the way, as the privileges editor does. An id that no privilege has is
// stored as typed.

#include "pickers/QzPrivilegesList.h"

namespace Ui {
class TFrPrivilege;
}
class TQzPrivilege;

class TFrPrivilege : public TQzPrivilegesDialog {
    Q_OBJECT
public:
    explicit TFrPrivilege(QWidget* parent = nullptr);
    ~TFrPrivilege() override;

    // The reference the picker opens on and writes on OK; the caller owns it.
    void SetReference(TQzPrivilege* reference) { FRef = reference; }
    // 1 OK, 2 Cancel; on OK the reference has the id in the Id edit (-1 when it is no number).
    int Execute();

    void BtClearClick();

protected:
    void PrivilegesDblClick() override;

private:
    std::unique_ptr<Ui::TFrPrivilege> FUi;
    TQzPrivilege* FRef = nullptr;
};
