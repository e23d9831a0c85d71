#pragma once

#include "core/ProgramForm.h"
#include "platform/db/Connection.h"

#include <memory>

class QGroupBox;
class QPushButton;
namespace platform::db {
class Adodc;
class DataGrid;
} // namespace platform::db

// The one-day list: the schedules of the day SelectedDate names, queried afresh at every activation.
class schedule_frm : public ProgramForm {
    Q_OBJECT
public:
    explicit schedule_frm(Program& program);
    ~schedule_frm() override;

    void Form_Load() override;
    void Form_Activate() override;
    // The caption of the list's frame, which names the day.
    void setDayCaption(const QString& caption);
    // Offers "Delete Today Schedule" from now on.
    void showDeleteDayButton();
    void ClrSch_Click();
    void manage_sch_Click();
    void Sch_Grid_BeforeDelete(qint16& Cancel);
    void Sch_Grid_AfterDelete();
    void Sch_Grid_AfterUpdate();

    QPushButton* ClrSch;
    QPushButton* manage_sch;
    QGroupBox* Frame1;
    platform::db::DataGrid* Sch_Grid;
    platform::db::Adodc* Sch_Data;

    std::unique_ptr<platform::db::Connection> ClrSchConnection;
    std::unique_ptr<platform::db::Command> ClrSchCommand;
    QString ClrSchSql;
    bool DeleteConfirmed = false;
};
