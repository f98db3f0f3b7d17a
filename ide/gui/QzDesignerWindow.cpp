#include "QzDesignerWindow.h"

#include "Controls.h"
#include "QzComponentPalette.h"
#include "QzDesignerDisplay.h"
#include "QzDesignerHost.h"
#include "QzFormDesigner.h"
#include "QzFormSurface.h"
#include "QzMsg.h"
#include "QzObjectInspector.h"
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

namespace {

QString formTitle(const TQzFormDesigner* designer) {
    return QFileInfo(designer->FormFileName()).fileName();
}

} // namespace

TQzDesignerWindow::TQzDesignerWindow(TQzDesignerHost* host, QWidget* parent)
    : QMainWindow(parent), FHost(host) {
    setObjectName(QStringLiteral("DesignerWindow"));
    setWindowTitle(QStringLiteral("qzdesigner"));
    resize(1280, 800);

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
    addDockWidget(Qt::LeftDockWidgetArea, projectDock);

    FInspector = new TQzObjectInspector(this);
    auto* inspectorDock = new QDockWidget(tr("Object Inspector"), this);
    inspectorDock->setObjectName(QStringLiteral("InspectorDock"));
    inspectorDock->setFeatures(QDockWidget::DockWidgetMovable);
    inspectorDock->setWidget(FInspector);
    addDockWidget(Qt::LeftDockWidgetArea, inspectorDock);
    resizeDocks({projectDock, inspectorDock}, {270, 530}, Qt::Vertical);
    resizeDocks({projectDock}, {320}, Qt::Horizontal);

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
    for (const TQzFormDesigner* designer : FSurfaces.keys())
        disconnect(designer, nullptr, this, nullptr);
    FInspector->SetDesigner(nullptr);
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
    // forms have the focus, so that they keep their meaning in the inspector's edits.
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
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
    add(tr("&Delete"), QKeySequence::Delete, &TQzFormSurface::DeleteSelection);
    add(tr("&Copy"), QKeySequence::Copy, &TQzFormSurface::CopySelection);
    add(tr("&Paste"), QKeySequence::Paste, &TQzFormSurface::PasteComponents);
    add(tr("Select &All"), QKeySequence::SelectAll, &TQzFormSurface::SelectAll);
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
    if (FInspector->Designer() == designer)
        FInspector->SetDesigner(nullptr);
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
    updateStatus();
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
    const bool saved = QzRunShowingErrors([&] { designer->Save(); });
    updateFormTitle(designer);
    updateStatus();
    return saved;
}

bool TQzDesignerWindow::SaveAllForms() {
    const bool saved = QzRunShowingErrors([&] { FHost->SaveAll(); });
    for (TQzFormDesigner* designer : FHost->FormDesigners())
        updateFormTitle(designer);
    updateStatus();
    return saved;
}

bool TQzDesignerWindow::confirmUnsavedForms() {
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
