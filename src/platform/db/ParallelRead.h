#pragma once

#include <functional>

#include "platform/db/Connection.h"

namespace db {

// Reading one file on several threads at once, for a report that reads very many rows: the rows
// are split into parts that can be read apart (a stretch of dates, say), and each part is read
// on a connection of its own.

// How many threads read at once: the CPUs the process may use, at most 8. Those are the CPUs of
// its affinity (taskset, a container's cpuset), fewer when a cgroup's CPU quota allows less time
// than they have. 1 when there is one: reading apart then does not pay.
int readerThreads();

// The CPUs the quota of the process's cgroup allows (the lowest of its own and those above it, in
// the unified hierarchy's cpu.max or the cpu controller's cfs quota), rounded to the nearest and
// at least 1; 0 when no quota is set. `root` is prefixed to every path read (/proc/self/cgroup,
// /proc/self/mountinfo and the cgroup folders): "" for the running system.
int cgroupCpuLimit(const QString& root);

// Runs `work(part, reader)` for the parts from 0 to parts - 1 on readerThreads() threads (never
// more threads than parts), the calling thread one of them; each thread begins with a part of its
// own, then takes the next one left. Each thread reads through a read-only connection of its own
// to the file `source` has open (refused as `source` would refuse it), used on that thread alone.
// `work` must not touch forms, message boxes or `source`; it gives false when its part cannot be
// read this way, and the parts not begun are then left.
// Returns true when every part was read from the file as it stood throughout. Gives false, for
// the caller to read in one run on its own connection, when a part gave false, when `source` has
// a transaction open (nothing is read then: the readers would not see what it wrote), or when
// another connection changed the file while the parts were read (they may have seen it before
// and after). An error raised by a part is raised again here once every thread is done (that of
// the lowest part that raised one).
bool readInParallel(Connection& source, int parts, const std::function<bool(int part, Connection& reader)>& work);

}  // namespace db
