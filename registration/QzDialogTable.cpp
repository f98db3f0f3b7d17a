#include "registration/QzDialogTable.h"

#include "QzExcept.h"
#include "QzPkgStrings.h"
#include "manager/QzManager.h"
#include "manager/QzManagerPkgs.h"
#include "manager/QzManagerProgress.h"
#include "manager/QzManagerRepl.h"

#include <QMetaProperty>

namespace {

// The first package of `kind` alive in the open designs; raises when there is none.
template <typename TPkg>
TPkg* firstPackage(TQzPkgKind kind) {
    for (TQzPkgInfo* pkg : QzAllPackages())
        if (pkg->Kind() == kind)
            return static_cast<TPkg*>(pkg);
    QzExcept(QStringLiteral("The open designs have no %1 package").arg(QzPkgKindName(kind)));
}

QString firstStringsName() {
    return firstPackage<TQzPkgStrings>(TQzPkgKind::Strings)->GetPkgName();
}

QStringList stringsNames() {
    QStringList names;
    QzPkgStringsActives(names);
    return names;
}

// ---- The Packages Manager

QWidget* openManager(const TDesignDialogSubjects&) {
    TFrManager dialog(nullptr);
    dialog.Execute(dlmLabels, firstStringsName(), QString());
    return nullptr;
}

QWidget* openManagerPkgs(const TDesignDialogSubjects&) {
    TFrManagerPkgs dialog(nullptr);
    dialog.Execute(stringsNames());
    return nullptr;
}

QWidget* openManagerRepl(const TDesignDialogSubjects&) {
    TFrManagerRepl dialog(nullptr);
    dialog.Execute(dlmLabels, stringsNames(), firstStringsName(), QStringLiteral("1"));
    return nullptr;
}

// The window of a count under way, over the project's forms.
QWidget* openManagerProgress(const TDesignDialogSubjects& subjects) {
    auto* window = new TFrManagerProgress(nullptr, QStringLiteral("Scan Counter"));
    window->SetMaximum(int(subjects.Roots.size()) * 2);
    window->SetText(subjects.Roots.isEmpty() ? QString() : subjects.Roots.first()->Name());
    window->Step();
    return window;
}

TDesignDialogClassInfo row(const char* className,
                           std::function<QWidget*(const TDesignDialogSubjects&)> open) {
    return {QString::fromLatin1(className), std::move(open), nullptr, {}};
}

} // namespace

const std::vector<TDesignDialogClassInfo>& QzDialogTable() {
    static const std::vector<TDesignDialogClassInfo> table{
        row("TFrManager", openManager),
        row("TFrManagerPkgs", openManagerPkgs),
        row("TFrManagerRepl", openManagerRepl),
        row("TFrManagerProgress", openManagerProgress),
    };
    return table;
}
