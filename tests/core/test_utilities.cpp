// The Utilities menu: backup, the list of database files, the description, a new database file.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QApplication>
#include <QTest>

#include "core/connection.h"
#include "core/frmChangeDesc.h"
#include "core/frmFindDb.h"
#include "core/frmInit.h"
#include "core/frmNewDb.h"
#include "core/frmUtilities.h"
#include "core/startup.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/real_input.h"
#include "support/season_fixture.h"
#include "support/user_input.h"

namespace {

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

const char* const kHasDateIndex = "SELECT count(*) FROM sqlite_master WHERE name = 'ixMatchDate'";

QString iniLine1(const QString& home) {
    QFile file(home + QStringLiteral("/MatchInfo.ini"));
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readLine()).trimmed();
}

class UtilitiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetCoreState();
        setEndProgramHandler([] {});
        QDir(home.path()).mkpath(QStringLiteral("data"));
        folder = home.file(QStringLiteral("data")) + QLatin1Char('/');
        db = makeDatabase(folder, QStringLiteral("Matchinfo.mdb"));
        execSql(db, "UPDATE License SET school = 'Central High' WHERE Seq = 1");
        QFile::copy(templatePath(QStringLiteral("Blank_MatchInfo.md_")),
                    folder + QStringLiteral("Blank_MatchInfo.md_"));
        writeText(home.file(QStringLiteral("MatchInfo.ini")), (db + "\r\n\r\n").toUtf8());
    }
    void TearDown() override {
        ui::forms().unloadAll();
        setEndProgramHandler({});
    }

    // The main menu, then its Utilities button.
    frmUtilities* openUtilities() {
        ui::forms().get<frmInit>()->cmdUtilities->click();
        EXPECT_FALSE(ui::forms().isLoaded<frmInit>());
        return ui::forms().get<frmUtilities>();
    }

    // Three display rows of the file list as "name|start|end|description|select enabled".
    static QStringList rows(frmFindDb* form) {
        QStringList shown;
        for (int r = 0; r < 3; ++r)
            shown << QStringList{form->txtFilename[r]->text(), form->txtDateStart[r]->text(),
                                 form->txtDateEnd[r]->text(), form->txtDesc[r]->text(),
                                 form->cmdSelect[r]->isEnabled() ? "on" : "off"}
                         .join('|');
        return shown;
    }

    TestHome home;
    QString folder;
    QString db;
};

TEST_F(UtilitiesTest, BackupKeepsTheMenuAndEachFormReturnsToIt) {
    frmUtilities* utilities = openUtilities();
    EXPECT_TRUE(utilities->isVisible());

    ui::ScriptedMessages msgs;
    msgs.expect("Backup database name is " + folder + "matchinfo ");
    utilities->cmdBackupDB->click();
    EXPECT_EQ(msgs.last().title, "Completed");
    const QString copy = msgs.last().text.mid(QStringLiteral("Backup database name is ").size());
    EXPECT_TRUE(QFile::exists(copy)) << copy.toStdString();
    EXPECT_TRUE(utilities->isVisible());

    // Each sub-form hides the menu; its Return brings it back where the user had put it. Forms
    // open in the middle of the screen.
    const QRect screen = utilities->screen()->availableGeometry();
    EXPECT_LE((utilities->frameGeometry().center() - screen.center()).manhattanLength(), 1);
    utilities->move(40, 30);
    struct SubForm {
        QPushButton* opens;
        std::function<ui::Form*()> form;
        std::function<QPushButton*()> returns;
    };
    for (const SubForm& sub :
         {SubForm{utilities->cmdUpdateDesc, [] { return ui::forms().get<frmChangeDesc>(); },
                  [] { return ui::forms().get<frmChangeDesc>()->cmdReturn; }},
          SubForm{utilities->cmdFindDB, [] { return ui::forms().get<frmFindDb>(); },
                  [] { return ui::forms().get<frmFindDb>()->cmdReturn; }},
          SubForm{utilities->cmdNew, [] { return ui::forms().get<frmNewDb>(); },
                  [] { return ui::forms().get<frmNewDb>()->cmdReturn; }}}) {
        SCOPED_TRACE(sub.opens->objectName().toStdString());
        QTest::mouseClick(sub.opens, Qt::LeftButton);
        EXPECT_FALSE(utilities->isVisible());
        EXPECT_LE((sub.form()->frameGeometry().center() - screen.center()).manhattanLength(), 1);
        QTest::mouseClick(sub.returns(), Qt::LeftButton);
        EXPECT_TRUE(utilities->isVisible());
        EXPECT_EQ(utilities->pos(), QPoint(40, 30));
    }

    utilities->cmdReturn->click();
    EXPECT_TRUE(ui::forms().isLoaded<frmInit>());
    EXPECT_TRUE(ui::forms().get<frmInit>()->isVisible());
    EXPECT_FALSE(ui::forms().isLoaded<frmUtilities>());
}

TEST_F(UtilitiesTest, FileListShowsEachFileAndScrolls) {
    // db (Matchinfo.mdb): description and two matches; a.mdb: no row 2, no matches;
    // b.mdb and c.mdb plain; junk.mdb is no database at all.
    execSql(db, "INSERT INTO License (Seq, school) VALUES (2, 'Varsity 2010')");
    SeasonFixture season(db);
    const int w = season.addWrestler("Adam", "Alder", 2010);
    const int wt = season.addWeight("119");
    const int s = season.addSchool("Northfield");
    for (const QDate& date : {QDate(2011, 1, 8), QDate(2010, 12, 4)}) {
        FixtureMatch match;
        match.wrestler = w;
        match.date = date;
        match.school = s;
        match.weight = wt;
        season.addMatch(match);
    }
    for (const char* name : {"a.mdb", "b.mdb", "c.mdb"}) makeDatabase(folder, name);
    // a.mdb and c.mdb have one description, longer than its box.
    const QString squad = "Varsity and JV squad 2026-2027 season, main file";
    for (const char* name : {"a.mdb", "c.mdb"})
        execSql(folder + name, "INSERT INTO License (Seq, school) VALUES (2, '" + squad + "')");
    writeText(folder + "junk.mdb", "not a database");
    // A file made before the indexes is only read by the listing, not given them.
    execSql(folder + "b.mdb", "DROP INDEX ixMatchDate");
    const QDateTime written = QFileInfo(folder + "b.mdb").lastModified();
    useDatabase(db);

    frmFindDb* list = ui::forms().get<frmFindDb>();
    EXPECT_EQ(gDbPath, db) << "the path in use is back after the listing";
    EXPECT_EQ(QFileInfo(folder + "b.mdb").lastModified(), written);
    EXPECT_EQ(queryValue(folder + "b.mdb", kHasDateIndex).toInt(), 0);
    EXPECT_EQ(list->VScroll1->maximum(), 2);
    EXPECT_EQ(list->VScroll1->pageStep(), 3);
    EXPECT_EQ(rows(list), (QStringList{"a.mdb|N/A|N/A|" + squad + "|on", "b.mdb|N/A|N/A||on",
                                       "c.mdb|N/A|N/A|" + squad + "|on"}));

    // Tab goes round the whole form: Select to Select past the boxes that only show, the scroll
    // bar, Return, Help and back.
    showActive(list);
    list->cmdSelect[0]->setFocus();
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        order << QApplication::focusWidget()->objectName();
        pressKey(Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' '), "cmdSelect(0) cmdSelect(1) cmdSelect(2) VScroll1 cmdReturn cmdHelp cmdSelect(0)");

    // Down from the bottom Select turns the page; PageUp turns it back; the bar pages by keys.
    list->cmdSelect[2]->setFocus();
    pressKey(Qt::Key_Down);
    const QStringList last{"c.mdb|N/A|N/A|" + squad + "|on", "junk.mdb|N/A|N/A|File not in proper format: file is not a database|off",
                           "Matchinfo.mdb|12/4/2010|1/8/2011|Varsity 2010|on"};
    EXPECT_EQ(rows(list), last);
    // A long description shows from its start, also where the row showed the same text before.
    EXPECT_GT(list->txtDesc[0]->fontMetrics().horizontalAdvance(squad), list->txtDesc[0]->width());
    EXPECT_EQ(list->txtDesc[0]->cursorPosition(), 0);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdSelect(2)") << "the usable file below";
    EXPECT_TRUE(QApplication::focusWidget()->isEnabled());
    pressKey(Qt::Key_PageUp);
    EXPECT_EQ(rows(list)[0], "a.mdb|N/A|N/A|" + squad + "|on");
    EXPECT_EQ(list->txtDesc[0]->cursorPosition(), 0);
    ASSERT_TRUE(tabInto(list->VScroll1));
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(rows(list), last);

    // A click in a display box passes the focus on to its row's Select button.
    QTest::mouseClick(list->txtDesc[2], Qt::LeftButton);
    EXPECT_TRUE(list->cmdSelect[2]->hasFocus());
}

// A file in the folder crafted to keep whoever reads its matches busy without end, to change
// other tables at every save through a trigger, or to replace rows through a clause of its own, is
// listed at once as one that cannot be chosen, with the reason the start-up gives for it.
TEST_F(UtilitiesTest, AFileWhoseMatchesAreAnEndlessViewIsListedAsNotInProperFormat) {
    makeEndlessMatchView(makeDatabase(folder, "endless.mdb"));
    execSql(makeDatabase(folder, "trigger.mdb"),
            "CREATE TRIGGER Wipe AFTER INSERT ON [Match] BEGIN DELETE FROM HomeWI; END");
    execSql(makeDatabase(folder, "replace.mdb"),
            "PRAGMA legacy_alter_table = ON; ALTER TABLE Weight RENAME TO Old; CREATE TABLE Weight "
            "(Seq INTEGER PRIMARY KEY AUTOINCREMENT, Weight TEXT UNIQUE ON CONFLICT REPLACE); DROP TABLE Old");
    frmUtilities* utilities = openUtilities();
    utilities->cmdFindDB->click();
    frmFindDb* list = ui::forms().get<frmFindDb>();
    const QString replace = "File not in proper format: Weight has the clause ON CONFLICT REPLACE, which "
                            "this program does not make.";
    EXPECT_EQ(rows(list), (QStringList{"endless.mdb|N/A|N/A|File not in proper format: Match is a view, not a table.|off",
                                       "Matchinfo.mdb|N/A|N/A||on", "replace.mdb|N/A|N/A|" + replace + "|off"}));
    EXPECT_EQ(list->txtDesc[2]->toolTip(), replace) << "read whole where the box is too narrow";
    EXPECT_TRUE(list->txtDesc[1]->toolTip().isEmpty());
    showActive(list);
    ASSERT_TRUE(tabInto(list->VScroll1));
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(rows(list)[2], "trigger.mdb|N/A|N/A|File not in proper format: Match has the trigger Wipe, "
                             "which this program does not make.|off");
    EXPECT_EQ(gDbPath, db);
}

TEST_F(UtilitiesTest, TwoFilesLeaveTheThirdRowEmptyAndSelectSwitches) {
    const QString other = makeDatabase(folder, "other.mdb");
    execSql(other, "UPDATE License SET school = 'Eastbrook' WHERE Seq = 1;"
                   "INSERT INTO License (Seq, school) "
                   "VALUES (2, 'Varsity and JV squad 2026-2027 season, main file');"
                   "DROP INDEX ixMatchDate");
    frmUtilities* utilities = openUtilities();
    utilities->cmdFindDB->click();
    EXPECT_FALSE(utilities->isVisible());
    frmFindDb* list = ui::forms().get<frmFindDb>();
    EXPECT_EQ(list->windowTitle(), "Change DB");
    EXPECT_EQ(list->VScroll1->maximum(), 0);
    EXPECT_TRUE(list->VScroll1->isEnabled());
    EXPECT_EQ(rows(list)[2], "||||off");

    ASSERT_EQ(list->txtFilename[1]->text(), "other.mdb");
    // A description longer than its box shows from its start.
    EXPECT_EQ(list->txtDesc[1]->text(), "Varsity and JV squad 2026-2027 season, main file");
    EXPECT_GT(list->txtDesc[1]->fontMetrics().horizontalAdvance(list->txtDesc[1]->text()),
              list->txtDesc[1]->width());
    EXPECT_EQ(list->txtDesc[1]->cursorPosition(), 0);
    list->cmdSelect[1]->click();
    EXPECT_EQ(iniLine1(home.path()), folder + "other.mdb");
    frmInit* menu = ui::forms().get<frmInit>();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->lblSchool->text(), "Eastbrook");
    EXPECT_EQ(menu->lblFile->text(), folder + "other.mdb");
    EXPECT_FALSE(ui::forms().isLoaded<frmUtilities>());
    EXPECT_FALSE(ui::forms().isLoaded<frmFindDb>());
    // Only read while listed; in use, it gets its indexes.
    EXPECT_EQ(queryValue(other, kHasDateIndex).toInt(), 1);
}

// Select on a file renamed, deleted or spoilt after the list was shown, by a click or by keys:
// the coach is told, the file in use and the configuration file stay, and the list is read
// anew. The menu then opens on the file in use.
TEST_F(UtilitiesTest, SelectOnAFileChangedSinceTheListWasShownKeepsTheFileInUse) {
    struct Case {
        const char* what;
        std::function<void(const QString&)> change;
        bool byKeys;
        QString message;
        QString rowAfter;
    };
    const QString other = folder + "other.mdb";
    const QString gone = other + " is not there any more: it was renamed or deleted after the list was shown.";
    for (const Case& c :
         {Case{"renamed", [&](const QString& path) { QFile::rename(path, folder + "season2.mdb"); }, false, gone,
               "season2.mdb|N/A|N/A||on"},
          Case{"deleted", [](const QString& path) { QFile::remove(path); }, true, gone, "||||off"},
          Case{"spoilt", [](const QString& path) { writeText(path, "not a database any more"); }, false,
               other + " is no longer a database of this program: File not in proper format: file is not a database.",
               "other.mdb|N/A|N/A|File not in proper format: file is not a database|off"}}) {
        SCOPED_TRACE(c.what);
        QFile::remove(folder + "season2.mdb");
        QFile::remove(other);
        makeDatabase(folder, "other.mdb");
        frmUtilities* utilities = openUtilities();
        QTest::mouseClick(utilities->cmdFindDB, Qt::LeftButton);
        frmFindDb* list = ui::forms().get<frmFindDb>();
        ASSERT_EQ(list->txtFilename[1]->text(), "other.mdb");
        c.change(other);

        ui::ScriptedMessages msgs;
        msgs.expect(c.message + "  The database in use stays as it was.");
        if (c.byKeys) {
            activate(list);
            ASSERT_TRUE(tabInto(list->cmdSelect[1]));
            pressKey(Qt::Key_Space);
        } else {
            QTest::mouseClick(list->cmdSelect[1], Qt::LeftButton);
        }
        EXPECT_EQ(msgs.last().title, "ERROR");
        EXPECT_EQ(gDbPath, db);
        EXPECT_EQ(iniLine1(home.path()), db);
        EXPECT_TRUE(list->isVisible());
        EXPECT_FALSE(ui::forms().isLoaded<frmInit>());
        EXPECT_EQ(rows(list)[0], "Matchinfo.mdb|N/A|N/A||on");
        EXPECT_EQ(rows(list)[1], c.rowAfter);

        QTest::mouseClick(list->cmdReturn, Qt::LeftButton);
        QTest::mouseClick(utilities->cmdReturn, Qt::LeftButton);
        frmInit* menu = ui::forms().get<frmInit>();
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->lblFile->text(), db);
        EXPECT_TRUE(menu->cmdEnter->isEnabled());
    }
}

// The configuration file cannot be written: a file-size limit stands in for a full disk (in a
// child process), or a folder stands where the new file would be written. The database in use
// stays, the configuration file is as it was and no success is reported.
TEST_F(UtilitiesTest, AConfigurationFileThatCannotBeWrittenKeepsTheFileInUse) {
    makeDatabase(folder, "other.mdb");
    frmUtilities* utilities = openUtilities();
    const int child = runInChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, 0};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
        QTest::mouseClick(utilities->cmdFindDB, Qt::LeftButton);
        frmFindDb* list = ui::forms().get<frmFindDb>();
        ASSERT_EQ(list->txtFilename[1]->text(), "other.mdb");
        ui::ScriptedMessages msgs;
        msgs.expect("The configuration file could not be written, so the database in use stays");
        QTest::mouseClick(list->cmdSelect[1], Qt::LeftButton);
        EXPECT_TRUE(msgs.last().text.contains("MatchInfo.ini could not be written"));
        EXPECT_EQ(msgs.last().title, "ERROR");
        EXPECT_EQ(gDbPath, db);
        EXPECT_TRUE(list->isVisible()) << "the list stays for another try";
        EXPECT_FALSE(ui::forms().isLoaded<frmInit>());
    });
    EXPECT_EQ(child, 0);
    EXPECT_EQ(iniLine1(home.path()), db);

    // A folder stands where the configuration file would be written.
    QFile::remove(home.file("MatchInfo.ini"));
    QDir(home.path()).mkdir("MatchInfo.ini");
    QTest::mouseClick(utilities->cmdNew, Qt::LeftButton);
    frmNewDb* form = ui::forms().get<frmNewDb>();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Import Schools?", ui::Answer::No);
        msgs.expect("The configuration file could not be written");
        QTest::mouseClick(form->cmdCreate, Qt::LeftButton);
        EXPECT_TRUE(msgs.last().text.endsWith("MatchInfo.ini could not be written: a folder has that name."))
            << msgs.last().text.toStdString();
    }
    EXPECT_EQ(gDbPath, db);
    EXPECT_FALSE(QFile::exists(folder + "MATCHinfo1.mdb")) << "the new file in use nowhere is gone";
    EXPECT_TRUE(form->isVisible());

    // Once the file can be written, the same name goes through.
    QDir(home.path()).rmdir("MatchInfo.ini");
    ui::ScriptedMessages msgs;
    msgs.expect("Import Schools?", ui::Answer::No);
    msgs.expect(folder + "MATCHinfo1.mdb file created");
    QTest::mouseClick(form->cmdCreate, Qt::LeftButton);
    EXPECT_EQ(iniLine1(home.path()), folder + "MATCHinfo1.mdb");
}

// A nearly full disk (a small file system of the data folder's own, in a child process): a
// backup and a new file that do not fit say so, naming the file asked for, and leave nothing of
// themselves; the file in use and the configuration file stay as they were.
TEST_F(UtilitiesTest, ANearlyFullDiskKeepsTheFileInUseAndLeavesNothingHalfMade) {
    if (!smallDisksCanBeMade()) GTEST_SKIP() << "no small file system can be made here";
    const int child = runInChildProcess([&] {
        ASSERT_TRUE(mountSmallDisk(folder, 1024));
        ASSERT_EQ(makeDatabase(folder, "Matchinfo.mdb"), db);
        execSql(db, "UPDATE License SET school = 'Central High' WHERE Seq = 1");
        ASSERT_TRUE(QFile::copy(templatePath("Blank_MatchInfo.md_"), folder + "Blank_MatchInfo.md_"));
        frmUtilities* utilities = openUtilities();
        leaveFree(folder, 40 * 1024);
        const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        ui::ScriptedMessages msgs;
        msgs.expect(db + " could not be copied to " + folder + "matchinfo ");
        activate(utilities);
        QTest::keyClick(utilities, Qt::Key_B, Qt::AltModifier);
        EXPECT_TRUE(msgs.last().text.endsWith(".bak: no space left on the disk."))
            << msgs.last().text.toStdString();
        EXPECT_EQ(msgs.last().title, "Error");
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);

        QFile::remove(folder + "filler");
        leaveFree(folder, 88 * 1024);
        QTest::keyClick(utilities, Qt::Key_N, Qt::AltModifier);
        frmNewDb* form = ui::forms().get<frmNewDb>();
        activate(form);
        msgs.expect("The file could not be created.\n\n");
        QTest::keyClick(form, Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(msgs.last().text.contains(folder + "MATCHinfo1.mdb")) << msgs.last().text.toStdString();
        EXPECT_TRUE(msgs.last().text.contains("full") || msgs.last().text.contains("no space left"))
            << msgs.last().text.toStdString();
        EXPECT_EQ(msgs.last().title, "ERROR");
        EXPECT_EQ(msgs.messages().size(), 2u) << "one message";
        EXPECT_EQ(gDbPath, db);
        EXPECT_EQ(iniLine1(home.path()), db);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
        EXPECT_TRUE(form->isVisible());

        // Back on the menu, the file in use is the old one.
        QTest::keyClick(form, Qt::Key_R, Qt::AltModifier);
        activate(utilities);
        QTest::keyClick(utilities, Qt::Key_R, Qt::AltModifier);
        frmInit* menu = ui::forms().get<frmInit>();
        EXPECT_EQ(menu->lblSchool->text(), "Central High");
        EXPECT_EQ(menu->lblFile->text(), db);
    });
    EXPECT_EQ(child, 0);
}

TEST_F(UtilitiesTest, DescriptionLoadsAndAnEmptyOneIsStoredAsABlank) {
    useDatabase(db);
    frmChangeDesc* none = showActive(ui::forms().get<frmChangeDesc>());
    EXPECT_EQ(none->txtDesc->text(), "") << "no row 2 yet";
    // Another copy adds row 2 while this one shows none: it is not written over.
    execSql(db, "INSERT INTO License (Seq, school) VALUES (2, 'Varsity')");
    typeInto(none->txtDesc, "Mine");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Nothing was saved: another program, or another copy of this one, has changed or deleted "
                    "this row of License");
        QTest::mouseClick(none->cmdCreate, Qt::LeftButton);
    }
    EXPECT_EQ(queryValue(db, "SELECT school FROM License WHERE Seq = 2").toString(), "Varsity");
    ui::forms().unload<frmChangeDesc>();

    frmChangeDesc* form = ui::forms().get<frmChangeDesc>();
    EXPECT_EQ(form->txtDesc->text(), "Varsity");
    EXPECT_EQ(form->txtSchool->text(), "Central High");
    form->txtDesc->clear();
    form->cmdCreate->click();
    EXPECT_FALSE(form->isUnloading()) << "the form stays open";
    EXPECT_EQ(queryValue(db, "SELECT school FROM License WHERE Seq = 2").toString(), " ");

    // Another copy of the program changes the description meanwhile: neither row is written.
    execSql(db, "UPDATE License SET school = 'Their file' WHERE Seq = 2");
    showActive(form);
    typeInto(form->txtSchool, "West High");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Nothing was saved: another program, or another copy of this one, has changed or deleted "
                    "this row of License");
        QTest::mouseClick(form->cmdCreate, Qt::LeftButton);
    }
    EXPECT_EQ(queryRows(db, "SELECT school FROM License ORDER BY Seq"),
              (QList<QVariantList>{{"Central High"}, {"Their file"}}));
    ui::forms().unload<frmChangeDesc>();
    EXPECT_EQ(ui::forms().get<frmChangeDesc>()->txtDesc->text(), "Their file");
}

// The school's name corrected under Change File Description, by keys and clicks: stored trimmed
// and exactly as typed, with the description, in one save; a name that cannot be taken stores
// nothing. The menu shows it on its next load, and a file made by Create New (the data folder's
// blank database gone, so the installed one is used) carries it over.
TEST_F(UtilitiesTest, SchoolNameIsCorrectedUnderChangeFileDescription) {
    execSql(db, "INSERT INTO License (Seq, school) VALUES (2, 'Varsity')");
    frmUtilities* utilities = openUtilities();
    QTest::mouseClick(utilities->cmdUpdateDesc, Qt::LeftButton);
    frmChangeDesc* form = ui::forms().get<frmChangeDesc>();
    activate(form);
    EXPECT_EQ(form->Frame2->title(), "School Name");
    EXPECT_EQ(form->txtSchool->text(), "Central High");

    // Tab follows the order on the form: the two boxes, then Update, Return, Help.
    form->txtDesc->setFocus();
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        order << QApplication::focusWidget()->objectName();
        pressKey(Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' '), "txtDesc txtSchool cmdCreate cmdReturn cmdHelp");

    const auto stored = [&] {
        return queryRows(db, "SELECT school FROM License ORDER BY Seq");
    };
    struct Case {
        QString typed;
        QString refusal;  // "" when taken
        QString kept;
    };
    const QString fifty = QString(48, 'a') + "é" + QString::fromUtf8("\U0001F93C");
    for (const Case& c : {Case{"", "Please enter the name of your school", "Central High"},
                          Case{"    ", "Please enter the name of your school", "Central High"},
                          Case{fifty + "b", "School Name must be at most 50 characters", "Central High"},
                          Case{fifty, "", fifty},
                          Case{"  Notre Dame-Cathedral Latin ", "", "Notre Dame-Cathedral Latin"},
                          Case{"École Sainte-Thérèse", "", "École Sainte-Thérèse"},
                          Case{"St. Mary's", "", "St. Mary's"}}) {
        SCOPED_TRACE(c.typed.toStdString());
        pasteInto(form->txtSchool, c.typed);
        pasteInto(form->txtDesc, "JV " + c.kept);
        const QList<QVariantList> before = stored();
        ui::ScriptedMessages msgs;
        if (!c.refusal.isEmpty()) msgs.expect(c.refusal);
        pressKey(Qt::Key_U, Qt::AltModifier);
        EXPECT_EQ(msgs.messages().size(), c.refusal.isEmpty() ? 0u : 1u);
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(msgs.last().title, "ERROR");
            EXPECT_TRUE(form->txtSchool->hasFocus());
            EXPECT_EQ(stored(), before) << "nothing stored";
        } else {
            EXPECT_EQ(form->txtSchool->text(), c.kept);
            EXPECT_EQ(stored(), (QList<QVariantList>{{c.kept}, {"JV " + c.kept}}));
        }
        EXPECT_TRUE(form->isVisible()) << "the form stays open";
    }

    // Return, Return: the menu shows the corrected name.
    QTest::mouseClick(form->cmdReturn, Qt::LeftButton);
    QTest::mouseClick(utilities->cmdReturn, Qt::LeftButton);
    EXPECT_EQ(ui::forms().get<frmInit>()->lblSchool->text(), "St. Mary's");

    // Corrected again and, straight from Utilities, a new file: it carries the new name.
    utilities = openUtilities();
    QTest::mouseClick(utilities->cmdUpdateDesc, Qt::LeftButton);
    form = ui::forms().get<frmChangeDesc>();
    activate(form);
    typeInto(form->txtSchool, "Lakeview Academy");
    QTest::mouseClick(form->cmdCreate, Qt::LeftButton);
    QTest::mouseClick(form->cmdReturn, Qt::LeftButton);
    QFile::remove(folder + "Blank_MatchInfo.md_");
    QTest::mouseClick(utilities->cmdNew, Qt::LeftButton);
    frmNewDb* newFile = ui::forms().get<frmNewDb>();
    ui::ScriptedMessages msgs;
    msgs.expect("Import Schools?", ui::Answer::No);
    msgs.expect(folder + "MATCHinfo1.mdb file created");
    QTest::mouseClick(newFile->cmdCreate, Qt::LeftButton);
    EXPECT_EQ(queryValue(folder + "MATCHinfo1.mdb", "SELECT school FROM License WHERE Seq = 1").toString(),
              "Lakeview Academy");
    EXPECT_EQ(readFileBytes(folder + "Blank_MatchInfo.md_"),
              readFileBytes(templatePath("Blank_MatchInfo.md_")))
        << "the installed blank database is put in the data folder";
    EXPECT_EQ(ui::forms().get<frmInit>()->lblSchool->text(), "Lakeview Academy");
}

TEST_F(UtilitiesTest, NewFileProposesAFreeNameAndRefusesBadEntries) {
    // The name in use is taken, and so are names that differ only in letter case.
    makeDatabase(folder, "matchINFO1.MDB");
    useDatabase(db);
    ASSERT_TRUE(db.endsWith("/Matchinfo.mdb"));
    frmNewDb* form = showActive(ui::forms().get<frmNewDb>());
    EXPECT_EQ(form->windowTitle(), "Create New File");
    EXPECT_EQ(form->txtFileName->text(), "MATCHinfo2");
    EXPECT_TRUE(form->txtDesc->text().startsWith("New File created "));
    const QStringList before = QDir(folder).entryList(QDir::Files);

    ui::ScriptedMessages msgs;
    form->txtDesc->setText(QString(51, 'x'));
    msgs.expect("Description Field must be less than 50 characters");
    form->cmdCreate->click();
    EXPECT_EQ(msgs.last().title, "ERROR");
    EXPECT_EQ(msgs.last().buttons, ui::Buttons::OKCancel);
    EXPECT_TRUE(form->txtDesc->hasFocus());

    // 50 characters pass. A data folder without its blank database takes the installed one
    // (below); when that cannot be put there either (a file-size limit, in a child process),
    // the coach is told why and nothing is made.
    form->txtDesc->setText(QString(50, 'x'));
    QFile::rename(folder + "Blank_MatchInfo.md_", folder + "hidden");
    const int child = runInChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, 0};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
        const QStringList kept = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        ui::ScriptedMessages refusal;
        refusal.expect("Blank Database does not exist, and the one installed with Kestrivane could "
                       "not be put in its place.\n\n");
        form->cmdCreate->click();
        EXPECT_TRUE(refusal.last().text.contains(folder + "Blank_MatchInfo.md_"))
            << refusal.last().text.toStdString();
        EXPECT_EQ(refusal.last().title, "ERROR");
        EXPECT_EQ(refusal.messages().size(), 1u);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), kept);
    });
    EXPECT_EQ(child, 0);
    QFile::rename(folder + "hidden", folder + "Blank_MatchInfo.md_");

    // A name refused, by a click or by keys, is corrected in its box.
    struct Refused {
        QString name;
        QString message;
    };
    for (const Refused& r : {Refused{"MATCHinfo1", folder + "matchINFO1.MDB file already exists.  Please rename"},
                             Refused{"matchinfo", db + " file already exists.  Please rename"},
                             Refused{"", "Please enter a file name"},
                             Refused{"   ", "Please enter a file name"},
                             Refused{"../outside", "Please enter a file name without a folder"},
                             Refused{"sub/inner", "Please enter a file name without a folder"}}) {
        SCOPED_TRACE(r.name.toStdString());
        for (const bool byKeys : {false, true}) {
            typeInto(form->txtFileName, r.name);
            msgs.expect(r.message);
            if (byKeys)
                pressKey(Qt::Key_C, Qt::AltModifier);
            else
                QTest::mouseClick(form->cmdCreate, Qt::LeftButton);
            EXPECT_EQ(msgs.last().text, r.message);
            EXPECT_EQ(msgs.last().title, "ERROR");
            EXPECT_TRUE(form->txtFileName->hasFocus());
        }
    }
    EXPECT_FALSE(QFile::exists(home.file("outside.mdb")));

    // A copy that fails writes no configuration file.
    QFile::rename(folder + "Blank_MatchInfo.md_", folder + "hidden");
    QDir(folder).mkdir("Blank_MatchInfo.md_");
    form->txtFileName->setText("MATCHinfo2");
    msgs.expect("The file could not be created.");
    form->cmdCreate->click();
    QDir(folder).rmdir("Blank_MatchInfo.md_");
    QFile::rename(folder + "hidden", folder + "Blank_MatchInfo.md_");

    EXPECT_EQ(QDir(folder).entryList(QDir::Files), before);
    EXPECT_EQ(iniLine1(home.path()), db) << "the configuration file is untouched";
    EXPECT_TRUE(ui::forms().isLoaded<frmNewDb>());
}

// On a real display, the real message box answered by Enter: the focus is back in the name box,
// where the coach corrects the name by typing.
TEST_F(UtilitiesTest, NewFileRefusalPutsTheFocusBackInTheNameOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    frmUtilities* utilities = openUtilities();
    QTest::mouseClick(utilities->cmdNew, Qt::LeftButton);
    frmNewDb* form = ui::forms().get<frmNewDb>();
    showOnScreen(form);
    xClick(form->txtFileName);
    xKeys("ctrl+a");
    xType("../Season2");
    // The box is answered once it is up: the click that shows it returns only when it closes.
    QString shown;
    const AnswerRealMessageBox answer([&](QMessageBox* box) {
        shown = box->text();
        xKeys("Return");
    });
    xClick(form->cmdCreate);
    ASSERT_TRUE(waitFor([&] { return !shown.isEmpty() && !QApplication::activeModalWidget(); }));
    EXPECT_EQ(shown, "Please enter a file name without a folder");
    ASSERT_TRUE(waitFor([&] { return form->txtFileName->hasFocus(); }));
    xKeys("Home Delete Delete Delete");
    EXPECT_EQ(form->txtFileName->text(), "Season2");
}

TEST_F(UtilitiesTest, NewFileWithoutImportCarriesTheSchoolOver) {
    // The coach once gave the blank file a description of its own: the new file takes the one
    // typed now.
    execSql(folder + "Blank_MatchInfo.md_", "INSERT INTO License (Seq, school) VALUES (2, 'Blank file')");
    frmUtilities* utilities = openUtilities();
    EXPECT_EQ(gSchoolName, "Central High");
    utilities->cmdNew->click();
    frmNewDb* form = ui::forms().get<frmNewDb>();
    activate(form);
    // Tab follows the order on the form: the two boxes, then Create New, Return, Help.
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        order << QApplication::focusWidget()->objectName();
        pressKey(Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' '), "txtFileName txtDesc cmdCreate cmdReturn cmdHelp");
    form->txtDesc->setText("JV squad");

    ui::ScriptedMessages msgs;
    msgs.expect("Import Schools?", ui::Answer::No);
    msgs.expect(folder + "MATCHinfo1.mdb file created");
    form->cmdCreate->click();
    EXPECT_EQ(msgs.messages()[0].title, "IMPORT");
    EXPECT_EQ(msgs.last().title, "Copy completed");

    const QString made = folder + "MATCHinfo1.mdb";
    EXPECT_EQ(queryValue(made, "SELECT school FROM License WHERE Seq = 1").toString(), "Central High");
    EXPECT_EQ(queryValue(made, "SELECT school FROM License WHERE Seq = 2").toString(), "JV squad");
    EXPECT_EQ(queryValue(made, "SELECT COUNT(*) FROM OppSchool").toInt(), 0);
    EXPECT_EQ(iniLine1(home.path()), made);
    EXPECT_EQ(ui::forms().get<frmInit>()->lblFile->text(), made);
    EXPECT_FALSE(ui::forms().isLoaded<frmUtilities>());
    EXPECT_FALSE(ui::forms().isLoaded<frmNewDb>());
}

// A new file takes nothing an earlier file of its name left: a journal of a save stopped midway,
// the log of another file in write-ahead-log mode. What the engine's own files cannot be (a
// folder, a link) refuses the name instead.
TEST_F(UtilitiesTest, NewFileTakesNoJournalOrLogAnEarlierFileLeft) {
    const QString season2 = makeDatabase(folder, "Season2.mdb");
    leaveHotJournal(season2);
    QFile::remove(season2);
    const QString other = makeDatabase(folder, "other.mdb");
    WalModeConnection otherTool(other);
    otherTool.exec("INSERT INTO OppSchool (OppSchool, OppDiv) WITH RECURSIVE n(i) AS (SELECT 1 "
                   "UNION ALL SELECT i + 1 FROM n WHERE i < 121) SELECT 'School ' || i, 3 FROM n");
    ASSERT_TRUE(QFile::copy(other + "-wal", folder + "Season3.mdb-wal"));
    QDir(folder).mkdir("Season4.mdb-journal");
    gSchoolName = "Central High";

    for (const char* name : {"Season2", "Season3"}) {
        SCOPED_TRACE(name);
        useDatabase(db);
        frmNewDb* form = ui::forms().get<frmNewDb>();
        form->txtFileName->setText(name);
        ui::ScriptedMessages msgs;
        msgs.expect("Import Schools?", ui::Answer::No);
        msgs.expect(folder + name + ".mdb file created");
        form->cmdCreate->click();
        const QString made = folder + name + ".mdb";
        EXPECT_EQ(queryValue(made, "PRAGMA integrity_check").toString(), "ok");
        EXPECT_EQ(queryValue(made, "SELECT (SELECT COUNT(*) FROM OppSchool) + (SELECT COUNT(*) "
                                   "FROM [Match]) + (SELECT COUNT(*) FROM Wrestler)").toInt(), 0);
        EXPECT_EQ(queryValue(made, "SELECT school FROM License WHERE Seq = 1").toString(), "Central High");
        EXPECT_EQ(QDir(folder).entryList({QString(name) + ".mdb-*"}, QDir::AllEntries), QStringList());
    }

    useDatabase(db);
    frmNewDb* form = ui::forms().get<frmNewDb>();
    form->txtFileName->setText("Season4");
    ui::ScriptedMessages msgs;
    msgs.expect("The file could not be created.");
    form->cmdCreate->click();
    EXPECT_TRUE(msgs.last().text.endsWith(
        "Season4.mdb-journal is a folder, and the database engine would take it for a part of the "
        "new file; remove it, or choose another name."))
        << msgs.last().text.toStdString();
    EXPECT_FALSE(QFile::exists(folder + "Season4.mdb"));
    EXPECT_EQ(iniLine1(home.path()), folder + "Season3.mdb");
}

TEST_F(UtilitiesTest, NewFileImportsTheLowestNumberedSchoolList) {
    useDatabase(db);
    gSchoolName = "Central High";
    frmNewDb* form = ui::forms().get<frmNewDb>();
    ui::ScriptedMessages msgs;
    // Without a school list the file is made all the same.
    msgs.expect("Import Schools?", ui::Answer::Yes);
    msgs.expect("Unable to find school listing.  Create New imports a file of " + folder +
                " named with two characters and \" school list.txt\" (for example \"01 school "
                "list.txt\"), holding each school's division, a comma and its name, one school to a "
                "line (3,Central High).  To import a list into the new file later: Enter Opp. "
                "Roster, Add Schools, Import School List.");
    msgs.expect("file created");
    form->cmdCreate->click();
    EXPECT_EQ(msgs.messages()[1].title, "ERROR");
    EXPECT_TRUE(QFile::exists(folder + "MATCHinfo1.mdb"));

    writeText(folder + "10 school list.txt", "1,Tenth Street\r\n");
    writeText(folder + "09 school list.txt", "3,Central\r\n\"2\",\"St. Mary's\"\r\n");
    useDatabase(db);
    form = ui::forms().get<frmNewDb>();
    EXPECT_EQ(form->findSchoolList(), folder + "09 school list.txt");
    EXPECT_EQ(form->txtFileName->text(), "MATCHinfo2");
    msgs.clear();
    msgs.expect("Import Schools?", ui::Answer::Yes);
    msgs.expect(folder + "MATCHinfo2.mdb file created");
    form->cmdCreate->click();
    EXPECT_EQ(queryRows(folder + "MATCHinfo2.mdb", "SELECT OppDiv, OppSchool FROM OppSchool ORDER BY OppSchool"),
              (QList<QVariantList>{{3, "Central"}, {2, "St. Mary's"}}));
    EXPECT_FALSE(ui::forms().isLoaded<frmNewDb>());
}

}  // namespace
