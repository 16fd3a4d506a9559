#include "team/school_division.h"

#include <QRegularExpression>
#include <cmath>

#include "core/helpers.h"

bool isDivisionText(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString number = text.trimmed();
    return plain.match(number).hasMatch() && std::isfinite(number.toDouble());
}

db::Value divisionValue(const QString& text) {
    const double d = leadingNumber(text);
    if (std::floor(d) == d && std::fabs(d) < 1e15) return db::Value(static_cast<long long>(d));
    return db::Value(d);
}
