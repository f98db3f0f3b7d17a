// Window placement as a person sees it: a dialog reopens where it was left, and no window ends
// up partly off the screen.

#include "QzWindows.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

QRect screenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

bool onScreen(const QWidget& window) {
    return screenArea().contains(window.frameGeometry());
}

} // namespace

TEST(Windows, ResizeInfoBringsADialogBackWhereItWas) {
    TQzResizeInfoDesigner info;
    {
        QWidget first;
        // Never saved: restoring changes nothing.
        first.setGeometry(40, 50, 320, 200);
        QzRestoreResizeInfoDesigner(&first, info);
        EXPECT_EQ(first.geometry(), QRect(40, 50, 320, 200));

        first.show();
        first.setGeometry(100, 120, 300, 180);
        QzSaveResizeInfoDesigner(&first, info);
    }
    EXPECT_TRUE(info.Set);
    EXPECT_EQ(info.WindowState, 0);

    // Restored when shown, as the dialogs do.
    QWidget second;
    second.resize(500, 400);
    second.show();
    QzRestoreResizeInfoDesigner(&second, info);
    EXPECT_EQ(second.geometry(), QRect(100, 120, 300, 180));
}

TEST(Windows, MaximisedDialogKeepsItsNormalBounds) {
    TQzResizeInfoDesigner info;
    {
        QWidget window;
        window.setGeometry(60, 70, 300, 200);
        window.show();
        window.showMaximized();
        QApplication::processEvents();
        ASSERT_TRUE(window.isMaximized());
        QzSaveResizeInfoDesigner(&window, info);
    }
    EXPECT_EQ(info.WindowState, 2);
    EXPECT_EQ(QRect(info.Left, info.Top, info.Width, info.Height), QRect(60, 70, 300, 200));

    QWidget again;
    again.show();
    QzRestoreResizeInfoDesigner(&again, info);
    QApplication::processEvents();
    EXPECT_TRUE(again.isMaximized());
    again.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(again.geometry(), QRect(60, 70, 300, 200));
}

TEST(Windows, RecordsFromALargerScreenAreBroughtOnScreen) {
    const QRect area = screenArea();
    TQzResizeInfoDesigner info;
    info.Left = area.right() + 500;
    info.Top = area.bottom() + 300;
    info.Width = area.width() * 2;
    info.Height = 240;
    info.Set = true;
    QWidget window;
    window.show();
    QzRestoreResizeInfoDesigner(&window, info);
    EXPECT_TRUE(onScreen(window));
    EXPECT_EQ(window.frameGeometry().width(), area.width());
    EXPECT_EQ(window.height(), 240);
}

TEST(Windows, AdjustAndCenterKeepWindowsOnScreen) {
    const QRect area = screenArea();
    QWidget window;
    window.show();

    const QRect places[] = {{-500, -300, 300, 200},
                            {area.right() - 50, area.bottom() - 20, 300, 200},
                            {10, 10, area.width() + 400, area.height() + 300},
                            {area.center().x(), area.center().y(), 200, 100}};
    for (const QRect& place : places) {
        window.setGeometry(place);
        QzAdjustWindow(&window);
        EXPECT_TRUE(onScreen(window)) << place.x() << "," << place.y();
        // Shrunk only where the frame would not fit.
        const QSize frame = window.frameGeometry().size() - window.size();
        EXPECT_EQ(window.width(), std::min(place.width(), area.width() - frame.width()));
        EXPECT_EQ(window.height(), std::min(place.height(), area.height() - frame.height()));
    }
    // A window already on screen stays put.
    window.setGeometry(area.center().x(), area.center().y(), 200, 100);
    QzAdjustWindow(&window);
    EXPECT_EQ(window.geometry(), QRect(area.center().x(), area.center().y(), 200, 100));

    window.setGeometry(-200, -200, 300, 200);
    QzCenterWindow(&window);
    EXPECT_TRUE(onScreen(window));
    EXPECT_LE(std::abs(window.frameGeometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(window.frameGeometry().center().y() - area.center().y()), 1);

    // A window that cannot shrink enough keeps its top-left corner on screen.
    window.setMinimumSize(area.width() + 100, 100);
    window.setGeometry(300, 300, area.width() + 100, 100);
    QzAdjustWindow(&window);
    EXPECT_EQ(window.frameGeometry().left(), area.left());
    EXPECT_TRUE(area.contains(window.frameGeometry().topLeft()));
}

TEST(Windows, ScreenUpdatesNestAndResume) {
    QWidget shown;
    shown.show();
    QWidget alreadyFrozen;
    alreadyFrozen.show();
    alreadyFrozen.setUpdatesEnabled(false);
    QWidget hidden;
    auto goneDuringUpdate = std::make_unique<QWidget>();
    goneDuringUpdate->show();

    QzScreen.BeginUpdate();
    EXPECT_FALSE(shown.updatesEnabled());
    EXPECT_FALSE(goneDuringUpdate->updatesEnabled());
    {
        TQzScreenUpdate inner;
        EXPECT_TRUE(QzScreen.Updating());
    }
    // The inner end does not resume anything.
    EXPECT_FALSE(shown.updatesEnabled());
    goneDuringUpdate.reset();
    QzScreen.EndUpdate();
    EXPECT_FALSE(QzScreen.Updating());
    EXPECT_TRUE(shown.updatesEnabled());
    EXPECT_TRUE(hidden.updatesEnabled());
    // What was frozen by someone else stays frozen.
    EXPECT_FALSE(alreadyFrozen.updatesEnabled());

    // An unmatched end does nothing, and the next begin still works.
    QzScreen.EndUpdate();
    {
        TQzScreenUpdate update;
        EXPECT_FALSE(shown.updatesEnabled());
    }
    EXPECT_TRUE(shown.updatesEnabled());
}
