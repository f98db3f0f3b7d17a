#pragma once

// The application component: one per application, on its main form. It holds the application's
// display, language, setup, vars and privileges packages (each kept in the form or in its own
// file), where package files are looked for, whether the "System" packages may be edited, the
// skins of its windows and hints and the look of its scroll bars.

#include "QzContainers.h"
#include "QzPkgDisplay.h"
#include "QzPkgLanguage.h"
#include "QzPkgPrivileges.h"
#include "QzPkgSetup.h"
#include "QzPkgVars.h"

class TQzCApplication : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString AppName MEMBER FAppName)
    Q_PROPERTY(TQzPkgDisplay* PkgDisplay READ PkgDisplay)
    Q_PROPERTY(TQzPkgLanguage* PkgLanguage READ PkgLanguage)
    Q_PROPERTY(TQzPkgSetup* PkgSetup READ PkgSetup)
    Q_PROPERTY(TQzPkgVars* PkgVars READ PkgVars)
    Q_PROPERTY(TQzPkgPrivileges* Privileges READ Privileges)
    Q_PROPERTY(QString Path MEMBER FPath)
    Q_PROPERTY(QString PathPkgVars MEMBER FPathPkgVars)
    Q_PROPERTY(QString PathPrivileges MEMBER FPathPrivileges)
    Q_PROPERTY(bool SystemEdit MEMBER FSystemEdit)
    Q_PROPERTY(TQzMemoryImage* SkinWindows READ SkinWindows)
    Q_PROPERTY(TQzMemoryImage* SkinHints READ SkinHints)
    Q_PROPERTY(TQzScrollBarSettings* ScrollBars READ ScrollBars)
public:
    Q_INVOKABLE explicit TQzCApplication(TComponent* owner = nullptr);
    ~TQzCApplication() override;

    TQzPkgDisplay* PkgDisplay() const { return FPkgDisplay; }
    TQzPkgLanguage* PkgLanguage() const { return FPkgLanguage; }
    TQzPkgSetup* PkgSetup() const { return FPkgSetup; }
    TQzPkgVars* PkgVars() const { return FPkgVars; }
    TQzPkgPrivileges* Privileges() const { return FPrivileges; }
    TQzMemoryImage* SkinWindows() const { return FSkinWindows; }
    TQzMemoryImage* SkinHints() const { return FSkinHints; }
    TQzScrollBarSettings* ScrollBars() const { return FScrollBars; }

    // Whether QzCApp returns this application; activating one deactivates the others.
    bool Active() const;
    void SetActive(bool active);

    // Brings the "System" strings of the language package up to those of a language file:
    // its system strings replace those with the same ids and are added where missing, strings
    // only this application has stay. With `onlyNewer`, a file not changed since the last update
    // is skipped. Raises EQzError for a missing or bad file, and nothing changes then. True
    // when it updated.
    bool UpdateSystemPkgLanguage(const QString& fileName, bool onlyNewer);
    // The same for the "System" images of the display package from a display file.
    bool UpdateSystemPkgDisplay(const QString& fileName, bool onlyNewer);
    // Updates both from the files they were last updated from, else "Standard.lan" and
    // "Standard.dis" of the package folder; a file that does not exist is passed over. True when
    // anything was updated.
    bool UpdateSystemPkgs(bool onlyNewer);
    // Where package files are looked for: Path, else the application folder; ends with '/'.
    QString PackagesPath() const;

    QString FAppName;
    QString FPath;
    QString FPathPkgVars;
    QString FPathPrivileges;
    // Permits editing the "System" packages.
    bool FSystemEdit = false;

private:
    TQzPkgDisplay* FPkgDisplay;
    TQzPkgLanguage* FPkgLanguage;
    TQzPkgSetup* FPkgSetup;
    TQzPkgVars* FPkgVars;
    TQzPkgPrivileges* FPrivileges;
    TQzMemoryImage* FSkinWindows;
    TQzMemoryImage* FSkinHints;
    TQzScrollBarSettings* FScrollBars;
};

// The application component of the design: the active one, else the first created; none when
// there is none.
TQzCApplication* QzCApp();
// QzCApp for what cannot work without one: raises EQzError "Component TQzCApplication not found"
// when there is none.
TQzCApplication& QzCAppRequired();
// Every application component alive, in creation order.
QList<TQzCApplication*> QzCApplicationsAll();
