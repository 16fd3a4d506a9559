#pragma once

#include <QString>
#include <QStringList>

#include "platform/db/Value.h"

// The lists of the match finder, read from the bouts of its season window that fit its picks:
// the bouts are read once, and every list is built from them with the text and order that the
// list's own query gives.

// The WHERE fragment the picks make (" AND FullName = ? ..."), the same for every list, with its
// values.
struct PickFilter {
    QString text;
    db::Params params;
};

// Which pick lists are to be filled (those that hold "ALL" alone after trimming).
struct FinderListsWanted {
    bool names = false;
    bool dates = false;
    bool schools = false;
    bool opponents = false;
};

struct FinderLists {
    QStringList names;      // FullName, each once, in the order of each name's first bout
    QStringList dates;      // each date once, as text, earliest first
    QStringList schools;    // OppSchool, each once, in name order
    QStringList oppFirsts;  // each opponent once (first and last name), in name order; a Null
    QStringList oppLasts;   // name is empty text
    // The lines "date, tab, home name, tab, school, tab, opponent's last name" of the first
    // six bouts in date order, with their [Match].Seq: more than five means too many to list.
    QStringList matches;
    QStringList matchSeqs;
};

// The lists for the window from `window[0]` to `window[1]` (dates, or Null for a season text
// that holds no years) and the picks' `filter`. Uses the connection open.
FinderLists readFinderLists(const db::Params& window, const PickFilter& filter, const FinderListsWanted& wanted);
