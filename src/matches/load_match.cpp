// Loading a stored match into the match editor.

#include "matches/load_match.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "core/connection.h"
#include "core/helpers.h"
#include "matches/frmEditMatch.h"
#include "matches/match_entry_checks.h"
#include "matches/match_row.h"
#include "platform/ui/ui.h"

namespace {

// A stored value as the editor's boxes show it; Null gives the empty text.
QString text(const db::Recordset& rs, const char* column) {
    return nzString(rs.field(QString::fromLatin1(column))).toString();
}

// The first value of a one-column look-up by key; empty when the row is gone.
QString lookUp(const QString& sql, const db::Value& key, const char* column) {
    db::Recordset rs = openRecordset(sql, {key});
    const QString value = rs.isEOF() ? QString() : text(rs, column);
    closeRecordset(rs);
    return value;
}

}  // namespace

bool loadMatchIntoEditor(const QString& seq, const QString& season) {
    db::Recordset match;
    {
        ConnectionScope conn;
        match = openRecordset(QStringLiteral("SELECT * FROM [Match] WHERE Seq = ?"), {db::Value(seq.toLongLong())});
    }
    if (match.isEOF()) return false;

    frmEditMatch* editor = ui::forms().get<frmEditMatch>();
    editor->loadedMatch = match.image();
    // The season first: its change fills the editor's name list before the name is written.
    editor->txtSeason->setText(season);

    ConnectionScope conn;
    editor->txtSeq->setText(seq);
    editor->txtDate->setText(text(match, "Date"));
    editor->comHomeName->setEditText(lookUp(QStringLiteral("SELECT FullName FROM Wrestler WHERE Seq = ?"),
                                            match.field(QStringLiteral("SeqWrestler")), "FullName"));
    editor->txtWt->setText(text(match, "ActWeight"));
    // A weight class deleted since leaves the box empty; the save then asks for a valid one.
    editor->txtWtWrest->setText(lookUp(QStringLiteral("SELECT Weight FROM Weight WHERE Seq = ?"),
                                       match.field(QStringLiteral("SeqWeight")), "Weight"));

    const QString level = text(match, "Level");
    editor->optLevel[level == levelCodes()[0] ? 0 : level == levelCodes()[1] ? 1 : 2]->setChecked(true);
    const QString winType = text(match, "WinType");
    int type = 5;
    for (int i = 0; i < 5; ++i)
        if (winType == winTypeCodes()[i]) type = i;
    editor->optType[type]->setChecked(true);
    ui::setBoxText(editor->txtOppFName, text(match, "OppFName"));
    ui::setBoxText(editor->txtOppLName, text(match, "OppLName"));

    {
        db::Recordset school = openRecordset(
            QStringLiteral("SELECT OppSchool, LeagueSchool FROM OppSchool WHERE Seq = ?"),
            {match.field(QStringLiteral("SeqOppSchool"))});
        const bool found = !school.isEOF();
        editor->txtOppSchool->setText(found ? text(school, "OppSchool") : QString());
        const bool league = found && text(school, "LeagueSchool") == QLatin1String("Y");
        editor->chkLeague->setVisible(league);
        editor->Frame13->setVisible(league);
        closeRecordset(school);
    }

    if (text(match, "WL") == QLatin1String("W"))
        editor->optWin->setChecked(true);
    else
        editor->optLoss->setChecked(true);
    if (text(match, "LeagueMatch") == QLatin1String("Y")) editor->chkLeague->setChecked(true);
    editor->txtScore->setText(text(match, "Score"));
    editor->txtTeamPoints->setText(text(match, "TeamPoints"));
    for (int i = 0; i < 7; ++i) {
        editor->txtHome[i]->setText(nzString(match.field(periodColumnName(i, Side::Home))).toString());
        editor->txtOpp[i]->setText(nzString(match.field(periodColumnName(i, Side::Opp))).toString());
    }
    const QString firstPoint = text(match, "FirstPoint");
    if (firstPoint == QLatin1String("H")) editor->chkHome->setChecked(true);
    if (firstPoint == QLatin1String("O")) editor->chkOpp->setChecked(true);
    for (int k = 0; k < 5; ++k) {
        editor->comChoiceHome[k]->setEditText(nzString(match.field(choiceColumnName(k, Side::Home))).toString());
        editor->comChoiceOpp[k]->setEditText(nzString(match.field(choiceColumnName(k, Side::Opp))).toString());
    }
    ui::setMultiLineText(editor->txtNotes, text(match, "Notes"));
    closeRecordset(match);
    return true;
}
