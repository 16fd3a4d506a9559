#pragma once

#include <string>
#include <vector>

class frmFindMatch;
class frmIndDetail;

// The plain statements of a step, for the benchmark's "plain" column: each list and the report
// read by a query of its own, the values written into the text, as the forms were first written
// to read them, in the engine's dialect. The benchmark replays them on its bare connection beside
// the statements the program really ran.
namespace bench {

// The detail report after a date was picked (`lists`: the school list, the wrestler list, then
// the report's query) or after a school or wrestler was chosen (the report's query alone).
std::vector<std::string> detailPlainStatements(const frmIndDetail* form, bool lists);

// The match finder's refresh for its season and picks as they stand: the query of each list
// that is not picked, then the match list's.
std::vector<std::string> finderPlainStatements(const frmFindMatch* form);

}  // namespace bench
