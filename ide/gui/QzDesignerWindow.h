#pragma once

// The designer's main window: the component palette across the top, the project tree and the
// object inspector at the side, the open forms in tabs, a status bar, and the File and Edit
// menus. It follows the designer host: forms it opens get a tab, forms it closes lose theirs.

#include <QHash>
#include <QMainWindow>

class QLabel;
class QTabWidget;
class TQzComponentPalette;
class TQzDesignerHost;
class TQzFormDesigner;
class TQzFormSurface;
class TQzObjectInspector;
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

    TQzFormDesigner* ActiveDesigner() const;
    TQzFormSurface* ActiveSurface() const;
    TQzFormSurface* SurfaceOf(const TQzFormDesigner* designer) const;
    TQzComponentPalette* Palette() const { return FPalette; }
    TQzProjectTree* ProjectTree() const { return FProjectTree; }
    TQzObjectInspector* Inspector() const { return FInspector; }
    QTabWidget* FormTabs() const { return FForms; }
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
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
    void armClass();

    TQzDesignerHost* FHost;
    TQzComponentPalette* FPalette;
    TQzProjectTree* FProjectTree;
    TQzObjectInspector* FInspector;
    QTabWidget* FForms;
    QLabel* FStatusForm;
    QLabel* FStatusSelection;
    QHash<const TQzFormDesigner*, TQzFormSurface*> FSurfaces;
};
