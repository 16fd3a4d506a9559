#pragma once

#include <QString>
#include <vector>

// One record of a school-list file: the division as written and the school's name.
struct SchoolListRecord {
    QString division;
    QString name;
};

// The records of a school-list file: fields separated by commas or line ends, a field in double
// quotes may hold commas, an unquoted field is trimmed; fields are taken two by two (division,
// then name). A record without a name (a division left over at the end, or an empty name field)
// is left out. The text is read as UTF-8, or as Latin-1 when it is no valid UTF-8.
// `readable` is false when the file cannot be opened (the result is then empty).
std::vector<SchoolListRecord> readSchoolList(const QString& path, bool& readable);
