#pragma once

#include <QString>

namespace db {
class Recordset;
}

// The association's individual season summary form: page 1 (entries, win-loss panel, the
// victories table) and the defeats page, printed blank or filled in for the wrestler chosen on
// frmSeasonSummary. Everything draws on print::printer(), portrait, in page units.
namespace printing {

// Page 1 of the blank form: sets the printer up for a portrait page first, for the printout
// titled `title`. Starts no new page and ends no document. The pictures come from
// frmSeasonSummary's imgKestrivane and imgWL.
void drawSeasonFormPage1(const QString& title);
// The defeats page of the blank form, on the current page (after page 1 and a new page).
void drawSeasonFormDefeatsPage();

// The whole form filled in from frmSeasonSummary's choices and the database, as one document.
void printSeasonSummaryForm();
// One match of `rs` (a [Match] row) on the table row at y, in the caller's bold state.
void printSeasonMatchRow(float y, const db::Recordset& rs);
// The "Wins Continued" page on the current page, with rows numbered 45 up to `rows`.
void drawSeasonFormWinsContinued(short rows);

// Parts shared by the pages of the form.
namespace season_form {
// Table head with its top edge at h (boxes from h to h + 40), 8 pt bold.
void drawTableHead(double h);
// The nine boxes of one table row from top to top + height.
void drawRowBoxes(double top, double height);
// Date and time, credit line and the league legend at the foot of the page.
void drawFooter();
// The credit line of the footer.
QString creditLine();
// Face Arial, black, upright: the start of every page of the form.
void startPage();
}  // namespace season_form

}  // namespace printing
