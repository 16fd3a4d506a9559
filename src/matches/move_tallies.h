#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/db/Recordset.h"

// The move tallies of a [Match] row: for each of the seven periods and both sides, how many
// moves of each of eight kinds the period's move string holds. Every name of a period column or
// a tally column is made here, so the writers and the readers of the tallies agree.

// Sides of a bout, in the order their columns are listed.
enum class Side { Home = 0, Opp = 1 };

// One kind of move counted into a tally column: its column prefix ("tp") and the tokens it counts.
struct MoveKind {
    QString code;
    QStringList tokens;
};

// The eight kinds in tally order: tp, rp, ep, nf2p, nf3p, pp, wp, cp.
const std::vector<MoveKind>& moveKinds();

// The seven periods in order (1, 2, 3, OT, DOT1, DOT2, DOT) as they appear in tally column names:
// "1", "2", "3", "ot", "dot1", "dot2", "dot".
const QStringList& periodCodes();

// The column holding the move string of a period (0 to 6) and side: "Period1Home" ... "PeriodDOTOpp".
QString periodColumnName(int period, Side side);
// The tally column of a kind (index into moveKinds()), period (0 to 6) and side: "tp1home",
// "nf3pdot2Opp", "cpdothome".
QString tallyColumnName(int kind, int period, Side side);

// The 14 period columns: home periods 0 to 6, then the opponent's.
QStringList periodColumnNames();
// The 112 tally columns: for each period, home then opponent, the eight kinds in order.
QStringList tallyColumnNames();

// Sets the 112 tally columns of the current row of an updatable recordset from the 14 period
// strings the row holds now (set by the caller, not yet stored). The caller's update stores them.
void tallyPeriodMoves(db::Recordset& rs);
