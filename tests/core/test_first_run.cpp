// The first run: no configuration file; a new database made in a chosen folder, or an existing
// one found with the file picker.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <stdexcept>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "core/connection.h"
#include "core/frmDirLoc.h"
#include "core/frmFileLoc.h"
#include "core/frmInit.h"
#include "core/frmSchoolName.h"
#include "core/startup.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/real_input.h"
#include "support/user_input.h"
#include "team/frmSchools.h"

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

class FirstRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetCoreState();
        setEndProgramHandler([this] { ++ends; });
        QDir(home.path()).mkpath(QStringLiteral("team"));
    }
    void TearDown() override {
        ui::forms().unloadAll();
        setEndProgramHandler({});
    }

    // Loads the menu with no configuration file and answers the first-run question.
    void startFirstRun(ui::Answer answer, const char* followUp) {
        ui::ScriptedMessages msgs;
        msgs.expect("This looks like the first time");
        msgs.expect("Would you like to create a new database?", answer);
        if (followUp) msgs.expect(followUp);
        ui::forms().get<frmInit>();
        ASSERT_GE(msgs.messages().size(), 2u);
        EXPECT_EQ(msgs.messages()[0].text, "This looks like the first time\nyou have run this program");
        EXPECT_EQ(msgs.messages()[0].title, "Kestrivane");
        EXPECT_EQ(msgs.messages()[1].title, "Error");
        EXPECT_EQ(msgs.messages()[1].buttons, ui::Buttons::YesNoCancel);
        EXPECT_EQ(msgs.messages().size(), followUp ? 3u : 2u) << "no version messages meanwhile";
    }

    // Runs a first run up to the question for the school's name: a new database made in
    // `folder` (Yes), or one made there from the template beforehand and picked (No).
    frmSchoolName* toTheSchoolQuestion(const QString& folder, bool pick) {
        QDir().mkpath(folder);
        if (pick) {
            makeDatabase(folder);
            startFirstRun(ui::Answer::No, "Please select the previously created database");
            frmFileLoc* fileLoc = ui::forms().get<frmFileLoc>();
            fileLoc->txtDirectory->setText(folder);
            fileLoc->txtFileName->setText("Matchinfo.mdb");
            QTest::mouseClick(fileLoc->cmdRetreive, Qt::LeftButton);
        } else {
            startFirstRun(ui::Answer::Yes, "Please select directory");
            frmDirLoc* dirLoc = ui::forms().get<frmDirLoc>();
            dirLoc->txtDirectory->setText(folder);
            ui::ScriptedMessages msgs;
            msgs.expect("will be created");
            QTest::mouseClick(dirLoc->cmdOk, Qt::LeftButton);
        }
        EXPECT_FALSE(ui::forms().get<frmInit>()->isVisible());
        frmSchoolName* question = ui::forms().get<frmSchoolName>();
        EXPECT_TRUE(question->isVisible());
        activate(question);
        return question;
    }

    QString team() const { return home.file(QStringLiteral("team")); }
    QString ini() const { return home.file(QStringLiteral("MatchInfo.ini")); }

    TestHome home;
    int ends = 0;
};

TEST_F(FirstRunTest, CancelEndsWithoutTouchingAnyFile) {
    startFirstRun(ui::Answer::Cancel, nullptr);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(ui::forms().get<frmInit>()->isVisible());
    EXPECT_FALSE(ui::forms().isLoaded<frmDirLoc>());
    EXPECT_FALSE(ui::forms().isLoaded<frmFileLoc>());
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(team()).entryList(QDir::Files), QStringList());
}

TEST_F(FirstRunTest, YesCreatesTheDatabaseInTheChosenFolderAndShowsTheMenuOnIt) {
    for (int i = 0; i < 40; ++i) QDir(home.path()).mkpath(QStringLiteral("season%1").arg(i));
    startFirstRun(ui::Answer::Yes, "Please select directory for the new database");
    EXPECT_FALSE(ui::forms().get<frmInit>()->isVisible());
    frmDirLoc* dirLoc = ui::forms().get<frmDirLoc>();
    EXPECT_TRUE(dirLoc->isVisible());
    EXPECT_EQ(dirLoc->windowTitle(), "Database Directory Location");
    EXPECT_EQ(dirLoc->txtDirectory->text(), home.path()) << "starts in the home folder";

    // The folder list writes the chosen folder into the folder box, without a final slash.
    // The drive list sets the folder list to that drive.
    dirLoc->DriveBox_Change();
    EXPECT_EQ(dirLoc->txtDirectory->text(), dirLoc->DriveBox->currentText());
    dirLoc->DirBox->setFolder(team());
    EXPECT_EQ(dirLoc->txtDirectory->text(), team());
    // Once the coach has turned the wheel over the tree, it stays where he put it, also when a
    // listed folder changes on disk and is read again.
    QScrollBar* bar = dirLoc->DirBox->verticalScrollBar();
    ASSERT_TRUE(waitFor([bar] { return bar->value() > 0; })) << "shown deep in the tree";
    QWidget* tree = dirLoc->DirBox->viewport();
    QWheelEvent away(QPointF(tree->rect().center()), QPointF(tree->mapToGlobal(tree->rect().center())),
                     QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tree, &away);
    const int turned = bar->value();
    QSignalSpy read(dirLoc->DirBox->findChild<QFileSystemModel*>(), &QFileSystemModel::directoryLoaded);
    QDir(home.path()).mkdir(QStringLiteral("late"));
    ASSERT_TRUE(waitFor([&] {
        for (const QList<QVariant>& folder : read)
            if (folder.value(0).toString() == home.path()) return true;
        return false;
    }));
    EXPECT_EQ(bar->value(), turned);

    ui::ScriptedMessages msgs;
    msgs.expect("The database ");
    dirLoc->cmdOk->click();
    ASSERT_EQ(msgs.messages().size(), 1u);
    const QString db = team() + QStringLiteral("/Matchinfo.mdb");
    EXPECT_EQ(msgs.messages()[0].text, QStringLiteral("The database \n\n") + db + "\n\nwill be created");
    EXPECT_EQ(msgs.messages()[0].buttons, ui::Buttons::OKCancel);

    EXPECT_EQ(readFile(db), readFile(templatePath("matchinfo.md_")));
    EXPECT_TRUE(QFile::exists(team() + "/Blank_MatchInfo.md_"));
    EXPECT_EQ(readFile(ini()), (db + "\r\n\r\n").toUtf8());
    EXPECT_EQ(gDbPath, db);
    EXPECT_EQ(gDbFolder, team() + "/");
    EXPECT_FALSE(ui::forms().isLoaded<frmDirLoc>());

    // Before the menu, the school's name is asked for; Enter answers.
    EXPECT_FALSE(ui::forms().get<frmInit>()->isVisible());
    frmSchoolName* question = ui::forms().get<frmSchoolName>();
    ASSERT_TRUE(question->isVisible());
    EXPECT_EQ(question->lblQuestion->text(), "What is the name of your school?");
    EXPECT_EQ(question->txtSchool->text(), "");
    activate(question);
    typeInto(question->txtSchool, "Riverbend High School");
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(ui::forms().isLoaded<frmSchoolName>());
    EXPECT_EQ(queryValue(db, "SELECT school FROM License WHERE Seq = 1").toString(), "Riverbend High School");

    frmInit* menu = ui::forms().get<frmInit>();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->lblFile->text(), db);
    EXPECT_EQ(menu->lblSchool->text(), "Riverbend High School");
    EXPECT_EQ(menu->lblVersion->text(), "Version: d8a8.30");
    EXPECT_TRUE(menu->cmdEnter->isEnabled());
    EXPECT_EQ(ends, 0);
}

// The school's name asked for at the first run, answered by keys and clicks: a name is trimmed
// and stored exactly as typed; no name, Cancel or the close box keep the template's, and the
// menu says where to set it later; so does Escape, from the box or from a button. A pasted name
// keeps none of the control characters it was copied with.
TEST_F(FirstRunTest, TheSchoolsNameIsAskedOnceTheDatabaseIsChosen) {
    enum class Answer { Enter, ClickOk, AltO, ClickCancel, AltC, CloseBox, Escape, EscapeOnOk };
    struct Case {
        QString typed;
        bool paste;
        Answer answer;
        bool pick;  // the file picked (No), else made (Yes)
        QString stored;
    };
    const QString fifty = QString(49, 'x') + QString::fromUtf8("\U0001F93C");  // 50 characters
    const QString kept = "Sample School";
    const std::vector<Case> cases = {
        {"  St. Mary's  ", false, Answer::ClickOk, false, "St. Mary's"},
        {"Notre Dame-Cathedral Latin", false, Answer::AltO, false, "Notre Dame-Cathedral Latin"},
        {"École Sainte-Thérèse", false, Answer::Enter, true, "École Sainte-Thérèse"},
        {fifty, true, Answer::Enter, false, fifty},
        {"Lakeview", false, Answer::ClickCancel, false, kept},
        {"Lakeview", false, Answer::AltC, true, kept},
        {"", false, Answer::Enter, false, kept},
        {"   ", false, Answer::ClickOk, true, kept},
        {"Lakeview", false, Answer::CloseBox, false, kept},
        {"Lakeview", false, Answer::Escape, true, kept},
        {"Lakeview", false, Answer::EscapeOnOk, false, kept},
        {QStringLiteral("ab") + QChar(0) + "cd\tHigh\x7f" + QChar(0x85), true, Answer::Enter, false, "abcd High"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        const QString folder = team() + QStringLiteral("/%1/").arg(i);
        frmSchoolName* question = toTheSchoolQuestion(folder, c.pick);
        if (c.paste)
            pasteInto(question->txtSchool, c.typed);
        else
            typeInto(question->txtSchool, c.typed);

        ui::ScriptedMessages msgs;
        if (c.stored == kept)
            msgs.expect("To set your school's name later: Utilities, Change File Description, type "
                        "it under School Name and click Update.");
        switch (c.answer) {
            case Answer::Enter: pressKey(Qt::Key_Return); break;
            case Answer::ClickOk: QTest::mouseClick(question->cmdOk, Qt::LeftButton); break;
            case Answer::AltO: pressKey(Qt::Key_O, Qt::AltModifier); break;
            case Answer::ClickCancel: QTest::mouseClick(question->cmdCancel, Qt::LeftButton); break;
            case Answer::AltC: pressKey(Qt::Key_C, Qt::AltModifier); break;
            case Answer::CloseBox: question->close(); break;
            case Answer::Escape: pressKey(Qt::Key_Escape); break;
            case Answer::EscapeOnOk:
                ASSERT_TRUE(tabInto(question->cmdOk));
                pressKey(Qt::Key_Escape);
                break;
        }
        EXPECT_EQ(msgs.messages().size(), c.stored == kept ? 1u : 0u);
        if (c.stored == kept) {
            EXPECT_EQ(msgs.last().title, "School Name");
        }
        EXPECT_EQ(queryValue(folder + "Matchinfo.mdb", "SELECT school FROM License WHERE Seq = 1").toString(),
                  c.stored);
        EXPECT_FALSE(ui::forms().isLoaded<frmSchoolName>());
        frmInit* menu = ui::forms().get<frmInit>();
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->lblSchool->text(), c.stored);
        EXPECT_LE(menu->lblSchool->fontMetrics().horizontalAdvance(c.stored), menu->lblSchool->width())
            << "the whole name shows";
        EXPECT_EQ(menu->lblFile->text(), folder + "Matchinfo.mdb");
        EXPECT_EQ(ends, 0);

        ui::forms().unloadAll();
        resetCoreState();
        QFile::remove(ini());
        QDir::setCurrent(home.path());
    }

    // A name longer than 50 characters is refused and stays to be shortened. The menu shows 50
    // wide letters smaller, or cut with the whole name as its tool tip.
    frmSchoolName* question = toTheSchoolQuestion(team() + "/long/", false);
    typeInto(question->txtSchool, QString(51, 'W'));
    {
        ui::ScriptedMessages msgs;
        msgs.expect("School Name must be at most 50 characters");
        pressKey(Qt::Key_Return);
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_TRUE(question->isVisible());
    EXPECT_TRUE(question->txtSchool->hasFocus());
    EXPECT_EQ(queryValue(team() + "/long/Matchinfo.mdb", "SELECT school FROM License WHERE Seq = 1"), kept);
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Return);
    const QLabel* shown = ui::forms().get<frmInit>()->lblSchool;
    EXPECT_LE(shown->fontMetrics().horizontalAdvance(shown->text()), shown->width());
    EXPECT_LT(shown->font().pointSize(), QFont().pointSize() + 4);
    if (shown->text() != QString(50, 'W')) {
        EXPECT_EQ(shown->toolTip(), QString(50, 'W'));
        EXPECT_TRUE(shown->text().endsWith(QChar(0x2026))) << shown->text().toStdString();
    }
}

// Escape on a real display, from the name box and from a button, answers as Cancel does.
TEST_F(FirstRunTest, EscapeAnswersTheSchoolQuestionOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    for (const bool fromButton : {false, true}) {
        SCOPED_TRACE(fromButton ? "from Ok" : "from the box");
        const QString folder = team() + (fromButton ? "/button/" : "/box/");
        frmSchoolName* question = toTheSchoolQuestion(folder, false);
        showOnScreen(question);
        ASSERT_TRUE(question->txtSchool->hasFocus());
        xType("Lakeview");
        if (fromButton) xKeys("Tab");
        ui::ScriptedMessages msgs;
        msgs.expect("To set your school's name later");
        xKeys("Escape");
        EXPECT_FALSE(ui::forms().isLoaded<frmSchoolName>());
        EXPECT_EQ(queryValue(folder + "Matchinfo.mdb", "SELECT school FROM License WHERE Seq = 1").toString(),
                  "Sample School");
        EXPECT_TRUE(ui::forms().get<frmInit>()->isVisible());
        ui::forms().unloadAll();
        resetCoreState();
        QFile::remove(ini());
        QDir::setCurrent(home.path());
    }
}

TEST_F(FirstRunTest, AnExistingDatabaseIsReplacedOnlyByACompleteCopy) {
    startFirstRun(ui::Answer::Yes, "Please select directory");
    frmDirLoc* dirLoc = ui::forms().get<frmDirLoc>();
    const QString db = team() + "/Matchinfo.mdb";
    writeFile(db, "the coach's season");
    dirLoc->txtDirectory->setText(team() + "/");

    {  // Overwrite refused: nothing changes, the form stays.
        ui::ScriptedMessages msgs;
        msgs.expect("will be created").expect("Database Exists\n\nOverwrite?", ui::Answer::Cancel);
        dirLoc->cmdOk->click();
    }
    EXPECT_EQ(readFile(db), "the coach's season");
    EXPECT_TRUE(dirLoc->isVisible());

    // The copy fails (a file-size limit): the old file stays, the user is told why, naming the
    // file asked for, and no configuration is written. The limit is set in this process and
    // lifted again: the folder list's own thread makes a forked child of this form unsafe.
    {
        struct FileSizeLimit {
            rlimit before{};
            void (*signalBefore)(int) = std::signal(SIGXFSZ, SIG_IGN);
            FileSizeLimit() {
                getrlimit(RLIMIT_FSIZE, &before);
                const rlimit small{4096, before.rlim_max};
                if (setrlimit(RLIMIT_FSIZE, &small) != 0) throw std::runtime_error("no file-size limit");
            }
            ~FileSizeLimit() {
                setrlimit(RLIMIT_FSIZE, &before);
                std::signal(SIGXFSZ, signalBefore);
            }
        } limit;
        ui::ScriptedMessages msgs;
        msgs.expect("will be created").expect("Overwrite?").expect("could not be created");
        QTest::mouseClick(dirLoc->cmdOk, Qt::LeftButton);
        EXPECT_EQ(msgs.last().title, "ERROR");
        EXPECT_TRUE(msgs.last().text.endsWith("matchinfo.md_ could not be copied to " + db +
                                              ": the file could not grow: it would pass the "
                                              "file-size limit."))
            << msgs.last().text.toStdString();
        EXPECT_TRUE(ui::forms().isLoaded<frmDirLoc>());
    }
    EXPECT_EQ(readFile(db), "the coach's season");
    EXPECT_FALSE(QFile::exists(ini()));
    EXPECT_EQ(QDir(team()).entryList(QDir::Files | QDir::Hidden), QStringList{"Matchinfo.mdb"});

    {  // Overwrite accepted.
        ui::ScriptedMessages msgs;
        msgs.expect("will be created").expect("Overwrite?");
        dirLoc->cmdOk->click();
    }
    EXPECT_EQ(readFile(db), readFile(templatePath("matchinfo.md_")));
    EXPECT_TRUE(QFile::exists(ini()));
    EXPECT_TRUE(ui::forms().get<frmSchoolName>()->isVisible()) << "the name is asked for next";
}

// The file replaced had a save stopped midway: its journal, which the engine would apply to any
// file of that name, goes with it, and the new file is the template's, whole.
TEST_F(FirstRunTest, AnOverwrittenDatabasesJournalIsNotAppliedToTheNewOne) {
    const QString db = makeDatabase(team());
    leaveHotJournal(db);
    startFirstRun(ui::Answer::Yes, "Please select directory");
    frmDirLoc* dirLoc = ui::forms().get<frmDirLoc>();
    dirLoc->txtDirectory->setText(team() + "/");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("will be created").expect("Overwrite?");
        dirLoc->cmdOk->click();
    }
    EXPECT_EQ(gSchoolName, "Sample School") << "the template's settings are read";
    EXPECT_TRUE(ui::forms().get<frmSchoolName>()->isVisible());
    EXPECT_FALSE(QFile::exists(db + "-journal"));
    EXPECT_EQ(queryValue(db, "PRAGMA integrity_check").toString(), "ok");
    const QString rows = "SELECT (SELECT COUNT(*) FROM OppSchool) || ' ' || (SELECT COUNT(*) FROM "
                         "Wrestler) || ' ' || (SELECT COUNT(*) FROM [Match])";
    EXPECT_EQ(queryValue(db, rows).toString(), queryValue(templatePath("matchinfo.md_"), rows).toString());
    EXPECT_EQ(QFileInfo(db).size(), QFileInfo(templatePath("matchinfo.md_")).size());
}

// A folder typed relative ("team/2027") is taken from the current folder and stored absolute, so
// the file is still found after a backup has made its folder the current one, in this run and the
// next. A folder that does not exist yet is made. Under the umask 077 everything made is the
// user's alone.
TEST_F(FirstRunTest, ARelativeFolderIsMadeAndStoredAbsolute) {
    startFirstRun(ui::Answer::Yes, "Please select directory");
    frmDirLoc* dirLoc = ui::forms().get<frmDirLoc>();
    QTest::mouseClick(dirLoc->txtDirectory, Qt::LeftButton);
    QTest::keyClick(dirLoc->txtDirectory, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dirLoc->txtDirectory, "team/2027");
    const QString folder = team() + "/2027";
    const QString db = folder + "/Matchinfo.mdb";
    {
        const mode_t umaskBefore = umask(077);
        ui::ScriptedMessages msgs;
        msgs.expect("The database \n\n" + db + "\n\nwill be created");
        QTest::mouseClick(dirLoc->cmdOk, Qt::LeftButton);
        umask(umaskBefore);
    }
    EXPECT_EQ(readFile(ini()), (db + "\r\n\r\n").toUtf8());
    EXPECT_EQ(gDbPath, db);
    EXPECT_EQ(gDbFolder, folder + "/");
    EXPECT_EQ(modeOf(folder), 0700);
    for (const QString& made : {db, folder + "/Blank_MatchInfo.md_", ini()})
        EXPECT_EQ(modeOf(made), 0600) << made.toStdString();

    // The next run, with a row to repair: the repair's backup makes the data folder current
    // before the settings row is read.
    execSql(db, "INSERT INTO [Match] (Seq) VALUES (1)");
    ui::forms().unloadAll();
    resetCoreState();
    QDir::setCurrent(home.path());
    ui::ScriptedMessages msgs;
    frmInit* menu = ui::forms().get<frmInit>();
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_EQ(menu->lblVersion->text(), "Version: d8a8.30");
    EXPECT_EQ(menu->lblFile->text(), db);
    EXPECT_TRUE(menu->cmdEnter->isEnabled());
}

TEST_F(FirstRunTest, DirLocConfirmationCancelledOrEmptyFolderDoesNothing) {
    startFirstRun(ui::Answer::Yes, "Please select directory");
    frmDirLoc* dirLoc = ui::forms().get<frmDirLoc>();
    dirLoc->txtDirectory->clear();
    {
        ui::ScriptedMessages msgs;
        dirLoc->cmdOk->click();
        EXPECT_TRUE(msgs.messages().empty());
    }
    dirLoc->txtDirectory->setText(team());
    {
        ui::ScriptedMessages msgs;
        msgs.expect("will be created", ui::Answer::Cancel);
        dirLoc->cmdOk->click();
    }
    EXPECT_EQ(QDir(team()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFile::exists(ini()));

    dirLoc->cmdCancel->click();
    EXPECT_EQ(ends, 1);
}

TEST_F(FirstRunTest, NoOpensTheFilePickerAndRefusesAFileThatIsNoDatabase) {
    writeFile(team() + "/notes.mdb", "Just some text, not a database.\n");
    writeFile(team() + "/roster.txt", "x");
    const QString db = makeDatabase(team(), "Season.mdb");
    execSql(db, "UPDATE License SET school = 'Eastbrook' WHERE Seq = 1");

    startFirstRun(ui::Answer::No, "Please select the previously created database");
    EXPECT_EQ(gFileLocMode, "FindDB");
    frmFileLoc* fileLoc = ui::forms().get<frmFileLoc>();
    EXPECT_TRUE(fileLoc->isVisible());
    EXPECT_EQ(fileLoc->windowTitle(), "File Retrieve");
    EXPECT_EQ(fileLoc->txtFileWildcard->text(), "*.mdb");
    EXPECT_EQ(fileLoc->txtFileName->text(), "");
    EXPECT_FALSE(fileLoc->txtFileWildcard->isVisibleTo(fileLoc));

    fileLoc->DirBox->setFolder(team());
    EXPECT_EQ(fileLoc->txtDirectory->text(), team());
    ASSERT_EQ(fileLoc->FileBox->count(), 2) << "only the *.mdb files";
    EXPECT_EQ(fileLoc->FileBox->item(0)->text(), "notes.mdb");
    EXPECT_EQ(fileLoc->FileBox->item(1)->text(), "Season.mdb");

    fileLoc->FileBox->setCurrentRow(0);
    EXPECT_EQ(fileLoc->txtFileName->text(), "notes.mdb");
    {
        ui::ScriptedMessages msgs;
        msgs.expect("File not in proper format");
        fileLoc->cmdRetreive->click();
        EXPECT_EQ(msgs.last().title, "ERROR");
    }
    EXPECT_EQ(fileLoc->txtFileName->text(), "");
    EXPECT_EQ(fileLoc->txtDirectory->text(), team() + "/");
    EXPECT_FALSE(QFile::exists(ini()));
    EXPECT_EQ(readFile(team() + "/notes.mdb"), "Just some text, not a database.\n");
    EXPECT_FALSE(QFile::exists(team() + "/Blank_MatchInfo.md_"));
    EXPECT_EQ(gDbVersion, 0);
    EXPECT_TRUE(ui::forms().isLoaded<frmFileLoc>());
    EXPECT_FALSE(gConn.isOpen());

    {
        ui::ScriptedMessages msgs;
        msgs.expect("No File selected");
        fileLoc->cmdRetreive->click();
        EXPECT_EQ(msgs.last().title, "Error");
    }

    // A real database with a school of its own: the menu opens on it at once, nothing asked,
    // and the configuration names it.
    fileLoc->FileBox->setCurrentRow(1);
    ui::ScriptedMessages msgs;
    fileLoc->cmdRetreive->click();
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_FALSE(ui::forms().isLoaded<frmFileLoc>());
    EXPECT_FALSE(ui::forms().isLoaded<frmSchoolName>());
    frmInit* menu = ui::forms().get<frmInit>();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->lblSchool->text(), "Eastbrook");
    EXPECT_EQ(menu->lblFile->text(), db);
    EXPECT_EQ(menu->lblVersion->text(), "Version: d8a8.30");
    EXPECT_EQ(gIniFound, "Season.mdb");
    EXPECT_EQ(readFile(ini()), (db + "\r\n\r\n").toUtf8());
    EXPECT_TRUE(QFile::exists(team() + "/Blank_MatchInfo.md_")) << "for new files made later";
}

TEST_F(FirstRunTest, CancelInTheFilePickerEndsTheProgram) {
    startFirstRun(ui::Answer::No, "Please select the previously created database");
    ui::forms().get<frmFileLoc>()->cmdCancel->click();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(FirstRunTest, ImportModeTakesAnyFileUnexamined) {
    useDatabase(makeDatabase(team()));
    gFileLocMode = "Import";
    writeFile(team() + "/ab school list.txt", "\"1\",\"Ridgeview\"\n");
    frmFileLoc* fileLoc = ui::forms().get<frmFileLoc>();
    EXPECT_EQ(fileLoc->txtFileWildcard->text(), "*.*");
    EXPECT_EQ(fileLoc->txtFileName->text(), "");
    EXPECT_TRUE(fileLoc->FileBox->findItems("ab school list.txt", Qt::MatchExactly).size() == 1);
    fileLoc->txtFileName->setText("ab school list.txt");
    // A folder typed relative is taken from the current folder, and shown and used absolute.
    QDir::setCurrent(home.path());
    fileLoc->txtDirectory->setText("team/../team");
    ui::ScriptedMessages msgs;
    fileLoc->cmdRetreive->click();
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_EQ(fileLoc->txtDirectory->text(), team() + "/");
    EXPECT_EQ(gImportFile, team() + "/ab school list.txt");
    EXPECT_EQ(ends, 0);
    fileLoc->cmdCancel->click();
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(ui::forms().isLoaded<frmFileLoc>());
    EXPECT_TRUE(ui::forms().get<frmSchools>()->isVisible()) << "back to the school list";
}

}  // namespace
