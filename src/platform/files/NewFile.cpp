#include "platform/files/NewFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace files {

namespace {

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

// "." and six random letters and digits.
QString randomTag() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString tag = QStringLiteral(".");
    for (int i = 0; i < 6; ++i)
        tag += QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars - 1))]);
    return tag;
}

// Moves `from` to `to` unless `to` is taken; errno tells why not.
bool renameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system that cannot refuse in the rename itself: a second name, then the first goes.
    if (::link(from.constData(), to.constData()) != 0) return false;
    ::unlink(from.constData());
    return true;
}

}  // namespace

QString reasonText(int error) {
    switch (error) {
        case ENOSPC: return QStringLiteral("no space left on the disk");
        case EDQUOT: return QStringLiteral("the disk quota is used up");
        case EFBIG: return QStringLiteral("the file could not grow: it would pass the file-size limit");
        case ENOENT: return QStringLiteral("the folder does not exist");
        case ENOTDIR: return QStringLiteral("a part of the folder's path is a file, not a folder");
        case EACCES:
        case EPERM: return QStringLiteral("no permission");
        case EROFS: return QStringLiteral("the disk is read-only");
        case EISDIR: return QStringLiteral("a folder has that name");
        case EEXIST: return QStringLiteral("the name is taken");
        case ELOOP: return QStringLiteral("the name is a link");
        case ENAMETOOLONG: return QStringLiteral("the name is too long");
        default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString makeFolder(const QString& folder) {
    std::error_code error;
    const std::filesystem::path path(nativePath(folder).toStdString());
    std::filesystem::create_directories(path, error);
    if (std::filesystem::is_directory(path)) return QString();
    if (!error || error.value() == EEXIST) return QStringLiteral("a file has the folder's name");
    return reasonText(error.value());
}

// The new file as a device for writers that take one. Closing it leaves the file to its owner.
class NewFile::Device : public QIODevice {
public:
    explicit Device(NewFile& file) : file_(file) {
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        return file_.writeBytes(data, size) ? size : -1;
    }

private:
    NewFile& file_;
};

NewFile::NewFile(const QString& target) : device_(std::make_unique<Device>(*this)) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = target + randomTag() + QStringLiteral(".partial");
        fd_ = ::open(nativePath(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     0666);
        if (fd_ >= 0) {
            partial_ = name;
            // Held until the file is placed or removed: a file locked is no stale one.
            ::flock(fd_, LOCK_EX | LOCK_NB);
            return;
        }
        if (errno != EEXIST) break;
    }
    fail(errno);
}

NewFile::~NewFile() {
    device_.reset();
    if (fd_ >= 0) ::close(fd_);
    if (!partial_.isEmpty()) ::unlink(nativePath(partial_).constData());
}

bool NewFile::fail(int error) { return failWith(reasonText(error)); }

bool NewFile::failWith(const QString& reason) {
    if (failure_.isEmpty()) failure_ = reason;
    return false;
}

QIODevice* NewFile::device() { return device_.get(); }

bool NewFile::writeBytes(const char* data, qint64 size) {
    if (!failure_.isEmpty()) return false;
    while (size > 0) {
        const ssize_t done = ::write(fd_, data, static_cast<size_t>(size));
        if (done < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        data += done;
        size -= done;
    }
    return true;
}

bool NewFile::write(const QByteArray& bytes) { return writeBytes(bytes.constData(), bytes.size()); }

bool NewFile::copyFrom(const QString& source) {
    if (!failure_.isEmpty()) return false;
    const int in = ::open(nativePath(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return fail(errno);
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    ssize_t got;
    while (ok && (got = ::read(in, buffer.data(), buffer.size())) != 0) {
        if (got < 0 && errno == EINTR) continue;
        ok = got < 0 ? fail(errno) : writeBytes(buffer.data(), got);
    }
    ::close(in);
    return ok;
}

bool NewFile::place(const QString& target, Existing existing,
                    const std::function<QString()>& beforeRename) {
    if (nameTaken_) {
        nameTaken_ = false;
        failure_.clear();
    }
    if (!failure_.isEmpty()) return false;
    if (::fsync(fd_) != 0) return fail(errno);
    const QByteArray from = nativePath(partial_);
    const QByteArray to = nativePath(target);
    struct stat st {};
    const bool taken = ::lstat(to.constData(), &st) == 0;
    if (existing == Existing::Keep) {
        if (taken) {
            nameTaken_ = true;
            return fail(EEXIST);
        }
    } else if (taken) {
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        if (st.st_uid != ::geteuid())
            return failWith(QStringLiteral("the file of that name belongs to another user"));
    }
    if (beforeRename) {
        if (const QString failure = beforeRename(); !failure.isEmpty()) return failWith(failure);
    }
    if (existing == Existing::Keep) {
        if (!renameNoReplace(from, to)) {
            nameTaken_ = errno == EEXIST;
            return fail(errno);
        }
    } else if (::rename(from.constData(), to.constData()) != 0) {
        return fail(errno);
    }
    partial_.clear();
    ::close(fd_);
    fd_ = -1;
    return true;
}

QString fileToReplace(const QString& name) {
    const QByteArray path = nativePath(name);
    struct stat link {};
    struct stat target {};
    if (::lstat(path.constData(), &link) != 0 || !S_ISLNK(link.st_mode) || link.st_uid != ::geteuid() ||
        ::stat(path.constData(), &target) != 0 || !S_ISREG(target.st_mode) ||
        target.st_uid != ::geteuid())
        return name;
    char* resolved = ::realpath(path.constData(), nullptr);
    if (!resolved) return name;
    const QString file = QFile::decodeName(resolved);
    std::free(resolved);
    return file;
}

void removeStalePartials(const QString& folder, const QStringList& names) {
    QList<QRegularExpression> patterns;
    for (const QString& name : names)
        patterns << QRegularExpression(QRegularExpression::wildcardToRegularExpression(name));
    removeStalePartials(folder, patterns);
}

void removeStalePartials(const QString& folder, const QList<QRegularExpression>& names) {
    if (folder.isEmpty()) return;
    QList<QRegularExpression> patterns;
    for (const QRegularExpression& name : names)
        patterns << QRegularExpression(QRegularExpression::anchoredPattern(name.pattern()),
                                       QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    auto ours = [&](const QString& stem) {
        if (!tag.match(stem).hasMatch()) return false;
        for (const QRegularExpression& pattern : patterns)
            if (pattern.match(stem.chopped(7)).hasMatch()) return true;
        return false;
    };
    // A file just made by another run may not be locked yet: it is made first and locked after.
    const time_t changedBefore = ::time(nullptr) - 60;

    const QDir dir(folder);
    const QStringList partials =
        dir.entryList({QStringLiteral("*.partial")},
                      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : partials) {
        if (!ours(name.chopped(int(sizeof ".partial" - 1)))) continue;
        const QByteArray path = nativePath(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened {};
        struct stat now {};
        // Removed only while the name still leads to the file looked at.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            opened.st_mtim.tv_sec < changedBefore && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::lstat(path.constData(), &now) == 0 && now.st_dev == opened.st_dev &&
            now.st_ino == opened.st_ino)
            ::unlink(path.constData());
        ::close(fd);
    }
}

}  // namespace files
