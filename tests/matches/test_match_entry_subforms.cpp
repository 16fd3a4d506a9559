// The editors the match entry form opens: the wrestler editor and the weight editor (the form
// hides itself and keeps its entries) and the school list (the form stays shown).
#include "test_match_entry_fixture.h"

#include "team/frmEditNames.h"
#include "team/frmEditWeight.h"
#include "team/frmSchools.h"

namespace {

using MatchEntrySubforms = MatchEntryFixture;

TEST_F(MatchEntrySubforms, WrestlerEditorReturnsAndReloadsTheNames) {
    frmMatchInfo* f = openFromMenu();
    enterText(f->txtDate, QStringLiteral("11/05/2010"));
    enterText(f->txtOppFName, QStringLiteral("Kept"));
    f->cmdEditNames->click();
    EXPECT_FALSE(f->isVisible());
    frmEditNames* editor = ui::forms().get<frmEditNames>();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->txtFromFrm->text(), "frmMatchInfo");
    EXPECT_EQ(editor->comSeason->currentText(), "2010-2011");

    execSql(db, QStringLiteral("INSERT INTO Wrestler (FullName, FirstName, LastName, wr_inactive, Season, FNameSeason) "
                               "VALUES ('Ann Zed', 'Ann', 'Zed', '0', 2010, 'Ann Zed2010');"));
    editor->cmdReturn->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(entry(), f);
    EXPECT_EQ(f->txtOppFName->text(), "Kept");
    EXPECT_EQ(items(f->comHomeName), (QStringList{"Adam Brook", "Carl Dunn", "Ann Zed", "VOID"}));
}

TEST_F(MatchEntrySubforms, WeightEditorReturnReloadsTheClassesKeepingTheChoice) {
    frmMatchInfo* f = openFromMenu();
    pickWeight(QStringLiteral("152"));
    QTest::keyClick(f, Qt::Key_W, Qt::AltModifier);
    EXPECT_FALSE(f->isVisible());
    frmEditWeight* editor = ui::forms().get<frmEditWeight>();
    ASSERT_TRUE(editor->isVisible());
    activate(editor);
    QTest::mouseClick(editor->txtWeight, Qt::LeftButton);
    QTest::keyClicks(editor->txtWeight, QStringLiteral("160"));
    QTest::keyClick(editor, Qt::Key_A, Qt::AltModifier);
    QTest::mouseClick(editor->cmdReturn, Qt::LeftButton);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(items(f->lstWeight), (QStringList{"103", "145", "152", "160", "285"}));
    ASSERT_EQ(f->lstWeight->selectedItems().size(), 1);
    EXPECT_EQ(f->lstWeight->selectedItems().first()->text(), "152");
}

TEST_F(MatchEntrySubforms, SchoolListWritesTheChosenSchool) {
    frmMatchInfo* f = openFromMenu();
    f->cmdSchools->click();
    frmSchools* schools = ui::forms().get<frmSchools>();
    EXPECT_TRUE(schools->isVisible());
    EXPECT_TRUE(f->isVisible());
    QListWidgetItem* central = nullptr;
    for (int i = 0; i < schools->lstSchools->count(); ++i)
        if (schools->lstSchools->item(i)->text().contains(QStringLiteral("Central High")))
            central = schools->lstSchools->item(i);
    ASSERT_NE(central, nullptr);
    schools->lstSchools->setCurrentItem(central);
    emit schools->lstSchools->itemDoubleClicked(central);
    EXPECT_EQ(f->txtOppSchool->text(), "Central High");
    EXPECT_TRUE(f->chkLeague->isEnabled());
    EXPECT_FALSE(ui::forms().isLoaded<frmSchools>());
}

}  // namespace
