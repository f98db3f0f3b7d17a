#include "packages/QzPrivilegesEditor.h"

#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgPrivileges.h"
#include "QzUi.h"
#include "packages/QzPkgLoadSave.h"
#include "ui_TFrPrivileges.h"

#include <QFileInfo>
#include <QMenu>

namespace {

const QString TemplateFilter = QStringLiteral("Files Privileges (*.pri)|*.pri|All files (*.*)|*.*");

// Confirms message `id` of the "System" strings; true on OK.
bool confirmed(int id) {
    return QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), id, {bkOk, bkCancel},
                    bkCancel) == bkOk;
}

} // namespace

TFrPrivileges::TFrPrivileges(QWidget* parent)
    : TQzPrivilegesDialog(parent), FUi(std::make_unique<Ui::TFrPrivileges>()) {
    FUi->setupUi(this);
    BindControls();
    PPPrivileges = new QMenu(this);
    PPPrivileges->setObjectName(QStringLiteral("PPPrivileges"));
    MnClearAccess = PPPrivileges->addAction(QStringLiteral("Clear Access"));
    MnClearAccess->setObjectName(QStringLiteral("MnClearAccess"));
    List->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(List, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PPPrivileges->popup(List->viewport()->mapToGlobal(at)); });
    connect(MnClearAccess, &QAction::triggered, this, &TFrPrivileges::MnClearAccessClick);
    connect(FUi->EdReadState, &QCheckBox::clicked, this, &TFrPrivileges::EdReadStateClick);
    connect(FUi->BtClear, &QPushButton::clicked, this, &TFrPrivileges::BtClearClick);
    connect(FUi->BtLoadTemplate, &QPushButton::clicked, this, &TFrPrivileges::BtLoadTemplateClick);
    connect(FUi->BtSaveTemplate, &QPushButton::clicked, this, &TFrPrivileges::BtSaveTemplateClick);
    connect(FUi->BtLoad, &QPushButton::clicked, this, &TFrPrivileges::BtLoadClick);
    connect(FUi->BtSave, &QPushButton::clicked, this, &TFrPrivileges::BtSaveClick);
    connect(FUi->BtLoadFrom, &QPushButton::clicked, this, &TFrPrivileges::BtLoadFromClick);
    connect(FUi->BtSaveTo, &QPushButton::clicked, this, &TFrPrivileges::BtSaveToClick);
}

TFrPrivileges::~TFrPrivileges() = default;

void TFrPrivileges::Execute() {
    Q_ASSERT(Pkg);
    FUi->EdReadState->setChecked(Pkg->ReadStateDisableControl());
    PrepareList();
    EdPrivilege->setFocus();
    ShowModal();
}

void TFrPrivileges::reloaded() {
    LoadPrivileges(EdPrivilege->text());
    FUi->EdReadState->setChecked(Pkg->ReadStateDisableControl());
    UpdateInfo();
    Modified();
}

void TFrPrivileges::EdReadStateClick() {
    Pkg->SetReadStateDisableControl(FUi->EdReadState->isChecked());
    Modified();
}

void TFrPrivileges::BtClearClick() {
    if (!confirmed(65))
        return;
    Pkg->Clear();
    reloaded();
}

void TFrPrivileges::MnClearAccessClick() {
    if (!confirmed(91))
        return;
    Pkg->BeginUpdate();
    for (int i = 0; i < Pkg->Count(); ++i)
        Pkg->GetItems(i)->SetAccess(TQzPrivilege::acReadWrite);
    Pkg->EndUpdate();
    reloaded();
}

std::optional<QString> TFrPrivileges::chooseFile(bool save, const QString& filter,
                                                 const QString& ext) {
    TQzFileRequest request;
    request.mode = save ? TQzFileRequest::Save : TQzFileRequest::Open;
    request.Title = save ? QStringLiteral("Save As") : QStringLiteral("Open");
    request.Directory = QzAppPath();
    request.Filter = QzDialogFilter(filter);
    request.DefaultSuffix = ext;
    const std::optional<QStringList> files = QzUi().FileDialog(request);
    if (!files || files->isEmpty())
        return std::nullopt;
    QString name = files->first();
    if (save && QFileInfo(name).suffix().isEmpty())
        name += u'.' + ext;
    return name;
}

void TFrPrivileges::BtLoadTemplateClick() {
    const std::optional<QString> file = chooseFile(false, TemplateFilter, QStringLiteral("pri"));
    if (!file)
        return;
    try {
        Pkg->LoadTemplateFromFile(*file);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    reloaded();
}

void TFrPrivileges::BtSaveTemplateClick() {
    const std::optional<QString> file = chooseFile(true, TemplateFilter, QStringLiteral("pri"));
    if (!file)
        return;
    try {
        Pkg->SaveTemplateToFile(*file);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}

void TFrPrivileges::BtLoadClick() {
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = Pkg;
    dialog.Load = true;
    if (dialog.Execute() == mrOk)
        reloaded();
}

void TFrPrivileges::BtSaveClick() {
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = Pkg;
    dialog.Load = false;
    dialog.Execute();
}

QString TFrPrivileges::packageFilter() const {
    return QStringLiteral("Package Images (*%1)|*%1|All files (*.*)|*.*")
        .arg(QzAddPointExt(Pkg->DefaultExt()));
}

void TFrPrivileges::BtLoadFromClick() {
    const std::optional<QString> file = chooseFile(false, packageFilter(), Pkg->DefaultExt());
    if (!file)
        return;
    try {
        Pkg->LoadFromFile(*file);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    reloaded();
}

void TFrPrivileges::BtSaveToClick() {
    const std::optional<QString> file = chooseFile(true, packageFilter(), Pkg->DefaultExt());
    if (!file)
        return;
    try {
        Pkg->SaveToFile(*file);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}
