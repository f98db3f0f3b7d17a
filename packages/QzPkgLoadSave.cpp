#include "packages/QzPkgLoadSave.h"

#include "QzCApplication.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgDisplay.h"
#include "QzPkgLanguage.h"
#include "QzPkgPrivileges.h"
#include "QzUi.h"
#include "manager/core/QzPkgSync.h"
#include "ui_TFrOpenFiles.h"
#include "ui_TFrPkgLoadSave.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString DisplayFilter = QStringLiteral("Display Files (*.dis)|*.dis|All Files (*.*)|*.*");
const QString LanguageFilter = QStringLiteral("Language Files (*.lan)|*.lan|All Files (*.*)|*.*");

QString descriptionOf(TQzPkgKind kind, const QString& file) {
    switch (kind) {
    case TQzPkgKind::Images:
        return QzReadPkgImagesDescription(file);
    case TQzPkgKind::Strings:
        return QzReadPkgStringsDescription(file);
    case TQzPkgKind::Vars:
        return QzReadPkgVarsDescription(file);
    case TQzPkgKind::Display:
        return QzReadPkgDisplayDescription(file);
    case TQzPkgKind::Language:
        return QzReadPkgLanguageDescription(file);
    case TQzPkgKind::Setup:
        return QzReadPkgSetupDescription(file);
    case TQzPkgKind::Privileges:
        return QzReadPkgAccessDescription(file);
    }
    return QString();
}

bool displayOrLanguage(TQzPkgKind kind) {
    return kind == TQzPkgKind::Display || kind == TQzPkgKind::Language;
}

QStringList packageFiles(const QString& folder, const QString& mask) {
    return QDir(folder).entryList({mask}, QDir::Files | QDir::CaseSensitive, QDir::Name);
}

} // namespace

QString QzLastUpdateName(const QString& fileName) {
    const QString folder = QzAddPathBar(QFileInfo(fileName).absolutePath());
    if (folder.compare(QzGetInstallPackagesExists(), Qt::CaseInsensitive) == 0)
        return QFileInfo(fileName).fileName();
    return fileName;
}

std::optional<QString> QzChooseLastUpdateFile(const QString& filter, const QString& current) {
    TQzFileRequest request;
    request.mode = TQzFileRequest::Open;
    request.Title = QStringLiteral("Open");
    request.Directory = QFileInfo(current).isAbsolute() ? QFileInfo(current).absolutePath()
                                                        : QzGetInstallPackagesExists();
    request.Filter = QzDialogFilter(filter);
    const std::optional<QStringList> chosen = QzUi().FileDialog(request);
    if (!chosen || chosen->isEmpty() || !QFileInfo(chosen->first()).isFile())
        return std::nullopt;
    return QzLastUpdateName(chosen->first());
}

// ---------------------------------------------------------------------------------------------
// Load and save

TFrPkgLoadSave::TFrPkgLoadSave(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrPkgLoadSave>()) {
    FUi->setupUi(this);
    connect(FUi->FileList, &QListWidget::currentRowChanged, this, &TFrPkgLoadSave::FileListChange);
    connect(FUi->FileList, &QListWidget::itemDoubleClicked, this, &TFrPkgLoadSave::accept);
    connect(FUi->BtSearch, &QToolButton::clicked, this, &TFrPkgLoadSave::BtSearchClick);
}

TFrPkgLoadSave::~TFrPkgLoadSave() = default;

QString TFrPkgLoadSave::GetTitle() const {
    QString what;
    switch (Pkg->Kind()) {
    case TQzPkgKind::Images:
        what = QStringLiteral("PkgImages");
        break;
    case TQzPkgKind::Strings:
        what = QStringLiteral("PkgStrings");
        break;
    case TQzPkgKind::Vars:
        what = QStringLiteral("PkgVars");
        break;
    case TQzPkgKind::Display:
        what = QStringLiteral("Display");
        break;
    case TQzPkgKind::Language:
        what = QStringLiteral("Language");
        break;
    case TQzPkgKind::Setup:
        what = QStringLiteral("Setup");
        break;
    case TQzPkgKind::Privileges:
        what = QStringLiteral("Access");
        break;
    }
    return (Load ? QStringLiteral("Load ") : QStringLiteral("Save ")) + what;
}

bool TFrPkgLoadSave::hasKeyRow() const {
    return !Load && (Pkg->Kind() == TQzPkgKind::Privileges || displayOrLanguage(Pkg->Kind()));
}

int TFrPkgLoadSave::Execute() {
    Q_ASSERT(Pkg);
    const TQzPkgKind kind = Pkg->Kind();
    setWindowTitle(GetTitle());
    FUi->Label3->setText(QzAppPath());
    FUi->FileList->addItems(packageFiles(QzAppPath(), QStringLiteral("*.") + Pkg->DefaultExt()));
    FUi->EdInitMode->setCurrentText(Pkg->IsFileStored() ? QStringLiteral("FILE")
                                                        : QStringLiteral("DFM"));
    if (Pkg->IsFileStored()) {
        FUi->EdFileName->setText(QFileInfo(Pkg->FileName()).completeBaseName());
        FUi->EdDescription->setText(Pkg->Description());
    }
    FUi->LbKey->setVisible(hasKeyRow());
    FUi->EdKey->setVisible(hasKeyRow());
    FUi->BtSearch->setVisible(!Load && displayOrLanguage(kind));
    if (displayOrLanguage(kind)) {
        FUi->LbKey->setText(QStringLiteral("LastUpdateFile:"));
        FUi->EdKey->setEnabled(false);
        if (!Load)
            FUi->EdKey->setText(kind == TQzPkgKind::Display
                                    ? static_cast<TQzPkgDisplay*>(Pkg)->LastUpdateFile()
                                    : static_cast<TQzPkgLanguage*>(Pkg)->LastUpdateFile());
    }
    FUi->LbInitMode->setVisible(!NoInitMode);
    FUi->EdInitMode->setVisible(!NoInitMode);
    if (Load) {
        // What a load brings is the file's own description.
        FUi->EdDescription->setEnabled(false);
        FUi->EdDescription->setFocusPolicy(Qt::NoFocus);
    }
    if (!Load && kind == TQzPkgKind::Privileges) {
        FUi->EdKey->setText(static_cast<TQzPkgPrivileges*>(Pkg)->AccessKey());
        FUi->EdKey->setFocus();
    } else {
        FUi->EdFileName->setFocus();
    }
    return ShowModal();
}

void TFrPkgLoadSave::FileListChange() {
    const QListWidgetItem* item = FUi->FileList->currentItem();
    if (!item)
        return;
    const QString file = QzAppPath() + item->text();
    FUi->EdDescription->setText(descriptionOf(Pkg->Kind(), file));
    FUi->EdFileName->setText(QFileInfo(file).completeBaseName());
}

void TFrPkgLoadSave::BtSearchClick() {
    const QString filter = Pkg->Kind() == TQzPkgKind::Display ? DisplayFilter : LanguageFilter;
    if (const std::optional<QString> chosen = QzChooseLastUpdateFile(filter, FUi->EdKey->text()))
        FUi->EdKey->setText(*chosen);
}

void TFrPkgLoadSave::accept() {
    const QString name = FUi->EdFileName->text().trimmed();
    if (name.isEmpty()) {
        // No file is named: nothing to read, and no nameless file is written.
        QzMsg(TQzMessageType::mtWarning, QStringLiteral("Type the name of the package file"));
        return;
    }
    if (Load ? loadFile(name) : saveFile(name))
        SetModalResult(mrOk);
}

bool TFrPkgLoadSave::loadFile(const QString& name) {
    const QString file = Pkg->GetFileName(name);
    if (!QFileInfo(file).isFile()) {
        QzMsgPkgArgs(TQzMessageType::mtInformation, QStringLiteral("System"), 49, {name}, {bkOk});
        return false;
    }
    if (!Pkg->IsFileStored() && !NoInitMode) {
        const TQzButtonKind answer =
            QzMsgPkgExists(QStringLiteral("System"), 56)
                ? QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 56,
                           {bkOk, bkCancel}, bkOk)
                : QzMsg(TQzMessageType::mtConfirmation,
                        QStringLiteral("The data that there is in memory will be erased. Do you "
                                       "want to continue?"),
                        {bkOk, bkCancel}, bkOk);
        if (answer != bkOk)
            return false;
    }
    const auto mode =
        FUi->EdInitMode->currentText() == u"FILE" ? TQzPkgInfo::imFILE : TQzPkgInfo::imDFM;
    try {
        Pkg->LoadFileEx(name, mode);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return false;
    }
    FFileName = file;
    return true;
}

bool TFrPkgLoadSave::saveFile(const QString& name) {
    const QString file = Pkg->GetFileName(name);
    if (QFileInfo::exists(file)) {
        const bool numbered = QzCApp() && QzMsgPkgExists(QStringLiteral("System"), 51);
        const TQzButtonKind answer =
            numbered ? QzMsgPkgArgs(TQzMessageType::mtConfirmation, QStringLiteral("System"), 51,
                                    {file}, {bkOk, bkCancel}, bkCancel)
                     : QzMsgArgs(TQzMessageType::mtConfirmation,
                                 QStringLiteral("File '%s' already exists. Do you want overwrite?"),
                                 {file}, {bkOk, bkCancel}, bkCancel);
        if (answer != bkOk)
            return false;
    }
    // What the dialog sets goes back as it was when the file cannot be written.
    const QString description = Pkg->Description();
    QString key;
    auto* privileges = qobject_cast<TQzPkgPrivileges*>(Pkg);
    auto* display = qobject_cast<TQzPkgDisplay*>(Pkg);
    auto* language = qobject_cast<TQzPkgLanguage*>(Pkg);
    const auto setKey = [&](const QString& value) {
        if (privileges)
            privileges->SetAccessKey(value);
        else if (display)
            display->SetLastUpdateFile(value);
        else if (language)
            language->SetLastUpdateFile(value);
    };
    key = privileges ? privileges->AccessKey()
          : display  ? display->LastUpdateFile()
          : language ? language->LastUpdateFile()
                     : QString();
    const auto mode =
        FUi->EdInitMode->currentText() == u"FILE" ? TQzPkgInfo::imFILE : TQzPkgInfo::imDFM;
    try {
        Pkg->SetDescription(FUi->EdDescription->text());
        setKey(FUi->EdKey->text());
        Pkg->SaveFileEx(name, mode);
    } catch (const Exception& e) {
        Pkg->SetDescription(description);
        setKey(key);
        QzMsg(TQzMessageType::mtError, e.Message());
        return false;
    }
    FFileName = file;
    return true;
}

// ---------------------------------------------------------------------------------------------
// One file of a folder

TFrOpenFiles::TFrOpenFiles(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrOpenFiles>()) {
    FUi->setupUi(this);
    connect(FUi->FileList, &QListWidget::currentRowChanged, this, &TFrOpenFiles::FileListChange);
    connect(FUi->FileList, &QListWidget::itemDoubleClicked, this, &TFrOpenFiles::accept);
}

TFrOpenFiles::~TFrOpenFiles() = default;

void TFrOpenFiles::SetFolder(const QString& folder, const QString& mask) {
    FFolder = QzAddPathBar(folder);
    FUi->FileList->clear();
    FUi->FileList->addItems(packageFiles(FFolder, mask));
}

int TFrOpenFiles::Execute() {
    FFileName.clear();
    return ShowModal();
}

void TFrOpenFiles::FileListChange() {
    const QListWidgetItem* item = FUi->FileList->currentItem();
    FFileName = item ? FFolder + item->text() : QString();
}
