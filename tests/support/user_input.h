#pragma once

// Input as a person gives it, where QTest has no single call for it.

#include <QObject>
#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

class QComboBox;
class QImage;
class QLineEdit;
class QWidget;

// Makes `window` the active window, as the user's click on it does: the focus moves into it and
// its access keys work.
void activate(QWidget* window);

// Shows a form and makes it the active window.
template <class F>
F* showActive(F* form) {
    form->show();
    activate(form);
    return form;
}

// Clicks into a box and types `text` over what it held. Letters beyond ASCII come as the text
// of a key, as a keyboard layout gives them.
void typeInto(QLineEdit* box, const QString& text);

// Clicks into a box, selects what it held and pastes `text` over it from the clipboard with
// Ctrl+V, as a coach pastes a text copied elsewhere.
void pasteInto(QLineEdit* box, const QString& text);

// Puts the focus in the drop-down and opens its list with Alt+Down. Returns false when the list
// did not open, or closed again at once (a handler run by the opening took it away).
bool openWithKeys(QComboBox* combo);

// Opens the drop-down with a mouse click and clicks the item reading `text` in its list. Returns
// false (the list left open) when no item reads so.
bool pickWithMouse(QComboBox* combo, const QString& text);

// Clicks into the text of a drop-down the user may type into and types `text` over what it
// held, key by key.
void typeIntoCombo(QComboBox* combo, const QString& text);

// A key pressed on the keyboard, and characters typed on it: they go to the control that has the
// focus, and the program handles them as it does once no more keys come (keysHandled).
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void typeKeys(const QString& text);
// Returns once the picks the keys given so far left waiting for the keys to stop have run.
void keysHandled();

// While it lives, keys typed one after another count as coming quickly however busy the machine
// is (a long keyboard-search interval): a name typed into a list is one search until a key or a
// focus change ends it, not cut where a pick on an earlier letter kept the program busy.
class KeysComeQuickly {
public:
    KeysComeQuickly();
    ~KeysComeQuickly();
    KeysComeQuickly(const KeysComeQuickly&) = delete;
    KeysComeQuickly& operator=(const KeysComeQuickly&) = delete;

private:
    int interval_;
};

// While it lives, `drawn` runs each time the widget is drawn (before its own painting).
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* widget, std::function<void()> drawn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> drawn_;
};

// Presses Tab in the widget that has the focus until `target` has it (at most `tabs` times).
// Returns whether it got there.
bool tabInto(QWidget* target, int tabs = 40);

// Opens the widget's context menu with a right click at `at` and presses `key` there (an item's
// access key). Returns false when no menu opened.
bool chooseFromContextMenu(QWidget* widget, QPoint at, int key);

// The widget as it is drawn, everything but the outer `border` pixels blanked: what shows of
// its frame.
QImage frameOf(QWidget* widget, int border = 2);
