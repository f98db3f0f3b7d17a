#pragma once

// What the editors of the package components (strings, images) share, and those of the strings
// package. A package component's editor opens the package's editor on a double-click (refused
// without an application component) and has one verb, "View &Package List", which shows the one
// window listing the packages of that kind. A package's FileName shows where the package is kept
// ("Common.pst (FILE)", "(DFM)") and its "..." opens the package's editor too; the package editor
// tells the designer itself.

#include "ComponentEditors.h"
#include "StdEditors.h"
#include "editors/QzDialogEditors.h"

#include <QPointer>

class TQzPkgInfo;

// A package file property's text: the file name, a blank when there is one, then "(FILE)" or
// "(DFM)".
QString QzPkgFileNameValue(const TQzPkgInfo& pkg);

class TQzPkgComponentEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int index) override;
    QString GetVerb(int index) override;
    int GetVerbCount() override;

protected:
    // Runs the package's editor on the component.
    virtual void EditPackage() = 0;
    // The runtime's variable that keeps the list window of this kind.
    virtual QPointer<QObject>& ListWindow() const = 0;
};

class TQzPkgFileNameProperty : public TQzDialogProperty<TStringProperty> {
public:
    using TQzDialogProperty<TStringProperty>::TQzDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
};

class TQzPkgStringsComponentEditor : public TQzPkgComponentEditor {
public:
    using TQzPkgComponentEditor::TQzPkgComponentEditor;

protected:
    void EditPackage() override;
    QPointer<QObject>& ListWindow() const override;
};

class TQzPkgStringsFileNameProperty : public TQzPkgFileNameProperty {
public:
    using TQzPkgFileNameProperty::TQzPkgFileNameProperty;

protected:
    bool ExecuteDialog() override;
};
