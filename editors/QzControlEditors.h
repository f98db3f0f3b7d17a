#pragma once

// The editors that open the control editors: multi-line texts, menus, collections and the rich
// edit's content, from the object inspector, and the component editors of the menus and the page
// control. The menus and collection windows stay open beside the designer; the same window comes
// back when it is opened again.

#include "ComponentEditors.h"
#include "editors/QzDialogEditors.h"

// A multi-line text ("Property: Name"), edited as lines in a memo.
class TQzMultiLinePropertyEditor : public TQzDialogProperty<TStringProperty> {
public:
    using TQzDialogProperty<TStringProperty>::TQzDialogProperty;
    TPropertyAttributes GetAttributes() override;

protected:
    bool NeedsApplication() const override { return false; }
    bool ExecuteDialog() override;
};

// The items of a menu: "(Menu)"; "..." opens the menu's menus editor.
class TQzMenuPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void Edit() override;
};

class TQzMainMenuPropertyEditor : public TQzMenuPropertyEditor {
public:
    using TQzMenuPropertyEditor::TQzMenuPropertyEditor;
};

class TQzPopupMenuPropertyEditor : public TQzMenuPropertyEditor {
public:
    using TQzMenuPropertyEditor::TQzMenuPropertyEditor;
};

class TQzPanelMenuPropertyEditor : public TQzMenuPropertyEditor {
public:
    using TQzMenuPropertyEditor::TQzMenuPropertyEditor;
};

// A collection: "(its display text)"; "..." opens its collection editor.
class TQzCollectionPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void Edit() override;

protected:
    // The page-control window, for the tabs of a page control.
    virtual bool PageControlWindow() const { return false; }
};

class TQzCollPageControlPropertyEditor : public TQzCollectionPropertyEditor {
public:
    using TQzCollectionPropertyEditor::TQzCollectionPropertyEditor;

protected:
    bool PageControlWindow() const override { return true; }
};

// The lines of a rich edit; "..." opens the rich text editor on the first selected component.
class TQzRichEditPropertyEditor : public TQzDialogProperty<TClassProperty> {
public:
    using TQzDialogProperty<TClassProperty>::TQzDialogProperty;
    TPropertyAttributes GetAttributes() override;

protected:
    bool NeedsApplication() const override { return false; }
    bool ExecuteDialog() override;
};

// ---------------------------------------------------------------------------------------------
// Component editors

// A double-click on a menu opens its menus editor.
class TQzMainMenuComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
};

class TQzPanelMenuComponentEditor : public TQzMainMenuComponentEditor {
public:
    using TQzMainMenuComponentEditor::TQzMainMenuComponentEditor;
};

// The popup menu: its menus editor, and the verbs "View &PopupMenu" (shows the menu as it will
// look at run time) and "Build SystemMenu" (adds the items of the default actions it lacks).
class TQzPopupMenuComponentEditor : public TQzMainMenuComponentEditor {
public:
    using TQzMainMenuComponentEditor::TQzMainMenuComponentEditor;
    void ExecuteVerb(int index) override;
    QString GetVerb(int index) override;
    int GetVerbCount() override;
};

// A double-click on a page control opens the page-control collection editor on its tabs.
class TQzPageControlComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
};
