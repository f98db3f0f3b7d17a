#pragma once

// The dialogs the package can show, one row each: its class and what opens it on the first
// fitting subject of the open designs. Register hands every row to the designer
// (RegisterDesignDialog).

#include "DesignDialogs.h"

#include <vector>

const std::vector<TDesignDialogClassInfo>& QzDialogTable();

// The entries of the designer's Tools menu: the Packages Manager for each kind of item, on the
// first package of that kind, as the package's editors open it.
const std::vector<TDesignToolInfo>& QzToolTable();
