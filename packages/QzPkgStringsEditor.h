#pragma once

// The strings package editor: the labels, messages and texts of one strings package on three
// pages (TQzStringsPage), with adding, changing and deleting through the pickers' add dialogs,
// protection of "System" items, a printed report of the page, text and translation files, the
// package file (load, save, load from, save to, clear), the translators, the Packages Manager and
// the synchronizer. Its window's place is kept in the package. Opened by the strings package's
// component editor and FileName editor, and, embedded (no file controls, no designer
// notifications), by the language dialog on a language's "System" or "User" strings.

#include "manager/core/QzManagerEngine.h"
#include "packages/QzPkgEditorWindow.h"
#include "packages/QzPkgStringsPages.h"

#include <QPointer>
#include <memory>

namespace Ui {
class TFrPkgStrings;
}
class QAction;
class QMenu;
class Exception;
class QPrinter;
class TQzPkgItem;
class TQzPkgStrings;

class TFrPkgStrings : public TQzPkgEditorWindow, public IQzManagerOwner {
    Q_OBJECT
public:
    explicit TFrPkgStrings(QWidget* parent = nullptr);
    ~TFrPkgStrings() override;

    // Set by the caller before Execute.
    TQzPkgStrings* Pkg = nullptr;
    bool Embedded = false;

    // Prepares the editor for Pkg, shows it modally and keeps the window's place in the package.
    int Execute();

    // The Manager's cleaning: the item goes as Delete takes it, without the question.
    void DeleteLabel(TQzPkgItem* item);
    void DeleteMessage(TQzPkgItem* item);
    void DeleteText(TQzPkgItem* item);

    // Deletes the item `id` of the page of `kind` as the Delete button does, question included;
    // the translators delete through it. True when it went.
    bool DeleteById(TQzStringsKind kind, int id);

    TQzStringsPage* Page(TQzStringsKind kind) const;
    TQzStringsPage* ActivePage() const;
    // The language file the translators last used; handed to each and taken back.
    const QString& LastLanguageFile() const { return FLastLanguageFile; }

    // Handlers.
    void PageCChange();
    void LabelsClick();
    void LabelsDblClick();
    void MessagesClick();
    void TextsClick();
    void EdLabelChange();
    void EdLabelIdChange();
    void EdMessageChange();
    void EdMsgIdChange();
    void EdTextChange();
    void EdTextIdChange();
    void OrderLabelClick();
    void BtAddClick();
    void BtModifyClick();
    void BtDeleteClick();
    void BtTranslatorClick();
    void BtLoadClick();
    void BtSaveClick();
    void BtLoadFromClick();
    void BtSaveToClick();
    void BtClearClick();
    void BtSynchronizerClick();
    void BtManagerClick();
    void BtReportClick();
    void MnImportLabelsClick() { MnImportClick(TQzStringsKind::Labels); }
    void MnExportLabelsClick() { MnExportClick(TQzStringsKind::Labels); }
    void MnImportMessagesClick() { MnImportClick(TQzStringsKind::Messages); }
    void MnExportMessagesClick() { MnExportClick(TQzStringsKind::Messages); }
    void MnImportTextsClick() { MnImportClick(TQzStringsKind::Texts); }
    void MnExportTextsClick() { MnExportClick(TQzStringsKind::Texts); }
    void MnProtectAllLabelsClick() { MnProtectAllClick(TQzStringsKind::Labels, true); }
    void MnUnprotectAllLabelsClick() { MnProtectAllClick(TQzStringsKind::Labels, false); }
    void MnProtectAllMessagesClick() { MnProtectAllClick(TQzStringsKind::Messages, true); }
    void MnUnProtectAllMessagesClick() { MnProtectAllClick(TQzStringsKind::Messages, false); }
    void MnProtectAllTextsClick() { MnProtectAllClick(TQzStringsKind::Texts, true); }
    void MnUnprotectAllTextsClick() { MnProtectAllClick(TQzStringsKind::Texts, false); }
    // The three "Update System Strings" items.
    void MnUpdateSystemStrings1Click();
    // A translation file (PO or XLIFF) of the whole package, to and from a translation: another
    // strings package file or a language file.
    void MnExportTranslationClick();
    void MnImportTranslationClick();

    // The report of the active page, printed on `printer`.
    void PrintReport(QPrinter& printer);

    // IQzManagerOwner
    bool ManagerEditsKind(TQzDlgManager kind) const override;
    QString ManagerPackageName() const override;
    void ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) override;

private:
    void LoadStrings();
    void ChangeState();
    void PageChangeState();
    void UpdateInfo();
    void UpdateFile();
    bool IsSavePkg() const;
    bool ValidPkg(const QString& name) const;
    // Tells the designer the package changed, unless embedded.
    void Modified();
    // After a change that the package's own file keeps (written on close), only a package kept
    // in the form is reported.
    void ModifiedUnlessSaved();
    void MnImportClick(TQzStringsKind kind);
    void MnExportClick(TQzStringsKind kind);
    void MnProtectAllClick(TQzStringsKind kind, bool protect);
    void BuildMenus();
    QMenu* buildMenu(TQzStringsKind kind);
    // A file chosen through the UI service (a TQzFileRequest mode); empty when cancelled.
    static QString chooseFile(int mode, const QString& title, const QString& filter,
                              const QString& suffix, const QString& start = QString());
    static void showError(const Exception& e);
    // The file the package is written to on close; empty for one kept in the form.
    QString ownFile() const;
    // The filter of the package file dialogs.
    QString packageFilter() const;
    void deleteItem(TQzStringsKind kind, TQzPkgItem* item);
    TQzPkgItem* runAddDialog(TQzStringsPage& page, TQzPkgItem* item);

    std::unique_ptr<Ui::TFrPkgStrings> FUi;
    TQzStringsPage* FPages[3] = {};
    QMenu* FMenus[3] = {};
    QList<QAction*> FSystemActions;
    QList<QAction*> FSystemSeparators;
    QList<QAction*> FImportActions;
    bool FSystem = false;
    QString FLastLanguageFile;
};
