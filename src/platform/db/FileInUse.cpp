#include "platform/db/FileInUse.h"

#include <sqlite3.h>

namespace db {

bool fileInUse(const QString& path) {
    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK) {
        // Reading the schema needs the lock a writer's exclusive lock keeps out.
        sqlite3_stmt* statement = nullptr;
        rc = sqlite3_prepare_v2(handle, "SELECT count(*) FROM sqlite_master", -1, &statement, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(statement);
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    rc &= 0xff;
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

}  // namespace db
