#include "platform/db/Value.h"

#include <QRegularExpression>
#include <cmath>

namespace db {

namespace {

// The number a text begins with, blanks skipped; 0 when it begins with none.
double leadingNumberOf(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*([-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?)"));
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

}  // namespace

bool isNumberText(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?\\s*$"));
    // A number too large for a double ("1e999") is none: it would be stored as infinite.
    return re.match(text).hasMatch() && std::isfinite(text.trimmed().toDouble());
}

QString isoDate(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QString shortDate(const QDate& d) { return d.toString(QStringLiteral("M/d/yyyy")); }

QDate parseUsDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return {};
    return QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
}

QString Value::toString() const {
    switch (kind_) {
        case Kind::Null: return QString();
        case Kind::Integer: return QString::number(int_);
        case Kind::Real: {
            if (std::isfinite(real_) && real_ == std::floor(real_) && std::fabs(real_) < 1e15)
                return QString::number(static_cast<long long>(real_));
            return QString::number(real_, 'g', 15);
        }
        case Kind::Text: return text_;
        case Kind::Date: return shortDate(date_);
    }
    return QString();
}

long long Value::toInt() const {
    switch (kind_) {
        case Kind::Integer: return int_;
        case Kind::Real: return static_cast<long long>(std::llround(real_));
        case Kind::Text: return static_cast<long long>(std::llround(leadingNumberOf(text_)));
        default: return 0;
    }
}

double Value::toDouble() const {
    switch (kind_) {
        case Kind::Integer: return static_cast<double>(int_);
        case Kind::Real: return real_;
        case Kind::Text: return leadingNumberOf(text_);
        default: return 0;
    }
}

QDate Value::toDate() const {
    if (kind_ == Kind::Date) return date_;
    if (kind_ == Kind::Text) {
        QDate d = parseUsDate(text_);
        if (!d.isValid()) d = QDate::fromString(text_.trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
        return d;
    }
    return {};
}

bool Value::operator==(const Value& other) const {
    if (isNumber() && other.isNumber()) return toDouble() == other.toDouble();
    if (kind_ != other.kind_) return false;
    switch (kind_) {
        case Kind::Null: return true;
        case Kind::Text: return text_ == other.text_;
        case Kind::Date: return date_ == other.date_;
        default: return false;
    }
}

}  // namespace db
