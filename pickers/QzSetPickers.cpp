#include "pickers/QzSetPickers.h"

#include "ui_TFrSetBackGround.h"
#include "ui_TFrSetColor.h"
#include "ui_TFrSetFont.h"

TFrSetColor::TFrSetColor(QWidget* parent)
    : TQzSetPicker(parent, QzSetsColorKind()), FUi(std::make_unique<Ui::TFrSetColor>()) {
    FUi->setupUi(this);
    BindControls();
    BindPicker();
}

TFrSetColor::~TFrSetColor() = default;

TFrSetFont::TFrSetFont(QWidget* parent)
    : TQzSetPicker(parent, QzSetsFontKind()), FUi(std::make_unique<Ui::TFrSetFont>()) {
    FUi->setupUi(this);
    BindControls();
    BindPicker();
}

TFrSetFont::~TFrSetFont() = default;

TFrSetBackGround::TFrSetBackGround(QWidget* parent)
    : TQzSetPicker(parent, QzSetsBackGroundKind()), FUi(std::make_unique<Ui::TFrSetBackGround>()) {
    FUi->setupUi(this);
    BindControls();
    BindPicker();
}

TFrSetBackGround::~TFrSetBackGround() = default;
