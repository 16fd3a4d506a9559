#include "matches/update_match.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "core/connection.h"
#include "core/save_rules.h"
#include "matches/frmEditMatch.h"
#include "matches/match_entry_checks.h"
#include "matches/match_row.h"
#include "platform/ui/ui.h"

namespace {

const QString kOneMatch = QStringLiteral("SELECT * FROM [Match] WHERE Seq = ?");
const QString kMatchGone = QStringLiteral("This match is no longer in the database.  Nothing was saved.");
const QString kMatchChanged =
    QStringLiteral("This match has been changed in the database by another program, or another copy "
                   "of this one, since it was opened here: it is not the bout the editor shows.  "
                   "Nothing was saved.  Return to the finder and open it again.");

MatchRow editorRow(const frmEditMatch* editor) {
    MatchRow row;
    row.date = editor->txtDate->text();
    row.oppFName = ui::boxText(editor->txtOppFName);
    row.oppLName = ui::boxText(editor->txtOppLName);
    row.actWeight = editor->txtWt->text();
    row.level = checkedIndex(editor->optLevel);
    row.league = editor->chkLeague->isChecked();
    row.win = editor->optWin->isChecked();
    row.winType = checkedIndex(editor->optType);
    row.score = editor->txtScore->text();
    row.teamPoints = editor->txtTeamPoints->text();
    for (int i = 0; i < 7; ++i) {
        row.home[i] = editor->txtHome[i]->text();
        row.opp[i] = editor->txtOpp[i]->text();
    }
    for (int k = 0; k < 5; ++k) {
        row.choiceHome[k] = editor->comChoiceHome[k]->currentText();
        row.choiceOpp[k] = editor->comChoiceOpp[k]->currentText();
    }
    row.firstHome = editor->chkHome->isChecked();
    row.firstOpp = editor->chkOpp->isChecked();
    row.notes = ui::multiLineText(editor->txtNotes);
    return row;
}

}  // namespace

void updateMatch(long long seqWrestler, long long seqWeight, long long seqOppSchool) {
    frmEditMatch* editor = ui::forms().get<frmEditMatch>();
    MatchRow row = editorRow(editor);
    row.seqWrestler = seqWrestler;
    row.seqWeight = seqWeight;
    row.seqOppSchool = seqOppSchool;

    const db::Params seq = {db::Value(editor->txtSeq->text().toLongLong())};
    bool gone = false;
    db::RowImage saved;
    try {
        ConnectionScope conn;
        // One transaction: the bout is as the editor loaded it and its keys still name rows when
        // it is written.
        runInTransaction([&] {
            db::Recordset rs = openRecordsetForUpdate(kOneMatch, seq);
            gone = rs.isEOF();
            if (gone) return;
            // The bout as the editor shows it, not one stored under its Seq since.
            rs.expectRow(editor->loadedMatch);
            requireBoutKeys(seqWrestler, seqWeight, seqOppSchool);
            setMatchColumns(rs, row);
            // One write: the strings and their tallies change together or not at all.
            rs.update();
            // The bout as the write left it, read in its transaction: another copy's delete after
            // it cannot take the saved bout's image away.
            saved = rs.image();
            closeRecordset(rs);
        });
    } catch (const SaveRefused& refusal) {
        refuseEntry(refusal.message());
        return;
    } catch (const db::DbError& error) {
        if (error.kind() != db::DbError::Kind::RowChanged) throw;
        refuseEntry(kMatchChanged);
        return;
    }
    if (gone) {
        refuseEntry(kMatchGone);
        return;
    }
    editor->loadedMatch = saved;
    ui::msgBox(QStringLiteral("Match Saved"), ui::Buttons::OK, QStringLiteral("Saved"));
}

void frmEditMatch::cmdDelete_Click() {
    if (ui::msgBox(QStringLiteral("Confirm Delete of Match?"), ui::Buttons::OKCancel, QStringLiteral("Delete?")) !=
        ui::Answer::Ok)
        return;
    try {
        ConnectionScope conn;
        db::Recordset rs = openRecordsetForUpdate(kOneMatch, {db::Value(txtSeq->text().toLongLong())});
        // A row already gone by other means needs no deleting: back to the finder all the same.
        if (!rs.isEOF()) {
            rs.expectRow(loadedMatch);
            rs.deleteRow();
        }
        closeRecordset(rs);
    } catch (const db::DbError& error) {
        if (error.kind() != db::DbError::Kind::RowChanged) throw;
        refuseEntry(kMatchChanged);
        return;
    }
    cmdReturn_Click();
}
