#include "platform/db/Recordset.h"

#include <sqlite3.h>

#include <cstring>
#include <unordered_set>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"

namespace db {

void Recordset::readPendingRows() const {
    if (!rowsPending_) return;
    // Logically const: the rows were there all along, only their reading was put off.
    auto* self = const_cast<Recordset*>(this);
    self->rowsPending_ = false;
    if (!conn_) throw DbError(QStringLiteral("The connection is closed."));
    // The rows added before the reading stay this recordset's rows, after the ones read, also
    // where its query does not find them and when they were deleted again (they count as such).
    std::vector<Row> added = std::move(self->rows_);
    const bool onAdded = pos_ >= 0 && pos_ < static_cast<int>(added.size());
    const long long current = onAdded ? added[pos_].rowid : 0;
    self->rows_.clear();
    conn_->readRows(*self, pendingSql_, pendingParams_);
    if (added.empty()) return;
    std::unordered_set<long long> addedIds, found;
    for (const Row& row : added) addedIds.insert(row.rowid);
    for (const Row& row : rows_)
        if (addedIds.count(row.rowid)) found.insert(row.rowid);
    for (Row& row : added)
        if (!found.count(row.rowid)) self->rows_.push_back(std::move(row));
    if (onAdded) {
        // A row added before the reading stays the current row.
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].rowid == current) self->pos_ = static_cast<int>(i);
    }
}

void Recordset::close() {
    forward_.reset();
    lookups_.clear();
    literalLookups_.clear();
    rowsPending_ = false;
    pendingSql_.clear();
    pendingParams_.clear();
    open_ = false;
    rows_.clear();
    editing_ = adding_ = false;
    conn_ = nullptr;
    deletedCount_ = 0;
}

int Recordset::recordCount() const {
    readPendingRows();
    return static_cast<int>(rows_.size()) - deletedCount_;
}

bool Recordset::isEOF() const {
    readPendingRows();
    return pos_ >= static_cast<int>(rows_.size()) || recordCount() == 0;
}

bool Recordset::isBOF() const {
    readPendingRows();
    return pos_ < 0 || recordCount() == 0;
}

int Recordset::absolutePosition() const {
    readPendingRows();
    if (isEOF() || isBOF()) return 0;
    int n = 0;
    for (int i = 0; i <= pos_; ++i)
        if (!rows_[i].deleted) ++n;
    return n;
}

void Recordset::skipDeletedForward() {
    while (pos_ >= 0 && pos_ < static_cast<int>(rows_.size()) && rows_[pos_].deleted) ++pos_;
}

void Recordset::skipDeletedBackward() {
    while (pos_ >= 0 && pos_ < static_cast<int>(rows_.size()) && rows_[pos_].deleted) --pos_;
}

void Recordset::moveFirst() {
    flushPendingEdit();
    readPendingRows();
    pos_ = 0;
    skipDeletedForward();
}

void Recordset::moveNext() {
    if (forward_) {
        // The one row held gives way to the next; after the last none is held.
        if (rows_.empty()) throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
        if (!forward_->next(rows_.front())) {
            rows_.clear();
            forward_.reset();
        }
        return;
    }
    flushPendingEdit();
    readPendingRows();
    if (pos_ >= static_cast<int>(rows_.size())) throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    ++pos_;
    skipDeletedForward();
}

void Recordset::movePrevious() {
    flushPendingEdit();
    readPendingRows();
    if (pos_ < 0) throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    --pos_;
    skipDeletedBackward();
}

void Recordset::moveLast() {
    flushPendingEdit();
    readPendingRows();
    pos_ = static_cast<int>(rows_.size()) - 1;
    skipDeletedBackward();
    if (pos_ < 0 && rows_.empty()) pos_ = 0;
}

int Recordset::columnIndex(const QString& name) const {
    // Callers ask for the same few names row after row, mostly as literals: each is looked up
    // once, and found again by its text's address before its text.
    for (const NameLookup& known : lookups_)
        if (known.name.constData() == name.constData() && known.name.size() == name.size()) return known.index;
    for (const NameLookup& known : lookups_)
        if (known.name == name) return known.index;
    int found = -1;
    for (size_t i = 0; i < names_.size() && found < 0; ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) found = static_cast<int>(i);
    // "Table.Column" finds the column by its own name.
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (found < 0 && dot >= 0) found = columnIndex(name.mid(dot + 1));
    if (lookups_.size() < 64) lookups_.push_back({name, found});
    return found;
}

int Recordset::columnIndex(const char* name) const {
    for (const LiteralLookup& known : literalLookups_)
        if (known.name == name && std::strcmp(known.text.constData(), name) == 0) return known.index;
    const int found = columnIndex(QString::fromUtf8(name));
    if (literalLookups_.size() < 64) literalLookups_.push_back({name, QByteArray(name), found});
    return found;
}

int Recordset::requireColumn(const QString& name) const {
    const int c = columnIndex(name);
    if (c < 0) throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal: %1").arg(name));
    return c;
}

const Recordset::Row& Recordset::currentRow() const {
    if (!open_) throw DbError(QStringLiteral("Operation is not allowed when the object is closed."));
    // A row just added is at hand without reading the others.
    const bool onAdded = rowsPending_ && pos_ >= 0 && pos_ < static_cast<int>(rows_.size());
    if (!onAdded) readPendingRows();
    if (pos_ < 0 || pos_ >= static_cast<int>(rows_.size()) || rows_[pos_].deleted)
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    return rows_[pos_];
}

Value Recordset::field(const QString& name) const { return field(requireColumn(name)); }

Value Recordset::field(const char* name) const {
    const int c = columnIndex(name);
    if (c < 0) return field(QString::fromUtf8(name));  // raises the error
    return field(c);
}

Value Recordset::field(int index) const {
    if (index < 0 || index >= fieldCount())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal: %1").arg(index));
    if (editing_) return editValues_[index];
    return currentRow().values[index];
}

int Recordset::fieldSize(const QString& name) const { return sizes_[requireColumn(name)]; }

void Recordset::addNew() {
    if (!updatable_) throw DbError(QStringLiteral("The recordset is read-only."));
    flushPendingEdit();
    editing_ = adding_ = true;
    editValues_.assign(names_.size(), Value());
    editChanged_.assign(names_.size(), false);
}

Value Recordset::prepareForColumn(int column, const Value& value) const {
    const QString& type = declTypes_[column];
    const QString& name = names_[column];
    if (value.isNull()) return value;
    if (type.contains(QLatin1String("DATE"))) {
        if (value.isDate()) return value;
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) return Value();
        const QDate d = value.toDate();
        if (!d.isValid()) throw DbError(QStringLiteral("Data type mismatch: '%1' is not a date for the field %2.").arg(text, name));
        return Value(d);
    }
    if (type.contains(QLatin1String("INT")) || type.contains(QLatin1String("REAL")) ||
        type.contains(QLatin1String("NUM")) || type.contains(QLatin1String("FLOA")) ||
        type.contains(QLatin1String("DOUB"))) {
        if (value.isNumber()) return value;
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) return Value();
        if (!isNumberText(text))
            throw DbError(QStringLiteral("Data type mismatch: '%1' is not a number for the field %2.").arg(text, name));
        bool whole = false;
        const long long n = text.toLongLong(&whole);
        return type.contains(QLatin1String("INT")) && whole ? Value(n) : Value(text.toDouble());
    }
    if (type.startsWith(QLatin1String("TEXT")) || type.contains(QLatin1String("CHAR"))) {
        const QString text = value.isDate() ? shortDate(value.toDate()) : value.toString();
        if (sizes_[column] > 0 && characterCount(text) > sizes_[column])
            throw DbError(QStringLiteral("The field %1 is too small to accept the amount of data you attempted to add (at most %2 characters).")
                              .arg(name)
                              .arg(sizes_[column]));
        return Value(text);
    }
    return value;
}

void Recordset::setField(const QString& name, const Value& value) {
    if (!updatable_) throw DbError(QStringLiteral("The recordset is read-only."));
    const int c = requireColumn(name);
    if (tableColumns_[c].isEmpty()) throw DbError(QStringLiteral("Field '%1' cannot be updated.").arg(name));
    if (!editing_) {
        const Row& row = currentRow();
        editing_ = true;
        adding_ = false;
        editValues_ = row.values;
        editChanged_.assign(names_.size(), false);
    }
    editValues_[c] = prepareForColumn(c, value);
    editChanged_[c] = true;
}

void Recordset::cancelUpdate() {
    editing_ = adding_ = false;
    editValues_.clear();
    editChanged_.clear();
}

void Recordset::flushPendingEdit() {
    if (editing_) update();
}

void Recordset::update() {
    if (!updatable_) throw DbError(QStringLiteral("The recordset is read-only."));
    if (!editing_) return;
    if (!conn_ || !conn_->isOpen()) throw DbError(QStringLiteral("The connection is closed."));

    QStringList columns;
    Params params;
    for (size_t c = 0; c < names_.size(); ++c) {
        if (!editChanged_[c]) continue;
        columns << QLatin1Char('[') + tableColumns_[c] + QLatin1Char(']');
        params.push_back(editValues_[c]);
    }
    const QString table = QLatin1Char('[') + table_ + QLatin1Char(']');
    sqlite3* db = conn_->handle();
    if (adding_) {
        QString sql;
        if (columns.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
        } else {
            QStringList marks;
            for (int i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        // Every value is already bound; the text holds no Jet construct to translate.
        conn_->execute(sql, params);
        Row row;
        row.rowid = sqlite3_last_insert_rowid(db);
        row.values = editValues_;
        row.added = true;
        // The counter key (the row id under its own name) is readable after Update.
        if (rowidColumn_ >= 0 && !editChanged_[rowidColumn_]) row.values[rowidColumn_] = Value(row.rowid);
        rows_.push_back(std::move(row));
        pos_ = static_cast<int>(rows_.size()) - 1;
    } else if (!columns.isEmpty()) {
        QStringList sets;
        for (const QString& c : columns) sets << c + QStringLiteral(" = ?");
        params.push_back(Value(rows_[pos_].rowid));
        // The row is kept as the file stores it (a column's type can turn the text given into a
        // number), so that a later write finds it as it was read.
        std::vector<Value> stored = editValues_;
        writeCurrentRow(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?").arg(table, sets.join(QStringLiteral(", ")), key_),
                        params, &stored);
        rows_[pos_].values = std::move(stored);
    }
    cancelUpdate();
}

void Recordset::deleteRow() {
    if (!updatable_) throw DbError(QStringLiteral("The recordset is read-only."));
    if (adding_) {
        cancelUpdate();
        return;
    }
    cancelUpdate();
    Row& row = const_cast<Row&>(currentRow());
    writeCurrentRow(QStringLiteral("DELETE FROM [%1] WHERE %2 = ?").arg(table_, key_), {Value(row.rowid)});
    row.deleted = true;
    ++deletedCount_;
}

RowImage Recordset::image() const {
    const Row& row = currentRow();
    // Each field under the table column it comes from, so that a row a list read under other
    // names ("OppSchool AS School") is found again in the table's own fields.
    std::vector<QString> names = names_;
    for (size_t c = 0; c < names.size(); ++c)
        if (!tableColumns_[c].isEmpty()) names[c] = tableColumns_[c];
    return {std::move(names), editing_ ? editValues_ : row.values};
}

DbError rowChangedError(const QString& table) {
    return DbError(QStringLiteral("Nothing was saved: another program, or another copy of this "
                                  "one, has changed or deleted this row of %1 since it was read "
                                  "here.  Look at it again as it is now.")
                       .arg(table),
                   DbError::Kind::RowChanged);
}

void Recordset::expectRow(const RowImage& shown) {
    if (isEOF() || isBOF()) throw rowChangedError(table_);
    shown_.clear();
    shownRow_ = pos_;
    for (size_t c = 0; c < shown.names.size(); ++c) {
        const int mine = columnIndex(shown.names[c]);
        if (mine >= 0) shown_.emplace_back(mine, shown.values[c]);
    }
}

std::vector<int> Recordset::readAgain(const Row& row, Recordset& now) const {
    QStringList columns;
    std::vector<int> fields;
    for (size_t c = 0; c < names_.size(); ++c) {
        if (tableColumns_[c].isEmpty()) continue;
        columns << QLatin1Char('[') + tableColumns_[c] + QLatin1Char(']');
        fields.push_back(static_cast<int>(c));
    }
    conn_->fillRecordset(now,
                         QStringLiteral("SELECT %1 FROM [%2] WHERE %3 = ?")
                             .arg(columns.isEmpty() ? key_ : columns.join(QStringLiteral(", ")), table_, key_),
                         {Value(row.rowid)}, false, false);
    return fields;
}

void Recordset::refuseUnlessAsRead(const Row& row) {
    std::vector<Value> expected = row.values;
    if (shownRow_ == pos_)
        for (const auto& [column, value] : shown_) expected[column] = value;
    Recordset now;
    const std::vector<int> fields = readAgain(row, now);
    // A row added here holds more than it was given (the table's defaults): it is only there.
    bool same = now.recordCount() == 1;
    for (size_t i = 0; same && !row.added && i < fields.size(); ++i)
        same = now.rows_[0].values[i] == expected[fields[i]];
    if (!same) throw rowChangedError(table_);
}

void Recordset::writeCurrentRow(const QString& sql, const Params& params, std::vector<Value>* stored) {
    const Row& row = rows_[pos_];
    auto write = [&] {
        refuseUnlessAsRead(row);
        conn_->execute(sql, params);
        if (conn_->changes() != 1)
            throw DbError(QStringLiteral("Nothing was saved: the change of one row of %1 would have "
                                         "changed %2.")
                              .arg(table_)
                              .arg(conn_->changes()),
                          DbError::Kind::RowChanged);
        if (!stored) return;
        Recordset now;
        const std::vector<int> fields = readAgain(row, now);
        // A write of the key itself leaves the row under another: kept as given.
        if (now.recordCount() != 1) return;
        for (size_t i = 0; i < fields.size(); ++i) (*stored)[fields[i]] = now.rows_[0].values[i];
    };
    if (conn_->inTransaction()) write();
    else conn_->inTransaction(write);
    if (shownRow_ == pos_) shown_.clear();
}

}  // namespace db
