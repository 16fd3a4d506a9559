#pragma once

#include <QString>
#include <vector>

// One record of a school-list file: the division as written and the school's name.
struct SchoolListRecord {
    QString division;
    QString name;
};

// What a school-list file gives: its records, or why it cannot be imported.
struct SchoolList {
    std::vector<SchoolListRecord> records;
    QString refusal;  // the message for the user; empty when the file can be imported
};

// Reads a school-list file: fields separated by commas or line ends, a field in double quotes may
// hold commas, every field is trimmed (inside its quotes too); fields are taken two by two (division, then name).
// The text is read in the encoding its byte-order mark names (UTF-8 or UTF-16), else as UTF-16
// when its NUL bytes show it is and it decodes cleanly so, else as UTF-8, or as Windows-1252 when
// it holds no UTF-8 character of more than one byte. A tab, vertical tab or form feed is a blank;
// invisible format characters (a zero-width space, a writing-direction mark) are dropped.
// The file is refused whole when it cannot be opened, holds no record, is no text (a control
// character in it, a text cut in the middle of a character), is UTF-8 with bytes that are not
// (the refusal names their line), has a record that is not a division (see isListedDivision) and
// a school name (a name that is not a number itself), or has a name longer than a text box takes;
// the refusal then names the line where the first such record or name begins.
SchoolList readSchoolList(const QString& path);
