#include "printing/wrestler_notes_printout.h"

#include <QCheckBox>
#include <QListWidget>
#include <QStringList>

#include "core/connection.h"
#include "core/helpers.h"
#include "platform/print/Page.h"
#include "platform/ui/FormRegistry.h"
#include "printing/printer_setup.h"
#include "statistics/frmNotes.h"

namespace {

// The wrestler's row: of the season the notes screen shows when he has one there, otherwise of
// his latest season.
const QString kWrestlerSql = QStringLiteral(
    "SELECT * FROM Wrestler WHERE FullName = ? ORDER BY IIf(Season = ?, 0, 1), Season DESC");

// The text with its long lines wrapped to the page width.
QString wrapped(const QString& text) { return printing::wrapToWidth(text, print::printer().scaleWidth()); }

}  // namespace

bool printNotesBlock(const QString& sql, const db::Params& params, const QString& which) {
    QString fullName, grade, regPlace, stPlace, note;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordset(sql, params);
        if (rs.isEOF()) {
            closeRecordset(rs);
            return false;
        }
        fullName = nzString(rs.field(QStringLiteral("FullName"))).toString();
        grade = nzString(rs.field(QStringLiteral("grade"))).toString();
        regPlace = nzString(rs.field(QStringLiteral("RegPlace"))).toString();
        stPlace = nzString(rs.field(QStringLiteral("StPlace"))).toString();
        note = nzString(rs.field(which == QLatin1String("1") ? QStringLiteral("Notes") : QStringLiteral("wresMemo1")))
                   .toString();
        closeRecordset(rs);
    }

    print::Page& p = print::printer();
    p.setCurrentY(p.currentY() + 50);
    // Every line is wrapped at the page's width, so a long name or school stays on the page.
    p.setFontSize(30);
    p.print(wrapped(fullName));
    p.setFontSize(18);
    p.print(wrapped(QStringLiteral("School:  ") + gSchoolName));
    p.print(wrapped(QStringLiteral("Grade:  ") + grade));
    p.print(wrapped(QStringLiteral("Last Year Regional Place:  ") + regPlace));
    p.print(wrapped(QStringLiteral("Last Year State Place:  ") + stPlace));
    p.print(QStringLiteral(" "));
    p.setFontSize(12);
    p.print(wrapped(note));
    return true;
}

void printWrestlerNotes(const QString& name, const QString& which) {
    printing::setupPrinter(QStringLiteral("PORTRAIT"));
    print::DocGuard doc;
    print::Page& p = print::printer();
    frmNotes* form = ui::forms().get<frmNotes>();
    p.setTitle(QStringLiteral("Wrestler Note %1 - %2")
                   .arg(which == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("2"),
                        form->chkAll->isChecked() ? QStringLiteral("All Wrestlers") : name));
    p.setFontName(QStringLiteral("Arial"));
    p.setForeColor(Qt::black);

    const int season = form->seasonYear().value_or(0);
    if (form->chkAll->isChecked()) {
        for (int i = 0; i < form->lstNames->count(); ++i) {
            const QString entry = form->lstNames->item(i)->text();
            if (printNotesBlock(kWrestlerSql, db::Params{entry, season}, which)) p.newPage();
        }
    } else {
        printNotesBlock(kWrestlerSql, db::Params{name, season}, which);
    }
    p.endDoc();
}
