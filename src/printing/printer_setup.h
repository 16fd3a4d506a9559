#pragma once

#include "platform/db/Value.h"

#include <QString>
#include <functional>

// Set-up and text placement shared by every printout. All of them draw on print::printer():
//
//     printing::setupPrinter("LANDSCAPE");           // then set the font size the printout needs
//     print::DocGuard doc;
//     auto& p = print::printer();
//     p.setFontSize(20); p.setFontBold(true);
//     printing::printAt(printing::centredX(title), 15, title);
//     printing::printAt(printing::rightAlignedX(span, 50), 60, span);
//     printing::printInCell(650, 104, y, " 12");      // centred in the cell [650, 754)
//     printing::printShrunk(name, 300, x, y, 12);     // shrinks by 0.2 pt until narrower than 300
//     printing::printTempSize("(H)", 8, 600, y + 2);  // 8 pt for this one text, then the rounded size
//     p.endDoc();
namespace printing {

// Orientation "PORTRAIT" or "LANDSCAPE" (any case): orientation and scale (1,1)-(850,1100) or
// (1,1)-(1100,850). Any other text shows "Must be Portrait or Landscape" and keeps both as they
// were. Then, always: black text, line width 8, "Times New Roman" upright and regular, solid lines,
// and no title (the printout gives its own: print::Page::setTitle).
void setupPrinter(const QString& orientation);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double v);

// x that centres the text on the page in the current font: ScaleWidth / 2 - TextWidth / 2.
double centredX(const QString& text);
// x that ends the text `margin` units before ScaleWidth: ScaleWidth - TextWidth - margin.
double rightAlignedX(const QString& text, double margin);
// x that centres the text in the cell of width `cellWidth` starting at x0 (both roundings half-even).
double cellCentredX(double x0, double cellWidth, const QString& text);

// Sets the position and prints the text there.
void printAt(double x, double y, const QString& text);
// printAt at cellCentredX.
void printInCell(double x0, double cellWidth, double y, const QString& text);
// The smallest size a text is lowered to so that it fits.
inline constexpr double kMinShrinkSize = 4.0;
// Lowers the font size in steps of 0.2 pt while `tooWide` holds of the text's width (rounded
// half-even), never below kMinShrinkSize; gives the width at the size it stops at.
double shrinkWhile(const QString& text, const std::function<bool(double)>& tooWide);
// Prints the text at (x, y), first lowering the size in steps of 0.2 pt while its width (rounded
// half-even) is at least `limit` (never below kMinShrinkSize), then sets the size to `sectionSize`.
void printShrunk(const QString& text, double limit, double x, double y, double sectionSize);
// Prints the text at (x, y) in `points`, then sets the size back to the size found, rounded half-even.
void printTempSize(const QString& text, double points, double x, double y);

// The longest leading part of the text no wider than `room` in the current font ("" when not even
// the first character fits).
QString cutToWidth(const QString& text, double room);
// The text with each of its lines broken at blanks into pieces no wider than `width` in the current
// font (a word wider than that on its own between characters); the pieces joined by CR LF.
QString wrapToWidth(const QString& text, double width);

// A database value as printed: text unchanged, a number with one blank before it when not
// negative, a date in the short date form (M/D/YYYY), Null as "".
QString printedValue(const db::Value& v);

}  // namespace printing
