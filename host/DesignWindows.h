#pragma once

// Windows that stay open beside the form designer (menus editor, collection editors, package
// lists). The designer host tells every open one when components change or the selection moves;
// they edit through their designer and the component clipboard.

#include "DesignIntf.h"
#include "QzDialog.h"

class TDesignWindow : public TQzDialog {
    Q_OBJECT
public:
    explicit TDesignWindow(QWidget* parent = nullptr);
    ~TDesignWindow() override;

    IDesigner* Designer() const { return FDesigner; }
    virtual void SetDesigner(IDesigner* designer);
    // Selects `components` in the designer.
    void SetSelection(const QList<TPersistent*>& components);
    // An empty list for the window to fill and hand to SetSelection.
    static QList<TPersistent*> CreateSelectionList() { return {}; }

    // Components changed on the form of `designer` (added, deleted, renamed or edited).
    virtual void ItemsModified(IDesigner* designer);
    // The selection of `designer` is now `selection`.
    virtual void SelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection);
    // The form of `designer` is closing: a window bound to it must let go.
    virtual void DesignerClosed(IDesigner* designer);
    // Undo or redo read the form of `designer` back into `newRoot`; `oldRoot` and its components
    // are freed once every window was told. A window that finds its object again in the new form
    // follows it; by default it lets go, as for DesignerClosed.
    virtual void FormReplaced(IDesigner* designer, TComponent* oldRoot, TComponent* newRoot);

    // Edit actions the designer's Edit menu forwards to the active design window.
    enum TEditAction { eaUndo, eaCut, eaCopy, eaPaste, eaDelete, eaSelectAll };
    enum TEditStateFlag {
        esCanUndo = 0x1,
        esCanCut = 0x2,
        esCanCopy = 0x4,
        esCanPaste = 0x8,
        esCanDelete = 0x10,
        esCanSelectAll = 0x20,
    };
    using TEditState = int;
    virtual void EditAction(TEditAction action);
    virtual TEditState GetEditState();

    // The component clipboard: components travel as form text, so they paste onto any form.
    // Copies `components` (owned by `root`) to the clipboard.
    static void CopyComponents(TComponent* root, const QList<TComponent*>& components);
    // Reads the clipboard's components into `owner` under `parent` (the owner when none),
    // renaming any whose name is taken; returns them in clipboard order. Raises on text the
    // form reader refuses, having created nothing.
    static QList<TComponent*> PasteComponents(TComponent* owner, TComponent* parent);
    // Whether the clipboard holds components.
    static bool ClipboardComponents();

protected:
    // The component of `newRoot` that stands for `old` of `oldRoot`: the root itself, or the
    // component of the same name and class; none when the new form has no such component.
    static TComponent* CounterpartOf(const TComponent* old, const TComponent* oldRoot,
                                     TComponent* newRoot);

private:
    IDesigner* FDesigner = nullptr;
};

// Sent by the designer host to every open design window.
void NotifyItemsModified(IDesigner* designer);
void NotifySelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection);
void NotifyDesignerClosed(IDesigner* designer);
void NotifyFormReplaced(IDesigner* designer, TComponent* oldRoot, TComponent* newRoot);
QList<TDesignWindow*> DesignWindows();
