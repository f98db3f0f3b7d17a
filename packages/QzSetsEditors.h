#pragma once

// The display sets editors: TFrSetsColor, TFrSetsFont and TFrSetsBackGround list the colour,
// font or background sets of an application's display package, sorted by name, and add, change
// and delete them. The caller sets the application component before Execute and, after it,
// decides from Changed whether to tell the designer and save the package.

#include "pickers/QzSetsList.h"

namespace Ui {
class TFrSetsColor;
class TFrSetsFont;
class TFrSetsBackGround;
} // namespace Ui

// What the three editors share: Execute.
class TQzSetsEditor : public TQzSetsDialog {
    Q_OBJECT
public:
    // Shows the editor modally.
    void Execute();

protected:
    using TQzSetsDialog::TQzSetsDialog;
};

class TFrSetsColor : public TQzSetsEditor {
    Q_OBJECT
public:
    explicit TFrSetsColor(QWidget* parent = nullptr);
    ~TFrSetsColor() override;

private:
    std::unique_ptr<Ui::TFrSetsColor> FUi;
};

class TFrSetsFont : public TQzSetsEditor {
    Q_OBJECT
public:
    explicit TFrSetsFont(QWidget* parent = nullptr);
    ~TFrSetsFont() override;

private:
    std::unique_ptr<Ui::TFrSetsFont> FUi;
};

class TFrSetsBackGround : public TQzSetsEditor {
    Q_OBJECT
public:
    explicit TFrSetsBackGround(QWidget* parent = nullptr);
    ~TFrSetsBackGround() override;

private:
    std::unique_ptr<Ui::TFrSetsBackGround> FUi;
};
