#pragma once

// The editors of the strings package component: its component editor (double-click opens the
// strings package editor, verb 0 the list of strings packages) and its FileName editor, which
// shows where the package is kept and whose "..." opens the strings package editor too.

#include "ComponentEditors.h"
#include "editors/QzDialogEditors.h"

// A package component's FileName: the file name, then "(FILE)" when the package loads from it,
// else "(DFM)"; read-only, the package's editor sets it.
class TQzPkgFileNameProperty : public TQzDialogProperty<TStringProperty> {
public:
    using TQzDialogProperty::TQzDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
};

// Opens the strings package editor on the first selected package; the editor tells the designer.
class TQzPkgStringsFileNameProperty : public TQzPkgFileNameProperty {
public:
    using TQzPkgFileNameProperty::TQzPkgFileNameProperty;

protected:
    bool ExecuteDialog() override;
};

class TQzPkgStringsComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    // The strings package editor; refused without an application component.
    void Edit() override;
    // 0 "View &Package List": the strings packages of the open designs.
    int GetVerbCount() override;
    QString GetVerb(int index) override;
    void ExecuteVerb(int index) override;
};
