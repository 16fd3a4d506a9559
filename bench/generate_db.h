#pragma once

#include <QString>

namespace bench {

// What a generated file holds besides its matches.
struct FileShape {
    int seasons = 20;       // the matches are spread over this many seasons, from 2004 on
    int idleSchools = 0;    // opposing schools without a bout, as an imported school list leaves
    int idleWrestlers = 0;  // wrestlers without a bout, spread over the seasons
};

// Writes a database file at `path` (replacing one there) from the template `templateFile`:
// seasons of sixty wrestlers, forty opposing schools, rosters, weigh-ins, dual-meet scores and
// `matches` matches with move strings and the tallies the program counts from them, and the
// schools and wrestlers without a bout that `shape` asks for.
// Uses the program's connection (gDbPath, gConn). Raises db::DbError on failure.
void generateDatabase(const QString& path, const QString& templateFile, int matches,
                      const FileShape& shape = FileShape());

// The name of the `i`th school without a bout: a town and a kind of school, each name once.
QString idleSchoolName(int i);

}  // namespace bench
