#include "match_reports/detail_printouts.h"

#include <QLocale>
#include <QStringList>
#include <vector>

#include "core/connection.h"
#include "core/helpers.h"
#include "match_reports/detail_report_text.h"
#include "match_reports/report_support.h"
#include "platform/print/Page.h"
#include "printing/printer_setup.h"

using match_reports::CRLF;
using match_reports::TAB;

namespace {

constexpr int kBoutsPerPage = 11;
constexpr int kPairsPerPage = 11;
// The widths the detail printout fills its name and school cells out to, in page units.
constexpr double kNameWidth = 202;
constexpr double kSchoolWidth = 247;
// The width the summary fills its names out to.
constexpr double kSummaryNameWidth = 255;

// The stop a TAB at x (from the line's start) moves to.
constexpr double stopAfter(double x) {
    return (static_cast<int>(x / print::kTabInterval) + 1) * print::kTabInterval;
}
// The room of a cell that starts at the stop of `tabs` TABs and is filled out to `width`: from its
// start to the stop that the TAB after it reaches, where the next column stands.
constexpr double cellRoom(int tabs, double width) {
    return stopAfter(tabs * print::kTabInterval + width) - tabs * print::kTabInterval;
}
// The name and the school stand at the second stop (the name after the date and a TAB, the school
// after two TABs); the summary's name starts its line.
constexpr double kNameRoom = cellRoom(2, kNameWidth);
constexpr double kSchoolRoom = cellRoom(2, kSchoolWidth);
constexpr double kSummaryNameRoom = cellRoom(0, kSummaryNameWidth);

QString tabs(int n) { return QString(n, QLatin1Char('\t')); }

// The moment as the foot prints it: date and time.
QString momentText(const QDateTime& moment) {
    return QLocale::c().toString(moment, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

// A text cut to end at least a blank short of `room`, so that the TAB after it still reaches the
// stop of its column and the cells after it stay under their heads.
QString cutToRoom(print::Page& p, const QString& text, double room) {
    return printing::cutToWidth(text, room - p.textWidth(QStringLiteral(" ")));
}

// The wrestler's name as the detail printout shows it: the full name, else the initial and the
// last name, else the last name (cut when it would reach the weight column); filled out with
// blanks until wider than the name cell.
QString detailName(print::Page& p, const QString& firstName, const QString& lastName) {
    QString name = firstName + QLatin1Char(' ') + lastName;
    if (p.textWidth(name) > kNameWidth) {
        name = firstName.left(1) + QLatin1Char(' ') + lastName;
        if (p.textWidth(name) > kNameWidth) name = cutToRoom(p, lastName, kNameRoom);
    }
    while (p.textWidth(name) <= kNameWidth) name += QLatin1Char(' ');
    return name;
}

QString paddedTo(print::Page& p, QString text, double width) {
    while (p.textWidth(text) < width) text += QLatin1Char(' ');
    return text;
}

QString summaryLine(const QString& name, const long long (&counts)[DetailTotals::kCounts]) {
    QString line = name + TAB;
    for (long long n : counts) line += signedNumberText(n) + TAB;
    return line;
}

}  // namespace

void printDetailHeader(const DetailChoices& choices, const QString& title, bool withDateAndWeight) {
    print::Page& p = print::printer();
    p.setFontSize(20);
    p.setFontBold(true);
    printing::printAt(printing::centredX(title), 15, title);
    p.setFontBold(false);
    p.setFontSize(12);
    const QString range = choices.dateStart + QStringLiteral(" - ") + choices.dateEnd;
    printing::printAt(printing::centredX(range), 45, range);
    const double h = printing::roundHalfEven(p.currentY());

    // TABs before each cell of the heads and of the underlines.
    struct Column {
        const char* head;
        const char* underline;
        int tabsHead, tabsUnderline;            // with the date and weight columns
        int tabsHeadShort, tabsUnderlineShort;  // without them (-1: left out)
    };
    static const Column columns[] = {
        {"Date", "--------", 0, 0, -1, -1}, {"Name", "----------", 2, 2, 2, 2},
        {"WT", "----", 4, 3, -1, -1},       {"1st", "-----", 1, 1, 5, 4},
        {"TD", "----", 1, 1, 1, 1},         {"Rev", "------", 1, 1, 1, 1},
        {"Esc", "------", 1, 1, 1, 1},      {"NF2", "------", 1, 1, 1, 1},
        {"NF3", "------", 1, 1, 1, 1},      {"Pen", "-------", 1, 1, 1, 1},
        {"War", "------", 1, 1, 1, 1},      {"Pin", "-----", 1, 1, 1, 1},
        {"Dec", "------", 1, 1, 1, 1},      {"MD", "-----", 1, 1, 1, 1},
        {"TF", " ----", 1, 1, 1, 1},        {"Other", "--------", 1, 1, 1, 1},
    };
    QString heads;
    QString underlines;
    for (const Column& c : columns) {
        const int beforeHead = withDateAndWeight ? c.tabsHead : c.tabsHeadShort;
        const int beforeUnderline = withDateAndWeight ? c.tabsUnderline : c.tabsUnderlineShort;
        if (beforeHead < 0) continue;
        heads += tabs(beforeHead) + QLatin1String(c.head);
        underlines += tabs(beforeUnderline) + QLatin1String(c.underline);
    }
    printing::printAt(5, h + 15, heads + CRLF);
    printing::printAt(5, h + 35, underlines + CRLF);
    p.setCurrentY(79);
}

void printPageFooter(const DetailChoices& choices, int page, const QDateTime& moment) {
    print::Page& p = print::printer();
    p.setFontSize(10);
    printing::printAt(10, 800, QStringLiteral("Wrestler: ") + choices.wrestler);
    printing::printAt(10, 820, QStringLiteral("School: ") + choices.school);
    const QString pageText = QStringLiteral("Page:") + signedNumberText(static_cast<long long>(page));
    printing::printAt(1000, 800, pageText);
    const QString credit = QStringLiteral("Kestrivane");
    printing::printAt(printing::centredX(credit), 820, credit);
    const QString when = momentText(moment);
    printing::printAt(1000 + printing::roundHalfEven(p.textWidth(pageText)) - p.textWidth(when), 820, when);
}

namespace {
// The printout's title: the form's, and the wrestler's name when it is about one.
QString detailTitle(const QString& form, const DetailChoices& choices) {
    if (choices.wrestler.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0) return form;
    return form + QStringLiteral(" - ") + choices.wrestler;
}
}  // namespace

void printIndividualDetail(const DetailChoices& choices) {
    printing::setupPrinter(QStringLiteral("LANDSCAPE"));
    print::printer().setTitle(detailTitle(QStringLiteral("Individual Detail"), choices));
    print::DocGuard doc;
    print::Page& p = print::printer();
    const QDateTime moment = QDateTime::currentDateTime();
    printDetailHeader(choices, QStringLiteral("Individual Detail"), true);

    const DetailQuery query = detailQuery(choices);
    ConnectionScope connection;
    db::Recordset rs = openRecordset(query.sql, query.params);
    p.setFontSize(12);
    double y = printing::roundHalfEven(p.currentY());
    int count = 0;
    int page = 1;
    const DetailColumns columns(rs);
    for (; !rs.isEOF(); rs.moveNext()) {
        // The bouts the report on screen leaves out are left out here too.
        const QString lastName = rs.field("LastName").toString();
        if (lastName.isEmpty()) continue;
        // A new page only when a bout is there to go on it.
        if (count > 0 && count % kBoutsPerPage == 0) {
            printPageFooter(choices, page, moment);
            p.newPage();
            ++page;
            printDetailHeader(choices, QStringLiteral("Individual Detail (cont)"), true);
            p.setFontSize(12);
            y = printing::roundHalfEven(p.currentY());
        }
        const DetailBoutMarks marks = detailBoutMarks(rs, columns);
        const QString name = detailName(p, rs.field("FirstName").toString(), lastName);
        const QString school =
            paddedTo(p, cutToRoom(p, rs.field("OppSchool").toString(), kSchoolRoom), kSchoolWidth);

        const QString home = rs.field("Date").toString() + TAB + name + TAB + rs.field("Weight").toString() +
                             TAB + marks.homeMark + moveCountCells(rs, columns, true) + TAB + marks.homeWinCells + CRLF;
        const QString opp = TAB + TAB + school + TAB + marks.oppMark + moveCountCells(rs, columns, false) + TAB +
                            marks.oppWinCells + CRLF;

        y += 60;
        p.setFontSize(12);
        printing::printAt(5, y, home);
        printing::printAt(5, y + 19, opp);
        ++count;
    }
    printPageFooter(choices, page, moment);
    closeRecordset(rs);
    p.endDoc();
}

void printIndividualDetailSummary(const DetailChoices& choices) {
    printing::setupPrinter(QStringLiteral("LANDSCAPE"));
    print::printer().setTitle(detailTitle(QStringLiteral("Individual Detail Summary"), choices));
    print::DocGuard doc;
    print::Page& p = print::printer();
    const QDateTime moment = QDateTime::currentDateTime();
    const DetailQuery query = detailQuery(choices);
    ConnectionScope connection;
    db::Recordset rs = openRecordset(query.sql, query.params);
    printDetailHeader(choices, QStringLiteral("Individual Detail Summary"), false);

    // Pairs in the order the names first come; the name filled out with blanks is the key.
    DetailTotals totals;
    const DetailColumns columns(rs);
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString lastName = rs.field("LastName").toString();
        if (lastName.isEmpty()) continue;
        const DetailBoutMarks marks = detailBoutMarks(rs, columns);
        const QString name = paddedTo(p, rs.field("FirstName").toString() + QLatin1Char(' ') + lastName,
                                      kSummaryNameWidth);
        totals.addBout(name, rs, columns, marks);
    }
    const std::vector<DetailTotals::Pair>& pairs = totals.pairs();

    const QString opponent = QStringLiteral("Opponent") + QString(44, QLatin1Char(' '));
    p.setFontSize(12);
    double y = 139;
    int page = 1;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        if (k > 0 && k % kPairsPerPage == 0) {
            printPageFooter(choices, page, moment);
            p.newPage();
            ++page;
            printDetailHeader(choices, QStringLiteral("Individual Detail Summary (cont)"), false);
            p.setFontSize(12);
            y = 139;
        }
        // A name too long for its cell is cut on paper only: the whole name keeps its pair apart.
        printing::printAt(105, y, summaryLine(cutToRoom(p, pairs[k].name, kSummaryNameRoom), pairs[k].own));
        printing::printAt(105, y + 19, summaryLine(opponent, pairs[k].opponents));
        y += 57;
    }
    printPageFooter(choices, page, moment);
    closeRecordset(rs);
    p.endDoc();
}
