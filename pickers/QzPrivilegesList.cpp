#include "pickers/QzPrivilegesList.h"

#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPkgPrivileges.h"
#include "QzWindows.h"
#include "manager/QzManager.h"
#include "pickers/QzDescriptionLabel.h"
#include "pickers/QzIdEdit.h"
#include "ui_TFrPrivilegesAdd.h"

#include <QLineEdit>
#include <QMetaEnum>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyledItemDelegate>

namespace {

QColor accessColor(int access) {
    switch (access) {
    case TQzPrivilege::acNone:
        return Qt::red;
    case TQzPrivilege::acRead:
        return Qt::darkCyan;
    default:
        return Qt::blue;
    }
}

int widthOf(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().horizontalAdvance(text);
}

// A line: the id right-aligned, the description, the access level in its colour and "V" in blue
// for a visible privilege; the selection keeps the colours of the access and "V" readable.
class TQzPrivilegesDelegate : public QStyledItemDelegate {
public:
    explicit TQzPrivilegesDelegate(TQzPrivilegesList* list)
        : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* item =
            static_cast<const TQzPkgPrivilegesItem*>(FList->Model()->Item(index.row()));
        if (!item)
            return;
        const bool selected = option.state & QStyle::State_Selected;
        const QRect r = option.rect;
        painter->save();
        QzBeginRow(painter, option);
        const QColor text = painter->pen().color();
        const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
        auto cell = [&](int left, int right) {
            return QRect(r.left() + left, r.top(), right - left, r.height());
        };
        painter->setPen(text);
        painter->drawText(cell(2, FList->DescriptionLeft() - 6), flags | Qt::AlignRight,
                          QString::number(item->Id()));
        painter->drawText(cell(FList->DescriptionLeft(), FList->AccessLeft() - 4),
                          flags | Qt::AlignLeft, item->DescriptionText());
        painter->setPen(selected ? text : accessColor(item->Access()));
        painter->drawText(cell(FList->AccessLeft(), FList->VisibleLeft() - 4),
                          flags | Qt::AlignLeft, QzAccessText(item->Access()));
        if (item->Visible()) {
            painter->setPen(selected ? text : QColor(Qt::blue));
            painter->drawText(cell(FList->VisibleLeft(), r.width()), flags | Qt::AlignLeft,
                              QStringLiteral("V"));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(),
                option.fontMetrics.boundingRect(QStringLiteral("A")).height() + 4};
    }

private:
    TQzPrivilegesList* FList;
};

} // namespace

QString QzAccessText(int access) {
    switch (access) {
    case TQzPrivilege::acNone:
        return QStringLiteral("None");
    case TQzPrivilege::acRead:
        return QStringLiteral("Read");
    case TQzPrivilege::acReadWrite:
        return QStringLiteral("Read/Write");
    default:
        return QString();
    }
}

// ---------------------------------------------------------------------------------------------
// The list

TQzPrivilegesList::TQzPrivilegesList(QWidget* parent) : TQzPickerList(parent) {
    setItemDelegate(new TQzPrivilegesDelegate(this));
}

int TQzPrivilegesList::DescriptionLeft() const {
    return widthOf(this, QStringLiteral("9999")) + 12;
}

// The access and visibility columns keep to the right, as wide as their longest text.
int TQzPrivilegesList::VisibleLeft() const {
    return std::max(viewport()->width() - widthOf(this, QStringLiteral("V")) - 10,
                    DescriptionLeft() + 40);
}

int TQzPrivilegesList::AccessLeft() const {
    return std::max(VisibleLeft() - widthOf(this, QStringLiteral("Read/Write")) - 12,
                    DescriptionLeft() + 20);
}

QList<int> TQzPrivilegesList::Separators() const {
    return {DescriptionLeft() - 4, AccessLeft() - 4, VisibleLeft() - 4};
}

// ---------------------------------------------------------------------------------------------
// The shared dialog

TQzPrivilegesDialog::TQzPrivilegesDialog(QWidget* parent) : TQzDialog(parent) {}

TQzPrivilegesDialog::~TQzPrivilegesDialog() = default;

void TQzPrivilegesDialog::BindControls() {
    EdPrivilege = findChild<QLineEdit*>(QStringLiteral("EdPrivilege"));
    EdId = findChild<QLineEdit*>(QStringLiteral("EdId"));
    List = findChild<TQzPrivilegesList*>(QStringLiteral("Privileges"));
    BtAdd = findChild<QPushButton*>(QStringLiteral("BtAdd"));
    BtModify = findChild<QPushButton*>(QStringLiteral("BtModify"));
    BtDelete = findChild<QPushButton*>(QStringLiteral("BtDelete"));
    BtManager = findChild<QPushButton*>(QStringLiteral("BtManager"));
    StatusBar = findChild<QStatusBar*>(QStringLiteral("StatusBar"));
    Q_ASSERT(EdPrivilege && EdId && List && BtAdd && BtModify && BtDelete && BtManager &&
             StatusBar);

    QzRestrictIdEdit(EdId);
    connect(EdPrivilege, &QLineEdit::textEdited, this, &TQzPrivilegesDialog::EdPrivilegeChange);
    connect(EdId, &QLineEdit::textEdited, this, &TQzPrivilegesDialog::EdIdChange);
    connect(List->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!FSelecting)
            PrivilegesClick();
    });
    connect(List, &QAbstractItemView::doubleClicked, this, [this] { PrivilegesDblClick(); });
    connect(List->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TQzPrivilegesDialog::ChangeState);
    connect(BtAdd, &QPushButton::clicked, this, &TQzPrivilegesDialog::BtAddClick);
    connect(BtModify, &QPushButton::clicked, this, &TQzPrivilegesDialog::BtModifyClick);
    connect(BtDelete, &QPushButton::clicked, this, &TQzPrivilegesDialog::BtDeleteClick);
    connect(BtManager, &QPushButton::clicked, this, &TQzPrivilegesDialog::BtManagerClick);
}

void TQzPrivilegesDialog::PrepareList() {
    Q_ASSERT(Pkg);
    FDirty = false;
    LoadPrivileges(EdPrivilege->text());
    UpdateInfo();
}

void TQzPrivilegesDialog::LoadPrivileges(const QString& filter) {
    const QString wanted = filter.toUpper();
    const bool all = wanted.trimmed().isEmpty();
    std::vector<TQzPkgItem*> rows;
    if (Pkg)
        for (int i = 0; i < Pkg->Count(); ++i) {
            TQzPkgPrivilegesItem* item = Pkg->GetItems(i);
            if (all || item->DescriptionText().toUpper().contains(wanted))
                rows.push_back(item);
        }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TQzPkgItem* a, const TQzPkgItem* b) { return a->Id() < b->Id(); });
    List->Model()->SetRows(std::move(rows));
    SelectEdId();
}

void TQzPrivilegesDialog::SelectEdId() {
    bool ok = false;
    const int id = EdId->text().trimmed().toInt(&ok);
    int row = -1;
    if (ok) {
        const auto& rows = List->Model()->Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i]->Id() == id) {
                row = int(i);
                break;
            }
    }
    FSelecting = true;
    List->SelectRow(row);
    FSelecting = false;
    ChangeState();
}

TQzPkgPrivilegesItem* TQzPrivilegesDialog::selected() const {
    return static_cast<TQzPkgPrivilegesItem*>(List->Model()->Item(List->CurrentRow()));
}

void TQzPrivilegesDialog::ChangeState() {
    const bool line = selected() != nullptr;
    BtAdd->setEnabled(Pkg != nullptr);
    BtModify->setEnabled(line);
    BtDelete->setEnabled(line);
}

void TQzPrivilegesDialog::UpdateInfo() {
    const int count = Pkg ? Pkg->Count() : 0;
    StatusBar->showMessage(QStringLiteral("%1 %2").arg(count).arg(
        count == 1 ? QStringLiteral("Privilege") : QStringLiteral("Privileges")));
}

void TQzPrivilegesDialog::Modified() {
    FDirty = true;
    if (auto* app = qobject_cast<TQzCApplication*>(Pkg->Owner()))
        QzDesignerModified(app);
    else
        QzDesignerModified(Pkg);
}

void TQzPrivilegesDialog::EdPrivilegeChange() {
    LoadPrivileges(EdPrivilege->text());
}

void TQzPrivilegesDialog::EdIdChange() {
    SelectEdId();
}

void TQzPrivilegesDialog::PrivilegesClick() {
    if (const TQzPkgPrivilegesItem* item = selected()) {
        EdId->setText(QString::number(item->Id()));
        SelectEdId();
    }
}

void TQzPrivilegesDialog::PrivilegesDblClick() {
    if (BtModify->isEnabled())
        BtModifyClick();
}

void TQzPrivilegesDialog::BtAddClick() {
    if (!Pkg)
        return;
    TFrPrivilegesAdd dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add Privilege"));
    if (!dialog.Execute(Pkg, nullptr))
        return;
    EdId->setText(QString::number(dialog.Id()));
    LoadPrivileges(EdPrivilege->text());
    EdPrivilege->setFocus();
    UpdateInfo();
    Modified();
}

void TQzPrivilegesDialog::BtModifyClick() {
    TQzPkgPrivilegesItem* item = selected();
    if (!item)
        return;
    const int before = item->Id();
    TFrPrivilegesAdd dialog(this);
    dialog.setWindowTitle(QStringLiteral("Modify Privilege"));
    if (!dialog.Execute(Pkg, item))
        return;
    if (dialog.Id() != before) {
        EdId->setText(QString::number(dialog.Id()));
        LoadPrivileges(EdPrivilege->text());
    }
    List->viewport()->update();
    UpdateInfo();
    Modified();
}

void TQzPrivilegesDialog::BtDeleteClick() {
    if (TQzPkgPrivilegesItem* item = selected())
        DeleteItem(item);
}

// A privilege the filter hides is deleted all the same: the Manager deletes what no form uses,
// shown or not.
void TQzPrivilegesDialog::DeleteItem(TQzPkgPrivilegesItem* item) {
    const int row = List->Model()->RowOf(item);
    if (row >= 0) {
        FSelecting = true;
        List->Model()->RemoveRow(row);
        FSelecting = false;
    }
    delete item;
    if (row >= 0) {
        const int next = std::min(row, List->Model()->rowCount() - 1);
        const TQzPkgItem* line = List->Model()->Item(next);
        EdId->setText(line ? QString::number(line->Id()) : QString());
        SelectEdId();
    }
    UpdateInfo();
    Modified();
}

void TQzPrivilegesDialog::BtManagerClick() {
    TFrManager manager(this);
    manager.Execute(dlmPrivileges, QString(), EdId->text());
}

void TQzPrivilegesDialog::done(int result) {
    savePackage();
    TQzDialog::done(result);
}

void TQzPrivilegesDialog::savePackage() {
    if (!Pkg || !FDirty)
        return;
    FDirty = false;
    try {
        Pkg->SaveFile();
    } catch (const Exception& e) {
        FSaveError = e.Message();
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}

bool TQzPrivilegesDialog::ManagerEditsKind(TQzDlgManager kind) const {
    return kind == dlmPrivileges;
}

QString TQzPrivilegesDialog::ManagerPackageName() const {
    return QString();
}

void TQzPrivilegesDialog::ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) {
    if (kind == dlmPrivileges)
        if (auto* privilege = qobject_cast<TQzPkgPrivilegesItem*>(item))
            DeleteItem(privilege);
}

// ---------------------------------------------------------------------------------------------
// Add and modify

TFrPrivilegesAdd::TFrPrivilegesAdd(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrPrivilegesAdd>()) {
    FUi->setupUi(this);
    QzRestrictIdEdit(FUi->EdId);
    FDescription = new TQzDescriptionLabel(FUi->EdPrivilege, FUi->EdDescripID, FUi->LabRefID,
                                           FUi->SpeedButton5, false);
    const QMetaEnum access = QMetaEnum::fromType<TQzPrivilege::TQzAccess>();
    for (int i = 0; i < access.keyCount(); ++i)
        FUi->CBAccess->addItem(QString::fromLatin1(access.key(i)));
}

TFrPrivilegesAdd::~TFrPrivilegesAdd() = default;

bool TFrPrivilegesAdd::Execute(TQzPkgPrivileges* pkg, const TQzPkgPrivilegesItem* item) {
    FPkg = pkg;
    FModify = item != nullptr;
    FUi->EdId->setText(QString::number(item ? item->Id() : pkg->UniqueId()));
    FUi->EdPrivilege->setText(item ? item->Description() : QString());
    FUi->CBAccess->setCurrentIndex(item ? item->Access() : TQzPrivilege::acReadWrite);
    FUi->EdVisible->setChecked(item ? item->Visible() : true);
    TQzMemoryLabel none;
    FDescription->SetReference(item ? item->DescriptionId() : &none);
    FPriorId = FUi->EdId->text();
    FUi->EdPrivilege->setFocus();
    return ShowModal() == mrOk;
}

int TFrPrivilegesAdd::Id() const {
    return FUi->EdId->text().trimmed().toInt();
}

// The id and the access level are checked before the package changes, so a refusal leaves it as
// it was.
void TFrPrivilegesAdd::Accepting() {
    const int id = QzTypedId(FUi->EdId->text());
    const int access = FUi->CBAccess->currentIndex();
    if (QzAccessText(access).isEmpty())
        QzExcept(QStringLiteral("Choose an access level"));
    const TQzScreenUpdate update;
    TQzPkgPrivilegesItem* item = nullptr;
    if (FModify) {
        item = FPkg->FindId(QzTypedId(FPriorId));
        if (!item)
            QzExcept(QStringLiteral("The privilege %1 is no longer in the package").arg(FPriorId));
        item->SetId(id);
    } else {
        item = FPkg->Add(id);
    }
    if (!FDescription->Reference()->Defined())
        item->SetDescription(FUi->EdPrivilege->text());
    item->SetDescriptionId(FDescription->Reference());
    item->SetAccess(access);
    item->SetVisible(FUi->EdVisible->isChecked());
}
