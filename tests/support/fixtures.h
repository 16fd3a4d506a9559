#pragma once

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

// Test fixtures: a temporary home folder, database files made from the real templates, and
// direct SQL on a database file for setting up rows and reading them back.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>

// A temporary folder made the program's home folder: $KESTRIVANE_HOME points at it and it is the
// current folder. Both are restored, and the folder removed, on destruction.
class TestHome {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    // The folder, without a final "/".
    QString path() const { return dir_.path(); }
    // A file name inside the folder.
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    bool hadHome_ = false;
    QByteArray oldHome_;
    QString oldCurrent_;
};

// Puts the application core's globals back as a fresh run of the program has them: no
// configuration file found, no database, school or version, no file-picker mode or import file;
// the connection closed.
void resetCoreState();

// Full path of an installed template: "matchinfo.md_" or "Blank_MatchInfo.md_".
QString templatePath(const QString& name);

// Copies the first-run template into `folder` under `name` (replacing a file of that name) and
// returns the new file's full path.
QString makeDatabase(const QString& folder, const QString& name = QStringLiteral("Matchinfo.mdb"));

// Makes `path` the database in use: sets gDbPath, and gDbFolder to its folder ending in "/".
void useDatabase(const QString& path);

// Writes a database of version 7 at `path` (replacing a file there): the version-8 schema
// without table DualScore and without Wrestler.Season and Wrestler.FNameSeason, with a unique
// index FullName on Wrestler(FullName), and settings row 1 with Version "7".
void makeVersion7Database(const QString& path);

// Replaces the [Match] table of the database at `path` by a view of the same columns that
// yields rows without end, as a file crafted to hang whoever reads it.
void makeEndlessMatchView(const QString& path);

// Runs one or more SQL statements (SQLite dialect) on an existing database file, foreign keys
// on. Throws std::runtime_error with the reason on failure.
void execSql(const QString& path, const QString& sql);

// Runs a query on an existing database file and returns every row (Null as an invalid QVariant).
// Throws std::runtime_error on failure.
QList<QVariantList> queryRows(const QString& path, const QString& sql);

// First column of the first row of a query; an invalid QVariant when there is no row.
QVariant queryValue(const QString& path, const QString& sql);

// One column of a table as the file declares it.
struct ColumnInfo {
    QString name;
    QString type;       // declared type, as written ("TEXT(120)", "INTEGER", "DATE", ...)
    QString collation;  // collating sequence ("NOCASE", "BINARY")
    bool primaryKey = false;
    bool autoIncrement = false;
};

// The columns of a table in their order; empty when the table does not exist.
QList<ColumnInfo> tableColumns(const QString& path, const QString& table);

// Runs `body` in a forked child process, for what must not touch the test process (a file-size
// limit, another user). Returns the child's exit code: 0 when `body` returned and the test had
// no failure (the child's own EXPECTs report in the shared output), 1 when it had one, 2 when
// `body` raised an exception, 128 + the signal when the child was killed.
int runInChildProcess(const std::function<void()>& body);

// Writes into `folder` a configuration of the offscreen platform with one screen of `width` x
// `height` device pixels shown at `scale` (1.5 for a desktop set to 150%: the screen reports
// 1.5 times the base dots per inch, as X11 does with Xft.dpi 144); returns the file's path. With
// `frames`, every window gets a frame of 2 pixels around it, known once the window exists.
QString writeScreenConfig(const QString& folder, int width, int height, double scale, bool frames = false);

// Runs the disabled test `test` ("Suite.DISABLED_Name") of this test executable in a new process
// on the screen that `screenConfig` describes, with `variables` ("NAME=value") added to its
// environment. Returns its output when it failed, an empty text when it passed.
QString failureOfTestOnScreen(const QString& test, const QString& screenConfig,
                              const QStringList& variables = {});

// In a child process: when it runs as root, goes on as the user "nobody", so that file
// permissions apply to it as they do to a coach. Does nothing for another user.
void dropRootPrivileges();

// In a child process, as root: a new small file system (tmpfs) of `kilobytes` on `folder`, seen by
// this process only, over what the folder held. Returns false when the system refuses (not root).
bool mountSmallDisk(const QString& folder, int kilobytes);

// Whether mountSmallDisk works here (it is tried once, in a child process).
bool smallDisksCanBeMade();

// Fills the file system of `folder` with the file "filler" in it, until about `bytes` stay free.
void leaveFree(const QString& folder, long long bytes);

// Writes `content` as the file `path`, last changed `secondsAgo` seconds ago.
void writeFileChangedAgo(const QString& path, const QByteArray& content, int secondsAgo);

// The permission bits (mode & 0777) of the file `path`, not following a link; -1 when it is not.
int modeOf(const QString& path);

// Counts the statements that the program runs on any connection it opens while the counter
// lives and whose SQL text (as the program wrote it) starts with `head`: how often a report
// was built, without calling into the form.
class StatementCounter {
public:
    explicit StatementCounter(const QString& head);
    ~StatementCounter();
    StatementCounter(const StatementCounter&) = delete;
    StatementCounter& operator=(const StatementCounter&) = delete;

    int count() const { return count_; }
    // The engine's steps over all such statements that finished: what they read, without a clock.
    long long steps() const { return steps_; }
    void reset() { count_ = 0; steps_ = 0; }
    // How many connections ran such a statement (the program's own and its readers on other
    // threads).
    int connections() const;
    void seen(const char* sql, const void* connection);
    void finished(const char* sql, long long steps);

private:
    QByteArray head_;
    std::atomic<int> count_ = 0;
    std::atomic<long long> steps_ = 0;
    mutable std::mutex connectionsInUse_;
    std::set<const void*> connections_;
};

struct sqlite3;

// Gives the database file `path` a season of matches, then leaves beside it the journal of a save
// that was stopped in the middle (a program killed while replacing them by many schools):
// `path`-journal holds the file's pages as they were, the file itself is part written. The engine puts those pages back at the next open of
// a file of that name.
void leaveHotJournal(const QString& path);

// Another program's connection to the database file `path` (another SQLite tool) that has put
// the file into write-ahead-log mode and stays open while the object lives, so that what is
// written meanwhile, by it or by the program, stays in the file's -wal and not in the file.
class WalModeConnection {
public:
    explicit WalModeConnection(const QString& path);
    ~WalModeConnection();
    WalModeConnection(const WalModeConnection&) = delete;
    WalModeConnection& operator=(const WalModeConnection&) = delete;
    void exec(const QString& sql);

private:
    sqlite3* db_ = nullptr;
};

// Another program's write that holds the database file `path` as the program goes to save:
// `sql` runs at once in a transaction of its own, committed a quarter of a second later on
// another thread, while the program waits for the file. Whether the program comes to its wait
// before the commit or after, it finds the write committed once it has the file.
class HeldWrite {
public:
    HeldWrite(const QString& path, const QString& sql);
    ~HeldWrite();
    HeldWrite(const HeldWrite&) = delete;
    HeldWrite& operator=(const HeldWrite&) = delete;

private:
    sqlite3* db_ = nullptr;
    std::thread committer_;
};

// A second program writing to the database file `path` without pause, in a child process, from
// its first write on until the object goes: each write one transaction that adds 200 match rows
// (touching every index of the table) and removes the 200 oldest.
class BusyWriter {
public:
    explicit BusyWriter(const QString& path);
    ~BusyWriter();
    BusyWriter(const BusyWriter&) = delete;
    BusyWriter& operator=(const BusyWriter&) = delete;

private:
    int child_ = -1;
    int stop_ = -1;  // the write end of the pipe whose closing stops the child
};
