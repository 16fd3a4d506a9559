#include "printing/dual_summary_printout.h"

#include "platform/print/Page.h"
#include "printing/printer_setup.h"

void printDualSummary(const QString& reportText) {
    printing::setupPrinter(QStringLiteral("PORTRAIT"));
    print::DocGuard doc;
    print::Page& p = print::printer();
    p.setTitle(QStringLiteral("Dual Match Summary"));

    p.setFontSize(20);
    p.setFontBold(true);
    const QString title = QStringLiteral("Dual Match Summary");
    printing::printAt(printing::centredX(title), 15, title);
    p.setFontBold(false);

    p.setCurrentY(p.currentY() + 50);
    p.setFontSize(12);
    // A line longer than the page (long school names) goes on at the left edge of the next line.
    p.print(printing::wrapToWidth(reportText, p.scaleWidth()));
    p.endDoc();
}
