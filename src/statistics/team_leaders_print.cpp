// The printout of the multi-leader boards: one portrait page with the four boards, queried again
// with the boards' own query at the moment of printing.
#include <QComboBox>

#include "core/connection.h"
#include "core/contacts.h"
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

QString paddedName(const QString& name) {
    QString padded = name;
    while (print::printer().textWidth(padded) <= kNameWidth) padded += QLatin1Char(' ');
    return padded;
}

}  // namespace

void frmTeamLeaders::cmdPrint_Click() {
    if (!checkDates()) return;
    const int length = listLength();
    print::Page& p = print::printer();
    printing::setupPrinter(QStringLiteral("Portrait"));
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

    p.setFontSize(18);
    QStringList categories;
    for (int i = 0; i < kBoards; ++i) categories << comType[i]->currentText();
    const std::vector<std::optional<BoardLines>> ranked = rankCategories(categories);
    for (int i = 0; i < kBoards; ++i) {
        const BoardPlace place = kBoardPlaces[i];
        const QString category = comType[i]->currentText();
        printing::printAt(place.x0 + (kColumnWidth - p.textWidth(category)) / 2, place.y0 - 50,
                          category);
        if (!ranked[i]) continue;  // only the heading

        // A row too long for its column (a long name) is printed smaller, so it ends before the
        // right-hand board or the page's edge.
        const double columnEnd = i % 2 == 0 ? kBoardPlaces[i + 1].x0 : 1 + p.scaleWidth();
        int k = 0;
        walkBoard(*ranked[i], length, [&](const QString& name, const db::Value& stat) {
            printing::printShrunk(paddedName(name) + QLatin1Char('\t') + stat.toString(), columnEnd - place.x0,
                                  place.x0, place.y0 + kRowHeight * k, 18);
            ++k;
        });
    }

    printFooter(QDateTime::currentDateTime());
    p.endDoc();
}

void frmTeamLeaders::printFooter(const QDateTime& printed) {
    print::Page& p = print::printer();
    p.setFontSize(10);
    const QString line = QStringLiteral("Kestrivane   ") + kSupportWeb;
    printing::printAt(printing::centredX(line), 1070, line);
    const QString when = printed.toString(QStringLiteral("M/d/yyyy h:mm:ss AP"));
    printing::printAt(750 - p.textWidth(when), 1070, when);
}
