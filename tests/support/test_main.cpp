// Shared main of every test executable: a QApplication on the offscreen platform with a
// 1280x1024 screen, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/ui/Messages.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM",
                QByteArray("offscreen:configfile=") + KESTRIVANE_SOURCE_DIR +
                    "/tests/support/screen-1280x1024.json");
    }
    // Nothing of the developer's own settings reaches a test. The run gets a throw-away home
    // folder, the program's and the user's (so no ~/.cups/lpoptions or ~/.config of his), no
    // print folder, FTP server or printer of the shell's, and no CUPS settings of the machine's
    // (client.conf, lpoptions): its print service is a socket that nothing listens on. A test that
    // prints to a printer starts a scheduler of its own (LocalPrintServer).
    QTemporaryDir run;
    QDir(run.path()).mkpath(QStringLiteral("home"));
    QDir(run.path()).mkpath(QStringLiteral("cups"));
    const QByteArray root = QFile::encodeName(run.path());
    // A run on the developer's own display still finds its X authority.
    if (qEnvironmentVariableIsEmpty("XAUTHORITY"))
        qputenv("XAUTHORITY", QFile::encodeName(QDir::homePath()) + "/.Xauthority");
    qputenv("KESTRIVANE_HOME", root);
    qputenv("HOME", root + "/home");
    qputenv("CUPS_SERVERROOT", root + "/cups");
    qputenv("CUPS_SERVER", root + "/no-print-service");
    for (const char* name : {"KESTRIVANE_PRINT_DIR", "KESTRIVANE_FTP_URL", "LPDEST", "PRINTER", "CUPS_USER",
                             "CUPS_ENCRYPTION", "CUPS_GSSSERVICENAME", "IPP_PORT", "CUPS_DATADIR", "XDG_CONFIG_HOME",
                             "XDG_DATA_HOME"})
        qunsetenv(name);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // A message nobody scripted, or a scripted one that never came, fails the running test.
    ui::ScriptedMessages::setFailureReporter(
        [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    return RUN_ALL_TESTS();
}
