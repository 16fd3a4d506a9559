#pragma once

#include <array>

#include <QString>

#include "matches/move_tallies.h"
#include "platform/db/Recordset.h"

// One [Match] row as the match entry form with its score sheet, or the match editor, holds it.
// Both write the row through setMatchColumns, so a new bout and an edited one are stored alike.
struct MatchRow {
    long long seqWrestler = 0;
    long long seqWeight = 0;
    long long seqOppSchool = 0;
    QString date;        // MM/DD/YYYY
    QString oppFName;    // empty is stored as Null
    QString oppLName;    // empty is stored as Null
    QString actWeight;
    int level = -1;      // index of the level option chosen (Varsity, JV, Frosh); -1 none
    bool win = false;
    int winType = -1;    // index of the win-type option chosen (Dec ... Other); -1 none
    QString score;       // empty is stored as Null
    QString teamPoints;  // empty is stored as Null
    bool league = false;
    std::array<QString, 7> home;  // move strings of periods 1, 2, 3, OT, DOT1, DOT2, DOT
    std::array<QString, 7> opp;
    std::array<QString, 5> choiceHome;  // position choices of periods 2, 3, DOT1, DOT2, DOT
    std::array<QString, 5> choiceOpp;
    bool firstHome = false;  // the home wrestler scored first (wins over firstOpp)
    bool firstOpp = false;
    QString notes;
};

// The stored codes of the level options 0 to 2 ("V", "JV", "Frosh") and of the win-type options
// 0 to 5 ("DEC", "MD", "Fall", "TF", "Forfeit", "Other").
const std::array<QString, 3>& levelCodes();
const std::array<QString, 6>& winTypeCodes();

// The column of position choice k (0 to 4) of a side: "Choice1home" ... "ChoiceOTOpp". Box 4, the
// choice of the final period, goes to the "OT" columns; stored files rely on it.
QString choiceColumnName(int k, Side side);

// Sets every column of the current row of an updatable recordset but Seq (the one being added,
// or the one being rewritten) from `row`, the 112 move tallies included. Level and WinType are
// left as they are when no option is chosen; LeagueMatch is "Y" or Null. The caller's update
// stores the row.
void setMatchColumns(db::Recordset& rs, const MatchRow& row);

// The index of the first checked option of an option-button array; -1 when none is checked.
template <class Options>
int checkedIndex(const Options& options) {
    for (int i = 0; i < static_cast<int>(options.size()); ++i)
        if (options[i]->isChecked()) return i;
    return -1;
}
