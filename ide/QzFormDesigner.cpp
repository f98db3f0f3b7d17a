#include "QzFormDesigner.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "DesignWindows.h"
#include "FileWrite.h"
#include "QzExcept.h"
#include "QzHostModules.h"
#include "QzProjectFile.h"
#include "QzProjectForms.h"
#include "QzUnitSource.h"
#include "TextForm.h"

#include <QFile>

namespace {

QByteArray readFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    return file.readAll();
}

// Where a new control goes when nobody says: the first free step of a diagonal, so that
// controls dropped one after another do not hide each other.
int defaultPosition(const TWinControl* parent) {
    int at = 8;
    const auto taken = [&](int p) {
        if (!parent)
            return false;
        for (const TControl* c : parent->ControlList())
            if (c->Left() == p && c->Top() == p)
                return true;
        return false;
    };
    while (taken(at))
        at += 8;
    return at;
}

bool ownedWithin(const TComponent* component, const TComponent* root) {
    for (const TComponent* c = component; c; c = c->Owner())
        if (c->Owner() == root)
            return true;
    return false;
}

} // namespace

TQzFormDesigner::TQzFormDesigner(TQzDesignerHost* host, const QString& unitFileName)
    : FHost(host),
      FUnitFileName(QzChangeFileExt(QzAbsoluteFileName(unitFileName), QStringLiteral(".pas"))) {
    const QString formFile = FormFileName();
    const QByteArray data = readFile(formFile);
    FFormat = DetectFormFileFormat(data);
    if (FFormat == TFormFileFormat::Unknown)
        QzExcept(QStringLiteral("%1 is not a form file").arg(formFile));
    if (QFile::exists(FUnitFileName))
        FUnitText = QzReadUnitText(FUnitFileName, &FUnitEncoding);
    try {
        FRoot = QzReadFormRoot(data, FUnitText, true);
        FClassName = FRoot->StreamedClassName();
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("Cannot read the form %1: %2").arg(formFile, e.Message()));
    }
    FRoot->SetDesigning(true);
    SetDesignerOf(FRoot.get(), this);
}

TQzFormDesigner::~TQzFormDesigner() {
    // What the root's components do while they are freed must not reach a half-destroyed
    // designer.
    SetDesignerOf(FRoot.get(), nullptr);
    FRoot.reset();
}

QString TQzFormDesigner::FormFileName() const {
    return QzChangeFileExt(FUnitFileName, QStringLiteral(".dfm"));
}

void TQzFormDesigner::Save() {
    WriteFileAtomic(FormFileName(),
                    TextToFormFile(WriteTextForm(ComponentToFormObject(FRoot.get())), FFormat));
    if (FUnitChanged)
        WriteFileAtomic(FUnitFileName, EncodeText(FUnitText, FUnitEncoding));
    FUnitChanged = false;
    FModified = false;
}

void TQzFormDesigner::DeleteComponents(const QList<TComponent*>& components) {
    QList<TComponent*> requested;
    for (TComponent* c : components)
        // A sub-component lives and dies with the component that holds it.
        if (c && c != FRoot.get() && !(c->ComponentState() & csSubComponent) &&
            ownedWithin(c, FRoot.get()))
            requested << c;
    if (requested.isEmpty())
        return;
    // Controls placed inside a deleted control go with it, whoever owns them.
    QList<QPointer<TComponent>> doomed;
    for (TComponent* c : requested)
        doomed << c;
    for (TComponent* c : FRoot->ComponentList()) {
        auto* control = qobject_cast<TControl*>(c);
        if (!control || requested.contains(c))
            continue;
        for (TComponent* d : requested)
            if (auto* window = qobject_cast<TWinControl*>(d);
                window && window->ContainsControl(control)) {
                doomed << c;
                break;
            }
    }
    const int selected = int(GetSelections().size());
    // Innermost first; an owner frees what it owns, so some may be gone already.
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        delete it->data();
    if (GetSelections().size() != selected)
        SetSelections(GetSelections());
    Modified();
}

void TQzFormDesigner::DeleteSelection() {
    QList<TComponent*> components;
    for (TPersistent* p : GetSelections())
        if (auto* c = qobject_cast<TComponent*>(p))
            components << c;
    DeleteComponents(components);
}

QList<TComponent*> TQzFormDesigner::ChildrenOf(TComponent* parent) const {
    QList<TComponent*> children;
    if (auto* window = qobject_cast<TWinControl*>(parent))
        for (TControl* c : window->ControlList())
            children << c;
    if (parent == FRoot.get())
        for (TComponent* c : FRoot->ComponentList()) {
            auto* control = qobject_cast<TControl*>(c);
            if (!control || !control->Parent())
                children << c;
        }
    return children;
}

void TQzFormDesigner::Modified() {
    FModified = true;
    Q_EMIT DesignModified();
    NotifyItemsModified(this);
}

// Every event of the library is a notify event, so handlers get its parameter list whatever
// the event type says.
TMethod TQzFormDesigner::CreateMethod(const QString& name, QMetaType) {
    if (!IsValidIdent(name))
        QzExcept(QStringLiteral("'%1' is not a valid method name").arg(name));
    const QString existing = GetMethodName(TMethod{name});
    if (!existing.isEmpty())
        return TMethod{existing};
    FUnitText = QzUnitAddMethod(FUnitText, FClassName, name, QStringLiteral("Sender: TObject"));
    FUnitChanged = true;
    FModified = true;
    return TMethod{name};
}

QString TQzFormDesigner::GetMethodName(const TMethod& method) {
    if (method.Name.isEmpty())
        return {};
    for (const TQzUnitMethod& m : QzUnitPublishedMethods(FUnitText, FClassName))
        if (SameText(m.Name, method.Name))
            return m.Name;
    return {};
}

bool TQzFormDesigner::MethodExists(const QString& name) {
    return !GetMethodName(TMethod{name}).isEmpty();
}

void TQzFormDesigner::GetMethods(QMetaType eventType, const TGetStrProc& proc) {
    const bool notify = eventType == QMetaType::fromType<TNotifyEvent>();
    for (const TQzUnitMethod& m : QzUnitPublishedMethods(FUnitText, FClassName))
        if (!notify || QzIsNotifyParams(m.Params))
            proc(m.Name);
}

void TQzFormDesigner::ShowMethod(const QString& name) {
    FShownMethod = name;
    Q_EMIT MethodShown(name);
}

void TQzFormDesigner::SelectComponent(TPersistent* instance) {
    SetSelections(instance ? QList<TPersistent*>{instance} : QList<TPersistent*>{});
}

void TQzFormDesigner::SetSelections(const QList<TPersistent*>& selection) {
    FSelection.clear();
    for (TPersistent* p : selection)
        if (p && !FSelection.contains(p))
            FSelection << p;
    const QList<TPersistent*> current = GetSelections();
    Q_EMIT SelectionChanged(current);
    NotifySelectionChanged(this, current);
}

QList<TPersistent*> TQzFormDesigner::GetSelections() {
    QList<TPersistent*> selection;
    for (const QPointer<TPersistent>& p : FSelection)
        if (p)
            selection << p.data();
    return selection;
}

void TQzFormDesigner::GetComponentNames(const QMetaObject* classType, const TGetStrProc& proc) {
    const auto fits = [&](const TComponent* c) {
        return !c->Name().isEmpty() && (!classType || c->metaObject()->inherits(classType));
    };
    if (fits(FRoot.get()))
        proc(FRoot->Name());
    for (TComponent* c : FRoot->ComponentList())
        if (fits(c))
            proc(c->Name());
}

TComponent* TQzFormDesigner::GetComponent(const QString& name) {
    if (name.isEmpty())
        return nullptr;
    if (SameText(name, FRoot->Name()))
        return FRoot.get();
    return FRoot->FindComponent(name);
}

QString TQzFormDesigner::GetComponentName(TComponent* component) {
    if (!component)
        return {};
    if (component == FRoot.get() || component->Owner() == FRoot.get() || !component->Owner())
        return component->Name();
    // A component of another root, as form files name it.
    return component->Owner()->Name() + u'.' + component->Name();
}

TComponent* TQzFormDesigner::GetRoot() {
    return FRoot.get();
}

TComponent* TQzFormDesigner::CreateComponent(TClass componentClass, TComponent* parent, int left,
                                             int top, int width, int height) {
    if (!componentClass)
        return nullptr;
    std::unique_ptr<TComponent> component(
        CreateComponentByName(componentClass->ClassName(), FRoot.get()));
    component->SetDesigning(true);
    component->SetName(UniqueName(component->ClassName()));
    if (auto* control = qobject_cast<TControl*>(component.get())) {
        // A control sits in a windowed control: the one asked for, the nearest windowed
        // control around it, or the form.
        TComponent* target = parent ? parent : FRoot.get();
        while (target && !qobject_cast<TWinControl*>(target)) {
            auto* inner = qobject_cast<TControl*>(target);
            target = inner ? inner->Parent() : nullptr;
        }
        auto* window = qobject_cast<TWinControl*>(target ? target : FRoot.get());
        control->SetParent(window);
        const int at = defaultPosition(window);
        control->SetBounds(left == -1 ? at : left, top == -1 ? at : top,
                           width == -1 ? control->Width() : width,
                           height == -1 ? control->Height() : height);
    }
    TComponent* created = component.release();
    SelectComponent(created);
    Modified();
    return created;
}

QString TQzFormDesigner::UniqueName(const QString& baseName) {
    QString base = baseName;
    if (base.size() > 1 && (base[0] == u'T' || base[0] == u't'))
        base.remove(0, 1);
    if (!IsValidIdent(base))
        base = QStringLiteral("Component");
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        if (!GetComponent(name))
            return name;
    }
}
