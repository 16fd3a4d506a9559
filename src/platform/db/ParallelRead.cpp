#include "platform/db/ParallelRead.h"

#include <sched.h>

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <optional>
#include <thread>
#include <vector>

namespace db {

namespace {

// The CPUs the calling thread may run on.
int affinityCpus() {
    cpu_set_t set;
    CPU_ZERO(&set);
    // A machine with more CPUs than the set holds: all of them, as far as the set can tell.
    if (sched_getaffinity(0, sizeof set, &set) != 0)
        return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::max(1, CPU_COUNT(&set));
}

QString fileText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

// The CPUs a quota of `quota` microseconds in every `period` gives, rounded to the nearest and at
// least one; none when either is no positive number ("max", -1).
std::optional<int> quotaCpus(const QString& quota, const QString& period) {
    bool quotaRead = false, periodRead = false;
    const double q = quota.toDouble(&quotaRead);
    const double p = period.toDouble(&periodRead);
    if (!quotaRead || !periodRead || q <= 0 || p <= 0) return std::nullopt;
    return std::max(1, static_cast<int>(std::lround(q / p)));
}

// The quota of one cgroup folder: cpu.max ("150000 100000", "max 100000") in the unified
// hierarchy, cpu.cfs_quota_us and cpu.cfs_period_us in the cpu controller's.
std::optional<int> folderQuota(const QString& folder, bool unified) {
    if (unified) {
        const QStringList max = fileText(folder + QStringLiteral("/cpu.max")).split(QLatin1Char(' '));
        return max.size() == 2 ? quotaCpus(max[0], max[1]) : std::nullopt;
    }
    return quotaCpus(fileText(folder + QStringLiteral("/cpu.cfs_quota_us")),
                     fileText(folder + QStringLiteral("/cpu.cfs_period_us")));
}

}  // namespace

int cgroupCpuLimit(const QString& root) {
    // The process's cgroup in each hierarchy: "0::/path" for the unified one, "3:cpu,cpuacct:/path"
    // for a controller's.
    QString unifiedPath, cpuPath;
    for (const QString& line : fileText(root + QStringLiteral("/proc/self/cgroup")).split(QLatin1Char('\n'))) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() < 3) continue;
        const QString path = parts.mid(2).join(QLatin1Char(':'));
        if (parts[0] == QLatin1String("0") && parts[1].isEmpty()) unifiedPath = path;
        else if (parts[1].split(QLatin1Char(',')).contains(QLatin1String("cpu"))) cpuPath = path;
    }
    // Where each hierarchy is mounted: "id parent dev root mountpoint options... - type source
    // superoptions".
    std::optional<int> limit;
    for (const QString& line : fileText(root + QStringLiteral("/proc/self/mountinfo")).split(QLatin1Char('\n'))) {
        const qsizetype dash = line.indexOf(QLatin1String(" - "));
        if (dash < 0) continue;
        const QStringList mount = line.left(dash).split(QLatin1Char(' '));
        const QStringList kind = line.mid(dash + 3).split(QLatin1Char(' '));
        if (mount.size() < 5 || kind.size() < 3) continue;
        const bool unified = kind[0] == QLatin1String("cgroup2");
        const bool cpu = kind[0] == QLatin1String("cgroup") && kind[2].split(QLatin1Char(',')).contains(QLatin1String("cpu"));
        const QString& path = unified ? unifiedPath : cpuPath;
        if ((!unified && !cpu) || path.isEmpty()) continue;
        // The process's folder under the mount point; its own quota and those of the folders above
        // it up to the mount point all hold.
        const QString mountRoot = mount[3] == QLatin1String("/") ? QString() : mount[3];
        const QString mountPoint = root + mount[4];
        QString below = path.startsWith(mountRoot + QLatin1Char('/')) ? path.mid(mountRoot.size()) : QString();
        while (true) {
            const std::optional<int> quota = folderQuota(mountPoint + below, unified);
            if (quota && (!limit || *quota < *limit)) limit = quota;
            if (below.isEmpty() || below == QLatin1String("/")) break;
            below = below.left(below.lastIndexOf(QLatin1Char('/')));
        }
    }
    return limit.value_or(0);
}

int readerThreads() {
    int cpus = affinityCpus();
    if (const int limit = cgroupCpuLimit(QStringLiteral("")); limit > 0) cpus = std::min(cpus, limit);
    return std::clamp(cpus, 1, 8);
}

bool readInParallel(Connection& source, int parts, const std::function<bool(int part, Connection& reader)>& work) {
    if (parts <= 0) return true;
    if (source.inTransaction()) return false;
    const long long version = source.dataVersion();
    const Connection::ReaderOf file = source.readerOf();
    const int threads = std::min(readerThreads(), parts);
    std::vector<std::exception_ptr> errors(static_cast<size_t>(parts));
    // Each thread begins with the part of its own number, so every reader opened reads; the
    // parts after those go to whichever thread is free first.
    std::atomic<int> nextPart{threads};
    std::atomic<bool> stopped{false};
    const auto readParts = [&](int part) {
        Connection reader;
        try {
            reader.openReader(file);
            for (; part < parts && !stopped.load(); part = nextPart.fetch_add(1))
                if (!work(part, reader)) stopped.store(true);
        } catch (...) {
            if (part < parts) errors[static_cast<size_t>(part)] = std::current_exception();
            stopped.store(true);
        }
    };
    {
        std::vector<std::jthread> running;
        running.reserve(static_cast<size_t>(threads - 1));
        try {
            for (int t = 1; t < threads; ++t) running.emplace_back(readParts, t);
        } catch (...) {
            stopped.store(true);  // no thread to be had: the ones started stop and are joined
            throw;
        }
        readParts(0);  // this thread reads too
    }  // the threads are joined
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
    return !stopped.load() && source.dataVersion() == version;
}

}  // namespace db
