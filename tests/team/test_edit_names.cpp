// The wrestler editor and the shared season name loader.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "support/real_input.h"
#include "team/frmEditNames.h"
#include "team/wrestler_names.h"
#include "team_fixture.h"

namespace {

class EditNamesTest : public TeamFixture {
protected:
    frmEditNames* openEditor() {
        entryForm();
        return frmEditNames::showFrom(QStringLiteral("frmMatchInfo"));
    }

    static void chooseSeason(frmEditNames* ed, const QString& label) {
        const int i = ed->comSeason->findText(label);
        ASSERT_GE(i, 0) << label.toStdString();
        ed->comSeason->setCurrentIndex(i);
    }

    static void chooseName(frmEditNames* ed, const QString& name) {
        const int i = ed->comFullName->findText(name);
        ASSERT_GT(i, 0) << name.toStdString();
        ed->comFullName->setCurrentIndex(i);
    }

    static void addName(frmEditNames* ed, const QString& first, const QString& last,
                        const QString& grade = QString()) {
        ed->comFullName->setCurrentIndex(0);
        ed->txtFirst->setText(first);
        ed->txtLast->setText(last);
        ed->txtGrade->setText(grade);
        ed->cmdSave->click();
    }

    // Opens the drop-down with a click and clicks the entry in its popup.
    static void pickFromList(QComboBox* combo, const QString& text) {
        const int row = combo->findText(text);
        ASSERT_GE(row, 0) << text.toStdString();
        QTest::mouseClick(combo, Qt::LeftButton);
        QAbstractItemView* popup = combo->view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 2000));
        // The popup takes no click until a double-click's time has passed since it opened: a
        // click it ignored leaves it open, and the user clicks again.
        const QRect rect = popup->visualRect(combo->model()->index(row, 0));
        for (int tries = 0; popup->isVisible() && tries < 50; ++tries) {
            QTest::qWait(QApplication::doubleClickInterval() / 4);
            QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, rect.center());
        }
        EXPECT_EQ(combo->currentText(), text);
    }

    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    // Dee Fox of 2010, grade 10, shown in the editor with grade 11 typed and not saved.
    frmEditNames* deeFoxRegraded() {
        sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Grade, Season, FNameSeason) VALUES "
            "('Dee Fox', 'Dee', 'Fox', '10', 2010, 'Dee Fox2010')");
        frmEditNames* ed = openEditor();
        chooseName(ed, "Dee Fox");
        ed->txtGrade->setText("11");
        return ed;
    }

    QStringList comboItems(QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        return items;
    }

    // Names typed into the name drop-down and Tab, and the wrestler each opens: the whole name
    // counts, a first name that two wrestlers share and an apostrophe stored as a backquote too.
    void expectTypedNamesOpened(const std::function<void(const QString&)>& type, const std::function<void()>& tab) {
        const KeysComeQuickly quickly;
        frmEditNames* ed = openEditor();
        for (const char* last : {"Scott", "Wilson"}) addName(ed, "Evan", last);
        for (const char* last : {"O'Neil", "Oakes"}) addName(ed, "Tom", last);
        if (onRealScreen()) showOnScreen(ed);
        else activate(ed);
        const struct {
            const char* typed;
            const char* opened;
            const char* last;
        } names[] = {{"Evan Wilson", "Evan Wilson", "Wilson"}, {"Tom O'Neil", "Tom O`Neil", "O`Neil"},
                     {"evan s", "Evan Scott", "Scott"}, {"Tom Oakes", "Tom Oakes", "Oakes"}};
        for (const auto& name : names) {
            SCOPED_TRACE(name.typed);
            ed->comFullName->setFocus(Qt::TabFocusReason);
            type(name.typed);
            EXPECT_FALSE(ed->comFullName->view()->isVisible());
            tab();
            EXPECT_FALSE(ed->comFullName->hasFocus());
            EXPECT_EQ(ed->comFullName->currentText(), name.opened);
            EXPECT_EQ(ed->txtLast->text(), name.last);
        }
    }
};

TEST_F(EditNamesTest, FirstListingOfASeasonWritesItsVoidRowWhichTheLoaderLeavesOut) {
    frmEditNames* ed = openEditor();
    EXPECT_EQ(ed->windowTitle(), "Edit Names");
    EXPECT_EQ(ed->comSeason->currentText(), "2010-2011") << "the entry form's season is the default";
    EXPECT_EQ(ed->FramePrevPlace->title(), "          2009-2010          ");
    EXPECT_EQ(comboItems(ed->comFullName), QStringList{" -- Add Name -- "});
    EXPECT_EQ(ed->comFullName->currentIndex(), 0);
    EXPECT_EQ(ed->txtSeq->text(), "");
    EXPECT_FALSE(ed->isDirty());

    const auto rows = queryRows(db, "SELECT FullName, Season, FNameSeason, FirstName FROM Wrestler");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0].toString(), "VOID");
    EXPECT_EQ(rows[0][1].toInt(), 2010);
    EXPECT_EQ(rows[0][2].toString(), "VOID2010");
    EXPECT_FALSE(rows[0][3].isValid()) << "every other column Null";

    // Names come back in last-name order, without VOID; active only leaves out "1".
    addName(ed, "Zed", "Adams", "9");
    addName(ed, "Amy", "Young", "10");
    addName(ed, "Bob", "Miller");
    sql("UPDATE Wrestler SET wr_inactive = '1' WHERE LastName = 'Miller';"
        "UPDATE Wrestler SET wr_inactive = NULL WHERE LastName = 'Young'");
    EXPECT_EQ(comboItems(ed->comFullName),
              (QStringList{" -- Add Name -- ", "Amy Young", "Bob Miller", "Zed Adams"}))
        << "the pick list reads by full name";
    EXPECT_EQ(loadWrestlerNames(false, QStringLiteral("2010")),
              (QStringList{"Zed Adams", "Bob Miller", "Amy Young"}));
    EXPECT_EQ(loadWrestlerNames(true, 2010), (QStringList{"Zed Adams", "Amy Young"}));
    EXPECT_TRUE(loadWrestlerNames(false, 2011).isEmpty());
    EXPECT_TRUE(loadWrestlerNames(false, QStringLiteral("20x0")).isEmpty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'VOID'"), 1)
        << "listing the season again writes no second VOID row";
}

TEST_F(EditNamesTest, ApostropheNamesAreStoredWithABackquoteAndWorkEverywhere) {
    frmEditNames* ed = openEditor();
    addName(ed, "  Tom ", "O'Neil", "11");
    const auto row = queryRows(db, "SELECT FirstName, LastName, FullName, FNameSeason, Grade, "
                                   "wr_inactive, Notes FROM Wrestler WHERE FullName <> 'VOID'");
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0][0].toString(), "Tom");
    EXPECT_EQ(row[0][1].toString(), "O`Neil");
    EXPECT_EQ(row[0][2].toString(), "Tom O`Neil");
    EXPECT_EQ(row[0][3].toString(), "Tom O`Neil2010");
    EXPECT_EQ(row[0][4].toString(), "11");
    EXPECT_EQ(row[0][5].toString(), "0");
    EXPECT_FALSE(row[0][6].isValid()) << "an empty box is stored as Null";
    EXPECT_EQ(ed->txtFirst->text(), "") << "after an add the fields are empty";
    EXPECT_EQ(ed->comFullName->currentIndex(), 0);

    // The same name in other letters and with the apostrophe again is a duplicate.
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Duplicate name exists").expect("Save Changes?", ui::Answer::No);
        addName(ed, "tom", "o'neil");
        EXPECT_EQ(msgs.messages().at(0).title, "ERROR");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName <> 'VOID'"), 1);

    // Loading, changing and deleting the row go through as well; changing only the letter case
    // of the row's own name is no duplicate.
    chooseName(ed, "Tom O`Neil");
    EXPECT_EQ(ed->txtLast->text(), "O`Neil");
    ed->txtFirst->setText("TOM");
    ed->cmdSave->click();
    EXPECT_EQ(value("SELECT FullName FROM Wrestler WHERE LastName = 'O`Neil'").toString(), "TOM O`Neil");
    EXPECT_EQ(loadWrestlerNames(true, QStringLiteral("2010")), QStringList{"TOM O`Neil"});
    ed->txtFirst->setText("Tom");
    ed->cmdSave->click();
    ed->txtNote->setPlainText("Left-handed; likes 'cradles'");
    ed->cmdSave->click();
    EXPECT_EQ(value("SELECT Notes FROM Wrestler WHERE LastName = 'O`Neil'").toString(),
              "Left-handed; likes 'cradles'");
    EXPECT_EQ(ed->comFullName->currentText(), "Tom O`Neil") << "after an update the row stays shown";
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Tom O`Neil?", ui::Answer::Yes);
        ed->cmdDelete->click();
        EXPECT_EQ(msgs.last().title, "Kestrivane") << "no title of its own";
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName <> 'VOID'"), 0);
}

TEST_F(EditNamesTest, TypedNameOpensThatWrestler) {
    expectTypedNamesOpened([](const QString& text) { typeKeys(text); }, [] { pressKey(Qt::Key_Tab); });
}

TEST_F(EditNamesTest, TypedNameOpensThatWrestlerOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    expectTypedNamesOpened([](const QString& text) { xType(text); }, [] { xKeys("Tab"); });
}

TEST_F(EditNamesTest, OneWrestlerInTwoSeasonsIsTwoRows) {
    sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Grade, Season, FNameSeason) VALUES "
        "('Ann Lee', 'Ann', 'Lee', '9', 2009, 'Ann Lee2009')");
    frmEditNames* ed = openEditor();
    addName(ed, "Ann", "Lee", "10");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'Ann Lee'"), 2);
    EXPECT_EQ(value("SELECT FNameSeason FROM Wrestler WHERE FullName = 'Ann Lee' AND Season = 2010")
                  .toString(),
              "Ann Lee2010");

    // Choosing the name loads the row of the season shown; another season keeps the name chosen.
    chooseName(ed, "Ann Lee");
    EXPECT_EQ(ed->txtGrade->text(), "10");
    chooseSeason(ed, "2009-2010");
    EXPECT_EQ(ed->comFullName->currentText(), "Ann Lee");
    EXPECT_EQ(ed->txtGrade->text(), "9");
    EXPECT_EQ(ed->FramePrevPlace->title(), "          2008-2009          ");

    // A wrestler with matches in the shown season cannot be deleted.
    const QString seq2009 = ed->txtSeq->text();
    sql(QStringLiteral("INSERT INTO [Match] (SeqWrestler, [Date]) VALUES (%1, '2009-12-01')").arg(seq2009));
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Matches exist for this wrestler.  Delete matches first");
        ed->cmdDelete->click();
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'Ann Lee'"), 2);

    // ...while the row of a season without matches goes, and only that one.
    chooseSeason(ed, "2010-2011");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Ann Lee?", ui::Answer::Yes);
        ed->cmdDelete->click();
    }
    EXPECT_EQ(queryRows(db, "SELECT Season FROM Wrestler WHERE FullName = 'Ann Lee'"),
              (QList<QVariantList>{{2009}}));
    EXPECT_EQ(ed->comFullName->currentIndex(), 0);
}

// A name stored by another tool in bytes that are no UTF-8 text ("Jos\xE9 Rojas" in Latin-1) reads
// back otherwise: he is opened by his key, renamed and deleted like any other.
TEST_F(EditNamesTest, ANameStoredInOtherBytesIsOpenedByItsKey) {
    sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Grade, Season, FNameSeason) VALUES "
        "(CAST(X'4A6F73E920526F6A6173' AS TEXT), CAST(X'4A6F73E9' AS TEXT), 'Rojas', '11', 2010, "
        "CAST(X'4A6F73E920526F6A617332303130' AS TEXT))");
    frmEditNames* ed = showActive(openEditor());
    const QString shown = "Jos" + QString(QChar::ReplacementCharacter) + " Rojas";
    ASSERT_EQ(comboItems(ed->comFullName), (QStringList{" -- Add Name -- ", shown}));
    pickFromList(ed->comFullName, shown);
    EXPECT_EQ(ed->comFullName->currentText(), shown);
    EXPECT_EQ(ed->txtLast->text(), "Rojas");
    EXPECT_EQ(ed->txtGrade->text(), "11");
    EXPECT_FALSE(ed->txtSeq->text().isEmpty());

    // The season box beside the name is read-only: a paste there changes nothing, and the row
    // stays in its own season.
    pasteInto(ed->txtSeason, "1999-2000");
    EXPECT_EQ(ed->txtSeason->text(), "2010-2011");

    typeInto(ed->txtFirst, "Jose");
    click(ed->cmdSave);
    EXPECT_EQ(queryRows(db, "SELECT FullName, FNameSeason, Season FROM Wrestler WHERE LastName = 'Rojas'"),
              (QList<QVariantList>{{"Jose Rojas", "Jose Rojas2010", 2010}}));
    EXPECT_EQ(ed->comFullName->currentText(), "Jose Rojas");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Jose Rojas?", ui::Answer::Yes);
        click(ed->cmdDelete);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE LastName = 'Rojas'"), 0);
}

TEST_F(EditNamesTest, CarryingCopiesTheWrestlerAndSkipsOneAlreadyThere) {
    sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Grade, MinWt, RegPlace, Notes, "
        "wr_inactive, Season, FNameSeason) VALUES "
        "('Al Roe', 'Al', 'Roe', '9', '103', '2', 'strong', '0', 2010, 'Al Roe2010'),"
        "('Bo Sun', 'Bo', 'Sun', '11', '145', '1', 'old note', '0', 2010, 'Bo Sun2010'),"
        "('Bo Sun', 'Bo', 'Sun', '12', '152', '3', 'kept', '0', 2011, 'Bo Sun2011')");
    frmEditNames* ed = openEditor();

    chooseName(ed, "Al Roe");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Clear all fields for new season?", ui::Answer::No);
        ed->cmdInc->click();
        EXPECT_EQ(msgs.last().title, "Clear fields?");
    }
    auto row = queryRows(db, "SELECT Grade, MinWt, RegPlace, Notes, FNameSeason FROM Wrestler "
                             "WHERE FullName = 'Al Roe' AND Season = 2011");
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0], (QVariantList{"10", "103", "2", "strong", "Al Roe2011"}));
    EXPECT_EQ(ed->comSeason->currentText(), "2011-2012");
    EXPECT_EQ(ed->txtGrade->text(), "10") << "the new season's row is shown";
    EXPECT_EQ(value("SELECT Grade FROM Wrestler WHERE FullName = 'Al Roe' AND Season = 2010").toString(), "9");

    // Bo Sun is in 2011 already: nothing is added, and Yes clears that row's carried fields.
    chooseSeason(ed, "2010-2011");
    chooseName(ed, "Bo Sun");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Duplicate name exists").expect("Clear all fields for new season?", ui::Answer::Yes);
        ed->cmdInc->click();
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'Bo Sun'"), 2);
    row = queryRows(db, "SELECT Grade, MinWt, RegPlace, Notes FROM Wrestler "
                        "WHERE FullName = 'Bo Sun' AND Season = 2011");
    EXPECT_EQ(row[0][0].toString(), "12");
    EXPECT_FALSE(row[0][1].isValid());
    EXPECT_FALSE(row[0][2].isValid());
    EXPECT_FALSE(row[0][3].isValid());
}

TEST_F(EditNamesTest, AGradeBeyondAWholeNumberIsNotCarriedAndAStoredAbsurdSeasonIsNotListed) {
    // A season no year can be, from a file edited by another tool, stays out of the season list.
    sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Season, FNameSeason) VALUES "
        "('Old Row', 'Old', 'Row', 99999, 'Old Row99999')");
    frmEditNames* ed = showActive(openEditor());
    EXPECT_EQ(comboItems(ed->comSeason), QStringList{"2010-2011"});

    typeInto(ed->txtFirst, "Ty");
    typeInto(ed->txtLast, "Ure");
    typeInto(ed->txtGrade, "1e300");
    QTest::mouseClick(ed->cmdSave, Qt::LeftButton);
    pickFromList(ed->comFullName, "Ty Ure");
    EXPECT_EQ(ed->txtGrade->text(), "1e300") << "a grade is stored as typed";
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Grade must be a number from -2147483648 to 2147483646 to be raised by one");
        QTest::mouseClick(ed->cmdInc, Qt::LeftButton);
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'Ty Ure'"), 1) << "nothing carried";
    EXPECT_EQ(ed->txtGrade->text(), "1e300");
    EXPECT_EQ(ed->comSeason->currentText(), "2010-2011");

    // The largest grade that can be raised is raised.
    typeInto(ed->txtGrade, "2147483646.5");
    QTest::mouseClick(ed->cmdSave, Qt::LeftButton);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Clear all fields for new season?", ui::Answer::No);
        QTest::mouseClick(ed->cmdInc, Qt::LeftButton);
    }
    EXPECT_EQ(value("SELECT Grade FROM Wrestler WHERE FullName = 'Ty Ure' AND Season = 2011").toString(),
              "2147483647");
}

// A placeholder row damaged by another tool: it holds this season's name but no season a year can
// be. The editor still opens, lists the season and says once which row it could not make.
TEST_F(EditNamesTest, ADamagedVoidRowIsNamedAndTheFormOpensAll) {
    sql("INSERT INTO Wrestler (FullName, Season, FNameSeason) VALUES ('VOID', -2147483648, 'VOID2010');"
        "INSERT INTO Wrestler (FullName, FirstName, LastName, Season, FNameSeason) VALUES "
        "('Rae Sol', 'Rae', 'Sol', 2010, 'Rae Sol2010')");
    frmEditNames* ed = nullptr;
    {
        ui::ScriptedMessages msgs;
        msgs.expect("The row VOID2010 could not be added: Nothing was saved: a rule of the database file "
                    "itself refuses the change (UNIQUE constraint failed: Wrestler.FNameSeason).");
        ed = showActive(openEditor());
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_TRUE(ed->isVisible());
    EXPECT_EQ(comboItems(ed->comSeason), QStringList{"2010-2011"});
    EXPECT_EQ(comboItems(ed->comFullName), (QStringList{" -- Add Name -- ", "Rae Sol"}));

    // The form works on, and does not say it again.
    typeInto(ed->txtFirst, "Sy");
    typeInto(ed->txtLast, "Tam");
    QTest::mouseClick(ed->cmdSave, Qt::LeftButton);
    EXPECT_EQ(comboItems(ed->comFullName), (QStringList{" -- Add Name -- ", "Rae Sol", "Sy Tam"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'VOID'"), 1);
}

TEST_F(EditNamesTest, TooLongValuesAreRefusedNamingTheFieldAndNothingIsCut) {
    frmEditNames* ed = openEditor();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("First Name and Last Name are too long");
        addName(ed, QString(60, 'A'), QString(60, 'B'));
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName <> 'VOID'"), 0);
    EXPECT_EQ(ed->txtFirst->text(), QString(60, 'A')) << "the typed texts stay";
    EXPECT_TRUE(ed->isDirty());
    EXPECT_FALSE(gConn.isOpen());

    // A row the file refuses: the save's error is shown and the connection is closed all the same.
    sql("ALTER TABLE Wrestler ADD COLUMN Refuse INTEGER CONSTRAINT no_kim CHECK (FullName <> 'Zed Kim')");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Nothing was saved: a rule of the database file itself refuses the change "
                    "(CHECK constraint failed: no_kim).");
        addName(ed, "Zed", "Kim");
        EXPECT_EQ(msgs.last().title, "Error");
    }
    EXPECT_FALSE(gConn.isOpen());
    sql("ALTER TABLE Wrestler DROP COLUMN Refuse");

    // Grade and placings keep what was typed, on an add and on an update alike.
    ed->comFullName->setCurrentIndex(0);
    addName(ed, "Cy", "Ward", "101");
    chooseName(ed, "Cy Ward");
    ed->txtMinWt->setText("103.5");
    ed->txtRegPl->setText("12");
    ed->cmdSave->click();
    EXPECT_EQ(queryRows(db, "SELECT Grade, MinWt, RegPlace FROM Wrestler WHERE FullName = 'Cy Ward'"),
              (QList<QVariantList>{{"101", "103.5", "12"}}));
}

TEST_F(EditNamesTest, UnsavedChangesAreAskedAboutAlsoAfterARefusedSave) {
    sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Grade, Season, FNameSeason) VALUES "
        "('Gil Hart', 'Gil', 'Hart', '11', 2010, 'Gil Hart2010')");
    frmEditNames* ed = deeFoxRegraded();
    {
        // Yes saves; the saved row stays shown instead of the name picked.
        ui::ScriptedMessages msgs;
        msgs.expect("Save Changes?", ui::Answer::Yes);
        chooseName(ed, "Gil Hart");
        EXPECT_EQ(msgs.last().title, "Save");
    }
    EXPECT_EQ(value("SELECT Grade FROM Wrestler WHERE FullName = 'Dee Fox'").toString(), "11");
    EXPECT_EQ(ed->comFullName->currentText(), "Dee Fox");

    // A notes change alone counts as a change.
    ed->txtNote2->setPlainText("moved up a class");
    EXPECT_TRUE(ed->isDirty());
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Save Changes?", ui::Answer::No);
        chooseName(ed, "Gil Hart");
    }
    EXPECT_EQ(ed->txtGrade->text(), "11");
    EXPECT_FALSE(value("SELECT wresMemo1 FROM Wrestler WHERE FullName = 'Dee Fox'").isValid());

    // A refused save keeps the changes marked, so leaving asks.
    ed->txtLast->setText("  ");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("First and Last Names must be filled in");
        ed->cmdSave->click();
    }
    EXPECT_TRUE(ed->isDirty());
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Save Changes?", ui::Answer::No);
        ed->cmdReturn->click();
    }
    EXPECT_EQ(value("SELECT LastName FROM Wrestler WHERE FullName = 'Gil Hart'").toString(), "Hart");
}

// Another copy of the program on the same file, while the editor shows a wrestler: deletes him
// and stores another under his Seq, or changes him. Save and Delete write over nothing the other
// stored, the coach is told, and the typed change stays unsaved.
TEST_F(EditNamesTest, AWrestlerChangedByAnotherCopyMeanwhileIsNotWrittenOver) {
    for (const char* meanwhile :
         {"DELETE FROM Wrestler WHERE Seq = %1; INSERT INTO Wrestler (Seq, FullName, Season) VALUES (%1, 'Gil Hart', 2010)",
          "UPDATE Wrestler SET Grade = '12' WHERE Seq = %1", "DELETE FROM Wrestler WHERE Seq = %1"}) {
        SCOPED_TRACE(meanwhile);
        sql("DELETE FROM Wrestler WHERE FullName <> 'VOID'");
        frmEditNames* ed = deeFoxRegraded();
        sql(QString(meanwhile).arg(ed->txtSeq->text()));
        const QVariant theirs = value("SELECT FullName || Grade FROM Wrestler WHERE FullName <> 'VOID'");
        ui::ScriptedMessages msgs;
        msgs.expect("Nothing was saved: another program, or another copy of this one, has changed or "
                    "deleted this row of Wrestler since it was read here.");
        ed->cmdSave->click();
        EXPECT_TRUE(ed->isDirty());
        msgs.expect("Delete Dee Fox?", ui::Answer::Yes).expect("Nothing was saved");
        ed->cmdDelete->click();
        // Another name picked: the save it asks for is refused too, and the drop-downs are back.
        msgs.expect("Save Changes?", ui::Answer::Yes).expect("Nothing was saved");
        pickFromList(ed->comFullName, " -- Add Name -- ");
        EXPECT_TRUE(ed->comFullName->isVisible() && ed->comSeason->isVisible() && !ed->txtSeason->isVisible());
        EXPECT_EQ(value("SELECT FullName || Grade FROM Wrestler WHERE FullName <> 'VOID'"), theirs);
        ui::forms().unloadAll();
    }
}

// Another copy stores a bout or weigh-in of the wrestler while Delete's question is open, or
// adds the same name while this copy's Add waits for the file: each is found in the write's
// transaction, nothing is written, and the coach gets the form's own message.
TEST_F(EditNamesTest, WhatAnotherCopyStoresMeanwhileIsFoundByDeleteAndAdd) {
    const std::pair<const char*, const char*> uses[] = {
        {"INSERT INTO [Match] (SeqWrestler) VALUES (%1)", "Matches exist for this wrestler.  Delete matches first"},
        {"INSERT INTO HomeWI (SeqWrestler, CompDate, Weight) VALUES (%1, '2010-12-01', 120)",
         "Weigh-ins exist for this wrestler."}};
    for (const auto& [meanwhile, told] : uses) {
        SCOPED_TRACE(meanwhile);
        sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Season, FNameSeason) VALUES "
            "('Dee Fox', 'Dee', 'Fox', 2010, 'Dee Fox2010')");
        frmEditNames* ed = showActive(openEditor());
        chooseName(ed, "Dee Fox");
        const QString seq = ed->txtSeq->text();
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Dee Fox?", ui::Answer::Yes, [&] { sql(QString(meanwhile).arg(seq)); }).expect(told);
        click(ed->cmdDelete);
        EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'Dee Fox'"), 1);
        ui::forms().unloadAll();
        sql("DELETE FROM [Match]; DELETE FROM HomeWI; DELETE FROM Wrestler");
    }

    frmEditNames* ed = showActive(openEditor());
    ed->comFullName->setCurrentIndex(0);
    ed->txtFirst->setText("Dee");
    ed->txtLast->setText("Fox");
    ui::ScriptedMessages msgs;
    msgs.expect("Duplicate name exists").expect("Save Changes?", ui::Answer::No);
    {
        HeldWrite theirs(db, "INSERT INTO Wrestler (FullName, FirstName, LastName, Season, FNameSeason) VALUES "
                             "('DEE FOX', 'DEE', 'FOX', 2010, 'DEE FOX2010')");
        click(ed->cmdSave);
    }
    EXPECT_EQ(msgs.messages().at(0).title, "ERROR");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'Dee Fox'"), 1);
}

TEST_F(EditNamesTest, NotesSavedUnchangedStayAsStoredAndEditedNotesEndTheirLinesWithCrLf) {
    QStringList lines;
    for (int i = 1; i <= 149; ++i) lines << QString("Line %1: takedown from the left side, then a cradle").arg(i);
    const QString memo = lines.join("\r\n");  // as the printouts and the clipboard have them
    const QString note = "kept\nwith bare line ends\rand a lone return";
    sql(QString("INSERT INTO Wrestler (FullName, FirstName, LastName, Notes, wresMemo1, Season, FNameSeason) "
                "VALUES ('Ray Sims', 'Ray', 'Sims', '%1', '%2', 2010, 'Ray Sims2010')")
            .arg(note, memo));
    const QString stored = "SELECT Notes, wresMemo1 FROM Wrestler WHERE FullName = 'Ray Sims'";
    frmEditNames* ed = showActive(openEditor());
    chooseName(ed, "Ray Sims");

    // Saved without a change: both notes stay as they were, character for character.
    {
        ui::ScriptedMessages msgs;
        pressKey(Qt::Key_S, Qt::AltModifier);
    }
    EXPECT_EQ(queryRows(db, stored), (QList<QVariantList>{{note, memo}}));

    // A line added to Notes 2: every line of it ends with CR LF; Notes stays untouched.
    QTest::mouseClick(ed->txtNote2->viewport(), Qt::LeftButton);
    pressKey(Qt::Key_End, Qt::ControlModifier);
    pressKey(Qt::Key_Return);
    typeKeys("Pinned twice");
    {
        ui::ScriptedMessages msgs;
        pressKey(Qt::Key_S, Qt::AltModifier);
    }
    EXPECT_EQ(queryRows(db, stored), (QList<QVariantList>{{note, memo + "\r\nPinned twice"}}));
}

TEST_F(EditNamesTest, NewNameGoesIntoTheSeasonShown) {
    sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Season, FNameSeason) VALUES "
        "('Ike Jay', 'Ike', 'Jay', 2010, 'Ike Jay2010'),"
        "('VOID', NULL, NULL, 2011, 'VOID2011')");
    frmEditNames* ed = openEditor();
    chooseName(ed, "Ike Jay");
    chooseSeason(ed, "2011-2012");
    EXPECT_EQ(ed->comFullName->currentIndex(), 0) << "Ike Jay has no row in 2011";
    addName(ed, "Kim", "Lo");
    EXPECT_EQ(value("SELECT Season FROM Wrestler WHERE FullName = 'Kim Lo'").toInt(), 2011);
    EXPECT_EQ(ed->comSeason->currentText(), "2011-2012") << "the box still names the season listed";

    // Typed by keys and the box left: a season is shown by its label and lists its names, and a
    // name added goes into it; a text that is no season is refused, the box back on the season.
    showActive(ed);
    typeIntoCombo(ed->comSeason, "2012");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(ed->comSeason->currentText(), "2012-2013");
    addName(ed, "Ola", "Pe");
    EXPECT_EQ(value("SELECT Season FROM Wrestler WHERE FullName = 'Ola Pe'").toInt(), 2012);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Season must be given as in 2010-2011");
        typeIntoCombo(ed->comSeason, "next year");
        pressKey(Qt::Key_Tab);
    }
    EXPECT_EQ(ed->comSeason->currentText(), "2012-2013");

    // A typed text that is no season is refused, not put into a query.
    ed->comSeason->setEditText("next year");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("The season must begin with its starting year");
        addName(ed, "Max", "Nu");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Wrestler WHERE FullName = 'Max Nu'"), 0);
}

TEST_F(EditNamesTest, LeavingReloadsTheEntryFormsWrestlerList) {
    frmEditNames* ed = openEditor();
    frmMatchInfo* entry = entryForm();
    entry->hide();
    addName(ed, "Ned", "Oak", "9");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Click 'Return' to close window");
        EXPECT_FALSE(ed->close());
        EXPECT_EQ(msgs.last().title, "Exit");
    }
    EXPECT_TRUE(ui::forms().isLoaded<frmEditNames>());
    EXPECT_EQ(entry->comHomeName->findText("Ned Oak"), 0) << "the close box reloads it too";

    sql("INSERT INTO Wrestler (FullName, FirstName, LastName, Season, FNameSeason) VALUES "
        "('Pat Quinn', 'Pat', 'Quinn', 2010, 'Pat Quinn2010')");
    ed->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmEditNames>());
    EXPECT_TRUE(entry->isVisible());
    EXPECT_GE(entry->comHomeName->findText("Pat Quinn"), 0);
    EXPECT_EQ(entry->comHomeName->itemText(entry->comHomeName->count() - 1), "VOID");
}

TEST_F(EditNamesTest, NamesAreComparedInAnyAlphabetsLetterCaseAndWeighInsKeepTheirWrestler) {
    frmEditNames* ed = showActive(openEditor());
    const struct {
        QString first, last, other;
    } names[] = {{"Anna", "Łukasz", "ANNA łUKASZ"},
                 {"Jan", "Straße", "JAN STRASSE"},
                 {"Zoë", "Ödegaard", "zoë ödegaard"}};
    for (const auto& n : names) {
        SCOPED_TRACE(n.other.toStdString());
        typeInto(ed->txtFirst, n.first);
        typeInto(ed->txtLast, n.last);
        QTest::mouseClick(ed->cmdSave, Qt::LeftButton);
        const QStringList other = n.other.split(' ');
        typeInto(ed->txtFirst, other[0]);
        typeInto(ed->txtLast, other[1]);
        ui::ScriptedMessages msgs;
        msgs.expect("Duplicate name exists").expect("Save Changes?", ui::Answer::No);
        QTest::mouseClick(ed->cmdSave, Qt::LeftButton);
    }
    EXPECT_EQ(queryRows(db,
                        "SELECT FullName FROM Wrestler WHERE Season = 2010 AND FullName <> 'VOID' "
                        "ORDER BY Seq"),
              (QList<QVariantList>{{"Anna Łukasz"}, {"Jan Straße"}, {"Zoë Ödegaard"}}));

    // Her own name in other letter case is no duplicate.
    pickFromList(ed->comFullName, "Anna Łukasz");
    typeInto(ed->txtLast, "ŁUKASZ");
    QTest::mouseClick(ed->cmdSave, Qt::LeftButton);
    const int anna = value("SELECT Seq FROM Wrestler WHERE FullName = 'Anna ŁUKASZ'").toInt();
    ASSERT_GT(anna, 0);

    // A wrestler with weigh-ins but no matches stays, and so do his weigh-in rows.
    sql(QStringLiteral(
            "INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES ('2010-12-04', %1, 103)")
            .arg(anna));
    {
        ui::ScriptedMessages msgs;
        msgs.expect(
            "Weigh-ins exist for this wrestler.  Remove the wrestler from those weigh-ins first");
        QTest::mouseClick(ed->cmdDelete, Qt::LeftButton);
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Wrestler WHERE Seq = %1").arg(anna)), 1);
    EXPECT_EQ(
        count("SELECT COUNT(*) FROM HomeWI WHERE SeqWrestler NOT IN (SELECT Seq FROM Wrestler)"),
        0);

    // Once his weigh-ins are gone he can go.
    sql("DELETE FROM HomeWI");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Anna ŁUKASZ?", ui::Answer::Yes);
        QTest::mouseClick(ed->cmdDelete, Qt::LeftButton);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Wrestler WHERE Seq = %1").arg(anna)), 0);
}

}  // namespace
