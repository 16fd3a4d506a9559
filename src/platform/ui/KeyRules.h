#pragma once

#include <functional>

class QObject;

namespace ui {

// The program's rules for keys, whatever control has the focus; in place once `applyKeyRules`
// has run (the controls layer runs it as it makes a control that takes keys):
// - Alt with a letter, digit or mark types nothing into any box: an Alt+letter that no enabled
//   control takes as its access key does nothing.
// - A key held down (the keyboard repeating it) in a list or drop-down steps through its items
//   at once, but the pick (Click) of the steps waits while the key is held and runs once, for the
//   item the steps ended on, when the key is let go (or another key is pressed, a mouse button,
//   the focus leaves): a pick that builds a report builds it once, not for every step the key
//   went through.
void applyKeyRules();

// Runs `click`, the pick of `control` (a list or drop-down), now; or, when it comes from a key
// held down in the control, once the key is let go. Picks held back for one control run once.
void runPick(QObject* control, const std::function<void()>& click);

}  // namespace ui
