// The individual season summary screen over stored seasons, driven through its controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "core/connection.h"
#include "core/contacts.h"
#include "core/frmHelp.h"
#include "platform/print/RecordingPage.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "statistics/frmSeasonSummary.h"
#include "statistics/season_db_test.h"
#include "support/pdf_readback.h"
#include "support/qt_printers.h"
#include "support/user_input.h"

namespace {

class SeasonSummaryScreenTest : public SeasonDbTest {
protected:
    frmSeasonSummary* open() {
        frmSeasonSummary* form = ui::forms().get<frmSeasonSummary>();
        form->show();  // activation loads seasons, names and the first wrestler's record
        return form;
    }
    static QStringList items(const QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
        return list;
    }
    static QStringList items(const QListWidget* list) {
        QStringList names;
        for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
        return names;
    }
    // The eight counts: overall W-L, at weight W-L, league overall W-L, league at weight W-L.
    static QString counts(const frmSeasonSummary* f) {
        return QStringList{f->lblOverWin->text(),   f->lblOverLoss->text(),  f->lblWtWin->text(),
                           f->lblWtLoss->text(),    f->lblOverWinLg->text(), f->lblOverLossLg->text(),
                           f->lblWtWinLg->text(),   f->lblWtLossLg->text()}
            .join(QLatin1Char(' '));
    }
    static FixtureMatch match(int wrestler, QDate date, int school, int weight,
                              const QString& wl = "W", const QString& level = "V",
                              const QString& league = QString()) {
        FixtureMatch m;
        m.wrestler = wrestler;
        m.date = date;
        m.school = school;
        m.weight = weight;
        m.wl = wl;
        m.level = level;
        m.leagueMatch = league;
        return m;
    }
    void select(frmSeasonSummary* f, const QString& name) {
        f->lstNames->setCurrentRow(items(f->lstNames).indexOf(name));
    }
};

TEST_F(SeasonSummaryScreenTest, ActivationShowsTheFirstWrestlersRecordOfTheCurrentSeason) {
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    EXPECT_EQ(form->windowTitle(), "Individual Season Summary");
    EXPECT_EQ(items(form->comSeason), (QStringList{"2009-2010", "2010-2011"}));
    EXPECT_EQ(form->comSeason->currentText(), "2010-2011");
    // Inactive wrestlers are listed too; VOID never.
    EXPECT_EQ(items(form->lstNames),
              (QStringList{"Adam Alder", "Ben Brook", "Carl Cole", "Dan Dorn", "Eli Ezra"}));
    EXPECT_EQ(form->selectedName(), "Adam Alder");
    // 119: three wins (one dated in May still belongs to his season row) and one loss; 125: two
    // wins and a loss. Northfield matches are league matches.
    EXPECT_EQ(form->txtWtEnter->text(), "119");
    EXPECT_EQ(counts(form), "5 2 3 1 2 1 1 0");
    EXPECT_FALSE(form->imgWL->isVisible());
    EXPECT_EQ(form->imgWL->pixmap().size(), QSize(247, 258));

    // Coming back to the form reloads everything and adds no season twice.
    select(form, "Ben Brook");
    form->txtWtEnter->setText("285");
    form->Form_Activate();
    EXPECT_EQ(items(form->comSeason), (QStringList{"2009-2010", "2010-2011"}));
    EXPECT_EQ(form->selectedName(), "Adam Alder");
    EXPECT_EQ(form->txtWtEnter->text(), "119");

    select(form, "Ben Brook");
    EXPECT_EQ(form->txtWtEnter->text(), "98");
    EXPECT_EQ(counts(form), "2 1 1 1 1 0 1 0");
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonSummaryScreenTest, TypedWeightRecountsAtThatWeightOnly) {
    SeasonFixture db(dbPath);
    const int hwt = db.addWeight("Hwt");
    db.addMatch(match(ids.alder2010, QDate(2011, 2, 19), ids.northfield, hwt, "L", "V", "Y"));
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    EXPECT_EQ(counts(form), "5 3 3 1 2 2 1 0");

    form->txtWtEnter->setText("125");
    EXPECT_EQ(counts(form), "5 3 2 1 2 2 1 1");
    form->txtWtEnter->setText("hwT");  // the database compares without regard to case
    EXPECT_EQ(counts(form), "5 3 0 1 2 2 0 1");
    form->txtWtEnter->setText("13");  // no such weight class
    EXPECT_EQ(counts(form), "5 3 0 0 2 2 0 0");
    form->txtWtEnter->setText("1'19");  // an apostrophe is just a character of the weight
    EXPECT_EQ(counts(form), "5 3 0 0 2 2 0 0");
    form->txtWtEnter->setText("119");
    form->txtWtEnter->clear();
    EXPECT_EQ(counts(form), "5 3 0 0 2 2 0 0");
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonSummaryScreenTest, MostWrestledWeightBreaksTiesByTheLatestMatch) {
    SeasonFixture db(dbPath);
    const int w130 = db.addWeight("130");
    const int w135 = db.addWeight("135");
    const int w140 = db.addWeight("140");
    const int gil = db.addWrestler("Gil", "Aaron", 2010);  // first in the list
    for (int day = 1; day <= 6; ++day) {
        db.addMatch(match(gil, QDate(2010, 12, day), ids.eastbrook, w130));
        // The 135 matches: one later than every 130 match, so 135 is entered.
        db.addMatch(match(gil, QDate(2010, 12, day == 6 ? 20 : day), ids.eastbrook, w135, "L"));
    }
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    EXPECT_EQ(form->selectedName(), "Gil Aaron");
    EXPECT_EQ(form->txtWtEnter->text(), "135");
    EXPECT_EQ(counts(form), "6 6 0 6 0 0 0 0");

    // Seven JV matches at 140 outnumber both: they choose the weight but count nowhere.
    for (int day = 1; day <= 7; ++day)
        db.addMatch(match(gil, QDate(2011, 1, day), ids.eastbrook, w140, "W", day % 2 ? "JV" : "Frosh"));
    form->Form_Activate();
    EXPECT_EQ(form->txtWtEnter->text(), "140");
    EXPECT_EQ(counts(form), "6 6 0 0 0 0 0 0");

    // Whole ties (the same number of matches, the same latest date) and one weight written in
    // two ways: each wrestler's weight is the first row of the query that groups the whole
    // season before it tests the name.
    const int hwt = db.addWeight("hwt");
    const int shouted = db.addWeight("HWT");
    const int ned = db.addWrestler("Ned", "Aaron", 2010);
    for (int day = 1; day <= 3; ++day)
        for (const int weight : {w135, hwt, w130, shouted}) db.addMatch(match(ned, QDate(2011, 2, day), ids.eastbrook, weight));
    const QString grouped =
        "SELECT [Match].SeqWrestler, Weight.Weight, Count([Match].Seq) AS CountOfSeq, Max([Match].Date) AS "
        "MaxOfDate, Wrestler.FullName FROM Wrestler INNER JOIN (Weight INNER JOIN [Match] ON Weight.Seq = "
        "[Match].SeqWeight) ON Wrestler.Seq = [Match].SeqWrestler WHERE Wrestler.Season = 2010 GROUP BY "
        "[Match].SeqWrestler, Weight.Weight, Wrestler.FullName HAVING (((Wrestler.FullName)=?)) ORDER BY "
        "[Match].SeqWrestler, Count([Match].Seq) DESC , Max([Match].Date) DESC";
    form->Form_Activate();
    for (const QString& name : items(form->lstNames)) {
        select(form, name);
        ConnectionScope connection;
        db::Recordset rs = openRecordset(grouped, {db::Value(name)});
        EXPECT_EQ(form->txtWtEnter->text(), rs.field("Weight").toString()) << name.toStdString();
    }
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonSummaryScreenTest, SeasonChoicesReloadTheNames) {
    SeasonFixture db(dbPath);
    // A match dated in the 2012 season makes that season a choice; no wrestler rows exist there.
    db.addMatch(match(ids.ezra2010, QDate(2012, 12, 1), ids.eastbrook, ids.w285));
    db.addWrestler("Hal", "Idle", 2010);  // no matches
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    EXPECT_EQ(items(form->comSeason), (QStringList{"2009-2010", "2010-2011", "2012-2013"}));

    select(form, "Hal Idle");
    EXPECT_EQ(form->txtWtEnter->text(), "");
    EXPECT_EQ(counts(form), "0 0 0 0 0 0 0 0");

    form->comSeason->setCurrentIndex(0);
    EXPECT_EQ(items(form->lstNames), QStringList{"Adam Alder"});
    EXPECT_EQ(form->txtWtEnter->text(), "119");
    EXPECT_EQ(counts(form), "1 1 1 1 1 0 1 0");

    // A season without wrestler rows: an empty list, and the counts stay.
    form->comSeason->setCurrentIndex(2);
    EXPECT_EQ(form->lstNames->count(), 0);
    EXPECT_EQ(form->selectedName(), "");
    EXPECT_EQ(counts(form), "1 1 1 1 1 0 1 0");

    EXPECT_TRUE(msgs.messages().empty());
}

// A season typed into the box, then Tab or Enter: a season is taken as a pick of it (the names
// and counts follow), anything else is refused and the box shows the listed season again. The
// printed form then belongs to the season the box shows.
TEST_F(SeasonSummaryScreenTest, ATypedSeasonIsTakenAsAPickOrRefused) {
    const QString adam2009 = "1 1 1 1 1 0 1 0";
    const QString adam2010 = "5 2 3 1 2 1 1 0";
    const QStringList all2010 = {"Adam Alder", "Ben Brook", "Carl Cole", "Dan Dorn", "Eli Ezra"};
    const struct {
        const char* typed;
        Qt::Key key;
        const char* shows;
        QStringList names;
        QString counts;
        bool refused;
    } cases[] = {
        {"2009-2010", Qt::Key_Tab, "2009-2010", {"Adam Alder"}, adam2009, false},
        {" 2010 ", Qt::Key_Return, "2010-2011", all2010, adam2010, false},
        {"abcd", Qt::Key_Tab, "2010-2011", all2010, adam2010, true},
        {"2009", Qt::Key_Return, "2009-2010", {"Adam Alder"}, adam2009, false},
        {"2010-2012", Qt::Key_Return, "2009-2010", {"Adam Alder"}, adam2009, true},
        {"", Qt::Key_Tab, "2009-2010", {"Adam Alder"}, adam2009, true},
        // A season without wrestler rows: no names, and the counts stay as a pick leaves them.
        {"2014-2015", Qt::Key_Tab, "2014-2015", {}, adam2009, false},
        {"2010-2011", Qt::Key_Tab, "2010-2011", all2010, adam2010, false},
    };
    frmSeasonSummary* form = showActive(open());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui::ScriptedMessages msgs;
        if (c.refused) msgs.expect("Season must be given as in 2010-2011");
        typeIntoCombo(form->comSeason, c.typed);
        pressKey(c.key);
        EXPECT_EQ(msgs.messages().size(), c.refused ? 1u : 0u);
        EXPECT_EQ(form->comSeason->currentText(), c.shows);
        EXPECT_EQ(form->comSeason->hasFocus(), c.refused || c.key == Qt::Key_Return)
            << "a refused text keeps the focus";
        EXPECT_EQ(items(form->lstNames), c.names);
        EXPECT_EQ(form->selectedName(), c.names.value(0));
        EXPECT_EQ(counts(form), c.counts);
    }

    // Typed and printed at once (Alt+P leaves the box first): the form lists the 2009-2010
    // bouts under that season's record, and none of 2010-2011.
    const std::vector<PdfWord> printed = typeAndPrint(form->comSeason, "2009", home.file("prints"));
    EXPECT_EQ(form->comSeason->currentText(), "2009-2010");
    EXPECT_EQ(counts(form), adam2009);
    QStringList dates;
    std::vector<PdfWord> panel;  // the records in the win-loss panel
    for (const PdfWord& w : printed) {
        if (w.text.count('/') == 2) dates << w.text;
        if (w.page == 1 && w.x > 640 && w.y > 120 && w.y < 230) panel.push_back(w);
    }
    std::sort(panel.begin(), panel.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::pair(std::lround(a.y / 10), a.x) < std::pair(std::lround(b.y / 10), b.x);
    });
    QStringList record;
    for (const PdfWord& w : panel) record << w.text;
    EXPECT_TRUE(dates.contains("12/5/2009") && dates.contains("1/9/2010")) << dates.join(' ').toStdString();
    for (const QString later : {"12/4/2010", "1/15/2011", "1/22/2011", "2/5/2011", "5/10/2011"})
        EXPECT_FALSE(dates.contains(later)) << later.toStdString();
    EXPECT_EQ(record.join(' '), "1 - 1 1 - 1 1 - 0 1 - 0");
}

TEST_F(SeasonSummaryScreenTest, ButtonsHelpReturnAndTheCloseBox) {
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    form->cmdHelp->click();
    ASSERT_TRUE(ui::forms().isLoaded<frmHelp>());
    EXPECT_EQ(ui::forms().get<frmHelp>()->txtHelp->toPlainText().replace('\n', "\r\n"),
              kAssociationShortName + " Individual Season Summary\r\n\r\n"
              "To print the Summary, click on the wrestler's name and click 'Print'\r\n"
              "Filling in the Weight Entered will update the record at weight.\r\n\r\n"
              "'Print Blank Form' will print a blank " + kAssociationShortName + " form\r\n");
    EXPECT_TRUE(form->isVisible());

    // Print Report without a selected name prints nothing.
    print::RecordingPage rec;
    form->comSeason->setCurrentIndex(form->comSeason->findText("2009-2010"));
    form->lstNames->clearSelection();
    ASSERT_EQ(form->selectedName(), "");
    form->cmdPrint->click();
    EXPECT_EQ(rec.documentsEnded(), 0);
    EXPECT_TRUE(rec.items().empty());

    msgs.expect("Click 'Return' to close window", ui::Answer::Ok);
    form->close();
    EXPECT_EQ(msgs.last().title, "Exit");
    EXPECT_TRUE(ui::forms().isLoaded<frmSeasonSummary>());

    form->cmdReturn->click();
    EXPECT_TRUE(ui::forms().get<frmReports>()->isVisible());
    EXPECT_TRUE(form->isUnloading());
}

}  // namespace
