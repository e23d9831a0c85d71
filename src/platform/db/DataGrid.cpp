#include "platform/db/DataGrid.h"

#include "platform/db/Adodc.h"
#include "platform/db/RecordsetModel.h"
#include "platform/ui/DesignUnits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <algorithm>

namespace platform::db {

namespace {
constexpr int RecordSelectorTwips = 225;
}

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

// Tells a cell the user typed into from one that was only opened, and keeps the open editor at hand.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        open_ = editor;
        return editor;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        // Typed counts, even when the text typed is the one that stood there.
        if (const auto* line = qobject_cast<QLineEdit*>(editor); line && !line->isModified())
            return;
        QStyledItemDelegate::setModelData(editor, model, index);
    }
    QWidget* openEditor() const { return open_; }

private:
    mutable QPointer<QWidget> open_;
};

// The headings ask for the caption's room besides their own, so the table keeps that much above the rows.
class CaptionedHeader : public QHeaderView {
public:
    explicit CaptionedHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setSectionsClickable(true);
        setHighlightSections(true);
    }
    QSize sizeHint() const override { return QHeaderView::sizeHint() + QSize(0, captionRoom); }

    int captionRoom = 0;
};

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), model_(new RecordsetModel(this)), delegate_(new CellDelegate(this)),
      headings_(new CaptionedHeader(this)), caption_(new QLabel(this)) {
    setHorizontalHeader(headings_);
    setModel(model_);
    setItemDelegate(delegate_);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setAutoFillBackground(true);
    caption_->setBackgroundRole(QPalette::Button);
    caption_->setForegroundRole(QPalette::ButtonText);
    caption_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    caption_->hide();
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab and Shift+Tab go on to the window's other controls; from an open cell editor they walk the cells.
    setTabKeyNavigation(false);
    // The record selectors: a strip wide enough to click, which selects the row for Delete.
    verticalHeader()->setFixedWidth(platform::twipsToPixels(RecordSelectorTwips));
    verticalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DataGrid::onCurrentRowChanged);
    connect(model_, &RecordsetModel::cellEdited, this, [this](int, int column) {
        rowTyped_ = true;
        emit AfterColEdit(column);
    });
    connect(model_, &RecordsetModel::editRefused, this, [this](const Error& error) {
        if (source_)
            source_->reportError(error);
    });
}

Recordset* DataGrid::recordset() const {
    return model_->recordset();
}

void DataGrid::setDataSource(Adodc* source) {
    disconnect(replacedConnection_);
    disconnect(refreshConnection_);
    source_ = source;
    if (source_) {
        replacedConnection_ = connect(source_, &Adodc::recordsetReplaced, this, &DataGrid::attachRecordset);
        refreshConnection_ = connect(source_, &Adodc::aboutToRefresh, this, &DataGrid::finishCellEditor);
    }
    attachRecordset();
}

void DataGrid::attachRecordset() {
    for (const auto& c : std::as_const(recordsetConnections_))
        disconnect(c);
    recordsetConnections_.clear();
    rowTyped_ = false;
    Recordset* recordset = source_ ? source_->Recordset() : nullptr;
    model_->setRecordset(recordset);
    for (int c = 0; c < model_->columnCount(); ++c)
        setColumnHidden(c, false);
    if (recordset) {
        // Whoever stores, drops or moves away from the pending change, it is no longer the grid's to store.
        auto forgetTyping = [this] { rowTyped_ = false; };
        recordsetConnections_ << connect(recordset, &Recordset::currentChanged, this,
                                         &DataGrid::showRecordsetPosition)
                              << connect(recordset, &Recordset::rowsReset, this,
                                         &DataGrid::showRecordsetPosition)
                              << connect(recordset, &Recordset::currentChanged, this, forgetTyping)
                              << connect(recordset, &Recordset::rowStored, this, forgetTyping)
                              << connect(recordset, &Recordset::editCancelled, this, forgetTyping);
    }
    showRecordsetPosition();
}

DataGridColumn DataGrid::Columns(const QString& name) {
    Recordset* recordset = this->recordset();
    const int index = recordset ? recordset->fieldIndex(name) : -1;
    if (index < 0)
        throw Error(Error::Kind::FieldNotFound, recordset ? recordset->file() : QString(),
                    QStringLiteral("the grid has no column \"%1\"").arg(name));
    return DataGridColumn(*this, index);
}

QString DataGrid::Caption() const {
    return caption_->text();
}

void DataGrid::setCaption(const QString& caption) {
    caption_->setText(caption);
    caption_->setVisible(!caption.isEmpty());
    updateGeometries();
}

void DataGrid::updateGeometries() {
    // Moving the headings makes the table lay itself out again; once is enough.
    if (placingCaption_)
        return;
    const QScopedValueRollback placing(placingCaption_, true);
    headings_->captionRoom = caption_->isHidden() ? 0 : caption_->sizeHint().height();
    QTableView::updateGeometries();
    if (!headings_->captionRoom)
        return;
    // The table has given the headings and the corner button the caption's room besides their own; the
    // caption takes the top of it.
    const int room = headings_->captionRoom;
    const int rowsTop = viewport()->geometry().top();
    const int own = headings_->height() - room;
    headings_->setGeometry(headings_->x(), rowsTop - own, headings_->width(), own);
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        corner->setGeometry(corner->x(), rowsTop - own, corner->width(), own);
    const int left = verticalHeader()->isHidden() ? headings_->x() : verticalHeader()->x();
    caption_->setGeometry(left, rowsTop - own - room, headings_->geometry().right() + 1 - left, room);
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
    if (followingRecordset_ || !recordset() || !current.isValid() ||
        current.row() == recordset()->AbsolutePosition())
        return;
    QPointer<DataGrid> self(this);
    const QPersistentModelIndex target(current), back(previous);
    auto stayOnPrevious = [&] {
        followingRecordset_ = true;
        selectionModel()->setCurrentIndex(back, QItemSelectionModel::NoUpdate);
        followingRecordset_ = false;
    };
    // A pending new row belongs to whoever started it: the grid neither stores it nor moves away from it.
    if (addingRow()) {
        stayOnPrevious();
        return;
    }
    const bool stored = commitRow();
    if (!self)
        return;
    if (!stored) {
        stayOnPrevious();
        return;
    }
    // AfterUpdate's handler may have read the rows anew, which leaves the row asked for behind.
    if (!target.isValid() || !recordset())
        return;
    try {
        recordset()->setAbsolutePosition(target.row());
    } catch (const Error& error) {
        stayOnPrevious();
        if (source_)
            source_->reportError(error);
    }
}

bool DataGrid::addingRow() const {
    const Recordset* recordset = this->recordset();
    return recordset && recordset->editMode() == Recordset::EditMode::Adding;
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    return !addingRow() && QTableView::edit(index, trigger, event);
}

bool DataGrid::editPending() const {
    const Recordset* recordset = this->recordset();
    return rowTyped_ && recordset && recordset->editMode() == Recordset::EditMode::Editing;
}

void DataGrid::finishCellEditor() {
    QPointer<QWidget> editor = delegate_->openEditor();
    if (!editor || state() != QAbstractItemView::EditingState)
        return;
    QPointer<DataGrid> self(this);
    commitData(editor);
    // A refused text is reported in a box, under which anything may have gone.
    if (self && editor)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool DataGrid::commitRow() {
    Recordset* recordset = this->recordset();
    if (!editPending() || committing_)
        return true;
    committing_ = true;
    try {
        recordset->Update();
    } catch (const Error& error) {
        committing_ = false;
        if (source_)
            source_->reportError(error);
        return false;
    }
    committing_ = false;
    emit AfterUpdate();
    return true;
}

void DataGrid::storeTypedEdit() {
    QPointer<DataGrid> self(this);
    finishCellEditor();
    if (self)
        commitRow();
}

// When the window stops being the user's (another window is activated, or it is hidden or closed), what was
// typed is stored once that change is over: a box opened from inside it could unload the window under the
// code that is changing it. A box opened over the window is not the user leaving it.
bool DataGrid::event(QEvent* event) {
    // Rows a line of text high, as a designed grid draws them, rather than the style's roomier default.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::Polish)
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    if (event->type() == QEvent::WindowDeactivate && !QApplication::activeModalWidget())
        QMetaObject::invokeMethod(this, &DataGrid::storeTypedEdit, Qt::QueuedConnection);
    return QTableView::event(event);
}

void DataGrid::hideEvent(QHideEvent* event) {
    QTableView::hideEvent(event);
    QMetaObject::invokeMethod(this, &DataGrid::storeTypedEdit, Qt::QueuedConnection);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState && recordset() && !addingRow()) {
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
            if (editPending()) {
                commitRow();
                return;
            }
            break;
        case Qt::Key_Escape:
            if (editPending()) {
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

void DataGrid::deleteSelectedRows(const QModelIndexList& rows) {
    QPointer<DataGrid> self(this);
    Recordset* recordset = this->recordset();
    std::vector<qint64> keys;
    int firstRow = model_->rowCount();
    for (const QModelIndex& index : rows) {
        keys.push_back(recordset->rowKey(index.row()));
        firstRow = std::min(firstRow, index.row());
    }
    if (editPending()) {
        const int current = recordset->AbsolutePosition();
        const bool currentGoes =
            std::any_of(rows.begin(), rows.end(), [&](const QModelIndex& i) { return i.row() == current; });
        if (currentGoes)
            recordset->CancelUpdate();
        else if (!commitRow() || !self)
            return;
    }
    qint16 Cancel = 0;
    emit BeforeDelete(Cancel);
    // The question's event loop may have unloaded the window, this grid with it, or read the rows anew:
    // the rows are found again by key in whatever record set the grid shows now.
    if (!self || Cancel)
        return;
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
    } catch (const Error& error) {
        if (source_)
            source_->reportError(error);
        if (!self)
            return;
    }
    clearSelection();
    emit AfterDelete();
}

} // namespace platform::db
