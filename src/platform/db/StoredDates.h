#pragma once

#include <QDate>

struct sqlite3;

namespace db {

// The date of a text of a date column in the form the program stores it, "YYYY-MM-DD", which
// the queries compare as text, or as another program may have left it: with a time of day after
// it ("2026-12-05 00:00:00", "2026-12-05T18:30:00.000"); `ownForm` (when given) tells which.
// Invalid for any other text. A date with a time is stored as its date when the file is opened
// (DateToStore), or the queries would leave it out of every range of dates.
QDate isoDateOfText(const char* p, int size, bool* ownForm = nullptr);

// Registers DateToStore(x) on a connection: the "YYYY-MM-DD" text of the date that x, a text of
// a date column, holds in another form than the program's own: with a time of day after it
// (isoDateOfText), or "MM/DD/YYYY" as some converters write dates (one or two digits for the
// month and day, a time of day after it or not). Null for any other value.
void registerStoredDates(sqlite3* db);

}  // namespace db
