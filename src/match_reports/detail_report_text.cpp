#include "match_reports/detail_report_text.h"

#include <QStringBuilder>
#include <QStringList>
#include <cmath>

#include "core/connection.h"
#include "core/helpers.h"
#include "match_reports/report_support.h"
#include "platform/fonts/TextFit.h"
#include "platform/ui/Messages.h"

using match_reports::CRLF;
using match_reports::TAB;

namespace {

// Width of the name column, from its tab stop to the next, in twips.
constexpr int kNameColumnTwips = 2340;

const QStringList kHeads = {
    QStringLiteral("Date"), QStringLiteral("Name"), QStringLiteral("WT"),  QStringLiteral("1st"),
    QStringLiteral("TD"),   QStringLiteral("Rev"),  QStringLiteral("Esc"), QStringLiteral("NF2"),
    QStringLiteral("NF3"),  QStringLiteral("Pen"),  QStringLiteral("War"), QStringLiteral("Pin"),
    QStringLiteral("Dec"),  QStringLiteral("MD"),   QStringLiteral("TF"),  QStringLiteral("Other"),
};
const QStringList kUnderlines = {
    QStringLiteral("--------"), QStringLiteral("----------"), QStringLiteral("----"),
    QStringLiteral("-----"),    QStringLiteral("----"),       QStringLiteral("------"),
    QStringLiteral("------"),   QStringLiteral("------"),     QStringLiteral("------"),
    QStringLiteral("-------"),  QStringLiteral("------"),     QStringLiteral("-----"),
    QStringLiteral("------"),   QStringLiteral("-----"),      QStringLiteral(" ----"),
    QStringLiteral("--------"),
};

const char* const kHomeCounts[] = {"tdH", "revH", "escH", "nf2H", "nf3H", "pH", "wH"};
const char* const kOppCounts[] = {"tdO", "revO", "escO", "nf2O", "nf3O", "pO", "wO"};

// The totals head: the cells of the date and weight columns left empty.
QString totalsLine(const QStringList& cells) {
    QStringList shown = cells;
    shown[0].clear();
    shown[2].clear();
    return shown.join(TAB) + CRLF;
}

using WidthTwips = std::function<int(const QString&)>;

// The text cut at its end until it is at most `room` twips wide.
QString cutToTwips(const QString& text, int room, const WidthTwips& widthTwips) {
    const auto measured = [&widthTwips](QStringView part) { return widthTwips(part.toString()); };
    return text.left(fittingLength(text, room, measured));
}

// The home wrestler's name as the name column shows it: the full name, else the initial and the
// last name, else the last name cut until it fits.
QString displayedName(const QString& firstName, const QString& lastName, const WidthTwips& widthTwips) {
    const QString full = firstName + QLatin1Char(' ') + lastName;
    if (widthTwips(full) <= kNameColumnTwips) return full;
    const QString initial = firstName.left(1) + QLatin1Char(' ') + lastName;
    if (widthTwips(initial) <= kNameColumnTwips) return initial;
    return cutToTwips(lastName, kNameColumnTwips, widthTwips);
}

// The opponent's school and the TABs that bring the opponent line to the first-point column:
// the school may run on over the empty weight column but is cut a blank short of the first-point
// column; one TAB when it reaches past the weight column's stop, else two. The stops are those of
// the report box, whose dialog unit is `dialogUnitTwips` wide.
class SchoolCells {
public:
    SchoolCells(const WidthTwips& widthTwips, double dialogUnitTwips) : widthTwips_(widthTwips) {
        const std::vector<int>& stops = detailTabStops();  // columns 2, 3 and 4 start at the first three
        toWeightColumn_ = static_cast<int>(std::lround((stops[1] - stops[0]) * dialogUnitTwips));
        room_ = static_cast<int>(std::lround((stops[2] - stops[0]) * dialogUnitTwips)) -
                widthTwips(QStringLiteral(" "));
    }

    // The same school comes back bout after bout: each is laid out once. The bouts of a dual
    // come one after another, so the last school is tried before the others.
    const QString& cells(const QString& school) {
        if (haveLast_ && lastSchool_ == school) return lastCells_;
        auto known = cells_.constFind(school);
        if (known == cells_.cend()) {
            const QString shown = cutToTwips(school, room_, widthTwips_);
            const bool pastWeightColumn = widthTwips_(shown) >= toWeightColumn_;
            known = cells_.insert(school, shown + (pastWeightColumn ? TAB : TAB + TAB));
        }
        haveLast_ = true;
        lastSchool_ = school;
        lastCells_ = *known;
        return lastCells_;
    }

private:
    const WidthTwips& widthTwips_;
    int toWeightColumn_ = 0;  // from the school's start to the weight column, in twips
    int room_ = 0;            // the widest school shown
    QHash<QString, QString> cells_;
    bool haveLast_ = false;
    QString lastSchool_;
    QString lastCells_;
};

// Adds the "1"s of a winTypeColumns text to the win counts (indices 8 to 12).
void addWins(long long* counts, const QString& winCells) {
    if (winCells.isEmpty()) return;
    int k = 0;
    for (const QStringView cell : QStringView(winCells).tokenize(TAB)) {
        if (k >= 5) break;
        if (cell == QLatin1String("1")) counts[8 + k] += 1;
        ++k;
    }
}

void addSide(long long* counts, const db::Value (&moves)[7], const QString& mark, const QString& winCells) {
    if (mark == QLatin1String("1")) counts[0] += 1;
    // A count stored as Null adds nothing; absurd stored counts stop at the largest total.
    for (int i = 0; i < 7; ++i) counts[1 + i] = db::clampedSum(counts[1 + i], moves[i].toInt());
    addWins(counts, winCells);
}

// The seven move counts of one side of the current bout.
void readMoves(db::Value (&moves)[7], const db::Recordset& rs, const int (&columns)[7]) {
    for (int i = 0; i < 7; ++i) moves[i] = rs.field(columns[i]);
}

// The move counts, each after one tab, added to the end of `text` (a Null count as the empty
// text).
void addCountCells(QString& text, const db::Value (&moves)[7]) {
    // Counts are small: written digit by digit, the seven cells go onto the text in one append
    // (the widest report has 150,000 bouts). Any other count is written as its own text.
    QChar cells[7 * 3];
    qsizetype used = 0;
    for (const db::Value& count : moves) {
        const long long n = count.kind() == db::Value::Kind::Integer ? count.toInt() : -1;
        if (n < 0 || n >= 100) {
            text.append(cells, used);
            used = 0;
            text += TAB;
            text += count.toString();
            continue;
        }
        cells[used++] = QLatin1Char('\t');
        if (n >= 10) cells[used++] = QLatin1Char(char('0' + n / 10));
        cells[used++] = QLatin1Char(char('0' + n % 10));
    }
    text.append(cells, used);
}

QString totalsRow(const QString& name, const long long (&counts)[DetailTotals::kCounts]) {
    QString row = TAB + name + TAB + TAB;
    for (long long n : counts) row += signedNumberText(n) + TAB;
    return row + CRLF;
}

}  // namespace

const std::vector<int>& detailTabStops() {
    static const std::vector<int> stops = {45,  150, 190, 225, 260, 295, 330, 365,
                                           400, 435, 480, 515, 550, 585, 620};
    return stops;
}

QString winTypeColumns(const QString& winType) {
    if (winType == QLatin1String("Fall")) return QStringLiteral("1\t\t\t\t");
    if (winType == QLatin1String("DEC")) return QStringLiteral("\t1\t\t\t");
    if (winType == QLatin1String("MD")) return QStringLiteral("\t\t1\t\t");
    if (winType == QLatin1String("TF")) return QStringLiteral("\t\t\t1\t");
    if (winType == QLatin1String("Other") || winType == QLatin1String("Forfeit"))
        return QStringLiteral("\t\t\t\t1");
    ui::msgBox(QStringLiteral("Wintype not found---function wintype/frmIndDeatil"), ui::Buttons::OK,
               winType);
    return QString();
}

void firstPointMark(const QString& firstPoint, QString& homeMark, QString& oppMark) {
    homeMark = firstPoint == QLatin1String("H") ? QStringLiteral("1") : QString();
    oppMark = firstPoint == QLatin1String("O") ? QStringLiteral("1") : QString();
}

DetailColumns::DetailColumns(const db::Recordset& rs) {
    const auto at = [&rs](const char* name) {
        const int index = rs.fieldIndex(name);
        if (index < 0) rs.field(name);  // raises the error of an unknown name
        return index;
    };
    firstName = at("FirstName");
    lastName = at("LastName");
    date = at("Date");
    weight = at("Weight");
    school = at("OppSchool");
    firstPoint = at("FirstPoint");
    winType = at("WinType");
    wl = at("WL");
    for (int i = 0; i < 7; ++i) {
        home[i] = at(kHomeCounts[i]);
        opp[i] = at(kOppCounts[i]);
    }
}

DetailBoutMarks detailBoutMarks(const db::Recordset& rs, const DetailColumns& columns) {
    DetailBoutMarks marks;
    firstPointMark(rs.field(columns.firstPoint).toString(), marks.homeMark, marks.oppMark);
    const db::Value winType = rs.field(columns.winType);
    const QString cells = winType.isNull() ? QString() : winTypeColumns(winType.toString());
    if (rs.field(columns.wl).toString() == QLatin1String("W")) marks.homeWinCells = cells;
    else marks.oppWinCells = cells;
    return marks;
}

QString moveCountCells(const db::Recordset& rs, const DetailColumns& columns, bool home) {
    QString cells;
    addMoveCountCells(cells, rs, columns, home);
    return cells;
}

void addMoveCountCells(QString& text, const db::Recordset& rs, const DetailColumns& columns, bool home) {
    db::Value moves[7];
    readMoves(moves, rs, home ? columns.home : columns.opp);
    addCountCells(text, moves);
}

size_t DetailTotals::pairOf(const QString& name) {
    const auto known = index_.constFind(name);
    if (known != index_.cend()) return *known;
    index_.insert(name, pairs_.size());
    pairs_.emplace_back();
    pairs_.back().name = name;
    return pairs_.size() - 1;
}

void DetailTotals::addBout(const QString& name, const db::Recordset& rs, const DetailColumns& columns,
                           const DetailBoutMarks& marks) {
    db::Value home[7], opp[7];
    readMoves(home, rs, columns.home);
    readMoves(opp, rs, columns.opp);
    addBout(pairOf(name), home, opp, marks);
}

void DetailTotals::addBout(size_t pair, const db::Value (&home)[7], const db::Value (&opp)[7],
                           const DetailBoutMarks& marks) {
    addSide(pairs_[pair].own, home, marks.homeMark, marks.homeWinCells);
    addSide(pairs_[pair].opponents, opp, marks.oppMark, marks.oppWinCells);
}

DetailReport detailReportText(const DetailQuery& query, const WidthTwips& widthTwips,
                              double dialogUnitTwips) {
    DetailReport report;
    DetailTotals totals;
    SchoolCells schools(widthTwips, dialogUnitTwips);
    QString& out = report.results;
    out = kHeads.join(TAB) + CRLF + kUnderlines.join(TAB) + CRLF;
    {
        ConnectionScope connection;
        // The widest report has 150,000 bouts: they are read one at a time, not held.
        db::Recordset rs = openForwardRecordset(query.sql, query.params);
        const DetailColumns columns(rs);
        QDate lastDate;
        QString lastDateText;
        // The same wrestlers come back bout after bout: each is named and given his totals once.
        struct Wrestler {
            QString name;
            size_t totals;
        };
        QHash<std::pair<QString, QString>, Wrestler> wrestlers;
        db::Value home[7], opp[7];
        for (; !rs.isEOF(); rs.moveNext()) {
            const QString lastName = rs.field(columns.lastName).toString();
            if (lastName.isEmpty()) continue;
            const DetailBoutMarks marks = detailBoutMarks(rs, columns);
            std::pair<QString, QString> key{rs.field(columns.firstName).toString(), lastName};
            auto wrestler = wrestlers.constFind(key);
            if (wrestler == wrestlers.cend()) {
                const QString shown = displayedName(key.first, key.second, widthTwips);
                wrestler = wrestlers.insert(key, {shown, totals.pairOf(shown)});
            }
            const QString& name = wrestler->name;
            readMoves(home, rs, columns.home);
            readMoves(opp, rs, columns.opp);
            // Bouts come by date: each date is written out once.
            const db::Value date = rs.field(columns.date);
            if (!date.isDate() || date.toDate() != lastDate) {
                lastDate = date.isDate() ? date.toDate() : QDate();
                lastDateText = date.toString();
            }
            // Added in place, without texts of their own: the widest report has 50,000 bouts.
            out += lastDateText % TAB % name % TAB % rs.field(columns.weight).toString() % TAB % marks.homeMark;
            addCountCells(out, home);
            out += TAB % marks.homeWinCells % CRLF;
            out += TAB % schools.cells(rs.field(columns.school).toString()) % marks.oppMark;
            addCountCells(out, opp);
            out += TAB % marks.oppWinCells % CRLF % CRLF;
            totals.addBout(wrestler->totals, home, opp, marks);
        }
        closeRecordset(rs);
    }

    QString& summary = report.summary;
    summary = totalsLine(kHeads) + totalsLine(kUnderlines);
    for (const DetailTotals::Pair& pair : totals.pairs()) {
        summary += totalsRow(pair.name, pair.own);
        summary += totalsRow(QStringLiteral("Opponent"), pair.opponents) + CRLF;
    }
    return report;
}
