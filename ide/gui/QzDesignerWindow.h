#pragma once

// The designer's main window: the component palette across the top, the project tree, the
// object tree and the object inspector at the side, the open forms in tabs, a status bar naming
// the component under the mouse, and the File, Edit (undo and redo of the form shown, the
// clipboard), View (the form preview) and Tools menus (what the design package adds). It follows
// the designer host: forms it opens get a tab, forms it closes lose theirs.

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QLabel;
class QTabWidget;
class TQzComponentPalette;
class TQzDesignerHost;
class TQzFormDesigner;
class TQzFormSurface;
class TQzFormPreview;
class TQzObjectInspector;
class TQzObjectTree;
class TQzProjectTree;

class TQzDesignerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TQzDesignerWindow(TQzDesignerHost* host, QWidget* parent = nullptr);
    ~TQzDesignerWindow() override;

    // Opens the project and its first form; a failure is shown as a message and gives false.
    bool OpenProject(const QString& fileName);
    // Opens the form of a unit (by its unit or form file name) and brings its tab forward; a
    // failure is shown as a message and gives none.
    TQzFormDesigner* OpenForm(const QString& fileName);
    // Writes the form of the current tab; false when that failed (the message was shown).
    bool SaveForm();
    // Writes every modified form.
    bool SaveAllForms();
    // Undoes or redoes a step of the form shown; a failure is shown as a message.
    void UndoForm();
    void RedoForm();
    // Opens (or brings forward) the preview of the form shown.
    TQzFormPreview* PreviewForm();

    TQzFormDesigner* ActiveDesigner() const;
    TQzFormSurface* ActiveSurface() const;
    TQzFormSurface* SurfaceOf(const TQzFormDesigner* designer) const;
    TQzComponentPalette* Palette() const { return FPalette; }
    TQzProjectTree* ProjectTree() const { return FProjectTree; }
    TQzObjectInspector* Inspector() const { return FInspector; }
    TQzObjectTree* ObjectTree() const { return FObjectTree; }
    QTabWidget* FormTabs() const { return FForms; }
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolsMenu();
    void chooseProject();
    // Asks about each modified form whether to save it; false when the person cancelled or a
    // save failed.
    bool confirmUnsavedForms();
    void projectOpened();
    void projectClosed();
    void formOpened(TQzFormDesigner* designer);
    void formClosing(TQzFormDesigner* designer);
    void currentTabChanged();
    void designModified(TQzFormDesigner* designer);
    void updateFormTitle(TQzFormDesigner* designer);
    void updateStatus();
    void updateUndoActions();
    void stepForm(void (TQzFormDesigner::*step)());
    void armClass();

    TQzDesignerHost* FHost;
    TQzComponentPalette* FPalette;
    TQzProjectTree* FProjectTree;
    TQzObjectInspector* FInspector;
    TQzObjectTree* FObjectTree;
    QAction* FUndoAction = nullptr;
    QAction* FRedoAction = nullptr;
    QTabWidget* FForms;
    QLabel* FStatusForm;
    QLabel* FStatusSelection;
    QHash<const TQzFormDesigner*, TQzFormSurface*> FSurfaces;
    QHash<const TQzFormDesigner*, QPointer<TQzFormPreview>> FPreviews;
};
