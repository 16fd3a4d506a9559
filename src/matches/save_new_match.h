#pragma once

// Stores the bout entered on the match entry form and its score sheet as one new [Match] row,
// with the move tallies, says "Match Saved" and resets the entry for the next bout. The keys are
// the Seq of the wrestler's Wrestler row for the form's season, of the Weight row and of the
// OppSchool row, as the entry form's checks found them. A database error stores nothing, shows no
// "Match Saved" and leaves both forms as they were (the error goes to the caller).
void saveNewMatch(long long seqWrestler, long long seqWeight, long long seqOppSchool);

// Unloads the score sheet and the entry form and shows the entry form afresh, with the date, the
// season of that date and the opposing school carried over. Without a valid date the season stays
// the one the new form loaded with (the current season).
void resetMatchEntry();
