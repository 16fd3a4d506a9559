#pragma once

#include <QString>

// Prints the individual match summary of the wrestler chosen on frmIndMatchSummary, for its date
// range and level, on landscape pages: title block, two lines per match, totals, a footer on every
// page. `matchFilter` is the text of its match filter ("All", "League Matches", "League Schools").
// A name that matches no wrestler prints nothing and says so.
void printIndMatchSummary(const QString& matchFilter);

// The pieces of the layout, each drawn at the given top y (see the .cpp for what they leave set).
void printIndMatchColumnHeads(short y);
void printIndMatchTotalsHeads(short y);
void printIndMatchFooter(short& pageNo);
