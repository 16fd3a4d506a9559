#include "platform/db/ParallelRead.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace db {

int readerThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores, 1u, 8u));
}

bool readInParallel(Connection& source, int parts, const std::function<bool(int part, Connection& reader)>& work) {
    if (parts <= 0) return true;
    if (source.inTransaction()) return false;
    const long long version = source.dataVersion();
    const Connection::ReaderOf file = source.readerOf();
    std::vector<std::exception_ptr> errors(static_cast<size_t>(parts));
    std::atomic<int> nextPart{0};
    std::atomic<bool> stopped{false};
    // Each thread opens its reader, then takes part after part until none is left.
    const auto readParts = [&]() {
        Connection reader;
        int part = nextPart.fetch_add(1);
        try {
            if (part < parts) reader.openReader(file);
            for (; part < parts && !stopped.load(); part = nextPart.fetch_add(1))
                if (!work(part, reader)) stopped.store(true);
        } catch (...) {
            if (part < parts) errors[static_cast<size_t>(part)] = std::current_exception();
            stopped.store(true);
        }
    };
    {
        const int threads = std::min(readerThreads(), parts);
        std::vector<std::jthread> running;
        running.reserve(static_cast<size_t>(threads - 1));
        for (int t = 1; t < threads; ++t) running.emplace_back(readParts);
        readParts();  // this thread reads too
    }  // the threads are joined
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
    return !stopped.load() && source.dataVersion() == version;
}

}  // namespace db
