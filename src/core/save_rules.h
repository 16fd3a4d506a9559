#pragma once

#include <functional>

#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"

class QListWidgetItem;

// The rules every save follows. Another program, or another copy of this one, may write to the
// file at any moment, also while a question is open. So what a save depends on (a row it shows
// is as shown, a key it stores still names a row, a row to delete is used by nothing, a name to
// add is not there yet) is checked again in the save's own transaction, after its last question.
// When one no longer holds nothing is written and the coach is told why.

// A check a save depends on that no longer holds when it writes: the coach is told `message`
// under `title`.
class SaveRefused : public db::DbError {
public:
    explicit SaveRefused(const QString& message, const QString& title = QStringLiteral("ERROR"))
        : db::DbError(message, Kind::RowChanged), title_(title) {}
    QString title() const { return title_; }

private:
    QString title_;
};

// Inside a save: raises SaveRefused (`message`, `title`) unless `holds`.
void requireStill(bool holds, const QString& message, const QString& title = QStringLiteral("ERROR"));
// Inside a save: raises the refusal of a write to a row of `table` that is gone or changed
// unless `holds` (the key a save stores still names a row, for one).
void requireRowStill(bool holds, const QString& table);
// Runs `write` as one transaction on the file in use, its checks with its writes. A check that
// no longer holds, or a shown row changed, writes nothing; the coach is told, and false returned.
bool saveChecked(const std::function<void()>& write);

// Runs `use` on the one row `sql` finds by the key `params` give, opened for update: it is
// written (Update, Delete) only while it holds what `shown` gives it, the row as the form showed
// it. A row gone, or changed since by another program or another copy of this one, is left as
// it is, the coach is told that nothing was saved and why, and false returned. A write that
// depends on more than the row checks it in a saveChecked save, with openShownRow.
bool onShownRow(const QString& sql, const db::Params& params, const db::RowImage& shown,
                const std::function<void(db::Recordset&)>& use);
// Inside a save: the one row `sql` finds by the key `params` give, opened for update, to be
// written only while it holds what `shown` gives it. A row gone raises the refusal.
db::Recordset openShownRow(const QString& sql, const db::Params& params, const db::RowImage& shown);
// Runs `write`; a row it finds gone or changed since it was shown, or a check that no longer
// holds (DbError RowChanged, SaveRefused), is told to the coach and false returned.
bool tellRowChanged(const std::function<void()>& write);
// A list item keeps the row it shows as it was read (Recordset::image), for onShownRow; an
// item that keeps none gives a row of no fields, which only asks that the row be there.
void keepShownRow(QListWidgetItem* item, const db::RowImage& row);
db::RowImage shownRow(const QListWidgetItem* item);
