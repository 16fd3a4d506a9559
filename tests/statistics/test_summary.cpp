// The team summary over stored seasons, driven through its controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "statistics/frmSummary.h"
#include "statistics/season_db_test.h"
#include "support/qt_printers.h"
#include "support/user_input.h"

namespace {

const QString kHead =
    " Weight\tName\tGrade\tWins\tLosses\tPins\tPCT\r\n"
    " -------\t--------\t-------\t-------\t--------\t-------\t--------\r\n\r\n";

class SummaryTest : public SeasonDbTest {
protected:
    frmSummary* open() {
        frmSummary* form = ui::forms().get<frmSummary>();
        form->show();
        return form;
    }
    // The report as the clipboard gets it, without the two closing line breaks.
    QString report(frmSummary* form) {
        form->cmdCopyClip->click();
        QString text = ui::clipboardText();
        EXPECT_TRUE(text.endsWith("\r\n\r\n"));
        text.chop(4);
        return text;
    }
    // The names of the report's lines, in order.
    QStringList names(frmSummary* form) {
        QStringList result;
        for (const auto& row : form->summaryTable()) result << row[3];
        return result;
    }
    void choose(QComboBox* combo, const QString& item) {
        combo->setCurrentIndex(combo->findText(item));
    }
};

TEST_F(SummaryTest, OpensOnTheCurrentSeasonsActiveVarsityByPct) {
    ui::ScriptedMessages msgs;
    frmSummary* form = open();
    EXPECT_EQ(form->windowTitle(), "Team Summary");
    EXPECT_EQ(form->focusWidget(), form->comSeason);
    EXPECT_EQ(form->comOrder->currentText(), "Decending");
    EXPECT_EQ(form->comSort->currentText(), "PCT");
    EXPECT_EQ(form->comLevel->currentText(), "Varsity");
    EXPECT_TRUE(form->chkActive->isChecked());
    ASSERT_EQ(form->comSeason->count(), 2);  // the May match belongs to 2010-2011 as well
    EXPECT_EQ(form->comSeason->itemText(0), "2009-2010");
    EXPECT_EQ(form->comSeason->itemText(1), "2010-2011");
    EXPECT_EQ(form->comSeason->currentText(), "2010-2011");

    // Adam Alder and Ben Brook tie on PCT; their order is the database's.
    const QString text = report(form);
    EXPECT_TRUE(text.startsWith(kHead));
    EXPECT_TRUE(text.contains("119\tAdam Alder\t12\t4\t2\t1\t.667\r\n"));
    EXPECT_TRUE(text.contains("98\tBen Brook\t9\t2\t1\t0\t.667\r\n"));
    EXPECT_TRUE(text.endsWith("\r\n285\tEli Ezra\t\t0\t2\t0\t0\r\n"));
    EXPECT_EQ(names(form).size(), 3);
    EXPECT_EQ(form->txtResult->toPlainText(), QString(text).replace("\r\n", "\n"));
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SummaryTest, SeasonLevelAndActiveReadTheDatabaseAgain) {
    ui::ScriptedMessages msgs;
    frmSummary* form = open();
    form->chkActive->setChecked(false);
    EXPECT_TRUE(names(form).contains("Carl Cole"));
    choose(form->comLevel, "All");
    EXPECT_TRUE(names(form).contains("Dan Dorn"));
    EXPECT_FALSE(names(form).contains("VOID"));
    form->comLevel->setEditText("jv");  // typed: no level name, so no level condition
    choose(form->comSeason, "2009-2010");
    EXPECT_EQ(report(form), kHead + "119\tAdam Alder\t11\t1\t1\t1\t.5\r\n");
    choose(form->comLevel, "Frosh");
    EXPECT_EQ(report(form), kHead);

}

// A season, level, sort or direction typed into its box, then Tab, Enter or Alt+C (Copy, which
// leaves the box first): a text that names a choice is taken as a pick of it and the report and
// its copy follow; anything else is refused, the box shows the report's choice again and nothing
// is copied.
TEST_F(SummaryTest, ATypedSeasonIsTakenAsAPickOrRefused) {
    const QString season2009 = kHead + "119\tAdam Alder\t11\t1\t1\t1\t.5\r\n";
    frmSummary* form = showActive(open());
    const QString notListed = "is not in the list: choose one from the list";
    const QString noSeason = "Season must be given as in 2010-2011";
    const struct {
        QComboBox* box;
        const char* typed;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* shows;
        int rows;  // of the report on screen
        QString refusal;
    } cases[] = {
        {form->comSeason, "2009-2010", Qt::Key_Tab, Qt::NoModifier, "2009-2010", 1, {}},
        {form->comSeason, "abcd", Qt::Key_Tab, Qt::NoModifier, "2009-2010", 1, noSeason},
        {form->comSeason, "2010", Qt::Key_Return, Qt::NoModifier, "2010-2011", 3, {}},
        {form->comSeason, " 2009 - 2010 ", Qt::Key_C, Qt::AltModifier, "2009-2010", 1, {}},
        {form->comSeason, "last year", Qt::Key_C, Qt::AltModifier, "2009-2010", 1, noSeason},
        {form->comSeason, "2010-2012", Qt::Key_Return, Qt::NoModifier, "2009-2010", 1, noSeason},
        {form->comSeason, "9999", Qt::Key_Return, Qt::NoModifier, "2009-2010", 1, noSeason},
        {form->comLevel, "frosh", Qt::Key_Return, Qt::NoModifier, "Frosh", 0, {}},
        {form->comLevel, "xyz", Qt::Key_Tab, Qt::NoModifier, "Frosh", 0, notListed},
        {form->comLevel, "Varsity", Qt::Key_C, Qt::AltModifier, "Varsity", 1, {}},
        {form->comSort, "wins", Qt::Key_Tab, Qt::NoModifier, "Wins", 1, {}},
        {form->comOrder, "asc", Qt::Key_C, Qt::AltModifier, "Decending", 1, notListed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui::ScriptedMessages msgs;
        if (!c.refusal.isEmpty()) msgs.expect(c.refusal);
        ui::setClipboardText("");
        typeIntoCombo(c.box, c.typed);
        pressKey(c.key, c.modifiers);
        EXPECT_EQ(msgs.messages().size(), c.refusal.isEmpty() ? 0u : 1u);
        EXPECT_EQ(c.box->currentText(), c.shows);
        EXPECT_EQ(int(form->summaryTable().size()), c.rows);
        const bool copied = c.modifiers == Qt::AltModifier && c.refusal.isEmpty();
        EXPECT_EQ(ui::clipboardText(), copied ? season2009 + "\r\n\r\n" : QString());
    }

    // The next choice runs the report of the season shown, without a word.
    ui::ScriptedMessages msgs;
    QTest::mouseClick(form->chkActive, Qt::LeftButton);
    EXPECT_FALSE(form->chkActive->isChecked());
    EXPECT_EQ(report(form), season2009);
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SummaryTest, SortTextNotInTheListSortsByRecordNumber) {
    ui::ScriptedMessages msgs;
    frmSummary* form = open();
    form->comSort->setEditText("Losers");
    msgs.expect("Not in list");
    choose(form->comOrder, "Ascending");
    EXPECT_EQ(msgs.last().title, "ERROR");
    // Adam Alder 2, Ben Brook 3, Eli Ezra 5.
    EXPECT_EQ(names(form), QStringList({"Adam Alder", "Ben Brook", "Eli Ezra"}));

    form->comSort->setEditText("Grade");
    form->comOrder->setEditText("ascending");  // not the word: descending
    form->comSort_Click();
    EXPECT_EQ(names(form), QStringList({"Adam Alder", "Ben Brook", "Eli Ezra"}));
}

TEST_F(SummaryTest, ReturnShowsAFreshMenuAndTheCloseBoxIsRefused) {
    ui::ScriptedMessages msgs;
    frmSummary* form = open();
    msgs.expect("Click 'Return' to close window");
    form->close();
    EXPECT_EQ(msgs.last().title, "Exit");
    EXPECT_TRUE(form->isVisible());
    form->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmSummary>());
    EXPECT_TRUE(ui::forms().get<frmReports>()->isVisible());
}

// Six wrestlers of one season with the records the sorting and PCT cases need, read in the
// order of their names.
class SummarySortTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = makeDatabase(home.path());
        SeasonFixture db(path);
        db.beginBatch();
        const int school = db.addSchool("Northfield");
        const int w98 = db.addWeight("98"), w106 = db.addWeight("106"),
                  w119 = db.addWeight("119"), w125 = db.addWeight("125"),
                  w285 = db.addWeight("285");
        int day = 1;
        auto bouts = [&](int wrestler, int weight, const QString& wl, int count) {
            for (int i = 0; i < count; ++i) {
                FixtureMatch m;
                m.wrestler = wrestler;
                m.date = QDate(2010, 12, 1).addDays(day++);
                m.school = school;
                m.weight = weight;
                m.wl = wl;
                db.addMatch(m);
            }
        };
        const int a = db.addWrestler("Al", "Abel", 2010, "10");
        bouts(a, w125, "W", 2);
        bouts(a, w119, "L", 1);
        const int b = db.addWrestler("Bo", "Bell", 2010, "9");
        bouts(b, w98, "W", 1);  // one bout at each: the weight whose text sorts first
        bouts(b, w285, "L", 1);
        const int c = db.addWrestler("Cy", "Cole", 2010, "11");
        bouts(c, w98, "W", 1);
        bouts(c, w98, "L", 7);
        const int d = db.addWrestler("Di", "Dunn", 2010, "12");
        bouts(d, w106, "W", 3);
        const int e = db.addWrestler("Ed", "Eck", 2010);
        bouts(e, w98, "L", 4);
        const int f = db.addWrestler("Fy", "Fox", 2010, "9");
        bouts(f, w119, "D", 1);  // neither a win nor a loss
        db.endBatch();
        useDatabase(path);
        savedSeason = gSeason;
        gSeason = 2010;
        form = ui::forms().get<frmSummary>();
        sortBy("Full Name", "Ascending");
    }
    void TearDown() override {
        ui::forms().unloadAll();
        gSeason = savedSeason;
    }
    void sortBy(const QString& column, const QString& order) {
        form->comOrder->setEditText(order);
        form->comSort->setEditText(column);
        form->comSort_Click();
    }
    QStringList column(int c) {
        QStringList cells;
        for (const auto& row : form->summaryTable()) cells << row[c];
        return cells;
    }

    TestHome home;
    short savedSeason = 0;
    frmSummary* form = nullptr;
};

TEST_F(SummarySortTest, PctAndMostWrestledWeight) {
    EXPECT_EQ(column(3), QStringList({"Al Abel", "Bo Bell", "Cy Cole", "Di Dunn", "Ed Eck", "Fy Fox"}));
    EXPECT_EQ(column(10), QStringList({".667", ".5", ".125", "1", "0", "0"}));
    EXPECT_EQ(column(5), QStringList({"125", "285", "98", "106", "98", "119"}));
    EXPECT_EQ(summaryPct(2, 1), ".667");
    EXPECT_EQ(summaryPct(0, 0), "0");
    EXPECT_EQ(summaryPct(5, 1), ".833");
}

TEST_F(SummarySortTest, UnusedColumnRoutines) {
    ui::ScriptedMessages msgs;
    msgs.expect("Removed from use 10/9/2010");
    form->GetLevel();
    EXPECT_EQ(msgs.last().title, "frmSummary  GetLevel");

    frmSummary::SummaryTable table = form->summaryTable();
    // The fraction cut, not rounded; nothing for a wrestler without decided matches.
    form->computePct(table, 7, 8, 11);
    QStringList pct;
    for (const auto& row : table) pct << row[11];
    EXPECT_EQ(pct, QStringList({".666", ".5", ".125", "1", "0", ""}));

    openConnection();
    db::Recordset rs = openRecordset(
        "SELECT SeqWrestler, Weight, Count(*) AS c FROM [Match] INNER JOIN Weight ON Weight.Seq = "
        "[Match].SeqWeight GROUP BY SeqWrestler, Weight ORDER BY SeqWrestler, Weight");
    form->loadWeights(table, rs, "12", "Weight");
    closeRecordset(rs);
    rs = openRecordset("SELECT SeqWrestler, Count(*) AS c FROM [Match] GROUP BY SeqWrestler");
    form->loadWeights(table, rs, "6", "Count");
    closeRecordset(rs);
    closeConnection();
    QStringList weights, counts;
    for (const auto& row : table) {
        weights << row[12] + "x" + row[13];
        counts << row[6];
    }
    EXPECT_EQ(weights, QStringList({"125x2", "285x1", "98x8", "106x3", "98x4", "119x1"}));
    EXPECT_EQ(counts, QStringList({"3", "2", "8", "3", "4", "1"}));
}

TEST_F(SummarySortTest, WeightSortsAsTextGradeAsNumber) {
    sortBy("Weight", "Ascending");
    EXPECT_EQ(column(5), QStringList({"106", "119", "125", "285", "98", "98"}));
    sortBy("Grade", "Ascending");
    EXPECT_EQ(column(4), QStringList({"", "9", "9", "10", "11", "12"}));
}

TEST_F(SummarySortTest, EqualKeysKeepTheExchangeSortsOrder) {
    // From name order, an exchange sort on wins leaves Cy Cole before Bo Bell (both 1 win).
    sortBy("Wins", "Decending");
    EXPECT_EQ(column(3), QStringList({"Di Dunn", "Al Abel", "Cy Cole", "Bo Bell", "Ed Eck", "Fy Fox"}));
    sortBy("PCT", "Decending");
    EXPECT_EQ(column(3), QStringList({"Di Dunn", "Al Abel", "Bo Bell", "Cy Cole", "Ed Eck", "Fy Fox"}));
}

TEST(SummaryMany, AnyNumberOfWrestlers) {
    TestHome home;
    const QString path = makeDatabase(home.path());
    SeasonFixture db(path);
    db.beginBatch();
    const int school = db.addSchool("Northfield");
    const int weight = db.addWeight("132");
    for (int i = 0; i < 520; ++i) {
        FixtureMatch m;
        m.wrestler = db.addWrestler("W", QString::number(1000 + i), 2010);
        m.date = QDate(2011, 1, 5);
        m.school = school;
        m.weight = weight;
        db.addMatch(m);
    }
    db.endBatch();
    useDatabase(path);
    const short saved = gSeason;
    gSeason = 2010;
    frmSummary* form = ui::forms().get<frmSummary>();
    EXPECT_EQ(form->summaryTable().size(), 520u);
    EXPECT_EQ(form->txtResult->toPlainText().count('\n'), 3 + 520);
    ui::forms().unloadAll();
    gSeason = saved;
}

}  // namespace
