#pragma once

// The editors of the images package component. TQzPkgImagesComponentEditor: double-click opens the
// images package editor on the component; its verb "View &Package List" shows the window listing
// every images package of the open designs. TQzPkgImagesFileNameProperty shows the package's
// file and storage ("Icons.pim (FILE)") and its "..." opens the images package editor.

#include "editors/QzPkgEditors.h"

class TQzPkgImagesComponentEditor : public TQzPkgComponentEditor {
public:
    using TQzPkgComponentEditor::TQzPkgComponentEditor;

protected:
    void EditPackage() override;
    QPointer<QObject>& ListWindow() const override;
};

class TQzPkgImagesFileNameProperty : public TQzPkgFileNameProperty {
public:
    using TQzPkgFileNameProperty::TQzPkgFileNameProperty;

protected:
    bool ExecuteDialog() override;
};
