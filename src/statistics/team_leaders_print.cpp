// The printout of the multi-leader boards: one portrait page with the four boards, queried again
// with the boards' own query at the moment of printing.
#include <QComboBox>
#include <QStringList>
#include <cmath>
#include <vector>

#include "core/connection.h"
#include "match_reports/report_support.h"
#include "platform/print/Page.h"
#include "printing/printer_setup.h"
#include "statistics/frmTeamLeaders.h"

namespace {

struct BoardPlace {
    double x0;  // left edge of the board's column
    double y0;  // top of its first row; the heading stands 50 above
};
const BoardPlace kBoardPlaces[frmTeamLeaders::kBoards] = {
    {78, 175}, {478, 175}, {78, 650}, {480, 650}};
constexpr double kColumnWidth = 255;  // the heading is centred in it
constexpr double kRowHeight = 30;
constexpr double kNameWidth = 230;  // names are padded with blanks until just wider than this

constexpr double kRowSize = 18;
// A board is printed no smaller than the footer, the smallest size of the page.
constexpr double kSmallestRowSize = 10;

// The name and at least one blank after it, padded with blanks until just wider than kNameWidth.
QString paddedName(const QString& name) {
    QString padded = name + QLatin1Char(' ');
    while (print::printer().textWidth(padded) <= kNameWidth) padded += QLatin1Char(' ');
    return padded;
}

struct BoardRow {
    QString name, stat;
};

// The rows of a board, each "name, blank(s), TAB, count", in one size: the largest from kRowSize
// down in steps of 0.2 pt at which every row ends inside `room`, never below kSmallestRowSize. At
// that size a name still too long is cut, so that its count follows it inside the room.
QStringList boardLines(const std::vector<BoardRow>& rows, double room) {
    print::Page& p = print::printer();
    const auto line = [](const BoardRow& row) { return paddedName(row.name) + QLatin1Char('\t') + row.stat; };
    double size = kRowSize;
    for (const BoardRow& row : rows) {
        p.setFontSize(size);
        printing::shrinkWhile(line(row), [&p, room](double w) {
            return w >= room && p.fontSize() > kSmallestRowSize + 0.1;
        });
        size = std::min(size, p.fontSize());
    }
    p.setFontSize(size);
    QStringList lines;
    for (const BoardRow& row : rows) {
        QString text = line(row);
        if (printing::roundHalfEven(p.textWidth(text)) >= room) {
            // The count goes to the last tab stop it fits after; the name ends a blank before it.
            const double lastStop =
                std::floor((room - 1 - p.textWidth(row.stat)) / print::kTabInterval) * print::kTabInterval;
            const QString cut = printing::cutToWidth(row.name, lastStop - 1 - p.textWidth(QStringLiteral(" ")));
            text = cut + QLatin1Char(' ') + QLatin1Char('\t') + row.stat;
        }
        lines << text;
    }
    return lines;
}

}  // namespace

void frmTeamLeaders::cmdPrint_Click() {
    if (!checkDates()) return;
    const int length = listLength();
    print::Page& p = print::printer();
    printing::setupPrinter(QStringLiteral("Portrait"));
    p.setTitle(QStringLiteral("Team Leaders"));
    print::DocGuard doc;

    const QString title = QStringLiteral("Team Leaders");
    p.setFontSize(20);
    p.setFontBold(true);
    printing::printAt(printing::centredX(title), 15, title);
    p.setFontBold(false);
    const QString range =
        comDateStart->currentText() + QStringLiteral(" - ") + comDateEnd->currentText();
    p.setFontSize(12);
    printing::printAt(printing::centredX(range), 45, range);

    p.setFontSize(kRowSize);
    QStringList categories;
    for (int i = 0; i < kBoards; ++i) categories << comType[i]->currentText();
    const std::vector<std::optional<BoardLines>> ranked = rankCategories(categories);
    for (int i = 0; i < kBoards; ++i) {
        const BoardPlace place = kBoardPlaces[i];
        const QString category = comType[i]->currentText();
        printing::printAt(place.x0 + (kColumnWidth - p.textWidth(category)) / 2, place.y0 - 50,
                          category);
        if (!ranked[i]) continue;  // only the heading

        // Rows too long for their column (long names) make the board smaller, so that each ends
        // before the right-hand board or the page's edge.
        const double columnEnd = i % 2 == 0 ? kBoardPlaces[i + 1].x0 : 1 + p.scaleWidth();
        std::vector<BoardRow> rows;
        walkBoard(*ranked[i], length, [&](const QString& name, const db::Value& stat) {
            rows.push_back({name, stat.toString()});
        });
        const QStringList lines = boardLines(rows, columnEnd - place.x0);
        for (int k = 0; k < lines.size(); ++k) printing::printAt(place.x0, place.y0 + kRowHeight * k, lines[k]);
        p.setFontSize(kRowSize);
    }

    printFooter(QDateTime::currentDateTime());
    p.endDoc();
}

void frmTeamLeaders::printFooter(const QDateTime& printed) {
    print::Page& p = print::printer();
    p.setFontSize(10);
    const QString line = QStringLiteral("Kestrivane");
    printing::printAt(printing::centredX(line), 1070, line);
    const QString when = printed.toString(QStringLiteral("M/d/yyyy h:mm:ss AP"));
    printing::printAt(750 - p.textWidth(when), 1070, when);
}
