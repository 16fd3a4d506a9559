#include "platform/ui/Desktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

namespace ui {

void setClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return QSize();
    // Qt gives the size in device-independent pixels: on a scaled display (a desktop set to 150%)
    // that is the resolution divided by the scale. The resolution is the count of device pixels.
    return (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize();
}

}  // namespace ui
