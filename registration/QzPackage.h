#pragma once

// Loading and unloading the design package. The designer host resolves the entries below by name
// (QLibrary): QzPackageInit right after loading, Register (QzRegister.h) next, QzPackageFinal
// before unloading. Init plugs the designer into the runtime's hooks; Final takes it out again,
// so the runtime behaves as outside the designer once the package is gone.

#include "editors/QzShowPrivileges.h"

#include <QtGlobal>

extern "C" {
Q_DECL_EXPORT void QzPackageInit();
Q_DECL_EXPORT void QzPackageFinal();
}

// Puts back the package's own ShowPrivileges and ShowPrivilege: the privileges editor
// (TFrPrivileges) and the privilege picker (TFrPrivilege), each made for one call.
void DefShowPrivileges();
