#include "match_reports/detail_report_text.h"

#include <QStringBuilder>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <system_error>

#include "core/connection.h"
#include "core/helpers.h"
#include "match_reports/report_support.h"
#include "platform/db/DbError.h"
#include "platform/db/ParallelRead.h"
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
QString measuredSchoolCells(const QString& school, const WidthTwips& widthTwips, double dialogUnitTwips) {
    const std::vector<int>& stops = detailTabStops();  // columns 2, 3 and 4 start at the first three
    const int toWeightColumn = static_cast<int>(std::lround((stops[1] - stops[0]) * dialogUnitTwips));
    const int room = static_cast<int>(std::lround((stops[2] - stops[0]) * dialogUnitTwips)) -
                     widthTwips(QStringLiteral(" "));
    const QString shown = cutToTwips(school, room, widthTwips);
    return shown + (widthTwips(shown) >= toWeightColumn ? TAB : TAB + TAB);
}

// How the names and schools of the report are laid out: measured as they come, or looked up in
// tables measured beforehand (rows read on other threads, where nothing can be measured). A
// look-up that finds nothing gives false.
struct Layouts {
    std::function<bool(const QString& firstName, const QString& lastName, QString& shown)> name;
    std::function<bool(const QString& school, QString& cells)> school;
};

// Layouts that measure each name and school as it comes.
Layouts measuringLayouts(const WidthTwips& widthTwips, double dialogUnitTwips) {
    return {[&widthTwips](const QString& firstName, const QString& lastName, QString& shown) {
                shown = displayedName(firstName, lastName, widthTwips);
                return true;
            },
            [&widthTwips, dialogUnitTwips](const QString& school, QString& cells) {
                cells = measuredSchoolCells(school, widthTwips, dialogUnitTwips);
                return true;
            }};
}

// Every wrestler's name and every school of the file, laid out beforehand for the rows read on
// other threads.
struct MeasuredNames {
    QHash<std::pair<QString, QString>, QString> names;
    QHash<QString, QString> schools;

    MeasuredNames(const WidthTwips& widthTwips, double dialogUnitTwips) {
        db::Recordset rs = openForwardRecordset(QStringLiteral("SELECT FirstName, LastName FROM Wrestler"));
        for (; !rs.isEOF(); rs.moveNext()) {
            std::pair<QString, QString> key{rs.field(0).toString(), rs.field(1).toString()};
            if (!names.contains(key))
                names.insert(key, displayedName(key.first, key.second, widthTwips));
        }
        closeRecordset(rs);
        rs = openForwardRecordset(QStringLiteral("SELECT OppSchool FROM OppSchool"));
        for (; !rs.isEOF(); rs.moveNext()) {
            const QString school = rs.field(0).toString();
            if (!schools.contains(school))
                schools.insert(school, measuredSchoolCells(school, widthTwips, dialogUnitTwips));
        }
        closeRecordset(rs);
    }

    // Layouts that only look up (the tables are only read, by any number of threads).
    Layouts layouts() const {
        return {[this](const QString& firstName, const QString& lastName, QString& shown) {
                    const auto found = names.constFind({firstName, lastName});
                    if (found == names.cend()) return false;
                    shown = *found;
                    return true;
                },
                [this](const QString& school, QString& cells) {
                    const auto found = schools.constFind(school);
                    if (found == schools.cend()) return false;
                    cells = *found;
                    return true;
                }};
    }
};

// The school cells of the bouts, each school laid out once. The bouts of a dual come one after
// another, so the last school is tried before the others.
class SchoolCells {
public:
    explicit SchoolCells(const Layouts& layouts) : layouts_(layouts) {}

    // Null when the school could not be laid out.
    const QString* cells(const QString& school) {
        if (haveLast_ && lastSchool_ == school) return &lastCells_;
        auto known = cells_.constFind(school);
        if (known == cells_.cend()) {
            QString laidOut;
            if (!layouts_.school(school, laidOut)) return nullptr;
            known = cells_.insert(school, laidOut);
        }
        haveLast_ = true;
        lastSchool_ = school;
        lastCells_ = *known;
        return &lastCells_;
    }

private:
    const Layouts& layouts_;
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

bool knownWinTypeColumns(const QString& winType, QString& cells) {
    if (winType == QLatin1String("Fall")) cells = QStringLiteral("1\t\t\t\t");
    else if (winType == QLatin1String("DEC")) cells = QStringLiteral("\t1\t\t\t");
    else if (winType == QLatin1String("MD")) cells = QStringLiteral("\t\t1\t\t");
    else if (winType == QLatin1String("TF")) cells = QStringLiteral("\t\t\t1\t");
    else if (winType == QLatin1String("Other") || winType == QLatin1String("Forfeit"))
        cells = QStringLiteral("\t\t\t\t1");
    else return false;
    return true;
}

QString winTypeColumns(const QString& winType) {
    QString cells;
    if (!knownWinTypeColumns(winType, cells))
        ui::msgBox(QStringLiteral("Wintype not found---function wintype/frmIndDeatil"), ui::Buttons::OK,
                   winType);
    return cells;
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
    detailBoutMarks(rs, columns, marks, false);
    return marks;
}

bool detailBoutMarks(const db::Recordset& rs, const DetailColumns& columns, DetailBoutMarks& marks,
                     bool quiet) {
    firstPointMark(rs.field(columns.firstPoint).toString(), marks.homeMark, marks.oppMark);
    const db::Value winType = rs.field(columns.winType);
    QString cells;
    if (!winType.isNull()) {
        if (quiet) {
            if (!knownWinTypeColumns(winType.toString(), cells)) return false;
        } else {
            cells = winTypeColumns(winType.toString());
        }
    }
    const bool homeWon = rs.field(columns.wl).toString() == QLatin1String("W");
    marks.homeWinCells = homeWon ? cells : QString();
    marks.oppWinCells = homeWon ? QString() : cells;
    return true;
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

void DetailTotals::addTotals(const DetailTotals& other) {
    for (const Pair& theirs : other.pairs_) {
        Pair& ours = pairs_[pairOf(theirs.name)];
        for (int i = 0; i < kCounts; ++i) {
            ours.own[i] = db::clampedSum(ours.own[i], theirs.own[i]);
            ours.opponents[i] = db::clampedSum(ours.opponents[i], theirs.opponents[i]);
        }
    }
}

namespace {

// The bout lines and the totals of rows of the detail query, added row after row. A quiet
// builder (rows read on another thread) shows no message and measures nothing: it stops at a row
// that would need one of them, or whose counts are so large that totals added up apart could
// differ from totals added up in one run (a sum stops at the largest number).
class BoutLines {
public:
    BoutLines(const Layouts& layouts, bool quiet) : layouts_(layouts), quiet_(quiet), schools_(layouts) {}

    QString text;
    DetailTotals totals;

    // Adds the rows of `rs`; false when a quiet builder stopped.
    bool addRows(db::Recordset& rs) {
        const DetailColumns columns(rs);
        db::Value home[7], opp[7];
        DetailBoutMarks marks;
        for (; !rs.isEOF(); rs.moveNext()) {
            const QString lastName = rs.field(columns.lastName).toString();
            if (lastName.isEmpty()) continue;
            if (!detailBoutMarks(rs, columns, marks, quiet_)) return false;
            std::pair<QString, QString> key{rs.field(columns.firstName).toString(), lastName};
            auto wrestler = wrestlers_.constFind(key);
            if (wrestler == wrestlers_.cend()) {
                QString shown;
                if (!layouts_.name(key.first, key.second, shown)) return false;
                wrestler = wrestlers_.insert(key, {shown, totals.pairOf(shown)});
            }
            const QString* schoolCells = schools_.cells(rs.field(columns.school).toString());
            if (!schoolCells) return false;
            readMoves(home, rs, columns.home);
            readMoves(opp, rs, columns.opp);
            if (quiet_ && (!small(home) || !small(opp))) return false;
            // Bouts come by date: each date is written out once.
            const db::Value date = rs.field(columns.date);
            if (!date.isDate() || date.toDate() != lastDate_) {
                lastDate_ = date.isDate() ? date.toDate() : QDate();
                lastDateText_ = date.toString();
            }
            // Added in place, without texts of their own: a wide range has hundreds of thousands
            // of bouts.
            text += lastDateText_ % TAB % wrestler->name % TAB % rs.field(columns.weight).toString() % TAB %
                    marks.homeMark;
            addCountCells(text, home);
            text += TAB % marks.homeWinCells % CRLF;
            text += TAB % *schoolCells % marks.oppMark;
            addCountCells(text, opp);
            text += TAB % marks.oppWinCells % CRLF % CRLF;
            totals.addBout(wrestler->totals, home, opp, marks);
        }
        return true;
    }

private:
    // Counts whose sums cannot reach the largest number however many bouts are added.
    static bool small(const db::Value (&moves)[7]) {
        constexpr long long kLargest = 1LL << 31;
        for (const db::Value& count : moves) {
            const long long n = count.toInt();
            if (n > kLargest || n < -kLargest) return false;
        }
        return true;
    }

    const Layouts& layouts_;
    bool quiet_;
    SchoolCells schools_;
    // The same wrestlers come back bout after bout: each is named and given his totals once.
    struct Wrestler {
        QString name;
        size_t totals;
    };
    QHash<std::pair<QString, QString>, Wrestler> wrestlers_;
    QDate lastDate_;
    QString lastDateText_;
};

// The boxes' range cut into stretches of dates to be read apart, when every bout of it is
// reported.
std::vector<match_reports::DateStretch> dateStretches(const DetailChoices& choices) {
    if (choices.school != QLatin1String("ALL") || choices.wrestler != QLatin1String("ALL")) return {};
    QString start;
    QString end;
    getDateRange(choices.dateStart, choices.dateEnd, start, end);
    return match_reports::dateStretches(rangeStartDate(start), rangeEndDate(end));
}

QString summaryText(const DetailTotals& totals) {
    QString summary = totalsLine(kHeads) + totalsLine(kUnderlines);
    for (const DetailTotals::Pair& pair : totals.pairs()) {
        summary += totalsRow(pair.name, pair.own);
        summary += totalsRow(QStringLiteral("Opponent"), pair.opponents) + CRLF;
    }
    return summary;
}

// The report read in stretches of dates on several threads, or false when a stretch met a row
// that must be built on this thread (the report is then built here in one run).
bool readInStretches(const DetailChoices& choices, const std::vector<match_reports::DateStretch>& stretches,
                     const WidthTwips& widthTwips, double dialogUnitTwips, DetailReport& report) {
    const MeasuredNames measured(widthTwips, dialogUnitTwips);
    const Layouts layouts = measured.layouts();
    std::vector<DetailQuery> queries;
    std::vector<BoutLines> parts;
    for (const match_reports::DateStretch& stretch : stretches) {
        queries.push_back(detailQuery(choices, stretch));
        parts.emplace_back(layouts, true);
    }
    try {
        const bool whole = db::readInParallel(gConn, static_cast<int>(stretches.size()),
                                              [&](int part, db::Connection& reader) {
                                                  db::Recordset rs = reader.openForward(queries[part].sql,
                                                                                        queries[part].params);
                                                  return parts[part].addRows(rs);
                                              });
        if (!whole) return false;
    } catch (const db::DbError&) {
        return false;  // read in one run, which meets the error again if it lasts
    } catch (const std::system_error&) {
        return false;  // no thread to be had
    }
    qsizetype size = report.results.size();
    for (const BoutLines& part : parts) size += part.text.size();
    report.results.reserve(size);
    DetailTotals totals;
    for (BoutLines& part : parts) {
        report.results += part.text;
        part.text.clear();
        totals.addTotals(part.totals);
    }
    report.summary = summaryText(totals);
    return true;
}

}  // namespace

DetailReport detailReportText(const DetailChoices& choices, const WidthTwips& widthTwips,
                              double dialogUnitTwips) {
    DetailReport report;
    const QString head = kHeads.join(TAB) + CRLF + kUnderlines.join(TAB) + CRLF;
    report.results = head;
    ConnectionScope connection;
    const std::vector<match_reports::DateStretch> stretches = dateStretches(choices);
    if (!stretches.empty() && readInStretches(choices, stretches, widthTwips, dialogUnitTwips, report))
        return report;

    report.results = head;
    const Layouts layouts = measuringLayouts(widthTwips, dialogUnitTwips);
    BoutLines lines(layouts, false);
    {
        const DetailQuery query = detailQuery(choices);
        // The bouts are read one at a time, not held.
        db::Recordset rs = openForwardRecordset(query.sql, query.params);
        lines.addRows(rs);
        closeRecordset(rs);
    }
    report.results += lines.text;
    report.summary = summaryText(lines.totals);
    return report;
}
