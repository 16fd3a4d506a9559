#pragma once

#include <QString>

namespace bench {

// Writes a database file at `path` (replacing one there) from the template `templateFile`:
// twenty seasons of sixty wrestlers, forty opposing schools, rosters, weigh-ins, dual-meet scores
// and `matches` matches with move strings and the tallies the program counts from them.
// Uses the program's connection (gDbPath, gConn). Raises db::DbError on failure.
void generateDatabase(const QString& path, const QString& templateFile, int matches);

}  // namespace bench
