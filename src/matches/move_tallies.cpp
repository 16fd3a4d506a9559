#include "matches/move_tallies.h"

#include "core/helpers.h"

namespace {

constexpr int kPeriods = 7;

// Move-string columns of the periods, home and opponent (the stored names, cases as they are).
const char* const kPeriodColumns[kPeriods][2] = {
    {"Period1Home", "Period1Opp"},
    {"Period2Home", "Period2Opp"},
    {"Period3Home", "Period3Opp"},
    {"PeriodOTHome", "PeriodOTOpp"},
    {"PeriodDOT1Home", "PeriodDOT1Opp"},
    {"PeriodDOT2Home", "PeriodDOT2Opp"},
    {"periodDOTHome", "PeriodDOTOpp"},
};

const char* sideCode(Side side) { return side == Side::Home ? "home" : "Opp"; }

}  // namespace

const std::vector<MoveKind>& moveKinds() {
    static const std::vector<MoveKind> kinds = {
        {"tp", {"T2"}},
        {"rp", {"R2"}},
        {"ep", {"E1"}},
        {"nf2p", {"N2"}},
        {"nf3p", {"N3", "N4"}},
        {"pp", {"P1", "P2"}},
        {"wp", {"W"}},
        {"cp", {"C"}},
    };
    return kinds;
}

const QStringList& periodCodes() {
    static const QStringList codes = {"1", "2", "3", "ot", "dot1", "dot2", "dot"};
    return codes;
}

QString periodColumnName(int period, Side side) {
    return QString::fromLatin1(kPeriodColumns[period][static_cast<int>(side)]);
}

QString tallyColumnName(int kind, int period, Side side) {
    return moveKinds().at(kind).code + periodCodes().at(period) + QString::fromLatin1(sideCode(side));
}

QStringList periodColumnNames() {
    QStringList names;
    for (Side side : {Side::Home, Side::Opp})
        for (int p = 0; p < kPeriods; ++p) names << periodColumnName(p, side);
    return names;
}

QStringList tallyColumnNames() {
    QStringList names;
    const int kinds = static_cast<int>(moveKinds().size());
    for (int p = 0; p < kPeriods; ++p)
        for (Side side : {Side::Home, Side::Opp})
            for (int k = 0; k < kinds; ++k) names << tallyColumnName(k, p, side);
    return names;
}

void tallyPeriodMoves(db::Recordset& rs) {
    const std::vector<MoveKind>& kinds = moveKinds();
    for (int p = 0; p < kPeriods; ++p) {
        for (Side side : {Side::Home, Side::Opp}) {
            // Counted as stored: the tokens are upper case and blanks around them change nothing.
            const QString moves = rs.field(periodColumnName(p, side)).toString();
            for (int k = 0; k < static_cast<int>(kinds.size()); ++k) {
                int count = 0;
                for (const QString& token : kinds[k].tokens) count += countOccurrences(moves, token);
                rs.setField(tallyColumnName(k, p, side), count);
            }
        }
    }
}
