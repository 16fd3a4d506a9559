#pragma once

#include <QString>

struct sqlite3;

namespace db {

// Turns an SQL text of the Jet dialect the program writes into the engine's own:
//   #m/d/yyyy# date literals      -> 'yyyy-mm-dd'
//   "text" string literals        -> 'text'
//   a & b                         -> ifnull(a, '') || ifnull(b, '') (Null joins as empty text;
//                                    an operand reaches over + - * / as & ranks below them)
//   LIKE 'pattern' with * ? [x]   -> LIKE 'pattern' with % _ (which stay wildcards) and \ escapes;
//                                    a pattern followed by its own ESCAPE is left as it is
//   True / False                  -> 1 / 0
//   Counter (DDL)                 -> INTEGER PRIMARY KEY AUTOINCREMENT
//   Text(n), Text, Memo (DDL)     -> TEXT(n) COLLATE NOCASE, TEXT COLLATE NOCASE
//   DROP INDEX x ON t             -> DROP INDEX x
//   DISTINCTROW                   -> DISTINCT
// Quoted literals and [bracketed] names are left as they are. A literal, name or date left open
// at the end, and DROP INDEX ... ON without a table, are refused with a DbError.
QString translateJetSql(const QString& jet);

// Registers the Jet functions on a connection: IIf, Nz, Val, Year, Month, Day, First, Last,
// Len, Mid, UCase, LCase, CStr, CInt, CLng, CDbl.
void registerJetFunctions(sqlite3* db);

// A LIKE pattern that finds `text` anywhere, for binding as a parameter to "LIKE ? ESCAPE '\'".
QString likeContainsPattern(const QString& text);

}  // namespace db
