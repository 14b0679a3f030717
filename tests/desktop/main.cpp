// The desktop tests run with a QApplication on Qt's offscreen platform (unless the
// environment names another), with the Fusion style so that widgets look alike everywhere.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/desktop/QtPlatform.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    desktop::SetUpApplication();
    return RUN_ALL_TESTS();
}
