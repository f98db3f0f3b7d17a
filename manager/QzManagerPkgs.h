#pragma once

// "Packages Select": which loaded packages a Scan Counter counts. Every package is proposed but
// "System", whose items belong to the library.

#include "QzDialog.h"

#include <memory>

namespace Ui {
class TFrManagerPkgs;
}

class TFrManagerPkgs : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrManagerPkgs(QWidget* owner);
    ~TFrManagerPkgs() override;

    // Lists `packages` and shows the dialog; true on OK, with the checked names in Selected.
    bool Execute(const QStringList& packages);
    QStringList Selected() const;

private:
    std::unique_ptr<Ui::TFrManagerPkgs> FUi;
};
