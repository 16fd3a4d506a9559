// The match entry form's look-ups: the date and season, the weight taken from a weigh-in or an
// earlier bout of the day, the "VOID" presets, the start-up warnings, the school lists, the league
// box and the opponent names from rosters or past bouts.
#include "test_match_entry_fixture.h"

#include <QDropEvent>
#include <QMimeData>
#include <functional>

#include "support/real_input.h"

namespace {

using MatchEntryLookups = MatchEntryFixture;

TEST_F(MatchEntryLookups, DateGivesWeekdaySeasonAndThatSeasonsActiveNames) {
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("2/3/11"));
    EXPECT_EQ(f->txtDate->text(), "02/03/2011");
    EXPECT_EQ(f->lblDayofWeek->text(), "Thursday");
    EXPECT_EQ(f->txtSeason->text(), "2010-2011");
    EXPECT_EQ(items(f->comHomeName), (QStringList{"Adam Brook", "Carl Dunn", "VOID"}));

    // A one-digit year would otherwise come out as a season "-1-0".
    for (const QString& typed : {QStringLiteral("13/40/2011"), QStringLiteral("1/2/5")}) {
        {
            ui::ScriptedMessages msgs;
            msgs.expect(QStringLiteral("Date must be in the MM/DD/YYYY format"));
            enterText(f->txtDate, typed);
        }
        EXPECT_FALSE(f->txtSeason->isVisible()) << typed.toStdString();
        EXPECT_FALSE(f->lblDayofWeek->isVisible()) << typed.toStdString();
        EXPECT_TRUE(f->txtDate->hasFocus()) << typed.toStdString();
        enterText(f->txtDate, QStringLiteral("2/3/11"));
        EXPECT_TRUE(f->txtSeason->isVisible());
    }

    enterText(f->txtDate, QStringLiteral("12/31/2010"));
    EXPECT_EQ(f->txtSeason->text(), "2010-2011");
    EXPECT_TRUE(f->txtSeason->isVisible());
}

// Names typed into the Name drop-down and Tab, and the wrestler each chooses: the whole name
// counts, a first name that two wrestlers share and an apostrophe stored as a backquote too.
void expectTypedNamesChosen(MatchEntryFixture& fixture, const std::function<void(const QString&)>& type,
                            const std::function<void()>& tab, const std::function<void()>& back) {
    const KeysComeQuickly quickly;
    execSql(fixture.db, "INSERT INTO Wrestler (FullName, FirstName, LastName, wr_inactive, Season, "
                        "FNameSeason) VALUES "
                        "('Evan Scott', 'Evan', 'Scott', '0', 2010, 'Evan Scott2010'),"
                        "('Evan Wilson', 'Evan', 'Wilson', '0', 2010, 'Evan Wilson2010'),"
                        "('Tom O`Neil', 'Tom', 'O`Neil', '0', 2010, 'Tom O`Neil2010'),"
                        "('Tom Oakes', 'Tom', 'Oakes', '0', 2010, 'Tom Oakes2010')");
    frmMatchInfo* f = fixture.openFromMenu();
    if (onRealScreen()) showOnScreen(f);
    MatchEntryFixture::enterText(f->txtDate, QStringLiteral("2/3/11"));
    ASSERT_GE(f->comHomeName->findText("Evan Wilson"), 0);
    const struct {
        const char* typed;
        const char* chosen;
    } names[] = {{"Evan Wilson", "Evan Wilson"}, {"Evan Scott", "Evan Scott"}, {"Tom O'Neil", "Tom O`Neil"},
                 {"tom oakes", "Tom Oakes"}, {"evan w", "Evan Wilson"}};
    for (const auto& name : names) {
        SCOPED_TRACE(name.typed);
        f->comHomeName->setFocus(Qt::TabFocusReason);
        type(name.typed);
        EXPECT_FALSE(f->comHomeName->view()->isVisible());
        tab();
        EXPECT_FALSE(f->comHomeName->hasFocus());
        EXPECT_EQ(f->comHomeName->currentText(), name.chosen);
    }

    // Back into the date box and Tab round again, the date as it was or another of its season:
    // the chosen name stays.
    for (const char* date : {"", "12/31/2010"}) {
        SCOPED_TRACE(date);
        ASSERT_TRUE(f->txtWt->hasFocus());
        back();
        back();
        ASSERT_TRUE(f->txtDate->hasFocus());
        type(date);
        tab();
        tab();
        EXPECT_EQ(f->comHomeName->currentText(), "Evan Wilson");
    }
}

TEST_F(MatchEntryLookups, TypedNameChoosesThatWrestler) {
    expectTypedNamesChosen(
        *this, [](const QString& text) { typeKeys(text); }, [] { pressKey(Qt::Key_Tab); },
        [] { pressKey(Qt::Key_Backtab, Qt::ShiftModifier); });
}

TEST_F(MatchEntryLookups, TypedNameChoosesThatWrestlerOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    expectTypedNamesChosen(
        *this, [](const QString& text) { xType(text); }, [] { xKeys("Tab"); }, [] { xKeys("shift+Tab"); });
    // The wheel over the Name box, left or worked in, picks no other wrestler.
    frmMatchInfo* f = ui::forms().get<frmMatchInfo>();
    for (const bool worked : {false, true}) {
        if (worked) xKeys("shift+Tab");
        EXPECT_EQ(f->comHomeName->hasFocus(), worked);
        xWheel(f->comHomeName, 1);
        xWheel(f->comHomeName, -2);
        EXPECT_EQ(f->comHomeName->currentText(), "Evan Wilson");
    }
    EXPECT_FALSE(f->findChild<QWidget*>("formScrollArea")) << "the form fits the screen";

    // No school met yet: "Previous Schools" lies under its cover box, and Tab from Find School
    // passes over it to the other schools; Shift+Tab comes back.
    ASSERT_TRUE(f->txtNoSchool->isVisible());
    xClick(f->txtFind);
    xKeys("Tab");
    EXPECT_TRUE(f->lstUSchools->hasFocus()) << QApplication::focusWidget()->objectName().toStdString();
    xKeys("shift+Tab");
    EXPECT_TRUE(f->txtFind->hasFocus()) << QApplication::focusWidget()->objectName().toStdString();
}

TEST_F(MatchEntryLookups, WeighInWeightWinsAndTheClassFollowsAnEarlierBoutThatDay) {
    execSql(db, QStringLiteral("INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES ('2010-11-05', %1, 152);")
                    .arg(wrestlerKey(QStringLiteral("Adam Brook"), 2010)));
    storeBout(QStringLiteral("2010-11-05"), QStringLiteral("Carl Dunn"), 2010, QStringLiteral("145"),
              QStringLiteral("146"), QStringLiteral("Westfield"), QStringLiteral("Al"), QStringLiteral("Bell"));
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("11/05/2010"));

    // A weigh-in that day replaces a typed weight.
    enterText(f->txtWt, QStringLiteral("150"));
    pickName(QStringLiteral("Adam Brook"));
    EXPECT_EQ(f->txtWt->text(), " 152");
    EXPECT_TRUE(f->lstWeight->selectedItems().isEmpty());

    // No weigh-in: an empty box takes the earlier bout's weight, and its class is selected.
    f->txtWt->clear();
    pickName(QStringLiteral("Carl Dunn"));
    EXPECT_EQ(f->txtWt->text(), " 146");
    ASSERT_EQ(f->lstWeight->selectedItems().size(), 1);
    EXPECT_EQ(f->lstWeight->selectedItems().at(0)->text(), "145");

    // A typed weight survives when there is no weigh-in.
    f->lstWeight->clearSelection();
    enterText(f->txtWt, QStringLiteral("147"));
    pickName(QStringLiteral("Carl Dunn"));
    EXPECT_EQ(f->txtWt->text(), "147");
    EXPECT_EQ(f->lstWeight->selectedItems().at(0)->text(), "145");
}

TEST_F(MatchEntryLookups, VoidHomeAndOpponentPresets) {
    frmMatchInfo* f = openFromMenu();
    pickName(QStringLiteral("VOID"));
    EXPECT_EQ(f->txtWt->text(), "000");
    EXPECT_TRUE(f->optLoss->isChecked());
    EXPECT_TRUE(f->optType[4]->isChecked());
    EXPECT_EQ(f->txtTeamPoints->text(), "0");

    // Loss again with points typed keeps them.
    f->optWin->setChecked(true);
    f->txtTeamPoints->setText(QStringLiteral("2"));
    f->optLoss->setChecked(true);
    EXPECT_EQ(f->txtTeamPoints->text(), "2");

    enterText(f->txtOppFName, QStringLiteral("vOiD"));
    EXPECT_TRUE(f->optWin->isChecked());
    EXPECT_TRUE(f->optType[4]->isChecked());
    EXPECT_EQ(f->txtScore->text(), "Forfiet");

    // With a date and a weigh-in for "VOID" that day, the weigh-in replaces "000".
    execSql(db, QStringLiteral("INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES ('2010-11-05', %1, 0);")
                    .arg(wrestlerKey(QStringLiteral("VOID"), 2010)));
    enterText(f->txtDate, QStringLiteral("11/05/2010"));
    pickName(QStringLiteral("VOID"));
    EXPECT_EQ(f->txtWt->text(), " 0");
}

// Tab goes into an option group on the option the program chose, as on one the coach clicked.
TEST_F(MatchEntryLookups, TabGoesIntoAnOptionGroupOnTheChoiceTheProgramMade) {
    frmMatchInfo* f = openFromMenu();
    typeInto(f->txtOppFName, QStringLiteral("VOID"));
    pressKey(Qt::Key_Tab);
    ASSERT_TRUE(f->optType[4]->isChecked());
    ASSERT_TRUE(tabInto(f->optWin));
    pressKey(Qt::Key_Tab);
    EXPECT_TRUE(f->optType[4]->hasFocus()) << "on Forfeit, not on the group's first option";
    pressKey(Qt::Key_Space);
    EXPECT_TRUE(f->optType[4]->isChecked());

    pickName(QStringLiteral("VOID"));
    ASSERT_TRUE(f->optLoss->isChecked());
    EXPECT_TRUE(tabInto(f->optLoss));
    EXPECT_FALSE(f->optWin->focusPolicy() & Qt::TabFocus);
}

class MatchEntryEmpty : public MatchEntryFixture {
public:
    MatchEntryEmpty() { seedTeam = false; }
};

TEST_F(MatchEntryEmpty, StartUpWarnsOfNoWrestlersAndNoWeights) {
    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Select Edit Names to add wrestlers to the drop down box"))
        .expect(QStringLiteral("Select Edit Weights to add weights to the list"));
    frmMatchInfo* f = openFromMenu();
    EXPECT_EQ(items(f->comHomeName), QStringList{"VOID"});
    // The warnings come from the form's timer, some while after it shows.
    EXPECT_TRUE(QTest::qWaitFor([&] { return msgs.messages().size() >= 2; }, 30000));
    ASSERT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.messages()[0].title, "No Wrestlers");
    EXPECT_EQ(msgs.messages()[1].title, "No Weights");
    QTest::qWait(600);  // once per load
    EXPECT_EQ(msgs.messages().size(), 2u);
    // No bout yet: the previous-schools list stays covered.
    EXPECT_TRUE(f->txtNoSchool->isVisible());
}

TEST_F(MatchEntryLookups, RosterNamesOfThePreviousAndCurrentSeasonInDateGroups) {
    const int central = schoolKey(QStringLiteral("Central High"));
    // Stored out of date order on purpose: each date must still head one group.
    execSql(db, QStringLiteral("INSERT INTO Roster (RosterDate, SeqSchool, SeqWeight, FName, LName) VALUES "
                               "('2010-12-01', %1, %2, 'Tom', 'Rand'),"
                               "('2009-11-02', %1, %3, 'Sid', 'Vale'),"
                               "('2010-12-01', %1, %3, 'VOID', ''),"
                               "('2011-11-02', %1, %3, 'Late', 'Comer');")
                    .arg(central)
                    .arg(weightKey(QStringLiteral("152")))
                    .arg(weightKey(QStringLiteral("103"))));
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("11/05/2010"));
    enterText(f->txtOppSchool, QStringLiteral("Central High"));
    EXPECT_EQ(items(f->lstNames),
              (QStringList{"11/02", "", nameEntry("103", "Sid", "Vale"), "", "12/01", "",
                           nameEntry("103", "VOID", ""), nameEntry("152", "Tom", "Rand")}));

    // A double click on a name fills both boxes; on a header or a separator nothing changes.
    f->lstNames->setCurrentRow(7);
    emit f->lstNames->itemDoubleClicked(f->lstNames->currentItem());
    EXPECT_EQ(f->txtOppFName->text(), "Tom");
    EXPECT_EQ(f->txtOppLName->text(), "Rand");
    f->lstNames->setCurrentRow(4);
    emit f->lstNames->itemDoubleClicked(f->lstNames->currentItem());
    f->lstNames->setCurrentRow(5);
    emit f->lstNames->itemDoubleClicked(f->lstNames->currentItem());
    EXPECT_EQ(f->txtOppFName->text(), "Tom");
    f->lstNames->setCurrentRow(6);
    emit f->lstNames->itemDoubleClicked(f->lstNames->currentItem());
    EXPECT_EQ(f->txtOppFName->text(), "VOID");
    EXPECT_EQ(f->txtOppLName->text(), "");
    EXPECT_FALSE(f->optType[4]->isChecked());  // the "VOID" presets wait for leaving the box
}

TEST_F(MatchEntryLookups, SchoolWithoutRosterFallsBackToPastBouts) {
    storeBout(QStringLiteral("2010-01-10"), QStringLiteral("Adam Brook"), 2010, QStringLiteral("152"),
              QStringLiteral("152"), QStringLiteral("Westfield"), QStringLiteral("Ray"), QStringLiteral("Ott"));
    storeBout(QStringLiteral("2010-12-04"), QStringLiteral("Carl Dunn"), 2010, QStringLiteral("145"),
              QStringLiteral("145"), QStringLiteral("Westfield"), QStringLiteral("Kim"), QStringLiteral("Lee"));
    storeBout(QStringLiteral("2008-12-04"), QStringLiteral("Carl Dunn"), 2010, QStringLiteral("145"),
              QStringLiteral("145"), QStringLiteral("Westfield"), QStringLiteral("Too"), QStringLiteral("Old"));
    execSql(db, QStringLiteral("UPDATE [Match] SET OppLName = NULL WHERE OppFName = 'Ray';"));
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("11/05/2010"));

    // A school change falls back without a word.
    enterText(f->txtOppSchool, QStringLiteral("Westfield"));
    EXPECT_TRUE(f->optMatch->isChecked());
    const QStringList past{"12/04", "", nameEntry("145", "Kim", "Lee"), "", "01/10", "", nameEntry("152", "Ray", "")};
    EXPECT_EQ(items(f->lstNames), past);

    // A click on Roster says there is none and ends on Prev Matches.
    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("No roster entered for Westfield"));
    f->optRoster->setChecked(true);
    EXPECT_EQ(msgs.last().title, "No Roster");
    EXPECT_TRUE(f->optMatch->isChecked());
    EXPECT_EQ(items(f->lstNames), past);
}

TEST_F(MatchEntryLookups, SchoolListsFindBoxAndLeagueBox) {
    // Central High is met first (stored first, oldest bout, first by name and by key), Westfield
    // last: only the newest bout puts Westfield first.
    storeBout(QStringLiteral("2010-12-01"), QStringLiteral("Adam Brook"), 2010, QStringLiteral("152"),
              QStringLiteral("152"), QStringLiteral("Central High"), QStringLiteral("A"), QStringLiteral("B"));
    storeBout(QStringLiteral("2010-12-08"), QStringLiteral("Adam Brook"), 2010, QStringLiteral("152"),
              QStringLiteral("152"), QStringLiteral("Westfield"), QStringLiteral("C"), QStringLiteral("D"));
    storeBout(QStringLiteral("2011-01-05"), QStringLiteral("Adam Brook"), 2010, QStringLiteral("152"),
              QStringLiteral("152"), QStringLiteral("Westfield"), QStringLiteral("E"), QStringLiteral("F"));
    // The newest bouts: against a school since deleted, and against none.
    execSql(db, QStringLiteral("INSERT INTO [Match] (SeqWrestler, [Date], SeqOppSchool) VALUES (1, '2011-01-20', 999), "
                               "(1, '2011-01-21', NULL)"));
    frmMatchInfo* f = openFromMenu();
    EXPECT_EQ(items(f->lstSchools), (QStringList{"Westfield", "Central High"}));  // newest bout first, once
    EXPECT_FALSE(f->txtNoSchool->isVisible());
    EXPECT_EQ(items(f->lstUSchools), (QStringList{"Central High", "St. Mary's", "Westfield"}));

    f->txtFind->setText(QStringLiteral("ST"));
    EXPECT_EQ(items(f->lstUSchools), (QStringList{"St. Mary's", "Westfield"}));
    EXPECT_EQ(items(f->lstSchools), QStringList{"Westfield"});
    f->txtFind->setText(QStringLiteral("y's"));
    EXPECT_EQ(items(f->lstUSchools), QStringList{"St. Mary's"});
    EXPECT_TRUE(f->lstSchools->count() == 0);
    f->txtFind->setText(QStringLiteral("%"));
    EXPECT_TRUE(f->lstUSchools->count() == 0);
    f->txtFind->clear();

    // The league box follows the text letter by letter; its tick stays.
    f->txtOppSchool->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(f->txtOppSchool, QStringLiteral("Central Hig"));
    EXPECT_FALSE(f->chkLeague->isEnabled());
    QTest::keyClicks(f->txtOppSchool, QStringLiteral("h"));
    EXPECT_TRUE(f->chkLeague->isEnabled());
    f->chkLeague->setChecked(true);
    QTest::keyClicks(f->txtOppSchool, QStringLiteral("s"));
    EXPECT_FALSE(f->chkLeague->isEnabled());
    EXPECT_TRUE(f->chkLeague->isChecked());

    // An apostrophe typed or picked breaks nothing; a double click on a list picks the school.
    f->txtOppSchool->clear();
    QTest::keyClicks(f->txtOppSchool, QStringLiteral("St. Mary'"));
    f->lstUSchools->setCurrentRow(1);
    emit f->lstUSchools->itemDoubleClicked(f->lstUSchools->currentItem());
    EXPECT_EQ(f->txtOppSchool->text(), "St. Mary's");
    f->lstSchools->setCurrentRow(1);
    emit f->lstSchools->itemDoubleClicked(f->lstSchools->currentItem());
    EXPECT_EQ(f->txtOppSchool->text(), "Central High");

    // A drop on the school box takes the previous-schools selection, whatever was dropped.
    f->lstSchools->setCurrentRow(0);
    QMimeData dropped;
    dropped.setText(QStringLiteral("something else"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->txtOppSchool, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->txtOppSchool, &drop);
    EXPECT_EQ(f->txtOppSchool->text(), "Westfield");
}

}  // namespace
