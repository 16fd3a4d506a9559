#pragma once

#include <functional>

#include "platform/db/Recordset.h"

class QListWidgetItem;

// The rules for a row a form shows and then writes: it is written only as it was shown, and a
// coach whose write is refused because another program (another copy of this one) changed the
// row meanwhile is told so.

// Runs `use` on the one row `sql` finds by the key `params` give, opened for update: it is
// written (Update, Delete) only while it holds what `shown` gives it, the row as the form showed
// it. A row gone, or changed since by another program or another copy of this one, is left as
// it is, the coach is told that nothing was saved and why, and false returned.
bool onShownRow(const QString& sql, const db::Params& params, const db::RowImage& shown,
                const std::function<void(db::Recordset&)>& use);
// Runs `write`; a row it finds gone or changed since it was shown (DbError RowChanged) is
// told to the coach, as onShownRow tells it, and false returned.
bool tellRowChanged(const std::function<void()>& write);
// A list item keeps the row it shows as it was read (Recordset::image), for onShownRow; an
// item that keeps none gives a row of no fields, which only asks that the row be there.
void keepShownRow(QListWidgetItem* item, const db::RowImage& row);
db::RowImage shownRow(const QListWidgetItem* item);
