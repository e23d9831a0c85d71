#pragma once

#include "platform/Error.h"
#include "platform/db/PackedRows.h"
#include "platform/db/StatementTranslation.h"
#include "platform/values/Value.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::db {

class SqliteFile;
class Recordset;

// Fields(name) of the current row: Value() to read, setValue() to change it (pending until stored).
class FieldRef {
public:
    FieldRef(Recordset& recordset, int column) : recordset_(&recordset), column_(column) {}
    platform::Value Value() const;
    void setValue(const platform::Value& value);

private:
    Recordset* recordset_;
    int column_;
};

// A client-side, static record set: every row is read when it opens, each with its hidden row key.
// Sort re-orders in memory; changes are written through to the table by key; changes made by any other
// path show only in a record set opened after them.
//
// Positions: -1 before the first row (BOF), RecordCount() past the last (EOF). After Delete the deleted row
// stays current, as a row that can no longer be read or written, until the next move.
// Failures throw Error and leave the record set as it was.
class Recordset : public QObject {
    Q_OBJECT
public:
    enum class EditMode { None, Editing, Adding };

    // beforeReading runs once the source has been checked, just before its rows are read.
    static std::unique_ptr<Recordset> open(std::shared_ptr<SqliteFile> file, const QString& source,
                                           const DateTextRule& rule,
                                           const std::function<void()>& beforeReading = {});
    ~Recordset() override;

    bool IsEOF() const;
    bool IsBOF() const;
    int RecordCount() const { return int(order_.size()); }
    // A move stores a pending change of the row it leaves first, and does not move if that fails.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // 0-based index of the current row in the present order; -1 before the first, RecordCount() past the
    // last.
    int AbsolutePosition() const { return pos_; }
    void setAbsolutePosition(int row);

    // "Column" or "Column DESC", several joined by commas; the empty text restores the order as read.
    // The current row stays current.
    void setSort(const QString& sort);

    FieldRef Fields(const QString& name);
    QStringList fieldNames() const { return columns_; }
    int fieldIndex(const QString& name) const;
    bool isReadOnlyField(int column) const { return column == keyColumn_; }

    void AddNew();
    void Update();
    void Update(const QString& field, const Value& value);
    void CancelUpdate();
    void Delete();
    EditMode editMode() const { return mode_; }
    bool currentRowDeleted() const { return currentDeleted_; }
    // The hidden row key of a row, and the row that holds a key now (-1 when none does).
    qint64 rowKey(int row) const { return rows_.key(order_[row]); }
    int rowOfKey(qint64 key) const;

    // The current row's field, as it would be stored (pending changes included). Throws NoCurrentRow.
    Value fieldValue(int column) const;
    // Converts by the column's type (ValueRefused when the column cannot hold it) and keeps it pending.
    void setFieldValue(int column, const Value& value);
    // Any row as shown: the current row with its pending changes. Out of range gives null.
    Value value(int row, int column) const;
    QString text(int row, int column) const { return value(row, column).toText(rule_); }
    const DateTextRule& rule() const { return rule_; }
    QString file() const;
    QString table() const { return table_; }

    // Lets go of every row, as a re-read does first: the record set is left empty, with nothing pending.
    void releaseRows();

    // Run just before a row is stored, so bound controls can hand over their changed texts.
    void setBeforeStore(std::function<void()> hook) { beforeStore_ = std::move(hook); }

signals:
    void currentChanged();
    void rowsReset();
    void rowInserted(int row);
    void rowRemoved(int row);
    void fieldChanged(int row, int column);
    // The row's values changed as a whole: stored, or pending changes dropped.
    void rowChanged(int row);
    // A pending change of an existing row was stored.
    void rowStored(int row);
    // Pending changes were dropped (CancelUpdate, or Delete of a row being added).
    void editCancelled();

private:
    enum class ColumnType { Text, Number, DateTime };

    Recordset(std::shared_ptr<SqliteFile> file, const DateTextRule& rule)
        : file_(std::move(file)), rule_(rule) {}
    void readRows(const StatementShape& shape, const std::function<void()>& beforeReading);
    Value fromStorage(int column, const Value& raw) const;
    Value convertForColumn(int column, const Value& value) const;
    // The row as the file holds it now; none when it is gone.
    std::optional<std::vector<Value>> readRow(qint64 key) const;
    // Refuses (RowGone, RowChanged) unless the stored row still holds what the current row was read with.
    void requireStoredAsRead(const std::optional<std::vector<Value>>& stored) const;
    // A cell as read (or as last stored through this record set).
    Value cell(int row, int column) const { return rows_.value(order_[row], column); }
    std::vector<Value> rowValues(int row) const;
    const RowBytes& packed(const std::vector<Value>& values);
    void appendRow(qint64 key, const std::vector<Value>& values);
    void storePending();
    void insertPending();
    void updatePending();
    void dropPending();
    void leaveCurrent();
    void moveTo(int row);
    bool sortNumerically(int column, bool descending);
    // The row read as `current` stays current.
    void restoreCurrent(bool onRow, quint32 current);
    [[noreturn]] void refuse(Error::Kind kind, const QString& reason) const;
    void requireCurrentRow() const;

    std::shared_ptr<SqliteFile> file_;
    const DateTextRule& rule_;
    QString table_;
    QStringList columns_;
    std::vector<ColumnType> types_;
    int keyColumn_ = -1;
    // Every row read or added, by sequence; order_ lists them in the present order.
    PackedRows rows_;
    std::vector<quint32> order_;
    RowBytes scratch_;
    int pos_ = -1;
    bool currentDeleted_ = false;
    EditMode mode_ = EditMode::None;
    std::vector<Value> pending_;
    std::vector<bool> changed_;
    int positionBeforeAdd_ = -1;
    std::function<void()> beforeStore_;
};

} // namespace platform::db
