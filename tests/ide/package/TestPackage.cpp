// A design package as small as the host's package tests need. It writes each entry it runs into
// the application's "QzTestPackageLog" property, so a test still reads the order once the
// library is gone, and registers a palette page with a class of its own and a property editor.
// The build makes two broken variants of it: one without its unload entry, one whose Register
// fails half-way.

#include "Controls.h"
#include "DesignRegistry.h"
#include "QzExcept.h"
#include "StdEditors.h"

#include <QCoreApplication>

namespace {

class TTestGauge : public TControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestGauge(TComponent* owner = nullptr) : TControl(owner) {}
};

class TTestGaugeLeftProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
};

bool initialised = false;

void log(const char* entry) {
    QStringList entries = qApp->property("QzTestPackageLog").toStringList();
    entries << QString::fromLatin1(entry);
    qApp->setProperty("QzTestPackageLog", entries);
}

} // namespace

extern "C" Q_DECL_EXPORT void QzPackageInit() {
    initialised = true;
    log("init");
}

extern "C" Q_DECL_EXPORT void Register() {
    if (!initialised)
        QzExcept(QStringLiteral("Register ran before the package was initialised"));
    log("register");
    RegisterComponents(QStringLiteral("Test Gauges"), {ClassOf<TTestGauge>()});
#ifdef QZ_TEST_PACKAGE_THROWS
    QzExcept(QStringLiteral("The gauge page is broken"));
#endif
    RegisterPropertyEditor(TypeInfoOf<int>(), &TTestGauge::staticMetaObject, QStringLiteral("Left"),
                           PropertyEditorClassOf<TTestGaugeLeftProperty>());
}

#ifndef QZ_TEST_PACKAGE_NOFINAL
extern "C" Q_DECL_EXPORT void QzPackageFinal() {
    initialised = false;
    log("final");
}
#endif

#include "TestPackage.moc"
