#pragma once

// The object inspector: the published properties of the designer's selection, each through the
// property editor the registry binds to it. The value column shows GetValue (blank when the
// selected components disagree); the current row edits it: typed text for plain values, a list
// for paValueList (sorted with paSortList), a "..." button running Edit for paDialog, nothing to
// type for paReadOnly, and expandable sub-properties for paSubProperties. What an editor raises
// is shown as a message and the row goes back to the value the property holds.

#include "DesignEditors.h"

#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class TQzObjectInspector : public QWidget {
    Q_OBJECT
public:
    explicit TQzObjectInspector(QWidget* parent = nullptr);
    ~TQzObjectInspector() override;

    // Shows the selection of `designer`; none empties the inspector.
    void SetDesigner(IDesigner* designer);
    IDesigner* Designer() const { return FDesigner; }
    // Reads the selection and its properties again, keeping the expanded rows and the current
    // one. While an editor is at work the refresh waits until it is done.
    void Refresh();

    QTreeWidget* Tree() const { return FTree; }
    // What the inspector shows above the properties: the selected component and its class, or
    // how many components are selected.
    QString SelectionText() const;
    // The row of the property at `path` ("Font.Style"), expanding its parents; none when the
    // selection has no such property.
    QTreeWidgetItem* FindRow(const QString& path);
    // The names of the rows at the top level, in order.
    QStringList PropertyNames() const;
    TPropertyEditor* RowEditor(const QTreeWidgetItem* row) const;
    // The widget that edits the current row's value; none for a row that cannot be edited.
    QWidget* ValueEditor() const;

private:
    void clearRows();
    void addRow(QTreeWidgetItem* parent, std::unique_ptr<TPropertyEditor> editor);
    void loadChildren(QTreeWidgetItem* row);
    void updateValues();
    void scheduleRefresh();
    QTreeWidgetItem* existingRow(const QString& path) const;
    void currentRowChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    QWidget* createValueEditor(QTreeWidgetItem* row);
    void rowDoubleClicked(QTreeWidgetItem* row, int column);
    // Applies typed or chosen text to the property at `path`; ignored when the editor widget
    // that sent it belongs to rows read before the last refresh.
    void commit(int generation, const QString& path, const QString& text);
    void editRow(int generation, const QString& path);
    // Runs an editor's SetValue or Edit: refreshes are held back while it runs, errors are
    // shown, and the rows show the new values afterwards.
    void runEditorAction(const std::function<void()>& action);

    IDesigner* FDesigner = nullptr;
    QLabel* FHeader;
    QTreeWidget* FTree;
    // The editors in the order they were made; sub-property editors may refer to their parent's,
    // so they go in reverse order.
    std::vector<std::unique_ptr<TPropertyEditor>> FEditors;
    int FGeneration = 0;
    int FBusy = 0;
    bool FRefreshQueued = false;
};
