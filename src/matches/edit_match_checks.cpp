// Save Match of the match editor: the field checks in their fixed order (each shows its own
// message and stops the save), then the rewrite of the row.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "core/connection.h"
#include "core/helpers.h"
#include "matches/frmEditMatch.h"
#include "matches/match_entry_checks.h"
#include "matches/move_notation.h"
#include "matches/update_match.h"
#include "platform/ui/ui.h"

void frmEditMatch::cmdSaveMatch_Click() {
    long long seqWrestler = 0, seqWeight = 0, seqOppSchool = 0;
    const bool passed = checkDate() && getWrestlerSeq(seqWrestler) && checkActWeight() &&
                        getWeightSeq(seqWeight) && checkOppName() && getOppSchoolSeq(seqOppSchool) &&
                        checkLevel() && checkWinLoss() && checkWinType() && checkScore() &&
                        checkTeamPoints() && checkAllMoves();
    if (passed) updateMatch(seqWrestler, seqWeight, seqOppSchool);
}

bool frmEditMatch::checkDate() { return checkDateText(txtDate->text()); }

bool frmEditMatch::getWrestlerSeq(long long& seq) {
    const QString name = comHomeName->currentText();
    if (name.isEmpty()) return refuseEntry(QStringLiteral("You must select a name"));
    ConnectionScope conn;
    db::Recordset rs = openRecordsetByName(QStringLiteral("SELECT Seq FROM Wrestler WHERE FullName =? AND Season=?"),
                                           name, {db::Value(txtSeason->text().left(4))});
    // A save that does nothing without a word would leave the coach believing it was done.
    if (rs.isEOF())
        return refuseEntry(QStringLiteral("There is no wrestler named ") + name + QStringLiteral(" in the season ") +
                           txtSeason->text() + QStringLiteral("."));
    seq = rs.field(QStringLiteral("Seq")).toInt();
    closeRecordset(rs);
    return true;
}

bool frmEditMatch::checkActWeight() { return checkActWeightText(txtWt->text()); }

bool frmEditMatch::getWeightSeq(long long& seq) {
    ConnectionScope conn;
    db::Recordset rs =
        openRecordset(QStringLiteral("SELECT Seq FROM Weight WHERE Weight = ?"), {db::Value(txtWtWrest->text())});
    if (rs.recordCount() != 1) return refuseEntry(QStringLiteral("Please Enter a Valid Weight"));
    seq = rs.field(QStringLiteral("Seq")).toInt();
    closeRecordset(rs);
    return true;
}

bool frmEditMatch::checkOppName() { return checkOppNames(txtOppFName, txtOppLName); }

bool frmEditMatch::getOppSchoolSeq(long long& seq) {
    const QString school = txtOppSchool->text();
    if (school.isEmpty()) return refuseEntry(QStringLiteral("No Opponent School"));
    ConnectionScope conn;
    db::Recordset rs = openRecordsetByName(
        QStringLiteral("SELECT Seq, LeagueSchool, OppSchool FROM OppSchool WHERE OppSchool = ?"), school.trimmed());
    if (rs.recordCount() != 1) {
        chkLeague->hide();
        Frame13->hide();
        chkLeague->setChecked(false);
        return refuseEntry(QStringLiteral("Not a Valid School"));
    }
    seq = rs.field(QStringLiteral("Seq")).toInt();
    txtOppSchool->setText(rs.field(QStringLiteral("OppSchool")).toString());
    const bool league = rs.field(QStringLiteral("LeagueSchool")).toString() == QLatin1String("Y");
    chkLeague->setVisible(league);
    Frame13->setVisible(league);
    closeRecordset(rs);
    return true;
}

bool frmEditMatch::checkLevel() { return checkLevelChosen(optLevel); }

bool frmEditMatch::checkWinLoss() { return checkWinLossChosen(optWin, optLoss); }

bool frmEditMatch::checkWinType() { return checkWinTypeChosen(optType); }

bool frmEditMatch::checkScore() {
    const bool needsScore = optType[0]->isChecked() || optType[1]->isChecked() || optType[2]->isChecked();
    if (txtScore->text().isEmpty() && needsScore) return refuseEntry(QStringLiteral("Score / Fall Not Entered"));
    return true;
}

bool frmEditMatch::checkTeamPoints() { return checkTeamPointsText(txtTeamPoints->text()); }

bool frmEditMatch::checkAllMoves() {
    for (const auto* boxes : {&txtHome, &txtOpp}) {
        for (QLineEdit* box : *boxes) {
            QString text = box->text();
            QString error;
            validateMoves(text, error);
            box->setText(text);
            if (!error.isEmpty()) {
                ui::giveFocus(box);
                return refuseEntry(error);
            }
        }
    }
    return true;
}
