#include "pickers/QzMemoryImage.h"

#include "QzExcept.h"
#include "QzGraphics.h"
#include "QzHooks.h"
#include "QzImageClipboard.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgImages.h"
#include "QzUi.h"
#include "QzWindows.h"
#include "controls/QzDesignRgn.h"
#include "pickers/QzIdEdit.h"
#include "pickers/QzImageGrid.h"
#include "ui_TFrMemoryImage.h"
#include "ui_TFrMemoryImageAdd.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>

namespace {

TQzImportImagesRunner ImportRunner = nullptr;

bool isSystemName(const QString& name) {
    return name.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0;
}

} // namespace

void QzSetImportImagesRunner(TQzImportImagesRunner runner) {
    ImportRunner = runner;
}

int QzRunImportImages(QWidget* parent, TQzPkgImages* target) {
    return ImportRunner ? ImportRunner(parent, target) : mrCancel;
}

void TQzImageGridMenu::Build(QMenu* menu, TQzImageGrid* grid, QAction* before) {
    auto add = [&](const QString& text, const char* name, bool checked) {
        auto* action = new QAction(text, menu);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setChecked(checked);
        menu->insertAction(before, action);
        return action;
    };
    MnTransparent = add(QStringLiteral("Transparent"), "MnTransparent", grid->Transparent());
    MnStretch = add(QStringLiteral("Stretch"), "MnStretch", grid->Stretch());
    menu->insertSeparator(before);
    MnWH = add(QStringLiteral("Show Width/Height"), "MnWH", true);
    MnSize = add(QStringLiteral("Show Size (KB)"), "MnSize", false);
    MnProtected = add(QStringLiteral("Show Protected"), "MnProtected", false);
    Info = new QActionGroup(menu);
    for (QAction* action : {MnWH, MnSize, MnProtected})
        Info->addAction(action);
    QObject::connect(MnTransparent, &QAction::toggled, grid, &TQzImageGrid::SetTransparent);
    QObject::connect(MnStretch, &QAction::toggled, grid, &TQzImageGrid::SetStretch);
    QObject::connect(Info, &QActionGroup::triggered, grid, [this, grid](QAction* action) {
        grid->SetInfo(action == MnSize        ? TQzImageInfo::Size
                      : action == MnProtected ? TQzImageInfo::Protected
                                              : TQzImageInfo::WidthHeight);
    });
}

// ---------------------------------------------------------------------------------------------
// The picker

TFrMemoryImage::TFrMemoryImage(QWidget* parent)
    : TQzMemoryPicker(parent, {QStringLiteral("Image"), QStringLiteral("Images"), dlmImages}),
      FUi(std::make_unique<Ui::TFrMemoryImage>()) {
    FUi->setupUi(this);
    BindControls(nullptr);
    FMenu.Build(PPMenu, FUi->Images, MnProtectAll);
    N3 = PPMenu->insertSeparator(MnProtectAll);
    MnImport = new QAction(QStringLiteral("Import Images"), PPMenu);
    MnImport->setObjectName(QStringLiteral("MnImport"));
    PPMenu->insertAction(N3, MnImport);
    connect(MnImport, &QAction::triggered, this, &TFrMemoryImage::MnImportClick);
}

TFrMemoryImage::~TFrMemoryImage() = default;

TQzPkgImages* TFrMemoryImage::ImagesPackage() const {
    return qobject_cast<TQzPkgImages*>(CurrentPackage());
}

TQzImageGrid* TFrMemoryImage::Grid() const {
    return FUi->Images;
}

TQzPkgItemList* TFrMemoryImage::ItemsOf(TQzPkgInfo* pkg) const {
    auto* images = qobject_cast<TQzPkgImages*>(pkg);
    return images ? images->Images() : nullptr;
}

TQzPkgInfo* TFrMemoryImage::FindPackage(const QString& name) const {
    return QzFindPkgImages(name);
}

void TFrMemoryImage::ActiveNames(QStringList& names) const {
    QzPkgImagesActives(names);
}

int TFrMemoryImage::PerformCode() const {
    return QzPerformImages;
}

void TFrMemoryImage::StateChanged() {
    const bool system = SystemPackage();
    FMenu.MnProtected->setVisible(system);
    N3->setVisible(system);
    if (FMenu.MnProtected->isChecked() && !system) {
        FMenu.MnWH->setChecked(true);
        FUi->Images->SetInfo(TQzImageInfo::WidthHeight);
    }
    MnImport->setEnabled(ImagesPackage() && ValidPkg(EdPkg->currentText()));
}

QString TFrMemoryImage::InfoSuffix() const {
    TQzPkgImages* pkg = ImagesPackage();
    return QzSizeText(pkg ? QzImagesSize(*pkg->Images()) : 0);
}

void TFrMemoryImage::LoadList() {
    std::vector<TQzPkgItem*> rows;
    if (TQzPkgImages* pkg = ImagesPackage()) {
        TQzPkgImagesImages* images = pkg->Images();
        rows.reserve(std::size_t(images->Count()));
        for (int i = 0; i < images->Count(); ++i)
            rows.push_back(images->GetItems(i));
        std::stable_sort(rows.begin(), rows.end(), [](const TQzPkgItem* a, const TQzPkgItem* b) {
            return a->Id() < b->Id();
        });
    }
    FUi->Images->InvalidateThumbnails();
    List->Model()->SetRows(std::move(rows));
}

void TFrMemoryImage::ShowDetail(TQzPkgItem*) {}

TQzPkgItem* TFrMemoryImage::RunAddDialog(TQzPkgItem* item) {
    TQzPkgImages* pkg = ImagesPackage();
    TFrMemoryImageAdd add(this);
    add.setWindowTitle(item ? QStringLiteral("Modify Image") : QStringLiteral("Add Image"));
    add.Package = pkg;
    add.Id = item ? item->Id() : pkg->Images()->UniqueId();
    add.ModifyMode = item != nullptr;
    const bool done = add.Execute();
    if (add.SettingsChanged())
        Modified();
    return done ? pkg->Images()->FindId(add.Id) : nullptr;
}

void TFrMemoryImage::ItemAdded(TQzPkgItem* item) {
    LoadList();
    SetEdId(item->Id());
    IdChange();
    List->View()->setFocus();
}

void TFrMemoryImage::ItemModified(TQzPkgItem* item, int oldId) {
    if (item->Id() != oldId) {
        LoadList();
        SetEdId(item->Id());
        IdChange();
    }
    FUi->Images->InvalidateThumbnails();
    List->View()->setFocus();
}

void TFrMemoryImage::MnImportClick() {
    TQzPkgImages* pkg = ImagesPackage();
    if (!pkg || !MnImport->isEnabled())
        return;
    if (QzRunImportImages(this, pkg) != mrOk)
        return;
    ChangeState();
    LoadList();
    IdChange();
    UpdateInfo();
    Modified();
    QzFormsPerform(PerformCode(), pkg);
}

// ---------------------------------------------------------------------------------------------
// Add and modify

TFrMemoryImageAdd::TFrMemoryImageAdd(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrMemoryImageAdd>()) {
    FUi->setupUi(this);
    QzRestrictIdEdit(FUi->EdId);
    connect(FUi->EdId, &QLineEdit::textEdited, this, [this] { FChanged = true; });
    connect(FUi->EdProtected, &QCheckBox::clicked, this, [this] { FChanged = true; });
    connect(FUi->BtLoad, &QToolButton::clicked, this, &TFrMemoryImageAdd::BtLoadClick);
    connect(FUi->BtSave, &QToolButton::clicked, this, &TFrMemoryImageAdd::BtSaveClick);
    connect(FUi->BtClear, &QToolButton::clicked, this, &TFrMemoryImageAdd::BtClearClick);
    connect(FUi->BtMask, &QToolButton::clicked, this, &TFrMemoryImageAdd::BtMaskClick);
    connect(FUi->BtCopy, &QToolButton::clicked, this, &TFrMemoryImageAdd::BtCopyClick);
    connect(FUi->BtCut, &QToolButton::clicked, this, &TFrMemoryImageAdd::BtCutClick);
    connect(FUi->BtPaste, &QToolButton::clicked, this, &TFrMemoryImageAdd::BtPasteClick);
}

TFrMemoryImageAdd::~TFrMemoryImageAdd() = default;

bool TFrMemoryImageAdd::Execute() {
    Q_ASSERT(Package);
    FSettingsChanged = false;
    FApplied = false;
    FUi->EdId->setText(QString::number(Id));
    FPriorId = Id;
    LocalPkg = std::make_unique<TQzPkgImages>();
    FWorkImage = LocalPkg->Images()->Add(0);
    FUi->Image->SetImage(FWorkImage);

    const bool system = isSystemName(Package->GetPkgName());
    FUi->EdProtected->setChecked(system);
    FUi->EdProtected->setVisible(system);
    TQzPkgImagesImage* item = ModifyMode ? Package->Images()->FindId(FPriorId) : nullptr;
    if (item)
        FWorkImage->Assign(item);
    LocalPkg->SetRgnSettings(Package->RgnSettings());
    ChangeState();
    FChanged = !item || FUi->EdProtected->isChecked() != item->Protected;
    FUi->EdId->setFocus();

    ShowModal();
    if (!(LocalPkg->RgnSettings() == Package->RgnSettings())) {
        Package->SetRgnSettings(LocalPkg->RgnSettings());
        FSettingsChanged = true;
    }
    return FApplied;
}

void TFrMemoryImageAdd::Accepting() {
    if (ModifyMode && !FChanged)
        return;
    const int id = QzTypedId(FUi->EdId->text());
    const TQzScreenUpdate update;
    TQzPkgImagesImage* item = nullptr;
    if (ModifyMode) {
        item = Package->Images()->FindId(FPriorId);
        if (!item)
            QzExcept(QStringLiteral("The image %1 is no longer in the package").arg(FPriorId));
        item->SetId(id);
    } else {
        item = Package->Images()->Add(id);
    }
    item->Assign(FWorkImage);
    item->Protected = FUi->EdProtected->isChecked();
    Id = id;
    FApplied = true;
}

void TFrMemoryImageAdd::changeEvent(QEvent* event) {
    TQzDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && FWorkImage)
        ChangeState();
}

void TFrMemoryImageAdd::ChangeState() {
    const bool empty = FWorkImage->Empty();
    FUi->Label1->setText(empty ? QStringLiteral("(None)")
                               : QStringLiteral("(%1) (%2x%3)")
                                     .arg(QzFindGraphicDescription(FWorkImage->GraphicClass()))
                                     .arg(FWorkImage->Width())
                                     .arg(FWorkImage->Height()));
    for (QToolButton* button : {FUi->BtSave, FUi->BtClear, FUi->BtMask, FUi->BtCopy, FUi->BtCut})
        button->setEnabled(!empty);
    FUi->LaMask->setChecked(QzImageHasMask(*FWorkImage));
    FUi->BtPaste->setEnabled(QzClipboardHasImage());
    FUi->Image->update();
}

void TFrMemoryImageAdd::imageChanged() {
    FChanged = true;
    ChangeState();
}

void TFrMemoryImageAdd::BtLoadClick() {
    TQzFileRequest request;
    request.mode = TQzFileRequest::Open;
    request.Title = QStringLiteral("Open");
    request.Filter = QzDialogFilter(QzImageFileFilter());
    const std::optional<QStringList> files = QzUi().FileDialog(request);
    if (!files || files->isEmpty())
        return;
    try {
        FWorkImage->LoadFromFile(files->first());
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    imageChanged();
}

void TFrMemoryImageAdd::BtSaveClick() {
    const TQzGraphicClass* cls = QzFindGraphicClass(FWorkImage->GraphicClass());
    TQzFileRequest request;
    request.mode = TQzFileRequest::Save;
    request.Title = QStringLiteral("Save As");
    request.Filter = QzDialogFilter((cls ? cls->Filter + u'|' : QString()) + QzImqzFilter);
    request.DefaultSuffix = cls ? cls->DefaultExt : QString::fromLatin1(QzImqzExtension);
    const std::optional<QStringList> files = QzUi().FileDialog(request);
    if (!files || files->isEmpty())
        return;
    QString name = files->first();
    if (QFileInfo(name).suffix().isEmpty())
        name += u'.' + request.DefaultSuffix;
    try {
        FWorkImage->SaveToFile(name);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}

void TFrMemoryImageAdd::BtClearClick() {
    FWorkImage->Clear();
    imageChanged();
}

void TFrMemoryImageAdd::BtMaskClick() {
    if (FWorkImage->Empty())
        return;
    TFrDesignRgn designer(this);
    designer.Image = FWorkImage;
    if (designer.Execute())
        imageChanged();
}

void TFrMemoryImageAdd::BtCopyClick() {
    try {
        SaveToClipBoard(*FWorkImage);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
    ChangeState();
}

void TFrMemoryImageAdd::BtCutClick() {
    try {
        SaveToClipBoard(*FWorkImage);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    BtClearClick();
}

void TFrMemoryImageAdd::BtPasteClick() {
    try {
        LoadFromClipBoard(*FWorkImage);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        ChangeState();
        return;
    }
    imageChanged();
}
