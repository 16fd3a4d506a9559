#include "platform/ui/TabStops.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

namespace ui {

namespace {

// The page a scroll area scrolls: what lies on it is in sight once scrolled to.
bool isScrolledPage(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    const auto* area = parent ? qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()) : nullptr;
    return area && area->viewport() == parent;
}

}  // namespace

QWidget* focusTaker(QWidget* widget) {
    while (widget && widget->focusProxy()) widget = widget->focusProxy();
    return widget;
}

bool inSight(const QWidget* control) {
    if (control->width() <= 0 || control->height() <= 0) return false;
    QPoint middle = control->rect().center();
    for (const QWidget* w = control; !w->isWindow() && !isScrolledPage(w); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (!parent) break;
        middle = w->mapToParent(middle);
        if (!parent->rect().contains(middle)) return false;
        // Controls made later stand over those made before.
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i < siblings.size(); ++i) {
            const auto* over = qobject_cast<const QWidget*>(siblings.at(i));
            if (over && !over->isWindow() && !over->isHidden() && over->geometry().contains(middle)) return false;
        }
    }
    return true;
}

QWidget* tabStopFrom(QWidget* from, bool forward) {
    QWidget* window = from->window();
    const Qt::FocusPolicy byTab =
        QGuiApplication::styleHints()->tabFocusBehavior() == Qt::TabFocusAllControls
            ? Qt::TabFocus
            : Qt::StrongFocus;
    QWidget* found = nullptr;
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled()) continue;
        QWidget* taker = focusTaker(w);
        if (taker == from || !taker->isEnabled() || (taker->focusPolicy() & byTab) != byTab)
            continue;
        // The parts of a compound control (the text part of a drop-down) are passed over on the
        // way into it.
        if (taker != w && (forward ? taker->isAncestorOf(w) : w->isAncestorOf(taker))) continue;
        if (!inSight(taker)) continue;
        found = taker;
        if (forward) break;
    }
    return found;
}

}  // namespace ui
