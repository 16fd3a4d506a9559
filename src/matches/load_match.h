#pragma once

#include <QString>

// Copies the stored [Match] row of key `seq` (as text), with the names its keys refer to, into the
// match editor, whose season box gets `season` (a season label) first. False, with the editor
// untouched, when no such row is stored.
bool loadMatchIntoEditor(const QString& seq, const QString& season);
