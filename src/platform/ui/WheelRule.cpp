#include "platform/ui/WheelRule.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

namespace ui {

namespace {

// The scrolling area the widget stands in: the nearest whose viewport holds it; null when none.
QAbstractScrollArea* scrollingAreaOf(QWidget* widget) {
    for (QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (auto* area = qobject_cast<QAbstractScrollArea*>(up))
            if (area->viewport()->isAncestorOf(widget)) return area;
    return nullptr;
}

class WheelOverClosedBox : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        // The open list is a window of its own: its wheel never comes here.
        if (QAbstractScrollArea* area = scrollingAreaOf(static_cast<QWidget*>(watched)))
            QCoreApplication::sendEvent(area->viewport(), event);
        return true;
    }
};

}  // namespace

void wheelNeverPicks(QComboBox* combo) {
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->installEventFilter(new WheelOverClosedBox(combo));
}

}  // namespace ui
