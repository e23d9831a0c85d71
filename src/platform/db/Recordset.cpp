#include "platform/db/Recordset.h"

#include "platform/db/DbError.h"
#include "platform/db/SqliteFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
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

// A stable sort of entries by one unsigned field, a byte at a time from the lowest (bytes all entries share
// are skipped): no comparisons, so random keys cost no mispredicted branches.
template <class Entry> void radixSort(std::vector<Entry>& entries, quint64 Entry::*field) {
    if (entries.empty())
        return;
    quint64 differing = 0;
    for (const Entry& e : entries)
        differing |= (e.*field) ^ (entries.front().*field);
    std::vector<int> digits;
    for (int digit = 0; digit < 8; ++digit) {
        if ((differing >> (8 * digit)) & 0xFF)
            digits.push_back(digit);
    }
    std::vector<std::array<size_t, 256>> counts(digits.size());
    for (const Entry& e : entries) {
        for (size_t d = 0; d < digits.size(); ++d)
            ++counts[d][((e.*field) >> (8 * digits[d])) & 0xFF];
    }
    std::vector<Entry> buffer(entries.size());
    for (size_t d = 0; d < digits.size(); ++d) {
        const int digit = digits[d];
        auto& count = counts[d];
        size_t offset = 0;
        for (size_t& c : count)
            offset += std::exchange(c, offset);
        for (const Entry& e : entries)
            buffer[count[((e.*field) >> (8 * digit)) & 0xFF]++] = e;
        entries.swap(buffer);
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
                                           const DateTextRule& rule) {
    StatementShape shape = StatementShape::parse(source, rule, file->path());
    if (shape.kind == StatementShape::Kind::Delete)
        throw DbError(DbError::Kind::StatementRefused, file->path(),
                      QStringLiteral("a delete statement gives no rows to show"));
    shape.resolveAgainst(*file);
    std::unique_ptr<Recordset> recordset(new Recordset(std::move(file), rule));
    recordset->readRows(shape);
    return recordset;
}

Recordset::~Recordset() = default;

void Recordset::readRows(const StatementShape& shape) {
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
    const int count = int(columns_.size());
    SqliteStatement counting = file_->prepare(shape.countSql());
    if (shape.filter)
        counting.bind(1, shape.filter->literal);
    if (counting.step()) {
        rows_.reserve(size_t(counting.integer(0)));
        cells_.reserve(size_t(counting.integer(0)) * count);
    }
    const size_t expected = rows_.capacity();
    dateKeys_.resize(size_t(count));
    for (int c = 0; c < count; ++c) {
        if (types_[c] == ColumnType::DateTime)
            dateKeys_[c].reserve(expected);
    }
    while (statement.step()) {
        // The texts of the first rows tell how much room all of them take.
        if (rows_.size() == 256 && expected > rows_.size())
            textBytes_.reserve(textBytes_.size() / rows_.size() * expected * 9 / 8);
        const qint64 rowNumber = statement.integer(0);
        Row& row = rows_.emplace_back(Row{rowNumber, nextSequence_++, cells_.size()});
        for (int c = 0; c < count; ++c) {
            const int column = c + 1;
            if (c == rowNumberColumn) {
                cells_.emplace_back(rowNumber);
                continue;
            }
            if (textOnly[c]) {
                const QUtf8StringView text = statement.utf8(column);
                if (text.data() || statement.storage(column) != SqliteStatement::Storage::Null)
                    keepText(row, c, text);
                else
                    cells_.emplace_back();
                continue;
            }
            const SqliteStatement::Storage storage = statement.storage(column);
            if (types_[c] == ColumnType::DateTime) {
                double key = NoDate;
                if (storage == SqliteStatement::Storage::Integer ||
                    storage == SqliteStatement::Storage::Real) {
                    const DateTime date(statement.real(column));
                    if (date.isValid())
                        key = date.days();
                }
                if (key == NoDate)
                    cells_.emplace_back();
                else
                    cells_.emplace_back(DateTime(key));
                dateKeys_[c].push_back(key);
                continue;
            }
            switch (storage) {
            case SqliteStatement::Storage::Null:
                cells_.emplace_back();
                break;
            case SqliteStatement::Storage::Text:
                keepText(row, c, statement.utf8(column));
                break;
            case SqliteStatement::Storage::Integer:
                cells_.emplace_back(statement.integer(column));
                break;
            case SqliteStatement::Storage::Real:
                cells_.emplace_back(statement.real(column));
                break;
            }
        }
    }
    pos_ = 0;
}

void Recordset::noteDateKeys(const Row& row) {
    for (size_t c = 0; c < dateKeys_.size(); ++c) {
        if (types_[c] != ColumnType::DateTime)
            continue;
        const Value& v = cells_[row.offset + c];
        auto& keys = dateKeys_[c];
        if (keys.size() <= size_t(row.sequence))
            keys.resize(size_t(row.sequence) + 1);
        keys[size_t(row.sequence)] = v.isDateTime() ? v.dateTime().days() : NoDate;
    }
}

void Recordset::keepText(Row& row, int column, QUtf8StringView bytes) {
    constexpr qsizetype limit = std::numeric_limits<qint32>::max();
    if (column >= 64 || bytes.size() >= limit || qsizetype(textBytes_.size()) >= limit - bytes.size()) {
        cells_.emplace_back(bytes.toString());
        return;
    }
    cells_.emplace_back(qint64(textBytes_.size()) << 32 | bytes.size());
    row.waiting |= quint64(1) << column;
    textBytes_.append(bytes.data(), size_t(bytes.size()));
}

const Value& Recordset::cell(int row, int column) const {
    const Row& r = rows_[row];
    Value& cell = cells_[r.offset + size_t(column)];
    if (column < 64 && (r.waiting >> column & 1)) {
        r.waiting &= ~(quint64(1) << column);
        const qint64 place = cell.integer();
        cell = QString::fromUtf8(textBytes_.data() + (place >> 32), place & 0xFFFFFFFF);
    }
    return cell;
}

Value* Recordset::cells(int row) {
    for (int column = 0; column < columns_.size(); ++column)
        cell(row, column);
    return cells_.data() + rows_[row].offset;
}

Value Recordset::fromStorage(int column, const Value& raw) const {
    if (types_[column] == ColumnType::DateTime)
        return raw.isNumber() ? storedDate(raw.number()) : Value();
    return raw;
}

QString Recordset::file() const {
    return file_->path();
}

void Recordset::refuse(DbError::Kind kind, const QString& reason) const {
    throw DbError(kind, file_->path(), reason);
}

void Recordset::requireCurrentRow() const {
    if (currentDeleted_)
        refuse(DbError::Kind::NoCurrentRow, QStringLiteral("the current row has been deleted"));
    if (mode_ != EditMode::Adding && (pos_ < 0 || pos_ >= RecordCount()))
        refuse(DbError::Kind::NoCurrentRow, QStringLiteral("there is no current row"));
}

bool Recordset::IsEOF() const {
    return mode_ != EditMode::Adding && !currentDeleted_ && pos_ >= RecordCount();
}

bool Recordset::IsBOF() const {
    return mode_ != EditMode::Adding && (pos_ < 0 || rows_.empty());
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
        if (rows_[r].key == key)
            return r;
    }
    return -1;
}

FieldRef Recordset::Fields(const QString& name) {
    const int column = fieldIndex(name);
    if (column < 0)
        refuse(DbError::Kind::FieldNotFound, QStringLiteral("the record set has no field \"%1\"").arg(name));
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
            refuse(DbError::Kind::ValueRefused,
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
            refuse(DbError::Kind::ValueRefused,
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
        refuse(DbError::Kind::FieldNotFound, QStringLiteral("the record set has no such field"));
    if (column == keyColumn_)
        refuse(DbError::Kind::ValueRefused,
               QStringLiteral("the field \"%1\" is numbered by the database").arg(columns_[column]));
    requireCurrentRow();
    const Value converted = convertForColumn(column, value);
    if (mode_ == EditMode::None) {
        pending_.assign(cells(pos_), cells(pos_) + columns_.size());
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

void Recordset::appendRow(qint64 key, std::vector<Value>&& values) {
    rows_.push_back({key, nextSequence_++, cells_.size()});
    std::move(values.begin(), values.end(), std::back_inserter(cells_));
    noteDateKeys(rows_.back());
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
        refuse(DbError::Kind::RowGone,
               QStringLiteral("the row was deleted since it was read; the change was not stored"));
    for (int c = 0; c < columns_.size(); ++c) {
        if (!((*stored)[c] == cell(pos_, c)))
            refuse(DbError::Kind::RowChanged,
                   QStringLiteral("the row was changed by another program since it "
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
        const qint64 key = rows_[pos_].key;
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
        std::copy(stored.begin(), stored.end(), cells(pos_));
        noteDateKeys(rows_[pos_]);
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
    if (auto stored = readRow(rows_[pos_].key))
        requireStoredAsRead(stored);
    SqliteStatement statement =
        file_->prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quotedName(table_)));
    statement.bind(1, Value(rows_[pos_].key));
    statement.step();
    transaction.commit();
    mode_ = EditMode::None;
    pending_.clear();
    const int removed = pos_;
    rows_.erase(rows_.begin() + removed);
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
    moveTo(rows_.empty() ? 0 : RecordCount() - 1);
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
            refuse(DbError::Kind::FieldNotFound, QStringLiteral("cannot sort by \"%1\"").arg(part.trimmed()));
        const int column = fieldIndex(words[0]);
        if (column < 0)
            refuse(DbError::Kind::FieldNotFound,
                   QStringLiteral("cannot sort by \"%1\": the record set has no such field").arg(words[0]));
        keys.push_back({column, descending});
    }
    leaveCurrent();
    const bool onRow = !currentDeleted_ && pos_ >= 0 && pos_ < RecordCount();
    const qint64 currentKey = onRow ? rows_[pos_].key : 0;
    if (keys.size() == 1 && sortNumerically(keys[0].column, keys[0].descending)) {
        restoreCurrent(onRow, currentKey);
        return;
    }
    // The first key sits beside the row it belongs to, so the common one-key sort runs on contiguous data.
    struct Entry {
        SortKey first;
        qint64 sequence;
        int row;
    };
    if (keys.empty()) // the order as read
        keys.push_back({-1, false});
    std::vector<Entry> entries;
    entries.reserve(rows_.size());
    std::vector<SortKey> laterKeys;
    static const Value none; // keys point at their cells, so the null they stand for must outlive the sort
    for (int r = 0; r < RecordCount(); ++r) {
        entries.push_back(
            {SortKey(keys[0].column < 0 ? none : cell(r, keys[0].column)), rows_[r].sequence, r});
        for (size_t k = 1; k < keys.size(); ++k)
            laterKeys.emplace_back(cell(r, keys[k].column));
    }
    const size_t later = keys.size() - 1;
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        int c = compare(a.first, b.first);
        if (c != 0)
            return keys[0].descending ? c > 0 : c < 0;
        for (size_t k = 0; k < later; ++k) {
            c = compare(laterKeys[a.row * later + k], laterKeys[b.row * later + k]);
            if (c != 0)
                return keys[k + 1].descending ? c > 0 : c < 0;
        }
        return a.sequence < b.sequence;
    });
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (const Entry& e : entries)
        sorted.push_back(rows_[e.row]);
    rows_ = std::move(sorted);
    restoreCurrent(onRow, currentKey);
}

bool Recordset::sortNumerically(int column, bool descending) {
    // Dates, times and numbers (nulls first) sort on plain numbers: the usual case, and the one that must
    // keep up with large tables. A column a double cannot order exactly (integers beyond 2^53, NaN, or a
    // -infinity that would tie with the nulls) takes the general way.
    std::vector<double> keys(rows_.size());
    const bool dates = types_[column] == ColumnType::DateTime;
    constexpr int Ahead = 64;
    for (int r = 0; r < RecordCount(); ++r) {
        double key = NoDate;
        if (dates) {
            key = dateKeys_[column][size_t(rows_[r].sequence)];
        } else {
            // The cells of one row lie far from the next row's: they are fetched ahead of their turn.
            if (r + Ahead < RecordCount())
                __builtin_prefetch(cells_.data() + rows_[r + Ahead].offset + column);
            // A text waiting in its bytes is no number.
            if (column < 64 && (rows_[r].waiting >> column & 1))
                return false;
            const Value& v = cells_[rows_[r].offset + size_t(column)];
            if (v.isDateTime())
                key = v.dateTime().days();
            else if (v.isNumber())
                key = v.number();
            else if (!v.isNull())
                return false;
            if ((v.isInteger() && std::abs(key) > 0x1p53) || (!v.isNull() && !(key > NoDate)))
                return false;
        }
        keys[size_t(r)] = descending && key != NoDate ? -key : key;
    }
    // Sorted in the order the rows were read, a stable sort keeps that order among equal keys.
    struct Entry {
        quint64 key;
        int row;
    };
    std::vector<Entry> entries(rows_.size());
    bool inSequence = true;
    for (int r = 0; r < RecordCount(); ++r) {
        entries[size_t(r)] = {quint64(rows_[r].sequence), r};
        inSequence = inSequence && (r == 0 || rows_[r].sequence > rows_[r - 1].sequence);
    }
    if (!inSequence)
        radixSort(entries, &Entry::key);
    for (Entry& e : entries)
        e.key = orderedBits(keys[size_t(e.row)]);
    radixSort(entries, &Entry::key);
    if (descending) // nulls last when the order is turned round
        std::stable_partition(entries.begin(), entries.end(),
                              [&](const Entry& e) { return keys[size_t(e.row)] != NoDate; });
    std::vector<Row> sorted(rows_.size());
    for (size_t i = 0; i < entries.size(); ++i)
        sorted[i] = rows_[size_t(entries[i].row)];
    rows_ = std::move(sorted);
    return true;
}

void Recordset::restoreCurrent(bool onRow, qint64 currentKey) {
    if (onRow) {
        const auto it =
            std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.key == currentKey; });
        pos_ = int(it - rows_.begin());
    }
    emit rowsReset();
    emit currentChanged();
}

} // namespace platform::db
