#pragma once

#include <QString>
#include <QStringList>

namespace db {

class Connection;

// What a program requires of the tables of a file it reads and writes as its own.
struct RequiredTables {
    QStringList names;     // plain tables, without triggers (any letter case)
    QStringList mayLack;   // of those, the ones a file may lack
    QStringList counters;  // "Table.Column": keys the database numbers as it adds a row
};

// Every refusal made when a file is opened, in one place: raises DbError naming the first thing
// of the file open on `conn` that `required` refuses, before any query reads or writes through
// it. Nothing when `required` names no table.
void refuseUnfitFile(Connection& conn, const RequiredTables& required);

}  // namespace db
