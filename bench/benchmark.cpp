// Times what the coach waits for on a large database: each choice, keystroke or click is given as
// a mouse or key event to the program's own forms and timed through the event loop until its
// outcome is drawn (focus changes, the handlers they run, and painting included). Beside it, the
// bare SQLite C API fetching the same rows. One table: screen, program time, bare time, ratio,
// peak memory.
//
//     kestrivane_bench [--matches N] [--seasons N] [--idle-schools N] [--idle-wrestlers N]
//                      [--repair-limit SECONDS] [--log SQLFILE] [--only GROUP] [--generate-only] FILE
//
// FILE is generated first (with N matches) when it does not exist. The screens run on a copy of
// it in a temporary home folder, offscreen unless QT_QPA_PLATFORM names another platform (xcb on
// a display). The bare side replays, on its own connection opened once, every statement the
// program ran for the step (as SQLite expanded it, with the values bound), stepping every row and
// reading every column; it has the same file, so the same indexes. Where the program reads a step
// otherwise than one plain query for each list and report (the detail report, the match
// finder), the "plain" column replays those plain queries for the step on the same connection.
//
// --seasons, --idle-schools and --idle-wrestlers shape a file that is generated (see
// bench/generate_db.h). The "import" group imports a school list of 1,500 lines last.
#include <sqlite3.h>
#include <sys/resource.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "bench/generate_db.h"
#include "bench/long_texts.h"
#include "bench/plain_statements.h"
#include "core/backup_repair_upgrade.h"
#include "core/connection.h"
#include "core/frmInit.h"
#include "core/frmWait.h"
#include "match_reports/frmDualRpt.h"
#include "match_reports/frmIndDetail.h"
#include "match_reports/frmIndMatchSummary.h"
#include "matches/frmFindMatch.h"
#include "matches/frmMatchInfo.h"
#include "matches/frmScoreSheet.h"
#include "matches/save_new_match.h"
#include "platform/db/JetSql.h"
#include "platform/files/FileCopy.h"
#include "platform/ui/KeyRules.h"
#include "platform/ui/ui.h"
#include "statistics/frmLeaders.h"
#include "statistics/frmSeasonSummary.h"
#include "statistics/frmSummary.h"
#include "statistics/frmTeamLeaders.h"
#include "team/frmHomeWI.h"
#include "team/frmImport.h"

namespace {

// ---- statements the program runs, caught on every connection it opens -------------------------

sqlite3* bareDb = nullptr;
bool recording = false;
std::vector<std::string> recorded;

// Statements come from the program's reader threads too.
std::mutex recordedInUse;

int onStatement(unsigned, void*, void* stmt, void*) {
    if (!recording) return 0;
    char* text = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(stmt));
    if (text) {
        const std::lock_guard<std::mutex> lock(recordedInUse);
        recorded.emplace_back(text);
        sqlite3_free(text);
    }
    return 0;
}

int traceConnection(sqlite3* db, const char**, const sqlite3_api_routines*) {
    if (db != bareDb) sqlite3_trace_v2(db, SQLITE_TRACE_STMT, onStatement, nullptr);
    return SQLITE_OK;
}

// Statements that only open a connection have no rows of a screen in them.
bool connectionOverhead(const std::string& sql) {
    return sql.rfind("PRAGMA", 0) == 0 || sql == "SELECT count(*) FROM sqlite_master";
}

double msSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

volatile long long replaySink = 0;
FILE* sqlLog = nullptr;  // --log: each replayed statement with its bare time
// --only: the screens of some groups (start-up, season-summary, ..., import, repair), separated by
// commas; a group runs when its name contains one of them.
QString onlyGroup;

bool groupChosen(const QString& group) {
    if (onlyGroup.isEmpty()) return true;
    for (const QString& only : onlyGroup.split(QLatin1Char(',')))
        if (group.contains(only)) return true;
    return false;
}

// Runs the statements on the bare connection, every row stepped and every column read.
double replay(const std::vector<std::string>& statements) {
    QElapsedTimer t;
    t.start();
    long long sink = 0;
    for (const std::string& sql : statements) {
        if (connectionOverhead(sql)) continue;
        QElapsedTimer one;
        one.start();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(bareDb, sql.c_str(), int(sql.size()), &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "bare: %s\n  in: %s\n", sqlite3_errmsg(bareDb), sql.c_str());
            continue;
        }
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < columns; ++c) switch (sqlite3_column_type(st, c)) {
                    case SQLITE_INTEGER: sink += sqlite3_column_int64(st, c); break;
                    case SQLITE_FLOAT: sink += (long long)sqlite3_column_double(st, c); break;
                    case SQLITE_NULL: break;
                    default: sink += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
                }
        sqlite3_finalize(st);
        if (sqlLog) std::fprintf(sqlLog, "%8.2f  %s\n", msSince(one), sql.c_str());
    }
    replaySink = sink;
    return msSince(t);
}

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// ---- the table --------------------------------------------------------------------------------

struct Result {
    QString screen;
    double program = 0;
    double bare = 0;
    long peakMb = 0;
    QString note;
    double plain = -1;  // the plain statements on the bare connection; -1: none given
};

// The plain statements of a step (see bench/plain_statements.h), made after the step from the
// form's state.
using PlainStatements = std::function<std::vector<std::string>()>;
std::vector<Result> results;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Times `step` `runs` times through the program and replays what each run did on the bare
// connection; both sides by their median run. `step` gives the time the coach waited in it (see
// `waited`); `per` divides both (several choices in one step).
void measureWait(const QString& screen, int runs, const std::function<double()>& step, int per = 1,
                 const QString& note = QString(), const PlainStatements& plainStatements = {}) {
    std::vector<double> program, bare, plain;
    if (sqlLog) std::fprintf(sqlLog, "== %s\n", qPrintable(screen));
    for (int i = 0; i < runs; ++i) {
        recorded.clear();
        recording = true;
        program.push_back(step() / per);
        recording = false;
        bare.push_back(replay(recorded) / per);
        if (plainStatements) {
            if (sqlLog) std::fprintf(sqlLog, "-- the plain statements\n");
            plain.push_back(replay(plainStatements()) / per);
        }
    }
    results.push_back({screen, median(program), median(bare), peakMegabytes(), note, plain.empty() ? -1 : median(plain)});
    std::fprintf(stderr, "  %s: %.1f ms\n", qPrintable(screen), results.back().program);
}

// ---- input as the coach gives it, through the event loop --------------------------------------

// Counts the paint events of every widget, so that the loop below knows when nothing is left to
// draw.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};
PaintCounter* paintCounter = nullptr;

// Runs the event loop until what an input set off is done and drawn: the events it posted (the
// repaints among them) handled, until a pass finds nothing more to draw.
void settle() {
    for (int quiet = 0; quiet < 2;) {
        const int before = paintCounter->paints;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        quiet = paintCounter->paints == before ? quiet + 1 : 0;
    }
}

// The milliseconds from an input (a key or mouse event) until the screen shows its outcome.
double waited(const std::function<void()>& input) {
    QElapsedTimer t;
    t.start();
    input();
    settle();
    return msSince(t);
}

// Shows a form and makes it the active window, as the menu button that opens it does.
template <class F>
F* openForm(const QString& screen) {
    F* form = nullptr;
    measureWait(screen, 1, [&] {
        return waited([&] {
            form = ui::forms().get<F>();
            form->show();
            QApplication::setActiveWindow(form);
        });
    });
    if (!QTest::qWaitForWindowActive(form)) std::fprintf(stderr, "  %s is not the active window\n", qPrintable(screen));
    settle();
    return form;
}

void printTable() {
    std::printf("%-52s %12s %10s %7s %10s %7s %8s\n", "screen", "program ms", "bare ms", "ratio", "plain ms",
                "/plain", "peak MB");
    auto ratio = [](double a, double b) { return b > 0 ? QString::number(a / b, 'f', 2) : QStringLiteral("-"); };
    for (const Result& r : results) {
        const QString plain = r.plain >= 0 ? QString::number(r.plain, 'f', 1) : QStringLiteral("-");
        std::printf("%-52s %12.1f %10.1f %7s %10s %7s %8ld%s\n", qPrintable(r.screen), r.program, r.bare,
                    qPrintable(ratio(r.program, r.bare)), qPrintable(plain),
                    qPrintable(r.plain >= 0 ? ratio(r.program, r.plain) : QStringLiteral("-")), r.peakMb,
                    r.note.isEmpty() ? "" : qPrintable("  " + r.note));
    }
}

// ---- helpers for the forms --------------------------------------------------------------------

// Picks an item of a drop-down with the mouse: a click on its arrow opens the list (again, when
// the list closed at once), a click on the item picks it. The time between the two clicks, in
// which the coach moves the mouse, is not counted.
double choose(QComboBox* box, int index) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QPoint arrow =
        box->isEditable()
            ? box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box).center()
            : box->rect().center();
    QAbstractItemView* list = box->view();
    double ms = 0;
    for (int tries = 0; tries < 3 && !list->isVisible(); ++tries)
        ms += waited([&] { QTest::mouseClick(box, Qt::LeftButton, {}, arrow); });
    if (!list->isVisible()) std::fprintf(stderr, "  the list of %s did not open\n", qPrintable(box->objectName()));
    const bool wasRecording = recording;
    recording = false;
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    const QModelIndex item = list->model()->index(index, box->modelColumn(), list->rootIndex());
    list->scrollTo(item);
    settle();
    recording = wasRecording;
    ms += waited([&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center()); });
    return ms;
}

// A click on a row of a list box.
double choose(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    settle();
    return waited([&] {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    });
}

// Clicks into a text box and empties it (not counted), then types `text`: the time of each key.
double typeKeys(QLineEdit* box, const QString& text) {
    const bool wasRecording = recording;
    recording = false;
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    settle();
    recording = wasRecording;
    double ms = 0;
    for (const QChar c : text) ms += waited([&] { QTest::keyClicks(box, QString(c)); });
    return ms;
}

int lastIndex(QComboBox* box) { return box->count() - 1; }

int queryInt(const char* sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(bareDb, sql, -1, &st, nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : 0;
    sqlite3_finalize(st);
    return n;
}

// ---- the screens ------------------------------------------------------------------------------

void startUpToMenu() {
    const bool indexed =
        queryInt("SELECT count(*) FROM sqlite_master WHERE name IN ('ixMatchDate', 'ixMatchOvertimeNull')") == 2;
    measureWait(indexed ? QStringLiteral("start-up to the menu") : QStringLiteral("start-up to the menu (makes the indexes)"),
                1, [] { return waited([] { ui::forms().get<frmInit>()->show(); }); });
    measureWait(QStringLiteral("menu shown again (a Return)"), 3, [] { return waited([] { showMenuAfresh(); }); });
    ui::forms().unloadAll();
    if (!indexed) {
        // The next run of the program: the file has its indexes now.
        gIniFound.clear();
        measureWait(QStringLiteral("start-up to the menu (next run)"), 1,
                    [] { return waited([] { ui::forms().get<frmInit>()->show(); }); });
        ui::forms().unloadAll();
    }
}

void seasonSummary() {
    frmSeasonSummary* f = openForm<frmSeasonSummary>(QStringLiteral("season summary: open"));
    measureWait(QStringLiteral("season summary: choose a wrestler"), 3, [&] {
        double ms = 0;
        for (int i = 1; i <= 10; ++i) ms += choose(f->lstNames, i % f->lstNames->count());
        return ms;
    }, 10);
    measureWait(QStringLiteral("season summary: a keystroke in the weight box"), 3,
                [&] { return typeKeys(f->txtWtEnter, QStringLiteral("145")); }, 3);
    measureWait(QStringLiteral("season summary: choose a season"), 3,
                [&] { return choose(f->comSeason, f->comSeason->currentIndex() == 0 ? 1 : 0); });
    ui::forms().unloadAll();
}

void teamSummary() {
    frmSummary* f = openForm<frmSummary>(QStringLiteral("team summary: open"));
    measureWait(QStringLiteral("team summary: choose a season"), 3,
                [&] { return choose(f->comSeason, f->comSeason->currentIndex() == 0 ? 1 : 0); });
    ui::forms().unloadAll();
}

void leaders(const QString& from, const QString& to) {
    frmLeaders* f = openForm<frmLeaders>(QStringLiteral("leaders: open (current season)"));
    f->txtToDate->setText(to);
    measureWait(QStringLiteral("leaders: all seasons (the date box left)"), 3, [&] {
        typeKeys(f->txtFromDate, from);
        return waited([&] { QTest::keyClick(f->txtFromDate, Qt::Key_Tab); });
    });
    measureWait(QStringLiteral("leaders: all seasons, another statistic"), 3,
                [&] { return choose(f->comReportType, f->comReportType->currentIndex() == 1 ? 2 : 1); });
    ui::forms().unloadAll();
}

// Counts the times a window of the class is shown: the wait window shows once for each report
// built behind it.
template <class W>
class ShowCounter : public QObject {
public:
    ShowCounter() { qApp->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<W*>(watched)) ++shown;
        return false;
    }
};

// The wait window of a printout, as the coach sees it: how long after the click it was first
// drawn, and the progress it said last.
class WaitWindowWatch : public QObject {
public:
    WaitWindowWatch() {
        qApp->installEventFilter(this);
        clock_.start();
    }
    QString seen() const {
        return firstMs_ < 0 ? QStringLiteral("no wait window")
                            : QStringLiteral("wait window from %1 ms, last: %2").arg(firstMs_).arg(said_);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("lblProgress")) {
            if (firstMs_ < 0) firstMs_ = clock_.elapsed();
            said_ = static_cast<QLabel*>(watched)->text();
        }
        return false;
    }

private:
    QElapsedTimer clock_;
    qint64 firstMs_ = -1;
    QString said_;
};

// Down held in a drop-down whose pick rebuilds the report: the keyboard repeats it, 15 keys in
// all, each repeat waiting by the time the key before is handled, then it is let go. The first
// key picks as a single one does; two rows: the slowest of the repeats, and the wait from the
// release until the report shows. `builds`, when given, counts the reports built after the first
// key.
void heldDown(const QString& screen, QComboBox* box, const std::function<int()>& builds = {}) {
    box->setFocus(Qt::TabFocusReason);
    const auto key = [box](QEvent::Type type, bool repeated) {
        QKeyEvent event(type, Qt::Key_Down, Qt::NoModifier, QString(), repeated);
        QApplication::sendEvent(box, &event);
    };
    key(QEvent::KeyPress, false);
    settle();
    const int before = builds ? builds() : 0;
    measureWait(screen + QStringLiteral(": Down held, its slowest repeat"), 1, [&] {
        double slowest = 0;
        for (int repeat = 1; repeat < 15; ++repeat)
            slowest = std::max(slowest, waited([&] {
                                   key(QEvent::KeyRelease, true);
                                   key(QEvent::KeyPress, true);
                               }));
        return slowest;
    });
    measureWait(screen + QStringLiteral(": Down held, from its release"), 1,
                [&] { return waited([&] { key(QEvent::KeyRelease, false); }); });
    if (builds) results.back().note = QStringLiteral("%1 built after the first key").arg(builds() - before);
}

// Down tapped 15 times in a drop-down whose pick rebuilds the report, quicker than the program
// handles them: every tap is waiting by the time the first is handled. One row: the wait from the
// first tap until the report shows; `builds` counts the reports built.
void quickTaps(const QString& screen, QComboBox* box, const std::function<int()>& builds) {
    box->setFocus(Qt::TabFocusReason);
    box->setCurrentIndex(0);
    settle();
    const int before = builds();
    measureWait(screen + QStringLiteral(": Down tapped 15 times, all waiting"), 1, [&] {
        return waited([&] {
            for (int tap = 0; tap < 15; ++tap)
                for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                    QCoreApplication::postEvent(box, new QKeyEvent(type, Qt::Key_Down, Qt::NoModifier));
            // The taps are handled one after another; the pick they end on waits until then.
            QCoreApplication::sendPostedEvents(box);
            while (ui::picksWaiting()) QCoreApplication::processEvents();
        });
    });
    results.back().note = QStringLiteral("%1 built").arg(builds() - before);
}

void leaderBoards() {
    frmTeamLeaders* f = openForm<frmTeamLeaders>(QStringLiteral("multi-leader boards: open"));
    measureWait(QStringLiteral("multi-leader boards: from the first date"), 1,
                [&] { return choose(f->comDateStart, 0); });
    heldDown(QStringLiteral("multi-leader boards: from date"), f->comDateStart);
    measureWait(QStringLiteral("multi-leader boards: another statistic"), 3,
                [&] { return choose(f->comType[0], f->comType[0]->currentIndex() == 1 ? 2 : 1); });
    ui::forms().unloadAll();
}

void dualReport() {
    frmDualRpt* f = openForm<frmDualRpt>(QStringLiteral("dual-meet report: open (lists, latest dual)"));
    measureWait(QStringLiteral("dual-meet report: all duals (text)"), 1, [&] { return choose(f->comDateStart, 0); });
    // Every dual printed (to a PDF): the window shows its progress from a moment after the click.
    QString seen;
    measureWait(QStringLiteral("dual-meet report: print all duals"), 1, [&] {
        ui::ScriptedMessages saved;
        saved.queue();
        const WaitWindowWatch watch;
        const double ms = waited([&] { QTest::mouseClick(f->cmdPrint, Qt::LeftButton); });
        seen = watch.seen();
        return ms;
    });
    results.back().note = seen;
    results.back().bare = 0;  // a printout reads nothing
    heldDown(QStringLiteral("dual-meet report: from date"), f->comDateStart);
    measureWait(QStringLiteral("dual-meet report: then a click into the report"), 1, [&] {
        return waited([&] { QTest::mouseClick(f->txtresults->viewport(), Qt::LeftButton); });
    });
    measureWait(QStringLiteral("dual-meet report: one dual"), 3, [&] {
        return choose(f->comDateStart, lastIndex(f->comDateStart) / 2) +
               choose(f->comDateEnd, lastIndex(f->comDateEnd) / 2);
    }, 2);
    ui::forms().unloadAll();
}

void matchSummary() {
    frmIndMatchSummary* f = openForm<frmIndMatchSummary>(QStringLiteral("individual match summary: open"));
    measureWait(QStringLiteral("individual match summary: choose a wrestler"), 3, [&] {
        double ms = 0;
        for (int i = 1; i <= 5; ++i) ms += choose(f->comHomeName, i % f->comHomeName->count());
        return ms;
    }, 5);
    measureWait(QStringLiteral("individual match summary: choose a match"), 3, [&] {
        double ms = 0;
        for (int i = 1; i <= 3; ++i) ms += choose(f->comMatches, i % std::max(1, f->comMatches->count()));
        return ms;
    }, 3);
    ui::forms().unloadAll();
}

void detailReport() {
    frmIndDetail* f = openForm<frmIndDetail>(QStringLiteral("detail report: open (latest date)"));
    const PlainStatements withLists = [&] { return bench::detailPlainStatements(f, true); };
    measureWait(QStringLiteral("detail report: the first date picked"), 1, [&] { return choose(f->comDateStart, 0); },
                1, QString(), withLists);
    const ShowCounter<frmWait> builds;
    heldDown(QStringLiteral("detail report: from date"), f->comDateStart, [&builds] { return builds.shown; });
    quickTaps(QStringLiteral("detail report: from date"), f->comDateStart, [&builds] { return builds.shown; });
    measureWait(QStringLiteral("detail report: widest range (the last date picked)"), 1,
                [&] { return choose(f->comDateEnd, lastIndex(f->comDateEnd)); }, 1, QString(), withLists);
    measureWait(QStringLiteral("detail report: widest range, one wrestler"), 3,
                [&] { return choose(f->comWrestler, f->comWrestler->currentText() == f->comWrestler->itemText(1) ? 2 : 1); },
                1, QString(), [&] { return bench::detailPlainStatements(f, false); });
    ui::forms().unloadAll();
}

void matchFinder() {
    frmFindMatch* f = openForm<frmFindMatch>(QStringLiteral("match finder: open (lists)"));
    const PlainStatements plain = [&] { return bench::finderPlainStatements(f); };
    measureWait(QStringLiteral("match finder: choose a season"), 3,
                [&] { return choose(f->comSeason, f->comSeason->currentIndex() == 1 ? 2 : 1); }, 1, QString(), plain);
    // A pick trims its list to "ALL" and the pick: each run goes back to "ALL" first (not
    // counted), then picks the first or the second entry in turn.
    int turn = 0;
    auto pickFromAll = [&](QListWidget* list) {
        if (list->currentRow() > 0) {
            recording = false;
            choose(list, 0);
            recording = true;
        }
        return choose(list, 1 + turn++ % 2);
    };
    measureWait(QStringLiteral("match finder: choose a wrestler"), 3, [&] { return pickFromAll(f->lstNames); }, 1,
                QString(), plain);
    measureWait(QStringLiteral("match finder: choose a date"), 3, [&] { return pickFromAll(f->lstDates); }, 1,
                QString(), plain);
    ui::forms().unloadAll();
}

void saveMatch() {
    const int wrestler = queryInt("SELECT max(Seq) FROM Wrestler");
    const int weight = queryInt("SELECT min(Seq) FROM Weight");
    const int school = queryInt("SELECT min(Seq) FROM OppSchool");
    ui::ScriptedMessages answers;
    frmMatchInfo* entry = openForm<frmMatchInfo>(QStringLiteral("match entry: open"));
    measureWait(QStringLiteral("match entry: a keystroke in the school search box"), 3,
                [&] { return typeKeys(entry->txtFind, QStringLiteral("ea")); }, 2);
    entry->txtFind->clear();
    settle();
    measureWait(QStringLiteral("saving a match (with the form's reset)"), 5, [&] {
        frmScoreSheet* sheet = ui::forms().get<frmScoreSheet>();
        entry->txtDate->setText(QStringLiteral("01/14/2024"));
        entry->txtOppFName->setText(QStringLiteral("Sam"));
        entry->txtOppLName->setText(QStringLiteral("Stone"));
        entry->txtWt->setText(QStringLiteral("103"));
        entry->optLevel[0]->setChecked(true);
        entry->optWin->setChecked(true);
        entry->optType[0]->setChecked(true);
        entry->txtScore->setText(QStringLiteral("7-3"));
        entry->txtTeamPoints->setText(QStringLiteral("3"));
        sheet->txtHome[0]->setText(QStringLiteral("T2 N2"));
        sheet->txtOpp[1]->setText(QStringLiteral("E1 R2"));
        sheet->txtHome[2]->setText(QStringLiteral("E1 R2"));
        answers.queue();
        return waited([&] { saveNewMatch(short(wrestler), short(weight), short(school)); });
    });
    ui::forms().unloadAll();
}

// The weigh-in form on a season that a hand-edited file gives 10,000 wrestlers: every name goes
// into each of the grid's twenty name lists. The wrestlers are taken out again afterwards.
void weighIn() {
    const int last = queryInt("SELECT max(Seq) FROM Wrestler");
    const QString add = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
        "INSERT INTO Wrestler (FullName, FirstName, LastName, wr_inactive, Season, FNameSeason) "
        "SELECT 'Wes ' || i || ' Weigh', 'Wes', i || ' Weigh', '0', %1, 'Wes ' || i || ' Weigh' || %1 FROM n")
                            .arg(gSeason);
    sqlite3_exec(bareDb, add.toUtf8().constData(), nullptr, nullptr, nullptr);
    openForm<frmHomeWI>(QStringLiteral("weigh-in: open, 10,000 wrestlers in the season"));
    ui::forms().unloadAll();
    sqlite3_exec(bareDb, QStringLiteral("DELETE FROM Wrestler WHERE Seq > %1").arg(last).toUtf8().constData(),
                 nullptr, nullptr, nullptr);
}

// An association's school list of 1,500 lines, as Edit Schools' Import School List brings it in:
// the first 1,460 schools without a bout of a generated file (every tenth in another division),
// and 40 schools new to it. Against a file with 1,500 such schools that lists 40 schools to add,
// 146 division changes, and the 40 schools without a bout that the list leaves out and the 40
// that have bouts for deletion (these stay: their bouts refer to them).
void schoolListImport(const QString& homeFolder) {
    QFile list(homeFolder + QStringLiteral("/bench school list.txt"));
    if (!list.open(QIODevice::WriteOnly)) return;
    for (int i = 0; i < 1500; ++i) {
        const int school = i < 1460 ? i : 1500 + i - 1460;
        const int division = 1 + school % 4 + (i % 10 == 0 ? 1 : 0);
        list.write(QStringLiteral("%1,%2\r\n").arg(division).arg(bench::idleSchoolName(school)).toUtf8());
    }
    list.close();
    gImportFile = list.fileName();
    frmImport* f = openForm<frmImport>(QStringLiteral("school list import: the lists of 1,500 lines"));
    std::fprintf(stderr, "  import: %d adds, %d changes, %d deletes\n", int(f->lstAdd->count()),
                 int(f->lstChange->count()), int(f->lstDelete->count()));
    ui::ScriptedMessages answers;
    answers.queue();  // which schools the import kept
    measureWait(QStringLiteral("school list import: Import (applied)"), 1,
                [&] { return waited([&] { QTest::mouseClick(f->cmdImport, Qt::LeftButton); }); });
    ui::forms().unloadAll();
}

// A file that another program wrote with a time of day after every match's date: the first
// start-up on it stores them as dates behind the wait window. Two rows: until the wait window
// shows, and until the menu does. Timed without the bare side (the file is another copy).
void timedDatesFirstOpen(const QString& homeFolder, const QString& copy) {
    const QString timed = homeFolder + QStringLiteral("/timed dates.mdb");
    files::copyFileReplacing(copy, timed);
    sqlite3* db = nullptr;
    sqlite3_open(timed.toUtf8().constData(), &db);
    sqlite3_exec(db, "UPDATE [Match] SET [Date] = [Date] || ' 00:00:00'", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ui::forms().unloadAll();
    setDatabaseInUse(timed);
    gIniFound.clear();
    struct FirstShow : QObject {
        QElapsedTimer clock;
        double at = -1;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (at < 0 && event->type() == QEvent::Show && qobject_cast<frmWait*>(watched)) at = msSince(clock);
            return false;
        }
    } waitShown;
    qApp->installEventFilter(&waitShown);
    waitShown.clock.start();
    const double menu = waited([] { ui::forms().get<frmInit>()->show(); });
    qApp->removeEventFilter(&waitShown);
    results.push_back({QStringLiteral("start-up, every date with a time: the wait window"), waitShown.at, 0,
                       peakMegabytes(), waitShown.at < 0 ? QStringLiteral("not shown") : QString()});
    results.push_back({QStringLiteral("start-up, every date with a time: the menu"), menu, 0, peakMegabytes(), QString()});
    ui::forms().unloadAll();
    setDatabaseInUse(copy);
    gIniFound.clear();
    QFile::remove(timed);
}

// The repair runs in a child process so that a slow one can be stopped.
void repair(const QString& file, const QString& self, int limitSeconds) {
    QProcess child;
    child.start(self, {QStringLiteral("--time-repair"), file});
    if (!child.waitForFinished(limitSeconds * 1000)) {
        child.kill();
        child.waitForFinished();
        results.push_back({QStringLiteral("start-up repair of Null overtime tallies"), limitSeconds * 1000.0,
                           0, peakMegabytes(), QStringLiteral("stopped: still running")});
        return;
    }
    const QStringList parts = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char(' '));
    results.push_back({QStringLiteral("start-up repair of Null overtime tallies"), parts.value(0).toDouble(),
                       parts.value(1).toDouble(), parts.value(2).toLong(), parts.value(3)});
}

// Old files have rows from before the overtime columns existed: those of the first seasons.
QString nullOvertimeCopy(const QString& from, const QString& to) {
    QFile::remove(to);
    files::copyFileReplacing(from, to);
    sqlite3* db = nullptr;
    sqlite3_open(to.toUtf8().constData(), &db);
    QStringList sets;
    for (const char* period : {"DOT1", "DOT2", "DOT"})
        for (const char* kind : {"TP", "RP", "EP", "NF2P", "NF3P", "PP", "WP", "CP"})
            for (const char* side : {"Home", "Opp"}) sets << QStringLiteral("%1%2%3 = NULL").arg(kind, period, side);
    // Every match, as in a file that an older version wrote before the double-overtime tallies.
    const QString sql = QStringLiteral("UPDATE [Match] SET ") + sets.join(QStringLiteral(", "));
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    const int rows = sqlite3_changes(db);
    sqlite3_close(db);
    std::fprintf(stderr, "  repair copy: %d rows with Null overtime tallies\n", rows);
    return QString::number(rows);
}

int timeRepairChild(const QString& file) {
    const QString bareCopy = file + QStringLiteral(".bare");
    files::copyFileReplacing(file, bareCopy);
    gDbPath = file;
    recording = true;
    QElapsedTimer t;
    t.start();
    repairNullOvertime();
    const double program = msSince(t);
    recording = false;
    sqlite3_open_v2(bareCopy.toUtf8().constData(), &bareDb, SQLITE_OPEN_READWRITE, nullptr);
    db::registerJetFunctions(bareDb);
    const double bare = replay(recorded);
    sqlite3_close(bareDb);
    std::printf("%.1f %.1f %ld %s", program, bare, peakMegabytes(), "");
    return 0;
}

// Runs the benchmark itself as a child with `arguments` (see bench/long_texts.h), stopped after
// `limitSeconds`; its "ms MB" becomes a row, a child stopped or ended by a signal a row saying so.
void childRow(const QString& screen, const QStringList& arguments, int limitSeconds) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(limitSeconds * 1000)) {
        child.kill();
        child.waitForFinished();
        results.push_back({screen, limitSeconds * 1000.0, 0, 0, QStringLiteral("stopped: still running")});
        return;
    }
    if (child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0) {
        results.push_back({screen, 0, 0, 0,
                           QStringLiteral("died (%1 MB address space at most)").arg(bench::kLongTextMemoryMb)});
        return;
    }
    const QStringList parts = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char(' '));
    results.push_back({screen, parts.value(0).toDouble(), 0, parts.value(1).toLong(), QString()});
    std::fprintf(stderr, "  %s: %.1f ms\n", qPrintable(screen), results.back().program);
}

// The longest texts: each printout with every text at the box limit, and the dual-meet report on
// a file with 10-million-character texts, each in a child of its own.
void longTexts(const QString& folder) {
    QProcess maker;
    maker.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--make-long-texts"), folder});
    maker.waitForFinished(-1);
    for (const QString& printout : bench::longPrintouts())
        childRow(QStringLiteral("print, texts of 32,767 chars: ") + printout,
                 {QStringLiteral("--time-long-printout"), folder, printout}, 120);
    childRow(QStringLiteral("dual-meet report: open, texts of 10,000,000 chars"),
             {QStringLiteral("--time-long-report"), folder}, 120);
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen, on a screen as large as the program asks for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KESTRIVANE_SOURCE_DIR "/tests/support/screen-1280x1024.json");
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    PaintCounter paints;
    app.installEventFilter(&paints);
    paintCounter = &paints;
    QStringList args = app.arguments().mid(1);

    if (args.value(0) == QLatin1String("--time-repair")) return timeRepairChild(args.value(1));
    if (args.value(0) == QLatin1String("--make-long-texts")) return bench::makeLongTextFiles(args.value(1));
    if (args.value(0) == QLatin1String("--time-long-report")) return bench::timeLongReport(args.value(1));
    if (args.value(0) == QLatin1String("--time-long-printout"))
        return bench::timeLongPrintout(args.value(1), args.value(2));

    int matches = 100000;
    bench::FileShape shape;
    bool generateOnly = false;
    int repairLimit = 120;
    for (int i = 0; i < args.size() - 1; ++i) {
        if (args[i] == QLatin1String("--matches")) matches = args.takeAt(i + 1).toInt(), args.removeAt(i--);
        else if (args[i] == QLatin1String("--seasons")) shape.seasons = args.takeAt(i + 1).toInt(), args.removeAt(i--);
        else if (args[i] == QLatin1String("--idle-schools"))
            shape.idleSchools = args.takeAt(i + 1).toInt(), args.removeAt(i--);
        else if (args[i] == QLatin1String("--idle-wrestlers"))
            shape.idleWrestlers = args.takeAt(i + 1).toInt(), args.removeAt(i--);
        else if (args[i] == QLatin1String("--repair-limit")) repairLimit = args.takeAt(i + 1).toInt(), args.removeAt(i--);
        else if (args[i] == QLatin1String("--only")) onlyGroup = args.takeAt(i + 1), args.removeAt(i--);
        else if (args[i] == QLatin1String("--log")) sqlLog = std::fopen(qPrintable(args.takeAt(i + 1)), "w"), args.removeAt(i--);
        else if (args[i] == QLatin1String("--generate-only")) generateOnly = true, args.removeAt(i--);
    }
    if (args.size() != 1) {
        std::fprintf(stderr,
                     "usage: kestrivane_bench [--matches N] [--seasons N] [--idle-schools N] [--idle-wrestlers N]\n"
                     "                        [--repair-limit SECONDS] [--log FILE] [--only GROUP] [--generate-only] FILE\n");
        return 2;
    }
    const QString file = QFileInfo(args[0]).absoluteFilePath();
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Generating %s (%d matches over %d seasons, %d schools and %d wrestlers without a bout)...\n",
                     qPrintable(file), matches, shape.seasons, shape.idleSchools, shape.idleWrestlers);
        QElapsedTimer t;
        t.start();
        bench::generateDatabase(file, installFolder() + QStringLiteral("/matchinfo.md_"), matches, shape);
        std::fprintf(stderr, "  done in %.1f s\n", t.elapsed() / 1000.0);
    }
    if (generateOnly) return 0;

    // A home folder of its own, with the configuration file naming a copy of the database.
    QTemporaryDir home;
    const QString copy = bench::makeHome(home.path(), file);
    sqlite3_open_v2(copy.toUtf8().constData(), &bareDb, SQLITE_OPEN_READWRITE, nullptr);
    db::registerJetFunctions(bareDb);
    ui::ScriptedMessages::setFailureReporter(
        [](const QString& what) { std::fprintf(stderr, "message: %s\n", qPrintable(what)); });
    ui::ScriptedMessages quiet;

    std::fprintf(stderr, "Timing the screens on %d matches...\n", queryInt("SELECT count(*) FROM [Match]"));
    auto run = [](const char* group, const std::function<void()>& screens) {
        if (groupChosen(QString::fromLatin1(group))) screens();
    };
    startUpToMenu();  // every screen needs the database the menu found
    // The reports open on the current season: the last one the file has.
    gSeason = short(queryInt("SELECT max(Season) FROM Wrestler"));
    const int firstSeason = queryInt("SELECT min(Season) FROM Wrestler");
    run("season-summary", seasonSummary);
    run("team-summary", teamSummary);
    run("leaders", [&] {
        leaders(QStringLiteral("11/1/%1").arg(firstSeason), QStringLiteral("4/30/%1").arg(gSeason + 1));
    });
    run("boards", leaderBoards);
    run("dual", dualReport);
    run("match-summary", matchSummary);
    run("detail", detailReport);
    run("finder", matchFinder);
    run("entry", saveMatch);
    run("weigh-in", weighIn);
    run("import", [&] { schoolListImport(home.path()); });  // it changes the schools
    run("dates", [&] { timedDatesFirstOpen(home.path(), copy); });
    QTemporaryDir longTextFiles;
    run("long-texts", [&] { longTexts(longTextFiles.path()); });
    sqlite3_close(bareDb);
    bareDb = nullptr;

    if (!groupChosen(QStringLiteral("repair"))) {
        printTable();
        return 0;
    }
    const QString repairFile = home.filePath(QStringLiteral("repair/Matchinfo.mdb"));
    QDir(home.path()).mkpath(QStringLiteral("repair"));
    const QString rows = nullOvertimeCopy(file, repairFile);
    repair(repairFile, QCoreApplication::applicationFilePath(), repairLimit);
    if (results.back().note.isEmpty()) results.back().note = rows + QStringLiteral(" rows");

    std::printf("\n");
    printTable();
    return 0;
}
