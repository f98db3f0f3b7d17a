#pragma once

// What the collection window and its page-control variant share: the list entries that stand
// for items and sheets, and the handling of a command's error. Included by their sources only.

#include "Controls.h"
#include "QzContainers.h"
#include "QzExcept.h"
#include "QzMsg.h"
#include "controls/QzCollectionEditor.h"

#include <QListWidget>
#include <QPointer>

namespace QzCollectionEntries {

inline const QString NoneEntry = QStringLiteral("<None>");

inline QObject* entryData(const QListWidget* list, int row) {
    const QListWidgetItem* entry = row >= 0 ? list->item(row) : nullptr;
    return entry ? entry->data(Qt::UserRole).value<QObject*>() : nullptr;
}

// The lists keep plain pointers, and items and sheets may be freed elsewhere: one is taken only
// while the collection or the page control still holds it.
inline TCollectionItem* liveItem(const TCollection* collection, const QObject* object) {
    if (collection && object)
        for (int i = 0; i < collection->Count(); ++i)
            if (collection->Items(i) == object)
                return collection->Items(i);
    return nullptr;
}

inline TQzTabSheet* liveSheet(const TQzCustomPageControl* control, const QObject* object) {
    if (control && object)
        for (TQzTabSheet* sheet : control->TabSheets())
            if (sheet == object)
                return sheet;
    return nullptr;
}

inline int rowOf(const QListWidget* list, const QObject* object) {
    for (int row = 0; row < list->count(); ++row)
        if (entryData(list, row) == object)
            return row;
    return -1;
}

// Sets an entry's text and object where they differ, appending it when the list is shorter.
inline void setEntry(QListWidget* list, int row, const QString& text, QObject* object) {
    QListWidgetItem* entry = list->item(row);
    if (!entry) {
        entry = new QListWidgetItem(text, list);
        entry->setData(Qt::UserRole, QVariant::fromValue(object));
        return;
    }
    if (entry->text() != text)
        entry->setText(text);
    if (entryData(list, row) != object)
        entry->setData(Qt::UserRole, QVariant::fromValue(object));
}

// Frees `sheet` with the controls placed on it, innermost first, as the designer deletes a
// control: controls left without their parent would be lost on the form.
inline void freeWithControls(TQzTabSheet* sheet, TComponent* root) {
    QList<QPointer<TComponent>> doomed;
    if (root)
        for (TComponent* component : root->ComponentList())
            if (auto* control = qobject_cast<TControl*>(component);
                control && control != sheet && sheet->ContainsControl(control))
                doomed << control;
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        delete it->data();
    delete sheet;
}

} // namespace QzCollectionEntries

template <typename F>
void TFrCollection::guarded(F&& handler) {
    try {
        handler();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
    AdjustButtons();
}
