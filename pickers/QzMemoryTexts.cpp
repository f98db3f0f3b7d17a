#include "pickers/QzMemoryTexts.h"

#include "QzExcept.h"
#include "QzMsg.h"
#include "QzPkgStrings.h"
#include "QzWindows.h"
#include "pickers/QzIdEdit.h"
#include "pickers/QzPickerList.h"
#include "ui_TFrMemoryMessage.h"
#include "ui_TFrMemoryMessageAdd.h"
#include "ui_TFrMemoryText.h"
#include "ui_TFrMemoryTextAdd.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// The filtered list

void TQzFilteredPicker::BindFilter(QLineEdit* search, QPlainTextEdit* detail) {
    BindControls(search);
    FDetail = detail;
    connect(search, &QLineEdit::textEdited, this, &TQzFilteredPicker::EdSearchChange);
}

void TQzFilteredPicker::EdSearchChange() {
    LoadList();
    IdChange();
}

void TQzFilteredPicker::LoadList() {
    TQzPkgStrings* pkg = Package();
    if (FDetail)
        FDetail->clear();
    List->Model()->SetRows(pkg ? QzPickerFilteredRows(*Items(pkg), SearchEdit()->text())
                               : std::vector<TQzPkgItem*>());
}

void TQzFilteredPicker::ShowDetail(TQzPkgItem* item) {
    if (FDetail)
        FDetail->setPlainText(item ? QzPickerShownText(QzPickerItemText(item)) : QString());
}

TQzPkgItem* TQzFilteredPicker::RunAddDialog(TQzPkgItem* item) {
    TQzPkgStrings* pkg = Package();
    auto* list = static_cast<TQzPkgStringsTexts*>(Items(pkg));
    int id = 0;
    try {
        id = item ? item->Id() : list->UniqueId();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return nullptr;
    }
    std::unique_ptr<TQzDialog> dialog(CreateAddDialog());
    auto* add = static_cast<TQzTextAddDialog*>(dialog.get());
    if (!add->Execute(pkg, list, item != nullptr, id, item ? QzPickerItemText(item) : QString()))
        return nullptr;
    return list->FindId(add->Id());
}

void TQzFilteredPicker::ItemAdded(TQzPkgItem* item) {
    SetEdId(item->Id());
    LoadList();
    IdChange();
    SearchEdit()->setFocus();
}

void TQzFilteredPicker::ItemModified(TQzPkgItem* item, int oldId) {
    SetEdId(item->Id());
    if (item->Id() != oldId)
        LoadList();
    else
        List->Model()->RowChanged(List->Model()->RowOf(item));
    IdChange();
    SearchEdit()->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Messages and texts

TFrMemoryMessage::TFrMemoryMessage(QWidget* parent)
    : TQzFilteredPicker(parent,
                        {QStringLiteral("Message"), QStringLiteral("Messages"), dlmMessages}),
      FUi(std::make_unique<Ui::TFrMemoryMessage>()) {
    FUi->setupUi(this);
    BindFilter(FUi->EdMessage, nullptr);
}

TFrMemoryMessage::~TFrMemoryMessage() = default;

TQzPkgItemList* TFrMemoryMessage::Items(TQzPkgStrings* pkg) const {
    return pkg->Messages();
}

TQzDialog* TFrMemoryMessage::CreateAddDialog() {
    return new TFrMemoryMessageAdd(this);
}

TFrMemoryText::TFrMemoryText(QWidget* parent)
    : TQzFilteredPicker(parent, {QStringLiteral("Text"), QStringLiteral("Texts"), dlmTexts}),
      FUi(std::make_unique<Ui::TFrMemoryText>()) {
    FUi->setupUi(this);
    BindFilter(FUi->EdText, FUi->EdTexto);
    FUi->Splitter->setStretchFactor(0, 3);
    FUi->Splitter->setStretchFactor(1, 1);
}

TFrMemoryText::~TFrMemoryText() = default;

TQzPkgItemList* TFrMemoryText::Items(TQzPkgStrings* pkg) const {
    return pkg->Texts();
}

TQzDialog* TFrMemoryText::CreateAddDialog() {
    return new TFrMemoryTextAdd(this);
}

// ---------------------------------------------------------------------------------------------
// Add and modify

TQzTextAddDialog::TQzTextAddDialog(QWidget* parent, QString what)
    : TQzDialog(parent), FWhat(std::move(what)) {}

void TQzTextAddDialog::BindFields(QLineEdit* id, QPlainTextEdit* text, QCheckBox* protectedBox) {
    FEdId = id;
    FEdText = text;
    FEdProtected = protectedBox;
    QzRestrictIdEdit(FEdId);
}

bool TQzTextAddDialog::Execute(TQzPkgStrings* pkg, TQzPkgStringsTexts* list, bool modify, int id,
                               const QString& text) {
    FList = list;
    FModify = modify;
    setWindowTitle((modify ? QStringLiteral("Modify ") : QStringLiteral("Add ")) + FWhat);
    FEdId->setText(QString::number(id));
    FEdText->setPlainText(text);
    FPriorId = id;
    const bool system =
        pkg->GetPkgName().compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0;
    FEdProtected->setChecked(system);
    FEdProtected->setVisible(system);
    FEdId->setFocus();
    return ShowModal() == mrOk;
}

int TQzTextAddDialog::Id() const {
    return FEdId->text().trimmed().toInt();
}

// The id is checked first, so a refused one leaves the item as it was.
void TQzTextAddDialog::Accepting() {
    const TQzScreenUpdate update;
    const int id = QzTypedId(FEdId->text());
    TQzPkgStringsText* item = nullptr;
    if (FModify) {
        item = FList->FindId(FPriorId);
        if (!item)
            QzExcept(QStringLiteral("The %1 %2 is no longer in the package")
                         .arg(FList->What())
                         .arg(FPriorId));
        item->SetId(id);
        item->SetText(FEdText->toPlainText());
    } else {
        item = FList->Add(id, FEdText->toPlainText());
    }
    item->Protected = FEdProtected->isChecked();
}

TFrMemoryMessageAdd::TFrMemoryMessageAdd(QWidget* parent)
    : TQzTextAddDialog(parent, QStringLiteral("Message")),
      FUi(std::make_unique<Ui::TFrMemoryMessageAdd>()) {
    FUi->setupUi(this);
    BindFields(FUi->EdId, FUi->EdMessage, FUi->EdProtected);
}

TFrMemoryMessageAdd::~TFrMemoryMessageAdd() = default;

TFrMemoryTextAdd::TFrMemoryTextAdd(QWidget* parent)
    : TQzTextAddDialog(parent, QStringLiteral("Text")),
      FUi(std::make_unique<Ui::TFrMemoryTextAdd>()) {
    FUi->setupUi(this);
    BindFields(FUi->EdId, FUi->EdTexto, FUi->EdProtected);
}

TFrMemoryTextAdd::~TFrMemoryTextAdd() = default;
