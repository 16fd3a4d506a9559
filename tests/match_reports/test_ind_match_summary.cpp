// The individual match summary: its name list, date boxes, filters and report text, built from
// a real database file and read back from the form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTextOption>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "match_reports/frmIndMatchSummary.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "support/fixtures.h"
#include "support/pdf_readback.h"
#include "support/qt_printers.h"
#include "support/real_input.h"
#include "support/season_fixture.h"
#include "support/user_input.h"

namespace {

const QString kHead =
    "Date\tName\tL\tW/L\tScore\tWT\t\tTD\tRev\tEsc\tNF2\tNF3\tTeam Points\r\n"
    "--------\t----------\t--\t------\t-------\t---------\t\t-----\t------\t------\t-------\t-------"
    "\t-------------------\r\n";
const QString kTotalsHead =
    "Totals\t\t\tW/L\tPins\t\t\tTD\tRev\tEsc\tNF2\tNF3\tTeam Points\r\n"
    "\t\t\t-------\t-------\t\t\t-----\t------\t------\t-------\t-------\t-------------------\r\n";

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
    return list;
}

// The lines of a report that belong to matches (between the dash line and the totals).
QStringList matchLines(const QString& report) {
    QStringList lines = report.split("\r\n");
    const int totals = lines.indexOf(QRegularExpression("^Totals\t.*"));
    return lines.mid(2, totals - 2);
}

class IndMatchSummaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = makeDatabase(home.path());
        useDatabase(path);
        gSeason = 2010;
        gSchoolName = "Home HS";
    }
    void TearDown() override { ui::forms().unloadAll(); }

    frmIndMatchSummary* open() { return ui::forms().get<frmIndMatchSummary>(); }

    TestHome home;
    QString path;
};

TEST_F(IndMatchSummaryTest, OneLeagueMatchGivesTheExactReport) {
    SeasonFixture db(path);
    const int w = db.addWrestler("Jim", "Roe", 2010);
    const int wt = db.addWeight("125");
    const int s = db.addSchool("Opp HS");
    FixtureMatch m;
    m.wrestler = w;
    m.date = QDate(2010, 11, 5);
    m.oppFName = "John";
    m.oppLName = "Doe";
    m.school = s;
    m.weight = wt;
    m.actWeight = "124";
    m.score = "5-2";
    m.teamPoints = 3;
    m.leagueMatch = "Y";
    m.tallies = {{"tp1home", 1}, {"tp3home", 1}, {"ep2home", 1}, {"tp1Opp", 1},
                 {"nf2pdot1home", 1}, {"nf3p2Opp", 2}};
    db.addMatch(m);

    frmIndMatchSummary* form = open();
    EXPECT_EQ(form->txtFromDate->text(), "11/1/2010");
    EXPECT_EQ(form->txtToDate->text(), "4/30/2011");
    EXPECT_EQ(form->comHomeName->currentText(), "Jim Roe") << "the first name is chosen at load";

    ASSERT_LT(form->textWidthTwips("Opp HS"), 2250);
    const QString expected =
        kHead +
        "11/5/2010\tJohn Doe\tV\t  W\t5-2\t125\t(H)\t  2\t  0\t  1\t  1\t  0\t         3\r\n"
        "    League\tOpp HS\t\t\t\t124\t(O)\t  1\t  0\t  0\t  0\t  2\r\n"
        "\r\n" +
        kTotalsHead +
        "\t\t\t1-0\t0\t\t\t  2\t  0\t  1\t  1\t  0\t      3\r\n"
        "\t\t\t\t0\t\t\t  1\t  0\t  0\t  0\t  2\r\n";
    EXPECT_EQ(form->reportText(), expected);
    EXPECT_EQ(form->txtresults->toPlainText(), expected) << "the text as built, its line ends kept";
    // Twelve tab stops line the columns up.
    const QList<QTextOption::Tab> stops = form->txtresults->textOption().tabs();
    ASSERT_EQ(stops.size(), 12);
    EXPECT_LT(stops.front().position, stops.back().position);

    form->cmdCopyClip->click();
    EXPECT_EQ(ui::clipboardText(), expected) << "the clipboard gets the CR LF text exactly";

    // Tabbing into the report shows the focus on its frame, as a text box shows it; there the
    // box's own copy gives the same text; the next Tab takes the sign away.
    showActive(form);
    const QImage plain = frameOf(form->txtresults);
    ASSERT_TRUE(tabInto(form->txtresults));
    EXPECT_NE(frameOf(form->txtresults), plain);
    ui::setClipboardText("");
    QTest::keyClick(form->txtresults, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->txtresults, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui::clipboardText(), expected);
    QTest::keyClick(form->txtresults, Qt::Key_Tab);
    EXPECT_FALSE(form->txtresults->hasFocus());
    EXPECT_EQ(frameOf(form->txtresults), plain);
}

TEST_F(IndMatchSummaryTest, WrestlerOfThreeSeasonsIsListedOnceWithAllHisMatchesInDateOrder) {
    const SeasonFixtureIds id = makeSeasonFixture(path);
    SeasonFixture db(path);
    const int alder2008 = db.addWrestler("Adam", "Alder", 2008, "10");
    FixtureMatch m;
    m.wrestler = alder2008;
    m.date = QDate(2009, 1, 10);
    m.school = id.eastbrook;
    m.weight = id.w106;
    db.addMatch(m);

    frmIndMatchSummary* form = open();
    // VOID has a match in the window and is never listed; Dorn wrestled JV only but is listed.
    EXPECT_EQ(items(form->comHomeName),
              QStringList({"Adam Alder", "Ben Brook", "Carl Cole", "Dan Dorn", "Eli Ezra"}));

    // From 11/1/2008: a new season, the list is refilled and Alder stays chosen.
    form->txtFromDate->setText("11/1/2008");
    form->txtFromDate_LostFocus();
    EXPECT_EQ(form->txtSeasonStart->text(), " 2008");
    EXPECT_EQ(form->comHomeName->currentText(), "Adam Alder");
    const QStringList lines = matchLines(form->reportText());
    QStringList dates;
    for (int i = 0; i < lines.size(); i += 3) dates << lines[i].section('\t', 0, 0);
    EXPECT_EQ(dates, QStringList({"1/10/2009", "12/5/2009", "1/9/2010", "12/4/2010", "12/11/2010",
                                  "1/8/2011", "1/15/2011", "1/22/2011", "2/5/2011"}));
    EXPECT_TRUE(form->reportText().contains("\t\t\t6-3\t2\t")) << form->reportText().toStdString();
}

TEST_F(IndMatchSummaryTest, MatchFilterListsOnlyLeagueLinesAndCountsWithTheCondition) {
    makeSeasonFixture(path);
    frmIndMatchSummary* form = open();
    ASSERT_EQ(form->comHomeName->currentText(), "Adam Alder");
    const QString all = form->reportText();
    EXPECT_EQ(matchLines(all).size(), 6 * 3);
    EXPECT_TRUE(all.contains("\t\t\t4-2\t1\t\t\t  9\t")) << all.toStdString();

    // League Matches: the three Northfield bouts (league matches), one pin, 2-1.
    form->comMatches->setCurrentIndex(1);
    const QString league = form->reportText();
    const QStringList lines = matchLines(league);
    ASSERT_EQ(lines.size(), 3 * 3);
    for (int i = 1; i < lines.size(); i += 3)
        EXPECT_TRUE(lines[i].startsWith("    League\tNorthfield\t")) << lines[i].toStdString();
    EXPECT_TRUE(league.contains("\t\t\t2-1\t1\t\t\t  3\t  0\t  0\t  0\t  0\t      12\r\n")) << league.toStdString();
    EXPECT_TRUE(league.contains("\t\t\t\t0\t\t\t  1\t")) << league.toStdString();

    // A text that is none of the filters lists nothing, and counts without a league condition.
    form->comMatches->setEditText("Some Schools");
    form->comLevel->setCurrentIndex(0);  // All levels
    const QString typed = form->reportText();
    EXPECT_TRUE(matchLines(typed).isEmpty());
    EXPECT_TRUE(typed.contains("\t\t\t4-2\t1\t")) << typed.toStdString();
}

TEST_F(IndMatchSummaryTest, NullTeamPointsAndTalliesShowNothingAfterTheirBlanks) {
    SeasonFixture db(path);
    const int w = db.addWrestler("Jim", "Roe", 2010);
    FixtureMatch m;
    m.wrestler = w;
    m.date = QDate(2010, 12, 1);
    m.school = db.addSchool("Opp HS");
    m.weight = db.addWeight("125");
    m.wl = "L";
    m.winType = "Fall";
    db.addMatch(m);
    execSql(path, "UPDATE [Match] SET tp2home = NULL");

    frmIndMatchSummary* form = open();
    const QStringList lines = form->reportText().split("\r\n");
    EXPECT_EQ(lines[2], "12/1/2010\tOpp Onent\tV\t  L\t\t125\t(H)\t  \t  0\t  0\t  0\t  0\t         ");
    EXPECT_EQ(lines[lines.size() - 3], "\t\t\t0-1\t0\t\t\t  \t  0\t  0\t  0\t  0\t      ");
    EXPECT_EQ(lines[lines.size() - 2], "\t\t\t\t1\t\t\t  0\t  0\t  0\t  0\t  0");
}

TEST_F(IndMatchSummaryTest, TypedNameWithoutWrestlerGivesTheReportOfNoMatches) {
    makeSeasonFixture(path);
    frmIndMatchSummary* form = open();
    form->comHomeName->setEditText("Nobody O`Here");
    form->comLevel->setCurrentIndex(0);
    EXPECT_EQ(form->reportText(),
              kHead + kTotalsHead + "\t\t\t0-0\t0\t\t\t  \t  \t  \t  \t  \t      \r\n"
                                    "\t\t\t\t0\t\t\t  \t  \t  \t  \t  \r\n");

    form->comHomeName->setEditText("");
    form->comLevel->setCurrentIndex(1);
    EXPECT_TRUE(form->reportText().isEmpty());
    EXPECT_TRUE(form->txtresults->toPlainText().isEmpty());
}

TEST_F(IndMatchSummaryTest, SchoolWidthDecidesTheTabsBeforeTheActualWeight) {
    SeasonFixture db(path);
    const int w = db.addWrestler("Jim", "Roe", 2010);
    const int wt = db.addWeight("125");
    frmIndMatchSummary* form = open();
    // Widths are taken in the stand-in of "MS Sans Serif", which has its widths.
    EXPECT_EQ(QFontInfo(form->txtresults->font()).family(), "Liberation Sans");
    // Schools of growing width; one in each band of the rule.
    QString medium, wide;
    for (QString name = "Academy"; name.size() < 80; name += " x") {
        const int width = form->textWidthTwips(name);
        if (medium.isEmpty() && width >= 2250 && width < 2800) medium = name;
        if (wide.isEmpty() && width >= 2800) wide = name;
    }
    ASSERT_FALSE(medium.isEmpty());
    ASSERT_FALSE(wide.isEmpty());
    int day = 1;
    for (const QString& school : {QString("Opp HS"), medium, wide}) {
        FixtureMatch m;
        m.wrestler = w;
        m.date = QDate(2010, 12, day++);
        m.school = db.addSchool(school);
        m.weight = wt;
        db.addMatch(m);
    }
    form->comHomeName->setEditText("Jim Roe");
    form->comLevel->setCurrentIndex(0);
    const QStringList lines = matchLines(form->reportText());
    ASSERT_EQ(lines.size(), 3 * 3) << form->reportText().toStdString();
    EXPECT_TRUE(lines[1].startsWith("\tOpp HS\t\t\t\t119\t(O)\t")) << lines[1].toStdString();
    EXPECT_TRUE(lines[4].startsWith("\t" + medium + "\t\t\t119\t(O)\t")) << lines[4].toStdString();
    EXPECT_TRUE(lines[7].startsWith("\t" + wide + "\t\t119\t(O)\t")) << lines[7].toStdString();
}

TEST_F(IndMatchSummaryTest, DateBoxesCheckTheDateAndRefillNamesOnlyForANewSeason) {
    makeSeasonFixture(path);
    frmIndMatchSummary* form = open();
    showActive(form);
    form->comHomeName->setCurrentIndex(1);  // Ben Brook
    const QString before = form->reportText();

    // Same season: report rebuilt for the shorter range, the list stays as it was.
    form->txtFromDate->setFocus();
    form->txtFromDate->setText("12/5/10");  // a two-digit year is 2010
    form->txtToDate->setFocus();
    EXPECT_EQ(form->txtFromDate->text(), "12/5/2010") << "the box shows the date it took";
    EXPECT_EQ(form->comHomeName->currentText(), "Ben Brook");
    EXPECT_EQ(matchLines(form->reportText()).size(), 2 * 3);

    // Not a date: a message, the last date back, the report unchanged.
    const QString shorter = form->reportText();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Date must be in the MM/DD/YYYY format");
        form->txtToDate->setText("4/31/2011");
        form->txtFromDate->setFocus();
        EXPECT_EQ(msgs.last().title, "Error");
    }
    EXPECT_EQ(form->txtToDate->text(), "4/30/2011");
    EXPECT_EQ(form->reportText(), shorter);

    // A range of the previous season only: Brook has no match there and is no longer chosen.
    form->txtFromDate->setText("11/1/2009");
    form->txtFromDate_LostFocus();
    form->txtToDate->setText("4/30/2010");
    form->txtToDate_LostFocus();
    EXPECT_EQ(form->comHomeName->currentText(), "");
    EXPECT_EQ(form->comHomeName->count(), 5) << "names of earlier ranges stay listed";
    EXPECT_TRUE(form->reportText().isEmpty());
    EXPECT_NE(before, shorter);
}

// A name typed into the Name box by real keys is the pick of that wrestler: the screen, the
// copy (Alt+C leaves the box first) and the printout follow it; a name the list lacks is refused
// and the box shows the report's wrestler again.
TEST_F(IndMatchSummaryTest, ATypedNameIsTheReportOnScreenCopiedAndPrintedOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    makeSeasonFixture(path);
    frmIndMatchSummary* form = open();
    showOnScreen(form);
    const auto typeName = [form](const char* name, const char* key) {
        xClick(form->comHomeName->lineEdit());
        xKeys("ctrl+a");
        xType(name);
        xKeys(key);
    };
    const QString alder = form->reportText();
    typeName("ben brook", "alt+c");
    EXPECT_EQ(form->comHomeName->currentText(), "Ben Brook");
    EXPECT_NE(form->reportText(), alder);
    EXPECT_EQ(ui::clipboardText(), form->reportText());
    {
        ui::ScriptedMessages msgs;
        msgs.expect("\"Noah Kim\" is not in the list");
        typeName("Noah Kim", "alt+p");
    }
    EXPECT_EQ(form->comHomeName->currentText(), "Ben Brook");
    qputenv("KESTRIVANE_PRINT_DIR", home.file("prints").toUtf8());
    ui::ScriptedMessages msgs;
    msgs.expect("The printout was saved as ");
    typeName("Carl Cole", "alt+p");
    qunsetenv("KESTRIVANE_PRINT_DIR");
    QStringList words;
    for (const PdfWord& w : readPdfWords(onlyPdf(home.file("prints")))) words << w.text;
    EXPECT_TRUE(words.contains("Cole") && !words.contains("Brook")) << words.join(' ').toStdString();
}

// On a laptop's screen at 125% the form scrolls: the wheel over the "Varsity/Sub" drop-down, not in
// use, scrolls the form as over the rest of it and leaves the pick and the report as they were.
TEST_F(IndMatchSummaryTest, WheelOverADropDownScrollsTheFormAndKeepsThePickOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    SeasonFixture db(path);
    const int w = db.addWrestler("Adam", "Alder", 2010);
    FixtureMatch jv;
    jv.wrestler = w;
    jv.date = QDate(2010, 12, 4);
    jv.school = db.addSchool("Northfield");
    jv.weight = db.addWeight("119");
    jv.level = "JV";
    db.addMatch(jv);
    frmIndMatchSummary* form = open();
    form->show();  // the form's own show fits it into the screen
    showOnScreen(form);
    auto* scroll = form->findChild<QScrollArea*>("formScrollArea");
    ASSERT_TRUE(scroll) << "the form is taller than the screen";
    ASSERT_EQ(scroll->verticalScrollBar()->value(), 0);
    const QString level = form->comLevel->currentText();
    const QString report = form->reportText();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, form->comLevel);

    xWheel(form->comLevel, 1);
    EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
    EXPECT_EQ(form->comLevel->currentText(), level);
    EXPECT_EQ(form->reportText(), report);
    EXPECT_EQ(QApplication::focusWidget(), focus);
    xWheel(form->comLevel, -1);
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 0);
    EXPECT_EQ(form->comLevel->currentText(), level);
}

TEST_F(IndMatchSummaryTest, CloseBoxIsRefusedAndReturnGoesBackToTheReportsMenu) {
    frmIndMatchSummary* form = open();
    EXPECT_TRUE(form->reportText().isEmpty()) << "no wrestler, no report";
    form->show();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Click 'Return' to close window");
        form->close();
        EXPECT_EQ(msgs.last().title, "Exit");
    }
    EXPECT_TRUE(ui::forms().isLoaded<frmIndMatchSummary>());
    EXPECT_TRUE(form->isVisible());

    form->cmdHelp->click();
    ASSERT_TRUE(ui::forms().isLoaded<frmHelp>());
    const QString help = ui::forms().get<frmHelp>()->txtHelp->toPlainText();
    EXPECT_TRUE(help.startsWith("Individual Match Summary")) << help.toStdString();
    EXPECT_TRUE(help.contains("Select individual, and adjust parameters as neccesary"));

    form->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmIndMatchSummary>());
    EXPECT_TRUE(ui::forms().isLoaded<frmReports>());
}

}  // namespace
