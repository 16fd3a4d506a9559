#pragma once

#include <QString>

#include "platform/db/Value.h"

// The division of an opposing school, as the school form and a school-list file give it.

// True when the text (blanks around it allowed) is a plain number: digits with at most one
// decimal point, a sign in front allowed, whose stored value reads back as plain digits too.
// Exponents, "inf", "nan", thousands separators and the like are no division.
bool isDivisionText(const QString& text);

// True for a division as a school-list file may write it: a class name such as "6A" as well as a
// number. It is read by the number it begins with ("3a" is 3; a text that begins with none is
// 0), which must be one that is stored and shown back as plain digits.
bool isListedDivision(const QString& text);

// OppDiv of a division text: the number it begins with, as a whole number when it is one; 0 when
// it begins with none.
db::Value divisionValue(const QString& text);
