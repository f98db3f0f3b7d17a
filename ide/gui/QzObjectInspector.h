#pragma once

// The object inspector: the published properties of the designer's selection, each through the
// property editor the registry binds to it, on two pages (properties and events), sorted by name
// and narrowed by a filter. A selector above lists every object of the form and selects it. The
// value column shows GetValue (blank when the selected components disagree) with a swatch for a
// colour; the current row edits it: typed text for plain values, a list for paValueList (sorted
// with paSortList), a "..." button running Edit for paDialog, nothing to type for paReadOnly, a
// check box for each member of a set, and expandable sub-properties for paSubProperties. A
// double-click on an event creates or shows its handler. A value typed and not yet committed is
// committed when the row is left, and before the form is saved or closed. What an editor raises is
// shown as a message and the row goes back to the value the property holds. Every change is one
// step of the designer's undo stack.

#include "DesignEditors.h"

#include <QWidget>
#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

class TQzObjectInspector : public QWidget {
    Q_OBJECT
public:
    enum TPage { Properties, Events };

    explicit TQzObjectInspector(QWidget* parent = nullptr);
    ~TQzObjectInspector() override;

    // Shows the selection of `designer`; none empties the inspector.
    void SetDesigner(IDesigner* designer);
    IDesigner* Designer() const { return FDesigner; }
    // Reads the selection and its properties again, keeping the expanded rows and the current
    // one. While an editor is at work the refresh waits until it is done.
    void Refresh();
    // Commits what was typed in the current row and not yet committed; false when the editor
    // refused it (the message was shown).
    bool CommitPending();

    void ShowPage(TPage page);
    TPage Page() const;
    // Shows only the rows whose name contains `text` (any case).
    void SetFilter(const QString& text);

    QTreeWidget* Tree() const { return FTree; }
    QComboBox* Selector() const { return FSelector; }
    // What the selector shows: the selected component and its class, or how many components are
    // selected.
    QString SelectionText() const;
    // The row of the property at `path` ("Font.Style") on the page shown, expanding its parents;
    // none when the selection has no such property there.
    QTreeWidgetItem* FindRow(const QString& path);
    // The names of the rows at the top level of the page shown, in order.
    QStringList PropertyNames() const;
    TPropertyEditor* RowEditor(const QTreeWidgetItem* row) const;
    // The widget that edits the current row's value; none for a row that cannot be edited.
    QWidget* ValueEditor() const;

protected:
    // Ctrl+Z and Ctrl+Shift+Z in a value's edit undo its typing while there is some, and the
    // designer's steps after that.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearRows();
    void addRow(QTreeWidgetItem* parent, std::unique_ptr<TPropertyEditor> editor);
    // Adds `editors` under `parent` sorted by name; objects held (collection or menu items)
    // follow in their own order.
    void addRows(QTreeWidgetItem* parent, std::vector<std::unique_ptr<TPropertyEditor>> editors,
                 bool sort);
    void showValue(QTreeWidgetItem* row);
    void loadChildren(QTreeWidgetItem* row);
    void updateValues();
    void applyFilter();
    void fillSelector();
    void selectorActivated(int index);
    void scheduleRefresh();
    QTreeWidgetItem* existingRow(const QString& path) const;
    void currentRowChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    QWidget* createValueEditor(QTreeWidgetItem* row);
    // Commits the text typed in `row`'s editor, if any was typed.
    bool commitRow(QTreeWidgetItem* row);
    void rowDoubleClicked(QTreeWidgetItem* row, int column);
    void rowChanged(QTreeWidgetItem* row, int column);
    // Applies typed or chosen text to the property at `path`; ignored when the editor widget
    // that sent it belongs to rows read before the last refresh. False when it was refused.
    bool commit(int generation, const QString& path, const QString& text);
    void editRow(int generation, const QString& path);
    // Runs an editor's SetValue or Edit as one undo step named after `path`: refreshes are held
    // back while it runs, errors are shown, and the rows show the new values afterwards. False
    // when it raised.
    bool runEditorAction(const QString& path, const std::function<void()>& action);

    IDesigner* FDesigner = nullptr;
    QComboBox* FSelector;
    QTabBar* FPages;
    QLineEdit* FFilter;
    QTreeWidget* FTree;
    // The editors in the order they were made; sub-property editors may refer to their parent's,
    // so they go in reverse order.
    std::vector<std::unique_ptr<TPropertyEditor>> FEditors;
    int FGeneration = 0;
    int FBusy = 0;
    bool FRefreshQueued = false;
    // A refresh came while an editor was at work; it runs when the editor is done.
    bool FRefreshWanted = false;
};
