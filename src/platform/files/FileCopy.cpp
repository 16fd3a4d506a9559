#include "platform/files/FileCopy.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace files {

namespace {

// Renames the finished `partial` over `to` in one step; removes `partial` when that fails.
QString renameOver(const QString& partial, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(partial).toStdString(),
                            QFile::encodeName(to).toStdString(), error);
    if (error) {
        QFile::remove(partial);
        return QStringLiteral("%1 could not be written: %2")
            .arg(to, QString::fromStdString(error.message()));
    }
    return QString();
}

}  // namespace

QString copyFileReplacing(const QString& from, const QString& to) {
    if (!QFileInfo(from).isFile()) return QStringLiteral("The file %1 is missing.").arg(from);
    const QString partial = to + QStringLiteral(".partial");
    QFile::remove(partial);
    QFile source(from);
    if (!source.copy(partial)) {
        const QString reason = source.errorString();
        QFile::remove(partial);
        return QStringLiteral("%1 could not be copied to %2: %3").arg(from, partial, reason);
    }
    QFile::setPermissions(partial, QFile::permissions(partial) | QFileDevice::WriteOwner);
    return renameOver(partial, to);
}

QString writeFileReplacing(const QString& to, const QByteArray& content) {
    const QString partial = to + QStringLiteral(".partial");
    QFile::remove(partial);
    // Unbuffered, so that a write the disk refuses (full, over a size limit) fails here and
    // not unseen in a later flush.
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("%1 could not be written: %2").arg(to, file.errorString());
    QString reason;
    if (file.write(content) != content.size())
        reason = file.errorString();
    else if (::fsync(file.handle()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    file.close();
    if (reason.isEmpty() && file.error() != QFileDevice::NoError) reason = file.errorString();
    if (!reason.isEmpty()) {
        QFile::remove(partial);
        return QStringLiteral("%1 could not be written: %2").arg(to, reason);
    }
    return renameOver(partial, to);
}

}  // namespace files
