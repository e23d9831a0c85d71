#include "platform/db/DataGrid.h"

#include "platform/db/Adodc.h"
#include "platform/db/RecordsetModel.h"
#include "platform/ui/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

namespace platform::db {

int DataGridColumn::Width() const {
    return platform::pixelsToTwips(grid_->columnWidth(index_));
}

void DataGridColumn::setWidth(int twips) {
    grid_->setColumnWidth(index_, platform::twipsToPixels(twips));
}

void DataGridColumn::setAlignment(ColumnAlignment alignment) {
    Qt::Alignment a = Qt::AlignLeft;
    if (alignment == ColumnAlignment::Right)
        a = Qt::AlignRight;
    else if (alignment == ColumnAlignment::Center)
        a = Qt::AlignHCenter;
    grid_->model_->setAlignment(index_, a | Qt::AlignVCenter);
}

bool DataGridColumn::Visible() const {
    return !grid_->isColumnHidden(index_);
}

void DataGridColumn::setVisible(bool visible) {
    grid_->setColumnHidden(index_, !visible);
}

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), model_(new RecordsetModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DataGrid::onCurrentRowChanged);
    connect(model_, &RecordsetModel::cellEdited, this, [this] { rowDirty_ = true; });
    connect(model_, &RecordsetModel::editRefused, this, [this](const DbError& error) {
        if (source_)
            source_->reportError(error);
    });
}

Recordset* DataGrid::recordset() const {
    return model_->recordset();
}

void DataGrid::setDataSource(Adodc* source) {
    disconnect(replacedConnection_);
    source_ = source;
    if (source_)
        replacedConnection_ = connect(source_, &Adodc::recordsetReplaced, this, &DataGrid::attachRecordset);
    attachRecordset();
}

void DataGrid::attachRecordset() {
    for (const auto& c : std::as_const(recordsetConnections_))
        disconnect(c);
    recordsetConnections_.clear();
    rowDirty_ = false;
    Recordset* recordset = source_ ? source_->Recordset() : nullptr;
    model_->setRecordset(recordset);
    for (int c = 0; c < model_->columnCount(); ++c)
        setColumnHidden(c, false);
    if (recordset) {
        recordsetConnections_
            << connect(recordset, &Recordset::currentChanged, this, &DataGrid::showRecordsetPosition)
            << connect(recordset, &Recordset::rowsReset, this, &DataGrid::showRecordsetPosition)
            << connect(recordset, &Recordset::rowStored, this,
                       [this] {
                           if (!rowDirty_)
                               return;
                           rowDirty_ = false;
                           emit AfterUpdate();
                       })
            << connect(recordset, &Recordset::editCancelled, this, [this] { rowDirty_ = false; });
    }
    showRecordsetPosition();
}

DataGridColumn DataGrid::Columns(const QString& name) {
    Recordset* recordset = this->recordset();
    const int index = recordset ? recordset->fieldIndex(name) : -1;
    if (index < 0)
        throw DbError(DbError::Kind::FieldNotFound, recordset ? recordset->file() : QString(),
                      QStringLiteral("the grid has no column \"%1\"").arg(name));
    return DataGridColumn(*this, index);
}

void DataGrid::showRecordsetPosition() {
    Recordset* recordset = this->recordset();
    if (!recordset)
        return;
    followingRecordset_ = true;
    const int row = recordset->AbsolutePosition();
    if (row >= 0 && row < model_->rowCount() && !recordset->currentRowDeleted()) {
        const int column = std::max(0, currentIndex().column());
        selectionModel()->setCurrentIndex(model_->index(row, column), QItemSelectionModel::NoUpdate);
        scrollTo(model_->index(row, column));
    } else {
        selectionModel()->clearCurrentIndex();
    }
    followingRecordset_ = false;
}

void DataGrid::onCurrentRowChanged(const QModelIndex& current, const QModelIndex& previous) {
    Recordset* recordset = this->recordset();
    if (followingRecordset_ || !recordset || !current.isValid() ||
        current.row() == recordset->AbsolutePosition())
        return;
    auto stayOnPrevious = [&] {
        followingRecordset_ = true;
        selectionModel()->setCurrentIndex(previous, QItemSelectionModel::NoUpdate);
        followingRecordset_ = false;
    };
    if (!commitRow()) {
        stayOnPrevious();
        return;
    }
    try {
        recordset->setAbsolutePosition(current.row());
    } catch (const DbError& error) {
        stayOnPrevious();
        source_->reportError(error);
    }
}

bool DataGrid::commitRow() {
    Recordset* recordset = this->recordset();
    if (!rowDirty_ || !recordset || committing_)
        return true;
    committing_ = true;
    bool stored = true;
    try {
        recordset->Update();
    } catch (const DbError& error) {
        stored = false;
        if (source_)
            source_->reportError(error);
    }
    committing_ = false;
    return stored;
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState && recordset()) {
        switch (event->key()) {
        case Qt::Key_Delete: {
            const QModelIndexList rows = selectionModel()->selectedRows();
            if (!rows.isEmpty()) {
                deleteSelectedRows(rows);
                return;
            }
            break;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (rowDirty_) {
                commitRow();
                return;
            }
            break;
        case Qt::Key_Escape:
            if (rowDirty_) {
                recordset()->CancelUpdate();
                return;
            }
            break;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    const QWidget* next = QApplication::focusWidget();
    if (rowDirty_ && (!next || !isAncestorOf(next)))
        commitRow();
}

void DataGrid::deleteSelectedRows(const QModelIndexList& rows) {
    QPointer<Recordset> recordset = this->recordset();
    std::vector<qint64> keys;
    int firstRow = model_->rowCount();
    for (const QModelIndex& index : rows) {
        keys.push_back(recordset->rowKey(index.row()));
        firstRow = std::min(firstRow, index.row());
    }
    if (rowDirty_) {
        const int current = recordset->AbsolutePosition();
        const bool currentGoes =
            std::any_of(rows.begin(), rows.end(), [&](const QModelIndex& i) { return i.row() == current; });
        if (currentGoes)
            recordset->CancelUpdate();
        else if (!commitRow())
            return;
    }
    qint16 Cancel = 0;
    emit BeforeDelete(Cancel);
    if (Cancel)
        return;
    // The question may have let the window re-read its data: find the rows again by key.
    recordset = this->recordset();
    if (!recordset)
        return;
    try {
        for (const qint64 key : keys) {
            const int row = recordset->rowOfKey(key);
            if (row < 0)
                continue;
            recordset->setAbsolutePosition(row);
            recordset->Delete();
        }
        if (recordset->RecordCount() > 0)
            recordset->setAbsolutePosition(std::min(firstRow, recordset->RecordCount() - 1));
    } catch (const DbError& error) {
        if (source_)
            source_->reportError(error);
    }
    clearSelection();
    emit AfterDelete();
}

} // namespace platform::db
