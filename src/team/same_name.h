#pragma once

#include <QString>

#include "platform/db/Recordset.h"

// Names as a coach reads them. The stored text columns compare without regard to case only for
// A to Z; the duplicate checks of wrestlers and schools compare with full Unicode case folding
// instead, so that "Anna Łukasz" and "ANNA łUKASZ", or "Straße" and "STRASSE", are one name.

// The form of a name that the comparison uses: without blanks before and after, canonically
// decomposed and fully case folded.
// Two names are the same name exactly when their keys are equal.
QString nameKey(const QString& name);

// True when a row of `rs` other than the one whose Seq is `except` holds `name` in its column
// `nameColumn`. Reads the recordset up to the first such row.
bool holdsSameName(db::Recordset& rs, const QString& nameColumn, const QString& name,
                   long long except);
