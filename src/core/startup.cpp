#include "core/startup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include "core/backup_repair_upgrade.h"
#include "core/connection.h"
#include "core/frmDirLoc.h"
#include "core/frmFTP.h"
#include "core/frmFileLoc.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "core/settings_rows.h"
#include "platform/db/DbError.h"
#include "platform/files/FileCopy.h"
#include "platform/files/NewFile.h"
#include "platform/files/Paths.h"
#include "platform/print/PaperPage.h"
#include "platform/ui/ui.h"

namespace {

bool ended = false;
std::function<void()> endHandler;
QString openFailure;
bool openFailureHeld = false;
// The file the repair is still to run on: the one the configuration file named at the first
// load, until it has opened once.
QString repairPendingFor;

// Whether the database named by the configuration file opens; when it does not, the reason is
// kept for the menu. A missing file is not created.
bool databaseOpens() {
    const QFileInfo file(gDbPath);
    if (file.isDir()) {
        openFailure = QStringLiteral("It is a folder, not a file.");
        return false;
    }
    if (!file.exists()) {
        openFailure = QStringLiteral("There is no such file.");
        return false;
    }
    try {
        openConnection();
        closeConnection();
        return true;
    } catch (const std::exception& error) {
        closeConnection();
        openFailure = QString::fromUtf8(error.what());
        const auto* refusal = dynamic_cast<const db::DbError*>(&error);
        openFailureHeld = refusal && refusal->kind() == db::DbError::Kind::InUse;
        return false;
    }
}

// Removes the partial files that a run stopped in the middle of writing left behind: those of
// the configuration file, of printouts, and of the database folder's copies and backups.
void removeStalePartialFiles() {
    files::removeStalePartials(homeFolder(), {QStringLiteral("MatchInfo.ini")});
    files::removeStalePartials(print::pdfFolder(), {QStringLiteral("Printout *.pdf")});
    files::removeStalePartials(gDbFolder, {QStringLiteral("*.mdb"), QStringLiteral("Blank_MatchInfo.md_"),
                                           QStringLiteral("matchinfo*.bak")});
}

// The same for the description files of Send Database: named as a send names them, after the
// school of the database in use and a time stamp.
void removeStaleSendPartials() {
    const QDateTime any(QDate(2000, 1, 1), QTime(0, 0));
    const QString school = sendName(gSchoolName, any).chopped(backupTimeStamp(any).size());
    files::removeStalePartials(
        gDbFolder, {QRegularExpression(QRegularExpression::escape(school) +
                                       QStringLiteral(" \\d{4}( \\d{1,2}){4}\\.txt"))});
}

// Runs one start-up step; an error ends that step only.
template <class Step>
void ignoringErrors(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

void endProgram() {
    ended = true;
    if (endHandler) {
        endHandler();
        return;
    }
    // Leaving the event loop ends main; with no loop running there is nothing to leave.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

bool programEnded() { return ended; }

void setEndProgramHandler(std::function<void()> handler) {
    endHandler = std::move(handler);
    ended = false;
}

bool screenIsLargeEnough(const QSize& size) {
    return size.height() >= 768 && size.width() >= 1024;
}

bool screenCheck(const QSize& size) {
    if (screenIsLargeEnough(size)) return true;
    ui::msgBox(QStringLiteral("Program will only run on screen resolution of 1024x768 or higher"),
               ui::Buttons::OK, QStringLiteral("Screen Resolution Error"));
    endProgram();
    return false;
}

void startUp() {
    // The printer is left as it is.

    // The configuration file is read, and the repair runs, once per run: on the first menu load
    // that finds the file.
    // A database that cannot be opened is neither repaired nor read: it is reported instead.
    openFailure.clear();
    openFailureHeld = false;
    const bool firstLoad = gIniFound.isEmpty();
    if (firstLoad) {
        ignoringErrors([] { readIniFile(); });
        removeStalePartialFiles();
        repairPendingFor = gDbPath;
    }
    // A file another program held at the first load is repaired at the load that opens it.
    if (!gIniFound.isEmpty() && !repairPendingFor.isEmpty() && repairPendingFor == gDbPath &&
        databaseOpens()) {
        repairPendingFor.clear();
        ignoringErrors([] { repairNullOvertime(); });
    }
    if (!gIniFound.isEmpty()) {
        if (openFailure.isEmpty() && databaseOpens()) {
            try {
                loadSettingsRow();
                if (firstLoad) removeStaleSendPartials();
            } catch (const std::exception& error) {
                openFailure = QStringLiteral("It is no database of this program, or a damaged "
                                             "one: ") +
                              QString::fromUtf8(error.what());
            }
        }
    } else {
        ignoringErrors([] { firstRunPrompt(); });
    }
    if (programEnded()) return;

    // The upgrade writes version 8 into the file; gDbVersion reads 8 from the next menu load on.
    if (gDbVersion == 7) ignoringErrors([] { upgradeDb7to8(); });

    gSeason = getSeason(QDate::currentDate());
}

QString databaseOpenFailure() { return openFailure; }

bool databaseHeld() { return openFailureHeld; }

void firstRunPrompt() {
    ui::msgBox(QStringLiteral("This looks like the first time\nyou have run this program"));
    const ui::Answer answer = ui::msgBox(QStringLiteral("Would you like to create a new database?"),
                                         ui::Buttons::YesNoCancel, QStringLiteral("Error"));
    if (answer == ui::Answer::Yes) {
        ui::forms().get<frmInit>()->hide();
        ui::forms().get<frmDirLoc>()->show();
        ui::msgBox(QStringLiteral("Please select directory for the new database"));
    } else if (answer == ui::Answer::No) {
        ui::forms().get<frmInit>()->hide();
        gFileLocMode = QStringLiteral("FindDB");
        ui::forms().get<frmFileLoc>()->show();
        ui::msgBox(QStringLiteral("Please select the previously created database"));
    } else {
        endProgram();
    }
}

QString provideBlankTemplate(const QString& folder) {
    const QString blank = folder + QStringLiteral("Blank_MatchInfo.md_");
    if (files::nameTaken(blank)) return QString();
    return files::copyFileAsNew(installFolder() + QStringLiteral("/Blank_MatchInfo.md_"), blank);
}
