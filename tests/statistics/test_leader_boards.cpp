// The multi-leader boards over stored seasons, driven through their controls, and their printout
// on the recording printer.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringList>

#include "core/connection.h"
#include "platform/print/RecordingPage.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "statistics/frmTeamLeaders.h"
#include "statistics/season_db_test.h"
#include "support/pdf_readback.h"
#include "support/qt_printers.h"
#include "support/user_input.h"

namespace {

void choose(QComboBox* combo, const QString& item) {
    combo->setCurrentIndex(combo->findText(item));
}

QString board(frmTeamLeaders* form, int i) { return form->txtresults[i]->toPlainText(); }

// A board's lines in name order (equal values come in the database's order).
QString sortedBoard(frmTeamLeaders* form, int i) {
    QStringList lines = board(form, i).split('\n');
    lines.sort();
    return lines.join('|');
}

// The ready-made database of several seasons, current season 2010-2011.
using LeaderBoardsTest = SeasonDbTest;

TEST_F(LeaderBoardsTest, VarsityBoardsOverThePresetRangeFollowTheDatePicks) {
    ui::ScriptedMessages msgs;
    frmTeamLeaders* form = ui::forms().get<frmTeamLeaders>();
    form->show();
    EXPECT_EQ(form->comDateStart->count(), 10);  // every match date, oldest first
    EXPECT_EQ(form->comDateEnd->itemText(9), "5/10/2011");
    // From the first match after 1 November to the last before 30 April.
    EXPECT_EQ(form->comDateStart->currentText(), "12/4/2010");
    EXPECT_EQ(form->comDateEnd->currentText(), "2/12/2011");
    // No active-only filter (Carl Cole is inactive); Dan Dorn's JV bouts and VOID never count.
    EXPECT_EQ(sortedBoard(form, 0), "Adam Alder\t 4|Ben Brook\t 2|Carl Cole\t 2");
    EXPECT_EQ(board(form, 1), "Adam Alder\t 1");
    // A sum category takes in every varsity wrestler of the range, those without moves at 0.
    EXPECT_EQ(board(form, 2), "Adam Alder\t 9\nBen Brook\t 6\nCarl Cole\t 4\nEli Ezra\t 0");
    // Team points: wrestlers with none recorded come last, without a value.
    choose(form->comType[1], "Team Points");
    EXPECT_EQ(sortedBoard(form, 1), "Adam Alder\t 19|Ben Brook\t 8|Carl Cole\t|Eli Ezra\t");

    choose(form->comDateStart, "5/10/2011");  // after the end: the end follows
    EXPECT_EQ(form->comDateEnd->currentText(), "5/10/2011");
    EXPECT_EQ(board(form, 2), "Adam Alder\t 3");
    choose(form->comDateEnd, "12/5/2009");  // before the start: the start follows
    EXPECT_EQ(form->comDateStart->currentText(), "12/5/2009");
    EXPECT_EQ(board(form, 0), "Adam Alder\t 1");
    EXPECT_TRUE(msgs.messages().empty());

    form->close();  // the close box goes back to the reports menu
    QCoreApplication::processEvents();
    EXPECT_FALSE(ui::forms().isLoaded<frmTeamLeaders>());
    ASSERT_TRUE(ui::forms().isLoaded<frmReports>());
    EXPECT_TRUE(ui::forms().get<frmReports>()->isVisible());
}

// Text typed into a date or category box, then Tab or Enter: a date or category is taken as a
// pick of it (the boards follow, the range kept in order), anything else is refused with the
// box's message and the box shows the boards' choice again. The printout follows the boxes.
TEST_F(LeaderBoardsTest, TypedDatesAndCategoriesAreTakenAsPicksOrRefused) {
    frmTeamLeaders* form = showActive(ui::forms().get<frmTeamLeaders>());
    const QString dateMessage = "Date must be in the MM/DD/YYYY format";
    const struct {
        QComboBox* box;
        const char* typed;
        Qt::Key key;
        const char* start;
        const char* end;
        const char* shows;  // the box, after
        int board;          // and the board that shows it
        const char* lines;
        QString message;
    } cases[] = {
        {form->comType[0], "wins", Qt::Key_Tab, "12/4/2010", "2/12/2011", "Wins", 0,
         "Adam Alder\t 4|Ben Brook\t 2|Carl Cole\t 2", ""},
        {form->comType[1], "Winz", Qt::Key_Tab, "12/4/2010", "2/12/2011", "Pins", 1, "Adam Alder\t 1",
         "\"Winz\" is no category of the top right board: choose one from its list"},
        {form->comType[1], " team points", Qt::Key_Return, "12/4/2010", "2/12/2011", "Team Points", 1,
         "Adam Alder\t 19|Ben Brook\t 8|Carl Cole\t|Eli Ezra\t", ""},
        // After the end: the end follows. The takedowns of 5/10/2011 alone.
        {form->comDateStart, "5/10/11", Qt::Key_Tab, "5/10/2011", "5/10/2011", "Takedown", 2,
         "Adam Alder\t 3", ""},
        {form->comDateStart, "2/31/2011", Qt::Key_Tab, "5/10/2011", "5/10/2011", "Takedown", 2,
         "Adam Alder\t 3", dateMessage},
        // Before the start: the start follows.
        {form->comDateEnd, "12/05/2009", Qt::Key_Return, "12/5/2009", "12/5/2009", "Wins", 0,
         "Adam Alder\t 1", ""},
        {form->comDateEnd, "", Qt::Key_Tab, "12/5/2009", "12/5/2009", "Wins", 0, "Adam Alder\t 1",
         dateMessage},
        {form->comDateEnd, "2/12/2011", Qt::Key_Tab, "12/5/2009", "2/12/2011", "Wins", 0,
         "Adam Alder\t 5|Ben Brook\t 2|Carl Cole\t 2", ""},
        // Offered in no list, but a category the boards know.
        {form->comType[3], "warning", Qt::Key_Tab, "12/5/2009", "2/12/2011", "Warning", 3,
         "Adam Alder\t 0|Ben Brook\t 0|Carl Cole\t 0|Eli Ezra\t 0", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui::ScriptedMessages msgs;
        if (!c.message.isEmpty()) msgs.expect(c.message);
        typeIntoCombo(c.box, c.typed);
        pressKey(c.key);
        ASSERT_EQ(msgs.messages().size(), c.message.isEmpty() ? 0u : 1u);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(msgs.last().title, "Error");
        }
        EXPECT_EQ(c.box->hasFocus(), !c.message.isEmpty() || c.key == Qt::Key_Return);
        EXPECT_EQ(form->comDateStart->currentText(), c.start);
        EXPECT_EQ(form->comDateEnd->currentText(), c.end);
        EXPECT_EQ(form->comType[c.board]->currentText(), c.shows);
        EXPECT_EQ(sortedBoard(form, c.board), c.lines);
    }

    // Typed and printed at once (Alt+P leaves the box first): the page shows the range and the
    // categories of the boxes, as the screen does.
    const std::vector<PdfWord> printed = typeAndPrint(form->comDateStart, "1/22/2011", home.file("prints"));
    EXPECT_EQ(sortedBoard(form, 0), "Adam Alder\t 1");
    QStringList words;
    for (const PdfWord& w : printed) words << w.text;
    const QString page = words.join(' ');
    EXPECT_TRUE(page.startsWith("Team Leaders 1/22/2011 - 2/12/2011 ")) << page.toStdString();
    for (const QString heading : {"Wins", "Team Points", "Takedown", "Warning"})
        EXPECT_TRUE(page.contains(heading)) << heading.toStdString();
    EXPECT_EQ(words.count("Alder"), 4) << "one line on each board";
    EXPECT_FALSE(words.contains("Winz"));
}

// The lines of one board as its own query (buildSql) gives them: name, kind and value of each.
QStringList boardQueryLines(frmTeamLeaders* form, const QString& category) {
    QString sql;
    db::Params params;
    QStringList lines;
    if (!form->buildSql(category, sql, params)) return lines;
    ConnectionScope connection;
    db::Recordset rs = openRecordset(sql, params);
    for (; !rs.isEOF(); rs.moveNext()) {
        const db::Value stat = rs.field("Stat");
        lines << rs.field("FullName").toString() + "|" + QString::number(int(stat.kind())) + "|" +
                     QString::number(stat.toDouble(), 'g', 17);
    }
    return lines;
}

QStringList rankedLines(const frmTeamLeaders::BoardLines& ranked) {
    QStringList lines;
    for (const auto& line : ranked)
        lines << line.name + "|" + QString::number(int(line.stat.kind())) + "|" +
                     QString::number(line.stat.toDouble(), 'g', 17);
    return lines;
}

// The boards are added up in one pass: every category ranks exactly as its own query does,
// equal values in the same order, over ties, empty names, Null counts and team points, and a
// name written in two ways.
TEST_F(LeaderBoardsTest, EveryCategoryRanksAsItsOwnQueryOverTiesBlanksAndNulls) {
    SeasonFixture db(dbPath);
    db.beginBatch();
    FixtureMatch m;
    m.school = ids.eastbrook;
    m.weight = ids.w125;
    // Ten wrestlers tied two by two in wins, pins and takedowns, two with empty names.
    const QStringList firsts = {"Hal", "Gus", "Fay", "Ira", "Jon", "Kim", "", "Lee", "Max", ""};
    for (int w = 0; w < firsts.size(); ++w) {
        m.wrestler = db.addWrestler(firsts[w], w == 6 ? "" : "Tie" + QString::number(w / 2), 2010);
        for (int i = 0; i <= w / 2; ++i) {
            m.date = QDate(2010, 12, 4).addDays(7 * i);
            m.winType = i % 2 ? "Fall" : "TF";
            m.firstPoint = w % 3 ? "H" : "O";
            m.tallies = {{"tp1home", 1 + w / 4}, {"nf2p2home", w % 2}, {"pp1home", 1}};
            m.teamPoints = w == 3 ? std::optional<double>() : std::optional<double>(0.55 * (w / 2));
            db.addMatch(m);
        }
    }
    db.endBatch();
    // A count stored as Null: the bout adds nothing to a sum, a wrestler with only such bouts
    // has no value.
    execSql(dbPath, "UPDATE [Match] SET tp1home = NULL WHERE SeqWrestler IN "
                    "(SELECT Seq FROM Wrestler WHERE FirstName IN ('Hal', 'Jon'))");

    ui::ScriptedMessages msgs;
    frmTeamLeaders* form = ui::forms().get<frmTeamLeaders>();
    form->comDateStart->setEditText("11/1/2009");
    form->comDateEnd->setEditText("4/30/2011");
    QStringList categories;
    for (int i = 0; i < form->comType[0]->count(); ++i) categories << form->comType[0]->itemText(i);
    categories << "Warning";
    auto compareAll = [&] {
        const auto ranked = form->rankCategories(categories);
        for (int i = 0; i < categories.size(); ++i) {
            ASSERT_TRUE(ranked[i].has_value()) << categories[i].toStdString();
            EXPECT_EQ(rankedLines(*ranked[i]), boardQueryLines(form, categories[i])) << categories[i].toStdString();
        }
    };
    compareAll();
    EXPECT_GE(boardQueryLines(form, "Pins").size(), 5);

    // "adam alder" of another season, with a win: the board's own query decides how he is written.
    m.wrestler = db.addWrestler("adam", "alder", 2008);
    m.date = QDate(2010, 1, 9);
    m.tallies = {};
    db.addMatch(m);
    compareAll();
    EXPECT_TRUE(msgs.messages().empty());
}

// A season of its own: nine wrestlers with 11, 10, 9, 9, 8, 8, 8, 7 and 1 varsity wins at
// 0.55 team points each, and one with a long name, a JV bout on 1 November and a varsity loss.
class LeaderBoardTiesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString path = makeDatabase(home.path());
        SeasonFixture db(path);
        useDatabase(path);
        savedSeason = gSeason;
        gSeason = 2012;
        FixtureMatch m;
        m.school = db.addSchool("Northfield");
        m.weight = db.addWeight("145");
        m.teamPoints = 0.55;
        db.beginBatch();
        m.wrestler = db.addWrestler("Maximilian", "Bartholomew-Vanderbilt", 2012);
        m.date = QDate(2012, 11, 1);
        m.level = "JV";
        db.addMatch(m);
        m.date = QDate(2012, 12, 1);
        m.level = "V";
        m.wl = "L";
        m.tallies = {{"tp2home", 5}};
        db.addMatch(m);
        m.wl = "W";
        m.tallies.clear();
        const int wins[] = {11, 10, 9, 9, 8, 8, 8, 7, 1};
        for (int w = 0; w < 9; ++w) {
            m.wrestler = db.addWrestler(QString(QChar('A' + w)) + "l", "Ames", 2012);
            for (int i = 0; i < wins[w]; ++i) {
                m.date = QDate(2012, 12, 1).addDays(i);
                m.winType = i == 0 && wins[w] >= 10 ? "Fall" : "DEC";
                db.addMatch(m);
            }
        }
        db.endBatch();
    }
    void TearDown() override {
        ui::forms().unloadAll();
        gSeason = savedSeason;
    }

    TestHome home;
    short savedSeason = 0;
};

TEST_F(LeaderBoardTiesTest, EveryWrestlerTiedAtTheCutOffIsListed) {
    ui::ScriptedMessages msgs;
    frmTeamLeaders* form = ui::forms().get<frmTeamLeaders>();
    EXPECT_EQ(form->comDateStart->currentText(), "12/1/2012");  // not the 1 November bout
    QStringList wins = board(form, 0).split('\n');
    ASSERT_EQ(wins.size(), 7);  // 5th, 6th and 7th all at 8; the 8th at 7 is left out
    for (int i = 4; i < 7; ++i) EXPECT_TRUE(wins[i].endsWith("\t 8")) << wins[i].toStdString();
    EXPECT_EQ(sortedBoard(form, 1), "Al Ames\t 1|Bl Ames\t 1");  // fewer pins than places
    // Team points 6.05, 5.5, 4.95, 4.95, 4.4, 4.4, 4.4: the 3.85 after them is no tie.
    choose(form->comType[1], "Team Points");
    EXPECT_EQ(board(form, 1).split('\n').size(), 7);

    form->opt10->setChecked(true);
    EXPECT_EQ(form->txtresults[0]->font().pointSize(), 11);
    EXPECT_EQ(board(form, 0).split('\n').size(), 9);
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(LeaderBoardTiesTest, ABoardWithMoreTiesThanItShowsCanBeScrolled) {
    ui::ScriptedMessages msgs;
    frmTeamLeaders* form = ui::forms().get<frmTeamLeaders>();
    form->show();
    QCoreApplication::processEvents();
    QPlainTextEdit* wins = form->txtresults[0];
    ASSERT_EQ(board(form, 0).split('\n').size(), 7);
    EXPECT_FALSE(wins->verticalScrollBar()->isVisible()) << "seven lines fit";

    // Fifteen more wrestlers tied at the cut-off of eight wins.
    SeasonFixture db(gDbPath);
    FixtureMatch m;
    m.school = db.addSchool("Eastbrook");
    m.weight = db.addWeight("152");
    db.beginBatch();
    for (int w = 0; w < 15; ++w) {
        m.wrestler = db.addWrestler(QString(QChar('A' + w)) + "m", "Tied", 2012);
        for (int i = 0; i < 8; ++i) {
            m.date = QDate(2012, 12, 1).addDays(i);
            db.addMatch(m);
        }
    }
    db.endBatch();
    ui::forms().unloadAll();
    form = ui::forms().get<frmTeamLeaders>();
    form->show();
    QCoreApplication::processEvents();
    wins = form->txtresults[0];
    ASSERT_EQ(board(form, 0).split('\n').size(), 22);
    EXPECT_TRUE(wins->verticalScrollBar()->isVisible());
    EXPECT_GT(wins->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(LeaderBoardTiesTest, PrintsTheBoardsOnOnePortraitPage) {
    ui::ScriptedMessages msgs;
    print::RecordingPage rec;
    frmTeamLeaders* form = ui::forms().get<frmTeamLeaders>();
    choose(form->comType[1], "Team Points");
    // Typed, and taken by Tab: the page shows what the screen does.
    showActive(form);
    typeIntoCombo(form->comType[3], "Wins");
    pressKey(Qt::Key_Tab);
    typeIntoCombo(form->comDateStart, "11/1/2012");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(board(form, 3).split('\n').size(), 7);
    form->cmdPrint->click();
    EXPECT_EQ(rec.documentsEnded(), 1);
    EXPECT_EQ(rec.pageCount(), 1);

    const auto* title = rec.findText("Team Leaders");
    ASSERT_NE(title, nullptr);
    rec.setFontSize(20);
    rec.setFontBold(true);
    EXPECT_NEAR(title->x, 849.0 / 2 - rec.textWidth("Team Leaders") / 2, 1e-3);
    EXPECT_EQ(title->y, 15);
    ASSERT_NE(rec.findText("11/1/2012 - 12/11/2012"), nullptr);
    EXPECT_EQ(rec.findText("11/1/2012 - 12/11/2012")->y, 45);

    auto rowsAt = [&rec](double x0, double y0) {
        std::vector<print::RecordingPage::Item> rows;
        for (const auto& t : rec.texts())
            if (t.x == x0 && t.y >= y0 && t.y < y0 + 425) rows.push_back(t);
        return rows;
    };
    const auto rows = rowsAt(78, 175);  // seven rows 30 apart, each a padded name, tab, value
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_TRUE(rows[0].text.startsWith("Al Ames "));
    EXPECT_EQ(rows[6].y, 175 + 6 * 30);
    ASSERT_NE(rec.findText("11"), nullptr);
    EXPECT_GT(rec.findText("11")->x, 78 + 230);
    EXPECT_EQ(rowsAt(478, 175).size(), 7u);  // team points: 3.85 is printed as no tie with 4.4
    EXPECT_EQ(rowsAt(480, 650).size(), 7u);  // the typed category
    const auto headings = rec.findTexts("Wins");
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(headings[1].y, 600);
    rec.setFontSize(18);
    rec.setFontBold(false);
    EXPECT_NEAR(headings[1].x, 480 + (255 - rec.textWidth("Wins")) / 2, 1e-3);
    // A name already wider than 230 gets one blank.
    ASSERT_NE(rec.findText("Maximilian Bartholomew-Vanderbilt "), nullptr);
    EXPECT_EQ(rec.findText("Maximilian Bartholomew-Vanderbilt ")->y, 650);

    // The footer names the program alone, centred on the page, 10 pt.
    const auto* footer = rec.findText("Kestrivane");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->y, 1070);
    EXPECT_EQ(footer->fontSize, 10);
    rec.setFontSize(10);
    EXPECT_NEAR(footer->x + rec.textWidth(footer->text) / 2, 425, 1);
    int stamps = 0;
    for (const auto& t : rec.texts()) {
        if (t.y != 1070 || t.text == footer->text) continue;
        EXPECT_NEAR(t.x + rec.textWidth(t.text), 750, 1e-3);  // the time of printing ends at 750
        ++stamps;
    }
    EXPECT_EQ(stamps, 1);

    // The long name on a right-hand board too: every row stays in its column and on the page,
    // the long one printed smaller.
    rec.clear();
    choose(form->comType[3], form->comType[2]->currentText());
    form->cmdPrint->click();
    const auto longRows = rec.findTexts("Maximilian Bartholomew-Vanderbilt ");
    ASSERT_EQ(longRows.size(), 2u);
    EXPECT_EQ(longRows[1].x, 480);
    EXPECT_LT(longRows[1].fontSize, 18);
    // Each board in one size; every name ends in a blank, clear of the count after it.
    std::map<std::pair<bool, bool>, std::set<double>> boardSizes;
    std::map<std::tuple<bool, double>, std::vector<print::RecordingPage::Item>> rowItems;
    for (const auto& t : rec.texts()) {
        if (t.y < 175 || t.y >= 1070) continue;
        rec.setFontSize(t.fontSize);
        const double right = t.x + rec.textWidth(t.text);
        EXPECT_LE(right, t.x < 478 ? 478 : 850) << t.text.toStdString() << " at " << t.x << ", " << t.y;
        if (t.y == 600) continue;  // the lower boards' headings
        boardSizes[{t.x >= 478, t.y >= 650}].insert(t.fontSize);
        rowItems[{t.x >= 478, t.y}].push_back(t);
    }
    for (const auto& [board, sizes] : boardSizes) EXPECT_EQ(sizes.size(), 1u);
    for (const auto& [row, items] : rowItems) {
        ASSERT_EQ(items.size(), 2u) << items.front().text.toStdString();
        EXPECT_TRUE(items[0].text.endsWith(' ')) << items[0].text.toStdString();
        rec.setFontSize(items[0].fontSize);
        EXPECT_GT(items[1].x, items[0].x + rec.textWidth(items[0].text.trimmed()) + 1);
    }
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(LeaderBoardTiesTest, ThePrintedBoardsOnPaperStayClearOfTheSheetEdge) {
    qputenv("KESTRIVANE_PRINT_DIR", home.file("prints").toUtf8());
    ui::ScriptedMessages msgs;
    frmTeamLeaders* form = ui::forms().get<frmTeamLeaders>();
    choose(form->comType[3], form->comType[2]->currentText());  // the long name at the right
    form->opt10->setChecked(true);
    msgs.expect("The printout was saved as ");
    form->cmdPrint->click();
    EXPECT_EQ(inkNearSheetEdge(onlyPdf(home.file("prints")), 0.2), QStringList());
    qunsetenv("KESTRIVANE_PRINT_DIR");
}

}  // namespace
