#include "packages/QzSetsEditors.h"

#include "ui_TFrSetsBackGround.h"
#include "ui_TFrSetsColor.h"
#include "ui_TFrSetsFont.h"

#include <QLineEdit>

void TQzSetsEditor::Execute() {
    PrepareList();
    EdDescrip->setFocus();
    ShowModal();
}

TFrSetsColor::TFrSetsColor(QWidget* parent)
    : TQzSetsEditor(parent, QzSetsColorKind()), FUi(std::make_unique<Ui::TFrSetsColor>()) {
    FUi->setupUi(this);
    BindControls();
}

TFrSetsColor::~TFrSetsColor() = default;

TFrSetsFont::TFrSetsFont(QWidget* parent)
    : TQzSetsEditor(parent, QzSetsFontKind()), FUi(std::make_unique<Ui::TFrSetsFont>()) {
    FUi->setupUi(this);
    BindControls();
}

TFrSetsFont::~TFrSetsFont() = default;

TFrSetsBackGround::TFrSetsBackGround(QWidget* parent)
    : TQzSetsEditor(parent, QzSetsBackGroundKind()),
      FUi(std::make_unique<Ui::TFrSetsBackGround>()) {
    FUi->setupUi(this);
    BindControls();
}

TFrSetsBackGround::~TFrSetsBackGround() = default;
