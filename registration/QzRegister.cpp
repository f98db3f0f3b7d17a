#include "registration/QzRegister.h"

#include "Controls.h"
#include "DesignRegistry.h"
#include "QzComponents.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzMenus.h"
#include "registration/QzDialogTable.h"
#include "registration/QzEditorBindings.h"

namespace {

// The bindings of `step`, in the table's order.
void bind(TQzBindingStep step) {
    for (const TQzEditorBinding& row : QzEditorBindings()) {
        if (row.Step != step)
            continue;
        if (row.ComponentEditor)
            RegisterComponentEditor(row.ComponentClass, row.ComponentEditor);
        else
            RegisterPropertyEditor(row.PropertyType, row.ComponentClass, row.PropertyName,
                                   row.PropertyEditor);
    }
}

} // namespace

// The order matters to the designer: a later binding of the same rank wins, and every component
// editor comes before the property bindings of its class.
void Register() {
    // The palette: four pages, each in its order.
    for (const TQzPalettePage& page : QzPaletteClasses())
        RegisterComponents(page.Name, page.Classes);

    bind(TQzBindingStep::Forms);

    // Menu items live inside menus: no palette place, but forms holding them must stream.
    RegisterNoIcon({ClassOf<TQzMenuItem>()});
    RegisterDesignClass(ClassOf<TQzMenuItem>());
    bind(TQzBindingStep::Menus);

    // Menu items and the edit buttons go wherever controls go.
    GroupDescendentsWith(ClassOf<TQzMenuItem>(), &TControl::staticMetaObject);
    bind(TQzBindingStep::Edits);
    GroupDescendentsWith(ClassOf<TQzEditBtns>(), &TControl::staticMetaObject);
    bind(TQzBindingStep::Controls);

    // Tab sheets stream with their page control, outlook bar pages with their bar.
    RegisterDesignClasses({ClassOf<TQzTabSheet>()});
    bind(TQzBindingStep::Pages);
    RegisterDesignClasses({ClassOf<TQzOutLookBarPage>()});
    bind(TQzBindingStep::OutLookBar);

    for (const TDesignDialogClassInfo& dialog : QzDialogTable())
        RegisterDesignDialog(&dialog);
    for (const TDesignToolInfo& tool : QzToolTable())
        RegisterDesignTool(&tool);
}
