#pragma once

#include <QDate>
#include <QString>
#include <vector>

// A wide range of dates read in stretches, each on a thread of its own (see platform/db's
// readInParallel), for the reports that read every bout of the range. Stretches that follow each
// other, the last ending where the range ends, hold between them every bout of the range, each
// date's bouts in one stretch.
namespace match_reports {

// A stretch of a range's dates: from `from` up to `to`, `to` itself included or not.
struct DateStretch {
    QDate from;
    QDate to;
    bool toIncluded = false;
};

// The range from `start` to `end` (both included) cut into stretches of dates, a few for every
// reading thread; none when the range holds too few bouts for reading apart to pay, the process
// may run on one CPU only, or the range's first or last stored date is no date. Reads through
// the connection in use, which is open.
std::vector<DateStretch> dateStretches(const QDate& start, const QDate& end);

// The test of `column` for a stretch, its two values bound in turn ("Date >= ? AND Date < ?").
// A stored date is a text (or a number): the tests of the stretches, each up to the next one's
// start, let through between them every value the whole range's BETWEEN lets through.
QString stretchDateTest(const QString& column, const DateStretch& stretch);

// From how many bouts in a range on it is read in stretches (40,000 unless set). Gives the number
// it replaces.
int setSplitFromBouts(int bouts);

}  // namespace match_reports
