#include "packages/QzImportImages.h"

#include "QzExcept.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgImages.h"
#include "QzUi.h"
#include "packages/QzPkgLoadSave.h"
#include "pickers/QzIdEdit.h"
#include "pickers/QzImageGrid.h"
#include "ui_TFrImportDlg.h"
#include "ui_TFrImportImages.h"

#include <QMenu>

namespace {

constexpr int LastSearchedId = 1000000;

int runImport(QWidget* parent, TQzPkgImages* target) {
    TFrImportImages dialog(parent);
    dialog.TargetPkg = target;
    return dialog.Execute();
}

// The image picker reaches the import through the pickers' hook.
const bool Registered = (QzSetImportImagesRunner(&runImport), true);

} // namespace

int NextFreeId(const TQzPkgImagesImages& images, int id) {
    for (int next = id + 1; next <= LastSearchedId; ++next)
        if (!images.FindId(next))
            return next;
    return LastSearchedId + 1;
}

// ---------------------------------------------------------------------------------------------
// First id

TFrImportDlg::TFrImportDlg(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrImportDlg>()) {
    FUi->setupUi(this);
    QzRestrictIdEdit(FUi->EdId);
}

TFrImportDlg::~TFrImportDlg() = default;

QLineEdit* TFrImportDlg::EdId() const {
    return FUi->EdId;
}

// ---------------------------------------------------------------------------------------------
// Import

TFrImportImages::TFrImportImages(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrImportImages>()),
      FPkgImages(std::make_unique<TQzPkgImages>()) {
    Q_UNUSED(Registered);
    FUi->setupUi(this);
    FUi->Images->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FUi->Images->SetShowInfoProtected(false);
    PPMenu = new QMenu(this);
    PPMenu->setObjectName(QStringLiteral("PPMenu"));
    FMenu.Build(PPMenu, FUi->Images);
    FMenu.MnProtected->setVisible(false);
    connect(FUi->Images, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PPMenu->popup(FUi->Images->viewport()->mapToGlobal(at)); });
    connect(FUi->BtLoad, &QPushButton::clicked, this, &TFrImportImages::BtLoadClick);
    connect(FUi->BtLoadFrom, &QPushButton::clicked, this, &TFrImportImages::BtLoadFromClick);
}

TFrImportImages::~TFrImportImages() = default;

TQzImageGrid* TFrImportImages::Grid() const {
    return FUi->Images;
}

QString& TFrImportImages::RememberedFile() {
    static QString file;
    return file;
}

int TFrImportImages::Execute() {
    Q_ASSERT(TargetPkg);
    const QString remembered = RememberedFile();
    if (!remembered.isEmpty()) {
        try {
            FPkgImages->LoadFromFile(remembered);
        } catch (const Exception&) {
            // The file may have gone since; the dialog opens empty and another can be chosen.
        }
    }
    showFile(remembered);
    LoadImages();
    UpdateInfo();
    const int result = ShowModal();
    RememberedFile() = FUi->Label7->text();
    return result;
}

void TFrImportImages::showFile(const QString& fileName) {
    FUi->Label7->setText(fileName);
}

void TFrImportImages::LoadImages() {
    std::vector<TQzPkgItem*> rows;
    TQzPkgImagesImages* images = FPkgImages->Images();
    for (int i = 0; i < images->Count(); ++i)
        rows.push_back(images->GetItems(i));
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TQzPkgItem* a, const TQzPkgItem* b) { return a->Id() < b->Id(); });
    FUi->Images->InvalidateThumbnails();
    FUi->Images->Model()->SetRows(std::move(rows));
}

void TFrImportImages::UpdateInfo() {
    FUi->StatusBar1->showMessage(QzImagesSummary(*FPkgImages->Images()));
}

void TFrImportImages::BtLoadClick() {
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = FPkgImages.get();
    dialog.Load = true;
    dialog.NoInitMode = true;
    if (dialog.Execute() != mrOk)
        return;
    LoadImages();
    UpdateInfo();
    showFile(dialog.FileName().toLower());
}

void TFrImportImages::BtLoadFromClick() {
    const QString pattern = u'*' + QzAddPointExt(FPkgImages->DefaultExt());
    TQzFileRequest request;
    request.mode = TQzFileRequest::Open;
    request.Title = QStringLiteral("Load From");
    request.Directory = QzAppPath();
    request.Filter =
        QzDialogFilter(QStringLiteral("Package Images (%1)|%1|All files (*.*)|*.*").arg(pattern));
    const std::optional<QStringList> files = QzUi().FileDialog(request);
    if (!files || files->isEmpty())
        return;
    try {
        FPkgImages->LoadFromFile(files->first());
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    LoadImages();
    UpdateInfo();
    showFile(files->first().toLower());
}

void TFrImportImages::accept() {
    const QList<int> rows = FUi->Images->SelectedRows();
    if (!rows.isEmpty()) {
        TFrImportDlg first(this);
        TQzPkgImagesImages* target = TargetPkg->Images();
        first.EdId()->setText(QString::number(target->UniqueId()));
        if (first.ShowModal() != mrOk)
            return;
        bool ok = false;
        int start = first.EdId()->text().trimmed().toInt(&ok);
        if (!ok)
            start = 0;
        if (target->FindId(start))
            start = NextFreeId(*target, start);
        QList<TQzPkgItem*> added;
        try {
            for (int row : rows) {
                TQzPkgItem* source = FUi->Images->Model()->Item(row);
                TQzPkgImagesImage* image = target->Add(start);
                added << image;
                image->Assign(source);
                start = NextFreeId(*target, start);
            }
        } catch (const Exception& e) {
            // All or nothing: what was added goes again, and the person can choose another start.
            qDeleteAll(added);
            QzMsg(TQzMessageType::mtError, e.Message());
            return;
        }
    }
    TQzDialog::accept();
}
