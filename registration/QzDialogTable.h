#pragma once

// The dialogs the package can show, one row each: its class, what opens it on the first fitting
// subject of the open designs and, for the pickers, the reference class it edits. Register
// hands every row to the designer (RegisterDesignDialog).

#include "DesignDialogs.h"

#include <vector>

const std::vector<TDesignDialogClassInfo>& QzDialogTable();
