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

}  // namespace db
