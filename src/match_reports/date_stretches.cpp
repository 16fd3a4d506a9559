#include "match_reports/date_stretches.h"

#include <algorithm>
#include <utility>

#include "core/connection.h"
#include "platform/db/ParallelRead.h"

namespace match_reports {

namespace {

// Below this, one run is as quick: the readers' threads and connections cost a few milliseconds
// on a quiet machine and tens on a busy one, while one run reads 40,000 bouts in about 50 ms.
int splitFromBouts = 40000;

// The first (or last) value stored in the range, when it is a date.
QDate storedDate(const db::Params& range, bool last) {
    db::Recordset rs = openRecordset(QStringLiteral("SELECT [Date] FROM [Match] WHERE [Date] BETWEEN ? AND ? "
                                                    "ORDER BY [Date] ") +
                                         (last ? QStringLiteral("DESC") : QStringLiteral("ASC")) +
                                         QStringLiteral(" LIMIT 1"),
                                     range);
    const db::Value date = rs.isEOF() ? db::Value() : rs.field("Date");
    closeRecordset(rs);
    return date.isDate() ? date.toDate() : QDate();
}

}  // namespace

std::vector<DateStretch> dateStretches(const QDate& start, const QDate& end) {
    // With one CPU to run on, stretches would only take turns on it.
    const int threads = db::readerThreads();
    if (threads < 2) return {};
    const db::Params range{start, end};
    db::Params counted = range;
    counted.emplace_back(splitFromBouts);
    // Counted through the date index, and only up to the number that makes it worth it.
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Count(*) AS n FROM (SELECT 1 FROM [Match] WHERE "
                                                    "[Date] BETWEEN ? AND ? LIMIT ?)"),
                                     counted);
    const bool enough = rs.field("n").toInt() >= splitFromBouts;
    closeRecordset(rs);
    if (!enough) return {};
    const QDate first = storedDate(range, false);
    const QDate last = storedDate(range, true);
    if (!first.isValid() || !last.isValid()) return {};
    // A few stretches a thread, so that a thread done early takes another.
    const long long days = first.daysTo(last);
    const long long count = std::min<long long>(threads * 4LL, days);
    if (count < 2) return {};
    std::vector<DateStretch> stretches;
    QDate from = start;
    for (long long i = 1; i < count; ++i) {
        const QDate to = first.addDays(days * i / count);
        stretches.push_back({from, to, false});
        from = to;
    }
    stretches.push_back({from, end, true});
    return stretches;
}

QString stretchDateTest(const QString& column, const DateStretch& stretch) {
    return column + QStringLiteral(" >= ? AND ") + column +
           (stretch.toIncluded ? QStringLiteral(" <= ?") : QStringLiteral(" < ?"));
}

int setSplitFromBouts(int bouts) { return std::exchange(splitFromBouts, bouts); }

}  // namespace match_reports
