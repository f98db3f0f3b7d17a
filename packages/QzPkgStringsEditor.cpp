#include "packages/QzPkgStringsEditor.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzUi.h"
#include "QzWindows.h"
#include "manager/QzManager.h"
#include "manager/QzPkgSynchronizer.h"
#include "packages/QzPkgLoadSave.h"
#include "packages/QzPkgStringsReport.h"
#include "packages/QzStringsTranslators.h"
#include "packages/QzUpdateSystem.h"
#include "pickers/QzIdEdit.h"
#include "pickers/QzMemoryLabel.h"
#include "pickers/QzMemoryTexts.h"
#include "pickers/QzPickerList.h"
#include "ui_TFrPkgStrings.h"

#include <QFileInfo>
#include <QMenu>
#include <QPrinter>

TFrPkgStrings::TFrPkgStrings(QWidget* parent)
    : TQzPkgEditorWindow(parent), FUi(std::make_unique<Ui::TFrPkgStrings>()) {
    FUi->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    const auto page = [this](TQzStringsKind kind, const TQzStringsPage::TControls& controls) {
        FPages[int(kind)] = new TQzStringsPage(this, kind, controls);
        QzRestrictIdEdit(controls.Id);
    };
    page(TQzStringsKind::Labels,
         {FUi->Labels, FUi->EdLabel, FUi->EdLabelId, FUi->EdLabelHint, FUi->OrderLabel});
    page(TQzStringsKind::Messages, {FUi->Messages, FUi->EdMessage, FUi->EdMsgId, nullptr, nullptr});
    page(TQzStringsKind::Texts, {FUi->Texts, FUi->EdText, FUi->EdTextId, FUi->EdTexto, nullptr});
    FUi->SpLabels->setStretchFactor(0, 4);
    FUi->SpLabels->setStretchFactor(1, 1);
    FUi->SpTexts->setStretchFactor(0, 3);
    FUi->SpTexts->setStretchFactor(1, 1);

    connect(FUi->PageC, &QTabWidget::currentChanged, this, &TFrPkgStrings::PageCChange);
    const auto clicked = [this](TQzPickerList* list, void (TFrPkgStrings::*handler)()) {
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, handler);
        connect(list, &QAbstractItemView::doubleClicked, this, &TFrPkgStrings::LabelsDblClick);
    };
    clicked(FUi->Labels, &TFrPkgStrings::LabelsClick);
    clicked(FUi->Messages, &TFrPkgStrings::MessagesClick);
    clicked(FUi->Texts, &TFrPkgStrings::TextsClick);
    connect(FUi->EdLabel, &QLineEdit::textEdited, this, &TFrPkgStrings::EdLabelChange);
    connect(FUi->EdLabelId, &QLineEdit::textEdited, this, &TFrPkgStrings::EdLabelIdChange);
    connect(FUi->EdMessage, &QLineEdit::textEdited, this, &TFrPkgStrings::EdMessageChange);
    connect(FUi->EdMsgId, &QLineEdit::textEdited, this, &TFrPkgStrings::EdMsgIdChange);
    connect(FUi->EdText, &QLineEdit::textEdited, this, &TFrPkgStrings::EdTextChange);
    connect(FUi->EdTextId, &QLineEdit::textEdited, this, &TFrPkgStrings::EdTextIdChange);
    connect(FUi->OrderLabel, &QRadioButton::clicked, this, &TFrPkgStrings::OrderLabelClick);
    connect(FUi->OrderId, &QRadioButton::clicked, this, &TFrPkgStrings::OrderLabelClick);
    connect(FUi->BtAdd, &QPushButton::clicked, this, &TFrPkgStrings::BtAddClick);
    connect(FUi->BtModify, &QPushButton::clicked, this, &TFrPkgStrings::BtModifyClick);
    connect(FUi->BtDelete, &QPushButton::clicked, this, &TFrPkgStrings::BtDeleteClick);
    connect(FUi->BtTranslator, &QPushButton::clicked, this, &TFrPkgStrings::BtTranslatorClick);
    connect(FUi->BtLoad, &QPushButton::clicked, this, &TFrPkgStrings::BtLoadClick);
    connect(FUi->BtSave, &QPushButton::clicked, this, &TFrPkgStrings::BtSaveClick);
    connect(FUi->BtLoadFrom, &QPushButton::clicked, this, &TFrPkgStrings::BtLoadFromClick);
    connect(FUi->BtSaveTo, &QPushButton::clicked, this, &TFrPkgStrings::BtSaveToClick);
    connect(FUi->BtClear, &QPushButton::clicked, this, &TFrPkgStrings::BtClearClick);
    connect(FUi->BtSynchronizer, &QPushButton::clicked, this, &TFrPkgStrings::BtSynchronizerClick);
    connect(FUi->BtManager, &QPushButton::clicked, this, &TFrPkgStrings::BtManagerClick);
    connect(FUi->BtReport, &QToolButton::clicked, this, &TFrPkgStrings::BtReportClick);
    BuildMenus();
}

TFrPkgStrings::~TFrPkgStrings() = default;

QString TFrPkgStrings::chooseFile(int mode, const QString& title, const QString& filter,
                                  const QString& suffix, const QString& start) {
    TQzFileRequest request;
    request.mode = TQzFileRequest::Mode(mode);
    request.Title = title;
    request.Filter = QzDialogFilter(filter);
    request.DefaultSuffix = suffix;
    request.Directory = start.isEmpty() ? QzAppPath() : QFileInfo(start).absolutePath();
    request.FileName = start;
    const std::optional<QStringList> chosen = QzUi().FileDialog(request);
    return chosen && !chosen->isEmpty() ? chosen->first() : QString();
}

void TFrPkgStrings::showError(const Exception& e) {
    QzMsg(TQzMessageType::mtError, e.Message());
}

TQzStringsPage* TFrPkgStrings::Page(TQzStringsKind kind) const {
    return FPages[int(kind)];
}

TQzStringsPage* TFrPkgStrings::ActivePage() const {
    return FPages[std::clamp(FUi->PageC->currentIndex(), 0, 2)];
}

// ---------------------------------------------------------------------------------------------
// The popup menus of the lists

void TFrPkgStrings::BuildMenus() {
    for (TQzStringsKind kind :
         {TQzStringsKind::Labels, TQzStringsKind::Messages, TQzStringsKind::Texts}) {
        QMenu* menu = buildMenu(kind);
        FMenus[int(kind)] = menu;
        TQzPickerList* list = Page(kind)->Controls().List;
        connect(list, &QWidget::customContextMenuRequested, this,
                [list, menu](const QPoint& at) { menu->popup(list->viewport()->mapToGlobal(at)); });
    }
}

QMenu* TFrPkgStrings::buildMenu(TQzStringsKind kind) {
    const QString plural = Page(kind)->Plural();
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PPImport") + plural);
    const auto add = [&](const QString& name, const QString& text, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    FImportActions << add(QStringLiteral("MnImport") + plural, QStringLiteral("Import ") + plural,
                          [this, kind] { MnImportClick(kind); });
    add(QStringLiteral("MnExport") + plural, QStringLiteral("Export ") + plural,
        [this, kind] { MnExportClick(kind); });
    FSystemSeparators << menu->addSeparator();
    FSystemActions << add(QStringLiteral("MnUpdateSystemStrings%1").arg(int(kind) + 1),
                          QStringLiteral("Update System Strings"),
                          &TFrPkgStrings::MnUpdateSystemStrings1Click);
    FSystemSeparators << menu->addSeparator();
    // "UnProtect All Messages" is spelt so in the messages' menu.
    const QString unprotect = kind == TQzStringsKind::Messages ? QStringLiteral("UnProtect")
                                                               : QStringLiteral("Unprotect");
    FSystemActions << add(QStringLiteral("MnProtectAll") + plural,
                          QStringLiteral("Protect All ") + plural,
                          [this, kind] { MnProtectAllClick(kind, true); });
    FSystemActions << add(QStringLiteral("Mn%1All").arg(unprotect) + plural,
                          unprotect + QStringLiteral(" All ") + plural,
                          [this, kind] { MnProtectAllClick(kind, false); });
    menu->addSeparator();
    add(QStringLiteral("MnExportTranslation") + plural,
        QStringLiteral("Export Translation File..."), &TFrPkgStrings::MnExportTranslationClick);
    add(QStringLiteral("MnImportTranslation") + plural,
        QStringLiteral("Import Translation File..."), &TFrPkgStrings::MnImportTranslationClick);
    return menu;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

int TFrPkgStrings::Execute() {
    Q_ASSERT(Pkg);
    const QString name = Pkg->GetPkgName();
    setWindowTitle(QStringLiteral("Package : ") + name);
    FSystem = QzIsSystemName(name);
    for (QAction* separator : std::as_const(FSystemSeparators))
        separator->setVisible(FSystem);
    for (QAction* action : std::as_const(FSystemActions)) {
        action->setVisible(FSystem);
        action->setEnabled(QzSystemEditAllowed());
    }
    RestoreGeometry(*Pkg->Data());
    FUi->Panel1->setVisible(!Embedded);
    FUi->BtLoad->setVisible(!Embedded);
    FUi->BtSave->setVisible(!Embedded);
    FUi->BtSynchronizer->setVisible(!Embedded);
    if (IsSavePkg() && Pkg->FileModified()) {
        try {
            Pkg->LoadFile();
        } catch (const Exception& e) {
            showError(e);
        }
    }
    LoadStrings();
    ChangeState();
    UpdateInfo();
    ActivePage()->Controls().Search->setFocus();
    const int result = ShowModal();
    if (StoreGeometry(*Pkg->Data()))
        Modified();
    UpdateFile();
    return result;
}

void TFrPkgStrings::UpdateFile() {
    try {
        QzSaveStringsFile(*Pkg);
    } catch (const Exception& e) {
        showError(e);
    }
}

QString TFrPkgStrings::ownFile() const {
    if (!IsSavePkg())
        return QString();
    const auto* language = qobject_cast<TQzPkgLanguage*>(Pkg->Owner());
    const TQzPkgInfo* holder = language ? static_cast<const TQzPkgInfo*>(language) : Pkg;
    return holder->GetFileName(holder->FileName());
}

bool TFrPkgStrings::IsSavePkg() const {
    return QzStringsSavedToOwnFile(*Pkg);
}

// ---------------------------------------------------------------------------------------------
// State

void TFrPkgStrings::LoadStrings() {
    for (TQzStringsPage* page : FPages) {
        page->SetPackage(Pkg);
        page->SetShowProtected(FSystem);
        page->Reload();
    }
    PageChangeState();
}

bool TFrPkgStrings::ValidPkg(const QString& name) const {
    const TQzCApplication* app = QzCApp();
    if (app && !app->FSystemEdit)
        return !QzIsSystemName(name);
    return true;
}

void TFrPkgStrings::ChangeState() {
    FUi->Label10->setText(Pkg->IsFileStored() ? QStringLiteral("FILE") : QStringLiteral("DFM"));
    FUi->Label11->setText(Pkg->FileName().isEmpty() ? QStringLiteral("(Memory)") : Pkg->FileName());
}

// The buttons follow the active page: what may change the package needs one that may be
// changed, and what works on an item needs one selected.
void TFrPkgStrings::PageChangeState() {
    TQzStringsPage* page = ActivePage();
    const bool canAdd = Pkg && ValidPkg(Pkg->GetPkgName());
    const bool selected = canAdd && page->Selected();
    FUi->BtAdd->setEnabled(canAdd);
    FUi->BtModify->setEnabled(selected);
    FUi->BtDelete->setEnabled(selected);
    FUi->BtClear->setEnabled(canAdd);
    FUi->BtLoadFrom->setEnabled(canAdd);
    FUi->BtTranslator->setEnabled(canAdd);
    FImportActions[FUi->PageC->currentIndex()]->setEnabled(canAdd);
    const Qt::FocusPolicy policy = canAdd ? Qt::StrongFocus : Qt::ClickFocus;
    page->Controls().Search->setFocusPolicy(policy);
    page->Controls().List->setFocusPolicy(policy);
}

void TFrPkgStrings::UpdateInfo() {
    TQzStringsPage* page = ActivePage();
    const int count = page->Items() ? page->Items()->Count() : 0;
    QString suffix;
    auto* language = qobject_cast<TQzPkgLanguage*>(Pkg->Owner());
    if (FSystem && language)
        suffix = QStringLiteral("(LastUpdateFile:%1) (UpdateDateTime:%2)")
                     .arg(language->LastUpdateFile(),
                          QLocale().toString(language->LastUpdateDate(), QLocale::ShortFormat));
    FUi->StatusBar1->showMessage(QStringLiteral("%1 %2 %3")
                                     .arg(count)
                                     .arg(count == 1 ? page->Singular() : page->Plural(), suffix));
}

void TFrPkgStrings::Modified() {
    if (!Embedded)
        QzDesignerModified(Pkg);
}

void TFrPkgStrings::ModifiedUnlessSaved() {
    if (!IsSavePkg())
        Modified();
}

// ---------------------------------------------------------------------------------------------
// Pages, lists and edits

void TFrPkgStrings::PageCChange() {
    PageChangeState();
    UpdateInfo();
}

void TFrPkgStrings::LabelsClick() {
    Page(TQzStringsKind::Labels)->Click();
    PageChangeState();
}

void TFrPkgStrings::MessagesClick() {
    Page(TQzStringsKind::Messages)->Click();
    PageChangeState();
}

void TFrPkgStrings::TextsClick() {
    Page(TQzStringsKind::Texts)->Click();
    PageChangeState();
}

void TFrPkgStrings::LabelsDblClick() {
    if (FUi->BtModify->isEnabled())
        BtModifyClick();
}

void TFrPkgStrings::EdLabelChange() {
    Page(TQzStringsKind::Labels)->SearchChange();
    PageChangeState();
}

void TFrPkgStrings::EdLabelIdChange() {
    Page(TQzStringsKind::Labels)->IdChange();
    PageChangeState();
}

void TFrPkgStrings::EdMessageChange() {
    Page(TQzStringsKind::Messages)->SearchChange();
    PageChangeState();
}

void TFrPkgStrings::EdMsgIdChange() {
    Page(TQzStringsKind::Messages)->IdChange();
    PageChangeState();
}

void TFrPkgStrings::EdTextChange() {
    Page(TQzStringsKind::Texts)->SearchChange();
    PageChangeState();
}

void TFrPkgStrings::EdTextIdChange() {
    Page(TQzStringsKind::Texts)->IdChange();
    PageChangeState();
}

void TFrPkgStrings::OrderLabelClick() {
    Page(TQzStringsKind::Labels)->Reload();
    PageChangeState();
}

// ---------------------------------------------------------------------------------------------
// Items

TQzPkgItem* TFrPkgStrings::runAddDialog(TQzStringsPage& page, TQzPkgItem* item) {
    int id = 0;
    try {
        id = item ? item->Id() : page.Items()->UniqueId();
    } catch (const Exception& e) {
        showError(e);
        return nullptr;
    }
    const QString text = item ? QzPickerItemText(item) : QString();
    if (page.Kind() == TQzStringsKind::Labels) {
        TFrMemoryLabelAdd dialog(this);
        const QString hint = item ? FUi->EdLabelHint->toPlainText() : QString();
        if (!dialog.Execute(Pkg, item != nullptr, id, text, hint))
            return nullptr;
        return Pkg->Labels()->FindId(dialog.Id());
    }
    auto* list = static_cast<TQzPkgStringsTexts*>(page.Items());
    std::unique_ptr<TQzTextAddDialog> dialog;
    if (page.Kind() == TQzStringsKind::Messages)
        dialog = std::make_unique<TFrMemoryMessageAdd>(this);
    else
        dialog = std::make_unique<TFrMemoryTextAdd>(this);
    if (!dialog->Execute(Pkg, list, item != nullptr, id, text))
        return nullptr;
    return list->FindId(dialog->Id());
}

void TFrPkgStrings::BtAddClick() {
    TQzStringsPage* page = ActivePage();
    if (!FUi->BtAdd->isEnabled())
        return;
    // The new text must show, whatever the filter.
    if (page->Kind() == TQzStringsKind::Texts)
        FUi->EdText->clear();
    if (TQzPkgItem* item = runAddDialog(*page, nullptr)) {
        page->ItemAdded(item);
        UpdateInfo();
        page->Controls().Search->setFocus();
        ModifiedUnlessSaved();
    }
    PageChangeState();
}

void TFrPkgStrings::BtModifyClick() {
    TQzStringsPage* page = ActivePage();
    TQzPkgItem* item = page->Selected();
    if (!item || !FUi->BtModify->isEnabled())
        return;
    const int oldId = item->Id();
    if (runAddDialog(*page, item)) {
        page->ItemModified(item, oldId);
        page->Controls().Search->setFocus();
        ModifiedUnlessSaved();
    }
    PageChangeState();
}

void TFrPkgStrings::BtDeleteClick() {
    const TQzButtonKind answer = QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"),
                                          26, {bkOk, bkCancel}, bkOk);
    TQzStringsPage* page = ActivePage();
    if (answer == bkOk && page->Selected())
        deleteItem(page->Kind(), page->Selected());
}

void TFrPkgStrings::deleteItem(TQzStringsKind kind, TQzPkgItem* item) {
    Page(kind)->DeleteItem(item);
    UpdateInfo();
    ModifiedUnlessSaved();
    PageChangeState();
}

void TFrPkgStrings::DeleteLabel(TQzPkgItem* item) {
    deleteItem(TQzStringsKind::Labels, item);
}

void TFrPkgStrings::DeleteMessage(TQzPkgItem* item) {
    deleteItem(TQzStringsKind::Messages, item);
}

void TFrPkgStrings::DeleteText(TQzPkgItem* item) {
    deleteItem(TQzStringsKind::Texts, item);
}

bool TFrPkgStrings::DeleteById(TQzStringsKind kind, int id) {
    FUi->PageC->setCurrentIndex(int(kind));
    TQzStringsPage* page = Page(kind);
    page->SetId(id);
    // A filter could hide the item, and Delete takes the entry selected.
    if (kind != TQzStringsKind::Labels && !page->Controls().Search->text().isEmpty()) {
        page->Controls().Search->clear();
        page->Reload();
    }
    page->IdChange();
    PageChangeState();
    BtDeleteClick();
    return !page->Items()->FindId(id);
}

void TFrPkgStrings::MnProtectAllClick(TQzStringsKind kind, bool protect) {
    TQzPkgItemList* items = Page(kind)->Items();
    if (!items || !QzSystemEditAllowed())
        return;
    if (!QzProtectAll(*items, protect))
        return;
    PageChangeState();
    ChangeState();
    LoadStrings();
    UpdateInfo();
    Modified();
}

// ---------------------------------------------------------------------------------------------
// Other windows

void TFrPkgStrings::BtTranslatorClick() {
    TQzStringsPage* page = ActivePage();
    std::unique_ptr<TQzStringsTranslator> translator;
    switch (page->Kind()) {
    case TQzStringsKind::Labels:
        translator = std::make_unique<TFrPkgStringsLabelsTranslator>(this);
        break;
    case TQzStringsKind::Messages:
        translator = std::make_unique<TFrPkgStringsMessagesTranslator>(this);
        break;
    case TQzStringsKind::Texts:
        translator = std::make_unique<TFrPkgStringsTextsTranslator>(this);
        break;
    }
    translator->setWindowTitle(page->Plural() + QStringLiteral(" Translator"));
    translator->Pkg = Pkg;
    translator->Editor = this;
    translator->LanguageFile = FLastLanguageFile;
    translator->Execute();
    FLastLanguageFile = translator->LanguageFile;
    if (translator->Changed()) {
        page->Reload();
        UpdateInfo();
        PageChangeState();
    }
}

void TFrPkgStrings::BtManagerClick() {
    TQzStringsPage* page = ActivePage();
    static const TQzDlgManager kinds[] = {dlmLabels, dlmMessages, dlmTexts};
    TFrManager manager(this);
    manager.Execute(kinds[int(page->Kind())], Pkg->GetPkgName(), page->Controls().Id->text());
    PageChangeState();
}

void TFrPkgStrings::BtSynchronizerClick() {
    TFrPkgSynchronizer synchronizer(this);
    synchronizer.Pkg = Pkg;
    // Synchronizing from a file adds and deletes items while the dialog is open.
    for (TQzStringsPage* page : FPages)
        page->Controls().List->Model()->SetRows({});
    synchronizer.Execute();
    LoadStrings();
    UpdateInfo();
}

void TFrPkgStrings::MnUpdateSystemStrings1Click() {
    if (!QzSystemEditAllowed())
        return;
    // The application that holds the language this package belongs to, else the design's.
    TQzCApplication* app = nullptr;
    if (TComponent* owner = Pkg->Owner())
        app = qobject_cast<TQzCApplication*>(owner->Owner());
    if (!app)
        app = QzCApp();
    TFrUpdateSystemStrings dialog(this);
    dialog.App = app;
    for (TQzStringsPage* page : FPages)
        page->Controls().List->Model()->SetRows({});
    const bool updated = dialog.Execute();
    if (updated)
        ChangeState();
    LoadStrings();
    UpdateInfo();
    if (updated)
        Modified();
}

void TFrPkgStrings::BtReportClick() {
    if (!Pkg)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (QzUi().PrinterDialog(printer))
        PrintReport(printer);
}

void TFrPkgStrings::PrintReport(QPrinter& printer) {
    TQzStringsPage* page = ActivePage();
    QList<TQzReportEntry> entries;
    for (const TQzPkgItem* item : page->Controls().List->Model()->Rows())
        entries.push_back(QzStringsReportEntry(item));
    try {
        QzPrintStringsReport(printer, QStringLiteral("**** %1 Report ****").arg(page->Plural()),
                             entries);
    } catch (const Exception& e) {
        showError(e);
    }
}

// ---------------------------------------------------------------------------------------------
// The Packages Manager

bool TFrPkgStrings::ManagerEditsKind(TQzDlgManager kind) const {
    return kind == dlmLabels || kind == dlmMessages || kind == dlmTexts;
}

QString TFrPkgStrings::ManagerPackageName() const {
    return Pkg ? Pkg->GetPkgName() : QString();
}

void TFrPkgStrings::ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) {
    auto* pkgItem = qobject_cast<TQzPkgItem*>(item);
    if (!pkgItem)
        return;
    if (kind == dlmLabels)
        DeleteLabel(pkgItem);
    else if (kind == dlmMessages)
        DeleteMessage(pkgItem);
    else if (kind == dlmTexts)
        DeleteText(pkgItem);
}
