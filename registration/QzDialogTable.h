#pragma once

// The dialogs the package can show, one row each: its class and what opens it on the first
// fitting subject of the open designs. Register hands every row to the designer
// (RegisterDesignDialog).

#include "DesignDialogs.h"

#include <vector>

const std::vector<TDesignDialogClassInfo>& QzDialogTable();
