// The school-list import: preview lists, striking entries out, applying, the picker's hand-over.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringEncoder>
#include <QTest>

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
        const QPoint at = list->visualItemRect(found[0]).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    // Chooses the entry with the arrow keys and presses `key` on it.
    static void pressOn(QListWidget* list, const QString& text, Qt::Key key) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < list->count() && list->currentItem()->text() != text; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        ASSERT_EQ(list->currentItem()->text(), text);
        QTest::keyClick(list, key);
    }

    // Through the school list's Import button and the picker, with mouse clicks.
    frmImport* pickFile(const QString& name) {
        frmSchools* list = ui::forms().get<frmSchools>();
        list->show();
        QTest::mouseClick(list->cmdImport, Qt::LeftButton);
        frmFileLoc* picker = ui::forms().get<frmFileLoc>();
        picker->txtDirectory->setText(home.path());
        picker->txtFileName->setText(name);
        QTest::mouseClick(picker->cmdRetreive, Qt::LeftButton);
        return ui::forms().isLoaded<frmImport>() ? ui::forms().get<frmImport>() : nullptr;
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
    const int saints = fx.addSchool("St. Mary`s", 1);
    fx.addSchool("West", 5);
    const int w = fx.addWrestler("Adam", "Alder", 2010);
    FixtureMatch bout;
    bout.wrestler = w;
    bout.date = QDate(2010, 12, 4);
    bout.school = old;
    bout.weight = fx.addWeight("119");
    fx.addMatch(bout);
    // A school with a team score but no bout is kept too.
    sql(QString("INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) VALUES ('2010-12-04', %1, 30, 21)")
            .arg(saints));

    // Quoted fields, a comma inside quotes, records split over lines and two to a line, blank
    // lines.
    frmImport* f = openImport(
        "3,CENTRAL\r\n\"05\", West\n2,\"St. Mary's\"\r\n6,\"Rock, Hill\",4,\n"
        "Lake View\n\n");
    EXPECT_EQ(f->windowTitle(), "School Import");
    EXPECT_EQ(items(f->lstAdd), (QStringList{"2  St. Mary's", "6  Rock, Hill", "4  Lake View"}));
    EXPECT_EQ(items(f->lstChange), QStringList{"05  West"});
    EXPECT_EQ(items(f->lstDelete), (QStringList{" 2  Old School", " 1  Gone", " 1  St. Mary`s"}))
        << "Central is listed by the file in other letter case and stays";

    // Struck out by Delete, Enter or a double-click on the entry chosen; other keys keep it.
    showActive(f);
    pressOn(f->lstDelete, " 1  Gone", Qt::Key_Delete);
    pressOn(f->lstAdd, "4  Lake View", Qt::Key_Return);
    pressOn(f->lstAdd, "6  Rock, Hill", Qt::Key_Space);
    doubleClick(f->lstChange, "05  West");
    EXPECT_EQ(items(f->lstDelete), (QStringList{" 2  Old School", " 1  St. Mary`s"}));
    EXPECT_EQ(items(f->lstAdd), (QStringList{"2  St. Mary's", "6  Rock, Hill"}));
    EXPECT_TRUE(f->lstChange->count() == 0);
    {
        ui::ScriptedMessages msgs;
        msgs.expect("were not deleted:\r\nOld School\r\nSt. Mary`s");
        f->cmdImport->click();
    }
    EXPECT_EQ(schools(), (QList<QVariantList>{{"Central", 3, "Y"},
                                              {"Gone", 1, "N"},
                                              {"Old School", 2, "N"},
                                              {"Rock, Hill", 6, QVariant()},
                                              {"St. Mary's", 2, QVariant()},
                                              {"St. Mary`s", 1, "N"},
                                              {"West", 5, "N"}}))
        << "new schools are no league schools";
    EXPECT_EQ(f->lstAdd->count() + f->lstChange->count() + f->lstDelete->count(), 0);
    EXPECT_TRUE(f->isUnloading());
    ASSERT_TRUE(ui::forms().isLoaded<frmSchools>());
    EXPECT_EQ(ui::forms().get<frmSchools>()->lstSchools->count(), 7) << "a fresh list of the table";

    // The same file again: West's division is as the file has it; 05 still differs from 5.
    ui::forms().unloadAll();
    f = openImport("3,CENTRAL\r\n\"05\", West\n2,\"St. Mary's\"\r\n7,\"Rock, Hill\"\n");
    EXPECT_TRUE(f->lstAdd->count() == 0);
    EXPECT_EQ(items(f->lstChange), (QStringList{"05  West", "7  Rock, Hill"}));
    EXPECT_EQ(items(f->lstDelete), (QStringList{" 2  Old School", " 1  Gone", " 1  St. Mary`s"}));

    // Another copy of the program changes a school these lists were made from: nothing is
    // imported, and the coach is told.
    sql("UPDATE OppSchool SET OppDiv = 6 WHERE OppSchool = 'West'");
    const QList<QVariantList> theirs = schools();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Nothing was saved: another program, or another copy of this one, has changed or deleted "
                    "this row of OppSchool");
        QTest::mouseClick(showActive(f)->cmdImport, Qt::LeftButton);
    }
    EXPECT_EQ(schools(), theirs);

    // Or adds a school the lists add: it is not stored twice.
    ui::forms().unloadAll();
    f = openImport("3,CENTRAL\r\n4,Zenith\r\n");
    EXPECT_EQ(items(f->lstAdd), QStringList{"4  Zenith"});
    sql("INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('ZENITH', 4)");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Nothing was saved: another program, or another copy of this one, has added the school Zenith");
        QTest::mouseClick(showActive(f)->cmdImport, Qt::LeftButton);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM OppSchool WHERE OppSchool = 'Zenith'"), 1);
}

// A file whose OppSchool table has a column of its own named _rowid_, Null in every row: the
// import changes, deletes and adds exactly the schools it lists.
TEST_F(ImportTest, AColumnNamedAsTheRowIdLeavesOtherSchoolsAlone) {
    sql("ALTER TABLE OppSchool ADD COLUMN _rowid_ INTEGER");
    SeasonFixture fx(db);
    fx.addSchool("Central", 3, "Y");
    fx.addSchool("Gone", 1);
    fx.addSchool("West", 5);
    frmImport* f = openImport("3,Central\n4,West\n2,Lake View\n");
    ui::ScriptedMessages msgs;
    f->cmdImport->click();
    EXPECT_EQ(schools(), (QList<QVariantList>{{"Central", 3, "Y"}, {"Lake View", 2, QVariant()}, {"West", 4, "N"}}));
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
    EXPECT_TRUE(f->refused());
}

TEST_F(ImportTest, AFileWithAnyRecordThatIsNoDivisionAndNameIsRefusedBeforeAnythingShows) {
    SeasonFixture fx(db);
    fx.addSchool("Central", 3);
    fx.addSchool("Eastview", 1);
    fx.addSchool("North", 1);
    const QList<QVariantList> before = schools();
    const struct {
        QByteArray file;
        QString message;
    } cases[] = {
        {"3,Central\r\n4\r\n2,Eastview\r\n1,North\r\n", "Line 2 of the school list file "},
        {"3,Central\r\n4\r\n2,Eastview\r\n1,North\r\n",
         " is not a division number and a school name:\r\n4\r\n"},
        {"3,Central\n1,North\n7\n", "Line 3 of"},
        // Class names as divisions: a record shifted by a missing name still ends without one,
        // or puts a bare number in the name's place.
        {"6A,Allen Eagles\r\n5A\r\n4A,Bonham\r\n", "Line 3 of"},
        {"6A,Allen Eagles\r\n5A,12\r\n", "Line 2 of"},
        {"1e400,Central", "Line 1 of"},
        {"3,Central\n99999999999999999999,North\n", "Line 2 of"},
        {"3,Central\r\n\r\n2,\"   \"\r\n", "Line 3 of"},
        {"3,Central\n2,\"Eastview\n1,North\n", "Line 2 of"},
        {"", " is empty.  Nothing was imported."},
        {" \r\n\r\n\t\n", " is empty."},
        {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20),
         " is not a text file.  Nothing was imported."},
        // UTF-16 by its mark, then half a character pair.
        {QByteArray::fromHex("fffe33002c0000d8"), " is not a text file."},
        // UTF-16 by its mark, cut off after the first byte of its last character.
        {QByteArray::fromHex("fffe33002c004e00410077"),
         "10 school list.txt is broken: its text ends in the middle of a character.  "
         "Nothing was imported."},
        {QByteArray::fromHex("feff00330032002c004e004100"), "10 school list.txt is broken"},
        // UTF-8 without a mark, cut off in its last character: broken, not read as another
        // encoding ("Saint-Étienne" would come in with an invisible control character).
        {"3,Saint-\xc3\x89tienne\r\n2,Caf\xc3", "10 school list.txt is broken"},
        {"3,Central\r\n2,Caf\xc3", "10 school list.txt is broken"},
        {"2,Caf\xe9", "10 school list.txt is broken"},
        // UTF-8 with a byte of another encoding pasted in: the line is named, shown as UTF-8.
        {"3,Saint-\xc3\x89tienne\r\n\r\n2,St. Mary\x92s Academy\r\n1,Caf\xc3\xa9\r\n",
         "Line 3 of the school list file "},
        {"\xef\xbb\xbf" "3,Central\r\n2,St. Mary\x92s Academy\r\n", "Line 2 of the school list file "},
        {"3,Saint-\xc3\x89tienne\r\n\r\n2,St. Mary\x92s Academy\r\n",
         " holds bytes that are not UTF-8, though the rest of the file is UTF-8:\r\n"
         "2,St. Mary\ufffds Academy\r\n\r\nSave the file as UTF-8 and import it again.  "
         "Nothing was imported."},
        // UTF-16 without a mark, cut off in its last character.
        {QByteArray::fromHex("33002c004e0041"), "10 school list.txt is broken"},
        {"3,Central\r\n2,Ardmore Academy\xe2\x80", "10 school list.txt is broken"},
        // A control character of the C1 range, as UTF-8 or as a byte Windows-1252 leaves unused.
        {"3,North\xc2\x85" "Central\r\n", " is not a text file."},
        {"3,St. Mary\x81s\r\n", " is not a text file."},
        // A binary file with a piece of UTF-8 in it by chance, NUL bytes on either side.
        {QByteArray("PK\x03\x04\x14\0\0\0\x08\0\xc3\xa9\x91R\x9a\x0f", 16), " is not a text file."},
        {"3,Central\r\n\x1b[0m\xc3\xa9\x92\r\n", " is not a text file."},
        // A name longer than a text box takes: its line is named and shown by its start only.
        {"3,Central\r\n2," + QByteArray(32768, 'W') + "\r\n",
         "Line 2 of the school list file "},
        {"3,Central\r\n2,\r\n\"" + QByteArray(40000, 'W') + "\"\r\n",
         " holds a school name of 40,000 characters; a school's name box takes at most 32,767:\r\n\"" +
             QString(99, 'W') + "...\r\n\r\nNothing was imported."},
        {QByteArray(50000, 'W') + "\r\n", " is not a division number and a school name:\r\n" + QString(100, 'W') +
                                               "...\r\n\r\nNothing was imported."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        writeList(c.file);
        {
            ui::ScriptedMessages msgs;
            msgs.expect(c.message);
            EXPECT_EQ(pickFile("10 school list.txt"), nullptr);
            EXPECT_EQ(msgs.last().title, "Error");
        }
        EXPECT_FALSE(ui::forms().isLoaded<frmFileLoc>());
        ASSERT_TRUE(ui::forms().isLoaded<frmSchools>());
        EXPECT_FALSE(ui::forms().get<frmSchools>()->isHidden()) << "back at the school list";
        EXPECT_EQ(schools(), before);
    }

    // On the new-database road the file is refused the same way and nothing is applied.
    gImportFile = writeList("3,Central\r\n4\r\n");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Line 2 of");
        frmImport* f = ui::forms().get<frmImport>();
        EXPECT_TRUE(f->refused());
        EXPECT_EQ(f->lstAdd->count() + f->lstChange->count() + f->lstDelete->count(), 0);
    }
}

TEST_F(ImportTest, ClassNamesAsDivisionsAreStoredAsTheNumberTheyBeginWith) {
    SeasonFixture fx(db);
    fx.addSchool("Allen Eagles", 6);
    writeList("6A,Allen Eagles\r\n5a,Bonham\r\nAA,Celina\r\n,Denton\r\n");
    frmImport* f = pickFile("10 school list.txt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(items(f->lstAdd), (QStringList{"5a  Bonham", "AA  Celina", "  Denton"}));
    EXPECT_EQ(items(f->lstChange), QStringList{"6A  Allen Eagles"});
    showActive(f);
    QTest::keyClick(f, Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(schools(), (QList<QVariantList>{{"Allen Eagles", 6, "N"},
                                              {"Bonham", 5, QVariant()},
                                              {"Celina", 0, QVariant()},
                                              {"Denton", 0, QVariant()}}));
}

TEST_F(ImportTest, AFileIsReadInTheEncodingItsByteOrderMarkNames) {
    SeasonFixture fx(db);
    fx.addSchool("Central", 3);
    // Invisible format characters are no part of a name, also those written as two units (tags).
    // A letter with a NUL byte on its low side (U+0100, U+4E00) does not hide UTF-16 without a mark.
    const QString text = QStringLiteral("3,Central\u200b\r\n2,\"Łódź Academy\"\r\n5,Ærøskøbing\r\n"
                                        "6,\u202eWest\u200b Hall\u2060\U000E0041\U000E0078\r\n"
                                        "4,\u0100lma \u4e00\u4e2d\r\n");
    for (const auto encoding :
         {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        // UTF-16 is known by its NUL bytes without the mark too.
        for (const bool mark : {true, false}) {
            SCOPED_TRACE(QStringConverter::nameForEncoding(encoding) + std::string(mark ? " marked" : ""));
            QStringEncoder encode(encoding, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
            frmImport* f = openImport(encode(text));
            EXPECT_EQ(items(f->lstAdd),
                      (QStringList{"2  Łódź Academy", "5  Ærøskøbing", "6  West Hall", "4  \u0100lma \u4e00\u4e2d"}));
            EXPECT_EQ(f->lstChange->count() + f->lstDelete->count(), 0);
            ui::forms().unload<frmImport>();
        }
    }

    // No mark and no UTF-8: a Windows spreadsheet's file, its quotes and apostrophes in their
    // Windows-1252 places; a tab, vertical tab or form feed inside a name is one blank.
    frmImport* f = openImport("3,St. Mary\x92s\r\n2,\x93Hill\x94 Prep\tAcademy\r\n"
                              "4,North\x0bWest\x0cHigh\r\n");
    EXPECT_EQ(items(f->lstAdd), (QStringList{"3  St. Mary\u2019s", "2  \u201cHill\u201d Prep Academy",
                                             "4  North West High"}));
    ui::forms().unload<frmImport>();
}

// A name with blanks inside its quotes is the name without them: it is compared, listed once
// and stored as such, and the next import of the same file finds it stored. A Latin-1 file that
// ends in a letter outside ASCII keeps that letter when another line shows it is no UTF-8.
TEST_F(ImportTest, BlanksAroundANameInsideItsQuotesAreNoPartOfIt) {
    SeasonFixture fx(db);
    fx.addSchool("Central Catholic", 3);
    fx.addSchool("Eastview ", 1);  // typed with a blank into the school form
    const QByteArray file = "3,\"Central Catholic \"\r\n\" 4\",\" Newtown \"\r\n4,Newtown\r\n"
                            "4,\"Newtown \"\r\n1,Eastview\r\n5,Mont\xe9 Vista\r\n2,Caf\xe9";
    frmImport* f = pickFile(QFileInfo(writeList(file)).fileName());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(items(f->lstAdd), (QStringList{"4  Newtown", "5  Monté Vista", "2  Café"}));
    EXPECT_EQ(f->lstChange->count() + f->lstDelete->count(), 0);
    QTest::mouseClick(f->cmdImport, Qt::LeftButton);
    EXPECT_EQ(queryRows(db, "SELECT OppSchool, OppDiv FROM OppSchool ORDER BY OppSchool"),
              (QList<QVariantList>{{"Café", 2}, {"Central Catholic", 3}, {"Eastview ", 1},
                                   {"Monté Vista", 5}, {"Newtown", 4}}));

    f = pickFile(QFileInfo(writeList(file)).fileName());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->lstAdd->count() + f->lstChange->count() + f->lstDelete->count(), 0);
}

TEST_F(ImportTest, ASchoolIsTakenOnceAndComparedInAnyAlphabetsLetterCase) {
    SeasonFixture fx(db);
    fx.addSchool("Łódź Academy", 2);
    fx.addSchool("Straße High", 3);
    fx.addSchool("Zürich Prep", 1);
    frmImport* f =
        pickFile(QFileInfo(writeList("4,Newtown\r\n4,Newtown\r\n5,NEWTOWN\r\n"
                                     "2,ŁÓDŹ ACADEMY\r\n9,STRASSE HIGH\r\n1,ZÜRICH PREP\r\n"))
                     .fileName());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(items(f->lstAdd), QStringList{"4  Newtown"});
    EXPECT_EQ(items(f->lstChange), QStringList{"9  STRASSE HIGH"});
    EXPECT_EQ(f->lstDelete->count(), 0);
    {
        ui::ScriptedMessages msgs;
        QTest::mouseClick(f->cmdImport, Qt::LeftButton);
    }
    EXPECT_EQ(schools(), (QList<QVariantList>{{"Newtown", 4, QVariant()},
                                              {"STRASSE HIGH", 9, "N"},
                                              {"Zürich Prep", 1, "N"},
                                              {"Łódź Academy", 2, "N"}}));
}

}  // namespace
