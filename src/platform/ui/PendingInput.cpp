#include "platform/ui/PendingInput.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace ui {

namespace {

// X times are milliseconds that wrap around: `a` came after `b`.
bool later(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) > 0; }

xcb_connection_t* xConnection() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

// Sees the X events as the program reads them, before they become Qt's events.
class PendingInput::Watch : public QAbstractNativeEventFilter {
public:
    explicit Watch(xcb_connection_t* connection) : connection_(connection) {
        if (!connection_) return;
        const char name[] = "_KESTRIVANE_INPUT_MARK";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
        atom_ = reply ? reply->atom : 0;
        std::free(reply);
        if (!atom_) connection_ = nullptr;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
            case XCB_KEY_PRESS:
            case XCB_KEY_RELEASE: {
                const uint32_t time = reinterpret_cast<xcb_key_press_event_t*>(event)->time;
                if (!seenAny_ || later(time, seen_)) seen_ = time;
                seenAny_ = true;
                break;
            }
            case XCB_PROPERTY_NOTIFY: {
                auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (change->atom == atom_ && change->window == markedWindow_ && answered_) {
                    // The events read before the mark become Qt's events first: the answer
                    // waits for the event loop.
                    auto answered = std::exchange(answered_, {});
                    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(answered),
                                              Qt::QueuedConnection);
                }
                break;
            }
            default: break;
        }
        return false;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t atom_ = 0;
    xcb_window_t markedWindow_ = 0;
    uint32_t mark_ = 0;
    std::function<void()> answered_;
    // The latest key the server sent, and the latest the program handled.
    bool seenAny_ = false;
    uint32_t seen_ = 0;
    bool handledAny_ = false;
    uint32_t handled_ = 0;
};

PendingInput::PendingInput(QObject* parent) : QObject(parent), watch_(new Watch(xConnection())) {
    if (watch_->connection_) QCoreApplication::instance()->installNativeEventFilter(watch_);
}

PendingInput::~PendingInput() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(watch_);
    delete watch_;
}

bool PendingInput::canAsk() const { return watch_->connection_ != nullptr; }

void PendingInput::roundTrip(QWidget* window, std::function<void()> answered) {
    if (!canAsk() || !window || !window->window()->windowHandle()) {
        QMetaObject::invokeMethod(this, std::move(answered), Qt::QueuedConnection);
        return;
    }
    // The mark goes on the program's own window, whose property changes the program is told of.
    watch_->markedWindow_ = static_cast<xcb_window_t>(window->window()->winId());
    watch_->answered_ = std::move(answered);
    const uint32_t mark = ++watch_->mark_;
    xcb_change_property(watch_->connection_, XCB_PROP_MODE_REPLACE, watch_->markedWindow_, watch_->atom_,
                        XCB_ATOM_CARDINAL, 32, 1, &mark);
    xcb_flush(watch_->connection_);
}

bool PendingInput::keysInFlight() const {
    return watch_->seenAny_ && (!watch_->handledAny_ || later(watch_->seen_, watch_->handled_));
}

bool PendingInput::anyHeld(const QSet<quint32>& keys) const {
    if (!canAsk() || keys.isEmpty()) return false;
    std::unique_ptr<xcb_query_keymap_reply_t, decltype(&std::free)> reply(
        xcb_query_keymap_reply(watch_->connection_, xcb_query_keymap(watch_->connection_), nullptr), &std::free);
    if (!reply) return false;
    for (const quint32 key : keys)
        if (key < 256 && (reply->keys[key / 8] & (1u << (key % 8)))) return true;
    return false;
}

void PendingInput::handled(unsigned long timestamp) {
    const auto time = static_cast<uint32_t>(timestamp);
    if (!watch_->handledAny_ || later(time, watch_->handled_)) watch_->handled_ = time;
    watch_->handledAny_ = true;
}

}  // namespace ui
