#pragma once

#include <QDateTime>
#include <QString>

#include "match_reports/detail_query.h"

// The two landscape printouts of the individual detail report, run afresh from the choices:
// the bouts two lines each, 11 to a page ("Individual Detail"), and the totals of each wrestler
// and his opponents, 11 pairs to a page ("Individual Detail Summary").

void printIndividualDetail(const DetailChoices& choices);
void printIndividualDetailSummary(const DetailChoices& choices);

// The page head: the title, the date range, the column heads and their underlines; with
// `withDateAndWeight` false the "Date" and "WT" columns are left out. Leaves y at 79.
void printDetailHeader(const DetailChoices& choices, const QString& title, bool withDateAndWeight);
// The page foot: the wrestler and school chosen, the page number, the credit line and the
// moment the printout began.
void printPageFooter(const DetailChoices& choices, int page, const QDateTime& moment);
