#pragma once

#include <QByteArray>
#include <QString>

namespace files {

// Copies the file `from` to `to` so that a file already at `to` is replaced only by a complete
// copy: the copy is made beside `to` under the name `to` + ".partial" and then renamed over it.
// Returns "" when done, else the reason it failed; on failure `to` is as it was. The copy is
// writable by its owner even when `from` is not.
QString copyFileReplacing(const QString& from, const QString& to);

// Writes `content` as the file `to` in the same way: into `to` + ".partial`, every write and the
// close checked and the data on the disk, then renamed over `to`. Returns "" when done, else the
// reason it failed; on failure `to` is as it was and no partial file is left.
QString writeFileReplacing(const QString& to, const QByteArray& content);

}  // namespace files
