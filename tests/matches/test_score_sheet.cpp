// The score sheet, driven through its controls in the offscreen window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFocusFrame>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <cstdlib>
#include <vector>

#include "core/frmHelp.h"
#include "matches/frmMatchInfo.h"
#include "matches/frmScoreSheet.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/real_input.h"
#include "support/user_input.h"

namespace {

const char* const kTakedownMessage = "Takedown or Reversal without 2 points following";

class ScoreSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = ui::forms().get<frmScoreSheet>();
        showSheet();
    }
    void TearDown() override { ui::forms().unloadAll(); }

    void showSheet() {
        showActive(sheet);
    }

    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    // The two caption styles of the period and notes frames, in every part.
    static bool highlighted(const QGroupBox* frame) {
        const QFont font = frame->font();
        return font.pointSize() == 14 && font.bold() && font.italic() && font.underline() &&
               frame->palette().color(QPalette::WindowText) == QColor(255, 255, 128);
    }
    static bool normal(const QGroupBox* frame) {
        const QFont font = frame->font();
        return font.pointSize() == 12 && !font.bold() && !font.italic() && !font.underline() &&
               frame->palette().color(QPalette::WindowText) ==
                   QPalette().color(QPalette::HighlightedText);
    }

    frmScoreSheet* sheet = nullptr;
};

TEST(ScoreSheetLoad, StartsEmptyWhenOnlyRead) {
    frmScoreSheet* sheet = ui::forms().get<frmScoreSheet>();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->windowTitle(), "ScoreSheet");
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(sheet->txtHome[i]->text(), "");
        EXPECT_EQ(sheet->txtOpp[i]->text(), "");
    }
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(sheet->comChoiceHome[k]->currentText(), "");
        EXPECT_EQ(sheet->comChoiceOpp[k]->count(), 5);
        EXPECT_EQ(sheet->comChoiceOpp[k]->itemText(4), " ");
    }
    EXPECT_FALSE(sheet->chkHome->isChecked());
    EXPECT_FALSE(sheet->chkOpp->isChecked());
    EXPECT_EQ(sheet->txtHomeScore->text(), "");
    EXPECT_EQ(sheet->txtOppScore->text(), "");
    EXPECT_EQ(sheet->txtNotes->text(), "");
    ui::forms().unloadAll();
}

TEST_F(ScoreSheetTest, TakedownScoresAtOnceAndTheNextCheckTidiesTheBox) {
    EXPECT_EQ(sheet->txtHomeScore->text(), " 0");
    EXPECT_EQ(sheet->txtOppScore->text(), " 0");
    EXPECT_TRUE(highlighted(sheet->fraPeriod[0]));

    click(sheet->cmdTD[0]);
    EXPECT_EQ(sheet->txtHome[0]->text(), " T2 ");
    EXPECT_EQ(sheet->txtHomeScore->text(), " 2");
    EXPECT_TRUE(sheet->chkHome->isChecked());
    EXPECT_FALSE(sheet->chkOpp->isChecked());
    EXPECT_TRUE(sheet->cmdTD[0]->hasFocus()) << "the focus stays on the button";

    click(sheet->cmdEscape[0]);
    EXPECT_EQ(sheet->txtHome[0]->text(), " T2 E1 ");
    EXPECT_EQ(sheet->txtHomeScore->text(), " 3");

    // Leaving any period box checks them all.
    click(sheet->txtOpp[1]);
    EXPECT_TRUE(highlighted(sheet->fraPeriod[1]));
    EXPECT_TRUE(normal(sheet->fraPeriod[0]));
    click(sheet->txtHome[3]);
    EXPECT_EQ(sheet->txtHome[0]->text(), "T2 E1");
    EXPECT_EQ(sheet->txtHomeScore->text(), " 3");
    EXPECT_EQ(sheet->curPeriod, 3);
}

TEST_F(ScoreSheetTest, EveryMoveButtonAppendsItsTokenToItsOwnRow) {
    struct MoveButton {
        std::array<QPushButton*, 2> buttons;
        const char* caption;
    };
    const MoveButton row[] = {
        {sheet->cmdTD, "Takedown"},      {sheet->cmdRev, "Reverse"},
        {sheet->cmdEscape, "Escape"},    {sheet->cmdNF2, "NearFall 2"},
        {sheet->cmdNF3, "NearFall 3"},   {sheet->cmdPenalty, "Penalty"},
        {sheet->cmdWarning, "Warning"},  {sheet->cmdCaution, "Caution"},
    };
    for (const MoveButton& b : row) {
        EXPECT_EQ(b.buttons[0]->text(), b.caption);
        EXPECT_EQ(b.buttons[1]->text(), b.caption);
        click(b.buttons[0]);
    }
    EXPECT_EQ(sheet->txtHome[0]->text(), " T2 R2 E1 N2 N3 P1 W C ");
    EXPECT_EQ(sheet->txtOpp[0]->text(), "");
    EXPECT_EQ(sheet->txtHomeScore->text(), " 11");

    click(sheet->txtHome[2]);
    for (const MoveButton& b : row) click(b.buttons[1]);
    EXPECT_EQ(sheet->txtOpp[2]->text(), " T2 R2 E1 N2 N3 P1 W C ");
    EXPECT_EQ(sheet->txtHome[2]->text(), "");
    EXPECT_EQ(sheet->txtOppScore->text(), " 11");

    // The home ride-out goes into the home final overtime, after what stands there.
    sheet->txtHome[6]->setText("E1");
    EXPECT_EQ(sheet->cmdRO[0]->text(), "RideOut");
    click(sheet->cmdRO[0]);
    EXPECT_EQ(sheet->txtHome[6]->text(), "E1RO1 ");
    EXPECT_EQ(sheet->txtOpp[6]->text(), "");
    EXPECT_EQ(sheet->curPeriod, 2);
}

TEST_F(ScoreSheetTest, MalformedMoveIsReportedAndTheFocusGoesBackIntoItsBox) {
    ui::ScriptedMessages msgs;
    msgs.expect(kTakedownMessage);
    typeInto(sheet->txtHome[0], "t2 e1 t3");
    click(sheet->txtOpp[2]);

    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.last().text, kTakedownMessage);
    EXPECT_EQ(msgs.last().title, "Error");
    EXPECT_TRUE(sheet->txtHome[0]->hasFocus());
    EXPECT_EQ(sheet->txtHome[0]->text(), "T2 E1 T3");
    EXPECT_EQ(sheet->txtHomeScore->text(), " 6") << "the total counts the 3 all the same";
    EXPECT_TRUE(highlighted(sheet->fraPeriod[0]));

    // Corrected, the box passes when it is left.
    sheet->txtHome[0]->setText("T2 E1 T2");
    click(sheet->txtOpp[2]);
    EXPECT_TRUE(sheet->txtOpp[2]->hasFocus());
    EXPECT_EQ(sheet->txtHomeScore->text(), " 5");
    EXPECT_EQ(msgs.messages().size(), 1u);
}

TEST_F(ScoreSheetTest, MoveClickedWhileLeavingABadBoxWaitsForTheBoxToBePutRight) {
    // The box is checked first; its message takes the click, so no move is added and the button
    // is not left pressed. The next click adds the move to the period of that box.
    ui::ScriptedMessages msgs;
    msgs.expect(kTakedownMessage);
    typeInto(sheet->txtHome[1], "t3");
    click(sheet->cmdTD[1]);
    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_TRUE(sheet->txtHome[1]->hasFocus());
    EXPECT_FALSE(sheet->cmdTD[1]->isDown());
    EXPECT_EQ(sheet->txtHome[1]->text(), "T3");
    EXPECT_EQ(sheet->txtOpp[1]->text(), "");
    EXPECT_EQ(sheet->txtHomeScore->text(), " 3");

    sheet->txtHome[1]->setText("T2");
    click(sheet->cmdTD[1]);
    EXPECT_EQ(sheet->txtOpp[1]->text(), " T2 ");
    EXPECT_EQ(sheet->txtHomeScore->text(), " 2");
    EXPECT_EQ(sheet->txtOppScore->text(), " 2");
}

TEST_F(ScoreSheetTest, OnlyTheFirstOfTwoBadBoxesIsReported) {
    sheet->txtOpp[0]->setText("e2 t2");
    sheet->txtHome[2]->setText("r1");
    sheet->txtHome[1]->setText("w2");
    sheet->txtHome[5]->setText("w2");
    ui::ScriptedMessages msgs;
    msgs.expect(kTakedownMessage);
    click(sheet->txtNotes);

    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_TRUE(sheet->txtHome[2]->hasFocus());
    EXPECT_EQ(sheet->txtHome[2]->text(), "R1");
    EXPECT_EQ(sheet->txtHome[1]->text(), "W") << "checked before the bad box";
    EXPECT_EQ(sheet->txtHome[5]->text(), "w2") << "after the bad box nothing is checked";
    EXPECT_EQ(sheet->txtOpp[0]->text(), "e2 t2");
}

TEST_F(ScoreSheetTest, ButtonsWriteIntoThePeriodLastFocused) {
    // The opponent row writes into the period of the home box that has the focus.
    click(sheet->txtHome[1]);
    click(sheet->cmdTD[1]);
    EXPECT_EQ(sheet->txtOpp[1]->text(), " T2 ");

    // A choice combo makes its period current.
    click(sheet->comChoiceHome[1]);
    EXPECT_EQ(sheet->curPeriod, 2);
    click(sheet->cmdNF3[0]);
    EXPECT_EQ(sheet->txtHome[2]->text(), " N3 ");
    EXPECT_TRUE(highlighted(sheet->fraPeriod[2]));

    // The notes leave the current period as it was.
    click(sheet->txtNotes);
    EXPECT_TRUE(highlighted(sheet->fraNotes));
    click(sheet->cmdPenalty[1]);
    EXPECT_EQ(sheet->txtOpp[2]->text(), " P1 ");
    EXPECT_TRUE(normal(sheet->fraNotes));

    // The tiebreakers share one frame; the final overtime has its own.
    click(sheet->comChoiceOpp[3]);
    click(sheet->cmdWarning[1]);
    EXPECT_EQ(sheet->txtOpp[5]->text(), " W ");
    EXPECT_TRUE(highlighted(sheet->fraPeriod[4]));
    click(sheet->txtOpp[5]);
    click(sheet->txtOpp[6]);
    EXPECT_TRUE(normal(sheet->fraPeriod[4]));
    EXPECT_TRUE(highlighted(sheet->fraPeriod[5]));
    click(sheet->cmdHelp);
    EXPECT_TRUE(normal(sheet->fraPeriod[5]));
}

TEST_F(ScoreSheetTest, ChoicePickedWithTheMouseKeepsItsPeriodCurrentUntilLeft) {
    click(sheet->txtHome[0]);
    ASSERT_TRUE(pickWithMouse(sheet->comChoiceOpp[2], QStringLiteral("Bot")));
    EXPECT_EQ(sheet->comChoiceOpp[2]->currentText(), "Bot");
    EXPECT_TRUE(sheet->comChoiceOpp[2]->hasFocus());
    EXPECT_EQ(sheet->curPeriod, 4);
    EXPECT_TRUE(highlighted(sheet->fraPeriod[4])) << "the D/OT frame stays marked after the pick";
    EXPECT_TRUE(normal(sheet->fraPeriod[0]));
    click(sheet->cmdEscape[1]);
    EXPECT_EQ(sheet->txtOpp[4]->text(), " E1 ");

    // Picked by keyboard, the same: the frame is marked until the combo is left.
    click(sheet->comChoiceHome[0]);
    QTest::keyClick(sheet->comChoiceHome[0], Qt::Key_Down);
    EXPECT_EQ(sheet->comChoiceHome[0]->currentText(), "Top");
    EXPECT_TRUE(highlighted(sheet->fraPeriod[1]));
    click(sheet->txtNotes);
    EXPECT_TRUE(normal(sheet->fraPeriod[1]));
}

// The first letter of the combo's text is at the left of its text area, as drawn now.
::testing::AssertionResult shownFromItsStart(QComboBox* combo) {
    QLineEdit* edit = combo->lineEdit();
    combo->grab();  // the box is drawn as it shows now
    const QRect start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (edit->cursorPosition() == 0 && start.left() <= edit->contentsRect().left() + 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << edit->text().toStdString() << "\" has its cursor drawn at x " << start.left()
           << " of a box " << edit->width() << " wide, cursor at " << edit->cursorPosition();
}

// A position typed in full is wider than its box: it shows from the end while typed, from its
// start once the box is left by Tab or by the mouse.
TEST_F(ScoreSheetTest, ChoiceTypedWiderThanItsBoxShowsFromItsStartOnceLeft) {
    for (const bool byTab : {true, false}) {
        SCOPED_TRACE(byTab ? "Tab" : "mouse");
        QComboBox* combo = sheet->comChoiceHome[byTab ? 0 : 2];
        click(combo);
        QTest::keyClicks(combo, "neutral");
        ASSERT_LT(combo->lineEdit()->width(), combo->fontMetrics().horizontalAdvance("neutral"));
        EXPECT_FALSE(shownFromItsStart(combo)) << "the end of the typed text is in view";
        if (byTab) QTest::keyClick(combo, Qt::Key_Tab);
        else click(sheet->txtNotes);
        EXPECT_FALSE(combo->hasFocus());
        EXPECT_EQ(combo->currentText(), "neutral");
        EXPECT_TRUE(shownFromItsStart(combo));
    }
}

// Tab goes through the sheet as the match goes: a period's home and opponent moves, then the
// positions chosen for the next period, then its moves; after the final overtime the first
// point, the totals, the notes and the buttons. The box with the focus is framed in a colour
// that shows on the sheet's background.
TEST_F(ScoreSheetTest, TabFollowsTheSheetPeriodByPeriodAndTheFocusIsFramed) {
    const auto& h = sheet->txtHome;
    const auto& o = sheet->txtOpp;
    const auto& ch = sheet->comChoiceHome;
    const auto& co = sheet->comChoiceOpp;
    // Period by period: its position choices (from period 2 on; none for overtime), then its moves.
    const std::vector<std::vector<QWidget*>> periods = {
        {h[0], o[0]},
        {ch[0], co[0], h[1], o[1]},
        {ch[1], co[1], h[2], o[2]},
        {h[3], o[3]},
        {ch[2], co[2], h[4], o[4]},
        {ch[3], co[3], h[5], o[5]},
        {ch[4], co[4], h[6], o[6]},
        {sheet->chkHome, sheet->chkOpp, sheet->txtHomeScore, sheet->txtOppScore, sheet->txtNotes}};
    std::vector<QWidget*> order;
    for (const auto& period : periods) order.insert(order.end(), period.begin(), period.end());
    for (int s = 0; s < 2; ++s)
        order.insert(order.end(), {sheet->cmdTD[s], sheet->cmdRev[s], sheet->cmdEscape[s],
                                   sheet->cmdNF2[s], sheet->cmdNF3[s], sheet->cmdPenalty[s],
                                   sheet->cmdWarning[s], sheet->cmdCaution[s]});
    order.insert(order.end(), {sheet->cmdRO[0], sheet->cmdRO[1], sheet->cmdHelp, sheet->cmdMatch});
    auto focused = [] {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    };
    ASSERT_TRUE(h[0]->hasFocus());
    for (size_t n = 1; n < order.size(); ++n) {
        pressKey(Qt::Key_Tab);
        EXPECT_EQ(focused(), order[n]->objectName())
            << "Tab from " << order[n - 1]->objectName().toStdString();
    }
    for (size_t n = order.size() - 1; n-- > 0;) {
        pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(focused(), order[n]->objectName())
            << "Shift+Tab from " << order[n + 1]->objectName().toStdString();
    }

    // Period 1 typed, the position of period 2 goes into its choice box, and on into its moves.
    ui::ScriptedMessages msgs;
    for (const char* typed : {"t2", "e1", "Bot", "Top", "e1"}) {
        typeKeys(typed);
        pressKey(Qt::Key_Tab);
    }
    EXPECT_EQ(ch[0]->currentText(), "Bot");
    EXPECT_EQ(co[0]->currentText(), "Top");
    EXPECT_EQ(h[1]->text(), "E1");
    EXPECT_TRUE(o[1]->hasFocus());
    EXPECT_EQ(sheet->txtHomeScore->text(), " 3");
    EXPECT_TRUE(msgs.messages().empty());

    // The frame stands just outside the box that has the focus, on the sheet's background.
    auto edgeLeftOf = [](QWidget* box) {
        const QImage shown = box->parentWidget()->grab().toImage();
        return QColor(shown.pixel(box->geometry().left() - 1, box->geometry().center().y()));
    };
    for (QWidget* box : std::initializer_list<QWidget*>{o[1], ch[1], h[6]}) {
        sheet->txtNotes->setFocus(Qt::TabFocusReason);
        const QColor background = edgeLeftOf(box);
        box->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(box->hasFocus());
        const QColor mark = edgeLeftOf(box);
        EXPECT_GT(std::abs(mark.lightness() - background.lightness()), 60)
            << box->objectName().toStdString() << " framed in " << mark.name().toStdString()
            << " on " << background.name().toStdString();
        sheet->cmdHelp->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(edgeLeftOf(box), background) << "no frame once the box is left";
    }
}

// A period and the next period's positions typed with real keys, Tab between the boxes.
TEST_F(ScoreSheetTest, TabFollowsTheSheetOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    showOnScreen(sheet);
    ASSERT_TRUE(sheet->txtHome[0]->hasFocus());
    ui::ScriptedMessages msgs;
    for (const char* typed : {"t2", "e1", "Bot", "Top", "e1"}) {
        xType(typed);
        xKeys("Tab");
    }
    EXPECT_EQ(sheet->comChoiceHome[0]->currentText(), "Bot");
    EXPECT_EQ(sheet->comChoiceOpp[0]->currentText(), "Top");
    EXPECT_EQ(sheet->txtHome[1]->text(), "E1");
    EXPECT_TRUE(sheet->txtOpp[1]->hasFocus());
    EXPECT_TRUE(msgs.messages().empty());
    const QFocusFrame* mark = sheet->findChild<QFocusFrame*>();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->widget(), sheet->txtOpp[1]);
    EXPECT_TRUE(mark->isVisible());
}

TEST_F(ScoreSheetTest, RideOutCountsAtTheNextComputationAndSurvivesTheCheck) {
    click(sheet->cmdRO[1]);
    EXPECT_EQ(sheet->txtOpp[6]->text(), "RO1 ");
    EXPECT_EQ(sheet->curPeriod, 0);
    EXPECT_EQ(sheet->txtOppScore->text(), " 0") << "not counted before the next computation";

    // The focus was on the button, so no box is left and nothing is checked yet.
    click(sheet->txtHome[1]);
    EXPECT_EQ(sheet->txtOppScore->text(), " 1");
    EXPECT_TRUE(sheet->chkOpp->isChecked());
    EXPECT_EQ(sheet->txtOpp[6]->text(), "RO1 ");

    click(sheet->txtHome[2]);
    EXPECT_EQ(sheet->txtOpp[6]->text(), "RO1");
    EXPECT_EQ(sheet->txtOppScore->text(), " 1");
}

TEST_F(ScoreSheetTest, FirstPointIsDecidedOnce) {
    // Both wrestlers score in the same computation: home gets the first point.
    sheet->txtHome[1]->setText("E1");
    sheet->txtOpp[1]->setText("T2");
    click(sheet->txtHome[3]);
    EXPECT_TRUE(sheet->chkHome->isChecked());
    EXPECT_FALSE(sheet->chkOpp->isChecked());

    // Ticking the other box by hand moves the tick; unticking both leaves both unticked.
    click(sheet->chkOpp);
    EXPECT_TRUE(sheet->chkOpp->isChecked());
    EXPECT_FALSE(sheet->chkHome->isChecked());
    click(sheet->chkOpp);
    EXPECT_FALSE(sheet->chkOpp->isChecked());
    click(sheet->cmdTD[1]);
    click(sheet->cmdTD[0]);
    EXPECT_FALSE(sheet->chkHome->isChecked());
    EXPECT_FALSE(sheet->chkOpp->isChecked());
}

TEST_F(ScoreSheetTest, ActivationMakesPeriodOneCurrentAgainAndNamesTheRowsOnce) {
    EXPECT_EQ(sheet->Label10->text(), "1st\nPoint");
    click(sheet->txtOpp[4]);
    EXPECT_EQ(sheet->curPeriod, 4);

    click(sheet->cmdHelp);
    frmHelp* help = ui::forms().get<frmHelp>();
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(help->txtHelp->toPlainText().startsWith("Entering Match Score\n\nRecording the Score:"));
    EXPECT_TRUE(help->txtHelp->toPlainText().contains(
        "    4. For a 2 point Penalty or 4 point Near Fall, just change the number."));

    // Back from the help window.
    activate(help);
    activate(sheet);
    EXPECT_EQ(sheet->curPeriod, 0);
    EXPECT_TRUE(sheet->txtHome[0]->hasFocus());
    EXPECT_TRUE(highlighted(sheet->fraPeriod[0]));
    EXPECT_EQ(sheet->fraHome->title(), "Home Score  -  ");
    EXPECT_EQ(sheet->fraOpp->title(), "Opponent Score  -   ");
}

TEST_F(ScoreSheetTest, CloseBoxIsRefused) {
    ui::ScriptedMessages msgs;
    msgs.expect("Click 'Return' to close window");
    EXPECT_FALSE(sheet->close());
    EXPECT_EQ(msgs.last().title, "Exit");
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(ui::forms().isLoaded<frmScoreSheet>());
}

// The sheet with the entry form it belongs to, on a real database.
TEST(ScoreSheetWithEntryForm, ShowsTheNamesOnceAndKeepsTheEntriesWhileHidden) {
    TestHome home;
    useDatabase(makeDatabase(home.path()));
    frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
    entry->Timer1->stop();  // its start-up reminders are no concern here
    entry->comHomeName->addItem("Pat Doyle");
    entry->comHomeName->setCurrentIndex(entry->comHomeName->findText("Pat Doyle"));
    entry->txtOppFName->setText("Sam");
    entry->txtOppLName->setText("Reed");
    entry->show();

    entry->cmdScore->click();
    frmScoreSheet* sheet = ui::forms().get<frmScoreSheet>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QTest::mouseClick(sheet->cmdTD[0], Qt::LeftButton);
    sheet->comChoiceOpp[0]->setEditText("neutral");
    QTest::mouseClick(sheet->txtOpp[2], Qt::LeftButton);
    EXPECT_EQ(sheet->txtHome[0]->text(), " T2 ");

    // Leaving the box for Return checks the boxes as usual.
    QTest::mouseClick(sheet->cmdMatch, Qt::LeftButton);
    EXPECT_EQ(sheet->txtHome[0]->text(), "T2");
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(entry->isVisible());
    ASSERT_TRUE(ui::forms().isLoaded<frmScoreSheet>());

    entry->cmdScore->click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    EXPECT_EQ(sheet->fraHome->title(), "Home Score  -  Pat Doyle");
    EXPECT_EQ(sheet->fraOpp->title(), "Opponent Score  -  Sam Reed");
    EXPECT_EQ(sheet->curPeriod, 0);
    EXPECT_EQ(sheet->focusWidget(), sheet->txtHome[0]);
    EXPECT_EQ(sheet->txtHomeScore->text(), " 2");
    EXPECT_EQ(sheet->comChoiceOpp[0]->currentText(), "neutral");
    ui::forms().unloadAll();
}

}  // namespace
