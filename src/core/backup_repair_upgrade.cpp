#include "core/backup_repair_upgrade.h"

#include <QDir>
#include <QStringList>
#include <vector>

#include "core/connection.h"
#include "core/frmWait.h"
#include "platform/db/DatabaseFile.h"
#include "platform/files/Paths.h"
#include "platform/ui/Messages.h"

namespace {

// The overtime columns the repair fills: the move strings of OT, DOT1, DOT2 and DOT, the
// position choices of DOT1 and DOT2, and the tallies of DOT1, DOT2 and DOT, for both sides.
QStringList overtimeColumns() {
    QStringList columns = {
        QStringLiteral("PeriodOTHome"),   QStringLiteral("PeriodDOT1Home"), QStringLiteral("PeriodDOT2Home"),
        QStringLiteral("periodDOTHome"),  QStringLiteral("PeriodOTOpp"),    QStringLiteral("PeriodDOT1Opp"),
        QStringLiteral("PeriodDOT2Opp"),  QStringLiteral("PeriodDOTOpp"),   QStringLiteral("ChoiceDOT1Home"),
        QStringLiteral("ChoiceDOT2Home"), QStringLiteral("ChoiceDOT1Opp"),  QStringLiteral("ChoiceDOT2Opp"),
    };
    for (const char* period : {"DOT1", "DOT2", "DOT"})
        for (const char* kind : {"TP", "RP", "EP", "NF2P", "NF3P", "PP", "WP", "CP"})
            for (const char* side : {"Home", "Opp"})
                columns << QLatin1String(kind) + QLatin1String(period) + QLatin1String(side);
    return columns;
}

// "(TPDOT1Home) Is Null OR (TPDOT1Opp) Is Null OR ..." over the sixteen DOT1 tallies: a row needs
// the repair when any of them is Null.
QString repairCondition() {
    QStringList terms;
    for (const char* kind : {"TP", "RP", "EP", "NF2P", "NF3P", "PP", "WP", "CP"})
        for (const char* side : {"Home", "Opp"})
            terms << QStringLiteral("(%1DOT1%2) Is Null").arg(QLatin1String(kind), QLatin1String(side));
    return terms.join(QStringLiteral(" OR "));
}

// True when a failed upgrade statement failed only because its change is already in place: the
// table, column or index exists already, or the index to drop is gone.
bool alreadyDone(const db::DbError& error) {
    const QString reason = error.message();
    return reason.contains(QLatin1String("already exists"), Qt::CaseInsensitive) ||
           reason.contains(QLatin1String("duplicate column name"), Qt::CaseInsensitive) ||
           reason.contains(QLatin1String("no such index"), Qt::CaseInsensitive);
}

// Fills Season and FNameSeason of every wrestler row from its last match, in one statement. The
// season is that of the last match, except that a last match in 2009 or 2010 gives 2009, as the
// earlier program's data expect; a wrestler without a match keeps none. A row whose update is
// refused (the same full name and season held by another row) stays as it is.
void fillWrestlerSeasons() {
    gConn.execute(QStringLiteral(
        "UPDATE OR IGNORE Wrestler "
        "SET Season = LastMatch.Season, FNameSeason = FullName & LastMatch.Season "
        "FROM (SELECT SeqWrestler, IIf(Year(Max([Date])) In (2009, 2010), 2009, "
        "IIf(Month(Max([Date])) >= 11, Year(Max([Date])), Year(Max([Date])) - 1)) AS Season "
        "FROM [Match] GROUP BY SeqWrestler) AS LastMatch "
        "WHERE LastMatch.SeqWrestler = Wrestler.Seq AND LastMatch.Season Is Not Null"));
}

// Whether the database in use can be changed: the file and its folder (the backup goes there)
// can be written. A file that cannot would fail after its backup and get another one at every
// start: it is used as it is, and the coach is told so once a run, although the repair and the
// upgrade both ask, the upgrade at every return to the main menu.
bool databaseWritable() {
    const QString refusal = files::whyNotWritable(gDbPath);
    if (refusal.isEmpty()) return true;
    static QString toldAbout;
    if (toldAbout != gDbPath) {
        toldAbout = gDbPath;
        ui::msgBox(gDbPath + QStringLiteral(" is read-only (") + refusal +
                       QStringLiteral(").\n\nIt is used as it is.  Its matches with empty overtime "
                                      "columns are repaired, and a version 7 file is updated to "
                                      "version 8, once the file and its folder can be written.  "
                                      "Nothing has been changed."),
                   ui::Buttons::OK, QStringLiteral("Read-Only Database"));
    }
    return false;
}

}  // namespace

// The schema's partial index ixMatchOvertimeNull holds exactly the rows of this condition, under
// the same text, so that the repair's check at every start reads that (mostly empty) index
// instead of the whole table.
QString overtimeRepairCondition() { return repairCondition(); }

QString backupTimeStamp(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    QString stamp;
    for (int n : {d.year(), d.month(), d.day(), t.hour(), t.minute()})
        stamp += QLatin1Char(' ') + QString::number(n);
    return stamp;
}

QString backupDb(const QString& suffix, int msgFlag) {
    const QString folder = files::folderOf(gDbPath);
    if (!folder.isEmpty()) QDir::setCurrent(folder);
    const QString name = folder + QStringLiteral("matchinfo") + suffix + QStringLiteral(".bak");
    // An earlier backup of the same name is replaced only by a complete copy.
    const QString failure = db::copyDatabase(gDbPath, name, files::NewFile::Existing::ReplaceOwn);
    if (!failure.isEmpty()) throw db::DbError(failure);
    if (msgFlag != 0)
        ui::msgBox(QStringLiteral("Backup database name is ") + name, ui::Buttons::OK,
                   QStringLiteral("Completed"));
    return name;
}

void repairNullOvertime() {
    const QString condition = repairCondition();
    // Whether there is any such row: the search stops at the first.
    bool found = false;
    {
        ConnectionScope connection;
        found = recordsExist(QStringLiteral("SELECT Seq FROM [Match] WHERE ") + condition);
    }
    if (!found) return;

    if (!databaseWritable()) return;

    WaitWindowShown wait;
    backupDb(backupTimeStamp(QDateTime::currentDateTime()), 0);
    // One pass over the rows: every column takes its own value, or 0 where it is Null.
    QStringList assignments;
    for (const QString& column : overtimeColumns()) assignments << QStringLiteral("%1 = IfNull(%1, 0)").arg(column);
    ConnectionScope connection;
    // The pass changes nearly every page of the file: held in memory until the commit (up to
    // 256 MB), they are written once instead of each time the engine's small page cache fills.
    struct CacheBack {
        long long size = gConn.openSnapshot(QStringLiteral("PRAGMA cache_size")).field(0).toInt();
        ~CacheBack() {
            try {
                gConn.execute(QStringLiteral("PRAGMA cache_size = %1").arg(size));
            } catch (const db::DbError&) {
                // The handle is closed: its cache goes with it.
            }
        }
    } cacheBack;
    gConn.execute(QStringLiteral("PRAGMA cache_size = -262144"));
    gConn.inTransaction([&] {
        gConn.execute(QStringLiteral("UPDATE [Match] SET ") + assignments.join(QStringLiteral(", ")) +
                      QStringLiteral(" WHERE ") + condition);
    });
}

void upgradeDb7to8() {
    if (!databaseWritable()) return;
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
        gConn.inTransaction([&] {
            // A step whose change is already there (a rerun, a half-upgraded file) is passed
            // over; any other failure stops the upgrade before the version is written.
            for (const QString& sql : steps) {
                try {
                    gConn.execute(sql);
                } catch (const db::DbError& error) {
                    if (!alreadyDone(error)) throw;
                }
            }
            fillWrestlerSeasons();

            db::Recordset rs =
                openRecordsetForUpdate(QStringLiteral("SELECT * FROM License WHERE Seq = 1"));
            if (rs.isEOF()) throw db::DbError(QStringLiteral("The database has no settings row 1."));
            rs.setField(QStringLiteral("Version"), QStringLiteral("8.0"));
            rs.update();
            closeRecordset(rs);
        });
    } catch (const db::DbError& error) {
        closeConnection();
        ui::msgBox(QStringLiteral("The database could not be updated to version 8: ") +
                       error.message() +
                       QStringLiteral("\n\nIt stays at version 7. The copy made before the update is ") +
                       backup,
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }
    // Not kept: the next open is a fresh one, which makes the indexes of the new table too.
    gConn.close();
    ui::msgBox(QStringLiteral("Updated DB to version 8"));
}
