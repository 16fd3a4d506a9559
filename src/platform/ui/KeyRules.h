#pragma once

#include <functional>

class QObject;

namespace ui {

// The program's rules for keys, whatever control has the focus; in place once `applyKeyRules`
// has run (the controls layer runs it as it makes a control that takes keys):
// - Alt with a letter, digit or mark types nothing into any box: an Alt+letter that no enabled
//   control takes as its access key does nothing.
// - A key in a list or drop-down steps through its items at once, and the box is drawn with the
//   new item before anything else is done; the pick (Click) of the steps waits until input has
//   stopped arriving: no key is held down (asked of the X server, so that a repeat the program
//   was not told is one counts too), no key the window system sent is left to handle, and none
//   came for a moment (quick taps are one run of keys). It then
//   runs once, for the item the box shows. Another key (Enter, Tab, a key in another control), a
//   mouse button, the focus leaving or the window being left runs it at once, before what they
//   do. A pick that builds a report builds it once for a held key or a quick run of taps, not for
//   every step the keys went through.
void applyKeyRules();

// Runs `click`, the pick of `control` (a list or drop-down) for its Click handler `handler`, now,
// the control drawn first; or, when it is the user's by a key in the control, once input has
// stopped arriving. The picks held back for one handler run once. A pick the program makes (a
// handler running) runs at once.
void runPick(QObject* control, const void* handler, const std::function<void()>& click);

// Whether a pick is held back, waiting for input to stop.
bool picksWaiting();

}  // namespace ui
