#include "packages/QzPkgImagesEditor.h"

#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzUi.h"
#include "manager/QzManager.h"
#include "manager/QzPkgSynchronizer.h"
#include "packages/QzImportImages.h"
#include "packages/QzPkgLoadSave.h"
#include "packages/QzUpdateSystem.h"
#include "pickers/QzIdEdit.h"
#include "pickers/QzImageGrid.h"
#include "pickers/QzPickerList.h"
#include "ui_TFrPkgImages.h"

#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPrinter>

// ---------------------------------------------------------------------------------------------
// The catalogue

void QzPrintImagesReport(QPrinter& printer, const QList<TQzPkgImagesImage*>& images) {
    QPainter painter(&printer);
    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    const int cellWidth = int(0.7 * dpiX);
    const int cellHeight = dpiY;
    const int gapX = dpiX / 6;
    const int gapY = dpiY / 6;
    const int pageWidth = printer.width();
    const int pageHeight = printer.height();

    auto header = [&]() {
        const QFont previous = painter.font();
        QFont font = previous;
        font.setPointSize(10);
        painter.setFont(font);
        const QString title = QStringLiteral("**** Images Report ****");
        const int height = painter.fontMetrics().height();
        painter.drawText(QRect(0, 0, pageWidth, height), Qt::AlignLeft | Qt::AlignTop, title);
        painter.setFont(previous);
        return height + dpiY / 4;
    };
    const int top = header();
    int x = 0;
    int y = top;
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    for (TQzPkgImagesImage* image : images) {
        if (image->Empty() || image->GraphicClass().isEmpty())
            continue;
        const QString text =
            QzImageCellText(*image, TQzImageInfo::WidthHeight).replace(u'\r', u'\n');
        const QRect measured =
            painter.fontMetrics().boundingRect(QRect(x, y, cellWidth, cellHeight), flags, text);
        painter.drawText(QRect(x, y, cellWidth, measured.height()), flags, text);
        const QImage picture = QImage::fromData(image->ReadStream(true), "BMP");
        const QRect area(x, y + measured.height(), cellWidth, cellHeight - measured.height());
        if (!picture.isNull() && area.height() > 0)
            painter.drawImage(area, picture);
        x += cellWidth + gapX;
        if (x + cellWidth > pageWidth) {
            x = 0;
            y += cellHeight + gapY;
            if (y + cellHeight > pageHeight) {
                printer.newPage();
                y = header();
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The editor

TFrPkgImages::TFrPkgImages(QWidget* parent)
    : TQzPkgEditorWindow(parent), FUi(std::make_unique<Ui::TFrPkgImages>()) {
    FUi->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    QzRestrictIdEdit(FUi->EdId);
    FUi->Images->setContextMenuPolicy(Qt::CustomContextMenu);

    Menu = new QMenu(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    FMenu.Build(Menu, FUi->Images);
    Menu->addSeparator();
    MnImport = Menu->addAction(QStringLiteral("Import Images"), this, &TFrPkgImages::MnImportClick);
    MnImport->setObjectName(QStringLiteral("MnImport"));
    N3 = Menu->addSeparator();
    MnUpdateSystemImages = Menu->addAction(QStringLiteral("Update System Images"), this,
                                           &TFrPkgImages::MnUpdateSystemImagesClick);
    MnUpdateSystemImages->setObjectName(QStringLiteral("MnUpdateSystemImages"));
    N4 = Menu->addSeparator();
    MnProtectAllImages = Menu->addAction(QStringLiteral("Protect All Images"), this,
                                         &TFrPkgImages::MnProtectAllImagesClick);
    MnProtectAllImages->setObjectName(QStringLiteral("MnProtectAllImages"));
    MnUnprotectAllImages = Menu->addAction(QStringLiteral("Unprotect All Images"), this,
                                           &TFrPkgImages::MnUnprotectAllImagesClick);
    MnUnprotectAllImages->setObjectName(QStringLiteral("MnUnprotectAllImages"));

    connect(FUi->Images, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Menu->popup(FUi->Images->viewport()->mapToGlobal(at)); });
    connect(FUi->Images->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (FFilling || !current.isValid())
                    return;
                if (TQzPkgItem* item = FUi->Images->Model()->Item(current.row()))
                    FUi->EdId->setText(QString::number(item->Id()));
                ChangeState();
            });
    connect(FUi->Images, &QAbstractItemView::doubleClicked, this, [this] {
        if (FUi->BtModify->isEnabled())
            BtModifyClick();
    });
    connect(FUi->EdId, &QLineEdit::textEdited, this, &TFrPkgImages::EdIdChange);
    connect(FUi->BtAdd, &QPushButton::clicked, this, &TFrPkgImages::BtAddClick);
    connect(FUi->BtModify, &QPushButton::clicked, this, &TFrPkgImages::BtModifyClick);
    connect(FUi->BtDelete, &QPushButton::clicked, this, &TFrPkgImages::BtDeleteClick);
    connect(FUi->BtClear, &QPushButton::clicked, this, &TFrPkgImages::BtClearClick);
    connect(FUi->BtLoad, &QPushButton::clicked, this, &TFrPkgImages::BtLoadClick);
    connect(FUi->BtSave, &QPushButton::clicked, this, &TFrPkgImages::BtSaveClick);
    connect(FUi->BtLoadFrom, &QPushButton::clicked, this, &TFrPkgImages::BtLoadFromClick);
    connect(FUi->BtSaveTo, &QPushButton::clicked, this, &TFrPkgImages::BtSaveToClick);
    connect(FUi->BtSynchronizer, &QPushButton::clicked, this, &TFrPkgImages::BtSynchronizerClick);
    connect(FUi->BtManager, &QPushButton::clicked, this, &TFrPkgImages::BtManagerClick);
    connect(FUi->BtReport, &QToolButton::clicked, this, &TFrPkgImages::BtReportClick);
}

TFrPkgImages::~TFrPkgImages() = default;

void TFrPkgImages::Execute() {
    Q_ASSERT(Package);
    setWindowTitle(QStringLiteral("Package : ") + Package->GetPkgName());
    RestoreGeometry(*Package->Data());
    for (QWidget* widget : {static_cast<QWidget*>(FUi->Label5), static_cast<QWidget*>(FUi->Label7),
                            static_cast<QWidget*>(FUi->Label4), static_cast<QWidget*>(FUi->LabMode),
                            static_cast<QWidget*>(FUi->BtLoad), static_cast<QWidget*>(FUi->BtSave),
                            static_cast<QWidget*>(FUi->BtSynchronizer)})
        widget->setVisible(!Embedded);

    const bool system = QzIsSystemName(Package->GetPkgName());
    for (QAction* action : {FMenu.MnProtected, N3, MnUpdateSystemImages, N4, MnProtectAllImages,
                            MnUnprotectAllImages})
        action->setVisible(system);
    for (QAction* action : {MnUpdateSystemImages, MnProtectAllImages, MnUnprotectAllImages})
        action->setEnabled(QzSystemEditAllowed());
    MnImport->setEnabled(!system || QzSystemEditAllowed());

    if (IsFilePkg() && Package->FileModified()) {
        try {
            Package->LoadFile();
        } catch (const Exception& e) {
            QzMsg(TQzMessageType::mtError, e.Message());
        }
    }
    PkgChange();
    UpdateInfo();
    AdjustComponents();
    ShowModal();

    if (StoreGeometry(*Package->Data()))
        Modified();
    UpdateFile();
}

bool TFrPkgImages::IsFilePkg() const {
    const TQzPkgInfo* pkg = Package;
    if (auto* display = qobject_cast<const TQzPkgDisplay*>(Package->Owner()))
        pkg = display;
    return pkg->IsFileStored() && !pkg->FileName().isEmpty();
}

bool TFrPkgImages::ValidPkg(const QString& name) const {
    return QzSystemEditAllowed() || !QzIsSystemName(name);
}

void TFrPkgImages::Modified() {
    if (!Embedded)
        QzDesignerModified(Package);
}

void TFrPkgImages::ItemsModified() {
    if (!IsFilePkg())
        Modified();
    QzFormsPerform(QzPerformImages, Package);
}

void TFrPkgImages::UpdateFile() {
    try {
        Package->SaveFile();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}

QString TFrPkgImages::fileFilter() const {
    const QString pattern = u'*' + QzAddPointExt(Package->DefaultExt());
    return QStringLiteral("Package Images (%1)|%1|All files (*.*)|*.*").arg(pattern);
}

// ---------------------------------------------------------------------------------------------
// List and state

void TFrPkgImages::PkgChange() {
    LoadImages();
    ChangeState();
}

void TFrPkgImages::LoadImages() {
    std::vector<TQzPkgItem*> rows;
    TQzPkgImagesImages* images = Package->Images();
    rows.reserve(std::size_t(images->Count()));
    for (int i = 0; i < images->Count(); ++i)
        rows.push_back(images->GetItems(i));
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TQzPkgItem* a, const TQzPkgItem* b) { return a->Id() < b->Id(); });
    FFilling = true;
    FUi->Images->InvalidateThumbnails();
    FUi->Images->Model()->SetRows(std::move(rows));
    FFilling = false;
    IdChange();
}

void TFrPkgImages::EdIdChange() {
    IdChange();
}

void TFrPkgImages::IdChange() {
    bool ok = false;
    int id = FUi->EdId->text().trimmed().toInt(&ok);
    if (!ok || !Package->Images()->FindId(id))
        id = -1;
    int row = -1;
    if (id >= 0) {
        const auto& rows = FUi->Images->Model()->Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i]->Id() == id) {
                row = int(i);
                break;
            }
    }
    selectRow(row);
    ChangeState();
}

void TFrPkgImages::selectRow(int row) {
    FFilling = true;
    FUi->Images->SelectRow(row);
    FFilling = false;
}

TQzPkgImagesImage* TFrPkgImages::selectedImage() const {
    return qobject_cast<TQzPkgImagesImage*>(FUi->Images->Model()->Item(FUi->Images->CurrentRow()));
}

void TFrPkgImages::ChangeState() {
    FUi->LabMode->setText(Package->IsFileStored() ? QStringLiteral("FILE") : QStringLiteral("DFM"));
    FUi->Label7->setText(Package->FileName().isEmpty() ? QStringLiteral("(Memory)")
                                                       : Package->FileName());
    const bool valid = ValidPkg(Package->GetPkgName());
    const bool selected = valid && selectedImage();
    FUi->BtAdd->setEnabled(valid);
    FUi->BtClear->setEnabled(valid);
    FUi->BtLoadFrom->setEnabled(valid);
    FUi->BtModify->setEnabled(selected);
    FUi->BtDelete->setEnabled(selected);
    FUi->Images->setFocusPolicy(valid ? Qt::StrongFocus : Qt::ClickFocus);
}

void TFrPkgImages::UpdateInfo() {
    if (!Package) {
        FUi->StatusBar1->showMessage(QStringLiteral("Package Unknown"));
        return;
    }
    QString text = QzImagesSummary(*Package->Images()) + u' ';
    if (FMenu.MnProtected->isVisible())
        if (auto* display = qobject_cast<const TQzPkgDisplay*>(Package->Owner()))
            text += QStringLiteral("(LastUpdateFile:%1) (UpdateDateTime:%2)")
                        .arg(display->LastUpdateFile(),
                             QLocale::c().toString(display->UpdateDateTime(),
                                                   QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    FUi->StatusBar1->showMessage(text);
}

void TFrPkgImages::AdjustComponents() {
    FUi->Images->doItemsLayout();
}

// ---------------------------------------------------------------------------------------------
// Items

std::optional<int> TFrPkgImages::runAddDialog(bool modify, int id) {
    TFrMemoryImageAdd add(this);
    add.setWindowTitle(modify ? QStringLiteral("Modify Image") : QStringLiteral("Add Image"));
    add.Package = Package;
    add.Id = id;
    add.ModifyMode = modify;
    const bool done = add.Execute();
    if (add.SettingsChanged() && !IsFilePkg())
        Modified();
    return done ? std::optional<int>(add.Id) : std::nullopt;
}

void TFrPkgImages::BtAddClick() {
    if (!FUi->BtAdd->isEnabled())
        return;
    const std::optional<int> id = runAddDialog(false, Package->Images()->UniqueId());
    if (!id)
        return;
    FUi->EdId->setText(QString::number(*id));
    LoadImages();
    UpdateInfo();
    FUi->Images->setFocus();
    ItemsModified();
}

void TFrPkgImages::BtModifyClick() {
    TQzPkgImagesImage* image = selectedImage();
    if (!image || !FUi->BtModify->isEnabled())
        return;
    const std::optional<int> id = runAddDialog(true, image->Id());
    if (!id)
        return;
    if (QString::number(*id) != FUi->EdId->text()) {
        FUi->EdId->setText(QString::number(*id));
        LoadImages();
    }
    FUi->Images->InvalidateThumbnails();
    UpdateInfo();
    FUi->Images->setFocus();
    ItemsModified();
}

void TFrPkgImages::BtDeleteClick() {
    if (!FUi->BtDelete->isEnabled())
        return;
    if (QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 25, {bkOk, bkCancel},
                 bkOk) != bkOk)
        return;
    if (TQzPkgImagesImage* image = selectedImage())
        DeleteItem(image);
}

void TFrPkgImages::DeleteItem(TQzPkgImagesImage* item) {
    TQzPickerModel* model = FUi->Images->Model();
    const int row = model->RowOf(item);
    if (row >= 0) {
        FFilling = true;
        model->RemoveRow(row);
        FFilling = false;
    }
    delete item;
    if (row >= 0) {
        const int next = std::min(row, model->rowCount() - 1);
        TQzPkgItem* selected = model->Item(next);
        FUi->EdId->setText(selected ? QString::number(selected->Id()) : QString());
    }
    IdChange();
    UpdateInfo();
    ItemsModified();
}

void TFrPkgImages::BtClearClick() {
    if (!FUi->BtClear->isEnabled())
        return;
    if (QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 50, {bkOk, bkCancel},
                 bkCancel) != bkOk)
        return;
    FFilling = true;
    FUi->Images->Model()->SetRows({});
    FFilling = false;
    Package->Images()->Clear();
    ItemsModified();
    LoadImages();
    UpdateInfo();
}

void TFrPkgImages::setProtection(bool protect) {
    if (!QzSystemEditAllowed())
        return;
    if (!QzProtectAll(*Package->Images(), protect))
        return;
    ChangeState();
    LoadImages();
    UpdateInfo();
    Modified();
}

void TFrPkgImages::MnProtectAllImagesClick() {
    setProtection(true);
}

void TFrPkgImages::MnUnprotectAllImagesClick() {
    setProtection(false);
}

// ---------------------------------------------------------------------------------------------
// Files

void TFrPkgImages::BtLoadClick() {
    UpdateFile();
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = Package;
    dialog.Load = true;
    if (dialog.Execute() != mrOk)
        return;
    ChangeState();
    LoadImages();
    UpdateInfo();
    Modified();
}

void TFrPkgImages::BtSaveClick() {
    UpdateFile();
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = Package;
    dialog.Load = false;
    if (dialog.Execute() != mrOk)
        return;
    ChangeState();
    Modified();
}

std::optional<QString> TFrPkgImages::chooseFile(bool save, const QString& title) const {
    TQzFileRequest request;
    request.mode = save ? TQzFileRequest::Save : TQzFileRequest::Open;
    request.Title = title;
    request.Directory = QzAppPath();
    request.Filter = QzDialogFilter(fileFilter());
    request.DefaultSuffix = Package->DefaultExt();
    const std::optional<QStringList> files = QzUi().FileDialog(request);
    if (!files || files->isEmpty())
        return std::nullopt;
    return files->first();
}

void TFrPkgImages::BtLoadFromClick() {
    if (!FUi->BtLoadFrom->isEnabled())
        return;
    const std::optional<QString> file = chooseFile(false, QStringLiteral("Load From"));
    if (!file)
        return;
    try {
        Package->LoadFromFile(*file);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    LoadImages();
    UpdateInfo();
    ItemsModified();
}

void TFrPkgImages::BtSaveToClick() {
    const std::optional<QString> file = chooseFile(true, QStringLiteral("Save To"));
    if (!file)
        return;
    try {
        Package->SaveToFile(*file);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}

void TFrPkgImages::BtSynchronizerClick() {
    TFrPkgSynchronizer dialog(this);
    dialog.Pkg = Package;
    dialog.Execute();
    LoadImages();
    UpdateInfo();
    ItemsModified();
}

void TFrPkgImages::BtManagerClick() {
    TFrManager manager(this);
    manager.Execute(dlmImages, Package->GetPkgName(), FUi->EdId->text());
}

void TFrPkgImages::MnUpdateSystemImagesClick() {
    if (!MnUpdateSystemImages->isEnabled())
        return;
    TFrUpdateSystemImages dialog(this);
    TComponent* display = Package->Owner();
    dialog.App = qobject_cast<TQzCApplication*>(display ? display->Owner() : nullptr);
    if (!dialog.App)
        dialog.App = &QzCAppRequired();
    if (!dialog.Execute())
        return;
    ChangeState();
    LoadImages();
    UpdateInfo();
    Modified();
}

void TFrPkgImages::MnImportClick() {
    if (!MnImport->isEnabled())
        return;
    UpdateFile();
    TFrImportImages dialog(this);
    dialog.TargetPkg = Package;
    if (dialog.Execute() != mrOk)
        return;
    ChangeState();
    LoadImages();
    UpdateInfo();
    Modified();
}

void TFrPkgImages::BtReportClick() {
    QPrinter printer;
    if (!QzUi().PrinterDialog(printer))
        return;
    printer.setDocName(QStringLiteral("Images Report"));
    QList<TQzPkgImagesImage*> images;
    for (TQzPkgItem* item : FUi->Images->Model()->Rows())
        images << static_cast<TQzPkgImagesImage*>(item);
    QzPrintImagesReport(printer, images);
}

// ---------------------------------------------------------------------------------------------
// The Packages Manager

bool TFrPkgImages::ManagerEditsKind(TQzDlgManager kind) const {
    return kind == dlmImages;
}

QString TFrPkgImages::ManagerPackageName() const {
    return Package ? Package->GetPkgName() : QString();
}

void TFrPkgImages::ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) {
    if (kind != dlmImages)
        return;
    auto* image = qobject_cast<TQzPkgImagesImage*>(item);
    if (!image)
        return;
    if (image->Collection() == Package->Images()) {
        DeleteItem(image);
    } else {
        // An image of another package the Manager counted: that package is kept as ours is.
        const TCollection* list = image->Collection();
        const auto* data = list ? qobject_cast<const TQzPkgData*>(list->GetOwner()) : nullptr;
        TQzPkgInfo* owner = data ? data->Package() : nullptr;
        delete image;
        if (owner && owner->IsFileStored())
            owner->SaveFile();
        else if (owner)
            QzDesignerModified(owner);
    }
}
