#pragma once

#include <QStringList>

// Stores the dates of the file open on gConn in the program's own form, "YYYY-MM-DD", where
// another program left them otherwise: with a time of day after them, or as "MM/DD/YYYY" (see
// db::registerStoredDates). The queries compare dates as that text: a bout dated otherwise would
// drop out of every list and range of dates. `dateColumns` are "Table.Column"; a table the file
// lacks is passed over.
//
// Each file is looked at once while the program runs, not at every connection. When dates are
// found, the wait window shows the progress while they are stored. A file that another program
// holds, or that takes no writes, keeps them for now: they are stored at a later connection, as
// soon as the file is free.
void storeDatesAsDates(const QStringList& dateColumns);
