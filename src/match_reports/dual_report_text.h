#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The dual-meet report: the varsity bouts between two dates, grouped by date and opposing school,
// each school headed by the team score stored for that date and school, each bout winner first.

struct DualReport {
    QString text;         // CR LF line ends, one tab before every line's text
    QStringList schools;  // the school of every group, in report order (a school met on two
                          // dates is there twice)
};

// Every date with a varsity bout, earliest first, as M/D/YYYY; a stored text that is no date is
// left out. Opens and closes the connection.
QStringList varsityDates();

// Builds the report for the dates (both included). `homeSchool` names the home team in the
// lines. Opens and closes the connection.
DualReport dualReportText(const QDate& startDate, const QDate& endDate, const QString& homeSchool);
