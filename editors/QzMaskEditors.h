#pragma once

// The inspector editor of every edit mask: shows and takes the mask text, expands into the
// mask's values, and "..." opens the mask designer on the first selected component's mask,
// whose result every selected component's mask then takes.

#include "QzRefs.h"
#include "editors/QzDialogEditors.h"

class TQzMaskPropertyEditor : public TQzObjectDialogProperty<TQzMask, TClassProperty> {
public:
    using TQzObjectDialogProperty::TQzObjectDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // Sets the mask text of every selected component's mask.
    void SetValue(const QString& value) override;
    // The mask texts agree, ignoring case.
    bool AllEqual() override;

protected:
    bool NeedsApplication() const override { return false; }
    bool ExecuteDialog() override;
};
