#pragma once

#include <QSize>
#include <QString>

namespace ui {

// The clipboard's text.
void setClipboardText(const QString& text);
QString clipboardText();

// Size of the screen in pixels.
QSize screenSize();

}  // namespace ui
