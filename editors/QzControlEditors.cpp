#include "editors/QzControlEditors.h"

#include "QzCollection.h"
#include "QzContainers.h"
#include "QzDraw.h"
#include "QzMemos.h"
#include "QzMenus.h"
#include "controls/QzCollectionEditor.h"
#include "controls/QzMenusEditor.h"
#include "controls/QzMultiLine.h"
#include "controls/QzRichEdit.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>

// ---- Multi-line texts

TPropertyAttributes TQzMultiLinePropertyEditor::GetAttributes() {
    return TQzDialogProperty::GetAttributes() | paAutoUpdate;
}

// The memo's lines are the value however the window was closed; SetValue writes them to every
// selected component and tells the designer.
bool TQzMultiLinePropertyEditor::ExecuteDialog() {
    TFrMultiLine dialog;
    QString result;
    dialog.Execute(QStringLiteral("Property: ") + GetName(), GetStrValue(), result);
    SetValue(result);
    return false;
}

// ---- Menus

TPropertyAttributes TQzMenuPropertyEditor::GetAttributes() {
    return TPropertyEditor::GetAttributes() | paDialog | paReadOnly;
}

QString TQzMenuPropertyEditor::GetValue() {
    return QStringLiteral("(Menu)");
}

void TQzMenuPropertyEditor::Edit() {
    if (auto* menu = qobject_cast<TComponent*>(GetComponent(0)))
        TFrMenus::ShowMenusEditor(menu, Designer());
}

// ---- Collections

TPropertyAttributes TQzCollectionPropertyEditor::GetAttributes() {
    return TPropertyEditor::GetAttributes() | paDialog | paReadOnly;
}

QString TQzCollectionPropertyEditor::GetValue() {
    QObject* value = GetObjectValue();
    if (!value)
        return TPropertyEditor::GetValue();
    if (auto* collection = qobject_cast<TQzCollection*>(value);
        collection && collection->GetOwner())
        return QStringLiteral("(%1)").arg(collection->DisplayText());
    return QStringLiteral("(%1)").arg(QString::fromLatin1(value->metaObject()->className()));
}

// Every collection gets its window, not only the library's own: a form's data sources are kept
// in a plain one.
void TQzCollectionPropertyEditor::Edit() {
    if (auto* collection = qobject_cast<TCollection*>(GetObjectValue()))
        TFrCollection::ShowCollectionEditor(collection, Designer(), PageControlWindow());
}

// ---- Rich text

TPropertyAttributes TQzRichEditPropertyEditor::GetAttributes() {
    return paDialog | paReadOnly;
}

// The editor writes the component and tells the designer itself.
bool TQzRichEditPropertyEditor::ExecuteDialog() {
    TFrRichEdit dialog;
    dialog.SetComponent(qobject_cast<TQzCustomRichEditOle*>(GetComponent(0)));
    dialog.SetDesigner(Designer());
    dialog.Execute();
    return false;
}

// ---------------------------------------------------------------------------------------------
// Component editors

void TQzMainMenuComponentEditor::Edit() {
    TFrMenus::ShowMenusEditor(Component(), GetDesigner());
}

namespace {

// The menu as it shows at run time: captions from their labels, pictures, separators,
// sub-menus, check marks; hidden items left out.
void fillMenu(QMenu* menu, const TQzMenuItem* items, bool images, int imageSize) {
    for (int i = 0; i < items->Count(); ++i) {
        const TQzMenuItem* item = items->Items(i);
        if (!item->FVisible)
            continue;
        if (item->IsLine()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (item->Count() > 0) {
            QMenu* sub = menu->addMenu(item->Text());
            fillMenu(sub, item, images, imageSize);
            action = sub->menuAction();
        } else {
            action = menu->addAction(item->Text());
        }
        action->setEnabled(item->FEnabled);
        action->setCheckable(item->FChecked);
        action->setChecked(item->FChecked);
        if (images && item->Image()->Defined()) {
            QPixmap picture(imageSize, imageSize);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            if (QzDrawImage(painter, picture.rect(), *item->Image(), true, false))
                action->setIcon(QIcon(picture));
        }
    }
}

} // namespace

QString TQzPopupMenuComponentEditor::GetVerb(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("View &PopupMenu");
    case 1:
        return QStringLiteral("Build SystemMenu");
    default:
        return {};
    }
}

int TQzPopupMenuComponentEditor::GetVerbCount() {
    return 2;
}

void TQzPopupMenuComponentEditor::ExecuteVerb(int index) {
    auto* popup = qobject_cast<TQzPopupMenu*>(Component());
    if (!popup)
        return;
    if (index == 0) {
        auto* menu = new QMenu;
        menu->setObjectName(QStringLiteral("PopupMenuView"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        fillMenu(menu, popup->Items(), popup->FImagesVisible, popup->FImageSize);
        menu->popup(QCursor::pos());
        return;
    }
    if (index != 1)
        return;
    popup->FImagesVisible = true;
    TQzMenuItem* items = popup->Items();
    const auto has = [items](TQzMenuItemDefaultAction action) {
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->DefaultAction() == action)
                return true;
        return false;
    };
    // Made by the designer when there is one, so that it sees them come.
    const auto append = [&](TQzMenuItemDefaultAction action, const QString& caption) {
        TQzMenuItem* item = nullptr;
        if (IDesigner* designer = GetDesigner())
            item = qobject_cast<TQzMenuItem*>(
                designer->CreateComponent(ClassOf<TQzMenuItem>(), nullptr, -1, -1, -1, -1));
        else
            item = new TQzMenuItem(popup->Owner());
        if (!item)
            return;
        item->SetDefaultAction(action);
        item->FCaption = caption;
        items->Add(item);
    };
    for (TQzMenuItemDefaultAction action :
         {daCalculator, daCalendar, daMemoEditor, daImageEditor, daRichEditor})
        if (!has(action))
            append(action, QString());
    if (!has(daAbout)) {
        append(daNone, QStringLiteral("-"));
        append(daAbout, QString());
    }
    Modified();
}

void TQzPageControlComponentEditor::Edit() {
    if (auto* control = qobject_cast<TQzCustomPageControl*>(Component()))
        TFrCollection::ShowCollectionEditor(control->Tabs(), GetDesigner(), true);
}
