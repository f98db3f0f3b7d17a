#include "packages/QzPkgVarsEditor.h"

#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzHooks.h"
#include "QzMsg.h"
#include "QzPaths.h"
#include "QzPkgVarsText.h"
#include "packages/QzPkgEditorWindow.h"
#include "packages/QzPkgLoadSave.h"
#include "packages/QzPkgVarsModels.h"
#include "ui_TFrPkgVars.h"
#include "ui_TFrPkgVarsModify.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <optional>

namespace {

const QString System = QStringLiteral("System");

// The types of variables, in the order the menus offer them.
struct TVarType {
    const char* Name;
    const char* NewText;
    TQzPkgVarsItemType Type;
};
const TVarType VarTypes[] = {{"String", "New &String", TQzPkgVarsItem::vtString},
                             {"Integer", "New &Integer", TQzPkgVarsItem::vtInteger},
                             {"Float", "New Fl&oat", TQzPkgVarsItem::vtFloat},
                             {"Boolean", "New &Boolean", TQzPkgVarsItem::vtBoolean}};

// What the items that create something make: a folder beside or inside the selected one, or a
// variable of a type.
enum TNewKind { nkFolder = -1, nkSubFolder = -2 };

QAction* menuItem(QMenu* menu, const QString& name, const QString& text,
                  const QKeySequence& shortcut = QKeySequence()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The keys act on the view the menu belongs to, the one with the focus.
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    return action;
}

} // namespace

TFrPkgVars::TFrPkgVars(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrPkgVars>()),
      FTree(new TQzPkgVarsTreeModel(this)), FList(new TQzPkgVarsListModel(this)) {
    FUi->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    FUi->TView->setModel(FTree);
    FUi->LView->setModel(FList);
    FUi->LView->header()->resizeSection(0, 125);
    FUi->LView->header()->resizeSection(1, 176);
    FUi->Splitter1->setSizes({200, 320});
    FUi->LView->installEventFilter(this);
    FTree->SetRename([this](const QModelIndex& i, const QString& n) { return renameNode(i, n); });
    FList->SetRename([this](const QModelIndex& i, const QString& n) { return renameRow(i, n); });
    if (QPushButton* ok = OkButton())
        ok->setDefault(true);

    // The folder commands.
    PopupTView1 = new QMenu(this);
    PopupTView1->setObjectName(QStringLiteral("PopupTView1"));
    FNewFolder = menuItem(PopupTView1, QStringLiteral("New1"), QStringLiteral("&New "),
                          QKeySequence(Qt::Key_Insert));
    FNewFolder->setData(int(nkFolder));
    FNewSubFolder =
        menuItem(PopupTView1, QStringLiteral("NewSubFolder1"), QStringLiteral("New &SubFolder"),
                 QKeySequence(Qt::CTRL | Qt::Key_Right));
    FNewSubFolder->setData(int(nkSubFolder));
    PopupTView1->addSeparator();
    FDeleteFolder = menuItem(PopupTView1, QStringLiteral("Delete1"), QStringLiteral("&Delete"),
                             QKeySequence(Qt::CTRL | Qt::Key_Delete));
    FRenameFolder = menuItem(PopupTView1, QStringLiteral("ChangeName1"),
                             QStringLiteral("&Change Name"), QKeySequence(Qt::Key_F2));
    FUi->TView->addActions(PopupTView1->actions());

    // The variable commands.
    PopupLView1 = new QMenu(this);
    PopupLView1->setObjectName(QStringLiteral("PopupLView1"));
    FModify = menuItem(PopupLView1, QStringLiteral("Modify1"), QStringLiteral("&Modify"));
    PopupLView1->addSeparator();
    QList<QAction*> creates{FNewFolder, FNewSubFolder};
    for (const TVarType& t : VarTypes) {
        QAction* action =
            menuItem(PopupLView1, QStringLiteral("New") + QLatin1String(t.Name) + u'1',
                     QString::fromLatin1(t.NewText));
        action->setData(int(t.Type));
        creates << action;
    }
    PopupLView1->addSeparator();
    FDeleteVar = menuItem(PopupLView1, QStringLiteral("Delete2"), QStringLiteral("&Delete"),
                          QKeySequence(Qt::CTRL | Qt::Key_Delete));
    PopupLView1->addSeparator();
    FRenameVar = menuItem(PopupLView1, QStringLiteral("ChangeName2"),
                          QStringLiteral("&Change Name"), QKeySequence(Qt::Key_F2));
    FChangeType = PopupLView1->addMenu(QStringLiteral("Change &Type"));
    FChangeType->setObjectName(QStringLiteral("ChangeType1"));
    FTypes = new QActionGroup(this);
    for (const TVarType& t : VarTypes) {
        QAction* action =
            menuItem(FChangeType, QString::fromLatin1(t.Name) + u'3', QString::fromLatin1(t.Name));
        action->setCheckable(true);
        action->setData(int(t.Type));
        FTypes->addAction(action);
    }
    PopupLView1->addSeparator();
    FClearFolder =
        menuItem(PopupLView1, QStringLiteral("ClearAll2"), QStringLiteral("C&lear Folder"));
    FUi->LView->addActions({FDeleteVar, FRenameVar});

    // Ctrl+F and F3 wherever the focus is.
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find, &QAction::triggered, this, &TFrPkgVars::Find1Click);
    auto* findNext = new QAction(this);
    findNext->setShortcut(QKeySequence(Qt::Key_F3));
    connect(findNext, &QAction::triggered, this, &TFrPkgVars::FindNextClick);
    addActions({find, findNext});

    for (QAction* action : std::as_const(creates))
        connect(action, &QAction::triggered, this, [this, action] { String4Click(action); });
    connect(FDeleteFolder, &QAction::triggered, this, &TFrPkgVars::Delete1Click);
    connect(FRenameFolder, &QAction::triggered, this, &TFrPkgVars::ChangeName1Click);
    connect(FModify, &QAction::triggered, this, &TFrPkgVars::Modify1Click);
    connect(FDeleteVar, &QAction::triggered, this, &TFrPkgVars::Delete2Click);
    connect(FRenameVar, &QAction::triggered, this, &TFrPkgVars::ChangeName2Click);
    connect(FTypes, &QActionGroup::triggered, this, &TFrPkgVars::Folder3Click);
    connect(FClearFolder, &QAction::triggered, this, &TFrPkgVars::ClearAll2Click);

    connect(FUi->TView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { TViewChange(); });
    connect(FUi->LView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ChangeState(); });
    connect(FUi->LView, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            Modify1Click();
    });
    connect(FUi->TView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // The folder under the mouse is the one the commands act on.
        if (const QModelIndex node = FUi->TView->indexAt(at); node.isValid())
            selectNode(node);
        PopupTView1Popup();
        PopupTView1->popup(FUi->TView->viewport()->mapToGlobal(at));
    });
    connect(FUi->LView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupLView1Popup();
        PopupLView1->popup(FUi->LView->viewport()->mapToGlobal(at));
    });
    connect(FUi->BtLoad, &QPushButton::clicked, this, &TFrPkgVars::Load2Click);
    connect(FUi->BtSave, &QPushButton::clicked, this, &TFrPkgVars::Save2Click);
    connect(FUi->BtLoadFrom, &QPushButton::clicked, this, &TFrPkgVars::Import1Click);
    connect(FUi->BtSaveTo, &QPushButton::clicked, this, &TFrPkgVars::Export1Click);
    connect(FUi->BtClearAll, &QPushButton::clicked, this, &TFrPkgVars::ClearAll1Click);
    connect(FUi->BtClearFolder, &QPushButton::clicked, this, &TFrPkgVars::ClearAll2Click);
    connect(FUi->BtFind, &QPushButton::clicked, this, &TFrPkgVars::Find1Click);
}

TFrPkgVars::~TFrPkgVars() = default;

void TFrPkgVars::Execute() {
    Q_ASSERT(Pkg);
    setWindowTitle(QStringLiteral("PkgVars : ") + Pkg->GetPkgName());
    const TQzPkgData* stored = Pkg->Data();
    FBounds = QzPkgEditorPlace(*stored);
    if (!FBounds.Set)
        QzCenterWindow(this);
    const QString pattern = u'*' + QzAddPointExt(Pkg->DefaultExt());
    FFilter =
        QzDialogFilter(QStringLiteral("Package Vars (%1)|%1|All files (*.*)|*.*").arg(pattern));
    if (Pkg->IsFileStored() && Pkg->FileModified()) {
        try {
            Pkg->LoadFile();
        } catch (const Exception& e) {
            // The package keeps what it held; the person learns why the file was not read.
            showError(e.Message());
        }
    }
    LoadFullTree();
    ChangeState();
    FUi->TView->setFocus();
    ShowModal();

    if (QzStorePkgEditorPlace(*Pkg->Data(), FBounds))
        Modified();
    UpdateFile();
}

QModelIndex TFrPkgVars::SelectedNode() const {
    return FUi->TView->currentIndex();
}

int TFrPkgVars::SelectedRow() const {
    const QModelIndex current = FUi->LView->currentIndex();
    return current.isValid() && FUi->LView->selectionModel()->isSelected(current) ? current.row()
                                                                                  : -1;
}

// ---------------------------------------------------------------------------------------------
// Tree and list

void TFrPkgVars::LoadFullTree() {
    FUpdating = true;
    FList->Clear();
    FTree->Load(Pkg);
    FUpdating = false;
    const QModelIndex root = FTree->RootIndex();
    FUi->TView->expand(root);
    selectNode(root);
    TViewChange();
}

void TFrPkgVars::selectNode(const QModelIndex& node) {
    FUi->TView->setCurrentIndex(node);
    FUi->TView->scrollTo(node);
}

void TFrPkgVars::selectRow(int row) {
    if (row < 0) {
        FUi->LView->selectionModel()->clearSelection();
        FUi->LView->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    } else {
        const QModelIndex index = FList->index(row, 0);
        FUi->LView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
        FUi->LView->scrollTo(index);
    }
    ChangeState();
}

void TFrPkgVars::TViewChange() {
    if (FUpdating)
        return;
    FFoundFolderName = false;
    const QModelIndex node = SelectedNode();
    LoadVars(node);
    const QString path = GetPath(node);
    FUi->SBar->showMessage(path.isEmpty() ? Pkg->GetPkgName() : Pkg->GetPkgName() + u'\\' + path);
    ChangeState();
}

void TFrPkgVars::LoadVars(const QModelIndex& node) {
    FList->Load(FTree->Folder(node));
}

QString TFrPkgVars::GetPath(const QModelIndex& node) const {
    return FTree->Path(node);
}

QString TFrPkgVars::NamePath(const QString& path, const QString& prefix) const {
    const QString folder = path.isEmpty() ? QString() : path + u'\\';
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n);
        if (!Pkg->Find(folder + name))
            return name;
    }
}

QString TFrPkgVars::NameFolder(const QString& path) const {
    return NamePath(path, QStringLiteral("New Folder #"));
}

QString TFrPkgVars::NameVar(const QString& path) const {
    return NamePath(path, QStringLiteral("New Var #"));
}

void TFrPkgVars::ChangeState() {
    FUi->Label6->setText(Pkg->IsFileStored() ? QStringLiteral("FILE") : QStringLiteral("DFM"));
    FUi->Label7->setText(Pkg->FileName().isEmpty() ? QStringLiteral("(Memory)") : Pkg->FileName());
    const bool rows = FList->rowCount() > 0;
    const QModelIndex root = FTree->RootIndex();
    FUi->BtClearAll->setEnabled(rows || FTree->rowCount(root) > 0);
    FUi->BtClearFolder->setEnabled(rows);
    // The keys of the menus act only where the menus would.
    PopupTView1Popup();
    PopupLView1Popup();
}

void TFrPkgVars::PopupTView1Popup() {
    const QModelIndex node = SelectedNode();
    const bool folder = FTree->Item(node) != nullptr;
    FNewFolder->setEnabled(node.isValid());
    FNewSubFolder->setEnabled(node.isValid());
    FDeleteFolder->setEnabled(folder);
    FRenameFolder->setEnabled(folder);
}

void TFrPkgVars::PopupLView1Popup() {
    const TQzPkgVarsItem* item = FList->Item(SelectedRow());
    FModify->setEnabled(item);
    FDeleteVar->setEnabled(item);
    FRenameVar->setEnabled(item);
    FChangeType->setEnabled(item);
    FClearFolder->setEnabled(FList->rowCount() > 0);
    for (QAction* type : FTypes->actions())
        type->setChecked(item && type->data().toInt() == item->ItemType());
}

// ---------------------------------------------------------------------------------------------
// Changes

void TFrPkgVars::Modified() {
    auto* app = qobject_cast<TQzCApplication*>(Pkg->Owner());
    QzDesignerModified(app ? static_cast<QObject*>(app) : Pkg);
}

void TFrPkgVars::changed() {
    if (!Pkg->IsFileStored())
        Modified();
}

void TFrPkgVars::UpdateFile() {
    try {
        Pkg->SaveFile();
    } catch (const Exception& e) {
        showError(e.Message());
    }
}

void TFrPkgVars::showError(const QString& message) {
    QzMsg(TQzMessageType::mtError, message);
}

bool TFrPkgVars::renameNode(const QModelIndex& index, const QString& name) {
    TQzPkgVarsItem* item = FTree->Item(index);
    if (!item || name == item->Ident())
        return item != nullptr;
    try {
        item->SetIdent(name);
    } catch (const Exception& e) {
        showError(e.Message());
        return false;
    }
    changed();
    // The selected folder's path may have changed with it.
    const QString path = GetPath(SelectedNode());
    FUi->SBar->showMessage(path.isEmpty() ? Pkg->GetPkgName() : Pkg->GetPkgName() + u'\\' + path);
    return true;
}

bool TFrPkgVars::renameRow(const QModelIndex& index, const QString& name) {
    TQzPkgVarsItem* item = FList->Item(index.row());
    if (!item || name == item->Ident())
        return item != nullptr;
    try {
        item->SetIdent(name);
    } catch (const Exception& e) {
        showError(e.Message());
        return false;
    }
    changed();
    return true;
}

void TFrPkgVars::String4Click(QAction* action) {
    const int kind = action->data().toInt();
    if (kind == nkFolder || kind == nkSubFolder)
        newFolder(kind == nkSubFolder);
    else
        newVariable(TQzPkgVarsItemType(kind));
}

void TFrPkgVars::newFolder(bool sub) {
    const QModelIndex node = SelectedNode();
    if (!node.isValid())
        return;
    // "New" on a folder makes its sibling; on the package, and "New SubFolder", a child.
    const QModelIndex parent = sub || !FTree->Item(node) ? node : FTree->parent(node);
    const QString path = GetPath(parent);
    const QString name = NameFolder(path);
    TQzPkgVarsItem* item = nullptr;
    try {
        item = Pkg->Add(path.isEmpty() ? name : path + u'\\' + name, TQzPkgVarsItem::vtFolder);
    } catch (const Exception& e) {
        showError(e.Message());
        return;
    }
    const QModelIndex added = FTree->AddFolder(parent, item);
    FUi->TView->expand(parent);
    selectNode(added);
    FUi->TView->setFocus();
    FUi->TView->edit(added);
    changed();
    ChangeState();
}

void TFrPkgVars::newVariable(TQzPkgVarsItemType type) {
    const QModelIndex node = SelectedNode();
    if (!node.isValid())
        return;
    const QString path = GetPath(node);
    const QString name = NameVar(path);
    TQzPkgVarsItem* item = nullptr;
    try {
        item = Pkg->Add(path.isEmpty() ? name : path + u'\\' + name, type);
    } catch (const Exception& e) {
        showError(e.Message());
        return;
    }
    // A new variable starts from nothing, whatever its type's conversion would make of it.
    QzPkgVarsSetValueText(item, type == TQzPkgVarsItem::vtBoolean  ? QStringLiteral("False")
                                : type == TQzPkgVarsItem::vtString ? QString()
                                                                   : QStringLiteral("0"));
    FList->AppendRow(item);
    selectRow(FList->rowCount() - 1);
    FUi->LView->setFocus();
    FUi->LView->edit(FList->index(FList->rowCount() - 1, 0));
    changed();
}

void TFrPkgVars::ChangeName1Click() {
    const QModelIndex node = SelectedNode();
    if (FTree->Item(node))
        FUi->TView->edit(node);
}

void TFrPkgVars::ChangeName2Click() {
    const int row = SelectedRow();
    if (row >= 0)
        FUi->LView->edit(FList->index(row, 0));
}

void TFrPkgVars::Delete1Click() {
    const QModelIndex node = SelectedNode();
    TQzPkgVarsItem* item = FTree->Item(node);
    if (!item ||
        QzMsgPkg(TQzMessageType::mtConfirmation, System, 34, {bkYes, bkNo}, bkYes) != bkYes)
        return;
    // The folder after it, else the one before it, else its parent takes the selection.
    const QModelIndex parent = FTree->parent(node);
    const int count = FTree->rowCount(parent);
    const QModelIndex next = node.row() + 1 < count ? FTree->index(node.row() + 1, 0, parent)
                             : node.row() > 0       ? FTree->index(node.row() - 1, 0, parent)
                                                    : parent;
    selectNode(next);
    FTree->RemoveNode(FTree->IndexOf(item));
    delete item;
    changed();
    ChangeState();
}

void TFrPkgVars::Delete2Click() {
    const int row = SelectedRow();
    TQzPkgVarsItem* item = FList->Item(row);
    if (!item ||
        QzMsgPkg(TQzMessageType::mtConfirmation, System, 35, {bkYes, bkNo}, bkYes) != bkYes)
        return;
    const bool last = row == FList->rowCount() - 1;
    FList->RemoveRow(row);
    delete item;
    // The row after it moves up into its place; after the last row, the one before it.
    selectRow(last ? row - 1 : row);
    changed();
    ChangeState();
}

void TFrPkgVars::Modify1Click() {
    const int row = SelectedRow();
    TQzPkgVarsItem* item = FList->Item(row);
    if (!item)
        return;
    TFrPkgVarsModify dialog(this);
    if (dialog.Execute(item->Ident(), QzPkgVarsValueText(item), item->ItemType()) != mrOk)
        return;
    try {
        QzPkgVarsSetValueText(item, dialog.Value());
    } catch (const Exception& e) {
        showError(e.Message());
        return;
    }
    FList->RowChanged(row);
    changed();
}

void TFrPkgVars::Folder3Click(QAction* action) {
    const auto type = TQzPkgVarsItemType(action->data().toInt());
    if (FUi->TView->hasFocus()) {
        changeFolderType(type);
        return;
    }
    const int row = SelectedRow();
    TQzPkgVarsItem* item = FList->Item(row);
    if (!item || item->ItemType() == type)
        return;
    if (QzMsgPkg(TQzMessageType::mtConfirmation, System, 36, {bkOk, bkCancel}, bkOk) != bkOk) {
        PopupLView1Popup();
        return;
    }
    item->SetItemType(type);
    FList->RowChanged(row);
    changed();
    PopupLView1Popup();
}

void TFrPkgVars::changeFolderType(TQzPkgVarsItemType type) {
    const QModelIndex node = SelectedNode();
    TQzPkgVarsItem* item = FTree->Item(node);
    if (!item ||
        QzMsgPkg(TQzMessageType::mtConfirmation, System, 36, {bkOk, bkCancel}, bkOk) != bkOk)
        return;
    try {
        item->SetItemType(type);
    } catch (const Exception& e) {
        showError(e.Message());
        return;
    }
    // The folder is a variable now: it leaves the tree and shows in its parent's list.
    const QModelIndex parent = FTree->parent(node);
    selectNode(parent);
    FTree->RemoveNode(FTree->IndexOf(item));
    LoadVars(parent);
    selectRow(FList->RowOf(item));
    FUi->LView->setFocus();
    changed();
    ChangeState();
}

void TFrPkgVars::ClearAll2Click() {
    if (FList->rowCount() == 0 ||
        QzMsgPkg(TQzMessageType::mtConfirmation, System, 60, {bkOk, bkCancel}, bkCancel) != bkOk)
        return;
    const std::vector<TQzPkgVarsItem*> rows = FList->Rows();
    FList->Clear();
    // From the last: an item leaves its list fastest from the end.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        delete *it;
    changed();
    ChangeState();
}

void TFrPkgVars::ClearAll1Click() {
    if (QzMsgPkg(TQzMessageType::mtConfirmation, System, 59, {bkOk, bkCancel}, bkCancel) != bkOk)
        return;
    FUpdating = true;
    FList->Clear();
    FTree->RemoveFolders();
    Pkg->Clear();
    FUpdating = false;
    selectNode(FTree->RootIndex());
    TViewChange();
    changed();
}

// ---------------------------------------------------------------------------------------------
// Files

bool TFrPkgVars::runLoadSave(bool load) {
    UpdateFile();
    // A load replaces every item: the views let go of them while it may happen, and find their
    // place again when nothing was loaded.
    TQzPkgVarsItem* folder = FTree->Item(SelectedNode());
    TQzPkgVarsItem* row = FList->Item(SelectedRow());
    FUpdating = true;
    FList->Clear();
    FTree->Load(nullptr);
    FUpdating = false;
    TFrPkgLoadSave dialog(this);
    dialog.Pkg = Pkg;
    dialog.Load = load;
    const bool done = dialog.Execute() == mrOk;
    LoadFullTree();
    if (!(done && load)) {
        if (const QModelIndex node = FTree->IndexOf(folder); node.isValid())
            selectNode(node);
        selectRow(FList->RowOf(row));
    }
    return done;
}

void TFrPkgVars::Load2Click() {
    if (!runLoadSave(true))
        return;
    ChangeState();
    Modified();
    saveApplicationVars();
}

void TFrPkgVars::Save2Click() {
    if (!runLoadSave(false))
        return;
    ChangeState();
    Modified();
    saveApplicationVars();
}

// The package the application component holds besides this one, written after a load or save
// of a package of the application: its vars package, when it is kept in its own file.
void TFrPkgVars::saveApplicationVars() {
    const auto* app = qobject_cast<TQzCApplication*>(Pkg->Owner());
    if (!app || !app->PkgVars()->IsFileStored())
        return;
    try {
        app->PkgVars()->SaveFile();
    } catch (const Exception& e) {
        showError(e.Message());
    }
}

std::optional<QString> TFrPkgVars::chooseFile(bool save, const QString& title) const {
    TQzFileRequest request;
    request.mode = save ? TQzFileRequest::Save : TQzFileRequest::Open;
    request.Title = title;
    request.Directory = QzAppPath();
    request.Filter = FFilter;
    request.DefaultSuffix = Pkg->DefaultExt();
    const std::optional<QStringList> chosen = QzUi().FileDialog(request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    return chosen->first();
}

void TFrPkgVars::Import1Click() {
    const std::optional<QString> file = chooseFile(false, QStringLiteral("Load From"));
    if (!file)
        return;
    if (!QFileInfo(*file).isFile()) {
        showError(QStringLiteral("The file \"%1\" does not exist").arg(*file));
        return;
    }
    try {
        Pkg->LoadFromFile(*file);
    } catch (const Exception& e) {
        showError(e.Message());
        return;
    }
    LoadFullTree();
    changed();
}

void TFrPkgVars::Export1Click() {
    const std::optional<QString> file = chooseFile(true, QStringLiteral("Save To"));
    if (!file)
        return;
    try {
        Pkg->SaveToFile(*file);
    } catch (const Exception& e) {
        showError(e.Message());
    }
}

// ---------------------------------------------------------------------------------------------
// Find

void TFrPkgVars::Find1Click() {
    const std::optional<TQzFindRequest> request = QzUi().FindDialog(FFind);
    if (!request)
        return;
    FFind = *request;
    FHasFind = true;
    FindDialog1Find();
}

void TFrPkgVars::FindNextClick() {
    if (FHasFind)
        FindDialog1Find();
    else
        Find1Click();
}

bool TFrPkgVars::matches(const QString& candidate, const QString& wanted) const {
    const QString text = FFind.MatchCase ? candidate : QLocale().toUpper(candidate);
    return FFind.WholeWord ? text == wanted : text.contains(wanted);
}

void TFrPkgVars::FindDialog1Find() {
    const QString wanted = FFind.MatchCase ? FFind.Text : QLocale().toUpper(FFind.Text);
    const bool down = FFind.Down;
    QModelIndex folder = SelectedNode();
    // Where the first folder's variables resume (none: all of them), and whether its own name is
    // still to be tested.
    std::optional<int> resume;
    bool name = true;
    if (FRestart || !folder.isValid()) {
        // Upwards the search starts from the very last folder, so none is passed over.
        folder = down ? FTree->RootIndex() : FTree->LastNode();
    } else if (const int selected = SelectedRow(); down) {
        resume = selected + 1;
        name = false;
    } else if (selected >= 0) {
        resume = selected - 1;
    } else if (FFoundFolderName) {
        // Found by its name going up, the folder is done with.
        folder = FTree->PrevNode(folder);
    }

    for (bool first = true; folder.isValid();
         folder = down ? FTree->NextNode(folder) : FTree->PrevNode(folder), first = false) {
        const TQzPkgVarsItem* folderItem = FTree->Item(folder);
        const bool testName = folderItem && (!first || name);
        std::vector<TQzPkgVarsItem*> vars;
        const TQzPkgVarsItems* items = FTree->Folder(folder);
        for (int i = 0; i < items->Count(); ++i)
            if (TQzPkgVarsItem* item = items->GetItems(i); !item->IsFolder())
                vars.push_back(item);
        const int count = int(vars.size());
        const int start = first && resume ? *resume : (down ? 0 : count - 1);
        if (down && testName && matches(folderItem->Ident(), wanted)) {
            selectNode(folder);
            selectRow(-1);
            FUi->TView->setFocus();
            FRestart = false;
            FFoundFolderName = true;
            return;
        }
        for (int r = start; down ? r < count : r >= 0; r += down ? 1 : -1) {
            if (matches(vars[std::size_t(r)]->Ident(), wanted) ||
                matches(QzPkgVarsValueText(vars[std::size_t(r)]), wanted)) {
                if (folder != SelectedNode())
                    selectNode(folder);
                selectRow(FList->RowOf(vars[std::size_t(r)]));
                FUi->LView->setFocus();
                FRestart = false;
                FFoundFolderName = false;
                return;
            }
        }
        if (!down && testName && matches(folderItem->Ident(), wanted)) {
            selectNode(folder);
            selectRow(-1);
            FUi->TView->setFocus();
            FRestart = false;
            FFoundFolderName = true;
            return;
        }
    }
    FRestart = true;
    QzMsgPkg(TQzMessageType::mtInformation, System, 2, {bkOk}, bkOk);
    selectRow(-1);
    FUi->LView->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Keys

bool TFrPkgVars::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a variable changes its value, as a double-click does.
    // Only keys for the list itself: those an in-place editor leaves over come here too.
    if (watched == FUi->LView && event->type() == QEvent::KeyPress && FUi->LView->hasFocus()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && SelectedRow() >= 0) {
            Modify1Click();
            return true;
        }
    }
    return TQzDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Value of one variable

TFrPkgVarsModify::TFrPkgVarsModify(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrPkgVarsModify>()) {
    FUi->setupUi(this);
}

TFrPkgVarsModify::~TFrPkgVarsModify() = default;

int TFrPkgVarsModify::Execute(const QString& name, const QString& value, TQzPkgVarsItemType type) {
    FType = type;
    FUi->EdNameVar->setText(name);
    FUi->EdValue->setText(value);
    FUi->EdValue->selectAll();
    FUi->Label2->setText(FUi->Label2->text() +
                         QStringLiteral(" (%1):").arg(QzPkgVarsTypeName(type)));
    FUi->EdValue->setFocus();
    return ShowModal();
}

QString TFrPkgVarsModify::Value() const {
    return FUi->EdValue->text();
}

void TFrPkgVarsModify::Accepting() {
    if (!QzPkgVarsValueTextValid(FType, Value()))
        QzExcept(QStringLiteral("Incorrect Format"));
}
