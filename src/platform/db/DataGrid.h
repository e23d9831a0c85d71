#pragma once

#include <QPointer>
#include <QTableView>

namespace platform::db {

class Adodc;
class DataGrid;
class Recordset;
class RecordsetModel;

enum class ColumnAlignment { Left = 0, Right = 1, Center = 2, General = 3 };

// Columns(name) of a grid: width in twips, alignment, visibility.
class DataGridColumn {
public:
    DataGridColumn(DataGrid& grid, int index) : grid_(&grid), index_(index) {}
    int Width() const;
    void setWidth(int twips);
    void setAlignment(ColumnAlignment alignment);
    bool Visible() const;
    void setVisible(bool visible);

private:
    DataGrid* grid_;
    int index_;
};

// The data grid: shows the data control's record set, one column per field headed by its name, and shares
// the current row with it both ways. Cell edits stay pending in the row until the row is committed (moving
// to another row, Return, or leaving the grid), which raises AfterUpdate; Escape drops them. Delete on
// selected rows asks BeforeDelete, which can cancel, and raises AfterDelete. There is no new-row line.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    Adodc* DataSource() const { return source_; }
    void setDataSource(Adodc* source);
    // Throws DbError (FieldNotFound) when the record set has no such field.
    DataGridColumn Columns(const QString& name);

    RecordsetModel* recordsetModel() const { return model_; }

signals:
    void BeforeDelete(qint16& Cancel);
    void AfterDelete();
    void AfterUpdate();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void attachRecordset();
    void showRecordsetPosition();
    void onCurrentRowChanged(const QModelIndex& current, const QModelIndex& previous);
    bool commitRow();
    void deleteSelectedRows(const QModelIndexList& rows);
    Recordset* recordset() const;

    friend class DataGridColumn;
    RecordsetModel* model_;
    QPointer<Adodc> source_;
    QMetaObject::Connection replacedConnection_;
    QList<QMetaObject::Connection> recordsetConnections_;
    bool rowDirty_ = false;
    bool followingRecordset_ = false;
    bool committing_ = false;
};

} // namespace platform::db
