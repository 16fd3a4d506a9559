#pragma once

// Rewrites the stored [Match] row whose Seq the match editor holds from the editor's controls,
// move tallies included, in one write, and says "Match Saved". The keys are the Seq of the
// wrestler's row in the shown season, of the weight class and of the school, as the editor's
// checks found them. When the row is no longer there, or no longer as the editor loaded it
// (another copy of the program changed it, or stored another bout under its Seq), nothing is
// written and the editor says so; a database error writes nothing and shows no "Match Saved".
// The editor keeps its contents.
void updateMatch(long long seqWrestler, long long seqWeight, long long seqOppSchool);
