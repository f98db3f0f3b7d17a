#pragma once

// The object tree beside the object inspector: every object of the designed form in owner and
// parent order (QzFormObjects), each with its palette icon. Selecting in the tree selects in the
// designer and follows the designer's selection; Delete deletes the selected components or
// collection items and F2 (or a slow second click) renames a component, each one step to undo.

#include <QTreeWidget>

class TPersistent;
class TQzFormDesigner;

class TQzObjectTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TQzObjectTree(QWidget* parent = nullptr);

    // Shows the objects of `designer`'s form; none empties the tree.
    void SetDesigner(TQzFormDesigner* designer);
    TQzFormDesigner* Designer() const { return FDesigner; }
    // The row of the object with that name path ("SbMain.Panels[1]"); none when there is none.
    QTreeWidgetItem* ItemOf(const QString& path) const;
    // The object a row stands for; none once it is gone.
    TPersistent* ObjectOf(const QTreeWidgetItem* item) const;
    // Deletes what is selected in the tree; the form itself stays.
    void DeleteSelected();
    // Renames the component of `item`; an error is shown and the row keeps the old name.
    void Rename(QTreeWidgetItem* item, const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuild();
    void scheduleRebuild();
    void followSelection();
    void itemsSelected();
    void itemRenamed(QTreeWidgetItem* item, int column);

    TQzFormDesigner* FDesigner = nullptr;
    bool FRebuildQueued = false;
    bool FFollowing = false;
};
