#pragma once

// "Synchronizer": brings the edited package into line with a package file (Synchronize from), or
// chosen package files of the application folder into line with it (Synchronize to), by item key
// only, with the options to add new items, delete items the source lacks and, for display and
// language packages, which parts take part. The work is QzPkgSync's; a failure shows system
// message 66 and, going to several files, the others are still done.

#include "QzDialog.h"
#include "manager/core/QzPkgSync.h"

#include <memory>

namespace Ui {
class TFrPkgSynchronizer;
}
class TQzPkgInfo;

class TFrPkgSynchronizer : public TQzDialog, private IQzSyncProgress {
    Q_OBJECT
public:
    explicit TFrPkgSynchronizer(QWidget* parent = nullptr);
    ~TFrPkgSynchronizer() override;

    // The package being edited; set before Execute.
    TQzPkgInfo* Pkg = nullptr;

    // Prepares the dialog for Pkg and shows it; true when it closed with Ok.
    bool Execute();
    // Runs the direction shown; false (after message 66) when any file failed.
    bool Synchronize();

    void BtApplyClick();
    void SBSearchClick();
    void SBAppendClick();
    void SBDeleteClick();
    void SBAppendAllClick();
    void SBDeleteAllClick();

    // Ok synchronizes first when Apply may run, and closes only when that succeeded.
    void accept() override;

private:
    void ChangeState();
    bool ApplyEnabled() const;
    TQzSyncOptions Options() const;
    QString FromFile() const;
    void moveEntry(bool toTargets, bool all);
    void SyncStart(int steps) override;
    void SyncStep() override;

    std::unique_ptr<Ui::TFrPkgSynchronizer> FUi;
    QString sExt;
    QString sFilter;
    int FSteps = 0;
};
