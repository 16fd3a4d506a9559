// The dual-meet report: its date lists, date rules, grouped text with stored team scores, and
// the states of the score controls.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QCoreApplication>
#include <QImage>
#include <QTextDocument>
#include <QTest>
#include <QTextOption>
#include <algorithm>

#include "core/connection.h"
#include "match_reports/date_stretches.h"
#include "match_reports/frmDualRpt.h"
#include "platform/db/ParallelRead.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "support/fixtures.h"
#include "support/pdf_readback.h"
#include "support/qt_printers.h"
#include "support/real_input.h"
#include "support/season_fixture.h"
#include "support/real_input.h"
#include "support/user_input.h"

namespace {

QStringList comboItems(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
    return list;
}

// Two dual meets on 12/4/2010 (Eastbrook with a stored score, Northfield without), one on
// 12/11/2010, and a JV-only date between them.
class DualReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = makeDatabase(home.path());
        useDatabase(path);
        gSeason = 2010;
        gSchoolName = "Home HS";
        SeasonFixture db(path);
        const int alder = db.addWrestler("Adam", "Alder", 2010);
        const int brook = db.addWrestler("Ben", "Brook", 2010);
        const int cole = db.addWrestler("Cal", "Cole", 2010);
        northfield = db.addSchool("Northfield", 1, "Y");
        eastbrook = db.addSchool("Eastbrook");
        const int w98 = db.addWeight("98");
        const int w119 = db.addWeight("119");
        const int w125 = db.addWeight("125");
        const int hwt = db.addWeight("HWT");
        auto bout = [&](int wrestler, QDate date, int school, int weight, const char* wl,
                        const char* score, const char* level = "V") {
            FixtureMatch m;
            m.wrestler = wrestler;
            m.date = date;
            m.school = school;
            m.weight = weight;
            m.wl = wl;
            m.score = score;
            m.level = level;
            m.oppFName = "Opp";
            m.oppLName = school == northfield ? "North" : "East";
            db.addMatch(m);
        };
        bout(alder, {2010, 12, 4}, northfield, w119, "W", "5-2");
        bout(cole, {2010, 12, 4}, northfield, w125, "L", "3-1");
        bout(brook, {2010, 12, 4}, eastbrook, w98, "W", "7-1");
        bout(brook, {2010, 12, 8}, eastbrook, w98, "W", "9-0", "JV");
        bout(alder, {2010, 12, 11}, northfield, hwt, "W", "Fall 1:10");
        // A date another tool stored as a text that is no date (it sorts after every date).
        bout(cole, {2010, 12, 18}, northfield, w98, "W", "1-0");
        execSql(path, "UPDATE [Match] SET [Date] = 'not a date' WHERE [Date] = '2010-12-18'");
        // One stored as a blob that spells a date: no date either (a blob sorts after every text).
        bout(alder, {2010, 12, 20}, northfield, w119, "W", "2-0");
        execSql(path, "UPDATE [Match] SET [Date] = CAST('2023-02-28' AS BLOB) WHERE [Date] = '2010-12-20'");
        execSql(path, QStringLiteral("INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) "
                                     "VALUES ('2010-12-04', %1, 42, 31.5)")
                          .arg(eastbrook));
    }
    void TearDown() override { ui::forms().unloadAll(); }

    // Shows one date: the start list first (which also moves the end box), then the end list.
    static void chooseDates(frmDualRpt* form, int startIndex, int endIndex) {
        form->comDateStart->setCurrentIndex(startIndex);
        form->comDateEnd->setCurrentIndex(endIndex);
    }

    TestHome home;
    QString path;
    int northfield = 0;
    int eastbrook = 0;
};

const QString kDec4 =
    "\t12/4/2010\r\n"
    "\r\n"
    "\tHome HS   42      Eastbrook   31.5\r\n"
    "\r\n"
    "\t 98   Ben Brook, Home HS  def  Opp East, Eastbrook   7-1\r\n"
    "\r\n"
    "\t 119   Adam Alder, Home HS  def  Opp North, Northfield   5-2\r\n"
    "\t 125   Opp North, Northfield  def  Cal Cole, Home HS   3-1\r\n";

TEST_F(DualReportTest, LoadShowsTheLatestVarsityMeetAlone) {
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    EXPECT_EQ(comboItems(form->comDateStart), QStringList({"12/4/2010", "12/11/2010"}))
        << "the JV-only date is in neither list, nor a text or a blob that is no date";
    EXPECT_EQ(comboItems(form->comDateEnd), comboItems(form->comDateStart));
    EXPECT_EQ(form->comDateStart->currentText(), "12/11/2010");
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    EXPECT_TRUE(form->lblDate->isHidden());
    EXPECT_TRUE(form->txtHomeScore->isEnabled());
    EXPECT_TRUE(form->comOppSchool->isEnabled());
    EXPECT_FALSE(form->cmdSaveScore->isEnabled());
    EXPECT_EQ(form->comOppSchool->currentText(), "Select School");
    EXPECT_EQ(form->lblSchoolName->text(), "Home HS");
    // A weight class that is not a number keeps its text.
    EXPECT_EQ(form->reportText(),
              "\t12/11/2010\r\n\r\n\t HWT   Adam Alder, Home HS  def  Opp North, Northfield   Fall 1:10\r\n");
}

TEST_F(DualReportTest, OneDateWithTwoSchoolsGroupsThemWinnerFirstUnderTheirScores) {
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    chooseDates(form, 0, 0);
    EXPECT_EQ(form->reportText(), kDec4);
    EXPECT_EQ(form->txtresults->toPlainText(), kDec4) << "the text as built, its line ends kept";
    // A stop every 5 dialog units: far closer than the box's own default of 80 pixels.
    const QTextOption option = form->txtresults->textOption();
    EXPECT_TRUE(option.tabs().isEmpty());
    EXPECT_GT(option.tabStopDistance(), 0);
    EXPECT_LT(option.tabStopDistance(), 40);
    EXPECT_EQ(comboItems(form->comOppSchool), QStringList({"Eastbrook", "Northfield"}));
    EXPECT_EQ(form->comOppSchool->currentText(), "Select School");
    EXPECT_TRUE(form->lblDate->isHidden());
    EXPECT_EQ(form->meetDate(), QDate(2010, 12, 4));

    form->cmdCopyClip->click();
    EXPECT_EQ(ui::clipboardText(), kDec4);
    // The report box's own copies give the same text, its line ends as built: Ctrl+A and Ctrl+C,
    // and the context menu's Copy.
    showActive(form);
    ASSERT_TRUE(tabInto(form->txtresults));
    ui::setClipboardText("");
    QTest::keyClick(form->txtresults, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->txtresults, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui::clipboardText(), kDec4);
    ui::setClipboardText("");
    ASSERT_TRUE(chooseFromContextMenu(form->txtresults->viewport(), QPoint(30, 30), Qt::Key_C));
    EXPECT_EQ(ui::clipboardText(), kDec4);
}

// The score line of a group as the query of that one date and school gives it.
QString scoreOfGroup(const QString& isoDate, const QString& school) {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        "SELECT CompDate, OppSchool, ScoreH, ScoreO  FROM OppSchool INNER JOIN DualScore ON OppSchool.Seq = "
        "DualScore.seqOppSchool  WHERE CompDate=? AND OppSchool.OppSchool=? ",
        {isoDate, school});
    if (rs.isEOF()) return QString();
    return "\tHome HS   " + rs.field("ScoreH").toString() + "      " + rs.field("OppSchool").toString() + "   " +
           rs.field("ScoreO").toString() + "\r\n\r\n";
}

// The scores of all groups are read at once: each group still takes the score its own date and
// school find (the first stored, the school's name in any letter case, none for a school without
// a name).
TEST_F(DualReportTest, EveryGroupTakesTheScoreOfItsDateAndSchool) {
    SeasonFixture db(path);
    const int nameless = db.addSchool("Nameless");
    const int shouting = db.addSchool("EASTBROOK");
    const int brook = db.addWrestler("Ben", "Brook", 2009);
    const int w98 = db.addWeight("98");
    for (const auto& [school, day] : {std::pair{nameless, 4}, std::pair{eastbrook, 11}}) {
        FixtureMatch m;
        m.wrestler = brook;
        m.date = QDate(2010, 12, day);
        m.school = school;
        m.weight = w98;
        m.score = "2-0";
        db.addMatch(m);
    }
    execSql(path, QString("UPDATE OppSchool SET OppSchool = NULL WHERE Seq = %1;"
                          "INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) VALUES "
                          "('2010-12-04', %1, 1, 2), ('2010-12-04', %2, 20, 10), ('2010-12-04', %2, 30, 5), "
                          "('2010-12-11', %3, 12, 11.5)")
                      .arg(nameless)
                      .arg(northfield)
                      .arg(shouting));
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    chooseDates(form, 0, 1);
    const QString text = form->reportText();
    const QString north = "\tHome HS   20      Northfield   10\r\n\r\n";
    const QString east = "\tHome HS   12      EASTBROOK   11.5\r\n\r\n";
    EXPECT_EQ(scoreOfGroup("2010-12-04", "Northfield"), north);
    EXPECT_EQ(scoreOfGroup("2010-12-11", "Eastbrook"), east);
    EXPECT_EQ(scoreOfGroup("2010-12-04", ""), "");
    EXPECT_TRUE(text.startsWith("\t12/4/2010\r\n\r\n\t 98   Ben Brook, Home HS  def  Opp Onent,    2-0\r\n"
                                "\r\n\tHome HS   42      Eastbrook   31.5\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\r\n" + north + "\t 119   Adam Alder")) << text.toStdString();
    EXPECT_TRUE(text.contains("\t12/11/2010\r\n" + east + "\t 98   Ben Brook, Home HS  def  Opp Onent, Eastbrook"))
        << text.toStdString();
}

TEST_F(DualReportTest, TwoDatesShowMultiDatesAndCloseTheScoreEntry) {
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    form->txtHomeScore->setText("12");
    form->comDateStart->setCurrentIndex(0);  // 12/4 to 12/11
    EXPECT_FALSE(form->lblDate->isHidden());
    EXPECT_EQ(form->lblDate->text(), "Multi-Dates Selected");
    EXPECT_FALSE(form->txtHomeScore->isEnabled());
    EXPECT_FALSE(form->txtOppScore->isEnabled());
    EXPECT_FALSE(form->comOppSchool->isEnabled());
    EXPECT_EQ(form->txtHomeScore->text(), "");
    EXPECT_FALSE(form->meetDate().isValid());
    EXPECT_EQ(comboItems(form->comOppSchool), QStringList({"Eastbrook", "Northfield", "Northfield"}))
        << "the list is refilled even while closed";
    EXPECT_EQ(form->reportText(),
              kDec4 + "\r\n\r\n\t12/11/2010\r\n"
                      "\t HWT   Adam Alder, Home HS  def  Opp North, Northfield   Fall 1:10\r\n");
}

TEST_F(DualReportTest, StartNeverAfterEndAndNonDatesBecome2000) {
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    chooseDates(form, 0, 0);
    // Choosing a later start moves the end box with it: one date again.
    form->comDateStart->setCurrentIndex(1);
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    EXPECT_TRUE(form->lblDate->isHidden());
    // Choosing an earlier end moves the start box.
    form->comDateEnd->setCurrentIndex(0);
    EXPECT_EQ(form->comDateStart->currentText(), "12/4/2010");
    EXPECT_EQ(form->reportText(), kDec4);

    // A box holding text that is not a date becomes 1/1/2000 when a list is chosen.
    form->comDateStart->setEditText("yesterday");
    form->comDateEnd->setCurrentIndex(1);
    EXPECT_EQ(form->comDateStart->currentText(), "1/1/2000");
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    EXPECT_TRUE(form->reportText().startsWith("\t12/4/2010\r\n"));
}

// Dates typed into the date boxes, then Tab, Enter or an access key: a date is taken as a pick
// of it (the other box follows when the start would come after the end; the report, its schools
// and the score controls follow), anything else is refused with the message and the box shows
// the report's date again. The copy and the printout are those of the dates the boxes show.
TEST_F(DualReportTest, TypedDatesAreTakenAsPicksOrRefused) {
    const QString dec11 =
        "\t12/11/2010\r\n\r\n\t HWT   Adam Alder, Home HS  def  Opp North, Northfield   Fall 1:10\r\n";
    const QString both = kDec4 + "\r\n\r\n\t12/11/2010\r\n"
                                 "\t HWT   Adam Alder, Home HS  def  Opp North, Northfield   Fall 1:10\r\n";
    frmDualRpt* form = showActive(ui::forms().get<frmDualRpt>());
    const struct {
        QComboBox* box;
        const char* typed;
        Qt::Key key;
        const char* start;
        const char* end;
        QString report;
        QStringList schools;
        bool refused;
    } cases[] = {
        {form->comDateStart, "12/4/10", Qt::Key_Tab, "12/4/2010", "12/11/2010", both,
         {"Eastbrook", "Northfield", "Northfield"}, false},
        {form->comDateEnd, "12/04/2010", Qt::Key_Return, "12/4/2010", "12/4/2010", kDec4,
         {"Eastbrook", "Northfield"}, false},
        {form->comDateStart, "yesterday", Qt::Key_Tab, "12/4/2010", "12/4/2010", kDec4,
         {"Eastbrook", "Northfield"}, true},
        {form->comDateEnd, "2/30/2011", Qt::Key_Return, "12/4/2010", "12/4/2010", kDec4,
         {"Eastbrook", "Northfield"}, true},
        {form->comDateStart, "12/11/2010", Qt::Key_Tab, "12/11/2010", "12/11/2010", dec11, {"Northfield"}, false},
        // A date without a varsity bout: nothing to report and no meet to score.
        {form->comDateStart, "12/18/2010", Qt::Key_Return, "12/18/2010", "12/18/2010", "", {}, false},
        {form->comDateStart, "12/4/2010", Qt::Key_Tab, "12/4/2010", "12/18/2010", both,
         {"Eastbrook", "Northfield", "Northfield"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui::ScriptedMessages msgs;
        if (c.refused) msgs.expect("Date must be in the MM/DD/YYYY format");
        typeIntoCombo(c.box, c.typed);
        pressKey(c.key);
        EXPECT_EQ(msgs.messages().size(), c.refused ? 1u : 0u);
        EXPECT_EQ(c.box->hasFocus(), c.refused || c.key == Qt::Key_Return);
        EXPECT_EQ(form->comDateStart->currentText(), c.start);
        EXPECT_EQ(form->comDateEnd->currentText(), c.end);
        EXPECT_EQ(form->reportText(), c.report);
        EXPECT_EQ(comboItems(form->comOppSchool), c.schools);
        const bool oneMeet = c.start == QString(c.end) && !c.schools.isEmpty();
        EXPECT_EQ(form->comOppSchool->isEnabled(), oneMeet);
        EXPECT_EQ(form->txtHomeScore->isEnabled(), oneMeet);
        EXPECT_EQ(form->lblDate->isHidden(), c.start == QString(c.end));
    }

    // Typed and copied at once (Alt+C leaves the box first): the copy is the report of the
    // dates shown.
    typeIntoCombo(form->comDateEnd, "12/4/2010");
    pressKey(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(ui::clipboardText(), kDec4);

    // Typed and printed at once: the printout is the report of the dates shown.
    const std::vector<PdfWord> printed = typeAndPrint(form->comDateStart, "12/11/2010", home.file("prints"));
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    QStringList words;
    for (const PdfWord& w : printed) words << w.text;
    EXPECT_TRUE(words.contains("12/11/2010") && words.contains("1:10")) << words.join(' ').toStdString();
    EXPECT_FALSE(words.contains("12/4/2010") || words.contains("Eastbrook")) << words.join(' ').toStdString();
}

// The same by real keys on a real display: a date typed and Tab, then one typed and Enter.
TEST_F(DualReportTest, TypedDatesAreTakenByRealKeysOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    showOnScreen(form);
    ui::ScriptedMessages msgs;
    xClick(form->comDateStart->lineEdit());
    xKeys("ctrl+a");
    xType("12/4/10");
    xKeys("Tab");
    ASSERT_TRUE(waitFor([form] { return form->comDateStart->currentText() == "12/4/2010"; }));
    EXPECT_FALSE(form->lblDate->isHidden());
    xClick(form->comDateEnd->lineEdit());
    xKeys("ctrl+a");
    xType("12/04/2010");
    xKeys("Return");
    ASSERT_TRUE(waitFor([form] { return form->reportText() == kDec4; }));
    EXPECT_EQ(form->comDateEnd->currentText(), "12/4/2010");
    EXPECT_TRUE(form->lblDate->isHidden());
    EXPECT_TRUE(form->comOppSchool->isEnabled());
    EXPECT_TRUE(msgs.messages().empty());

    // A school typed into the school box is the pick of it, its score loaded; scores typed for it
    // and another school typed ask "Discard Changes?", and No keeps the school and its scores.
    // A score typed before any school: No keeps it under "Select School".
    execSql(path, "INSERT INTO OppSchool (OppSchool) VALUES ('Hudson')");
    const auto typeSchool = [form](const char* school, const char* key) {
        xClick(form->comOppSchool->lineEdit());
        xKeys("ctrl+a");
        xType(school);
        xKeys(key);
    };
    // A school typed over scores typed: "Discard Changes?" asked, and answered.
    const auto typeSchoolAnswering = [&](const char* school, ui::Answer answer) {
        msgs.clear();
        msgs.expect("Discard Changes?", answer);
        typeSchool(school, "Tab");
        ASSERT_TRUE(waitFor([&msgs] { return msgs.messages().size() == 1; }));
    };
    xClick(form->txtHomeScore);
    xType("12");
    typeSchoolAnswering("eastbrook", ui::Answer::No);
    EXPECT_EQ(form->comOppSchool->currentText(), "Select School");
    EXPECT_EQ(form->txtHomeScore->text(), "12");
    typeSchoolAnswering("eastbrook", ui::Answer::Yes);
    ASSERT_TRUE(waitFor([form] { return form->txtHomeScore->text() == "42"; }));
    EXPECT_EQ(form->comOppSchool->currentText(), "Eastbrook");
    typeSchool("Northfield", "Tab");
    ASSERT_TRUE(waitFor([form] { return form->txtHomeScore->text().isEmpty(); }));
    xClick(form->txtHomeScore);
    xType("30");
    xClick(form->txtOppScore);
    xType("20");
    typeSchoolAnswering("Eastbrook", ui::Answer::No);
    EXPECT_EQ(form->comOppSchool->currentText(), "Northfield");
    EXPECT_EQ(form->txtHomeScore->text(), "30");
    // A school with no bout that day is refused at once, the box showing the meet's school again:
    // the save that Alt+S asked for does not happen under it, and the next one is Northfield's.
    msgs.expect("\"Hudson\" is not in the list");
    typeSchool("Hudson", "alt+s");
    ASSERT_TRUE(waitFor([&msgs] { return msgs.messages().size() == 2; }));
    EXPECT_EQ(form->comOppSchool->currentText(), "Northfield");
    msgs.expect("Score Saved");
    xKeys("alt+s");
    ASSERT_TRUE(waitFor([&msgs] { return msgs.messages().size() == 3; }));
    EXPECT_EQ(queryValue(path, "SELECT group_concat(OppSchool || ' ' || printf('%g-%g', ScoreH, ScoreO)) FROM DualScore "
                               "INNER JOIN OppSchool ON OppSchool.Seq = DualScore.seqOppSchool")
                  .toString(),
              "Eastbrook 42-31.5,Northfield 30-20");
}

// Picks with the keys and the mouse build the report once each; leaving a date box or opening its
// list builds nothing.
TEST_F(DualReportTest, APickBuildsTheReportOnceAndLeavingTheBoxNone) {
    StatementCounter builds("SELECT Date, Weight.Weight, FullName");
    frmDualRpt* form = showActive(ui::forms().get<frmDualRpt>());
    EXPECT_EQ(builds.count(), 1);
    QAbstractItemView* list = form->comDateStart->view();

    // The first Alt+Down opens the list on the date shown; Up and Enter take the one before.
    ASSERT_TRUE(openWithKeys(form->comDateStart));
    EXPECT_EQ(builds.count(), 1);
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    keysHandled();
    EXPECT_EQ(form->comDateStart->currentText(), "12/4/2010");
    EXPECT_EQ(builds.count(), 2);
    EXPECT_FALSE(form->lblDate->isHidden());

    QTest::mouseClick(form->txtresults->viewport(), Qt::LeftButton);
    EXPECT_TRUE(form->txtresults->hasFocus());
    EXPECT_EQ(builds.count(), 2) << "leaving the date box";

    ASSERT_TRUE(pickWithMouse(form->comDateEnd, "12/4/2010"));
    QTest::keyClick(form->comDateEnd, Qt::Key_Tab);
    EXPECT_EQ(builds.count(), 3);
    EXPECT_EQ(form->reportText(), kDec4);
}

// A wide range is read in stretches of dates on several threads: its text and schools are those
// of the one query, with stretches of JV bouts alone or of no bout at all, the first of them too.
TEST_F(DualReportTest, AWideRangeReadOnSeveralThreadsGivesTheTextOfTheOneQuery) {
    {
        SeasonFixture db(path);
        const int dunn = db.addWrestler("Dan", "Dunn", 2010);
        const int w130 = db.addWeight("130");
        FixtureMatch m;
        m.wrestler = dunn;
        m.weight = w130;
        m.date = QDate(2010, 12, 1);
        m.school = northfield;
        m.level = "JV";
        db.addMatch(m);
        m.level = "V";
        m.date = QDate(2010, 12, 5);
        for (const int school : {northfield, eastbrook, northfield}) {
            m.school = school;
            m.wl = school == eastbrook ? "L" : "W";
            db.addMatch(m);
        }
    }
    execSql(path, QStringLiteral("INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) "
                                 "VALUES ('2010-12-05', %1, 20, 24)")
                      .arg(northfield));
    frmDualRpt* form = showActive(ui::forms().get<frmDualRpt>());
    // A start typed before every bout: the range opens on JV bouts.
    typeIntoCombo(form->comDateStart, "1/1/2000");
    // The report built anew, and how many connections read its bouts in that one build.
    int readers = 0;
    const auto build = [form, &readers](int splitFrom) {
        match_reports::setSplitFromBouts(splitFrom);
        form->comDateEnd->setFocus();
        pressKey(Qt::Key_Up);
        StatementCounter reads("SELECT Date, Weight.Weight, FullName");
        pressKey(Qt::Key_Down);
        readers = reads.connections();
        EXPECT_EQ(form->comDateStart->currentText(), "1/1/2000");
        EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
        return std::pair{form->reportText(), comboItems(form->comOppSchool)};
    };
    const int splitFrom = match_reports::setSplitFromBouts(1000000);
    const auto inOne = build(1000000);
    const auto onThreads = build(1);
    match_reports::setSplitFromBouts(splitFrom);
    // Every thread the CPUs allow read a stretch of its own on a reader opened for it, however few
    // the stretches' bouts (ten days from the range's first bout to its last: ten stretches at
    // most); on one CPU the bouts are read in one run on the program's own connection, opened
    // before, and no reader is opened.
    EXPECT_EQ(readers, db::readerThreads() > 1 ? std::min(db::readerThreads(), 10) : 0);
    EXPECT_EQ(onThreads.first, inOne.first);
    EXPECT_EQ(onThreads.second, inOne.second);
    EXPECT_TRUE(inOne.first.startsWith(kDec4 + "\r\n\r\n\t12/5/2010\r\n\t 130   Opp Onent, Eastbrook  def  Dan Dunn, "
                                               "Home HS   \r\n\r\n\tHome HS   20      Northfield   24\r\n"))
        << inOne.first.toStdString();
    EXPECT_EQ(inOne.second, QStringList({"Eastbrook", "Northfield", "Eastbrook", "Northfield", "Northfield"}));
}

TEST_F(DualReportTest, NoVarsityBoutOpensEmptyWithTheScoreControlsClosed) {
    execSql(path, "DELETE FROM DualScore; UPDATE [Match] SET Level = 'JV'");
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    EXPECT_EQ(form->comDateStart->count(), 0);
    EXPECT_EQ(form->comDateEnd->count(), 0);
    EXPECT_TRUE(form->reportText().isEmpty());
    EXPECT_TRUE(form->txtresults->toPlainText().isEmpty());
    EXPECT_FALSE(form->txtHomeScore->isEnabled());
    EXPECT_FALSE(form->txtOppScore->isEnabled());
    EXPECT_FALSE(form->comOppSchool->isEnabled());
    EXPECT_FALSE(form->cmdSaveScore->isEnabled());
}

// On a laptop's screen at 125% the form scrolls: the wheel over the school drop-down, not in use,
// scrolls the form and chooses no school (no stored score loaded, Save Score stays disabled).
TEST_F(DualReportTest, WheelOverTheSchoolDropDownScrollsTheFormAndChoosesNothingOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    chooseDates(form, 0, 0);
    form->show();  // the form's own show fits it into the screen
    showOnScreen(form);
    auto* scroll = form->findChild<QScrollArea*>("formScrollArea");
    ASSERT_TRUE(scroll) << "the form is taller than the screen";
    scroll->verticalScrollBar()->setValue(0);
    ASSERT_EQ(form->comOppSchool->currentText(), "Select School");
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, form->comOppSchool);

    xWheel(form->comOppSchool, 1);
    EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
    EXPECT_EQ(form->comOppSchool->currentText(), "Select School");
    EXPECT_EQ(form->txtHomeScore->text(), "");
    EXPECT_FALSE(form->cmdSaveScore->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), focus);
}

TEST_F(DualReportTest, CloseBoxAndReturnGoBackToTheReportsMenu) {
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    form->show();
    form->close();
    EXPECT_FALSE(ui::forms().isLoaded<frmDualRpt>());
    ASSERT_TRUE(ui::forms().isLoaded<frmReports>());
    EXPECT_TRUE(ui::forms().get<frmReports>()->isVisible());
    ui::forms().unloadAll();

    form = ui::forms().get<frmDualRpt>();
    form->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmDualRpt>());
    EXPECT_TRUE(ui::forms().isLoaded<frmReports>());
}

TEST_F(DualReportTest, LongSchoolNameShrinksItsLabelWithAFloor) {
    gSchoolName = "The Very Long Name Of A Consolidated Regional High School";
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    const double size = form->lblSchoolName->font().pointSizeF();
    EXPECT_LT(size, 18.0);
    EXPECT_GE(size, 6.0);
    // The whole name stays in view, left of the home score box rather than under it.
    const QLabel* label = form->lblSchoolName;
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_GE(label->x(), 0);
    EXPECT_LE(label->geometry().right(), form->txtHomeScore->x());

    EXPECT_TRUE(label->toolTip().isEmpty());

    // Still too wide at the smallest size: cut short of the score box, whole in the tool tip.
    ui::forms().unloadAll();
    gSchoolName = QString(200, 'W');
    form = ui::forms().get<frmDualRpt>();
    label = form->lblSchoolName;
    EXPECT_EQ(label->font().pointSizeF(), 6.0);
    EXPECT_TRUE(label->text().startsWith("WWWW")) << label->text().toStdString();
    EXPECT_LT(label->text().size(), 200);
    EXPECT_EQ(label->toolTip(), gSchoolName);
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_GE(label->x(), 0);
    EXPECT_LE(label->geometry().right(), form->txtHomeScore->x());
}

TEST_F(DualReportTest, ALineLongerThanTheReportBoxGetsAHorizontalScrollBar) {
    frmDualRpt* form = ui::forms().get<frmDualRpt>();
    form->show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->txtresults->horizontalScrollBar()->isVisible()) << "every line fits";

    // A co-operative team's long name on the next meet's bout line.
    SeasonFixture db(path);
    FixtureMatch m;
    m.wrestler = db.addWrestler("Dan", "Dorn", 2010);
    m.date = QDate(2010, 12, 18);
    m.school = db.addSchool("Saint Bartholomew Cooperative of the Northern and Eastern Lakes Co");
    m.weight = db.addWeight("145");
    db.addMatch(m);
    ui::forms().unloadAll();
    form = ui::forms().get<frmDualRpt>();
    form->show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->txtresults->toPlainText().contains("Lakes Co"));
    QScrollBar* bar = form->txtresults->horizontalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(bar->maximum(), 0) << "the end of the line can be scrolled into view";
    EXPECT_EQ(form->txtresults->toPlainText().count('\n'), form->txtresults->lineCount() - 1)
        << "lines are not wrapped";

    // A click puts the focus in the report, and Tab moves it on to the buttons below.
    activate(form);
    QTest::mouseClick(form->txtresults->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(form->txtresults->hasFocus());
    QTest::keyClick(form->txtresults, Qt::Key_Tab);
    EXPECT_TRUE(form->cmdCopyClip->hasFocus());

    // Tabbing round into the report shows the focus on its frame, as a text box shows it; the
    // next Tab takes the sign away.
    const QImage plain = frameOf(form->txtresults);
    ASSERT_TRUE(tabInto(form->txtresults));
    EXPECT_NE(frameOf(form->txtresults), plain);
    QTest::keyClick(form->txtresults, Qt::Key_Tab);
    EXPECT_FALSE(form->txtresults->hasFocus());
    EXPECT_EQ(frameOf(form->txtresults), plain);
}

TEST_F(DualReportTest, ABoutWithTenMillionCharacterTextsShowsAtOnce) {
    // A file from another tool: the latest bout's opponent first name and notes of 10,000,000
    // characters each.
    SeasonFixture db(path);
    FixtureMatch m;
    m.wrestler = db.addWrestler("Dan", "Dorn", 2010);
    m.date = QDate(2010, 12, 18);
    m.school = northfield;
    m.weight = db.addWeight("145");
    const int bout = db.addMatch(m);
    execSql(path, QString("UPDATE [Match] SET OppFName = replace(hex(zeroblob(5000000)), '00', 'Wi') WHERE Seq = %1; "
                          "UPDATE [Match] SET Notes = OppFName WHERE Seq = %1")
                      .arg(bout));
    frmDualRpt* form = showActive(ui::forms().get<frmDualRpt>());
    QCoreApplication::processEvents();
    ASSERT_EQ(form->comDateStart->currentText(), "12/18/2010");
    const QString report = form->txtresults->toPlainText();
    EXPECT_EQ(report, form->reportText());
    EXPECT_GT(report.size(), 10'000'000);
    EXPECT_TRUE(report.contains("   Dan Dorn, Home HS  def  WiWiWi")) << report.left(200).toStdString();
    EXPECT_TRUE(report.endsWith("Wi Onent, Northfield   \r\n"));
    // Only the start of the long line is laid out: the bar goes that far, not ten million
    // characters' width.
    QScrollBar* bar = form->txtresults->horizontalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_LT(bar->maximum(), QFontMetrics(form->txtresults->font())
                                  .horizontalAdvance(QString(ui::ReportBox::kLaidOutLength, QChar('W'))));
    ASSERT_TRUE(tabInto(form->txtresults));
    QTest::keyClick(form->txtresults, Qt::Key_End);
    QTest::keyClick(form->txtresults, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->txtresults, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(ui::clipboardText() == report) << "a copy still gives the whole text";
}

}  // namespace
