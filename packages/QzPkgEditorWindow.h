#pragma once

// The base of the package editors (strings, images): design windows shown modally whose place
// is kept inside the package edited, not in the dialogs' records. A package never shown in its
// editor keeps the largest left there is; its editor then opens in the middle of the screen.

#include "DesignWindows.h"
#include "QzWindows.h"

class TQzPkgData;

// "System" in any case: the name of the library's own package of a kind.
bool QzIsSystemName(const QString& name);
// Whether the design's application component lets its "System" packages be edited.
bool QzSystemEditAllowed();

// The place kept in `data` for the package's editor; not `Set` when it was never placed there.
TQzResizeInfoDesigner QzPkgEditorPlace(const TQzPkgData& data);
// Keeps `place` in `data`; true when it changed there.
bool QzStorePkgEditorPlace(TQzPkgData& data, const TQzResizeInfoDesigner& place);

class TQzPkgEditorWindow : public TDesignWindow {
    Q_OBJECT
public:
    using TDesignWindow::TDesignWindow;

protected:
    // Before showing: the window takes the place kept in `data`.
    void RestoreGeometry(const TQzPkgData& data);
    // After closing: the window's place goes into `data`; true when it changed there.
    bool StoreGeometry(TQzPkgData& data) const;
    TQzResizeInfoDesigner& ResizeInfo() override;

private:
    TQzResizeInfoDesigner FGeometry;
};
