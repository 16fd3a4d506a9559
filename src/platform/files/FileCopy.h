#pragma once

#include <QByteArray>
#include <QString>

namespace files {

// Copies the file `from` to `to` so that a file already at `to` is replaced only by a complete
// copy, and only when it is the user's own (see NewFile): the copy is made beside `to` and then
// renamed over it. When `to` is the user's own link to a file of the user's own, that file is
// replaced in the same way and the link stays. Returns "" when done, else a message naming both files and the reason; on
// failure `to` is as it was. The copy gets the mode of a new file (0666 less the umask), not that
// of `from`.
QString copyFileReplacing(const QString& from, const QString& to);

// The same, for a copy that must not replace anything: a name taken meanwhile is a failure.
QString copyFileAsNew(const QString& from, const QString& to);

// Writes `content` as the file `to` in the same way, every write checked and the data on the
// disk before the rename. Returns "" when done, else a message naming `to` and the reason; on
// failure `to` is as it was and no partial file is left.
QString writeFileReplacing(const QString& to, const QByteArray& content);

}  // namespace files
