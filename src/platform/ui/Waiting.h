#pragma once

#include <QString>
#include <functional>

namespace ui {

// Runs `work` on a thread of its own and returns once it has ended, while the program goes on
// answering: when the work takes longer than a moment, a modal window titled `title` says `text`
// until it ends. Meanwhile the program's other windows take no input (a click given then is not
// kept for later) and cannot be closed, and the wait window has no close box. `work` must end by
// itself, in bounded time, and touch no window; what it throws is thrown again here, once it has
// ended.
void waitWhile(const QString& title, const QString& text, const std::function<void()>& work);

}  // namespace ui
