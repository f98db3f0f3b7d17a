#include "QzDesignerWindow.h"

#include "Controls.h"
#include "DesignDialogs.h"
#include "QzComponentPalette.h"
#include "QzDesignerDisplay.h"
#include "QzDesignerHost.h"
#include "QzFormDesigner.h"
#include "QzFormPreview.h"
#include "QzFormSurface.h"
#include "QzMsg.h"
#include "QzObjectInspector.h"
#include "QzObjectTree.h"
#include "QzProjectTree.h"

#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoStack>

namespace {

QString formTitle(const TQzFormDesigner* designer) {
    return QFileInfo(designer->FormFileName()).fileName();
}

} // namespace

TQzDesignerWindow::TQzDesignerWindow(TQzDesignerHost* host, QWidget* parent)
    : QMainWindow(parent), FHost(host) {
    setObjectName(QStringLiteral("DesignerWindow"));
    setWindowTitle(QStringLiteral("qzdesigner"));
    resize(1440, 900);

    FPalette = new TQzComponentPalette(this);
    auto* paletteBar = new QToolBar(tr("Components"), this);
    paletteBar->setObjectName(QStringLiteral("PaletteBar"));
    paletteBar->setMovable(false);
    paletteBar->addWidget(FPalette);
    addToolBar(Qt::TopToolBarArea, paletteBar);

    FForms = new QTabWidget(this);
    FForms->setObjectName(QStringLiteral("Forms"));
    FForms->setDocumentMode(true);
    setCentralWidget(FForms);

    FProjectTree = new TQzProjectTree(this);
    auto* projectDock = new QDockWidget(tr("Project"), this);
    projectDock->setObjectName(QStringLiteral("ProjectDock"));
    projectDock->setFeatures(QDockWidget::DockWidgetMovable);
    projectDock->setWidget(FProjectTree);
    addDockWidget(Qt::RightDockWidgetArea, projectDock);

    FObjectTree = new TQzObjectTree(this);
    auto* treeDock = new QDockWidget(tr("Object Tree"), this);
    treeDock->setObjectName(QStringLiteral("ObjectTreeDock"));
    treeDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    treeDock->setWidget(FObjectTree);
    // The object tree above the inspector, the project at the other side.
    addDockWidget(Qt::LeftDockWidgetArea, treeDock);

    FInspector = new TQzObjectInspector(this);
    auto* inspectorDock = new QDockWidget(tr("Object Inspector"), this);
    inspectorDock->setObjectName(QStringLiteral("InspectorDock"));
    inspectorDock->setFeatures(QDockWidget::DockWidgetMovable);
    inspectorDock->setWidget(FInspector);
    addDockWidget(Qt::LeftDockWidgetArea, inspectorDock);
    resizeDocks({treeDock, inspectorDock}, {300, 520}, Qt::Vertical);
    resizeDocks({treeDock, projectDock}, {310, 230}, Qt::Horizontal);

    FStatusForm = new QLabel(this);
    FStatusSelection = new QLabel(this);
    statusBar()->addWidget(FStatusForm, 1);
    statusBar()->addPermanentWidget(FStatusSelection);

    createMenus();

    connect(FHost, &TQzDesignerHost::ProjectOpened, this, &TQzDesignerWindow::projectOpened);
    connect(FHost, &TQzDesignerHost::ProjectClosed, this, &TQzDesignerWindow::projectClosed);
    connect(FHost, &TQzDesignerHost::FormOpened, this, &TQzDesignerWindow::formOpened);
    connect(FHost, &TQzDesignerHost::FormClosing, this, &TQzDesignerWindow::formClosing);
    connect(FProjectTree, &TQzProjectTree::FormActivated, this,
            [this](const QString& unit) { OpenForm(unit); });
    connect(FForms, &QTabWidget::currentChanged, this, &TQzDesignerWindow::currentTabChanged);
    connect(FPalette, &TQzComponentPalette::ClassArmed, this, &TQzDesignerWindow::armClass);

    createToolsMenu();
    connect(FObjectTree, &QTreeWidget::itemActivated, this, [this] { FForms->setFocus(); });

    // Forms the host had open before the window came.
    if (FHost->Project())
        projectOpened();
    for (TQzFormDesigner* designer : FHost->FormDesigners())
        formOpened(designer);
    updateStatus();
}

TQzDesignerWindow::~TQzDesignerWindow() {
    // The host outlives the window; nothing of it may call back into a half-destroyed window.
    disconnect(FHost, nullptr, this, nullptr);
    for (const TQzFormDesigner* designer : FSurfaces.keys()) {
        disconnect(designer, nullptr, this, nullptr);
        disconnect(designer->UndoStack(), nullptr, this, nullptr);
    }
    for (const QPointer<TQzFormPreview>& preview : std::as_const(FPreviews))
        delete preview.data();
    FInspector->SetDesigner(nullptr);
    FObjectTree->SetDesigner(nullptr);
}

void TQzDesignerWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* open = file->addAction(tr("&Open Project..."));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &TQzDesignerWindow::chooseProject);
    QAction* save = file->addAction(tr("&Save"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &TQzDesignerWindow::SaveForm);
    QAction* saveAll = file->addAction(tr("Save A&ll"));
    saveAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAll, &QAction::triggered, this, &TQzDesignerWindow::SaveAllForms);
    file->addSeparator();
    QAction* exit = file->addAction(tr("E&xit"));
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // The edit commands act on the form of the current tab. Their keys count only while the
    // forms or the object tree have the focus, so that they keep their meaning in the
    // inspector's edits; undo and redo count in the inspector too, where an edit that has the
    // focus still undoes its own typing first.
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    const auto keyed = [&](QAction* action, const QKeySequence& keys) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        FForms->addAction(action);
        FObjectTree->addAction(action);
        FInspector->addAction(action);
    };
    FUndoAction = edit->addAction(tr("&Undo"));
    keyed(FUndoAction, QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(FUndoAction, &QAction::triggered, this, &TQzDesignerWindow::UndoForm);
    FRedoAction = edit->addAction(tr("&Redo"));
    keyed(FRedoAction, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(FRedoAction, &QAction::triggered, this, &TQzDesignerWindow::RedoForm);
    edit->addSeparator();
    auto add = [&](const QString& text, QKeySequence keys, void (TQzFormSurface::*command)()) {
        QAction* action = edit->addAction(text);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        FForms->addAction(action);
        connect(action, &QAction::triggered, this, [this, command] {
            if (TQzFormSurface* surface = ActiveSurface())
                (surface->*command)();
        });
    };
    add(tr("Cu&t"), QKeySequence::Cut, &TQzFormSurface::CutSelection);
    add(tr("&Copy"), QKeySequence::Copy, &TQzFormSurface::CopySelection);
    add(tr("&Paste"), QKeySequence::Paste, &TQzFormSurface::PasteComponents);
    add(tr("&Delete"), QKeySequence::Delete, &TQzFormSurface::DeleteSelection);
    edit->addSeparator();
    add(tr("Select &All"), QKeySequence::SelectAll, &TQzFormSurface::SelectAll);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* preview = view->addAction(tr("&Preview"));
    preview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(preview, &QAction::triggered, this, &TQzDesignerWindow::PreviewForm);
    view->addSeparator();
    for (QDockWidget* dock : findChildren<QDockWidget*>())
        view->addAction(dock->toggleViewAction());
    updateUndoActions();
}

// What the design package adds: each entry under its group's submenu.
void TQzDesignerWindow::createToolsMenu() {
    const QList<TDesignTool> tools = DesignTools();
    if (tools.isEmpty())
        return;
    QMenu* menu = menuBar()->addMenu(tr("&Tools"));
    QHash<QString, QMenu*> groups;
    for (TDesignTool tool : tools) {
        QMenu* target = menu;
        if (!tool->Group.isEmpty()) {
            if (!groups.contains(tool->Group))
                groups.insert(tool->Group, menu->addMenu(tool->Group));
            target = groups.value(tool->Group);
        }
        QAction* action = target->addAction(tool->Caption);
        connect(action, &QAction::triggered, this, [this, tool] {
            FInspector->CommitPending();
            TDesignDialogSubjects subjects;
            for (TQzFormDesigner* designer : FHost->FormDesigners())
                subjects.Roots << designer->GetRoot();
            TQzFormDesigner* designer = ActiveDesigner();
            const TQzDesignChange change(designer, tool->Caption);
            QzRunShowingErrors([&] { tool->Run(subjects); });
        });
    }
}

// ---------------------------------------------------------------------------------------------
// Project and forms

bool TQzDesignerWindow::OpenProject(const QString& fileName) {
    if (!confirmUnsavedForms())
        return false;
    if (!QzRunShowingErrors([&] { FHost->OpenProject(fileName); }))
        return false;
    for (const TQzProjectUnit& unit : FHost->Project()->Units)
        if (!unit.FormName.isEmpty()) {
            OpenForm(unit.FileName);
            break;
        }
    return true;
}

void TQzDesignerWindow::chooseProject() {
    TQzFileRequest request;
    request.mode = TQzFileRequest::Open;
    request.Title = tr("Open Project");
    request.Directory =
        FHost->Project() ? QFileInfo(FHost->Project()->FileName).absolutePath() : QString();
    request.Filter = tr("Projects (*.dpr);;All files (*)");
    if (const std::optional<QStringList> chosen = QzUi().FileDialog(request);
        chosen && !chosen->isEmpty())
        OpenProject(chosen->first());
}

TQzFormDesigner* TQzDesignerWindow::OpenForm(const QString& fileName) {
    TQzFormDesigner* designer = nullptr;
    if (!QzRunShowingErrors([&] { designer = FHost->OpenForm(fileName); }) || !designer)
        return nullptr;
    formOpened(designer);
    FForms->setCurrentWidget(SurfaceOf(designer)->parentWidget()->parentWidget());
    return designer;
}

void TQzDesignerWindow::projectOpened() {
    FProjectTree->SetProject(FHost->Project());
    setWindowTitle(QStringLiteral("qzdesigner - ") +
                   QFileInfo(FHost->Project()->FileName).fileName());
    updateStatus();
}

void TQzDesignerWindow::projectClosed() {
    FProjectTree->SetProject(nullptr);
    setWindowTitle(QStringLiteral("qzdesigner"));
    updateStatus();
}

void TQzDesignerWindow::formOpened(TQzFormDesigner* designer) {
    if (FSurfaces.contains(designer))
        return;
    auto* scroll = new QScrollArea;
    scroll->setObjectName(formTitle(designer));
    scroll->setBackgroundRole(QPalette::Dark);
    auto* surface = new TQzFormSurface(designer);
    scroll->setWidget(surface);
    FSurfaces.insert(designer, surface);

    connect(surface, &TQzFormSurface::ComponentCreated, FPalette, &TQzComponentPalette::Disarm);
    connect(surface, &TQzFormSurface::ArmCancelled, FPalette, &TQzComponentPalette::Disarm);
    connect(surface, &TQzFormSurface::Hovered, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    // The modified mark and the undo entries follow the undo stack.
    connect(designer->UndoStack(), &QUndoStack::indexChanged, this, [this, designer] {
        updateFormTitle(designer);
        if (designer == ActiveDesigner()) {
            updateUndoActions();
            updateStatus();
        }
    });
    connect(designer, &TQzFormDesigner::DesignModified, this,
            [this, designer] { designModified(designer); });
    connect(designer, &TQzFormDesigner::SelectionChanged, this, [this, designer] {
        if (designer == ActiveDesigner()) {
            FInspector->Refresh();
            updateStatus();
        }
    });
    // A form starts with itself selected, so the inspector shows something.
    if (designer->GetSelections().isEmpty())
        designer->SelectComponent(designer->GetRoot());

    FForms->addTab(scroll, formTitle(designer));
    FForms->setCurrentWidget(scroll);
    updateFormTitle(designer);
}

void TQzDesignerWindow::formClosing(TQzFormDesigner* designer) {
    TQzFormSurface* surface = FSurfaces.take(designer);
    if (!surface)
        return;
    disconnect(designer, nullptr, this, nullptr);
    disconnect(designer->UndoStack(), nullptr, this, nullptr);
    delete FPreviews.take(designer).data();
    if (FInspector->Designer() == designer)
        FInspector->SetDesigner(nullptr);
    if (FObjectTree->Designer() == designer)
        FObjectTree->SetDesigner(nullptr);
    FProjectTree->SetFormState(designer->UnitFileName(), false, false);
    QWidget* page = surface->parentWidget()->parentWidget();
    FForms->removeTab(FForms->indexOf(page));
    delete page;
    updateStatus();
}

TQzFormSurface* TQzDesignerWindow::SurfaceOf(const TQzFormDesigner* designer) const {
    return FSurfaces.value(designer);
}

TQzFormSurface* TQzDesignerWindow::ActiveSurface() const {
    auto* scroll = qobject_cast<QScrollArea*>(FForms->currentWidget());
    return scroll ? qobject_cast<TQzFormSurface*>(scroll->widget()) : nullptr;
}

TQzFormDesigner* TQzDesignerWindow::ActiveDesigner() const {
    TQzFormSurface* surface = ActiveSurface();
    return surface ? surface->Designer() : nullptr;
}

void TQzDesignerWindow::currentTabChanged() {
    // The armed class follows to the form now shown.
    for (TQzFormSurface* surface : std::as_const(FSurfaces))
        surface->SetArmedClass(surface == ActiveSurface() ? FPalette->ArmedClass() : nullptr);
    FInspector->SetDesigner(ActiveDesigner());
    FObjectTree->SetDesigner(ActiveDesigner());
    updateStatus();
    updateUndoActions();
}

void TQzDesignerWindow::armClass() {
    if (TQzFormSurface* surface = ActiveSurface())
        surface->SetArmedClass(FPalette->ArmedClass());
}

void TQzDesignerWindow::designModified(TQzFormDesigner* designer) {
    updateFormTitle(designer);
    if (designer == ActiveDesigner()) {
        FInspector->Refresh();
        updateStatus();
        updateUndoActions();
    }
}

void TQzDesignerWindow::updateFormTitle(TQzFormDesigner* designer) {
    TQzFormSurface* surface = SurfaceOf(designer);
    if (!surface)
        return;
    const int index = FForms->indexOf(surface->parentWidget()->parentWidget());
    FForms->setTabText(index, (designer->IsModified() ? QStringLiteral("*") : QString()) +
                                  formTitle(designer));
    FProjectTree->SetFormState(designer->UnitFileName(), true, designer->IsModified());
}

// ---------------------------------------------------------------------------------------------
// Saving and closing

bool TQzDesignerWindow::SaveForm() {
    TQzFormDesigner* designer = ActiveDesigner();
    if (!designer)
        return true;
    // What was typed in the inspector goes into the file too.
    FInspector->CommitPending();
    const bool saved = QzRunShowingErrors([&] { designer->Save(); });
    updateFormTitle(designer);
    updateStatus();
    return saved;
}

bool TQzDesignerWindow::SaveAllForms() {
    FInspector->CommitPending();
    const bool saved = QzRunShowingErrors([&] { FHost->SaveAll(); });
    for (TQzFormDesigner* designer : FHost->FormDesigners())
        updateFormTitle(designer);
    updateStatus();
    return saved;
}

bool TQzDesignerWindow::confirmUnsavedForms() {
    FInspector->CommitPending();
    for (TQzFormDesigner* designer : FHost->FormDesigners()) {
        if (!designer->IsModified())
            continue;
        const TQzButtonKind answer =
            QzMsg(TQzMessageType::mtConfirmation,
                  tr("Save changes to %1?").arg(QFileInfo(designer->FormFileName()).fileName()),
                  {bkYes, bkNo, bkCancel}, bkYes);
        if (answer == bkCancel)
            return false;
        if (answer == bkYes && !QzRunShowingErrors([&] { designer->Save(); }))
            return false;
        updateFormTitle(designer);
    }
    return true;
}

void TQzDesignerWindow::closeEvent(QCloseEvent* event) {
    if (confirmUnsavedForms())
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------------------------
// Undo and preview

void TQzDesignerWindow::UndoForm() {
    stepForm(&TQzFormDesigner::Undo);
}

void TQzDesignerWindow::RedoForm() {
    stepForm(&TQzFormDesigner::Redo);
}

void TQzDesignerWindow::stepForm(void (TQzFormDesigner::*step)()) {
    TQzFormDesigner* designer = ActiveDesigner();
    if (!designer)
        return;
    // What was typed in the inspector is a step of its own, before this one.
    FInspector->CommitPending();
    QzRunShowingErrors([&] { (designer->*step)(); });
    updateUndoActions();
}

void TQzDesignerWindow::updateUndoActions() {
    TQzFormDesigner* designer = ActiveDesigner();
    QUndoStack* stack = designer ? designer->UndoStack() : nullptr;
    const bool undo = stack && (stack->canUndo() || designer->IsModified());
    FUndoAction->setEnabled(undo);
    FRedoAction->setEnabled(stack && stack->canRedo());
    FUndoAction->setText(stack && stack->canUndo() ? tr("&Undo %1").arg(stack->undoText())
                                                   : tr("&Undo"));
    FRedoAction->setText(stack && stack->canRedo() ? tr("&Redo %1").arg(stack->redoText())
                                                   : tr("&Redo"));
}

TQzFormPreview* TQzDesignerWindow::PreviewForm() {
    TQzFormDesigner* designer = ActiveDesigner();
    if (!designer)
        return nullptr;
    FInspector->CommitPending();
    QPointer<TQzFormPreview>& preview = FPreviews[designer];
    if (!preview)
        preview = new TQzFormPreview(designer, this);
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

// ---------------------------------------------------------------------------------------------
// Status

QString TQzDesignerWindow::StatusText() const {
    return FStatusForm->text() + QStringLiteral("  ") + FStatusSelection->text();
}

void TQzDesignerWindow::updateStatus() {
    TQzFormDesigner* designer = ActiveDesigner();
    if (!designer) {
        FStatusForm->setText(FHost->Project() ? QDir::toNativeSeparators(FHost->Project()->FileName)
                                              : tr("No project"));
        FStatusSelection->clear();
        return;
    }
    FStatusForm->setText(QDir::toNativeSeparators(designer->FormFileName()) +
                         (designer->IsModified() ? tr("  (modified)") : QString()));
    const QList<TPersistent*> selection = designer->GetSelections();
    if (selection.size() != 1) {
        FStatusSelection->setText(tr("%n selected", nullptr, int(selection.size())));
        return;
    }
    // The form is known by its own class, not by the registered class it is made of.
    const bool root = selection.first() == designer->GetRoot();
    QString text = selection.first()->GetNamePath() + QStringLiteral(": ") +
                   (root ? designer->FormClassName() : selection.first()->ClassName());
    if (auto* control = qobject_cast<TControl*>(selection.first()); control && !root)
        text += QStringLiteral("  %1, %2  %3 x %4")
                    .arg(control->Left())
                    .arg(control->Top())
                    .arg(control->Width())
                    .arg(control->Height());
    FStatusSelection->setText(text);
}
