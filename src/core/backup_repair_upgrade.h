#pragma once

#include <QDateTime>
#include <QString>

// Backup time stamp of a moment: year, month, day, hour and minute, each written as a blank and
// its digits without leading zeros (" 2011 1 13 9 5" for 09:05 on 13 January 2011).
QString backupTimeStamp(const QDateTime& when);

// Copies the database file in use (gDbPath) to "<its folder>matchinfo<suffix>.bak", replacing a
// file of that name, and makes that folder the current folder. With `msgFlag` non-zero the name
// of the copy is shown. The connection must be closed. A failed copy raises db::DbError.
// Returns the full name of the copy.
QString backupDb(const QString& suffix, int msgFlag);

// Fills the Null overtime columns of every [Match] row that has a Null DOT1 tally, after a silent
// backup. Rows needing nothing make no backup; a file that cannot be written is left as it is,
// and the coach is told (once a run). Errors are raised to the caller.
void repairNullOvertime();
// The condition of the rows repairNullOvertime fills: "(TPDOT1Home) Is Null OR ..." over the
// sixteen DOT1 tallies. The schema's partial index ixMatchOvertimeNull has the same condition.
QString overtimeRepairCondition();

// Brings a version-7 database to version 8 (table DualScore, wrestler seasons, version "8.0"),
// after a silent backup. A file that cannot be written is used as it is, without a backup, and
// the coach is told (once a run). gDbVersion is left as it is.
void upgradeDb7to8();
