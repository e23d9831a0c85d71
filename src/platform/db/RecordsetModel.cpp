#include "platform/db/RecordsetModel.h"

#include "platform/db/Recordset.h"

namespace platform::db {

RecordsetModel::RecordsetModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setRecordset(Recordset* recordset) {
    for (const auto& c : std::as_const(connections_))
        disconnect(c);
    connections_.clear();
    beginResetModel();
    recordset_ = recordset;
    alignments_.assign(recordset ? recordset->fieldNames().size() : 0, Qt::AlignLeft | Qt::AlignVCenter);
    endResetModel();
    if (!recordset)
        return;
    // Rows come and go only through a reset: the record set has already changed when it says so.
    connections_ << connect(recordset, &Recordset::rowsReset, this, &RecordsetModel::reset)
                 << connect(recordset, &Recordset::rowInserted, this, &RecordsetModel::reset)
                 << connect(recordset, &Recordset::rowRemoved, this, &RecordsetModel::reset)
                 << connect(recordset, &Recordset::fieldChanged, this,
                            [this](int row, int column) {
                                if (row < rowCount())
                                    emit dataChanged(index(row, column), index(row, column));
                            })
                 << connect(recordset, &Recordset::rowChanged, this, [this](int row) {
                        if (row >= 0 && row < rowCount())
                            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
                    });
}

void RecordsetModel::reset() {
    beginResetModel();
    endResetModel();
}

void RecordsetModel::setAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= int(alignments_.size()))
        return;
    alignments_[column] = alignment;
    emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !recordset_ ? 0 : recordset_->RecordCount();
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !recordset_ ? 0 : int(recordset_->fieldNames().size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!recordset_ || !index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return recordset_->text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignments_[index.column()]);
    return QVariant();
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !recordset_)
        return QVariant();
    if (orientation == Qt::Vertical)
        return QString(); // record selectors carry no numbers
    return recordset_->fieldNames().value(section);
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (recordset_ && index.isValid() && !recordset_->isReadOnlyField(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool RecordsetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!recordset_ || !index.isValid() || role != Qt::EditRole)
        return false;
    try {
        recordset_->setAbsolutePosition(index.row());
        recordset_->setFieldValue(index.column(), Value(value.toString()));
    } catch (const Error& error) {
        emit editRefused(error);
        return false;
    }
    emit cellEdited(index.row(), index.column());
    return true;
}

} // namespace platform::db
