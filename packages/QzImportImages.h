#pragma once

// "Import Images": another images package file is opened in the dialog and the images chosen in
// it are copied into the edited package, numbered from a first id ("Import", TFrImportDlg) onwards
// with ids the package does not use yet. The import is whole or nothing: when an image cannot be
// added, the ones added before it are taken out again and the dialog stays open.

#include "QzDialog.h"
#include "pickers/QzMemoryImage.h"

#include <memory>

namespace Ui {
class TFrImportImages;
class TFrImportDlg;
} // namespace Ui
class QLineEdit;
class TQzImageGrid;
class TQzPkgImages;
class TQzPkgImagesImages;

// The first id after `id` that `images` does not use; 1000001 when every one up to 1000000 is.
int NextFreeId(const TQzPkgImagesImages& images, int id);

class TFrImportDlg : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrImportDlg(QWidget* parent = nullptr);
    ~TFrImportDlg() override;
    QLineEdit* EdId() const;

private:
    std::unique_ptr<Ui::TFrImportDlg> FUi;
};

class TFrImportImages : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrImportImages(QWidget* parent = nullptr);
    ~TFrImportImages() override;

    // The package the images go into; set before Execute.
    TQzPkgImages* TargetPkg = nullptr;
    // 1 when images may have been added.
    int Execute();

    TQzPkgImages* PkgImages() const { return FPkgImages.get(); }
    TQzImageGrid* Grid() const;
    // The file remembered across openings (empty until one is loaded).
    static QString& RememberedFile();

    void BtLoadClick();
    void BtLoadFromClick();
    // Ok: asks for the first id and imports the selected images.
    void accept() override;

private:
    void LoadImages();
    void UpdateInfo();
    void showFile(const QString& fileName);

    std::unique_ptr<Ui::TFrImportImages> FUi;
    std::unique_ptr<TQzPkgImages> FPkgImages;
    TQzImageGridMenu FMenu;
    QMenu* PPMenu = nullptr;
};
