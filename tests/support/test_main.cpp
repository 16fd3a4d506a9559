// Shared main of every test executable: a QApplication on the offscreen platform with a
// 1280x1024 screen, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/ui/Messages.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM",
                QByteArray("offscreen:configfile=") + KESTRIVANE_SOURCE_DIR +
                    "/tests/support/screen-1280x1024.json");
    }
    // Tests never touch the user's own home folder: the whole run gets a throw-away one.
    QTemporaryDir runHome;
    qputenv("KESTRIVANE_HOME", runHome.path().toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // A message nobody scripted, or a scripted one that never came, fails the running test.
    ui::ScriptedMessages::setFailureReporter(
        [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    return RUN_ALL_TESTS();
}
