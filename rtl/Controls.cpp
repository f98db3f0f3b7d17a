#include "Controls.h"

#include <algorithm>

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent)
        return;
    if (parent && (parent == this || (qobject_cast<TWinControl*>(this) &&
                                      static_cast<TWinControl*>(this)->ContainsControl(parent))))
        throw EComponentError(
            QStringLiteral("A control cannot have itself or one of its children as "
                           "its parent"));
    if (FParent) {
        // Controls go last first when their form is freed: search from the end.
        auto& list = FParent->FControls;
        const auto it = std::find(list.rbegin(), list.rend(), this);
        if (it != list.rend())
            list.erase(std::next(it).base());
    }
    FParent = parent;
    if (parent)
        parent->FControls.push_back(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* window = qobject_cast<TWinControl*>(parent))
        SetParent(window);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children outlive their parent window when their owner is elsewhere.
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError(QStringLiteral("Control index out of bounds (%1)").arg(index));
    return FControls[std::size_t(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TControl* control : std::vector<TControl*>(FControls))
        if (control->Owner() == root)
            proc(control);
}

void TScrollingWinControl::GetChildren(const std::function<void(TComponent*)>& proc,
                                       TComponent* root) {
    TWinControl::GetChildren(proc, root);
    if (root == this)
        for (TComponent* c : std::vector<TComponent*>(ComponentList()))
            if (!c->GetParentComponent())
                proc(c);
}

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner), FFont(new TFont(this)) {
    FControlStyle |= csAcceptsControls;
}

TFrame::TFrame(TComponent* owner) : TScrollingWinControl(owner) {
    FControlStyle |= csAcceptsControls;
}

void TDataModule::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    if (root == this)
        for (TComponent* c : std::vector<TComponent*>(ComponentList()))
            if (!c->GetParentComponent())
                proc(c);
}

void RegisterRtlClasses() {
    RegisterEventType<TNotifyEvent>();
    RegisterClasses<TComponent, TControl, TWinControl, TForm, TFrame, TDataModule>();
}
