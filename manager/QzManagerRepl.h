#pragma once

// "Replace": the package and value the references found by a scan are to name instead. Sets and
// privileges have no package: that row is hidden and the dialog shortened.

#include "QzDialog.h"

#include <memory>

namespace Ui {
class TFrManagerRepl;
}

class TFrManagerRepl : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrManagerRepl(QWidget* owner);
    ~TFrManagerRepl() override;

    // Offers `packages` (none for a kind without packages) and starts with `pkgName` and
    // `value`; true on OK.
    bool Execute(bool withPackage, const QStringList& packages, const QString& pkgName,
                 const QString& value);
    QString PkgName() const;
    QString Value() const;

private:
    std::unique_ptr<Ui::TFrManagerRepl> FUi;
};
