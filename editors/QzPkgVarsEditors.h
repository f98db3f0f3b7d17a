#pragma once

// The editors of the vars package component: its component editor (double-click opens the vars
// package editor, its verb the list of vars packages) and the inspector editor of its FileName,
// which opens the same editor.

#include "ComponentEditors.h"
#include "editors/QzDialogEditors.h"

class TQzPkgInfo;

// A package file property as the inspector shows it: the file name, a blank, and "(FILE)" for a
// package that loads from its file, else "(DFM)".
QString QzPkgFileValue(const TQzPkgInfo* pkg);

// Double-click: the vars package editor on the component, which needs the application component
// of the design. Verb 0: the window listing every vars package.
class TQzPkgVarsComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int index) override;
    QString GetVerb(int index) override;
    int GetVerbCount() override;
};

// FileName of a vars package: "..." opens the vars package editor on the first selected package,
// which tells the designer itself.
class TQzPkgVarsFileNameProperty : public TQzDialogProperty<TStringProperty> {
public:
    using TQzDialogProperty::TQzDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;

protected:
    bool NeedsApplication() const override { return false; }
    bool ExecuteDialog() override;
};
