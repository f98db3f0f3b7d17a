#pragma once

// Inspector editors that offer a drop-down list of names: modal results, pen widths, picture
// formats, loaded packages, components of the form and the menu items that can hold the list of
// open windows. Every list is built when it is asked for.

#include "StdEditors.h"

class TQzCustomMenu;
class TQzMenuItem;

// ---------------------------------------------------------------------------------------------
// Modal results

// The names of the modal results 0 to 19, built when the package loads and released when it
// unloads. While the table is not built, modal results show and take numbers only.
void QzCreateModalResultNames();
void QzFreeModalResultNames();
const QStringList& QzModalResultNames();

// A modal result by name ("mrOk") or number. Names stand for 0 to 19; where a name stands twice
// ("mrHelp" 9 and 17, "mrClose" 8 and 19) typing it sets the first.
class TQzModalResultProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // "" sets 0; a name not in the table is read as a number.
    void SetValue(const QString& value) override;
};

// The width of a pen, offered from 1 to 20.
class TQzWideProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc& proc) override;
};

// ---------------------------------------------------------------------------------------------
// Names of picture formats and loaded packages

class TQzImagePkgNameProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override;
    // The loaded images packages.
    void GetValues(const TGetStrProc& proc) override;
};

class TQzImageGraphicClassProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override;
    // The graphic classes pictures can be kept as.
    void GetValues(const TGetStrProc& proc) override;
};

class TQzPkgVarsPkgVarsProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override;
    // The loaded vars packages.
    void GetValues(const TGetStrProc& proc) override;
};

// How a package is stored is chosen by its editors, not typed: the inspector only shows it.
class TQzPkgInitModeProperty : public TEnumProperty {
public:
    using TEnumProperty::TEnumProperty;
    TPropertyAttributes GetAttributes() override;
    void SetValue(const QString& value) override;
};

// ---------------------------------------------------------------------------------------------
// Components of the form

// The buttons that close a form: its bit buttons, then its speed buttons.
class TQzMainBtnPropertyEditor : public TComponentProperty {
public:
    using TComponentProperty::TComponentProperty;
    void GetValues(const TGetStrProc& proc) override;
};

// The image an image bar works on: the form's images, then its focus images.
class TQzImageBarImagePropertyEditor : public TComponentProperty {
public:
    using TComponentProperty::TComponentProperty;
    void GetValues(const TGetStrProc& proc) override;
};

// The edit an up-down steps: the form's edits of the library.
class TQzUpDownAssociatePropertyEditor : public TComponentProperty {
public:
    using TComponentProperty::TComponentProperty;
    void GetValues(const TGetStrProc& proc) override;
};

// ---------------------------------------------------------------------------------------------
// Windows lists

// The menu item under which a menu lists the open windows, chosen among the form's menu items
// that the menu accepts.
class TQzWindowsListEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // "" clears the windows list. Raises EConvertError for a name that is not a menu item of the
    // form.
    void SetValue(const QString& value) override;

protected:
    // The menu whose windows list is edited (of the first selected component).
    virtual TQzCustomMenu* Menu() const = 0;
};

class TQzMainMenuWindowsListEditor : public TQzWindowsListEditor {
public:
    using TQzWindowsListEditor::TQzWindowsListEditor;

protected:
    TQzCustomMenu* Menu() const override;
};

// A panel menu keeps its items and windows list in an inner menu.
class TQzPanelMenuWindowsListEditor : public TQzWindowsListEditor {
public:
    using TQzWindowsListEditor::TQzWindowsListEditor;

protected:
    TQzCustomMenu* Menu() const override;
};
