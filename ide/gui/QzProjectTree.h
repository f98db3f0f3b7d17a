#pragma once

// The open project as a tree: the project file, its units, and under each unit with a form the
// form. A double-click on a unit with a form, or on its form, asks for the form to be opened.

#include <QTreeWidget>

class TQzProjectFile;

class TQzProjectTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TQzProjectTree(QWidget* parent = nullptr);

    // Shows `project`; none empties the tree.
    void SetProject(const TQzProjectFile* project);
    // Shows whether the form of `unitFileName` is open in the designer and whether it has
    // changes not saved.
    void SetFormState(const QString& unitFileName, bool open, bool modified);
    // The row of a unit (by its file name); none when the project has no such unit.
    QTreeWidgetItem* UnitItem(const QString& unitFileName) const;

Q_SIGNALS:
    void FormActivated(const QString& unitFileName);
};
