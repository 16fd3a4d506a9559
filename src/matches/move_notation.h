#pragma once

#include <QString>

// Puts one period's move string into its canonical form and reports its first malformed move.
//
// The text is turned to upper case and read into tokens: T, R, E, N or P followed by a digit 1 to
// 9; W and C alone; and the ride-out "RO1". Anything else is skipped, and a scoring letter not
// followed by such a digit is dropped. The text is rebuilt as the tokens joined by single blanks.
// The first token whose points are wrong for its move sets `error` to its message; a text without
// a malformed token leaves `error` untouched. The malformed token stays in the rebuilt text.
void validateMoves(QString& text, QString& error);

// The canonical form of a move string, whether or not it holds a malformed move.
QString checkedMoves(QString text);
