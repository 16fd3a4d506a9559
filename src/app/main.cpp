// The executable: starts Qt, makes the home folder current and opens the first window.
#include <QApplication>
#include <QDir>

#include "core/frmHelp.h"
#include "core/connection.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrivane"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QString home = homeFolder();
    QDir().mkpath(home);
    QDir::setCurrent(home);

    // Until the main menu exists the program opens on its help window.
    showHelp(QStringLiteral("Kestrivane"));
    return app.exec();
}
