#pragma once

#include <QString>
#include <QStringList>

// The longest texts a file can hold, timed in child processes of the benchmark (each with a limit
// on its time and memory, so that a freeze or a runaway layout ends as a row of the table):
//
//     makeLongTextFiles(folder)        two database files: every text of the latest season at
//                                      the box limit (32,767 characters); 10-million-character
//                                      notes and opponent names in three bouts of the latest dual
//     timeLongReport(folder)           the dual-meet report opened on the second file
//     timeLongPrintout(folder, name)   one printout (of longPrintouts()) on the first file
//
// Each child prints "milliseconds peak-megabytes" on its standard output.
namespace bench {

// The address space a child may take: a runaway layout ends there instead of taking the machine.
inline constexpr long kLongTextMemoryMb = 4096;

// Makes `home` the program's home and print folder and the current folder, with a configuration
// file naming a copy of the database `file` there; gives the copy's path.
QString makeHome(const QString& home, const QString& file);

QStringList longPrintouts();
int makeLongTextFiles(const QString& folder);
int timeLongReport(const QString& folder);
int timeLongPrintout(const QString& folder, const QString& printout);

}  // namespace bench
