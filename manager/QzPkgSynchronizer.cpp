#include "manager/QzPkgSynchronizer.h"

#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgInfo.h"
#include "QzUi.h"
#include "ui_TFrPkgSynchronizer.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString orUnknown(const QString& text) {
    return text.isEmpty() ? QStringLiteral("Unknown") : text;
}

} // namespace

TFrPkgSynchronizer::TFrPkgSynchronizer(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrPkgSynchronizer>()) {
    FUi->setupUi(this);
    connect(FUi->BtApply, &QPushButton::clicked, this, &TFrPkgSynchronizer::BtApplyClick);
    connect(FUi->SBSearch, &QToolButton::clicked, this, &TFrPkgSynchronizer::SBSearchClick);
    connect(FUi->SBAppend, &QToolButton::clicked, this, &TFrPkgSynchronizer::SBAppendClick);
    connect(FUi->SBDelete, &QToolButton::clicked, this, &TFrPkgSynchronizer::SBDeleteClick);
    connect(FUi->SBAppendAll, &QToolButton::clicked, this, &TFrPkgSynchronizer::SBAppendAllClick);
    connect(FUi->SBDeleteAll, &QToolButton::clicked, this, &TFrPkgSynchronizer::SBDeleteAllClick);
    connect(FUi->SBFrom, &QToolButton::toggled, this, [this] {
        FUi->Pages->setCurrentWidget(FUi->SBFrom->isChecked() ? FUi->PgFrom : FUi->PgTo);
        ChangeState();
    });
    connect(FUi->EdPkgFileName, &QLineEdit::textChanged, this, &TFrPkgSynchronizer::ChangeState);
    connect(FUi->FileList, &QListWidget::itemDoubleClicked, this,
            &TFrPkgSynchronizer::SBAppendClick);
    connect(FUi->ListBox, &QListWidget::itemDoubleClicked, this,
            &TFrPkgSynchronizer::SBDeleteClick);
    // The source may be picked among the folder's packages as well as searched for.
    connect(FUi->FromList, &QListWidget::currentTextChanged, FUi->EdPkgFileName,
            &QLineEdit::setText);
}

TFrPkgSynchronizer::~TFrPkgSynchronizer() = default;

bool TFrPkgSynchronizer::Execute() {
    Q_ASSERT(Pkg && QzSyncHandlesKind(Pkg->Kind()));
    const TQzPkgKind kind = Pkg->Kind();
    FUi->CBSyncSystem->setVisible(kind == TQzPkgKind::Display || kind == TQzPkgKind::Language);
    FUi->CBSyncUser->setVisible(kind == TQzPkgKind::Display || kind == TQzPkgKind::Language);
    FUi->CBSyncSets->setVisible(kind == TQzPkgKind::Display);
    QString name = Pkg->GetPkgName();
    if (kind == TQzPkgKind::Display)
        name = QStringLiteral("DISPLAY");
    else if (kind == TQzPkgKind::Language)
        name = QStringLiteral("LANGUAGE");
    FUi->LabFileMaster->setText(
        QStringLiteral("%1 ( PkgName: %2 )").arg(orUnknown(Pkg->FileName()), orUnknown(name)));
    FUi->LabPathApp->setText(QzAppPath());
    sExt = QzSyncExtension(*Pkg);
    sFilter = QzSyncFilter(*Pkg);

    // The edited package's own file is never a target.
    QString ownFile;
    if (!Pkg->FileName().isEmpty()) {
        const QFileInfo own(Pkg->GetFileName(Pkg->FileName()));
        ownFile = own.dir().absoluteFilePath(own.completeBaseName() + sExt);
    }
    const QDir folder(QzAppPath());
    for (const QString& file :
         folder.entryList({QzSyncMask(*Pkg)}, QDir::Files | QDir::CaseSensitive, QDir::Name))
        if (folder.absoluteFilePath(file) != ownFile) {
            FUi->FileList->addItem(file);
            FUi->FromList->addItem(file);
        }
    if (FUi->FileList->count() > 0)
        FUi->FileList->setCurrentRow(0);
    ChangeState();
    return ShowModal() == mrOk;
}

// ---------------------------------------------------------------------------------------------
// State

QString TFrPkgSynchronizer::FromFile() const {
    const QString name = FUi->EdPkgFileName->text().trimmed();
    if (name.isEmpty())
        return name;
    return QFileInfo(name).isRelative() ? QzAppPath() + name : name;
}

bool TFrPkgSynchronizer::ApplyEnabled() const {
    if (FUi->SBFrom->isChecked()) {
        const QString file = FromFile();
        return !file.isEmpty() && u'.' + QFileInfo(file).suffix() == sExt &&
               QFileInfo(file).isFile();
    }
    return FUi->ListBox->count() > 0;
}

void TFrPkgSynchronizer::ChangeState() {
    FUi->BtApply->setEnabled(ApplyEnabled());
}

TQzSyncOptions TFrPkgSynchronizer::Options() const {
    TQzSyncOptions options;
    options.AddItems = FUi->CBAddItems->isChecked();
    options.DeleteItems = FUi->CBDeleteItems->isChecked();
    options.SyncSystem = FUi->CBSyncSystem->isChecked();
    options.SyncUser = FUi->CBSyncUser->isChecked();
    options.SyncSets = FUi->CBSyncSets->isChecked();
    return options;
}

// ---------------------------------------------------------------------------------------------
// Choosing files

void TFrPkgSynchronizer::SBSearchClick() {
    TQzFileRequest request;
    request.mode = TQzFileRequest::Open;
    request.Title = QStringLiteral("Search");
    request.Directory = QzAppPath();
    request.Filter = QzDialogFilter(sFilter);
    if (const std::optional<QStringList> chosen = QzUi().FileDialog(request);
        chosen && !chosen->isEmpty() && QFileInfo(chosen->first()).isFile())
        FUi->EdPkgFileName->setText(chosen->first());
}

void TFrPkgSynchronizer::moveEntry(bool toTargets, bool all) {
    QListWidget* from = toTargets ? FUi->FileList : FUi->ListBox;
    QListWidget* to = toTargets ? FUi->ListBox : FUi->FileList;
    if (all) {
        while (from->count() > 0)
            to->addItem(from->takeItem(0));
    } else {
        const int row = from->currentRow();
        if (row < 0)
            return;
        to->addItem(from->takeItem(row));
        if (from->count() > 0)
            from->setCurrentRow(std::min(row, from->count() - 1));
    }
    if (!toTargets)
        FUi->FileList->sortItems();
    ChangeState();
}

void TFrPkgSynchronizer::SBAppendClick() {
    moveEntry(true, false);
}

void TFrPkgSynchronizer::SBDeleteClick() {
    moveEntry(false, false);
}

void TFrPkgSynchronizer::SBAppendAllClick() {
    moveEntry(true, true);
}

void TFrPkgSynchronizer::SBDeleteAllClick() {
    moveEntry(false, true);
}

// ---------------------------------------------------------------------------------------------
// Synchronizing

void TFrPkgSynchronizer::SyncStart(int steps) {
    FSteps = 0;
    FUi->ProgressBar->setRange(0, std::max(steps, 1));
    FUi->ProgressBar->setValue(0);
}

// The bar is moved in strides: a package of a hundred thousand items would repaint as often.
void TFrPkgSynchronizer::SyncStep() {
    ++FSteps;
    if (FSteps % 512 == 0 || FSteps == FUi->ProgressBar->maximum())
        FUi->ProgressBar->setValue(std::min(FSteps, FUi->ProgressBar->maximum()));
}

bool TFrPkgSynchronizer::Synchronize() {
    bool ok = true;
    const TQzSyncOptions options = Options();
    if (FUi->SBFrom->isChecked()) {
        try {
            QzSyncFromFile(*Pkg, FromFile(), options, this);
            if (Pkg->IsFileStored())
                Pkg->SaveFile();
            else
                QzDesignerModified(Pkg);
        } catch (const Exception&) {
            ok = false;
        }
    } else {
        for (int row = FUi->ListBox->count() - 1; row >= 0; --row) {
            FUi->ListBox->setCurrentRow(row);
            const QString entry = FUi->ListBox->item(row)->text();
            try {
                QzSyncToFile(*Pkg, QzAppPath() + entry, options, false, this);
                FUi->FileList->addItem(FUi->ListBox->takeItem(row));
            } catch (const Exception&) {
                ok = false;
            }
        }
        FUi->FileList->sortItems();
    }
    FUi->ProgressBar->setValue(0);
    ChangeState();
    if (!ok)
        QzMsgPkg(TQzMessageType::mtError, QStringLiteral("System"), 66, {bkOk});
    return ok;
}

void TFrPkgSynchronizer::BtApplyClick() {
    if (ApplyEnabled())
        Synchronize();
}

void TFrPkgSynchronizer::accept() {
    if (ApplyEnabled() && !Synchronize())
        return;
    TQzDialog::accept();
}
