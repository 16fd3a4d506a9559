#include "printing/ind_match_summary_printout.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include "core/connection.h"
#include "core/helpers.h"
#include "match_reports/ind_match_summary_text.h"
#include "match_reports/frmIndMatchSummary.h"
#include "match_reports/report_support.h"
#include "platform/print/Page.h"
#include "platform/ui/ui.h"
#include "printing/printer_setup.h"
#include "statistics/stat_codes.h"

using printing::printAt;
using printing::printedValue;
using printing::printTempSize;

namespace {

frmIndMatchSummary* summaryForm() { return ui::forms().get<frmIndMatchSummary>(); }

// The weight class written as a number (" 125" for "0125"); a class that is not a number prints
// as stored.
QString weightText(const db::Value& weight) {
    const QString text = weight.toString();
    if (!isNumericText(text)) return text;
    return signedNumberText(leadingNumber(text));
}

QString E(const char* code) { return getStatExpr(QLatin1String(code)); }

// Home figures on the first line, the opponent's 20 below, in the move columns.
struct MoveColumn {
    double x;
    const char* home;
    const char* opp;
};
constexpr MoveColumn kMoveColumns[] = {
    {617, "tdHome", "tdOpp"},   {666, "revHome", "revOpp"}, {721, "EscHome", "escOpp"},
    {770, "NF2Home", "NF2Opp"}, {820, "NF3Home", "NF3Opp"},
};

// The room of the opponent's name before the level column, and of his school before the weight.
constexpr double kNameRoom = 280 - 5 - 100;
constexpr double kSchoolRoom = 490 - 5 - 100;
// The room of the date before the name.
constexpr double kDateRoom = 100 - 25;
// Where the footer's legend starts, and what a name keeps clear of the text after it.
constexpr double kLegendX = 400;
constexpr double kHeadGap = 20;

void printMoveColumns(const db::Recordset& rs, short y) {
    printTempSize(QStringLiteral("(H)"), 8, 600, y + 2);
    printTempSize(QStringLiteral("(O)"), 8, 600, y + 21);
    for (const MoveColumn& c : kMoveColumns) {
        printAt(c.x, y, printedValue(nzString(rs.field(QLatin1String(c.home)))));
        printAt(c.x, y + 20, printedValue(nzString(rs.field(QLatin1String(c.opp)))));
    }
}

void printEntry(const db::Recordset& rs, short y) {
    // A date of ten characters is made smaller until a blank still parts it from the name.
    print::Page& p = print::printer();
    printing::printShrunk(printedValue(rs.field("Date")), kDateRoom - p.textWidth(QStringLiteral(" ")), 25, y,
                          p.fontSize());
    if (rs.field("LeagueMatch").toString() == QLatin1String("Y"))
        printAt(40, y + 20, QStringLiteral("League"));
    // A long name or school is cut short of the next column on its line.
    printAt(100, y,
            printing::cutToWidth(rs.field("OppFName").toString() + QLatin1Char(' ') + rs.field("OppLName").toString(),
                                 kNameRoom));
    printAt(100, y + 20, printing::cutToWidth(printedValue(rs.field("OppSchool")), kSchoolRoom));
    printAt(292, y, printedValue(rs.field("MatchLevel")));
    printAt(350, y, printedValue(rs.field("WL")));
    printAt(410, y, printedValue(rs.field("Score")));
    printAt(490, y, weightText(rs.field("Weight")));
    printAt(490, y + 20, printedValue(rs.field("ActWeight")));
    printMoveColumns(rs, y);
    printAt(900, y, printedValue(rs.field("TeamPoints")));
}

// Ends the page and starts the next under its column heads; returns the y of its first entry.
short nextPage(short& pageNo) {
    printIndMatchFooter(pageNo);
    print::printer().newPage();
    printIndMatchColumnHeads(50);
    return 110;
}

long long countOf(const QString& sql, const db::Params& params, const char* field) {
    db::Recordset rs = openRecordset(sql, params);
    const long long n = rs.isEOF() ? 0 : nzString(rs.field(QLatin1String(field))).toInt();
    closeRecordset(rs);
    return n;
}

}  // namespace

// 12 pt heads, then a dotted rule of width 1 under them; font, width and style are left so.
void printIndMatchColumnHeads(short y) {
    print::Page& p = print::printer();
    p.setFontSize(12);
    printAt(25, y, QStringLiteral("Date"));
    printAt(100, y, QStringLiteral("Opponent Name"));
    printAt(100, y + 20, QStringLiteral("School"));
    printAt(280, y, QStringLiteral("Level"));
    printAt(345, y, QStringLiteral("W/L"));
    printAt(405, y, QStringLiteral("Score"));
    printAt(490, y, QStringLiteral("Weight"));
    printAt(490, y + 20, QStringLiteral("Actual Wt."));
    printAt(612, y, QStringLiteral("TD"));
    printAt(660, y, QStringLiteral("Rev"));
    printAt(714, y, QStringLiteral("Esc"));
    printAt(763, y, QStringLiteral("NF2"));
    printAt(812, y, QStringLiteral("NF3"));
    printAt(875, y, QStringLiteral("Team Points"));
    p.setDrawWidth(1);
    p.setDrawStyle(print::LineStyle::Dotted);
    p.line(25, y + 40, 1050, y + 40);
}

// 12 pt, all on line y; the size is left at 12.
void printIndMatchTotalsHeads(short y) {
    print::printer().setFontSize(12);
    printAt(345, y, QStringLiteral("W/L"));
    printAt(405, y, QStringLiteral("Pins"));
    printAt(612, y, QStringLiteral("TD"));
    printAt(660, y, QStringLiteral("Rev"));
    printAt(714, y, QStringLiteral("Esc"));
    printAt(763, y, QStringLiteral("NF2"));
    printAt(812, y, QStringLiteral("NF3"));
    printAt(875, y, QStringLiteral("Team Points"));
}

// 8 pt footer; the size is set back to the size found, rounded to a whole point.
void printIndMatchFooter(short& pageNo) {
    print::Page& p = print::printer();
    const double found = printing::roundHalfEven(p.fontSize());
    p.setFontSize(8);
    printAt(20, 820, printing::cutToWidth(summaryForm()->comHomeName->currentText(), kLegendX - kHeadGap - 20));
    printAt(kLegendX, 820, QStringLiteral("(H) = Home     (O) = Opponent"));
    printAt(1000, 820, QStringLiteral("Page: ") + QString::number(pageNo));
    ++pageNo;
    p.setFontSize(found);
}

void printIndMatchSummary(const QString& matchFilter) {
    frmIndMatchSummary* form = summaryForm();
    const QString name = form->comHomeName->currentText();
    const QString subtitle = form->comMatches->currentText();
    const QString level = form->comLevel->currentText();
    const QDate fromDate = match_reports::dateFromText(form->txtFromDate->text());
    const QDate toDate = match_reports::dateFromText(form->txtToDate->text());

    printing::setupPrinter(QStringLiteral("LANDSCAPE"));
    print::DocGuard doc;
    print::Page& p = print::printer();
    p.setTitle(QStringLiteral("Individual Match Summary - ") + name);
    short pageNo = 1;

    // Title block.
    p.setFontSize(20);
    p.setFontBold(true);
    const QString title = QStringLiteral("Individual Match Summary");
    printAt(printing::centredX(title), 15, title);
    const double titleBottom = p.currentY();
    p.setFontBold(false);
    p.setFontSize(12);
    // The match filter stands under the title (at 40 it would run into the title's line).
    if (subtitle != QLatin1String("ALL")) printAt(printing::centredX(subtitle), titleBottom, subtitle);

    ConnectionScope connection;

    // Every season row of the wrestler, oldest first; the grade is the latest season's.
    QStringList seqs;
    QString grade;
    {
        db::Recordset rs = openRecordset(
            QStringLiteral("select Seq, Grade from Wrestler where FullName = ? ORDER BY season"), {name});
        for (; !rs.isEOF(); rs.moveNext()) {
            seqs << signedNumberText(rs.field("Seq").toInt());
            grade = nzString(rs.field("Grade")).toString();
        }
        closeRecordset(rs);
    }
    if (seqs.isEmpty()) {
        p.killDoc();
        ui::msgBox(QStringLiteral("There is no wrestler named \"%1\".").arg(name));
        return;
    }
    const QString seqList = seqs.join(QLatin1Char(','));

    // The span of all the wrestler's matches, whatever the range, level and filter.
    auto matchDate = [&](const char* aggregate) {
        db::Recordset rs = openRecordset(QStringLiteral("SELECT %1(Date) AS MDate FROM [Match] WHERE SeqWrestler IN (")
                                                 .arg(QLatin1String(aggregate)) +
                                             seqList + QStringLiteral(") "));
        const QDate d = rs.isEOF() ? QDate() : rs.field("MDate").toDate();
        closeRecordset(rs);
        return d;
    };
    const QDate lastDate = matchDate("MAX");
    const QDate firstDate = matchDate("MIN");

    p.setFontSize(15);
    // The name, bold, and the grade after it end short of the span of dates (of the right margin
    // without one): a longer name is cut.
    QString span;
    double spanLeft = 1050;
    // A wrestler without any match has no span to show.
    if (firstDate.isValid() && lastDate.isValid()) {
        span = db::shortDate(firstDate) + QStringLiteral(" - ") + db::shortDate(lastDate);
        spanLeft = printing::rightAlignedX(span, 50);
    }
    const double gradeRoom = grade.isEmpty() ? 0 : 40 + p.textWidth(grade);
    p.setFontBold(true);
    const QString shownName = printing::cutToWidth(name, spanLeft - kHeadGap - gradeRoom - 20);
    printAt(20, 60, shownName);
    const double gradeX = p.textWidth(shownName) + 40;
    p.setFontBold(false);
    printAt(gradeX, 60, grade);
    if (!span.isEmpty()) printAt(spanLeft, 60, span);
    p.setDrawWidth(16);
    p.line(20, 85, 1050, 85);
    printIndMatchColumnHeads(100);
    p.setFontSize(11);

    // The matches in the range, two lines each.
    const db::Params range{fromDate, toDate};
    const QString dateCondition = QStringLiteral(" AND Date Between ? And ?");
    const QString tail = seqList + QStringLiteral(") ") + dateCondition + levelClause(level);
    const QString rowSql =
        QStringLiteral("SELECT Date, ActWeight, Weight.Weight, OppFName, OppLName, OppSchool.OppSchool, "
                       "OppSchool.LeagueSchool, LeagueMatch, ") +
        QStringLiteral("[match].Level as MatchLevel, WL, Score, TeamPoints, ") + E("TDH") +
        QStringLiteral(" AS tdHome, ") + E("TDO") + QStringLiteral("  AS tdOpp, ") + E("REVH") +
        QStringLiteral(" AS revHome, ") + E("REVO") + QStringLiteral(" AS revOpp, ") + E("ESCH") +
        QStringLiteral(" AS EscHome, ") + E("ESCO") + QStringLiteral(" AS escOpp, ") + E("NF2H") +
        QStringLiteral(" AS NF2Home, ") + E("NF2O") + QStringLiteral(" AS NF2Opp, ") + E("NF3H") +
        QStringLiteral(" AS NF3Home, ") + E("NF3O") + QStringLiteral(" AS NF3Opp ") +
        QStringLiteral("FROM Weight INNER JOIN (OppSchool INNER JOIN [Match] ON OppSchool.Seq = "
                       "[Match].SeqOppSchool) ON Weight.Seq = [Match].SeqWeight ") +
        QStringLiteral("WHERE SeqWrestler IN (") + tail + QStringLiteral(" Order by Date");

    short y = 160;
    {
        db::Recordset rs = openRecordset(rowSql, range);
        for (; !rs.isEOF(); rs.moveNext()) {
            if (!isListedUnderFilter(rs, matchFilter)) continue;
            p.setFontSize(11);
            printEntry(rs, y);
            p.setDrawWidth(2);
            p.line(25, y + 40, 1050, y + 40);
            y += 50;
            if (y > 800) y = nextPage(pageNo);
        }
        closeRecordset(rs);
    }

    // Record, pins and move totals over the same matches (league condition included).
    const QString totalsTail = tail + leagueClause(matchFilter);
    const QString from = QStringLiteral(
        " FROM OppSchool INNER JOIN [Match] ON OppSchool.Seq = [Match].SeqOppSchool WHERE ");
    const long long wins = countOf(QStringLiteral("SELECT Count([match].seq) AS Win") + from +
                                       QStringLiteral("WL='W' AND SeqWrestler IN (") + totalsTail,
                                   range, "Win");
    const long long losses = countOf(QStringLiteral("SELECT COUNT([match].seq) AS Loss") + from +
                                         QStringLiteral("WL = 'L' AND SeqWrestler IN (") + totalsTail,
                                     range, "Loss");
    const long long pinsWon =
        countOf(QStringLiteral("SELECT COUNT([match].seq) AS PinW") + from +
                    QStringLiteral("WinType = 'Fall' and WL = 'W' AND SeqWrestler IN (") + totalsTail,
                range, "PinW");
    const long long pinsLost =
        countOf(QStringLiteral("SELECT COUNT([match].seq) AS PinL") + from +
                    QStringLiteral("WinType = 'Fall' and WL = 'L' AND SeqWrestler IN (") + totalsTail,
                range, "PinL");
    db::Recordset sums = openRecordset(
        QStringLiteral("SELECT sum(TeamPoints) as TPoints, sum(") + E("TDH") +
            QStringLiteral(") AS tdHome, sum(") + E("TDO") + QStringLiteral(") AS tdOpp, sum(") +
            E("REVH") + QStringLiteral(") AS revHome") + QStringLiteral(", sum(") + E("REVO") +
            QStringLiteral(") AS revOpp, sum(") + E("ESCH") + QStringLiteral(") AS EscHome, sum(") +
            E("ESCO") + QStringLiteral(") AS escOpp") + QStringLiteral(", sum(") + E("NF2H") +
            QStringLiteral(") AS NF2Home, sum(") + E("NF2O") + QStringLiteral(") AS NF2Opp, sum(") +
            E("NF3H") + QStringLiteral(") AS NF3Home") + QStringLiteral(", sum(") + E("NF3O") +
            QStringLiteral(") AS NF3Opp from OppSchool INNER JOIN [Match] ON OppSchool.Seq = "
                           "[Match].SeqOppSchool WHERE SeqWrestler IN (") +
            totalsTail,
        range);

    printIndMatchTotalsHeads(y + 10);
    y += 30;
    if (y > 750) y = nextPage(pageNo);

    const double size = printing::roundHalfEven(p.fontSize());
    p.setFontSize(size + 5);
    printAt(40, y, QStringLiteral("Totals"));
    p.setFontSize(size);
    printAt(350, y, signedNumberText(wins));
    printAt(350, y + 25, signedNumberText(losses));
    printAt(405, y, signedNumberText(pinsWon));
    printAt(405, y + 25, signedNumberText(pinsLost));
    printMoveColumns(sums, y);
    printAt(900, y, printedValue(nzString(sums.field("TPoints"))));
    closeRecordset(sums);

    printIndMatchFooter(pageNo);
    p.endDoc();
}
