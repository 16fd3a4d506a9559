#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "platform/db/Recordset.h"
#include "platform/db/Value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Connection;

// The rows of a prepared query, one at a time, for the recordsets of a connection (the
// statement is finalized with it).
struct RowReader {
    RowReader(sqlite3_stmt* statement, const Recordset& rs, bool withRowid);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;
    // The next row into `row`; false after the last.
    bool next(Recordset::Row& row);

    sqlite3_stmt* stmt;
    Connection* conn = nullptr;
    bool forward = false;           // rows read as the recordset moves, not all at its opening
    int first;                      // 1 when column 0 is the row id
    std::vector<bool> mayBeDate;    // columns whose ISO texts are read as dates
    std::vector<QString> lastText;  // each column's last text, shared by the rows repeating it
};

// One open database file. Opening never creates a file: a missing file is an error. Foreign
// keys are enforced and the Jet functions (IIf, Nz, Val, Year, Month, Day, First, Last, ...)
// are registered on every connection. SQL texts are written in the Jet dialect the program
// uses and are translated before they reach the engine (see JetSql.h); values go in as
// parameters bound to ? placeholders.
class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file at `path`. With `reuse`, the handle that close(true) kept for the same file
    // is taken up again when the file has not been replaced or changed since (by anyone else).
    // Returns true when the file was opened afresh.
    bool open(const QString& path, bool reuse = false);
    // The file this connection has open and the tables it requires of it: what a second reader
    // of the same file (on another thread) opens and refuses.
    struct ReaderOf {
        QString path;
        QStringList requiredTables;
        QStringList mayLack;
        QStringList dateColumns;
    };
    ReaderOf readerOf() const { return {path_, requiredTables_, mayLack_, dateColumns_}; }
    // Opens `file` for reading only, refusing what its first connection refuses. Nothing is kept
    // for reuse.
    void openReader(const ReaderOf& file);
    // Whether a transaction is open: what it wrote is seen by no other connection yet.
    bool inTransaction() const;
    // A number that changes whenever another connection has changed the file since it was last
    // read.
    long long dataVersion();
    // Ends the use of the connection; a transaction still open is rolled back, so nothing
    // half-written is kept. With `keep`, the engine's handle stays open for open(path, true);
    // without, a handle kept before is closed too.
    void close(bool keep = false);
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }
    // A number for the file in use: the same while the connection goes on with the same file
    // (its kept handle taken up again, or the file opened again after another program wrote to
    // it), a new one whenever it opens a file without a handle kept for it (the first open, a
    // file put in place of another, an open after a close that kept nothing).
    long long fileGeneration() const { return generation_; }

    // Runs a statement that returns no rows (DDL, INSERT, UPDATE, DELETE).
    void execute(const QString& sql, const Params& params = {});
    // Read-only recordset with every row read and the record count known.
    Recordset openSnapshot(const QString& sql, const Params& params = {});
    // Read-only recordset that reads its rows one at a time as it moves forward: only MoveNext,
    // and no record count. For reports that read very many rows once. It is closed before the
    // connection is.
    Recordset openForward(const QString& sql, const Params& params = {});
    // Whether the query gives any row: it is stepped to its first row only, however many it has.
    bool hasRow(const QString& sql, const Params& params = {});
    // Updatable recordset over a SELECT on one table.
    Recordset openForUpdate(const QString& sql, const Params& params = {});
    // Runs `work` as one transaction: all it writes is kept or, when it raises an error, none of
    // it; the error goes on to the caller. The file is reserved for writing from the start, so a
    // transaction that reads before it writes waits for another writer like any statement.
    void inTransaction(const std::function<void()>& work);
    // Runs `work` as inTransaction does when the file can be reserved for writing at once, and
    // returns true; returns false, having run nothing, while another program holds it.
    bool inTransactionIfFree(const std::function<void()>& work);
    // Number of rows changed by the last execute.
    int changes() const;

    sqlite3* handle() const { return db_; }

    // Names of tables (any letter case) that a file must hold as plain tables without triggers:
    // a file that lacks one (but those of `mayLack`), holds a view or a virtual table of such a
    // name, or has a trigger on one, is refused when it is opened, naming the table or the
    // trigger, before any query reads or writes through it. Checked at every fresh open from now
    // on. `counters` ("Table.Column") are the keys the database numbers as it adds a row: a file
    // where one is not its table's row id (a lone INTEGER PRIMARY KEY) is refused too, as the
    // row would be stored without its number. Every such refusal is made in OpenChecks.h.
    // `dateColumns` ("Table.Column") are the columns that hold dates: they are read and written
    // as dates whatever type the file declares for them (TEXT, TIMESTAMP or VARCHAR as well).
    void requireTables(const QStringList& names, const QStringList& mayLack = {},
                       const QStringList& counters = {}, const QStringList& dateColumns = {}) {
        requiredTables_ = names;
        mayLack_ = mayLack;
        counters_ = counters;
        dateColumns_ = dateColumns;
    }

    // How long one statement may run before it is stopped with an error, in milliseconds: a
    // file made to keep a query busy without end cannot hang the program.
    static void setRunLimit(int milliseconds);
    static int runLimit();

    // How long a statement waits for another program (a second copy of this one) to end its
    // write to the file before it fails, in milliseconds. For connections opened afterwards.
    static void setBusyWait(int milliseconds);
    static int busyWait();

private:
    // Runs `work` in the transaction just begun and commits it; rolls it back when `work` fails.
    void runBegunTransaction(const std::function<void()>& work);
    // Runs the statement to its end, or only as far as its first row; tells whether it gave one.
    bool runStatement(const QString& sql, const Params& params, bool firstRowOnly);
    friend class Recordset;
    friend struct RowReader;
    // Prepares the query and takes the recordset's field names and types from it.
    sqlite3_stmt* prepareRecordset(Recordset& rs, const QString& engineSql, const Params& params, bool withRowid);
    // Prepares the query and takes the recordset's field names and types from it; reads the rows
    // too unless `describeOnly`.
    void fillRecordset(Recordset& rs, const QString& engineSql, const Params& params,
                       bool withRowid, bool describeOnly);
    // What the rows of `table` are written back by, as SQL: its INTEGER PRIMARY KEY (the row id
    // under the name the program gives it), else the row id under a name that no column of the
    // table takes (a column named rowid would take that name). Raises DbError when there is none.
    QString rowKeyOf(const QString& table);
    // Reads the rows of an updatable recordset whose reading was put off.
    void readRows(Recordset& rs, const QString& engineSql, const Params& params);
    // The engine's last error as the user is told it; `writing`: the statement that failed
    // would have written.
    QString lastError(bool writing = false) const;
    // Opens the engine's handle on `path` with `access` (read-write or read-only) and checks the
    // file; on failure the connection stays closed.
    void openHandle(const QString& path, int access);
    // Whether column `c` of the prepared `stmt`, taken from the table column `column` ("" for
    // none), is one of the date columns.
    bool isDateColumn(sqlite3_stmt* stmt, int c, const QString& column) const;

    // Size, times and identity of a file: a kept handle is used again only on the same file.
    struct FileStamp {
        long long device = 0, inode = 0, size = 0, modified = 0, changed = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const QString& path);
    // The schema's version in the file open on `db`; -1 when it cannot be read.
    static long long schemaVersionOf(sqlite3* db);
    void closeKept();

    static int busyWaitMs_;
    static int runLimitMs_;
    // Starts the run limit of the statement about to be stepped.
    void startStatement();
    static int progress(void* connection);
    // Why the file cannot be written, when the engine says it is read-only.
    QString whyReadOnly() const;

    QStringList requiredTables_;
    QStringList mayLack_;
    QStringList counters_;
    QStringList dateColumns_;
    long long deadline_ = 0;  // the steady clock's milliseconds when the statement is stopped

    sqlite3* db_ = nullptr;
    QString path_;
    FileStamp openedStamp_;  // the file db_ was opened on
    long long checkedSchema_ = -1;  // the schema's version when the file's checks were made
    sqlite3* kept_ = nullptr;  // the handle close(true) kept, not in use
    QString keptPath_;
    FileStamp keptStamp_;
    long long keptSchema_ = -1;
    long long generation_ = 0;
};

}  // namespace db
