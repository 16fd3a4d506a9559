#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace db {

// One field value as the database gives it back: Null, a whole number, a real number, a text,
// a date, or the bytes of a blob (another program may store one). Null and the empty text are
// different values.
class Value {
public:
    enum class Kind { Null, Integer, Real, Text, Date, Blob };

    Value() = default;
    Value(int v) : kind_(Kind::Integer), int_(v) {}
    Value(long v) : kind_(Kind::Integer), int_(v) {}
    Value(long long v) : kind_(Kind::Integer), int_(v) {}
    Value(double v) : kind_(Kind::Real), real_(v) {}
    Value(const QString& v) : kind_(Kind::Text), text_(v) {}
    Value(const char* v) : kind_(Kind::Text), text_(QString::fromUtf8(v)) {}
    Value(const QDate& v) : kind_(v.isValid() ? Kind::Date : Kind::Null), int_(v.isValid() ? v.toJulianDay() : 0) {}

    static Value null() { return Value(); }
    static Value blob(const QByteArray& bytes);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }
    bool isNumber() const { return kind_ == Kind::Integer || kind_ == Kind::Real; }
    bool isText() const { return kind_ == Kind::Text; }
    bool isDate() const { return kind_ == Kind::Date; }

    // The value as text: Null gives "", a date its short form M/D/YYYY, a real number its
    // shortest decimal form, a blob its bytes read as UTF-8.
    QString toString() const;
    // The value as a whole number, rounded: Null gives 0, a text the number it begins with. A
    // number beyond the range of a whole number gives the nearest end of that range.
    long long toInt() const;
    double toDouble() const;
    // The value as a date: a date, or a text in MM/DD/YYYY or YYYY-MM-DD form; otherwise invalid.
    QDate toDate() const;

    // The bytes of a blob; empty for any other value.
    QByteArray blobBytes() const;

    // Numbers are equal when they are the same number, a whole number compared as a whole
    // number (2^53 + 1 is not 2^53); blobs when their bytes are.
    bool operator==(const Value& other) const;

private:
    Kind kind_ = Kind::Null;
    // Kept small: a report may hold a hundred thousand rows of values. A date is its Julian day.
    union {
        long long int_ = 0;
        double real_;
    };
    QString text_;  // a blob's bytes, one character each
};

// Positional values for the ? placeholders of an SQL text.
using Params = std::vector<Value>;

// True when the whole text (blanks around it allowed) reads as a number a double can hold.
bool isNumberText(const QString& text);
// The whole number `v` (rounded to the nearest) when it lies within [lo, hi]; nothing for a
// number outside that range, an infinite one or none at all.
std::optional<long long> wholeNumber(double v, long long lo, long long hi);
// a + b, held at the nearest end of the range of a whole number where the sum would pass it.
long long clampedSum(long long a, long long b);
// The characters of a text as a person counts them: a letter written with two UTF-16 units (an
// emoji, for one) is one character.
qsizetype characterCount(const QString& text);
// Text of a date in the ISO form the database stores ("YYYY-MM-DD").
QString isoDate(const QDate& d);
// A date typed as M/D/YYYY (one or two digit month and day, four digit year); invalid otherwise.
QDate parseUsDate(const QString& text);
// The short date text of a date: M/D/YYYY without leading zeros.
QString shortDate(const QDate& d);

}  // namespace db
