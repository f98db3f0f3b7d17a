#pragma once

// The package's exported privilege display variables: what opens the privileges editor and the
// privilege picker. Other packages may replace them; the package puts its own back at load
// (DefShowPrivileges, registration/QzPackage.h).

#include "QzHooks.h"

class TQzPkgPrivileges;
class TQzPrivilege;

// Opens the privileges editor on `privileges`.
extern TQzHook<void(TQzPkgPrivileges* privileges)> ShowPrivileges;
// Lets the user pick a privilege of `privileges` into `privilege`; true when confirmed.
extern TQzHook<bool(TQzPkgPrivileges* privileges, TQzPrivilege* privilege)> ShowPrivilege;
