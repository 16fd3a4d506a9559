#pragma once

#include <QString>

class QAbstractItemModel;
class QKeyEvent;
class QModelIndex;

namespace ui {

// The text typed into a list one picks from by its first letters, while the keys come quickly (the
// platform's keyboard-search interval): the whole text, blanks included, names the item to go to.
// Names are stored with a backquote for an apostrophe, so the two are one letter to the search.
//
// Whether a key comes quickly is told by the times the window system gave the keys as they were
// typed, not by when the program got round to them: a name typed quickly is one search also when
// a pick on its first letter kept the program busy, and keys typed slowly are searches of their
// own however late they are handled. Only keys that carry no time (made by the program) are
// timed as they arrive.
class TypedSearch {
public:
    // Adds the key's text to the search, or starts a new one after a pause, and returns the row
    // of the item the text leads to from the row `current`; -1 when no item begins so. A search
    // that goes on looks from the current item on, a new one from the item after it; the same
    // letter again and again, where no item begins so, goes on through the items that begin with
    // that letter.
    int rowFor(const QKeyEvent* key, const QAbstractItemModel* model, int column, const QModelIndex& root,
               int current);

    // Whether the key goes on with the search and the text so typed begins an item.
    bool goesOnTo(const QKeyEvent* key, const QAbstractItemModel* model, int column, const QModelIndex& root) const;

    void reset() { text_.clear(); }

    // A key that types a letter, digit, mark or blank, with no Ctrl or Alt.
    static bool types(const QKeyEvent* key);
    // A key that only modifies others (Shift, Ctrl, Alt, Caps Lock, AltGr, a dead accent key).
    static bool isModifier(const QKeyEvent* key);

private:
    // Whether the key comes quickly after the last one typed, so that it goes on with the search.
    bool isRunning(const QKeyEvent* key) const;

    QString text_;
    // The time of the last key: the window system's, in milliseconds; or, for a key without one,
    // the monotonic clock's when it arrived.
    quint64 lastStamp_ = 0;
    bool lastStamped_ = false;
    qint64 lastArrival_ = 0;
};

}  // namespace ui
