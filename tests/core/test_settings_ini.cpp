#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

TEST(IniFile, OneLineFilesOtherCaseAndRelativePaths) {
    TestHome home;
    writeFile(home.file("matchinfo.ini"), "/data/team/Matchinfo.mdb");
    readIniFile();
    EXPECT_EQ(gIniFound, "matchinfo.ini");
    EXPECT_EQ(gDbPath, "/data/team/Matchinfo.mdb");
    EXPECT_EQ(gDbFolder, "/data/team/");

    // A relative path, as an older version stored it, is taken from the home folder whatever
    // the current folder is.
    QDir().mkpath(home.file("data"));
    QDir::setCurrent(home.file("data"));
    for (const char* stored : {"Matchinfo.mdb", "./Matchinfo.mdb"}) {
        writeFile(home.file("matchinfo.ini"), QByteArray(stored) + "\r\n\r\n");
        readIniFile();
        EXPECT_EQ(gDbPath, home.file("Matchinfo.mdb")) << stored;
        EXPECT_EQ(gDbFolder, home.path() + "/") << stored;
    }
    writeFile(home.file("matchinfo.ini"), "data/../data/Matchinfo.mdb\r\n\r\n");
    readIniFile();
    EXPECT_EQ(gDbPath, home.file("data/Matchinfo.mdb"));
    EXPECT_EQ(gDbFolder, home.file("data") + "/");
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

// A write that the disk refuses (a file-size limit standing in for a full disk, in a child
// process) leaves the old file complete and no partial file beside it.
// A configuration file that is the coach's own link to a file of his own (kept with his other
// settings) stays a link: the file it leads to gets the new path. A link leading nowhere is
// replaced by a file, as any name the program writes.
TEST(IniFile, TheCoachsOwnLinkStaysALink) {
    TestHome home;
    QDir(home.path()).mkdir("dotfiles");
    const QString kept = home.file("dotfiles/kestrivane.ini");
    writeFile(kept, "/data/old/Matchinfo.mdb\r\n\r\n");
    ASSERT_TRUE(QFile::link("dotfiles/kestrivane.ini", home.file("MatchInfo.ini")));
    gDbPath = "/data/new/Matchinfo.mdb";
    writeIniFile();
    EXPECT_EQ(QFileInfo(home.file("MatchInfo.ini")).symLinkTarget(), kept);
    EXPECT_EQ(readFile(kept), "/data/new/Matchinfo.mdb\r\n\r\n");
    EXPECT_EQ(QDir(home.file("dotfiles")).entryList(QDir::Files | QDir::Hidden), QStringList{"kestrivane.ini"});

    QFile::remove(kept);
    writeIniFile();
    EXPECT_FALSE(QFileInfo(home.file("MatchInfo.ini")).isSymLink());
    EXPECT_EQ(readFile(home.file("MatchInfo.ini")), "/data/new/Matchinfo.mdb\r\n\r\n");
    EXPECT_FALSE(QFile::exists(kept));
}

TEST(IniFile, AFailedWriteKeepsTheOldFile) {
    TestHome home;
    gDbPath = "/data/old/Matchinfo.mdb";
    writeIniFile();
    const int child = runInChildProcess([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, 0};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
        gDbPath = "/data/new/Matchinfo.mdb";
        try {
            writeIniFile();
            ADD_FAILURE() << "the failed write passed as done";
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(QString(error.what()).endsWith(
                "MatchInfo.ini could not be written: the file could not grow: it would pass the "
                "file-size limit."))
                << error.what();
        }
    });
    EXPECT_EQ(child, 0);
    EXPECT_EQ(readFile(home.file("MatchInfo.ini")), "/data/old/Matchinfo.mdb\r\n\r\n");
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"MatchInfo.ini"});

    // The new file cannot even be begun: the home folder is read-only for the coach's user.
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                           QFile::ExeOther);
    EXPECT_EQ(runInChildProcess([] {
                  dropRootPrivileges();
                  try {
                      writeIniFile();
                      ADD_FAILURE() << "the failed write passed as done";
                  } catch (const std::runtime_error& error) {
                      EXPECT_TRUE(QString(error.what()).endsWith("MatchInfo.ini could not be written: no permission."))
                          << error.what();
                  }
              }),
              0);
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readFile(home.file("MatchInfo.ini")), "/data/old/Matchinfo.mdb\r\n\r\n");
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

    // Row 1 another copy added since it was found missing is kept as it is.
    execSql(path, "UPDATE License SET school = 'Theirs' WHERE Seq = 1");
    EXPECT_NO_THROW(createSettingsRow());
    EXPECT_EQ(queryValue(path, "SELECT group_concat(school) FROM License").toString(), "Theirs");
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

// An operation runs on the file in use: a connection left open on another file is not taken
// for it, and is closed.
TEST(Connection, AScopeServesOnlyTheFileInUse) {
    TestHome home;
    const QString first = makeDatabase(home.path(), "first.mdb");
    const QString second = makeDatabase(home.path(), "second.mdb");
    const QVariant firstDescription = queryValue(first, "SELECT school FROM License WHERE Seq = 2");
    useDatabase(first);
    openConnection();
    useDatabase(second);
    saveDbDescription("Second file");
    EXPECT_FALSE(gConn.isOpen());
    EXPECT_EQ(queryValue(second, "SELECT school FROM License WHERE Seq = 2").toString(), "Second file");
    EXPECT_EQ(queryValue(first, "SELECT school FROM License WHERE Seq = 2"), firstDescription);

    // An open connection to the file in use serves the scopes within and stays open.
    openConnection();
    saveDbDescription("Again");
    EXPECT_TRUE(gConn.isOpen());
    closeConnection();
    EXPECT_EQ(queryValue(second, "SELECT school FROM License WHERE Seq = 2").toString(), "Again");
}

TEST(Connection, MissingDatabaseRaisesToTheCaller) {
    TestHome home;
    useDatabase(home.file("gone.mdb"));
    EXPECT_THROW(openConnection(), db::DbError);
    EXPECT_FALSE(QFile::exists(home.file("gone.mdb")));
    EXPECT_THROW(loadSettingsRow(), db::DbError);
}
