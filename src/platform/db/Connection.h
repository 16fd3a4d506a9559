#pragma once

#include <QString>

#include "platform/db/Recordset.h"
#include "platform/db/Value.h"

struct sqlite3;

namespace db {

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

    void open(const QString& path);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    // Runs a statement that returns no rows (DDL, INSERT, UPDATE, DELETE).
    void execute(const QString& sql, const Params& params = {});
    // Read-only recordset with every row read and the record count known.
    Recordset openSnapshot(const QString& sql, const Params& params = {});
    // Updatable recordset over a SELECT on one table.
    Recordset openForUpdate(const QString& sql, const Params& params = {});
    // Number of rows changed by the last execute.
    int changes() const;

    sqlite3* handle() const { return db_; }

private:
    friend class Recordset;
    void fillRecordset(Recordset& rs, const QString& engineSql, const Params& params,
                       bool withRowid);
    QString lastError() const;

    sqlite3* db_ = nullptr;
    QString path_;
};

}  // namespace db
