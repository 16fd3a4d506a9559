// Statistic codes: their SQL pieces, and what they count over stored matches.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include "core/connection.h"
#include "matches/move_tallies.h"
#include "platform/ui/ui.h"
#include "statistics/season_db_test.h"
#include "statistics/stat_codes.h"
#include "support/qt_printers.h"

namespace {

const QStringList kSumCodes{"TDH", "TDO", "REVH", "REVO", "ESCH", "ESCO", "NF2H", "NF2O",
                            "NF3H", "NF3O", "NFH",  "NFO",  "PH",   "PO",   "WH",   "WO"};

// The bracketed column names of a sum expression, in order.
QStringList sumColumns(const QString& expr) {
    QStringList names;
    for (const QString& term : expr.split(QLatin1Char('+'))) {
        EXPECT_TRUE(term.startsWith('[') && term.endsWith(']')) << term.toStdString();
        names << term.mid(1, term.size() - 2);
    }
    return names;
}

TEST(StatCodes, CaseOfTheCodeDoesNotMatter) {
    ui::ScriptedMessages msgs;
    const QString tdh = getStatExpr("TDH");
    EXPECT_EQ(tdh, "[tp1home]+[tp2home]+[tp3home]+[tpothome]+[tpdothome]+[tpdot1home]+[tpdot2home]");
    EXPECT_EQ(getStatExpr("tdh"), tdh);
    EXPECT_EQ(getStatExpr("TdH"), tdh);
    EXPECT_EQ(getStatExpr("esco"),
              "[ep1Opp]+[ep2Opp]+[ep3Opp]+[epotOpp]+[epdotOpp]+[epdot1Opp]+[epdot2Opp]");
    EXPECT_EQ(getStatExpr("TeamPts"), " [TeamPoints]");
    EXPECT_TRUE(msgs.messages().empty());
}

TEST(StatCodes, EverySumNamesRealTallyColumnsOfOneKindAndSideOnce) {
    ui::ScriptedMessages msgs;
    const QStringList tallies = tallyColumnNames();
    const QStringList periods{"1", "2", "3", "ot", "dot", "dot1", "dot2"};
    for (const QString& code : kSumCodes) {
        const QStringList columns = sumColumns(getStatExpr(code));
        const bool nearFalls = code == "NFH" || code == "NFO";
        ASSERT_EQ(columns.size(), nearFalls ? 14 : 7) << code.toStdString();
        const QString side = code.endsWith('H') ? "home" : "opp";
        for (int i = 0; i < columns.size(); ++i) {
            const QString& column = columns[i];
            EXPECT_TRUE(tallies.contains(column, Qt::CaseInsensitive)) << column.toStdString();
            EXPECT_EQ(columns.count(column), 1) << column.toStdString();
            EXPECT_TRUE(column.endsWith(side, Qt::CaseInsensitive)) << column.toStdString();
            // Periods in the order 1, 2, 3, ot, dot, dot1, dot2 (near falls: nf2p, then nf3p).
            const QString period = periods[i % 7];
            const QString body = column.left(column.size() - side.size());
            EXPECT_TRUE(body.endsWith(period)) << column.toStdString();
        }
        if (nearFalls) {
            EXPECT_TRUE(columns[0].startsWith("nf2p"));
            EXPECT_TRUE(columns[7].startsWith("nf3p"));
        }
    }
    EXPECT_TRUE(msgs.messages().empty());
}

TEST(StatCodes, UnknownCodeSaysSoAndGivesNothing) {
    ui::ScriptedMessages msgs;
    msgs.expect("ERROR  TDHNot valid").expect("ERROR TDH Not valid").expect("ERROR Not valid");
    EXPECT_TRUE(getStatExpr(" TDH").isEmpty());
    EXPECT_TRUE(getStatExpr("TDH ").isEmpty());
    EXPECT_TRUE(getStatExpr("").isEmpty());
    ASSERT_EQ(msgs.messages().size(), 3u);
    EXPECT_EQ(msgs.messages()[0].text, "ERROR  TDHNot valid");
    EXPECT_EQ(msgs.messages()[2].text, "ERROR Not valid");
    EXPECT_EQ(msgs.last().title, "Kestrivane");
    EXPECT_EQ(msgs.last().buttons, ui::Buttons::OK);
}

class StatCodesOverMatches : public SeasonDbTest {
protected:
    // How many of Adam Alder's 2010 matches pass a count condition.
    int countFor(const QString& code) {
        openConnection();
        db::Recordset rs = openRecordset(
            "SELECT COUNT([Match].Seq) AS n FROM [Match] WHERE SeqWrestler = ?" + getStatExpr(code),
            {db::Value(ids.alder2010)});
        const int n = rs.field("n").toInt();
        closeRecordset(rs);
        closeConnection();
        return n;
    }
    int sumFor(const QString& code) {
        openConnection();
        db::Recordset rs = openRecordset("SELECT SUM(" + getStatExpr(code) +
                                             ") AS n FROM [Match] WHERE SeqWrestler = ?",
                                         {db::Value(ids.alder2010)});
        const int n = rs.field("n").toInt();
        closeRecordset(rs);
        closeConnection();
        return n;
    }
};

TEST_F(StatCodesOverMatches, ConditionsMatchTheStoredMixedCaseWinTypes) {
    ui::ScriptedMessages msgs;
    EXPECT_EQ(countFor("FORFEITH"), 1);  // stored "Forfeit"
    EXPECT_EQ(countFor("PINSH"), 1);     // stored "Fall"
    EXPECT_EQ(countFor("OTHERO"), 1);    // stored "Other"
    EXPECT_EQ(countFor("DECH"), 2);      // stored "DEC", one in May
    EXPECT_EQ(countFor("WINSO"), 2);
    EXPECT_EQ(countFor("FIRSTPTH"), 3);
    // Sums count moves, not points.
    EXPECT_EQ(sumFor("TDH"), 12);
    EXPECT_EQ(sumFor("tdo"), 3);
    EXPECT_EQ(sumFor("NFH"), 2);
    EXPECT_EQ(sumFor("teampts"), 19);
}

}  // namespace
