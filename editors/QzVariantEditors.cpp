#include "editors/QzVariantEditors.h"

#include "QzBars.h"
#include "QzButtons.h"
#include "QzCasts.h"
#include "QzContainers.h"
#include "QzDates.h"
#include "QzEdits.h"
#include "QzLabels.h"
#include "QzLists.h"
#include "QzNumbers.h"

namespace {

const QString NullText = QStringLiteral("{NULL}");

bool isNullValue(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<std::nullptr_t>();
}

QVariant nullValue() {
    return QVariant::fromValue(nullptr);
}

bool isNumberType(TQzDataType dataType) {
    return dataType == dtInteger || dataType == dtFloat || dataType == dtCurrency;
}

// The control the editor edits; the bindings only ever hand an editor its own kind of control.
template <typename C>
C* controlOf(const TPropertyEditor& editor) {
    TPersistent* component = editor.GetComponent(0);
    auto* control = qobject_cast<C*>(component);
    if (!control)
        throw EConvertError(
            QStringLiteral("The %1 editor of %2 does not fit %3")
                .arg(editor.GetName(), QString::fromLatin1(C::staticMetaObject.className()),
                     component ? component->ClassName() : QStringLiteral("nothing")));
    return control;
}

} // namespace

QString VariantToString(TQzDataType dataType, const QVariant& value) {
    if (isNullValue(value))
        return NullText;
    // An unassigned value has no text under any type; a number type would otherwise show 0.
    if (!value.isValid())
        return QString();
    if (isNumberType(dataType))
        return QzANumericToStr(QzDataCast(value, dtFloat).toDouble(), QStringLiteral(">"), 0, 8);
    if (dataType == dtString)
        return QzDataCast(value, dtString).toString();
    if (dataType == dtDateTime)
        return QzADateTimeToStr(QzDataCast(value, dtDateTime).toDateTime(),
                                QStringLiteral("dmyhns"), dyFourDigits);
    return QString();
}

QVariant StringToVariant(TQzDataType dataType, const QString& text) {
    if (text.compare(NullText, Qt::CaseInsensitive) == 0)
        return nullValue();
    if (isNumberType(dataType))
        return QzAStrToNumeric(text, 8);
    if (dataType == dtString)
        return text;
    if (dataType == dtDateTime)
        return QzAStrToDate(text);
    return QVariant();
}

// ---------------------------------------------------------------------------------------------
// Control values

TPropertyAttributes TQzControlVariantEditor::GetAttributes() {
    return paRevertable;
}

QString TQzControlVariantEditor::GetValue() {
    return VariantToString(DataType(), GetVarValue());
}

void TQzControlVariantEditor::SetValue(const QString& value) {
    SetVarValue(StringToVariant(DataType(), value));
}

TQzDataType TQzEditVariantPropertyEditor::DataType() const {
    return controlOf<TQzCustomEdit>(*this)->GetDataType();
}

TQzDataType TQzUpDownExMaxVariantPropertyEditor::DataType() const {
    return controlOf<TQzUpDownEx>(*this)->GetDataType();
}

TQzDataType TQzUpDownExMinVariantPropertyEditor::DataType() const {
    return controlOf<TQzUpDownEx>(*this)->GetDataType();
}

TQzDataType TQzUpDownExPositionVariantPropertyEditor::DataType() const {
    return controlOf<TQzUpDownEx>(*this)->GetDataType();
}

TQzDataType TQzLabelVariantPropertyEditor::DataType() const {
    return controlOf<TQzBasicLabel>(*this)->GetDataType();
}

TQzDataType TQzListBoxVariantPropertyEditor::DataType() const {
    return controlOf<TQzCustomListBox>(*this)->GetDataType();
}

TQzDataType TQzRadioGroupVariantPropertyEditor::DataType() const {
    return controlOf<TQzRadioGroup>(*this)->GetDataType();
}

TQzDataType TQzCheckBoxVariantPropertyEditor::DataType() const {
    return controlOf<TQzCheckBox>(*this)->GetDataType();
}

TQzDataType TQzRadioButtonVariantPropertyEditor::DataType() const {
    return controlOf<TQzRadioButton>(*this)->GetDataType();
}

// ---------------------------------------------------------------------------------------------
// Status bar panels

TQzStatusBarPanel* TQzStatusBarVariantPropertyEditor::SelectedPanel() const {
    if (!Designer())
        return nullptr;
    const QList<TPersistent*> selection = Designer()->GetSelections();
    return selection.size() == 1 ? qobject_cast<TQzStatusBarPanel*>(selection.front()) : nullptr;
}

QString TQzStatusBarVariantPropertyEditor::GetValue() {
    TQzStatusBarPanel* panel = SelectedPanel();
    return panel ? VariantToString(panel->GetDataType(), panel->GetValue()) : QString();
}

void TQzStatusBarVariantPropertyEditor::SetValue(const QString& value) {
    TQzStatusBarPanel* panel = SelectedPanel();
    if (!panel)
        return;
    panel->SetValue(StringToVariant(panel->GetDataType(), value));
    Modified();
}

// ---------------------------------------------------------------------------------------------
// Page controls

TQzCustomPageControl* TQzPageControlVariantPropertyEditor::PageControl() const {
    return controlOf<TQzCustomPageControl>(*this);
}

QString TQzPageControlVariantPropertyEditor::GetValue() {
    try {
        return VariantToString(PageControl()->GetDataType(), GetVarValue());
    } catch (const Exception&) {
        return QString();
    }
}

namespace {

// A tab's value as plain text, which reads back under the page control's data type; "" for a
// value that has none.
QString tabValueText(const QVariant& value) {
    if (isNullValue(value))
        return NullText;
    try {
        return QzDataCast(value, dtString).toString();
    } catch (const Exception&) {
        return QString();
    }
}

} // namespace

void TQzPageControlVariantPropertyEditor::GetValues(const TGetStrProc& proc) {
    TQzCustomPageControl* pageControl = PageControl();
    for (int i = 0; i < pageControl->Tabs()->Count(); ++i) {
        const TQzTabControl* tab = pageControl->GetTab(i);
        QString entry = tabValueText(tab->GetValue());
        if (!tab->GetDescription().isEmpty())
            entry += QStringLiteral(" - ") + tab->GetDescription();
        proc(entry);
    }
}

void TQzPageControlVariantPropertyEditor::SetValue(const QString& value) {
    const TQzDataType dataType = PageControl()->GetDataType();
    const QString text = value.trimmed();
    // The first "-" starts the description, except the minus sign of a number.
    const bool negative = isNumberType(dataType) && text.startsWith(u'-');
    const qsizetype dash = text.indexOf(u'-', negative ? 1 : 0);
    SetVarValue(StringToVariant(dataType, (dash < 0 ? text : text.left(dash)).trimmed()));
}

// ---------------------------------------------------------------------------------------------
// Any variant

QString TQzVariantPropertyEditor::GetValue() {
    const QVariant value = GetVarValue();
    if (!value.isValid() || isNullValue(value))
        return NullText;
    return QzDataCast(value, dtString).toString();
}

void TQzVariantPropertyEditor::SetValue(const QString& value) {
    SetVarValue(value.compare(NullText, Qt::CaseInsensitive) == 0 ? nullValue() : QVariant(value));
}

bool TQzVariantPropertyEditor::AllEqual() {
    const auto normalized = [this](int index) {
        const QVariant value = GetVarValueAt(index);
        return value.isValid() ? value : nullValue();
    };
    const QVariant first = normalized(0);
    for (int i = 1; i < PropCount(); ++i)
        if (normalized(i) != first)
            return false;
    return true;
}
