#include "editors/QzReferenceEditors.h"

#include "QzCApplication.h"
#include "QzRefs.h"
#include "editors/QzShowPrivileges.h"
#include "pickers/QzMemoryImage.h"
#include "pickers/QzMemoryLabel.h"
#include "pickers/QzMemoryTexts.h"
#include "pickers/QzSetPickers.h"

TQzHook<void(TQzPkgPrivileges*)> ShowPrivileges;
TQzHook<bool(TQzPkgPrivileges*, TQzPrivilege*)> ShowPrivilege;

namespace {

// What follows "(id, package)": the item's text, and a label's hint after " - ".
QString itemText(const TQzMemoryLabel& label) {
    const QString hint = label.Hint();
    return u' ' + label.Text() + (hint.isEmpty() ? QString() : QStringLiteral(" - ") + hint);
}

QString itemText(const TQzMemoryMessage& message) {
    return u' ' + message.Text();
}

QString itemText(const TQzMemoryText& text) {
    return u' ' + text.Text();
}

QString itemText(const TQzMemoryImage&) {
    return QString();
}

// The picker made for this one choice on `ref`, freed on return; true on OK.
template <typename TPicker, typename TRef>
bool pick(TRef* ref) {
    if (!ref)
        return false;
    TPicker picker;
    picker.SetReference(ref);
    return picker.Execute() == mrOk;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Package items

// Several components may be selected: the picker runs on the first and the others follow.
template <typename TRef, typename TPicker>
TPropertyAttributes TQzMemoryRefProperty<TRef, TPicker>::GetAttributes() {
    return TQzObjectDialogProperty<TRef>::GetAttributes() | paReadOnly | paMultiSelect;
}

template <typename TRef, typename TPicker>
QString TQzMemoryRefProperty<TRef, TPicker>::GetValue() {
    const TRef* ref = this->Value(0);
    if (!ref)
        return QString();
    if (ref->Id() == TQzMemoryRef::DefaultItem)
        return QStringLiteral("(Default)");
    if (ref->Id() < 0)
        return QStringLiteral("(None)");
    return QStringLiteral("(%1, %2)").arg(ref->Id()).arg(ref->PkgName()) + itemText(*ref);
}

template <typename TRef, typename TPicker>
bool TQzMemoryRefProperty<TRef, TPicker>::ExecuteDialog() {
    return pick<TPicker>(this->Value(0));
}

template class TQzMemoryRefProperty<TQzMemoryLabel, TFrMemoryLabel>;
template class TQzMemoryRefProperty<TQzMemoryMessage, TFrMemoryMessage>;
template class TQzMemoryRefProperty<TQzMemoryText, TFrMemoryText>;
template class TQzMemoryRefProperty<TQzMemoryImage, TFrMemoryImage>;

// ---------------------------------------------------------------------------------------------
// Display sets

template <typename TRef, typename TPicker>
TPropertyAttributes TQzSetRefProperty<TRef, TPicker>::GetAttributes() {
    return TQzObjectDialogProperty<TRef>::GetAttributes() | paMultiSelect;
}

template <typename TRef, typename TPicker>
QString TQzSetRefProperty<TRef, TPicker>::GetValue() {
    const TRef* ref = this->Value(0);
    return ref ? ref->Name() : QString();
}

template <typename TRef, typename TPicker>
void TQzSetRefProperty<TRef, TPicker>::SetValue(const QString& value) {
    if (!this->Value(0))
        return;
    for (int i = 0; i < this->PropCount(); ++i)
        if (TRef* ref = this->Value(i))
            ref->SetName(value);
    this->Modified();
}

template <typename TRef, typename TPicker>
bool TQzSetRefProperty<TRef, TPicker>::AllEqual() {
    const TRef* first = this->Value(0);
    for (int i = 1; i < this->PropCount(); ++i) {
        const TRef* ref = this->Value(i);
        if (!first || !ref || ref->Name().compare(first->Name(), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

template <typename TRef, typename TPicker>
bool TQzSetRefProperty<TRef, TPicker>::ExecuteDialog() {
    return pick<TPicker>(this->Value(0));
}

// The name alone: each property keeps its own default set.
template <typename TRef, typename TPicker>
void TQzSetRefProperty<TRef, TPicker>::CopyResult(int index) {
    if (TRef* ref = this->Value(index))
        ref->SetName(this->Value(0)->Name());
}

template class TQzSetRefProperty<TQzSetColor, TFrSetColor>;
template class TQzSetRefProperty<TQzSetFont, TFrSetFont>;
template class TQzSetRefProperty<TQzSetBackGround, TFrSetBackGround>;

// ---------------------------------------------------------------------------------------------
// Privileges

TPropertyAttributes TQzPrivilegeProperty::GetAttributes() {
    return TQzObjectDialogProperty::GetAttributes() | paMultiSelect | paReadOnly;
}

QString TQzPrivilegeProperty::GetValue() {
    const TQzPrivilege* privilege = Value(0);
    if (!privilege)
        return QString();
    if (privilege->Id() < 0)
        return QStringLiteral("(None)");
    static const char* const Access[] = {"N", "R", "R/W"};
    const int access = privilege->Access();
    QString text =
        QStringLiteral("(%1, %2)")
            .arg(privilege->Id())
            .arg(access >= 0 && access <= 2 ? QLatin1String(Access[access]) : QLatin1String());
    if (const std::optional<TQzPrivilegeInfo> info = privilege->Info();
        info && !info->Name.isEmpty())
        text += QStringLiteral(" - ") + info->Name;
    return text;
}

bool TQzPrivilegeProperty::AllEqual() {
    const TQzPrivilege* first = Value(0);
    for (int i = 1; i < PropCount(); ++i) {
        const TQzPrivilege* privilege = Value(i);
        if (!first || !privilege || privilege->Id() != first->Id())
            return false;
    }
    return true;
}

bool TQzPrivilegeProperty::ExecuteDialog() {
    TQzPrivilege* privilege = Value(0);
    return privilege && ShowPrivilege(QzCAppRequired().Privileges(), privilege);
}

void TQzPrivilegeProperty::CopyResult(int index) {
    if (TQzPrivilege* privilege = Value(index))
        privilege->SetId(Value(0)->Id());
}
