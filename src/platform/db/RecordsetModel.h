#pragma once

#include "platform/Error.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace platform::db {

class Recordset;

// The rows of a record set as a table: one column per field, headed by its name. A cell edit becomes a
// pending change of that row in the record set, also when the text is the one that stood there; storing it
// is the grid's business.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject* parent = nullptr);

    void setRecordset(Recordset* recordset);
    Recordset* recordset() const { return recordset_; }
    void setAlignment(int column, Qt::Alignment alignment);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void cellEdited(int row, int column);
    void editRefused(const platform::Error& error);

private:
    void reset();

    QPointer<Recordset> recordset_;
    std::vector<Qt::Alignment> alignments_;
    QList<QMetaObject::Connection> connections_;
};

} // namespace platform::db
