#include "QzWindows.h"

#include <QApplication>
#include <QScreen>

TQzScreen QzScreen;

namespace {

QRect availableArea(const QWidget* window) {
    QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center());
    if (!screen)
        screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The frame around the client area; unknown (zero) until the window was shown.
QMargins frameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

// Moves the window so that its frame's top-left corner is at `frameTopLeft`. The client area is
// placed rather than the frame, so that a window not shown yet (whose frame is not known) lands
// where it would have if it had been shown.
void moveFrameTo(QWidget* window, QPoint frameTopLeft) {
    const QPoint shift = frameTopLeft - window->frameGeometry().topLeft();
    if (!shift.isNull())
        window->setGeometry(window->geometry().translated(shift));
}

} // namespace

void QzSaveResizeInfoDesigner(const QWidget* window, TQzResizeInfoDesigner& info) {
    const bool maximised = window->isMaximized();
    QRect bounds = window->geometry();
    if ((maximised || window->isFullScreen()) && window->normalGeometry().isValid())
        bounds = window->normalGeometry();
    info.Left = bounds.left();
    info.Top = bounds.top();
    info.Width = bounds.width();
    info.Height = bounds.height();
    info.WindowState = maximised ? 2 : 0;
    info.Set = true;
}

void QzRestoreResizeInfoDesigner(QWidget* window, const TQzResizeInfoDesigner& info) {
    if (!info.Set)
        return;
    window->setGeometry(info.Left, info.Top, info.Width, info.Height);
    QzAdjustWindow(window);
    if (info.WindowState == 2)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void QzCenterWindow(QWidget* window) {
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    moveFrameTo(window, frame.topLeft());
    QzAdjustWindow(window);
}

void QzAdjustWindow(QWidget* window) {
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    const QMargins margins = frameMargins(window);
    QRect frame = window->frameGeometry();
    // Shrinking stops at the window's minimum size; the top-left corner then stays visible.
    const QSize client(
        std::min(window->width(), area.width() - margins.left() - margins.right()),
        std::min(window->height(), area.height() - margins.top() - margins.bottom()));
    if (client != window->size()) {
        window->resize(client.expandedTo(window->minimumSize()));
        frame.setSize(window->size().grownBy(margins));
    }
    if (frame.right() > area.right())
        frame.moveRight(area.right());
    if (frame.bottom() > area.bottom())
        frame.moveBottom(area.bottom());
    if (frame.left() < area.left())
        frame.moveLeft(area.left());
    if (frame.top() < area.top())
        frame.moveTop(area.top());
    moveFrameTo(window, frame.topLeft());
}

void TQzScreen::BeginUpdate() {
    if (FCount++ > 0)
        return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->updatesEnabled()) {
            window->setUpdatesEnabled(false);
            FSuspended.push_back(window);
        }
}

void TQzScreen::EndUpdate() {
    if (FCount == 0 || --FCount > 0)
        return;
    for (const QPointer<QWidget>& window : std::as_const(FSuspended))
        if (window)
            window->setUpdatesEnabled(true);
    FSuspended.clear();
}
