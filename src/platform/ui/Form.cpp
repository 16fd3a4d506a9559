#include "platform/ui/Form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>

#include "platform/fonts/StandInFonts.h"
#include "platform/ui/Events.h"
#include "platform/ui/FormPlacement.h"
#include "platform/ui/FormRegistry.h"
#include "platform/ui/Messages.h"
#include "platform/ui/TabStops.h"

namespace ui {

namespace {
QPointer<Form> gActiveForm;

}  // namespace

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) { installStandInFonts(); }

Form::~Form() {
    // The derived form is gone already; its controls must not call its handlers while they are
    // taken down.
    unloading_ = true;
    detachHandlers(this);
}

void Form::Form_QueryUnload(bool& cancel) {
    cancel = true;
    msgBox(QStringLiteral("Click 'Return' to close window"), Buttons::OK, QStringLiteral("Exit"));
}

void Form::show() {
    // A window shown without activation (a wait window) leaves the active window and its focus
    // where they are: the window system is never asked to hand them to it, so no activation can
    // still be under way for it once it is gone.
    if (testAttribute(Qt::WA_ShowWithoutActivating)) {
        QWidget::show();
        return;
    }
    if (!isVisible()) {
        // A form that its layout gives no place opens in the middle of the screen the user works
        // on. Placed by the program, not left to the window manager, it keeps its place (or where
        // the user moved it) when it is hidden and shown again, and a message it asks at once
        // stands over it rather than over where the window manager had yet to put it.
        placeOnScreen(!testAttribute(Qt::WA_Moved));
        QWidget::show();  // showEvent makes it the active form
        activateWindow();
        return;
    }
    raise();
    activateWindow();
    becameActive();
}

Form* Form::activeForm() { return gActiveForm; }

// The form fits into the free area of the screen (in a scroll area when it is larger) and, when
// `centre`, its frame stands in the middle of that area. Until the window system has framed the
// form, its frame is taken to be that of the forms framed before it.
void Form::placeOnScreen(bool centre) {
    const QScreen* screen = isVisible() ? this->screen()
                            : gActiveForm ? gActiveForm->screen()
                                          : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    frameGuess_ = frameMarginsOf(this);
    fitIntoFreeArea(this, room, frameGuess_);
    if (centre) move(centredFramePosition(size(), frameGuess_, room));
    centred_ = centre;
    frameUnknown_ = true;
}

void Form::closeEvent(QCloseEvent* event) {
    if (unloading_) {
        event->accept();
        return;
    }
    // Any other close comes from the user's close box.
    bool cancel = false;
    if (!guarded([&] { Form_QueryUnload(cancel); }) || cancel) {
        event->ignore();
        return;
    }
    event->accept();
    guarded([this] { forms().unload(this); });
}

// Once the window system has framed the form, a frame other than the one guessed fits and
// centres the form again.
void Form::checkFrame() {
    if (!frameUnknown_ || !learnFrameMargins(this)) return;
    frameUnknown_ = false;
    if (frameMarginsOf(this) == frameGuess_) return;
    placeOnScreen(centred_);
    frameUnknown_ = false;
}

void Form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    checkFrame();
    if (!event->spontaneous() && !testAttribute(Qt::WA_ShowWithoutActivating)) becameActive();
}

void Form::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hidden form is no longer the one the user works in (minimising it is no hide of ours).
    if (!event->spontaneous() && gActiveForm == this) gActiveForm = nullptr;
    // A window system that activated a window shown without activation anyway gets the active
    // form handed back now, while this window still exists.
    if (!event->spontaneous() && testAttribute(Qt::WA_ShowWithoutActivating) && gActiveForm &&
        gActiveForm->isVisible() && QGuiApplication::focusWindow() == windowHandle())
        gActiveForm->activateWindow();
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) checkFrame();
    if (event->type() == QEvent::WindowActivate && isVisible() &&
        !testAttribute(Qt::WA_ShowWithoutActivating))
        becameActive();
    return QWidget::event(event);
}

// Tab passes over controls out of sight (see inSight), which Qt's own choice would go to.
bool Form::focusNextPrevChild(bool next) {
    QWidget* from = focusWidget();
    if (!from) return QWidget::focusNextPrevChild(next);
    const bool outer = tabbing_;
    tabbing_ = true;
    if (QWidget* to = tabStopFrom(from, next)) to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    tabbing_ = outer;
    return true;
}

void Form::becameActive() {
    // Coming back to the form that was active already (a message box closed, another
    // application was used) is no activation.
    if (unloading_ || gActiveForm == this) return;
    gActiveForm = this;
    forms().noteActive(this);
    guarded([this] { Form_Activate(); });
}

Form* formOf(const QWidget* widget) {
    return widget ? qobject_cast<Form*>(widget->window()) : nullptr;
}

}  // namespace ui
