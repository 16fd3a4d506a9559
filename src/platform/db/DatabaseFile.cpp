#include "platform/db/DatabaseFile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QFile>
#include <QFileInfo>

#include "platform/db/Connection.h"

namespace db {

namespace {

// Why the engine failed on `db`, in the plain words of the file layer where the system gave a
// reason.
QString engineReason(sqlite3* db) {
    const int code = sqlite3_errcode(db) & 0xff;
    if (code == SQLITE_FULL) return files::reasonText(ENOSPC);
    if (code == SQLITE_IOERR || code == SQLITE_CANTOPEN) {
        const int error = sqlite3_system_errno(db);
        if (error != 0) return files::reasonText(error);
    }
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("another program, or another copy of this one, kept writing to "
                              "the database for more than %1 seconds")
            .arg(QString::number(Connection::busyWait() / 1000.0));
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// Copies the database `from` into the empty file `into` through the engine's backup, in one
// step: one read transaction on `from`. Returns "" when done, else the reason.
QString snapshot(const QString& from, const QString& into) {
    sqlite3* source = nullptr;
    sqlite3* copy = nullptr;
    QString failure;
    // Read-write as any connection of the program, so that a journal a stopped run left is rolled
    // back first; nothing else is written to it.
    if (sqlite3_open_v2(QFile::encodeName(from).constData(), &source,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        failure = source ? engineReason(source) : QStringLiteral("out of memory");
    } else if (sqlite3_open_v2(QFile::encodeName(into).constData(), &copy,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        failure = copy ? engineReason(copy) : QStringLiteral("out of memory");
    } else {
        sqlite3_busy_timeout(source, Connection::busyWait());
        // The new file has no journal to leave behind: it is used only once it is whole, and it
        // is put on the disk when it is placed.
        sqlite3_exec(copy, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr,
                     nullptr);
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", source, "main");
        if (!backup) {
            failure = engineReason(copy);
        } else {
            const int stepped = sqlite3_backup_step(backup, -1);
            // Finishing gives the copy's connection the step's error.
            sqlite3_backup_finish(backup);
            if (stepped != SQLITE_DONE) failure = engineReason(copy);
        }
    }
    sqlite3_close_v2(copy);
    sqlite3_close_v2(source);
    return failure;
}

// Marks the database file `path` as one in rollback-journal mode when a copy of a file in
// write-ahead-log mode marked it so: bytes 18 and 19 of the header are 2 for a file in that mode,
// 1 for one in the other, which is all that leaving the mode changes in a file with nothing in its
// log. A copy then opens like every file the program makes, a read-only one or on a read-only
// disk too. Returns "" when done, else the reason.
QString leaveWalMode(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return files::reasonText(errno);
    char version[2] = {0, 0};
    QString failure;
    if (::pread(fd, version, 2, 18) != 2) failure = QStringLiteral("the copy is too short");
    else if ((version[0] == 2 || version[1] == 2) && ::pwrite(fd, "\1\1", 2, 18) != 2)
        failure = files::reasonText(errno);
    ::close(fd);
    return failure;
}

// Removes the engine's files of the name `database` that an earlier file of that name left:
// the user's own regular files. Returns "" when none is left, else why not.
QString removeLeftovers(const QString& database) {
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString name = database + QLatin1String(suffix);
        const QByteArray path = QFile::encodeName(name);
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0) {
            if (errno == ENOENT) continue;
            return QStringLiteral("%1 cannot be looked at: %2").arg(name, files::reasonText(errno));
        }
        QString what;
        if (S_ISDIR(st.st_mode)) what = QStringLiteral("is a folder");
        else if (S_ISLNK(st.st_mode)) what = QStringLiteral("is a link");
        else if (!S_ISREG(st.st_mode)) what = QStringLiteral("is no ordinary file");
        else if (st.st_uid != ::geteuid()) what = QStringLiteral("belongs to another user");
        if (!what.isEmpty())
            return QStringLiteral("%1 %2, and the database engine would take it for a part of "
                                  "the new file; remove it, or choose another name")
                .arg(name, what);
        if (::unlink(path.constData()) != 0 && errno != ENOENT)
            return QStringLiteral("%1, left by an earlier file of that name, could not be "
                                  "removed: %2")
                .arg(name, files::reasonText(errno));
    }
    return QString();
}

}  // namespace

QString copyDatabase(const QString& from, const QString& to, files::NewFile::Existing existing,
                     CopySource source) {
    if (!QFileInfo(from).isFile()) return QStringLiteral("The file %1 is missing.").arg(from);
    const QString target =
        existing == files::NewFile::Existing::ReplaceOwn ? files::fileToReplace(to) : to;
    files::NewFile file(target);
    if (file.failure().isEmpty()) {
        if (source == CopySource::Template) {
            file.copyFrom(from);
        } else {
            QString failure = snapshot(from, file.partialName());
            if (failure.isEmpty()) failure = leaveWalMode(file.partialName());
            if (!failure.isEmpty()) file.failWith(failure);
        }
    }
    if (file.place(target, existing, [&] { return removeLeftovers(target); })) return QString();
    return QStringLiteral("%1 could not be copied to %2: %3.").arg(from, to, file.failure());
}

}  // namespace db
