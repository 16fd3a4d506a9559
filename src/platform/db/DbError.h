#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace db {

// Every failure of the database layer: a file that is missing or no database, an SQL text the
// engine refuses, a constraint, a value that does not fit its column.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// A database file that could not be opened, or that was refused when it was: the message names
// the file; `reason` says why without naming it, for a list that shows the file's name beside it.
class FileNotOpened : public DbError {
public:
    FileNotOpened(const QString& path, const QString& reason)
        : DbError(QStringLiteral("Could not open database file '%1': %2").arg(path, reason)), reason_(reason) {}
    QString reason() const { return reason_; }

private:
    QString reason_;
};

}  // namespace db
