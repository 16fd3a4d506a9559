#pragma once

#include <QString>

// Entries of the opponent-name list of the match entry form. A name entry is the weight class,
// " - ", the first name, a non-breaking space (character 160) and the last name; date headers
// ("mm/dd") and the empty separators hold neither separator.
QString opponentNameEntry(const QString& weight, const QString& firstName, const QString& lastName);

// Splits a name entry into the first and the last name; false (names untouched) for a header,
// an empty entry or any text without both separators in order.
bool splitOpponentNameEntry(const QString& entry, QString& firstName, QString& lastName);
