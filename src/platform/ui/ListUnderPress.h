#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <vector>

class QListWidget;
class QWidget;

namespace ui {

// A mouse press on a list first takes the focus from the box the user was in, and the LostFocus
// of that box may settle it and fill the list anew, all before the press reaches the list. The
// press must then pick nothing the user did not see under the pointer: it goes on only where the
// list shows there the very text it showed before (the same name, where the new list holds it at
// that place); anywhere else it is dropped, and the user sees the new list and clicks again.
class ListUnderPress {
public:
    // What `taker`, the control a mouse press gives the focus to, shows now; nothing when it is
    // no list.
    static ListUnderPress before(QWidget* taker);

    // Drops the press under way where the list now shows something else under the pointer than
    // it showed there before.
    void dropPressWhereChanged() const;

private:
    struct Row {
        QRect place;  // in the list's viewport
        QString text;
    };
    static std::vector<Row> shownRows(const QListWidget* list);

    QPointer<QListWidget> list_;
    std::vector<Row> rows_;
};

}  // namespace ui
