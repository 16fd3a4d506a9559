// The home weigh-in form: date and prefill, the weight-loss mark, saving, loading and re-saving.
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "support/real_input.h"
#include "support/season_fixture.h"
#include "team/frmEditNames.h"
#include "team/frmHomeWI.h"
#include "team_fixture.h"

namespace {

class HomeWITest : public TeamFixture {
protected:
    void SetUp() override {
        TeamFixture::SetUp();
        SeasonFixture fx(db);
        const int wt = fx.addWeight("119");
        const int school = fx.addSchool("Central", 3);
        alder = fx.addWrestler("Adam", "Alder", 2010, "12");
        brook = fx.addWrestler("Ben", "Brook", 2010);
        cole = fx.addWrestler("Carl", "Cole", 2010, "10", "1");
        const int none = fx.addWrestler("VOID", "", 2010);
        fx.addWrestler("Adam", "Alder", 2009);
        auto bout = [&](int wrestler, QDate date, const char* weight) {
            FixtureMatch m;
            m.wrestler = wrestler;
            m.date = date;
            m.school = school;
            m.weight = wt;
            m.actWeight = weight;
            fx.addMatch(m);
        };
        // Alder's latest bout (1/2/2011, 150) was entered before an earlier one.
        bout(alder, QDate(2010, 12, 4), "152");
        bout(alder, QDate(2011, 1, 2), "150");
        bout(alder, QDate(2010, 12, 20), "160");
        bout(brook, QDate(2010, 12, 4), "98");
        bout(cole, QDate(2010, 12, 4), "125");
        bout(none, QDate(2010, 12, 4), "000");
    }

    frmHomeWI* openWithDate(const QString& date) {
        frmHomeWI* f = ui::forms().get<frmHomeWI>();
        f->txtDate->setText(date);
        f->txtDate_LostFocus();
        return f;
    }

    static QStringList listItems(QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
        return out;
    }

    static void click(QWidget* widget, QPoint at = QPoint()) { QTest::mouseClick(widget, Qt::LeftButton, {}, at); }
    static void clickItem(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    // Types `text` over what a box held and leaves it with Tab.
    static void retype(QLineEdit* box, const QString& text) {
        typeInto(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    QStringList grid(frmHomeWI* f, int lines) {
        QStringList out;
        for (int k = 0; k < lines; ++k)
            out << f->comName[k]->currentText() + " " + f->txtWt[k]->text();
        return out;
    }

    QList<QVariantList> weighIns() {
        return queryRows(db, "SELECT CompDate, FullName, HomeWI.Weight FROM HomeWI JOIN Wrestler "
                             "ON Wrestler.Seq = SeqWrestler ORDER BY HomeWI.Weight");
    }

    int alder = 0, brook = 0, cole = 0;
};

TEST_F(HomeWITest, DatePrefillsTheSeasonsWrestlersAndTheMarkUsesTheLatestBout) {
    frmHomeWI* f = ui::forms().get<frmHomeWI>();
    EXPECT_EQ(f->windowTitle(), "Home Weigh In");
    EXPECT_EQ(f->txtSeason->text(), "2010-2011");
    EXPECT_FALSE(f->txtWt[0]->isEnabled());
    EXPECT_EQ(listItems(f->comName[19]), (QStringList{"", "Adam Alder", "Ben Brook"}))
        << "today's active wrestlers, without VOID";

    // A weight typed before any date marks nothing and asks nothing.
    f->txtWt[0]->setText("100");
    f->txtWt_LostFocus(0);
    EXPECT_FALSE(f->isMarked(0));
    f->txtWt[0]->clear();

    f->txtDate->setText("1/9/11");
    f->txtDate_LostFocus();
    EXPECT_EQ(f->txtDate->text(), "01/09/2011");
    EXPECT_EQ(f->lblDayofWeek->text(), "Sunday");
    EXPECT_FALSE(f->lblDayofWeek->isHidden());
    EXPECT_TRUE(f->txtWt[0]->isEnabled());
    // Lightest latest bout first; the inactive wrestler with matches is there, VOID is not.
    EXPECT_EQ(f->comName[0]->currentText(), "Ben Brook");
    EXPECT_EQ(f->comName[1]->currentText(), "Carl Cole");
    EXPECT_EQ(f->comName[2]->currentText(), "Adam Alder");
    EXPECT_EQ(f->rows()[3][4], "150");
    EXPECT_EQ(f->rows()[4][2], "");

    // Seven days after a bout at 150 the limit is 147.75.
    f->txtWt[2]->setText("147.75");
    f->txtWt_LostFocus(2);
    EXPECT_FALSE(f->isMarked(2));
    f->txtWt[2]->setText("147.7");
    f->txtWt_LostFocus(2);
    EXPECT_TRUE(f->isMarked(2));
    EXPECT_EQ(f->txtWt[2]->toolTip(), "Check weight loss grid to check weight loss rate");
    f->txtWt[2]->setText("148");
    f->txtWt_LostFocus(2);
    EXPECT_FALSE(f->isMarked(2));
    EXPECT_TRUE(f->txtWt[2]->toolTip().isEmpty());

    // A bad date is reported and hides the weekday and the season.
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Date must be in the MM/DD/YYYY format");
        f->txtDate->setText("13/45/2011");
        f->txtDate_LostFocus();
    }
    EXPECT_TRUE(f->lblDayofWeek->isHidden());
    EXPECT_TRUE(f->txtSeason->isHidden());
}

TEST_F(HomeWITest, TheKeyboardAloneReachesEveryRowPagesTheGridAndSaves) {
    SeasonFixture fx(db);
    fx.beginBatch();
    const int wt = fx.addWeight("130");
    const int school = fx.addSchool("North");
    for (int i = 1; i <= 18; ++i) {  // rows 4 to 21 of the prefill, after the three above
        FixtureMatch m;
        m.wrestler = fx.addWrestler("Pat", QString("P%1").arg(i, 2, 10, QChar('0')), 2010);
        m.date = QDate(2010, 12, 4);
        m.school = school;
        m.weight = wt;
        m.actWeight = QString::number(200 + i);
        fx.addMatch(m);
    }
    fx.endBatch();
    frmHomeWI* f = showActive(ui::forms().get<frmHomeWI>());
    ASSERT_TRUE(f->txtDate->hasFocus());

    // Leaving the date switches the rows on: Tab goes on into the first weight, not to Save.
    typeKeys("1/9/11");
    pressKey(Qt::Key_Tab);
    ASSERT_TRUE(f->txtWt[0]->hasFocus());
    typeKeys("99");
    pressKey(Qt::Key_Tab);
    EXPECT_TRUE(f->comName[0]->hasFocus());
    // Down and Up in a name box go on from the name it shows: the next name takes the line (and
    // leaves his own row), Up brings the first back.
    EXPECT_EQ(grid(f, 5), (QStringList{"Ben Brook 99", "Carl Cole ", "Adam Alder ", "Pat P01 ", "Pat P02 "}));
    pressKey(Qt::Key_Down);
    EXPECT_EQ(grid(f, 5), (QStringList{"Pat P01 99", "Carl Cole ", "Adam Alder ", " ", "Pat P02 "}));
    pressKey(Qt::Key_Up);
    EXPECT_EQ(f->comName[0]->currentText(), "Ben Brook");
    // A typed name the list lacks is no place to step from: Down and Up leave it and every line.
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Zed Quill");
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up}) {
        pressKey(key);
        EXPECT_EQ(grid(f, 4), (QStringList{"Zed Quill 99", "Carl Cole ", "Adam Alder ", " "}));
    }
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Ben Brook");
    pressKey(Qt::Key_Tab);
    EXPECT_TRUE(f->txtWt[1]->hasFocus());

    // Down goes down the weights; from the last line the page turns and the focus follows its row.
    for (int k = 1; k < frmHomeWI::kLines - 1; ++k) pressKey(Qt::Key_Down);
    EXPECT_TRUE(f->txtWt[19]->hasFocus());
    pressKey(Qt::Key_Down);
    EXPECT_EQ(f->HScroll1->value(), 11);
    EXPECT_TRUE(f->txtWt[10]->hasFocus());
    EXPECT_EQ(f->lblSeq[10]->text(), "21");
    typeKeys("222");

    // PageDown and PageUp in a weight box and in a name box turn the page; the focus stays on its
    // line, and a name box chooses no other name.
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(f->HScroll1->value(), 21);
    EXPECT_TRUE(f->txtWt[10]->hasFocus());
    EXPECT_EQ(f->txtWt[10]->text(), "");
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_PageUp);
    EXPECT_EQ(f->HScroll1->value(), 11);
    EXPECT_TRUE(f->comName[10]->hasFocus());
    EXPECT_EQ(f->comName[10]->currentText(), "Pat P18");
    EXPECT_EQ(f->txtWt[10]->text(), "222");

    // After the last name the scroll bar is a Tab stop: the page keys, the arrows, Home and End.
    for (int k = 11; k < frmHomeWI::kLines; ++k) {
        pressKey(Qt::Key_Tab);
        pressKey(Qt::Key_Tab);
    }
    pressKey(Qt::Key_Tab);
    ASSERT_TRUE(f->HScroll1->hasFocus());
    const std::pair<Qt::Key, int> moves[] = {{Qt::Key_PageDown, 21}, {Qt::Key_Right, 22}, {Qt::Key_Left, 21},
                                             {Qt::Key_PageUp, 11},   {Qt::Key_End, 131},  {Qt::Key_Home, 1}};
    for (const auto& [key, top] : moves) {
        pressKey(key);
        EXPECT_EQ(f->lblSeq[0]->text(), QString::number(top)) << QKeySequence(key).toString().toStdString();
    }
    EXPECT_EQ(grid(f, 1), QStringList{"Ben Brook 99"}) << "typed weights survive the paging";

    {
        ui::ScriptedMessages msgs;
        msgs.expect("Home Weigh-in saved");
        pressKey(Qt::Key_S, Qt::AltModifier);
    }
    EXPECT_EQ(weighIns(), (QList<QVariantList>{{"2011-01-09", "Ben Brook", 99.0},
                                               {"2011-01-09", "Pat P18", 222.0}}));
}

// A mouse user's way into the grid is a click on one of its boxes: it leaves the date box first,
// as a click on a button does, and a good date opens the rows with the focus in the box clicked,
// on the page that was shown. The loss mark stays with its row whichever way the page turns.
TEST_F(HomeWITest, TheMouseAloneOpensTheRowsAndTheLossMarkFollowsItsRow) {
    frmHomeWI* f = showActive(ui::forms().get<frmHomeWI>());
    auto clickBar = [f](QStyle::SubControl part) {
        QStyleOptionSlider option;
        option.initFrom(f->HScroll1);
        option.orientation = Qt::Horizontal;
        option.minimum = f->HScroll1->minimum();
        option.maximum = f->HScroll1->maximum();
        option.sliderPosition = option.sliderValue = f->HScroll1->value();
        option.pageStep = f->HScroll1->pageStep();
        option.singleStep = f->HScroll1->singleStep();
        const QRect area =
            f->HScroll1->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, f->HScroll1);
        click(f->HScroll1, area.center());
    };

    // Paged while closed, the boxes still look closed.
    const QImage closed = f->txtWt[3]->grab().toImage();
    clickBar(QStyle::SC_ScrollBarAddPage);
    ASSERT_EQ(f->HScroll1->value(), 11);
    EXPECT_FALSE(f->txtWt[3]->isEnabled());
    EXPECT_EQ(f->txtWt[3]->grab().toImage(), closed) << "a closed box drawn as an open one";
    clickBar(QStyle::SC_ScrollBarSubPage);

    // Without a date the click takes the coach to the date box; a date that is no date has its
    // message and keeps the focus. The rows stay closed.
    click(f->txtWt[3]);
    EXPECT_TRUE(f->txtDate->hasFocus());
    typeInto(f->txtDate, "13/45/11");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Date must be in the MM/DD/YYYY format");
        click(f->comName[1]->lineEdit());
    }
    EXPECT_TRUE(f->txtDate->hasFocus());
    EXPECT_FALSE(f->txtWt[0]->isEnabled());

    // A good date: the click on Alder's weight box opens the rows, the first of them in view, and
    // what is typed goes into his box.
    typeInto(f->txtDate, "1/9/11");
    click(f->txtWt[2]);
    EXPECT_EQ(f->txtDate->text(), "01/09/2011");
    EXPECT_TRUE(f->txtWt[0]->isEnabled()) << "the date's check opened the rows";
    EXPECT_EQ(f->HScroll1->value(), 1);
    EXPECT_EQ(f->lblSeq[0]->text(), "1");
    EXPECT_EQ(f->comName[0]->currentText(), "Ben Brook");
    ASSERT_EQ(f->comName[2]->currentText(), "Adam Alder");
    ASSERT_TRUE(f->txtWt[2]->hasFocus());

    // 50 is far below Alder's 150 a week ago; his line is marked, and the mark goes with him.
    typeKeys("50");
    clickBar(QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(f->lblSeq[2]->text(), "13");
    EXPECT_FALSE(f->isMarked(2)) << "an empty row under the mark";
    EXPECT_TRUE(f->txtWt[2]->toolTip().isEmpty());
    clickBar(QStyle::SC_ScrollBarSubPage);
    EXPECT_TRUE(f->isMarked(2));
    EXPECT_EQ(f->txtWt[2]->text(), "50");
    clickBar(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(f->lblSeq[1]->text(), "3");
    EXPECT_TRUE(f->isMarked(1));
    EXPECT_EQ(f->txtWt[1]->toolTip(), "Check weight loss grid to check weight loss rate");
    EXPECT_FALSE(f->isMarked(2));
    clickBar(QStyle::SC_ScrollBarSubLine);
    EXPECT_TRUE(f->isMarked(2));
    EXPECT_FALSE(f->isMarked(1));

    {
        ui::ScriptedMessages msgs;
        msgs.expect("Home Weigh-in saved");
        click(f->cmdSave);
    }
    EXPECT_EQ(weighIns(), (QList<QVariantList>{{"2011-01-09", "Adam Alder", 50.0}}));
    EXPECT_FALSE(f->isMarked(2));
}

// A grid paged while it was closed opens on the page shown, with the focus in the box clicked.
TEST_F(HomeWITest, AClickOnAPagedClosedGridOpensItOnThatPage) {
    frmHomeWI* f = showActive(ui::forms().get<frmHomeWI>());
    click(f->HScroll1, QPoint(f->HScroll1->width() * 3 / 4, f->HScroll1->height() / 2));
    ASSERT_EQ(f->HScroll1->value(), 11);
    typeInto(f->txtDate, "1/9/11");
    click(f->comName[2]->lineEdit());
    EXPECT_TRUE(f->comName[2]->isEnabled());
    EXPECT_EQ(f->HScroll1->value(), 11);
    EXPECT_EQ(f->lblSeq[2]->text(), "13");
    EXPECT_TRUE(f->comName[2]->hasFocus());
    pressKey(Qt::Key_PageUp);
    EXPECT_EQ(grid(f, 4), (QStringList{"Ben Brook ", "Carl Cole ", "Adam Alder ", " "}));
}

// The same by real clicks on a real display: the scroll bar pages the closed grid without
// drawing its boxes open, and a click on a row after the date opens the rows, the first page
// in view.
TEST_F(HomeWITest, AClickOnARowOpensTheGridOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    SeasonFixture(db).addWrestler("Gabe", "O`Neil", 2010);
    frmHomeWI* f = ui::forms().get<frmHomeWI>();
    showOnScreen(f);
    const QImage closed = f->txtWt[3]->grab().toImage();
    xClick(f->HScroll1, QPoint(f->HScroll1->width() * 3 / 4, f->HScroll1->height() / 2));
    ASSERT_TRUE(waitFor([f] { return f->HScroll1->value() == 11; }));
    EXPECT_EQ(f->txtWt[3]->grab().toImage(), closed) << "a closed box drawn as an open one";
    xKeys("Home");
    ASSERT_EQ(f->HScroll1->value(), 1);

    xClick(f->txtDate);
    xType("1/9/11");
    xClick(f->txtWt[2]);
    EXPECT_TRUE(f->txtWt[2]->isEnabled());
    EXPECT_EQ(f->HScroll1->value(), 1);
    EXPECT_EQ(f->comName[0]->currentText(), "Ben Brook");
    ASSERT_EQ(f->comName[2]->currentText(), "Adam Alder");
    ASSERT_TRUE(f->txtWt[2]->hasFocus());
    xType("149");
    // The wheel turned over the name boxes, the pointer left there, picks no other name: every
    // line is saved under its own wrestler.
    xClick(f->txtWt[0]);
    xType("99");
    xClick(f->txtWt[1]);
    xType("126");
    xWheel(f->comName[0], 3);
    xWheel(f->comName[1], -3);
    xClick(f->comName[0]->lineEdit());
    xWheel(f->comName[0], 1);
    EXPECT_EQ(grid(f, 4), (QStringList{"Ben Brook 99", "Carl Cole 126", "Adam Alder 149", " "}));
    // A weight on a line whose name box is still empty asks about no name; the name typed next,
    // with an apostrophe, is the wrestler stored with a backquote.
    xClick(f->txtWt[3]);
    xType("150");
    xKeys("Tab");
    xClick(f->comName[3]->lineEdit());
    xType("Gabe O'Neil");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Home Weigh-in saved");
        xClick(f->cmdSave);
    }
    EXPECT_EQ(weighIns(), (QList<QVariantList>{{"2011-01-09", "Ben Brook", 99.0},
                                               {"2011-01-09", "Carl Cole", 126.0},
                                               {"2011-01-09", "Adam Alder", 149.0},
                                               {"2011-01-09", "Gabe O`Neil", 150.0}}));
}

TEST_F(HomeWITest, SaveChecksFirstWritesFoundRowsAndKeepsTheRest) {
    frmHomeWI* f = openWithDate("01/09/2011");
    f->txtWt[0]->setText("99");
    f->txtWt[1]->setText("abc");
    f->txtWt[2]->setText("147.7");
    // A name the season does not know, on the second page.
    f->HScroll1->setValue(21);
    EXPECT_EQ(f->lblSeq[0]->text(), "21");
    f->comName[0]->setEditText("O'Neil");
    f->txtWt[0]->setText("100");
    f->HScroll1->setValue(1);
    EXPECT_EQ(f->txtWt[0]->text(), "99") << "paging keeps typed rows";

    // A weight too large for a number is no number either: it would be stored as infinite.
    for (const char* weight : {"abc", "1e999"}) {
        f->txtWt[1]->setText(weight);
        ui::ScriptedMessages msgs;
        msgs.expect("Carl Cole has a non-numeric weight, please fix and reSave");
        f->cmdSave->click();
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_TRUE(weighIns().isEmpty());

    f->txtWt[1]->setText("126");
    f->txtDate->clear();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Please fill in the date");
        f->cmdSave->click();
    }
    f->txtDate->setText("01/09/2011");
    // Another copy deletes a wrestler while the message about the unknown name is open: no
    // weigh-in is stored pointing at nothing.
    const int cole = count("SELECT Seq FROM Wrestler WHERE FullName = 'Carl Cole' AND Season = 2010");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("O'Neil does not exist.", ui::Answer::Ok,
                    [&] { sql(QString("DELETE FROM Wrestler WHERE Seq = %1").arg(cole)); })
            .expect("Nothing was saved: another program, or another copy of this one, has changed or deleted "
                    "this row of Wrestler");
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    }
    EXPECT_TRUE(weighIns().isEmpty());
    sql(QString("INSERT INTO Wrestler (Seq, FullName, FirstName, LastName, Season, FNameSeason) "
                "VALUES (%1, 'Carl Cole', 'Carl', 'Cole', 2010, 'Carl Cole2010')").arg(cole));
    {
        ui::ScriptedMessages msgs;
        msgs.expect("O'Neil does not exist.  Click edit names to add name").expect("Home Weigh-in saved");
        f->cmdSave->click();
        EXPECT_EQ(msgs.last().title, "Saved");
    }
    EXPECT_EQ(weighIns(), (QList<QVariantList>{{"2011-01-09", "Ben Brook", 99.0},
                                               {"2011-01-09", "Carl Cole", 126.0},
                                               {"2011-01-09", "Adam Alder", 147.7}}));
    EXPECT_EQ(f->comName[0]->currentText(), "O'Neil") << "the row not written is packed to the top";
    EXPECT_EQ(f->txtWt[0]->text(), "100");
    EXPECT_EQ(f->comName[1]->currentText(), "");
    EXPECT_FALSE(f->isMarked(2));
    EXPECT_EQ(f->HScroll1->value(), 1);
    EXPECT_EQ(f->cmdSave->text(), "&Save");
}

TEST_F(HomeWITest, StoredWeighInIsLoadedAndOverwrittenOnlyAfterTheChecks) {
    sql(QStringLiteral("INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES "
                       "('2011-01-09', %1, 150), ('2011-01-09', %2, 98.5), ('2011-01-09', %3, 125), "
                       "('2010-12-04', %1, 152)")
            .arg(alder)
            .arg(brook)
            .arg(cole));
    frmHomeWI* f = ui::forms().get<frmHomeWI>();
    f->cmdEdit->click();
    EXPECT_EQ(f->cmdEdit->text(), "&Enter New");
    EXPECT_EQ(f->cmdSave->text(), "Re-&Save");
    EXPECT_TRUE(f->comName[8]->isHidden());
    ASSERT_EQ(f->lstWI->count(), 2);
    EXPECT_EQ(f->lstWI->item(0)->text(), "12/04/2010");

    f->lstWI->setCurrentRow(1);
    EXPECT_EQ(f->txtDate->text(), "01/09/2011");
    EXPECT_EQ(f->comName[0]->currentText(), "Ben Brook");
    EXPECT_EQ(f->txtWt[0]->text(), "98.5");
    EXPECT_EQ(f->comName[2]->currentText(), "Adam Alder");
    EXPECT_FALSE(f->comName[8]->isHidden());
    EXPECT_TRUE(f->lstWI->isHidden());

    // Choosing a name that another row holds empties that row.
    f->comName[1]->setCurrentIndex(f->comName[1]->findText("Adam Alder"));
    EXPECT_EQ(f->comName[2]->currentText(), "");
    EXPECT_EQ(f->txtWt[2]->text(), "");
    f->txtWt[1]->setText("149");

    // A bad date stops the re-save before anything is deleted.
    f->txtDate->setText("01/32/2011");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Date must be in the MM/DD/YYYY format").expect("Error with Date");
        f->cmdSave->click();
    }
    EXPECT_EQ(count("SELECT count(*) FROM HomeWI"), 4);

    f->txtDate->setText("01/09/2011");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous Weigh-in?", ui::Answer::No).expect("Save Cancelled");
        f->cmdSave->click();
    }
    EXPECT_EQ(count("SELECT count(*) FROM HomeWI"), 4);

    // Another copy of the program changes, deletes or adds a row of this weigh-in meanwhile:
    // nothing is saved, and the coach is told. Put back, the overwrite goes on.
    const std::pair<QString, QString> meanwhile[] = {
        {"UPDATE HomeWI SET Weight = 160 WHERE Weight = 98.5", "UPDATE HomeWI SET Weight = 98.5 WHERE Weight = 160"},
        {"INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) SELECT '2011-01-09', Seq, 160 FROM Wrestler LIMIT 1",
         "DELETE FROM HomeWI WHERE Weight = 160"}};
    for (const auto& [change, undo] : meanwhile) {
        SCOPED_TRACE(change.toStdString());
        sql(change);
        const QList<QVariantList> theirs = weighIns();
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous Weigh-in?", ui::Answer::Yes)
            .expect("Nothing was saved: another program, or another copy of this one, has changed or deleted "
                    "this row of HomeWI");
        f->cmdSave->click();
        EXPECT_EQ(weighIns(), theirs);
        sql(undo);
    }
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous Weigh-in?", ui::Answer::Yes).expect("Home Weigh-in saved");
        f->cmdSave->click();
    }
    EXPECT_EQ(weighIns(), (QList<QVariantList>{{"2011-01-09", "Ben Brook", 98.5},
                                               {"2011-01-09", "Adam Alder", 149.0},
                                               {"2010-12-04", "Adam Alder", 152.0}}))
        << "every row of the date is replaced, the other date stays";
}

TEST_F(HomeWITest, EditNamesHidesTheFormAndItsReturnBringsItBackAsItWas) {
    entryForm();
    frmHomeWI* f = openWithDate("01/09/2011");
    f->show();
    f->txtWt[0]->setText("99");
    f->cmdEditNames->click();
    ASSERT_TRUE(ui::forms().isLoaded<frmEditNames>());
    frmEditNames* editor = ui::forms().get<frmEditNames>();
    EXPECT_EQ(editor->txtFromFrm->text(), "frmHomeWI");
    EXPECT_TRUE(f->isHidden());
    editor->cmdReturn->click();
    EXPECT_FALSE(f->isHidden());
    EXPECT_EQ(f->txtWt[0]->text(), "99");
    EXPECT_EQ(f->comName[0]->currentText(), "Ben Brook");
}

TEST_F(HomeWITest, PassingThroughTheDateBoxKeepsEachLoadedWeightWithItsWrestler) {
    // Stored lightest first, an order the season's prefill (by latest bout) does not have.
    sql(QStringLiteral("INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES "
                       "('2011-01-09', %1, 97), ('2011-01-09', %2, 98.5), ('2011-01-09', %3, 125)")
            .arg(alder)
            .arg(brook)
            .arg(cole));
    frmHomeWI* f = showActive(ui::forms().get<frmHomeWI>());
    click(f->cmdEdit);
    clickItem(f->lstWI, 0);
    const QStringList loaded{"Adam Alder 97", "Ben Brook 98.5", "Carl Cole 125", " "};
    EXPECT_EQ(grid(f, 4), loaded);
    EXPECT_FALSE(f->txtWt[1]->isEnabled());

    // A click on a row checks the loaded date and opens the rows as they were loaded.
    click(f->txtWt[1]);
    EXPECT_TRUE(f->txtWt[1]->hasFocus());
    EXPECT_EQ(grid(f, 4), loaded);

    // Into the date box and out again with Tab: nothing moves.
    click(f->txtDate);
    QTest::keyClick(f->txtDate, Qt::Key_Tab);
    EXPECT_TRUE(f->txtWt[0]->isEnabled());
    EXPECT_EQ(grid(f, 4), loaded);
    retype(f->txtDate, "1/9/11");
    EXPECT_EQ(f->txtDate->text(), "01/09/2011");
    EXPECT_EQ(grid(f, 4), loaded);

    retype(f->txtWt[1], "99");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous Weigh-in?", ui::Answer::Yes).expect("Home Weigh-in saved");
        click(f->cmdSave);
    }
    EXPECT_EQ(weighIns(), (QList<QVariantList>{{"2011-01-09", "Adam Alder", 97.0},
                                               {"2011-01-09", "Ben Brook", 99.0},
                                               {"2011-01-09", "Carl Cole", 125.0}}))
        << "one row per wrestler, each with his own weight";
}

TEST_F(HomeWITest, AnOlderWeighInIsReSavedInTheSeasonOfItsDateOrNotAtAll) {
    SeasonFixture fx(db);
    const int dunn = fx.addWrestler("Dave", "Dunn", 2009);
    const int alder2009 =
        count("SELECT Seq FROM Wrestler WHERE FullName = 'Adam Alder' AND Season = 2009");
    sql(QStringLiteral("INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES "
                       "('2009-11-20', %1, 120), ('2009-11-20', %2, 140), ('2011-01-09', %3, 150)")
            .arg(alder2009)
            .arg(dunn)
            .arg(alder));
    const QString stored = "SELECT CompDate, SeqWrestler, Weight FROM HomeWI ORDER BY Seq";
    const QList<QVariantList> before = queryRows(db, stored);

    frmHomeWI* f = showActive(ui::forms().get<frmHomeWI>());
    click(f->cmdEdit);
    clickItem(f->lstWI, 0);
    EXPECT_EQ(f->txtDate->text(), "11/20/2009");
    EXPECT_EQ(f->txtSeason->text(), "2009-2010") << "the season box names the season of the date";
    click(f->txtDate);
    QTest::keyClick(f->txtDate, Qt::Key_Tab);

    // A name the 2009 season does not have: the whole re-save is refused before any delete.
    retype(f->comName[2]->lineEdit(), "Ben Brook");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Ben Brook does not exist.  Click edit names to add name");
        retype(f->txtWt[2], "99");
    }
    retype(f->txtWt[0], "121");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous Weigh-in?", ui::Answer::Yes)
            .expect(
                "These names do not exist in the 2009-2010 season:\r\nBen Brook\r\n\r\nNothing was "
                "saved");
        click(f->cmdSave);
        EXPECT_EQ(msgs.last().title, "Error");
    }
    EXPECT_EQ(queryRows(db, stored), before);
    EXPECT_EQ(grid(f, 3), (QStringList{"Adam Alder 121", "Dave Dunn 140", "Ben Brook 99"}));
    EXPECT_EQ(f->cmdSave->text(), "Re-&Save");
    EXPECT_EQ(f->cmdEdit->text(), "&Enter New");

    // Without the stray row it goes through, under the keys of the 2009 season.
    retype(f->txtWt[2], "");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous Weigh-in?", ui::Answer::Yes).expect("Home Weigh-in saved");
        click(f->cmdSave);
    }
    EXPECT_EQ(
        queryRows(
            db,
            "SELECT SeqWrestler, Weight FROM HomeWI WHERE CompDate = '2009-11-20' ORDER BY Weight"),
        (QList<QVariantList>{{alder2009, 121.0}, {dunn, 140.0}}));
    EXPECT_EQ(count("SELECT count(*) FROM HomeWI WHERE CompDate = '2011-01-09'"), 1);
}

}  // namespace
