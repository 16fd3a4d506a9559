// The template database files built from resources/, and the version-7 database of the fixtures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <stdexcept>
#include <unistd.h>
#include <utility>

#include "core/connection.h"
#include "core/settings_rows.h"
#include "support/fixtures.h"

namespace {

QStringList tallyColumnNames() {
    QStringList names;
    for (const char* period : {"1", "2", "3", "ot", "dot1", "dot2", "dot"})
        for (const char* side : {"home", "Opp"})
            for (const char* kind : {"tp", "rp", "ep", "nf2p", "nf3p", "pp", "wp", "cp"})
                names << QStringLiteral("%1%2%3").arg(kind, period, side);
    return names;
}

// Every column a table must have, besides the tallies of [Match].
const QList<QPair<QString, QStringList>>& expectedTables() {
    static const QList<QPair<QString, QStringList>> tables = {
        {"License", {"Seq", "school", "Version"}},
        {"Wrestler",
         {"Seq", "FullName", "FirstName", "LastName", "Grade", "MinWt", "RegPlace", "StPlace",
          "wr_inactive", "Notes", "wresMemo1", "Season", "FNameSeason"}},
        {"Weight", {"Seq", "Weight"}},
        {"OppSchool", {"Seq", "OppSchool", "OppDiv", "LeagueSchool"}},
        {"Roster", {"Seq", "RosterDate", "SeqSchool", "SeqWeight", "FName", "LName"}},
        {"HomeWI", {"Seq", "CompDate", "SeqWrestler", "Weight"}},
        {"DualScore", {"Seq", "CompDate", "seqOppSchool", "ScoreH", "ScoreO"}},
        {"Match",
         {"Seq", "SeqWrestler", "Date", "OppFName", "OppLName", "SeqOppSchool", "ActWeight",
          "SeqWeight", "Level", "WL", "WinType", "Score", "TeamPoints", "LeagueMatch",
          "Period1Home", "Period2Home", "Period3Home", "PeriodOTHome", "PeriodDOT1Home",
          "PeriodDOT2Home", "periodDOTHome", "Period1Opp", "Period2Opp", "Period3Opp",
          "PeriodOTOpp", "PeriodDOT1Opp", "PeriodDOT2Opp", "PeriodDOTOpp", "Choice1home",
          "Choice2Home", "ChoiceDOT1Home", "ChoiceDOT2Home", "ChoiceOTHome", "Choice1Opp",
          "Choice2Opp", "ChoiceDOT1Opp", "ChoiceDOT2Opp", "ChoiceOTOpp", "FirstPoint", "Notes"}},
    };
    return tables;
}

QSet<QString> lowerNames(const QList<ColumnInfo>& columns) {
    QSet<QString> names;
    for (const ColumnInfo& c : columns) names.insert(c.name.toLower());
    return names;
}

QSet<QString> lowerNames(const QStringList& list) {
    QSet<QString> names;
    for (const QString& n : list) names.insert(n.toLower());
    return names;
}

ColumnInfo column(const QList<ColumnInfo>& columns, const QString& name) {
    for (const ColumnInfo& c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return c;
    return {};
}

class TemplateTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        path = home.file(QStringLiteral("copy.mdb"));
        ASSERT_TRUE(QFile::copy(templatePath(QString::fromLatin1(GetParam())), path));
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    }
    TestHome home;
    QString path;
};

TEST_P(TemplateTest, HoldsEveryTableWithItsColumnsAndTypes) {
    for (const auto& [table, names] : expectedTables()) {
        const QList<ColumnInfo> columns = tableColumns(path, table);
        ASSERT_FALSE(columns.isEmpty()) << table.toStdString();
        QStringList wanted = names;
        if (table == QLatin1String("Match")) wanted << tallyColumnNames();
        EXPECT_EQ(lowerNames(columns), lowerNames(wanted)) << table.toStdString();

        for (const ColumnInfo& c : columns) {
            if (c.type.startsWith(QLatin1String("TEXT"))) {
                EXPECT_EQ(c.collation, "NOCASE") << (table + "." + c.name).toStdString();
            }
            if (c.name == QLatin1String("Seq") && table != QLatin1String("License")) {
                EXPECT_TRUE(c.primaryKey && c.autoIncrement) << table.toStdString();
            }
        }
    }

    // Exactly 112 tally columns, all whole numbers.
    static const QRegularExpression tally(
        QStringLiteral("^(tp|rp|ep|nf2p|nf3p|pp|wp|cp)(1|2|3|ot|dot1|dot2|dot)(home|opp)$"),
        QRegularExpression::CaseInsensitiveOption);
    int tallies = 0;
    for (const ColumnInfo& c : tableColumns(path, QStringLiteral("Match"))) {
        if (!tally.match(c.name).hasMatch()) continue;
        ++tallies;
        EXPECT_EQ(c.type, "INTEGER") << c.name.toStdString();
    }
    EXPECT_EQ(tallies, 112);

    // The types the program relies on.
    const QList<ColumnInfo> wrestler = tableColumns(path, QStringLiteral("Wrestler"));
    EXPECT_EQ(column(wrestler, "FNameSeason").type, "TEXT(120)");
    EXPECT_EQ(column(wrestler, "Season").type, "INTEGER");
    EXPECT_EQ(column(tableColumns(path, "Weight"), "Weight").type, "TEXT");
    EXPECT_EQ(column(tableColumns(path, "OppSchool"), "OppDiv").type, "INTEGER");
    EXPECT_EQ(column(tableColumns(path, "HomeWI"), "CompDate").type, "DATE");
    EXPECT_EQ(column(tableColumns(path, "Roster"), "RosterDate").type, "DATE");
    const QList<ColumnInfo> match = tableColumns(path, QStringLiteral("Match"));
    EXPECT_EQ(column(match, "Date").type, "DATE");
    EXPECT_EQ(column(match, "ActWeight").type, "TEXT");
    EXPECT_EQ(column(match, "TeamPoints").type, "NUMERIC");
    const QList<ColumnInfo> dual = tableColumns(path, QStringLiteral("DualScore"));
    EXPECT_EQ(column(dual, "CompDate").type, "DATE");
    EXPECT_EQ(column(dual, "ScoreH").type, "REAL");
}

TEST_P(TemplateTest, IsSoundEmptyAndOfVersion8) {
    EXPECT_EQ(queryValue(path, "PRAGMA integrity_check").toString(), "ok");
    EXPECT_TRUE(queryRows(path, "PRAGMA foreign_key_check").isEmpty());

    const QList<QVariantList> license = queryRows(path, "SELECT Seq, school, Version FROM License");
    ASSERT_EQ(license.size(), 1);
    EXPECT_EQ(license[0][0].toInt(), 1);
    EXPECT_EQ(license[0][1].toString(), "Sample School");
    EXPECT_EQ(license[0][2].toString(), "8.0");

    for (const char* table : {"Wrestler", "Weight", "OppSchool", "Roster", "HomeWI", "DualScore", "[Match]"})
        EXPECT_EQ(queryValue(path, QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt(), 0)
            << table;

    // The dual scores refer to the schools, and nothing else refers by constraint.
    const QList<QVariantList> keys =
        queryRows(path, "SELECT \"table\", \"from\", \"to\" FROM pragma_foreign_key_list('DualScore')");
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(keys[0][0].toString(), "OppSchool");
    EXPECT_EQ(keys[0][1].toString(), "seqOppSchool");
    EXPECT_EQ(keys[0][2].toString(), "Seq");
    EXPECT_EQ(queryValue(path, "SELECT COUNT(*) FROM sqlite_master m, pragma_foreign_key_list(m.name) "
                               "WHERE m.type = 'table'")
                  .toInt(),
              1);
}

TEST_P(TemplateTest, OneRowPerNameAndSeasonWithoutRegardToCase) {
    const QList<QVariantList> index =
        queryRows(path, "SELECT name, \"unique\" FROM pragma_index_list('Wrestler')");
    ASSERT_EQ(index.size(), 1);  // FnameSeason only; version 8 has no index FullName
    EXPECT_EQ(index[0][0].toString(), "FnameSeason");
    EXPECT_EQ(index[0][1].toInt(), 1);

    execSql(path, "INSERT INTO Wrestler (FullName, Season, FNameSeason) "
                  "VALUES ('John Smith', 2009, 'John Smith2009')");
    EXPECT_THROW(execSql(path, "INSERT INTO Wrestler (FullName, Season, FNameSeason) "
                               "VALUES ('JOHN SMITH', 2009, 'JOHN SMITH2009')"),
                 std::runtime_error);
    // The same name in another season, and rows the upgrade left without a season, are kept.
    execSql(path, "INSERT INTO Wrestler (FullName, Season, FNameSeason) "
                  "VALUES ('John Smith', 2010, 'John Smith2010');"
                  "INSERT INTO Wrestler (FullName) VALUES ('Old One');"
                  "INSERT INTO Wrestler (FullName) VALUES ('Old Two');");
    EXPECT_EQ(queryValue(path, "SELECT COUNT(*) FROM Wrestler").toInt(), 4);
}

// The indexes the lists and reports of a file with many seasons need.
QStringList performanceIndexes(const QString& path) {
    QStringList names;
    for (const QVariantList& row : queryRows(path, "SELECT tbl_name || '.' || name FROM sqlite_master "
                                                   "WHERE type = 'index' AND name LIKE 'ix%' ORDER BY 1"))
        names << row[0].toString();
    return names;
}

const QStringList kPerformanceIndexes = {"DualScore.ixDualScoreDate", "HomeWI.ixHomeWIDate",
                                         "Match.ixMatchDate",         "Match.ixMatchOppSchool",
                                         "Match.ixMatchOvertimeNull", "Match.ixMatchWeight",
                                         "Match.ixMatchWrestler",     "Roster.ixRosterDate"};

TEST_P(TemplateTest, HasTheIndexesOfTheListsAndReports) {
    EXPECT_EQ(performanceIndexes(path), kPerformanceIndexes);
    const QList<QVariantList> dateIndex =
        queryRows(path, "SELECT name FROM pragma_index_info('ixMatchDate') ORDER BY seqno");
    ASSERT_EQ(dateIndex.size(), 2);  // the school key too, for the list of schools met before
    EXPECT_EQ(dateIndex[1][0].toString(), "SeqOppSchool");
}

TEST(DatabaseIndexes, AFileWithoutThemGetsThemWhenOpened) {
    TestHome home;
    resetCoreState();
    const QString path = makeDatabase(home.path());
    execSql(path, "DROP INDEX ixMatchDate; DROP INDEX ixMatchWrestler; DROP INDEX ixRosterDate; "
                  "DROP INDEX ixMatchOvertimeNull;");
    useDatabase(path);
    openConnection();
    closeConnection();
    EXPECT_EQ(performanceIndexes(path), kPerformanceIndexes);

    // A version-7 file has no DualScore table yet: the other indexes are made all the same.
    makeVersion7Database(path);
    openConnection();
    closeConnection();
    QStringList withoutDualScore = kPerformanceIndexes;
    withoutDualScore.removeAll("DualScore.ixDualScoreDate");
    EXPECT_EQ(performanceIndexes(path), withoutDualScore);
    resetCoreState();
}

// A wrestler's bouts at one weight are counted through the wrestler index, which holds a few of
// his rows, not through the weight index, which holds every bout at that weight.
TEST(DatabaseIndexes, OpeningGivesThePlannerStatisticsThatPickTheWrestlerIndex) {
    TestHome home;
    resetCoreState();
    const QString path = makeDatabase(home.path());
    execSql(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                  "INSERT INTO [Match] (SeqWrestler, SeqWeight, [Date], Level, WL) "
                  "SELECT i % 60 + 1, i % 3 + 1, '2010-12-04', 'V', 'W' FROM n");
    const QString countAtWeight =
        "EXPLAIN QUERY PLAN SELECT COUNT (*) as recCount FROM [Match] WHERE SeqWrestler = ? "
        "AND Level = 'V' AND WL ='W' And SeqWeight = ?";
    auto plan = [&] {
        openConnection();
        db::Recordset rs = openRecordset(countAtWeight, {db::Value(7), db::Value(2)});
        const QString detail = rs.field("detail").toString();
        closeRecordset(rs);
        closeConnection();
        return detail.toStdString();
    };
    useDatabase(path);
    EXPECT_THAT(plan(), ::testing::HasSubstr("ixMatchWrestler"));
    EXPECT_EQ(queryValue(path, "SELECT stat FROM sqlite_stat1 WHERE idx = 'ixMatchWrestler'").toString().toStdString(), "600 10");

    // Statistics of a much smaller file are taken anew at the next run.
    resetCoreState();
    execSql(path, "INSERT INTO [Match] (SeqWrestler, SeqWeight, [Date]) SELECT SeqWrestler, SeqWeight, [Date] FROM [Match]");
    useDatabase(path);
    EXPECT_THAT(plan(), ::testing::HasSubstr("ixMatchWrestler"));
    EXPECT_EQ(queryValue(path, "SELECT stat FROM sqlite_stat1 WHERE idx = 'ixMatchWrestler'").toString().toStdString(), "1200 20");
    resetCoreState();
}

// A file that cannot be written opens without the indexes; a save to it says which file, why it
// cannot be written, and that nothing was saved.
TEST(DatabaseIndexes, AReadOnlyFileOpensWithoutThemAndASaveSaysWhy) {
    TestHome home;
    resetCoreState();
    const QString path = makeDatabase(home.path());
    execSql(path, "DROP INDEX ixMatchDate;");
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto enterable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const auto writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QFile::setPermissions(home.path(), enterable | QFile::WriteOwner);
    auto savingSays = [&](const QString& why) {
        try {
            saveDbDescription("Not saved");
            ADD_FAILURE() << "the save passed";
        } catch (const db::DbError& error) {
            EXPECT_EQ(error.message(), "The database file " + path + " cannot be written: " + why +
                                           ".  Nothing was saved.");
        }
        EXPECT_FALSE(gConn.isOpen());
    };
    // A read-only file, a writable file in a read-only folder (no journal can be made), and
    // another user's file that only its owner may write.
    constexpr uid_t kCoach = 65534;  // the user dropRootPrivileges goes on as
    const struct {
        QFile::Permissions folder, file;
        uid_t owner;
        const char* why;
    } cases[] = {
        {enterable | QFile::WriteOwner, readable, kCoach, "the file is read-only"},
        {enterable, readable | writable, kCoach,
         "its folder %1 is read-only, and the database writes its journal there while it saves"},
        {enterable | writable, readable | QFile::WriteOwner, 0,
         "the file belongs to another user and is read-only for you"},
    };
    // The files' owners can be set only by the superuser.
    const bool asRoot = geteuid() == 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        ASSERT_TRUE(QFile::setPermissions(home.path(), c.folder));
        ASSERT_TRUE(QFile::setPermissions(path, c.file));
        if (asRoot) {
            ASSERT_EQ(chown(QFile::encodeName(path).constData(), c.owner, c.owner), 0);
        }
        // As a coach's user: the superuser's writes would pass the permissions.
        const int child = runInChildProcess([&] {
            dropRootPrivileges();
            useDatabase(path);
            EXPECT_NO_THROW({
                openConnection();
                openRecordset("SELECT * FROM [Match] ORDER BY [Date]");
                closeConnection();
            });
            if (asRoot) savingSays(QString(c.why).arg(home.path()));
        });
        EXPECT_EQ(child, 0);
        QFile::setPermissions(home.path(), enterable | QFile::WriteOwner);
        QFile::setPermissions(path, readable | QFile::WriteOwner);
        if (asRoot) chown(QFile::encodeName(path).constData(), 0, 0);
        EXPECT_FALSE(performanceIndexes(path).contains("Match.ixMatchDate"));
    }

    // A disk mounted read-only.
    if (smallDisksCanBeMade()) {
        QDir(home.path()).mkdir("disk");
        const QString disk = home.file("disk");
        EXPECT_EQ(runInChildProcess([&] {
                      ASSERT_TRUE(mountSmallDisk(disk, 1024));
                      const QString onDisk = makeDatabase(disk);
                      ASSERT_EQ(mount(nullptr, QFile::encodeName(disk).constData(), nullptr,
                                      MS_REMOUNT | MS_RDONLY, nullptr), 0);
                      useDatabase(onDisk);
                      try {
                          saveDbDescription("Not saved");
                          ADD_FAILURE() << "the save passed";
                      } catch (const db::DbError& error) {
                          EXPECT_EQ(error.message(), "The database file " + onDisk +
                                                         " cannot be written: the disk it is on is "
                                                         "read-only.  Nothing was saved.");
                      }
                  }),
                  0);
    }
    resetCoreState();
}

TEST_P(TemplateTest, ComparesTextWithoutRegardToCaseThroughTheProgramsConnection) {
    execSql(path, "INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('Central', 3);"
                  "INSERT INTO [Match] (SeqOppSchool, [Date], WL, WinType, TeamPoints) "
                  "VALUES (1, '2010-12-04', 'W', 'Fall', 6);"
                  "INSERT INTO [Match] (SeqOppSchool, [Date], WL, WinType, TeamPoints) "
                  "VALUES (1, '2010-12-11', 'W', 'Dec', 1.5)");
    useDatabase(path);
    EXPECT_EQ(gDbFolder, home.path() + "/");
    openConnection();
    db::Recordset rs = openRecordset(
        "SELECT [Match].*, OppSchool.OppSchool FROM [Match] INNER JOIN OppSchool "
        "ON OppSchool.Seq = [Match].SeqOppSchool WHERE WinType = 'FALL' AND OppSchool = 'CENTRAL'");
    EXPECT_EQ(rs.recordCount(), 1);
    closeRecordset(rs);
    // Team points are numbers that add up, halves included.
    rs = openRecordset("SELECT Sum(TeamPoints) AS Pts FROM [Match]");
    EXPECT_DOUBLE_EQ(rs.field("Pts").toDouble(), 7.5);
    closeRecordset(rs);
    closeConnection();

    // A division is a whole number, so a LIKE filter reads it as "3", not "3.0".
    execSql(path, "INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('Vincent', '12')");
    EXPECT_EQ(queryValue(path, "SELECT COUNT(*) FROM OppSchool WHERE OppDiv LIKE '%3%'").toInt(), 1);
    EXPECT_EQ(queryValue(path, "SELECT COUNT(*) FROM OppSchool WHERE OppDiv LIKE '%0%'").toInt(), 0);
    EXPECT_EQ(queryValue(path, "SELECT typeof(OppDiv) FROM OppSchool WHERE Seq = 2").toString(),
              "integer");

    // A dual score must name an existing school, and a school with dual scores stays.
    EXPECT_THROW(execSql(path, "INSERT INTO DualScore (CompDate, seqOppSchool) VALUES ('2010-12-04', 9)"),
                 std::runtime_error);
    execSql(path, "INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) "
                  "VALUES ('2010-12-04', 1, 40, 21)");
    EXPECT_THROW(execSql(path, "DELETE FROM OppSchool WHERE Seq = 1"), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateTest,
                         ::testing::Values("matchinfo.md_", "Blank_MatchInfo.md_"),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param).section('.', 0, 0).toStdString();
                         });

TEST(Version7Database, IsWhatTheUpgradeStartsFrom) {
    TestHome home;
    const QString path = home.file("old.mdb");
    makeVersion7Database(path);

    EXPECT_EQ(queryValue(path, "PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(queryValue(path, "SELECT Version FROM License WHERE Seq = 1").toString(), "7");
    EXPECT_TRUE(tableColumns(path, "DualScore").isEmpty());
    const QSet<QString> wrestler = lowerNames(tableColumns(path, "Wrestler"));
    EXPECT_FALSE(wrestler.contains("season"));
    EXPECT_FALSE(wrestler.contains("fnameseason"));
    EXPECT_EQ(tableColumns(path, "Match").size(), 152);

    // One row per full name in version 7.
    execSql(path, "INSERT INTO Wrestler (FullName) VALUES ('John Smith')");
    EXPECT_THROW(execSql(path, "INSERT INTO Wrestler (FullName) VALUES ('john smith')"),
                 std::runtime_error);

    // The upgrade's statements, through the program's own connection, give the version-8 schema.
    useDatabase(path);
    openConnection();
    for (const char* sql :
         {"CREATE TABLE DualScore(Seq Counter, CompDate Date, seqOppSchool Integer CONSTRAINT Seq "
          "REFERENCES OppSchool(Seq), ScoreH Real, ScoreO Real)",
          "ALTER TABLE Wrestler ADD COLUMN Season Integer",
          "ALTER TABLE Wrestler ADD COLUMN FNameSeason Text(120)",
          "CREATE UNIQUE INDEX FnameSeason ON Wrestler (FNameSeason)",
          "DROP INDEX FullName ON Wrestler"})
        EXPECT_NO_THROW(gConn.execute(QString::fromLatin1(sql))) << sql;
    closeConnection();

    const QString v8 = home.file("new.mdb");
    QFile::copy(templatePath("matchinfo.md_"), v8);
    for (const char* table : {"Wrestler", "DualScore"})
        EXPECT_EQ(lowerNames(tableColumns(path, table)), lowerNames(tableColumns(v8, table))) << table;
    EXPECT_EQ(column(tableColumns(path, "Wrestler"), "FNameSeason").type, "TEXT(120)");
    execSql(path, "INSERT INTO Wrestler (FullName, Season, FNameSeason) "
                  "VALUES ('John Smith', 2010, 'John Smith2010')");
}

TEST(MakeTemplate, LeavesNoFileBehindWhenTheSqlFails) {
    TestHome home;
    const QString output = home.file("t.md_");
    const QString data = home.file("bad.sql");
    QFile file(data);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("INSERT INTO NoSuchTable VALUES (1);\n");
    file.close();

    QProcess tool;
    tool.start(templatePath("make_template"),
               {output, QStringLiteral(KESTRIVANE_SOURCE_DIR "/resources/schema.sql"), data});
    ASSERT_TRUE(tool.waitForFinished());
    EXPECT_NE(tool.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(tool.readAllStandardError()).contains("NoSuchTable"));
    EXPECT_FALSE(QFile::exists(output));
}

}  // namespace
