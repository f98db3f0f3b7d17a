#pragma once

// The component palette: a tab per registered page with a button per class (its palette bitmap,
// its name as tool tip). Clicking a button arms its class for the next click on a form; clicking
// it again, or the arrow button, goes back to selecting.

#include "Classes.h"

#include <QTabWidget>

class QButtonGroup;
class QToolButton;

class TQzComponentPalette : public QTabWidget {
    Q_OBJECT
public:
    explicit TQzComponentPalette(QWidget* parent = nullptr);

    // Rebuilds the pages from the palette as registered now.
    void Reload();
    // The class the next click on a form creates; none while selecting.
    TClass ArmedClass() const { return FArmed; }
    void Disarm();
    // The button of a class on its page; none for a class not on the palette.
    QToolButton* ClassButton(const QString& className) const;

Q_SIGNALS:
    // The armed class changed (none: back to selecting).
    void ClassArmed(TClass cls);

private:
    void buttonClicked(QToolButton* button, TClass cls);

    QToolButton* FPointer;
    QList<QPair<QToolButton*, TClass>> FButtons;
    TClass FArmed = nullptr;
};
