#include "platform/ui/Events.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <exception>
#include <memory>
#include <vector>

#include "platform/ui/Form.h"
#include "platform/ui/KeyRules.h"
#include "platform/ui/ListUnderPress.h"
#include "platform/ui/Messages.h"
#include "platform/ui/TabStops.h"

namespace ui {

namespace {
int gHandlersRunning = 0;
}  // namespace

bool handlerRunning() { return gHandlersRunning > 0; }

bool guarded(const Handler& handler) {
    if (!handler) return true;
    struct Running {
        Running() { ++gHandlersRunning; }
        ~Running() { --gHandlersRunning; }
    };
    try {
        const Running running;
        handler();
        return true;
    } catch (const std::exception& e) {
        msgBox(QString::fromUtf8(e.what()), Buttons::OK, QStringLiteral("Error"), Icon::Critical);
    } catch (...) {
        msgBox(QStringLiteral("Unexpected error"), Buttons::OK, QStringLiteral("Error"),
               Icon::Critical);
    }
    return false;
}

namespace {

// The Qt key of a character code, for a key event that carries another character than typed.
int qtKeyFor(int code) {
    switch (code) {
        case 8: return Qt::Key_Backspace;
        case 9: return Qt::Key_Tab;
        case 13: return Qt::Key_Return;
        case 27: return Qt::Key_Escape;
    }
    if (code >= 'a' && code <= 'z') return Qt::Key_A + (code - 'a');
    if (code >= 0x20 && code <= 0x7e) return code;  // Qt's codes of the other ASCII keys
    return Qt::Key_unknown;
}

// Eats the mouse press that is being delivered now. A press on a control first moves the focus
// to it; when the LostFocus that this runs shows a message, the user's release goes to the
// message box, so the press must not go on to push the button (or pick the item) under the
// mouse: it would stay pressed, or be clicked by the next release. A LostFocus that puts the
// focus back into its own box without a word drops the press the same way; one that moves the
// focus on to another control lets it through. Lives until the event loop is reached again, so
// it can only catch the press under way.
class PendingPressEater : public QObject {
public:
    static void arm() {
        auto* eater = new PendingPressEater;
        QCoreApplication::instance()->installEventFilter(eater);
        eater->deleteLater();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (done_) return false;
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick)
            return false;
        done_ = true;
        return true;
    }

private:
    bool done_ = false;
};

}  // namespace

void dropPressUnderWay() { PendingPressEater::arm(); }

// Everything connected to one control: its focus and key handlers, run from an event filter,
// and (as the context object) its signal connections. Deleting it disconnects them all.
class EventHook : public QObject {
public:
    static EventHook* of(QWidget* control) {
        for (QObject* child : control->children())
            if (auto* hook = dynamic_cast<EventHook*>(child)) return hook;
        return new EventHook(control);
    }

    // The handlers of each event, run in the order they were added: a form's own handler adds
    // to the rule the controls layer gave the control, never takes its place.
    std::vector<Handler> gotFocus;
    std::vector<Handler> lostFocus;
    std::vector<Handler> dblClick;
    std::vector<std::function<void(int&)>> keyDown;
    std::vector<std::function<void(int&)>> keyPress;
    std::vector<std::function<void(int)>> keyUp;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != control_) return false;
        Form* form = formOf(control_);
        if (form && form->isUnloading()) return false;
        switch (event->type()) {
            case QEvent::FocusIn:
                focusIn(form, static_cast<QFocusEvent*>(event)->reason());
                return false;
            case QEvent::FocusOut:
                focusOut(form, static_cast<QFocusEvent*>(event)->reason());
                return false;
            case QEvent::Shortcut: return filterShortcut(static_cast<QShortcutEvent*>(event));
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                if (filterKeyDown(key) || enterOnButton(key) || enterOnList(key)) return true;
                return filterKeyPress(key);
            }
            case QEvent::KeyRelease: {
                auto* key = static_cast<QKeyEvent*>(event);
                if (!key->isAutoRepeat())
                    runEach(keyUp, [key](const std::function<void(int)>& handler) {
                        guarded([&] { handler(key->key()); });
                        return true;
                    });
                return false;
            }
            default: return false;
        }
    }

private:
    explicit EventHook(QWidget* control) : QObject(control), control_(control) {
        control->installEventFilter(this);
    }

    static bool otherWindow(Qt::FocusReason reason) {
        return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    }

    // The focus went into a pop-up (the list of a drop-down), whatever reason Qt gives for it:
    // the control keeps the form's focus while its list is open.
    static bool intoPopup() {
        const QWidget* next = QApplication::focusWidget();
        return next && next->window()->windowType() == Qt::Popup;
    }

    void focusIn(Form* form, Qt::FocusReason reason) {
        if (!form) {
            if (!otherWindow(reason)) runAll(gotFocus);
            return;
        }
        // Back from a message box or another window to the control that had the focus.
        if (form->focusControl_ == control_) return;
        QPointer<QWidget> previous = form->focusControl_;
        form->focusControl_ = control_;
        // The focus was moved while the form was not active: the control that had it leaves now.
        if (previous)
            for (QObject* child : previous->children())
                if (auto* hook = dynamic_cast<EventHook*>(child)) hook->runLostFocus();
        runAll(gotFocus);
    }

    void focusOut(Form* form, Qt::FocusReason reason) {
        // The control stays the form's focus control.
        if (otherWindow(reason) || intoPopup()) return;
        if (form) {
            // A control that never got to see its focus (a LostFocus handler moved it on at
            // once) does not lose it either.
            if (form->focusControl_ != control_) return;
            form->focusControl_ = nullptr;
        }
        const bool pressUnderWay =
            reason == Qt::MouseFocusReason && QGuiApplication::mouseButtons() != Qt::NoButton;
        const unsigned long shownBefore = messagesShown();
        const QPointer<QWidget> left = control_;  // this hook may be gone after the handler
        // Where Tab is taking the focus, chosen before the handler could change the form.
        const bool byTab = form && form->tabbing_ &&
                           (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
        const QPointer<QWidget> chosen = byTab && !lostFocus.empty() ? QApplication::focusWidget() : nullptr;
        // What the list pressed on shows, before the settling of this box can fill it anew.
        const ListUnderPress pressedList =
            pressUnderWay && !lostFocus.empty() ? ListUnderPress::before(QApplication::focusWidget())
                                                : ListUnderPress();
        runLostFocus();
        // The press is dropped when the check put the focus back into this control or showed a
        // message, and where it would land on something else than the list showed there.
        if (pressUnderWay &&
            (messagesShown() != shownBefore || QApplication::focusWidget() == left))
            dropPressUnderWay();
        else if (pressUnderWay)
            pressedList.dropPressWhereChanged();
        // Tab goes to the control that follows now: a check that enabled or showed controls
        // after this one leads into them. A check that moved the focus itself, put it back or
        // showed a message keeps it where it is.
        if (chosen && left && messagesShown() == shownBefore &&
            QApplication::focusWidget() == chosen) {
            QWidget* next = tabStopFrom(left, reason == Qt::TabFocusReason);
            if (next && next != chosen) next->setFocus(reason);
        }
    }

    // The LostFocus handlers in turn. One that refuses the leaving (shows a message, or puts the
    // focus back into the control) ends the turn: the handlers after it see no leaving.
    void runLostFocus() {
        if (lostFocus.empty() || inLostFocus_) return;
        QPointer<EventHook> self(this);
        const QPointer<QWidget> control = control_;
        inLostFocus_ = true;
        const unsigned long shownBefore = messagesShown();
        runEach(lostFocus, [&](const Handler& handler) {
            guarded(handler);
            const QWidget* now = QApplication::focusWidget();
            return control && messagesShown() == shownBefore && !(now && (now == control || now == focusTaker(control)));
        });
        if (self) inLostFocus_ = false;
    }

    // Each handler in turn, as long as the control is there (a handler may unload its form).
    template <class Handlers, class Run>
    bool runEach(const Handlers& handlers, const Run& run) {
        const QPointer<EventHook> self(this);
        for (const auto& handler : Handlers(handlers))
            if (!self || !run(handler)) return false;
        return true;
    }

    void runAll(const std::vector<Handler>& handlers) {
        runEach(handlers, [](const Handler& handler) {
            guarded(handler);
            return true;
        });
    }

    // The key handlers in turn, each seeing the key as the one before left it, until one
    // swallows it (sets it to 0). False when one failed (its error was shown).
    bool runKeyHandlers(const std::vector<std::function<void(int&)>>& handlers, int& key) {
        bool failed = false;
        runEach(handlers, [&](const std::function<void(int&)>& handler) {
            failed = key != 0 && !guarded([&] { handler(key); });
            return key != 0 && !failed;
        });
        return !failed;
    }

    // An access key (Alt+letter) on a button acts as a click with the mouse does: the button
    // takes the focus first, so the box left runs its LostFocus before the Click. An access key
    // that several buttons share only moves the focus, as Qt does.
    bool filterShortcut(QShortcutEvent* event) {
        auto* button = qobject_cast<QAbstractButton*>(control_);
        if (!button || event->isAmbiguous()) return false;
        clickAfterFocus(button);
        return true;
    }

    // Enter on a focused push button clicks it, as Space does.
    bool enterOnButton(QKeyEvent* event) {
        auto* button = qobject_cast<QPushButton*>(control_);
        if (!button || (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) ||
            (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        clickAfterFocus(button);
        return true;
    }

    // Enter on the chosen item of a list runs its DblClick.
    bool enterOnList(QKeyEvent* event) {
        auto* list = qobject_cast<QListWidget*>(control_);
        if (!list || dblClick.empty() || (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) ||
            (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        const QListWidgetItem* item = list->currentItem();
        if (item && item->isSelected()) runAll(dblClick);
        return true;
    }

    bool filterKeyDown(QKeyEvent* event) {
        if (keyDown.empty() || replaying_) return false;
        int key = event->key();
        runKeyHandlers(keyDown, key);
        return key == 0;
    }

    // The click is dropped, as for a mouse press, when the LostFocus of the control left put
    // the focus back into it (a check) or showed a message. A LostFocus that moved the focus on
    // to another control (to the next line of a grid) does not stop the click.
    static void clickAfterFocus(QAbstractButton* button) {
        if (!button->isEnabled() || !button->isVisible()) return;
        QPointer<QAbstractButton> alive(button);
        const QPointer<QWidget> left = button->window()->focusWidget();
        const unsigned long shownBefore = messagesShown();
        if (left != button) button->setFocus(Qt::ShortcutFocusReason);
        if (!alive || messagesShown() != shownBefore) return;
        if (left && left != button && button->window()->focusWidget() == left) return;
        button->click();
    }

    bool filterKeyPress(QKeyEvent* event) {
        if (keyPress.empty() || replaying_ || event->text().isEmpty() || event->key() == Qt::Key_Tab ||
            event->key() == Qt::Key_Backtab)
            return false;
        const int typed = event->text().at(0).unicode();
        int key = typed;
        if (!runKeyHandlers(keyPress, key) || key == typed) return false;
        if (key != 0) {
            QKeyEvent replacement(QEvent::KeyPress, qtKeyFor(key), event->modifiers(),
                                  QString(QChar(key)), event->isAutoRepeat());
            replaying_ = true;
            QCoreApplication::sendEvent(control_, &replacement);
            replaying_ = false;
        }
        return true;
    }

    QWidget* control_;
    bool inLostFocus_ = false;
    bool replaying_ = false;
};

void onClick(QAbstractButton* button, Handler handler) {
    button->setFocusPolicy(Qt::StrongFocus);
    if (button->isCheckable()) {
        // A check box runs on every change of its value, an option button when it is selected.
        const bool option = qobject_cast<QRadioButton*>(button) != nullptr;
        QObject::connect(button, &QAbstractButton::toggled, EventHook::of(button),
                         [handler, option](bool on) {
                             if (on || !option) guarded(handler);
                         });
    } else {
        QObject::connect(button, &QAbstractButton::clicked, EventHook::of(button),
                         [handler] { guarded(handler); });
    }
}

void onClick(QListWidget* list, Handler handler) {
    // Emptying the list also clears its selection (while the items are still there, the current
    // row unselected); that is no Click. Code setting the row to -1 is one.
    QObject::connect(list, &QListWidget::itemSelectionChanged, EventHook::of(list),
                     [handler, list] {
                         const int row = list->currentRow();
                         const bool chosen = row >= 0 ? list->item(row)->isSelected()
                                                      : list->count() > 0;
                         if (chosen) runPick(list, &handler, [handler] { guarded(handler); });
                     });
}

void onClick(QComboBox* combo, Handler handler) {
    // An empty placeholder keeps Qt from choosing the first item when a list is filled.
    if (combo->placeholderText().isEmpty()) combo->setPlaceholderText(QStringLiteral(" "));
    QObject::connect(combo, &QComboBox::currentIndexChanged, EventHook::of(combo),
                     [handler, combo](int index) {
                         if (index >= 0 || combo->count() > 0) runPick(combo, &handler, [handler] { guarded(handler); });
                     });
}

void onDblClick(QListWidget* list, Handler handler) {
    EventHook* hook = EventHook::of(list);
    hook->dblClick.push_back(handler);
    QObject::connect(list, &QListWidget::itemDoubleClicked, hook, [handler] { guarded(handler); });
}

void clickLikeTheMouse(QAbstractButton* button) { EventHook::of(button); }

void onChange(QLineEdit* box, Handler handler) {
    QObject::connect(box, &QLineEdit::textChanged, EventHook::of(box),
                     [handler] { guarded(handler); });
}

void onChange(QPlainTextEdit* box, Handler handler) {
    QObject::connect(box, &QPlainTextEdit::textChanged, EventHook::of(box),
                     [handler] { guarded(handler); });
}

void onChange(QComboBox* combo, Handler handler) {
    // The edit text also changes when an item is chosen; that change is the Click's, not ours.
    // The index is already the new one when the text changes with it.
    auto shownIndex = std::make_shared<int>(combo->currentIndex());
    EventHook* hook = EventHook::of(combo);
    QObject::connect(combo, &QComboBox::currentIndexChanged, hook,
                     [shownIndex](int index) { *shownIndex = index; });
    QObject::connect(combo, &QComboBox::editTextChanged, hook, [handler, combo, shownIndex] {
        if (combo->currentIndex() != *shownIndex) {
            *shownIndex = combo->currentIndex();
            return;
        }
        guarded(handler);
    });
}

void onChange(QAbstractSlider* bar, Handler handler) {
    QObject::connect(bar, &QAbstractSlider::valueChanged, EventHook::of(bar),
                     [handler] { guarded(handler); });
}

void onGotFocus(QWidget* control, Handler handler) {
    EventHook::of(control)->gotFocus.push_back(std::move(handler));
}

void onLostFocus(QWidget* control, Handler handler) {
    EventHook::of(control)->lostFocus.push_back(std::move(handler));
}

void giveFocus(QWidget* control) {
    if (!control) return;
    control->setFocus(Qt::OtherFocusReason);
    QWidget* taker = focusTaker(control);
    QLineEdit* box = qobject_cast<QLineEdit*>(taker);
    if (auto* combo = qobject_cast<QComboBox*>(taker)) box = combo->lineEdit();
    // A control that could not take the focus (disabled, hidden) gets no selection either. The
    // focus of a form that is not active yet is the one it will have.
    if (!box || taker->window()->focusWidget() != taker) return;
    const int length = static_cast<int>(box->text().size());
    box->setSelection(length, -length);  // the cursor at the start keeps the start in sight
}

void onKeyDown(QWidget* control, std::function<void(int&)> handler) {
    EventHook::of(control)->keyDown.push_back(std::move(handler));
}

void onKeyPress(QWidget* control, std::function<void(int&)> handler) {
    EventHook::of(control)->keyPress.push_back(std::move(handler));
}

void onKeyUp(QWidget* control, std::function<void(int)> handler) {
    EventHook::of(control)->keyUp.push_back(std::move(handler));
}

void detachHandlers(QObject* root) {
    const QList<QObject*> all = root->findChildren<QObject*>();
    QList<EventHook*> hooks;
    for (QObject* object : all)
        if (auto* hook = dynamic_cast<EventHook*>(object)) hooks << hook;
    qDeleteAll(hooks);
}

}  // namespace ui
