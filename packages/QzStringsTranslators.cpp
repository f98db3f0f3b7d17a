#include "packages/QzStringsTranslators.h"

#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "packages/QzPkgLoadSave.h"
#include "packages/QzPkgStringsEditor.h"
#include "packages/QzStringsTranslatorList.h"
#include "packages/core/QzStringsMerge.h"
#include "packages/core/QzTranslationFiles.h"
#include "pickers/QzPickerList.h"
#include "ui_TFrPkgStringsLabelsTranslator.h"
#include "ui_TFrPkgStringsLabelsTranslatorAdd.h"
#include "ui_TFrPkgStringsMessagesTranslator.h"
#include "ui_TFrPkgStringsMessagesTranslatorAdd.h"
#include "ui_TFrPkgStringsTextsTranslator.h"
#include "ui_TFrPkgStringsTextsTranslatorAdd.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>

namespace {

const QString& hintOf(const TQzPkgItem* item) {
    return static_cast<const TQzPkgStringsLabel*>(item)->Hint();
}

// `fileName` with its extension replaced by `ext` (without the point).
QString withExtension(const QString& fileName, const QString& ext) {
    if (fileName.isEmpty())
        return fileName;
    const QFileInfo info(fileName);
    const QString base = info.suffix().isEmpty()
                             ? fileName
                             : fileName.left(fileName.size() - info.suffix().size() - 1);
    return base + u'.' + ext;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The add and modify dialogs

void TQzTranslatorAddDialog::BindCommon(QLineEdit* id, QCheckBox* protectedBox) {
    FEdId = id;
    FEdProtected = protectedBox;
}

void TQzTranslatorAddDialog::SetId(int id) {
    FEdId->setText(QString::number(id));
    FEdProtected->setChecked(true);
}

bool TQzTranslatorAddDialog::ProtectedChecked() const {
    return FEdProtected->isChecked();
}

TFrPkgStringsLabelsTranslatorAdd::TFrPkgStringsLabelsTranslatorAdd(QWidget* parent)
    : TQzTranslatorAddDialog(parent),
      FUi(std::make_unique<Ui::TFrPkgStringsLabelsTranslatorAdd>()) {
    FUi->setupUi(this);
    BindCommon(FUi->EdId, FUi->EdProtected);
    FUi->EdLabel2->setFocus();
}

TFrPkgStringsLabelsTranslatorAdd::~TFrPkgStringsLabelsTranslatorAdd() = default;

void TFrPkgStringsLabelsTranslatorAdd::SetReference(const TQzPkgItem* item) {
    FUi->EdLabel1->setText(item ? QzPickerItemText(item) : QString());
    FUi->MeHint1->setPlainText(item ? QzPickerShownText(hintOf(item)) : QString());
}

void TFrPkgStringsLabelsTranslatorAdd::SetCurrent(const TQzPkgItem* item) {
    FUi->EdLabel2->setText(item ? QzPickerItemText(item) : QString());
    FUi->MeHint2->setPlainText(item ? QzPickerShownText(hintOf(item)) : QString());
}

// Memo lines come back with the CR LF breaks the package keeps.
void TFrPkgStringsLabelsTranslatorAdd::Store(TQzPkgItem* item) const {
    auto* label = static_cast<TQzPkgStringsLabel*>(item);
    label->SetText(FUi->EdLabel2->text());
    label->SetHint(FUi->MeHint2->toPlainText().split(u'\n').join(QStringLiteral("\r\n")));
    label->Protected = ProtectedChecked();
}

TQzPkgItem* TFrPkgStringsLabelsTranslatorAdd::Add(TQzPkgItemList* list, int id) const {
    TQzPkgItem* item = static_cast<TQzPkgStringsLabels*>(list)->Add(id, QString());
    Store(item);
    return item;
}

void TQzTextTranslatorAdd::BindMemos(QPlainTextEdit* reference, QPlainTextEdit* current) {
    FReference = reference;
    FCurrent = current;
    FCurrent->setFocus();
}

void TQzTextTranslatorAdd::SetReference(const TQzPkgItem* item) {
    FReference->setPlainText(item ? QzPickerShownText(QzPickerItemText(item)) : QString());
}

void TQzTextTranslatorAdd::SetCurrent(const TQzPkgItem* item) {
    FCurrent->setPlainText(item ? QzPickerShownText(QzPickerItemText(item)) : QString());
}

void TQzTextTranslatorAdd::Store(TQzPkgItem* item) const {
    static_cast<TQzPkgStringsText*>(item)->SetText(
        FCurrent->toPlainText().split(u'\n').join(QStringLiteral("\r\n")));
    item->Protected = ProtectedChecked();
}

TQzPkgItem* TQzTextTranslatorAdd::Add(TQzPkgItemList* list, int id) const {
    TQzPkgItem* item = static_cast<TQzPkgStringsTexts*>(list)->Add(id, QString());
    Store(item);
    return item;
}

TFrPkgStringsMessagesTranslatorAdd::TFrPkgStringsMessagesTranslatorAdd(QWidget* parent)
    : TQzTextTranslatorAdd(parent),
      FUi(std::make_unique<Ui::TFrPkgStringsMessagesTranslatorAdd>()) {
    FUi->setupUi(this);
    BindCommon(FUi->EdId, FUi->EdProtected);
    BindMemos(FUi->MeMsg1, FUi->MeMsg2);
}

TFrPkgStringsMessagesTranslatorAdd::~TFrPkgStringsMessagesTranslatorAdd() = default;

TFrPkgStringsTextsTranslatorAdd::TFrPkgStringsTextsTranslatorAdd(QWidget* parent)
    : TQzTextTranslatorAdd(parent), FUi(std::make_unique<Ui::TFrPkgStringsTextsTranslatorAdd>()) {
    FUi->setupUi(this);
    BindCommon(FUi->EdId, FUi->EdProtected);
    BindMemos(FUi->MeText1, FUi->MeText2);
}

TFrPkgStringsTextsTranslatorAdd::~TFrPkgStringsTextsTranslatorAdd() = default;

// ---------------------------------------------------------------------------------------------
// The translator

TQzStringsTranslator::TQzStringsTranslator(QWidget* parent, TQzStringsKind kind)
    : TQzDialog(parent), FKind(kind) {}

TQzStringsTranslator::~TQzStringsTranslator() = default;

void TQzStringsTranslator::BindControls(const TControls& controls) {
    FC = controls;
    FList = controls.List;
    FC.LabelPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    FC.SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    FList->viewport()->installEventFilter(this);
    FList->installEventFilter(this);
    if (auto* splitter = qobject_cast<QSplitter*>(FList->parentWidget())) {
        splitter->setStretchFactor(0, 3);
        splitter->setStretchFactor(1, 1);
    }

    FPopupMenu1 = new QMenu(this);
    FPopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    FAdd = FPopupMenu1->addAction(QStringLiteral("&Add"), this, &TQzStringsTranslator::AddClick);
    FModify =
        FPopupMenu1->addAction(QStringLiteral("&Modify"), this, &TQzStringsTranslator::ModifyClick);
    FModify->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    FDelete =
        FPopupMenu1->addAction(QStringLiteral("&Delete"), this, &TQzStringsTranslator::DeleteClick);
    FPopupMenu1->addSeparator();
    FSave1 =
        FPopupMenu1->addAction(QStringLiteral("&Save"), this, &TQzStringsTranslator::SaveClick);
    FSave1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FPopupMenu2 = new QMenu(this);
    FPopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    FSave2 =
        FPopupMenu2->addAction(QStringLiteral("&Save"), this, &TQzStringsTranslator::SaveClick);
    FSave2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // The shortcuts work with the menus closed too.
    addAction(FModify);
    addAction(FSave1);
    for (QMenu* menu : {FPopupMenu1, FPopupMenu2})
        connect(menu, &QMenu::aboutToShow, this, &TQzStringsTranslator::PopupMenu1Popup);

    connect(FList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TQzStringsTranslator::LabelsClick);
    connect(FList, &QAbstractItemView::doubleClicked, this, &TQzStringsTranslator::LabelsDblClick);
    connect(FC.SpeedButton1, &QToolButton::clicked, this, &TQzStringsTranslator::SpeedButton1Click);
}

TQzPkgItemList* TQzStringsTranslator::reference() const {
    return QzStringsItems(FReferenceStrings, FKind);
}

TQzPkgItemList* TQzStringsTranslator::current() const {
    return QzStringsItems(Pkg, FKind);
}

bool TQzStringsTranslator::inLanguage() const {
    return qobject_cast<TQzPkgLanguage*>(Pkg->Owner()) != nullptr;
}

QString TQzStringsTranslator::currentFileName() const {
    if (auto* language = qobject_cast<TQzPkgLanguage*>(Pkg->Owner()))
        return withExtension(language->FileName(), QStringLiteral("lan"));
    return withExtension(Pkg->FileName(), Pkg->DefaultExt());
}

int TQzStringsTranslator::Execute() {
    Q_ASSERT(Pkg);
    if (inLanguage()) {
        FLanguage = std::make_unique<TQzPkgLanguage>();
        FReferenceStrings = QzLanguageStringsFor(*FLanguage, Pkg->GetPkgName());
    } else {
        FReference = std::make_unique<TQzPkgStrings>();
        FReferenceStrings = FReference.get();
    }
    FList->Model()->SetLists(reference(), current());
    FC.LabelTitle2->setText(QStringLiteral("Current File : ") + currentFileName());
    FChanged = false;
    FLoadedName.clear();
    FC.LabelPath->clear();
    CenterComponents();
    const bool loaded = !LanguageFile.trimmed().isEmpty() && GetFile();
    if (!loaded) {
        FC.LabelTitle1->setText(QStringLiteral("Load File : (Unknown)"));
        Load();
        UpdateBar();
    }
    FDelete->setVisible(Editor != nullptr);
    PopupMenu1Popup();
    return ShowModal();
}

void TQzStringsTranslator::SpeedButton1Click() {
    TFrOpenFiles files(this);
    files.SetFolder(QzAppPath(), inLanguage() ? QStringLiteral("*.lan")
                                              : QStringLiteral("*.") + Pkg->DefaultExt());
    if (files.Execute() != mrOk || files.FileName().isEmpty())
        return;
    LanguageFile = files.FileName();
    GetFile();
}

bool TQzStringsTranslator::GetFile() {
    if (!QFileInfo(LanguageFile).isFile())
        return false;
    try {
        if (FLanguage)
            FLanguage->LoadFromFile(LanguageFile);
        else
            FReference->LoadFromFile(LanguageFile);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return false;
    }
    const QFileInfo info(LanguageFile);
    FLoadedName = info.completeBaseName();
    FC.LabelPath->setText(EllipsisPath(FC.LabelPath, QDir::toNativeSeparators(LanguageFile)));
    FC.LabelPath->setToolTip(QDir::toNativeSeparators(LanguageFile));
    FC.LabelTitle1->setText(QStringLiteral("Load File : ") + info.fileName());
    Load();
    UpdateBar();
    return true;
}

void TQzStringsTranslator::Load() {
    const QGuiApplication* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const int id = SelectedId();
    FList->Model()->SetLists(reference(), current());
    FList->Model()->SetIds(QzMergedIds(reference(), current()));
    FList->SelectRow(FList->Model()->RowOf(id));
    if (app)
        QGuiApplication::restoreOverrideCursor();
    LabelsClick();
}

void TQzStringsTranslator::UpdateBar() {
    const QString words = QStringLiteral(" %1 )").arg(QzStringsKindWord(FKind, true));
    const auto known = [](const QString& text) {
        return text.trimmed().isEmpty() ? QStringLiteral("Unknown") : text;
    };
    const auto* language = qobject_cast<TQzPkgLanguage*>(Pkg->Owner());
    const QString file = language ? language->FileName() : Pkg->FileName();
    FC.SBar->showMessage(
        QStringLiteral("( %1 : %2%3  ( %4 - %5 : %6%3")
            .arg(known(FLoadedName), QString::number(reference() ? reference()->Count() : 0), words,
                 known(Pkg->GetPkgName()), known(file), QString::number(current()->Count())));
}

// Directories go first, from the top: C:\a\b\c\x.lan, C:\...\b\c\x.lan, C:\...\c\x.lan,
// C:\...\x.lan. The root and the file name stay.
QString TQzStringsTranslator::EllipsisPath(const QLabel* label, const QString& path) {
    const QFontMetrics metrics = label->fontMetrics();
    const QChar separator = path.contains(u'\\') ? u'\\' : u'/';
    const qsizetype nameAt = path.lastIndexOf(separator);
    if (nameAt < 0)
        return path;
    const QString fileName = path.mid(nameAt + 1);
    // The root: "C:" or "" (a path that starts with the separator).
    const qsizetype rootEnd = path.indexOf(separator);
    const QString root = path.left(rootEnd);
    QString directories = path.mid(rootEnd, nameAt - rootEnd);
    QString result = path;
    bool shortened = true;
    while (metrics.horizontalAdvance(result) > label->width() && shortened) {
        shortened = false;
        if (directories.startsWith(separator))
            directories.remove(0, 1);
        const qsizetype next = directories.indexOf(separator);
        if (directories.isEmpty())
            break;
        directories = next < 0 ? QString() : directories.mid(next + 1);
        const QString dots = separator + QStringLiteral("...") + separator;
        result =
            root + dots + (directories.isEmpty() ? QString() : directories + separator) + fileName;
        shortened = true;
    }
    return result;
}

void TQzStringsTranslator::CenterComponents() {
    const QFontMetrics metrics = fontMetrics();
    if (auto* titles = FC.PnTitles->layout())
        titles->setContentsMargins(metrics.horizontalAdvance(QStringLiteral(" 99999")), 0, 0, 0);
    if (auto* details = FC.PnDetails->layout()) {
        details->setContentsMargins(10, 4, 10, 4);
        details->setSpacing(20);
    }
    if (!LanguageFile.isEmpty() && !FLoadedName.isEmpty())
        FC.LabelPath->setText(EllipsisPath(FC.LabelPath, QDir::toNativeSeparators(LanguageFile)));
}

void TQzStringsTranslator::resizeEvent(QResizeEvent* event) {
    TQzDialog::resizeEvent(event);
    CenterComponents();
}

void TQzStringsTranslator::showEvent(QShowEvent* event) {
    TQzDialog::showEvent(event);
    CenterComponents();
}

// ---------------------------------------------------------------------------------------------
// The list

int TQzStringsTranslator::SelectedId() const {
    const int row = FList->CurrentRow();
    return row < 0 ? -1 : FList->Model()->Ids()[std::size_t(row)];
}

QString TQzStringsTranslator::DetailOf(const TQzPkgItem* item) const {
    return QzPickerShownText(QzPickerItemText(item));
}

void TQzStringsTranslator::LabelsClick() {
    const int id = SelectedId();
    const TQzPkgItem* theirs = id < 0 || !reference() ? nullptr : reference()->FindId(id);
    const TQzPkgItem* ours = id < 0 ? nullptr : current()->FindId(id);
    FC.Detail1->setPlainText(theirs ? DetailOf(theirs) : QString());
    FC.Detail2->setPlainText(ours ? DetailOf(ours) : QString());
    PopupMenu1Popup();
}

void TQzStringsTranslator::LabelsDblClick() {
    const int id = SelectedId();
    if (id < 0)
        return;
    if (current()->FindId(id))
        ModifyClick();
    else
        AddClick();
}

void TQzStringsTranslator::LabelsMouseDown(const QPoint& at, Qt::MouseButton button) {
    if (button == Qt::RightButton)
        FRightClickIndex = FList->indexAt(at).row();
}

void TQzStringsTranslator::LabelsMouseUp(const QPoint& at, Qt::MouseButton button) {
    if (button != Qt::RightButton)
        return;
    const QPoint global = FList->viewport()->mapToGlobal(at);
    if (FRightClickIndex < 0) {
        FPopupMenu2->popup(global);
        return;
    }
    FList->SelectRow(FRightClickIndex);
    LabelsClick();
    FPopupMenu1->popup(global);
}

bool TQzStringsTranslator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FList->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            LabelsMouseDown(mouse->position().toPoint(), mouse->button());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            LabelsMouseUp(mouse->position().toPoint(), mouse->button());
        }
    } else if (watched == FList && event->type() == QEvent::ContextMenu &&
               static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        // The menu key opens the popup of the entry selected.
        const QRect at = FList->visualRect(FList->currentIndex());
        FRightClickIndex = FList->CurrentRow();
        LabelsMouseUp(at.isValid() ? at.center() : QPoint(), Qt::RightButton);
        return true;
    }
    return TQzDialog::eventFilter(watched, event);
}

void TQzStringsTranslator::PopupMenu1Popup() {
    const int id = SelectedId();
    const bool ours = id >= 0 && current()->FindId(id);
    FAdd->setEnabled(id >= 0 && !ours);
    FModify->setEnabled(ours);
    FDelete->setEnabled(ours && Editor);
    FSave1->setEnabled(IsSavePkg());
    FSave2->setEnabled(IsSavePkg());
}

// ---------------------------------------------------------------------------------------------
// Changing the current package

void TQzStringsTranslator::AddClick() {
    if (SelectedId() >= 0 && !current()->FindId(SelectedId()))
        runAddDialog(false);
}

void TQzStringsTranslator::ModifyClick() {
    if (SelectedId() >= 0 && current()->FindId(SelectedId()))
        runAddDialog(true);
}

void TQzStringsTranslator::runAddDialog(bool modify) {
    const int id = SelectedId();
    const TQzPkgItem* theirs = reference() ? reference()->FindId(id) : nullptr;
    TQzPkgItem* ours = current()->FindId(id);
    std::unique_ptr<TQzTranslatorAddDialog> dialog = CreateAddDialog();
    dialog->setWindowTitle((modify ? QStringLiteral("Modify ") : QStringLiteral("Add ")) +
                           QzStringsKindWord(FKind, false));
    dialog->SetId(id);
    dialog->SetReference(theirs);
    dialog->SetCurrent(modify ? ours : nullptr);
    if (!dialog->Execute())
        return;
    FChanged = true;
    Modified();
    if (modify)
        dialog->Store(ours);
    else
        ours = dialog->Add(current(), id);
    FC.Detail2->setPlainText(DetailOf(ours));
    refresh(!theirs);
}

void TQzStringsTranslator::DeleteClick() {
    const int id = SelectedId();
    if (id < 0 || !current()->FindId(id) || !Editor)
        return;
    Editor->DeleteById(FKind, id);
    FChanged = true;
    Modified();
    refresh(!reference() || !reference()->FindId(id));
}

void TQzStringsTranslator::refresh(bool rebuild) {
    if (rebuild)
        Load();
    else
        FList->viewport()->update();
    LabelsClick();
}

void TQzStringsTranslator::Modified() {
    QzDesignerModified(Pkg);
}

bool TQzStringsTranslator::IsSavePkg() const {
    return QzStringsSavedToOwnFile(*Pkg);
}

void TQzStringsTranslator::SaveClick() {
    SavePkg();
}

void TQzStringsTranslator::SavePkg() {
    try {
        QzSaveStringsFile(*Pkg);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}

// ---------------------------------------------------------------------------------------------
// The three kinds

namespace {

template <typename TUi>
TQzStringsTranslator::TControls controlsOf(TUi& ui, TQzTranslatorList* list,
                                           QPlainTextEdit* detail1, QPlainTextEdit* detail2) {
    return {ui.LabelPath, ui.SpeedButton1, ui.LabelTitle1, ui.LabelTitle2, list,
            detail1,      detail2,         ui.SBar,        ui.PnTitles,    ui.PnDetails};
}

} // namespace

TFrPkgStringsLabelsTranslator::TFrPkgStringsLabelsTranslator(QWidget* parent)
    : TQzStringsTranslator(parent, TQzStringsKind::Labels),
      FUi(std::make_unique<Ui::TFrPkgStringsLabelsTranslator>()) {
    FUi->setupUi(this);
    BindControls(controlsOf(*FUi, FUi->Labels, FUi->MeHint1, FUi->MeHint2));
}

TFrPkgStringsLabelsTranslator::~TFrPkgStringsLabelsTranslator() = default;

std::unique_ptr<TQzTranslatorAddDialog> TFrPkgStringsLabelsTranslator::CreateAddDialog() {
    return std::make_unique<TFrPkgStringsLabelsTranslatorAdd>(this);
}

QString TFrPkgStringsLabelsTranslator::DetailOf(const TQzPkgItem* item) const {
    return QzPickerShownText(hintOf(item));
}

TFrPkgStringsMessagesTranslator::TFrPkgStringsMessagesTranslator(QWidget* parent)
    : TQzStringsTranslator(parent, TQzStringsKind::Messages),
      FUi(std::make_unique<Ui::TFrPkgStringsMessagesTranslator>()) {
    FUi->setupUi(this);
    BindControls(controlsOf(*FUi, FUi->Messages, FUi->MeMsg1, FUi->MeMsg2));
}

TFrPkgStringsMessagesTranslator::~TFrPkgStringsMessagesTranslator() = default;

std::unique_ptr<TQzTranslatorAddDialog> TFrPkgStringsMessagesTranslator::CreateAddDialog() {
    return std::make_unique<TFrPkgStringsMessagesTranslatorAdd>(this);
}

TFrPkgStringsTextsTranslator::TFrPkgStringsTextsTranslator(QWidget* parent)
    : TQzStringsTranslator(parent, TQzStringsKind::Texts),
      FUi(std::make_unique<Ui::TFrPkgStringsTextsTranslator>()) {
    FUi->setupUi(this);
    BindControls(controlsOf(*FUi, FUi->Texts, FUi->MeText1, FUi->MeText2));
}

TFrPkgStringsTextsTranslator::~TFrPkgStringsTextsTranslator() = default;

std::unique_ptr<TQzTranslatorAddDialog> TFrPkgStringsTextsTranslator::CreateAddDialog() {
    return std::make_unique<TFrPkgStringsTextsTranslatorAdd>(this);
}
