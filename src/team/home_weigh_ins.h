#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>

#include "platform/db/Recordset.h"
#include <vector>

// The database side of the home weigh-in form.

// One wrestler of a season who has matches, with his latest bout.
struct SeasonWrestler {
    QString fullName;
    QString lastWeight;  // ActWeight of the latest-dated bout, as stored
    QString lastDate;    // date of the latest bout, MM/DD/YYYY
    QString minWeight;   // MinWt, "" when Null
};

// The wrestlers of `season` (four-digit starting year) who have at least one match, without the
// placeholder "VOID", lightest latest bout first.
std::vector<SeasonWrestler> seasonWrestlersWithMatches(const QString& season);

// The latest-dated bout of a wrestler's season row (the highest Seq among bouts of one day).
// False when the wrestler has no match.
bool latestBout(long long seqWrestler, QDate& date, double& weight);

// Key of the wrestler's row in a season (four-digit starting year); -1 when the season has no
// row of that name.
long long wrestlerSeqInSeason(const QString& fullName, int season);

// The dates that have a stored weigh-in, oldest first, as MM/DD/YYYY.
QStringList storedWeighInDates();

struct StoredWeighIn {
    QString seq;
    QString compDate;  // MM/DD/YYYY
    QString fullName;
    QString weight;
    db::RowImage row;  // as read
};

// The stored weigh-in of one date, lightest first.
std::vector<StoredWeighIn> loadWeighIn(const QDate& date);

// Writes a weigh-in in one transaction: with `replace`, every stored row of `replaceDate` goes
// first, each only as `shown` (its rows as loaded, by Seq) has it: one changed, gone, or added
// for a wrestler since raises DbError RowChanged. Then one row per (key, weight) under `date`;
// a key whose Wrestler row is gone raises it too.
// Nothing is written when it fails.
struct WeighInRow {
    long long seqWrestler;
    double weight;
};
void writeWeighIn(const QDate& date, const std::vector<WeighInRow>& rows, bool replace,
                  const QDate& replaceDate, const std::map<long long, db::RowImage>& shown = {});
