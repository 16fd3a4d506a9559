#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/db/Value.h"

struct sqlite3;

namespace db {

class Connection;
struct RowReader;

class DbError;

// The refusal of a write to a row of `table` that is gone or changed since it was read.
DbError rowChangedError(const QString& table);

// The fields of one row as they were read, by name: a row as a form showed it.
struct RowImage {
    std::vector<QString> names;
    std::vector<Value> values;
};

// The rows of one query, all read at open. A snapshot recordset is read-only; an updatable one
// (opened on a single-table SELECT) can add, change and delete rows, which are written back by
// the table's key (see Connection::rowKeyOf). A row is changed or deleted only as it was read,
// in one transaction with the reading it again: a row that another connection has changed,
// deleted or replaced under the same key since is left alone, and the write raises DbError
// (Kind::RowChanged). Fields are found by name or alias without regard to case.
class Recordset {
public:
    Recordset() = default;

    bool isOpen() const { return open_; }
    void close();

    int recordCount() const;  // rows not deleted
    bool isEOF() const;
    bool isBOF() const;
    // 1-based position of the current row; 0 when before the first or after the last.
    int absolutePosition() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();

    int fieldCount() const { return static_cast<int>(names_.size()); }
    // Position of a field for field(int), found as field(name) finds it; -1 when none.
    int fieldIndex(const QString& name) const { return columnIndex(name); }
    // Value of a field of the current row; raises DbError at EOF/BOF or for an unknown name.
    Value field(const QString& name) const;
    Value field(const char* name) const;
    Value field(int index) const;
    // Declared size of a text column (Text(n)); 0 when it has none.
    int fieldSize(const QString& name) const;

    // Updatable recordsets only.
    void addNew();
    void setField(const QString& name, const Value& value);
    void update();
    void cancelUpdate();
    void deleteRow();
    // The fields of the current row, each named as the table column it comes from (by its own
    // name when it is no column).
    RowImage image() const;
    // The current row is written back (Update, Delete) only while its fields still hold the
    // values `shown` gives them: the row as the caller read and showed it earlier, instead of as
    // this recordset read it. Without a current row (the row is gone) it raises the error a
    // write of a row changed since raises.
    void expectRow(const RowImage& shown);

private:
    friend class Connection;
    friend struct RowReader;

    struct Row {
        long long rowid = 0;  // the table's key
        std::vector<Value> values;
        bool deleted = false;
        bool added = false;  // added through this recordset: its values are what it was given
    };

    int columnIndex(const QString& name) const;
    int columnIndex(const char* name) const;
    int requireColumn(const QString& name) const;
    const Row& currentRow() const;
    void flushPendingEdit();
    void skipDeletedForward();
    void skipDeletedBackward();
    Value prepareForColumn(int column, const Value& value) const;
    // Runs `sql`, which changes the current row alone, after reading the row again and finding
    // it as it was read (or shown, see expectRow), in one transaction; refuses otherwise. Given
    // `stored`, its fields that are table columns become the row as read after the write.
    void writeCurrentRow(const QString& sql, const Params& params, std::vector<Value>* stored = nullptr);
    void refuseUnlessAsRead(const Row& row);
    // Reads `row` again by its key into `now`: its fields that are table columns, whose
    // positions in this recordset are returned in the order `now` holds them.
    std::vector<int> readAgain(const Row& row, Recordset& now) const;
    // Reads the rows of an updatable recordset when its reading was put off (see openForUpdate).
    void readPendingRows() const;

    // A forward-only recordset's reader; rows_ then holds the current row alone.
    std::shared_ptr<RowReader> forward_;
    bool open_ = false;
    bool updatable_ = false;
    std::vector<QString> names_;
    std::vector<QString> declTypes_;   // declared column types, upper case ("" for expressions;
                                       // "DATE" for a date column, whatever it is declared as)
    std::vector<int> sizes_;           // Text(n) sizes, 0 when none
    std::vector<QString> tableColumns_;  // the table column each field comes from ("" if none)
    std::vector<Row> rows_;
    int pos_ = 0;  // index into rows_; -1 = BOF, rows_.size() = EOF
    int deletedCount_ = 0;
    int rowidColumn_ = -1;  // the field that is the table's counter key, -1 when none
    // Field names asked for, with their index (-1: none).
    struct NameLookup {
        QString name;
        int index;
    };
    struct LiteralLookup {
        const char* name;
        QByteArray text;
        int index;
    };
    mutable std::vector<NameLookup> lookups_;
    mutable std::vector<LiteralLookup> literalLookups_;

    // An updatable recordset reads its rows when they are first needed. Until then rows_ holds
    // only the rows added through it.
    bool rowsPending_ = false;
    QString pendingSql_;
    Params pendingParams_;

    // Editing state of an updatable recordset.
    Connection* conn_ = nullptr;
    QString table_;
    QString key_;  // the table's key as SQL
    // Values the current row must hold when it is written (field, value), from expectRow.
    std::vector<std::pair<int, Value>> shown_;
    int shownRow_ = -1;
    bool editing_ = false;
    bool adding_ = false;
    std::vector<Value> editValues_;
    std::vector<bool> editChanged_;
};

}  // namespace db
