#pragma once

#include <QString>
#include <functional>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"

// Module-level state of the application core. Everything starts empty or zero.
extern QString gDbPath;      // full path of the database file in use (line 1 of MatchInfo.ini)
extern QString gDbFolder;    // folder of gDbPath, ending in "/" ("" when the path has none)
extern QString gIniFound;    // name under which the configuration file was found, "" if none
extern db::Connection gConn; // the one connection, opened and closed around every operation
extern QString gSchoolName;  // home school's name (settings row 1)
extern short gDbVersion;     // database version (settings row 1); 0 until loaded
extern short gSeason;        // starting year of the current season
extern QString gFileLocMode; // "FindDB" or "Import"
extern QString gImportFile;  // school-list file to import
extern QString gAppVersion;  // application version shown on the main menu

// The program's home folder: $KESTRIVANE_HOME, or ~/Kestrivane when unset.
QString homeFolder();
// Folder holding the installed first-run template "matchinfo.md_".
QString installFolder();

// Reads the configuration file of the home folder into gIniFound, gDbPath and gDbFolder.
void readIniFile();
// Replaces the configuration file by one naming gDbPath. When it cannot be written completely
// the old file stays as it was and the reason is raised (std::runtime_error).
void writeIniFile();
// Makes the database file `path` (made absolute) the one in use: writes the configuration file
// for it, then sets gDbPath and gDbFolder. When the file cannot be written, says so and leaves
// the configuration file, gDbPath and gDbFolder as they were; returns whether it succeeded.
bool setDatabaseInUse(const QString& path);

void openConnection();
// Opens the connection on gDbPath only to look into the file (another file of the folder being
// listed, a file being tried before it is used): the file is not changed, not even given the
// indexes that openConnection makes in a file in use.
void openConnectionToRead();
void closeConnection();
// The connection for one operation: opened here on gDbPath and closed when the scope ends, also
// when a query fails on the way. When it is open on gDbPath already (a save running its writes in
// one transaction calls a routine that has a scope of its own), it stays open for its opener. A
// connection left open on another file is closed first, whatever it had not committed rolled
// back: the operation is always on the file in use.
class ConnectionScope {
public:
    ConnectionScope() : own_(!gConn.isOpen() || gConn.path() != gDbPath) {
        if (own_) openConnection();
    }
    ~ConnectionScope() {
        if (own_) closeConnection();
    }
    // Closes the connection before the scope ends, when the scope opened it.
    void close() {
        if (own_) closeConnection();
        own_ = false;
    }
    ConnectionScope(const ConnectionScope&) = delete;
    ConnectionScope& operator=(const ConnectionScope&) = delete;

private:
    bool own_;
};

// Runs `work` as one transaction on the open connection: all it writes is kept or none of it.
// Run while a transaction is open, it is part of that one.
void runInTransaction(const std::function<void()>& work);

db::Recordset openRecordset(const QString& sql, const db::Params& params = {});
// A read-only recordset read row by row as it moves forward (MoveNext only, no record count),
// for reports over very many rows; closed before the connection.
db::Recordset openForwardRecordset(const QString& sql, const db::Params& params = {});
db::Recordset openRecordsetForUpdate(const QString& sql, const db::Params& params = {});
// Whether the query finds any row: only its first row is read, for the questions that ask no
// more (a school that bouts still name, a weight class still in use).
bool recordsExist(const QString& sql, const db::Params& params = {});
void closeRecordset(db::Recordset& rs);
// A look-up by a name the user typed, the name being the first parameter (`more` follow it).
// Wrestler and school names are stored with a backquote for each apostrophe (fixQuotes), so a
// typed name with an apostrophe that finds nothing as it stands is looked up that way too.
db::Recordset openRecordsetByName(const QString& sql, const QString& name, const db::Params& more = {});
