#pragma once

#include <QDate>
#include <QString>

#include "platform/db/Recordset.h"

// The dual-meet team scores in table DualScore: one row per date and opposing school, written
// only here. Except for getOppSchoolSeq, these run on the connection the caller has opened.

// OppSchool.Seq of the school of that name, or 0 after the message "Not a Valid School". Opens
// and closes the connection itself.
long long getOppSchoolSeq(const QString& school);

// The score stored for the date and school: true, with the scores, when a row exists.
bool findDualScore(const QDate& date, long long schoolSeq, double& home, double& opp);

// Seq of the first DualScore row of the date and school, or 0 when there is none; `found`
// gets the row.
long long findDualScoreRow(const QDate& date, long long schoolSeq, db::RowImage& found);

// Rewrites the row `rowSeq` with the date, school and scores, while it is still as `found`
// (raises db::DbError otherwise, writing nothing).
void updateDualScore(long long rowSeq, const db::RowImage& found, const QDate& date, long long schoolSeq,
                     double home, double opp);

// Adds a row for the date, school and scores. Run in the save's transaction: a score another copy
// stored for the date and school, or the school deleted, since they were looked for raises the
// refusal (SaveRefused) and adds nothing.
void addDualScore(const QDate& date, long long schoolSeq, double home, double opp);
