#pragma once

#include <functional>

#include "platform/db/Connection.h"

namespace db {

// Reading one file on several threads at once, for a report that reads very many rows: the rows
// are split into parts that can be read apart (a stretch of dates, say), and each part is read
// on a connection of its own.

// How many threads read at once: the machine's cores, at most 8 (1 when there is one core).
int readerThreads();

// Runs `work(part, reader)` for every part from 0 to parts - 1, handing the parts out in turn to
// readerThreads() threads (never more threads than parts). Each thread reads through a read-only
// connection of its own to the file `source` has open (refused as `source` would refuse it),
// used on that thread alone. `work` must not touch forms, message boxes or the program's own
// connection. Returns when every part is done. When a part raises an error, the parts not begun
// are left, and the error of the lowest such part is raised again here.
void readInParallel(const Connection& source, int parts,
                    const std::function<void(int part, Connection& reader)>& work);

}  // namespace db
