// The individual summary statistics and their screen, whose name and match sources are retired.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "platform/ui/ui.h"
#include "statistics/frmIndvSummary.h"
#include "statistics/indv_summary_stats.h"
#include "support/qt_printers.h"

namespace {

// A match row with its date, key and level; moves and flags are set by the tests.
void setMatch(TextTable& table, int row, const QString& date, const QString& key,
              const QString& level, const QString& result = "W", const QString& winType = "DEC") {
    auto& r = table[row];
    r[0] = date;
    r[1] = key;
    r[2] = "c2";
    r[3] = "c3";
    r[4] = "c4";
    r[5] = "c5";
    r[6] = level;
    r[7] = result;
    r[8] = winType;
    r[30] = "c30";
}

const QDate kStart(2010, 12, 4);
const QDate kEnd(2011, 2, 5);

TEST(IndvSummaryStats, KeepsRowsInsideTheDatesAndLevelAndCarriesTheirFields) {
    TextTable matches = makeTextTable();
    TextTable results = makeTextTable();
    for (auto& row : results) row.assign(kIndvTableColumns, "old");

    // An empty match table leaves the results as they were.
    computeIndvSummaryStats(results, matches, "Varsity", kStart, kEnd);
    EXPECT_EQ(results[0][0], "old");

    setMatch(matches, 0, "12/03/10", "A", "V");   // a day before the start
    setMatch(matches, 1, "12/04/10", "B", "V");   // the start itself
    setMatch(matches, 2, "01/15/11", "C", "JV");  // another level
    setMatch(matches, 3, "13/01/11", "D", "V");   // not a date
    setMatch(matches, 4, "02/05/11", "E", "V", "L", "FALL");  // the end itself
    setMatch(matches, 5, "02/06/11", "F", "V");   // a day after the end
    computeIndvSummaryStats(results, matches, "Varsity", kStart, kEnd);

    const std::vector<QString> first(results[0].begin(), results[0].begin() + 10);
    EXPECT_EQ(first, (std::vector<QString>{"B", "12/04/10", "c4", "c5", "c2", "c3", "W", "DEC", "c30", "V"}));
    EXPECT_EQ(results[1][0], "E");
    EXPECT_EQ(results[1][6], "L");
    EXPECT_EQ(results[1][7], "FALL");
    EXPECT_EQ(results[2][0], "old");  // nothing else written
    EXPECT_EQ(results[1][107], "old");

    // A level written in another case is no level: every row of the range passes. "Frosh" keeps
    // only the code "FR".
    results = makeTextTable();
    computeIndvSummaryStats(results, matches, "varsity", kStart, kEnd);
    EXPECT_EQ(results[1][0], "C");
    EXPECT_EQ(results[2][0], "E");
    setMatch(matches, 1, "12/04/10", "B", "FR");
    setMatch(matches, 2, "01/15/11", "C", "Frosh");
    results = makeTextTable();
    computeIndvSummaryStats(results, matches, "Frosh", kStart, kEnd);
    EXPECT_EQ(results[0][0], "B");
    EXPECT_EQ(results[1][0], "");

    // A table dated to its last row is read to that row and no further.
    for (int i = 0; i < kIndvTableRows; ++i) setMatch(matches, i, "12/04/10", QString::number(i), "V");
    computeIndvSummaryStats(results, matches, "All", kStart, kEnd);
    EXPECT_EQ(results[500][0], "500");
}

TEST(IndvSummaryStats, CountsMovesByBlockAndSideWithTotalsAndFirstPoint) {
    TextTable matches = makeTextTable();
    TextTable results = makeTextTable();
    setMatch(matches, 0, "12/04/10", "A", "V");
    matches[0][11] = "T2 T2 E1 N3 N4 P2 RO1";  // block 1, home
    matches[0][23] = "W C C";                  // block 4, opponent
    matches[0][25] = "T2";                     // block 5, home
    matches[0][10] = "1";
    matches[0][12] = "1";  // both flags: home wins
    setMatch(matches, 1, "12/05/10", "A", "V");
    matches[1][12] = "1x";  // begins with 1
    setMatch(matches, 2, "12/06/10", "A", "V");
    matches[2][10] = "2";
    computeIndvSummaryStats(results, matches, "All", kStart, kEnd);

    const auto& r = results[0];
    EXPECT_EQ(r[11], "2");  // takedowns, home, block 1
    EXPECT_EQ(r[15], "1");  // escapes
    EXPECT_EQ(r[19], "2");  // 3- and 4-point near falls together
    EXPECT_EQ(r[21], "0");  // "P2" is no "P1"
    EXPECT_EQ(r[59 + 13], "1");  // warnings, opponent, block 4
    EXPECT_EQ(r[59 + 15], "2");  // cautions, opponent, block 4
    EXPECT_EQ(r[75], "1");       // takedowns, home, block 5
    EXPECT_EQ(r[91], " 3");      // takedown total keeps its leading blank
    EXPECT_EQ(r[91 + 14], " 0");
    EXPECT_EQ(r[91 + 15], " 2");
    EXPECT_EQ(r[106], " 2");
    EXPECT_EQ(r[107], "");
    EXPECT_EQ(r[10], "H");
    EXPECT_EQ(results[1][10], "O");
    EXPECT_EQ(results[2][10], "");
}

TEST(IndvSummaryStats, DatesInFixedPositionsAndTheirCentury) {
    EXPECT_EQ(dateFromFixedPositions("01-02-00"), QDate(2000, 1, 2));
    EXPECT_EQ(dateFromFixedPositions("12-31-99"), QDate(1999, 12, 31));
    EXPECT_EQ(dateFromFixedPositions("12-31-99", true), QDate(2099, 12, 31));
    EXPECT_EQ(dateFromFixedPositions("02/30/11"), std::nullopt);
    EXPECT_EQ(dateFromFixedPositions("1/5/2011"), std::nullopt);
}

class IndvSummaryScreen : public ::testing::Test {
protected:
    void TearDown() override { ui::forms().unloadAll(); }
    frmIndvSummary* open() {
        frmIndvSummary* form = ui::forms().get<frmIndvSummary>();
        form->show();
        return form;
    }
};

TEST_F(IndvSummaryScreen, RunShowsTheRetiredDateCheckTwiceAndWritesNothing) {
    ui::ScriptedMessages msgs;
    frmIndvSummary* form = open();
    EXPECT_EQ(form->windowTitle(), "Individual Summary");
    EXPECT_EQ(form->comName->currentText(), "All");
    EXPECT_EQ(form->comName->count(), 1);
    EXPECT_EQ(form->comSchool->currentText(), "All");
    const QString design = "Grid with Results  Microsoft FlexGrid";
    EXPECT_EQ(form->txtResult->text(), design);

    msgs.expect("chkdates removed--use CheckDateFormat").expect("chkdates removed--use CheckDateFormat");
    form->CmdRun->click();
    EXPECT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.last().title, "Kestrivane");  // the program's own title
    EXPECT_EQ(form->txtResult->text(), design);

    // A typed name and "Win" change nothing: no source supplies matches.
    form->comName->setEditText("Adam Alder");
    form->comWinLoss->setCurrentIndex(1);
    msgs.expect("chkdates").expect("chkdates");
    form->CmdRun->click();
    EXPECT_EQ(form->txtResult->text(), design);

    // A date box that holds no date stops the run with a message instead of failing.
    form->txtEndDate->setText("");
    msgs.expect("chkdates").expect("chkdates").expect("Dates must be in the MM-DD-YY format");
    form->CmdRun->click();
    EXPECT_EQ(msgs.last().title, "Error");

    // The close box is refused, although the way back is labelled Cancel.
    msgs.expect("Click 'Return' to close window");
    form->close();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(IndvSummaryScreen, WinsAndLossesAreTalliedByExactCodesAndWrittenOut) {
    ui::ScriptedMessages msgs;
    frmIndvSummary* form = open();
    TextTable results = makeTextTable();
    TextTable summary = makeTextTable(13);
    const std::vector<std::array<QString, 3>> rows = {
        {"Adam", "W", "DEC"}, {"Adam", "W", "DEC"}, {"Adam", "L", "FALL"},
        {"Adam", "W", "Fall"}, {"Adam", "W", "OT"},  {"Ben", "L", "MD"}};
    for (size_t i = 0; i < rows.size(); ++i) {
        results[i][0] = rows[i][0];
        results[i][6] = rows[i][1];
        results[i][7] = rows[i][2];
    }
    // Only "Win" with a chosen name tallies.
    form->getResultMode(results, "Loss", summary);
    EXPECT_EQ(summary[1][0], "");
    form->comName->setEditText("Adam");
    form->getResultMode(results, "Win", summary);
    EXPECT_EQ(summary[0][5], "Forfiet");
    EXPECT_EQ(summary[1][0], "Adam");
    EXPECT_EQ(summary[1][1], " 2");
    EXPECT_EQ(summary[1][6], " 1");
    EXPECT_EQ(summary[1][9], " 1");  // fall, losses
    EXPECT_EQ(summary[1][3], "");    // "Fall" counts nowhere
    EXPECT_EQ(summary[2][0], "Ben");
    EXPECT_EQ(summary[2][8], " 1");

    form->writeResult(summary);
    EXPECT_EQ(form->txtResult->text(),
              "Adam\r\nWins\r\nDecision: 2\r\nM. Decision: 0\r\nFall: 0\r\nTech Fall: 0\r\n"
              "Forfiet: 0\r\nOther: 1\r\nLosses\r\nDecision: 0\r\nM. Decision: 0\r\nFall: 1\r\n"
              "Tech Fall: 0\r\nForfiet: 0\r\nOther: 0\r\n");

    // Keys beyond the 499 rows of the summary are left out, without failing.
    TextTable many = makeTextTable();
    for (int i = 0; i < kIndvTableRows; ++i) {
        many[i][0] = "K" + QString::number(i);
        many[i][6] = "W";
        many[i][7] = "DEC";
    }
    TextTable big = makeTextTable(13);
    form->tallyWinTypes(many, big);
    EXPECT_EQ(big[499][0], "K498");
    EXPECT_EQ(big[499][1], " 1");
    EXPECT_EQ(big[500][0], "");
}

}  // namespace
