#include "QzSetEditors.h"

// Sets are picked by name.
TQzLBSetsColor::TQzLBSetsColor(TComponent* owner) : TQzCustomListBox(owner) {
    FDataType = dtString;
}

TQzCBSetsColor::TQzCBSetsColor(TComponent* owner) : TQzCustomComboBox(owner) {
    FixDataType(dtString);
}

TQzLBSetsBackGround::TQzLBSetsBackGround(TComponent* owner) : TQzCustomListBox(owner) {
    FDataType = dtString;
}

TQzCBSetsBackGround::TQzCBSetsBackGround(TComponent* owner) : TQzCustomComboBox(owner) {
    FixDataType(dtString);
}

TQzLBSetsFont::TQzLBSetsFont(TComponent* owner) : TQzCustomListBox(owner) {
    FDataType = dtString;
}

TQzCBSetsFont::TQzCBSetsFont(TComponent* owner) : TQzCustomComboBox(owner) {
    FixDataType(dtString);
}

TQzCBPkgImages::TQzCBPkgImages(TComponent* owner) : TQzCustomComboBox(owner) {
    FixDataType(dtInteger);
}

TQzCBColors::TQzCBColors(TComponent* owner) : TQzCustomComboBox(owner) {
    FixDataType(dtInteger);
}

TQzCBPrinters::TQzCBPrinters(TComponent* owner) : TQzCustomComboBox(owner) {
    FixDataType(dtString);
}

TQzPkgImagesAdd::TQzPkgImagesAdd(TComponent* owner)
    : TComponent(owner), FTitle(new TQzMemoryLabel(this)) {}

TQzPkgImagesDesignRgn::TQzPkgImagesDesignRgn(TComponent* owner)
    : TComponent(owner), FImage(new TQzMemoryImage(this)) {}
