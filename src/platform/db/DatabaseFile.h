#pragma once

#include <QString>

#include "platform/files/NewFile.h"

namespace db {

// Copies the database file `from` to `to` and puts the copy in place as a NewFile does (see
// files::copyFileReplacing and copyFileAsNew for `existing`). Returns "" when done, else a
// message naming both files and the reason; on failure `to` is as it was.
//
// `InUse`: the copy is read through the engine in one read transaction, so it is a consistent
// image of the database whatever another connection writes meanwhile, with what only its
// write-ahead log holds. `Template`: a file no connection has open is copied as it lies.
//
// Before the copy takes the name, the engine's files of that name that an earlier file left
// (its -journal, -wal and -shm), which the engine would otherwise apply to the new file at its
// first open, are removed when they are the user's own regular files; anything else there is a
// failure and the copy is not put in place.
enum class CopySource { InUse, Template };
QString copyDatabase(const QString& from, const QString& to, files::NewFile::Existing existing,
                     CopySource source = CopySource::InUse);

}  // namespace db
