#include "matches/find_match_lists.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "core/connection.h"

namespace {

// A text as the database compares it without regard to case: the letters A to Z as a to z, and
// the bytes of its UTF-8 form one by one. Null is none.
std::optional<QByteArray> noCaseKey(const db::Value& value) {
    if (value.isNull()) return std::nullopt;
    QByteArray bytes = value.toString().toUtf8();
    for (char& c : bytes)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return bytes;
}

// Null before any text, texts in the database's order without regard to case.
bool valueBefore(const std::optional<QByteArray>& a, const std::optional<QByteArray>& b) {
    if (!a || !b) return !a && b;
    return *a < *b;
}

// The distinct values of one or two text columns as SELECT DISTINCT gives them: compared
// without regard to case, Null as a value of its own. A value written in two ways (letter case
// apart) is kept as first read, as the lists' own queries keep it: they meet the bouts in the
// same order.
class DistinctRows {
public:
    void add(const db::Value& first, const db::Value& second = db::Value()) {
        // Most rows repeat a spelling read before: found by its exact text at once.
        const Exact exact{first.isNull(), second.isNull(), first.toString(), second.toString()};
        if (seen_.contains(exact)) return;
        seen_.insert(exact);
        std::vector<std::optional<QByteArray>> key{noCaseKey(first), noCaseKey(second)};
        if (!keys_.insert(key).second) return;
        rows_.push_back({{exact.first, exact.second}, std::move(key)});
    }

    // Column `column` of the rows (Null as empty text): in the order first read, or in the
    // order of the values once sorted.
    QStringList column(int column) const {
        QStringList list;
        for (const Row& row : rows_) list << row.texts[column];
        return list;
    }
    // In the order of ORDER BY over the columns: Null first, then without regard to case.
    void sort() {
        std::sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return keyBefore(a.key, b.key); });
    }

private:
    struct Exact {
        bool firstNull, secondNull;
        QString first, second;
        bool operator==(const Exact&) const = default;
        friend size_t qHash(const Exact& e, size_t seed) {
            return qHashMulti(seed, e.firstNull, e.secondNull, e.first, e.second);
        }
    };
    using Key = std::vector<std::optional<QByteArray>>;
    static bool keyBefore(const Key& a, const Key& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), valueBefore);
    }
    struct Row {
        QString texts[2];  // Null as empty text
        Key key;
    };
    QSet<Exact> seen_;
    std::set<Key, decltype(&keyBefore)> keys_{&keyBefore};
    std::vector<Row> rows_;
};

// Two values of the date column that are one: the same date, or the same text.
bool sameValue(const db::Value& a, const db::Value& b) {
    if (a.kind() != b.kind()) return false;
    return a.isDate() ? a.toDate() == b.toDate() : a.toString() == b.toString();
}

}  // namespace

FinderLists readFinderLists(const db::Params& window, const PickFilter& filter, const FinderListsWanted& wanted) {
    db::Params params = window;
    params.insert(params.end(), filter.params.begin(), filter.params.end());

    // The bouts in the order of the date index, which holds the school after the date: the order
    // in which the lists' own queries meet them, so that the names come in the order of their
    // first bouts and the first of two ways of writing a name is the one the queries keep.
    db::Recordset rs = openForwardRecordset(
        QStringLiteral("SELECT [Match].Seq AS MSeq, [Match].[Date] AS [Date], FullName, OppSchool, OppFName, "
                       "OppLName FROM OppSchool INNER JOIN (Wrestler INNER JOIN [MATCH] ON Wrestler.Seq = "
                       "[MATCH].seqWrestler) ON OppSchool.Seq = [MATCH].seqOppSchool WHERE Date BETWEEN ? AND ? ") +
            filter.text + QStringLiteral(" ORDER BY [Match].[Date], [Match].SeqOppSchool, [Match].Seq"),
        params);
    const bool anyList = wanted.names || wanted.dates || wanted.schools || wanted.opponents;
    FinderLists lists;
    DistinctRows names, schools, opponents;
    db::Value lastDate;
    const QChar tab(QLatin1Char('\t'));
    for (; !rs.isEOF(); rs.moveNext()) {
        const db::Value date = rs.field(1);
        const db::Value fullName = rs.field(2);
        const db::Value school = rs.field(3);
        if (lists.matches.size() <= 5) {
            lists.matches << date.toString() + tab + fullName.toString() + tab + school.toString() + tab +
                                 rs.field(5).toString();
            lists.matchSeqs << rs.field(0).toString();
        } else if (!anyList) {
            break;  // only whether there are more than five matters
        }
        if (wanted.names) names.add(fullName);
        if (wanted.dates && (lists.dates.isEmpty() || !sameValue(date, lastDate))) {
            lists.dates << date.toString();
            lastDate = date;
        }
        if (wanted.schools) schools.add(school);
        if (wanted.opponents) opponents.add(rs.field(4), rs.field(5));
    }
    closeRecordset(rs);

    if (wanted.names) lists.names = names.column(0);
    if (wanted.schools) {
        schools.sort();
        lists.schools = schools.column(0);
    }
    if (wanted.opponents) {
        opponents.sort();
        lists.oppFirsts = opponents.column(0);
        lists.oppLasts = opponents.column(1);
    }
    return lists;
}
