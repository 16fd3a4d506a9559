#pragma once

#include <string>
#include <vector>

class frmFindMatch;
class frmIndDetail;

// The statements the specification gives for a step, for the benchmark's "part" column: what the
// forms would run if they ran those statements as written (values written into the text, as the
// specification writes them), in the engine's dialect. The benchmark replays them on its bare
// connection beside the statements the program really ran.
namespace bench {

// The detail report after a date was picked (`lists`: the school list, the wrestler list, then
// the report's query) or after a school or wrestler was chosen (the report's query alone).
std::vector<std::string> detailPartStatements(const frmIndDetail* form, bool lists);

// The match finder's refresh for its season and picks as they stand: the query of each list
// that is not picked, then the match list's.
std::vector<std::string> finderPartStatements(const frmFindMatch* form);

}  // namespace bench
