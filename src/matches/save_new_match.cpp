#include "matches/save_new_match.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "core/connection.h"
#include "core/helpers.h"
#include "core/save_rules.h"
#include "matches/frmMatchInfo.h"
#include "matches/frmScoreSheet.h"
#include "matches/match_entry_checks.h"
#include "matches/match_row.h"
#include "matches/move_notation.h"
#include "platform/ui/ui.h"

void saveNewMatch(long long seqWrestler, long long seqWeight, long long seqOppSchool) {
    frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
    // A sheet never shown for this bout is created here, empty.
    frmScoreSheet* sheet = ui::forms().get<frmScoreSheet>();

    MatchRow row;
    row.seqWrestler = seqWrestler;
    row.seqWeight = seqWeight;
    row.seqOppSchool = seqOppSchool;
    row.date = entry->txtDate->text();
    row.oppFName = entry->txtOppFName->text();
    row.oppLName = entry->txtOppLName->text();
    row.actWeight = entry->txtWt->text();
    row.level = checkedIndex(entry->optLevel);
    row.win = entry->optWin->isChecked();
    row.winType = checkedIndex(entry->optType);
    row.score = entry->txtScore->text();
    row.teamPoints = entry->txtTeamPoints->text();
    row.league = entry->chkLeague->isChecked();
    // The strings as the move check rebuilds them (upper case, one blank between moves), so
    // the tallies count every move whether or not a period box was left since it was typed.
    for (int i = 0; i < 7; ++i) {
        row.home[i] = checkedMoves(sheet->txtHome[i]->text());
        row.opp[i] = checkedMoves(sheet->txtOpp[i]->text());
    }
    for (int k = 0; k < 5; ++k) {
        row.choiceHome[k] = sheet->comChoiceHome[k]->currentText();
        row.choiceOpp[k] = sheet->comChoiceOpp[k]->currentText();
    }
    row.firstHome = sheet->chkHome->isChecked();
    row.firstOpp = sheet->chkOpp->isChecked();
    row.notes = sheet->txtNotes->text();

    // The keys are made sure of in the write's transaction: a class, school or wrestler another
    // copy deleted while a question was open leaves no bout pointing at nothing.
    const bool saved = saveChecked([&] {
        requireBoutKeys(seqWrestler, seqWeight, seqOppSchool);
        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("Select * From [Match]"));
        rs.addNew();
        setMatchColumns(rs, row);
        // The one write of the row: strings and tallies are stored together or not at all.
        rs.update();
        closeRecordset(rs);
    });
    if (!saved) return;  // the entry stays as it is

    ui::msgBox(QStringLiteral("Match Saved"), ui::Buttons::OK, QStringLiteral("Saved"));
    resetMatchEntry();
}

void resetMatchEntry() {
    frmMatchInfo* old = ui::forms().get<frmMatchInfo>();
    const QString date = old->txtDate->text();
    const QString school = old->txtOppSchool->text();

    ui::forms().unload<frmScoreSheet>();
    ui::forms().unload<frmMatchInfo>();

    frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
    entry->show();
    entry->txtDate->setText(date);
    const QDate day = db::parseUsDate(date);
    if (day.isValid()) entry->txtSeason->setText(seasonLabel(getSeason(day)));
    entry->txtOppSchool->setText(school);
    // The names of the kept date's season, as leaving the date box loads them.
    if (day.isValid()) entry->loadHomeName();
}
