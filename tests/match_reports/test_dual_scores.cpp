// Team scores of a dual meet: loading, the change marks and their question, and saving into
// DualScore.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/connection.h"
#include "match_reports/frmDualRpt.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/season_fixture.h"
#include "support/user_input.h"

namespace {

// One dual meet on 12/4/2010 against Eastbrook and Northfield, another on 12/11/2010; the form
// shows 12/4/2010 alone.
class DualScoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = makeDatabase(home.path());
        useDatabase(path);
        gSchoolName = "Home HS";
        SeasonFixture db(path);
        const int w = db.addWrestler("Adam", "Alder", 2010);
        const int wt = db.addWeight("119");
        northfield = db.addSchool("Northfield");
        eastbrook = db.addSchool("Eastbrook");
        for (const auto& [date, school] :
             {std::pair{QDate(2010, 12, 4), eastbrook}, std::pair{QDate(2010, 12, 4), northfield},
              std::pair{QDate(2010, 12, 11), northfield}}) {
            FixtureMatch m;
            m.wrestler = w;
            m.date = date;
            m.school = school;
            m.weight = wt;
            db.addMatch(m);
        }
        form = ui::forms().get<frmDualRpt>();
        form->comDateStart->setCurrentIndex(0);
        form->comDateEnd->setCurrentIndex(0);
        ASSERT_EQ(form->meetDate(), QDate(2010, 12, 4));
    }
    void TearDown() override { ui::forms().unloadAll(); }

    void chooseSchool(const QString& name) {
        form->comOppSchool->setCurrentIndex(form->comOppSchool->findText(name));
    }
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    QList<QVariantList> scores() {
        return queryRows(path, "SELECT CompDate, seqOppSchool, ScoreH, ScoreO FROM DualScore ORDER BY Seq");
    }

    TestHome home;
    QString path;
    int northfield = 0;
    int eastbrook = 0;
    frmDualRpt* form = nullptr;
};

TEST_F(DualScoreTest, SavingTwiceForOneMeetKeepsOneRow) {
    chooseSchool("Northfield");
    EXPECT_TRUE(form->cmdSaveScore->isEnabled());
    EXPECT_EQ(form->txtHomeScore->text(), "");
    type(form->txtHomeScore, "21");
    type(form->txtOppScore, "22.5");
    EXPECT_TRUE(form->chkHomeChange->isChecked());
    EXPECT_EQ(form->txtPrevSchool->text(), "Northfield");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Score Saved");
        form->cmdSaveScore->click();
        EXPECT_EQ(msgs.last().title, ui::applicationTitle()) << "no title of its own";
    }
    ASSERT_EQ(scores().size(), 1);
    EXPECT_EQ(scores()[0], QVariantList({"2010-12-04", northfield, 21.0, 22.5}));
    EXPECT_FALSE(form->chkHomeChange->isChecked());
    EXPECT_EQ(form->txtPrevSchool->text(), "");

    type(form->txtHomeScore, "45");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Do you want to update the score", ui::Answer::Yes).expect("Score Updated");
        form->cmdSaveScore->click();
        EXPECT_EQ(msgs.messages()[0].title, "Update?");
    }
    ASSERT_EQ(scores().size(), 1);
    EXPECT_EQ(scores()[0], QVariantList({"2010-12-04", northfield, 45.0, 22.5}));

    // No to the question writes nothing and keeps the marks.
    type(form->txtHomeScore, "50");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Do you want to update the score", ui::Answer::No);
        form->cmdSaveScore->click();
    }
    EXPECT_EQ(scores()[0][2], 45.0);
    EXPECT_TRUE(form->chkHomeChange->isChecked());

    // The next build shows the stored score over the school's group.
    form->comDateEnd->setCurrentIndex(0);
    EXPECT_TRUE(form->reportText().contains("\r\n\tHome HS   45      Northfield   22.5\r\n\r\n"))
        << form->reportText().toStdString();
}

// Another copy of the program on the same file, while the question whether to update the
// meet's score stands, stores another meet's score under its Seq. The answer Yes writes over
// nothing the other stored, and the coach is told.
TEST_F(DualScoreTest, AScoreChangedWhileTheQuestionStandsIsNotWrittenOver) {
    execSql(path, QStringLiteral("INSERT INTO DualScore (Seq, CompDate, seqOppSchool, ScoreH, ScoreO) "
                                 "VALUES (1, '2010-12-04', %1, 10, 20)").arg(northfield));
    chooseSchool("Northfield");
    type(form->txtHomeScore, "45");
    ui::ScriptedMessages msgs;
    msgs.expect("Do you want to update the score", ui::Answer::Yes,
                [&] { execSql(path, "UPDATE DualScore SET CompDate = '2010-12-11'"); });
    msgs.expect("Nothing was saved: another program, or another copy of this one, has changed or "
                "deleted this row of DualScore");
    QTest::mouseClick(form->cmdSaveScore, Qt::LeftButton);
    EXPECT_EQ(scores(), (QList<QVariantList>{{"2010-12-11", northfield, 10.0, 20.0}}));

    // No score stored for the meet: one another copy stores while this copy waits for the file
    // is not added to.
    execSql(path, "DELETE FROM DualScore");
    msgs.expect("Discard Changes?", ui::Answer::Yes);
    chooseSchool("Eastbrook");
    type(form->txtHomeScore, "30");
    type(form->txtOppScore, "12");
    msgs.expect("Nothing was saved: another program, or another copy of this one, has saved a score for this meet");
    {
        HeldWrite theirs(path, QStringLiteral("INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) "
                                              "VALUES ('2010-12-04', %1, 1, 2)").arg(eastbrook));
        QTest::mouseClick(form->cmdSaveScore, Qt::LeftButton);
    }
    EXPECT_EQ(scores(), (QList<QVariantList>{{"2010-12-04", eastbrook, 1.0, 2.0}}));
}

TEST_F(DualScoreTest, ChoosingASchoolShowsItsStoredScore) {
    execSql(path, QStringLiteral("INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) "
                                 "VALUES ('2010-12-04', %1, 0.5, 42)")
                      .arg(eastbrook));
    chooseSchool("Eastbrook");
    EXPECT_EQ(form->txtHomeScore->text(), ".5");
    EXPECT_EQ(form->txtOppScore->text(), "42");
    EXPECT_FALSE(form->chkHomeChange->isChecked()) << "loading is no change";
    EXPECT_FALSE(form->chkOppChange->isChecked());
    EXPECT_EQ(form->txtPrevSchool->text(), "");

    // A school with no score empties the boxes; choosing yet another asks nothing.
    chooseSchool("Northfield");
    EXPECT_EQ(form->txtHomeScore->text(), "");
    EXPECT_EQ(form->txtOppScore->text(), "");
    chooseSchool("Eastbrook");
    EXPECT_EQ(form->txtHomeScore->text(), ".5");
}

TEST_F(DualScoreTest, DiscardQuestionNoReturnsToTheEditedSchool) {
    chooseSchool("Northfield");
    type(form->txtHomeScore, "30");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Discard Changes?", ui::Answer::No);
        chooseSchool("Eastbrook");
        EXPECT_EQ(msgs.last().title, "Changes made");
    }
    EXPECT_EQ(form->comOppSchool->currentText(), "Northfield");
    EXPECT_EQ(form->txtHomeScore->text(), "30");
    EXPECT_TRUE(form->chkHomeChange->isChecked());
    EXPECT_EQ(form->txtPrevSchool->text(), "Northfield");
    EXPECT_TRUE(form->txtPrevSchool->isHidden());

    {
        ui::ScriptedMessages msgs;
        msgs.expect("Discard Changes?", ui::Answer::Yes);
        chooseSchool("Eastbrook");
    }
    EXPECT_EQ(form->comOppSchool->currentText(), "Eastbrook");
    EXPECT_EQ(form->txtHomeScore->text(), "");
    EXPECT_FALSE(form->chkHomeChange->isChecked());
    EXPECT_EQ(form->txtPrevSchool->text(), "");
}

// As a coach does it, with the mouse and keys: the school picked again after an edit asks once;
// leaving the box or opening its list asks nothing; Save then only asks to update.
TEST_F(DualScoreTest, PickingTheEditedSchoolAgainAsksOnceAndSaveStoresTheEdit) {
    execSql(path, QStringLiteral("INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) "
                                 "VALUES ('2010-12-04', %1, 36, 18)")
                      .arg(northfield));
    showActive(form);
    ui::ScriptedMessages msgs;
    ASSERT_TRUE(pickWithMouse(form->comOppSchool, "Northfield"));
    EXPECT_EQ(form->txtHomeScore->text(), "36");
    EXPECT_EQ(form->txtOppScore->text(), "18");
    typeInto(form->txtHomeScore, "35");

    msgs.expect("Discard Changes?", ui::Answer::No);
    ASSERT_TRUE(pickWithMouse(form->comOppSchool, "Northfield"));
    EXPECT_EQ(msgs.messages().size(), 1u) << msgs.texts().join(" | ").toStdString();
    EXPECT_EQ(form->txtHomeScore->text(), "35") << "No keeps the edit";
    EXPECT_TRUE(form->chkHomeChange->isChecked());

    // Tab out of the school box, and its list opened and closed again: no question.
    form->comOppSchool->setFocus();
    QTest::keyClick(form->comOppSchool, Qt::Key_Tab);
    ASSERT_TRUE(openWithKeys(form->comOppSchool));
    QTest::keyClick(form->comOppSchool->view(), Qt::Key_Escape);
    EXPECT_EQ(msgs.messages().size(), 1u) << msgs.texts().join(" | ").toStdString();

    msgs.expect("Do you want to update the score", ui::Answer::Yes).expect("Score Updated");
    QTest::mouseClick(form->cmdSaveScore, Qt::LeftButton);
    EXPECT_EQ(msgs.texts(), QStringList({"Discard Changes?", "Do you want to update the score", "Score Updated"}));
    ASSERT_EQ(scores().size(), 1);
    EXPECT_EQ(scores()[0], QVariantList({"2010-12-04", northfield, 35.0, 18.0}));
}

TEST_F(DualScoreTest, OnlyPlainNumbersAreStored) {
    chooseSchool("Eastbrook");
    // Four hundred nines read as infinite: never stored as such.
    const QString nines(400, '9');
    for (const auto& [home, bad] : {std::pair{QString("10"), QString("1,000")}, {QString("10"), QString("$5")},
                                   {QString("10"), QString("")}, {QString("10"), QString("1e3")},
                                   {nines, QString("-0")}, {QString("1"), "-" + nines + ".5"}}) {
        type(form->txtHomeScore, home);
        form->txtOppScore->setText(bad);
        ui::ScriptedMessages msgs;
        msgs.expect("Home Score and Opponent Score must be numeric");
        form->cmdSaveScore->click();
        EXPECT_EQ(msgs.last().title, "ERROR");
        EXPECT_TRUE(form->chkOppChange->isChecked()) << "the marks stay";
    }
    EXPECT_TRUE(scores().isEmpty());

    type(form->txtHomeScore, " 7 ");
    type(form->txtOppScore, "-3");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Score Saved");
        form->cmdSaveScore->click();
    }
    ASSERT_EQ(scores().size(), 1);
    EXPECT_EQ(scores()[0][2], 7.0);
    EXPECT_EQ(scores()[0][3], -3.0);
}

// A score goes under the date and school the boxes show. A date typed with a score waiting is
// taken as a pick when the box is left (here by Alt+S): the report is rebuilt, and Save Score
// waits for a school. No to "Discard Changes?" keeps the score: the box goes back to the school
// of the edit when the report lists it, the score savable for the meet on screen; when it does
// not (also a score typed before any school), back to what the box showed, nothing to save.
TEST_F(DualScoreTest, ScoreGoesUnderTheDateAndSchoolTheBoxesShow) {
    showActive(form);
    chooseSchool("Northfield");
    typeInto(form->txtHomeScore, "40");
    typeInto(form->txtOppScore, "20");
    ui::ScriptedMessages msgs;
    typeIntoCombo(form->comDateStart, "12/11/2010");
    pressKey(Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_TRUE(scores().isEmpty());
    EXPECT_EQ(form->comDateEnd->currentText(), "12/11/2010");
    EXPECT_EQ(form->meetDate(), QDate(2010, 12, 11));
    EXPECT_EQ(form->comOppSchool->currentText(), "Select School");
    EXPECT_FALSE(form->cmdSaveScore->isEnabled());
    EXPECT_EQ(form->txtHomeScore->text(), "40");

    // The edit's school is the 12/11 meet's: No keeps the score, and Save stores it there.
    msgs.expect("Discard Changes?", ui::Answer::No);
    ASSERT_TRUE(pickWithMouse(form->comOppSchool, "Northfield"));
    EXPECT_EQ(form->comOppSchool->currentText(), "Northfield");
    EXPECT_EQ(form->txtHomeScore->text(), "40");
    EXPECT_TRUE(form->cmdSaveScore->isEnabled());
    msgs.expect("Score Saved");
    pressKey(Qt::Key_S, Qt::AltModifier);
    ASSERT_EQ(scores().size(), 1);
    EXPECT_EQ(scores()[0], QVariantList({"2010-12-11", northfield, 40.0, 20.0}));

    // An edit of Eastbrook's 12/4 score, then 12/11 typed: Eastbrook is no school of that report.
    // No keeps the score under "Select School"; Yes lets the school picked load its own score.
    typeIntoCombo(form->comDateStart, "12/4/2010");
    pressKey(Qt::Key_Tab);  // a range: the score boxes are emptied, which is a change
    typeIntoCombo(form->comDateEnd, "12/4/2010");
    pressKey(Qt::Key_Return);
    msgs.expect("Discard Changes?", ui::Answer::Yes);
    ASSERT_TRUE(pickWithMouse(form->comOppSchool, "Eastbrook"));
    typeInto(form->txtHomeScore, "33");
    typeIntoCombo(form->comDateStart, "12/11/2010");
    pressKey(Qt::Key_Tab);
    msgs.expect("Discard Changes?", ui::Answer::No);
    ASSERT_TRUE(pickWithMouse(form->comOppSchool, "Northfield"));
    EXPECT_EQ(form->comOppSchool->currentText(), "Select School");
    EXPECT_EQ(form->txtHomeScore->text(), "33");
    EXPECT_TRUE(form->chkHomeChange->isChecked());
    EXPECT_FALSE(form->cmdSaveScore->isEnabled());
    msgs.expect("Discard Changes?", ui::Answer::Yes);
    ASSERT_TRUE(pickWithMouse(form->comOppSchool, "Northfield"));
    EXPECT_EQ(form->comOppSchool->currentText(), "Northfield");
    EXPECT_EQ(form->txtHomeScore->text(), "40");
    EXPECT_FALSE(form->chkHomeChange->isChecked());
    EXPECT_TRUE(form->cmdSaveScore->isEnabled());
    EXPECT_EQ(msgs.texts(), QStringList({"Discard Changes?", "Score Saved", "Discard Changes?", "Discard Changes?",
                                         "Discard Changes?"}));
    EXPECT_EQ(scores().size(), 1);
}

TEST_F(DualScoreTest, TypedSchoolThatDoesNotExistSavesNothing) {
    chooseSchool("Northfield");
    type(form->txtHomeScore, "40");
    type(form->txtOppScore, "20");
    form->comOppSchool->setEditText("St. Mary's");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Not a Valid School");
        form->cmdSaveScore->click();
        EXPECT_EQ(msgs.last().title, "Error");
    }
    EXPECT_TRUE(scores().isEmpty());
    EXPECT_FALSE(form->chkHomeChange->isChecked());
    EXPECT_EQ(form->txtPrevSchool->text(), "");
}

}  // namespace
