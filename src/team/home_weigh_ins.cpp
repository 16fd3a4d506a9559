#include "team/home_weigh_ins.h"

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/helpers.h"

namespace {

const QString kDateText = QStringLiteral("MM/dd/yyyy");

}  // namespace

std::vector<SeasonWrestler> seasonWrestlersWithMatches(const QString& season) {
    // The last weight is that of the latest-dated bout (of the latest entered on that day).
    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT FullName, MinWt, "
                       "(SELECT m2.ActWeight FROM [Match] AS m2 WHERE m2.SeqWrestler = Wrestler.Seq "
                       "ORDER BY m2.[Date] DESC, m2.Seq DESC LIMIT 1) AS LastWt, Max(Date) AS MaxDate"
                       " FROM Wrestler INNER JOIN [Match] ON Wrestler.Seq = [Match].seqWrestler "
                       " WHERE season = ?"
                       " GROUP BY FullName, MinWt "
                       " HAVING Fullname <> 'void' "
                       " ORDER BY Val(LastWt), FullName"),
        {season.toInt()});
    std::vector<SeasonWrestler> out;
    while (!rs.isEOF()) {
        out.push_back({rs.field(QStringLiteral("FullName")).toString(),
                       rs.field(QStringLiteral("LastWt")).toString(),
                       rs.field(QStringLiteral("MaxDate")).toDate().toString(kDateText),
                       rs.field(QStringLiteral("MinWt")).toString()});
        rs.moveNext();
    }
    closeRecordset(rs);
    return out;
}

bool latestBout(long long seqWrestler, QDate& date, double& weight) {
    // Only the first row is read.
    db::Recordset rs = openForwardRecordset(
        QStringLiteral("SELECT [Date] AS MaxDate, ActWeight AS LastWt FROM [Match] WHERE SeqWrestler = ? "
                       "ORDER BY [Date] DESC, Seq DESC"),
        {seqWrestler});
    const bool found = !rs.isEOF() && !rs.field(QStringLiteral("MaxDate")).isNull();
    if (found) {
        date = rs.field(QStringLiteral("MaxDate")).toDate();
        weight = leadingNumber(rs.field(QStringLiteral("LastWt")).toString());
    }
    closeRecordset(rs);
    return found;
}

long long wrestlerSeqInSeason(const QString& fullName, int season) {
    ConnectionScope conn;
    db::Recordset rs = openRecordsetByName(QStringLiteral("SELECT Seq From wrestler WHERE FullName=? AND Season = ?"),
                                           fullName, {season});
    const long long seq = rs.isEOF() ? -1 : rs.field(QStringLiteral("Seq")).toInt();
    closeRecordset(rs);
    return seq;
}

QStringList storedWeighInDates() {
    ConnectionScope connection;
    db::Recordset rs =
        openRecordset(QStringLiteral("SELECT CompDate From HomeWI GROUP BY CompDate ORDER BY CompDate"));
    QStringList dates;
    while (!rs.isEOF()) {
        dates << rs.field(QStringLiteral("CompDate")).toDate().toString(kDateText);
        rs.moveNext();
    }
    closeRecordset(rs);
    return dates;
}

std::vector<StoredWeighIn> loadWeighIn(const QDate& date) {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT HomeWI.Seq, CompDate, FullName, HomeWI.Weight "
                       "FROM Wrestler INNER JOIN HomeWI ON Wrestler.Seq = HomeWI.SeqWrestler "
                       "WHERE (CompDate = ?) ORDER BY HomeWI.Weight"),
        {date});
    std::vector<StoredWeighIn> out;
    while (!rs.isEOF()) {
        out.push_back({rs.field(QStringLiteral("Seq")).toString(),
                       rs.field(QStringLiteral("CompDate")).toDate().toString(kDateText),
                       rs.field(QStringLiteral("FullName")).toString(),
                       rs.field(QStringLiteral("Weight")).toString(), rs.image()});
        rs.moveNext();
    }
    closeRecordset(rs);
    return out;
}

void writeWeighIn(const QDate& date, const std::vector<WeighInRow>& rows, bool replace,
                  const QDate& replaceDate, const std::map<long long, db::RowImage>& shown) {
    ConnectionScope connection;
    gConn.inTransaction([&] {
        if (replace) {
            std::map<long long, db::RowImage> left = shown;
            db::Recordset old = openRecordsetForUpdate(
                QStringLiteral("SELECT * From HomeWI WHERE (HomeWI.CompDate=?) ORDER BY Seq DESC"), {replaceDate});
            while (!old.isEOF()) {
                const auto loaded = left.find(old.field(QStringLiteral("Seq")).toInt());
                if (loaded != left.end()) {
                    old.expectRow(loaded->second);
                    left.erase(loaded);
                } else if (recordsExist(QStringLiteral("SELECT Seq FROM Wrestler WHERE Seq = ?"),
                                        {old.field(QStringLiteral("SeqWrestler"))})) {
                    // Added since by another copy. (A row of no wrestler was never listed.)
                    throw db::rowChangedError(QStringLiteral("HomeWI"));
                }
                old.deleteRow();
                old.moveNext();
            }
            closeRecordset(old);
            if (!left.empty()) throw db::rowChangedError(QStringLiteral("HomeWI"));
        }
        db::Recordset rs =
            openRecordsetForUpdate(QStringLiteral("SELECT CompDate, SeqWrestler, Weight FROM HomeWI"));
        for (const WeighInRow& row : rows) {
            // A wrestler another copy deleted since his name was looked up gets no weigh-in
            // pointing at nothing.
            requireRowStill(recordsExist(QStringLiteral("SELECT Seq FROM Wrestler WHERE Seq = ?"), {row.seqWrestler}),
                            QStringLiteral("Wrestler"));
            rs.addNew();
            rs.setField(QStringLiteral("CompDate"), date);
            rs.setField(QStringLiteral("SeqWrestler"), row.seqWrestler);
            rs.setField(QStringLiteral("Weight"), row.weight);
            rs.update();
        }
        closeRecordset(rs);
    });
}
