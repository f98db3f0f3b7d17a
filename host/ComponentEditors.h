#pragma once

// Component editors: the form designer makes one for the component double-clicked or
// right-clicked, through the registry (DesignRegistry.h), and throws it away after use.
//
// Writing a component editor
// --------------------------
// Derive from TComponentEditor and override:
//
//   GetVerbCount, GetVerb(i)  the extra entries of the component's context menu, in order
//   ExecuteVerb(i)            what entry i does
//   Edit                      the double-click; by default verb 0 runs, when there is one
//
// Component() is the component the editor was made for, GetDesigner() its form's designer. A
// verb that changes the design calls Modified() once it has: the form is marked modified and
// open design windows follow.

#include "DesignIntf.h"

class TComponentEditor {
public:
    TComponentEditor(TComponent* component, IDesigner* designer);
    virtual ~TComponentEditor();
    TComponentEditor(const TComponentEditor&) = delete;
    TComponentEditor& operator=(const TComponentEditor&) = delete;

    // Double-click: runs verb 0 when there are verbs.
    virtual void Edit();
    virtual void ExecuteVerb(int index);
    virtual QString GetVerb(int index);
    virtual int GetVerbCount();

    TComponent* Component() const { return FComponent; }
    IDesigner* GetDesigner() const { return FDesigner; }
    // Tells the designer the design changed.
    void Modified();

private:
    TComponent* FComponent;
    IDesigner* FDesigner;
};

// The editor of components that have none registered: double-click creates or shows the
// handler of the component's main event (OnCreate, OnChange or OnClick, the first it has).
class TDefaultEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
};
