#include "QzRuntime.h"

#include "Controls.h"
#include "QzComponents.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgLanguage.h"
#include "QzPkgPrivileges.h"
#include "QzPkgSetup.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzRefs.h"

void QzRegisterRuntimeClasses() {
    RegisterRtlClasses();
    RegisterClasses<TQzPkgStrings>();
    RegisterClasses<TQzPkgImages>();
    RegisterClasses<TQzPkgDisplay>();
    RegisterClasses<TQzPkgVars>();
    RegisterClasses<TQzPkgPrivileges>();
    RegisterClasses<TQzMemoryLabel>();
    RegisterClasses<TQzMemoryMessage>();
    RegisterClasses<TQzMemoryText>();
    RegisterClasses<TQzMemoryImage>();
    RegisterClasses<TQzSetColor>();
    RegisterClasses<TQzSetFont>();
    RegisterClasses<TQzSetBackGround>();
    RegisterClasses<TQzPrivilege>();
    RegisterClasses<TQzMask>();
    RegisterClasses<TQzPkgLanguage>();
    RegisterClasses<TQzPkgSetup>();
    QzRegisterComponentClasses();
}
