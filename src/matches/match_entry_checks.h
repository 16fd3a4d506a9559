#pragma once

#include <QString>

// Opens the shared connection for one operation of the match entry form and closes it when the
// scope ends, also when a query fails on the way.
class EntryConnection {
public:
    EntryConnection();
    ~EntryConnection();
    EntryConnection(const EntryConnection&) = delete;
    EntryConnection& operator=(const EntryConnection&) = delete;
};

// The line the entry form shows for the most recently saved bout: date, weight class, level,
// wrestler, result, opponent's first and last name, school, win type and score, separated by
// two blanks (one between the opponent's names). Empty when no bout is stored, or when the
// newest bout's wrestler, weight class or school row no longer exists.
QString previousMatchLine();
