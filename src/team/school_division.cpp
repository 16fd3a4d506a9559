#include "team/school_division.h"

#include <cmath>

#include "core/helpers.h"

bool isDivisionText(const QString& text) { return isPlainNumberText(text.trimmed()); }

db::Value divisionValue(const QString& text) {
    const double d = leadingNumber(text);
    if (std::floor(d) == d && std::fabs(d) < 1e15) return db::Value(static_cast<long long>(d));
    return db::Value(d);
}
