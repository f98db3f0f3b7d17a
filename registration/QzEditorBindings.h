#pragma once

// The editors the package binds, one row each, in the order Register makes the bindings. The
// order is part of what the package tells the designer: among bindings of the same rank the
// later one wins, and every component editor comes before the property bindings of its class.

#include "DesignRegistry.h"

#include <vector>

// Where a row's binding is made among Register's other steps.
enum class TQzBindingStep {
    Forms,      // before the menu items get their classes
    Menus,      // before menu items go wherever controls go
    Edits,      // before the edit buttons go wherever controls go
    Controls,   // before tab sheets stream with their page control
    Pages,      // before outlook bar pages stream with their bar
    OutLookBar, // last
};

// A component editor row has no property type, name nor property editor.
struct TQzEditorBinding {
    TQzBindingStep Step;
    const QMetaObject* ComponentClass;
    TTypeInfo PropertyType;
    QString PropertyName;
    TPropertyEditorClass PropertyEditor = nullptr;
    TComponentEditorClass ComponentEditor = nullptr;
};

const std::vector<TQzEditorBinding>& QzEditorBindings();
