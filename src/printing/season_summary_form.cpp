// The association's season summary form filled in for one wrestler and season.
#include "printing/season_summary_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "core/connection.h"
#include "core/helpers.h"
#include "platform/print/Page.h"
#include "platform/ui/ui.h"
#include "printing/printer_setup.h"
#include "statistics/frmSeasonSummary.h"

namespace printing {
namespace {

constexpr float kRowPitch = 17.2f;
constexpr short kPageOneRows = 45;
// Header values are printed at this size; match rows at kRowSize.
constexpr double kHeaderSize = 15;
constexpr double kRowSize = 9;
// The left edge of a row's score cell, the right edge of its school cell.
constexpr double kScoreCellLeft = 755;

// A value of a row, "" for Null (and for a field of a row that is not there).
QString valueText(const db::Recordset& rs, const QString& field) {
    if (rs.isEOF()) return QString();
    return printedValue(rs.field(field));
}

// The right edges of the cells of the header's names and of a row's opponent, weight and score.
constexpr double kLastNameRight = 253;
constexpr double kFirstNameRight = 475;
constexpr double kOpponentRight = 535;
constexpr double kActWeightRight = 240;
constexpr double kScoreRight = 846;
// What a text keeps clear of the rule that ends its cell.
constexpr double kCellGap = 3;

// The text at (x, y), the size lowered in steps of 0.2 pt while its width, rounded to a whole
// unit, is more than `limit`; never below the smallest size the printouts use. A text still wider
// than `limit` at that size is cut at its end to `room`, the width of its cell from x. The size
// is left where it stopped.
void printFitted(const QString& text, double limit, double room, double x, double y) {
    print::Page& p = print::printer();
    p.setCurrentX(x);
    p.setCurrentY(y);
    const double width = shrinkWhile(text, [limit](double w) { return w > limit; });
    p.print(width > limit ? cutToWidth(text, room) : text);
}

// The text at (x, y) in `size` or smaller, so that it ends before `right`, the edge of its cell;
// the size is `size` again afterwards.
void printInCellUpTo(const QString& text, double x, double y, double right, double size) {
    print::Page& p = print::printer();
    p.setFontSize(size);
    const double room = right - kCellGap - x;
    printFitted(text, room, room, x, y);
    p.setFontSize(size);
}

// One field of the row with key `seq` of a lookup query; "" when there is no such row.
QString lookUp(const QString& sql, const db::Value& seq, const QString& field) {
    db::Recordset rs = openRecordset(sql, {seq});
    const QString text = valueText(rs, field);
    closeRecordset(rs);
    return text;
}

// The continued page of a table whose rows did not fit: title, the head, rows numbered 45 up to
// `rows` (pitch 17 from 98), `footnote` when not empty, and the footer.
void drawContinuedPage(const QString& title, short rows, const QString& footnote) {
    print::Page& p = print::printer();
    season_form::startPage();
    p.setFontSize(12);
    p.setFontBold(true);
    printAt(10, 20, title);
    season_form::drawTableHead(58);
    p.setFontSize(8);
    p.setFontBold(false);
    int top = 98;
    for (short n = 45; n <= rows; ++n, top += 17) {
        season_form::drawRowBoxes(top, 17);
        p.setCurrentX(2);
        p.setCurrentY(top + 2);
        p.print(static_cast<long long>(n));
    }
    if (!footnote.isEmpty()) {
        p.setFontSize(10);
        p.setFontBold(true);
        printAt(400, 1075, footnote);
    }
    season_form::drawFooter();
}

// Prints the matches of `rs` from row top `y`, 17.2 apart. When there are more than a page's 45,
// the 44th row says so and the rest go on a continued page.
void printMatchTable(db::Recordset& rs, float y, bool bold,
                     const std::function<void(short rows)>& drawContinued) {
    print::Page& p = print::printer();
    while (!rs.isEOF()) {
        if (rs.absolutePosition() == kPageOneRows - 1 && rs.recordCount() > kPageOneRows) {
            printAt(60, y, QStringLiteral("CONTINUED ON NEXT PAGE"));
            p.newPage();
            drawContinued(static_cast<short>(rs.recordCount() + 1));
            p.setFontBold(bold);
            y = 100;
        }
        printSeasonMatchRow(y, rs);
        y += kRowPitch;
        rs.moveNext();
    }
}

}  // namespace

void drawSeasonFormWinsContinued(short rows) {
    drawContinuedPage(QStringLiteral("Wins Continued"), rows,
                      QStringLiteral("(SEE PAGE 2 FOR DEFEATS)"));
}

void printSeasonMatchRow(float y, const db::Recordset& rs) {
    print::Page& p = print::printer();
    p.setFontSize(kRowSize);
    const bool leagueMatch = rs.field(QStringLiteral("LeagueMatch")).toString() == QLatin1String("Y");
    p.setFontItalic(leagueMatch);

    const db::Value school = rs.field(QStringLiteral("SeqOppSchool"));
    const QString leagueSchool = lookUp(
        QStringLiteral("SELECT LeagueSchool FROM OppSchool WHERE Seq = ?"), school,
        QStringLiteral("LeagueSchool"));
    if (leagueSchool == QLatin1String("Y")) {
        p.setFontSize(12);
        printAt(30, y, leagueMatch ? QStringLiteral("#") : QStringLiteral("+"));
        p.setFontSize(kRowSize);
    }
    printAt(65, y, valueText(rs, QStringLiteral("Date")));
    const double rowSize = p.fontSize();
    printInCellUpTo(valueText(rs, QStringLiteral("ActWeight")), 190, y, kActWeightRight, rowSize);
    printAt(270, y, lookUp(QStringLiteral("SELECT * FROM Weight WHERE Seq = ?"),
                           rs.field(QStringLiteral("SeqWeight")), QStringLiteral("Weight")));
    printInCellUpTo(valueText(rs, QStringLiteral("OppLName")) + QStringLiteral(", ") +
                        valueText(rs, QStringLiteral("OppFName")),
                    325, y, kOpponentRight, rowSize);
    if (rs.field(QStringLiteral("Level")).toString() == QLatin1String("V"))
        printAt(540, y, QStringLiteral("V"));
    else
        printAt(563, y, QStringLiteral("S"));

    const double size = roundHalfEven(p.fontSize());
    printFitted(lookUp(QStringLiteral("SELECT OppSchool FROM OppSchool WHERE Seq = ?"), school,
                       QStringLiteral("OppSchool")),
                175, kScoreCellLeft - 590, 590, y);
    p.setFontSize(size);
    printInCellUpTo(valueText(rs, QStringLiteral("Score")), 780, y, kScoreRight, size);
}

void printSeasonSummaryForm() {
    const frmSeasonSummary* form = ui::forms().get<frmSeasonSummary>();
    print::Page& p = print::printer();
    print::DocGuard doc;
    drawSeasonFormPage1(QStringLiteral("Individual Season Summary - ") + form->selectedName());

    ConnectionScope connection;
    db::Recordset wrestler =
        openRecordset(QStringLiteral("SELECT * FROM Wrestler WHERE FullName = ? AND Season = ?"),
                      {db::Value(form->selectedName()), db::Value(form->seasonYear())});
    // Without the wrestler's row (a season typed into the box) the form is printed without his
    // entries and matches.
    const db::Value seq =
        wrestler.isEOF() ? db::Value(-1) : wrestler.field(QStringLiteral("Seq"));

    p.setFontBold(false);
    p.setFontItalic(false);
    const struct {
        double x, y;
        QString text;
    } header[] = {
        {125, 75, form->txtWtEnter->text()},
        {410, 75, valueText(wrestler, QStringLiteral("MinWt"))},
    };
    for (const auto& item : header) {
        p.setFontSize(kHeaderSize);
        printAt(item.x, item.y, item.text);
    }
    printInCellUpTo(valueText(wrestler, QStringLiteral("LastName")), 40, 110, kLastNameRight, kHeaderSize);
    printInCellUpTo(valueText(wrestler, QStringLiteral("FirstName")), 288, 110, kFirstNameRight, kHeaderSize);
    p.setFontSize(kHeaderSize);
    printFitted(gSchoolName, 370, 370, 15, 165);
    const struct {
        double x, y;
        QString field;
    } places[] = {{440, 165, QStringLiteral("Grade")},
                  {243, 220, QStringLiteral("RegPlace")},
                  {473, 220, QStringLiteral("StPlace")}};
    for (const auto& item : places) {
        p.setFontSize(kHeaderSize);
        printAt(item.x, item.y, valueText(wrestler, item.field));
    }

    const struct {
        QLabel* win;
        QLabel* loss;
        double left, width, y;
    } records[] = {{form->lblOverWin, form->lblOverLoss, 650, 104, 145},
                   {form->lblWtWin, form->lblWtLoss, 738, 105, 145},
                   {form->lblOverWinLg, form->lblOverLossLg, 650, 104, 198},
                   {form->lblWtWinLg, form->lblWtLossLg, 738, 105, 198}};
    for (const auto& record : records) {
        p.setFontSize(14);
        p.setFontBold(false);
        printInCell(record.left, record.width, record.y,
                    record.win->text() + QStringLiteral(" - ") + record.loss->text());
    }

    p.setFontSize(kRowSize);
    p.setFontBold(true);
    db::Recordset matches = openRecordset(
        QStringLiteral("SELECT * FROM [Match] WHERE WL = 'W' AND SeqWrestler = ? ORDER BY Date , Seq"),
        {seq});
    printMatchTable(matches, 295, true, drawSeasonFormWinsContinued);
    closeRecordset(matches);

    p.newPage();
    drawSeasonFormDefeatsPage();
    p.setFontSize(kRowSize);
    p.setFontBold(false);
    matches = openRecordset(
        QStringLiteral("SELECT * FROM [Match] WHERE WL = 'L' AND SeqWrestler = ? ORDER BY Date, Seq"),
        {seq});
    printMatchTable(matches, 85, false, [](short rows) {
        drawContinuedPage(QStringLiteral("Defeats Continued"), rows, QString());
    });

    p.endDoc();
    closeRecordset(wrestler);
    closeRecordset(matches);
}

}  // namespace printing
