#include "platform/db/JetSql.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/DbError.h"
#include "platform/db/Value.h"

namespace db {

namespace {

struct Token {
    enum Kind { Space, Word, Number, String, Bracket, DateLiteral, Other } kind;
    QString text;
};

// A quoted text, [name] or #date# that runs to the end of the statement.
DbError unterminated(const QString& what, const QString& rest) {
    return DbError(QStringLiteral("Syntax error in %1 in query expression '%2'.").arg(what, rest));
}

std::vector<Token> tokenize(const QString& sql) {
    std::vector<Token> out;
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const int start = i;
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace()) ++i;
            out.push_back({Token::Space, sql.mid(start, i - start)});
        } else if (c == '\'' || c == '"') {
            // A quoted literal; a doubled quote stands for one quote character.
            ++i;
            bool closed = false;
            while (i < n && !closed) {
                if (sql[i] == c && i + 1 < n && sql[i + 1] == c) {
                    i += 2;
                    continue;
                }
                closed = sql[i] == c;
                ++i;
            }
            if (!closed) throw unterminated(QStringLiteral("string"), sql.mid(start));
            out.push_back({Token::String, sql.mid(start, i - start)});
        } else if (c == '[') {
            while (i < n && sql[i] != ']') ++i;
            if (i == n) throw unterminated(QStringLiteral("name"), sql.mid(start));
            ++i;
            out.push_back({Token::Bracket, sql.mid(start, i - start)});
        } else if (c == '#') {
            ++i;
            while (i < n && sql[i] != '#') ++i;
            if (i == n) throw unterminated(QStringLiteral("date"), sql.mid(start));
            ++i;
            out.push_back({Token::DateLiteral, sql.mid(start, i - start)});
        } else if (c.isLetter() || c == '_') {
            while (i < n && (sql[i].isLetterOrNumber() || sql[i] == '_')) ++i;
            out.push_back({Token::Word, sql.mid(start, i - start)});
        } else if (c.isDigit()) {
            while (i < n && (sql[i].isDigit() || sql[i] == '.')) ++i;
            out.push_back({Token::Number, sql.mid(start, i - start)});
        } else {
            ++i;
            out.push_back({Token::Other, QString(c)});
        }
    }
    return out;
}

// The content of a quoted literal token, quotes removed and doubled quotes undone.
QString literalContent(const QString& token) {
    const QChar q = token[0];
    QString body = token.mid(1, token.size() - (token.endsWith(q) && token.size() > 1 ? 2 : 1));
    body.replace(QString(2, q), QString(q));
    return body;
}

QString singleQuoted(const QString& content) {
    QString s = content;
    s.replace(QLatin1String("'"), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString dateLiteral(const QString& token) {
    const QString body = token.mid(1, token.size() - 2).trimmed();
    // m/d/yyyy, m/d/yy, or yyyy-mm-dd; a time part after a blank is dropped.
    const QString datePart = body.section(QLatin1Char(' '), 0, 0);
    QDate d;
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (auto m = us.match(datePart); m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() == 2) year += year < 30 ? 2000 : 1900;
        d = QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
    } else if (auto m2 = iso.match(datePart); m2.hasMatch()) {
        d = QDate(m2.captured(1).toInt(), m2.captured(2).toInt(), m2.captured(3).toInt());
    }
    if (!d.isValid()) throw DbError(QStringLiteral("Syntax error in date in query expression '%1'.").arg(token));
    return singleQuoted(isoDate(d));
}

// A LIKE pattern of the program's SQL as the engine's: % and _ are the wildcards, and so are
// * and ? (written as % and _); [x] stands for the character x itself, escaped with \.
QString likePattern(const QString& jet, bool& escaped) {
    QString out;
    escaped = false;
    for (int i = 0; i < jet.size(); ++i) {
        const QChar c = jet[i];
        if (c == '*') {
            out += '%';
        } else if (c == '?') {
            out += '_';
        } else if (c == '[' && i + 2 < jet.size() && jet[i + 2] == ']') {
            const QChar lit = jet[i + 1];
            if (lit == '%' || lit == '_' || lit == '\\') {
                out += '\\';
                escaped = true;
            }
            out += lit;
            i += 2;
        } else if (c == '\\') {
            out += QStringLiteral("\\\\");
            escaped = true;
        } else {
            out += c;
        }
    }
    return out;
}

bool isWord(const Token& t, const char* w) {
    return t.kind == Token::Word && t.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
}

// Index of the next token that is not blank, from i on; size() when none.
size_t nextSolid(const std::vector<Token>& toks, size_t i) {
    while (i < toks.size() && toks[i].kind == Token::Space) ++i;
    return i;
}

// ---------------------------------------------------------------------------------------------
// The operands of &. Jet joins a Null operand as empty text and ranks & below arithmetic, while
// the engine's || gives Null for a Null operand and binds tighter than anything else. So each
// operand of & (a run of names, literals, calls and parenthesised groups joined by arithmetic
// operators) is wrapped as ifnull(operand, '').

bool isKeyword(const Token& t) {
    static const char* const keywords[] = {
        "SELECT", "FROM",  "WHERE", "AND",   "OR",    "NOT",         "AS",     "BETWEEN",
        "LIKE",   "IS",    "IN",    "ON",    "BY",    "HAVING",      "SET",    "VALUES",
        "WHEN",   "THEN",  "ELSE",  "CASE",  "END",   "ORDER",       "GROUP",  "DISTINCT",
        "ESCAPE", "JOIN",  "INNER", "LEFT",  "RIGHT", "DISTINCTROW", "OUTER",  "UNION",
        "ALL",    "ASC",   "DESC",  "INTO",  "XOR",   "EQV",         "IMP",    "MOD"};
    for (const char* k : keywords)
        if (isWord(t, k)) return true;
    return false;
}

bool isOther(const Token& t, const char* text) {
    return t.kind == Token::Other && t.text == QLatin1String(text);
}

bool isArithmetic(const Token& t) {
    return isOther(t, "+") || isOther(t, "-") || isOther(t, "*") || isOther(t, "/") ||
           isOther(t, "\\") || isWord(t, "MOD");
}

bool isName(const Token& t) {
    return (t.kind == Token::Word && !isKeyword(t)) || t.kind == Token::Bracket;
}

int prevSolid(const std::vector<Token>& toks, int i) {
    --i;
    while (i >= 0 && toks[i].kind == Token::Space) --i;
    return i;
}

int nextSolidIndex(const std::vector<Token>& toks, int i) {
    ++i;
    while (i < static_cast<int>(toks.size()) && toks[i].kind == Token::Space) ++i;
    return i < static_cast<int>(toks.size()) ? i : -1;
}

// The parenthesis that matches the one at i, searching in direction `step`; -1 when none.
int matchingParen(const std::vector<Token>& toks, int i, int step) {
    int depth = 0;
    for (int k = i; k >= 0 && k < static_cast<int>(toks.size()); k += step) {
        if (isOther(toks[k], "(")) depth += step;
        if (isOther(toks[k], ")")) depth -= step;
        if (depth == 0) return k;
    }
    return -1;
}

// First token of the value (name, literal, call, group) that ends at token j; -1 when none.
int valueStart(const std::vector<Token>& toks, int j) {
    const Token& t = toks[j];
    if (isOther(t, ")")) {
        const int open = matchingParen(toks, j, -1);
        if (open < 0) return -1;
        const int fn = prevSolid(toks, open);
        return fn >= 0 && toks[fn].kind == Token::Word && !isKeyword(toks[fn]) ? fn : open;
    }
    if (isName(t)) {
        while (j >= 2 && isOther(toks[j - 1], ".") && isName(toks[j - 2])) j -= 2;
        return j;
    }
    const bool literal = t.kind == Token::String || t.kind == Token::Number ||
                         t.kind == Token::DateLiteral;
    return literal ? j : -1;
}

// Last token of the value that starts at token j; -1 when none.
int valueEnd(const std::vector<Token>& toks, int j) {
    const Token& t = toks[j];
    if (isOther(t, "(")) return matchingParen(toks, j, 1);
    if (isName(t)) {
        const int next = nextSolidIndex(toks, j);
        if (t.kind == Token::Word && next >= 0 && isOther(toks[next], "("))
            return matchingParen(toks, next, 1);
        const int n = static_cast<int>(toks.size());
        while (j + 2 < n && isOther(toks[j + 1], ".") && isName(toks[j + 2])) j += 2;
        return j;
    }
    const bool literal = t.kind == Token::String || t.kind == Token::Number ||
                         t.kind == Token::DateLiteral;
    return literal ? j : -1;
}

// First token of the left operand of the & at i; -1 when there is none to wrap.
int leftOperandStart(const std::vector<Token>& toks, int i) {
    int start = -1;
    int pos = i;
    bool wantValue = true;
    for (int j = prevSolid(toks, pos); j >= 0; j = prevSolid(toks, pos)) {
        if (wantValue) {
            const int s = valueStart(toks, j);
            if (s < 0) break;
            start = pos = s;
        } else if (isArithmetic(toks[j])) {
            pos = j;
        } else {
            break;
        }
        wantValue = !wantValue;
    }
    // An operator with no value before it is a sign: it belongs to the operand.
    if (wantValue && start >= 0 && pos < start) start = pos;
    return start;
}

// Last token of the right operand of the & at i; -1 when there is none to wrap.
int rightOperandEnd(const std::vector<Token>& toks, int i) {
    int end = -1;
    int pos = i;
    bool wantValue = true;
    for (int j = nextSolidIndex(toks, pos); j >= 0; j = nextSolidIndex(toks, pos)) {
        if (wantValue) {
            if (isOther(toks[j], "-") || isOther(toks[j], "+")) {
                pos = j;  // a sign
                continue;
            }
            const int e = valueEnd(toks, j);
            if (e < 0) break;
            end = pos = e;
        } else if (isArithmetic(toks[j])) {
            pos = j;
        } else {
            break;
        }
        wantValue = !wantValue;
    }
    return end;
}

}  // namespace

QString translateJetSql(const QString& jet) {
    std::vector<Token> toks = tokenize(jet);

    // How many ifnull( open before a token and how many close after it.
    std::vector<int> opens(toks.size(), 0);
    std::vector<int> closes(toks.size(), 0);
    int wrappedStart = -1;  // the right operand of the previous &, wrapped already
    int wrappedEnd = -1;
    for (int i = 0; i < static_cast<int>(toks.size()); ++i) {
        if (!isOther(toks[i], "&")) continue;
        const int leftStart = leftOperandStart(toks, i);
        const int leftEnd = prevSolid(toks, i);
        const int rightStart = nextSolidIndex(toks, i);
        const int rightEnd = rightOperandEnd(toks, i);
        if (leftStart < 0 || rightEnd < 0) continue;
        if (leftStart != wrappedStart || leftEnd != wrappedEnd) {
            ++opens[leftStart];
            ++closes[leftEnd];
        }
        ++opens[rightStart];
        ++closes[rightEnd];
        wrappedStart = rightStart;
        wrappedEnd = rightEnd;
    }
    const QString open = QStringLiteral("ifnull(");
    const QString close = QStringLiteral(", '')");

    const size_t first = nextSolid(toks, 0);
    const size_t second = first < toks.size() ? nextSolid(toks, first + 1) : toks.size();
    const bool ddl = first < toks.size() && second < toks.size() &&
                     (isWord(toks[first], "CREATE") || isWord(toks[first], "ALTER")) &&
                     isWord(toks[second], "TABLE");
    const bool dropIndex = first < toks.size() && second < toks.size() &&
                           isWord(toks[first], "DROP") && isWord(toks[second], "INDEX");

    QString out;
    for (size_t i = 0; i < toks.size(); ++i) {
        const Token& t = toks[i];
        const size_t consumedFrom = i;
        out += open.repeated(opens[i]);
        switch (t.kind) {
            case Token::String:
                out += singleQuoted(literalContent(t.text));
                break;
            case Token::DateLiteral:
                out += dateLiteral(t.text);
                break;
            case Token::Other:
                out += t.text == QLatin1String("&") ? QStringLiteral("||") : t.text;
                break;
            case Token::Word: {
                if (isWord(t, "TRUE")) {
                    out += QLatin1Char('1');
                } else if (isWord(t, "FALSE")) {
                    out += QLatin1Char('0');
                } else if (isWord(t, "DISTINCTROW")) {
                    out += QStringLiteral("DISTINCT");
                } else if (isWord(t, "LIKE")) {
                    out += t.text;
                    const size_t p = nextSolid(toks, i + 1);
                    if (p < toks.size() && toks[p].kind == Token::String) {
                        for (size_t k = i + 1; k < p; ++k) out += toks[k].text;
                        out += open.repeated(opens[p]);
                        const size_t after = nextSolid(toks, p + 1);
                        if (after < toks.size() && isWord(toks[after], "ESCAPE")) {
                            // A pattern with its own escape character is the engine's already.
                            out += singleQuoted(literalContent(toks[p].text));
                        } else {
                            bool escaped = false;
                            out += singleQuoted(likePattern(literalContent(toks[p].text), escaped));
                            if (escaped) out += QStringLiteral(" ESCAPE '\\'");
                        }
                        i = p;
                    }
                } else if (dropIndex && isWord(t, "ON")) {
                    // DROP INDEX name ON table: the engine names indexes per database.
                    const size_t p = nextSolid(toks, i + 1);
                    if (p == toks.size() || !isName(toks[p]))
                        throw DbError(QStringLiteral("Syntax error in DROP INDEX statement."));
                    i = p;  // skip the table name as well
                    while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
                } else if (ddl && isWord(t, "COUNTER")) {
                    out += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
                } else if (ddl && (isWord(t, "TEXT") || isWord(t, "MEMO") || isWord(t, "CHAR") ||
                                   isWord(t, "VARCHAR"))) {
                    out += QStringLiteral("TEXT");
                    const size_t p = nextSolid(toks, i + 1);
                    if (p + 2 < toks.size() && toks[p].text == QLatin1String("(") &&
                        toks[p + 1].kind == Token::Number && toks[p + 2].text == QLatin1String(")")) {
                        out += QLatin1Char('(') + toks[p + 1].text + QLatin1Char(')');
                        i = p + 2;
                    }
                    out += QStringLiteral(" COLLATE NOCASE");
                } else if (ddl && (isWord(t, "LONG") || isWord(t, "BYTE") || isWord(t, "SHORT") ||
                                   isWord(t, "YESNO") || isWord(t, "BIT"))) {
                    out += QStringLiteral("INTEGER");
                } else if (ddl && (isWord(t, "SINGLE") || isWord(t, "DOUBLE") || isWord(t, "CURRENCY"))) {
                    out += QStringLiteral("REAL");
                } else {
                    out += t.text;
                }
                break;
            }
            default:
                out += t.text;
        }
        for (size_t k = consumedFrom; k <= i; ++k) out += close.repeated(closes[k]);
    }
    return out;
}

QString likeContainsPattern(const QString& text) {
    QString escaped;
    for (const QChar c : text) {
        if (c == '%' || c == '_' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

// ---------------------------------------------------------------------------------------------
// Jet functions

namespace {

QString argText(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? QString::fromUtf8(p, sqlite3_value_bytes(v)) : QString();
}

void resultText(sqlite3_context* ctx, const QString& s) {
    const QByteArray b = s.toUtf8();
    sqlite3_result_text(ctx, b.constData(), b.size(), SQLITE_TRANSIENT);
}

double leadingNumber(const QString& text) { return Value(text).toDouble(); }

bool truthy(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL: return false;
        case SQLITE_INTEGER: return sqlite3_value_int64(v) != 0;
        case SQLITE_FLOAT: return sqlite3_value_double(v) != 0.0;
        default: return leadingNumber(argText(v)) != 0.0;
    }
}

// The date a value holds: a date's ISO text, or a text or number as Value reads one. A blob is
// no date.
QDate argDate(sqlite3_value* v) {
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_NULL || type == SQLITE_BLOB) return {};
    return Value(argText(v)).toDate();
}

void fnIIf(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_value(ctx, truthy(argv[0]) ? argv[1] : argv[2]);
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL) {
        sqlite3_result_value(ctx, argv[0]);
    } else if (argc > 1) {
        sqlite3_result_value(ctx, argv[1]);
    } else {
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
    }
}

void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL: sqlite3_result_null(ctx); return;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: sqlite3_result_value(ctx, argv[0]); return;
        default: {
            const double d = leadingNumber(argText(argv[0]));
            const std::optional<long long> whole = wholeNumber(d, LLONG_MIN, LLONG_MAX);
            if (whole && static_cast<double>(*whole) == d)
                sqlite3_result_int64(ctx, *whole);
            else
                sqlite3_result_double(ctx, d);
        }
    }
}

template <int Part>
void fnDatePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const QDate d = argDate(argv[0]);
    if (!d.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, Part == 0 ? d.year() : Part == 1 ? d.month() : d.day());
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, static_cast<int>(argText(argv[0]).size()));
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const QString s = argText(argv[0]);
    const int start = sqlite3_value_int(argv[1]);
    const int len = argc > 2 ? sqlite3_value_int(argv[2]) : -1;
    resultText(ctx, s.mid(start - 1, len));
}

void fnUCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    resultText(ctx, argText(argv[0]).toUpper());
}

void fnLCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    resultText(ctx, argText(argv[0]).toLower());
}

void fnCStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_FLOAT)
        return resultText(ctx, Value(sqlite3_value_double(argv[0])).toString());
    resultText(ctx, argText(argv[0]));
}

void fnCInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const double d = sqlite3_value_type(argv[0]) == SQLITE_TEXT ? leadingNumber(argText(argv[0]))
                                                                 : sqlite3_value_double(argv[0]);
    sqlite3_result_int64(ctx, Value(d).toInt());
}

void fnCDbl(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const double d = sqlite3_value_type(argv[0]) == SQLITE_TEXT ? leadingNumber(argText(argv[0]))
                                                                 : sqlite3_value_double(argv[0]);
    sqlite3_result_double(ctx, d);
}

// First and Last keep the value of the first or last row of the group, Null included. The value
// is held as its type and bytes, so that Last, which replaces it row after row, reuses the room
// of the one before (a group of a hundred thousand rows takes one allocation, not one a row).
struct KeptValue {
    bool seen;
    int type;
    sqlite3_int64 integer;
    double real;
    std::string* bytes;  // text or blob
};

void keep(KeptValue* kept, sqlite3_value* value) {
    kept->seen = true;
    kept->type = sqlite3_value_type(value);
    switch (kept->type) {
        case SQLITE_INTEGER: kept->integer = sqlite3_value_int64(value); break;
        case SQLITE_FLOAT: kept->real = sqlite3_value_double(value); break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const void* p = kept->type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(value))
                                                      : sqlite3_value_blob(value);
            const int size = sqlite3_value_bytes(value);
            if (!kept->bytes) kept->bytes = new std::string;
            kept->bytes->assign(static_cast<const char*>(p), p ? size : 0);
            break;
        }
        default: break;
    }
}

void firstStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* kept = static_cast<KeptValue*>(sqlite3_aggregate_context(ctx, sizeof(KeptValue)));
    if (kept && !kept->seen) keep(kept, argv[0]);
}

void lastStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* kept = static_cast<KeptValue*>(sqlite3_aggregate_context(ctx, sizeof(KeptValue)));
    if (kept) keep(kept, argv[0]);
}

void keptFinal(sqlite3_context* ctx) {
    auto* kept = static_cast<KeptValue*>(sqlite3_aggregate_context(ctx, 0));
    if (!kept || !kept->seen) {
        sqlite3_result_null(ctx);
    } else if (kept->type == SQLITE_INTEGER) {
        sqlite3_result_int64(ctx, kept->integer);
    } else if (kept->type == SQLITE_FLOAT) {
        sqlite3_result_double(ctx, kept->real);
    } else if (kept->type == SQLITE_TEXT) {
        sqlite3_result_text(ctx, kept->bytes->data(), int(kept->bytes->size()), SQLITE_TRANSIENT);
    } else if (kept->type == SQLITE_BLOB) {
        sqlite3_result_blob(ctx, kept->bytes->data(), int(kept->bytes->size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_result_null(ctx);
    }
    if (kept) delete kept->bytes;
}

// None of the functions is marked innocuous: the program's own schema calls none of them, so a
// file's views, triggers and defaults cannot call them either (the schema is not trusted).
void scalar(sqlite3* db, const char* name, int argc,
            void (*fn)(sqlite3_context*, int, sqlite3_value**)) {
    sqlite3_create_function_v2(db, name, argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, fn,
                               nullptr, nullptr, nullptr);
}

}  // namespace

void registerJetFunctions(sqlite3* db) {
    scalar(db, "IIf", 3, fnIIf);
    scalar(db, "Nz", 1, fnNz);
    scalar(db, "Nz", 2, fnNz);
    scalar(db, "Val", 1, fnVal);
    scalar(db, "Year", 1, fnDatePart<0>);
    scalar(db, "Month", 1, fnDatePart<1>);
    scalar(db, "Day", 1, fnDatePart<2>);
    scalar(db, "Len", 1, fnLen);
    scalar(db, "Mid", 2, fnMid);
    scalar(db, "Mid", 3, fnMid);
    scalar(db, "UCase", 1, fnUCase);
    scalar(db, "LCase", 1, fnLCase);
    scalar(db, "CStr", 1, fnCStr);
    scalar(db, "CInt", 1, fnCInt);
    scalar(db, "CLng", 1, fnCInt);
    scalar(db, "CDbl", 1, fnCDbl);
    sqlite3_create_function_v2(db, "First", 1, SQLITE_UTF8, nullptr, nullptr, firstStep, keptFinal,
                               nullptr);
    sqlite3_create_function_v2(db, "Last", 1, SQLITE_UTF8, nullptr, nullptr, lastStep, keptFinal,
                               nullptr);
}

}  // namespace db
