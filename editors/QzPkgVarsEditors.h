#pragma once

// The editors of the vars package component: its component editor (double-click opens the vars
// package editor, its verb the list of vars packages) and the inspector editor of its FileName,
// which opens the same editor.

#include "editors/QzPkgEditors.h"

// Double-click: the vars package editor on the component, which needs the application component
// of the design. Verb 0: the window listing every vars package.
class TQzPkgVarsComponentEditor : public TQzPkgComponentEditor {
public:
    using TQzPkgComponentEditor::TQzPkgComponentEditor;

protected:
    void EditPackage() override;
    QPointer<QObject>& ListWindow() const override;
};

// FileName of a vars package: "..." opens the vars package editor on the first selected package,
// which tells the designer itself.
class TQzPkgVarsFileNameProperty : public TQzPkgFileNameProperty {
public:
    using TQzPkgFileNameProperty::TQzPkgFileNameProperty;

protected:
    bool NeedsApplication() const override { return false; }
    bool ExecuteDialog() override;
};
