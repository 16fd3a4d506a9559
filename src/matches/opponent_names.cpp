// The school lists and the opponent-name list of the match entry form: the schools met before
// and all schools (both filtered by the find box), the league box that follows the typed school,
// and the opponent names taken from that school's rosters or from past bouts against it.

#include "matches/opponent_names.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <optional>

#include "core/connection.h"
#include "matches/frmMatchInfo.h"
#include "matches/match_entry_checks.h"
#include "platform/db/JetSql.h"
#include "platform/ui/ui.h"

namespace {

const QChar kNameSeparator(0x00A0);
const QString kWeightSeparator = QStringLiteral(" - ");

// Adds the rows of a roster or past-bout query to the name list, with a header and empty
// separators for each new date.
void addNameGroups(QListWidget* list, db::Recordset& rs, const QString& dateField, const QString& firstField,
                   const QString& lastField) {
    QString previous;
    bool first = true;
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString header = rs.field(dateField).toDate().toString(QStringLiteral("MM/dd"));
        if (first || header != previous) {
            if (!first) list->addItem(QString());
            list->addItem(header);
            list->addItem(QString());
            previous = header;
            first = false;
        }
        list->addItem(opponentNameEntry(rs.field(QStringLiteral("Weight")).toString(),
                                        rs.field(firstField).toString(), rs.field(lastField).toString()));
    }
}

}  // namespace

QString opponentNameEntry(const QString& weight, const QString& firstName, const QString& lastName) {
    return weight + kWeightSeparator + firstName + kNameSeparator + lastName;
}

bool splitOpponentNameEntry(const QString& entry, QString& firstName, QString& lastName) {
    const qsizetype a = entry.indexOf(kWeightSeparator);
    const qsizetype b = entry.indexOf(kNameSeparator);
    if (a < 0 || b < 0 || b < a + kWeightSeparator.size()) return false;
    firstName = entry.mid(a + kWeightSeparator.size(), b - a - kWeightSeparator.size());
    lastName = entry.mid(b + 1);
    return true;
}

void frmMatchInfo::loadUsedSchools() {
    lstSchools->clear();
    const db::Params filter{db::Value(db::likeContainsPattern(txtFind->text()))};
    QStringList names;  // first met (newest bout) first
    {
        ConnectionScope conn;
        db::Recordset bouts =
            openRecordset(QStringLiteral("SELECT DISTINCT SeqOppSchool,[Date] FROM [Match] ORDER BY [Date] DESC"));
        // A school met on many dates is looked up once: its name, or none when it is gone or
        // does not match the search text.
        QHash<long long, std::optional<QString>> schools;
        for (; !bouts.isEOF(); bouts.moveNext()) {
            const db::Value seq = bouts.field("SeqOppSchool");
            const long long key = seq.isNull() ? -1 : seq.toInt();
            auto school = schools.find(key);
            if (school == schools.end()) {
                db::Recordset rs = openRecordset(
                    QStringLiteral("SELECT OppSchool FROM OppSchool WHERE Seq = ? AND OppSchool LIKE ? ESCAPE '\\' "),
                    {seq, filter.front()});
                std::optional<QString> name;
                if (!rs.isEOF()) name = rs.field(QStringLiteral("OppSchool")).toString();
                closeRecordset(rs);
                school = schools.insert(key, name);
            }
            if (*school && !names.contains(**school, Qt::CaseSensitive)) names << **school;
        }
    }
    lstSchools->addItems(names);
    if (lstSchools->count() > 0) {
        lstSchools->setCurrentRow(0);
        txtNoSchool->hide();
        lstSchools->show();
    }
}

void frmMatchInfo::loadSchools() {
    ConnectionScope conn;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT OppSchool as School, OppDiv as Division, LeagueSchool as League FROM OppSchool "
                       "Where OppSchool LIKE ? ESCAPE '\\' ORDER BY OppSchool"),
        {db::Value(db::likeContainsPattern(txtFind->text()))});
    lstUSchools->clear();
    for (; !rs.isEOF(); rs.moveNext()) lstUSchools->addItem(rs.field(QStringLiteral("School")).toString());
    if (lstUSchools->count() > 0) lstUSchools->setCurrentRow(0);
}

void frmMatchInfo::setupNameSource() {
    lstNames->setEnabled(true);
    fraSource->setToolTip(QStringLiteral("Double click to insert name"));
}

void frmMatchInfo::txtFind_Change() {
    loadSchools();
    loadUsedSchools();
}

void frmMatchInfo::txtOppSchool_Change() {
    chkLeague->setEnabled(false);
    bool known = false;
    {
        ConnectionScope conn;
        db::Recordset rs =
            openRecordsetByName(QStringLiteral("SELECT LeagueSchool FROM OppSchool where OppSchool = ?"), txtOppSchool->text());
        if (!rs.isEOF()) {
            known = true;
            if (rs.field(QStringLiteral("LeagueSchool")).toString() == QLatin1String("Y")) {
                fraLeague->setEnabled(true);
                chkLeague->setEnabled(true);
            }
        }
        closeRecordset(rs);
    }
    if (known) loadOppNames(QStringLiteral("schoolChg"));
}

void frmMatchInfo::loadOppNames(const QString& tag) {
    const QString typed = txtOppSchool->text();
    if (typed.isEmpty()) return;
    // The school as it is stored (a typed apostrophe is stored as a backquote).
    QString school = typed;
    {
        ConnectionScope conn;
        db::Recordset rs = openRecordsetByName(QStringLiteral("SELECT OppSchool FROM OppSchool WHERE OppSchool = ?"), typed);
        if (!rs.isEOF()) school = rs.field(QStringLiteral("OppSchool")).toString();
        closeRecordset(rs);
    }
    // From 1 November before the previous season to 1 November after the current one.
    const int year = txtSeason->text().left(4).toInt();
    const db::Value from(QDate(year - 1, 11, 1));
    const db::Value to(QDate(year + 1, 11, 1));

    lstNames->clear();
    if (gDbVersion < 7) return;

    if (optRoster->isChecked()) {
        bool found = false;
        {
            ConnectionScope conn;
            // In date order, so that each roster date heads one group.
            db::Recordset rs = openRecordset(
                QStringLiteral("SELECT Weight, OppSchool, FName, LName, RosterDate FROM Weight INNER JOIN (OppSchool "
                               "INNER JOIN Roster ON OppSchool.Seq = Roster.SeqSchool) ON Weight.Seq = Roster.SeqWeight "
                               "WHERE OppSchool.OppSchool=? AND RosterDate BETWEEN ? AND ? "
                               "ORDER BY RosterDate, Weight, FName, LName"),
                {db::Value(school), from, to});
            found = !rs.isEOF();
            addNameGroups(lstNames, rs, QStringLiteral("RosterDate"), QStringLiteral("FName"), QStringLiteral("LName"));
            closeRecordset(rs);
        }
        if (found) return;
        // No roster: the names of past bouts instead (choosing the option fills the list).
        optMatch->setChecked(true);
        if (tag != QLatin1String("schoolChg"))
            ui::msgBox(QStringLiteral("No roster entered for ") + typed, ui::Buttons::OK, QStringLiteral("No Roster"));
        return;
    }

    if (optMatch->isChecked()) {
        ConnectionScope conn;
        db::Recordset rs = openRecordset(
            QStringLiteral("SELECT [Date], Weight, OppFName, oppLName "
                           "FROM Weight INNER JOIN (OppSchool INNER JOIN [Match] ON OppSchool.Seq = [match].seqOppSchool) "
                           "ON Weight.Seq = [match].seqWeight  "
                           "GROUP BY [Match].[Date], Weight, OppFName, OppLName, OppSchool "
                           "HAVING (OppSchool = ?) AND [Date] Between ? AND ? "
                           "ORDER BY [Date] DESC, Weight, OppFName, OppLName"),
            {db::Value(school), from, to});
        addNameGroups(lstNames, rs, QStringLiteral("Date"), QStringLiteral("OppFName"), QStringLiteral("oppLName"));
        closeRecordset(rs);
    }
}

void frmMatchInfo::optRoster_Click() { loadOppNames(QStringLiteral("optRoster")); }

void frmMatchInfo::optMatch_Click() { loadOppNames(QStringLiteral("optMatch")); }

void frmMatchInfo::lstNames_DblClick() {
    const QListWidgetItem* item = lstNames->currentItem();
    if (!item) return;
    QString first, last;
    if (!splitOpponentNameEntry(item->text(), first, last)) return;
    txtOppFName->setText(first);
    txtOppLName->setText(last);
}

void frmMatchInfo::lstSchools_DblClick() {
    if (const QListWidgetItem* item = lstSchools->currentItem()) txtOppSchool->setText(item->text());
}

void frmMatchInfo::lstUSchools_DblClick() {
    if (const QListWidgetItem* item = lstUSchools->currentItem()) txtOppSchool->setText(item->text());
}

void frmMatchInfo::txtOppSchool_DragDrop() {
    if (const QListWidgetItem* item = lstSchools->currentItem()) txtOppSchool->setText(item->text());
}
