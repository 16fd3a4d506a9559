#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// The statistics behind the individual summary screen: match rows of one wrestler, as text
// cells, turned into result rows with move counts by period block.

// A table of text cells, rows by columns; a cell never written holds empty text.
using TextTable = std::vector<std::vector<QString>>;

inline constexpr int kIndvTableRows = 501;
inline constexpr int kIndvTableColumns = 131;

// An empty table of kIndvTableRows rows by `columns` columns.
TextTable makeTextTable(int columns = kIndvTableColumns);

// Level text of the level list as the match rows hold it: "Varsity" gives "V", "JV" "JV",
// "Frosh" "FR", anything else "All" (no level condition). Case counts.
QString levelCode(const QString& level);

// A date written in fixed positions: month in characters 1-2, day in 4-5 and a two-digit year in
// 7-8, with any separators ("01/15/11", "12-31-99"). The year 00-29 is 20YY and 30-99 is 19YY,
// unless `always20` is set, which reads every year as 20YY. Nothing when the characters do not
// form a date.
std::optional<QDate> dateFromFixedPositions(const QString& text, bool always20 = false);

// Fills `results` from row 0 upward with one row per row of `matchRows` that lies within
// startDate..endDate (both included) and at the chosen level: the match's fields carried over,
// who scored first ("H", "O" or ""), sixteen move counts in each of five period blocks and their
// sixteen totals. The scan ends at the first match row whose date cell is empty; a row whose date
// cell is not a date is skipped. Cells not written keep what they held.
void computeIndvSummaryStats(TextTable& results, const TextTable& matchRows, const QString& level,
                             const QDate& startDate, const QDate& endDate);

// Retired loader of the match rows: shows "removed 9/15/05" and changes nothing.
void removedLoader(TextTable& matchRows, const QString& name);

// Retired date check: shows "chkdates removed--use CheckDateFormat" and changes nothing.
void chkdates(QString& date, short& errorFlag, short& other);
