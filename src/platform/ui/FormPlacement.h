#pragma once

#include <QMargins>
#include <QRect>

class QScrollArea;
class QWidget;

namespace ui {

// Where a form goes on the screen and how much of the screen it takes.

// The frame the window system puts around `window` (title bar and borders): its own once the
// window system has told it, else that of a window framed before it, else none.
QMargins frameMarginsOf(const QWidget* window);
// Remembers the frame of a shown window for the windows shown after it; false while the window
// system has not told it yet.
bool learnFrameMargins(const QWidget* window);

// Fits `window` into the free area of its screen (`freeArea`, the frame given by `frame`): a
// window that the area cannot hold gets its controls in a scroll area (the one returned, made once
// and kept) and is made as large as the area allows; a window the area holds keeps its size. A
// window whose layout can shrink is first shrunk to fit.
QScrollArea* fitIntoFreeArea(QWidget* window, const QRect& freeArea, const QMargins& frame);

// The top left of the frame of a window of `size` with `frame`, centred in `freeArea` and never
// past one of its edges (the top left stays inside when the window is larger).
QPoint centredFramePosition(const QSize& size, const QMargins& frame, const QRect& freeArea);

}  // namespace ui
