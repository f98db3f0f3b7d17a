#include "editors/QzValueListEditors.h"

#include "QzButtons.h"
#include "QzEdits.h"
#include "QzGraphics.h"
#include "QzImageControls.h"
#include "QzMenus.h"
#include "QzPkgImages.h"
#include "QzPkgVars.h"

namespace {

QStringList& modalResultNames() {
    static QStringList names;
    return names;
}

void offer(const QStringList& names, const TGetStrProc& proc) {
    for (const QString& name : names)
        proc(name);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Modal results

void QzCreateModalResultNames() {
    modalResultNames() = {
        QStringLiteral("mrNone"),   QStringLiteral("mrOk"),       QStringLiteral("mrCancel"),
        QStringLiteral("mrAbort"),  QStringLiteral("mrRetry"),    QStringLiteral("mrIgnore"),
        QStringLiteral("mrYes"),    QStringLiteral("mrNo"),       QStringLiteral("mrClose"),
        QStringLiteral("mrHelp"),   QStringLiteral("mrTryAgain"), QStringLiteral("mrContinue"),
        QStringLiteral("mrAll"),    QStringLiteral("mrNoToAll"),  QStringLiteral("mrYesToAll"),
        QStringLiteral("mrCommit"), QStringLiteral("mrRollBack"), QStringLiteral("mrHelp"),
        QStringLiteral("mrDetail"), QStringLiteral("mrClose"),
    };
}

void QzFreeModalResultNames() {
    modalResultNames().clear();
}

const QStringList& QzModalResultNames() {
    return modalResultNames();
}

TPropertyAttributes TQzModalResultProperty::GetAttributes() {
    return paValueList | paMultiSelect | paSortList | paRevertable;
}

QString TQzModalResultProperty::GetValue() {
    const qint64 value = GetOrdValue();
    const QStringList& names = QzModalResultNames();
    return value >= 0 && value < names.size() ? names[value] : QString::number(value);
}

// Two values share the names mrHelp and mrClose; each name is offered once, and choosing it
// stores the first value that has it.
void TQzModalResultProperty::GetValues(const TGetStrProc& proc) {
    QStringList names = QzModalResultNames();
    names.removeDuplicates();
    offer(names, proc);
}

void TQzModalResultProperty::SetValue(const QString& value) {
    const QString text = value.trimmed();
    if (text.isEmpty())
        return SetOrdValue(0);
    const QStringList& names = QzModalResultNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (text.compare(names[i], Qt::CaseInsensitive) == 0)
            return SetOrdValue(i);
    TIntegerProperty::SetValue(text);
}

TPropertyAttributes TQzWideProperty::GetAttributes() {
    return paValueList | paMultiSelect | paRevertable;
}

void TQzWideProperty::GetValues(const TGetStrProc& proc) {
    for (int width = 1; width <= 20; ++width)
        proc(QString::number(width));
}

// ---------------------------------------------------------------------------------------------
// Names of picture formats and loaded packages

TPropertyAttributes TQzImagePkgNameProperty::GetAttributes() {
    return paValueList | paMultiSelect | paRevertable;
}

void TQzImagePkgNameProperty::GetValues(const TGetStrProc& proc) {
    QStringList names;
    QzPkgImagesActives(names);
    offer(names, proc);
}

TPropertyAttributes TQzImageGraphicClassProperty::GetAttributes() {
    return paValueList | paMultiSelect | paSortList | paRevertable;
}

void TQzImageGraphicClassProperty::GetValues(const TGetStrProc& proc) {
    QStringList names;
    QzFormatGraphics(names);
    offer(names, proc);
}

TPropertyAttributes TQzPkgVarsPkgVarsProperty::GetAttributes() {
    return paValueList | paMultiSelect | paSortList;
}

void TQzPkgVarsPkgVarsProperty::GetValues(const TGetStrProc& proc) {
    QStringList names;
    QzPkgVarsActives(names);
    offer(names, proc);
}

TPropertyAttributes TQzPkgInitModeProperty::GetAttributes() {
    return paValueList | paReadOnly;
}

void TQzPkgInitModeProperty::SetValue(const QString&) {}

// ---------------------------------------------------------------------------------------------
// Components of the form

void TQzMainBtnPropertyEditor::GetValues(const TGetStrProc& proc) {
    if (!Designer())
        return;
    Designer()->GetComponentNames(&TQzBitBtn::staticMetaObject, proc);
    Designer()->GetComponentNames(&TQzSpeedButton::staticMetaObject, proc);
}

void TQzImageBarImagePropertyEditor::GetValues(const TGetStrProc& proc) {
    if (!Designer())
        return;
    Designer()->GetComponentNames(&TQzCustomImage::staticMetaObject, proc);
    Designer()->GetComponentNames(&TQzCustomFocusImage::staticMetaObject, proc);
}

void TQzUpDownAssociatePropertyEditor::GetValues(const TGetStrProc& proc) {
    if (Designer())
        Designer()->GetComponentNames(&TQzCustomEdit::staticMetaObject, proc);
}

// ---------------------------------------------------------------------------------------------
// Windows lists

TPropertyAttributes TQzWindowsListEditor::GetAttributes() {
    return paValueList | paSortList | paRevertable;
}

QString TQzWindowsListEditor::GetValue() {
    auto* item = qobject_cast<TComponent*>(GetObjectValue());
    if (!item)
        return QString();
    return Designer() ? Designer()->GetComponentName(item) : item->Name();
}

void TQzWindowsListEditor::GetValues(const TGetStrProc& proc) {
    TQzCustomMenu* menu = Menu();
    TComponent* root = Designer() ? Designer()->GetRoot() : nullptr;
    if (!menu || !root)
        return;
    for (TComponent* component : root->ComponentList()) {
        auto* item = qobject_cast<TQzMenuItem*>(component);
        if (item && menu->ValidAssignWindowsList(item))
            proc(item->Name());
    }
}

void TQzWindowsListEditor::SetValue(const QString& value) {
    const QString name = value.trimmed();
    if (name.isEmpty())
        return SetObjectValue(nullptr);
    // Only a menu item may go into the property, whatever else the form calls by that name.
    auto* item = Designer() ? qobject_cast<TQzMenuItem*>(Designer()->GetComponent(name)) : nullptr;
    if (!item)
        throw EConvertError(QStringLiteral("%1 is not a menu item of the form").arg(name));
    SetObjectValue(item);
}

TQzCustomMenu* TQzMainMenuWindowsListEditor::Menu() const {
    return qobject_cast<TQzMainMenu*>(GetComponent(0));
}

TQzCustomMenu* TQzPanelMenuWindowsListEditor::Menu() const {
    auto* panel = qobject_cast<TQzPanelMenu*>(GetComponent(0));
    return panel ? panel->Menu() : nullptr;
}
