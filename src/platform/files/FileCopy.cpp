#include "platform/files/FileCopy.h"

#include <QFileInfo>

#include "platform/files/NewFile.h"

namespace files {

namespace {

QString copied(const QString& from, const QString& to, NewFile::Existing existing) {
    if (!QFileInfo(from).isFile()) return QStringLiteral("The file %1 is missing.").arg(from);
    const QString target = existing == NewFile::Existing::ReplaceOwn ? fileToReplace(to) : to;
    NewFile file(target);
    if (file.copyFrom(from) && file.place(target, existing)) return QString();
    return QStringLiteral("%1 could not be copied to %2: %3.").arg(from, to, file.failure());
}

}  // namespace

QString copyFileReplacing(const QString& from, const QString& to) {
    return copied(from, to, NewFile::Existing::ReplaceOwn);
}

QString copyFileAsNew(const QString& from, const QString& to) {
    return copied(from, to, NewFile::Existing::Keep);
}

QString writeFileReplacing(const QString& to, const QByteArray& content) {
    const QString target = fileToReplace(to);
    NewFile file(target);
    if (file.write(content) && file.place(target, NewFile::Existing::ReplaceOwn)) return QString();
    return QStringLiteral("%1 could not be written: %2.").arg(to, file.failure());
}

}  // namespace files
