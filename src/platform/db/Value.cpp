#include "platform/db/Value.h"

#include <QRegularExpression>
#include <climits>
#include <cmath>

namespace db {

namespace {

// The number a text begins with, blanks skipped; 0 when it begins with none.
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Finds the number a text begins with, after blanks: a sign, digits with an optional point (or a
// point and digits), an optional exponent. Sets [start, end) to it; false when there is none.
// Scanned by hand: reports read numbers from tens of thousands of texts.
bool scanLeadingNumber(const QString& text, qsizetype& start, qsizetype& end) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i].isSpace()) ++i;
    start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) ++i;
    qsizetype digits = 0;
    while (i < n && isAsciiDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isAsciiDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))) ++j;
        if (j < n && isAsciiDigit(text[j])) {
            while (j < n && isAsciiDigit(text[j])) ++j;
            i = j;
        }
    }
    end = i;
    return true;
}

// The value of a number scanLeadingNumber found. Up to 15 digits without a point or an exponent
// are counted exactly; any other form goes to Qt's reading (correctly rounded, as the count is).
double numberValue(QStringView number) {
    qsizetype i = 0;
    const bool negative = number.startsWith(QLatin1Char('-'));
    if (negative || number.startsWith(QLatin1Char('+'))) ++i;
    if (number.size() - i <= 15) {
        long long whole = 0;
        qsizetype k = i;
        for (; k < number.size() && isAsciiDigit(number[k]); ++k) whole = whole * 10 + (number[k].unicode() - '0');
        if (k == number.size()) {
            const double value = static_cast<double>(whole);
            return negative ? -value : value;
        }
    }
    return number.toDouble();
}

// `v` rounded to a whole number; beyond the range of one, its nearest end (none at all gives 0).
// Converting such a number directly is undefined.
long long roundedClamped(double v) {
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (std::isnan(v)) return 0;
    if (v >= kTwoTo63) return LLONG_MAX;
    if (v <= -kTwoTo63) return LLONG_MIN;
    return std::llround(v);
}

double leadingNumberOf(const QString& text) {
    qsizetype start = 0, end = 0;
    if (!scanLeadingNumber(text, start, end)) return 0.0;
    return numberValue(QStringView(text).mid(start, end - start));
}

}  // namespace

bool isNumberText(const QString& text) {
    qsizetype start = 0, end = 0;
    if (!scanLeadingNumber(text, start, end)) return false;
    for (qsizetype i = end; i < text.size(); ++i)
        if (!text[i].isSpace()) return false;
    // A number too large for a double ("1e999") is none: it would be stored as infinite.
    return std::isfinite(numberValue(QStringView(text).mid(start, end - start)));
}

std::optional<long long> wholeNumber(double v, long long lo, long long hi) {
    // Rounded first (halves away from zero, as llround), then compared as whole numbers: the
    // largest whole number is no double, and 2^63 would compare equal to it as one.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    const double rounded = std::round(v);
    if (!(rounded >= -kTwoTo63 && rounded < kTwoTo63)) return std::nullopt;  // NaN too
    const auto n = static_cast<long long>(rounded);
    if (n < lo || n > hi) return std::nullopt;
    return n;
}

long long clampedSum(long long a, long long b) {
    long long sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? LLONG_MAX : LLONG_MIN;
}

qsizetype characterCount(const QString& text) {
    qsizetype count = text.size();
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) --count, ++i;
    return count;
}

// Written by hand: reports turn tens of thousands of dates into text, and a format string is
// parsed anew on every call.
QString isoDate(const QDate& d) {
    if (!d.isValid()) return QString();
    int year = 0, month = 0, day = 0;
    d.getDate(&year, &month, &day);
    return QString::asprintf("%04d-%02d-%02d", year, month, day);
}

QString shortDate(const QDate& d) {
    if (!d.isValid()) return QString();
    int year = 0, month = 0, day = 0;
    d.getDate(&year, &month, &day);
    if (year < 1000 || year > 9999) return QString::asprintf("%d/%d/%04d", month, day, year);
    // The common case without a format string: a report writes one date a bout.
    QChar buffer[10];
    int n = 0;
    auto put = [&buffer, &n](int digit) { buffer[n++] = QLatin1Char(char('0' + digit)); };
    if (month >= 10) put(month / 10);
    put(month % 10);
    buffer[n++] = QLatin1Char('/');
    if (day >= 10) put(day / 10);
    put(day % 10);
    buffer[n++] = QLatin1Char('/');
    put(year / 1000);
    put(year / 100 % 10);
    put(year / 10 % 10);
    put(year % 10);
    return QString(buffer, n);
}

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
        case Kind::Date: return shortDate(QDate::fromJulianDay(int_));
        case Kind::Blob: return QString::fromUtf8(blobBytes());
    }
    return QString();
}

Value Value::blob(const QByteArray& bytes) {
    Value v;
    v.kind_ = Kind::Blob;
    v.text_ = QString::fromLatin1(bytes);
    return v;
}

QByteArray Value::blobBytes() const { return kind_ == Kind::Blob ? text_.toLatin1() : QByteArray(); }

long long Value::toInt() const {
    switch (kind_) {
        case Kind::Integer: return int_;
        case Kind::Real: return roundedClamped(real_);
        case Kind::Text: return roundedClamped(leadingNumberOf(text_));
        case Kind::Blob: return roundedClamped(leadingNumberOf(toString()));
        default: return 0;
    }
}

double Value::toDouble() const {
    switch (kind_) {
        case Kind::Integer: return static_cast<double>(int_);
        case Kind::Real: return real_;
        case Kind::Text: return leadingNumberOf(text_);
        case Kind::Blob: return leadingNumberOf(toString());
        default: return 0;
    }
}

QDate Value::toDate() const {
    if (kind_ == Kind::Date) return QDate::fromJulianDay(int_);
    if (kind_ == Kind::Text) {
        QDate d = parseUsDate(text_);
        if (!d.isValid()) d = QDate::fromString(text_.trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
        return d;
    }
    return {};
}

namespace {

// Whether the real number `real` is exactly the whole number `whole`.
bool sameNumber(long long whole, double real) {
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!(real >= -kTwoTo63 && real < kTwoTo63) || real != std::floor(real)) return false;
    return static_cast<long long>(real) == whole;
}

}  // namespace

bool Value::operator==(const Value& other) const {
    if (isNumber() && other.isNumber()) {
        if (kind_ == Kind::Integer && other.kind_ == Kind::Integer) return int_ == other.int_;
        if (kind_ == Kind::Integer) return sameNumber(int_, other.real_);
        if (other.kind_ == Kind::Integer) return sameNumber(other.int_, real_);
        return real_ == other.real_;
    }
    if (kind_ != other.kind_) return false;
    switch (kind_) {
        case Kind::Null: return true;
        case Kind::Text:
        case Kind::Blob: return text_ == other.text_;
        case Kind::Date: return int_ == other.int_;
        default: return false;
    }
}

}  // namespace db
