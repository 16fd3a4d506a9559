#include "platform/ui/FormPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace ui {

namespace {

// The frame of the last window the window system framed: every form has the same decoration.
QMargins gLearnedFrame;

const char* const kScrollAreaName = "formScrollArea";
// The size the window's controls were laid out for, kept on its scroll area.
const char* const kDesignedSize = "kestrivaneDesignedSize";
// True on the scroll area of a window that had a fixed size.
const char* const kFixedSize = "kestrivaneFixedSize";

// The frame as the window shows it now; none while the window system has not told it, nor
// while the frame it told belongs to another size of the window (a side of it less than none).
QMargins shownFrame(const QWidget* window) {
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0) return QMargins();
    return frame;
}

bool holds(const QSize& room, const QSize& size) {
    return size.width() <= room.width() && size.height() <= room.height();
}

// Moves the window's controls, and its layout with them, onto a page in a scroll area that then
// fills the window. Each control keeps its place on the page, its shown or hidden state, the
// order Tab goes through it, and the focus the form gave it.
QScrollArea* putInScrollArea(QWidget* window, const QSize& designed) {
    QPointer<QWidget> focus = window->focusWidget();
    auto* page = new QWidget(window);
    const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (QLayout* layout = window->layout()) page->setLayout(layout);  // takes it from the window
    for (QWidget* control : controls) {
        if (control == page || control->isWindow()) continue;
        const bool hidden = control->isHidden();
        control->setParent(page);
        control->setHidden(hidden);
    }
    if (!page->layout()) page->setFixedSize(designed);

    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QString::fromLatin1(kScrollAreaName));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    scroll->setProperty(kDesignedSize, designed);
    auto* fill = new QVBoxLayout(window);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(scroll);
    if (focus) focus->setFocus();

    // A control the keyboard moves to (Tab, an access key, the program) is scrolled into view; a
    // click does not scroll the control under the pointer away.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget*, QWidget* now) {
        if (now && QGuiApplication::mouseButtons() == Qt::NoButton && scroll->widget()->isAncestorOf(now))
            scroll->ensureWidgetVisible(now);
    });
    return scroll;
}

}  // namespace

QMargins frameMarginsOf(const QWidget* window) {
    if (window->isVisible()) {
        const QMargins own = shownFrame(window);
        if (!own.isNull()) return own;
    }
    return gLearnedFrame;
}

bool learnFrameMargins(const QWidget* window) {
    if (!window->isVisible()) return false;
    const QMargins own = shownFrame(window);
    if (own.isNull()) return false;
    gLearnedFrame = own;
    return true;
}

QScrollArea* fitIntoFreeArea(QWidget* window, const QRect& freeArea, const QMargins& frame) {
    const QSize room = freeArea.size().shrunkBy(frame);
    auto* scroll = window->findChild<QScrollArea*>(QString::fromLatin1(kScrollAreaName), Qt::FindDirectChildrenOnly);
    if (!scroll) {
        const QSize size = window->size();
        if (holds(room, size)) return nullptr;
        QSize designed = size;
        if (QLayout* layout = window->layout()) {
            // A layout that can shrink to the room only makes the window smaller.
            const QSize least = layout->totalMinimumSize();
            if (holds(room, least)) {
                window->resize(size.boundedTo(room));
                return nullptr;
            }
            designed = designed.expandedTo(least);
        }
        const bool fixed = window->minimumSize() == window->maximumSize();
        scroll = putInScrollArea(window, designed);
        scroll->setProperty(kFixedSize, fixed);
        window->setMinimumSize(scroll->minimumSizeHint());
    }

    // The page and, where it does not fit, the scroll bars beside and below it.
    const QSize page = scroll->property(kDesignedSize).toSize();
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    bool down = page.height() > room.height();
    bool across = page.width() + (down ? bar : 0) > room.width();
    down = page.height() + (across ? bar : 0) > room.height();
    across = page.width() + (down ? bar : 0) > room.width();
    const QSize whole(page.width() + (down ? bar : 0), page.height() + (across ? bar : 0));
    // A window of fixed size may be made larger again, up to what shows all of it.
    if (scroll->property(kFixedSize).toBool()) window->setMaximumSize(whole);
    window->resize(whole.boundedTo(room));
    return scroll;
}

QPoint centredFramePosition(const QSize& size, const QMargins& frame, const QRect& freeArea) {
    QRect outer(QPoint(), size.grownBy(frame));
    outer.moveCenter(freeArea.center());
    outer.moveRight(std::min(outer.right(), freeArea.right()));
    outer.moveBottom(std::min(outer.bottom(), freeArea.bottom()));
    outer.moveLeft(std::max(outer.left(), freeArea.left()));
    outer.moveTop(std::max(outer.top(), freeArea.top()));
    return outer.topLeft();
}

}  // namespace ui
