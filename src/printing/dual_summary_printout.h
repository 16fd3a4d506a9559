#pragma once

#include <QString>

// Prints the dual-meet report text (CR LF lines, tab-separated fields) under the centred title
// "Dual Match Summary" on portrait pages; text that runs past the foot of a page goes on to the next.
void printDualSummary(const QString& reportText);
