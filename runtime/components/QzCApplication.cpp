#include "QzCApplication.h"

#include "QzExcept.h"
#include "QzHooks.h"

#include <QDir>
#include <QFileInfo>

namespace {

QList<TQzCApplication*>& applications() {
    static QList<TQzCApplication*> list;
    return list;
}

QPointer<TQzCApplication>& activeApplication() {
    static QPointer<TQzCApplication> active;
    return active;
}

// Privileges are described by the privileges package of the application of the design.
void installPrivilegeLookup() {
    QzSetPrivilegeLookup([](int id) -> std::optional<QString> {
        TQzCApplication* app = QzCApp();
        const TQzPkgPrivilegesItem* item = app ? app->Privileges()->FindId(id) : nullptr;
        if (!item)
            return std::nullopt;
        return item->DescriptionText();
    });
}

template <typename T>
T* subPackage(TQzCApplication* app, const QString& name) {
    auto* pkg = new T(app);
    pkg->SetName(name);
    pkg->SetSubComponent(true);
    return pkg;
}

void checkFile(const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        QzExcept(QStringLiteral("The file %1 does not exist").arg(fileName));
}

bool unchangedSince(const QString& fileName, const QDateTime& lastUpdate) {
    return lastUpdate.isValid() && QFileInfo(fileName).lastModified() <= lastUpdate;
}

void mergeTexts(TQzPkgStringsTexts* target, const TQzPkgStringsTexts* source) {
    for (int i = 0; i < source->Count(); ++i) {
        const TQzPkgStringsText* from = source->GetItems(i);
        TQzPkgStringsText* to = target->FindId(from->Id());
        if (!to)
            to = target->Add(from->Id(), QString());
        to->SetText(from->Text());
        to->Protected = from->Protected;
    }
}

} // namespace

TQzCApplication::TQzCApplication(TComponent* owner)
    : TComponent(owner), FPkgDisplay(subPackage<TQzPkgDisplay>(this, QStringLiteral("PkgDisplay"))),
      FPkgLanguage(subPackage<TQzPkgLanguage>(this, QStringLiteral("PkgLanguage"))),
      FPkgSetup(subPackage<TQzPkgSetup>(this, QStringLiteral("PkgSetup"))),
      FPkgVars(subPackage<TQzPkgVars>(this, QStringLiteral("PkgVars"))),
      FPrivileges(subPackage<TQzPkgPrivileges>(this, QStringLiteral("Privileges"))),
      FSkinWindows(new TQzMemoryImage(this)), FSkinHints(new TQzMemoryImage(this)),
      FScrollBars(new TQzScrollBarSettings(this)) {
    if (IsCreatingDefaultInstance())
        return;
    applications().push_back(this);
    installPrivilegeLookup();
    QzFormsPerform(QzPerformApplications, this);
}

TQzCApplication::~TQzCApplication() {
    if (!applications().removeOne(this))
        return;
    if (activeApplication() == this)
        activeApplication() = nullptr;
    QzFormsPerform(QzPerformApplications, this);
}

bool TQzCApplication::Active() const {
    return activeApplication() == this;
}

void TQzCApplication::SetActive(bool active) {
    if (active == Active())
        return;
    activeApplication() = active ? this : nullptr;
    QzFormsPerform(QzPerformApplications, this);
}

QString TQzCApplication::PackagesPath() const {
    if (FPath.isEmpty())
        return QzAppPath();
    return FPath.endsWith(u'/') ? FPath : FPath + u'/';
}

bool TQzCApplication::UpdateSystemPkgLanguage(const QString& fileName, bool onlyNewer) {
    checkFile(fileName);
    if (onlyNewer && unchangedSince(fileName, FPkgLanguage->LastUpdateDate()))
        return false;
    TQzPkgLanguage base;
    base.LoadFromFile(fileName);
    TQzPkgStrings* from = base.SystemStrings();
    TQzPkgStrings* to = FPkgLanguage->SystemStrings();
    for (int i = 0; i < from->Labels()->Count(); ++i) {
        const TQzPkgStringsLabel* label = from->Labels()->GetItems(i);
        TQzPkgStringsLabel* target = to->Labels()->FindId(label->Id());
        if (!target)
            target = to->Labels()->Add(label->Id(), QString());
        target->SetText(label->Text());
        target->SetHint(label->Hint());
        target->Protected = label->Protected;
    }
    mergeTexts(to->Messages(), from->Messages());
    mergeTexts(to->Texts(), from->Texts());
    FPkgLanguage->SetLastUpdateFile(fileName);
    FPkgLanguage->SetLastUpdateDate(QDateTime::currentDateTime());
    QzDesignerModified(this);
    return true;
}

bool TQzCApplication::UpdateSystemPkgDisplay(const QString& fileName, bool onlyNewer) {
    checkFile(fileName);
    if (onlyNewer && unchangedSince(fileName, FPkgDisplay->UpdateDateTime()))
        return false;
    TQzPkgDisplay base;
    base.LoadFromFile(fileName);
    const TQzPkgImagesImages* from = base.SystemImages()->Images();
    TQzPkgImagesImages* to = FPkgDisplay->SystemImages()->Images();
    for (int i = 0; i < from->Count(); ++i) {
        const TQzPkgImagesImage* image = from->GetItems(i);
        TQzPkgImagesImage* target = to->FindId(image->Id());
        if (!target)
            target = to->Add(image->Id());
        target->Assign(image);
    }
    FPkgDisplay->SetLastUpdateFile(fileName);
    FPkgDisplay->SetUpdateDateTime(QDateTime::currentDateTime());
    QzDesignerModified(this);
    return true;
}

bool TQzCApplication::UpdateSystemPkgs(bool onlyNewer) {
    auto fileOf = [this](const QString& last, const QString& standard) {
        return last.isEmpty() ? PackagesPath() + standard : last;
    };
    const QString language = fileOf(FPkgLanguage->LastUpdateFile(), QStringLiteral("Standard.lan"));
    const QString display = fileOf(FPkgDisplay->LastUpdateFile(), QStringLiteral("Standard.dis"));
    bool updated = false;
    if (QFileInfo(language).isFile())
        updated |= UpdateSystemPkgLanguage(language, onlyNewer);
    if (QFileInfo(display).isFile())
        updated |= UpdateSystemPkgDisplay(display, onlyNewer);
    return updated;
}

TQzCApplication* QzCApp() {
    if (TQzCApplication* active = activeApplication())
        return active;
    return applications().isEmpty() ? nullptr : applications().front();
}

TQzCApplication& QzCAppRequired() {
    TQzCApplication* app = QzCApp();
    if (!app)
        QzExcept(QStringLiteral("Component TQzCApplication not found"));
    return *app;
}

QList<TQzCApplication*> QzCApplicationsAll() {
    return applications();
}
