// The executable: starts Qt, makes the home folder current and loads the main menu.
#include <csignal>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include "core/connection.h"
#include "core/frmInit.h"
#include "platform/ui/ui.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrivane"));
    QApplication::setQuitOnLastWindowClosed(false);

    // A write over the file-size limit fails with an error the program reports, instead of
    // ending it.
    std::signal(SIGXFSZ, SIG_IGN);

    // The home folder is fixed as an absolute path before the current folder changes.
    const QString home = homeFolder();
    qputenv("KESTRIVANE_HOME", QFile::encodeName(home));
    QDir().mkpath(home);
    QDir::setCurrent(home);

    // The menu loads once the event loop runs, so that ending the program from its load (a
    // small screen, the first run cancelled) leaves that loop.
    QTimer::singleShot(0, [] { ui::guarded([] { ui::forms().get<frmInit>(); }); });
    const int result = app.exec();
    ui::forms().unloadAll();
    return result;
}
