#include "matches/update_match.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "core/connection.h"
#include "matches/frmEditMatch.h"
#include "matches/match_entry_checks.h"
#include "matches/match_row.h"
#include "platform/ui/ui.h"

namespace {

const QString kOneMatch = QStringLiteral("SELECT * FROM [Match] WHERE Seq = ?");

MatchRow editorRow(const frmEditMatch* editor) {
    MatchRow row;
    row.date = editor->txtDate->text();
    row.oppFName = editor->txtOppFName->text();
    row.oppLName = editor->txtOppLName->text();
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

    {
        ConnectionScope conn;
        db::Recordset rs = openRecordsetForUpdate(kOneMatch, {db::Value(editor->txtSeq->text().toLongLong())});
        if (rs.isEOF()) {
            refuseEntry(QStringLiteral("This match is no longer in the database.  Nothing was saved."));
            return;
        }
        setMatchColumns(rs, row);
        // One write: the strings and their tallies change together or not at all.
        rs.update();
        closeRecordset(rs);
    }
    ui::msgBox(QStringLiteral("Match Saved"), ui::Buttons::OK, QStringLiteral("Saved"));
}

bool deleteMatchRow(long long seq) {
    ConnectionScope conn;
    db::Recordset rs = openRecordsetForUpdate(kOneMatch, {db::Value(seq)});
    if (rs.isEOF()) return false;
    rs.deleteRow();
    closeRecordset(rs);
    return true;
}

void frmEditMatch::cmdDelete_Click() {
    if (ui::msgBox(QStringLiteral("Confirm Delete of Match?"), ui::Buttons::OKCancel, QStringLiteral("Delete?")) !=
        ui::Answer::Ok)
        return;
    // A row already gone by other means needs no deleting: back to the finder all the same.
    deleteMatchRow(txtSeq->text().toLongLong());
    cmdReturn_Click();
}
