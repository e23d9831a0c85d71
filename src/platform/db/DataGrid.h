#pragma once

#include <QPointer>
#include <QTableView>

class QLabel;

namespace platform::db {

class Adodc;
class CaptionedHeader;
class CellDelegate;
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
// the current row with it both ways. There is no new-row line.
//
// A cell the user typed into (an identical text re-typed included) becomes a pending change of its row. The
// grid stores that row itself, and raises AfterUpdate, when the user leaves the row, presses Return, leaves
// the window or closes it. Focus moving to another control of the window leaves the change pending, so that
// the window's own buttons can still store or drop it; Escape and the record set's CancelUpdate drop it. Code
// that stores the row (Update, Sort, AddNew, a move, a re-query of the data control) stores the typed change
// with it, as its own store, without AfterUpdate. A pending new row is never the grid's to store.
//
// Delete on selected rows asks BeforeDelete, which can cancel, and raises AfterDelete. Handlers of these
// events may open boxes whose event loops unload the window or re-read the data: the grid then touches
// nothing that has gone.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    Adodc* DataSource() const { return source_; }
    void setDataSource(Adodc* source);
    // Throws Error (FieldNotFound) when the record set has no such field.
    DataGridColumn Columns(const QString& name);
    // A bar above the column headings; none while the caption is empty.
    QString Caption() const;
    void setCaption(const QString& caption);

    RecordsetModel* recordsetModel() const { return model_; }
    using QTableView::edit;
    // Puts a text still open in a cell editor into its row, as leaving the editor does.
    void finishCellEditor();

signals:
    // A typed cell went into its row, which is current and holds it as a pending change; a handler may change
    // the row's pending values, which every later store of the row takes along.
    void AfterColEdit(int ColIndex);
    void BeforeDelete(qint16& Cancel);
    void AfterDelete();
    void AfterUpdate();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;

private:
    void attachRecordset();
    void showRecordsetPosition();
    void onCurrentRowChanged(const QModelIndex& current, const QModelIndex& previous);
    bool addingRow() const;
    bool editPending() const;
    bool commitRow();
    void storeTypedEdit();
    void deleteSelectedRows(const QModelIndexList& rows);
    Recordset* recordset() const;

    friend class DataGridColumn;
    RecordsetModel* model_;
    CellDelegate* delegate_;
    CaptionedHeader* headings_;
    QLabel* caption_;
    QPointer<Adodc> source_;
    QMetaObject::Connection replacedConnection_, refreshConnection_;
    QList<QMetaObject::Connection> recordsetConnections_;
    // The record set's pending change began with the user typing into this grid.
    bool rowTyped_ = false;
    bool followingRecordset_ = false;
    bool committing_ = false;
    bool placingCaption_ = false;
};

} // namespace platform::db
