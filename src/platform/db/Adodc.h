#pragma once

#include "platform/Error.h"
#include "platform/db/Recordset.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QToolButton;

namespace platform::db {

class BoundTextBox;

// The data control: a visible bar with first/previous/next/last buttons around its caption. It opens a
// record set from its source at Refresh and shares it with the grid and the bound text boxes.
class Adodc : public QWidget {
    Q_OBJECT
public:
    // 8: the source is a table name or a statement, worked out from the text.
    static constexpr int adCmdUnknown = 8;

    // Where the failures of what the user does through the bar, the grid and the bound boxes go; nothing was
    // changed by the step that failed.
    using ErrorReport = std::function<void(const platform::Error& error)>;

    Adodc(const DateTextRule& rule, ErrorReport report, QWidget* parent = nullptr);
    ~Adodc() override;

    QString ConnectionString() const { return connectionString_; }
    void setConnectionString(const QString& text) { connectionString_ = text; }
    int CommandType() const { return commandType_; }
    void setCommandType(int type) { commandType_ = type; }
    void setRecordSource(const QString& source) { recordSource_ = source; }
    // Handed to the file at each Refresh (see SqliteFile::Upkeep).
    void setUpkeep(std::function<void(const SqliteFile&)> upkeep) { upkeep_ = std::move(upkeep); }
    QString Caption() const;
    void setCaption(const QString& caption);

    // Opens a new record set from the source and drops the old one, standing on the first row. A pending
    // change of an existing row is stored first, not dropped with the old rows (a failure to store it is told
    // through the report once the re-query is over); a pending new row is dropped.
    // Throws Error and keeps the old record set when the source cannot be opened; a failure while the rows
    // are read leaves the old record set empty.
    void Refresh();
    // Stores a pending change of an existing row, as Refresh does first; a failure is told once the current
    // work is over.
    void storeEditedRow();
    // Null until the first successful Refresh.
    db::Recordset* Recordset() const { return recordset_.get(); }
    const DateTextRule& rule() const { return rule_; }

    // For the bound controls: a failure of something the user did through them.
    void reportError(const platform::Error& error);
    void addBoundBox(BoundTextBox* box);

signals:
    // Before a re-query reads the rows: an open cell editor hands its text to the row.
    void aboutToRefresh();
    void recordsetReplaced();

private:
    void move(void (db::Recordset::*step)());
    void handOverBoundTexts();

    const DateTextRule& rule_;
    ErrorReport report_;
    QString connectionString_;
    int commandType_ = adCmdUnknown;
    QString recordSource_;
    std::function<void(const SqliteFile&)> upkeep_;
    std::unique_ptr<db::Recordset> recordset_;
    QList<QPointer<BoundTextBox>> boundBoxes_;
    QLabel* caption_;
    // While set, failures are told once the current work is over, so that no box opens in the middle of it.
    bool deferReports_ = false;
};

} // namespace platform::db
