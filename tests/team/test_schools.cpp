// The school list: filters, picking, add, edit, delete, league flag.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "core/frmFileLoc.h"

#include "team/frmSchools.h"
#include "team_fixture.h"

namespace {

class SchoolsTest : public TeamFixture {
protected:
    frmSchools* openList() {
        sql("INSERT INTO OppSchool (OppSchool, OppDiv, LeagueSchool) VALUES "
            "('Central', 3, 'Y'), ('Vincent', 10, NULL), ('St. Mary''s', 1, NULL),"
            "('North', 21, '0'), ('East', 11, NULL), ('Nodiv', NULL, NULL), ('100% Prep', 2, NULL)");
        return ui::forms().get<frmSchools>();
    }

    static QStringList items(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }

    QList<QVariantList> stored() {
        return queryRows(db,
                         "SELECT Seq, OppSchool, OppDiv, LeagueSchool FROM OppSchool ORDER BY Seq");
    }

    // A mouse click on an item, as the user chooses it.
    static void clickItem(QListWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(SchoolsTest, FiltersMatchAnywhereAndNamesWithQuotesAndPercentSignsAreSafe) {
    frmSchools* f = openList();
    EXPECT_EQ(items(f->lstSchools),
              (QStringList{"100% Prep", "Central (league)", "East", "North", "St. Mary's", "Vincent"}))
        << "a school without a division is not listed";
    EXPECT_EQ(f->lstSchools->currentRow(), 0);
    EXPECT_EQ(f->cmdLeague->text(), "&Make League School");

    f->txtBegin->setText("cen");
    EXPECT_EQ(items(f->lstSchools), (QStringList{"Central (league)", "Vincent"}));
    EXPECT_EQ(f->cmdLeague->text(), "&Remove League School") << "the button follows the first item";
    f->txtBegin->setText("'");
    EXPECT_EQ(items(f->lstSchools), QStringList{"St. Mary's"});
    f->txtBegin->setText("0%p");
    EXPECT_EQ(items(f->lstSchools), QStringList{"100% Prep"}) << "a typed % is a wildcard";
    f->txtBegin->setText("E_s");
    EXPECT_EQ(items(f->lstSchools), QStringList{"East"}) << "and so is a typed _";
    f->txtBegin->setText("");

    f->txtDiv->setText("1");
    EXPECT_EQ(items(f->lstSchools), (QStringList{"East", "North", "St. Mary's", "Vincent"}));
    f->txtDiv->setText("1'");
    EXPECT_TRUE(items(f->lstSchools).isEmpty());
    f->txtDiv->setText("");

    f->chkLeague->setChecked(true);
    EXPECT_EQ(items(f->lstSchools), QStringList{"Central (league)"}) << "'0' is no league flag";
    f->chkDivision->setChecked(true);
    EXPECT_EQ(items(f->lstSchools), QStringList{" 3  Central (league)"});
    EXPECT_EQ(f->schoolFromItem(" 3  Central (league)"), "Central");
    f->chkLeague->setChecked(false);
    EXPECT_EQ(f->lstSchools->item(5)->text(), " 10  Vincent");
    EXPECT_EQ(f->schoolFromItem(" 10  Vincent"), "Vincent");
}

TEST_F(SchoolsTest, ReturnWritesTheChosenSchoolAlsoTheFirstOne) {
    frmMatchInfo* entry = entryForm();
    entry->txtOppSchool->setText("Before");

    // Return at once: the item the list selected by itself is no choice.
    frmSchools* f = openList();
    f->show();
    f->cmdReturn->click();
    EXPECT_EQ(entry->txtOppSchool->text(), "Before");

    // The first school, chosen by a click, is returned.
    f = ui::forms().get<frmSchools>();
    f->show();
    f->chkDivision->setChecked(true);
    clickItem(f->lstSchools, 0);
    EXPECT_TRUE(f->schoolChosen());
    f->cmdReturn->click();
    EXPECT_EQ(entry->txtOppSchool->text(), "100% Prep");
    EXPECT_FALSE(ui::forms().isLoaded<frmSchools>());

    // A league school of a two-digit division comes back with its bare name.
    sql("UPDATE OppSchool SET OppDiv = 12 WHERE OppSchool = 'Central'");
    f = ui::forms().get<frmSchools>();
    f->chkDivision->setChecked(true);
    f->lstSchools->setCurrentRow(1);
    f->cmdReturn->click();
    EXPECT_EQ(entry->txtOppSchool->text(), "Central");

    // A double-click returns from the entry form, and does nothing for the roster form.
    f = ui::forms().get<frmSchools>();
    f->show();
    f->lstSchools->setCurrentRow(4);
    emit f->lstSchools->itemDoubleClicked(f->lstSchools->item(4));
    EXPECT_EQ(entry->txtOppSchool->text(), "St. Mary's");
    f = ui::forms().get<frmSchools>();
    f->cmdReturn2->show();
    f->cmdReturn->hide();
    f->lstSchools->setCurrentRow(2);
    emit f->lstSchools->itemDoubleClicked(f->lstSchools->item(2));
    EXPECT_TRUE(ui::forms().isLoaded<frmSchools>());
    EXPECT_EQ(entry->txtOppSchool->text(), "St. Mary's");
    f->cmdReturn2->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmSchools>());
}

TEST_F(SchoolsTest, AddStoresABackquoteAndRefusesBadEntries) {
    frmSchools* f = openList();
    f->cmdAdd->click();
    EXPECT_EQ(f->cmdAdd->text(), "&Save School Info");
    EXPECT_TRUE(f->lstSchools->isHidden());
    EXPECT_FALSE(f->cmdEdit->isEnabled());

    f->txtAddSchool->setText("O'Neil Prep");
    f->txtAddDiv->setText("abc");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("School and Division must be filled in.  Division must be numeric");
        f->cmdAdd->click();
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_EQ(f->cmdAdd->text(), "&Save School Info") << "add mode stays";
    EXPECT_EQ(f->txtAddSchool->text(), "O'Neil Prep");

    f->txtAddDiv->setText("4");
    f->cmdAdd->click();
    EXPECT_EQ(queryRows(db, "SELECT OppDiv, LeagueSchool FROM OppSchool WHERE OppSchool = 'O`Neil Prep'"),
              (QList<QVariantList>{{4, QVariant()}}));
    EXPECT_EQ(f->cmdAdd->text(), "&Add School");
    EXPECT_FALSE(f->lstSchools->isHidden());
    EXPECT_TRUE(items(f->lstSchools).contains("O`Neil Prep"));

    f->cmdAdd->click();
    f->txtAddSchool->setText("o'neil prep");
    f->txtAddDiv->setText("5");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("School already exists");
        f->cmdAdd->click();
    }
    EXPECT_EQ(f->txtAddSchool->text(), "o`neil prep");
    f->cmdCancel->click();
    EXPECT_EQ(count("SELECT COUNT(*) FROM OppSchool WHERE OppSchool = 'O`Neil Prep'"), 1);
}

TEST_F(SchoolsTest, EditUpdatesTheSchoolItWasEnteredForAndRefusesAnotherSchoolsName) {
    frmSchools* f = openList();
    const int key = value("SELECT Seq FROM OppSchool WHERE OppSchool = 'St. Mary''s'").toInt();
    f->lstSchools->setCurrentRow(4);
    f->cmdEdit->click();
    EXPECT_EQ(f->txtEditSchool->text(), "St. Mary's");
    EXPECT_EQ(f->txtEditDiv->text(), "1");
    EXPECT_EQ(f->cmdCancel->text(), "&Cancel Edit");

    f->txtEditSchool->setText(" east ");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("School already exists");
        f->cmdEdit->click();
    }
    f->txtBegin->setText("x");  // a reload in edit mode keeps the school being edited
    f->txtEditSchool->setText("St. Mary's");
    f->txtEditDiv->setText("7");
    f->cmdEdit->click();
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT OppSchool, OppDiv FROM OppSchool WHERE Seq = %1").arg(key)),
              (QList<QVariantList>{{"St. Mary`s", 7}}));
    EXPECT_EQ(f->cmdEdit->text(), "&Edit School");

    // Cancel after Edit gives the add button's cancel caption back.
    f->txtBegin->setText("");
    f->cmdEdit->click();
    f->cmdCancel->click();
    EXPECT_TRUE(f->cmdCancel->isHidden());
    f->cmdAdd->click();
    EXPECT_EQ(f->cmdCancel->text(), "&Cancel Add");
}

TEST_F(SchoolsTest, DeleteIsRefusedForASchoolWithMatchesOrDualScores) {
    frmSchools* f = openList();
    sql("INSERT INTO [Match] (SeqOppSchool, [Date]) SELECT Seq, '2010-12-01' FROM OppSchool WHERE OppSchool = 'Central';"
        "INSERT INTO DualScore (seqOppSchool, ScoreH, ScoreO) SELECT Seq, 30, 20 FROM OppSchool WHERE OppSchool = 'East';"
        "INSERT INTO Roster (SeqSchool, FName) SELECT Seq, 'Sam' FROM OppSchool WHERE OppSchool = 'North'");
    f->lstSchools->setCurrentRow(1);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Central?", ui::Answer::Yes).expect("Matches Associated with School.  Unable to Delete");
        f->cmdDelete->click();
        EXPECT_EQ(msgs.messages().at(0).title, "Delete School");
    }
    f->lstSchools->setCurrentRow(2);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete East?", ui::Answer::Yes).expect("Unable to Delete");
        f->cmdDelete->click();
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM OppSchool WHERE OppSchool IN ('Central', 'East')"), 2);

    f->lstSchools->setCurrentRow(3);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete North?", ui::Answer::Yes);
        f->cmdDelete->click();
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM OppSchool WHERE OppSchool = 'North'"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Roster"), 1) << "its roster entries stay";
}

// Two schools of one name (an import may store a name twice): the buttons act on the row the
// coach clicked, not on the first row of that name.
TEST_F(SchoolsTest, TwoSchoolsOfOneNameAreEachEditedAndDeletedByTheirOwnRow) {
    sql("INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('Newtown', 4), ('Newtown', 5);"
        "INSERT INTO [Match] (SeqOppSchool, [Date]) SELECT Seq, '2010-12-01' FROM OppSchool "
        "WHERE OppDiv = 4");
    frmSchools* f = ui::forms().get<frmSchools>();
    f->show();
    QTest::mouseClick(f->chkDivision, Qt::LeftButton);
    auto rowOf = [&](const QString& text) {
        const auto found = f->lstSchools->findItems(text, Qt::MatchExactly);
        return found.size() == 1 ? f->lstSchools->row(found[0]) : -1;
    };
    ASSERT_GE(rowOf(" 5  Newtown"), 0);
    clickItem(f->lstSchools, rowOf(" 5  Newtown"));
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_EQ(f->txtEditDiv->text(), "5");
    QTest::mouseClick(f->cmdCancel, Qt::LeftButton);

    clickItem(f->lstSchools, rowOf(" 5  Newtown"));
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Newtown?", ui::Answer::Yes);
        QTest::mouseClick(f->cmdDelete, Qt::LeftButton);
    }
    EXPECT_EQ(queryRows(db, "SELECT OppSchool, OppDiv FROM OppSchool WHERE OppSchool = 'Newtown'"),
              (QList<QVariantList>{{"Newtown", 4}}));

    clickItem(f->lstSchools, rowOf(" 4  Newtown"));
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Delete Newtown?", ui::Answer::Yes)
            .expect("Matches Associated with School.  Unable to Delete");
        QTest::mouseClick(f->cmdDelete, Qt::LeftButton);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM OppSchool WHERE OppSchool = 'Newtown'"), 1);
}

// Another copy of the program on the same file changes or deletes the school the list shows,
// between its showing and the coach's click, or while he edits it ("Save"): nothing is written
// over or deleted, and the coach is told.
TEST_F(SchoolsTest, ASchoolChangedByAnotherCopySinceShownIsLeftAsTheyLeftIt) {
    const QString changed = "UPDATE OppSchool SET OppDiv = 4 WHERE OppSchool = 'East'";
    const QString deleted = "DELETE FROM OppSchool WHERE OppSchool = 'East'";
    const QString nothingSaved = "Nothing was saved: another program, or another copy of this one, has changed or "
                                 "deleted this row of OppSchool since it was read here.";
    const std::tuple<QString, QString, QString, QString> cases[] = {
        {"cmdDelete", changed, "Delete East?", nothingSaved},
        {"cmdDelete", deleted, "Delete East?", nothingSaved},
        {"cmdLeague", changed, "Make East a League School?", nothingSaved},
        {"cmdEdit", deleted, "", "This school is no longer there: another program, or another copy of this one, has deleted it."},
        {"Save", changed, "", nothingSaved},
        {"cmdDelete", "INSERT INTO [Match] (SeqOppSchool) SELECT Seq FROM OppSchool WHERE OppSchool = 'East'",
         "Delete East?", "Matches Associated with School.  Unable to Delete"},
        {"cmdDelete", "INSERT INTO DualScore (SeqOppSchool) SELECT Seq FROM OppSchool WHERE OppSchool = 'East'",
         "Delete East?", "Dual Meet Scores Associated with School.  Unable to Delete"}};
    for (const auto& [button, meanwhile, question, told] : cases) {
        SCOPED_TRACE((button + ": " + meanwhile).toStdString());
        frmSchools* f = showActive(openList());
        clickItem(f->lstSchools, 2);
        if (button == "Save") QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
        // The other copy writes while the question is open, where there is one.
        QList<QVariantList> theirs;
        auto theirWrite = [&] {
            sql(meanwhile);
            theirs = stored();
        };
        ui::ScriptedMessages msgs;
        if (!question.isEmpty()) msgs.expect(question, ui::Answer::Yes, theirWrite);
        else theirWrite();
        msgs.expect(told);
        QTest::mouseClick(f->findChild<QPushButton*>(button == "Save" ? "cmdEdit" : button), Qt::LeftButton);
        EXPECT_EQ(stored(), theirs);
        ui::forms().unloadAll();
        sql("DELETE FROM [Match]; DELETE FROM DualScore; DELETE FROM OppSchool");
    }
}

// Another copy holds the file with its write when this one adds the same school, or deletes a
// school its write gives a bout: what it wrote is found once this copy has the file.
TEST_F(SchoolsTest, AWriteOfAnotherCopyHoldingTheFileIsFoundByAddAndDelete) {
    frmSchools* f = showActive(openList());
    ui::ScriptedMessages msgs;
    QTest::mouseClick(f->cmdAdd, Qt::LeftButton);
    f->txtAddSchool->setText("Zenith");
    f->txtAddDiv->setText("3");
    msgs.expect("School already exists");
    {
        HeldWrite theirs(db, "INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('ZENITH', 4)");
        QTest::mouseClick(f->cmdAdd, Qt::LeftButton);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM OppSchool WHERE OppSchool = 'Zenith'"), 1);

    QTest::mouseClick(f->cmdCancel, Qt::LeftButton);
    clickItem(f->lstSchools, 2);
    std::optional<HeldWrite> bout;
    msgs.expect("Delete East?", ui::Answer::Yes, [&] {
            bout.emplace(db, "INSERT INTO [Match] (SeqOppSchool) SELECT Seq FROM OppSchool WHERE OppSchool = 'East'");
        })
        .expect("Matches Associated with School.  Unable to Delete");
    QTest::mouseClick(f->cmdDelete, Qt::LeftButton);
    bout.reset();
    EXPECT_EQ(count("SELECT COUNT(*) FROM OppSchool WHERE OppSchool = 'East'"), 1);
}

TEST_F(SchoolsTest, LeagueButtonTogglesTheFlag) {
    frmSchools* f = openList();
    f->lstSchools->setCurrentRow(4);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Make St. Mary's a League School?", ui::Answer::Yes);
        f->cmdLeague->click();
        EXPECT_EQ(msgs.last().title, "League School?");
    }
    EXPECT_EQ(f->lstSchools->currentItem()->text(), "St. Mary's (league)");
    EXPECT_EQ(f->cmdLeague->text(), "&Remove League School");
    EXPECT_EQ(value("SELECT LeagueSchool FROM OppSchool WHERE OppSchool = 'St. Mary''s'").toString(), "Y");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Remove St. Mary's as a League School?", ui::Answer::Yes);
        f->cmdLeague->click();
    }
    EXPECT_FALSE(value("SELECT LeagueSchool FROM OppSchool WHERE OppSchool = 'St. Mary''s'").isValid());

    // Import opens the file picker in its import mode; the list stays.
    f->cmdImport->click();
    EXPECT_EQ(gFileLocMode, "Import");
    EXPECT_TRUE(ui::forms().isLoaded<frmFileLoc>());
    EXPECT_TRUE(ui::forms().isLoaded<frmSchools>());
    // Escape there cancels, back to the schools.
    showActive(ui::forms().get<frmFileLoc>());
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(ui::forms().isLoaded<frmFileLoc>());
    EXPECT_TRUE(ui::forms().get<frmSchools>()->isVisible());
}

TEST_F(SchoolsTest, AddAndEditTakeAPlainDivisionAVisibleNameAndNoNameInAnyLetterCase) {
    frmSchools* f = showActive(openList());
    sql("INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('Łódź Academy', 2), ('Straße High', 4)");
    const QString numeric = "School and Division must be filled in.  Division must be numeric";
    const struct {
        QString name, division, message;
    } refused[] = {
        {"   ", "4", numeric},
        {"Newtown", "1e400", numeric},
        {"Newtown", "1e2", numeric},
        {"Newtown", "inf", numeric},
        {"Newtown", "1,000", numeric},
        {"Newtown", "1.2.3", numeric},
        {"Newtown", QString(400, '9'), numeric},
        // Beyond what reads back as plain digits: the edit would show "1e+20" and refuse it.
        {"Newtown", "99999999999999999999", numeric},
        {"Newtown", "1000000000000000", numeric},
        {"Newtown", "0.00000000000000000001", numeric},
        {"łÓDŹ academy", "2", "School already exists"},
        {"STRASSE HIGH", "4", "School already exists"},
    };

    // Each refused as the save button is clicked, with the table as it was.
    auto refuseEach = [&](QLineEdit* nameBox, QLineEdit* divisionBox, QPushButton* save,
                          const QString& ownName) {
        const QList<QVariantList> before = stored();
        for (const auto& c : refused) {
            if (c.name == ownName) continue;
            SCOPED_TRACE((c.name + " / " + c.division).toStdString());
            typeInto(nameBox, c.name);
            typeInto(divisionBox, c.division);
            ui::ScriptedMessages msgs;
            msgs.expect(c.message);
            QTest::mouseClick(save, Qt::LeftButton);
            EXPECT_EQ(msgs.last().title, "ERROR");
            EXPECT_EQ(stored(), before);
        }
    };
    QTest::mouseClick(f->cmdAdd, Qt::LeftButton);
    refuseEach(f->txtAddSchool, f->txtAddDiv, f->cmdAdd, QString());
    // Alt+S saves a signed decimal division.
    typeInto(f->txtAddSchool, "Newtown");
    typeInto(f->txtAddDiv, " -2.5 ");
    QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f->cmdAdd->text() == "&Add School"; }, 2000));
    EXPECT_EQ(queryRows(db, "SELECT OppDiv FROM OppSchool WHERE OppSchool = 'Newtown'"),
              (QList<QVariantList>{{-2.5}}));

    // Add by its access key puts the focus in the new school's name: the keys alone add it.
    QTest::keyClick(f, Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(f->txtAddSchool->hasFocus());
    typeKeys("Oldtown");
    pressKey(Qt::Key_Tab);
    typeKeys("4");
    QTest::keyClick(f, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(queryRows(db, "SELECT OppDiv FROM OppSchool WHERE OppSchool = 'Oldtown'"),
              (QList<QVariantList>{{4}}));

    // Edit refuses the same, and keeps its own name in other letter case.
    f->txtBegin->setText("dź");
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    ASSERT_EQ(f->txtEditSchool->text(), "Łódź Academy");
    EXPECT_TRUE(f->txtEditSchool->hasFocus());
    EXPECT_EQ(f->txtEditSchool->selectedText(), "Łódź Academy");
    refuseEach(f->txtEditSchool, f->txtEditDiv, f->cmdEdit, "łÓDŹ academy");
    typeInto(f->txtEditSchool, "ŁÓDŹ ACADEMY");
    typeInto(f->txtEditDiv, "3");
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_EQ(queryRows(db, "SELECT OppSchool, OppDiv FROM OppSchool WHERE OppSchool LIKE '%DŹ%'"),
              (QList<QVariantList>{{"ŁÓDŹ ACADEMY", 3}}));

    // An infinite division an older file holds is listed, and its item leads to its school.
    sql("INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('Endless Prep', 1e999)");
    f->txtBegin->setText("Endless");
    QTest::mouseClick(f->chkDivision, Qt::LeftButton);
    ASSERT_EQ(items(f->lstSchools), QStringList{" inf  Endless Prep"});
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_EQ(f->txtEditSchool->text(), "Endless Prep");
    typeInto(f->txtEditDiv, "5");
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_EQ(items(f->lstSchools), QStringList{" 5  Endless Prep"});

    // The largest division taken is shown back as typed, and saving it unchanged passes.
    QTest::mouseClick(f->chkDivision, Qt::LeftButton);
    QTest::mouseClick(f->cmdAdd, Qt::LeftButton);
    typeInto(f->txtAddSchool, "Bigtown");
    typeInto(f->txtAddDiv, "999999999999999");
    QTest::mouseClick(f->cmdAdd, Qt::LeftButton);
    f->txtBegin->setText("Bigtown");
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_EQ(f->txtEditDiv->text(), "999999999999999");
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    EXPECT_EQ(value("SELECT OppDiv FROM OppSchool WHERE OppSchool = 'Bigtown'").toLongLong(), 999999999999999LL);
}

}  // namespace
