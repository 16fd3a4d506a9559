#include "match_reports/ind_match_summary_text.h"

#include <QStringList>

#include "core/connection.h"
#include "match_reports/report_support.h"
#include "statistics/stat_codes.h"

using match_reports::CRLF;
using match_reports::TAB;

namespace {

// The tally sums of the report: statistic code and the alias the lines read it by.
struct MoveColumn {
    const char* code;
    const char* alias;
};
constexpr MoveColumn kMoveColumns[] = {
    {"TDH", "tdHome"},   {"TDO", "tdOpp"},   {"REVH", "revHome"}, {"REVO", "revOpp"},
    {"ESCH", "EscHome"}, {"ESCO", "escOpp"}, {"NF2H", "NF2Home"}, {"NF2O", "NF2Opp"},
    {"NF3H", "NF3Home"}, {"NF3O", "NF3Opp"},
};

// The Seq values of every Wrestler row of the name, as "?" placeholders and their values. A
// name with no row gives one Null, which no match refers to, so the report lists no match.
void wrestlerSeqList(const QString& name, QString& placeholders, db::Params& params) {
    db::Recordset rs =
        openRecordset(QStringLiteral("SELECT Seq FROM Wrestler WHERE FullName = ?"), {name});
    QStringList marks;
    for (; !rs.isEOF(); rs.moveNext()) {
        marks << QStringLiteral("?");
        params.push_back(rs.field("Seq"));
    }
    closeRecordset(rs);
    if (marks.isEmpty()) {
        marks << QStringLiteral("?");
        params.push_back(db::Value::null());
    }
    placeholders = marks.join(QLatin1Char(','));
}

QString joinLine(const QStringList& columns) { return columns.join(TAB) + CRLF; }

// "  " and the value: the move columns are written two blanks in.
QString twoIn(const db::Recordset& rs, const char* alias) {
    return QStringLiteral("  ") + rs.field(alias).toString();
}

}  // namespace

QString levelClause(const QString& level) {
    if (level == QLatin1String("Varsity")) return QStringLiteral(" and LEVEL = 'V'");
    if (level == QLatin1String("JV")) return QStringLiteral(" and LEVEL = 'JV'");
    if (level == QLatin1String("Frosh")) return QStringLiteral(" and LEVEL = 'Frosh'");
    return QString();
}

QString leagueClause(const QString& matches) {
    if (matches == QLatin1String("League Schools"))
        return QStringLiteral(" and OppSchool.LeagueSchool='Y'");
    if (matches == QLatin1String("League Matches")) return QStringLiteral(" and LeagueMatch = 'Y'");
    return QString();
}

// Whether a match row is listed under the match filter; a text that is none of the three
// filters lists nothing.
bool isListedUnderFilter(const db::Recordset& rs, const QString& matches) {
    if (matches == QLatin1String("All")) return true;
    if (matches == QLatin1String("League Matches"))
        return rs.field("LeagueMatch").toString() == QLatin1String("Y");
    if (matches == QLatin1String("League Schools"))
        return rs.field("LeagueSchool").toString() == QLatin1String("Y");
    return false;
}


const std::vector<int>& indMatchSummaryTabStops() {
    static const std::vector<int> stops = {45, 145, 170, 205, 250, 290, 300, 325, 350, 375, 400, 450};
    return stops;
}

QString indMatchSummaryText(const IndMatchSummaryChoices& choices,
                            const std::function<int(const QString&)>& widthTwips) {
    if (choices.name.isEmpty()) return QString();

    ConnectionScope connection;

    QString seqMarks;
    db::Params seqParams;
    wrestlerSeqList(choices.name, seqMarks, seqParams);

    // Every statement ends with the Seq list, the date range, the level and (but for the match
    // statement) the league condition; the parameters follow in that order.
    db::Params params = seqParams;
    params.push_back(choices.fromDate);
    params.push_back(choices.toDate);
    const QString tail = seqMarks + QStringLiteral(") ") +
                         QStringLiteral(" AND Date Between ? And ?") + levelClause(choices.level);
    const QString leagueTail = tail + leagueClause(choices.matches);

    // The match statement: one row per match with its own move counts.
    QString sql = QStringLiteral(
        "SELECT Date, ActWeight, Weight.Weight, OppFName, OppLName, OppSchool.OppSchool, "
        "OppSchool.LeagueSchool, LeagueMatch, [match].Level as MatchLevel, WL, Score, TeamPoints, ");
    QStringList items;
    for (const MoveColumn& column : kMoveColumns)
        items << getStatExpr(QLatin1String(column.code)) + QStringLiteral(" AS ") +
                     QLatin1String(column.alias);
    sql += items.join(QStringLiteral(", ")) + QLatin1Char(' ');
    sql += QStringLiteral(
        "FROM Weight INNER JOIN (OppSchool INNER JOIN [Match] ON OppSchool.Seq = "
        "[Match].SeqOppSchool) ON Weight.Seq = [Match].SeqWeight WHERE SeqWrestler IN (");
    sql += tail + QStringLiteral(" Order by Date");
    db::Recordset rs = openRecordset(sql, params);

    QString text;
    text += joinLine({"Date", "Name", "L", "W/L", "Score", "WT", "", "TD", "Rev", "Esc", "NF2", "NF3",
                      "Team Points"});
    text += joinLine({QString(8, '-'), QString(10, '-'), QString(2, '-'), QString(6, '-'),
                      QString(7, '-'), QString(9, '-'), "", QString(5, '-'), QString(6, '-'),
                      QString(6, '-'), QString(7, '-'), QString(7, '-'), QString(19, '-')});

    for (; !rs.isEOF(); rs.moveNext()) {
        if (!isListedUnderFilter(rs, choices.matches)) continue;
        text += joinLine({rs.field("Date").toString(),
                          rs.field("OppFName").toString() + QLatin1Char(' ') +
                              rs.field("OppLName").toString(),
                          rs.field("MatchLevel").toString(),
                          QStringLiteral("  ") + rs.field("WL").toString(),
                          rs.field("Score").toString(),
                          rs.field("Weight").toString(),
                          QStringLiteral("(H)"),
                          twoIn(rs, "tdHome"), twoIn(rs, "revHome"), twoIn(rs, "EscHome"),
                          twoIn(rs, "NF2Home"), twoIn(rs, "NF3Home"),
                          QString(9, ' ') + rs.field("TeamPoints").toString()});

        // The opponent's line: the league mark under the date, the school under the name, and
        // enough tabs after the school to bring the actual weight under WT.
        QString line;
        if (rs.field("LeagueMatch").toString() == QLatin1String("Y")) line += QStringLiteral("    League");
        line += TAB;
        const QString school = rs.field("OppSchool").toString();
        const int width = widthTwips(school);
        const int tabs = width < 2250 ? 4 : width < 2800 ? 3 : 2;
        line += school + QString(tabs, '\t');
        line += rs.field("ActWeight").toString() + TAB + QStringLiteral("(O)") + TAB;
        line += QStringList{twoIn(rs, "tdOpp"), twoIn(rs, "revOpp"), twoIn(rs, "escOpp"),
                            twoIn(rs, "NF2Opp"), twoIn(rs, "NF3Opp")}
                    .join(TAB);
        text += line + CRLF;
        text += CRLF;
    }
    closeRecordset(rs);

    // Record and pins.
    const QString countFrom = QStringLiteral(
        "FROM OppSchool INNER JOIN [Match] ON OppSchool.Seq = [Match].SeqOppSchool WHERE ");
    auto count = [&](const QString& head, const char* column) {
        db::Recordset c = openRecordset(head + leagueTail, params);
        const QString value = c.isEOF() ? QStringLiteral("0") : c.field(column).toString();
        closeRecordset(c);
        return value;
    };
    const QString wins = count(QStringLiteral("SELECT Count([match].seq) AS Win ") + countFrom +
                                   QStringLiteral("WL='W' AND SeqWrestler IN ("),
                               "Win");
    const QString losses = count(QStringLiteral("SELECT COUNT([match].seq) AS Loss ") + countFrom +
                                     QStringLiteral("WL = 'L' AND SeqWrestler IN ("),
                                 "Loss");
    const QString pinsWon = count(QStringLiteral("SELECT COUNT([match].seq) AS PinW ") + countFrom +
                                      QStringLiteral("WinType = 'Fall' and WL = 'W' AND SeqWrestler IN ("),
                                  "PinW");
    const QString pinsLost = count(QStringLiteral("SELECT COUNT([match].seq) AS PinL ") + countFrom +
                                       QStringLiteral("WinType = 'Fall' and WL = 'L' AND SeqWrestler IN ("),
                                   "PinL");

    // Move totals over the same matches.
    QStringList sums;
    for (const MoveColumn& column : kMoveColumns)
        sums << QStringLiteral("sum(") + getStatExpr(QLatin1String(column.code)) +
                    QStringLiteral(") AS ") + QLatin1String(column.alias);
    db::Recordset totals = openRecordset(
        QStringLiteral("SELECT sum(TeamPoints) as TPoints, ") + sums.join(QStringLiteral(", ")) +
            QStringLiteral(" from OppSchool INNER JOIN [Match] ON OppSchool.Seq = "
                           "[Match].SeqOppSchool WHERE SeqWrestler IN (") +
            leagueTail,
        params);

    text += joinLine({"Totals", "", "", "W/L", "Pins", "", "", "TD", "Rev", "Esc", "NF2", "NF3",
                      "Team Points"});
    text += joinLine({"", "", "", QString(7, '-'), QString(7, '-'), "", "", QString(5, '-'),
                      QString(6, '-'), QString(6, '-'), QString(7, '-'), QString(7, '-'),
                      QString(19, '-')});
    text += joinLine({"", "", "", wins + QLatin1Char('-') + losses, pinsWon, "", "",
                      twoIn(totals, "tdHome"), twoIn(totals, "revHome"), twoIn(totals, "EscHome"),
                      twoIn(totals, "NF2Home"), twoIn(totals, "NF3Home"),
                      QString(6, ' ') + totals.field("TPoints").toString()});
    text += joinLine({"", "", "", "", pinsLost, "", "", twoIn(totals, "tdOpp"),
                      twoIn(totals, "revOpp"), twoIn(totals, "escOpp"), twoIn(totals, "NF2Opp"),
                      twoIn(totals, "NF3Opp")});
    closeRecordset(totals);
    return text;
}
