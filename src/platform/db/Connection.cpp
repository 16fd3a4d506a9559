#include "platform/db/Connection.h"

#include <sqlite3.h>

#include <cerrno>

#include <QFile>
#include <chrono>
#include <mutex>
#include <QFileInfo>
#include <QHash>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QRegularExpression>

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/OpenChecks.h"
#include "platform/db/StoredDates.h"

namespace db {

namespace {

// Finalizes a prepared statement when it goes out of scope.
struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

void bindParams(sqlite3* db, sqlite3_stmt* stmt, const Params& params) {
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != static_cast<int>(params.size()))
        throw DbError(QStringLiteral("The query expects %1 values but was given %2.")
                          .arg(expected)
                          .arg(params.size()));
    for (int i = 0; i < expected; ++i) {
        const Value& v = params[i];
        int rc = SQLITE_OK;
        switch (v.kind()) {
            case Value::Kind::Null: rc = sqlite3_bind_null(stmt, i + 1); break;
            case Value::Kind::Integer: rc = sqlite3_bind_int64(stmt, i + 1, v.toInt()); break;
            case Value::Kind::Real: rc = sqlite3_bind_double(stmt, i + 1, v.toDouble()); break;
            case Value::Kind::Date:
            case Value::Kind::Text: {
                const QByteArray b = (v.isDate() ? isoDate(v.toDate()) : v.toString()).toUtf8();
                rc = sqlite3_bind_text(stmt, i + 1, b.constData(), b.size(), SQLITE_TRANSIENT);
                break;
            }
            case Value::Kind::Blob: {
                const QByteArray b = v.blobBytes();
                rc = sqlite3_bind_blob(stmt, i + 1, b.constData(), b.size(), SQLITE_TRANSIENT);
                break;
            }
        }
        if (rc != SQLITE_OK) throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

// The program runs the same SQL texts again and again (a report may run one query a row):
// each text is translated once. Readers on other threads use the same cache, one at a time.
QString translated(const QString& jet) {
    static std::mutex inUse;
    const std::lock_guard<std::mutex> lock(inUse);
    static QHash<QString, QString> cache;
    const auto found = cache.constFind(jet);
    if (found != cache.cend()) return *found;
    if (cache.size() >= 500) cache.clear();
    return *cache.insert(jet, translateJetSql(jet));
}

// One value of the current row. `mayBeDate`: the column is a date column, or an expression over
// one (MAX of a date has no declared type), whose ISO texts are read back as dates. `lastText` is
// the text this column gave last: a text read again (a school, a name, a result, row after row)
// shares it instead of taking memory of its own.
// The value is taken from the row once and read through it: each sqlite3_column_ call goes
// through the connection's API entry and exit again. Connections are opened without the
// engine's lock (used by the thread that opened them alone), so reading it directly is safe.
Value readColumn(sqlite3_stmt* stmt, int col, bool mayBeDate, QString& lastText) {
    sqlite3_value* value = sqlite3_column_value(stmt, col);
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL: return Value();
        case SQLITE_INTEGER: return Value(static_cast<long long>(sqlite3_value_int64(value)));
        case SQLITE_FLOAT: return Value(sqlite3_value_double(value));
        case SQLITE_BLOB:
            // A blob is no date, whatever its bytes spell, nor a text that a caller could read
            // one from: where a date may stand it is no value. Elsewhere it is its bytes, so that
            // a row is found changed when they are.
            if (mayBeDate) return Value();
            return Value::blob(QByteArray(static_cast<const char*>(sqlite3_value_blob(value)),
                                          sqlite3_value_bytes(value)));
        default: {
            const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(value));
            const int size = sqlite3_value_bytes(value);
            if (mayBeDate && sqlite3_value_type(value) == SQLITE_TEXT) {
                const QDate d = isoDateOfText(p, size);
                if (d.isValid()) return Value(d);
            }
            if (!QAnyStringView::equal(QUtf8StringView(p, size), lastText)) lastText = QString::fromUtf8(p, size);
            return Value(lastText);
        }
    }
}

}  // namespace

int Connection::busyWaitMs_ = 5000;
// Far above the longest query the program runs (the widest report over a few hundred thousand
// matches takes seconds).
int Connection::runLimitMs_ = 30000;

void Connection::setRunLimit(int milliseconds) { runLimitMs_ = milliseconds; }
int Connection::runLimit() { return runLimitMs_; }

namespace {
long long steadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

void Connection::startStatement() { deadline_ = steadyMilliseconds() + runLimitMs_; }

int Connection::progress(void* connection) {
    return steadyMilliseconds() > static_cast<Connection*>(connection)->deadline_ ? 1 : 0;
}

void Connection::setBusyWait(int milliseconds) { busyWaitMs_ = milliseconds; }
int Connection::busyWait() { return busyWaitMs_; }

Connection::~Connection() {
    close();
    closeKept();
}

Connection::FileStamp Connection::stampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {static_cast<long long>(st.st_dev), static_cast<long long>(st.st_ino),
            static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
            static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec};
}

void Connection::closeKept() {
    if (kept_) sqlite3_close_v2(kept_);
    kept_ = nullptr;
    keptPath_.clear();
}

bool Connection::open(const QString& path, bool reuse) {
    close(true);  // a handle in use is kept for the reuse below
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        closeKept();
        throw DbError(QStringLiteral("Could not find file '%1'.").arg(path));
    }
    // In write-ahead-log mode another program's commit changes only the log beside the file, not
    // the file's own stamp: a schema changed since the handle's checks (a trigger added) is told
    // by the schema's version, and the file is opened and checked afresh.
    const FileStamp now = stampOf(path);
    if (reuse && kept_ && keptPath_ == path && now == keptStamp_ &&
        schemaVersionOf(kept_) == keptSchema_) {
        db_ = kept_;
        path_ = path;
        openedStamp_ = keptStamp_;
        checkedSchema_ = keptSchema_;
        kept_ = nullptr;
        keptPath_.clear();
        return false;
    }
    const bool sameFile = kept_ && keptPath_ == path && now.device == keptStamp_.device && now.inode == keptStamp_.inode;
    closeKept();
    openHandle(path, SQLITE_OPEN_READWRITE);
    static long long generations = 0;
    if (!sameFile) generation_ = ++generations;
    return true;
}

void Connection::openReader(const ReaderOf& file) {
    close();
    requiredTables_ = file.requiredTables;
    mayLack_ = file.mayLack;
    dateColumns_ = file.dateColumns;
    openHandle(file.path, SQLITE_OPEN_READONLY);
}

bool Connection::inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

long long Connection::schemaVersionOf(sqlite3* db) {
    Statement st;
    if (sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &st.stmt, nullptr) != SQLITE_OK ||
        sqlite3_step(st.stmt) != SQLITE_ROW)
        return -1;  // not read: never the version of a check
    return sqlite3_column_int64(st.stmt, 0);
}

long long Connection::dataVersion() {
    return openSnapshot(QStringLiteral("PRAGMA data_version")).field(0).toInt();
}

void Connection::openHandle(const QString& path, int access) {
    sqlite3* db = nullptr;
    // A connection is only ever used by the thread that opened it: no locking around each call.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, access | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close(db);
        throw FileNotOpened(path, reason);
    }
    db_ = db;
    path_ = path;
    openedStamp_ = stampOf(path);
    sqlite3_busy_timeout(db_, busyWaitMs_);
    // What a file brings with it must not reach beyond the file: its schema cannot be written
    // directly, and it cannot call the program's functions from views, triggers or defaults.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_progress_handler(db_, 10000, &Connection::progress, this);
    registerJetFunctions(db_);
    registerStoredDates(db_);
    try {
        // A file that is no database fails at its first statement.
        execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        openSnapshot(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        // Taken before the checks: a change made while they run is checked at the next open.
        checkedSchema_ = schemaVersionOf(db_);
        refuseUnfitFile(*this, {requiredTables_, mayLack_, counters_});
    } catch (const DbError& e) {
        const int code = sqlite3_errcode(db_) & 0xff;
        const bool held = code == SQLITE_BUSY || code == SQLITE_LOCKED;
        close();
        throw FileNotOpened(path, e.message(), held ? DbError::Kind::InUse : e.kind());
    }
}

void Connection::close(bool keep) {
    if (!db_) {
        if (!keep) closeKept();
        return;
    }
    if (!sqlite3_get_autocommit(db_)) {
        startStatement();
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    closeKept();
    // Kept only while the name still leads to the file it was opened on: a file put in its place
    // meanwhile (a handler that failed left the handle open) must never be served by the old one.
    const FileStamp now = stampOf(path_);
    if (keep && now.device == openedStamp_.device && now.inode == openedStamp_.inode) {
        kept_ = db_;
        keptPath_ = path_;
        keptStamp_ = now;
        keptSchema_ = checkedSchema_;
    } else {
        sqlite3_close_v2(db_);
    }
    db_ = nullptr;
}

QString Connection::lastError(bool writing) const {
    if (!db_) return QStringLiteral("The connection is closed.");
    // A write past the file-size limit: the engine says only "disk I/O error". The system's
    // reason is kept by the engine, or else by the database file.
    if ((sqlite3_extended_errcode(db_) & 0xff) == SQLITE_IOERR) {
        int reason = sqlite3_system_errno(db_);
        if (reason == 0) sqlite3_file_control(db_, "main", SQLITE_FCNTL_LAST_ERRNO, &reason);
        if (reason == EFBIG)
            return QStringLiteral("database file could not grow: it would pass the file-size limit");
    }
    const int code = sqlite3_errcode(db_) & 0xFF;
    if (code == SQLITE_INTERRUPT)
        return QStringLiteral("A query on the database file %1 was stopped: it ran for more than "
                              "%2 seconds.")
            .arg(path_)
            .arg(QString::number(runLimitMs_ / 1000.0));
    if (code == SQLITE_READONLY) return whyReadOnly();
    // A program that only reads the file holds it as well as one that writes to it.
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("The database file %1 is in use: another program, or another copy "
                              "of this one, has held it for more than %2 seconds.  %3Try again "
                              "when it is done.")
            .arg(path_, QString::number(busyWaitMs_ / 1000.0),
                 writing ? QStringLiteral("Nothing was saved.  ") : QString());
    const QString engineWords = QString::fromUtf8(sqlite3_errmsg(db_));
    // The file's own rules (a unique index, a reference, a check, a counter at its largest value)
    // refuse a write that the program's own checks let through.
    if (code == SQLITE_CONSTRAINT)
        return QStringLiteral("Nothing was saved: a rule of the database file itself refuses the "
                              "change (%1).")
            .arg(engineWords);
    if (code == SQLITE_FULL && sqlite3_system_errno(db_) != ENOSPC)
        return QStringLiteral("Nothing was saved: a limit of the database file itself refuses "
                              "the change: a counter has reached its largest value, or the file "
                              "its largest size (%1).")
            .arg(engineWords);
    return engineWords;
}

namespace {

// Whether the database file at `path` is in write-ahead-log mode: bytes 18 and 19 of its header
// are 2.
bool inWalMode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(18)) return false;
    const QByteArray version = file.read(2);
    return version.size() == 2 && (version[0] == 2 || version[1] == 2);
}

}  // namespace

QString Connection::whyReadOnly() const {
    const QFileInfo file(path_);
    auto writable = [](const QString& path) {
        return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
    };
    // A file in write-ahead-log mode is read through a shared-memory file beside it, which the
    // engine cannot make in a folder it cannot write: it cannot be opened there at all.
    if (inWalMode(path_) && !writable(file.absolutePath())) {
        const bool readOnlyDisk = errno == EROFS;
        return QStringLiteral("The database file %1 is in write-ahead-log mode, and %2.  In "
                              "that mode the database keeps a log and a shared-memory file beside "
                              "it, which it cannot make there: the file can be neither read nor "
                              "written where it is.  %3")
            .arg(path_,
                 readOnlyDisk ? QStringLiteral("the disk it is on is read-only")
                              : QStringLiteral("its folder %1 is read-only").arg(file.absolutePath()),
                 readOnlyDisk ? QStringLiteral("Copy it onto a disk you can write and use the copy.")
                              : QStringLiteral("Copy it into a folder you can write and use the "
                                               "copy, or make its folder writable."));
    }
    QString why;
    if (!writable(path_)) {
        if (errno == EROFS) why = QStringLiteral("the disk it is on is read-only");
        else if (file.ownerId() != ::geteuid()) why = QStringLiteral("the file belongs to another user and is read-only for you");
        else why = QStringLiteral("the file is read-only");
    } else if (!writable(file.absolutePath())) {
        why = errno == EROFS ? QStringLiteral("the disk it is on is read-only")
                             : QStringLiteral("its folder %1 is read-only, and the database "
                                              "writes its journal there while it saves")
                                   .arg(file.absolutePath());
    } else {
        why = QString::fromUtf8(sqlite3_errmsg(db_));
    }
    return QStringLiteral("The database file %1 cannot be written: %2.  Nothing was saved.")
        .arg(path_, why);
}

int Connection::changes() const { return db_ ? sqlite3_changes(db_) : 0; }

void Connection::execute(const QString& sql, const Params& params) { runStatement(sql, params, false); }

bool Connection::hasRow(const QString& sql, const Params& params) { return runStatement(sql, params, true); }

bool Connection::runStatement(const QString& sql, const Params& params, bool firstRowOnly) {
    if (!db_) throw DbError(QStringLiteral("The connection is closed."));
    startStatement();
    const QByteArray text = translated(sql).toUtf8();
    Statement st;
    if (sqlite3_prepare_v2(db_, text.constData(), text.size(), &st.stmt, nullptr) != SQLITE_OK)
        throw DbError(lastError());
    if (!st.stmt) return false;  // blank text
    bindParams(db_, st.stmt, params);
    int rc;
    bool gaveRow = false;
    while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
        gaveRow = true;
        if (firstRowOnly) return true;
    }
    if (rc != SQLITE_DONE) {
        // A transaction is begun to write.
        const bool writing = !sqlite3_stmt_readonly(st.stmt) || !sqlite3_get_autocommit(db_) ||
                             text.startsWith("BEGIN IMMEDIATE");
        const int code = sqlite3_errcode(db_) & 0xff;
        throw DbError(lastError(writing), code == SQLITE_BUSY || code == SQLITE_LOCKED
                                              ? DbError::Kind::InUse
                                              : DbError::Kind::Other);
    }
    return gaveRow;
}

void Connection::inTransaction(const std::function<void()>& work) {
    execute(QStringLiteral("BEGIN IMMEDIATE"));
    runBegunTransaction(work);
}

void Connection::runBegunTransaction(const std::function<void()>& work) {
    try {
        work();
        execute(QStringLiteral("COMMIT"));
    } catch (...) {
        if (db_ && !sqlite3_get_autocommit(db_)) {
            startStatement();
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        throw;
    }
}

bool Connection::inTransactionIfFree(const std::function<void()>& work) {
    if (!db_) throw DbError(QStringLiteral("The connection is closed."));
    sqlite3_busy_timeout(db_, 0);
    try {
        execute(QStringLiteral("BEGIN IMMEDIATE"));
    } catch (const DbError& error) {
        sqlite3_busy_timeout(db_, busyWaitMs_);
        if (error.kind() == DbError::Kind::InUse) return false;
        throw;
    }
    sqlite3_busy_timeout(db_, busyWaitMs_);
    runBegunTransaction(work);
    return true;
}

Recordset Connection::openSnapshot(const QString& sql, const Params& params) {
    Recordset rs;
    fillRecordset(rs, translated(sql), params, false, false);
    return rs;
}

Recordset Connection::openForUpdate(const QString& sql, const Params& params) {
    QString engineSql = translated(sql);
    static const QRegularExpression selectHead(QStringLiteral("^\\s*SELECT\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fromTable(
        QStringLiteral("\\bFROM\\s+(\\[[^\\]]+\\]|\\w+)\\s*(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto head = selectHead.match(engineSql);
    const auto from = fromTable.match(engineSql);
    if (!head.hasMatch() || !from.hasMatch() || from.captured(2).startsWith(QLatin1Char(',')) ||
        from.captured(2).contains(QRegularExpression(QStringLiteral("\\bJOIN\\b"),
                                                     QRegularExpression::CaseInsensitiveOption)))
        throw DbError(QStringLiteral("An updatable recordset needs a SELECT on one table: %1").arg(sql));
    QString table = from.captured(1);
    if (table.startsWith(QLatin1Char('['))) table = table.mid(1, table.size() - 2);
    QString key;
    try {
        key = rowKeyOf(table);
    } catch (const DbError& error) {
        // Read to be written: a wait for the file here gives up a save.
        if (error.kind() != DbError::Kind::InUse) throw;
        throw DbError(lastError(true), DbError::Kind::InUse);
    }
    engineSql.insert(head.capturedEnd(), key + QStringLiteral(" AS kv_rowid_, "));

    Recordset rs;
    rs.updatable_ = true;
    rs.conn_ = this;
    rs.table_ = table;
    rs.key_ = key;
    // The rows are read when first needed: a recordset opened only to add a row never reads the
    // table it adds to.
    fillRecordset(rs, engineSql, params, true, true);
    rs.pendingSql_ = engineSql;
    rs.pendingParams_ = params;
    rs.rowsPending_ = true;
    for (int c = 0; c < rs.fieldCount(); ++c) {
        const QByteArray tbl = table.toUtf8();
        const QByteArray col = rs.tableColumns_[c].toUtf8();
        const char* declType = nullptr;
        int primaryKey = 0;
        if (!col.isEmpty() &&
            sqlite3_table_column_metadata(db_, nullptr, tbl.constData(), col.constData(), &declType,
                                          nullptr, nullptr, &primaryKey, nullptr) == SQLITE_OK &&
            primaryKey && declType && QString::fromUtf8(declType).toUpper() == QLatin1String("INTEGER")) {
            rs.rowidColumn_ = c;
            break;
        }
    }
    return rs;
}

QString Connection::rowKeyOf(const QString& table) {
    // A column the table declares under one of the row id's names takes that name from it.
    Recordset columns = openSnapshot(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"), {table});
    QStringList names;
    QString primaryKey;
    int keyColumns = 0;
    for (; !columns.isEOF(); columns.moveNext()) {
        names << columns.field(0).toString();
        if (columns.field(2).toInt() > 0) {
            ++keyColumns;
            if (columns.field(1).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                primaryKey = names.last();
        }
    }
    // Written as the program writes names, in brackets (which hold no bracket).
    if (keyColumns == 1 && !primaryKey.isEmpty() && !primaryKey.contains(QLatin1Char(']')))
        return QLatin1Char('[') + primaryKey + QLatin1Char(']');
    for (const QString& rowid : {QStringLiteral("rowid"), QStringLiteral("oid"), QStringLiteral("_rowid_")})
        if (!names.contains(rowid, Qt::CaseInsensitive)) return rowid;
    throw DbError(QStringLiteral("Nothing was saved: the table %1 has columns named rowid, oid and "
                                 "_rowid_ and no INTEGER PRIMARY KEY, so none of its rows can be told "
                                 "from another.")
                      .arg(table));
}

sqlite3_stmt* Connection::prepareRecordset(Recordset& rs, const QString& engineSql, const Params& params,
                                           bool withRowid) {
    if (!db_) throw DbError(QStringLiteral("The connection is closed."));
    startStatement();
    const QByteArray text = engineSql.toUtf8();
    Statement st;
    if (sqlite3_prepare_v2(db_, text.constData(), text.size(), &st.stmt, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(db_) & 0xff;
        throw DbError(lastError(withRowid || inTransaction()),
                      code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::InUse : DbError::Kind::Other);
    }
    if (!st.stmt) throw DbError(QStringLiteral("The query text is empty."));
    bindParams(db_, st.stmt, params);

    const int first = withRowid ? 1 : 0;
    const int columns = sqlite3_column_count(st.stmt);
    if (rs.names_.empty()) {
        for (int c = first; c < columns; ++c) {
            rs.names_.push_back(QString::fromUtf8(sqlite3_column_name(st.stmt, c)));
            const char* decl = sqlite3_column_decltype(st.stmt, c);
            const QString declType = decl ? QString::fromUtf8(decl).toUpper() : QString();
            const char* origin = sqlite3_column_origin_name(st.stmt, c);
            rs.tableColumns_.push_back(origin ? QString::fromUtf8(origin) : QString());
            // A date column is read and written as one, whatever the file declares it as.
            rs.declTypes_.push_back(isDateColumn(st.stmt, c, rs.tableColumns_.back()) ? QStringLiteral("DATE") : declType);
            static const QRegularExpression sizeRe(QStringLiteral("^\\s*(?:TEXT|VARCHAR|CHAR)\\s*\\(\\s*(\\d+)\\s*\\)"));
            // Only a declared type with a size ("TEXT(50)") is worth the pattern's time.
            const auto m = declType.contains(QLatin1Char('(')) ? sizeRe.match(declType) : QRegularExpressionMatch();
            rs.sizes_.push_back(m.hasMatch() ? m.captured(1).toInt() : 0);
        }
    }
    rs.open_ = true;
    rs.pos_ = 0;
    sqlite3_stmt* stmt = st.stmt;
    st.stmt = nullptr;
    return stmt;
}

bool Connection::isDateColumn(sqlite3_stmt* stmt, int c, const QString& column) const {
    if (column.isEmpty()) return false;
    for (const QString& date : dateColumns_) {
        const qsizetype dot = date.indexOf(QLatin1Char('.'));
        if (QStringView(date).sliced(dot + 1).compare(column, Qt::CaseInsensitive) == 0 &&
            QStringView(date).first(dot).compare(QString::fromUtf8(sqlite3_column_table_name(stmt, c)),
                                                 Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

RowReader::RowReader(sqlite3_stmt* statement, const Recordset& rs, bool withRowid)
    : stmt(statement), first(withRowid ? 1 : 0), lastText(rs.declTypes_.size()) {
    for (const QString& declType : rs.declTypes_)
        mayBeDate.push_back(declType.isEmpty() || declType.contains(QLatin1String("DATE")));
}

RowReader::~RowReader() { sqlite3_finalize(stmt); }

bool RowReader::next(Recordset::Row& row) {
    // Read forward, the run limit counts from each step: the time between rows is the reader's.
    if (forward && conn) conn->startStatement();
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) return false;
    if (rc != SQLITE_ROW) {
        if (!conn) throw DbError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt))));
        // The rows of a recordset opened to write, or read in a transaction that writes: the
        // write is given up, and the coach is told that nothing was saved.
        const int code = sqlite3_errcode(conn->db_) & 0xff;
        throw DbError(conn->lastError(first == 1 || conn->inTransaction()),
                      code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::InUse : DbError::Kind::Other);
    }
    if (first) row.rowid = sqlite3_column_int64(stmt, 0);
    const int columns = static_cast<int>(mayBeDate.size());
    row.values.clear();
    row.values.reserve(columns);
    for (int c = 0; c < columns; ++c)
        row.values.push_back(readColumn(stmt, c + first, mayBeDate[c], lastText[c]));
    return true;
}

void Connection::fillRecordset(Recordset& rs, const QString& engineSql, const Params& params,
                               bool withRowid, bool describeOnly) {
    sqlite3_stmt* stmt = prepareRecordset(rs, engineSql, params, withRowid);
    RowReader reader(stmt, rs, withRowid);
    reader.conn = this;
    if (describeOnly) return;
    Recordset::Row row;
    while (reader.next(row)) rs.rows_.push_back(std::move(row));
}

Recordset Connection::openForward(const QString& sql, const Params& params) {
    Recordset rs;
    sqlite3_stmt* stmt = prepareRecordset(rs, translated(sql), params, false);
    rs.forward_ = std::make_shared<RowReader>(stmt, rs, false);
    rs.forward_->conn = this;
    rs.forward_->forward = true;
    rs.rows_.emplace_back();
    if (!rs.forward_->next(rs.rows_.front())) rs.rows_.clear();
    return rs;
}

void Connection::readRows(Recordset& rs, const QString& engineSql, const Params& params) {
    fillRecordset(rs, engineSql, params, true, false);
}

}  // namespace db
