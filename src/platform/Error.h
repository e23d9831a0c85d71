#pragma once

#include <QString>
#include <exception>
#include <string>

namespace platform {

// The one error value of the program: what failed, told in a sentence a person can read. Every layer throws
// it; a window turns it into the user's box (core/ErrorBox.h). Nothing was changed by the step that threw it.
class Error : public std::exception {
public:
    enum class Kind {
        // A sentence as it stands: a socket, a settings file.
        General,
        // The data layer's failures, each about a database file.
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

    explicit Error(QString reason);
    Error(Kind kind, QString file, QString reason);

    Kind kind() const { return kind_; }
    bool aboutDatabase() const { return kind_ != Kind::General; }
    // The database file it concerns; empty for a general error.
    QString file() const { return file_; }
    QString reason() const { return reason_; }
    // The same failure with its reason told inside a sentence of the caller's, where %1 stands for it.
    Error within(const QString& sentence) const;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Kind kind_;
    QString file_;
    QString reason_;
    std::string what_;
};

} // namespace platform
