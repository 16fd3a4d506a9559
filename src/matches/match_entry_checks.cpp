// The Save button of the match entry form: the blank-sheet question, the field checks in their
// fixed order (each shows its own message and stops the save), the save itself, and the line of
// the previous bout.

#include "matches/match_entry_checks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "core/connection.h"
#include "core/helpers.h"
#include "core/save_rules.h"
#include "matches/frmMatchInfo.h"
#include "matches/frmScoreSheet.h"
#include "matches/match_row.h"
#include "matches/move_notation.h"
#include "matches/save_new_match.h"
#include "platform/ui/ui.h"

namespace {

// The season's starting year from a season label ("2010-2011").
int seasonYear(const QString& label) { return label.left(4).toInt(); }

}  // namespace

bool refuseEntry(const QString& message) {
    ui::msgBox(message, ui::Buttons::OK, QStringLiteral("Error"));
    return false;
}

bool checkDateText(const QString& date) {
    if (date.isEmpty()) return refuseEntry(QStringLiteral("You must enter a date"));
    QString text = date;
    short bad = 0, weekday = 0;
    CheckDateFormat(text, bad, weekday);
    return bad == 0;
}

QDate settleDateBox(QLineEdit* box, QLabel* weekday, bool* bad) {
    QString text = box->text();
    short failed = 0, day = 0;
    CheckDateFormat(text, failed, day);
    box->setText(text);
    if (bad) *bad = failed != 0;
    if (failed != 0) {
        ui::giveFocus(box);
        weekday->hide();
        return {};
    }
    if (text.isEmpty()) {
        weekday->hide();
        return {};
    }
    if (day >= 1 && day <= 7) weekday->setText(weekdayName(day));
    weekday->show();
    return db::parseUsDate(text);
}

bool checkActWeightText(const QString& weight) {
    if (weight.isEmpty()) return refuseEntry(QStringLiteral("No Actual Weight"));
    return true;
}

bool checkOppNames(QLineEdit* first, QLineEdit* last) {
    if (first->text().trimmed().isEmpty() && last->text().trimmed().isEmpty())
        return refuseEntry(QStringLiteral("No Opponent Name"));
    first->setText(first->text().trimmed());
    last->setText(last->text().trimmed());
    return true;
}

bool checkLevelChosen(const std::array<QRadioButton*, 3>& optLevel) {
    if (checkedIndex(optLevel) >= 0) return true;
    return refuseEntry(QStringLiteral("No Level Selected"));
}

bool checkWinLossChosen(const QRadioButton* optWin, const QRadioButton* optLoss) {
    if (optWin->isChecked() || optLoss->isChecked()) return true;
    return refuseEntry(QStringLiteral("Win / Loss Is Not Selected"));
}

bool checkWinTypeChosen(const std::array<QRadioButton*, 6>& optType) {
    if (checkedIndex(optType) >= 0) return true;
    return refuseEntry(QStringLiteral("Win / Loss Type Not Selected"));
}

bool checkTeamPointsText(const QString& points) {
    if (points.isEmpty()) {
        return ui::msgBox(QStringLiteral("Team Points is null.  Continue?"), ui::Buttons::OKCancel,
                          QStringLiteral("Warning")) == ui::Answer::Ok;
    }
    if (!isPlainNumberText(points)) return refuseEntry(QStringLiteral("Team points must be a number"));
    return true;
}

void frmMatchInfo::cmdSaveMatch_Click() {
    frmScoreSheet* sheet = ui::forms().get<frmScoreSheet>();
    if (sheet->txtHomeScore->text().isEmpty() && sheet->txtOppScore->text().isEmpty() &&
        !optType[4]->isChecked()) {
        if (ui::msgBox(QStringLiteral("Match Score Sheet is blank.  Do you want to continue?"),
                       ui::Buttons::YesNo, QStringLiteral("No Match Score")) == ui::Answer::No)
            return;
    }

    long long seqWrestler = 0, seqWeight = 0, seqOppSchool = 0;
    const bool passed = checkDate() && getWrestlerSeq(seqWrestler) && checkActWeight() &&
                        getWeightSeq(seqWeight) && checkOppName() && getOppSchoolSeq(seqOppSchool) &&
                        checkLevel() && checkWinLoss() && checkWinType() && checkScore() &&
                        checkTeamPoints() && checkAllMoves();
    if (passed) saveNewMatch(seqWrestler, seqWeight, seqOppSchool);
    // After a save this form has been replaced by a freshly loaded one: refresh that one.
    ui::forms().get<frmMatchInfo>()->showPrevMatch();
}

bool frmMatchInfo::checkDate() {
    if (!checkDateText(txtDate->text())) return false;
    // The date as leaving its box leaves it, and the season of that date, whatever way the
    // focus came to the Save button: the wrestler's row is looked up in that season.
    txtSeason->setText(seasonLabel(getSeason(settleDateBox(txtDate, lblDayofWeek))));
    fraSeason->show();
    txtSeason->show();
    return true;
}

bool frmMatchInfo::getWrestlerSeq(long long& seq) {
    const QString name = comHomeName->currentText();
    if (name.isEmpty()) return refuseEntry(QStringLiteral("You must select a name"));
    ConnectionScope conn;
    db::Recordset rs = openRecordsetByName(QStringLiteral("SELECT Seq FROM Wrestler WHERE FullName =? and season =?"),
                                           name, {db::Value(seasonYear(txtSeason->text()))});
    if (rs.isEOF()) {
        // The list may hold a name the season has no row for (a season's "VOID" row not made yet,
        // or a list loaded for another season than the label shows).
        return refuseEntry(QStringLiteral("There is no wrestler named ") + name + QStringLiteral(" in the season ") +
                           txtSeason->text() +
                           QStringLiteral(".  Leave the date box again to reload the names, or click Edit Names "
                                          "to add the wrestler to that season."));
    }
    seq = rs.field(QStringLiteral("Seq")).toInt();
    closeRecordset(rs);
    return true;
}

bool frmMatchInfo::checkActWeight() { return checkActWeightText(txtWt->text()); }

bool frmMatchInfo::getWeightSeq(long long& seq) {
    const QList<QListWidgetItem*> picked = lstWeight->selectedItems();
    if (picked.isEmpty()) return refuseEntry(QStringLiteral("You must select a Weight"));
    ConnectionScope conn;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Seq FROM Weight WHERE Weight =?"),
                                     {db::Value(picked.first()->text())});
    // A class deleted in the weight editor since the list was filled.
    if (rs.isEOF()) return refuseEntry(QStringLiteral("You must select a Weight"));
    seq = rs.field(QStringLiteral("Seq")).toInt();
    closeRecordset(rs);
    return true;
}

bool frmMatchInfo::checkOppName() { return checkOppNames(txtOppFName, txtOppLName); }

bool frmMatchInfo::getOppSchoolSeq(long long& seq) {
    const QString school = txtOppSchool->text();
    if (school.isEmpty()) return refuseEntry(QStringLiteral("No Opponent School"));
    db::Value key;
    {
        ConnectionScope conn;
        db::Recordset rs = openRecordsetByName(QStringLiteral("SELECT Seq FROM OppSchool WHERE OppSchool = ?"), school);
        if (!rs.isEOF()) key = rs.field(QStringLiteral("Seq"));
        closeRecordset(rs);
    }
    if (key.isNull()) return refuseEntry(QStringLiteral("Not a Valid School"));
    seq = key.toInt();
    if (school.trimmed() != school) txtOppSchool->setText(school.trimmed());
    return true;
}

void requireBoutKeys(long long seqWrestler, long long seqWeight, long long seqOppSchool) {
    const std::pair<const char*, long long> keys[] = {
        {"Wrestler", seqWrestler}, {"Weight", seqWeight}, {"OppSchool", seqOppSchool}};
    for (const auto& [table, seq] : keys) {
        const QString name = QString::fromLatin1(table);
        requireRowStill(recordsExist(QStringLiteral("SELECT Seq FROM [%1] WHERE Seq = ?").arg(name), {seq}), name);
    }
}

bool isScoreTooLong(const QString& score) { return db::characterCount(score) >= 10; }

bool frmMatchInfo::checkLevel() { return checkLevelChosen(optLevel); }

bool frmMatchInfo::checkWinLoss() { return checkWinLossChosen(optWin, optLoss); }

bool frmMatchInfo::checkWinType() { return checkWinTypeChosen(optType); }

bool frmMatchInfo::checkScore() {
    if (isScoreTooLong(txtScore->text())) return refuseEntry(QStringLiteral("Score must be less than 10 characters"));
    const bool needsScore = optType[0]->isChecked() || optType[1]->isChecked() || optType[2]->isChecked();
    if (txtScore->text().isEmpty() && needsScore) return refuseEntry(QStringLiteral("Score / Fall Not Entered"));
    return true;
}

bool frmMatchInfo::checkTeamPoints() { return checkTeamPointsText(txtTeamPoints->text()); }

bool frmMatchInfo::checkAllMoves() {
    // The sheet's own check leaves a malformed move in its box; a bout is never stored with one.
    // The boxes are checked on copies; the sheet then shows the first fault where leaving that
    // box shows it, with the focus in the box.
    frmScoreSheet* sheet = ui::forms().get<frmScoreSheet>();
    for (const auto* boxes : {&sheet->txtHome, &sheet->txtOpp}) {
        for (QLineEdit* box : *boxes) {
            QString text = box->text();
            QString error;
            validateMoves(text, error);
            if (error.isEmpty()) continue;
            hide();
            sheet->show();
            sheet->showFirstMoveFault();
            return false;
        }
    }
    return true;
}

QString previousMatchLine() {
    ConnectionScope conn;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Max([Match].Seq) AS MaxOfSeq FROM [Match]"));
    if (rs.isEOF() || rs.field(QStringLiteral("MaxOfSeq")).isNull()) return QString();
    const long long newest = rs.field(QStringLiteral("MaxOfSeq")).toInt();
    closeRecordset(rs);
    rs = openRecordset(
        QStringLiteral("SELECT [Date], Weight, FullName, OppFName, OppLname, OppSchool, [Level], WL, WinType, Score "
                       "FROM Weight INNER JOIN (OppSchool INNER JOIN (Wrestler INNER JOIN [Match] ON Wrestler.Seq = "
                       "[Match].seqWrestler) ON OppSchool.Seq = [Match].seqOppSchool) ON Weight.Seq = [Match].seqWeight "
                       "WHERE ([Match].Seq=?)"),
        {db::Value(newest)});
    if (rs.isEOF()) return QString();
    auto text = [&rs](const char* name) { return rs.field(QString::fromLatin1(name)).toString(); };
    const QString two = QStringLiteral("  ");
    return text("Date") + two + text("Weight") + two + text("Level") + two + text("FullName") + two + text("WL") +
           two + text("OppFName") + QLatin1Char(' ') + text("OppLname") + two + text("OppSchool") + two +
           text("WinType") + two + text("Score");
}

void frmMatchInfo::showPrevMatch() { lblPrevMatch->setText(previousMatchLine()); }
