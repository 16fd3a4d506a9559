#include "match_reports/dual_scores.h"

#include "core/connection.h"
#include "core/save_rules.h"
#include "match_reports/report_support.h"
#include "platform/ui/Messages.h"

namespace {

void writeScoreFields(db::Recordset& rs, const QDate& date, long long schoolSeq, double home, double opp) {
    rs.setField(QStringLiteral("CompDate"), date);
    rs.setField(QStringLiteral("SeqOppSchool"), schoolSeq);
    rs.setField(QStringLiteral("ScoreH"), home);
    rs.setField(QStringLiteral("ScoreO"), opp);
    rs.update();
}

}  // namespace

long long getOppSchoolSeq(const QString& school) {
    long long seq = 0;
    ConnectionScope connection;
    db::Recordset rs =
        openRecordset(QStringLiteral("SELECT Seq FROM OppSchool WHERE OppSchool = ?"), {school});
    if (rs.isEOF()) {
        ui::msgBox(QStringLiteral("Not a Valid School"), ui::Buttons::OK, QStringLiteral("Error"));
    } else {
        seq = rs.field("Seq").toInt();
    }
    closeRecordset(rs);
    return seq;
}

bool findDualScore(const QDate& date, long long schoolSeq, double& home, double& opp) {
    db::Recordset rs = openRecordset(
        QStringLiteral("Select * From DualScore Where CompDate = ? AND seqOppSchool = ?"),
        {date, schoolSeq});
    const bool found = !rs.isEOF();
    if (found) {
        home = rs.field("ScoreH").toDouble();
        opp = rs.field("ScoreO").toDouble();
    }
    closeRecordset(rs);
    return found;
}

long long findDualScoreRow(const QDate& date, long long schoolSeq, db::RowImage& found) {
    db::Recordset rs = openRecordset(
        QStringLiteral("Select * From DualScore Where CompDate =? AND seqOppSchool =?"),
        {date, schoolSeq});
    const long long seq = rs.isEOF() ? 0 : rs.field("Seq").toInt();
    if (seq) found = rs.image();
    closeRecordset(rs);
    return seq;
}

void updateDualScore(long long rowSeq, const db::RowImage& found, const QDate& date, long long schoolSeq,
                     double home, double opp) {
    db::Recordset rs =
        openRecordsetForUpdate(QStringLiteral("Select * From DualScore Where Seq = ?"), {rowSeq});
    rs.expectRow(found);
    writeScoreFields(rs, date, schoolSeq, home, opp);
    closeRecordset(rs);
}

void addDualScore(const QDate& date, long long schoolSeq, double home, double opp) {
    db::RowImage stored;
    requireStill(findDualScoreRow(date, schoolSeq, stored) == 0,
                 QStringLiteral("Nothing was saved: another program, or another copy of this one, has "
                                "saved a score for this meet since it was looked for here.  Look at it "
                                "again as it is now."));
    requireRowStill(recordsExist(QStringLiteral("SELECT Seq FROM OppSchool WHERE Seq = ?"), {schoolSeq}),
                    QStringLiteral("OppSchool"));
    db::Recordset rs = openRecordsetForUpdate(QStringLiteral("Select * From DualScore"));
    rs.addNew();
    writeScoreFields(rs, date, schoolSeq, home, opp);
    closeRecordset(rs);
}
