#include "support/fixtures.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <signal.h>
#include <grp.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>

#include "core/connection.h"

namespace {

// An open SQLite handle that closes itself.
class RawDb {
public:
    RawDb(const QString& path, bool create) {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) !=
            SQLITE_OK) {
            const QString reason = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
            sqlite3_close(db_);
            db_ = nullptr;
            throw std::runtime_error(
                QStringLiteral("cannot open %1: %2").arg(path, reason).toStdString());
        }
        exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    }
    ~RawDb() { sqlite3_close(db_); }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    sqlite3* handle() const { return db_; }

    void exec(const QString& sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) !=
            SQLITE_OK) {
            const QString reason = QString::fromUtf8(message ? message : "unknown error");
            sqlite3_free(message);
            throw std::runtime_error(QStringLiteral("%1\n  in: %2").arg(reason, sql).toStdString());
        }
    }

    QList<QVariantList> query(const QString& sql) {
        sqlite3_stmt* stmt = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db_, text.constData(), text.size(), &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(
                QStringLiteral("%1\n  in: %2").arg(QString::fromUtf8(sqlite3_errmsg(db_)), sql)
                    .toStdString());
        QList<QVariantList> rows;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            QVariantList row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER: row << QVariant(sqlite3_column_int64(stmt, c)); break;
                case SQLITE_FLOAT: row << QVariant(sqlite3_column_double(stmt, c)); break;
                case SQLITE_NULL: row << QVariant(); break;
                default:
                    row << QVariant(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, c))));
                }
            }
            rows << row;
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(
                QStringLiteral("%1\n  in: %2").arg(QString::fromUtf8(sqlite3_errmsg(db_)), sql)
                    .toStdString());
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
};

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(path).toStdString());
    return QString::fromUtf8(file.readAll());
}

void replaceFile(const QString& from, const QString& to) {
    if (QFile::exists(to) && !QFile::remove(to))
        throw std::runtime_error(QStringLiteral("cannot replace %1").arg(to).toStdString());
    if (!QFile::copy(from, to))
        throw std::runtime_error(
            QStringLiteral("cannot copy %1 to %2").arg(from, to).toStdString());
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
}

}  // namespace

TestHome::TestHome() {
    if (!dir_.isValid()) throw std::runtime_error("cannot make a temporary folder");
    hadHome_ = qEnvironmentVariableIsSet("KESTRIVANE_HOME");
    oldHome_ = qgetenv("KESTRIVANE_HOME");
    oldCurrent_ = QDir::currentPath();
    qputenv("KESTRIVANE_HOME", QFile::encodeName(dir_.path()));
    QDir::setCurrent(dir_.path());
}

TestHome::~TestHome() {
    QDir::setCurrent(oldCurrent_);
    if (hadHome_)
        qputenv("KESTRIVANE_HOME", oldHome_);
    else
        qunsetenv("KESTRIVANE_HOME");
}

void resetCoreState() {
    gConn.close();
    gIniFound.clear();
    gDbPath.clear();
    gDbFolder.clear();
    gSchoolName.clear();
    gDbVersion = 0;
    gFileLocMode.clear();
    gImportFile.clear();
}

QString templatePath(const QString& name) {
    return QStringLiteral(KESTRIVANE_TEMPLATE_DIR) + QLatin1Char('/') + name;
}

QString makeDatabase(const QString& folder, const QString& name) {
    const QString path = QDir(folder).absoluteFilePath(name);
    replaceFile(templatePath(QStringLiteral("matchinfo.md_")), path);
    return path;
}

void useDatabase(const QString& path) {
    gDbPath = path;
    gDbFolder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

void makeVersion7Database(const QString& path) {
    if (QFile::exists(path) && !QFile::remove(path))
        throw std::runtime_error(QStringLiteral("cannot replace %1").arg(path).toStdString());
    RawDb db(path, true);
    db.exec(readText(QStringLiteral(KESTRIVANE_SOURCE_DIR "/resources/schema.sql")));
    // What version 8 added, taken away again.
    db.exec(QStringLiteral(
        "DROP TABLE DualScore;"
        "DROP INDEX FnameSeason;"
        "ALTER TABLE Wrestler DROP COLUMN FNameSeason;"
        "ALTER TABLE Wrestler DROP COLUMN Season;"
        "CREATE UNIQUE INDEX FullName ON Wrestler (FullName);"
        "INSERT INTO License (Seq, school, Version) VALUES (1, 'Sample School', '7');"));
}

void execSql(const QString& path, const QString& sql) {
    RawDb db(path, false);
    db.exec(sql);
}

void makeEndlessMatchView(const QString& path) {
    execSql(path, QStringLiteral(
                      "ALTER TABLE [Match] RENAME TO MatchRows;"
                      "CREATE VIEW [Match] AS WITH RECURSIVE Endless(n) AS "
                      "(SELECT 1 UNION ALL SELECT n + 1 FROM Endless) "
                      "SELECT MatchRows.* FROM Endless LEFT JOIN MatchRows ON 0"));
}

QList<QVariantList> queryRows(const QString& path, const QString& sql) {
    RawDb db(path, false);
    return db.query(sql);
}

QVariant queryValue(const QString& path, const QString& sql) {
    const QList<QVariantList> rows = queryRows(path, sql);
    return rows.isEmpty() || rows.first().isEmpty() ? QVariant() : rows.first().first();
}

QList<ColumnInfo> tableColumns(const QString& path, const QString& table) {
    RawDb db(path, false);
    QList<ColumnInfo> columns;
    const QList<QVariantList> rows =
        db.query(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
    for (const QVariantList& row : rows) {
        ColumnInfo info;
        info.name = row.first().toString();
        const char* type = nullptr;
        const char* collation = nullptr;
        int primaryKey = 0;
        int autoIncrement = 0;
        if (sqlite3_table_column_metadata(db.handle(), nullptr, table.toUtf8().constData(),
                                          info.name.toUtf8().constData(), &type, &collation,
                                          nullptr, &primaryKey, &autoIncrement) != SQLITE_OK)
            throw std::runtime_error(
                QStringLiteral("no metadata for %1.%2").arg(table, info.name).toStdString());
        info.type = QString::fromUtf8(type ? type : "");
        info.collation = QString::fromUtf8(collation ? collation : "");
        info.primaryKey = primaryKey != 0;
        info.autoIncrement = autoIncrement != 0;
        columns << info;
    }
    return columns;
}

int runInChildProcess(const std::function<void()>& body) {
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("cannot start a child process");
    if (child == 0) {
        int code = 0;
        try {
            body();
            code = ::testing::Test::HasFailure() ? 1 : 0;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "child process: %s\n", e.what());
            code = 2;
        }
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(code);
    }
    // A child that hangs (a lock some other thread held when the process forked) is stopped after
    // a minute and counts as failed, rather than holding the whole run until its time-out.
    int status = 0;
    for (int waited = 0;; ++waited) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0) throw std::runtime_error("lost the child process");
        if (waited == 6000) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            ADD_FAILURE() << "the child process hung and was stopped";
            break;
        }
        usleep(10000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void dropRootPrivileges() {
    if (geteuid() != 0) return;
    constexpr uid_t kNobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
        throw std::runtime_error("cannot go on as the user nobody");
}

bool mountSmallDisk(const QString& folder, int kilobytes) {
    if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0) return false;
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    return mount("kestrivane-test", QFile::encodeName(folder).constData(), "tmpfs", 0,
                 options.constData()) == 0;
}

bool smallDisksCanBeMade() {
    static const bool possible = [] {
        QTemporaryDir dir;
        return runInChildProcess([&] {
                   if (!mountSmallDisk(dir.path(), 64)) _exit(3);
               }) == 0;
    }();
    return possible;
}

void leaveFree(const QString& folder, long long bytes) {
    struct statvfs disk {};
    if (statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        throw std::runtime_error("cannot measure the disk");
    const long long fill = static_cast<long long>(disk.f_bavail) * disk.f_frsize - bytes;
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append))
        throw std::runtime_error("cannot fill the disk");
    if (fill > 0 && filler.write(QByteArray(static_cast<int>(fill), 'x')) != fill)
        throw std::runtime_error("cannot fill the disk");
}

void writeFileChangedAgo(const QString& path, const QByteArray& content, int secondsAgo) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.flush() ||
        !file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime))
        throw std::runtime_error("cannot write " + path.toStdString());
}

int modeOf(const QString& path) {
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0) return -1;
    return static_cast<int>(st.st_mode & 07777);
}

QString writeScreenConfig(const QString& folder, int width, int height, double scale, bool frames) {
    const QString path = QStringLiteral("%1/screen-%2x%3-at-%4%5.json")
                             .arg(folder)
                             .arg(width)
                             .arg(height)
                             .arg(scale)
                             .arg(frames ? QStringLiteral("-framed") : QString());
    QFile json(path);
    if (!json.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + path.toStdString());
    json.write(QStringLiteral(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": %4, )"
                              R"("screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2, )"
                              R"("logicalDpi": %3, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(width)
                   .arg(height)
                   .arg(96 * scale)
                   .arg(frames ? QStringLiteral("true") : QStringLiteral("false"))
                   .toUtf8());
    return path;
}

QString failureOfTestOnScreen(const QString& test, const QString& screenConfig,
                              const QStringList& variables) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screenConfig);
    for (const QString& variable : variables)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_filter=") + test});
    if (!child.waitForFinished(30000)) return QStringLiteral("%1 did not finish").arg(test);
    const QString output = QString::fromUtf8(child.readAll());
    if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
        output.contains(QLatin1String("[  PASSED  ] 1 test")))
        return QString();
    return output;
}

namespace {

StatementCounter* activeCounter = nullptr;

int countStatement(unsigned event, void* connection, void* stmt, void*) {
    if (!activeCounter) return 0;
    auto* statement = static_cast<sqlite3_stmt*>(stmt);
    if (event == SQLITE_TRACE_STMT)
        activeCounter->seen(sqlite3_sql(statement), connection);
    else
        activeCounter->finished(sqlite3_sql(statement), sqlite3_stmt_status(statement, SQLITE_STMTSTATUS_VM_STEP, 1));
    return 0;
}

// Each connection is told by the number of its opening: a connection closed and another opened
// may get the same address.
int traceNewConnection(sqlite3* db, const char**, const sqlite3_api_routines*) {
    static std::atomic<std::uintptr_t> opened = 0;
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT | SQLITE_TRACE_PROFILE, countStatement,
                     reinterpret_cast<void*>(++opened));
    return SQLITE_OK;
}

}  // namespace

StatementCounter::StatementCounter(const QString& head) : head_(head.toUtf8()) {
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceNewConnection));
    activeCounter = this;
}

StatementCounter::~StatementCounter() {
    activeCounter = nullptr;
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(traceNewConnection));
}

void StatementCounter::seen(const char* sql, const void* connection) {
    if (!sql || !QByteArray(sql).startsWith(head_)) return;
    ++count_;
    const std::lock_guard<std::mutex> lock(connectionsInUse_);
    connections_.insert(connection);
}

void StatementCounter::finished(const char* sql, long long steps) {
    if (sql && QByteArray(sql).startsWith(head_)) steps_ += steps;
}

int StatementCounter::connections() const {
    const std::lock_guard<std::mutex> lock(connectionsInUse_);
    return static_cast<int>(connections_.size());
}

void leaveHotJournal(const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    const int child = runInChildProcess([&] {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) _exit(3);
        // A small page cache writes the changed pages into the file before the commit.
        // The file as it was: a season of matches, on pages of its own.
        sqlite3_exec(db,
                     "INSERT INTO [Match] (SeqWrestler, OppLName) WITH RECURSIVE n(i) AS (SELECT 1 "
                     "UNION ALL SELECT i + 1 FROM n WHERE i < 2000) SELECT i, hex(randomblob(40)) FROM n",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(db,
                     "PRAGMA cache_size = 2; BEGIN; DELETE FROM [Match];"
                     "INSERT INTO OppSchool (OppSchool, OppDiv) WITH RECURSIVE n(i) AS (SELECT 1 "
                     "UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                     "SELECT 'School ' || i || hex(randomblob(40)), i % 5 FROM n",
                     nullptr, nullptr, nullptr);
        // Stopped here: neither committed nor rolled back.
        _exit(QFileInfo(path + QStringLiteral("-journal")).size() > 0 ? 0 : 4);
    });
    if (child != 0) throw std::runtime_error("no journal was left beside " + path.toStdString());
}

WalModeConnection::WalModeConnection(const QString& path) {
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    exec(QStringLiteral("PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0"));
}

WalModeConnection::~WalModeConnection() { sqlite3_close(db_); }

void WalModeConnection::exec(const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string reason = error ? error : "unknown";
        sqlite3_free(error);
        throw std::runtime_error(reason);
    }
}

HeldWrite::HeldWrite(const QString& path, const QString& sql) {
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    sqlite3_busy_timeout(db_, 60000);
    const QByteArray text = (QStringLiteral("BEGIN IMMEDIATE; ") + sql).toUtf8();
    char* error = nullptr;
    if (sqlite3_exec(db_, text.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string reason = error ? error : "unknown";
        sqlite3_free(error);
        sqlite3_close(db_);
        throw std::runtime_error(reason);
    }
    committer_ = std::thread([db = db_] {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
}

HeldWrite::~HeldWrite() {
    committer_.join();
    sqlite3_close(db_);
}

BusyWriter::BusyWriter(const QString& path) {
    int stop[2];
    int ready[2];
    if (pipe(stop) != 0 || pipe(ready) != 0) throw std::runtime_error("no pipe");
    const QByteArray file = QFile::encodeName(path);
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("cannot start a child process");
    if (child == 0) {
        // Only the engine's C calls here: nothing of the test process's other threads is used.
        close(stop[1]);
        close(ready[0]);
        fcntl(stop[0], F_SETFL, O_NONBLOCK);
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) _exit(3);
        sqlite3_busy_timeout(db, 10000);
        const char* sql =
            "BEGIN IMMEDIATE;"
            "INSERT INTO [Match] (SeqWrestler, [Date], SeqOppSchool, SeqWeight, OppFName, OppLName) "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
            "SELECT abs(random()) % 500, date('2020-01-01', '+' || (abs(random()) % 900) || ' days'), "
            "abs(random()) % 300, abs(random()) % 14, hex(randomblob(20)), hex(randomblob(40)) FROM n;"
            "DELETE FROM [Match] WHERE Seq IN (SELECT Seq FROM [Match] ORDER BY Seq LIMIT 200);"
            "COMMIT;";
        bool told = false;
        char byte = 0;
        while (read(stop[0], &byte, 1) < 0 && errno == EAGAIN) {
            if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            else if (!told)
                told = ::write(ready[1], "x", 1) == 1;
            // A program that saves, not one that only writes: others get their turn.
            usleep(5000);
        }
        sqlite3_close(db);
        _exit(0);
    }
    close(stop[0]);
    close(ready[1]);
    child_ = child;
    stop_ = stop[1];
    char byte = 0;
    const bool started = read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    if (!started) throw std::runtime_error("the writer did not start");
}

BusyWriter::~BusyWriter() {
    close(stop_);
    int status = 0;
    waitpid(child_, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer failed";
}
