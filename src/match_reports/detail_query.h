#pragma once

#include <QDate>
#include <QString>

#include "match_reports/date_stretches.h"
#include "platform/db/Value.h"

// The query of the individual detail report: every varsity bout of a date range, optionally of
// one opposing school and one home wrestler, with its move counts summed over the periods.

// The four choices of the detail report as its boxes hold them.
struct DetailChoices {
    QString dateStart;  // a date, or a single blank for an open start
    QString dateEnd;    // a date, or a single blank for an open end
    QString school;     // "ALL" or one opposing school's name
    QString wrestler;   // "ALL" or one home wrestler's full name
};

// An SQL text and the values of its ? placeholders.
struct DetailQuery {
    QString sql;
    db::Params params;
};

// The texts of the two date boxes, a single blank standing for the open end ("1/1/2000" at
// the start, "12/31/2099" at the end); any other text passes unchanged.
void getDateRange(const QString& startText, const QString& endText, QString& startDate,
                  QString& endDate);

// The dates of a range as getDateRange gives it. A text that is not a date (empty, or typed by
// the user) counts as the open end of its side, as a single blank does.
QDate rangeStartDate(const QString& startDate);
QDate rangeEndDate(const QString& endDate);

// One row per bout, ordered by date, school, weight class (as text), last and first name.
DetailQuery detailQuery(const DetailChoices& choices);

// The same query over the bouts of one stretch of the boxes' range, a date's bouts in the order
// the whole query gives them.
DetailQuery detailQuery(const DetailChoices& choices, const match_reports::DateStretch& stretch);

// "ALL" and the opposing schools (or home wrestlers' full names) with a bout of any level in the
// range, in name order.
QStringList detailSchools(const QString& startText, const QString& endText);
QStringList detailWrestlers(const QString& startText, const QString& endText);

// The distinct dates of varsity bouts, earliest first, as the date lists show them; a stored
// text that is no date is left out.
QStringList detailVarsityDates();
