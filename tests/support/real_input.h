#pragma once

// Input as real X events, for the tests that run on a real display (tests named "...OnRealScreen...",
// run by on-screen.sh on Xvfb with a window manager). A key, typed text, a click or a wheel notch
// goes through the X server to whatever window and widget it reaches there, as a person's does;
// faults that events sent straight to a widget cannot show (a popup that takes the wheel, a press
// that opens a list, a window the manager placed elsewhere) show here.

#include <functional>

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QTimer>

class QComboBox;
class QMessageBox;
class QWidget;

// True when the tests run on a real X display (Qt's xcb platform).
bool onRealScreen();

// Skips the running test where there is no real display.
#define SKIP_UNLESS_ON_SCREEN()                                              \
    do {                                                                     \
        if (!onRealScreen()) GTEST_SKIP() << "runs on a real X display only"; \
    } while (0)

// Shows the window and waits until the window manager has mapped it and made it active.
void showOnScreen(QWidget* window);

// Presses keys by their X names, one after another: "Tab", "shift+Tab", "alt+Down", "Return".
void xKeys(const QString& keys);

// Types the text on the keyboard, a key for each character.
void xType(const QString& text);

// Presses the key (its X name) and holds it down, the X server repeating it as for a person,
// until `until` holds; then lets it go and settles (see xSettle). False when `until` never held.
bool xHold(const QString& key, const std::function<bool()>& until);

// While it lives, every thread of this program runs on one CPU only, as on a slow machine.
class OnOneCpu {
public:
    OnOneCpu();
    ~OnOneCpu();
    OnOneCpu(const OnOneCpu&) = delete;
    OnOneCpu& operator=(const OnOneCpu&) = delete;

private:
    QByteArray before_;  // the CPUs the program might use, as a cpu_set_t
};

// Moves the pointer to `at` in the widget (its middle by default) and clicks the left button,
// `clicks` times 80 ms apart (2: a double-click).
void xClick(QWidget* widget, QPoint at = QPoint(-1, -1), int clicks = 1);

// Opens the drop-down by a click (on its arrow where it takes typing) and clicks the item reading
// `text` in its list. Returns false (the list left open) when no item reads so.
bool xPick(QComboBox* combo, const QString& text);

// Moves the pointer to `at` in the widget (its middle by default) and turns the wheel by `notches`:
// positive turns it towards the user (the page moves down), negative away.
void xWheel(QWidget* widget, int notches, QPoint at = QPoint(-1, -1));

// Returns once every X event given so far has reached the program and been handled, with what
// its handling posted.
void xSettle();

// Answers the next message box once it is up and active on the screen, by `answer` (which reads
// it and gives it its keys): the click or key that shows a box returns only when the box closes,
// so the answer comes from within. Watches for the box as long as it lives.
class AnswerRealMessageBox {
public:
    explicit AnswerRealMessageBox(std::function<void(QMessageBox*)> answer);

private:
    QTimer poll_;
};

// Waits, handling events, until `condition` holds; false when it did not within a long time.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 20000);
