#include "platform/ui/KeyRules.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QTextEdit>
#include <utility>
#include <vector>

#include "platform/ui/Events.h"
#include "platform/ui/Messages.h"
#include "platform/ui/PendingInput.h"

namespace ui {

namespace {

// A box that takes typed text.
bool takesText(const QObject* receiver) {
    return qobject_cast<const QLineEdit*>(receiver) || qobject_cast<const QPlainTextEdit*>(receiver) ||
           qobject_cast<const QTextEdit*>(receiver) || qobject_cast<const QComboBox*>(receiver) ||
           qobject_cast<const QAbstractSpinBox*>(receiver);
}

// Keys that only move in a list or drop-down: the pick they come to waits while more follow.
bool steps(const QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: return true;
        default: break;
    }
    // A name typed into a drop-down list goes from item to item.
    const QString text = key->text();
    return !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !text.isEmpty() &&
           text.at(0).isPrint();
}

bool isModifierKey(int key) {
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock: return true;
        default: return false;
    }
}

// Keys tapped quicker than a keyboard repeats (about 30 a second) are one run of keys: their picks
// wait this long after the last of them.
constexpr int kQuietMs = 60;

class KeyRules : public QObject {
public:
    explicit KeyRules(QObject* parent) : QObject(parent), pending_(new PendingInput(this)) {
        settle_.setSingleShot(true);
        settle_.setInterval(kQuietMs);
        connect(&settle_, &QTimer::timeout, this, [this] { settle(); });
    }

    // Whether a pick of `control` now is the user's by a key: Qt's own answer to a key pressed in
    // the control, no handler of the program running.
    bool holdsBack(const QObject* control) const {
        return !running_ && !keysDown_.isEmpty() && !handlerRunning() && QApplication::focusWidget() == control;
    }

    void holdBack(QObject* control, const void* handler, const std::function<void()>& click) {
        for (Waiting& waiting : waiting_)
            if (waiting.control == control && waiting.handler == handler) {
                waiting.click = click;
                return;
            }
        waiting_.push_back({control, handler, click});
        settle_.start();
    }

    bool waiting() const { return !waiting_.empty(); }

    // Runs a pick now, the control drawn with it first.
    void runNow(QObject* control, const std::function<void()>& click) {
        if (!handlerRunning()) drawn(control);
        click();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress: {
                if (!watched->isWidgetType()) return false;
                auto* key = static_cast<QKeyEvent*>(event);
                if (!passedOn(watched)) {
                    keyCame(key, true);
                    // Another key than one moving on in the box of the waiting picks (Enter, Tab,
                    // a key elsewhere) finds them done.
                    if (!steps(key) || !onlyWaiting(watched)) letGo();
                }
                const QString text = key->text();
                return (key->modifiers() & Qt::AltModifier) && !text.isEmpty() && text.at(0).isPrint() &&
                       takesText(watched);
            }
            case QEvent::KeyRelease:
                // A key let go counts wherever it goes: the key may have moved the focus.
                if (watched->isWidgetType()) keyCame(static_cast<QKeyEvent*>(event), false);
                return false;
            // A pick that shows a message on the way of a mouse press drops the press, as a
            // LostFocus message does: the user's release went to the message box.
            // A key whose release went elsewhere (a task that dropped it) is held no longer once
            // the mouse is used: the pick the press makes runs at once.
            case QEvent::MouseButtonPress:
                keysDown_.clear();
                ++inputs_;
                return letGo();
            case QEvent::FocusOut:
                if (letGo() && static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason &&
                    QGuiApplication::mouseButtons() != Qt::NoButton)
                    dropPressUnderWay();
                return false;
            case QEvent::WindowDeactivate:
                keysDown_.clear();
                letGo();
                return false;
            default: return false;
        }
    }

private:
    // A key pressed or let go: held keys are counted (a release the keyboard's repeat gives is
    // no letting go), and the waiting picks wait for what follows.
    void keyCame(const QKeyEvent* key, bool pressed) {
        ++inputs_;
        pending_->handled(key->timestamp());
        if (isModifierKey(key->key())) return;
        if (pressed) {
            if (waiting_.empty()) pressedCodes_.clear();
            keysDown_.insert(key->key());
            if (key->nativeScanCode()) pressedCodes_.insert(key->nativeScanCode());
        } else if (!key->isAutoRepeat()) {
            keysDown_.remove(key->key());
        }
        if (!waiting_.empty()) settle_.start();
    }

    // Whether the key pressed is one a control passed on to the widget it lies on: it came to
    // the control that has the focus first.
    static bool passedOn(QObject* receiver) { return receiver != QApplication::focusWidget(); }

    // Whether the picks waiting are all of `control`.
    bool onlyWaiting(const QObject* control) const {
        for (const Waiting& waiting : waiting_)
            if (waiting.control != control) return false;
        return true;
    }

    // Input has stopped arriving when no key is held, and nothing the window system sent before
    // now is left to handle.
    void settle() {
        if (waiting_.empty() || running_ || !keysDown_.isEmpty()) return;
        const quint64 asked = inputs_;
        QPointer<KeyRules> self(this);
        auto* window = qobject_cast<QWidget*>(waiting_.front().control.data());
        pending_->roundTrip(window, [self, asked] {
            if (self) self->decide(asked, 0);
        });
    }

    void decide(quint64 asked, int tries) {
        // Input that came meanwhile set the settling off again.
        if (asked != inputs_ || waiting_.empty() || running_) return;
        // A key the server sent is still on its way into the program; one that never comes (its
        // window took no input) holds nothing up for long.
        if (pending_->keysInFlight() && tries < 3) {
            QTimer::singleShot(0, this, [this, asked, tries] { decide(asked, tries + 1); });
            return;
        }
        // A key still held down: its repeat, or its release, sets the settling off again.
        if (pending_->anyHeld(pressedCodes_)) return;
        letGo();
    }

    // The picks held back run, each once, their controls drawn first. True when one showed a
    // message.
    bool letGo() {
        settle_.stop();
        const unsigned long shownBefore = messagesShown();
        if (waiting_.empty() || running_) return false;
        running_ = true;
        while (!waiting_.empty()) {
            const Waiting waiting = std::move(waiting_.front());
            waiting_.erase(waiting_.begin());
            if (waiting.control) {
                drawn(waiting.control);
                waiting.click();
            }
        }
        running_ = false;
        pressedCodes_.clear();
        return messagesShown() != shownBefore;
    }

    // Draws the control now, before what its pick sets off keeps the program busy.
    static void drawn(QObject* control) {
        auto* widget = qobject_cast<QWidget*>(control);
        if (widget && widget->isVisible()) widget->repaint();
    }

    PendingInput* pending_;
    QTimer settle_;
    bool running_ = false;
    quint64 inputs_ = 0;        // keys and mouse presses so far
    QSet<int> keysDown_;        // pressed and not let go, as the program was told
    QSet<quint32> pressedCodes_;  // the keys pressed since the picks began to wait
    struct Waiting {
        QPointer<QObject> control;
        const void* handler;
        std::function<void()> click;
    };
    std::vector<Waiting> waiting_;
};

QPointer<KeyRules> gRules;

}  // namespace

void applyKeyRules() {
    if (gRules || !QCoreApplication::instance()) return;
    gRules = new KeyRules(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(gRules);
}

void runPick(QObject* control, const void* handler, const std::function<void()>& click) {
    if (!gRules)
        click();
    else if (gRules->holdsBack(control))
        gRules->holdBack(control, handler, click);
    else
        gRules->runNow(control, click);
}

bool picksWaiting() { return gRules && gRules->waiting(); }

}  // namespace ui
