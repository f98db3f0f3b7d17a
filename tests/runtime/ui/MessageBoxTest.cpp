// The real message box of the Qt UI service, driven by keys and clicks as a person would: the
// kind returned is the button pressed, and Escape or the close box never means "go ahead".

#include "QzUi.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Shows `request` in a real box and acts on it once it is up. A box left open is closed after a
// while so that a failing test cannot hang the suite.
TQzButtonKind runBox(const TQzMessageRequest& request,
                     const std::function<void(QMessageBox&)>& act) {
    bool acted = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || acted)
            return;
        acted = true;
        act(*box);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the message box stayed open";
            box->done(0);
        }
    });
    poll.start();
    watchdog.start(5000);
    TQzQtUi ui;
    const TQzButtonKind pressed = ui.Message(request);
    EXPECT_TRUE(acted) << "the message box never came up";
    return pressed;
}

TQzMessageRequest question(TQzButtons buttons, TQzButtonKind defaultButton = bkNone) {
    TQzMessageRequest request;
    request.Type = TQzMessageType::mtConfirmation;
    request.Text = QStringLiteral("Delete the selected image?");
    request.Buttons = std::move(buttons);
    request.Default = defaultButton;
    return request;
}

void press(QMessageBox& box, Qt::Key key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &down);
    QCoreApplication::sendEvent(&box, &up);
}

std::function<void(QMessageBox&)> pressKey(Qt::Key key) {
    return [key](QMessageBox& box) {
        press(box, key);
    };
}

} // namespace

TEST(MessageBox, EscapeAndTheCloseBoxNeverProceed) {
    EXPECT_EQ(runBox(question({bkOk, bkCancel}, bkOk), pressKey(Qt::Key_Escape)), bkCancel);
    EXPECT_EQ(runBox(question({bkYes, bkNo}, bkYes), pressKey(Qt::Key_Escape)), bkNo);
    EXPECT_EQ(runBox(question({bkYes, bkNo, bkCancel}, bkYes), pressKey(Qt::Key_Escape)), bkCancel);
    EXPECT_EQ(runBox(question({bkYes, bkNo}, bkYes), [](QMessageBox& box) { box.close(); }), bkNo);
    EXPECT_EQ(runBox(question({bkOk, bkCancel}), [](QMessageBox& box) { box.close(); }), bkCancel);
    // A single acknowledge button is what Escape means there.
    EXPECT_EQ(runBox(question({bkOk}), pressKey(Qt::Key_Escape)), bkOk);
}

TEST(MessageBox, EnterPressesTheDefaultAndClicksReturnTheirKind) {
    EXPECT_EQ(runBox(question({bkYes, bkNo}, bkYes), pressKey(Qt::Key_Return)), bkYes);
    EXPECT_EQ(runBox(question({bkYes, bkNo}, bkNo), pressKey(Qt::Key_Return)), bkNo);
    EXPECT_EQ(runBox(question({bkOk, bkCancel}, bkCancel), pressKey(Qt::Key_Enter)), bkCancel);

    EXPECT_EQ(runBox(question({bkYes, bkNo, bkCancel}),
                     [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }),
              bkNo);

    TQzMessageRequest error;
    error.Type = TQzMessageType::mtError;
    error.Text = QStringLiteral("Disk full");
    EXPECT_EQ(runBox(error,
                     [](QMessageBox& box) {
                         EXPECT_EQ(box.windowTitle(), QStringLiteral("Error"));
                         EXPECT_EQ(box.icon(), QMessageBox::Critical);
                         EXPECT_EQ(box.text(), QStringLiteral("Disk full"));
                         ASSERT_EQ(box.buttons().size(), 1);
                         box.buttons().front()->click();
                     }),
              bkOk);
}
