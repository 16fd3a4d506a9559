#pragma once

#include <QString>

namespace files {

// The folder of a file path up to and including its last separator ("/" or "\"); "" when the
// path has none.
QString folderOf(const QString& path);

// `path` made absolute and clean: a relative path is taken from `base`, or from the current
// folder when `base` is empty.
QString absolutePath(const QString& path, const QString& base = QString());

// The folder `folder` made absolute (as absolutePath), ending in "/".
QString absoluteFolder(const QString& folder);

// Whether anything has the name `path`: a file, a folder, or a link, one leading nowhere too.
bool nameTaken(const QString& path);

// The path of what has the name of `path` in its folder, or a name that differs from it only in
// letter case ("Matchinfo.mdb" for "MATCHinfo.mdb": one name to whoever reads them); "" when
// nothing has.
QString nameTakenAlike(const QString& path);

// Why the file `path` or its folder cannot be written, as the system says it; "" when both can.
// Nothing is changed: the file is opened for appending and closed, and a scratch file is made in
// the folder and removed again.
QString whyNotWritable(const QString& path);

}  // namespace files
