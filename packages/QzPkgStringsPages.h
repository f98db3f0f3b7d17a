#pragma once

// One page of the strings package editor: the list of one kind of item (labels, messages or
// texts), its search edit, its Id edit and what shows the selected item. Labels are ordered by
// text or by id and the search moves the selection; messages and texts are ordered by id and the
// search filters them. The list draws the id, the protected mark "P" of the "System" package and
// the text in columns (TQzPickerList).

#include <QObject>
#include <QString>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class TQzPickerList;
class TQzPkgItem;
class TQzPkgItemList;
class TQzPkgStrings;

enum class TQzStringsKind { Labels, Messages, Texts };

// The list of `kind` in `pkg`; none without a package.
TQzPkgItemList* QzStringsItems(const TQzPkgStrings* pkg, TQzStringsKind kind);
// "Label" or "Labels", and so on.
QString QzStringsKindWord(TQzStringsKind kind, bool plural);

// Whether `pkg` is kept in a file of its own: that of the language holding it, or its own.
bool QzStringsSavedToOwnFile(const TQzPkgStrings& pkg);
// Writes that file; nothing for a package kept in the form.
void QzSaveStringsFile(TQzPkgStrings& pkg);

class TQzStringsPage : public QObject {
    Q_OBJECT
public:
    struct TControls {
        TQzPickerList* List = nullptr;
        QLineEdit* Search = nullptr;
        QLineEdit* Id = nullptr;
        // The hint of a label, the whole text of a text; none for messages.
        QPlainTextEdit* Detail = nullptr;
        // Labels only: ordered by text when checked.
        QRadioButton* OrderLabel = nullptr;
    };

    TQzStringsPage(QObject* parent, TQzStringsKind kind, const TControls& controls);

    TQzStringsKind Kind() const { return FKind; }
    const TControls& Controls() const { return FControls; }
    // "Label" and "Labels", and so on.
    QString Singular() const;
    QString Plural() const;

    void SetPackage(TQzPkgStrings* pkg) { FPkg = pkg; }
    // The package's list of this page's kind; none without a package.
    TQzPkgItemList* Items() const;

    // Fills the list from the package, in the page's order and through its filter, and selects
    // the entry of the Id edit.
    void Reload();
    // Selects the entry of the id in the Id edit; a non-numeric or unknown id clears the
    // selection and what shows it.
    void IdChange();
    // The search edit was typed in.
    void SearchChange();
    // An entry was clicked: the edits show it.
    void Click();

    TQzPkgItem* Selected() const;
    // The Id edit's text for `id`; -1 empties it.
    void SetId(int id);
    // Shows the "P" column for the "System" package.
    void SetShowProtected(bool show);
    void Repaint();

    // After the add dialog added `item` or changed it (it had `oldId`).
    void ItemAdded(TQzPkgItem* item);
    void ItemModified(TQzPkgItem* item, int oldId);
    // Frees `item` and takes its entry away; the selection stays at the same place, or moves to
    // the new last entry.
    void DeleteItem(TQzPkgItem* item);

private:
    bool labels() const { return FKind == TQzStringsKind::Labels; }
    bool byText() const;
    void selectRow(int row);
    void showItem(TQzPkgItem* item);

    TQzStringsKind FKind;
    TControls FControls;
    TQzPkgStrings* FPkg = nullptr;
    // True while the page itself changes the selection.
    bool FSelecting = false;
};
