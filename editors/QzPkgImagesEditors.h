#pragma once

// The editors of the images package component. TQzPkgImagesComponentEditor: double-click opens the
// images package editor on the component; its verb "View &Package List" shows the window listing
// every images package of the open designs. TQzPkgImagesFileNameProperty shows the package's
// file and storage ("Icons.pim (FILE)") and its "..." opens the images package editor.

#include "ComponentEditors.h"
#include "StdEditors.h"
#include "editors/QzDialogEditors.h"

class TQzPkgInfo;

// A package file property's text: the file name, a blank when there is one, then "(FILE)" or
// "(DFM)".
QString QzPkgFileNameValue(const TQzPkgInfo& pkg);

class TQzPkgImagesComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int index) override;
    QString GetVerb(int index) override;
    int GetVerbCount() override;
};

class TQzPkgImagesFileNameProperty : public TQzDialogProperty<TStringProperty> {
public:
    using TQzDialogProperty<TStringProperty>::TQzDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;

protected:
    bool ExecuteDialog() override;
};
