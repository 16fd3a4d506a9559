#include "bench/long_texts.h"

#include <sqlite3.h>
#include <sys/resource.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <map>

#include "bench/generate_db.h"
#include "core/connection.h"
#include "core/frmInit.h"
#include "match_reports/frmDualRpt.h"
#include "match_reports/frmIndDetail.h"
#include "match_reports/frmIndMatchSummary.h"
#include "platform/files/FileCopy.h"
#include "platform/ui/ui.h"
#include "statistics/frmNotes.h"
#include "statistics/frmSeasonSummary.h"
#include "statistics/frmTeamLeaders.h"

namespace bench {

namespace {

// SQL for a text of `n` characters (n even) without a blank.
QString longText(int n) { return QStringLiteral("replace(hex(zeroblob(%1)), '00', 'Wi')").arg(n / 2); }

void execute(const QString& file, const QString& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "long texts: %s\n", error);
        sqlite3_free(error);
    }
    sqlite3_close(db);
}

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void limitMemory() {
    const rlimit limit{static_cast<rlim_t>(kLongTextMemoryMb) << 20, static_cast<rlim_t>(kLongTextMemoryMb) << 20};
    setrlimit(RLIMIT_AS, &limit);
}

// A home folder of its own whose configuration file names a copy of `file`; the program started
// on it as far as the main menu.
class ProgramOn {
public:
    explicit ProgramOn(const QString& file) {
        limitMemory();
        makeHome(home_.path(), file);
        ui::forms().get<frmInit>()->show();
        ui::forms().unloadAll();
        gSeason = 2023;
    }

private:
    QTemporaryDir home_;
};

// Shows the form until it is painted, as the coach sees it.
void showPainted(QWidget* form) {
    form->show();
    QCoreApplication::processEvents();
    form->grab();
}

int report(double ms) {
    std::printf("%.1f %ld", ms, peakMegabytes());
    return 0;
}

}  // namespace

QString makeHome(const QString& home, const QString& file) {
    qputenv("KESTRIVANE_HOME", home.toUtf8());
    qputenv("KESTRIVANE_PRINT_DIR", home.toUtf8());
    QDir::setCurrent(home);
    const QString copy = QDir(home).filePath(QStringLiteral("Matchinfo.mdb"));
    files::copyFileReplacing(file, copy);
    QFile ini(QDir(home).filePath(QStringLiteral("MatchInfo.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write((copy + QStringLiteral("\r\n\r\n")).toUtf8());
    ini.close();
    return copy;
}

QStringList longPrintouts() {
    return {QStringLiteral("dual summary"), QStringLiteral("individual match summary"), QStringLiteral("detail"),
            QStringLiteral("detail summary"), QStringLiteral("season summary form"),
            QStringLiteral("blank season summary form"), QStringLiteral("notes of every wrestler"),
            QStringLiteral("notes 2 of every wrestler"), QStringLiteral("leader boards")};
}

int makeLongTextFiles(const QString& folder) {
    const QString printouts = folder + QStringLiteral("/printouts.mdb");
    generateDatabase(printouts, installFolder() + QStringLiteral("/matchinfo.md_"), 2000);
    const QString report = folder + QStringLiteral("/report.mdb");
    files::copyFileReplacing(printouts, report);
    // The latest season: names, schools and notes as long as their boxes take; a full name of two
    // halves as long as the name box.
    const QString limit = longText(32766);
    execute(printouts,
            QStringLiteral("UPDATE Wrestler SET FirstName = substr(FirstName || %1, 1, 16383), "
                           "LastName = substr(LastName || %1, 1, 16383), Notes = %1, wresMemo1 = %1 "
                           "WHERE Season = 2023 AND FirstName <> 'VOID';"
                           "UPDATE Wrestler SET FullName = FirstName || ' ' || LastName "
                           "WHERE Season = 2023 AND FirstName <> 'VOID';"
                           "UPDATE OppSchool SET OppSchool = substr(OppSchool || %1, 1, 32767);"
                           "UPDATE [Match] SET OppFName = %1, OppLName = %1, Notes = %1 WHERE Date >= '2023-11-01';"
                           "UPDATE License SET school = substr(school || %1, 1, 32767) WHERE Seq = 1;")
                .arg(limit));
    // Three bouts of the latest dual meet: notes and opponent names of 10,000,000 characters.
    execute(report, QStringLiteral("UPDATE [Match] SET OppFName = %1, OppLName = %1, Notes = %1 WHERE Seq IN "
                                   "(SELECT Seq FROM [Match] WHERE Level = 'V' AND Date = "
                                   "(SELECT max(Date) FROM [Match] WHERE Level = 'V') LIMIT 3)")
                        .arg(longText(10000000)));
    return 0;
}

int timeLongReport(const QString& folder) {
    ProgramOn program(folder + QStringLiteral("/report.mdb"));
    ui::ScriptedMessages quiet;
    QElapsedTimer t;
    t.start();
    showPainted(ui::forms().get<frmDualRpt>());
    return report(t.nsecsElapsed() / 1e6);
}

int timeLongPrintout(const QString& folder, const QString& printout) {
    ProgramOn program(folder + QStringLiteral("/printouts.mdb"));
    ui::ScriptedMessages quiet;
    // The form opened as the coach opens it, the wrestler or range the printout needs chosen.
    const std::map<QString, std::function<QPushButton*()>> buttons = {
        {QStringLiteral("dual summary"), [] { return ui::forms().get<frmDualRpt>()->cmdPrint; }},
        {QStringLiteral("individual match summary"), [] { return ui::forms().get<frmIndMatchSummary>()->cmdPrint; }},
        {QStringLiteral("detail"), [] { return ui::forms().get<frmIndDetail>()->cmdPrint; }},
        {QStringLiteral("detail summary"), [] { return ui::forms().get<frmIndDetail>()->cmdPrintTotals; }},
        {QStringLiteral("season summary form"),
         [] {
             frmSeasonSummary* form = ui::forms().get<frmSeasonSummary>();
             form->show();
             form->lstNames->setCurrentRow(0);
             return form->cmdPrint;
         }},
        {QStringLiteral("blank season summary form"), [] { return ui::forms().get<frmSeasonSummary>()->cmdPrintBlank; }},
        {QStringLiteral("notes of every wrestler"),
         [] {
             frmNotes* form = ui::forms().get<frmNotes>();
             form->show();
             form->chkAll->setChecked(true);
             return form->cmdPrint;
         }},
        {QStringLiteral("notes 2 of every wrestler"),
         [] {
             frmNotes* form = ui::forms().get<frmNotes>();
             form->show();
             form->chkAll->setChecked(true);
             return form->cmdPrint2;
         }},
        {QStringLiteral("leader boards"), [] { return ui::forms().get<frmTeamLeaders>()->cmdPrint; }},
    };
    const auto found = buttons.find(printout);
    if (found == buttons.end()) return 2;
    QPushButton* print = found->second();
    showPainted(print->window());
    quiet.queue();
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(print, Qt::LeftButton);
    return report(t.nsecsElapsed() / 1e6);
}

}  // namespace bench
