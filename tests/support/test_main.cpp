// Shared main of every test executable: a QApplication on the offscreen platform with a
// 1280x1024 screen, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM",
                QByteArray("offscreen:configfile=") + KESTRIVANE_SOURCE_DIR +
                    "/tests/support/screen-1280x1024.json");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
