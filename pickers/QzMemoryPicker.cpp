#include "pickers/QzMemoryPicker.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPkgStrings.h"
#include "QzRefs.h"
#include "manager/QzManager.h"
#include "pickers/QzIdEdit.h"
#include "pickers/QzPickerList.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

namespace {

bool isSystemName(const QString& name) {
    return name.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0;
}

bool systemEditAllowed() {
    const TQzCApplication* app = QzCApp();
    return app && app->FSystemEdit;
}

// The package an item belongs to, through its list and the list's content object.
TQzPkgInfo* packageOf(const TCollectionItem* item) {
    const TCollection* list = item->Collection();
    const auto* data = list ? qobject_cast<const TQzPkgData*>(list->GetOwner()) : nullptr;
    return data ? data->Package() : nullptr;
}

} // namespace

TQzMemoryPicker::TQzMemoryPicker(QWidget* parent, TQzPickerKind kind)
    : TQzDialog(parent), FKind(std::move(kind)) {}

TQzMemoryPicker::~TQzMemoryPicker() = default;

void TQzMemoryPicker::BindControls(QLineEdit* search) {
    FSearch = search;
    EdPkg = findChild<QComboBox*>(QStringLiteral("EdPkg"));
    EdId = findChild<QLineEdit*>(QStringLiteral("EdId"));
    List = dynamic_cast<TQzPickerView*>(findChild<QAbstractItemView*>(FKind.Plural));
    StatusBar1 = findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    BtManager = findChild<QPushButton*>(QStringLiteral("BtManager"));
    BtAdd = findChild<QPushButton*>(QStringLiteral("BtAdd"));
    BtModify = findChild<QPushButton*>(QStringLiteral("BtModify"));
    BtDelete = findChild<QPushButton*>(QStringLiteral("BtDelete"));
    BtNull = findChild<QPushButton*>(QStringLiteral("BtNull"));
    BtDefault = findChild<QPushButton*>(QStringLiteral("BtDefault"));
    Q_ASSERT(EdPkg && EdId && List && StatusBar1 && BtManager && BtAdd && BtModify && BtDelete &&
             BtNull && BtDefault);

    QzRestrictIdEdit(EdId);
    PPMenu = new QMenu(this);
    PPMenu->setObjectName(QStringLiteral("PP") + FKind.Plural);
    MnProtectAll = PPMenu->addAction(QStringLiteral("Protect All %1").arg(FKind.Plural));
    MnProtectAll->setObjectName(QStringLiteral("MnProtectAll") + FKind.Plural);
    MnUnprotectAll = PPMenu->addAction(QStringLiteral("Unprotect All %1").arg(FKind.Plural));
    MnUnprotectAll->setObjectName(QStringLiteral("MnUnprotectAll") + FKind.Plural);
    MnProtectAll->setVisible(false);
    MnUnprotectAll->setVisible(false);

    connect(EdPkg, &QComboBox::currentTextChanged, this, &TQzMemoryPicker::EdPkgChange);
    connect(EdId, &QLineEdit::textEdited, this, &TQzMemoryPicker::EdIdChange);
    connect(List->View()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!FFilling && current.isValid())
                    ShowRow(current.row());
            });
    connect(List->View(), &QAbstractItemView::doubleClicked, this,
            [this] { SetModalResult(mrOk); });
    connect(List->View(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QList<QAction*> actions = PPMenu->actions();
        if (std::any_of(actions.begin(), actions.end(),
                        [](const QAction* action) { return action->isVisible(); }))
            PPMenu->popup(List->View()->viewport()->mapToGlobal(at));
    });
    connect(BtManager, &QPushButton::clicked, this, &TQzMemoryPicker::BtManagerClick);
    connect(BtAdd, &QPushButton::clicked, this, &TQzMemoryPicker::BtAddClick);
    connect(BtModify, &QPushButton::clicked, this, &TQzMemoryPicker::BtModifyClick);
    connect(BtDelete, &QPushButton::clicked, this, &TQzMemoryPicker::BtDeleteClick);
    connect(BtNull, &QPushButton::clicked, this, &TQzMemoryPicker::BtNullClick);
    connect(BtDefault, &QPushButton::clicked, this, &TQzMemoryPicker::BtDefaultClick);
    connect(MnProtectAll, &QAction::triggered, this, &TQzMemoryPicker::MnProtectAllClick);
    connect(MnUnprotectAll, &QAction::triggered, this, &TQzMemoryPicker::MnUnprotectAllClick);
}

TQzPkgInfo* TQzMemoryPicker::CurrentPackage() const {
    return FPkg;
}

TQzPkgStrings* TQzMemoryPicker::Package() const {
    return qobject_cast<TQzPkgStrings*>(FPkg.data());
}

TQzPkgItemList* TQzMemoryPicker::ItemsOf(TQzPkgInfo* pkg) const {
    auto* strings = qobject_cast<TQzPkgStrings*>(pkg);
    return strings ? Items(strings) : nullptr;
}

TQzPkgItemList* TQzMemoryPicker::Items(TQzPkgStrings*) const {
    return nullptr;
}

TQzPkgInfo* TQzMemoryPicker::FindPackage(const QString& name) const {
    return QzFindPkgStrings(name);
}

void TQzMemoryPicker::ActiveNames(QStringList& names) const {
    QzPkgStringsActives(names);
}

int TQzMemoryPicker::PerformCode() const {
    return QzPerformStrings;
}

int TQzMemoryPicker::Execute() {
    Q_ASSERT(FRef);
    BtDefault->setEnabled(FRef->HasDefault());
    QStringList names;
    ActiveNames(names);
    names.sort(Qt::CaseInsensitive);
    const bool onDefault = FRef->HasDefault() && FRef->Id() == TQzMemoryRef::DefaultItem;
    QString pkgName = onDefault ? FRef->DefaultPkgName() : FRef->PkgName();
    const int id = onDefault ? FRef->DefaultId() : FRef->Id();
    if (pkgName.isEmpty())
        pkgName = QStringLiteral("User");

    FFilling = true;
    EdPkg->clear();
    EdPkg->addItems(names);
    EdPkg->setCurrentText(pkgName);
    EdId->setText(QString::number(id));
    FFilling = false;

    PkgChange();
    if (EdPkg->currentText().isEmpty())
        EdPkg->setFocus();
    else
        EdId->setFocus();
    UpdateInfo();
    return ShowModal();
}

// ---------------------------------------------------------------------------------------------
// Package and id

void TQzMemoryPicker::EdPkgChange() {
    if (FFilling)
        return;
    PkgChange();
    UpdateInfo();
}

void TQzMemoryPicker::PkgChange() {
    SavePackage();
    FFilling = true;
    List->Model()->SetRows({});
    if (FSearch)
        FSearch->clear();
    FFilling = false;
    ShowDetail(nullptr);

    FPkg = FindPackage(EdPkg->currentText());
    FDirty = false;
    if (FPkg) {
        if (FPkg->IsFileStored() && FPkg->FileModified()) {
            try {
                FPkg->LoadFile();
            } catch (const Exception& e) {
                // The package keeps what it held; the person learns why the file was not read.
                QzMsg(TQzMessageType::mtError, e.Message());
            }
        }
        LoadList();
        IdChange();
    }
    FSystem = FPkg && isSystemName(FPkg->GetPkgName());
    MnProtectAll->setVisible(FSystem);
    MnUnprotectAll->setVisible(FSystem);
    List->SetShowProtected(FSystem);
    ChangeState();
}

void TQzMemoryPicker::EdIdChange() {
    IdChange();
}

int TQzMemoryPicker::EditedId() const {
    bool ok = false;
    const int id = EdId->text().trimmed().toInt(&ok);
    if (!ok || !FPkg || !ItemsOf(FPkg)->FindId(id))
        return -1;
    return id;
}

// The package's id index finds the item; the list is searched for the item itself, which reads
// no item.
void TQzMemoryPicker::IdChange() {
    if (FPkg) {
        const int id = EditedId();
        TQzPkgItem* item = id < 0 ? nullptr : ItemsOf(FPkg)->FindId(id);
        const int row = item ? List->Model()->RowOf(item) : -1;
        SelectRowQuietly(row);
        ShowDetail(row >= 0 ? item : nullptr);
    }
    ChangeState();
}

void TQzMemoryPicker::SelectRowQuietly(int row) {
    FFilling = true;
    List->SelectRow(row);
    FFilling = false;
}

void TQzMemoryPicker::SetEdId(int id) {
    EdId->setText(id < 0 ? QString() : QString::number(id));
}

void TQzMemoryPicker::ShowRow(int row) {
    TQzPkgItem* item = List->Model()->Item(row);
    if (!FPkg || !item)
        return;
    SetEdId(item->Id());
    ShowDetail(item);
    ChangeState();
}

// ---------------------------------------------------------------------------------------------
// State

bool TQzMemoryPicker::ValidPkg(const QString& name) const {
    return systemEditAllowed() || !isSystemName(name);
}

void TQzMemoryPicker::ChangeState() {
    const bool canAdd = FPkg && ValidPkg(EdPkg->currentText());
    const bool selected = canAdd && List->CurrentRow() >= 0;
    BtAdd->setEnabled(canAdd);
    BtModify->setEnabled(selected);
    BtDelete->setEnabled(selected);
    const Qt::FocusPolicy policy = canAdd ? Qt::StrongFocus : Qt::ClickFocus;
    List->View()->setFocusPolicy(policy);
    if (FSearch)
        FSearch->setFocusPolicy(policy);
    MnProtectAll->setEnabled(systemEditAllowed());
    MnUnprotectAll->setEnabled(systemEditAllowed());
    StateChanged();
}

void TQzMemoryPicker::UpdateInfo() {
    if (!FPkg) {
        StatusBar1->showMessage(QStringLiteral("Package Unknown"));
        return;
    }
    const int count = ItemsOf(FPkg)->Count();
    QString text =
        QStringLiteral("%1 %2").arg(count).arg(count == 1 ? FKind.Singular : FKind.Plural);
    const QString suffix = InfoSuffix();
    if (!suffix.isEmpty())
        text += u' ' + suffix;
    StatusBar1->showMessage(text);
}

void TQzMemoryPicker::Modified() {
    FDirty = true;
    if (FPkg && !FPkg->IsFileStored()) {
        QzDesignerModified(FPkg);
        if (TQzCApplication* app = QzCApp())
            QzDesignerModified(app);
    }
}

void TQzMemoryPicker::SavePackage() {
    if (!FPkg || !FDirty)
        return;
    FDirty = false;
    try {
        FPkg->SaveFile();
        // A package kept inside another (the language's strings, the display's images) is
        // written with it.
        if (auto* owner = qobject_cast<TQzPkgInfo*>(FPkg->Owner()))
            owner->SaveFile();
    } catch (const Exception& e) {
        showSaveError(e.Message());
    }
}

void TQzMemoryPicker::showSaveError(const QString& message) {
    FSaveError = message;
    QzMsg(TQzMessageType::mtError, message);
}

// ---------------------------------------------------------------------------------------------
// Items

void TQzMemoryPicker::BtAddClick() {
    if (!FPkg || !BtAdd->isEnabled())
        return;
    if (TQzPkgItem* item = RunAddDialog(nullptr)) {
        ItemAdded(item);
        QzFormsPerform(PerformCode(), FPkg);
        UpdateInfo();
        Modified();
    }
}

void TQzMemoryPicker::BtModifyClick() {
    TQzPkgItem* item = List->Model()->Item(List->CurrentRow());
    if (!FPkg || !item || !BtModify->isEnabled())
        return;
    const int oldId = item->Id();
    if (RunAddDialog(item)) {
        ItemModified(item, oldId);
        QzFormsPerform(PerformCode(), FPkg);
        Modified();
    }
}

void TQzMemoryPicker::BtDeleteClick() {
    TQzPkgItem* item = List->Model()->Item(List->CurrentRow());
    if (!FPkg || !item || !BtDelete->isEnabled())
        return;
    DeleteItem(item);
}

void TQzMemoryPicker::DeleteItem(TQzPkgItem* item) {
    TQzPkgInfo* owner = packageOf(item);
    const int row = List->Model()->RowOf(item);
    if (row >= 0) {
        FFilling = true;
        List->Model()->RemoveRow(row);
        FFilling = false;
    }
    delete item;
    if (owner != FPkg) {
        // An item of a package the picker does not show (the Manager counts several): that
        // package is kept as the picker would keep its own.
        if (owner && owner->IsFileStored()) {
            try {
                owner->SaveFile();
            } catch (const Exception& e) {
                showSaveError(e.Message());
            }
        } else if (owner) {
            QzDesignerModified(owner);
        }
        QzFormsPerform(PerformCode(), owner);
        return;
    }
    if (row >= 0) {
        const int count = List->Model()->rowCount();
        const int next = std::min(row, count - 1);
        TQzPkgItem* selected = List->Model()->Item(next);
        SetEdId(selected ? selected->Id() : -1);
    }
    IdChange();
    QzFormsPerform(PerformCode(), FPkg);
    UpdateInfo();
    Modified();
}

void TQzMemoryPicker::BtNullClick() {
    EdId->setText(QStringLiteral("-1"));
    SetModalResult(mrOk);
}

void TQzMemoryPicker::BtDefaultClick() {
    EdId->setText(QStringLiteral("-2"));
    SetModalResult(mrOk);
}

void TQzMemoryPicker::BtManagerClick() {
    TFrManager manager(this);
    manager.Execute(FKind.ManagerKind, EdPkg->currentText(), EdId->text());
}

void TQzMemoryPicker::MnProtectAllClick() {
    setProtection(true);
}

void TQzMemoryPicker::MnUnprotectAllClick() {
    setProtection(false);
}

void TQzMemoryPicker::setProtection(bool protect) {
    if (!FPkg || !systemEditAllowed())
        return;
    if (!QzProtectAll(*ItemsOf(FPkg), protect))
        return;
    ChangeState();
    UpdateInfo();
    Modified();
    List->View()->viewport()->update();
}

// ---------------------------------------------------------------------------------------------
// Closing

void TQzMemoryPicker::done(int result) {
    SavePackage();
    bool ok = false;
    int id = EdId->text().trimmed().toInt(&ok);
    if (!ok)
        id = FRef && FRef->HasDefault() ? TQzMemoryRef::DefaultItem : TQzMemoryRef::NoItem;
    if (result == mrOk && FRef) {
        const QString pkgName = EdPkg->currentText();
        // The default item is stored as such, not by its number.
        if (FRef->HasDefault() && id >= 0 &&
            pkgName.compare(FRef->DefaultPkgName(), Qt::CaseInsensitive) == 0 &&
            id == FRef->DefaultId())
            id = TQzMemoryRef::DefaultItem;
        FRef->PkgId(pkgName, id);
    }
    TQzDialog::done(result);
}

// ---------------------------------------------------------------------------------------------
// The Packages Manager

bool TQzMemoryPicker::ManagerEditsKind(TQzDlgManager kind) const {
    return kind == FKind.ManagerKind;
}

QString TQzMemoryPicker::ManagerPackageName() const {
    return EdPkg->currentText();
}

void TQzMemoryPicker::ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) {
    if (kind == FKind.ManagerKind)
        if (auto* pkgItem = qobject_cast<TQzPkgItem*>(item))
            DeleteItem(pkgItem);
}
