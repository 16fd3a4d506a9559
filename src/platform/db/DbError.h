#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace db {

// Every failure of the database layer: a file that is missing or no database, an SQL text the
// engine refuses, a constraint, a value that does not fit its column.
class DbError : public std::runtime_error {
public:
    // What a caller may act upon: the file held by another program (another copy of this one),
    // or a row to be written that is no longer as it was read.
    enum class Kind { Other, InUse, RowChanged };

    explicit DbError(const QString& message, Kind kind = Kind::Other)
        : std::runtime_error(message.toStdString()), kind_(kind) {}
    QString message() const { return QString::fromStdString(what()); }
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// A database file that could not be opened, or that was refused when it was: the message names
// the file; `reason` says why without naming it, for a list that shows the file's name beside it.
class FileNotOpened : public DbError {
public:
    FileNotOpened(const QString& path, const QString& reason, Kind kind = Kind::Other)
        : DbError(QStringLiteral("Could not open database file '%1': %2").arg(path, reason), kind),
          reason_(reason) {}
    QString reason() const { return reason_; }

private:
    QString reason_;
};

}  // namespace db
