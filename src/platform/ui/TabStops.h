#pragma once

class QWidget;

namespace ui {

// The control that finally takes the focus given to `widget`: the end of its focus proxies.
QWidget* focusTaker(QWidget* widget);

// The control that Tab (`forward`) or Shift+Tab goes to from `from` now: the next (or previous)
// control in its window's focus chain that is shown, enabled, takes the focus by Tab and is in
// sight on its form, as `inSight` says. Null when there is none.
QWidget* tabStopFrom(QWidget* from, bool forward);

// Whether a control lies where the user can see it on its form: it has a size, its middle lies
// inside every frame that holds it (up to the form, or the page of the form's scroll area, which
// scrolls to it), and no other control stands over its middle there (a cover box laid over a
// list that has nothing to show). A control out of sight takes no Tab stop: the focus would
// vanish into it.
bool inSight(const QWidget* control);

}  // namespace ui
