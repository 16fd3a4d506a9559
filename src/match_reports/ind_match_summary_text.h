#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace db {
class Recordset;
}

// The text of the individual match summary: one wrestler's matches (every season in which a
// wrestler of that full name exists) in a date range, two lines per match, then his record,
// pins and move totals. Columns are separated by tabs and lined up by the box's tab stops.

struct IndMatchSummaryChoices {
    QString name;     // the wrestler's FullName
    QDate fromDate;   // first date of the range
    QDate toDate;     // last date of the range
    QString level;    // "All", "Varsity", "JV" or "Frosh" (anything else: no level condition)
    QString matches;  // "All", "League Matches" or "League Schools"
};

// The SQL condition of a level choice ("Varsity", "JV", "Frosh"; "" for any other text).
QString levelClause(const QString& level);
// The SQL condition of a match filter ("League Schools", "League Matches"; "" otherwise).
QString leagueClause(const QString& matches);
// Whether a match row is listed under the match filter; a text that is none of the three
// filters ("All", "League Matches", "League Schools") lists nothing.
bool isListedUnderFilter(const db::Recordset& rs, const QString& matches);

// Tab stops of the results box, in dialog units.
const std::vector<int>& indMatchSummaryTabStops();

// Builds the report from the database in use. `widthTwips` measures a text in the box's font.
// Opens and closes the connection itself.
QString indMatchSummaryText(const IndMatchSummaryChoices& choices,
                            const std::function<int(const QString&)>& widthTwips);
