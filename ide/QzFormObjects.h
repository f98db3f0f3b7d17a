#pragma once

// Every object of a designed form in owner and parent order, as a tree: the form, the controls
// inside their parents in z-order, the non-visual components, the menu items under their menus
// and parent items, the items of collections under the component holding them. The object tree
// shows it; `qzdesigner --tree` prints it.

#include <QList>
#include <QString>

class TComponent;
class TPersistent;

struct TQzFormObject {
    TPersistent* Object = nullptr;
    int Depth = 0;
    // The name the tree shows: a component's name, or "Panels[1]" for a collection item.
    QString Name;
    // The class: the form's own for the root ("TFrmMain").
    QString ClassName;
    // The name path the designer finds it by ("SbMain.Panels[1]").
    QString Path;
};

// `formClassName` names the root's class as the form file does.
QList<TQzFormObject> QzFormObjects(TComponent* root, const QString& formClassName);

// One line per object: two blanks of indent per level, then "Name: Class".
QString QzFormObjectsListing(const QList<TQzFormObject>& objects);
