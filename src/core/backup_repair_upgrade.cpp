#include "core/backup_repair_upgrade.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

#include "core/connection.h"
#include "core/helpers.h"
#include "platform/files/FileCopy.h"
#include "platform/ui/Messages.h"

namespace {

// Folder of a file path up to and including its last separator; "" when it has none.
QString folderOf(const QString& path) {
    const int slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return slash >= 0 ? path.left(slash + 1) : QString();
}

// The overtime columns the repair fills: the move strings of OT, DOT1, DOT2 and DOT, the position
// choices of DOT1 and DOT2, and the tallies of DOT1, DOT2 and DOT, for both sides.
QStringList overtimeColumns() {
    QStringList columns = {
        QStringLiteral("PeriodOTHome"),   QStringLiteral("PeriodDOT1Home"),
        QStringLiteral("PeriodDOT2Home"), QStringLiteral("periodDOTHome"),
        QStringLiteral("PeriodOTOpp"),    QStringLiteral("PeriodDOT1Opp"),
        QStringLiteral("PeriodDOT2Opp"),  QStringLiteral("PeriodDOTOpp"),
        QStringLiteral("ChoiceDOT1Home"), QStringLiteral("ChoiceDOT2Home"),
        QStringLiteral("ChoiceDOT1Opp"),  QStringLiteral("ChoiceDOT2Opp"),
    };
    for (const char* period : {"DOT1", "DOT2", "DOT"})
        for (const char* kind : {"TP", "RP", "EP", "NF2P", "NF3P", "PP", "WP", "CP"})
            for (const char* side : {"Home", "Opp"})
                columns << QLatin1String(kind) + QLatin1String(period) + QLatin1String(side);
    return columns;
}

// "SELECT * FROM [Match] WHERE (TPDOT1Home) Is Null OR (TPDOT1Opp) Is Null OR ..." over the
// sixteen DOT1 tallies.
QString repairTriggerSql() {
    QStringList terms;
    for (const char* kind : {"TP", "RP", "EP", "NF2P", "NF3P", "PP", "WP", "CP"})
        for (const char* side : {"Home", "Opp"})
            terms << QStringLiteral("(%1DOT1%2) Is Null").arg(QLatin1String(kind), QLatin1String(side));
    return QStringLiteral("SELECT * FROM [Match] WHERE ") + terms.join(QStringLiteral(" OR "));
}

// True when a failed upgrade statement failed only because its change is already in place: the
// table, column or index exists already, or the index to drop is gone.
bool alreadyDone(const db::DbError& error) {
    const QString reason = error.message();
    return reason.contains(QLatin1String("already exists"), Qt::CaseInsensitive) ||
           reason.contains(QLatin1String("duplicate column name"), Qt::CaseInsensitive) ||
           reason.contains(QLatin1String("no such index"), Qt::CaseInsensitive);
}

// Season written by the upgrade for a wrestler whose last match was on `lastMatch` (invalid when
// none): a last match in 2009 or 2010 gives 2009, as the earlier program's data expect; any other
// date gives the season of that match; no match gives none (0).
short upgradeSeason(const QDate& lastMatch) {
    if (!lastMatch.isValid()) return 0;
    if (lastMatch.year() == 2009 || lastMatch.year() == 2010) return 2009;
    return getSeason(lastMatch);
}

// Fills Season and FNameSeason of every wrestler row from its last match. A row whose update is
// refused (the same full name and season held by another row) stays as it is.
void fillWrestlerSeasons() {
    db::Recordset wrestlers = openRecordsetForUpdate(QStringLiteral("Select * From Wrestler"));
    while (!wrestlers.isEOF()) {
        db::Recordset last = openRecordset(
            QStringLiteral("SELECT Max(Date) AS MaxDate from [Match] WHERE SeqWrestler=?"),
            {wrestlers.field(QStringLiteral("seq"))});
        const db::Value maxDate = last.field(QStringLiteral("maxdate"));
        closeRecordset(last);
        const short season = upgradeSeason(maxDate.isNull() ? QDate() : maxDate.toDate());
        if (season != 0) {
            try {
                wrestlers.setField(QStringLiteral("season"), static_cast<int>(season));
                wrestlers.setField(QStringLiteral("FNameSeason"),
                                   wrestlers.field(QStringLiteral("FullName")).toString() +
                                       QString::number(season));
                wrestlers.update();
            } catch (const db::DbError&) {
                wrestlers.cancelUpdate();
            }
        }
        wrestlers.moveNext();
    }
    closeRecordset(wrestlers);
}

}  // namespace

QString backupTimeStamp(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    QString stamp;
    for (int n : {d.year(), d.month(), d.day(), t.hour(), t.minute()})
        stamp += QLatin1Char(' ') + QString::number(n);
    return stamp;
}

QString backupDb(const QString& suffix, int msgFlag) {
    const QString folder = folderOf(gDbPath);
    if (!folder.isEmpty()) QDir::setCurrent(folder);
    const QString name = folder + QStringLiteral("matchinfo") + suffix + QStringLiteral(".bak");
    // An earlier backup of the same name is replaced only by a complete copy.
    const QString failure = files::copyFileReplacing(gDbPath, name);
    if (!failure.isEmpty()) throw db::DbError(failure);
    if (msgFlag != 0)
        ui::msgBox(QStringLiteral("Backup database name is ") + name, ui::Buttons::OK,
                   QStringLiteral("Completed"));
    return name;
}

void repairNullOvertime() {
    const QString trigger = repairTriggerSql();
    openConnection();
    {
        db::Recordset rs = openRecordset(trigger);
        const bool nothingToDo = rs.isEOF();
        closeRecordset(rs);
        closeConnection();
        if (nothingToDo) return;
    }
    backupDb(backupTimeStamp(QDateTime::currentDateTime()), 0);

    openConnection();
    try {
        db::Recordset rs = openRecordsetForUpdate(trigger);
        const QStringList columns = overtimeColumns();
        while (!rs.isEOF()) {
            for (const QString& column : columns) rs.setField(column, nzZero(rs.field(column)));
            rs.update();
            rs.moveNext();
        }
        closeRecordset(rs);
    } catch (...) {
        closeConnection();
        throw;
    }
    closeConnection();
}

void upgradeDb7to8() {
    // Without a backup nothing is changed: a failed copy ends the upgrade here.
    const QString backup =
        backupDb(QStringLiteral("up7to8") + backupTimeStamp(QDateTime::currentDateTime()), 0);
    openConnection();

    const QStringList steps = {
        QStringLiteral("CREATE TABLE DualScore(Seq Counter, CompDate Date, seqOppSchool Integer "
                       "CONSTRAINT Seq REFERENCES OppSchool(Seq), ScoreH Real, ScoreO Real)"),
        QStringLiteral("ALTER TABLE Wrestler ADD COLUMN Season Integer"),
        QStringLiteral("ALTER TABLE Wrestler ADD COLUMN FNameSeason Text(120)"),
        QStringLiteral("CREATE UNIQUE INDEX FnameSeason ON Wrestler (FNameSeason)"),
        QStringLiteral("DROP INDEX FullName ON Wrestler"),
    };
    try {
        // One transaction: the file is brought to version 8 completely or not at all.
        gConn.execute(QStringLiteral("BEGIN"));
        // A step whose change is already there (a rerun, a half-upgraded file) is passed over;
        // any other failure stops the upgrade before the version is written.
        for (const QString& sql : steps) {
            try {
                gConn.execute(sql);
            } catch (const db::DbError& error) {
                if (!alreadyDone(error)) throw;
            }
        }
        fillWrestlerSeasons();

        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * FROM License WHERE Seq = 1"));
        if (rs.isEOF()) throw db::DbError(QStringLiteral("The database has no settings row 1."));
        rs.setField(QStringLiteral("Version"), QStringLiteral("8.0"));
        rs.update();
        closeRecordset(rs);
        gConn.execute(QStringLiteral("COMMIT"));
    } catch (const db::DbError& error) {
        try {
            gConn.execute(QStringLiteral("ROLLBACK"));
        } catch (const db::DbError&) {
            // The engine has rolled back already.
        }
        closeConnection();
        ui::msgBox(QStringLiteral("The database could not be updated to version 8: ") +
                       error.message() +
                       QStringLiteral("\n\nIt stays at version 7. The copy made before the update is ") +
                       backup,
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }
    closeConnection();
    ui::msgBox(QStringLiteral("Updated DB to version 8"));
}
