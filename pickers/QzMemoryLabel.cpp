#include "pickers/QzMemoryLabel.h"

#include "QzExcept.h"
#include "QzMsg.h"
#include "QzPkgStrings.h"
#include "QzWindows.h"
#include "pickers/QzIdEdit.h"
#include "pickers/QzPickerList.h"
#include "ui_TFrMemoryLabel.h"
#include "ui_TFrMemoryLabelAdd.h"
#include "ui_TFrMemoryLabelAddMultiLine.h"

#include <algorithm>

namespace {

const QString& hintOf(const TQzPkgItem* item) {
    return static_cast<const TQzPkgStringsLabel*>(item)->Hint();
}

} // namespace

TFrMemoryLabel::TFrMemoryLabel(QWidget* parent)
    : TQzMemoryPicker(parent, {QStringLiteral("Label"), QStringLiteral("Labels"), dlmLabels}),
      FUi(std::make_unique<Ui::TFrMemoryLabel>()) {
    FUi->setupUi(this);
    BindControls(FUi->EdLabel);
    connect(FUi->EdLabel, &QLineEdit::textEdited, this, &TFrMemoryLabel::EdLabelChange);
    connect(FUi->OrderLabel, &QRadioButton::clicked, this, &TFrMemoryLabel::OrderLabelClick);
    connect(FUi->OrderId, &QRadioButton::clicked, this, &TFrMemoryLabel::OrderLabelClick);
    FUi->Splitter->setStretchFactor(0, 4);
    FUi->Splitter->setStretchFactor(1, 1);
}

TFrMemoryLabel::~TFrMemoryLabel() = default;

bool TFrMemoryLabel::OrderedByLabel() const {
    return FUi->OrderLabel->isChecked();
}

TQzPkgItemList* TFrMemoryLabel::Items(TQzPkgStrings* pkg) const {
    return pkg->Labels();
}

void TFrMemoryLabel::LoadList() {
    TQzPkgStrings* pkg = Package();
    List->Model()->SetRows(pkg ? QzPickerRows(*pkg->Labels(), OrderedByLabel())
                               : std::vector<TQzPkgItem*>());
}

void TFrMemoryLabel::ShowDetail(TQzPkgItem* item) {
    FUi->EdLabel->setText(item ? QzPickerItemText(item) : QString());
    FUi->EdHint->setPlainText(item ? QzPickerShownText(hintOf(item)) : QString());
}

void TFrMemoryLabel::EdLabelChange() {
    LabelChange();
}

void TFrMemoryLabel::LabelChange() {
    const int row =
        QzPickerSearchRow(List->Model()->Rows(), FUi->EdLabel->text(), OrderedByLabel());
    if (TQzPkgItem* item = List->Model()->Item(row)) {
        SelectRowQuietly(row);
        EdId->setText(QString::number(item->Id()));
        FUi->EdHint->setPlainText(QzPickerShownText(hintOf(item)));
    }
    ChangeState();
}

void TFrMemoryLabel::OrderLabelClick() {
    PkgChange();
    UpdateInfo();
}

int TFrMemoryLabel::sortedRow(const TQzPkgItem* item) const {
    return QzPickerSortedRow(List->Model()->Rows(), item, OrderedByLabel());
}

TQzPkgItem* TFrMemoryLabel::RunAddDialog(TQzPkgItem* item) {
    TQzPkgStrings* pkg = Package();
    TFrMemoryLabelAdd dialog(this);
    int id = 0;
    try {
        id = item ? item->Id() : pkg->Labels()->UniqueId();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return nullptr;
    }
    const QString text = item ? QzPickerItemText(item) : QString();
    const QString hint = item ? FUi->EdHint->toPlainText() : QString();
    if (!dialog.Execute(pkg, item != nullptr, id, text, hint))
        return nullptr;
    return pkg->Labels()->FindId(dialog.Id());
}

void TFrMemoryLabel::ItemAdded(TQzPkgItem* item) {
    List->Model()->InsertRow(sortedRow(item), item);
    SetEdId(item->Id());
    IdChange();
    FUi->EdLabel->setFocus();
}

// The row keeps its place in the list's order, whatever changed.
void TFrMemoryLabel::ItemModified(TQzPkgItem* item, int) {
    const int row = List->Model()->RowOf(item);
    if (row >= 0) {
        List->Model()->RemoveRow(row);
        List->Model()->InsertRow(sortedRow(item), item);
    }
    SetEdId(item->Id());
    IdChange();
    FUi->EdLabel->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Add and modify

TFrMemoryLabelAdd::TFrMemoryLabelAdd(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrMemoryLabelAdd>()) {
    FUi->setupUi(this);
    QzRestrictIdEdit(FUi->EdId);
    connect(FUi->SBEdit, &QToolButton::clicked, this, &TFrMemoryLabelAdd::SBEditClick);
}

TFrMemoryLabelAdd::~TFrMemoryLabelAdd() = default;

bool TFrMemoryLabelAdd::Execute(TQzPkgStrings* pkg, bool modify, int id, const QString& text,
                                const QString& hint) {
    FPkg = pkg;
    FModify = modify;
    setWindowTitle(modify ? QStringLiteral("Modify Label") : QStringLiteral("Add Label"));
    FUi->EdId->setText(QString::number(id));
    FUi->EdLabel->setText(text);
    FUi->EdHint->setPlainText(hint);
    FUi->SBEdit->setToolTip(QStringLiteral("Edición Multilinea"));
    FPriorId = id;
    const bool system =
        pkg->GetPkgName().compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0;
    FUi->EdProtected->setChecked(system);
    FUi->EdProtected->setVisible(system);
    FUi->EdLabel->setFocus();
    return ShowModal() == mrOk;
}

int TFrMemoryLabelAdd::Id() const {
    return FUi->EdId->text().trimmed().toInt();
}

void TFrMemoryLabelAdd::SBEditClick() {
    TFrMemoryLabelAddMultiLine editor(this);
    editor.SetText(FUi->EdLabel->text());
    editor.ShowModal();
    FUi->EdLabel->setText(editor.Text());
}

// The id is checked first, so a refused one leaves the label as it was.
void TFrMemoryLabelAdd::Accepting() {
    const TQzScreenUpdate update;
    const int id = QzTypedId(FUi->EdId->text());
    TQzPkgStringsLabel* label = nullptr;
    if (FModify) {
        label = FPkg->Labels()->FindId(FPriorId);
        if (!label)
            QzExcept(QStringLiteral("The label %1 is no longer in the package").arg(FPriorId));
        label->SetId(id);
        label->SetText(FUi->EdLabel->text());
        label->SetHint(FUi->EdHint->toPlainText());
    } else {
        label = FPkg->Labels()->Add(id, FUi->EdLabel->text(), FUi->EdHint->toPlainText());
    }
    label->Protected = FUi->EdProtected->isChecked();
}

// ---------------------------------------------------------------------------------------------
// Several lines

TFrMemoryLabelAddMultiLine::TFrMemoryLabelAddMultiLine(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrMemoryLabelAddMultiLine>()) {
    FUi->setupUi(this);
}

TFrMemoryLabelAddMultiLine::~TFrMemoryLabelAddMultiLine() = default;

void TFrMemoryLabelAddMultiLine::SetText(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    FUi->Memo->setPlainText(lines);
}

// No line break is added after the last line: opening the editor and closing it leaves the text
// as it was.
QString TFrMemoryLabelAddMultiLine::Text() const {
    return FUi->Memo->toPlainText().split(u'\n').join(QStringLiteral("\r\n"));
}
