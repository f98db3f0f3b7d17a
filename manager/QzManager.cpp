#include "manager/QzManager.h"

#include "QzMsg.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "manager/QzManagerPkgs.h"
#include "manager/QzManagerProgress.h"
#include "manager/QzManagerRepl.h"
#include "manager/QzPortDsgn.h"
#include "ui_TFrManager.h"

#include <QEvent>

namespace {

// Blanks around the top rows and between a label and its box.
constexpr int Margin = 4;
constexpr int LabelGap = 2;

} // namespace

TFrManager::TFrManager(QWidget* owner)
    : TQzDialog(owner), FUi(std::make_unique<Ui::TFrManager>()), FOwner(owner),
      FEngine(*this, *this) {
    FUi->setupUi(this);
    connect(FUi->BtScan, &QPushButton::clicked, this, &TFrManager::BtScanClick);
    connect(FUi->BtCounter, &QPushButton::clicked, this, &TFrManager::BtCounterClick);
    connect(FUi->BtReplace, &QPushButton::clicked, this, &TFrManager::BtReplaceClick);
    connect(FUi->BtClear, &QPushButton::clicked, this, &TFrManager::BtClearClick);
    // The one closing button gives Cancel: the Manager returns nothing.
    connect(FUi->BtOk, &QPushButton::clicked, this, &TFrManager::reject);
    connect(FUi->EdPkg, &QComboBox::currentTextChanged, this, &TFrManager::EdChange);
    connect(FUi->EdId, &QLineEdit::textChanged, this, &TFrManager::EdChange);
    connect(FUi->clb, &QListWidget::itemChanged, this, &TFrManager::clbClickCheck);
    connect(FUi->clb, &QListWidget::itemClicked, this, &TFrManager::clbClick);
    FUi->PnTop->installEventFilter(this);
    FUi->PnButtons->installEventFilter(this);
}

TFrManager::~TFrManager() = default;

QStringList TFrManager::kindPackages() const {
    QStringList names;
    if (FEngine.FTypeDlg == dlmImages)
        QzPkgImagesActives(names);
    else if (QzDlgManagerHasPackage(FEngine.FTypeDlg))
        QzPkgStringsActives(names);
    names.sort(Qt::CaseInsensitive);
    return names;
}

void TFrManager::Execute(TQzDlgManager kind, const QString& pkgName, const QString& id) {
    FEngine.ClearLines();
    FEngine.FIniCheck = true;
    FEngine.FTypeDlg = kind;
    setWindowTitle(QStringLiteral("Packages Manager (%1)").arg(QzDlgManagerName(kind)));
    const bool withPackage = QzDlgManagerHasPackage(kind);
    FUi->LbPkg->setVisible(withPackage);
    FUi->EdPkg->setVisible(withPackage);
    FUi->LbId->setText(QzDlgManagerIsSet(kind) ? QStringLiteral("Name:") : QStringLiteral("Id:"));

    FDirectAssign = true;
    FUi->EdPkg->clear();
    FUi->EdPkg->addItems(kindPackages());
    FUi->EdPkg->setCurrentText(pkgName);
    FUi->EdId->setText(id);
    FDirectAssign = false;

    FillList();
    AdjustComponents();
    UpdateInfo();
    ChangeState();
    ShowModal();
}

// ---------------------------------------------------------------------------------------------
// Layout and state

bool TFrManager::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == FUi->PnTop || watched == FUi->PnButtons))
        AdjustComponents();
    return TQzDialog::eventFilter(watched, event);
}

void TFrManager::showEvent(QShowEvent* event) {
    TQzDialog::showEvent(event);
    AdjustComponents();
}

// The rows at the top: the package row only for kinds with packages, the id row in its place
// otherwise. The buttons on the right stack up from the bottom.
void TFrManager::AdjustComponents() {
    const bool withPackage = QzDlgManagerHasPackage(FEngine.FTypeDlg);
    const int editHeight = FUi->EdId->sizeHint().height();
    const int labelWidth =
        std::max(withPackage ? FUi->LbPkg->sizeHint().width() : 0, FUi->LbId->sizeHint().width());
    const int editLeft = Margin + labelWidth + LabelGap;
    const int editWidth = std::max(FUi->PnTop->width() - editLeft - Margin, 40);
    auto placeRow = [&](QLabel* label, QWidget* edit, int top) {
        label->setGeometry(Margin, top + (editHeight - label->sizeHint().height()) / 2, labelWidth,
                           label->sizeHint().height());
        edit->setGeometry(editLeft, top, editWidth, editHeight);
    };
    if (withPackage)
        placeRow(FUi->LbPkg, FUi->EdPkg, Margin);
    const int idTop = withPackage ? Margin + editHeight + Margin : Margin;
    placeRow(FUi->LbId, FUi->EdId, idTop);
    FUi->PnTop->setFixedHeight(idTop + editHeight + Margin);

    const QList<QPushButton*> buttons = {FUi->BtOk, FUi->BtClear, FUi->BtReplace, FUi->BtCounter,
                                         FUi->BtScan};
    int buttonWidth = 0;
    for (QPushButton* button : buttons)
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    FUi->PnButtons->setFixedWidth(buttonWidth + 2 * Margin);
    const int height = FUi->BtOk->sizeHint().height();
    int top = FUi->PnButtons->height() - Margin - height;
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setGeometry(Margin, top, buttonWidth, height);
        top -= height + (i % 2 == 0 ? height / 2 : height / 5);
    }
}

void TFrManager::UpdateInfo() {
    if (FEngine.FModeScan == msnNone)
        FUi->sb->clearMessage();
    else
        FUi->sb->showMessage(QStringLiteral("Found: %1 Selected: %2")
                                 .arg(FEngine.Lines().size())
                                 .arg(FEngine.CheckedCount()));
}

void TFrManager::ChangeState() {
    const bool selected = FEngine.CheckedCount() > 0;
    FUi->BtReplace->setEnabled(FEngine.FModeScan == msnScan && selected);
    FUi->BtClear->setEnabled(FEngine.FModeScan != msnNone && selected);
}

void TFrManager::FillList() {
    const QSignalBlocker block(FUi->clb);
    FUi->clb->clear();
    for (const TQzManagerLine& line : FEngine.Lines()) {
        auto* item = new QListWidgetItem(line.Text, FUi->clb);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(line.Checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TFrManager::ClearList() {
    FEngine.ClearLines();
    FillList();
    UpdateInfo();
    ChangeState();
}

void TFrManager::EdChange() {
    if (!FDirectAssign)
        ClearList();
}

// ---------------------------------------------------------------------------------------------
// Commands

void TFrManager::BtScanClick() {
    const QString id = FUi->EdId->text().trimmed();
    if (id.isEmpty())
        return;
    FUi->clb->clear();
    FEngine.Scan(FEngine.FTypeDlg, FUi->EdPkg->currentText().trimmed(), id);
    FillList();
    UpdateInfo();
    ChangeState();
}

void TFrManager::BtCounterClick() {
    QStringList packages;
    if (QzDlgManagerHasPackage(FEngine.FTypeDlg)) {
        TFrManagerPkgs select(this);
        if (!select.Execute(kindPackages()))
            return;
        packages = select.Selected();
    }
    FUi->clb->clear();
    FEngine.Counter(FEngine.FTypeDlg, packages);
    FillList();
    UpdateInfo();
    ChangeState();
}

void TFrManager::BtReplaceClick() {
    if (FEngine.FModeScan != msnScan || FEngine.CheckedCount() == 0)
        return;
    TFrManagerRepl replace(this);
    if (!replace.Execute(FEngine.FTypeDlg, kindPackages(), FUi->EdPkg->currentText().trimmed(),
                         FUi->EdId->text().trimmed()))
        return;
    try {
        FEngine.Replace(replace.PkgName(), replace.Value());
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return;
    }
    FillList();
    UpdateInfo();
    ChangeState();
}

void TFrManager::BtClearClick() {
    if (FEngine.FModeScan == msnNone || FEngine.CheckedCount() == 0)
        return;
    if (QzMsg(TQzMessageType::mtConfirmation,
              QStringLiteral("\u00BFDo you wish to clear the definition of these elements?"),
              {bkYes, bkNo}, bkYes) != bkYes)
        return;
    FEngine.Clear(dynamic_cast<IQzManagerOwner*>(FOwner.data()));
    FillList();
    UpdateInfo();
    ChangeState();
}

// After a count, the line clicked fills the boxes, so that a Scan finds its references.
void TFrManager::clbClick() {
    const int row = FUi->clb->currentRow();
    if (FEngine.FModeScan != msnCounter || row < 0 || row >= int(FEngine.Lines().size()))
        return;
    const TQzTokenRec2& rec = *FEngine.Lines()[row].Counted();
    FDirectAssign = true;
    if (QzDlgManagerIsSet(FEngine.FTypeDlg)) {
        FUi->EdId->setText(QzUnquote(rec.NameId));
    } else {
        if (QzDlgManagerHasPackage(FEngine.FTypeDlg))
            FUi->EdPkg->setCurrentText(QzUnquote(rec.PkgName));
        FUi->EdId->setText(rec.NameId);
    }
    FDirectAssign = false;
}

void TFrManager::clbClickCheck(QListWidgetItem* item) {
    FEngine.SetChecked(FUi->clb->row(item), item->checkState() == Qt::Checked);
    UpdateInfo();
    ChangeState();
}

// ---------------------------------------------------------------------------------------------
// The project through the form bridge

QStringList TFrManager::FormNames() {
    QStringList names;
    QzGetFormNames(names);
    return names;
}

bool TFrManager::ReadForm(const QString& fileName, TFormFileText& text) {
    return QzHostFormToFormText(fileName, text);
}

TComponent* TFrManager::DesignForm(const QString& fileName) {
    return QzHostDesignForm(fileName);
}

// As the form bridge stores a form: a binary form goes back as the binary resource.
QByteArray TFrManager::FormFileBytes(const TFormFileText& text, const QString&) {
    TFormFileText stored = text;
    if (stored.Format() != TFormFileFormat::Text)
        stored.SetFormat(TFormFileFormat::Resource);
    return stored.ToBytes();
}

// ---------------------------------------------------------------------------------------------
// Messages and progress

void TFrManager::Message(TQzManagerMessageType type, const QString& text) {
    QzMsg(TQzMessageType(int(type)), text);
}

void TFrManager::ProgressOpen(const QString& caption) {
    delete FrManagerProgress.data();
    FUi->sb->showMessage(caption);
    new TFrManagerProgress(this, caption);
}

void TFrManager::ProgressMaximum(int maximum) {
    if (FrManagerProgress)
        FrManagerProgress->SetMaximum(maximum);
}

void TFrManager::ProgressText(const QString& text) {
    if (FrManagerProgress)
        FrManagerProgress->SetText(text);
}

void TFrManager::ProgressStep() {
    if (FrManagerProgress)
        FrManagerProgress->Step();
}

bool TFrManager::Cancelled() {
    return FrManagerProgress && FrManagerProgress->Cancelled();
}

void TFrManager::ProgressClose() {
    delete FrManagerProgress.data();
}
