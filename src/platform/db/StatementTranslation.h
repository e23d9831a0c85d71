#pragma once

#include "platform/values/Value.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace platform::db {

class SqliteFile;

// One of the statement shapes the program builds, read from its text:
//   <table>                                                   the whole table
//   select <col>{,<col>} from <table> [where <col> <op> #<date>#]
//   delete from <table> where <col> <op> #<date>#
// with <op> "=" or "<". Keywords in any case; blanks as they come. The literal is read by the date rule and
// travels as a bound parameter; names are checked against the file before any SQL is built.
struct StatementShape {
    enum class Kind { WholeTable, Select, Delete };
    struct Filter {
        QString column;
        QString op;
        DateTime literal;
    };

    Kind kind = Kind::WholeTable;
    QString table;
    QStringList columns; // empty: every column
    std::optional<Filter> filter;

    // Throws Error (StatementRefused) for any other text or a literal that is not a date.
    static StatementShape parse(const QString& text, const DateTextRule& rule, const QString& file);

    // Checks the names against the file (StatementRefused, FieldNotFound) and fills in the columns of a
    // whole-table select.
    void resolveAgainst(const SqliteFile& file);
    // The SQL text; the row key comes first for selects. Call after resolveAgainst.
    QString sql() const;
};

} // namespace platform::db
