#include "core/connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <stdexcept>

#include "platform/files/FileCopy.h"
#include "platform/files/Paths.h"
#include "platform/ui/Messages.h"

QString gDbPath;
QString gDbFolder;
QString gIniFound;
db::Connection gConn;
QString gSchoolName;
short gDbVersion = 0;
short gSeason = 0;
QString gFileLocMode;
QString gImportFile;
QString gAppVersion;

namespace {

const QString kIniName = QStringLiteral("MatchInfo.ini");

// The configuration file in the home folder under whatever case its name has; "" when none.
QString findIniFile() {
    const QDir home(homeFolder());
    const QStringList found = home.entryList({kIniName}, QDir::Files | QDir::CaseSensitive) +
                              home.entryList({kIniName}, QDir::Files);
    return found.isEmpty() ? QString() : found.first();
}

}  // namespace

QString homeFolder() {
    const QString env = qEnvironmentVariable("KESTRIVANE_HOME");
    if (!env.isEmpty()) return files::absolutePath(env);
    return QDir::homePath() + QStringLiteral("/Kestrivane");
}

QString installFolder() {
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(beside + QStringLiteral("/matchinfo.md_"))) return beside;
    return QStringLiteral(KESTRIVANE_TEMPLATE_DIR);
}

// The configuration file always lives in the home folder, whatever the current folder is: a
// backup changes the current folder, and the setting must not get lost because of it.
void readIniFile() {
    gIniFound = findIniFile();
    if (gIniFound.isEmpty()) return;
    QFile file(QDir(homeFolder()).filePath(gIniFound));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        gIniFound.clear();
        return;
    }
    QTextStream in(&file);
    const QString line1 = in.readLine().trimmed();
    if (line1.isEmpty()) {
        // An empty file names no database: treat it as no file at all.
        gIniFound.clear();
        return;
    }
    // A relative path (as an older version stored it) is taken from the home folder, where the
    // program started when it wrote it.
    gDbPath = files::absolutePath(line1, homeFolder());
    gDbFolder = files::folderOf(gDbPath);
}

void writeIniFile() {
    QDir().mkpath(homeFolder());
    const QString existing = findIniFile();
    const QString path = QDir(homeFolder()).filePath(existing.isEmpty() ? kIniName : existing);
    // The old file stays until the new one is completely on the disk.
    const QString failure =
        files::writeFileReplacing(path, (gDbPath + QStringLiteral("\r\n\r\n")).toUtf8());
    if (!failure.isEmpty()) throw std::runtime_error(failure.toStdString());
}

bool setDatabaseInUse(const QString& path) {
    const QString keptPath = gDbPath;
    gDbPath = files::absolutePath(path);
    try {
        writeIniFile();
    } catch (const std::exception& error) {
        gDbPath = keptPath;
        ui::msgBox(QStringLiteral("The configuration file could not be written, so the database "
                                  "in use stays as it was.\n\n") +
                       QString::fromUtf8(error.what()),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return false;
    }
    gDbFolder = files::folderOf(gDbPath);
    return true;
}

void openConnection() { gConn.open(gDbPath); }

void closeConnection() { gConn.close(); }

db::Recordset openRecordset(const QString& sql, const db::Params& params) {
    return gConn.openSnapshot(sql, params);
}

db::Recordset openRecordsetForUpdate(const QString& sql, const db::Params& params) {
    return gConn.openForUpdate(sql, params);
}

void closeRecordset(db::Recordset& rs) { rs.close(); }
