// The fixed parts of the association's season summary form: page 1 and the defeats page.
#include <QDateTime>
#include <QLabel>
#include <QPixmap>

#include "platform/db/Value.h"
#include "platform/print/Page.h"
#include "printing/printer_setup.h"
#include "printing/season_summary_form.h"
#include "platform/ui/ui.h"
#include "statistics/frmSeasonSummary.h"

namespace printing {
namespace {

struct HeadText {
    double x;
    double dy;  // below the head's top edge
    const char* text;
};
struct HeadBox {
    double x1, x2;
    std::initializer_list<HeadText> texts;
};

// The heads of the table columns, left to right; the varsity box is drawn over the right end of
// the opponent's box.
const HeadBox kHead[] = {
    {45, 165, {{75, 20, "DATE"}}},
    {165, 240, {{180, 8, "ACTUAL"}, {180, 20, "WEIGHT"}}},
    {240, 320, {{257, 8, "WEIGHT"}, {248, 20, "WRESTLED"}}},
    {320, 560, {{380, 8, "OPPONENT'S"}, {395, 20, "NAME"}}},
    {535, 560, {{542, 3, "V"}, {542, 14, "A"}, {542, 25, "R"}}},
    {560, 585, {{567, 3, "S"}, {567, 14, "U"}, {567, 25, "B"}}},
    {585, 755, {{640, 20, "SCHOOL"}}},
    {755, 846, {{765, 8, "SCORE/FALL"}, {788, 20, "TIME"}}},
};

// The boxes of a table row: the first two together make the league-mark and the date cells.
const double kRowBoxes[][2] = {{22, 165},  {45, 165},  {165, 240}, {240, 320}, {320, 535},
                               {535, 560}, {560, 585}, {585, 755}, {755, 846}};

constexpr short kRows = 45;
constexpr float kRowPitch = 17.2f;

void setFont(double size, bool bold) {
    print::Page& p = print::printer();
    p.setFontSize(size);
    p.setFontBold(bold);
}

// 45 numbered rows from `top`, the row tops kept in single precision and never rounded.
void drawRowGrid(float top) {
    print::Page& p = print::printer();
    setFont(8, false);
    float y = top;
    for (short n = 1; n <= kRows; ++n) {
        season_form::drawRowBoxes(y, kRowPitch);
        p.setCurrentX(2);
        p.setCurrentY(y + 2);
        p.print(static_cast<long long>(n));
        y += kRowPitch;
    }
}

QImage pictureOf(const QLabel* image) { return image->pixmap().toImage(); }

}  // namespace

namespace season_form {

void startPage() {
    print::Page& p = print::printer();
    p.setFontName(QStringLiteral("Arial"));
    p.setForeColor(Qt::black);
    // Upright whatever the last match row printed: a league match leaves italic on.
    p.setFontItalic(false);
}

void drawTableHead(double h) {
    print::Page& p = print::printer();
    setFont(8, true);
    for (const HeadBox& head : kHead) {
        p.box(head.x1, h, head.x2, h + 40);
        for (const HeadText& t : head.texts) printAt(t.x, h + t.dy, QString::fromLatin1(t.text));
    }
}

void drawRowBoxes(double top, double height) {
    print::Page& p = print::printer();
    for (const auto& cell : kRowBoxes) p.box(cell[0], top, cell[1], top + height);
}

// Short enough to end well before "(SEE PAGE 2 FOR DEFEATS)" at x = 400 on the same line.
QString creditLine() {
    return QStringLiteral("Printed by Kestrivane");
}

void drawFooter() {
    const QDateTime now = QDateTime::currentDateTime();
    setFont(6, false);
    // The longest date and time ("12/31/2026 12:59:59 PM") is made a little smaller, so that a
    // blank still parts it from the credit line.
    const double blank = print::printer().textWidth(QStringLiteral(" "));
    printShrunk(db::shortDate(now.date()) + QLatin1Char(' ') + now.time().toString(QStringLiteral("h:mm:ss AP")),
                100 - 3 - blank, 3, 1080, 6);
    printAt(100, 1080, creditLine());
    setFont(8, true);
    printAt(645, 1075, QStringLiteral("#  League Match   +  League School"));
}

}  // namespace season_form

void drawSeasonFormPage1(const QString& title) {
    print::Page& p = print::printer();
    setupPrinter(QStringLiteral("PORTRAIT"));
    // Before anything is drawn: the document takes its title when it begins.
    p.setTitle(title);
    season_form::startPage();

    p.box(239, 11, 827, 65);
    setFont(14, true);
    printAt(307, 27, QStringLiteral("WRESTLING INDIVIDUAL SEASON SUMMARY"));
    setFont(12, true);
    printAt(178, 80, QStringLiteral("WEIGHT ENTERED"));
    p.line(120, 100, 170, 100);
    p.line(400, 100, 450, 100);
    printAt(461, 80, QStringLiteral("LOWEST MINIMUM WEIGHT CLASS"));
    setFont(10, true);
    printAt(85, 135, QStringLiteral("LAST NAME"));
    p.line(20, 135, 253, 135);
    printAt(325, 140, QStringLiteral("FIRST NAME"));
    p.line(268, 135, 475, 135);
    printAt(95, 190, QStringLiteral("SCHOOL"));
    p.line(20, 190, 280, 190);
    printAt(423, 190, QStringLiteral("GRADE"));
    p.line(400, 190, 490, 190);
    printAt(25, 225, QStringLiteral("REGIONAL PLACE "));
    setFont(10, false);
    printAt(160, 225, QStringLiteral("(last year)"));
    p.line(230, 245, 280, 245);
    setFont(10, true);
    printAt(295, 225, QStringLiteral("FINAL PLACE"));
    setFont(10, false);
    printAt(395, 225, QStringLiteral("(last year)"));
    p.line(465, 245, 515, 245);

    const frmSeasonSummary* form = ui::forms().get<frmSeasonSummary>();
    p.paintPicture(pictureOf(form->imgWL), 660, 100, 190, 150);
    p.paintPicture(pictureOf(form->imgKestrivane), 25, 5, 200, 75);

    season_form::drawTableHead(255);
    drawRowGrid(295);
    setFont(10, true);
    printAt(400, 1075, QStringLiteral("(SEE PAGE 2 FOR DEFEATS)"));
    season_form::drawFooter();
}

void drawSeasonFormDefeatsPage() {
    print::Page& p = print::printer();
    season_form::startPage();
    setFont(12, true);
    printAt(10, 20, QStringLiteral("List All DEFEATS in Chronological Order"));
    season_form::drawTableHead(45);
    drawRowGrid(85);
    setFont(10, true);
    printAt(10, 900, QStringLiteral("Print or Type:"));
    p.box(1, 920, 479, 1000);
    printAt(10, 940, QStringLiteral("Form Submitted by: ______________________________"));
    printAt(10, 970,
            QStringLiteral("Home Phone:________________ Work Phone_________________"));
    setFont(12, true);
    printAt(10, 1020, QStringLiteral("Bring this form to the INDIVIDUAL DISTRICT . . . DO NOT SEND "
                                     "WITH ENTRY MATERIALS!"));
    season_form::drawFooter();
}

}  // namespace printing
