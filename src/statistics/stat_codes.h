#pragma once

#include <QString>

// The SQL piece of one statistic code (case ignored: "tdh", "TdH" and "TDH" are the same code):
// a sum of tally columns, the team-points column " [TeamPoints]", or a count condition that
// begins with " AND " and ends with a blank, to be appended to a WHERE clause that already holds
// a condition. An unknown code shows "ERROR <code>Not valid" and gives an empty text.
QString getStatExpr(const QString& code);
