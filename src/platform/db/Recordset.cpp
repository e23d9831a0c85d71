#include "platform/db/Recordset.h"

#include "platform/Error.h"
#include "platform/db/SqliteFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <numeric>
#include <sqlite3.h>
#include <utility>

namespace platform::db {
namespace {

// What a sort compares of one cell: nulls first, then numbers and dates by number (exactly, integers beyond
// 2^53 included), then texts without regard to case (case breaking ties).
struct SortKey {
    int rank = 0;
    const Value* cell = nullptr;

    explicit SortKey(const Value& v) : cell(&v) {
        if (v.isText())
            rank = 2;
        else if (v.isNumber() || v.isDateTime())
            rank = compareNumbers(v, v) == 0 ? 1 : 0; // NaN has no place among the numbers
    }

    friend int compare(const SortKey& a, const SortKey& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank ? -1 : 1;
        if (a.rank == 1) {
            const auto order = compareNumbers(*a.cell, *b.cell);
            return order < 0 ? -1 : (order > 0 ? 1 : 0);
        }
        if (a.rank == 2) {
            const int c = a.cell->textData()->compare(*b.cell->textData(), Qt::CaseInsensitive);
            return c != 0 ? c : a.cell->textData()->compare(*b.cell->textData());
        }
        return 0;
    }
};

// The sort key of a date cell without a date: before every date.
constexpr double NoDate = -std::numeric_limits<double>::infinity();

// Orders doubles as unsigned integers: the sign bit turned, negative numbers mirrored; -0 counts as 0.
quint64 orderedBits(double key) {
    const quint64 bits = std::bit_cast<quint64>(key + 0.0);
    constexpr quint64 sign = quint64(1) << 63;
    return (bits & sign) ? ~bits : bits | sign;
}

// Sorts numbers by their bits from `from` up to `to`, a digit of up to 12 bits at a time from the lowest:
// no comparisons, so random keys cost no mispredicted branches. Each pass keeps the order of equal digits, so
// numbers already in order by their lower bits stay so.
template <class Number> void radixSort(std::vector<Number>& numbers, int from, int to) {
    if (numbers.empty() || from >= to)
        return;
    const int passes = (to - from + 11) / 12;
    const int width = (to - from + passes - 1) / passes;
    const Number mask = Number((1u << width) - 1);
    std::vector<Number> buffer(numbers.size());
    std::vector<size_t> count(size_t(1) << width);
    for (int shift = from; shift < to; shift += width) {
        std::fill(count.begin(), count.end(), 0);
        for (const Number n : numbers)
            ++count[(n >> shift) & mask];
        size_t offset = 0;
        for (size_t& c : count)
            offset += std::exchange(c, offset);
        for (const Number n : numbers)
            buffer[count[(n >> shift) & mask]++] = n;
        numbers.swap(buffer);
    }
}

// What a date column holds of a stored number: that date, or no date for a number no date can be. The file
// keeps what it holds until the field itself is changed.
Value storedDate(double days) {
    const DateTime value(days);
    return value.isValid() ? Value(value) : Value();
}

} // namespace

platform::Value FieldRef::Value() const {
    return recordset_->fieldValue(column_);
}

void FieldRef::setValue(const platform::Value& value) {
    recordset_->setFieldValue(column_, value);
}

std::unique_ptr<Recordset> Recordset::open(std::shared_ptr<SqliteFile> file, const QString& source,
                                           const DateTextRule& rule,
                                           const std::function<void()>& beforeReading) {
    StatementShape shape = StatementShape::parse(source, rule, file->path());
    if (shape.kind == StatementShape::Kind::Delete)
        throw Error(Error::Kind::StatementRefused, file->path(),
                    QStringLiteral("a delete statement gives no rows to show"));
    shape.resolveAgainst(*file);
    const QString path = file->path();
    std::unique_ptr<Recordset> recordset(new Recordset(std::move(file), rule));
    try {
        recordset->readRows(shape, beforeReading);
    } catch (const std::bad_alloc&) {
        throw Error(Error::Kind::EngineFailure, path,
                    QStringLiteral("the file holds more than there is memory to read it into"));
    }
    return recordset;
}

Recordset::~Recordset() = default;

void Recordset::releaseRows() {
    rows_.clear();
    std::vector<quint32>().swap(order_);
    mode_ = EditMode::None;
    pending_.clear();
    currentDeleted_ = false;
    pos_ = 0;
    emit rowsReset();
}

void Recordset::readRows(const StatementShape& shape, const std::function<void()>& beforeReading) {
    table_ = shape.table;
    columns_ = shape.columns;
    SqliteStatement statement = file_->prepare(shape.sql());
    if (shape.filter)
        statement.bind(1, shape.filter->literal);
    // A column of text affinity stores numbers as texts: what it gives is a text, or null.
    std::vector<char> textOnly;
    for (int c = 0; c < columns_.size(); ++c) {
        const QString declared = statement.declaredType(c + 1).toUpper();
        textOnly.push_back(!declared.contains(QLatin1String("INT")) &&
                           (declared.contains(QLatin1String("CHAR")) ||
                            declared.contains(QLatin1String("CLOB")) ||
                            declared.contains(QLatin1String("TEXT"))));
        if (declared.contains(QLatin1String("DATE")) || declared.contains(QLatin1String("TIME")))
            types_.push_back(ColumnType::DateTime);
        else if (declared.contains(QLatin1String("INT")) || declared.contains(QLatin1String("REAL")) ||
                 declared.contains(QLatin1String("NUM")) || declared.contains(QLatin1String("FLOA")) ||
                 declared.contains(QLatin1String("DOUB")))
            types_.push_back(ColumnType::Number);
        else
            types_.push_back(ColumnType::Text);
    }
    const QString key = file_->primaryKeyOf(table_);
    keyColumn_ = key.isEmpty() ? -1 : int(columns_.indexOf(key));
    if (keyColumn_ >= 0 && types_[keyColumn_] != ColumnType::Number)
        keyColumn_ = -1;
    // The row number is read once for the row key; a key column that only names it again is not read twice.
    const int rowNumberColumn = keyColumn_ >= 0 && file_->isRowNumberColumn(table_, key) ? keyColumn_ : -1;
    // How each column is read, worked out once.
    enum class Reading { RowNumber, TextOnly, Date, Any };
    std::vector<Reading> readings;
    for (int c = 0; c < columns_.size(); ++c) {
        readings.push_back(c == rowNumberColumn                ? Reading::RowNumber
                           : textOnly[c]                       ? Reading::TextOnly
                           : types_[c] == ColumnType::DateTime ? Reading::Date
                                                               : Reading::Any);
    }
    if (beforeReading)
        beforeReading();
    // Every cell of the table passes here: the engine is asked once per cell, for the cell itself, and the
    // rest read from that. Such a value is not to be shared between threads, nor is the handle.
    sqlite3_stmt* const cursor = statement.handle();
    RowBytes& row = scratch_;
    while (statement.step()) {
        row.clear();
        const qint64 rowNumber = sqlite3_value_int64(sqlite3_column_value(cursor, 0));
        for (size_t c = 0; c < readings.size(); ++c) {
            if (readings[c] == Reading::RowNumber) {
                row.rowKey();
                continue;
            }
            sqlite3_value* const cell = sqlite3_column_value(cursor, int(c) + 1);
            if (readings[c] == Reading::TextOnly) {
                // Such a column gives no pointer for null alone, so its type need not be asked.
                const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
                if (text)
                    row.text(text, size_t(sqlite3_value_bytes(cell)));
                else
                    row.null();
                continue;
            }
            const int storage = sqlite3_value_type(cell);
            if (storage == SQLITE_NULL) {
                row.null();
            } else if (readings[c] == Reading::Date) {
                const DateTime date(storage == SQLITE_INTEGER || storage == SQLITE_FLOAT ? sqlite3_value_double(cell)
                                                                                           : NoDate);
                if (date.isValid())
                    row.date(date.days());
                else
                    row.null();
            } else if (storage == SQLITE_TEXT || storage == SQLITE_BLOB) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
                row.text(text, size_t(sqlite3_value_bytes(cell)));
            } else if (storage == SQLITE_INTEGER) {
                row.integer(sqlite3_value_int64(cell));
            } else {
                row.real(sqlite3_value_double(cell));
            }
        }
        rows_.append(rowNumber, row);
    }
    // The order as read, its room taken once the rows are counted.
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), quint32(0));
    // The pages read on the way are not needed again, nor the room past the last row.
    sqlite3_db_release_memory(file_->handle());
    rows_.trim();
    pos_ = 0;
}

std::vector<Value> Recordset::rowValues(int row) const {
    std::vector<Value> values;
    values.reserve(size_t(columns_.size()));
    for (int column = 0; column < columns_.size(); ++column)
        values.push_back(cell(row, column));
    return values;
}

const RowBytes& Recordset::packed(const std::vector<Value>& values) {
    scratch_.clear();
    for (int c = 0; c < int(values.size()); ++c) {
        if (c == keyColumn_ && values[c].isInteger())
            scratch_.rowKey();
        else
            scratch_.value(values[c]);
    }
    return scratch_;
}

Value Recordset::fromStorage(int column, const Value& raw) const {
    if (types_[column] == ColumnType::DateTime)
        return raw.isNumber() ? storedDate(raw.number()) : Value();
    return raw;
}

QString Recordset::file() const {
    return file_->path();
}

void Recordset::refuse(Error::Kind kind, const QString& reason) const {
    throw Error(kind, file_->path(), reason);
}

void Recordset::requireCurrentRow() const {
    if (currentDeleted_)
        refuse(Error::Kind::NoCurrentRow, QStringLiteral("the current row has been deleted"));
    if (mode_ != EditMode::Adding && (pos_ < 0 || pos_ >= RecordCount()))
        refuse(Error::Kind::NoCurrentRow, QStringLiteral("there is no current row"));
}

bool Recordset::IsEOF() const {
    return mode_ != EditMode::Adding && !currentDeleted_ && pos_ >= RecordCount();
}

bool Recordset::IsBOF() const {
    return mode_ != EditMode::Adding && (pos_ < 0 || order_.empty());
}

int Recordset::fieldIndex(const QString& name) const {
    for (int c = 0; c < columns_.size(); ++c) {
        if (columns_[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

int Recordset::rowOfKey(qint64 key) const {
    for (int r = 0; r < RecordCount(); ++r) {
        if (rowKey(r) == key)
            return r;
    }
    return -1;
}

FieldRef Recordset::Fields(const QString& name) {
    const int column = fieldIndex(name);
    if (column < 0)
        refuse(Error::Kind::FieldNotFound, QStringLiteral("the record set has no field \"%1\"").arg(name));
    return FieldRef(*this, column);
}

Value Recordset::fieldValue(int column) const {
    requireCurrentRow();
    if (mode_ != EditMode::None)
        return pending_[column];
    return cell(pos_, column);
}

Value Recordset::value(int row, int column) const {
    if (column < 0 || column >= columns_.size())
        return Value();
    if (row == pos_ && mode_ == EditMode::Editing && !currentDeleted_)
        return pending_[column];
    if (row < 0 || row >= RecordCount())
        return Value();
    return cell(row, column);
}

Value Recordset::convertForColumn(int column, const Value& value) const {
    const QString field = columns_[column];
    switch (types_[column]) {
    case ColumnType::DateTime: {
        if (value.isNull() || (value.isText() && value.text().trimmed().isEmpty()))
            return Value();
        const std::optional<DateTime> date = value.isText()       ? rule_.read(value.text())
                                             : value.isDateTime() ? value.dateTime()
                                                                  : DateTime(value.number());
        if (!date || !date->isValid())
            refuse(Error::Kind::ValueRefused,
                   QStringLiteral("\"%1\" is not a date or time, which the field \"%2\" holds")
                       .arg(value.isDateTime() ? QString::number(date->days()) : value.toText(rule_), field));
        return *date;
    }
    case ColumnType::Number: {
        double number = 0;
        if (value.isInteger() || value.isNull()) {
            return value;
        } else if (value.isNumber()) {
            number = value.number();
        } else if (value.isDateTime()) {
            number = value.dateTime().days();
        } else {
            const QString text = value.text().trimmed();
            if (text.isEmpty())
                return Value();
            // Whole numbers are read exactly; larger ones and fractions as doubles.
            bool ok = false;
            if (const qint64 whole = text.toLongLong(&ok); ok)
                return whole;
            number = text.toDouble(&ok);
            if (!ok)
                number = std::numeric_limits<double>::quiet_NaN();
        }
        if (std::isnan(number))
            refuse(Error::Kind::ValueRefused,
                   QStringLiteral("\"%1\" is not a number, which the field \"%2\" holds")
                       .arg(value.toText(rule_), field));
        return number;
    }
    case ColumnType::Text:
        if (value.isNumber() || value.isDateTime())
            return value.toText(rule_);
        return value;
    }
    return value;
}

void Recordset::setFieldValue(int column, const Value& value) {
    if (column < 0 || column >= columns_.size())
        refuse(Error::Kind::FieldNotFound, QStringLiteral("the record set has no such field"));
    if (column == keyColumn_)
        refuse(Error::Kind::ValueRefused,
               QStringLiteral("the field \"%1\" is numbered by the database").arg(columns_[column]));
    requireCurrentRow();
    const Value converted = convertForColumn(column, value);
    if (mode_ == EditMode::None) {
        pending_ = rowValues(pos_);
        changed_.assign(columns_.size(), false);
        mode_ = EditMode::Editing;
    }
    pending_[column] = converted;
    changed_[column] = true;
    emit fieldChanged(pos_, column);
}

void Recordset::AddNew() {
    leaveCurrent();
    positionBeforeAdd_ = pos_;
    pending_.assign(columns_.size(), Value());
    changed_.assign(columns_.size(), false);
    mode_ = EditMode::Adding;
    currentDeleted_ = false;
    pos_ = RecordCount();
    emit currentChanged();
}

void Recordset::Update() {
    if (beforeStore_ && (mode_ != EditMode::None || (!currentDeleted_ && pos_ >= 0 && pos_ < RecordCount())))
        beforeStore_();
    if (mode_ == EditMode::None) {
        requireCurrentRow();
        return;
    }
    storePending();
}

void Recordset::Update(const QString& field, const Value& value) {
    Fields(field).setValue(value);
    Update();
}

void Recordset::storePending() {
    if (mode_ == EditMode::Adding)
        insertPending();
    else if (mode_ == EditMode::Editing)
        updatePending();
}

void Recordset::appendRow(qint64 key, const std::vector<Value>& values) {
    order_.push_back(quint32(rows_.append(key, packed(values))));
}

std::optional<std::vector<Value>> Recordset::readRow(qint64 key) const {
    QStringList quoted;
    for (const QString& column : columns_)
        quoted << quotedName(column);
    SqliteStatement statement = file_->prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1")
                                                   .arg(quoted.join(QLatin1Char(',')), quotedName(table_)));
    statement.bind(1, Value(key));
    if (!statement.step())
        return std::nullopt;
    std::vector<Value> values;
    for (int c = 0; c < columns_.size(); ++c)
        values.push_back(fromStorage(c, statement.raw(c)));
    return values;
}

// Another program may have changed the row since it was read; storing over that change would lose it
// without a word.
void Recordset::requireStoredAsRead(const std::optional<std::vector<Value>>& stored) const {
    if (!stored)
        refuse(Error::Kind::RowGone,
               QStringLiteral("the row was deleted since it was read; the change was not stored"));
    for (int c = 0; c < columns_.size(); ++c) {
        if (!((*stored)[c] == cell(pos_, c)))
            refuse(Error::Kind::RowChanged, QStringLiteral("the row was changed by another program since it "
                                                           "was read; the next refresh shows that change"));
    }
}

void Recordset::insertPending() {
    QStringList names, marks;
    std::vector<Value> values;
    for (int c = 0; c < columns_.size(); ++c) {
        if (!changed_[c])
            continue;
        names << quotedName(columns_[c]);
        marks << QStringLiteral("?%1").arg(values.size() + 1);
        values.push_back(pending_[c]);
    }
    const QString sql =
        names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName(table_))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quotedName(table_), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    SqliteFile::WriteTransaction transaction(*file_);
    SqliteStatement statement = file_->prepare(sql);
    for (size_t i = 0; i < values.size(); ++i)
        statement.bind(int(i) + 1, values[i]);
    statement.step();
    const qint64 key = sqlite3_last_insert_rowid(file_->handle());
    std::vector<Value> stored = readRow(key).value_or(pending_);
    transaction.commit();
    appendRow(key, std::move(stored));
    mode_ = EditMode::None;
    pending_.clear();
    pos_ = RecordCount() - 1;
    emit rowInserted(pos_);
    emit currentChanged();
}

void Recordset::updatePending() {
    QStringList assignments;
    std::vector<Value> values;
    for (int c = 0; c < columns_.size(); ++c) {
        if (!changed_[c])
            continue;
        values.push_back(pending_[c]);
        assignments << QStringLiteral("%1 = ?%2").arg(quotedName(columns_[c])).arg(values.size());
    }
    if (!values.empty()) {
        const qint64 key = rowKey(pos_);
        SqliteFile::WriteTransaction transaction(*file_);
        requireStoredAsRead(readRow(key));
        SqliteStatement statement =
            file_->prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                               .arg(quotedName(table_), assignments.join(QLatin1Char(',')))
                               .arg(values.size() + 1));
        for (size_t i = 0; i < values.size(); ++i)
            statement.bind(int(i) + 1, values[i]);
        statement.bind(int(values.size()) + 1, Value(key));
        statement.step();
        // The copy holds what the file now holds, so that the next change compares like with like.
        std::vector<Value> stored = readRow(key).value_or(pending_);
        transaction.commit();
        rows_.replace(order_[pos_], packed(stored));
    }
    mode_ = EditMode::None;
    pending_.clear();
    emit rowChanged(pos_);
    emit rowStored(pos_);
}

void Recordset::dropPending() {
    const EditMode was = mode_;
    mode_ = EditMode::None;
    pending_.clear();
    if (was == EditMode::Adding) {
        pos_ = std::clamp(positionBeforeAdd_, -1, RecordCount());
        emit currentChanged();
    } else if (was == EditMode::Editing) {
        emit rowChanged(pos_);
    }
    if (was != EditMode::None)
        emit editCancelled();
}

void Recordset::CancelUpdate() {
    dropPending();
}

void Recordset::Delete() {
    if (mode_ == EditMode::Adding) {
        dropPending();
        return;
    }
    requireCurrentRow();
    SqliteFile::WriteTransaction transaction(*file_);
    // A row deleted meanwhile is gone as asked.
    if (auto stored = readRow(rowKey(pos_)))
        requireStoredAsRead(stored);
    SqliteStatement statement =
        file_->prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quotedName(table_)));
    statement.bind(1, Value(rowKey(pos_)));
    statement.step();
    transaction.commit();
    mode_ = EditMode::None;
    pending_.clear();
    const int removed = pos_;
    order_.erase(order_.begin() + removed);
    currentDeleted_ = true;
    emit rowRemoved(removed);
    emit currentChanged();
}

void Recordset::leaveCurrent() {
    const bool onRow = !currentDeleted_ && pos_ >= 0 && pos_ < RecordCount();
    if (beforeStore_ && (mode_ != EditMode::None || onRow))
        beforeStore_();
    if (mode_ == EditMode::Adding && std::none_of(changed_.begin(), changed_.end(), [](bool c) { return c; }))
        dropPending();
    else
        storePending();
}

void Recordset::moveTo(int row) {
    currentDeleted_ = false;
    pos_ = std::clamp(row, -1, RecordCount());
    emit currentChanged();
}

void Recordset::MoveFirst() {
    leaveCurrent();
    moveTo(0);
}

void Recordset::MoveLast() {
    leaveCurrent();
    moveTo(order_.empty() ? 0 : RecordCount() - 1);
}

void Recordset::MoveNext() {
    leaveCurrent();
    if (IsEOF())
        return;
    moveTo(currentDeleted_ ? pos_ : pos_ + 1);
}

void Recordset::MovePrevious() {
    leaveCurrent();
    if (pos_ < 0)
        return;
    moveTo(pos_ - 1);
}

void Recordset::setAbsolutePosition(int row) {
    if (row == pos_ && !currentDeleted_ && mode_ != EditMode::Adding)
        return;
    leaveCurrent();
    moveTo(row);
}

void Recordset::setSort(const QString& sort) {
    struct Key {
        int column;
        bool descending;
    };
    std::vector<Key> keys;
    for (const QString& part : sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QStringList words = part.simplified().split(QLatin1Char(' '));
        bool descending = false;
        if (words.size() == 2 && words[1].compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0)
            descending = true;
        else if (words.size() == 2 && words[1].compare(QStringLiteral("ASC"), Qt::CaseInsensitive) == 0)
            descending = false;
        else if (words.size() != 1)
            refuse(Error::Kind::FieldNotFound, QStringLiteral("cannot sort by \"%1\"").arg(part.trimmed()));
        const int column = fieldIndex(words[0]);
        if (column < 0)
            refuse(Error::Kind::FieldNotFound,
                   QStringLiteral("cannot sort by \"%1\": the record set has no such field").arg(words[0]));
        keys.push_back({column, descending});
    }
    leaveCurrent();
    const bool onRow = !currentDeleted_ && pos_ >= 0 && pos_ < RecordCount();
    const quint32 current = onRow ? order_[size_t(pos_)] : 0;
    if (keys.size() == 1 && sortNumerically(keys[0].column, keys[0].descending)) {
        restoreCurrent(onRow, current);
        return;
    }
    if (keys.empty()) // the order as read
        keys.push_back({-1, false});
    // The compared cells are decoded once, into a table of their own for the length of the sort.
    static const Value none;
    std::vector<Value> cells;
    cells.reserve(order_.size() * keys.size());
    for (int r = 0; r < RecordCount(); ++r) {
        for (const Key& key : keys)
            cells.push_back(key.column < 0 ? none : cell(r, key.column));
    }
    struct Entry {
        SortKey first;
        quint32 sequence;
        int row;
    };
    std::vector<Entry> entries;
    entries.reserve(order_.size());
    for (int r = 0; r < RecordCount(); ++r)
        entries.push_back({SortKey(cells[size_t(r) * keys.size()]), order_[size_t(r)], r});
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        int c = compare(a.first, b.first);
        if (c != 0)
            return keys[0].descending ? c > 0 : c < 0;
        for (size_t k = 1; k < keys.size(); ++k) {
            c = compare(SortKey(cells[size_t(a.row) * keys.size() + k]),
                        SortKey(cells[size_t(b.row) * keys.size() + k]));
            if (c != 0)
                return keys[k].descending ? c > 0 : c < 0;
        }
        return a.sequence < b.sequence;
    });
    for (size_t i = 0; i < entries.size(); ++i)
        order_[i] = entries[i].sequence;
    restoreCurrent(onRow, current);
}

bool Recordset::sortNumerically(int column, bool descending) {
    // Dates, times and numbers (nulls first) sort on plain numbers: the usual case, and the one that must
    // keep up with large tables. A column a double cannot order exactly (integers beyond 2^53, NaN, or a
    // -infinity that would tie with the nulls) takes the general way.
    const size_t count = order_.size();
    std::vector<quint64> keys(count);
    quint64 differing = 0;
    for (size_t r = 0; r < count; ++r) {
        const PackedRows::Number n = rows_.number(order_[r], column);
        const bool none = n.kind == PackedRows::Number::None;
        if (n.kind == PackedRows::Number::NotANumber ||
            (n.kind == PackedRows::Number::Whole && std::abs(n.whole) > (qint64(1) << 53)) ||
            (!none && !(n.value > NoDate)))
            return false;
        // Without a value: first, or last when the order is turned round.
        keys[r] = none ? (descending ? ~quint64(0) : 0) : orderedBits(descending ? -n.value : n.value);
        differing |= keys[r] ^ keys[0];
    }
    // The keys' differing bits packed above each row's sequence, so that equal keys keep the order in which
    // their rows were read; rows already in that order need only their keys sorted. The smaller the packed
    // keys, the quicker the sort and the less room it takes beside the rows.
    const int sequenceBits = std::bit_width(rows_.size());
    const int low = differing ? std::countr_zero(differing) : 0;
    const int keyBits = differing ? std::bit_width(differing) - low : 0;
    const bool asRead = std::is_sorted(order_.begin(), order_.end());
    const quint64 sequenceMask = (quint64(1) << sequenceBits) - 1;
    if (keyBits + sequenceBits <= 32) {
        // Packed in place.
        for (size_t r = 0; r < count; ++r)
            order_[r] |= quint32((keys[r] >> low) << sequenceBits);
        std::vector<quint64>().swap(keys);
        radixSort(order_, asRead ? sequenceBits : 0, sequenceBits + keyBits);
        for (quint32& sequence : order_)
            sequence &= quint32(sequenceMask);
    } else if (keyBits + sequenceBits <= 64) {
        // Packed over the keys themselves.
        for (size_t r = 0; r < count; ++r)
            keys[r] = (keys[r] >> low) << sequenceBits | order_[r];
        radixSort(keys, asRead ? sequenceBits : 0, sequenceBits + keyBits);
        for (size_t r = 0; r < count; ++r)
            order_[r] = quint32(keys[r] & sequenceMask);
    } else {
        std::vector<quint32> rows(count);
        std::iota(rows.begin(), rows.end(), 0);
        std::sort(rows.begin(), rows.end(), [&](quint32 a, quint32 b) {
            return keys[a] != keys[b] ? keys[a] < keys[b] : order_[a] < order_[b];
        });
        for (quint32& r : rows)
            r = order_[r];
        order_ = std::move(rows);
    }
    return true;
}

void Recordset::restoreCurrent(bool onRow, quint32 current) {
    if (onRow)
        pos_ = int(std::find(order_.begin(), order_.end(), current) - order_.begin());
    emit rowsReset();
    emit currentChanged();
}

} // namespace platform::db
