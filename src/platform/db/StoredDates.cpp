#include "platform/db/StoredDates.h"

#include <sqlite3.h>

namespace db {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the `size` characters at `p` are a time of day as another program writes it after a
// date: a blank or "T", hours (one or two digits) and minutes "h:mm", then digits, colons and a
// decimal point ("00:00:00", "18:30:00.000").
bool isTimeAfterDate(const char* p, int size) {
    if (size < 5 || (p[0] != ' ' && p[0] != 'T') || !isDigit(p[1])) return false;
    const int colon = isDigit(p[2]) ? 3 : 2;
    if (size < colon + 3 || p[colon] != ':' || !isDigit(p[colon + 1]) || !isDigit(p[colon + 2])) return false;
    for (int i = colon + 3; i < size; ++i)
        if (!isDigit(p[i]) && p[i] != ':' && p[i] != '.') return false;
    return true;
}

// The number of the one or more digits at p[*at], moving *at past them; -1 when there is none
// or more than `most`.
int numberAt(const char* p, int size, int* at, int most) {
    int value = 0, digits = 0;
    for (; *at < size && isDigit(p[*at]); ++*at, ++digits)
        if (digits < most) value = value * 10 + (p[*at] - '0');
    return digits == 0 || digits > most ? -1 : value;
}

}  // namespace

QDate isoDateOfText(const char* p, int size, bool* ownForm) {
    if (size < 10 || p[4] != '-' || p[7] != '-') return {};
    int digits[8];
    int n = 0;
    for (int i = 0; i < 10; ++i) {
        if (i == 4 || i == 7) continue;
        if (!isDigit(p[i])) return {};
        digits[n++] = p[i] - '0';
    }
    if (size > 10 && !isTimeAfterDate(p + 10, size - 10)) return {};
    if (ownForm) *ownForm = size == 10;
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    return QDate(year, digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]);
}

namespace {

// "M/D/YYYY" with a time of day after it or not.
QDate usDateOfText(const char* p, int size) {
    int at = 0;
    const int month = numberAt(p, size, &at, 2);
    if (month < 0 || at >= size || p[at++] != '/') return {};
    const int day = numberAt(p, size, &at, 2);
    if (day < 0 || at >= size || p[at++] != '/') return {};
    const int start = at;
    const int year = numberAt(p, size, &at, 4);
    if (year < 0 || at - start != 4 || (at < size && !isTimeAfterDate(p + at, size - at))) return {};
    return QDate(year, month, day);
}

void fnDateToStore(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) return sqlite3_result_null(ctx);
    const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int size = sqlite3_value_bytes(argv[0]);
    bool ownForm = false;
    QDate date = isoDateOfText(p, size, &ownForm);
    if (!date.isValid()) date = usDateOfText(p, size);
    if (!date.isValid() || ownForm) return sqlite3_result_null(ctx);
    const QByteArray iso = date.toString(Qt::ISODate).toLatin1();
    sqlite3_result_text(ctx, iso.constData(), iso.size(), SQLITE_TRANSIENT);
}

}  // namespace

void registerStoredDates(sqlite3* db) {
    sqlite3_create_function_v2(db, "DateToStore", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               fnDateToStore, nullptr, nullptr, nullptr);
}

}  // namespace db
