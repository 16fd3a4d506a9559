#include "matches/find_match_lists.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <optional>
#include <vector>

#include "core/connection.h"

namespace {

// A text as the database compares it without regard to case: the letters A to Z as a to z.
QString foldedCase(const QString& text) {
    QString folded = text;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const char16_t c = folded.at(i).unicode();
        if (c >= u'A' && c <= u'Z') folded[i] = QChar(c - u'A' + u'a');
    }
    return folded;
}

// The distinct values of one or two text columns as SELECT DISTINCT gives them: compared
// without regard to case, Null as a value of its own. A value written in two ways (letter case
// apart) is kept as first read, as the lists' own queries keep it: they meet the bouts in the
// same order.
class DistinctRows {
public:
    void add(const db::Value& first, const db::Value& second = db::Value()) {
        // Most rows repeat a spelling read before: found by its exact text at once.
        const Texts exact{first.isNull(), second.isNull(), first.toString(), second.toString()};
        if (spellings_.contains(exact)) return;
        spellings_.insert(exact);
        const Texts value{exact.firstNull, exact.secondNull, foldedCase(exact.first), foldedCase(exact.second)};
        if (values_.contains(value)) return;
        values_.insert(value);
        rows_.push_back(exact);
    }

    // Column `column` of the rows (Null as empty text): in the order first read, or in the
    // order of the values once sorted.
    QStringList column(int column) const {
        QStringList list;
        for (const Texts& row : rows_) list << (column == 0 ? row.first : row.second);
        return list;
    }
    // In the order of ORDER BY over the columns: Null first, then as the database orders text
    // without regard to case, the bytes of the UTF-8 form one by one.
    void sort() {
        using Key = std::pair<std::optional<QByteArray>, std::optional<QByteArray>>;
        auto keyOf = [](bool null, const QString& text) {
            return null ? std::optional<QByteArray>() : std::optional<QByteArray>(foldedCase(text).toUtf8());
        };
        std::vector<std::pair<Key, Texts>> keyed;
        for (const Texts& row : rows_)
            keyed.push_back({{keyOf(row.firstNull, row.first), keyOf(row.secondNull, row.second)}, row});
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        rows_.clear();
        for (const auto& [key, row] : keyed) rows_.push_back(row);
    }

private:
    struct Texts {
        bool firstNull, secondNull;
        QString first, second;  // Null as empty text
        bool operator==(const Texts&) const = default;
        friend size_t qHash(const Texts& t, size_t seed) {
            return qHashMulti(seed, t.firstNull, t.secondNull, t.first, t.second);
        }
    };
    QSet<Texts> spellings_;
    QSet<Texts> values_;
    std::vector<Texts> rows_;
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
