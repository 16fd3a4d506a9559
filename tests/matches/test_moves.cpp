// The move notation check and the move tallies of a match row.
#include <gtest/gtest.h>

#include <cstddef>

#include <QMap>
#include <QSet>

#include "core/connection.h"
#include "matches/move_notation.h"
#include "matches/move_tallies.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"

namespace {

struct MoveCase {
    const char* typed;
    const char* rebuilt;
    const char* error;  // "" when the text passes
};

const char* const kTakedown = "Takedown or Reversal without 2 points following";
const char* const kEscape = "Escape without 1 point following";
const char* const kNearFall = "Near Fall without 2, 3, or 4 points following";
const char* const kPenalty = "Penalty without 1 or 2 points following";

// Each typed text, checked with an empty error text, comes back rebuilt with its message.
template <std::size_t N>
void expectMoves(const MoveCase (&cases)[N]) {
    for (const MoveCase& c : cases) {
        QString text = c.typed;
        QString error;
        validateMoves(text, error);
        EXPECT_EQ(text, QString(c.rebuilt)) << "typed: [" << c.typed << "]";
        EXPECT_EQ(error, QString(c.error)) << "typed: [" << c.typed << "]";
    }
}

TEST(ValidateMoves, RebuildsTheTextAndReportsTheFirstMalformedMove) {
    const MoveCase cases[] = {
        {"", "", ""},
        {"t2 e1", "T2 E1", ""},
        {"   T2   R2  ", "T2 R2", ""},
        {" T2 E1 ", "T2 E1", ""},
        {"T2E1N3", "T2 E1 N3", ""},
        {"TT2", "T2", ""},
        {"T22", "T2", ""},
        {"N4 P2 N2 N3 P1", "N4 P2 N2 N3 P1", ""},
        {"W2", "W", ""},
        {"C1", "C", ""},
        {"wc", "W C", ""},
        // Letters without their points, and characters of no move, vanish without a message.
        {"T", "", ""},
        {"T0", "", ""},
        {"TX", "", ""},
        {"X9", "", ""},
        {"T 2", "", ""},
        {"T2, E1; x", "T2 E1", ""},
        // Each message, with the malformed move kept where it stood.
        {"T3", "T3", kTakedown},
        {"R1", "R1", kTakedown},
        {"E2", "E2", kEscape},
        {"N5", "N5", kNearFall},
        {"N1", "N1", kNearFall},
        {"N10", "N1", kNearFall},
        {"P3", "P3", kPenalty},
        {"e1 t3 e2", "E1 T3 E2", kTakedown},
        {"P3 T3", "P3 T3", kPenalty},
    };
    expectMoves(cases);
}

TEST(ValidateMoves, KeepsTheRideOutPoint) {
    const MoveCase cases[] = {
        {"RO1", "RO1", ""},
        {"T2 RO1 ", "T2 RO1", ""},
        {" E1 ro1 RO1 ", "E1 RO1 RO1", ""},
        {"RO1 T3", "RO1 T3", kTakedown},
        // Only the ride-out itself: an R before anything else is still dropped.
        {"RO2", "", ""},
        {"RX1", "", ""},
    };
    expectMoves(cases);
}

TEST(ValidateMoves, LeavesAnEarlierErrorTextAloneWhenTheMovesPass) {
    QString text = "t2";
    QString error = "earlier";
    validateMoves(text, error);
    EXPECT_EQ(text, "T2");
    EXPECT_EQ(error, "earlier");
}

TEST(ValidateMoves, AcceptsAnyNumberOfMoves) {
    QStringList moves;
    for (int i = 0; i < 60; ++i) moves << (i % 2 ? "E1" : "T2");
    QString text = moves.join("");
    QString error;
    validateMoves(text, error);
    EXPECT_EQ(text, moves.join(" "));
    EXPECT_TRUE(error.isEmpty());
}

TEST(TallyColumns, AreTheSchemaColumnsEachNamedOnce) {
    const QStringList tallies = tallyColumnNames();
    const QStringList periods = periodColumnNames();
    ASSERT_EQ(tallies.size(), 112);
    ASSERT_EQ(periods.size(), 14);
    EXPECT_EQ(tallies.first(), "tp1home");
    EXPECT_EQ(tallies.last(), "cpdotOpp");
    EXPECT_EQ(tallyColumnName(4, 5, Side::Opp), "nf3pdot2Opp");
    EXPECT_EQ(periods.at(6), "periodDOTHome");
    EXPECT_EQ(periods.at(13), "PeriodDOTOpp");

    // Every name is a column of the match table, none twice.
    TestHome home;
    const QString path = makeDatabase(home.path());
    QSet<QString> columns;
    for (const ColumnInfo& c : tableColumns(path, "Match")) columns.insert(c.name.toLower());
    QSet<QString> seen;
    for (const QString& name : tallies + periods) {
        EXPECT_TRUE(columns.contains(name.toLower())) << name.toStdString();
        EXPECT_FALSE(seen.contains(name.toLower())) << name.toStdString();
        seen.insert(name.toLower());
    }
}

// A match row on a real database whose period strings are set, tallied and stored the way the
// save does it.
class TallyTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = makeDatabase(home.path());
        useDatabase(path);
    }

    // Stores a new row with the given period strings (the others empty) and returns its tallies.
    QMap<QString, int> saveRow(const QMap<QString, QString>& strings) {
        openConnection();
        db::Recordset rs = openRecordsetForUpdate("Select * From [Match]");
        rs.addNew();
        for (const QString& column : periodColumnNames())
            rs.setField(column, strings.value(column, QString("")));
        tallyPeriodMoves(rs);
        rs.update();
        closeRecordset(rs);
        closeConnection();

        const QStringList names = tallyColumnNames();
        const QList<QVariantList> rows = queryRows(
            path, "SELECT " + names.join(", ") + " FROM [Match] ORDER BY Seq DESC LIMIT 1");
        QMap<QString, int> tallies;
        for (int i = 0; i < names.size(); ++i) {
            EXPECT_TRUE(rows.at(0).at(i).isValid()) << names.at(i).toStdString() << " is Null";
            tallies[names.at(i)] = rows.at(0).at(i).toInt();
        }
        return tallies;
    }

    // The tallies that differ from 0.
    static QMap<QString, int> nonZero(const QMap<QString, int>& tallies) {
        QMap<QString, int> result;
        for (auto it = tallies.begin(); it != tallies.end(); ++it)
            if (it.value() != 0) result.insert(it.key(), it.value());
        return result;
    }

    TestHome home;
    QString path;
};

TEST_F(TallyTest, EmptyPeriodsGiveZeroInEveryColumn) {
    const QMap<QString, int> tallies = saveRow({});
    EXPECT_EQ(tallies.size(), 112);
    EXPECT_TRUE(nonZero(tallies).isEmpty());
}

TEST_F(TallyTest, NearFallsAndPenaltiesLandInTheirColumns) {
    const QMap<QString, int> tallies = saveRow({{"Period1Home", "N4 N3 N2"},
                                               {"Period2Opp", "P2 P1 W C C"}});
    const QMap<QString, int> expected = {{"nf2p1home", 1}, {"nf3p1home", 2}, {"pp2Opp", 2},
                                         {"wp2Opp", 1},    {"cp2Opp", 2}};
    EXPECT_EQ(nonZero(tallies), expected);
}

TEST_F(TallyTest, EachPeriodAndSideCountsOnlyItsOwnString) {
    // The final overtime's columns share their start with the tiebreakers' ones.
    const QMap<QString, int> tallies = saveRow({{"PeriodDOT1Home", "N4"},
                                               {"periodDOTHome", "N4 P2"},
                                               {"PeriodDOT2Opp", "T2 T2"},
                                               {"PeriodDOTOpp", "E1"},
                                               {"PeriodOTHome", "R2"}});
    const QMap<QString, int> expected = {{"nf3pdot1home", 1}, {"nf3pdothome", 1},
                                         {"ppdothome", 1},    {"tpdot2Opp", 2},
                                         {"epdotOpp", 1},     {"rpothome", 1}};
    EXPECT_EQ(nonZero(tallies), expected);
}

TEST_F(TallyTest, BlanksAndTheRideOutChangeNoCount) {
    const QMap<QString, int> built = saveRow({{"Period3Home", " T2 E1 "},
                                             {"PeriodDOTOpp", "T2 RO1 "}});
    const QMap<QString, int> canonical = saveRow({{"Period3Home", "T2 E1"},
                                                 {"PeriodDOTOpp", "T2"}});
    EXPECT_EQ(built, canonical);
    EXPECT_EQ(built.value("tp3home"), 1);
    EXPECT_EQ(built.value("ep3home"), 1);
    EXPECT_EQ(built.value("tpdotOpp"), 1);
    EXPECT_EQ(built.value("rpdotOpp"), 0);
}

}  // namespace
