// The match entry form from the main menu: entering, scoring and saving a bout, the checks of the
// Save button in their order, and what the form keeps after a save, a clear or a failed save.
#include "test_match_entry_fixture.h"

namespace {

using MatchEntrySave = MatchEntryFixture;

// Everything but the sheet for a varsity decision of Adam Brook over John Smith of Central High.
void fillVarsityWin() {
    frmMatchInfo* f = MatchEntryFixture::entry();
    MatchEntryFixture::enterText(f->txtDate, QStringLiteral("11/5/10"));
    MatchEntryFixture::pickName(QStringLiteral("Adam Brook"));
    MatchEntryFixture::enterText(f->txtWt, QStringLiteral("151"));
    MatchEntryFixture::pickWeight(QStringLiteral("152"));
    f->lstUSchools->setCurrentRow(0);  // Central High, first in name order
    emit f->lstUSchools->itemDoubleClicked(f->lstUSchools->currentItem());
    MatchEntryFixture::enterText(f->txtOppFName, QStringLiteral("John"));
    MatchEntryFixture::enterText(f->txtOppLName, QStringLiteral("Smith"));
    f->optLevel[0]->setChecked(true);
    f->optWin->setChecked(true);
    f->optType[0]->setChecked(true);
    MatchEntryFixture::enterText(f->txtScore, QStringLiteral("5-2"));
    MatchEntryFixture::enterText(f->txtTeamPoints, QStringLiteral("3"));
}

TEST_F(MatchEntrySave, BoutEnteredScoredAndSavedFromTheMainMenu) {
    frmMatchInfo* f = openFromMenu();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), "Enter Match");
    EXPECT_EQ(f->lblPrevMatch->text(), "");
    EXPECT_EQ(f->fraSource->toolTip(), "Double click to insert name");
    EXPECT_TRUE(f->lstNames->isEnabled() && f->optRoster->isChecked());
    EXPECT_FALSE(f->chkLeague->isEnabled());
    EXPECT_EQ(items(f->lstWeight), (QStringList{"103", "145", "152", "285"}));

    fillVarsityWin();
    EXPECT_EQ(f->txtDate->text(), "11/05/2010");
    EXPECT_EQ(f->lblDayofWeek->text(), "Friday");
    EXPECT_EQ(f->txtSeason->text(), "2010-2011");
    EXPECT_EQ(items(f->comHomeName), (QStringList{"Adam Brook", "Carl Dunn", "VOID"}));
    EXPECT_EQ(f->txtOppSchool->text(), "Central High");
    EXPECT_TRUE(f->chkLeague->isEnabled());
    f->chkLeague->setChecked(true);

    // The sheet: the form hides itself for it and comes back with the sheet's Match button.
    f->cmdScore->click();
    EXPECT_FALSE(f->isVisible());
    frmScoreSheet* s = sheet();
    ASSERT_TRUE(s->isVisible());
    activate(s);
    QTest::mouseClick(s->cmdTD[0], Qt::LeftButton);
    QTest::mouseClick(s->cmdEscape[0], Qt::LeftButton);
    s->txtOpp[1]->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(s->cmdNF3[1], Qt::LeftButton);
    QTest::mouseClick(s->cmdPenalty[1], Qt::LeftButton);
    s->txtHome[6]->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(s->cmdNF2[0], Qt::LeftButton);
    QTest::mouseClick(s->cmdRO[0], Qt::LeftButton);
    s->comChoiceHome[0]->setCurrentText(QStringLiteral("Top"));
    s->comChoiceOpp[4]->setCurrentText(QStringLiteral("Neu"));
    s->txtNotes->setText(QStringLiteral("Good ride"));
    QTest::mouseClick(s->cmdMatch, Qt::LeftButton);
    EXPECT_FALSE(s->isVisible());
    ASSERT_TRUE(f->isVisible());
    activate(f);

    QStringList home, opp;
    for (int i = 0; i < 7; ++i) {
        home << s->txtHome[i]->text();
        opp << s->txtOpp[i]->text();
    }
    EXPECT_EQ(s->chkHome->isChecked(), true);

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Saved"));
    f->cmdSaveMatch->click();
    EXPECT_EQ(msgs.last().title, "Saved");

    ASSERT_EQ(matchCount(), 1);
    const QVariantList row = queryRows(
        db, QStringLiteral("SELECT SeqWrestler, SeqWeight, SeqOppSchool, [Date], ActWeight, OppFName, OppLName, "
                           "Level, WL, WinType, Score, TeamPoints, LeagueMatch, FirstPoint, Notes, "
                           "Choice1home, Choice2Home, ChoiceDOT1Home, ChoiceDOT2Home, ChoiceOTHome, "
                           "Choice1Opp, Choice2Opp, ChoiceDOT1Opp, ChoiceDOT2Opp, ChoiceOTOpp FROM [Match]"))
                                .at(0);
    EXPECT_EQ(row[0].toInt(), wrestlerKey(QStringLiteral("Adam Brook"), 2010));
    EXPECT_EQ(row[1].toInt(), weightKey(QStringLiteral("152")));
    EXPECT_EQ(row[2].toInt(), schoolKey(QStringLiteral("Central High")));
    EXPECT_EQ(row[3].toString(), "2010-11-05");
    EXPECT_EQ(row[4].toString(), "151");
    EXPECT_EQ(row[5].toString(), "John");
    EXPECT_EQ(row[6].toString(), "Smith");
    EXPECT_EQ(row[7].toString(), "V");
    EXPECT_EQ(row[8].toString(), "W");
    EXPECT_EQ(row[9].toString(), "DEC");
    EXPECT_EQ(row[10].toString(), "5-2");
    EXPECT_EQ(row[11].toInt(), 3);
    EXPECT_EQ(row[12].toString(), "Y");
    EXPECT_EQ(row[13].toString(), "H");
    EXPECT_EQ(row[14].toString(), "Good ride");
    EXPECT_EQ(row[15].toString(), "Top");
    EXPECT_EQ(row[24].toString(), "Neu");  // choice box 4 goes to the ChoiceOT column
    for (int c = 16; c < 24; ++c) EXPECT_EQ(row[c].toString(), "") << c;

    const QVariantList strings = queryRows(
        db, QStringLiteral("SELECT Period1Home, Period2Home, Period3Home, PeriodOTHome, PeriodDOT1Home, "
                           "PeriodDOT2Home, periodDOTHome, Period1Opp, Period2Opp, Period3Opp, PeriodOTOpp, "
                           "PeriodDOT1Opp, PeriodDOT2Opp, PeriodDOTOpp FROM [Match]"))
                                    .at(0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(strings[i].toString(), home[i].trimmed()) << i;
        EXPECT_FALSE(strings[i].isNull());
        EXPECT_EQ(strings[7 + i].toString(), opp[i].trimmed()) << i;
    }
    EXPECT_TRUE(home[0].contains("T2") && home[0].contains("E1"));
    // Built by the buttons and never checked since: stored as the check rebuilds it.
    EXPECT_EQ(home[6], " N2 RO1 ");
    EXPECT_EQ(strings[6].toString(), "N2 RO1");

    const QVariantList tallies = queryRows(
        db, QStringLiteral("SELECT tp1home, ep1home, nf3p2Opp, pp2Opp, nf2pdothome, "
                           "tp1home + rp1home + ep1home + nf2p1home + nf3p1home + pp1home + wp1home + cp1home, "
                           "tp1Opp + tp2home + nf2p2Opp + ep2Opp + nf2pdotOpp FROM [Match]"))
                                    .at(0);
    EXPECT_EQ(tallies[0].toInt(), 1);
    EXPECT_EQ(tallies[1].toInt(), 1);
    EXPECT_EQ(tallies[2].toInt(), 1);
    EXPECT_EQ(tallies[3].toInt(), 1);
    EXPECT_EQ(tallies[4].toInt(), 1);
    EXPECT_EQ(tallies[5].toInt(), 2);
    EXPECT_EQ(tallies[6].toInt(), 0);

    // A freshly loaded form with the date, its season and the school kept.
    frmMatchInfo* next = entry();
    EXPECT_NE(next, f);
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(ui::forms().isLoaded<frmScoreSheet>());
    EXPECT_EQ(next->txtDate->text(), "11/05/2010");
    EXPECT_EQ(next->txtSeason->text(), "2010-2011");
    EXPECT_EQ(next->txtOppSchool->text(), "Central High");
    // The names of the kept date's season, not of the current one.
    EXPECT_EQ(items(next->comHomeName), (QStringList{"Adam Brook", "Carl Dunn", "VOID"}));
    EXPECT_TRUE(next->chkLeague->isEnabled());
    EXPECT_FALSE(next->chkLeague->isChecked());
    EXPECT_EQ(next->txtWt->text(), "");
    EXPECT_EQ(next->txtOppFName->text(), "");
    EXPECT_EQ(next->txtScore->text(), "");
    EXPECT_FALSE(next->optWin->isChecked() || next->optLoss->isChecked() || next->optLevel[0]->isChecked());
    EXPECT_EQ(next->lblPrevMatch->text(),
              "11/5/2010  152  V  Adam Brook  W  John Smith  Central High  DEC  5-2");
    // Past bouts now list the school: the name list shows last bout's opponent.
    EXPECT_EQ(items(next->lstSchools), QStringList{"Central High"});
    EXPECT_FALSE(next->txtNoSchool->isVisible());
}

TEST_F(MatchEntrySave, EmptyEntriesAreStoredAsNullAndAnUnopenedSheetAsEmptyStrings) {
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("01/15/2011"));
    pickName(QStringLiteral("Carl Dunn"));
    enterText(f->txtWt, QStringLiteral("104"));
    pickWeight(QStringLiteral("103"));
    enterText(f->txtOppLName, QStringLiteral("  Jones "));
    enterText(f->txtOppSchool, QStringLiteral("Westfield"));
    f->optLevel[1]->setChecked(true);
    f->optWin->setChecked(true);
    f->optType[3]->setChecked(true);  // TF needs no score

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Score Sheet is blank.  Do you want to continue?"), ui::Answer::Yes)
        .expect(QStringLiteral("Team Points is null.  Continue?"), ui::Answer::Ok)
        .expect(QStringLiteral("Match Saved"));
    f->cmdSaveMatch->click();
    EXPECT_EQ(msgs.messages().at(0).title, "No Match Score");
    EXPECT_EQ(msgs.messages().at(1).title, "Warning");

    const QVariantList row =
        queryRows(db, QStringLiteral("SELECT OppFName, OppLName, Score, TeamPoints, LeagueMatch, Level, WinType, "
                                     "Period1Home, PeriodDOTOpp, Choice1home, FirstPoint, Notes, "
                                     "tp1home + ep3Opp + cpdothome FROM [Match]"))
            .at(0);
    EXPECT_TRUE(row[0].isNull());
    EXPECT_EQ(row[1].toString(), "Jones");  // trimmed by the check before the save
    EXPECT_TRUE(row[2].isNull());
    EXPECT_TRUE(row[3].isNull());
    EXPECT_TRUE(row[4].isNull());
    EXPECT_EQ(row[5].toString(), "JV");
    EXPECT_EQ(row[6].toString(), "TF");
    for (int c = 7; c < 12; ++c) {
        EXPECT_FALSE(row[c].isNull()) << c;
        EXPECT_EQ(row[c].toString(), "") << c;
    }
    EXPECT_EQ(row[12].toInt(), 0);
}

TEST_F(MatchEntrySave, ChecksRefuseInTheirOrderAndStoreNothing) {
    frmMatchInfo* f = openFromMenu();
    // A sheet once shown has totals, so no blank-sheet question comes between the checks.
    f->cmdScore->click();
    activate(sheet());
    QTest::mouseClick(sheet()->cmdMatch, Qt::LeftButton);
    activate(f);

    auto saveRefusedWith = [&](const QString& message, const QString& title = QStringLiteral("Error"),
                               ui::Answer answer = ui::Answer::Ok) {
        ui::ScriptedMessages msgs;
        msgs.expect(message, answer);
        f->cmdSaveMatch->click();
        EXPECT_EQ(msgs.messages().size(), 1u) << message.toStdString();
        EXPECT_EQ(msgs.last().title, title);
        EXPECT_EQ(matchCount(), 0);
    };

    saveRefusedWith(QStringLiteral("You must enter a date"));  // no name either: only this one
    {
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Date must be in the MM/DD/YYYY format"));
        enterText(f->txtDate, QStringLiteral("11/31/10/4"));
    }
    saveRefusedWith(QStringLiteral("Date must be in the MM/DD/YYYY format"));
    enterText(f->txtDate, QStringLiteral("11/05/2010"));
    saveRefusedWith(QStringLiteral("You must select a name"));
    pickName(QStringLiteral("Adam Brook"));
    saveRefusedWith(QStringLiteral("No Actual Weight"));
    enterText(f->txtWt, QStringLiteral("152"));
    saveRefusedWith(QStringLiteral("You must select a Weight"));
    pickWeight(QStringLiteral("152"));
    saveRefusedWith(QStringLiteral("No Opponent Name"));
    enterText(f->txtOppFName, QStringLiteral(" Sam "));
    saveRefusedWith(QStringLiteral("No Opponent School"));
    EXPECT_EQ(f->txtOppFName->text(), "Sam");
    enterText(f->txtOppSchool, QStringLiteral("Nowhere Tech"));
    saveRefusedWith(QStringLiteral("Not a Valid School"));
    enterText(f->txtOppSchool, QStringLiteral("Westfield"));
    saveRefusedWith(QStringLiteral("No Level Selected"));
    f->optLevel[2]->setChecked(true);
    saveRefusedWith(QStringLiteral("Win / Loss Is Not Selected"));
    f->optWin->setChecked(true);
    saveRefusedWith(QStringLiteral("Win / Loss Type Not Selected"));
    f->optType[2]->setChecked(true);
    saveRefusedWith(QStringLiteral("Score / Fall Not Entered"));
    {
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Score must be less than 10 characters"));
        enterText(f->txtScore, QStringLiteral("0123456789"));  // leaving the box warns too
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    saveRefusedWith(QStringLiteral("Score must be less than 10 characters"));
    enterText(f->txtScore, QStringLiteral("012345678"));
    // Blanks, a sign, digits and one decimal point make a number; nothing else does.
    // Nor do 400 nines, which would be stored as infinite.
    const QString tooLong(400, QLatin1Char('9'));
    for (const QString& notANumber : {QStringLiteral("six"), QStringLiteral("1e999"), QStringLiteral("1e2"),
                                      QStringLiteral("Inf"), QStringLiteral("0x1A"), QStringLiteral("2.5.1"),
                                      QStringLiteral("- 3"), QStringLiteral("\t3"), tooLong}) {
        enterText(f->txtTeamPoints, notANumber);
        saveRefusedWith(QStringLiteral("Team points must be a number"));
    }
    enterText(f->txtTeamPoints, QStringLiteral(""));
    saveRefusedWith(QStringLiteral("Team Points is null.  Continue?"), QStringLiteral("Warning"), ui::Answer::Cancel);

    // A malformed move on the sheet is refused where leaving its box refuses it: on the sheet,
    // with the focus in that box.
    sheet()->txtHome[2]->setText(QStringLiteral("T3 E1"));
    sheet()->txtOpp[0]->setText(QStringLiteral("N5"));
    enterText(f->txtTeamPoints, QStringLiteral(" +6.0 "));
    saveRefusedWith(QStringLiteral("Takedown or Reversal without 2 points following"));
    EXPECT_FALSE(f->isVisible());
    ASSERT_TRUE(sheet()->isVisible());
    activate(sheet());
    EXPECT_TRUE(sheet()->txtHome[2]->hasFocus());
    EXPECT_EQ(sheet()->txtHome[2]->text(), "T3 E1");
    QTest::keyClick(sheet()->txtHome[2], Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(sheet()->txtHome[2], QStringLiteral("t2 e1"));
    {
        // Return leaves the box: the next bad box is shown, and the sheet stays.
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Near Fall without 2, 3, or 4 points following"));
        QTest::keyClick(sheet(), Qt::Key_R, Qt::AltModifier);
        EXPECT_TRUE(sheet()->isVisible());
        EXPECT_TRUE(sheet()->txtOpp[0]->hasFocus());
    }
    QTest::keyClick(sheet()->txtOpp[0], Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(sheet()->txtOpp[0], QStringLiteral("n2"));
    QTest::keyClick(sheet(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(sheet()->txtHome[2]->text(), "T2 E1");
    ASSERT_TRUE(f->isVisible());
    activate(f);

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Saved"));
    f->cmdSaveMatch->click();
    EXPECT_EQ(matchCount(), 1);
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT TeamPoints FROM [Match]")).toDouble(), 6.0);
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT Score FROM [Match]")).toString(), "012345678");
}

// The coach's own keys and clicks: access keys, typing over, picks in the drop-down with the mouse.
TEST_F(MatchEntrySave, MovesLeftByAccessKeysAreStoredUpperCaseAndCounted) {
    frmMatchInfo* f = openFromMenu();
    fillVarsityWin();
    QTest::keyClick(f, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(sheet()->isVisible());
    activate(sheet());
    QTest::mouseClick(sheet()->txtOpp[0], Qt::LeftButton);
    QTest::keyClicks(sheet()->txtOpp[0], QStringLiteral("t2 n3 t2"));
    QTest::keyClick(sheet(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(sheet()->txtOpp[0]->text(), "T2 N3 T2") << "the box was checked on the way out";
    ASSERT_TRUE(f->isVisible());
    activate(f);

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Saved"));
    QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    const QVariantList row = onlyBout(QStringLiteral("Period1Opp, tp1Opp, nf3p1Opp"));
    ASSERT_EQ(row.size(), 3);
    EXPECT_EQ(row[0].toString(), "T2 N3 T2");
    EXPECT_EQ(row[1].toInt(), 2);
    EXPECT_EQ(row[2].toInt(), 1);
}

TEST_F(MatchEntrySave, DateTypedOverIsSettledBeforeTheSaveAndVoidPickedWithTheMouse) {
    const int now = getSeason(QDate::currentDate());
    frmMatchInfo* f = openFromMenu();
    fillVarsityWin();  // a bout of Adam Brook in 2010

    // A January date of the current season with a two-digit year, typed over the date, then Save
    // by its access key: the date box is left first, so the names are now the current season's.
    QTest::mouseClick(f->txtDate, Qt::LeftButton);
    QTest::keyClick(f->txtDate, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(f->txtDate, QStringLiteral("1/17/%1").arg((now + 1) % 100, 2, 10, QLatin1Char('0')));
    {
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Match Score Sheet is blank"), ui::Answer::Yes)
            .expect(QStringLiteral("You must select a name"));
        QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    }
    EXPECT_EQ(matchCount(), 0);
    EXPECT_EQ(f->txtDate->text(), QStringLiteral("01/17/%1").arg(now + 1));
    EXPECT_EQ(f->txtSeason->text(), seasonLabel(now));
    EXPECT_EQ(items(f->comHomeName), (QStringList{"Eli Frost", "VOID"}));

    // "VOID" picked with the mouse, then Tab: the home bout that was not wrestled.
    ASSERT_TRUE(pickWithMouse(f->comHomeName, QStringLiteral("VOID")));
    QTest::keyClick(f->comHomeName, Qt::Key_Tab);
    EXPECT_EQ(f->txtWt->text(), "000");
    EXPECT_TRUE(f->optLoss->isChecked());
    EXPECT_TRUE(f->optType[4]->isChecked());
    EXPECT_EQ(f->txtTeamPoints->text(), "3") << "points typed before stay";
    f->txtTeamPoints->clear();
    QTest::mouseClick(f->optWin, Qt::LeftButton);
    QTest::mouseClick(f->optLoss, Qt::LeftButton);
    EXPECT_EQ(f->txtTeamPoints->text(), "0");

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Saved"));
    QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    const QVariantList row = onlyBout(QStringLiteral("[Date], SeqWrestler, ActWeight, WL, WinType, TeamPoints"));
    ASSERT_EQ(row.size(), 6);
    EXPECT_EQ(row[0].toString(), QStringLiteral("%1-01-17").arg(now + 1));
    EXPECT_EQ(row[1].toInt(), wrestlerKey(QStringLiteral("VOID"), now));
    EXPECT_EQ(row[2].toString(), "000");
    EXPECT_EQ(row[3].toString(), "L");
    EXPECT_EQ(row[4].toString(), "Forfeit");
    EXPECT_EQ(row[5].toInt(), 0);
}

TEST_F(MatchEntrySave, ArrowKeysInTheOptionGroupsChooseTheOptionTheyGoTo) {
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("11/5/10"));
    pickName(QStringLiteral("Adam Brook"));
    enterText(f->txtWt, QStringLiteral("151"));
    pickWeight(QStringLiteral("152"));
    f->lstUSchools->setCurrentRow(0);
    emit f->lstUSchools->itemDoubleClicked(f->lstUSchools->currentItem());
    enterText(f->txtOppFName, QStringLiteral("John"));
    enterText(f->txtOppLName, QStringLiteral("Smith"));

    // Tab comes into the level group with nothing chosen; Down chooses the next level, Up the
    // one before, and from the first Up goes round to the last.
    ASSERT_TRUE(tabInto(f->optLevel[0]));
    EXPECT_FALSE(f->optLevel[0]->isChecked());
    pressKey(Qt::Key_Down);
    EXPECT_TRUE(f->optLevel[1]->isChecked() && f->optLevel[1]->hasFocus());
    pressKey(Qt::Key_Up);
    pressKey(Qt::Key_Up);
    EXPECT_TRUE(f->optLevel[2]->isChecked() && f->optLevel[2]->hasFocus());
    pressKey(Qt::Key_Right);
    EXPECT_TRUE(f->optLevel[0]->isChecked() && f->optLevel[0]->hasFocus());

    // An option chosen by a key runs its Click as the mouse's does: Loss puts in no team points.
    ASSERT_TRUE(tabInto(f->optWin));
    pressKey(Qt::Key_Down);
    EXPECT_TRUE(f->optLoss->isChecked());
    EXPECT_EQ(f->txtTeamPoints->text(), "0");

    // The win types follow the screen, in two columns (Dec, MD, Fall and TF, Forfeit, Other):
    // Down from Fall, the last of its column, goes on to TF; Left from TF goes across to Dec, and
    // Right back.
    ASSERT_TRUE(tabInto(f->optType[0]));
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    EXPECT_TRUE(f->optType[2]->isChecked());
    pressKey(Qt::Key_Down);
    EXPECT_TRUE(f->optType[3]->isChecked() && f->optType[3]->hasFocus());
    for (const auto& [key, to] : {std::pair{Qt::Key_Left, 0}, {Qt::Key_Right, 3}, {Qt::Key_Left, 0}}) {
        pressKey(key);
        EXPECT_TRUE(f->optType[to]->isChecked() && f->optType[to]->hasFocus()) << to;
    }
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    EXPECT_TRUE(f->optType[2]->isChecked() && f->optType[2]->hasFocus());
    enterText(f->txtScore, QStringLiteral("3:15"));

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Score Sheet is blank"), ui::Answer::Yes).expect(QStringLiteral("Match Saved"));
    QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    const QVariantList row = onlyBout(QStringLiteral("Level, WL, WinType, Score, TeamPoints"));
    ASSERT_EQ(row.size(), 5);
    EXPECT_EQ(row[0].toString(), "V");
    EXPECT_EQ(row[1].toString(), "L");
    EXPECT_EQ(row[2].toString(), "Fall");
    EXPECT_EQ(row[3].toString(), "3:15");
    EXPECT_EQ(row[4].toInt(), 0);
}

TEST_F(MatchEntrySave, NamePickedWithTheMouseGetsItsWeighInAndSaveSettlesADateNotLeft) {
    execSql(db, QStringLiteral("INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES ('2011-01-15', %1, 146);")
                    .arg(wrestlerKey(QStringLiteral("Carl Dunn"), 2010)));
    frmMatchInfo* f = openFromMenu();
    fillVarsityWin();
    enterText(f->txtDate, QStringLiteral("1/15/11"));
    ASSERT_TRUE(pickWithMouse(f->comHomeName, QStringLiteral("Carl Dunn")));
    QTest::keyClick(f->comHomeName, Qt::Key_Tab);
    EXPECT_EQ(f->txtWt->text(), " 146");
    pickWeight(QStringLiteral("145"));

    // A date that never went through its box (the carried date of a reset is written so): the
    // save puts it in form and takes the season from it.
    f->txtDate->setText(QStringLiteral("12/1/2009"));
    {
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Match Score Sheet is blank"), ui::Answer::Yes)
            .expect(QStringLiteral("There is no wrestler named Carl Dunn in the season 2009-2010"));
        QTest::mouseClick(f->cmdSaveMatch, Qt::LeftButton);
    }
    EXPECT_EQ(matchCount(), 0);
    EXPECT_EQ(f->txtDate->text(), "12/01/2009");
    f->txtDate->setText(QStringLiteral("2/3/11"));
    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Score Sheet is blank"), ui::Answer::Yes).expect(QStringLiteral("Match Saved"));
    QTest::mouseClick(f->cmdSaveMatch, Qt::LeftButton);
    const QVariantList row = onlyBout(QStringLiteral("[Date], SeqWrestler, ActWeight"));
    ASSERT_EQ(row.size(), 3);
    EXPECT_EQ(row[0].toString(), "2011-02-03");
    EXPECT_EQ(row[1].toInt(), wrestlerKey(QStringLiteral("Carl Dunn"), 2010));
    EXPECT_EQ(row[2].toString(), " 146");
}

TEST_F(MatchEntrySave, KeysBeyondSixteenBitsAreStoredWhole) {
    execSql(db, QStringLiteral("INSERT INTO Weight (Seq, Weight) VALUES (40000, '189');"
                               "INSERT INTO OppSchool (Seq, OppSchool, OppDiv) VALUES (70000, 'Far Hills', 1);"
                               "INSERT INTO Wrestler (Seq, FullName, FirstName, LastName, wr_inactive, Season, FNameSeason) "
                               "VALUES (33000, 'Gus Hale', 'Gus', 'Hale', '0', 2010, 'Gus Hale2010');"));
    frmMatchInfo* f = openFromMenu();
    fillVarsityWin();
    pickName(QStringLiteral("Gus Hale"));
    pickWeight(QStringLiteral("189"));
    enterText(f->txtOppSchool, QStringLiteral("Far Hills"));
    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Score Sheet is blank"), ui::Answer::Yes).expect(QStringLiteral("Match Saved"));
    QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    const QVariantList row = onlyBout(QStringLiteral("SeqWrestler, SeqWeight, SeqOppSchool"));
    ASSERT_EQ(row.size(), 3);
    EXPECT_EQ(row[0].toInt(), 33000);
    EXPECT_EQ(row[1].toInt(), 40000);
    EXPECT_EQ(row[2].toInt(), 70000);
}

// Texts copied elsewhere and pasted with Ctrl+V: each line break becomes a blank in every one-line
// box, and a score is measured in characters as a person counts them.
TEST_F(MatchEntrySave, PastedLineBreaksBecomeBlanksAndAnEmojiIsOneCharacterOfTheScore) {
    frmMatchInfo* f = openFromMenu();
    fillVarsityWin();
    pasteInto(f->txtOppFName, QStringLiteral("Lan\ndon"));
    pasteInto(f->txtWt, QStringLiteral("  171\r\n"));
    pasteInto(f->txtOppLName, QStringLiteral("Mc\r\nCoy\rJr"));
    EXPECT_EQ(f->txtOppFName->text(), "Lan don");

    const QString emoji = QString::fromUtf8("\xF0\x9F\xA4\xBC");  // two UTF-16 units each
    {
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Score must be less than 10 characters"));
        pasteInto(f->txtScore, emoji.repeated(10));
        QTest::keyClick(f->txtScore, Qt::Key_Tab);
        EXPECT_TRUE(f->txtScore->hasFocus());
    }
    pasteInto(f->txtScore, emoji.repeated(9));
    QTest::keyClick(f->txtScore, Qt::Key_Tab);  // no message: nine characters pass

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("Match Score Sheet is blank"), ui::Answer::Yes).expect(QStringLiteral("Match Saved"));
    QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(onlyBout(QStringLiteral("OppFName, ActWeight, OppLName, Score")),
              (QVariantList{"Lan don", "  171 ", "Mc Coy Jr", emoji.repeated(9)}));
}

TEST_F(MatchEntrySave, BlankSheetQuestionNoStopsAndForfeitIsNotAsked) {
    frmMatchInfo* f = openFromMenu();
    {
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Match Score Sheet is blank.  Do you want to continue?"), ui::Answer::No);
        f->cmdSaveMatch->click();  // nothing else follows, not even the date check
    }
    EXPECT_EQ(matchCount(), 0);

    f->optType[4]->setChecked(true);
    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("You must enter a date"));
    f->cmdSaveMatch->click();
    EXPECT_EQ(msgs.messages().size(), 1u);
}

TEST_F(MatchEntrySave, DatabaseErrorStoresNothingAndKeepsBothForms) {
    frmMatchInfo* f = openFromMenu();
    fillVarsityWin();
    sheet()->txtHome[0]->setText(QStringLiteral("T2"));
    sheet()->txtHomeScore->setText(QStringLiteral(" 2"));
    execSql(db, QStringLiteral("ALTER TABLE [Match] ADD COLUMN Refuse INTEGER "
                               "CONSTRAINT no_match_taken CHECK (0);"));

    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("CHECK constraint failed: no_match_taken"));
    f->cmdSaveMatch->click();
    EXPECT_EQ(msgs.last().title, "Error");
    EXPECT_EQ(matchCount(), 0);
    EXPECT_FALSE(gConn.isOpen());
    EXPECT_EQ(entry(), f);
    EXPECT_EQ(f->txtOppFName->text(), "John");
    EXPECT_EQ(f->txtScore->text(), "5-2");
    EXPECT_TRUE(f->optType[0]->isChecked());
    EXPECT_EQ(sheet()->txtHome[0]->text(), "T2");

    // Once the database takes rows again the same entries save.
    execSql(db, QStringLiteral("ALTER TABLE [Match] DROP COLUMN Refuse;"));
    msgs.expect(QStringLiteral("Match Saved"));
    f->cmdSaveMatch->click();
    EXPECT_EQ(matchCount(), 1);
}

// Another copy of the program on the same file deletes the class, school or wrestler of the bout
// while the team-points question is open: no bout is stored pointing at nothing, the coach is
// told, and the entry stays to be saved again.
TEST_F(MatchEntrySave, AKeyDeletedByAnotherCopyDuringTheQuestionStoresNoBout) {
    const std::pair<const char*, const char*> cases[] = {
        {"DELETE FROM Weight WHERE Weight = '152'", "this row of Weight"},
        {"DELETE FROM OppSchool WHERE OppSchool = 'Central High'", "this row of OppSchool"},
        {"DELETE FROM Wrestler WHERE FullName = 'Adam Brook'", "this row of Wrestler"}};
    for (const auto& [meanwhile, told] : cases) {
        SCOPED_TRACE(meanwhile);
        frmMatchInfo* f = openFromMenu();
        fillVarsityWin();
        sheet()->txtHomeScore->setText(QStringLiteral("2"));
        f->txtTeamPoints->clear();
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Team Points is null.  Continue?"), ui::Answer::Ok,
                    [&, sql = QString::fromLatin1(meanwhile)] { execSql(db, sql); })
            .expect(QStringLiteral("Nothing was saved: another program, or another copy of this one, has "
                                   "changed or deleted ") + told);
        QTest::mouseClick(f->cmdSaveMatch, Qt::LeftButton);
        EXPECT_EQ(matchCount(), 0);
        EXPECT_EQ(entry(), f);
        EXPECT_EQ(f->txtOppFName->text(), "John");
        ui::forms().unloadAll();
        execSql(db, QStringLiteral("DELETE FROM Weight; DELETE FROM Wrestler; DELETE FROM OppSchool;"));
        seed();
    }
}

TEST_F(MatchEntrySave, NameWithoutWrestlerRowForTheSeasonIsRefused) {
    // The 2009 season has wrestlers but its "VOID" row was never made.
    execSql(db, QStringLiteral("INSERT INTO Wrestler (FullName, FirstName, LastName, Season, FNameSeason) "
                               "VALUES ('Ben Cole', 'Ben', 'Cole', 2009, 'Ben Cole2009');"));
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("12/01/2009"));
    EXPECT_EQ(items(f->comHomeName), (QStringList{"Ben Cole", "VOID"}));
    pickName(QStringLiteral("VOID"));
    f->optType[4]->setChecked(true);
    ui::ScriptedMessages msgs;
    msgs.expect(QStringLiteral("There is no wrestler named VOID in the season 2009-2010"));
    f->cmdSaveMatch->click();
    EXPECT_EQ(msgs.last().title, "Error");
    EXPECT_EQ(matchCount(), 0);
}

TEST_F(MatchEntrySave, ClearScreenKeepsDateSchoolAndSeason) {
    frmMatchInfo* f = openFromMenu();
    const QString current = seasonLabel(getSeason(QDate::currentDate()));
    EXPECT_EQ(f->txtSeason->text(), current);

    // No date: the season stays the one the form loaded with.
    enterText(f->txtOppSchool, QStringLiteral("Westfield"));
    enterText(f->txtOppFName, QStringLiteral("Joe"));
    f->cmdClear->click();
    frmMatchInfo* g = entry();
    EXPECT_NE(g, f);
    EXPECT_EQ(g->txtSeason->text(), current);
    EXPECT_EQ(g->txtDate->text(), "");
    EXPECT_EQ(g->txtOppSchool->text(), "Westfield");
    EXPECT_EQ(g->txtOppFName->text(), "");

    activate(g);
    enterText(g->txtDate, QStringLiteral("02/10/2011"));
    g->txtScore->setText(QStringLiteral("7-0"));
    g->cmdClear->click();
    frmMatchInfo* h = entry();
    EXPECT_EQ(h->txtDate->text(), "02/10/2011");
    EXPECT_EQ(h->txtSeason->text(), "2010-2011");
    EXPECT_EQ(items(h->comHomeName), (QStringList{"Adam Brook", "Carl Dunn", "VOID"}));
    EXPECT_EQ(h->txtScore->text(), "");
}

TEST_F(MatchEntrySave, CloseBoxIsRefusedAndReturnGoesBackToTheMenuDroppingTheEntry) {
    frmMatchInfo* f = openFromMenu();
    sheet()->txtHome[0]->setText(QStringLiteral("T2"));
    {
        ui::ScriptedMessages msgs;
        msgs.expect(QStringLiteral("Click 'Return' to close window"));
        f->close();
        EXPECT_EQ(msgs.last().title, "Exit");
    }
    EXPECT_TRUE(f->isVisible());
    f->cmdReturn->click();
    EXPECT_TRUE(ui::forms().get<frmInit>()->isVisible());
    EXPECT_FALSE(ui::forms().isLoaded<frmMatchInfo>());
    EXPECT_FALSE(ui::forms().isLoaded<frmScoreSheet>());
}

}  // namespace
