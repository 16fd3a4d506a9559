// The match finder: its season box, the pick lists narrowing each other, the list of at most five
// matches and the Edit Match rules, over a real database of several seasons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "matches/frmEditMatch.h"
#include "matches/frmFindMatch.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/season_fixture.h"
#include "support/user_input.h"

namespace {

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

// "ALL" and then the values in any order (the names list keeps the order the query gives).
QStringList sortedAfterAll(QStringList list) {
    std::sort(list.begin() + 1, list.end());
    return list;
}

class FindMatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetCoreState();
        db = makeDatabase(home.path());
        useDatabase(db);
        gSeason = 2010;
        // The main menu that Cancel goes back to finds this database.
        QFile ini(home.file("MatchInfo.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write((db + "\r\n\r\n").toUtf8());
    }
    void TearDown() override { ui::forms().unloadAll(); }

    frmFindMatch* openFinder() {
        frmFindMatch* finder = ui::forms().get<frmFindMatch>();
        finder->show();
        return finder;
    }
    static void pick(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.first());
    }

    TestHome home;
    QString db;
};

TEST_F(FindMatchTest, EmptyDatabaseListsNothingAndEditDoesNothing) {
    frmFindMatch* f = openFinder();
    EXPECT_EQ(f->windowTitle(), "Find Match");
    EXPECT_EQ(f->comSeason->count(), 0);
    EXPECT_EQ(f->comSeason->currentText(), "2010-2011");
    for (QListWidget* list : {f->lstNames, f->lstDates, f->lstOppSchool, f->lstOppName, f->lstOppFirst, f->lstOppLast})
        EXPECT_EQ(items(list), QStringList{"ALL"});
    EXPECT_EQ(f->lstMatches->count(), 0);
    EXPECT_TRUE(f->txtNarrowResults->isHidden());

    ui::ScriptedMessages msgs;  // no message at all
    f->cmdEdit->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());
    EXPECT_TRUE(f->isVisible());

    f->cmdHelp->click();
    EXPECT_EQ(ui::forms().get<frmHelp>()->txtHelp->toPlainText(),
              "Editing Matches\n\nFinding a Match to Edit:\n"
              "    1. Click on the name of the wrestler and then click the match\n"
              "    2. to edit  Click 'Edit Match' to bring up edit screen.\n");

    msgs.expect("Click 'Return' to close window");
    EXPECT_FALSE(f->close());
    EXPECT_EQ(msgs.last().title, "Exit");
    f->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmFindMatch>());
    EXPECT_TRUE(ui::forms().get<frmInit>()->isVisible());
}

TEST_F(FindMatchTest, PicksNarrowEachOtherUntilFiveOrFewerMatchesAreListed) {
    makeSeasonFixture(db);
    frmFindMatch* f = openFinder();
    // A May date gives the 2010 season its label a second time: listed once.
    EXPECT_EQ(items(f->comSeason), (QStringList{"2009-2010", "2010-2011"}));
    EXPECT_EQ(sortedAfterAll(items(f->lstNames)),
              (QStringList{"ALL", "Adam Alder", "Ben Brook", "Carl Cole", "Dan Dorn", "Eli Ezra", "VOID"}));
    EXPECT_EQ(items(f->lstOppSchool), (QStringList{"ALL", "Eastbrook", "Northfield", "O'Malley Prep"}));
    EXPECT_EQ(items(f->lstDates),
              (QStringList{"ALL", "12/4/2010", "12/11/2010", "1/8/2011", "1/15/2011", "1/22/2011", "2/5/2011",
                           "2/12/2011"}));
    EXPECT_EQ(items(f->lstOppName), (QStringList{"ALL", "Opp Onent"}));
    EXPECT_FALSE(f->txtNarrowResults->isHidden());
    EXPECT_EQ(f->lstMatches->count(), 0);

    // Six matches of Adam Alder in the window (the May one is in none): still too many.
    pick(f->lstNames, "Adam Alder");
    EXPECT_EQ(items(f->lstNames), (QStringList{"ALL", "Adam Alder"}));
    EXPECT_EQ(items(f->lstDates).size(), 7);
    EXPECT_FALSE(f->txtNarrowResults->isHidden());

    // A school name with an apostrophe is a pick like any other.
    pick(f->lstOppSchool, "O'Malley Prep");
    EXPECT_EQ(items(f->lstOppSchool), (QStringList{"ALL", "O'Malley Prep"}));
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "1/8/2011"}));
    EXPECT_TRUE(f->txtNarrowResults->isHidden());
    EXPECT_EQ(items(f->lstMatches), QStringList{"1/8/2011\tAdam Alder\tO'Malley Prep\tOnent"});
    EXPECT_EQ(items(f->lstMatchseq), QStringList{queryValue(db, "SELECT Seq FROM [Match] WHERE [Date] = "
                                                                "'2011-01-08' AND SeqWrestler = 2").toString()});

    // "ALL" in the names refills them with the wrestlers who met that school.
    pick(f->lstNames, "ALL");
    EXPECT_EQ(sortedAfterAll(items(f->lstNames)), (QStringList{"ALL", "Adam Alder", "Ben Brook", "Carl Cole"}));
    EXPECT_EQ(f->lstMatches->count(), 3);
    EXPECT_EQ(f->lstMatches->item(0)->text().section('\t', 0, 0), "1/8/2011");

    // Another season keeps the picks, even one without a match there.
    f->comSeason->setCurrentIndex(0);
    EXPECT_EQ(items(f->lstOppSchool), (QStringList{"ALL", "O'Malley Prep"}));
    EXPECT_EQ(items(f->lstNames), QStringList{"ALL"});
    EXPECT_EQ(f->lstMatches->count(), 0);
    EXPECT_TRUE(f->txtNarrowResults->isHidden());
    pick(f->lstOppSchool, "ALL");
    EXPECT_EQ(items(f->lstMatches),
              (QStringList{"12/5/2009\tAdam Alder\tNorthfield\tOnent", "1/9/2010\tAdam Alder\tEastbrook\tOnent"}));

    // A season typed: Enter or leaving the box takes it; a year alone is the season that starts
    // in it. A click on a date right after typing finds that season's bouts.
    showActive(f);
    auto typeSeason = [f](const QString& text) {
        QTest::mouseClick(f->comSeason->lineEdit(), Qt::LeftButton);
        pressKey(Qt::Key_A, Qt::ControlModifier);
        typeKeys(text);
    };
    typeSeason("2010");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(f->comSeason->currentText(), "2010-2011");
    EXPECT_EQ(items(f->lstDates).size(), 8);
    typeSeason(" 2009 - 2010 ");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(f->comSeason->currentText(), "2009-2010");
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/5/2009", "1/9/2010"}));
    typeSeason("2010");
    const QRect secondDate = f->lstDates->visualItemRect(f->lstDates->item(1));
    QTest::mouseClick(f->lstDates->viewport(), Qt::LeftButton, {}, secondDate.center());
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/4/2010"}));
    EXPECT_GT(f->lstMatches->count(), 0);

    // A text that is no season gets the message; the box shows the listed season again.
    for (const QString typed : {"next year", "2010-2012", "0000"}) {
        typeSeason(typed);
        ui::ScriptedMessages msgs;
        msgs.expect("Season must be given as in 2010-2011");
        pressKey(Qt::Key_Return);
        EXPECT_EQ(msgs.last().title, "Error");
        EXPECT_EQ(f->comSeason->currentText(), "2010-2011") << typed.toStdString();
        EXPECT_TRUE(f->comSeason->hasFocus());
    }
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/4/2010"}));
}

TEST_F(FindMatchTest, OpponentWithoutFirstNameIsListedAndPickedByLastName) {
    SeasonFixture s(db);
    const int w = s.addWrestler("Adam", "Alder", 2010);
    const int wt = s.addWeight("119");
    const int school = s.addSchool("Northfield");
    auto bout = [&](QDate date, const QString& first, const QString& last) {
        FixtureMatch m;
        m.wrestler = w;
        m.date = date;
        m.oppFName = first;  // empty is stored as Null
        m.oppLName = last;
        m.school = school;
        m.weight = wt;
        s.addMatch(m);
    };
    bout(QDate(2010, 12, 4), "", "O'Neil");
    bout(QDate(2010, 12, 11), "Sam", "O'Neil");
    bout(QDate(2011, 1, 8), "Sam", "");

    frmFindMatch* f = openFinder();
    EXPECT_EQ(items(f->lstOppName), (QStringList{"ALL", " O'Neil", "Sam ", "Sam O'Neil"}));
    EXPECT_EQ(items(f->lstOppFirst), (QStringList{"ALL", "", "Sam", "Sam"}));
    EXPECT_EQ(items(f->lstOppLast), (QStringList{"ALL", "O'Neil", "", "O'Neil"}));

    pick(f->lstOppName, " O'Neil");
    EXPECT_EQ(items(f->lstOppName), (QStringList{"ALL", " O'Neil"}));
    EXPECT_EQ(items(f->lstOppFirst), (QStringList{"ALL", ""}));
    EXPECT_EQ(items(f->lstMatches), QStringList{"12/4/2010\tAdam Alder\tNorthfield\tO'Neil"});

    pick(f->lstOppName, "ALL");
    pick(f->lstOppName, "Sam ");
    EXPECT_EQ(items(f->lstMatches), QStringList{"1/8/2011\tAdam Alder\tNorthfield\t"});
}

TEST_F(FindMatchTest, EditMatchOpensTheOneListedOrAsksForASelection) {
    makeSeasonFixture(db);
    frmFindMatch* f = openFinder();
    ui::ScriptedMessages msgs;

    // The narrow-results box shown: nothing happens.
    f->cmdEdit->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());

    pick(f->lstNames, "Ben Brook");
    ASSERT_EQ(f->lstMatches->count(), 3);
    msgs.expect("Plese select a match in the box");
    f->cmdEdit->click();
    EXPECT_EQ(msgs.last().title, ui::applicationTitle());
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());

    pick(f->lstDates, "12/11/2010");
    ASSERT_EQ(f->lstMatches->count(), 1);
    f->cmdEdit->click();
    ASSERT_TRUE(ui::forms().isLoaded<frmEditMatch>());
    frmEditMatch* e = ui::forms().get<frmEditMatch>();
    EXPECT_TRUE(e->isVisible());
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(e->txtDate->text(), "12/11/2010");
    EXPECT_EQ(e->comHomeName->currentText(), "Ben Brook");

    // Back in the finder, its picks are as they were.
    e->cmdReturn->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(items(f->lstNames), (QStringList{"ALL", "Ben Brook"}));
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/11/2010"}));
    EXPECT_EQ(f->lstMatches->count(), 1);
}

TEST_F(FindMatchTest, MatchRemovedMeanwhileIsNotOpened) {
    makeSeasonFixture(db);
    frmFindMatch* f = openFinder();
    pick(f->lstNames, "Dan Dorn");
    ASSERT_EQ(f->lstMatches->count(), 1);
    execSql(db, "DELETE FROM [Match] WHERE SeqWrestler = (SELECT Seq FROM Wrestler WHERE FullName = 'Dan Dorn')");

    ui::ScriptedMessages msgs;
    msgs.expect("This match is no longer in the database.");
    f->cmdEdit->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());
    EXPECT_TRUE(f->isVisible());
    // The pick stays; the match is gone from the list.
    EXPECT_EQ(items(f->lstNames), (QStringList{"ALL", "Dan Dorn"}));
    EXPECT_EQ(f->lstMatches->count(), 0);
}

}  // namespace
