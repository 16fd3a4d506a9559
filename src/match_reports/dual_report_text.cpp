#include "match_reports/dual_report_text.h"

#include <QHash>
#include <QStringBuilder>
#include <system_error>
#include <vector>

#include "core/connection.h"
#include "core/helpers.h"
#include "match_reports/date_stretches.h"
#include "match_reports/report_support.h"
#include "platform/db/DbError.h"
#include "platform/db/ParallelRead.h"

using match_reports::CRLF;
using match_reports::TAB;

namespace {

// The weight class as the bout line writes it: a number with the blank of its sign (" 125"); a
// class that is not a number ("HWT") keeps its text after the same blank.
QString weightClassText(const QString& weight) {
    if (isNumericText(weight)) return signedNumberText(leadingNumber(weight));
    return QLatin1Char(' ') + weight;
}

// A date as the database compares it: a stored date as its ISO text, anything else as its text.
QString dateKey(const db::Value& date) { return date.isDate() ? db::isoDate(date.toDate()) : date.toString(); }

// A school's name as the database compares it: letter case apart for A to Z only.
QString schoolKey(const QString& school) {
    QString key = school;
    for (QChar& c : key)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + ('a' - 'A'));
    return key;
}

// The team scores stored for the dates of a range, found by date and school: the first row of
// each date and school, as the query of one group would find it.
class ScoreLines {
public:
    ScoreLines(const QDate& startDate, const QDate& endDate) {
        db::Recordset rs = openRecordset(
            QStringLiteral("SELECT CompDate, OppSchool, ScoreH, ScoreO "
                           " FROM OppSchool INNER JOIN DualScore ON OppSchool.Seq = DualScore.seqOppSchool "
                           " WHERE CompDate BETWEEN ? AND ? ORDER BY CompDate, DualScore.Seq"),
            {startDate, endDate});
        for (; !rs.isEOF(); rs.moveNext()) {
            // A school without a name, or a score without a date, is no group's.
            if (rs.field("OppSchool").isNull() || rs.field("CompDate").isNull()) continue;
            const QString key = dateKey(rs.field("CompDate")) + QLatin1Char('\n') + schoolKey(rs.field("OppSchool").toString());
            if (!scores_.contains(key))
                scores_.insert(key, {rs.field("OppSchool").toString(), rs.field("ScoreH"), rs.field("ScoreO")});
        }
        closeRecordset(rs);
    }

    // The score line of a group, or "" when no team score is stored for the date and school.
    QString line(const db::Value& date, const QString& school, const QString& homeSchool) const {
        const auto found = scores_.constFind(dateKey(date) + QLatin1Char('\n') + schoolKey(school));
        if (found == scores_.cend()) return QString();
        auto score = [](const db::Value& v) {
            return v.isNull() ? QString() : match_reports::singleText(v.toDouble());
        };
        return TAB + homeSchool + QStringLiteral("   ") + score(found->home) + QString(6, ' ') + found->school +
               QStringLiteral("   ") + score(found->opp) + CRLF + CRLF;
    }

private:
    struct Score {
        QString school;
        db::Value home, opp;
    };
    QHash<QString, Score> scores_;
};

// Where the fields of a bout are in the report's recordset, found by name once.
struct DualColumns {
    explicit DualColumns(const db::Recordset& rs)
        : date(rs.fieldIndex("Date")), weight(rs.fieldIndex("Weight")), name(rs.fieldIndex("FullName")),
          wl(rs.fieldIndex("WL")), oppFirst(rs.fieldIndex("OppFName")), oppLast(rs.fieldIndex("OppLName")),
          school(rs.fieldIndex("OppSchool")), score(rs.fieldIndex("Score")) {}
    int date, weight, name, wl, oppFirst, oppLast, school, score;
};

// Adds one bout's line to `text`, built in place: the widest range has 50,000 bouts.
void addBoutLine(QString& text, const db::Recordset& rs, const DualColumns& columns, const QString& homeSchool,
                 const QString& weightClass) {
    const QString name = rs.field(columns.name).toString();
    const QString oppFirst = rs.field(columns.oppFirst).toString();
    const QString oppLast = rs.field(columns.oppLast).toString();
    const QString oppSchool = rs.field(columns.school).toString();
    const QString score = rs.field(columns.score).toString();
    const QLatin1String comma(", "), gap("   "), def("  def  ");
    // The winner first.
    if (rs.field(columns.wl).toString() == QLatin1String("W"))
        text += TAB % weightClass % gap % name % comma % homeSchool % def % oppFirst % QLatin1Char(' ') %
                oppLast % comma % oppSchool % gap % score % CRLF;
    else
        text += TAB % weightClass % gap % oppFirst % QLatin1Char(' ') % oppLast % comma % oppSchool % def %
                name % comma % homeSchool % gap % score % CRLF;
}

}  // namespace

QStringList varsityDates() {
    ConnectionScope connection;
    db::Recordset rs =
        openRecordset(QStringLiteral("SELECT Distinct Date, [Level] FROM [Match] ORDER BY Date"));
    QStringList dates;
    for (; !rs.isEOF(); rs.moveNext()) {
        if (rs.field("Level").toString() != QLatin1String("V")) continue;
        // A text that is no date (left by another tool) is no choice of a range.
        const db::Value value = rs.field("Date");
        if (!value.isDate()) continue;
        const QString date = value.toString();
        if (!dates.contains(date)) dates << date;
    }
    closeRecordset(rs);
    return dates;
}

namespace {

const QString kDualSelect = QStringLiteral(
    "SELECT Date, Weight.Weight, FullName, WL, OppFName, OppLName, OppSchool, Score "
    "FROM Wrestler INNER JOIN (Weight INNER JOIN (OppSchool INNER JOIN [Match] ON "
    "OppSchool.Seq = [Match].SeqOppSchool) ON Weight.Seq = [Match].SeqWeight) ON "
    "Wrestler.Seq = [Match].SeqWrestler ");
const QString kDualOrder = QStringLiteral("ORDER BY Date, OppSchool, Weight.Weight");

// The groups and bout lines of rows of the report's query, added row after row: a group for every
// date and school in turn, each under its score line, the first opened by its date line.
class DualLines {
public:
    DualLines(const ScoreLines& scores, const QString& homeSchool) : scores_(scores), homeSchool_(homeSchool) {}

    DualReport report;
    qsizetype dateLineLength = 0;  // the first date's line (a TAB and the date) at the text's start

    void addRows(db::Recordset& rs) {
        if (rs.isEOF()) return;
        const DualColumns columns(rs);
        QString& text = report.text;
        if (!started_) {
            // The first date's heading, then the first school's score line; every later date or
            // school starts its own group below.
            prevDateValue_ = rs.field(columns.date);
            prevDate_ = prevDateValue_.toString();
            prevSchool_ = rs.field(columns.school).toString();
            text = TAB + prevDate_;
            dateLineLength = text.size();
            text += CRLF + CRLF;
            report.schools << prevSchool_;
            text += scores_.line(prevDateValue_, prevSchool_, homeSchool_);
            started_ = true;
        }
        for (; !rs.isEOF(); rs.moveNext()) {
            // Bouts come by date: the date's text is made again only for another date.
            const db::Value dateValue = rs.field(columns.date);
            const bool sameDate = dateValue.isDate() && prevDateValue_.isDate() && dateValue == prevDateValue_;
            prevDateValue_ = dateValue;
            const QString school = rs.field(columns.school).toString();
            bool newDate = false;
            if (const QString date = sameDate ? prevDate_ : dateValue.toString(); date != prevDate_) {
                text += CRLF + CRLF + TAB + date;
                prevDate_ = date;
                newDate = true;
            }
            if (school != prevSchool_ || newDate) {
                text += CRLF;
                prevSchool_ = school;
                report.schools << school;
                text += scores_.line(dateValue, school, homeSchool_);
            }
            const QString weight = rs.field(columns.weight).toString();
            auto shown = weightClasses_.constFind(weight);
            if (shown == weightClasses_.cend()) shown = weightClasses_.insert(weight, weightClassText(weight));
            addBoutLine(text, rs, columns, homeSchool_, *shown);
        }
    }

private:
    const ScoreLines& scores_;
    const QString& homeSchool_;
    bool started_ = false;
    db::Value prevDateValue_;
    QString prevDate_;
    QString prevSchool_;
    QHash<QString, QString> weightClasses_;  // a handful, each written the same on every line
};

// The report read in stretches of dates on several threads; false when it must be read in one
// run instead.
bool readInStretches(const std::vector<match_reports::DateStretch>& stretches, const ScoreLines& scores,
                     const QString& homeSchool, DualReport& report) {
    std::vector<QString> queries;
    std::vector<DualLines> parts;
    for (const match_reports::DateStretch& stretch : stretches) {
        queries.push_back(kDualSelect + QStringLiteral("WHERE (") +
                          match_reports::stretchDateTest(QStringLiteral("[Match].Date"), stretch) +
                          QStringLiteral(") AND Level = 'V' ") + kDualOrder);
        parts.emplace_back(scores, homeSchool);
    }
    try {
        const bool whole = db::readInParallel(gConn, static_cast<int>(stretches.size()),
                                              [&](int part, db::Connection& reader) {
                                                  db::Recordset rs = reader.openForward(
                                                      queries[part], {stretches[part].from, stretches[part].to});
                                                  parts[part].addRows(rs);
                                                  return true;
                                              });
        if (!whole) return false;
    } catch (const db::DbError&) {
        return false;  // read in one run, which meets the error again if it lasts
    } catch (const std::system_error&) {
        return false;  // no thread to be had
    }
    // Each stretch's text opens as the report's first date does; after another stretch's, its
    // date line takes the blank lines a later date's line has.
    qsizetype size = 0;
    for (const DualLines& part : parts) size += part.report.text.size() + 2;
    report.text.reserve(size);
    for (DualLines& part : parts) {
        const QString& text = part.report.text;
        if (text.isEmpty()) continue;
        if (report.text.isEmpty()) {
            report.text += text;
        } else {
            report.text += CRLF + CRLF;
            report.text += QStringView(text).left(part.dateLineLength);
            report.text += QStringView(text).mid(part.dateLineLength + CRLF.size());
        }
        part.report.text.clear();
        report.schools += part.report.schools;
    }
    return true;
}

}  // namespace

DualReport dualReportText(const QDate& startDate, const QDate& endDate, const QString& homeSchool) {
    DualReport report;
    ConnectionScope connection;
    const std::vector<match_reports::DateStretch> stretches = match_reports::dateStretches(startDate, endDate);
    if (!stretches.empty()) {
        const ScoreLines scores(startDate, endDate);
        if (readInStretches(stretches, scores, homeSchool, report)) return report;
        report = DualReport();
    }
    // All duals are 150,000 bouts and more: they are read one at a time, not held.
    db::Recordset rs = openForwardRecordset(
        kDualSelect + QStringLiteral("WHERE (([Match].Date) BETWEEN ? AND ?) AND Level = 'V' ") + kDualOrder,
        {startDate, endDate});
    if (rs.isEOF()) {
        closeRecordset(rs);
        return report;
    }
    // Every group's score line is looked up among the range's scores, read at once.
    const ScoreLines scores(startDate, endDate);
    DualLines lines(scores, homeSchool);
    lines.addRows(rs);
    closeRecordset(rs);
    return std::move(lines.report);
}
