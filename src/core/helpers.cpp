#include "core/helpers.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <climits>
#include <cmath>

#include "platform/ui/Controls.h"
#include "platform/ui/Messages.h"

namespace {

// The number a date part begins with; 0 when it begins with none.
double partValue(const QString& part) { return leadingNumber(part); }

// The date a rebuilt MM/DD/YYYY text stands for, read month first whatever the locale.
QDate readMonthDayYear(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return {};
    return QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
}

}  // namespace

void CheckDateFormat(QString& text, short& bad, short& weekday) {
    text = text.trimmed();
    if (text.isEmpty()) return;
    bad = 0;
    QString month, day, year;
    const int first = text.indexOf(QLatin1Char('/'));
    const int second = first >= 0 ? text.indexOf(QLatin1Char('/'), first + 1) : -1;
    if (first < 0 || second < 0) {
        bad = -1;
    } else {
        month = text.left(first);
        day = text.mid(first + 1, second - first - 1);
        year = text.mid(second + 1);
        if (month.size() == 1) month.prepend(QLatin1Char('0'));
        if (partValue(month) < 1 || partValue(month) > 12) bad = -1;
        if (day.size() == 1) day.prepend(QLatin1Char('0'));
        if (partValue(day) < 1 || partValue(day) > 31) bad = -1;
        // Only two- and four-digit years: the database reads no other length as a date.
        if (year.size() == 2) year.prepend(QStringLiteral("20"));
        if (year.size() != 4) bad = -1;
    }
    text = month + QLatin1Char('/') + day + QLatin1Char('/') + year;
    const QDate date = readMonthDayYear(text);
    if (date.isValid()) weekday = static_cast<short>(date.dayOfWeek() % 7 + 1);
    if (bad != 0 || weekday == 0) {
        bad = -1;
        ui::msgBox(QStringLiteral("Date must be in the MM/DD/YYYY format"), ui::Buttons::OK,
                   QStringLiteral("Error"));
    }
}

QString weekdayName(short weekday) {
    static const char* const days[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    return weekday >= 1 && weekday <= 7 ? QString::fromLatin1(days[weekday - 1]) : QString();
}

short getSeason(const QDate& date) {
    return static_cast<short>(date.month() >= 11 ? date.year() : date.year() - 1);
}

QString seasonLabel(short season) {
    return QString::number(season) + QLatin1Char('-') + QString::number(season + 1);
}

std::optional<short> storedSeason(const db::Value& value) {
    if (value.isNull()) return std::nullopt;
    const std::optional<long long> season = db::wholeNumber(value.toDouble(), SHRT_MIN, SHRT_MAX);
    if (!season) return std::nullopt;
    return static_cast<short>(*season);
}

QString fixQuotes(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1Char('`'));
    return out;
}

db::Value nzString(const db::Value& value) {
    return value.isNull() ? db::Value(QString()) : value;
}

db::Value nzZero(const db::Value& value) { return value.isNull() ? db::Value(0) : value; }

int countOccurrences(const QString& text, const QString& pattern) {
    // An empty pattern occurs nowhere.
    if (pattern.isEmpty()) return 0;
    int count = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype p = text.indexOf(pattern, pos, Qt::CaseSensitive);
        if (p < 0) break;
        ++count;
        pos = p + pattern.size();
    }
    return count;
}

void SetTabStops(QPlainTextEdit* box, const std::vector<int>& stops) {
    ui::setTabStops(box, stops);
}

void SetTabStops(ui::ReportBox* box, const std::vector<int>& stops) {
    ui::setTabStops(box, stops);
}

QString signedNumberText(long long n) {
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString signedNumberText(double n) {
    const QString digits = db::Value(n).toString();
    return n < 0 ? digits : QLatin1Char(' ') + digits;
}

double leadingNumber(const QString& text) { return db::Value(text).toDouble(); }

bool isNumericText(const QString& text) { return db::isNumberText(text); }

bool isPlainNumberText(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^ *[-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+) *$"));
    return plain.match(text).hasMatch() && std::isfinite(text.toDouble());
}
