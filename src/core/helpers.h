#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "platform/db/Value.h"

class QPlainTextEdit;
namespace ui {
class ReportBox;
}

// Checks and rebuilds a date typed as MM/DD/YYYY; see the implementation for the rules.
void CheckDateFormat(QString& text, short& bad, short& weekday);
// The name of a weekday numbered 1 (Sunday) to 7 (Saturday); "" for any other number.
QString weekdayName(short weekday);
short getSeason(const QDate& date);
QString seasonLabel(short season);
// A stored Season as the season the program handles; nothing for Null or a number beyond that
// range (a file edited by another tool).
std::optional<short> storedSeason(const db::Value& value);
QString fixQuotes(const QString& text);
// Null or empty becomes ""; any other value is returned unchanged.
db::Value nzString(const db::Value& value);
// Null becomes the number 0; any other value is returned unchanged.
db::Value nzZero(const db::Value& value);
int countOccurrences(const QString& text, const QString& pattern);
void SetTabStops(QPlainTextEdit* box, const std::vector<int>& stops);
void SetTabStops(ui::ReportBox* box, const std::vector<int>& stops);

// Signed number text: one leading blank when the number is not negative, a minus sign when it is.
QString signedNumberText(long long n);
QString signedNumberText(double n);
// The number a text begins with (leading blanks skipped); 0 when it begins with none.
double leadingNumber(const QString& text);
// True when the whole text (blanks around it allowed) reads as a number a double can hold.
bool isNumericText(const QString& text);
// True when the text is a number as a coach types it: blanks around it, a sign, digits and one
// decimal point, and small enough to be stored. No exponent, "inf" or separators.
bool isPlainNumberText(const QString& text);
