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
#include <QTextEdit>
#include <utility>
#include <vector>

#include "platform/ui/Events.h"
#include "platform/ui/Messages.h"

namespace ui {

namespace {

// A box that takes typed text.
bool takesText(const QObject* receiver) {
    return qobject_cast<const QLineEdit*>(receiver) || qobject_cast<const QPlainTextEdit*>(receiver) ||
           qobject_cast<const QTextEdit*>(receiver) || qobject_cast<const QComboBox*>(receiver) ||
           qobject_cast<const QAbstractSpinBox*>(receiver);
}

class KeyRules : public QObject {
public:
    using QObject::QObject;

    // Whether a pick of `control` now comes from a key held down in it.
    bool holdsBack(const QObject* control) const { return held_ && QApplication::focusWidget() == control; }

    void holdBack(QObject* control, const std::function<void()>& click) {
        for (auto& [waiting, pick] : waiting_)
            if (waiting == control) {
                pick = click;
                return;
            }
        waiting_.emplace_back(control, click);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress: {
                if (!watched->isWidgetType()) return false;
                auto* key = static_cast<QKeyEvent*>(event);
                if (key->isAutoRepeat()) {
                    held_ = true;
                } else {
                    letGo();
                }
                const QString text = key->text();
                return (key->modifiers() & Qt::AltModifier) && !text.isEmpty() && text.at(0).isPrint() &&
                       takesText(watched);
            }
            case QEvent::KeyRelease:
                if (watched->isWidgetType() && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) letGo();
                return false;
            // A pick that shows a message on the way of a mouse press drops the press, as a
            // LostFocus message does: the user's release went to the message box.
            case QEvent::MouseButtonPress: return letGo();
            case QEvent::FocusOut:
                if (letGo() && static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason &&
                    QGuiApplication::mouseButtons() != Qt::NoButton)
                    dropPressUnderWay();
                return false;
            case QEvent::WindowDeactivate: letGo(); return false;
            default: return false;
        }
    }

private:
    // The key is let go: the picks held back run, each once. True when one showed a message.
    bool letGo() {
        held_ = false;
        const unsigned long shownBefore = messagesShown();
        while (!waiting_.empty()) {
            auto [control, click] = std::move(waiting_.front());
            waiting_.erase(waiting_.begin());
            if (control) click();
        }
        return messagesShown() != shownBefore;
    }

    bool held_ = false;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting_;
};

QPointer<KeyRules> gRules;

}  // namespace

void applyKeyRules() {
    if (gRules || !QCoreApplication::instance()) return;
    gRules = new KeyRules(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(gRules);
}

void runPick(QObject* control, const std::function<void()>& click) {
    if (gRules && gRules->holdsBack(control))
        gRules->holdBack(control, click);
    else
        click();
}

}  // namespace ui
