#pragma once

#include <QString>

#include "platform/db/Value.h"

// Prints a wrestler's note, one portrait page per wrestler: his name, the school, his grade, last
// season's regional and state places, and note 1 (`which` "1": Notes) or note 2 (any other
// `which`: wresMemo1). With "Print All Wrestlers" ticked on the notes screen every wrestler of its
// list is printed, in list order; otherwise the one named. A name with no wrestler row is skipped.
void printWrestlerNotes(const QString& name, const QString& which);

// Prints the block of the first row of `sql` (bound with `params`) from the current position;
// false, with nothing printed, when the query finds no row.
bool printNotesBlock(const QString& sql, const db::Params& params, const QString& which);
