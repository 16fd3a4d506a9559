#include "platform/ui/Desktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

namespace ui {

void setClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

}  // namespace ui
