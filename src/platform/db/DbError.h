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

}  // namespace db
