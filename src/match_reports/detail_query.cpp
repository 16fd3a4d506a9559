#include "match_reports/detail_query.h"

#include <QStringList>

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

// The first column of each row of a list query, after "ALL".
QStringList choiceList(const QString& sql, const QString& column, const QString& startText,
                       const QString& endText) {
    QString start;
    QString end;
    getDateRange(startText, endText, start, end);
    QStringList list{QStringLiteral("ALL")};
    ConnectionScope connection;
    db::Recordset rs = openRecordset(sql, {rangeStartDate(start), rangeEndDate(end)});
    for (; !rs.isEOF(); rs.moveNext()) list << rs.field(column).toString();
    closeRecordset(rs);
    return list;
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

DetailQuery detailQuery(const DetailChoices& choices) {
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

    QString start;
    QString end;
    getDateRange(choices.dateStart, choices.dateEnd, start, end);
    sql += QStringLiteral(" AND Date between ? AND ? ");
    query.params = {rangeStartDate(start), rangeEndDate(end)};

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

QStringList detailSchools(const QString& startText, const QString& endText) {
    return choiceList(
        QStringLiteral("SELECT DISTINCT OppSchool.OppSchool FROM OppSchool INNER JOIN [Match] ON "
                       "OppSchool.Seq = [MATCH].seqOppSchool WHERE Date BETWEEN ? AND ?  ORDER BY "
                       "OppSchool.OppSchool"),
        QStringLiteral("oppschool"), startText, endText);
}

QStringList detailWrestlers(const QString& startText, const QString& endText) {
    return choiceList(
        QStringLiteral("SELECT DISTINCT Wrestler.FullName FROM Wrestler INNER JOIN [Match] ON "
                       "Wrestler.Seq = [Match].seqWrestler WHERE [Match].[Date] BETWEEN ? AND ?  "
                       "ORDER BY Wrestler.FullName"),
        QStringLiteral("FullName"), startText, endText);
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
