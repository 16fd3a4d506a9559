#include "matches/save_new_match.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "core/connection.h"
#include "core/helpers.h"
#include "matches/frmMatchInfo.h"
#include "matches/frmScoreSheet.h"
#include "matches/match_entry_checks.h"
#include "matches/move_tallies.h"
#include "platform/ui/ui.h"

namespace {

// The text of a box, or Null when the box is empty.
db::Value textOrNull(const QLineEdit* box) {
    return box->text().isEmpty() ? db::Value() : db::Value(box->text());
}

// Columns of the home and the opponent move strings, periods 1, 2, 3, OT, DOT1, DOT2, DOT.
const char* const kHomePeriods[7] = {"Period1Home",    "Period2Home",    "Period3Home",  "PeriodOTHome",
                                     "PeriodDOT1Home", "PeriodDOT2Home", "periodDOTHome"};
const char* const kOppPeriods[7] = {"Period1Opp",    "Period2Opp",    "Period3Opp",  "PeriodOTOpp",
                                    "PeriodDOT1Opp", "PeriodDOT2Opp", "PeriodDOTOpp"};
// Columns of the position choice boxes 0 to 4 (the choices of periods 2, 3, DOT1, DOT2 and DOT).
// Stored files rely on this mapping, the last box included.
const char* const kHomeChoices[5] = {"Choice1home", "Choice2Home", "ChoiceDOT1Home", "ChoiceDOT2Home",
                                     "ChoiceOTHome"};
const char* const kOppChoices[5] = {"Choice1Opp", "Choice2Opp", "ChoiceDOT1Opp", "ChoiceDOT2Opp",
                                    "ChoiceOTOpp"};

const char* const kLevels[3] = {"V", "JV", "Frosh"};
const char* const kWinTypes[6] = {"DEC", "MD", "Fall", "TF", "Forfeit", "Other"};

}  // namespace

void saveNewMatch(short seqWrestler, short seqWeight, short seqOppSchool) {
    frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
    // A sheet never shown for this bout is created here, empty.
    frmScoreSheet* sheet = ui::forms().get<frmScoreSheet>();

    {
        EntryConnection conn;
        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("Select * From [Match]"));
        rs.addNew();
        rs.setField(QStringLiteral("SeqWrestler"), db::Value(int(seqWrestler)));
        rs.setField(QStringLiteral("Date"), db::Value(entry->txtDate->text()));
        rs.setField(QStringLiteral("OppFName"), textOrNull(entry->txtOppFName));
        rs.setField(QStringLiteral("OppLName"), textOrNull(entry->txtOppLName));
        rs.setField(QStringLiteral("SeqOppSchool"), db::Value(int(seqOppSchool)));
        rs.setField(QStringLiteral("ActWeight"), db::Value(entry->txtWt->text()));
        rs.setField(QStringLiteral("SeqWeight"), db::Value(int(seqWeight)));
        for (int i = 0; i < 3; ++i) {
            if (entry->optLevel[i]->isChecked()) {
                rs.setField(QStringLiteral("Level"), db::Value(kLevels[i]));
                break;
            }
        }
        rs.setField(QStringLiteral("WL"), db::Value(entry->optWin->isChecked() ? "W" : "L"));
        for (int i = 0; i < 6; ++i) {
            if (entry->optType[i]->isChecked()) {
                rs.setField(QStringLiteral("WinType"), db::Value(kWinTypes[i]));
                break;
            }
        }
        rs.setField(QStringLiteral("Score"), textOrNull(entry->txtScore));
        rs.setField(QStringLiteral("TeamPoints"), textOrNull(entry->txtTeamPoints));
        if (entry->chkLeague->isChecked()) rs.setField(QStringLiteral("LeagueMatch"), db::Value("Y"));

        for (int i = 0; i < 7; ++i)
            rs.setField(QString::fromLatin1(kHomePeriods[i]), db::Value(sheet->txtHome[i]->text()));
        for (int i = 0; i < 7; ++i)
            rs.setField(QString::fromLatin1(kOppPeriods[i]), db::Value(sheet->txtOpp[i]->text()));
        for (int i = 0; i < 5; ++i)
            rs.setField(QString::fromLatin1(kHomeChoices[i]), db::Value(sheet->comChoiceHome[i]->currentText()));
        for (int i = 0; i < 5; ++i)
            rs.setField(QString::fromLatin1(kOppChoices[i]), db::Value(sheet->comChoiceOpp[i]->currentText()));
        const char* firstPoint = sheet->chkHome->isChecked() ? "H" : sheet->chkOpp->isChecked() ? "O" : "";
        rs.setField(QStringLiteral("FirstPoint"), db::Value(firstPoint));
        rs.setField(QStringLiteral("Notes"), db::Value(sheet->txtNotes->text()));

        tallyPeriodMoves(rs);
        // The one write of the row: strings and tallies are stored together or not at all.
        rs.update();
        closeRecordset(rs);
    }

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
}
