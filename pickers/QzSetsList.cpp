#include "pickers/QzSetsList.h"

#include "QzCApplication.h"
#include "QzDraw.h"
#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPkgDisplay.h"
#include "QzRefs.h"
#include "manager/QzManager.h"
#include "pickers/QzPickerList.h"
#include "pickers/QzSetsAdd.h"

#include <QLineEdit>
#include <QMetaEnum>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <qdrawutil.h>

namespace {

// ---------------------------------------------------------------------------------------------
// The three kinds

void drawColor(QPainter& painter, const QRect& frame, const TQzPkgDisplaySet& set) {
    painter.fillRect(frame,
                     QzColorToQColor(static_cast<const TQzPkgDisplaySetColor&>(set).Color()));
}

QString colorDetail(const TQzPkgDisplaySet& set) {
    const QColor color = QzColorToQColor(static_cast<const TQzPkgDisplaySetColor&>(set).Color());
    return QStringLiteral(" (RGB:%1,%2,%3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

void drawFont(QPainter& painter, const QRect& frame, const TQzPkgDisplaySet& set) {
    const auto& font = static_cast<const TQzPkgDisplaySetFont&>(set);
    painter.fillRect(frame, Qt::white);
    painter.setFont(font.GetQFont());
    painter.setPen(QzColorToQColor(font.Font()->Color()));
    painter.drawText(frame, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("Abc"));
}

QString fontDetail(const TQzPkgDisplaySet& set) {
    return QStringLiteral(" (Size : %1)").arg(static_cast<const TQzPkgDisplaySetFont&>(set).Size());
}

void drawBackGround(QPainter& painter, const QRect& frame, const TQzPkgDisplaySet& set) {
    const auto& back = static_cast<const TQzPkgDisplaySetBackGround&>(set);
    QzDrawGradient(painter, frame, back.Style(), back.StartGraColor(), back.EndGraColor(),
                   back.SolidColor(), back.Image(), back.Transparent());
}

QString backGroundDetail(const TQzPkgDisplaySet& set) {
    const auto style = static_cast<const TQzPkgDisplaySetBackGround&>(set).Style();
    const char* key = QMetaEnum::fromType<TQzBackGroundStyle>().valueToKey(style);
    return QStringLiteral(" (%1)").arg(QString::fromLatin1(key ? key : "").mid(3));
}

template <typename TAdd>
std::unique_ptr<TQzSetsAddDialog> createAdd(QWidget* parent) {
    return std::make_unique<TAdd>(parent);
}

// ---------------------------------------------------------------------------------------------
// Drawing an entry

constexpr int TextLeft = 45;

QString orDots(const QString& text) {
    return text.trimmed().isEmpty() ? QStringLiteral("......") : text;
}

// A sample in a sunken frame at the left, then the name with the kind's detail and, below, the
// description.
class TQzSetsDelegate : public QStyledItemDelegate {
public:
    explicit TQzSetsDelegate(TQzSetsList* list) : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const TQzPkgDisplaySet* set = FList->Set(index.row());
        if (!set || !FList->Kind())
            return;
        const QPalette& palette = option.palette;
        const QRect r = option.rect;
        painter->save();
        QzBeginRow(painter, option);
        const QColor text = painter->pen().color();
        const QRect frame(r.left() + 3, r.top() + 3, TextLeft - 9, r.height() - 6);
        qDrawShadePanel(painter, frame, palette, true, 1);
        painter->save();
        const QRect inside = frame.adjusted(1, 1, -1, -1);
        painter->setClipRect(inside);
        FList->Kind()->DrawSample(*painter, inside, *set);
        painter->restore();

        painter->setFont(option.font);
        painter->setPen(text);
        const int line = option.fontMetrics.height();
        const int top = r.top() + (r.height() - 2 * line) / 2;
        const int width = r.width() - TextLeft - 2;
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        painter->drawText(QRect(r.left() + TextLeft, top, width, line), flags,
                          orDots(set->Name().trimmed()) + FList->Kind()->Detail(*set));
        painter->drawText(QRect(r.left() + TextLeft, top + line, width, line), flags,
                          orDots(set->DescriptionText()));
        painter->restore();
    }

    // Two lines of text, as "A", a line break and "A" measure, and a margin for the frame.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        const QRect twoLines =
            option.fontMetrics.boundingRect(QRect(0, 0, 1000, 1000), 0, QStringLiteral("A\nA"));
        return {option.rect.width(), twoLines.height() + 10};
    }

private:
    TQzSetsList* FList;
};

bool isDefaultMarker(const QString& text) {
    return text.trimmed().compare(TQzSetRef::DefaultSetMarker(), Qt::CaseInsensitive) == 0;
}

} // namespace

const TQzSetsKind& QzSetsColorKind() {
    static const TQzSetsKind kind{
        QStringLiteral("Colors"),
        QStringLiteral("SetsColor"),
        QStringLiteral("SetColor"),
        QStringLiteral("Color"),
        QStringLiteral("sc"),
        dlmSetsColor,
        true,
        [](const TQzPkgDisplay& display) -> TQzPkgDisplaySets* { return display.SetsColor(); },
        [](const TQzPkgDisplay& display, const QString& name) -> TQzPkgDisplaySet* {
            return display.SetsColor()->Add(name);
        },
        drawColor,
        colorDetail,
        createAdd<TFrSetsColorAdd>,
    };
    return kind;
}

const TQzSetsKind& QzSetsFontKind() {
    static const TQzSetsKind kind{
        QStringLiteral("Fonts"),
        QStringLiteral("SetsFont"),
        QStringLiteral("SetFont"),
        QStringLiteral("Font"),
        QStringLiteral("sf"),
        dlmSetsFont,
        false,
        [](const TQzPkgDisplay& display) -> TQzPkgDisplaySets* { return display.SetsFont(); },
        [](const TQzPkgDisplay& display, const QString& name) -> TQzPkgDisplaySet* {
            return display.SetsFont()->Add(name);
        },
        drawFont,
        fontDetail,
        createAdd<TFrSetsFontAdd>,
    };
    return kind;
}

const TQzSetsKind& QzSetsBackGroundKind() {
    static const TQzSetsKind kind{
        QStringLiteral("BackGrounds"),
        QStringLiteral("SetsBackGround"),
        QStringLiteral("SetBackGround"),
        QStringLiteral("BackGround"),
        QStringLiteral("sb"),
        dlmSetsBackGround,
        true,
        [](const TQzPkgDisplay& display) -> TQzPkgDisplaySets* { return display.SetsBackGround(); },
        [](const TQzPkgDisplay& display, const QString& name) -> TQzPkgDisplaySet* {
            return display.SetsBackGround()->Add(name);
        },
        drawBackGround,
        backGroundDetail,
        createAdd<TFrSetsBackGroundAdd>,
    };
    return kind;
}

// ---------------------------------------------------------------------------------------------
// The list

TQzSetsList::TQzSetsList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TQzSetsDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TQzSetsList::SetSets(const QList<TQzPkgDisplaySet*>& sets) {
    clear();
    for (TQzPkgDisplaySet* set : sets) {
        auto* entry = new QListWidgetItem(QStringLiteral("*"), this);
        entry->setData(Qt::UserRole, QVariant::fromValue<QObject*>(set));
    }
}

TQzPkgDisplaySet* TQzSetsList::Set(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? qobject_cast<TQzPkgDisplaySet*>(entry->data(Qt::UserRole).value<QObject*>())
                 : nullptr;
}

int TQzSetsList::RowOf(const TQzPkgDisplaySet* set) const {
    for (int row = 0; row < count(); ++row)
        if (Set(row) == set)
            return row;
    return -1;
}

TQzPkgDisplaySet* TQzSetsList::Selected() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : Set(row(selected.first()));
}

void TQzSetsList::SelectRow(int row) {
    if (row < 0 || row >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

// ---------------------------------------------------------------------------------------------
// The list dialog

TQzSetsDialog::TQzSetsDialog(QWidget* parent, const TQzSetsKind& kind)
    : TQzDialog(parent), FKind(kind) {}

TQzSetsDialog::~TQzSetsDialog() = default;

void TQzSetsDialog::BindControls() {
    List = findChild<TQzSetsList*>(FKind.ListName);
    EdDescrip = findChild<QLineEdit*>(QStringLiteral("EdDescrip"));
    BtAdd = findChild<QPushButton*>(QStringLiteral("BtAdd"));
    BtModify = findChild<QPushButton*>(QStringLiteral("BtModify"));
    BtDelete = findChild<QPushButton*>(QStringLiteral("BtDelete"));
    BtManager = findChild<QPushButton*>(QStringLiteral("BtManager"));
    StatusBar1 = findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    Q_ASSERT(List && EdDescrip && BtAdd && BtModify && BtDelete && BtManager && StatusBar1);
    List->SetKind(&FKind);

    connect(List, &QListWidget::itemClicked, this, &TQzSetsDialog::SetsClick);
    connect(List, &QListWidget::itemDoubleClicked, this, [this] { SetsDblClick(); });
    connect(List, &QListWidget::itemSelectionChanged, this, &TQzSetsDialog::ChangeState);
    connect(EdDescrip, &QLineEdit::textEdited, this, &TQzSetsDialog::EdDescripChange);
    connect(BtAdd, &QPushButton::clicked, this, &TQzSetsDialog::BtAddClick);
    connect(BtModify, &QPushButton::clicked, this, &TQzSetsDialog::BtModifyClick);
    connect(BtDelete, &QPushButton::clicked, this, &TQzSetsDialog::BtDeleteClick);
    connect(BtManager, &QPushButton::clicked, this, &TQzSetsDialog::BtManagerClick);
}

TQzPkgDisplay* TQzSetsDialog::Display() const {
    return FApp ? FApp->PkgDisplay() : nullptr;
}

TQzPkgDisplaySets* TQzSetsDialog::Sets() const {
    TQzPkgDisplay* display = Display();
    return display ? FKind.Sets(*display) : nullptr;
}

void TQzSetsDialog::PrepareList() {
    setWindowTitle(FApp ? QStringLiteral("%1 (%2)").arg(FKind.Plural, FApp->Name()) : FKind.Plural);
    LoadSets();
    UpdateInfo();
}

// By name, ordinal and case-sensitive; the names are unique ignoring case anyway.
void TQzSetsDialog::LoadSets() {
    QList<TQzPkgDisplaySet*> sets;
    if (TQzPkgDisplaySets* list = Sets())
        for (int i = 0; i < list->Count(); ++i)
            sets << list->GetItems(i);
    std::stable_sort(sets.begin(), sets.end(),
                     [](const TQzPkgDisplaySet* a, const TQzPkgDisplaySet* b) {
                         return a->Name().compare(b->Name(), Qt::CaseSensitive) < 0;
                     });
    List->SetSets(sets);
    ChangeState();
}

void TQzSetsDialog::ChangeState() {
    const bool canAdd = Sets() != nullptr;
    const bool selected = List->Selected() != nullptr;
    BtAdd->setEnabled(canAdd);
    BtModify->setEnabled(canAdd && selected);
    BtDelete->setEnabled(canAdd && selected);
    const Qt::FocusPolicy policy = canAdd ? Qt::StrongFocus : Qt::ClickFocus;
    List->setFocusPolicy(policy);
    EdDescrip->setFocusPolicy(policy);
}

void TQzSetsDialog::UpdateInfo() {
    const TQzPkgDisplaySets* list = Sets();
    const int count = list ? list->Count() : 0;
    StatusBar1->showMessage(
        QStringLiteral("%1 %2").arg(count).arg(count == 1 ? FKind.Singular : FKind.Plural));
}

void TQzSetsDialog::SelectByName(const QString& name) {
    TQzPkgDisplaySets* list = Sets();
    TQzPkgDisplaySet* set = list && !name.isEmpty() ? list->Find(name) : nullptr;
    const int row = List->RowOf(set);
    List->SelectRow(row);
    EdDescrip->setText(row >= 0 ? set->Name() : QString());
    ChangeState();
}

void TQzSetsDialog::SetsClick() {
    if (const TQzPkgDisplaySet* set = List->Selected())
        EdDescrip->setText(set->Name());
    ChangeState();
}

void TQzSetsDialog::SetsDblClick() {
    if (BtModify->isEnabled())
        BtModifyClick();
}

void TQzSetsDialog::EdDescripChange() {
    Search(EdDescrip->text());
}

void TQzSetsDialog::Search(const QString& text) {
    const QString wanted = text.toLower();
    for (int row = 0; row < List->count(); ++row)
        if (List->Set(row)->Name().toLower().localeAwareCompare(wanted) >= 0) {
            List->SelectRow(row);
            break;
        }
    ChangeState();
}

std::optional<QString> TQzSetsDialog::runAddDialog(TQzPkgDisplaySet* set) {
    std::unique_ptr<TQzSetsAddDialog> dialog = FKind.CreateAddDialog(this);
    dialog->setWindowTitle((set ? QStringLiteral("Modify ") : QStringLiteral("Add ")) + FKind.What);
    dialog->ModifyMode = set != nullptr;
    dialog->Item = set;
    dialog->App = FApp;
    const bool ok = dialog->Execute() == mrOk;
    if (dialog->PackageTouched() && !ok)
        PackageChanged();
    if (!ok)
        return std::nullopt;
    return dialog->Item->Name();
}

void TQzSetsDialog::BtAddClick() {
    if (!BtAdd->isEnabled())
        return;
    if (const std::optional<QString> name = runAddDialog(nullptr)) {
        LoadSets();
        SelectByName(*name);
        UpdateInfo();
        List->setFocus();
        PackageChanged();
    }
}

void TQzSetsDialog::BtModifyClick() {
    TQzPkgDisplaySet* set = List->Selected();
    if (!set || !BtModify->isEnabled())
        return;
    const QString before = set->Name();
    if (const std::optional<QString> name = runAddDialog(set)) {
        if (*name != before) {
            LoadSets();
            SelectByName(*name);
        }
        List->viewport()->update();
        PackageChanged();
    }
}

void TQzSetsDialog::BtDeleteClick() {
    if (TQzPkgDisplaySet* set = List->Selected(); set && BtDelete->isEnabled())
        DeleteItem(set);
}

void TQzSetsDialog::DeleteItem(TQzPkgDisplaySet* set) {
    const int row = List->RowOf(set);
    if (row >= 0)
        delete List->takeItem(row);
    delete set;
    if (row >= 0) {
        const int next = std::min(row, List->count() - 1);
        List->SelectRow(next);
        const TQzPkgDisplaySet* selected = List->Set(next);
        EdDescrip->setText(selected ? selected->Name() : QString());
    }
    ChangeState();
    UpdateInfo();
    PackageChanged();
}

void TQzSetsDialog::BtManagerClick() {
    TFrManager manager(this);
    manager.Execute(FKind.ManagerKind, QString(), EdDescrip->text());
}

void TQzSetsDialog::PackageChanged() {
    FChanged = true;
}

bool TQzSetsDialog::ManagerEditsKind(TQzDlgManager kind) const {
    return kind == FKind.ManagerKind;
}

QString TQzSetsDialog::ManagerPackageName() const {
    return QString();
}

void TQzSetsDialog::ManagerDeleteItem(TQzDlgManager kind, TCollectionItem* item) {
    if (kind == FKind.ManagerKind)
        if (auto* set = qobject_cast<TQzPkgDisplaySet*>(item))
            DeleteItem(set);
}

// ---------------------------------------------------------------------------------------------
// Picking

TQzSetPicker::TQzSetPicker(QWidget* parent, const TQzSetsKind& kind)
    : TQzSetsDialog(parent, kind) {}

TQzSetPicker::~TQzSetPicker() = default;

void TQzSetPicker::BindPicker() {
    auto* null = findChild<QPushButton*>(QStringLiteral("BtNull"));
    auto* byDefault = findChild<QPushButton*>(QStringLiteral("BtDefault"));
    Q_ASSERT(null && byDefault);
    connect(null, &QPushButton::clicked, this, &TQzSetPicker::BtNullClick);
    connect(byDefault, &QPushButton::clicked, this, &TQzSetPicker::BtDefaultClick);
}

int TQzSetPicker::Execute() {
    Q_ASSERT(FRef);
    if (!Application())
        SetApplication(QzCApp());
    if (TQzPkgDisplay* display = Display();
        display && display->IsFileStored() && display->FileModified()) {
        try {
            display->LoadFile();
        } catch (const Exception& e) {
            // The sets in memory stay; the person learns why the file was not read.
            QzMsg(TQzMessageType::mtError, e.Message());
        }
    }
    PrepareList();
    // A default set the runtime does not name cannot be selected: the marker itself stays in
    // the name box, so that OK keeps it.
    if (FRef->IsDefault() && FRef->DefaultSet().isEmpty()) {
        List->SelectRow(-1);
        EdDescrip->setText(TQzSetRef::DefaultSetMarker());
        ChangeState();
    } else {
        SelectByName(FRef->SetNameResolved());
    }
    EdDescrip->setFocus();
    const int result = ShowModal();
    saveDisplay();
    if (result == mrOk) {
        QString name = EdDescrip->text();
        const QString& defaultSet = FRef->DefaultSet();
        if (!defaultSet.isEmpty() && name.compare(defaultSet, Qt::CaseInsensitive) == 0)
            name = TQzSetRef::DefaultSetMarker();
        FRef->SetName(name);
    }
    return result;
}

void TQzSetPicker::BtNullClick() {
    EdDescrip->clear();
    SetModalResult(mrOk);
}

void TQzSetPicker::BtDefaultClick() {
    EdDescrip->setText(TQzSetRef::DefaultSetMarker());
    SetModalResult(mrOk);
}

void TQzSetPicker::Search(const QString& text) {
    if (Kind().DefaultKeepsSelection && isDefaultMarker(text))
        return;
    TQzSetsDialog::Search(text);
}

void TQzSetPicker::SetsDblClick() {
    if (List->Selected())
        SetModalResult(mrOk);
}

void TQzSetPicker::PackageChanged() {
    TQzSetsDialog::PackageChanged();
    if (TQzPkgDisplay* display = Display(); display && !display->IsFileStored())
        QzDesignerModified(Application());
}

// Only a package the picker changed is written: merely choosing a set leaves the file alone,
// even a read-only one.
void TQzSetPicker::saveDisplay() {
    TQzPkgDisplay* display = Display();
    if (!display || !Changed())
        return;
    try {
        display->SaveFile();
    } catch (const Exception& e) {
        FSaveError = e.Message();
        QzMsg(TQzMessageType::mtError, e.Message());
    }
}
