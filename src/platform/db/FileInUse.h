#pragma once

#include <QString>

namespace db {

// Whether another connection (another program, or another copy of this one) holds the database
// file `path` so that it cannot be read now: it is writing to it. Asks at once, without waiting;
// a file that cannot be opened at all is not "in use".
bool fileInUse(const QString& path);

}  // namespace db
