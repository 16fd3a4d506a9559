#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/connection.h"
#include "core/settings_rows.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"

namespace {

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString("<missing>");
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

}  // namespace

TEST(IniFile, WriteThenReadGivesThePathBackAndSecondLineEmpty) {
    TestHome home;
    gDbPath = "/data/team/Matchinfo.mdb";
    writeIniFile();
    EXPECT_EQ(readFile(home.file("MatchInfo.ini")), "/data/team/Matchinfo.mdb\r\n\r\n");
    gDbPath.clear();
    gDbFolder.clear();
    readIniFile();
    EXPECT_EQ(gIniFound, "MatchInfo.ini");
    EXPECT_EQ(gDbPath, "/data/team/Matchinfo.mdb");
    EXPECT_EQ(gDbFolder, "/data/team/");
}

TEST(IniFile, OneLineFilesOtherCaseAndPathsWithoutFolder) {
    TestHome home;
    writeFile(home.file("matchinfo.ini"), "C:\\Data\\Team\\Matchinfo.mdb");
    readIniFile();
    EXPECT_EQ(gIniFound, "matchinfo.ini");
    EXPECT_EQ(gDbFolder, "C:\\Data\\Team\\");

    writeFile(home.file("matchinfo.ini"), "Matchinfo.mdb\r\n\r\n");
    gDbFolder = "stale";
    readIniFile();
    EXPECT_EQ(gDbPath, "Matchinfo.mdb");
    EXPECT_EQ(gDbFolder, "");
}

TEST(IniFile, EmptyFileCountsAsNoFile) {
    TestHome home;
    gDbPath = "/kept.mdb";
    readIniFile();
    EXPECT_EQ(gIniFound, "");
    writeFile(home.file("MatchInfo.ini"), "");
    readIniFile();
    EXPECT_EQ(gIniFound, "");
    EXPECT_EQ(gDbPath, "/kept.mdb");
}

TEST(IniFile, StaysInTheHomeFolderWhateverTheCurrentFolder) {
    TestHome home;
    QDir().mkpath(home.file("data"));
    QDir::setCurrent(home.file("data"));
    gDbPath = home.file("data/Matchinfo.mdb");
    writeIniFile();
    EXPECT_TRUE(QFile::exists(home.file("MatchInfo.ini")));
    EXPECT_FALSE(QFile::exists(home.file("data/MatchInfo.ini")));
    gDbPath.clear();
    readIniFile();
    EXPECT_EQ(gDbPath, home.file("data/Matchinfo.mdb"));
}

TEST(SettingsRows, VersionsAndTheMissingRow) {
    TestHome home;
    const QString path = makeDatabase(home.path());
    useDatabase(path);

    loadSettingsRow();
    EXPECT_EQ(gDbVersion, 8);

    execSql(path, "UPDATE License SET Version = '7', school = 'Central' WHERE Seq = 1");
    loadSettingsRow();
    EXPECT_EQ(gDbVersion, 7);
    EXPECT_EQ(gSchoolName, "Central");

    execSql(path, "UPDATE License SET Version = NULL, school = NULL WHERE Seq = 1");
    loadSettingsRow();
    EXPECT_EQ(gDbVersion, 3);
    EXPECT_EQ(gSchoolName, "");

    execSql(path, "UPDATE License SET Version = 'x8' WHERE Seq = 1");
    loadSettingsRow();
    EXPECT_EQ(gDbVersion, 3);
    execSql(path, "UPDATE License SET Version = '12' WHERE Seq = 1");
    loadSettingsRow();
    EXPECT_EQ(gDbVersion, 1);

    execSql(path, "DELETE FROM License");
    loadSettingsRow();
    EXPECT_EQ(gSchoolName, "Sample School");
    EXPECT_EQ(gDbVersion, 3);
    EXPECT_EQ(queryValue(path, "SELECT Version FROM License WHERE Seq = 1").toString(), "3");
    EXPECT_FALSE(gConn.isOpen());
}

TEST(SettingsRows, SchoolNameAndDescription) {
    TestHome home;
    const QString path = makeDatabase(home.path());
    useDatabase(path);
    loadSettingsRow();
    const QString before = gSchoolName;

    saveSchoolName("St. Mary's");
    EXPECT_EQ(gSchoolName, before);
    EXPECT_EQ(queryValue(path, "SELECT school FROM License WHERE Seq = 1").toString(), "St. Mary's");
    loadSettingsRow();
    EXPECT_EQ(gSchoolName, "St. Mary's");

    saveDbDescription("");
    saveDbDescription("Season 2010 file");
    EXPECT_EQ(queryValue(path, "SELECT count(*) FROM License WHERE Seq = 2").toInt(), 1);
    EXPECT_EQ(queryValue(path, "SELECT school FROM License WHERE Seq = 2").toString(), "Season 2010 file");
    saveDbDescription("");
    EXPECT_EQ(queryValue(path, "SELECT school FROM License WHERE Seq = 2").toString(), " ");

    execSql(path, "DELETE FROM License WHERE Seq = 1");
    EXPECT_THROW(saveSchoolName("Nowhere"), db::DbError);
}

TEST(Connection, MissingDatabaseRaisesToTheCaller) {
    TestHome home;
    useDatabase(home.file("gone.mdb"));
    EXPECT_THROW(openConnection(), db::DbError);
    EXPECT_FALSE(QFile::exists(home.file("gone.mdb")));
    EXPECT_THROW(loadSettingsRow(), db::DbError);
}
