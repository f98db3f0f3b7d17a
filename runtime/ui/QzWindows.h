#pragma once

// Where the library's windows sit: a dialog keeps its size and place between openings, new
// windows are centred, and every window is kept wholly on the screen. QzScreen suspends the
// repainting of the library's windows around a batch of changes.

#include <QList>
#include <QPointer>
#include <QWidget>

// A dialog's normal bounds and state, one record per dialog class for the life of the package.
struct TQzResizeInfoDesigner {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int WindowState = 0; // 2 = maximised
    bool Set = false;    // false until saved once
};

// Stores the window's normal bounds (those it returns to when maximised) and whether it is
// maximised.
void QzSaveResizeInfoDesigner(const QWidget* window, TQzResizeInfoDesigner& info);
// Applies a saved record, kept on the screen; a record never saved changes nothing.
void QzRestoreResizeInfoDesigner(QWidget* window, const TQzResizeInfoDesigner& info);
// Centres the window on its screen's available area.
void QzCenterWindow(QWidget* window);
// Moves the window, and shrinks it where it is larger, so that it lies wholly within the
// available area of the screen it is mostly on.
void QzAdjustWindow(QWidget* window);

// Suspends repainting of the library's top-level windows while a batch of changes runs, so they
// repaint once at the end. Calls nest; the outermost EndUpdate resumes the windows it
// suspended. An EndUpdate without a BeginUpdate does nothing.
class TQzScreen {
public:
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FCount > 0; }

private:
    int FCount = 0;
    QList<QPointer<QWidget>> FSuspended;
};

extern TQzScreen QzScreen;

// BeginUpdate for a scope: EndUpdate runs however the scope is left.
class TQzScreenUpdate {
public:
    TQzScreenUpdate() { QzScreen.BeginUpdate(); }
    ~TQzScreenUpdate() { QzScreen.EndUpdate(); }
    TQzScreenUpdate(const TQzScreenUpdate&) = delete;
    TQzScreenUpdate& operator=(const TQzScreenUpdate&) = delete;
};
