#include "platform/db/BoundTextBox.h"

#include "platform/db/Adodc.h"

namespace platform::db {

BoundTextBox::BoundTextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!showing_)
            dataChanged_ = true;
        emit Change();
    });
}

void BoundTextBox::setDataSource(Adodc* source) {
    disconnect(replacedConnection_);
    source_ = source;
    if (source_) {
        source_->addBoundBox(this);
        replacedConnection_ =
            connect(source_, &Adodc::recordsetReplaced, this, &BoundTextBox::attachRecordset);
    }
    attachRecordset();
}

void BoundTextBox::setDataField(const QString& field) {
    field_ = field;
    showCurrent(true);
}

int BoundTextBox::column() const {
    const auto* recordset = source_ ? source_->Recordset() : nullptr;
    return recordset ? recordset->fieldIndex(field_) : -1;
}

void BoundTextBox::attachRecordset() {
    for (const auto& c : std::as_const(recordsetConnections_))
        disconnect(c);
    recordsetConnections_.clear();
    auto* recordset = source_ ? source_->Recordset() : nullptr;
    if (recordset) {
        auto onRow = [this, recordset](int row) {
            if (row == recordset->AbsolutePosition())
                showCurrent(false);
        };
        auto onMove = [this] { showCurrent(true); };
        recordsetConnections_ << connect(recordset, &Recordset::currentChanged, this, onMove)
                              << connect(recordset, &Recordset::rowsReset, this, onMove)
                              << connect(recordset, &Recordset::rowChanged, this, onRow)
                              << connect(recordset, &Recordset::fieldChanged, this,
                                         [this, onRow](int row, int changed) {
                                             if (changed == column())
                                                 onRow(row);
                                         });
    }
    showCurrent(true);
}

void BoundTextBox::showCurrent(bool moved) {
    QString text;
    const auto* recordset = source_ ? source_->Recordset() : nullptr;
    // A deleted row stays current until the next move, and the box keeps what it showed of it.
    if (recordset && recordset->currentRowDeleted())
        return;
    const int c = column();
    // Past either end the box is empty; a row being added counts as current.
    if (recordset && c >= 0 && !recordset->IsEOF() && !recordset->IsBOF())
        text = recordset->fieldValue(c).toText(recordset->rule());
    const bool same = text == this->text();
    showing_ = true;
    setText(text);
    showing_ = false;
    dataChanged_ = false;
    if (same && moved)
        emit Change();
}

void BoundTextBox::handOverText() {
    auto* recordset = source_ ? source_->Recordset() : nullptr;
    const int c = column();
    if (!dataChanged_ || !recordset || c < 0 || recordset->isReadOnlyField(c))
        return;
    recordset->setFieldValue(c, Value(text()));
}

} // namespace platform::db
