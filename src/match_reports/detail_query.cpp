#include "match_reports/detail_query.h"

#include <QStringList>
#include <functional>

#include "core/connection.h"
#include "match_reports/report_support.h"
#include "statistics/stat_codes.h"

namespace {

const QString kOpenStart = QStringLiteral("1/1/2000");
const QString kOpenEnd = QStringLiteral("12/31/2099");

// The fourteen move counts: home code, its alias piece, opponent code, its alias piece.
struct CountPair {
    const char* homeCode;
    const char* homeAlias;
    const char* oppCode;
    const char* oppAlias;
};
constexpr CountPair kCountPairs[] = {
    {"tdh", " AS tdH, ", "tdo", " AS tdO "},     {"revh", " AS revH, ", "revo", " AS revO "},
    {"esch", " AS escH, ", "esco", " AS escO "}, {"nf2h", " AS nf2H, ", "nf2o", " AS nf2O "},
    {"nf3h", " AS nf3H, ", "nf3o", " AS nf3O "}, {"ph", " AS pH, ", "po", " AS pO "},
    {"wh", " AS wH, ", "wo", " AS wO "},
};

// The names of a list: "ALL", then the first column of each row of `sql`, whose values are the
// start and end of the range.
QStringList namesAfterAll(const QString& sql, const QString& column, const db::Params& range) {
    QStringList list{QStringLiteral("ALL")};
    db::Recordset rs = openRecordset(sql, range);
    for (; !rs.isEOF(); rs.moveNext()) list << rs.field(column).toString();
    closeRecordset(rs);
    return list;
}

// A choice list for the range of the two date boxes. `plainSql` takes the names from every bout
// in the range; `namesSql` gives the same names from the rows of the names' own table that have
// a bout in the range, each name once with OneSpelling (0 when its rows write it in more than
// one way, letter case apart). Which of those ways the list shows is `plainSql`'s choice: then
// it runs instead. `useNames` tells whether `namesSql` is the quicker for the range.
QStringList choiceList(const QString& namesSql, const QString& plainSql, const QString& column,
                       const QString& startText, const QString& endText,
                       const std::function<bool(const db::Params&)>& useNames) {
    QString start;
    QString end;
    getDateRange(startText, endText, start, end);
    const db::Params range{rangeStartDate(start), rangeEndDate(end)};
    ConnectionScope connection;
    if (!useNames(range)) return namesAfterAll(plainSql, column, range);
    QStringList list{QStringLiteral("ALL")};
    db::Recordset rs = openRecordset(namesSql, range);
    for (; !rs.isEOF(); rs.moveNext()) {
        const db::Value oneSpelling = rs.field("OneSpelling");
        if (!oneSpelling.isNull() && oneSpelling.toInt() == 0) {
            closeRecordset(rs);
            return namesAfterAll(plainSql, column, range);
        }
        list << rs.field(column).toString();
    }
    closeRecordset(rs);
    return list;
}

// Whether the range holds a third of the matches or more. A wrestler's bouts are found through
// the wrestlers' table then, each wrestler stopping at his first bout in the range (one look for
// a wrestler without any bout); in a narrower range most wrestlers have none there, and going
// through the range's bouts is the quicker.
bool wideRange(const db::Params& range) {
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Max(Seq) AS n FROM [Match]"));
    const long long third = rs.field("n").toInt() / 3 + 1;
    closeRecordset(rs);
    db::Params params = range;
    params.emplace_back(third);
    rs = openRecordset(QStringLiteral("SELECT Count(*) AS n FROM (SELECT 1 FROM [Match] WHERE [Date] "
                                      "BETWEEN ? AND ? LIMIT ?)"),
                       params);
    const bool wide = rs.field("n").toInt() >= third;
    closeRecordset(rs);
    return wide;
}

}  // namespace

void getDateRange(const QString& startText, const QString& endText, QString& startDate,
                  QString& endDate) {
    startDate = startText == QLatin1String(" ") ? kOpenStart : startText;
    endDate = endText == QLatin1String(" ") ? kOpenEnd : endText;
}

QDate rangeStartDate(const QString& startDate) {
    const QDate date = match_reports::dateFromText(startDate);
    return date.isValid() ? date : match_reports::dateFromText(kOpenStart);
}

QDate rangeEndDate(const QString& endDate) {
    const QDate date = match_reports::dateFromText(endDate);
    return date.isValid() ? date : match_reports::dateFromText(kOpenEnd);
}

namespace {

// The detail query with `dateTest` (the test of the bout's date, its values in `dateParams`).
DetailQuery detailQueryWhere(const DetailChoices& choices, const QString& dateTest,
                             const db::Params& dateParams) {
    DetailQuery query;
    QString& sql = query.sql;
    sql = QStringLiteral(
        "SELECT FirstName, LastName, Date, ActWeight, Weight, OppSchool.OppSchool, WL, WinType, "
        "Score, TeamPoints, FirstPoint, ");
    bool first = true;
    for (const CountPair& pair : kCountPairs) {
        if (!first) sql += QStringLiteral(", ");
        first = false;
        sql += getStatExpr(QLatin1String(pair.homeCode)) + QLatin1String(pair.homeAlias) +
               getStatExpr(QLatin1String(pair.oppCode)) + QLatin1String(pair.oppAlias);
    }
    sql += QStringLiteral(
        " FROM Wrestler INNER JOIN (Weight INNER JOIN (OppSchool INNER JOIN [match] ON "
        "OppSchool.Seq = [match].seqOppSchool) ON Weight.Seq = [match].seqWeight) ON Wrestler.Seq "
        "= [match].seqWrestler WHERE Level='v'  ");

    sql += dateTest;
    query.params = dateParams;

    // The names are compared as they stand in the boxes, bound as values.
    if (choices.school != QLatin1String("ALL")) {
        sql += QStringLiteral(" AND OppSchool = ? ");
        query.params.emplace_back(choices.school);
    }
    if (choices.wrestler != QLatin1String("ALL")) {
        sql += QStringLiteral(" AND Wrestler.FullName = ? ");
        query.params.emplace_back(choices.wrestler);
    }
    sql += QStringLiteral(" Order By Date, Oppschool.Oppschool, Weight, LastName, FirstName");
    return query;
}

}  // namespace

DetailQuery detailQuery(const DetailChoices& choices) {
    QString start;
    QString end;
    getDateRange(choices.dateStart, choices.dateEnd, start, end);
    return detailQueryWhere(choices, QStringLiteral(" AND Date between ? AND ? "),
                            {rangeStartDate(start), rangeEndDate(end)});
}

DetailQuery detailQuery(const DetailChoices& choices, const match_reports::DateStretch& stretch) {
    // Both queries go through the date index and sort the bouts of each date apart, in the order
    // the index gives them; the plan does not hang on the dates bound (the engine is built
    // without the statistics of values that would let it), so bouts that tie come out alike.
    const QString dateTest = match_reports::stretchDateTest(QStringLiteral("Date"), stretch);
    return detailQueryWhere(choices, QStringLiteral(" AND ") + dateTest + QStringLiteral(" "),
                            {stretch.from, stretch.to});
}

QStringList detailSchools(const QString& startText, const QString& endText) {
    // The schools of the range come from the date index, which holds the school: one pass over
    // the range's entries, whatever the number of schools without a bout there. (A test per
    // school would walk the range's entries once for every school that has none in it.)
    return choiceList(
        QStringLiteral("SELECT OppSchool, Min(OppSchool COLLATE BINARY) = Max(OppSchool COLLATE BINARY) "
                       "AS OneSpelling FROM OppSchool WHERE Seq IN (SELECT SeqOppSchool FROM [Match] "
                       "WHERE [Date] BETWEEN ? AND ?) GROUP BY OppSchool ORDER BY OppSchool"),
        QStringLiteral("SELECT DISTINCT OppSchool.OppSchool FROM OppSchool INNER JOIN [Match] ON "
                       "OppSchool.Seq = [MATCH].seqOppSchool WHERE Date BETWEEN ? AND ?  ORDER BY "
                       "OppSchool.OppSchool"),
        QStringLiteral("oppschool"), startText, endText, [](const db::Params&) { return true; });
}

QStringList detailWrestlers(const QString& startText, const QString& endText) {
    // The + keeps the date index out of the test of each wrestler: through it, a wrestler
    // without a bout in the range would walk all of the range. Through the wrestler's own index
    // he stops at his first bout in the range, and one without any bout takes one look.
    return choiceList(
        QStringLiteral("SELECT FullName, Min(FullName COLLATE BINARY) = Max(FullName COLLATE BINARY) "
                       "AS OneSpelling FROM Wrestler WHERE EXISTS (SELECT 1 FROM [Match] WHERE "
                       "[Match].SeqWrestler = Wrestler.Seq AND +[Match].[Date] BETWEEN ? AND ?) "
                       "GROUP BY FullName ORDER BY FullName"),
        QStringLiteral("SELECT DISTINCT Wrestler.FullName FROM Wrestler INNER JOIN [Match] ON "
                       "Wrestler.Seq = [Match].seqWrestler WHERE [Match].[Date] BETWEEN ? AND ?  "
                       "ORDER BY Wrestler.FullName"),
        QStringLiteral("FullName"), startText, endText, wideRange);
}

QStringList detailVarsityDates() {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT Distinct Date FROM [MATCH] WHERE Level = 'v' ORDER BY Date"));
    QStringList dates;
    for (; !rs.isEOF(); rs.moveNext()) {
        // A text that is no date (left by another tool) is no choice of a range.
        const db::Value date = rs.field("Date");
        if (date.isDate()) dates << date.toString();
    }
    closeRecordset(rs);
    return dates;
}
