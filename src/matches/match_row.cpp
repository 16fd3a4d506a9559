#include "matches/match_row.h"

namespace {

db::Value textOrNull(const QString& text) { return text.isEmpty() ? db::Value() : db::Value(text); }

}  // namespace

const std::array<QString, 3>& levelCodes() {
    static const std::array<QString, 3> codes = {QStringLiteral("V"), QStringLiteral("JV"), QStringLiteral("Frosh")};
    return codes;
}

const std::array<QString, 6>& winTypeCodes() {
    static const std::array<QString, 6> codes = {QStringLiteral("DEC"), QStringLiteral("MD"),
                                                 QStringLiteral("Fall"), QStringLiteral("TF"),
                                                 QStringLiteral("Forfeit"), QStringLiteral("Other")};
    return codes;
}

QString choiceColumnName(int k, Side side) {
    static const char* const home[5] = {"Choice1home", "Choice2Home", "ChoiceDOT1Home", "ChoiceDOT2Home",
                                        "ChoiceOTHome"};
    static const char* const opp[5] = {"Choice1Opp", "Choice2Opp", "ChoiceDOT1Opp", "ChoiceDOT2Opp",
                                       "ChoiceOTOpp"};
    return QString::fromLatin1(side == Side::Home ? home[k] : opp[k]);
}

void setMatchColumns(db::Recordset& rs, const MatchRow& row) {
    rs.setField(QStringLiteral("SeqWrestler"), db::Value(row.seqWrestler));
    rs.setField(QStringLiteral("Date"), db::Value(row.date));
    rs.setField(QStringLiteral("OppFName"), textOrNull(row.oppFName));
    rs.setField(QStringLiteral("OppLName"), textOrNull(row.oppLName));
    rs.setField(QStringLiteral("SeqOppSchool"), db::Value(row.seqOppSchool));
    rs.setField(QStringLiteral("ActWeight"), db::Value(row.actWeight));
    rs.setField(QStringLiteral("SeqWeight"), db::Value(row.seqWeight));
    if (row.level >= 0) rs.setField(QStringLiteral("Level"), db::Value(levelCodes()[row.level]));
    rs.setField(QStringLiteral("LeagueMatch"), row.league ? db::Value("Y") : db::Value());
    rs.setField(QStringLiteral("WL"), db::Value(row.win ? "W" : "L"));
    if (row.winType >= 0) rs.setField(QStringLiteral("WinType"), db::Value(winTypeCodes()[row.winType]));
    rs.setField(QStringLiteral("Score"), textOrNull(row.score));
    rs.setField(QStringLiteral("TeamPoints"), textOrNull(row.teamPoints));
    for (int i = 0; i < 7; ++i) {
        rs.setField(periodColumnName(i, Side::Home), db::Value(row.home[i]));
        rs.setField(periodColumnName(i, Side::Opp), db::Value(row.opp[i]));
    }
    for (int k = 0; k < 5; ++k) {
        rs.setField(choiceColumnName(k, Side::Home), db::Value(row.choiceHome[k]));
        rs.setField(choiceColumnName(k, Side::Opp), db::Value(row.choiceOpp[k]));
    }
    const char* firstPoint = row.firstHome ? "H" : row.firstOpp ? "O" : "";
    rs.setField(QStringLiteral("FirstPoint"), db::Value(firstPoint));
    rs.setField(QStringLiteral("Notes"), db::Value(row.notes));
    tallyPeriodMoves(rs);
}
