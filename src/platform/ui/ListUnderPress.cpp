#include "platform/ui/ListUnderPress.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <algorithm>
#include <optional>

namespace ui {

namespace {

// Judges the press under way once it reaches the list: lets it through where the text under the
// pointer is the one shown there before, eats it anywhere else. Lives until the event loop is
// reached again, so it can only see the press under way.
class PressJudge : public QObject {
public:
    using Shown = std::function<std::optional<QString>(QPoint)>;

    static void arm(QListWidget* list, Shown before) {
        auto* judge = new PressJudge(list, std::move(before));
        QCoreApplication::instance()->installEventFilter(judge);
        judge->deleteLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (done_ || (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick))
            return false;
        done_ = true;
        if (!list_ || watched != list_->viewport()) return false;
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const std::optional<QString> then = before_(at);
        const QListWidgetItem* now = list_->itemAt(at);
        return !(then && now && now->text() == *then);
    }

private:
    PressJudge(QListWidget* list, Shown before) : list_(list), before_(std::move(before)) {}

    QPointer<QListWidget> list_;
    Shown before_;
    bool done_ = false;
};

}  // namespace

ListUnderPress ListUnderPress::before(QWidget* taker) {
    ListUnderPress shown;
    if (auto* list = qobject_cast<QListWidget*>(taker)) {
        shown.list_ = list;
        shown.rows_ = shownRows(list);
    }
    return shown;
}

std::vector<ListUnderPress::Row> ListUnderPress::shownRows(const QListWidget* list) {
    std::vector<Row> rows;
    const QRect view = list->viewport()->rect();
    const QListWidgetItem* top = list->itemAt(QPoint(1, 1));
    for (int row = top ? list->row(top) : 0; row < list->count(); ++row) {
        const QRect place = list->visualItemRect(list->item(row));
        if (place.top() > view.bottom()) break;
        if (place.intersects(view)) rows.push_back({place, list->item(row)->text()});
    }
    return rows;
}

void ListUnderPress::dropPressWhereChanged() const {
    if (!list_) return;
    const std::vector<Row> now = shownRows(list_);
    const bool same = std::equal(now.begin(), now.end(), rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
        return a.place == b.place && a.text == b.text;
    });
    if (same) return;
    PressJudge::arm(list_, [rows = rows_](QPoint at) -> std::optional<QString> {
        for (const Row& row : rows)
            if (row.place.contains(at)) return row.text;
        return std::nullopt;
    });
}

}  // namespace ui
