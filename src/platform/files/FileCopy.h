#pragma once

#include <QString>

namespace files {

// Copies the file `from` to `to` so that a file already at `to` is replaced only by a complete
// copy: the copy is made beside `to` under the name `to` + ".partial" and then renamed over it.
// Returns "" when done, else the reason it failed; on failure `to` is as it was. The copy is
// writable by its owner even when `from` is not.
QString copyFileReplacing(const QString& from, const QString& to);

}  // namespace files
