// The weight-class editor.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "team/frmEditWeight.h"
#include "support/real_input.h"
#include "team_fixture.h"

namespace {

class EditWeightTest : public TeamFixture {
protected:
    frmEditWeight* openEditor() {
        sql("INSERT INTO Weight (Weight) VALUES ('98'), ('103'), ('285')");
        return ui::forms().get<frmEditWeight>();
    }

    static QStringList items(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }

    // A mouse click on the class reading `weight`.
    static void clickClass(QListWidget* list, const QString& weight) {
        const QRect rect = list->visualItemRect(list->findItems(weight, Qt::MatchExactly).value(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void select(frmEditWeight* ed, const QString& weight) {
        const auto found = ed->lstWeight->findItems(weight, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        ed->lstWeight->setCurrentItem(found.first());
    }
};

TEST_F(EditWeightTest, ClassesListAsTextAndAddRefusesAnExistingText) {
    frmEditWeight* ed = openEditor();
    EXPECT_EQ(ed->windowTitle(), "Edit Weights");
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"103", "285", "98"}));
    EXPECT_EQ(ed->lstWeight->currentRow(), -1);

    select(ed, "285");
    EXPECT_EQ(ed->txtWeight->text(), "285") << "choosing a class copies it into the box";

    ed->txtWeight->setText(" 103 ");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Weight already exists");
        ed->cmdAddNew->click();
        EXPECT_EQ(msgs.last().title, "Error");
    }
    EXPECT_EQ(ed->txtWeight->text(), "");

    ed->txtWeight->setText("0103");
    ed->cmdAddNew->click();
    ed->txtWeight->setText("   ");
    ed->cmdAddNew->click();  // blanks name no class
    ed->txtWeight->setText("Hwt'");
    ed->cmdAddNew->click();
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"0103", "103", "285", "98", "Hwt'"}));
    EXPECT_EQ(ed->txtWeight->text(), "");
    EXPECT_EQ(ed->lstWeight->currentRow(), -1);

    // A text with an apostrophe is renamed and deleted like any other.
    select(ed, "Hwt'");
    ed->txtWeight->setText("O'Neil");
    ed->cmdRename->click();
    select(ed, "O'Neil");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete weight O'Neil?", ui::Answer::Yes);
        ed->cmdDelete->click();
        EXPECT_EQ(msgs.last().title, "Delete Weight");
    }
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"0103", "103", "285", "98"}));

    // After Add the focus is back in the box: class after class by keys alone, an existing one
    // refused on the way.
    showActive(ed);
    QTest::mouseClick(ed->txtWeight, Qt::LeftButton);
    for (const QString typed : {"106", "113", "103", "120"}) {
        typeKeys(typed);
        ui::ScriptedMessages msgs;
        if (typed == "103") msgs.expect("Weight already exists");
        QTest::keyClick(ed, Qt::Key_A, Qt::AltModifier);
        ASSERT_TRUE(ed->txtWeight->hasFocus());
    }
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"0103", "103", "106", "113", "120", "285", "98"}));
}

TEST_F(EditWeightTest, RenameKeepsTheKeyOfTheSelectedClass) {
    frmEditWeight* ed = openEditor();
    const int key = value("SELECT Seq FROM Weight WHERE Weight = '103'").toInt();
    select(ed, "103");
    ed->txtWeight->setText("104");
    ed->cmdRename->click();
    EXPECT_EQ(value(QStringLiteral("SELECT Weight FROM Weight WHERE Seq = %1").arg(key)).toString(), "104");

    // Nothing selected: nothing renamed.
    ed->txtWeight->setText("106");
    ed->cmdRename->click();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Weight WHERE Weight = '106'"), 0);
}

// A file whose Weight table has a column of its own named oid: a rename and a delete change the
// selected class and no other.
TEST_F(EditWeightTest, AColumnNamedAsTheRowIdLeavesOtherClassesAlone) {
    sql("ALTER TABLE Weight ADD COLUMN oid INTEGER DEFAULT 1");
    frmEditWeight* ed = openEditor();
    select(ed, "103");
    ed->txtWeight->setText("104");
    ed->cmdRename->click();
    select(ed, "98");
    ui::ScriptedMessages msgs;
    msgs.expect("Delete weight 98?", ui::Answer::Yes);
    ed->cmdDelete->click();
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"104", "285"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Weight"), 2);
}

TEST_F(EditWeightTest, DeleteTakesTheSelectedClassAfterAYesAndRefusesAClassInUse) {
    frmEditWeight* ed = openEditor();
    sql("INSERT INTO Weight (Weight) VALUES ('112')");
    ed->loadWeights();

    // The box's text does not choose the class: the selected entry does, and it is named.
    select(ed, "103");
    ed->txtWeight->setText("112");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete weight 103?", ui::Answer::No);
        ed->cmdDelete->click();
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Weight"), 4);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete weight 103?", ui::Answer::Yes);
        ed->cmdDelete->click();
    }
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"112", "285", "98"}));
    EXPECT_EQ(ed->txtWeight->text(), "");

    // Classes that matches or roster entries use stay.
    sql("INSERT INTO [Match] (SeqWeight, [Date]) SELECT Seq, '2010-12-01' FROM Weight WHERE Weight = '285';"
        "INSERT INTO Roster (SeqWeight, FName) SELECT Seq, 'Sam' FROM Weight WHERE Weight = '98'");
    for (const char* used : {"285", "98"}) {
        select(ed, used);
        ui::ScriptedMessages msgs;
        msgs.expect("Unable to Delete");
        ed->cmdDelete->click();
        EXPECT_TRUE(msgs.last().text.contains(used));
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Weight"), 3);
}

// Opened by Edit Weights, the editor takes a class typed at once; Return goes back.
TEST_F(EditWeightTest, OpensWithTheFocusInTheBoxAndReturnShowsTheEntryForm) {
    sql("INSERT INTO Weight (Weight) VALUES ('98'), ('103'), ('285')");
    frmMatchInfo* entry = showActive(entryForm());
    pressKey(Qt::Key_W, Qt::AltModifier);
    EXPECT_FALSE(entry->isVisible());
    ASSERT_TRUE(ui::forms().isLoaded<frmEditWeight>());
    frmEditWeight* ed = ui::forms().get<frmEditWeight>();
    activate(ed);
    EXPECT_EQ(QApplication::focusWidget(), ed->txtWeight);
    typeKeys("106");
    pressKey(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"103", "106", "285", "98"}));
    QTest::mouseClick(ed->cmdReturn, Qt::LeftButton);
    EXPECT_TRUE(entry->isVisible());
    EXPECT_FALSE(ui::forms().isLoaded<frmEditWeight>());
}

TEST_F(EditWeightTest, OpensWithTheFocusInTheBoxOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    sql("INSERT INTO Weight (Weight) VALUES ('98'), ('103'), ('285')");
    frmMatchInfo* entry = entryForm();
    showOnScreen(entry);
    xClick(entry->cmdEditWeight);
    ASSERT_TRUE(ui::forms().isLoaded<frmEditWeight>());
    frmEditWeight* ed = ui::forms().get<frmEditWeight>();
    ASSERT_TRUE(waitFor([&] { return ed->isActiveWindow(); }));
    xType("106");
    xKeys("alt+a");
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"103", "106", "285", "98"}));
    EXPECT_TRUE(ed->txtWeight->hasFocus());

    // 103 clicked, then renamed by another copy of the program before Delete: it stays theirs.
    xClick(ed->lstWeight->viewport(), ed->lstWeight->visualItemRect(ed->lstWeight->item(0)).center());
    ASSERT_TRUE(waitFor([&] { return ed->txtWeight->text() == "103"; }));
    sql("UPDATE Weight SET Weight = '104' WHERE Weight = '103'");
    ui::ScriptedMessages msgs;
    msgs.expect("Delete weight 103?", ui::Answer::Yes).expect("has changed or deleted this row of Weight");
    xKeys("alt+d");
    EXPECT_EQ(items(ed->lstWeight), (QStringList{"104", "106", "285", "98"}));
}

TEST_F(EditWeightTest, ReturnShowsTheEntryFormAndTheCloseBoxIsRefused) {
    frmEditWeight* ed = openEditor();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Click 'Return' to close window");
        EXPECT_FALSE(ed->close());
    }
    frmMatchInfo* entry = entryForm();
    entry->hide();
    ed->cmdReturn->click();
    EXPECT_TRUE(entry->isVisible());
    EXPECT_FALSE(ui::forms().isLoaded<frmEditWeight>());
}

// Another copy of the program on the same file renames or deletes the class the list shows,
// between its showing and the coach's Rename or Delete: nothing is written over or deleted, the
// coach is told, and the list shows the classes as they now are.
TEST_F(EditWeightTest, AClassChangedByAnotherCopySinceShownIsLeftAsTheyLeftIt) {
    const QString renamed = "UPDATE Weight SET Weight = '104' WHERE Weight = '103'";
    const QString deleted = "DELETE FROM Weight WHERE Weight = '103'";
    const QString nothingSaved = "has changed or deleted this row of Weight since it was read here.";
    // What the other copy does, during the delete's question where there is one.
    const std::tuple<QString, QString, QString, QString> cases[] = {
        {"cmdRename", renamed, nothingSaved, "104,285,98"},
        {"cmdRename", deleted, nothingSaved, "285,98"},
        {"cmdDelete", renamed, nothingSaved, "104,285,98"},
        {"cmdDelete", deleted, nothingSaved, "285,98"},
        {"cmdDelete", "INSERT INTO [Match] (SeqWeight) SELECT Seq FROM Weight WHERE Weight = '103'",
         "Matches or Rosters use weight 103.  Unable to Delete", "103,285,98"},
        {"cmdDelete", "INSERT INTO Roster (SeqWeight) SELECT Seq FROM Weight WHERE Weight = '103'",
         "Matches or Rosters use weight 103.  Unable to Delete", "103,285,98"}};
    for (const auto& [button, meanwhile, told, after] : cases) {
        SCOPED_TRACE((button + ": " + meanwhile).toStdString());
        frmEditWeight* ed = showActive(openEditor());
        clickClass(ed->lstWeight, "103");
        ui::ScriptedMessages msgs;
        if (button == "cmdDelete") msgs.expect("Delete weight 103?", ui::Answer::Yes, [&] { sql(meanwhile); });
        else sql(meanwhile);
        msgs.expect(told);
        QTest::mouseClick(ed->findChild<QPushButton*>(button), Qt::LeftButton);
        EXPECT_EQ(items(ed->lstWeight).join(","), after);
        ui::forms().unloadAll();
        sql("DELETE FROM [Match]; DELETE FROM Roster; DELETE FROM Weight");
    }
}

}  // namespace
