// The opponents' roster form: the grid and its helpers, saving, loading and re-saving a roster.
#include <QApplication>
#include <QDate>
#include <QFocusFrame>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <functional>

#include "support/real_input.h"
#include "support/season_fixture.h"
#include "team/FrmRoster.h"
#include "team/frmSchools.h"
#include "team_fixture.h"

namespace {

class RosterTest : public TeamFixture {
protected:
    void SetUp() override {
        TeamFixture::SetUp();
        SeasonFixture fx(db);
        for (const char* w : {"103", "112", "119", "125", "130", "135", "140", "145", "152", "160", "171",
                              "189", "215", "285"})
            fx.addWeight(w);
        central = fx.addSchool("Central", 3);
        omalley = fx.addSchool("O'Malley Prep", 2);
    }

    FrmRoster* open() { return ui::forms().get<FrmRoster>(); }

    static void typeLine(FrmRoster* f, int k, const QString& cls, const QString& first, const QString& last,
                         const QString& school) {
        f->txtWt[k]->setText(cls);
        f->txtFName[k]->setText(first);
        f->txtLName[k]->setText(last);
        f->txtSchool[k]->setText(school);
    }

    QList<QVariantList> roster() {
        return queryRows(db, "SELECT RosterDate, Weight.Weight, FName, LName, OppSchool.OppSchool FROM Roster "
                             "JOIN Weight ON Weight.Seq = SeqWeight JOIN OppSchool ON OppSchool.Seq = SeqSchool "
                             "ORDER BY Roster.Seq");
    }

    static QString iso(const QDate& d) { return d.toString(Qt::ISODate); }

    int central = 0, omalley = 0;
};

TEST_F(RosterTest, GridSnapsClassesFillsAheadAndChecksTypedSchools) {
    FrmRoster* f = open();
    EXPECT_EQ(f->windowTitle(), "Opponent Roster");
    EXPECT_EQ(f->txtWt[0]->text(), "103");
    EXPECT_EQ(f->txtRosterDate->text(), QDate::currentDate().toString("MM/dd/yyyy"));
    EXPECT_EQ(f->lstSchools->count(), 2);
    EXPECT_EQ(f->lstSchools->currentRow(), 0);

    const std::vector<std::pair<QString, QString>> snaps = {
        {"141", "145"}, {"14", "140"}, {"99", "99"}, {"", "103"}, {"285", "285"}};
    for (const auto& [typed, shown] : snaps) {
        f->txtWt[3]->setText(typed);
        f->txtWt_LostFocus(3);
        EXPECT_EQ(f->txtWt[3]->text(), shown) << typed.toStdString();
    }

    // Leaving a last name with a school fills the next line, even without a first name.
    showActive(f);
    auto tabOutOfLastName = [f](int k) {
        QTest::mouseClick(f->txtLName[k], Qt::LeftButton);
        pressKey(Qt::Key_Tab);
    };
    typeLine(f, 0, "103", "", " Smith ", "Central");
    tabOutOfLastName(0);
    EXPECT_EQ(f->txtLName[0]->text(), "Smith");
    EXPECT_EQ(f->txtSchool[1]->text(), "Central");
    EXPECT_EQ(f->txtWt[1]->text(), "112");
    EXPECT_TRUE(f->txtFName[1]->hasFocus());
    typeLine(f, 13, "285", "A", "B", "Central");
    tabOutOfLastName(13);
    EXPECT_EQ(f->txtWt[14]->text(), "") << "after the last class comes the empty one";
    typeLine(f, 14, "103", "A", "B", "Central");
    tabOutOfLastName(14);
    EXPECT_TRUE(f->txtSchool[14]->hasFocus()) << "the bottom line: nothing moves";

    // A school typed in other letter case passes; an unknown one is refused and searched for.
    f->txtSchool[2]->setText("o'malley prep");
    f->txtSchool_LostFocus(2);
    EXPECT_EQ(f->txtSchool[2]->text(), "o'malley prep");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("School does exist--Please select from list");
        f->txtSchool[3]->setText("Mall%");
        f->txtSchool_LostFocus(3);
        EXPECT_EQ(msgs.last().title, "Kestrivane");
    }
    EXPECT_EQ(f->txtSchool[3]->text(), "");
    EXPECT_EQ(f->txtFind->text(), "Mall%");
    EXPECT_EQ(f->lstSchools->count(), 1) << "the find box filters the list";
    EXPECT_EQ(f->lstSchools->item(0)->text(), "O'Malley Prep");

    // A double-click puts the school on the first line without one.
    f->lstSchools_DblClick();
    EXPECT_EQ(f->txtSchool[3]->text(), "O'Malley Prep");

    // The schools form opened from here returns here.
    f->cmdSchools->click();
    frmSchools* schools = ui::forms().get<frmSchools>();
    EXPECT_TRUE(schools->cmdReturn->isHidden());
    EXPECT_FALSE(schools->cmdReturn2->isHidden());
    schools->cmdReturn2->click();
    EXPECT_EQ(ui::forms().get<FrmRoster>(), f) << "the same roster form, entries kept";
    EXPECT_EQ(f->txtSchool[3]->text(), "O'Malley Prep");
}

// Only going on from a last name moves on to the next line and fills it ahead: Tab, Enter, a click
// further on. Shift+Tab and a click on a line above go where they point, and so does a click on
// the scroll bar; the line below is then left as it was.
TEST_F(RosterTest, OnlyGoingOnFromALastNameMovesToTheNextLine) {
    using Pick = std::function<QWidget*(FrmRoster*)>;
    struct Way {
        const char* name;
        std::function<void(FrmRoster*)> leave;
        Pick goesTo;  // where the focus is then
    };
    const Pick nextFirstName = [](FrmRoster* f) { return f->txtFName[2]; };
    const auto clickOn = [](Pick target) {
        return [target](FrmRoster* f) { QTest::mouseClick(target(f), Qt::LeftButton); };
    };
    const Pick schoolBelow = [](FrmRoster* f) { return f->txtSchool[6]; };
    const Pick ownSchool = [](FrmRoster* f) { return f->txtSchool[1]; };
    const Pick ownFirstName = [](FrmRoster* f) { return f->txtFName[1]; };
    const Pick lastNameAbove = [](FrmRoster* f) { return f->txtLName[0]; };
    const Pick bar = [](FrmRoster* f) { return f->VScroll1; };
    const Way ways[] = {
        {"Tab", [](FrmRoster*) { pressKey(Qt::Key_Tab); }, nextFirstName},
        {"Enter", [](FrmRoster*) { pressKey(Qt::Key_Return); }, nextFirstName},
        {"click on a line below", clickOn(schoolBelow), nextFirstName},
        {"click on its school", clickOn(ownSchool), nextFirstName},
        {"Shift+Tab", [](FrmRoster*) { pressKey(Qt::Key_Backtab, Qt::ShiftModifier); },
         ownFirstName},
        {"click on the line above", clickOn(lastNameAbove), lastNameAbove},
        {"click on the scroll bar", clickOn(bar), bar},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        FrmRoster* f = showActive(open());
        typeLine(f, 0, "103", "Al", "Ames", "Central");
        typeLine(f, 1, "112", "Bo", "", "Central");
        typeInto(f->txtLName[1], " Bell ");
        way.leave(f);
        const QWidget* expected = way.goesTo(f);
        EXPECT_EQ(QApplication::focusWidget(), expected);
        // The bar's click turns the page; the lines are looked at on the first page.
        EXPECT_EQ(f->VScroll1->value(), expected == f->VScroll1 ? 15 : 1);
        f->VScroll1->setValue(1);
        EXPECT_EQ(f->txtLName[1]->text(), "Bell") << "trimmed whichever way it is left";
        const bool movedOn = expected == f->txtFName[2];
        EXPECT_EQ(f->txtWt[2]->text(), movedOn ? "119" : "");
        EXPECT_EQ(f->txtSchool[2]->text(), movedOn ? "Central" : "");
        ui::forms().unload<FrmRoster>();
    }
}

// A line typed by keys is corrected by going back with Shift+Tab: through its own boxes and up
// into the line above, whose last name is left backwards too.
TEST_F(RosterTest, ShiftTabGoesBackThroughTheRosterToCorrectALine) {
    FrmRoster* f = showActive(open());
    typeInto(f->txtSchool[0], "Central");
    QTest::mouseClick(f->txtFName[0], Qt::LeftButton);
    for (const char* typed : {"Al", "Ames", "VOID", "Mason"}) {
        typeKeys(typed);
        pressKey(Qt::Key_Tab);
    }
    ASSERT_TRUE(f->txtFName[2]->hasFocus());
    // Back over the line just typed, into the line above, and down again.
    const std::pair<QLineEdit*, const char*> back[] = {{f->txtWt[2], "class below"},
                                                       {f->txtSchool[1], "school"},
                                                       {f->txtLName[1], "last name"},
                                                       {f->txtFName[1], "first name"},
                                                       {f->txtWt[1], "class"},
                                                       {f->txtSchool[0], "school above"},
                                                       {f->txtLName[0], "last name above"},
                                                       {f->txtFName[0], "first name above"}};
    for (const auto& [box, name] : back) {
        pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_TRUE(box->hasFocus()) << name;
    }
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_Tab);
    ASSERT_TRUE(f->txtFName[1]->hasFocus()) << "Tab from the last name above goes on to this line";
    typeKeys("Cy");
    pressKey(Qt::Key_Tab);
    typeKeys("Cole");
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(f->txtFName[2]->hasFocus());
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Roster Saved");
        pressKey(Qt::Key_S, Qt::AltModifier);
    }
    const QString today = iso(QDate::currentDate());
    EXPECT_EQ(roster(), (QList<QVariantList>{{today, "103", "Al", "Ames", "Central"},
                                             {today, "112", "Cy", "Cole", "Central"}}));
}

// By real keys and clicks: Shift+Tab and a click on the line above go there; Tab goes on.
TEST_F(RosterTest, ShiftTabAndAClickAboveGoWhereTheyPointOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    FrmRoster* f = open();
    showOnScreen(f);
    xClick(f->txtSchool[0]);
    xType("Central");
    xClick(f->txtFName[0]);
    xType("Al");
    xKeys("Tab");
    xType("Ames");
    xKeys("Tab");
    ASSERT_TRUE(f->txtFName[1]->hasFocus());
    xType("VOID");
    xKeys("Tab");
    xType("Mason");
    xKeys("shift+Tab");
    EXPECT_TRUE(f->txtFName[1]->hasFocus());
    EXPECT_EQ(f->txtSchool[2]->text(), "");
    xType("Bo");
    xKeys("Tab");
    xType("Bell");
    xClick(f->txtLName[0]);
    EXPECT_TRUE(f->txtLName[0]->hasFocus());
    EXPECT_EQ(f->txtSchool[2]->text(), "");
    xKeys("Tab");
    EXPECT_TRUE(f->txtFName[1]->hasFocus()) << "Tab from the last name goes on to the next line";
    // The wheel anywhere over the lines scrolls them as over the bar, the typed lines kept: over a
    // box, a line number, the gap between two boxes and a heading.
    const std::pair<QWidget*, QPoint> overGrid[] = {
        {f->txtLName[5], QPoint(-1, -1)},
        {f->lblSeq[3], QPoint(-1, -1)},
        {f->txtLName[5], QPoint(f->txtLName[5]->width() + 2, f->txtLName[5]->height() / 2)},
        {f->lblFName, QPoint(-1, -1)}};
    for (const auto& [widget, at] : overGrid) {
        SCOPED_TRACE(widget->objectName().toStdString());
        xWheel(widget, 1, at);
        EXPECT_EQ(f->lblSeq[0]->text(),
                  QString::number(1 + f->VScroll1->singleStep() * QApplication::wheelScrollLines()));
        xWheel(widget, -1, at);
        EXPECT_EQ(f->lblSeq[0]->text(), "1");
    }
    EXPECT_EQ(f->txtLName[1]->text(), "Bell");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Roster Saved");
        xKeys("alt+s");
    }
    const QString today = iso(QDate::currentDate());
    EXPECT_EQ(roster(), (QList<QVariantList>{{today, "103", "Al", "Ames", "Central"},
                                             {today, "112", "Bo", "Bell", "Central"}}));
}

TEST_F(RosterTest, SaveWritesCompleteRowsOfEveryPageAndRefusesLosingATypedName) {
    FrmRoster* f = open();
    typeLine(f, 0, "103", "Al", "Ames", "Central");
    typeLine(f, 1, "112", "void", "", "Central");
    typeLine(f, 2, "119", "", "", "Central");  // filled in ahead, nothing typed: dropped
    f->VScroll1->setValue(86);
    EXPECT_EQ(f->lblSeq[0]->text(), "86");
    EXPECT_EQ(f->txtWt[0]->text(), "");
    typeLine(f, 14, "285", "Zed", "Zane", "O'Malley Prep");
    typeLine(f, 13, "", "Lost", "Name", "Central");  // no class
    f->VScroll1->setValue(1);
    EXPECT_EQ(f->txtFName[0]->text(), "Al") << "paging keeps what was typed";

    {
        ui::ScriptedMessages msgs;
        msgs.expect("Row 99 (Lost Name) needs a weight class");
        f->cmdSave->click();
    }
    EXPECT_TRUE(roster().isEmpty()) << "nothing is written while a typed name would be lost";

    f->VScroll1->setValue(86);
    f->txtWt[13]->setText("99");  // no such class
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Row 99 (Lost Name): weight class 99 does not exist");
        f->cmdSave->click();
    }
    f->txtWt[13]->setText("125");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Roster Saved");
        f->cmdSave->click();
        EXPECT_EQ(msgs.last().title, "Saved");
    }
    const QString today = iso(QDate::currentDate());
    EXPECT_EQ(roster(), (QList<QVariantList>{{today, "103", "Al", "Ames", "Central"},
                                             {today, "112", "void", "", "Central"},
                                             {today, "125", "Lost", "Name", "Central"},
                                             {today, "285", "Zed", "Zane", "O'Malley Prep"}}));
    EXPECT_EQ(f->VScroll1->value(), 1);
    EXPECT_EQ(f->txtWt[0]->text(), "");
    for (const FrmRoster::Row& row : f->rows()) EXPECT_EQ(row, FrmRoster::Row{});
}

TEST_F(RosterTest, SaveRightAfterTypingALastNameSaves) {
    // Leaving the last name for Save runs its check first; the Save the coach gave, with the mouse
    // or with its access key, still saves.
    FrmRoster* f = showActive(open());
    for (bool byKey : {false, true}) {
        typeInto(f->txtWt[0], QStringLiteral("103"));
        typeInto(f->txtSchool[0], QStringLiteral("Central"));
        typeInto(f->txtFName[0], QStringLiteral("Al"));
        typeInto(f->txtLName[0], byKey ? QStringLiteral("Baker") : QStringLiteral("Ames"));
        ui::ScriptedMessages msgs;
        msgs.expect("Roster Saved");
        if (byKey)
            QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
        else
            QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        EXPECT_EQ(msgs.messages().size(), 1u) << (byKey ? "access key" : "mouse");
    }
    ASSERT_EQ(roster().size(), 2);
    EXPECT_EQ(roster()[0][3], "Ames");
    EXPECT_EQ(roster()[1][3], "Baker");
}

TEST_F(RosterTest, TheKeyboardAlonePagesTheGridAndTypedRowsSurviveTheSave) {
    FrmRoster* f = showActive(open());
    ASSERT_TRUE(f->txtFName[0]->hasFocus());
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_Tab);
    typeKeys("Central");
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(f->txtFName[0]->hasFocus());
    typeKeys("Al");
    pressKey(Qt::Key_Tab);
    typeKeys("Ames");
    pressKey(Qt::Key_Tab);
    ASSERT_TRUE(f->txtFName[1]->hasFocus()) << "the last name's check moves on to the next line";

    // Down goes down the first names; from the bottom line the page turns and the focus follows
    // its row.
    for (int k = 1; k < FrmRoster::kLines - 1; ++k) pressKey(Qt::Key_Down);
    EXPECT_TRUE(f->txtFName[14]->hasFocus());
    pressKey(Qt::Key_Down);
    EXPECT_EQ(f->VScroll1->value(), 15);
    EXPECT_TRUE(f->txtFName[1]->hasFocus());
    EXPECT_EQ(f->lblSeq[1]->text(), "16");
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    typeKeys("125");
    for (const char* typed : {"Bo", "Bell", "Central"}) {
        pressKey(Qt::Key_Tab);
        typeKeys(typed);
    }

    // PageDown and PageUp in a box turn the page; the focus stays on its line.
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(f->VScroll1->value(), 29);
    EXPECT_TRUE(f->txtSchool[1]->hasFocus());
    EXPECT_EQ(f->txtSchool[1]->text(), "");
    pressKey(Qt::Key_PageUp);
    EXPECT_EQ(f->VScroll1->value(), 15);
    EXPECT_EQ(f->txtSchool[1]->text(), "Central");

    // After the bottom line's school the scroll bar is a Tab stop: the page keys, the arrows,
    // Home and End.
    for (int k = 1; k < FrmRoster::kLines - 1; ++k) pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Tab);
    ASSERT_TRUE(f->VScroll1->hasFocus());
    const auto* frame = f->findChild<QFocusFrame*>();
    ASSERT_NE(frame, nullptr) << "a frame shows that the bar has the focus";
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->widget(), f->VScroll1);
    const std::pair<Qt::Key, int> moves[] = {{Qt::Key_PageDown, 29}, {Qt::Key_Down, 30}, {Qt::Key_Up, 29},
                                             {Qt::Key_PageUp, 15},   {Qt::Key_End, 86},   {Qt::Key_Home, 1}};
    for (const auto& [key, top] : moves) {
        pressKey(key);
        EXPECT_EQ(f->lblSeq[0]->text(), QString::number(top)) << QKeySequence(key).toString().toStdString();
    }
    EXPECT_EQ(f->txtLName[0]->text(), "Ames") << "typed rows survive the paging";

    // A school the check refuses keeps the page where it is.
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(f->txtSchool[14]->hasFocus());
    EXPECT_FALSE(frame->isVisible());
    typeKeys("Nowhere");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("School does exist--Please select from list");
        pressKey(Qt::Key_Down);
    }
    EXPECT_EQ(f->VScroll1->value(), 1);
    EXPECT_TRUE(f->txtFind->hasFocus());
    typeKeys("Cent");
    EXPECT_EQ(f->txtFind->text(), "Cent") << "the search typed replaces the refused name";

    {
        ui::ScriptedMessages msgs;
        msgs.expect("Roster Saved");
        pressKey(Qt::Key_S, Qt::AltModifier);
    }
    const QString today = iso(QDate::currentDate());
    EXPECT_EQ(roster(), (QList<QVariantList>{{today, "103", "Al", "Ames", "Central"},
                                             {today, "125", "Bo", "Bell", "Central"}}));
}

// A roster typed by keys, chosen again with the arrows and Enter, and corrected with the mouse:
// a name corrected on one line leaves the class and school of the wrestler below it alone.
TEST_F(RosterTest, ALoadedRosterIsChosenByKeysAndACorrectedLineLeavesTheNextOneAlone) {
    FrmRoster* f = showActive(open());
    typeInto(f->txtSchool[0], "Central");
    QTest::mouseClick(f->txtFName[0], Qt::LeftButton);
    for (const char* typed : {"John", "Smith", "Al", "Jones", "VOID", "", "", "145", "Bo", "Lee", "Central"}) {
        typeKeys(typed);
        pressKey(Qt::Key_Tab);
    }
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Roster Saved");
        pressKey(Qt::Key_S, Qt::AltModifier);
    }
    const QString today = iso(QDate::currentDate());
    const QList<QVariantList> typed{{today, "103", "John", "Smith", "Central"},
                                    {today, "112", "Al", "Jones", "Central"},
                                    {today, "119", "VOID", "", "Central"},
                                    {today, "145", "Bo", "Lee", "Central"}};
    ASSERT_EQ(roster(), typed);

    // Edit, then the roster chosen with the arrows: Enter loads it.
    pressKey(Qt::Key_E, Qt::AltModifier);
    QTest::mouseClick(f->lstEdit->viewport(), Qt::LeftButton, {}, QPoint(5, f->lstEdit->viewport()->height() - 5));
    ASSERT_TRUE(f->lstEdit->hasFocus());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(f->cmdSave->text(), "&Save") << "nothing chosen yet";
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(f->cmdSave->text(), "Re-&Save");
    EXPECT_EQ(f->txtFName[3]->text(), "Bo");

    // The last name of line 3 typed with the mouse's click, then a click elsewhere.
    QTest::mouseClick(f->txtLName[2], Qt::LeftButton);
    typeKeys("Ray");
    QTest::mouseClick(f->txtLName[0], Qt::LeftButton);
    EXPECT_EQ(f->txtWt[3]->text(), "145");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous roster?", ui::Answer::Yes).expect("Roster Saved");
        pressKey(Qt::Key_S, Qt::AltModifier);
    }
    QList<QVariantList> corrected = typed;
    corrected[2][3] = "Ray";
    EXPECT_EQ(roster(), corrected);

    // A school put on a line by a double-click comes with its text selected: a retype replaces it.
    const QPoint central = f->lstSchools->visualItemRect(f->lstSchools->item(0)).center();
    QTest::mouseClick(f->lstSchools->viewport(), Qt::LeftButton, {}, central);
    QTest::mouseDClick(f->lstSchools->viewport(), Qt::LeftButton, {}, central);
    ASSERT_TRUE(f->txtSchool[0]->hasFocus());
    EXPECT_EQ(f->txtSchool[0]->selectedText(), "Central");
}

TEST_F(RosterTest, LoadedRosterIsOverwrittenCopiedOrLeftAndANewRosterIsDatedToday) {
    sql(QStringLiteral("INSERT INTO Roster (RosterDate, SeqSchool, SeqWeight, FName, LName) VALUES "
                       "('2011-01-08', %1, 3, 'Bo', 'Bell'), ('2011-01-08', %1, 1, 'Cy', 'Cole'), "
                       "('2011-01-08', %2, 1, 'Di', 'Dunn'), ('2010-12-04', %2, 2, 'Ed', 'Eck')")
            .arg(omalley)
            .arg(central));
    FrmRoster* f = open();
    f->cmdEdit->click();
    EXPECT_EQ(f->fraSchool->title(), "Select Roster to Edit");
    EXPECT_FALSE(f->cmdSchools->isEnabled());
    ASSERT_EQ(f->lstEdit->count(), 3);
    const QChar nbsp(0xA0);
    EXPECT_EQ(f->lstEdit->item(0)->text(), QString("12/04/2010") + nbsp + "Central");
    EXPECT_EQ(f->lstEdit->item(2)->text(), QString("01/08/2011") + nbsp + "O'Malley Prep");

    f->lstEdit->setCurrentRow(2);
    f->lstEdit_DblClick();
    EXPECT_EQ(f->cmdSave->text(), "Re-&Save");
    EXPECT_EQ(f->txtRosterDate->text(), "01/08/2011");
    EXPECT_EQ(f->txtFName[0]->text(), "Cy") << "by class, then first name";
    EXPECT_EQ(f->txtWt[1]->text(), "119");
    EXPECT_EQ(f->txtSchool[1]->text(), "O'Malley Prep");

    // A bad class refuses the save before the old entries are touched.
    f->txtWt[0]->setText("1");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("weight class 1 does not exist");
        f->cmdSave->click();
    }
    EXPECT_EQ(roster().size(), 4);

    // No, then No: nothing changes.
    f->txtWt[0]->setText("103");
    f->txtFName[1]->setText("Bob");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous roster?", ui::Answer::No)
            .expect("Save roster with current date?", ui::Answer::No)
            .expect("Save Cancelled");
        f->cmdSave->click();
        EXPECT_EQ(msgs.last().title, "Cancelled");
    }
    EXPECT_EQ(roster().size(), 4);
    EXPECT_EQ(f->cmdSave->text(), "Re-&Save");

    // Yes, while another copy of the program renames a loaded entry, adds one to the roster, or
    // deletes a class the roster uses: nothing is saved. Put back as loaded, the entries are
    // replaced.
    const int w103 = count("SELECT Seq FROM Weight WHERE Weight = '103'");
    const std::pair<QString, QString> meanwhile[] = {
        {"UPDATE Roster SET LName = 'Bellamy' WHERE FName = 'Bo'", "UPDATE Roster SET LName = 'Bell' WHERE FName = 'Bo'"},
        {QString("INSERT INTO Roster (RosterDate, SeqSchool, SeqWeight, FName, LName) VALUES ('2011-01-08', %1, 2, 'Al', 'Avery')")
             .arg(omalley),
         "DELETE FROM Roster WHERE FName = 'Al'"},
        {"DELETE FROM Weight WHERE Weight = '103'", QString("INSERT INTO Weight (Seq, Weight) VALUES (%1, '103')").arg(w103)}};
    for (const auto& [theyDid, undone] : meanwhile) {
        QList<QVariantList> theirs;
        {
            ui::ScriptedMessages msgs;
            msgs.expect("Overwrite previous roster?", ui::Answer::Yes,
                        [&] {
                            sql(theyDid);
                            theirs = roster();
                        })
                .expect("Nothing was saved: another program, or another copy of this one, has changed or deleted "
                        "this row of ");
            QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        }
        EXPECT_EQ(roster(), theirs) << theyDid.toStdString();
        sql(undone);
    }

    // Yes: the loaded entries are replaced under the loaded date; a line emptied goes too.
    f->txtLName[0]->clear();
    f->txtFName[0]->clear();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous roster?", ui::Answer::Yes).expect("Roster Saved");
        f->cmdSave->click();
    }
    EXPECT_EQ(roster(), (QList<QVariantList>{{"2011-01-08", "103", "Di", "Dunn", "Central"},
                                             {"2010-12-04", "112", "Ed", "Eck", "Central"},
                                             {"2011-01-08", "119", "Bob", "Bell", "O'Malley Prep"}}));
    EXPECT_EQ(f->cmdEdit->text(), "&Edit");
    EXPECT_EQ(f->txtRosterDate->text(), QDate::currentDate().toString("MM/dd/yyyy"));

    // Loaded, then Enter New: the lines stay as a starting point for a new roster of today.
    f->cmdEdit->click();
    f->lstEdit->setCurrentRow(0);
    f->lstEdit_DblClick();
    f->cmdEdit->click();
    EXPECT_EQ(f->cmdSave->text(), "&Save");
    EXPECT_EQ(f->txtFName[0]->text(), "Ed");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Roster Saved");
        f->cmdSave->click();
    }
    EXPECT_EQ(roster().size(), 4);
    EXPECT_EQ(roster().last(), (QVariantList{iso(QDate::currentDate()), "112", "Ed", "Eck", "Central"}));

    // No, then Yes: a copy dated today; the loaded roster stays.
    f->cmdEdit->click();
    f->lstEdit->setCurrentRow(0);
    f->lstEdit_DblClick();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Overwrite previous roster?", ui::Answer::No)
            .expect("Save roster with current date?", ui::Answer::Yes)
            .expect("Roster Saved");
        f->cmdSave->click();
    }
    EXPECT_EQ(roster().size(), 5);
    EXPECT_EQ(count("SELECT count(*) FROM Roster WHERE RosterDate = '2010-12-04'"), 1);
}

// A roster longer than the grid: the 99 entries it holds are overwritten, the ones past them stay
// in the table as they are, also when another copy has renamed one of those meanwhile.
TEST_F(RosterTest, ALongRosterIsOverwrittenLeavingTheEntriesPastTheGridAlone) {
    for (const int entries : {100, 105}) {
        sql("DELETE FROM Roster");
        sql(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                    "INSERT INTO Roster (RosterDate, SeqSchool, SeqWeight, FName, LName) "
                    "SELECT '2011-01-08', %1, 1, printf('W%03d', i), 'Last' FROM n")
                .arg(central)
                .arg(entries));
        const auto pastTheGrid = [&] {
            return queryRows(db, "SELECT Seq, FName, LName FROM Roster WHERE FName > 'W099' ORDER BY FName");
        };
        FrmRoster* f = showActive(open());
        pressKey(Qt::Key_E, Qt::AltModifier);
        QTest::mouseClick(f->lstEdit->viewport(), Qt::LeftButton, {},
                          f->lstEdit->visualItemRect(f->lstEdit->item(0)).center());
        pressKey(Qt::Key_Return);
        ASSERT_EQ(f->cmdSave->text(), "Re-&Save");
        sql("UPDATE Roster SET LName = 'Theirs' WHERE FName = 'W100'");
        const QList<QVariantList> past = pastTheGrid();
        ASSERT_EQ(past.size(), entries - 99);
        {
            ui::ScriptedMessages msgs;
            msgs.expect("Overwrite previous roster?", ui::Answer::Yes).expect("Roster Saved");
            QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        }
        EXPECT_EQ(pastTheGrid(), past) << entries;
        EXPECT_EQ(count("SELECT count(*) FROM Roster WHERE RosterDate = '2011-01-08'"), entries) << entries;
        EXPECT_EQ(count("SELECT count(*) FROM Roster WHERE FName = 'W099' AND Seq > " + QString::number(entries)), 1)
            << "the loaded entries are written anew";
        ui::forms().unload<FrmRoster>();
    }
}

}  // namespace
