#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <vector>

#include "match_reports/detail_query.h"
#include "platform/db/Value.h"

namespace db {
class Recordset;
}

// The text of the individual detail report: two lines per bout (the home wrestler's, then his
// opponent's) under a head, and the totals: per home wrestler one row of his own and one of his
// opponents'. Columns are separated by tabs and lined up by the boxes' tab stops.

// The tab stops of both report boxes, in dialog units.
const std::vector<int>& detailTabStops();

// The five win-type cells of a bout (Pin, Dec, MD, TF, Other) joined by tabs, a "1" in the cell
// of `winType`. A win type outside the table shows a message titled with it and gives "".
QString winTypeColumns(const QString& winType);

// The first-point marks: "1" for the home side on "H", for the opponent on "O", else none.
void firstPointMark(const QString& firstPoint, QString& homeMark, QString& oppMark);

// Where the fields of a bout are in a recordset of the detail query: found by name once, then
// read row after row by position (the widest report has 50,000 bouts).
struct DetailColumns {
    explicit DetailColumns(const db::Recordset& rs);
    int firstName, lastName, date, weight, school, firstPoint, winType, wl;
    int home[7], opp[7];  // the move counts of each side, in the order of the columns
};

// The first-point marks and win-type cells of one bout of the detail query: the win type goes on
// the winner's side. A bout stored without a win type has none.
struct DetailBoutMarks {
    QString homeMark, oppMark, homeWinCells, oppWinCells;
};
DetailBoutMarks detailBoutMarks(const db::Recordset& rs, const DetailColumns& columns);
// The same into `marks`; `quiet` shows no message for a win type outside the table but gives
// false.
bool detailBoutMarks(const db::Recordset& rs, const DetailColumns& columns, DetailBoutMarks& marks,
                     bool quiet);

// The seven move counts of one side of a bout, each after one tab, as the row holds them (a
// Null count as the empty text).
QString moveCountCells(const db::Recordset& rs, const DetailColumns& columns, bool home);
// The same cells added to the end of `text`.
void addMoveCountCells(QString& text, const db::Recordset& rs, const DetailColumns& columns, bool home);

// The wrestler's totals of one report: a row of his own and a row of his opponents' per name,
// in the order the names first come.
class DetailTotals {
public:
    // The thirteen counts of a row: first points, takedowns, reversals, escapes, 2- and 3-point
    // near falls, penalties, warnings, then wins by Pin, Dec, MD, TF and Other.
    static constexpr int kCounts = 13;
    struct Pair {
        QString name;
        long long own[kCounts] = {};
        long long opponents[kCounts] = {};
    };

    // Adds one bout under `name` (a Null count adds nothing).
    void addBout(const QString& name, const db::Recordset& rs, const DetailColumns& columns,
                 const DetailBoutMarks& marks);
    // Where the pair of `name` is, made at the end when the name is new.
    size_t pairOf(const QString& name);
    // Adds one bout to the pair at `pair`, its seven move counts of each side given.
    void addBout(size_t pair, const db::Value (&home)[7], const db::Value (&opp)[7], const DetailBoutMarks& marks);

    // Adds the totals of `other`, a report of later bouts: its names new here come after ours.
    void addTotals(const DetailTotals& other);

    const std::vector<Pair>& pairs() const { return pairs_; }

private:
    std::vector<Pair> pairs_;
    QHash<QString, size_t> index_;  // where each name's pair is in pairs_
};

struct DetailReport {
    QString results;  // the bout lines under their head
    QString summary;  // the totals under their head
};

// Builds both texts of the report of `choices` from the database in use (opens and closes the
// connection itself). `widthTwips` measures a text in the font the report is shown in, and
// `dialogUnitTwips` is the dialog unit of that font, in which the tab stops are counted. A wide
// range is read in stretches of dates on several threads; the texts are the same either way.
DetailReport detailReportText(const DetailChoices& choices,
                              const std::function<int(const QString&)>& widthTwips,
                              double dialogUnitTwips);
