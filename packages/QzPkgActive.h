#pragma once

// "View PkgStrings" (and images, vars, applications): every strings, images or vars package, or
// every application component, of the open designs, one of which may be made the active one. It
// stays open beside the designer and follows the designer's changes and the library's
// broadcasts of its kind.

#include "DesignWindows.h"

#include <QPointer>
#include <memory>

namespace Ui {
class TFrPkgActive;
}
class TComponent;

class TFrPkgActive : public TDesignWindow {
    Q_OBJECT
public:
    enum TKind { kStrings = 0, kImages = 1, kVars = 2, kApplications = 3 };

    explicit TFrPkgActive(QWidget* parent = nullptr);
    ~TFrPkgActive() override;

    // Takes the kind from `component`'s class, lists that kind selecting `component` and shows
    // the window without waiting.
    void Execute(TComponent* component);
    TKind Kind() const { return FKind; }
    // The object of each entry, in the list's order.
    QList<TComponent*> Entries() const;
    // The text an entry is drawn with: "Name (Form.Component)" or "Name (Form)".
    static QString EntryText(TComponent* object);

    void Active1Click();
    void UpdateListBox(TComponent* selected);
    void ItemsModified(IDesigner* designer) override;

private:
    TComponent* selectedObject() const;

    std::unique_ptr<Ui::TFrPkgActive> FUi;
    TKind FKind = kStrings;
    // The object of each entry, by the index the entry keeps.
    QList<QPointer<TComponent>> FObjects;
};
