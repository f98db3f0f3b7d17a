#pragma once

// Plain-text listings of what the designer knows, for scripts and checks run without a window:
// the palette, the editor bindings, and the object inspector's view of one component.

#include "DesignIntf.h"

#include <QString>

class TPropertyEditor;

// The attribute names set in `attributes` ("paValueList, paSortList"), in the order of their bits.
QString QzPropertyAttributeNames(TPropertyAttributes attributes);

// What the inspector shows for a property: its text on one line, blank while the selection
// disagrees or when the value cannot be read (editing it reports the error); `raw` gets the
// text as the editor gave it. The attributes count as read-only when the editor cannot tell.
QString QzInspectorValueText(TPropertyEditor* editor, QString* raw);
TPropertyAttributes QzInspectorAttributes(TPropertyEditor* editor);

// Each palette page on a line of its own, followed by its classes indented, in registration order.
QString QzPaletteListing();

// The property editor bindings (property type, component class, property name, editor class;
// "any" for a binding that holds for every class or every name), then the component editor
// bindings (component class, editor class), each in registration order, in aligned columns.
QString QzEditorBindingsListing();

// One line per published property of `component`, as the object inspector shows it for a
// selection of that component alone: name, the text of its editor, the editor's attributes and
// the editor class, separated by tabs.
QString QzInspectListing(IDesigner* designer, TComponent* component);
