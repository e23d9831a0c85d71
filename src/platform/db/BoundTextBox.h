#pragma once

#include <QLineEdit>
#include <QPointer>

namespace platform::db {

class Adodc;

// A text box bound to one field of a data control: it shows that field of the current row, follows every
// move and every change of the value, and raises textChanged for those changes as for any other; a deleted
// row stays shown until the next move. A text changed by the user or by code (DataChanged) goes into the row
// when the row is next stored.
class BoundTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit BoundTextBox(QWidget* parent = nullptr);

    Adodc* DataSource() const { return source_; }
    void setDataSource(Adodc* source);
    void setDataField(const QString& field);
    bool DataChanged() const { return dataChanged_; }

signals:
    // The text changed, or a move of the current row showed the box anew with the same text: what follows the
    // current row follows this, not textChanged alone.
    void Change();

public:
    // Called by the data control just before its current row is stored. Throws Error when the field
    // refuses the text; the text then stays as typed.
    void handOverText();

private:
    void attachRecordset();
    // moved: the current row changed, or the rows were read or ordered anew.
    void showCurrent(bool moved);
    int column() const;

    QPointer<Adodc> source_;
    QString field_;
    bool dataChanged_ = false;
    bool showing_ = false;
    QMetaObject::Connection replacedConnection_;
    QList<QMetaObject::Connection> recordsetConnections_;
};

} // namespace platform::db
