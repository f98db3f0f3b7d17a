#include "QzRuntime.h"

#include "Controls.h"
#include "QzPkgStrings.h"

void QzRegisterRuntimeClasses() {
    RegisterRtlClasses();
    RegisterClasses<TQzPkgStrings>();
}
