// The school-list import: preview lists, striking entries out, applying, the picker's hand-over.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/frmFileLoc.h"
#include "support/season_fixture.h"
#include "team/frmImport.h"
#include "team/frmSchools.h"
#include "team_fixture.h"

namespace {

class ImportTest : public TeamFixture {
protected:
    QString writeList(const QByteArray& text) {
        const QString path = home.file("10 school list.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    frmImport* openImport(const QByteArray& text) {
        gImportFile = writeList(text);
        return ui::forms().get<frmImport>();
    }

    static QStringList items(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }

    static void doubleClick(QListWidget* list, const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found[0]);
        emit list->itemDoubleClicked(found[0]);
    }

    QList<QVariantList> schools() {
        return queryRows(db, "SELECT OppSchool, OppDiv, LeagueSchool FROM OppSchool ORDER BY OppSchool");
    }
};

TEST_F(ImportTest, PreviewComparesWithoutRegardToCaseAndImportAppliesWhatIsLeft) {
    SeasonFixture fx(db);
    fx.addSchool("Central", 3, "Y");
    const int old = fx.addSchool("Old School", 2);
    fx.addSchool("Gone", 1);
    fx.addSchool("St. Mary`s", 1);
    fx.addSchool("West", 5);
    const int w = fx.addWrestler("Adam", "Alder", 2010);
    FixtureMatch bout;
    bout.wrestler = w;
    bout.date = QDate(2010, 12, 4);
    bout.school = old;
    bout.weight = fx.addWeight("119");
    fx.addMatch(bout);

    // Quoted fields, a comma inside quotes, records split over lines and two to a line, a
    // division that is no number, and a division left over at the end without its school.
    frmImport* f = openImport("3,CENTRAL\r\n\"05\", West\n2,\"St. Mary's\"\r\nabc,\"Rock, Hill\",4,\n"
                              "Lake View\n\n7\n");
    EXPECT_EQ(f->windowTitle(), "School Import");
    EXPECT_EQ(items(f->lstAdd), (QStringList{"2  St. Mary's", "abc  Rock, Hill", "4  Lake View"}));
    EXPECT_EQ(items(f->lstChange), QStringList{"05  West"});
    EXPECT_EQ(items(f->lstDelete), (QStringList{" 2  Old School", " 1  Gone", " 1  St. Mary`s"}))
        << "Central is listed by the file in other letter case and stays";

    doubleClick(f->lstDelete, " 1  Gone");
    doubleClick(f->lstAdd, "4  Lake View");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("were not deleted:\r\nOld School");
        f->cmdImport->click();
    }
    EXPECT_EQ(schools(), (QList<QVariantList>{{"Central", 3, "Y"},
                                              {"Gone", 1, "N"},
                                              {"Old School", 2, "N"},
                                              {"Rock, Hill", 0, QVariant()},
                                              {"St. Mary's", 2, QVariant()},
                                              {"West", 5, "N"}}))
        << "new schools are no league schools";
    EXPECT_EQ(f->lstAdd->count() + f->lstChange->count() + f->lstDelete->count(), 0);
    EXPECT_TRUE(f->isUnloading());
    ASSERT_TRUE(ui::forms().isLoaded<frmSchools>());
    EXPECT_EQ(ui::forms().get<frmSchools>()->lstSchools->count(), 6) << "a fresh list of the table";

    // The same file again: West's division is as the file has it; 05 still differs from 5.
    ui::forms().unloadAll();
    f = openImport("3,CENTRAL\r\n\"05\", West\n2,\"St. Mary's\"\r\nabc,\"Rock, Hill\"\n");
    EXPECT_TRUE(f->lstAdd->count() == 0);
    EXPECT_EQ(items(f->lstChange), (QStringList{"05  West", "abc  Rock, Hill"}));
    EXPECT_EQ(items(f->lstDelete), (QStringList{" 2  Old School", " 1  Gone"}));
}

TEST_F(ImportTest, CancelChangesNothingAndTheSchoolListComesBackInItsMode) {
    SeasonFixture fx(db);
    fx.addSchool("Gone", 1);

    // From the roster form, through the picker.
    frmSchools* list = ui::forms().get<frmSchools>();
    list->cmdReturn2->show();
    list->cmdReturn->hide();
    list->cmdImport->click();
    frmFileLoc* picker = ui::forms().get<frmFileLoc>();
    writeList("1,North\n");
    picker->txtDirectory->setText(home.path());
    picker->txtFileName->setText("10 school list.txt");
    picker->cmdRetreive->click();
    EXPECT_EQ(gImportFile, home.file("10 school list.txt"));
    ASSERT_TRUE(ui::forms().isLoaded<frmImport>());
    frmImport* f = ui::forms().get<frmImport>();
    EXPECT_EQ(items(f->lstAdd), QStringList{"1  North"});
    EXPECT_EQ(items(f->lstDelete), QStringList{" 1  Gone"});

    f->cmdCancel->click();
    EXPECT_EQ(schools(), (QList<QVariantList>{{"Gone", 1, "N"}}));
    frmSchools* fresh = ui::forms().get<frmSchools>();
    EXPECT_NE(fresh, list);
    EXPECT_FALSE(fresh->cmdReturn2->isHidden());
    EXPECT_TRUE(fresh->cmdReturn->isHidden());
}

TEST_F(ImportTest, AFileThatCannotBeReadIsReportedWithEmptyLists) {
    gImportFile = home.file("missing.txt");
    ui::ScriptedMessages msgs;
    msgs.expect("Unable to read the school list file");
    frmImport* f = ui::forms().get<frmImport>();
    EXPECT_EQ(f->lstAdd->count() + f->lstChange->count() + f->lstDelete->count(), 0);
}

}  // namespace
