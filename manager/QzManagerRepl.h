#pragma once

// "Replace": the package and value the references found by a scan are to name instead. Sets and
// privileges have no package: that row is hidden and the dialog shortened. OK waits for a value
// the references can hold: a whole number for every kind but the sets.

#include "QzDialog.h"
#include "manager/core/QzFormScanner.h"

#include <memory>

namespace Ui {
class TFrManagerRepl;
}

class TFrManagerRepl : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrManagerRepl(QWidget* owner);
    ~TFrManagerRepl() override;

    // Offers `packages` (for the kinds with packages) and starts with `pkgName` and `value`;
    // true on OK.
    bool Execute(TQzDlgManager kind, const QStringList& packages, const QString& pkgName,
                 const QString& value);
    QString PkgName() const;
    QString Value() const;

protected:
    bool CanAccept() const override;

private:
    std::unique_ptr<Ui::TFrManagerRepl> FUi;
    TQzDlgManager FKind = dlmLabels;
};
