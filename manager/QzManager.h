#pragma once

// The Packages Manager: where is a package item referenced in the project's forms and in the
// application's display sets and privileges (Scan), how often is each item of chosen packages
// referenced (Scan Counter), and redirecting or clearing what a scan found, or deleting what
// nobody references (Replace, Clear). Package editors and item pickers open it with themselves
// as owner; after a count, unused items are deleted through the owner when it is the editor or
// picker of that kind (IQzManagerOwner). The work itself is TQzManagerEngine's, over the IDE's
// forms through the form bridge; this dialog drives it and shows its results.

#include "QzDialog.h"
#include "manager/core/QzManagerEngine.h"

#include <QPointer>
#include <memory>

namespace Ui {
class TFrManager;
}
class QListWidgetItem;

class TFrManager : public TQzDialog, private IQzManagerForms, private IQzManagerFeedback {
    Q_OBJECT
public:
    // `owner` is the editor or picker that opens the Manager; none is allowed.
    explicit TFrManager(QWidget* owner);
    ~TFrManager() override;

    // Prepares the dialog for `kind`, package `pkgName` and item `id` (a set name for sets) and
    // shows it modally.
    void Execute(TQzDlgManager kind, const QString& pkgName, const QString& id);

    // The scanner and its results.
    TQzManagerEngine& Engine() { return FEngine; }

    void BtScanClick();
    void BtCounterClick();
    void BtReplaceClick();
    void BtClearClick();
    void clbClick();

protected:
    // The top rows and the buttons are laid out whenever their panels change size.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void AdjustComponents();
    void UpdateInfo();
    void ChangeState();
    // Shows the engine's lines.
    void FillList();
    // Empties the results: list, engine and mode.
    void ClearList();
    void EdChange();
    void clbClickCheck(QListWidgetItem* item);
    QStringList kindPackages() const;

    // IQzManagerForms: the project through the form bridge.
    QStringList FormNames() override;
    bool ReadForm(const QString& fileName, TFormFileText& text) override;
    TComponent* DesignForm(const QString& fileName) override;
    QByteArray FormFileBytes(const TFormFileText& text, const QString& fileName) override;

    // IQzManagerFeedback: message boxes and the progress window.
    void Message(TQzManagerMessageType type, const QString& text) override;
    void ProgressOpen(const QString& caption) override;
    void ProgressMaximum(int maximum) override;
    void ProgressText(const QString& text) override;
    void ProgressStep() override;
    bool Cancelled() override;
    void ProgressClose() override;

    std::unique_ptr<Ui::TFrManager> FUi;
    QPointer<QWidget> FOwner;
    TQzManagerEngine FEngine;
    // True while the dialog itself fills the edit boxes, which then keep the results.
    bool FDirectAssign = false;
};
