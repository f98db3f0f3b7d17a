#pragma once

// The image picker and the add dialog it shares with the images package editor. TFrMemoryImage
// chooses an image of an images package for an image reference, on the thumbnail grid, and adds,
// changes, deletes, imports and protects images of the package shown. TFrMemoryImageAdd adds an
// image to a package or changes one: its picture from a file, the clipboard or an ".imqz" file,
// its masks and margins in the region designer, its id and protection.

#include "pickers/QzMemoryPicker.h"

#include <memory>

namespace Ui {
class TFrMemoryImage;
class TFrMemoryImageAdd;
} // namespace Ui
class QActionGroup;
class TQzImageGrid;
class TQzPkgImages;
class TQzPkgImagesImage;

// The image import lives with the package editors, above the pickers; they hand it down here.
// It returns the import's modal result (1 when images may have been added).
using TQzImportImagesRunner = int (*)(QWidget* parent, TQzPkgImages* target);
void QzSetImportImagesRunner(TQzImportImagesRunner runner);
int QzRunImportImages(QWidget* parent, TQzPkgImages* target);

// The thumbnail menu items of the editor, the picker and the import: "Transparent", "Stretch"
// and the choice of the information line, wired to a grid.
struct TQzImageGridMenu {
    QAction* MnTransparent = nullptr;
    QAction* MnStretch = nullptr;
    QAction* MnWH = nullptr;
    QAction* MnSize = nullptr;
    QAction* MnProtected = nullptr;
    QActionGroup* Info = nullptr;
    // Adds the items before `before` (at the end when none).
    void Build(QMenu* menu, TQzImageGrid* grid, QAction* before = nullptr);
};

class TFrMemoryImage : public TQzMemoryPicker {
    Q_OBJECT
public:
    explicit TFrMemoryImage(QWidget* parent = nullptr);
    ~TFrMemoryImage() override;

    TQzPkgImages* ImagesPackage() const;
    TQzImageGrid* Grid() const;

    void MnImportClick();

protected:
    TQzPkgItemList* ItemsOf(TQzPkgInfo* pkg) const override;
    TQzPkgInfo* FindPackage(const QString& name) const override;
    void ActiveNames(QStringList& names) const override;
    int PerformCode() const override;
    void StateChanged() override;
    QString InfoSuffix() const override;
    void LoadList() override;
    void ShowDetail(TQzPkgItem* item) override;
    TQzPkgItem* RunAddDialog(TQzPkgItem* item) override;
    void ItemAdded(TQzPkgItem* item) override;
    void ItemModified(TQzPkgItem* item, int oldId) override;

private:
    std::unique_ptr<Ui::TFrMemoryImage> FUi;
    TQzImageGridMenu FMenu;
    QAction* N3 = nullptr;
    QAction* MnImport = nullptr;
};

class TFrMemoryImageAdd : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrMemoryImageAdd(QWidget* parent = nullptr);
    ~TFrMemoryImageAdd() override;

    // Set before Execute: the target package, the proposed (add) or current (modify) id, and
    // whether an image is changed rather than added. Id holds the final id afterwards.
    TQzPkgImages* Package = nullptr;
    int Id = 0;
    bool ModifyMode = false;

    // True when an image was added or changed.
    bool Execute();
    // The region designer's settings of the package changed through this dialog.
    bool SettingsChanged() const { return FSettingsChanged; }
    TQzPkgImagesImage* WorkImage() const { return FWorkImage; }
    bool Changed() const { return FChanged; }

    void BtLoadClick();
    void BtSaveClick();
    void BtClearClick();
    void BtMaskClick();
    void BtCopyClick();
    void BtCutClick();
    void BtPasteClick();
    void ChangeState();

protected:
    // Adds the image, or gives the changed one its new id; raises (the dialog stays open and the
    // package is as it was) when the id is refused.
    void Accepting() override;
    void changeEvent(QEvent* event) override;

private:
    void imageChanged();

    std::unique_ptr<Ui::TFrMemoryImageAdd> FUi;
    std::unique_ptr<TQzPkgImages> LocalPkg;
    TQzPkgImagesImage* FWorkImage = nullptr;
    int FPriorId = 0;
    bool FChanged = false;
    bool FApplied = false;
    bool FSettingsChanged = false;
};
