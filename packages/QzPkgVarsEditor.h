#pragma once

// The vars package editor: the folders of a vars package in a tree, the variables of the
// selected folder with their values in a list, and what can be done to them: new folders and
// variables with free names, renaming in place, deleting, changing values (TFrPkgVarsModify) and
// types, clearing a folder or the whole package, finding names and values across folders in
// either direction, and loading and saving package files. Changes go straight into the package;
// a package kept in the form tells the designer, one kept in its own file is saved on close.
// The window's bounds are kept in the package.

#include "QzDialog.h"
#include "QzPkgVars.h"
#include "QzUi.h"
#include "QzWindows.h"

#include <memory>
#include <optional>

namespace Ui {
class TFrPkgVars;
class TFrPkgVarsModify;
} // namespace Ui
class QAction;
class QActionGroup;
class QMenu;
class QModelIndex;
class TQzPkgVarsListModel;
class TQzPkgVarsTreeModel;

class TFrPkgVars : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrPkgVars(QWidget* parent = nullptr);
    ~TFrPkgVars() override;

    // The package edited; set by the caller before Execute.
    TQzPkgVars* Pkg = nullptr;

    // Shows the editor modally; on close the bounds go into the package and a package kept in
    // its own file is saved.
    void Execute();

    TQzPkgVarsTreeModel* Tree() const { return FTree; }
    TQzPkgVarsListModel* List() const { return FList; }
    // The folder selected in the tree (the root for the package's top level); invalid when none.
    QModelIndex SelectedNode() const;
    // The row of the list selected; -1 when none.
    int SelectedRow() const;

    // Handlers.
    void TViewChange();
    void PopupTView1Popup();
    void PopupLView1Popup();
    void String4Click(QAction* action);
    void Delete1Click();
    void ChangeName1Click();
    void Modify1Click();
    void Delete2Click();
    void ChangeName2Click();
    void Folder3Click(QAction* action);
    void ClearAll2Click();
    void ClearAll1Click();
    void Find1Click();
    void FindNextClick();
    void FindDialog1Find();
    void Load2Click();
    void Save2Click();
    void Import1Click();
    void Export1Click();

    // The menus and their items, by the names the handlers know them by.
    QMenu* PopupTView1 = nullptr;
    QMenu* PopupLView1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    TQzResizeInfoDesigner& ResizeInfo() override { return FBounds; }

private:
    void LoadFullTree();
    void LoadVars(const QModelIndex& node);
    QString GetPath(const QModelIndex& node) const;
    // The first free name prefix + n in the folder at `path`.
    QString NamePath(const QString& path, const QString& prefix) const;
    QString NameFolder(const QString& path) const;
    QString NameVar(const QString& path) const;
    void ChangeState();
    // Tells the designer the package changed (through the application component that holds it).
    void Modified();
    // After a change of the items: a package kept in the form tells the designer; one kept in
    // its own file is saved on close.
    void changed();
    void UpdateFile();
    // Reports an error of the runtime to the person.
    static void showError(const QString& message);

    bool renameNode(const QModelIndex& index, const QString& name);
    bool renameRow(const QModelIndex& index, const QString& name);
    void selectNode(const QModelIndex& node);
    void selectRow(int row);
    void newFolder(bool sub);
    void newVariable(TQzPkgVarsItemType type);
    void changeFolderType(TQzPkgVarsItemType type);
    // Runs the package file dialog; true when it loaded or saved.
    bool runLoadSave(bool load);
    void saveApplicationVars();
    // A file chosen for Load From or Save To; none when cancelled.
    std::optional<QString> chooseFile(bool save, const QString& title) const;
    // Whether a search candidate matches the text looked for (`wanted`, already cased).
    bool matches(const QString& candidate, const QString& wanted) const;

    std::unique_ptr<Ui::TFrPkgVars> FUi;
    TQzPkgVarsTreeModel* FTree;
    TQzPkgVarsListModel* FList;
    QAction* FNewFolder = nullptr;
    QAction* FNewSubFolder = nullptr;
    QAction* FDeleteFolder = nullptr;
    QAction* FRenameFolder = nullptr;
    QAction* FModify = nullptr;
    QAction* FDeleteVar = nullptr;
    QAction* FRenameVar = nullptr;
    QMenu* FChangeType = nullptr;
    QActionGroup* FTypes = nullptr;
    QAction* FClearFolder = nullptr;
    TQzResizeInfoDesigner FBounds;
    TQzFindRequest FFind;
    bool FHasFind = false;
    // The next search starts from the beginning.
    bool FRestart = true;
    // The last match was the selected folder's own name.
    bool FFoundFolderName = false;
    // While the models are rebuilt, a changing selection does not reload the list.
    bool FUpdating = false;
    QString FFilter;
};

// Asks for the value of one variable: its name, and its value as text checked against its type.
class TFrPkgVarsModify : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrPkgVarsModify(QWidget* parent = nullptr);
    ~TFrPkgVarsModify() override;

    // Shows the name and the value text of a variable of `type`; 1 OK, 2 Cancel.
    int Execute(const QString& name, const QString& value, TQzPkgVarsItemType type);
    // The value as typed; on OK it reads as a value of the type.
    QString Value() const;

protected:
    // Refuses text that is not a value of the type with "Incorrect Format".
    void Accepting() override;

private:
    std::unique_ptr<Ui::TFrPkgVarsModify> FUi;
    TQzPkgVarsItemType FType = TQzPkgVarsItem::vtString;
};
