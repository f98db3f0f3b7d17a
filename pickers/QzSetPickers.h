#pragma once

// The set pickers: TFrSetColor, TFrSetFont and TFrSetBackGround choose the colour, font or
// background set that a set reference names, or none, or "<Default>", and edit the sets on the
// way (TQzSetPicker).

#include "pickers/QzSetsList.h"

namespace Ui {
class TFrSetColor;
class TFrSetFont;
class TFrSetBackGround;
} // namespace Ui

class TFrSetColor : public TQzSetPicker {
    Q_OBJECT
public:
    explicit TFrSetColor(QWidget* parent = nullptr);
    ~TFrSetColor() override;

private:
    std::unique_ptr<Ui::TFrSetColor> FUi;
};

class TFrSetFont : public TQzSetPicker {
    Q_OBJECT
public:
    explicit TFrSetFont(QWidget* parent = nullptr);
    ~TFrSetFont() override;

private:
    std::unique_ptr<Ui::TFrSetFont> FUi;
};

class TFrSetBackGround : public TQzSetPicker {
    Q_OBJECT
public:
    explicit TFrSetBackGround(QWidget* parent = nullptr);
    ~TFrSetBackGround() override;

private:
    std::unique_ptr<Ui::TFrSetBackGround> FUi;
};
