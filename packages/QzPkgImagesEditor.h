#pragma once

// The images package editor: every image of one images package as a grid of thumbnails, with
// adding, changing, deleting, clearing, importing, protecting, printing a catalogue, and loading
// and saving the package. Changes go into the package as they are made; the window's place is
// kept in the package. A package kept in its own file is saved when the editor closes.

#include "QzWindows.h"
#include "manager/core/QzManagerEngine.h"
#include "packages/QzPkgEditorWindow.h"
#include "pickers/QzMemoryImage.h"

#include <memory>
#include <optional>

namespace Ui {
class TFrPkgImages;
}
class QPrinter;
class TQzPkgImages;
class TQzPkgImagesImage;

// Prints the catalogue of `images` (in that order) on `printer`: each picture with its id, type
// and size, in cells of 0.7 by 1 inch, a header on every page.
void QzPrintImagesReport(QPrinter& printer, const QList<TQzPkgImagesImage*>& images);

class TFrPkgImages : public TQzPkgEditorWindow, public IQzManagerOwner {
    Q_OBJECT
public:
    explicit TFrPkgImages(QWidget* parent = nullptr);
    ~TFrPkgImages() override;

    // Set before Execute: the package edited, and whether it is a display package's images (no
    // file controls, no designer notices).
    TQzPkgImages* Package = nullptr;
    bool Embedded = false;

    void Execute();
    // Removes `item` from the package and the grid without asking, as Delete does.
    void DeleteItem(TQzPkgImagesImage* item);

    void BtAddClick();
    void BtModifyClick();
    void BtDeleteClick();
    void BtClearClick();
    void BtLoadClick();
    void BtSaveClick();
    void BtLoadFromClick();
    void BtSaveToClick();
    void BtSynchronizerClick();
    void BtManagerClick();
    void BtReportClick();
    void MnImportClick();
    void MnUpdateSystemImagesClick();
    void MnProtectAllImagesClick();
    void MnUnprotectAllImagesClick();
    void EdIdChange();

    bool IsFilePkg() const;
    bool ValidPkg(const QString& name) const;

    // IQzManagerOwner
    bool ManagerEditsKind(TQzDlgManager kind) const override;
    QString ManagerPackageName() const override;
    void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) override;

private:
    void PkgChange();
    void LoadImages();
    void IdChange();
    void ChangeState();
    void UpdateInfo();
    void Modified();
    // After a change of the items: the designer hears of it only for a package kept in the form.
    void ItemsModified();
    void UpdateFile();
    void AdjustComponents();
    void setProtection(bool protect);
    TQzPkgImagesImage* selectedImage() const;
    void selectRow(int row);
    QString fileFilter() const;
    // The add dialog on a new image (or the one of `id`); the image's id after OK, else none.
    std::optional<int> runAddDialog(bool modify, int id);
    // The file chosen in the open or save dialog for package files, or none.
    std::optional<QString> chooseFile(bool save, const QString& title) const;

    std::unique_ptr<Ui::TFrPkgImages> FUi;
    TQzImageGridMenu FMenu;
    QMenu* Menu = nullptr;
    QAction* MnImport = nullptr;
    QAction* N3 = nullptr;
    QAction* MnUpdateSystemImages = nullptr;
    QAction* N4 = nullptr;
    QAction* MnProtectAllImages = nullptr;
    QAction* MnUnprotectAllImages = nullptr;
    bool FFilling = false;
};
