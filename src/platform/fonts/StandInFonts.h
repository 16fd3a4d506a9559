#pragma once

#include <QFont>
#include <QString>

// The fonts the forms and printouts name (MS Sans Serif, Arial, Times New Roman, Courier New)
// are drawn with installed fonts of the same widths, so that texts measure and break as they
// were laid out.

// The installed family that stands in for a named font; the name itself when none is needed.
QString standInFamily(const QString& name);

// Makes every QFont of a named font use its stand-in, and makes the forms' 8-point "MS Sans Serif"
// the application's font, so that captions fit the controls as they were laid out. Safe to call
// more than once; the first form calls it.
void installStandInFonts();

// The forms' "MS Sans Serif" at the given size (drawn with its stand-in).
QFont sansSerifFont(double points);
