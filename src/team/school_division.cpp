#include "team/school_division.h"

#include <cmath>

#include "core/helpers.h"

// A division is shown back as its stored value reads (Value::toString); that text must pass this
// check too, or a school could be added that its own edit refuses. A number too large for plain
// digits there ("1e+20") or too small ("1e-20") is therefore no division.
bool isDivisionText(const QString& text) {
    const QString typed = text.trimmed();
    return isPlainNumberText(typed) && isPlainNumberText(divisionValue(typed).toString());
}

bool isListedDivision(const QString& text) {
    return isPlainNumberText(divisionValue(text).toString());
}

db::Value divisionValue(const QString& text) {
    const double d = leadingNumber(text);
    if (std::floor(d) == d && std::fabs(d) < 1e15) return db::Value(static_cast<long long>(d));
    return db::Value(d);
}
