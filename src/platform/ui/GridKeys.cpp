#include "platform/ui/GridKeys.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWheelEvent>
#include <algorithm>

namespace ui {

namespace {

class GridKeys : public QObject {
public:
    GridKeys(QAbstractSlider* bar, std::vector<std::vector<QWidget*>> columns, std::vector<QWidget*> around)
        : QObject(bar), bar_(bar), columns_(std::move(columns)), around_(std::move(around)) {
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->installEventFilter(this);
        for (const auto& column : columns_)
            for (QWidget* box : column) box->installEventFilter(this);
        // A wheel turned over a line number, a heading or a gap goes on to the widget the grid
        // lies on, which no one else scrolls.
        if (QWidget* ground = bar->parentWidget()) ground->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == bar_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
            showFocus(event->type() == QEvent::FocusIn);
        // The click gave the bar the focus before it came here, so the box left has run its leave
        // check: when that check kept the focus, the click pages nothing.
        if (watched == bar_ && event->type() == QEvent::MouseButtonPress) return !bar_->hasFocus();
        // The wheel over the lines of a grid that scrolls up and down scrolls them as over the bar.
        if (watched != bar_ && event->type() == QEvent::Wheel && scrollsDown()) {
            if (watched == bar_->parentWidget() &&
                !gridArea().contains(static_cast<QWheelEvent*>(event)->position().toPoint()))
                return false;
            QCoreApplication::sendEvent(bar_, event);
            return true;
        }
        if (event->type() != QEvent::KeyPress || watched == bar_->parentWidget()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        if (watched == bar_) return onBar(key->key());
        switch (key->key()) {
            case Qt::Key_PageDown: bar_->triggerAction(QAbstractSlider::SliderPageStepAdd); return true;
            case Qt::Key_PageUp: bar_->triggerAction(QAbstractSlider::SliderPageStepSub); return true;
            case Qt::Key_Down:
            case Qt::Key_Up: {
                // A drop-down's arrows choose from its list.
                if (!qobject_cast<QLineEdit*>(watched) && !qobject_cast<QPushButton*>(watched)) return false;
                for (const auto& column : columns_) {
                    const auto at = std::find(column.begin(), column.end(), watched);
                    if (at == column.end()) continue;
                    goToRow(column, static_cast<int>(at - column.begin()), key->key() == Qt::Key_Down ? 1 : -1);
                    return true;
                }
                return false;
            }
            default: return false;
        }
    }

private:
    bool scrollsDown() const { return bar_->orientation() == Qt::Vertical; }

    // The rectangle the grid covers on the widget it lies on: its boxes, the bar and `around_`.
    QRect gridArea() const {
        QWidget* ground = bar_->parentWidget();
        QRect area = bar_->geometry();
        const auto add = [&](QWidget* part) {
            if (part->isVisibleTo(ground)) area |= QRect(part->mapTo(ground, QPoint(0, 0)), part->size());
        };
        for (const auto& column : columns_)
            for (QWidget* box : column) add(box);
        for (QWidget* part : around_) add(part);
        return area;
    }

    // A scroll bar shows no focus of its own: a frame around it shows where the keys go.
    void showFocus(bool shown) {
        if (!frame_) {
            frame_ = new QFocusFrame(bar_);
            QPalette palette = frame_->palette();
            palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
            frame_->setPalette(palette);
        }
        frame_->setWidget(shown ? bar_ : nullptr);
    }

    // A scroll bar of Qt turns a horizontal bar's arrows the wrong way; on ours Right and Down
    // go on, Left and Up back, whichever way the bar lies. Home and End stay Qt's.
    bool onBar(int key) {
        switch (key) {
            case Qt::Key_PageDown: bar_->triggerAction(QAbstractSlider::SliderPageStepAdd); return true;
            case Qt::Key_PageUp: bar_->triggerAction(QAbstractSlider::SliderPageStepSub); return true;
            case Qt::Key_Down:
            case Qt::Key_Right: bar_->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
            case Qt::Key_Up:
            case Qt::Key_Left: bar_->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
            default: return false;
        }
    }

    // From the box on `line` of `column` to the same column `step` rows on.
    void goToRow(const std::vector<QWidget*>& column, int line, int step) {
        const int lines = static_cast<int>(column.size());
        const int top = bar_->value();
        int newTop = top;
        if (line + step < 0 || line + step >= lines)
            newTop = std::clamp(top + step * bar_->pageStep(), bar_->minimum(), bar_->maximum());
        const int target = top + line + step - newTop;  // the line that shows the row then
        if (target < 0 || target >= lines) return;       // no row beyond the first or the last
        QPointer<QWidget> box = column[target];
        if (target != line) {
            box->setFocus(Qt::OtherFocusReason);
            if (!box || QApplication::focusWidget() != box) return;  // kept by a leave check
        }
        bar_->setValue(newTop);
    }

    QAbstractSlider* bar_;
    QPointer<QFocusFrame> frame_;
    std::vector<std::vector<QWidget*>> columns_;
    std::vector<QWidget*> around_;
};

}  // namespace

void pageWithKeys(QAbstractSlider* bar, const std::vector<std::vector<QWidget*>>& columns,
                  const std::vector<QWidget*>& around) {
    new GridKeys(bar, columns, around);
}

}  // namespace ui
