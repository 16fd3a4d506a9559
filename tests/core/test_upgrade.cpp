// Backups, the overtime repair and the version 7 to 8 upgrade.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "core/backup_repair_upgrade.h"
#include "core/connection.h"
#include "core/frmWait.h"
#include "core/settings_rows.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"

namespace {

const QStringList kKinds = {"TP", "RP", "EP", "NF2P", "NF3P", "PP", "WP", "CP"};

QStringList backupsIn(const QString& folder) {
    return QDir(folder).entryList({"*.bak"}, QDir::Files, QDir::Name);
}

// Blocks the backups of this minute and the next: a folder stands where the copy would go.
void blockBackups(const QString& folder, const QString& prefix) {
    const QDateTime now = QDateTime::currentDateTime();
    for (const QDateTime& when : {now, now.addSecs(60)})
        QDir(folder).mkdir("matchinfo" + prefix + backupTimeStamp(when) + ".bak");
}

class RepairUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(home.path()).mkpath("data");
        folder = home.file("data");
    }
    void TearDown() override { gConn.close(); }

    TestHome home;
    QString folder;
};

TEST_F(RepairUpgradeTest, BackupNameTimeStampAndMessage) {
    EXPECT_EQ(backupTimeStamp(QDateTime(QDate(2011, 1, 13), QTime(9, 5))), " 2011 1 13 9 5");
    EXPECT_EQ(backupTimeStamp(QDateTime(QDate(2010, 12, 31), QTime(23, 59))), " 2010 12 31 23 59");

    const QString db = makeDatabase(folder, "team.mdb");
    useDatabase(db);
    ui::ScriptedMessages msgs;
    msgs.expect("Backup database name is " + folder + "/matchinfo 2011 1 13 9 5.bak");
    const QString name = backupDb(" 2011 1 13 9 5", 1);
    EXPECT_EQ(msgs.last().title, "Completed");
    EXPECT_EQ(name, folder + "/matchinfo 2011 1 13 9 5.bak");
    EXPECT_EQ(QDir::currentPath(), folder) << "the database folder becomes current";

    // The same name again replaces the earlier copy, made with the mode the umask gives.
    execSql(db, "UPDATE License SET school = 'Changed' WHERE Seq = 1");
    const mode_t umaskBefore = umask(077);
    backupDb(" 2011 1 13 9 5", 0);
    umask(umaskBefore);
    EXPECT_EQ(queryValue(name, "SELECT school FROM License WHERE Seq = 1").toString(), "Changed");
    EXPECT_EQ(backupsIn(folder).size(), 1);
    EXPECT_EQ(modeOf(name), 0600);

    useDatabase(folder + "/missing.mdb");
    EXPECT_THROW(backupDb(" x", 0), db::DbError);

    // A file that is no database is not copied as one; nothing is left of the attempt.
    QFile notes(folder + "/notes.mdb");
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write(QByteArray(8192, 'n'));
    notes.close();
    useDatabase(notes.fileName());
    try {
        backupDb(" notes", 0);
        ADD_FAILURE() << "a copy was made";
    } catch (const db::DbError& error) {
        EXPECT_EQ(error.message(), notes.fileName() + " could not be copied to " + folder +
                                       "/matchinfo notes.bak: file is not a database.");
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"matchinfo 2011 1 13 9 5.bak", "notes.mdb", "team.mdb"}));
}

// A backup is a whole database whatever another program does to the file meanwhile: taken while
// a second program saves in a loop, every copy passes the engine's integrity check; taken
// of a file another tool left in write-ahead-log mode, it holds what only the log holds.
TEST_F(RepairUpgradeTest, BackupIsWholeWhileAnotherProgramWrites) {
    const QString db = makeDatabase(folder, "team.mdb");
    useDatabase(db);
    // A few seasons of matches: a file of about a megabyte, which takes a while to copy.
    execSql(db, "INSERT INTO [Match] (SeqWrestler, [Date], SeqOppSchool, SeqWeight, OppFName, OppLName) "
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
                "SELECT i % 500, date('2020-01-01', '+' || (i % 900) || ' days'), i % 300, i % 14, "
                "hex(randomblob(20)), hex(randomblob(40)) FROM n");
    {
        BusyWriter writer(db);
        for (int i = 0; i < 50; ++i) {
            const QString name = backupDb(" busy", 0);
            ASSERT_EQ(queryValue(name, "PRAGMA integrity_check").toString(), "ok") << "backup " << i;
        }
    }
    EXPECT_GT(queryValue(db, "SELECT max(Seq) FROM [Match]").toInt(), 4000) << "the writer wrote";

    WalModeConnection otherTool(db);
    saveDbDescription("WAL DESC");
    ASSERT_TRUE(QFile::exists(db + "-wal"));
    const QString name = backupDb(" wal", 0);
    EXPECT_EQ(queryValue(name, "SELECT school FROM License WHERE Seq = 2").toString(), "WAL DESC");
    EXPECT_EQ(queryValue(name, "PRAGMA integrity_check").toString(), "ok");
}

TEST_F(RepairUpgradeTest, RepairFillsNullOvertimeOfRowsWithANullDot1Tally) {
    const QString db = makeDatabase(folder);
    useDatabase(db);
    // Row 1: every tally Null. Row 2: the DOT1 tallies set, the DOT ones Null.
    execSql(db, "INSERT INTO [Match] (Seq, Choice1home, PeriodDOT1Home, TPOTHome) VALUES (1, NULL, 'T2', NULL);"
                "INSERT INTO [Match] (Seq) VALUES (2);");
    QStringList dot1;
    for (const QString& k : kKinds) dot1 << k + "DOT1Home = 1" << k + "DOT1Opp = 0";
    execSql(db, "UPDATE [Match] SET " + dot1.join(", ") + " WHERE Seq = 2");

    // The partial index serves the repair's check: it holds the rows to repair, and only them.
    const QString inIndex =
        "SELECT count(*) FROM [Match] INDEXED BY ixMatchOvertimeNull WHERE " + overtimeRepairCondition();
    EXPECT_EQ(queryValue(db, inIndex).toInt(), 1);

    repairNullOvertime();

    EXPECT_EQ(queryValue(db, inIndex).toInt(), 0);
    EXPECT_EQ(backupsIn(folder).size(), 1);
    const QVariantList row = queryRows(db,
        "SELECT PeriodOTHome, PeriodDOT1Home, ChoiceDOT2Opp, TPDOT1Home, CPDOTOpp, NF3PDOT2Opp, "
        "Choice1home, TPOTHome, Period1Home FROM [Match] WHERE Seq = 1").first();
    EXPECT_EQ(row[0].toString(), "0");
    EXPECT_EQ(row[1].toString(), "T2") << "a value is kept";
    EXPECT_EQ(row[2].toString(), "0");
    EXPECT_EQ(row[3].toInt(), 0);
    EXPECT_FALSE(row[3].isNull());
    EXPECT_EQ(row[4].toInt(), 0);
    EXPECT_FALSE(row[5].isNull());
    EXPECT_TRUE(row[6].isNull()) << "period choices before overtime are not touched";
    EXPECT_TRUE(row[7].isNull()) << "OT tallies are not touched";
    EXPECT_TRUE(row[8].isNull());
    EXPECT_TRUE(queryValue(db, "SELECT TPDOTHome FROM [Match] WHERE Seq = 2").isNull())
        << "a row with its DOT1 tallies is not repaired";

    // Nothing left to do: no second backup.
    QFile::remove(folder + "/" + backupsIn(folder).first());
    repairNullOvertime();
    EXPECT_TRUE(backupsIn(folder).isEmpty());
}

TEST_F(RepairUpgradeTest, RepairWithoutABackupChangesNothing) {
    const QString db = makeDatabase(folder);
    useDatabase(db);
    execSql(db, "INSERT INTO [Match] (Seq) VALUES (1)");
    blockBackups(folder, "");
    EXPECT_THROW(repairNullOvertime(), db::DbError);
    EXPECT_TRUE(queryValue(db, "SELECT PeriodOTHome FROM [Match]").isNull());
}

// The repair is one transaction: a row the file refuses to change leaves every row as it was.
TEST_F(RepairUpgradeTest, AFailedRepairLeavesEveryRowAsItWas) {
    const QString db = makeDatabase(folder);
    useDatabase(db);
    execSql(db, "INSERT INTO [Match] (Seq) VALUES (1), (2), (3), (4);"
                "ALTER TABLE [Match] ADD COLUMN Refuse INTEGER CONSTRAINT row_3_refused "
                "CHECK (Seq <> 3 OR PeriodOTHome IS NULL);");
    EXPECT_THROW(repairNullOvertime(), db::DbError);
    EXPECT_FALSE(gConn.isOpen());
    EXPECT_FALSE(ui::forms().isLoaded<frmWait>()) << "the wait window goes also on a failure";
    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM [Match] WHERE PeriodOTHome IS NOT NULL "
                             "OR TPDOT1Home IS NOT NULL OR ChoiceDOT1Opp IS NOT NULL").toInt(), 0);
    EXPECT_EQ(backupsIn(folder).size(), 1) << "the backup made before is kept";

    // Once the row may be changed, the next run repairs all four.
    execSql(db, "ALTER TABLE [Match] DROP COLUMN Refuse");
    repairNullOvertime();
    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM [Match] WHERE PeriodOTHome = '0' "
                             "AND TPDOT1Home = 0 AND CPDOTOpp = 0 AND ChoiceDOT2Home = '0'").toInt(), 4);
}

// A version-7 file with wrestlers whose last matches fall in several seasons.
QString makeVersion7Team(const QString& folder) {
    const QString db = folder + "/Matchinfo.mdb";
    makeVersion7Database(db);
    execSql(db,
            "INSERT INTO Wrestler (Seq, FullName) VALUES (1, 'John Smith'), (2, 'Al Ruiz'), "
            "(3, 'Ben Old'), (4, 'Cal New'), (5, 'Dan None');"
            "INSERT INTO [Match] (SeqWrestler, [Date]) VALUES (1, '2009-12-05'), (1, '2010-01-15'),"
            " (2, '2010-11-20'), (3, '2008-02-01'), (4, '2011-11-12');");
    return db;
}

TEST_F(RepairUpgradeTest, UpgradeTo8) {
    const QString db = makeVersion7Team(folder);
    useDatabase(db);
    gDbVersion = 7;
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Updated DB to version 8");
        upgradeDb7to8();
        EXPECT_EQ(msgs.last().title, "Kestrivane");
    }
    EXPECT_EQ(gDbVersion, 7) << "the menu reads the new version on its next load";
    EXPECT_EQ(queryValue(db, "SELECT Version FROM License WHERE Seq = 1").toString(), "8.0");
    const QStringList backups = backupsIn(folder);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(backups.first().startsWith("matchinfoup7to8 "));
    EXPECT_FALSE(tableColumns(db, "DualScore").isEmpty());
    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM sqlite_master WHERE name = 'FullName'").toInt(), 0);
    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM sqlite_master WHERE name = 'FnameSeason'").toInt(), 1);
    // The new table gets its index at the next use, as the others had theirs.
    openConnection();
    closeConnection();
    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM sqlite_master WHERE name = 'ixDualScoreDate'").toInt(), 1);

    const QList<QVariantList> rows = queryRows(db, "SELECT Season, FNameSeason FROM Wrestler ORDER BY Seq");
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0][0].toInt(), 2009);  // last match 15 Jan 2010
    EXPECT_EQ(rows[0][1].toString(), "John Smith2009");
    EXPECT_EQ(rows[1][0].toInt(), 2009);  // 20 Nov 2010 keeps the old rule
    EXPECT_EQ(rows[2][0].toInt(), 2007);  // Feb 2008: the season of that match
    EXPECT_EQ(rows[2][1].toString(), "Ben Old2007");
    EXPECT_EQ(rows[3][0].toInt(), 2011);
    EXPECT_TRUE(rows[4][0].isNull()) << "no match, no season";
    EXPECT_TRUE(rows[4][1].isNull());

    // A file that has the new table, columns and index already still gets its seasons filled;
    // a row whose season name another row holds already stays as it is.
    execSql(db, "UPDATE License SET Version = '7' WHERE Seq = 1;"
                "UPDATE Wrestler SET Season = NULL, FNameSeason = NULL;"
                "UPDATE Wrestler SET FNameSeason = 'al ruiz2009' WHERE Seq = 5;");
    ui::ScriptedMessages msgs;
    msgs.expect("Updated DB to version 8");
    upgradeDb7to8();
    EXPECT_EQ(queryValue(db, "SELECT Version FROM License WHERE Seq = 1").toString(), "8.0");
    EXPECT_EQ(queryRows(db, "SELECT Season, FNameSeason FROM Wrestler ORDER BY Seq"),
              (QList<QVariantList>{{2009, "John Smith2009"},
                                   {QVariant(), QVariant()},
                                   {2007, "Ben Old2007"},
                                   {2011, "Cal New2011"},
                                   {QVariant(), "al ruiz2009"}}));
}

TEST_F(RepairUpgradeTest, AFailedUpgradeStaysAtVersion7AndSaysSo) {
    const QString db = makeVersion7Team(folder);
    useDatabase(db);
    // Two rows already share a season name, so the unique index cannot be made.
    execSql(db, "ALTER TABLE Wrestler ADD COLUMN FNameSeason TEXT(120) COLLATE NOCASE;"
                "UPDATE Wrestler SET FNameSeason = 'Same2009' WHERE Seq IN (1, 2);");
    ui::ScriptedMessages msgs;
    msgs.expect("could not be updated to version 8");
    upgradeDb7to8();
    EXPECT_EQ(msgs.last().title, "ERROR");
    EXPECT_TRUE(msgs.last().text.contains("stays at version 7"));
    EXPECT_EQ(queryValue(db, "SELECT Version FROM License WHERE Seq = 1").toString(), "7");
    EXPECT_EQ(backupsIn(folder).size(), 1) << "the backup is kept";
    EXPECT_FALSE(gConn.isOpen());
    // Nothing of the upgrade is left half done in the file.
    EXPECT_TRUE(tableColumns(db, "DualScore").isEmpty());
    EXPECT_TRUE(queryValue(db, "SELECT FNameSeason FROM Wrestler WHERE Seq = 4").isNull());
    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM sqlite_master WHERE name = 'FullName'").toInt(), 1);
}

TEST_F(RepairUpgradeTest, UpgradeWithoutABackupChangesNothing) {
    const QString db = makeVersion7Team(folder);
    useDatabase(db);
    blockBackups(folder, "up7to8");
    ui::ScriptedMessages msgs;
    EXPECT_THROW(upgradeDb7to8(), db::DbError);
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_TRUE(tableColumns(db, "DualScore").isEmpty());
    EXPECT_EQ(queryValue(db, "SELECT Version FROM License WHERE Seq = 1").toString(), "7");
}

}  // namespace
