#pragma once

#include <functional>

class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QLineEdit;
class QListWidget;
class QObject;
class QPlainTextEdit;
class QWidget;

namespace ui {

using Handler = std::function<void()>;

// Runs an event handler: an exception it throws (a database, file or printer error) ends the
// handler and is shown in a message titled "Error" with its reason; the program goes on.
// Returns true when the handler ran to its end. Every handler connected below runs this way.
bool guarded(const Handler& handler);
// Whether an event handler runs now: what changes a control then is the program's doing, not
// the user's.
bool handlerRunning();

// Click. A push button: clicked (also `click()` from code). A check box: its value changed. An
// option button: it became selected. A list box or combo box: its selection changed, by the user
// or by code (`setCurrentRow`, `setCurrentIndex`); emptying it runs nothing, and typing into a
// combo box runs only its Change. The combo boxes of the controls layer never select an item by
// themselves (see `comboBox`), so a Click is always the user's pick or the code's selection. The
// picks of a key held down in the list or combo run once, when it is let go (see KeyRules.h).
// Buttons so connected take the focus when clicked, so the box left runs its LostFocus first.
void onClick(QAbstractButton* button, Handler handler);
void onClick(QListWidget* list, Handler handler);
void onClick(QComboBox* combo, Handler handler);
// DblClick of a list: a double-click on an item, and Enter while an item is chosen, as a
// keyboard user opens what a mouse user double-clicks.
void onDblClick(QListWidget* list, Handler handler);

// An access key (Alt+letter) on the button, and Enter on it while it has the focus, act as a
// mouse click does: the button takes the focus first, so the box left runs its LostFocus before
// the Click; when that LostFocus keeps the focus or shows a message, no click follows. The
// controls layer does this for every button, check box and option button it makes.
void clickLikeTheMouse(QAbstractButton* button);

// Change: the text changed, typed or set by code; for a combo box the typed text only (a choice
// from its list is a Click); for a scroll bar its value.
void onChange(QLineEdit* box, Handler handler);
void onChange(QPlainTextEdit* box, Handler handler);
void onChange(QComboBox* combo, Handler handler);
void onChange(QAbstractSlider* bar, Handler handler);

// Every handler given for an event of a control runs, in the order given: a form's own handler
// adds to the rule the controls layer gave the control (the typed-text rule of a drop-down) and
// cannot switch it off. Handlers of a key run in turn, each seeing the key as the one before it
// left it, until one swallows it.
//
// GotFocus / LostFocus: the focus moved to or from the control within its form. The focus going to
// a message box, a pop-up list or another window, and coming back from there, runs neither. A
// LostFocus handler never runs again while it is running. A LostFocus handler that refuses the
// leaving (shows a message, or puts the focus back into the control) ends the turn: the handlers
// after it do not run.
void onGotFocus(QWidget* control, Handler handler);
void onLostFocus(QWidget* control, Handler handler);

// SetFocus as the program uses it: the focus goes to the control (its GotFocus and the LostFocus
// of the control left run as for a click). A text box, or the text of a drop-down, that takes it
// has its whole text selected, shown from its start, so that what the user types next replaces
// it rather than going in front of it.
void giveFocus(QWidget* control);

// KeyPress: a typed character before the control sees it, as its character code (8 backspace,
// 13 enter, 27 escape). The handler may change the code, or set it to 0 to swallow the key.
void onKeyPress(QWidget* control, std::function<void(int& key)> handler);
// KeyDown: a key pressed in the control, before the control sees it, as its Qt::Key code (also
// the keys that type no character, such as Delete). The handler may set it to 0 to swallow the
// key; KeyPress follows for a key that types a character.
void onKeyDown(QWidget* control, std::function<void(int& key)> handler);
// KeyUp: a key released in the control (its Qt::Key code).
void onKeyUp(QWidget* control, std::function<void(int key)> handler);

// Drops the mouse press being delivered now, when something run on its way (a check as the focus
// left, a pick) showed a message: the user's release went to the message box, so the press
// neither pushes the button nor picks the item under the mouse.
void dropPressUnderWay();

// Stops every handler connected to `root` and the controls inside it (a form being destroyed).
void detachHandlers(QObject* root);

}  // namespace ui
