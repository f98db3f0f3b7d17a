#pragma once

// Loading and unloading the design package. The designer host resolves the entries below by name
// (QLibrary): QzPackageInit right after loading, Register (QzRegister.h) next, QzPackageFinal
// before unloading. Init plugs the designer into the runtime's hooks; Final takes it out again,
// so the runtime behaves as outside the designer once the package is gone.

#include "QzHooks.h"

#include <QtGlobal>

class TQzPkgPrivileges;
class TQzPrivilege;

extern "C" {
Q_DECL_EXPORT void QzPackageInit();
Q_DECL_EXPORT void QzPackageFinal();
}

// Opens the privileges editor on `privileges`. Other packages may replace it.
extern TQzHook<void(TQzPkgPrivileges* privileges)> ShowPrivileges;
// Lets the user pick a privilege of `privileges` into `privilege`; true when confirmed. Other
// packages may replace it.
extern TQzHook<bool(TQzPkgPrivileges* privileges, TQzPrivilege* privilege)> ShowPrivilege;
// Puts back the package's own ShowPrivileges and ShowPrivilege.
void DefShowPrivileges();
