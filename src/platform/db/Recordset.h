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

// The rows of one query, all read at open. A snapshot recordset is read-only; an updatable one
// (opened on a single-table SELECT) can add, change and delete rows, which are written back by
// row id. Fields are found by name or alias without regard to case.
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

private:
    friend class Connection;
    friend struct RowReader;

    struct Row {
        long long rowid = 0;
        std::vector<Value> values;
        bool deleted = false;
    };

    int columnIndex(const QString& name) const;
    int columnIndex(const char* name) const;
    int requireColumn(const QString& name) const;
    const Row& currentRow() const;
    void flushPendingEdit();
    void skipDeletedForward();
    void skipDeletedBackward();
    Value prepareForColumn(int column, const Value& value) const;
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
    bool editing_ = false;
    bool adding_ = false;
    std::vector<Value> editValues_;
    std::vector<bool> editChanged_;
};

}  // namespace db
