// The individual detail report: its date range, school and wrestler lists, the report text and
// totals, built from a real database file and read back from the form.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>
#include <functional>
#include <vector>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/frmWait.h"
#include "match_reports/date_stretches.h"
#include "match_reports/detail_report_text.h"
#include "match_reports/frmIndDetail.h"
#include "match_reports/report_support.h"
#include "platform/ui/ReportBox.h"
#include "support/pdf_readback.h"
#include "platform/db/ParallelRead.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/real_input.h"
#include "support/season_fixture.h"
#include "support/user_input.h"

namespace {

const QString kHead =
    "Date\tName\tWT\t1st\tTD\tRev\tEsc\tNF2\tNF3\tPen\tWar\tPin\tDec\tMD\tTF\tOther\r\n"
    "--------\t----------\t----\t-----\t----\t------\t------\t------\t------\t-------\t------\t-----"
    "\t------\t-----\t ----\t--------\r\n";
const QString kTotalsHead =
    "\tName\t\t1st\tTD\tRev\tEsc\tNF2\tNF3\tPen\tWar\tPin\tDec\tMD\tTF\tOther\r\n"
    "\t----------\t\t-----\t----\t------\t------\t------\t------\t-------\t------\t-----\t------"
    "\t-----\t ----\t--------\r\n";

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
    return list;
}

// Chooses a list entry as the user does.
void choose(QComboBox* combo, const QString& text) {
    const int i = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(i, 0) << text.toStdString();
    combo->setCurrentIndex(i);
}

// The bout lines of a report (between the head and the end), without the empty lines.
QStringList boutLines(const QString& results) {
    QStringList lines = results.split("\r\n").mid(2);
    lines.removeAll(QString());
    return lines;
}

// A varsity bout as the match entry saves it.
FixtureMatch bout(int wrestler, const QDate& date, int school, int weight, const QString& wl,
                  const QString& winType, const QString& firstPoint = QString(),
                  const std::map<QString, int>& tallies = {}) {
    FixtureMatch m;
    m.wrestler = wrestler;
    m.date = date;
    m.school = school;
    m.weight = weight;
    m.wl = wl;
    m.winType = winType;
    m.firstPoint = firstPoint;
    m.tallies = tallies;
    return m;
}

FixtureMatch jvBout(int wrestler, const QDate& date, int school, int weight) {
    FixtureMatch m = bout(wrestler, date, school, weight, "W", "DEC");
    m.level = "JV";
    return m;
}

class DetailReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = makeDatabase(home.path());
        useDatabase(path);
        gSeason = 2010;
    }
    void TearDown() override { ui::forms().unloadAll(); }

    frmIndDetail* open() { return ui::forms().get<frmIndDetail>(); }

    // Jim Roe (125) and Ann Bee (103) against Opp HS; Cal Dee wrestles JV only; Far Acad is met on
    // the first date only.
    void addSmallSeason() {
        SeasonFixture db(path);
        jim = db.addWrestler("Jim", "Roe", 2010);
        ann = db.addWrestler("Ann", "Bee", 2010);
        cal = db.addWrestler("Cal", "Dee", 2010);
        w125 = db.addWeight("125");
        w103 = db.addWeight("103");
        oppHs = db.addSchool("Opp HS");
        farAcad = db.addSchool("Far Acad");
        db.addMatch(bout(jim, QDate(2010, 12, 4), oppHs, w125, "W", "DEC", "H",
                         {{"tp1home", 2}, {"ep2home", 1}, {"tp1Opp", 1}, {"pp1opp", 1}}));
        db.addMatch(jvBout(jim, QDate(2010, 12, 4), farAcad, w125));
        db.addMatch(bout(jim, QDate(2010, 12, 11), oppHs, w125, "L", "Fall", "O",
                         {{"tp1Opp", 1}, {"nf3p1opp", 1}, {"ep1home", 1}}));
        db.addMatch(bout(ann, QDate(2010, 12, 11), oppHs, w103, "W", "Forfeit"));
        db.addMatch(jvBout(cal, QDate(2010, 12, 18), oppHs, w103));
    }

    TestHome home;
    QString path;
    int jim = 0, ann = 0, cal = 0, w125 = 0, w103 = 0, oppHs = 0, farAcad = 0;
};

TEST_F(DetailReportTest, OpensOnTheLastVarsityDateWithTheExactReportAndTotals) {
    addSmallSeason();
    // A date another tool stored as a text that is no date sorts after every date: it is no
    // choice of the date lists, nor the date the form opens on.
    const int odd = SeasonFixture(path).addMatch(bout(ann, QDate(2010, 12, 18), oppHs, w103, "W", "DEC"));
    execSql(path, QString("UPDATE [Match] SET [Date] = 'not a date' WHERE Seq = %1").arg(odd));
    // Nor is a blob whose bytes spell a date.
    const int blob = SeasonFixture(path).addMatch(bout(jim, QDate(2010, 12, 18), oppHs, w125, "W", "DEC"));
    execSql(path, QString("UPDATE [Match] SET [Date] = CAST('2023-02-28' AS BLOB) WHERE Seq = %1").arg(blob));
    frmIndDetail* form = open();
    EXPECT_EQ(form->windowTitle(), "Match Summary");
    EXPECT_EQ(items(form->comDateStart), QStringList({"12/4/2010", "12/11/2010"}));
    EXPECT_EQ(form->comDateStart->currentText(), "12/11/2010");
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    EXPECT_EQ(form->comSchool->currentText(), "ALL");
    EXPECT_EQ(form->comWrestler->currentText(), "ALL");
    // The lists take bouts of every level in the range.
    EXPECT_EQ(items(form->comSchool), QStringList({"ALL", "Opp HS"}));

    EXPECT_EQ(form->resultsText(),
              kHead +
                  "12/11/2010\tAnn Bee\t103\t\t0\t0\t0\t0\t0\t0\t0\t\t\t\t\t1\r\n"
                  "\tOpp HS\t\t\t0\t0\t0\t0\t0\t0\t0\t\r\n\r\n"
                  "12/11/2010\tJim Roe\t125\t\t0\t0\t1\t0\t0\t0\t0\t\r\n"
                  "\tOpp HS\t\t1\t1\t0\t0\t0\t1\t0\t0\t1\t\t\t\t\r\n\r\n");
    EXPECT_EQ(form->summaryText(),
              kTotalsHead +
                  "\tAnn Bee\t\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 1\t\r\n"
                  "\tOpponent\t\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t\r\n\r\n"
                  "\tJim Roe\t\t 0\t 0\t 0\t 1\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t\r\n"
                  "\tOpponent\t\t 1\t 1\t 0\t 0\t 0\t 1\t 0\t 0\t 1\t 0\t 0\t 0\t 0\t\r\n\r\n");
    // The boxes show the texts with the report's line ends.
    EXPECT_EQ(form->txtresults->toPlainText(), form->resultsText()) << "the text as built, its line ends kept";

    // Both dates: the pairs follow each wrestler's first bout and add up over the range.
    choose(form->comDateStart, "12/4/2010");
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    EXPECT_EQ(boutLines(form->resultsText()).first(),
              "12/4/2010\tJim Roe\t125\t1\t2\t0\t1\t0\t0\t0\t0\t\t1\t\t\t");
    EXPECT_EQ(form->summaryText(),
              kTotalsHead +
                  "\tJim Roe\t\t 1\t 2\t 0\t 2\t 0\t 0\t 0\t 0\t 0\t 1\t 0\t 0\t 0\t\r\n"
                  "\tOpponent\t\t 1\t 2\t 0\t 0\t 0\t 1\t 1\t 0\t 1\t 0\t 0\t 0\t 0\t\r\n\r\n"
                  "\tAnn Bee\t\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 1\t\r\n"
                  "\tOpponent\t\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t\r\n\r\n");

    // Copy puts each text on the clipboard exactly.
    form->cmdCopyClip->click();
    EXPECT_EQ(ui::clipboardText(), form->resultsText());
    form->cmdTotalsCopyClip->click();
    EXPECT_EQ(ui::clipboardText(), form->summaryText());

    // Tabbing into each report box shows the focus on its frame, as a text box shows it, and
    // takes it away as the focus moves on.
    showActive(form);
    for (ui::ReportBox* box : {form->txtresults, form->txtSummary}) {
        const QImage plain = frameOf(box);
        ASSERT_TRUE(tabInto(box)) << box->objectName().toStdString();
        EXPECT_NE(frameOf(box), plain) << box->objectName().toStdString();
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_FALSE(box->hasFocus());
        EXPECT_EQ(frameOf(box), plain) << box->objectName().toStdString();
    }
}

TEST_F(DetailReportTest, DateRangeStaysInOrderAndChoicesSurviveWhileListed) {
    addSmallSeason();
    frmIndDetail* form = open();

    // An end before the start moves the start back to it.
    choose(form->comDateEnd, "12/4/2010");
    EXPECT_EQ(form->comDateStart->currentText(), "12/4/2010");
    EXPECT_EQ(form->comDateEnd->currentText(), "12/4/2010");
    EXPECT_EQ(items(form->comSchool), QStringList({"ALL", "Far Acad", "Opp HS"}));

    choose(form->comSchool, "Far Acad");
    EXPECT_EQ(boutLines(form->resultsText()), QStringList());  // met at JV only

    choose(form->comSchool, "Opp HS");
    choose(form->comWrestler, "Jim Roe");
    EXPECT_EQ(boutLines(form->resultsText()).size(), 2);

    // A later end leaves the start alone; both choices are still listed and stay.
    choose(form->comDateEnd, "12/11/2010");
    EXPECT_EQ(form->comDateStart->currentText(), "12/4/2010");
    EXPECT_EQ(form->comSchool->currentText(), "Opp HS");
    EXPECT_EQ(form->comWrestler->currentText(), "Jim Roe");
    EXPECT_EQ(boutLines(form->resultsText()).size(), 4);

    // Far Acad is not met on 12/11: its choice is lost, the box left empty, the report empty.
    choose(form->comDateEnd, "12/4/2010");
    choose(form->comSchool, "Far Acad");
    choose(form->comDateStart, "12/11/2010");
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    EXPECT_EQ(form->comSchool->currentText(), "");
    EXPECT_EQ(form->comSchool->currentIndex(), -1);
    EXPECT_EQ(form->resultsText(), kHead);
    EXPECT_EQ(form->summaryText(), kTotalsHead);

    // The next refill takes the empty box as "ALL".
    choose(form->comDateStart, "12/4/2010");
    EXPECT_EQ(form->comSchool->currentText(), "ALL");
    EXPECT_EQ(boutLines(form->resultsText()).size(), 4);  // Jim Roe's two bouts

    // A wrestler met only at JV is listed and has no bout in the report.
    choose(form->comWrestler, "ALL");
    match_reports::showUnselected(form->comDateEnd, " ");
    form->loadWrestlers();
    EXPECT_TRUE(items(form->comWrestler).contains("Cal Dee"));
    choose(form->comWrestler, "Cal Dee");
    EXPECT_EQ(form->resultsText(), kHead);
}

// As the coach picks, with the keys and the mouse: a date or a wrestler builds the report once;
// the first Alt+Down after the form opens shows the list; leaving a box builds nothing.
TEST_F(DetailReportTest, APickBuildsTheReportOnce) {
    addSmallSeason();
    StatementCounter builds("SELECT FirstName, LastName, Date");
    frmIndDetail* form = showActive(open());
    EXPECT_EQ(builds.count(), 1) << "opening builds the report once";
    builds.reset();
    QAbstractItemView* list = form->comDateStart->view();

    ASSERT_TRUE(openWithKeys(form->comDateStart));
    EXPECT_EQ(builds.count(), 0);
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Return);
    keysHandled();
    EXPECT_EQ(form->comDateStart->currentText(), "12/4/2010");
    EXPECT_EQ(builds.count(), 1);
    EXPECT_TRUE(form->resultsText().contains("12/4/2010"));

    // In the closed box Down and Up go on from the date shown, each a pick and a build once the
    // keys have stopped; given together, one build for the date they end on.
    // (The wait window shown while the report is built leaves no window active offscreen.)
    for (const auto& [key, date] : {std::pair{Qt::Key_Down, "12/11/2010"}, std::pair{Qt::Key_Up, "12/4/2010"}}) {
        activate(form);
        ASSERT_TRUE(form->comDateStart->hasFocus());
        pressKey(key);
        EXPECT_EQ(form->comDateStart->currentText(), date);
    }
    EXPECT_EQ(builds.count(), 3);
    activate(form);
    QTest::keyClick(form->comDateStart, Qt::Key_Down);
    QTest::keyClick(form->comDateStart, Qt::Key_Up);
    QTest::keyClick(form->comDateStart, Qt::Key_Down);
    keysHandled();
    EXPECT_EQ(builds.count(), 4);
    EXPECT_EQ(form->comDateStart->currentText(), "12/11/2010");
    EXPECT_TRUE(form->resultsText().contains("12/11/2010"));
    EXPECT_FALSE(form->resultsText().contains("12/4/2010"));
    builds.reset();

    QTest::keyClick(form->comDateStart, Qt::Key_Tab);
    QTest::mouseClick(form->txtresults->viewport(), Qt::LeftButton);
    EXPECT_EQ(builds.count(), 0) << "leaving the date box";

    ASSERT_TRUE(pickWithMouse(form->comWrestler, "Ann Bee"));
    QTest::mouseClick(form->txtresults->viewport(), Qt::LeftButton);
    EXPECT_EQ(builds.count(), 1);
    EXPECT_TRUE(form->resultsText().contains("Bee"));
    EXPECT_FALSE(form->resultsText().contains("Roe"));
}

// A date typed that is no date (another form of writing, an impossible day) gets the date
// message when a pick or Print would use it, and no report or printout of another range.
TEST_F(DetailReportTest, ATypedTextThatIsNoDateGetsTheDateMessageAndNoReport) {
    addSmallSeason();
    StatementCounter builds("SELECT FirstName, LastName, Date");
    frmIndDetail* form = showActive(open());
    const QString before = form->resultsText();
    const QString shown = form->comDateStart->currentText();
    builds.reset();
    QLineEdit* start = form->comDateStart->lineEdit();
    for (const QString typed : {"12-04-2010", "2/30/2010", "soon"}) {
        SCOPED_TRACE(typed.toStdString());
        typeInto(start, typed);
        {
            ui::ScriptedMessages msgs;
            msgs.expect("Date must be in the MM/DD/YYYY format");
            pressKey(Qt::Key_Tab);
            EXPECT_EQ(msgs.last().title, "Error");
        }
        // The box shows the report's date again, selected, so that what is typed next replaces it.
        QCoreApplication::processEvents();
        EXPECT_EQ(builds.count(), 0);
        EXPECT_EQ(form->resultsText(), before);
        EXPECT_EQ(form->comDateStart->currentText(), shown);
        EXPECT_TRUE(form->comDateStart->hasFocus());
        EXPECT_EQ(start->selectedText(), shown);
    }

    // A date, and blanks for the open start, build the report again as the box is left.
    typeKeys("12/4/2010");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(builds.count(), 1);
    ASSERT_TRUE(pickWithMouse(form->comWrestler, "Jim Roe"));
    EXPECT_EQ(builds.count(), 2);
    EXPECT_EQ(boutLines(form->resultsText()).size(), 4);
    showActive(form);
    typeInto(start, "  ");
    ASSERT_TRUE(pickWithMouse(form->comWrestler, "Ann Bee"));
    EXPECT_EQ(builds.count(), 4);

    // A wrestler typed, then Print clicked: the box is left first, and the printout is his.
    showActive(form);
    qputenv("KESTRIVANE_PRINT_DIR", home.file("prints").toUtf8());
    {
        ui::ScriptedMessages msgs;
        msgs.expect("The printout was saved as ");
        typeIntoCombo(form->comWrestler, "jim roe");
        QTest::mouseClick(form->cmdPrint, Qt::LeftButton);
    }
    qunsetenv("KESTRIVANE_PRINT_DIR");
    EXPECT_EQ(form->comWrestler->currentText(), "Jim Roe");
    QStringList words;
    for (const PdfWord& w : readPdfWords(onlyPdf(home.file("prints")))) words << w.text;
    EXPECT_TRUE(words.contains("Roe") && !words.contains("Bee")) << words.join(' ').toStdString();
}

// The school and wrestler lists as the queries over every bout of the range give them.
QStringList listOfQuery(const QString& sql, const QString& start, const QString& end) {
    QStringList list{"ALL"};
    ConnectionScope connection;
    db::Recordset rs = openRecordset(sql, {match_reports::dateFromText(start), match_reports::dateFromText(end)});
    for (; !rs.isEOF(); rs.moveNext()) list << rs.field(0).toString();
    return list;
}

// The lists come from each name's first bout in the range (over a wide range): the same names
// in the same order as the queries over every bout, over names that are empty, Null, held by
// several rows, or written in two ways.
TEST_F(DetailReportTest, ChoiceListsAreThoseOfTheQueriesOverEveryBoutInTheRange) {
    const QString schools =
        "SELECT DISTINCT OppSchool.OppSchool FROM OppSchool INNER JOIN [Match] ON OppSchool.Seq = "
        "[MATCH].seqOppSchool WHERE Date BETWEEN ? AND ?  ORDER BY OppSchool.OppSchool";
    const QString wrestlers =
        "SELECT DISTINCT Wrestler.FullName FROM Wrestler INNER JOIN [Match] ON Wrestler.Seq = "
        "[Match].seqWrestler WHERE [Match].[Date] BETWEEN ? AND ?  ORDER BY Wrestler.FullName";
    addSmallSeason();
    SeasonFixture db(path);
    const int roe2009 = db.addWrestler("Jim", "Roe", 2009);
    const int blank = db.addWrestler("", "", 2010);
    const int unnamed = db.addWrestler("Uno", "Named", 2010);
    const int emptySchool = db.addSchool("");
    const int nullSchool = db.addSchool("Null Prep");
    execSql(path, QString("UPDATE Wrestler SET FullName = NULL WHERE Seq = %1;"
                          "UPDATE OppSchool SET OppSchool = NULL WHERE Seq = %2")
                      .arg(unnamed)
                      .arg(nullSchool));
    db.beginBatch();
    for (int day = 0; day < 40; ++day) {
        const QDate date = QDate(2009, 12, 5).addDays(day);
        db.addMatch(bout(roe2009, date, day % 2 ? emptySchool : farAcad, w125, "W", "DEC"));
        db.addMatch(jvBout(day % 3 ? blank : unnamed, date, day % 2 ? nullSchool : oppHs, w103));
    }
    db.endBatch();
    const QList<QStringList> ranges = {
        {" ", " "}, {"12/5/2009", "12/18/2010"}, {"12/11/2010", "12/11/2010"},
        {"12/20/2009", "1/2/2010"}, {"1/1/2011", " "}};
    auto compareLists = [&] {
        for (const QStringList& range : ranges) {
            QString start, end;
            getDateRange(range[0], range[1], start, end);
            start = match_reports::dateFromText(start).isValid() ? start : "1/1/2000";
            end = match_reports::dateFromText(end).isValid() ? end : "12/31/2099";
            EXPECT_EQ(detailSchools(range[0], range[1]), listOfQuery(schools, start, end)) << range.join(" - ").toStdString();
            EXPECT_EQ(detailWrestlers(range[0], range[1]), listOfQuery(wrestlers, start, end))
                << range.join(" - ").toStdString();
        }
    };
    compareLists();
    EXPECT_EQ(detailWrestlers(" ", " "), (QStringList{"ALL", "", "", "Ann Bee", "Cal Dee", "Jim Roe"}));

    // Schools and wrestlers without a bout, as an association's imported school list and a
    // room of beginners leave them, some named like those with bouts: the lists stay those of
    // the queries, and what a list reads grows with the bouts and the rows of its table, not
    // with the one times the other.
    auto stepsOf = [](const std::function<QStringList()>& list) {
        gConn.close();  // the counter sees the connections opened while it lives
        StatementCounter selects("SELECT");
        list();
        return selects.steps();
    };
    const long long schoolSteps = stepsOf([] { return detailSchools(" ", " "); });
    const long long wrestlerSteps = stepsOf([] { return detailWrestlers(" ", " "); });
    db.beginBatch();
    for (int i = 0; i < 800; ++i) {
        db.addSchool(QString("Idle %1 High").arg(i, 3, 10, QChar('0')));
        db.addWrestler("Idle", QString("Beginner %1").arg(i, 3, 10, QChar('0')), 2009 + i % 3);
    }
    db.addSchool("OPP HS");
    db.addWrestler("ANN", "BEE", 2011);
    db.endBatch();
    compareLists();
    EXPECT_LT(stepsOf([] { return detailSchools(" ", " "); }), schoolSteps + 40 * 800);
    EXPECT_LT(stepsOf([] { return detailWrestlers(" ", " "); }), wrestlerSteps + 40 * 800);

    // Two ways of writing one name (letter case apart): the lists show the way the queries show.
    const int shouting = db.addWrestler("JIM", "ROE", 2008);
    const int farAcadAgain = db.addSchool("FAR ACAD");
    db.addMatch(bout(shouting, QDate(2009, 12, 20), farAcadAgain, w125, "W", "DEC"));
    compareLists();
}

// A wide range is read in stretches of dates on several threads. Its texts are those of the
// one query over the whole range, on bouts that tie on every sorted column, Null and huge
// counts, a last name left blank, a stored date that is no date, names that shorten alike
// and schools that differ in letter case only; a win type outside the table still gets its
// message once per bout.
TEST_F(DetailReportTest, AWideRangeReadOnSeveralThreadsGivesTheTextsOfTheOneQuery) {
    SeasonFixture db(path);
    const int bart = db.addWrestler("Bartholomew", "Montgomery-Fitzgerald", 2010);
    const int ben = db.addWrestler("Benjamin", "Montgomery-Fitzgerald", 2010);
    const int jo = db.addWrestler("Jo", "Short", 2010);
    const int noLast = db.addWrestler("Nolast", "", 2010);
    const int wt = db.addWeight("130");
    const int heavy = db.addWeight("285");
    const int central = db.addSchool("Central");
    const int shouting = db.addSchool("CENTRAL");
    const int wide = db.addSchool("The Consolidated Regional Vocational Technical High School");
    db.beginBatch();
    const QDate first(2010, 12, 1);
    std::vector<int> varsity;  // four a day: Jo twice, then Bartholomew or Benjamin
    int n = 0;
    for (int day = 0; day < 90; day += 3) {
        const QDate date = first.addDays(day);
        for (int k = 0; k < 4; ++k, ++n) {
            // Jo's two bouts of a day tie on date, school, weight and name, told apart by counts.
            const int school = k < 2 ? central : (n % 3 ? wide : shouting);
            const int wrestler = k < 2 ? jo : (n % 2 ? bart : ben);
            varsity.push_back(db.addMatch(
                bout(wrestler, date, school, k == 3 ? heavy : wt, n % 4 ? "W" : "L",
                     QStringList{"DEC", "Fall", "MD", "TF", "Forfeit", "Other"}[n % 6],
                     QStringList{"H", "O", ""}[n % 3], {{"tp1home", n % 5}, {"rp2Opp", k}, {"ep1home", day % 7}})));
        }
        db.addMatch(bout(noLast, date, central, wt, "W", "DEC"));
        db.addMatch(jvBout(jo, date, central, wt));
    }
    db.endBatch();
    const auto seqs = [&varsity](std::initializer_list<int> at) {
        QStringList list;
        for (int i : at) list << QString::number(varsity[i]);
        return list.join(", ");
    };
    execSql(path, "UPDATE [Match] SET tp2home = NULL WHERE Seq % 7 = 0 AND SeqWrestler <> " + QString::number(jo) + ";"
                  "UPDATE [Match] SET wp1opp = 2.5 WHERE Seq % 11 = 0;"
                  "UPDATE [Match] SET [Date] = '2011-01-1' WHERE Seq IN (" + seqs({40, 41}) + ")");

    frmIndDetail* form = open();
    ASSERT_TRUE(pickWithMouse(form->comDateStart, "12/1/2010"));
    const int splitFrom = match_reports::setSplitFromBouts(1);
    // The texts of the widest range, built anew (from the first date to the next and back), and
    // how many connections read its bouts in that one build.
    int readers = 0;
    const auto texts = [form, &readers](int splitFrom) {
        match_reports::setSplitFromBouts(splitFrom);
        form->comDateStart->setFocus();
        QTest::keyClick(form->comDateStart, Qt::Key_Down);
        StatementCounter reads("SELECT FirstName, LastName, Date, ");
        QTest::keyClick(form->comDateStart, Qt::Key_Up);
        readers = reads.connections();
        EXPECT_EQ(form->comDateStart->currentText(), "12/1/2010");
        return std::pair{form->resultsText(), form->summaryText()};
    };
    const auto compare = [&](const char* what) {
        const auto inOne = texts(1000000);
        const auto onThreads = texts(1);
        EXPECT_EQ(onThreads.first, inOne.first) << what;
        EXPECT_EQ(onThreads.second, inOne.second) << what;
    };
    compare("stored as entered");
    // Every thread the CPUs allow read a stretch of its own on a reader opened for it; on one CPU
    // the bouts are read in one run on the program's own connection, opened before, and no reader
    // is opened.
    EXPECT_EQ(readers, db::readerThreads() > 1 ? db::readerThreads() : 0);
    const QStringList lines = boutLines(form->resultsText());
    EXPECT_EQ(lines.size(), 2 * 4 * 30);
    EXPECT_EQ(lines.filter(QRegularExpression("^2011-01-1\\tJo Short\\t130\\t")).size(), 2);

    // Counts so large that a sum stops at the largest number: added up in one run, Jo's takedowns
    // stop there and come down again with the negative count.
    execSql(path, "UPDATE [Match] SET tp1home = 9000000000000000000 WHERE Seq IN (" + seqs({4, 80}) + ");"
                  "UPDATE [Match] SET tp1home = -9000000000000000000 WHERE Seq = " + seqs({81}));
    compare("huge counts");
    EXPECT_TRUE(form->summaryText().contains("\tJo Short\t\t 20\t 2233720368547758")) << form->summaryText().toStdString();
    // Counts far above any real one, but such that only their sum in one run reaches the largest
    // number: added up apart, the two of the later date would cancel out.
    execSql(path, "UPDATE [Match] SET tp1home = 4600000000000000000 WHERE Seq IN (" + seqs({4, 5, 80}) + ");"
                  "UPDATE [Match] SET tp1home = -4600000000000000000 WHERE Seq = " + seqs({81}));
    compare("counts whose sum reaches the largest number");
    EXPECT_TRUE(form->summaryText().contains("\tJo Short\t\t 20\t 462337203685477")) << form->summaryText().toStdString();

    // A win type outside the table: one message per bout and build, as in one run.
    execSql(path, "UPDATE [Match] SET WinType = 'FALL' WHERE Seq IN (" + seqs({9, 90}) + ")");
    ui::ScriptedMessages msgs;
    for (int message = 0; message < 2 * 4; ++message) msgs.expect("Wintype not found---function wintype/frmIndDeatil");
    compare("a win type outside the table");
    EXPECT_EQ(msgs.last().title, "FALL");
    match_reports::setSplitFromBouts(splitFrom);
}

// The wait window shown while the report is built never becomes the active form, and the
// report form is the active window again once it is gone, with the focus in the box picked from.
// (On a display the window is shown without activation; the offscreen platform activates every
// window it shows, so here it is the handing back that is seen.)
TEST_F(DetailReportTest, TheWaitWindowLeavesTheReportActive) {
    addSmallSeason();
    frmIndDetail* form = showActive(open());
    bool waitWasActiveForm = false;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, form, [&] {
        if (qobject_cast<frmWait*>(ui::Form::activeForm())) waitWasActiveForm = true;
    });

    ASSERT_TRUE(pickWithMouse(form->comDateStart, "12/4/2010"));
    ASSERT_TRUE(openWithKeys(form->comWrestler));
    QTest::keyClick(form->comWrestler->view(), Qt::Key_End);
    QTest::keyClick(form->comWrestler->view(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor(
        [form] { return !ui::forms().isLoaded<frmWait>() && QApplication::activeWindow() == form; }, 30000));

    EXPECT_FALSE(waitWasActiveForm);
    EXPECT_EQ(ui::Form::activeForm(), form);
    EXPECT_EQ(QApplication::activeWindow(), form);
    EXPECT_EQ(QApplication::focusWidget(), form->comWrestler);
    EXPECT_FALSE(ui::forms().isLoaded<frmWait>());
}

// A range is read apart from 40,000 bouts on; one fewer are read in one run, where the threads'
// cost would not pay.
TEST_F(DetailReportTest, ARangeIsReadApartFromFortyThousandBoutsOn) {
    if (db::readerThreads() < 2) GTEST_SKIP() << "with one CPU nothing is read apart";
    addSmallSeason();
    // Copies of a stored bout, a hundred days apart at most, to make `total` bouts.
    const auto boutsInAll = [this](int total) {
        execSql(path, QStringLiteral("CREATE TEMP TABLE Copy AS SELECT * FROM [Match] LIMIT 0;"
                                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                     "INSERT INTO Copy SELECT b.* FROM (SELECT * FROM [Match] LIMIT 1) AS b, n;"
                                     "UPDATE Copy SET Seq = NULL, [Date] = date('2010-12-01', '+' || (rowid % 100) || ' days');"
                                     "INSERT INTO [Match] SELECT * FROM Copy;")
                          .arg(total - queryValue(path, "SELECT Count(*) FROM [Match]").toInt()));
    };
    const auto readApart = [] {
        ConnectionScope connection;
        return !match_reports::dateStretches(QDate(2010, 11, 1), QDate(2011, 4, 30)).empty();
    };
    boutsInAll(39999);
    EXPECT_FALSE(readApart());
    boutsInAll(40000);
    EXPECT_TRUE(readApart());
}

// Whether the wait window was shown, and whether it ever became the window the coach works in.
class WaitWindowWatch : public QObject {
public:
    explicit WaitWindowWatch(std::function<void()> building = {}) : building_(std::move(building)) {
        qApp->installEventFilter(this);
    }
    bool shown = false;
    bool tookOver = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!qobject_cast<frmWait*>(watched)) return false;
        if (event->type() == QEvent::Show) {
            shown = true;
            if (building_) building_();
        }
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::FocusIn) tookOver = true;
        return false;
    }

private:
    std::function<void()> building_;
};

// On a real screen, with a window manager that activates the windows it maps: the wait window
// shown while the report is built never takes the activation nor the focus from the report, and
// the wheel over the date box just picked from, the focus still in it, changes neither the date
// nor the report.
TEST_F(DetailReportTest, TheWaitWindowTakesNothingAndTheWheelPicksNothingOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    addSmallSeason();
    frmIndDetail* form = open();
    form->show();
    showOnScreen(form);
    const WaitWindowWatch wait;
    ASSERT_TRUE(xPick(form->comDateStart, "12/11/2010"));
    ASSERT_TRUE(wait.shown);
    ASSERT_TRUE(waitFor([] { return !ui::forms().isLoaded<frmWait>(); }));
    EXPECT_FALSE(wait.tookOver);
    EXPECT_EQ(ui::Form::activeForm(), form);
    EXPECT_EQ(QApplication::focusWidget(), form->comDateStart);

    const QString report = form->resultsText();
    xWheel(form->comDateStart, 1);
    xWheel(form->comDateEnd, -1);
    EXPECT_EQ(form->comDateStart->currentText(), "12/11/2010");
    EXPECT_EQ(form->resultsText(), report);
}

TEST_F(DetailReportTest, QueryBindsTheChoicesAndOpenEndsTakeTheDefaultDates) {
    const SeasonFixtureIds ids = makeSeasonFixture(path);
    (void)ids;
    frmIndDetail* form = open();

    DetailQuery query = form->buildDetailSQL();
    EXPECT_TRUE(query.sql.contains(" AS tdO , ")) << query.sql.toStdString();
    EXPECT_TRUE(query.sql.contains("WHERE Level='v'   AND Date between ? AND ? "));
    EXPECT_TRUE(query.sql.endsWith(" Order By Date, Oppschool.Oppschool, Weight, LastName, FirstName"));

    // Blanks are the open ends; a typed text that is no date is one too.
    match_reports::showUnselected(form->comDateStart, " ");
    match_reports::showUnselected(form->comDateEnd, "soon");
    QString start;
    QString end;
    form->getDateRange(start, end);
    EXPECT_EQ(start, "1/1/2000");
    EXPECT_EQ(end, "soon");
    query = form->buildDetailSQL();
    ASSERT_EQ(query.params.size(), 2u);
    EXPECT_EQ(query.params[0].toDate(), QDate(2000, 1, 1));
    EXPECT_EQ(query.params[1].toDate(), QDate(2099, 12, 31));

    // A school with an apostrophe is passed safely; "all" is a school name, not "ALL".
    match_reports::showUnselected(form->comSchool, "O'Malley Prep");
    form->buildDetailReport();
    QStringList lines = boutLines(form->resultsText());
    ASSERT_EQ(lines.size(), 6);  // Alder, Brook and Cole on 1/8/2011
    EXPECT_TRUE(lines[2].startsWith("1/8/2011\tAdam Alder\t119\t"));
    EXPECT_EQ(lines[3], "\tO'Malley Prep\t\t1\t2\t0\t0\t0\t0\t0\t0\t\t1\t\t\t");
    match_reports::showUnselected(form->comSchool, "all");
    form->buildDetailReport();
    EXPECT_EQ(form->resultsText(), kHead);

    // VOID (no last name) is left out; the same name in two seasons shares one pair of totals.
    match_reports::showUnselected(form->comSchool, "ALL");
    form->buildDetailReport();
    EXPECT_FALSE(form->resultsText().contains("VOID"));
    const QStringList summary = form->summaryText().split("\r\n");
    EXPECT_EQ(summary.filter("\tAdam Alder\t").size(), 1);
    // Adam Alder, 2009 and 2010: first points 3, TD 2+1+3+2+4+3, Pin 2, Dec 2, MD 1, Forfeit 1.
    EXPECT_EQ(summary[2], "\tAdam Alder\t\t 3\t 15\t 0\t 0\t 1\t 1\t 0\t 0\t 2\t 2\t 1\t 0\t 1\t");
}

TEST_F(DetailReportTest, OddWinTypesNullCountsAndWideNamesAndSchools) {
    SeasonFixture db(path);
    const int longName = db.addWrestler("Bartholomew", "Montgomery-Fitzgerald", 2010);
    const int longLast = db.addWrestler("Al", "Wolfeschlegelsteinhausenbergerdorffvoralternwaren", 2010);
    const int wt = db.addWeight("140");
    const int wide = db.addSchool("Northwestern Consolidated Academy");
    const int narrow = db.addSchool("Opp HS");
    const QDate day(2011, 1, 8);
    db.addMatch(bout(longName, day, wide, wt, "W", "FALL", "", {{"tp1home", 3}}));
    const int nullBout = db.addMatch(bout(longLast, day, narrow, wt, "L", "Other", "", {{"tp2home", 1}}));
    execSql(path, QString("UPDATE [Match] SET tp1home = NULL, WinType = NULL WHERE Seq = %1").arg(nullBout));

    ui::ScriptedMessages msgs;
    // One message per build of the report: the form builds it once as it loads.
    msgs.expect("Wintype not found---function wintype/frmIndDeatil");
    frmIndDetail* form = open();
    EXPECT_EQ(msgs.last().title, "FALL");

    const QStringList lines = boutLines(form->resultsText());
    ASSERT_EQ(lines.size(), 4);
    // "FALL" is not "Fall": no win cells and no win counted. The wide school takes one tab.
    EXPECT_EQ(lines[0], "1/8/2011\tB Montgomery-Fitzgerald\t140\t\t3\t0\t0\t0\t0\t0\t0\t");
    EXPECT_EQ(lines[1], "\tNorthwestern Consolidated Academy\t\t0\t0\t0\t0\t0\t0\t0\t");
    // A Null count shows empty; a bout without a win type has no win cells.
    const QStringList cells = lines[2].split("\t");
    ASSERT_EQ(cells.size(), 12) << lines[2].toStdString();
    // The last name alone is still too wide: it is cut at its end until it fits.
    const QString last = "Wolfeschlegelsteinhausenbergerdorffvoralternwaren";
    const QString shown = cells[1];
    auto twips = [form](const QString& t) {
        return match_reports::textWidthTwips(form->txtresults, form->txtresults->font(), t);
    };
    ASSERT_TRUE(last.startsWith(shown) && shown.size() < last.size()) << shown.toStdString();
    EXPECT_LE(twips(shown), 2340);
    EXPECT_GT(twips(last.left(shown.size() + 1)), 2340);
    EXPECT_EQ(cells[4], "");
    EXPECT_EQ(cells[11], "");
    EXPECT_EQ(lines[3], "\tOpp HS\t\t\t0\t0\t0\t0\t0\t0\t0\t");

    const QStringList summary = form->summaryText().split("\r\n");
    EXPECT_EQ(summary[2], "\tB Montgomery-Fitzgerald\t\t 0\t 3\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t");
    // The Null takedown column makes the takedown sum Null, which adds nothing.
    EXPECT_EQ(summary[5], "\t" + shown + "\t\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t");
}

// Counts of one, two and three digits, below nought and with a fraction are written as they stand,
// and totalled; a school met again after another keeps its own cells.
TEST_F(DetailReportTest, CountsOfEverySizeAndSchoolsMetInTurnAreWrittenAsTheyStand) {
    {
        SeasonFixture db(path);
        const int jo = db.addWrestler("Jo", "Short", 2010);
        const int wt = db.addWeight("130");
        const int wide = db.addSchool("Northwestern Consolidated Academy");
        const int narrow = db.addSchool("Opp HS");
        db.addMatch(bout(jo, QDate(2011, 1, 8), wide, wt, "W", "DEC", "H",
                         {{"tp1home", 7}, {"tp2home", 5}, {"rp1home", 150}, {"ep1home", -3},
                          {"nf2p1home", 99}, {"pp1home", 10}, {"tp1Opp", 9}}));
        db.addMatch(bout(jo, QDate(2011, 1, 15), narrow, wt, "L", "TF", "O", {{"tp1Opp", 12}}));
        const int third = db.addMatch(bout(jo, QDate(2011, 1, 22), wide, wt, "W", "Fall", "", {{"tp1home", 1}}));
        execSql(path, QString("UPDATE [Match] SET wp1home = 2.5, rp2Opp = -12 WHERE Seq = %1").arg(third));
    }
    frmIndDetail* form = open();
    choose(form->comDateStart, "1/8/2011");
    EXPECT_EQ(form->comDateEnd->currentText(), "1/22/2011");
    EXPECT_EQ(boutLines(form->resultsText()),
              QStringList({"1/8/2011\tJo Short\t130\t1\t12\t150\t-3\t99\t0\t10\t0\t\t1\t\t\t",
                           "\tNorthwestern Consolidated Academy\t\t9\t0\t0\t0\t0\t0\t0\t",
                           "1/15/2011\tJo Short\t130\t\t0\t0\t0\t0\t0\t0\t0\t",
                           "\tOpp HS\t\t1\t12\t0\t0\t0\t0\t0\t0\t\t\t\t1\t",
                           "1/22/2011\tJo Short\t130\t\t1\t0\t0\t0\t0\t0\t2.5\t1\t\t\t\t",
                           "\tNorthwestern Consolidated Academy\t\t0\t-12\t0\t0\t0\t0\t0\t"}));
    const QStringList summary = form->summaryText().split("\r\n");
    ASSERT_GE(summary.size(), 4);
    // The fraction is rounded away in the totals, which are whole numbers.
    EXPECT_EQ(summary[2], "\tJo Short\t\t 1\t 13\t 150\t-3\t 99\t 0\t 10\t 3\t 1\t 1\t 0\t 0\t 0\t");
    EXPECT_EQ(summary[3], "\tOpponent\t\t 1\t 21\t-12\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 1\t 0\t");
}

// Where each TAB-separated cell of a line starts, in pixels, laid out as the box lays out its lines.
std::vector<qreal> cellStarts(const ui::ReportBox* box, const QString& line) {
    QTextLayout layout(line, box->font(), box->viewport());
    layout.setTextOption(box->textOption());
    layout.beginLayout();
    QTextLine row = layout.createLine();
    layout.endLayout();
    std::vector<qreal> starts = {row.cursorToX(0)};
    for (int i = 0; i < line.size(); ++i)
        if (line[i] == '\t') starts.push_back(row.cursorToX(i + 1));
    return starts;
}

TEST_F(DetailReportTest, LongOpponentSchoolsAreCutSoEveryCountStaysUnderItsHead) {
    // Three losses by major decision, the opponent scoring first with 3 takedowns: against a
    // school that ends just short of the weight column, one that reaches past it, and one of 85
    // characters.
    const QStringList schools = {
        "Lutheran North Regional Academy", "Lutheran North Regional High School",
        "The Consolidated Regional Vocational Technical High School of the Lakeside Valley Ctr"};
    {
        SeasonFixture db(path);
        const int jo = db.addWrestler("Jo", "Short", 2010);
        const int wt = db.addWeight("130");
        for (const QString& school : schools) {
            FixtureMatch m = bout(jo, QDate(2011, 2, 5), db.addSchool(school), wt, "L", "MD", "O", {{"tp1Opp", 3}});
            db.addMatch(m);
        }
    }
    frmIndDetail* form = open();
    const auto twips = [form](const QString& t) {
        return match_reports::textWidthTwips(form->txtresults, form->txtresults->font(), t);
    };
    ASSERT_GT(twips(schools[0]), 2340) << "wider than the name column, yet short of the weight column";

    const QStringList lines = boutLines(form->resultsText());
    ASSERT_EQ(lines.size(), 6);
    const std::vector<qreal> heads = cellStarts(form->txtresults, kHead.split("\r\n").first());
    ASSERT_EQ(heads.size(), 16u);
    for (int i = 0; i < 3; ++i) {
        const QString& opp = lines[2 * i + 1];
        SCOPED_TRACE(opp.toStdString());
        // The school, whole or cut, ends before the first-point column; the 13 cells after it
        // (the first point to Other) start where their heads do.
        const QString shown = opp.split('\t')[1];
        EXPECT_TRUE(schools[i].startsWith(shown) && shown.size() > 25);
        EXPECT_EQ(shown == schools[i], i < 2);
        const QStringList cells = opp.split('\t');
        EXPECT_EQ(cells.mid(cells.size() - 13),
                  QStringList({"1", "3", "0", "0", "0", "0", "0", "0", "", "", "1", "", ""}));
        const std::vector<qreal> starts = cellStarts(form->txtresults, opp);
        ASSERT_GE(starts.size(), 13u);
        EXPECT_LT(cellStarts(form->txtresults, "\t" + shown + "\t").back(), heads[3] + 0.5);
        for (size_t k = 0; k < 13; ++k) EXPECT_NEAR(starts[starts.size() - 13 + k], heads[3 + k], 0.5) << k;
    }
}

// Run only as a child process of EveryColumnIsInsideItsBoxAtEveryScale.
TEST_F(DetailReportTest, DISABLED_EveryColumnIsInsideItsBoxOnTheGivenScreen) {
    addSmallSeason();
    frmIndDetail* form = open();
    form->show();
    QApplication::processEvents();
    for (ui::ReportBox* box : {form->txtresults, form->txtSummary}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const QString head = box->toPlainText().section("\r\n", 0, 0);
        ASSERT_TRUE(head.endsWith("\tOther"));
        const qreal end = ui::ReportBox::kMargin + cellStarts(box, head).back() +
                          QFontMetricsF(box->font(), box->viewport()).horizontalAdvance("Other");
        EXPECT_LE(end, box->viewport()->width());
        EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << "no line runs past the box";
    }
}

// The last column, "Other", is in view without scrolling, at 100%, 125% and 200%.
TEST_F(DetailReportTest, EveryColumnIsInsideItsBoxAtEveryScale) {
    struct Screen {
        int width, height;
        double scale;
    };
    for (const Screen& s : {Screen{1280, 1024, 1}, Screen{1366, 768, 1.25}, Screen{3840, 2160, 2}}) {
        SCOPED_TRACE(QStringLiteral("%1x%2 at %3").arg(s.width).arg(s.height).arg(s.scale).toStdString());
        const QString failure =
            failureOfTestOnScreen("DetailReportTest.DISABLED_EveryColumnIsInsideItsBoxOnTheGivenScreen",
                                  writeScreenConfig(home.path(), s.width, s.height, s.scale));
        EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    }
}

TEST_F(DetailReportTest, WithoutVarsityBoutsOpensOnOpenEnds) {
    SeasonFixture db(path);
    const int w = db.addWrestler("Jim", "Roe", 2010);
    db.addMatch(jvBout(w, QDate(2010, 12, 4), db.addSchool("Opp HS"), db.addWeight("125")));
    frmIndDetail* form = open();
    EXPECT_EQ(form->comDateStart->count(), 0);
    EXPECT_EQ(form->comDateStart->currentText(), " ");
    EXPECT_EQ(form->comDateEnd->currentText(), " ");
    EXPECT_EQ(items(form->comWrestler), QStringList({"ALL", "Jim Roe"}));
    EXPECT_EQ(form->resultsText(), kHead);
    EXPECT_EQ(form->summaryText(), kTotalsHead);
}

TEST_F(DetailReportTest, HelpReturnAndTheCloseBoxGoBackToTheReportsMenu) {
    frmIndDetail* form = open();
    form->cmdHelp->click();
    ASSERT_TRUE(ui::forms().isLoaded<frmHelp>());
    EXPECT_EQ(ui::forms().get<frmHelp>()->txtHelp->toPlainText(),
              "Team Detail\n\nSelect Appropriate date range, school and wreslter\n\n"
              "To print list, click 'Print'\n\n"
              "To copy information to another program, click either \n"
              "'Copy Results to Clipboard' or 'Copy Totals to Clipboard' \n"
              "and then paste into another application such as WordPad\n");

    form->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmIndDetail>());
    ASSERT_TRUE(ui::forms().isLoaded<frmReports>());
    ui::forms().unload<frmReports>();

    form = open();
    form->show();
    form->close();
    EXPECT_FALSE(ui::forms().isLoaded<frmIndDetail>());
    EXPECT_TRUE(ui::forms().isLoaded<frmReports>());
}

}  // namespace

// On a real screen, the program on one CPU: a date picked by a key is drawn in its box before the
// report is built, and the report is built once input has stopped arriving: for a single key,
// quick taps already waiting when the first is handled, and a key held down with the X server
// repeating it (repeats the program may be told of as separate presses).
TEST_F(DetailReportTest, KeysInADateBoxBuildTheReportOnceTheyStopOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    addSmallSeason();
    {
        SeasonFixture db(path);
        for (int day = 1; day <= 30; ++day) db.addMatch(bout(jim, QDate(2011, 1, day), oppHs, w125, "W", "DEC"));
    }
    frmIndDetail* form = open();
    showOnScreen(form);
    xClick(form->comDateStart);
    ASSERT_TRUE(form->comDateStart->hasFocus());
    ASSERT_EQ(form->comDateStart->currentText(), "1/30/2011");
    // What the date box showed when it was last drawn, at each build.
    QString drawn;
    QStringList drawnAtBuilds;
    PaintWatch watch(form->comDateStart->lineEdit(), [&] { drawn = form->comDateStart->lineEdit()->text(); });
    const WaitWindowWatch builds([&] { drawnAtBuilds << drawn; });
    const OnOneCpu slow;
    const struct {
        const char* how;
        std::function<void()> keys;
        const char* date;
    } cases[] = {
        {"a key", [] { xKeys("Up"); }, "1/29/2011"},
        {"quick taps", [] { xKeys("Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up"); }, "1/14/2011"},
        {"a held key", [form] { ASSERT_TRUE(xHold("Down", [form] { return form->comDateStart->currentText() == "1/25/2011"; })); },
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        drawnAtBuilds.clear();
        c.keys();
        const QString shown = form->comDateStart->currentText();
        if (c.date) {
            EXPECT_EQ(shown, c.date);
        }
        ASSERT_FALSE(drawnAtBuilds.isEmpty());
        EXPECT_LE(drawnAtBuilds.size(), 2) << drawnAtBuilds.join(", ").toStdString();
        EXPECT_EQ(drawnAtBuilds.last(), shown) << "drawn before the build";
        EXPECT_TRUE(form->resultsText().contains(shown)) << "the report of the date shown";
    }
}

