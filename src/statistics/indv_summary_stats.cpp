#include "statistics/indv_summary_stats.h"

#include "core/helpers.h"
#include "platform/ui/Messages.h"

namespace {

// Match-table columns of the moves text of each period block: home side, opponent side.
struct BlockColumns {
    int home;
    int opp;
};
constexpr BlockColumns kBlockColumns[5] = {{11, 13}, {15, 17}, {19, 21}, {22, 23}, {25, 27}};

// The moves counted by each pair of counters (home, then opponent) of a block.
const char* const kCountedTokens[8] = {"T2", "R2", "E1", "N2", "N3", "P1", "W", "C"};

constexpr int kFirstBlockColumn = 11;
constexpr int kCountersPerBlock = 16;
constexpr int kFirstTotalColumn = 91;

int countMoves(const QString& moves, int pair) {
    const QString token = QString::fromLatin1(kCountedTokens[pair]);
    int count = countOccurrences(moves, token);
    // The 3- and 4-point near falls are counted together.
    if (token == QLatin1String("N3")) count += countOccurrences(moves, QStringLiteral("N4"));
    return count;
}

bool twoDigits(const QString& text) {
    return text.size() == 2 && text[0].isDigit() && text[1].isDigit();
}

}  // namespace

TextTable makeTextTable(int columns) {
    return TextTable(kIndvTableRows, std::vector<QString>(columns));
}

QString levelCode(const QString& level) {
    if (level == QLatin1String("Varsity")) return QStringLiteral("V");
    if (level == QLatin1String("JV")) return QStringLiteral("JV");
    if (level == QLatin1String("Frosh")) return QStringLiteral("FR");
    return QStringLiteral("All");
}

std::optional<QDate> dateFromFixedPositions(const QString& text, bool always20) {
    const QString month = text.mid(0, 2);
    const QString day = text.mid(3, 2);
    const QString year = text.mid(6, 2);
    if (!twoDigits(month) || !twoDigits(day) || !twoDigits(year)) return std::nullopt;
    const int yy = year.toInt();
    const int fullYear = (always20 || yy < 30) ? 2000 + yy : 1900 + yy;
    const QDate date(fullYear, month.toInt(), day.toInt());
    if (!date.isValid()) return std::nullopt;
    return date;
}

void computeIndvSummaryStats(TextTable& results, const TextTable& matchRows, const QString& level,
                             const QDate& startDate, const QDate& endDate) {
    const QString code = levelCode(level);
    size_t j = 0;
    for (size_t i = 0; i < matchRows.size() && j < results.size(); ++i) {
        const std::vector<QString>& match = matchRows[i];
        if (match[0].isEmpty()) break;

        const std::optional<QDate> date = dateFromFixedPositions(match[0]);
        if (!date || *date < startDate || *date > endDate) continue;
        if (match[6] != code && code != QLatin1String("All")) continue;

        std::vector<QString>& row = results[j];
        row[0] = match[1];
        row[1] = match[0];
        row[2] = match[4];
        row[3] = match[5];
        row[4] = match[2];
        row[5] = match[3];
        row[6] = match[7];
        row[7] = match[8];
        row[8] = match[30];
        row[9] = match[6];

        if (leadingNumber(match[10]) == 1)
            row[10] = QStringLiteral("H");
        else if (leadingNumber(match[12]) == 1)
            row[10] = QStringLiteral("O");
        else
            row[10] = QString();

        for (int block = 0; block < 5; ++block) {
            const int start = kFirstBlockColumn + kCountersPerBlock * block;
            for (int offset = 0; offset < kCountersPerBlock; ++offset) {
                const bool home = offset % 2 == 0;
                const QString& moves =
                    match[home ? kBlockColumns[block].home : kBlockColumns[block].opp];
                row[start + offset] = QString::number(countMoves(moves, offset / 2));
            }
        }
        for (int offset = 0; offset < kCountersPerBlock; ++offset) {
            long long total = 0;
            for (int block = 0; block < 5; ++block)
                total += static_cast<long long>(
                    leadingNumber(row[kFirstBlockColumn + kCountersPerBlock * block + offset]));
            row[kFirstTotalColumn + offset] = signedNumberText(total);
        }
        ++j;
    }
}

void removedLoader(TextTable& /*matchRows*/, const QString& /*name*/) {
    ui::msgBox(QStringLiteral("removed 9/15/05"), ui::Buttons::OK);
}

void chkdates(QString& /*date*/, short& /*errorFlag*/, short& /*other*/) {
    ui::msgBox(QStringLiteral("chkdates removed--use CheckDateFormat"), ui::Buttons::OK);
}
