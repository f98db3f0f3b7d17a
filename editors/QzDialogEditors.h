#pragma once

// The base of the package's inspector editors whose "..." opens a dialog (pickers, package
// editors, the mask and text editors). Edit holds the steps they all share:
//   1. without an application component in the design, the runtime's error "Component
//      TQzCApplication not found" is raised and nothing opens (unless NeedsApplication says the
//      dialog works without one);
//   2. the dialog runs on the first selected component's value (ExecuteDialog);
//   3. only when it returns true, the result is copied from the first selected component to
//      every other one (CopyResult) and the designer is told once.
//
// Writing one: derive from TQzDialogProperty<Base>, with Base the standard editor nearest to the
// value (TPropertyEditor by default), or from TQzObjectDialogProperty<TObject, Base> when the
// property holds an object the component owns (a reference, a mask), which copies by Assign.
// Then override:
//   ExecuteDialog     make the dialog on the stack, so it is freed when Edit returns; hand it the
//                     first component's value; run it through its Execute; true when the person
//                     chose OK and the result is to be kept and copied
//   CopyResult(i)     copy the first component's result to component i (objects: already done)
//   GetAttributes     the base adds paDialog to Base's flags; add paReadOnly and the like here
//   NeedsApplication  false for a dialog that works without an application component
// A dialog that changes a package and tells the designer itself returns false from
// ExecuteDialog: there is nothing to copy.

#include "StdEditors.h"

template <typename Base = TPropertyEditor>
class TQzDialogProperty : public Base {
public:
    using Base::Base;
    TPropertyAttributes GetAttributes() override { return Base::GetAttributes() | paDialog; }
    void Edit() final;

protected:
    virtual bool NeedsApplication() const { return true; }
    virtual bool ExecuteDialog() = 0;
    virtual void CopyResult(int index) { Q_UNUSED(index); }
};

// Raises the runtime's error when the design has no application component.
void QzCheckDesignApplication();

template <typename Base>
void TQzDialogProperty<Base>::Edit() {
    if (NeedsApplication())
        QzCheckDesignApplication();
    if (!ExecuteDialog())
        return;
    for (int i = 1; i < this->PropCount(); ++i)
        CopyResult(i);
    this->Modified();
}

template <typename TObject, typename Base = TPropertyEditor>
class TQzObjectDialogProperty : public TQzDialogProperty<Base> {
public:
    using TQzDialogProperty<Base>::TQzDialogProperty;

protected:
    // The object of the component at `index`; none when the value is not a TObject.
    TObject* Value(int index) const {
        return qobject_cast<TObject*>(this->GetObjectValueAt(index));
    }
    void CopyResult(int index) override {
        TObject* first = Value(0);
        TObject* target = Value(index);
        if (first && target && target != first)
            target->Assign(first);
    }
};
