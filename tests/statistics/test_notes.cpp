// The wrestlers' notes screen over stored seasons, driven through its controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/frmHelp.h"
#include "platform/ui/ui.h"
#include "statistics/frmNotes.h"
#include "statistics/season_db_test.h"
#include "support/qt_printers.h"

namespace {

class NotesTest : public SeasonDbTest {
protected:
    void SetUp() override {
        SeasonDbTest::SetUp();
        execSql(dbPath, QString("UPDATE Wrestler SET Notes = 'Quick ''feet''', wresMemo1 = 'Memo A' "
                                "WHERE Seq = %1").arg(ids.alder2010));
        execSql(dbPath, QString("UPDATE Wrestler SET Notes = 'Last year' WHERE Seq = %1").arg(ids.alder2009));
        execSql(dbPath, QString("UPDATE Wrestler SET Notes = 'Brook note' WHERE Seq = %1").arg(ids.brook2010));
    }
    frmNotes* open() {
        frmNotes* form = ui::forms().get<frmNotes>();
        form->show();
        return form;
    }
    static QStringList listed(frmNotes* form) {
        QStringList names;
        for (int i = 0; i < form->lstNames->count(); ++i) names << form->lstNames->item(i)->text();
        return names;
    }
};

TEST_F(NotesTest, OpensOnTheCurrentSeasonsActiveWrestlersWithTheFirstOnesNotes) {
    // A season no year can be (a file edited by another tool) is left out of the list.
    execSql(dbPath, "INSERT INTO Wrestler (FullName, Season, FNameSeason) VALUES ('VOID', -2147483648, 'VOIDX')");
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    EXPECT_EQ(form->windowTitle(), "Wrestler Notes");
    EXPECT_EQ(form->Frame2->title(), "Wreslter Notes");
    EXPECT_EQ(form->Frame3->title(), "Wreslter Notes 2");
    EXPECT_FALSE(form->chkAll->isChecked());
    EXPECT_TRUE(form->chkActive->isChecked());
    ASSERT_EQ(form->comSeason->count(), 2);
    EXPECT_EQ(form->comSeason->itemText(0), "2009-2010");
    EXPECT_EQ(form->comSeason->currentText(), "2010-2011");
    EXPECT_EQ(listed(form), (QStringList{"Adam Alder", "Ben Brook", "Dan Dorn", "Eli Ezra"}));
    EXPECT_EQ(form->lstNames->currentRow(), 0);
    EXPECT_EQ(form->lblNotes->text(), "Quick 'feet'");
    EXPECT_EQ(form->lblNotes2->text(), "Memo A");

    // A wrestler with Null notes shows two empty panels.
    form->lstNames->setCurrentRow(2);
    EXPECT_EQ(form->lblNotes->text(), "");
    EXPECT_EQ(form->lblNotes2->text(), "");

    // Unticking lists the inactive too; ticking leaves them out again. VOID never shows.
    form->chkActive->setChecked(false);
    EXPECT_EQ(listed(form), (QStringList{"Adam Alder", "Ben Brook", "Carl Cole", "Dan Dorn", "Eli Ezra"}));
    form->chkActive->setChecked(true);
    EXPECT_FALSE(listed(form).contains("Carl Cole"));

    // Another season lists its wrestlers and shows its row's notes.
    form->comSeason->setCurrentIndex(0);
    EXPECT_EQ(listed(form), QStringList{"Adam Alder"});
    EXPECT_EQ(form->lblNotes->text(), "Last year");
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(NotesTest, TypedSeasonsFindNothingWithoutFailing) {
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    // A typed season the name has no row in: blank panels, never another season's notes.
    form->comSeason->setEditText("2009-2010");
    form->lstNames->setCurrentRow(1);  // Ben Brook, only in 2010
    EXPECT_EQ(form->lblNotes->text(), "");
    form->lstNames->setCurrentRow(0);  // Adam Alder's 2009 row
    EXPECT_EQ(form->lblNotes->text(), "Last year");

    // A text that is no year lists nobody; the panels keep what they showed.
    form->comSeason->setEditText("No year");
    form->chkActive->setChecked(false);
    EXPECT_EQ(form->lstNames->count(), 0);
    EXPECT_EQ(form->lblNotes->text(), "Last year");
    EXPECT_TRUE(msgs.messages().empty());

    // Opened when the current season has no wrestlers: the first season of the list.
    ui::forms().unloadAll();
    gSeason = 2012;
    form = open();
    EXPECT_EQ(form->comSeason->currentText(), "2009-2010");
    EXPECT_EQ(listed(form), QStringList{"Adam Alder"});
    EXPECT_EQ(form->lblNotes->text(), "Last year");
}

TEST_F(NotesTest, NoWrestlersAtAll) {
    execSql(dbPath, "DELETE FROM [Match]");
    execSql(dbPath, "DELETE FROM Wrestler");
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    EXPECT_EQ(form->comSeason->currentText(), "No Wrestlers Loaded");
    EXPECT_EQ(form->lstNames->count(), 0);
    EXPECT_EQ(form->lblNotes->text(), "");
    // Nothing to print: the user is told, nothing fails.
    msgs.expect("There is no wrestler to print.");
    form->cmdPrint->click();
    form->chkAll->setChecked(true);
    msgs.expect("There is no wrestler to print.");
    form->cmdPrint2->click();
    EXPECT_EQ(msgs.messages().size(), 2u);
}

// How many lines of the panel, as drawn, carry ink.
int inkedLines(QLabel* panel) {
    const QImage image = panel->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x) ink = image.pixel(x, y) != background;
        if (ink && !inLine) ++lines;
        inLine = ink;
    }
    return lines;
}

TEST_F(NotesTest, WordWiderThanItsPanelWrapsInsideTheWord) {
    const QString word = QStringLiteral("Halfnelsonthencradlethentiltthenpinineveryperiodwithoutfail");
    execSql(dbPath, QString("UPDATE Wrestler SET wresMemo1 = '%1' WHERE Seq = %2").arg(word).arg(ids.brook2010));
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    QApplication::processEvents();
    QTest::mouseClick(form->lstNames->viewport(), Qt::LeftButton, {},
                      form->lstNames->visualItemRect(form->lstNames->item(1)).center());
    ASSERT_EQ(form->lblNotes2->text(), word);

    const int room = form->lblNotes2->contentsRect().width();
    const int needed = (form->lblNotes2->fontMetrics().horizontalAdvance(word) + room - 1) / room;
    ASSERT_GE(needed, 2) << "the word is wider than the panel";
    EXPECT_GE(inkedLines(form->lblNotes2), needed) << "every part of the word is in view";
    EXPECT_EQ(inkedLines(form->lblNotes), 1) << "\"Brook note\" on one line";
}

// A note of 10,000,000 characters (words of two letters) shows at once, as far as its panel
// reaches; the layout of the form is not held up by measuring it.
TEST_F(NotesTest, VeryLongNoteShowsAtOnce) {
    execSql(dbPath, QString("UPDATE Wrestler SET Notes = replace(hex(zeroblob(3333334)), '00', 'ab ') "
                            "WHERE Seq = %1").arg(ids.brook2010));
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(form->lstNames->viewport(), Qt::LeftButton, {},
                      form->lstNames->visualItemRect(form->lstNames->item(1)).center());
    QApplication::processEvents();
    const int lines = inkedLines(form->lblNotes);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(form->lblNotes->text().size(), 10000002);
    EXPECT_GE(lines, form->lblNotes->contentsRect().height() / form->lblNotes->fontMetrics().lineSpacing())
        << "the panel is filled with lines";
}

TEST_F(NotesTest, HelpAndCloseBox) {
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    form->cmdHelp->click();
    EXPECT_EQ(ui::forms().get<frmHelp>()->txtHelp->toPlainText(),
              "Wrestlers' Notes\n\nThis screen displays the notes entered for each of the wrestlers.\n"
              "Edit these notes from the 'Edit Names' function on the Enter Match screen\n");
    EXPECT_TRUE(form->isVisible());

    msgs.expect("Click 'Return' to close window");
    form->close();
    EXPECT_EQ(msgs.last().title, "Exit");
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
