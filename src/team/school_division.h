#pragma once

#include <QString>

#include "platform/db/Value.h"

// The division of an opposing school, as the school form and a school-list file give it.

// True when the text (blanks around it allowed) is a plain number: digits with at most one
// decimal point, a sign in front allowed, whose stored value reads back as plain digits too.
// Exponents, "inf", "nan", thousands separators and the like are no division.
bool isDivisionText(const QString& text);

// OppDiv of a division text: the number it begins with, as a whole number when it is one; 0 when
// it begins with none.
db::Value divisionValue(const QString& text);
