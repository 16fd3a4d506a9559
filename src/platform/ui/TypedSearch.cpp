#include "platform/ui/TypedSearch.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>

namespace ui {

namespace {

QString comparable(QString text) { return text.replace(QLatin1Char('`'), QLatin1Char('\'')).toCaseFolded(); }

bool beginsAnItem(const QString& text, const QAbstractItemModel* model, int column, const QModelIndex& root) {
    const QString start = comparable(text);
    for (int row = 0; row < model->rowCount(root); ++row)
        if (comparable(model->index(row, column, root).data().toString()).startsWith(start)) return true;
    return false;
}

qint64 now() { return QDeadlineTimer::current().deadline(); }

}  // namespace

int TypedSearch::rowFor(const QKeyEvent* key, const QAbstractItemModel* model, int column, const QModelIndex& root,
                        int current) {
    const bool goesOn = isRunning(key);
    text_ = goesOn ? text_ + key->text() : key->text();
    lastStamped_ = key->timestamp() != 0;
    lastStamp_ = key->timestamp();
    lastArrival_ = now();

    const int rows = model->rowCount(root);
    auto find = [&](const QString& wanted, int from) {
        const QString start = comparable(wanted);
        for (int i = 0; i < rows; ++i) {
            const int row = (from + i) % rows;
            if (comparable(model->index(row, column, root).data().toString()).startsWith(start)) return row;
        }
        return -1;
    };
    if (rows == 0) return -1;
    const int from = current < 0 ? 0 : goesOn ? current : current + 1;
    int row = find(text_, from);
    if (row < 0 && text_.size() > 1 && text_.count(text_.back()) == text_.size()) row = find(text_.right(1), current + 1);
    return row;
}

bool TypedSearch::goesOnTo(const QKeyEvent* key, const QAbstractItemModel* model, int column,
                           const QModelIndex& root) const {
    return isRunning(key) && beginsAnItem(text_ + key->text(), model, column, root);
}

bool TypedSearch::isRunning(const QKeyEvent* key) const {
    if (text_.isEmpty()) return false;
    const qint64 interval = QApplication::keyboardInputInterval();
    const bool stamped = key->timestamp() != 0;
    if (stamped != lastStamped_) return false;
    if (!stamped) return now() - lastArrival_ < interval;
    // A time before the last one (the window system's clock came round) starts anew.
    return key->timestamp() >= lastStamp_ && static_cast<qint64>(key->timestamp() - lastStamp_) < interval;
}

bool TypedSearch::types(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool TypedSearch::isModifier(const QKeyEvent* key) {
    const int k = key->key();
    return (k >= Qt::Key_Shift && k <= Qt::Key_ScrollLock) || k == Qt::Key_AltGr ||
           (k >= Qt::Key_Super_L && k <= Qt::Key_Hyper_R) ||
           (k >= Qt::Key_Dead_Grave && k <= Qt::Key_Dead_Longsolidusoverlay);
}

}  // namespace ui
