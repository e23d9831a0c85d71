#include "platform/db/Adodc.h"

#include "platform/db/BoundTextBox.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/SqliteFile.h"
#include "platform/ui/DesignUnits.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolButton>

namespace platform::db {

Adodc::Adodc(const DateTextRule& rule, ErrorReport report, QWidget* parent)
    : QWidget(parent), rule_(rule), report_(std::move(report)), caption_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto addButton = [&](const QString& text, const QString& name, void (db::Recordset::*step)()) {
        auto* button = new QToolButton(this);
        button->setText(text);
        button->setObjectName(name);
        button->setAutoRaise(false);
        // Narrow buttons, so the caption between them shows whole.
        button->setFixedWidth(platform::twipsToPixels(240));
        connect(button, &QToolButton::clicked, this, [this, step] { move(step); });
        layout->addWidget(button);
    };
    addButton(QStringLiteral("|◀"), QStringLiteral("first"), &db::Recordset::MoveFirst);
    addButton(QStringLiteral("◀"), QStringLiteral("previous"), &db::Recordset::MovePrevious);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setFrameShape(QFrame::Panel);
    caption_->setFrameShadow(QFrame::Sunken);
    layout->addWidget(caption_, 1);
    addButton(QStringLiteral("▶"), QStringLiteral("next"), &db::Recordset::MoveNext);
    addButton(QStringLiteral("▶|"), QStringLiteral("last"), &db::Recordset::MoveLast);
}

Adodc::~Adodc() = default;

QString Adodc::Caption() const {
    return caption_->text();
}

void Adodc::setCaption(const QString& caption) {
    caption_->setText(caption);
}

void Adodc::Refresh() {
    storeEditedRow();
    const auto file = SqliteFile::openExisting(ConnectionString::parse(connectionString_).dataSource, upkeep_);
    // The old rows go before the new ones are read, so that a large table is never held twice.
    auto fresh = db::Recordset::open(file, recordSource_, rule_, [this] {
        if (recordset_)
            recordset_->releaseRows();
    });
    fresh->setBeforeStore([this] { handOverBoundTexts(); });
    // The old set goes only after everyone has been pointed at the new one, and not at once: a Refresh can
    // run inside a handler that the old set's own signal started.
    std::unique_ptr<db::Recordset> old = std::move(recordset_);
    recordset_ = std::move(fresh);
    emit recordsetReplaced();
    if (old)
        old.release()->deleteLater();
}

// A re-query opens no box: whatever fails while the typed change is stored is told once it is over, and the
// re-query goes on.
void Adodc::storeEditedRow() {
    const QScopedValueRollback deferring(deferReports_, true);
    emit aboutToRefresh();
    if (!recordset_ || recordset_->editMode() != db::Recordset::EditMode::Editing)
        return;
    try {
        recordset_->Update();
    } catch (const Error& error) {
        reportError(error);
    }
}

void Adodc::move(void (db::Recordset::*step)()) {
    if (!recordset_)
        return;
    try {
        // The bar never runs off either end: it stops on the first or the last row.
        (recordset_.get()->*step)();
        if (recordset_->IsEOF() && recordset_->RecordCount() > 0)
            recordset_->MoveLast();
        else if (recordset_->IsBOF() && recordset_->RecordCount() > 0)
            recordset_->MoveFirst();
    } catch (const Error& error) {
        reportError(error);
    }
}

void Adodc::reportError(const Error& error) {
    if (deferReports_) {
        QTimer::singleShot(0, this, [this, error] { reportError(error); });
        return;
    }
    report_(error);
}

void Adodc::addBoundBox(BoundTextBox* box) {
    if (!boundBoxes_.contains(box))
        boundBoxes_.append(box);
}

void Adodc::handOverBoundTexts() {
    for (const auto& box : std::as_const(boundBoxes_)) {
        if (box && box->DataSource() == this)
            box->handOverText();
    }
}

} // namespace platform::db
