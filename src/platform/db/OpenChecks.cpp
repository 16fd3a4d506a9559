#include "platform/db/OpenChecks.h"

#include <vector>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"

namespace db {

namespace {

// The words of a CREATE text as the engine reads them, in capitals: comments are left out, and
// a quoted text or name is one word ("'") that no keyword matches.
QStringList schemaWords(const QString& sql) {
    QStringList words;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n')) ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
                   c == QLatin1Char('[')) {
            // A doubled quote inside stands for one; a bracket name ends at its first ].
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            ++i;
            while (i < n) {
                if (sql[i] != close) {
                    ++i;
                } else if (c != QLatin1Char('[') && i + 1 < n && sql[i + 1] == close) {
                    i += 2;
                } else {
                    break;
                }
            }
            ++i;
            words << QStringLiteral("'");
        } else if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$')) {
            const qsizetype start = i;
            while (i < n && (sql[i].isLetterOrNumber() || sql[i] == QLatin1Char('_') || sql[i] == QLatin1Char('$')))
                ++i;
            words << sql.mid(start, i - start).toUpper();
        } else {
            words << QString(c);
            ++i;
        }
    }
    return words;
}

// Whether `words` hold `phrase` (words in capitals) from `at` on.
bool wordsAt(const QStringList& words, qsizetype at, std::initializer_list<const char*> phrase) {
    if (at + static_cast<qsizetype>(phrase.size()) > words.size()) return false;
    for (const char* word : phrase)
        if (words[at++] != QLatin1String(word)) return false;
    return true;
}

// Whether a table's CREATE text makes a virtual table, whatever comments stand between its words.
bool isVirtualTable(const QString& createTable) {
    return wordsAt(schemaWords(createTable), 0, {"CREATE", "VIRTUAL"});
}

// A table, view or index of the file: its entry in the engine's own list.
struct SchemaEntry {
    QString name;
    QString type;
    QString sql;
};

// The entries of the file's schema that `condition` selects (with `params` for its ?).
std::vector<SchemaEntry> schemaEntries(Connection& conn, const QString& condition, const Params& params = {}) {
    // sqlite_master names the engine's own objects only by plain names: no view is read here.
    Recordset rs = conn.openSnapshot(
        QStringLiteral("SELECT name, type, sql FROM sqlite_master WHERE ") + condition, params);
    std::vector<SchemaEntry> entries;
    for (; !rs.isEOF(); rs.moveNext())
        entries.push_back({rs.field(0).toString(), rs.field(1).toString(), rs.field(2).toString()});
    return entries;
}

// The condition that a column is one of `names` (any letter case), and its parameters.
QString oneOf(const QString& column, const QStringList& names, Params& params) {
    QStringList marks;
    for (const QString& name : names) {
        marks << QStringLiteral("?");
        params.push_back(Value(name));
    }
    return column + QStringLiteral(" COLLATE NOCASE IN (") + marks.join(QStringLiteral(", ")) +
           QStringLiteral(")");
}

// A view, an index or a virtual table under a required name is no table the program can write.
void refuseOtherThanPlainTables(const std::vector<SchemaEntry>& found) {
    for (const SchemaEntry& entry : found) {
        const bool virtualTable = isVirtualTable(entry.sql);
        if (entry.type != QLatin1String("table") || virtualTable)
            throw DbError(QStringLiteral("%1 is %2, not a table.")
                              .arg(entry.name, virtualTable ? QStringLiteral("a virtual table")
                                                            : QStringLiteral("a ") + entry.type));
    }
}

// The program makes no triggers: one on its tables would run at the program's writes.
void refuseTriggers(Connection& conn, const QStringList& required) {
    Params params;
    const QString onRequired = oneOf(QStringLiteral("tbl_name"), required, params);
    Recordset triggers = conn.openSnapshot(
        QStringLiteral("SELECT name, tbl_name FROM sqlite_master WHERE type = 'trigger' AND ") + onRequired,
        params);
    if (!triggers.isEOF())
        throw DbError(QStringLiteral("%1 has the trigger %2, which this program does not make.")
                          .arg(triggers.field(1).toString(), triggers.field(0).toString()));
}

// A table's own conflict clause would delete rows in the way of those the program writes, or
// pass over these without a word, and a save would be reported done that did not store them:
// "ON CONFLICT REPLACE" deletes the rows in the way, "IGNORE" leaves the row unwritten, "FAIL"
// and "ROLLBACK" keep or undo other writes. Only ABORT stops the write with an error, as every
// statement of the program expects.
void refuseConflictClauses(const std::vector<SchemaEntry>& found) {
    for (const SchemaEntry& entry : found) {
        const QStringList words = schemaWords(entry.sql);
        for (qsizetype i = 0; i + 2 < words.size(); ++i)
            if (wordsAt(words, i, {"ON", "CONFLICT"}) && words[i + 2] != QLatin1String("ABORT"))
                throw DbError(QStringLiteral("%1 has the clause ON CONFLICT %2, which this program does not make.")
                                  .arg(entry.name, words[i + 2]));
    }
}

// A foreign key's action runs at the program's deletes and updates of the table it refers to:
// it would delete or change rows of its own table, and through that table's triggers any other.
void refuseForeignKeyActions(Connection& conn, const QStringList& required) {
    for (const SchemaEntry& table : schemaEntries(conn, QStringLiteral("type = 'table'"))) {
        if (isVirtualTable(table.sql)) continue;
        Recordset keys = conn.openSnapshot(
            QStringLiteral("SELECT [table], on_delete, on_update FROM pragma_foreign_key_list(?)"),
            {Value(table.name)});
        for (; !keys.isEOF(); keys.moveNext()) {
            const QString refersTo = keys.field(0).toString();
            if (!required.contains(refersTo, Qt::CaseInsensitive)) continue;
            for (int i : {1, 2}) {
                const QString action = keys.field(i).toString().toUpper();
                if (action == QLatin1String("NO ACTION") || action == QLatin1String("RESTRICT")) continue;
                throw DbError(QStringLiteral("%1 has the clause %2 %3 on its reference to %4, "
                                             "which this program does not make.")
                                  .arg(table.name,
                                       i == 1 ? QStringLiteral("ON DELETE") : QStringLiteral("ON UPDATE"),
                                       action, refersTo));
            }
        }
    }
}

// A counter is numbered by the database only as its table's row id: the table's one key
// column, declared INTEGER, not "PRIMARY KEY DESC" (which keeps it apart), in a table that has
// row ids (not WITHOUT ROWID). Any other key stores what is written into it, which for a new row
// is nothing, and the row could not be found by its number.
void refuseCountersNotRowIds(Connection& conn, const std::vector<SchemaEntry>& found,
                             const QStringList& counters) {
    for (const QString& counter : counters) {
        const QString name = counter.section(QLatin1Char('.'), 0, 0);
        const QString column = counter.section(QLatin1Char('.'), 1);
        for (const SchemaEntry& table : found) {
            if (table.name.compare(name, Qt::CaseInsensitive) != 0) continue;
            Recordset keys = conn.openSnapshot(
                QStringLiteral("SELECT name, type FROM pragma_table_info(?) WHERE pk > 0"), {Value(table.name)});
            bool rowId = keys.recordCount() == 1 &&
                         keys.field(0).toString().compare(column, Qt::CaseInsensitive) == 0 &&
                         keys.field(1).toString().toUpper() == QLatin1String("INTEGER");
            const QStringList words = schemaWords(table.sql);
            for (qsizetype i = 0; rowId && i < words.size(); ++i)
                if (wordsAt(words, i, {"WITHOUT", "ROWID"}) || wordsAt(words, i, {"PRIMARY", "KEY", "DESC"}))
                    rowId = false;
            if (!rowId)
                throw DbError(QStringLiteral("%1 does not number %2 itself: it is not the table's "
                                             "INTEGER PRIMARY KEY, as this program makes it.")
                                  .arg(table.name, column));
        }
    }
}

void refuseMissingTables(const std::vector<SchemaEntry>& found, const RequiredTables& required) {
    for (const QString& name : required.names) {
        bool present = false;
        for (const SchemaEntry& entry : found) present = present || entry.name.compare(name, Qt::CaseInsensitive) == 0;
        if (!present && !required.mayLack.contains(name, Qt::CaseInsensitive))
            throw DbError(QStringLiteral("The table %1 is missing.").arg(name));
    }
}

}  // namespace

void refuseUnfitFile(Connection& conn, const RequiredTables& required) {
    if (required.names.isEmpty()) return;
    Params params;
    const QString named = oneOf(QStringLiteral("name"), required.names, params);
    const std::vector<SchemaEntry> found = schemaEntries(conn, named, params);
    refuseOtherThanPlainTables(found);
    refuseTriggers(conn, required.names);
    refuseConflictClauses(found);
    refuseForeignKeyActions(conn, required.names);
    refuseCountersNotRowIds(conn, found, required.counters);
    refuseMissingTables(found, required);
}

}  // namespace db
