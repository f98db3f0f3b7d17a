#include "packages/QzPkgStringsPages.h"

#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "pickers/QzPickerList.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

TQzPkgItemList* QzStringsItems(const TQzPkgStrings* pkg, TQzStringsKind kind) {
    if (!pkg)
        return nullptr;
    switch (kind) {
    case TQzStringsKind::Labels:
        return pkg->Labels();
    case TQzStringsKind::Messages:
        return pkg->Messages();
    case TQzStringsKind::Texts:
        break;
    }
    return pkg->Texts();
}

QString QzStringsKindWord(TQzStringsKind kind, bool plural) {
    QString word = kind == TQzStringsKind::Labels     ? QStringLiteral("Label")
                   : kind == TQzStringsKind::Messages ? QStringLiteral("Message")
                                                      : QStringLiteral("Text");
    return plural ? word + u's' : word;
}

bool QzStringsSavedToOwnFile(const TQzPkgStrings& pkg) {
    if (auto* language = qobject_cast<TQzPkgLanguage*>(pkg.Owner()))
        return language->IsFileStored() && !language->FileName().isEmpty();
    return pkg.IsFileStored() && !pkg.FileName().isEmpty();
}

void QzSaveStringsFile(TQzPkgStrings& pkg) {
    if (auto* language = qobject_cast<TQzPkgLanguage*>(pkg.Owner()))
        language->SaveFile();
    else
        pkg.SaveFile();
}

TQzStringsPage::TQzStringsPage(QObject* parent, TQzStringsKind kind, const TControls& controls)
    : QObject(parent), FKind(kind), FControls(controls) {}

QString TQzStringsPage::Singular() const {
    return QzStringsKindWord(FKind, false);
}

QString TQzStringsPage::Plural() const {
    return QzStringsKindWord(FKind, true);
}

TQzPkgItemList* TQzStringsPage::Items() const {
    return QzStringsItems(FPkg, FKind);
}

bool TQzStringsPage::byText() const {
    return FControls.OrderLabel && FControls.OrderLabel->isChecked();
}

void TQzStringsPage::Reload() {
    FSelecting = true;
    std::vector<TQzPkgItem*> rows;
    if (TQzPkgItemList* items = Items())
        rows = labels() ? QzPickerRows(*items, byText())
                        : QzPickerFilteredRows(*items, FControls.Search->text());
    FControls.List->Model()->SetRows(std::move(rows));
    FSelecting = false;
    if (labels())
        FControls.Search->clear();
    if (FControls.Detail)
        FControls.Detail->clear();
    IdChange();
}

void TQzStringsPage::IdChange() {
    TQzPkgItemList* items = Items();
    bool ok = false;
    const int id = FControls.Id->text().trimmed().toInt(&ok);
    TQzPkgItem* item = ok && items ? items->FindId(id) : nullptr;
    const int row = FControls.List->Model()->RowOf(item);
    selectRow(row);
    if (row < 0) {
        if (labels())
            FControls.Search->clear();
        if (FControls.Detail)
            FControls.Detail->clear();
        return;
    }
    if (labels())
        FControls.Search->setText(QzPickerItemText(item));
    showItem(item);
}

void TQzStringsPage::SearchChange() {
    if (!labels()) {
        Reload();
        return;
    }
    const std::vector<TQzPkgItem*>& rows = FControls.List->Model()->Rows();
    const int row = QzPickerSearchRow(rows, FControls.Search->text(), byText());
    if (TQzPkgItem* item = FControls.List->Model()->Item(row)) {
        selectRow(row);
        SetId(item->Id());
        showItem(item);
    }
}

void TQzStringsPage::Click() {
    if (FSelecting)
        return;
    TQzPkgItem* item = Selected();
    if (!item)
        return;
    SetId(item->Id());
    if (labels()) {
        FControls.Search->setText(QzPickerItemText(item));
        showItem(item);
    } else {
        IdChange();
    }
}

TQzPkgItem* TQzStringsPage::Selected() const {
    return FControls.List->Model()->Item(FControls.List->CurrentRow());
}

void TQzStringsPage::SetId(int id) {
    FControls.Id->setText(id < 0 ? QString() : QString::number(id));
}

void TQzStringsPage::SetShowProtected(bool show) {
    FControls.List->SetShowProtected(show);
}

void TQzStringsPage::Repaint() {
    FControls.List->viewport()->update();
}

void TQzStringsPage::ItemAdded(TQzPkgItem* item) {
    if (labels()) {
        FSelecting = true;
        const std::vector<TQzPkgItem*>& rows = FControls.List->Model()->Rows();
        FControls.List->Model()->InsertRow(QzPickerSortedRow(rows, item, byText()), item);
        FSelecting = false;
        SetId(item->Id());
        IdChange();
        return;
    }
    SetId(item->Id());
    Reload();
}

// A label keeps its place in the list's order; a message or text whose id changed comes back
// in the reloaded list.
void TQzStringsPage::ItemModified(TQzPkgItem* item, int oldId) {
    TQzPickerModel* model = FControls.List->Model();
    SetId(item->Id());
    if (labels()) {
        FSelecting = true;
        const int row = model->RowOf(item);
        if (row >= 0) {
            model->RemoveRow(row);
            model->InsertRow(QzPickerSortedRow(model->Rows(), item, byText()), item);
        }
        FSelecting = false;
        IdChange();
        return;
    }
    if (item->Id() != oldId)
        Reload();
    else
        model->RowChanged(model->RowOf(item));
    IdChange();
}

void TQzStringsPage::DeleteItem(TQzPkgItem* item) {
    TQzPickerModel* model = FControls.List->Model();
    const int row = model->RowOf(item);
    FSelecting = true;
    if (row >= 0)
        model->RemoveRow(row);
    FSelecting = false;
    delete item;
    if (row >= 0) {
        TQzPkgItem* next = model->Item(std::min(row, model->rowCount() - 1));
        SetId(next ? next->Id() : -1);
    }
    IdChange();
}

void TQzStringsPage::selectRow(int row) {
    FSelecting = true;
    FControls.List->SelectRow(row);
    FSelecting = false;
}

void TQzStringsPage::showItem(TQzPkgItem* item) {
    if (!FControls.Detail)
        return;
    const QString& text =
        labels() ? static_cast<TQzPkgStringsLabel*>(item)->Hint() : QzPickerItemText(item);
    FControls.Detail->setPlainText(QzPickerShownText(text));
}
