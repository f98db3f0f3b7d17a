// The strings package editor's files: the package file (load, save, load from, save to, clear),
// the text files of one list, and the translation files of the whole package.

#include "packages/QzPkgStringsEditor.h"

#include "FileWrite.h"
#include "QzExcept.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzPkgStringsText.h"
#include "QzUi.h"
#include "packages/QzPkgLoadSave.h"
#include "packages/core/QzTranslationFiles.h"
#include "pickers/QzPickerList.h"
#include "ui_TFrPkgStrings.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString TextFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
const QString TranslationFilter =
    QStringLiteral("PO Files (*.po)|*.po|XLIFF Files (*.xlf)|*.xlf|All Files (*.*)|*.*");
const QString LanguageFilter = QStringLiteral("Language Files (*.lan)|*.lan|All Files (*.*)|*.*");

} // namespace

// ---------------------------------------------------------------------------------------------
// The package file

QString TFrPkgStrings::packageFilter() const {
    const QString mask = QStringLiteral("*") + QzAddPointExt(Pkg->DefaultExt());
    return QStringLiteral("Package Strings (%1)|%1|All files (*.*)|*.*").arg(mask);
}

void TFrPkgStrings::BtLoadClick() {
    UpdateFile();
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = Pkg;
    dialog.Load = true;
    // The lists hold the package's items; a load replaces them while the dialog is open.
    for (TQzStringsPage* page : FPages)
        page->Controls().List->Model()->SetRows({});
    const bool loaded = dialog.Execute() == mrOk;
    if (loaded)
        ChangeState();
    LoadStrings();
    UpdateInfo();
    if (loaded)
        Modified();
}

void TFrPkgStrings::BtSaveClick() {
    UpdateFile();
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = Pkg;
    dialog.Load = false;
    if (dialog.Execute() != mrOk)
        return;
    ChangeState();
    Modified();
}

void TFrPkgStrings::BtLoadFromClick() {
    const QString file = chooseFile(TQzFileRequest::Open, QStringLiteral("Open"), packageFilter(),
                                    Pkg->DefaultExt());
    if (file.isEmpty())
        return;
    try {
        Pkg->LoadFromFile(file);
    } catch (const Exception& e) {
        showError(e);
        return;
    }
    LoadStrings();
    UpdateInfo();
    ModifiedUnlessSaved();
}

void TFrPkgStrings::BtSaveToClick() {
    const QString file = chooseFile(TQzFileRequest::Save, QStringLiteral("Save As"),
                                    packageFilter(), Pkg->DefaultExt());
    if (file.isEmpty())
        return;
    try {
        Pkg->SaveToFile(file);
    } catch (const Exception& e) {
        showError(e);
    }
}

void TFrPkgStrings::BtClearClick() {
    if (QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 58, {bkOk, bkCancel},
                 bkCancel) != bkOk)
        return;
    Pkg->Clear();
    ModifiedUnlessSaved();
    LoadStrings();
    UpdateInfo();
}

// ---------------------------------------------------------------------------------------------
// Text files of one list

void TFrPkgStrings::MnExportClick(TQzStringsKind kind) {
    const QString file = chooseFile(TQzFileRequest::Save, QStringLiteral("Export"), TextFilter,
                                    QStringLiteral("txt"));
    if (file.isEmpty())
        return;
    try {
        WriteFileAtomic(file, QzStringsExportText(*Page(kind)->Items()));
    } catch (const Exception& e) {
        showError(e);
    }
}

// Every line is read and checked before the list changes: a bad line leaves it as it was.
void TFrPkgStrings::MnImportClick(TQzStringsKind kind) {
    const QString file = chooseFile(TQzFileRequest::Open, QStringLiteral("Import"), TextFilter,
                                    QStringLiteral("txt"));
    if (file.isEmpty())
        return;
    TQzPkgItemList* items = Page(kind)->Items();
    try {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            QzExcept(QStringLiteral("Cannot read %1: %2").arg(file, in.errorString()));
        QzReplaceStringsItems(*items, QzStringsImportText(*items, in.readAll(), file));
    } catch (const Exception& e) {
        showError(e);
        return;
    }
    ModifiedUnlessSaved();
    LoadStrings();
    UpdateInfo();
}

// ---------------------------------------------------------------------------------------------
// Translation files

namespace {

// The files that hold this package in other languages: language files for a language's
// strings, strings package files for the others.
QString translationFilter(const TQzPkgStrings& pkg) {
    if (qobject_cast<TQzPkgLanguage*>(pkg.Owner()))
        return LanguageFilter;
    const QString mask = QStringLiteral("*") + QzAddPointExt(pkg.DefaultExt());
    return QStringLiteral("Package Strings (%1)|%1|All files (*.*)|*.*").arg(mask);
}

} // namespace

void TFrPkgStrings::MnExportTranslationClick() {
    const QString file = chooseFile(TQzFileRequest::Save, QStringLiteral("Export Translation File"),
                                    TranslationFilter, QStringLiteral("po"));
    if (file.isEmpty())
        return;
    try {
        const TQzTranslationFormat format = QzTranslationFormatOf(file);
        const QString from =
            chooseFile(TQzFileRequest::Open, QStringLiteral("Translations From (Cancel: None)"),
                       translationFilter(*Pkg), QString(), FLastLanguageFile);
        std::unique_ptr<TQzTranslationTarget> translation;
        if (!from.isEmpty()) {
            translation = std::make_unique<TQzTranslationTarget>(from, Pkg->GetPkgName());
            FLastLanguageFile = from;
        }
        QStringList warnings;
        const TQzTranslationFile units =
            QzTranslationUnits(*Pkg, translation ? &translation->Strings() : nullptr, warnings);
        WriteFileAtomic(file, QzWriteTranslationFile(units, format, warnings));
        if (!warnings.isEmpty())
            QzMsg(TQzMessageType::mtWarning, warnings.join(u'\n'));
    } catch (const Exception& e) {
        showError(e);
    }
}

// The translations go into the translation file chosen; the package itself is only read.
void TFrPkgStrings::MnImportTranslationClick() {
    const QString file = chooseFile(TQzFileRequest::Open, QStringLiteral("Import Translation File"),
                                    TranslationFilter, QStringLiteral("po"));
    if (file.isEmpty())
        return;
    try {
        const TQzTranslationFile units = QzReadTranslationFile(file, QzTranslationFormatOf(file));
        const QString into =
            chooseFile(TQzFileRequest::Open, QStringLiteral("Translation To Write Into"),
                       translationFilter(*Pkg), QString(), FLastLanguageFile);
        if (into.isEmpty())
            return;
        // The package's own file would be written over with the package itself on close.
        if (QFileInfo(into).canonicalFilePath() == QFileInfo(ownFile()).canonicalFilePath())
            QzExcept(QStringLiteral("%1 holds this package itself; choose the file of a "
                                    "translation to write into")
                         .arg(into));
        TQzTranslationTarget target(into, Pkg->GetPkgName());
        const TQzTranslationImport result =
            QzApplyTranslations(units, *Pkg, target.Strings(), false);
        if (result.Applied > 0)
            target.Save();
        FLastLanguageFile = into;
        QStringList lines{
            QStringLiteral("Translations written into %1: %2; unchanged: %3; "
                           "untranslated: %4; not applied: %5.")
                .arg(into, QString::number(result.Applied), QString::number(result.Unchanged),
                     QString::number(result.Untranslated), QString::number(result.Issues.size()))};
        for (const TQzTranslationIssue& issue : result.Issues.mid(0, 20))
            lines << QStringLiteral("%1: %2").arg(issue.Context, issue.Text);
        if (result.Issues.size() > 20)
            lines << QStringLiteral("...");
        QzMsg(result.Issues.isEmpty() ? TQzMessageType::mtInformation : TQzMessageType::mtWarning,
              lines.join(u'\n'));
    } catch (const Exception& e) {
        showError(e);
    }
}
