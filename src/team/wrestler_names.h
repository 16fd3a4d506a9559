#pragma once

#include <QString>
#include <QStringList>

// The FullName of every wrestler of one season, ordered by last name and then first name, without
// the placeholder "VOID". With `activeOnly` true the inactive ones (wr_inactive "1") are left
// out; "0" and Null count as active. `season` is the season's four-digit starting year; a text
// that is not a year gives no names.
QStringList loadWrestlerNames(bool activeOnly, const QString& season);
QStringList loadWrestlerNames(bool activeOnly, int season);
