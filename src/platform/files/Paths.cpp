#include "platform/files/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>

namespace files {

QString folderOf(const QString& path) {
    const int slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return slash >= 0 ? path.left(slash + 1) : QString();
}

QString absolutePath(const QString& path, const QString& base) {
    const QDir from = base.isEmpty() ? QDir::current() : QDir(base);
    return QDir::cleanPath(from.absoluteFilePath(path));
}

QString absoluteFolder(const QString& folder) {
    const QString path = absolutePath(folder);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

bool nameTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString nameTakenAlike(const QString& path) {
    if (nameTaken(path)) return path;
    const QString folder = folderOf(path);
    const QString name = path.mid(folder.size());
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    // System takes in links that lead nowhere.
    for (const QString& entry :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder + entry;
    return QString();
}

QString whyNotWritable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    file.close();
    const QString folder = folderOf(absolutePath(path));
    QTemporaryFile scratch(folder + QStringLiteral(".write-test-XXXXXX"));
    if (!scratch.open()) return QStringLiteral("%1: %2").arg(folder, scratch.errorString());
    return QString();
}

}  // namespace files
