#pragma once

#include <QString>
#include <exception>
#include <string>

namespace platform::db {

// Every failure of the data layer reaches its caller as a DbError, with the file it concerns and a reason
// a person can read. Nothing has been changed when one is thrown.
class DbError : public std::exception {
public:
    enum class Kind {
        BadConnectionString,
        FileMissing,
        NotADatabase,
        FileInUse,
        // Deleted, moved away or replaced since it was opened.
        FileMoved,
        ReadOnly,
        StatementRefused,
        FieldNotFound,
        ValueRefused,
        NoCurrentRow,
        RowGone,
        // Stored values differ from those the record set read.
        RowChanged,
        NotOpen,
        EngineFailure,
    };

    DbError(Kind kind, QString file, QString reason);

    Kind kind() const { return kind_; }
    QString file() const { return file_; }
    QString reason() const { return reason_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Kind kind_;
    QString file_;
    QString reason_;
    std::string what_;
};

} // namespace platform::db
