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

void TQzPkgEditorWindow::RestoreGeometry(const TQzPkgData& data) {
    FGeometry = TQzResizeInfoDesigner();
    if (data.FEditorLeft == QzNeverPlaced) {
        QzCenterWindow(this);
        return;
    }
    FGeometry = {data.FEditorLeft,
                 data.FEditorTop,
                 data.FEditorWidth,
                 data.FEditorHeight,
                 data.FEditorState == 2 ? 2 : 0,
                 true};
}

bool TQzPkgEditorWindow::StoreGeometry(TQzPkgData& data) const {
    const TQzResizeInfoDesigner& now = FGeometry;
    if (!now.Set || (data.FEditorLeft == now.Left && data.FEditorTop == now.Top &&
                     data.FEditorWidth == now.Width && data.FEditorHeight == now.Height &&
                     data.FEditorState == now.WindowState))
        return false;
    data.FEditorLeft = now.Left;
    data.FEditorTop = now.Top;
    data.FEditorWidth = now.Width;
    data.FEditorHeight = now.Height;
    data.FEditorState = now.WindowState;
    return true;
}

TQzResizeInfoDesigner& TQzPkgEditorWindow::ResizeInfo() {
    return FGeometry;
}
