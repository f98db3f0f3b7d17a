#include "packages/QzPkgEditorWindow.h"

#include "QzCApplication.h"
#include "QzPkgInfo.h"

bool QzIsSystemName(const QString& name) {
    return name.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0;
}

bool QzSystemEditAllowed() {
    const TQzCApplication* app = QzCApp();
    return app && app->FSystemEdit;
}

TQzResizeInfoDesigner QzPkgEditorPlace(const TQzPkgData& data) {
    if (data.FEditorLeft == QzNeverPlaced)
        return {};
    return {data.FEditorLeft,
            data.FEditorTop,
            data.FEditorWidth,
            data.FEditorHeight,
            data.FEditorState == 2 ? 2 : 0,
            true};
}

bool QzStorePkgEditorPlace(TQzPkgData& data, const TQzResizeInfoDesigner& place) {
    if (!place.Set || (data.FEditorLeft == place.Left && data.FEditorTop == place.Top &&
                       data.FEditorWidth == place.Width && data.FEditorHeight == place.Height &&
                       data.FEditorState == place.WindowState))
        return false;
    data.FEditorLeft = place.Left;
    data.FEditorTop = place.Top;
    data.FEditorWidth = place.Width;
    data.FEditorHeight = place.Height;
    data.FEditorState = place.WindowState;
    return true;
}

void TQzPkgEditorWindow::RestoreGeometry(const TQzPkgData& data) {
    FGeometry = QzPkgEditorPlace(data);
    if (!FGeometry.Set)
        QzCenterWindow(this);
}

bool TQzPkgEditorWindow::StoreGeometry(TQzPkgData& data) const {
    return QzStorePkgEditorPlace(data, FGeometry);
}

TQzResizeInfoDesigner& TQzPkgEditorWindow::ResizeInfo() {
    return FGeometry;
}
