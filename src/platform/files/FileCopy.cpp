#include "platform/files/FileCopy.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace files {

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
    // A rename replaces the old file in one step.
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

}  // namespace files
