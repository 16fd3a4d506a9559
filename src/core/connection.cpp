#include "core/connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <stdexcept>

#include "core/helpers.h"
#include "core/received_dates.h"
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

namespace {

// The indexes the schema declares (CREATE INDEX, not the unique ones the upgrade manages), each
// as "CREATE INDEX IF NOT EXISTS ...".
const QStringList& schemaIndexes() {
    static const QStringList statements = [] {
        QStringList list;
        QFile schema(QStringLiteral(":/schema.sql"));
        if (!schema.open(QIODevice::ReadOnly | QIODevice::Text)) return list;
        static const QRegularExpression index(QStringLiteral("^CREATE INDEX (.+);\\s*$"),
                                              QRegularExpression::MultilineOption);
        for (auto it = index.globalMatch(QString::fromUtf8(schema.readAll())); it.hasNext();)
            list << QStringLiteral("CREATE INDEX IF NOT EXISTS ") + it.next().captured(1);
        return list;
    }();
    return statements;
}

// A file made before these indexes gets them. A file that cannot take them goes on without
// them: they only make the queries quicker. A table not there yet (a version-7 file) skips its
// index only; a file that takes no writes (read-only, or busy in another program) is left alone
// at the first refusal, and false returned.
bool ensureIndexes() {
    for (const QString& sql : schemaIndexes()) {
        try {
            gConn.execute(sql);
        } catch (const db::DbError& error) {
            if (!error.message().contains(QLatin1String("no such table"), Qt::CaseInsensitive)) return false;
        }
    }
    return true;
}

// Rows of the match table when its statistics were taken; 0 when it has none.
long long matchRowsInStatistics() {
    try {
        db::Recordset rs = gConn.openSnapshot(QStringLiteral(
            "SELECT stat FROM sqlite_stat1 WHERE tbl = 'Match' AND idx = 'ixMatchWrestler'"));
        return rs.isEOF() ? 0 : rs.field(QStringLiteral("stat")).toString().section(QLatin1Char(' '), 0, 0).toLongLong();
    } catch (const db::DbError&) {
        return 0;  // no statistics table yet
    }
}

// The engine picks among a table's indexes by their statistics; without them it may take the
// weight index for a wrestler's bouts at one weight and read a hundred times the rows. A file
// without statistics, or whose matches have grown or shrunk twofold since they were taken, gets
// them anew (a tenth of a second for 100,000 matches, once).
void ensurePlannerStatistics() {
    try {
        db::Recordset rs = gConn.openSnapshot(QStringLiteral("SELECT Count(*) AS n FROM [Match]"));
        const long long rows = rs.field(QStringLiteral("n")).toInt();
        rs.close();
        const long long analyzed = matchRowsInStatistics();
        if (rows == 0 || (analyzed > 0 && analyzed < rows * 2 && rows < analyzed * 2)) return;
        gConn.execute(QStringLiteral("ANALYZE"));
    } catch (const db::DbError&) {
        // Statistics only make the queries quicker: a file that takes none goes on without.
    }
}

// The columns that hold dates.
const QStringList kDateColumns = {QStringLiteral("Match.Date"), QStringLiteral("HomeWI.CompDate"),
                                  QStringLiteral("DualScore.CompDate"), QStringLiteral("Roster.RosterDate")};

// Whether the indexes have been made (or tried) through the handle in use, which the next open
// may take up again.
bool indexesEnsured = false;

// The tables the program reads and writes. A file that lacks one, holds a view or a virtual
// table under one of these names, or has a trigger on one, is no file of the program, and is
// refused before anything reads or writes it. A version-7 file has no DualScore yet: the upgrade
// makes it. In every table but License the database numbers the rows it adds, in Seq.
void requireProgramTables() {
    static const QStringList tables = {
        QStringLiteral("License"), QStringLiteral("Wrestler"), QStringLiteral("Weight"),
        QStringLiteral("OppSchool"), QStringLiteral("Roster"), QStringLiteral("HomeWI"),
        QStringLiteral("DualScore"), QStringLiteral("Match")};
    static const QStringList counters = [] {
        QStringList list;
        for (const QString& table : tables)
            if (table != QLatin1String("License")) list << table + QStringLiteral(".Seq");
        return list;
    }();
    gConn.requireTables(tables, {QStringLiteral("DualScore")}, counters, kDateColumns);
}

}  // namespace

// One engine handle serves the whole run: closing the connection keeps it (every write is
// committed by then), and the next open takes it up again unless the file has been replaced.
void openConnection() {
    requireProgramTables();
    if (gConn.open(gDbPath, true) || !indexesEnsured) {
        indexesEnsured = true;
        if (ensureIndexes()) ensurePlannerStatistics();
    }
    storeDatesAsDates(kDateColumns);
}

void openConnectionToRead() {
    requireProgramTables();
    if (gConn.open(gDbPath, true)) indexesEnsured = false;
}

void closeConnection() { gConn.close(true); }

void runInTransaction(const std::function<void()>& work) {
    if (gConn.inTransaction()) work();
    else gConn.inTransaction(work);
}

db::Recordset openRecordset(const QString& sql, const db::Params& params) {
    return gConn.openSnapshot(sql, params);
}

db::Recordset openForwardRecordset(const QString& sql, const db::Params& params) {
    return gConn.openForward(sql, params);
}

db::Recordset openRecordsetForUpdate(const QString& sql, const db::Params& params) {
    return gConn.openForUpdate(sql, params);
}

bool recordsExist(const QString& sql, const db::Params& params) { return gConn.hasRow(sql, params); }

void closeRecordset(db::Recordset& rs) { rs.close(); }

db::Recordset openRecordsetByName(const QString& sql, const QString& name, const db::Params& more) {
    db::Params params{db::Value(name)};
    params.insert(params.end(), more.begin(), more.end());
    db::Recordset rs = openRecordset(sql, params);
    if (rs.isEOF() && name.contains(QLatin1Char('\''))) {
        params[0] = db::Value(fixQuotes(name));
        rs = openRecordset(sql, params);
    }
    return rs;
}
