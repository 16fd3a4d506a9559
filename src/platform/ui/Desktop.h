#pragma once

#include <QSize>
#include <QString>

namespace ui {

// The clipboard's text.
void setClipboardText(const QString& text);
QString clipboardText();

// Resolution of the screen: its size in device pixels, also on a scaled display.
QSize screenSize();

}  // namespace ui
