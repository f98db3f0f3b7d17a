// Suites that drive widgets or designed forms need an application object for their whole run,
// without a display: the offscreen platform unless the caller chose another (test discovery
// starts the binary outside CTest's environment too).

#include "QzRuntime.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QzRegisterRuntimeClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
