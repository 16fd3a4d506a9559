// The match finder: its season box, the pick lists narrowing each other, the list of at most five
// matches and the Edit Match rules, over a real database of several seasons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "matches/frmEditMatch.h"
#include "matches/frmFindMatch.h"
#include "statistics/frmNotes.h"
#include "statistics/frmSeasonSummary.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/real_input.h"
#include "support/season_fixture.h"
#include "support/user_input.h"

namespace {

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

// "ALL" and then the values in any order (the names list keeps the order the query gives).
QStringList sortedAfterAll(QStringList list) {
    std::sort(list.begin() + 1, list.end());
    return list;
}

class FindMatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetCoreState();
        db = makeDatabase(home.path());
        useDatabase(db);
        gSeason = 2010;
        // The main menu that Cancel goes back to finds this database.
        QFile ini(home.file("MatchInfo.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write((db + "\r\n\r\n").toUtf8());
    }
    void TearDown() override { ui::forms().unloadAll(); }

    frmFindMatch* openFinder() {
        frmFindMatch* finder = ui::forms().get<frmFindMatch>();
        finder->show();
        return finder;
    }
    static void pick(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.first());
    }

    TestHome home;
    QString db;
};

TEST_F(FindMatchTest, EmptyDatabaseListsNothingAndEditDoesNothing) {
    frmFindMatch* f = openFinder();
    EXPECT_EQ(f->windowTitle(), "Find Match");
    EXPECT_EQ(f->comSeason->count(), 0);
    EXPECT_EQ(f->comSeason->currentText(), "2010-2011");
    for (QListWidget* list : {f->lstNames, f->lstDates, f->lstOppSchool, f->lstOppName, f->lstOppFirst, f->lstOppLast})
        EXPECT_EQ(items(list), QStringList{"ALL"});
    EXPECT_EQ(f->lstMatches->count(), 0);
    EXPECT_TRUE(f->txtNarrowResults->isHidden());

    ui::ScriptedMessages msgs;  // no message at all
    f->cmdEdit->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());
    EXPECT_TRUE(f->isVisible());

    f->cmdHelp->click();
    EXPECT_EQ(ui::forms().get<frmHelp>()->txtHelp->toPlainText(),
              "Editing Matches\n\nFinding a Match to Edit:\n"
              "    1. Click on the name of the wrestler and then click the match\n"
              "    2. to edit  Click 'Edit Match' to bring up edit screen.\n");

    msgs.expect("Click 'Return' to close window");
    EXPECT_FALSE(f->close());
    EXPECT_EQ(msgs.last().title, "Exit");
    f->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmFindMatch>());
    EXPECT_TRUE(ui::forms().get<frmInit>()->isVisible());
}

TEST_F(FindMatchTest, PicksNarrowEachOtherUntilFiveOrFewerMatchesAreListed) {
    makeSeasonFixture(db);
    frmFindMatch* f = openFinder();
    // A May date gives the 2010 season its label a second time: listed once.
    EXPECT_EQ(items(f->comSeason), (QStringList{"2009-2010", "2010-2011"}));
    EXPECT_EQ(sortedAfterAll(items(f->lstNames)),
              (QStringList{"ALL", "Adam Alder", "Ben Brook", "Carl Cole", "Dan Dorn", "Eli Ezra", "VOID"}));
    EXPECT_EQ(items(f->lstOppSchool), (QStringList{"ALL", "Eastbrook", "Northfield", "O'Malley Prep"}));
    EXPECT_EQ(items(f->lstDates),
              (QStringList{"ALL", "12/4/2010", "12/11/2010", "1/8/2011", "1/15/2011", "1/22/2011", "2/5/2011",
                           "2/12/2011"}));
    EXPECT_EQ(items(f->lstOppName), (QStringList{"ALL", "Opp Onent"}));
    EXPECT_FALSE(f->txtNarrowResults->isHidden());
    EXPECT_EQ(f->lstMatches->count(), 0);

    // Six matches of Adam Alder in the window (the May one is in none): still too many.
    pick(f->lstNames, "Adam Alder");
    EXPECT_EQ(items(f->lstNames), (QStringList{"ALL", "Adam Alder"}));
    EXPECT_EQ(items(f->lstDates).size(), 7);
    EXPECT_FALSE(f->txtNarrowResults->isHidden());

    // A school name with an apostrophe is a pick like any other.
    pick(f->lstOppSchool, "O'Malley Prep");
    EXPECT_EQ(items(f->lstOppSchool), (QStringList{"ALL", "O'Malley Prep"}));
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "1/8/2011"}));
    EXPECT_TRUE(f->txtNarrowResults->isHidden());
    EXPECT_EQ(items(f->lstMatches), QStringList{"1/8/2011\tAdam Alder\tO'Malley Prep\tOnent"});
    EXPECT_EQ(items(f->lstMatchseq), QStringList{queryValue(db, "SELECT Seq FROM [Match] WHERE [Date] = "
                                                                "'2011-01-08' AND SeqWrestler = 2").toString()});

    // "ALL" in the names refills them with the wrestlers who met that school.
    pick(f->lstNames, "ALL");
    EXPECT_EQ(sortedAfterAll(items(f->lstNames)), (QStringList{"ALL", "Adam Alder", "Ben Brook", "Carl Cole"}));
    EXPECT_EQ(f->lstMatches->count(), 3);
    EXPECT_EQ(f->lstMatches->item(0)->text().section('\t', 0, 0), "1/8/2011");

    // Another season keeps the picks, even one without a match there.
    f->comSeason->setCurrentIndex(0);
    EXPECT_EQ(items(f->lstOppSchool), (QStringList{"ALL", "O'Malley Prep"}));
    EXPECT_EQ(items(f->lstNames), QStringList{"ALL"});
    EXPECT_EQ(f->lstMatches->count(), 0);
    EXPECT_TRUE(f->txtNarrowResults->isHidden());
    pick(f->lstOppSchool, "ALL");
    EXPECT_EQ(items(f->lstMatches),
              (QStringList{"12/5/2009\tAdam Alder\tNorthfield\tOnent", "1/9/2010\tAdam Alder\tEastbrook\tOnent"}));

    // A season typed: Enter or leaving the box takes it; a year alone is the season that starts
    // in it. A click on a date right after typing finds that season's bouts.
    showActive(f);
    auto typeSeason = [f](const QString& text) {
        QTest::mouseClick(f->comSeason->lineEdit(), Qt::LeftButton);
        pressKey(Qt::Key_A, Qt::ControlModifier);
        typeKeys(text);
    };
    typeSeason("2010");
    pressKey(Qt::Key_Return);
    EXPECT_EQ(f->comSeason->currentText(), "2010-2011");
    EXPECT_EQ(items(f->lstDates).size(), 8);
    typeSeason(" 2009 - 2010 ");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(f->comSeason->currentText(), "2009-2010");
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/5/2009", "1/9/2010"}));
    // Right after typing, the click settles the season first: the 2009 date under the pointer is
    // gone from the list filled anew, and the click picks nothing; the next one picks.
    typeSeason("2010");
    const QPoint secondDate = f->lstDates->visualItemRect(f->lstDates->item(1)).center();
    QTest::mouseClick(f->lstDates->viewport(), Qt::LeftButton, {}, secondDate);
    EXPECT_EQ(items(f->lstDates).size(), 8);
    EXPECT_EQ(f->lstMatches->count(), 0);
    QTest::mouseClick(f->lstDates->viewport(), Qt::LeftButton, {}, secondDate);
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/4/2010"}));
    EXPECT_GT(f->lstMatches->count(), 0);

    // A text that is no season gets the message; the box shows the listed season again.
    for (const QString typed : {"next year", "2010-2012", "0000"}) {
        typeSeason(typed);
        ui::ScriptedMessages msgs;
        msgs.expect("Season must be given as in 2010-2011");
        pressKey(Qt::Key_Return);
        EXPECT_EQ(msgs.last().title, "Error");
        EXPECT_EQ(f->comSeason->currentText(), "2010-2011") << typed.toStdString();
        EXPECT_TRUE(f->comSeason->hasFocus());
    }
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/4/2010"}));
}

// Six bouts whose names share first words and whose opponents' apostrophes are stored as
// backquotes.
void addBoutsToFindByKeys(const QString& db) {
    SeasonFixture s(db);
    const int wt = s.addWeight("119");
    const int northfield = s.addSchool("Northfield");
    const int northPoint = s.addSchool("North Point");
    const int omalley = s.addSchool("O'Malley Prep");
    const int evans = s.addWrestler("Joel", "Evans", 2010);
    const int hale = s.addWrestler("Jordan", "Hale", 2010);
    const int henderson = s.addWrestler("Jordan", "Henderson", 2010);
    const int oneil = s.addWrestler("Tom", "O`Neil", 2010);
    const struct {
        int wrestler;
        QDate date;
        int school;
        const char* first;
        const char* last;
    } bouts[] = {{evans, {2010, 12, 4}, northfield, "Pat", "Ames"},
                 {hale, {2010, 12, 11}, northPoint, "Pat", "O`Brien"},
                 {henderson, {2011, 1, 8}, northPoint, "Pat", "O`Neil"},
                 {henderson, {2011, 1, 15}, northfield, "Sam", "Oakes"},
                 {oneil, {2011, 1, 22}, omalley, "Pat", "O`Neil"},
                 {evans, {2011, 2, 5}, omalley, "Sam", "Oakes"}};
    for (const auto& b : bouts) {
        FixtureMatch m;
        m.wrestler = b.wrestler;
        m.date = b.date;
        m.school = b.school;
        m.weight = wt;
        m.oppFName = b.first;
        m.oppLName = b.last;
        s.addMatch(m);
    }
}

// Keys in each pick list, given as X names ("Down", "Next" for PageDown, "shift+Down") or, after
// "=", as typed text, one after another (a comma between): they move the current entry and pick
// nothing, also with Shift or Ctrl; then Enter (also the keypad's) or Space picks it.
const struct ListKeys {
    QListWidget* frmFindMatch::*list;
    const char* moves;
    const char* current;
    const char* pickKey;
} kListKeys[] = {
    {&frmFindMatch::lstNames, "=Jordan Henderson", "Jordan Henderson", "Return"},
    {&frmFindMatch::lstDates, "Next,Home,shift+Down,Down,End,ctrl+Up,shift+Up", "1/15/2011", "space"},
    {&frmFindMatch::lstOppSchool, "shift+Down,=Northfield", "Northfield", "KP_Enter"},
    {&frmFindMatch::lstOppName, "=Pat O'Neil", "Pat O`Neil", "space"},
};

// Runs the table by the given keys and typing, each list from a finder with nothing picked. Moving
// picks nothing and narrows nothing; the pick narrows once; Home and Enter go back to "ALL". Space
// right after a typed name picks, where no entry goes on with a blank. Keys that moved after a
// pick count for nothing once the list is left.
void expectListsByKeys(frmFindMatch* f, const std::function<void(const QString&)>& keys,
                       const std::function<void(const QString&)>& type) {
    const KeysComeQuickly quickly;
    auto allItems = [f] {
        return QList<QStringList>{items(f->lstNames), items(f->lstDates), items(f->lstOppSchool),
                                  items(f->lstOppName)};
    };
    const QList<QStringList> unpicked = allItems();
    for (const ListKeys& row : kListKeys) {
        QListWidget* list = f->*row.list;
        SCOPED_TRACE(list->objectName().toStdString() + " " + row.moves);
        // Each narrowing lists the matches anew.
        int picks = 0;
        const QMetaObject::Connection counting =
            QObject::connect(f->lstMatches->model(), &QAbstractItemModel::modelReset, [&picks] { ++picks; });
        // Each list is reached by Tab from the season box.
        f->comSeason->setFocus(Qt::MouseFocusReason);
        for (int tabs = 0; tabs < 6 && !list->hasFocus(); ++tabs) keys("Tab");
        ASSERT_TRUE(list->hasFocus());
        for (const QString& move : QString(row.moves).split(',')) {
            if (move.startsWith('=')) type(move.mid(1));
            else keys(move);
        }
        ASSERT_TRUE(list->currentItem());
        EXPECT_EQ(list->currentItem()->text(), row.current);
        EXPECT_FALSE(list->currentItem()->isSelected());
        EXPECT_EQ(picks, 0);
        EXPECT_EQ(allItems(), unpicked);

        keys(row.pickKey);
        EXPECT_EQ(items(list), (QStringList{"ALL", row.current}));
        EXPECT_EQ(picks, 1);
        EXPECT_NE(allItems(), unpicked);

        keys("Home");
        keys("Return");
        EXPECT_EQ(allItems(), unpicked);
        QObject::disconnect(counting);
    }

    // Keys that moved off the pick, then Tab: the pick stays the list's current entry.
    f->lstNames->setFocus(Qt::TabFocusReason);
    type("Joel Evans");
    keys("Return");
    keys("Home");
    keys("Tab");
    EXPECT_EQ(f->lstNames->currentItem()->text(), "Joel Evans");
    EXPECT_TRUE(f->lstNames->currentItem()->isSelected());
    // The opponent picked below another one, then the date: the bout is still found.
    f->lstOppName->setFocus(Qt::TabFocusReason);
    keys("End");
    keys("Return");
    EXPECT_EQ(items(f->lstOppName), (QStringList{"ALL", "Sam Oakes"}));
    f->lstDates->setFocus(Qt::TabFocusReason);
    keys("End");
    keys("Return");
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "2/5/2011"}));
    EXPECT_EQ(items(f->lstNames), (QStringList{"ALL", "Joel Evans"}));
    EXPECT_EQ(items(f->lstMatches), QStringList{"2/5/2011\tJoel Evans\tO'Malley Prep\tOakes"});
}

TEST_F(FindMatchTest, ListsMoveByKeysAndTypedNamesAndPickByEnterOrSpace) {
    addBoutsToFindByKeys(db);
    frmFindMatch* f = showActive(openFinder());
    const std::map<QString, QKeyCombination> named = {
        {"Down", Qt::Key_Down},     {"Up", Qt::Key_Up},         {"Next", Qt::Key_PageDown},
        {"Prior", Qt::Key_PageUp},  {"Home", Qt::Key_Home},     {"End", Qt::Key_End},
        {"Return", Qt::Key_Return}, {"space", Qt::Key_Space},   {"Tab", Qt::Key_Tab},
        {"KP_Enter", Qt::KeypadModifier | Qt::Key_Enter},       {"shift+Down", Qt::ShiftModifier | Qt::Key_Down},
        {"ctrl+Up", Qt::ControlModifier | Qt::Key_Up},          {"shift+Up", Qt::ShiftModifier | Qt::Key_Up}};
    expectListsByKeys(
        f, [&named](const QString& key) { pressKey(named.at(key).key(), named.at(key).keyboardModifiers()); },
        [](const QString& text) { typeKeys(text); });
}

TEST_F(FindMatchTest, ListsMoveByKeysAndTypedNamesAndPickByEnterOrSpaceOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    addBoutsToFindByKeys(db);
    frmFindMatch* f = openFinder();
    showOnScreen(f);
    expectListsByKeys(f, [](const QString& key) { xKeys(key); }, [](const QString& text) { xType(text); });
}

// The forms whose season box, once settled, lists the season's wrestlers anew (and picks the
// first entry: "ALL" or a name).
struct SeasonNames {
    const char* form;
    std::function<ui::Form*()> open;
    std::function<QComboBox*()> season;
    std::function<QListWidget*()> names;
};
template <class F>
SeasonNames seasonNamesOf(const char* form) {
    return {form, [] { return ui::forms().get<F>(); }, [] { return ui::forms().get<F>()->comSeason; },
            [] { return ui::forms().get<F>()->lstNames; }};
}
const SeasonNames kSeasonNames[] = {seasonNamesOf<frmFindMatch>("frmFindMatch"),
                                    seasonNamesOf<frmSeasonSummary>("frmSeasonSummary"),
                                    seasonNamesOf<frmNotes>("frmNotes")};

// Two seasons whose lists hold some names at the same place and some elsewhere: 2010 lists Clark,
// Cox, Morgan; 2009 Cox, Hill, Morgan. Each has a bout in its season.
void addTwoSeasonsOfNames(const QString& db) {
    SeasonFixture s(db);
    FixtureMatch m;
    m.weight = s.addWeight("119");
    m.school = s.addSchool("Northfield");
    for (const QString name : {"Andrew Clark 2010", "Dalton Cox 2010", "Ian Morgan 2010", "Dalton Cox 2009",
                               "Gus Hill 2009", "Ian Morgan 2009"}) {
        const int season = name.section(' ', 2).toInt();
        m.wrestler = s.addWrestler(name.section(' ', 0, 0), name.section(' ', 1, 1), season);
        m.date = QDate(season, 12, 4);
        s.addMatch(m);
    }
}

// On each form, with 2010 shown, by real keys and clicks: "2009" typed into the season box and,
// without Enter, a click on a name of the 2010 list. The click settles the season and lists
// 2009's names; it picks the name that was under the pointer where the new list holds it at that
// place, and nothing else: the form's own first pick stands.
TEST_F(FindMatchTest, AClickRightAfterATypedSeasonPicksOnlyTheNameUnderThePointerOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    addTwoSeasonsOfNames(db);
    for (const SeasonNames& row : kSeasonNames) {
        const auto open = [&row] {
            ui::Form* form = row.open();
            form->show();
            showOnScreen(form);
        };
        const auto type2009 = [&row] {
            xClick(row.season()->lineEdit());
            xKeys("ctrl+a");
            xType("2009");
        };
        open();
        type2009();
        xKeys("Return");
        const QStringList names2009 = items(row.names());
        ui::forms().unloadAll();
        for (int at = 0; at < names2009.size(); ++at) {
            SCOPED_TRACE(std::string(row.form) + " row " + std::to_string(at));
            open();
            QListWidget* names = row.names();
            ASSERT_GT(names->count(), at);
            const QString under = names->item(at)->text();
            const QPoint middle = names->visualItemRect(names->item(at)).center();
            type2009();
            xClick(names->viewport(), middle);
            EXPECT_EQ(row.season()->currentText(), "2009-2010");
            const QList<QListWidgetItem*> chosen = names->selectedItems();
            EXPECT_EQ(chosen.isEmpty() ? QString() : chosen.first()->text(),
                      names2009.at(at) == under ? under : names2009.first());
            ui::forms().unloadAll();
        }
    }
}

TEST_F(FindMatchTest, OpponentWithoutFirstNameIsListedAndPickedByLastName) {
    SeasonFixture s(db);
    const int w = s.addWrestler("Adam", "Alder", 2010);
    const int wt = s.addWeight("119");
    const int school = s.addSchool("Northfield");
    auto bout = [&](QDate date, const QString& first, const QString& last) {
        FixtureMatch m;
        m.wrestler = w;
        m.date = date;
        m.oppFName = first;  // empty is stored as Null
        m.oppLName = last;
        m.school = school;
        m.weight = wt;
        s.addMatch(m);
    };
    bout(QDate(2010, 12, 4), "", "O'Neil");
    bout(QDate(2010, 12, 11), "Sam", "O'Neil");
    bout(QDate(2011, 1, 8), "Sam", "");

    frmFindMatch* f = openFinder();
    EXPECT_EQ(items(f->lstOppName), (QStringList{"ALL", " O'Neil", "Sam ", "Sam O'Neil"}));
    EXPECT_EQ(items(f->lstOppFirst), (QStringList{"ALL", "", "Sam", "Sam"}));
    EXPECT_EQ(items(f->lstOppLast), (QStringList{"ALL", "O'Neil", "", "O'Neil"}));

    pick(f->lstOppName, " O'Neil");
    EXPECT_EQ(items(f->lstOppName), (QStringList{"ALL", " O'Neil"}));
    EXPECT_EQ(items(f->lstOppFirst), (QStringList{"ALL", ""}));
    EXPECT_EQ(items(f->lstMatches), QStringList{"12/4/2010\tAdam Alder\tNorthfield\tO'Neil"});

    pick(f->lstOppName, "ALL");
    pick(f->lstOppName, "Sam ");
    EXPECT_EQ(items(f->lstMatches), QStringList{"1/8/2011\tAdam Alder\tNorthfield\t"});
}

// The lists as their own queries give them, each read on its own, for the season window of
// `season` and a filter with its values: "ALL" then the rows, and the first six match lines.
struct ListsOfQueries {
    QStringList names, dates, schools, opponents, matches;
};
ListsOfQueries listsOfQueries(int season, const QString& filter, const db::Params& values) {
    const QString joins =
        "FROM OppSchool INNER JOIN (Wrestler INNER JOIN [MATCH] ON Wrestler.Seq = [MATCH].seqWrestler) "
        "ON OppSchool.Seq = [MATCH].seqOppSchool  WHERE Date BETWEEN ?  AND  ? ";
    db::Params params{QDate(season, 11, 1), QDate(season + 1, 4, 30)};
    params.insert(params.end(), values.begin(), values.end());
    ConnectionScope connection;
    auto rows = [&](const QString& sql, const std::function<QString(const db::Recordset&)>& text) {
        QStringList list{"ALL"};
        db::Recordset rs = openRecordset(sql, params);
        for (; !rs.isEOF(); rs.moveNext()) list << text(rs);
        return list;
    };
    auto column = [](const char* name) {
        return [name](const db::Recordset& rs) { return rs.field(name).toString(); };
    };
    ListsOfQueries lists;
    lists.names = rows("SELECT DISTINCT FullName  FROM Wrestler INNER JOIN (OppSchool INNER JOIN [Match] ON "
                       "OppSchool.Seq = [Match].seqOppSchool) ON Wrestler.Seq = [Match].seqWrestler  WHERE Date "
                       "Between ? AND ?" + filter,
                       column("FullName"));
    lists.dates = rows("SELECT DISTINCT Date " + joins + filter + " ORDER BY Date ", column("Date"));
    lists.schools = rows("SELECT DISTINCT OppSchool " + joins + filter + " ORDER BY OppSchool ", column("OppSchool"));
    lists.opponents = rows("SELECT DISTINCT OppFname, OppLname " + joins + filter + " ORDER BY OppFname, OppLname  ",
                           [](const db::Recordset& rs) {
                               return rs.field("OppFname").toString() + " " + rs.field("OppLname").toString();
                           });
    lists.matches = rows("SELECT Date, OppLName as LastName, OppSchool as School, [Match].Seq as MSeq, FullName FROM "
                         "Wrestler INNER JOIN (OppSchool INNER JOIN [Match] ON OppSchool.Seq = [Match].SeqOppSchool) "
                         "ON Wrestler.Seq = [Match].SeqWrestler WHERE Date BETWEEN ?  AND  ? " + filter + " ORDER BY Date",
                         [](const db::Recordset& rs) {
                             return rs.field("Date").toString() + "\t" + rs.field("FullName").toString() + "\t" +
                                    rs.field("School").toString() + "\t" + rs.field("LastName").toString();
                         })
                        .mid(1);
    if (lists.matches.size() > 5) lists.matches.clear();
    return lists;
}

// The season's bouts are read once for all lists: each list has the texts and the order of its
// own query, over names that are Null, empty, shared by several bouts, written in two ways
// (letter case apart) or with letters beyond A to Z, and a stored date that is no date.
TEST_F(FindMatchTest, ListsAreThoseOfTheirOwnQueries) {
    SeasonFixture s(db);
    std::vector<int> wrestlers, schools;
    for (const char* name : {"Adam Alder", "Ben Brook", "Carl Cole", "Dan Dorn", "Eli Ezra", "Finn Ford"})
        wrestlers.push_back(s.addWrestler(QString(name).section(' ', 0, 0), QString(name).section(' ', 1), 2010));
    // Only A to Z are one letter in either case: "Été Prep" and "été prep" are two schools.
    for (const char* name : {"Northfield", "eastbrook", "O'Malley Prep", "", "Null Prep", "Westlake", "Été Prep",
                             "été prep"})
        schools.push_back(s.addSchool(name));
    const int wt = s.addWeight("119");
    const QStringList firsts = {"Sam", "", "ann", "Zed", "Bo", "sam"};
    const QStringList lasts = {"Stone", "O'Neil", "Zee", "", "Bee", "Ash"};
    s.beginBatch();
    for (int i = 0; i < 90; ++i) {
        FixtureMatch m;
        m.wrestler = wrestlers[(i * 7) % wrestlers.size()];
        m.date = QDate(2010, 11, 20).addDays(7 * (i % 13));
        m.school = schools[(i * 5 + i / 13) % schools.size()];
        m.weight = wt;
        m.oppFName = firsts[(i * 5) % firsts.size()];
        m.oppLName = lasts[(i / 3) % lasts.size()];
        s.addMatch(m);
    }
    s.endBatch();
    execSql(db, QString("UPDATE OppSchool SET OppSchool = NULL WHERE Seq = %1;"
                        "UPDATE Wrestler SET FullName = NULL WHERE Seq = %2;"
                        "UPDATE [Match] SET [Date] = '2010-12-04x' WHERE Seq = 5")
                    .arg(schools[4])
                    .arg(wrestlers[5]));

    frmFindMatch* f = openFinder();
    showActive(f);
    auto expectListsOfQueries = [&](const QString& filter, const db::Params& values, const char* state) {
        const ListsOfQueries expected = listsOfQueries(2010, filter, values);
        if (!filter.contains("FullName")) {
            EXPECT_EQ(items(f->lstNames), expected.names) << state;
        }
        if (!filter.contains("Date")) {
            EXPECT_EQ(items(f->lstDates), expected.dates) << state;
        }
        if (!filter.contains("OppSchool")) {
            EXPECT_EQ(items(f->lstOppSchool), expected.schools) << state;
        }
        if (!filter.contains("OppFName")) {
            EXPECT_EQ(items(f->lstOppName), expected.opponents) << state;
        }
        EXPECT_EQ(items(f->lstMatches), expected.matches) << state;
    };
    auto click = [](QListWidget* list, const QString& text) {
        // In whichever way the list writes it.
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchFixedString);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        list->scrollToItem(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    };
    auto compareEveryPick = [&] {
        expectListsOfQueries("", {}, "no pick");
        click(f->lstOppSchool, "Northfield");
        expectListsOfQueries(" AND OppSchool = ? ", {"Northfield"}, "a school");
        click(f->lstNames, "Ben Brook");
        expectListsOfQueries(" AND FullName = ?  AND OppSchool = ? ", {"Ben Brook", "Northfield"}, "and a wrestler");
        click(f->lstOppSchool, "ALL");
        click(f->lstNames, "ALL");
        click(f->lstOppName, " O'Neil");
        expectListsOfQueries(" AND (OppFName is Null OR OppFName = '')  AND OppLName = ? ", {"O'Neil"}, "an opponent");
        click(f->lstOppName, "ALL");
        click(f->lstDates, "12/4/2010");
        expectListsOfQueries(" AND Date = ? ", {QDate(2010, 12, 4)}, "a date");
        click(f->lstDates, "ALL");
    };
    compareEveryPick();
    EXPECT_TRUE(items(f->lstDates).contains("2010-12-04x"));

    // Names written in two ways: the lists show the way the queries show.
    const int shouting = s.addWrestler("BEN", "BROOK", 2009);
    const int eastbrook = s.addSchool("EASTBROOK");
    for (int i = 0; i < 3; ++i) {
        FixtureMatch m;
        m.wrestler = i == 0 ? shouting : wrestlers[0];
        m.date = QDate(2010, 11, 6);  // the first bouts of the season
        m.school = i == 1 ? eastbrook : schools[0];
        m.weight = wt;
        m.oppFName = i == 2 ? "SAM" : "Sam";
        m.oppLName = "STONE";
        s.addMatch(m);
    }
    click(f->lstDates, "12/4/2010");
    click(f->lstDates, "ALL");
    compareEveryPick();
}

TEST_F(FindMatchTest, EditMatchOpensTheOneListedOrAsksForASelection) {
    makeSeasonFixture(db);
    frmFindMatch* f = openFinder();
    ui::ScriptedMessages msgs;

    // The narrow-results box shown: nothing happens.
    f->cmdEdit->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());

    pick(f->lstNames, "Ben Brook");
    ASSERT_EQ(f->lstMatches->count(), 3);
    msgs.expect("Plese select a match in the box");
    f->cmdEdit->click();
    EXPECT_EQ(msgs.last().title, ui::applicationTitle());
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());

    pick(f->lstDates, "12/11/2010");
    ASSERT_EQ(f->lstMatches->count(), 1);
    f->cmdEdit->click();
    ASSERT_TRUE(ui::forms().isLoaded<frmEditMatch>());
    frmEditMatch* e = ui::forms().get<frmEditMatch>();
    EXPECT_TRUE(e->isVisible());
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(e->txtDate->text(), "12/11/2010");
    EXPECT_EQ(e->comHomeName->currentText(), "Ben Brook");

    // Back in the finder, its picks are as they were.
    e->cmdReturn->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(items(f->lstNames), (QStringList{"ALL", "Ben Brook"}));
    EXPECT_EQ(items(f->lstDates), (QStringList{"ALL", "12/11/2010"}));
    EXPECT_EQ(f->lstMatches->count(), 1);
}

TEST_F(FindMatchTest, MatchRemovedMeanwhileIsNotOpened) {
    makeSeasonFixture(db);
    frmFindMatch* f = openFinder();
    pick(f->lstNames, "Dan Dorn");
    ASSERT_EQ(f->lstMatches->count(), 1);
    execSql(db, "DELETE FROM [Match] WHERE SeqWrestler = (SELECT Seq FROM Wrestler WHERE FullName = 'Dan Dorn')");

    ui::ScriptedMessages msgs;
    msgs.expect("This match is no longer in the database.");
    f->cmdEdit->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmEditMatch>());
    EXPECT_TRUE(f->isVisible());
    // The pick stays; the match is gone from the list.
    EXPECT_EQ(items(f->lstNames), (QStringList{"ALL", "Dan Dorn"}));
    EXPECT_EQ(f->lstMatches->count(), 0);
}

}  // namespace
