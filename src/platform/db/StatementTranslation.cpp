#include "platform/db/StatementTranslation.h"

#include "platform/Error.h"
#include "platform/db/SqliteFile.h"

namespace platform::db {
namespace {

// A small reader over the statement text; every failure is a refusal of the whole statement.
class Reader {
public:
    Reader(const QString& text, const QString& file) : text_(text), file_(file) {}

    [[noreturn]] void refuse(const QString& why) const {
        throw Error(Error::Kind::StatementRefused, file_, why);
    }

    void skipBlanks() {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
    }
    bool atEnd() {
        skipBlanks();
        return pos_ >= text_.size();
    }

    static bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

    QString name() {
        skipBlanks();
        const qsizetype start = pos_;
        while (pos_ < text_.size() && isNameChar(text_[pos_]))
            ++pos_;
        if (start == pos_ || text_[start].isDigit())
            refuse(QStringLiteral("the statement is not one the program uses"));
        return text_.mid(start, pos_ - start);
    }

    bool keyword(const QString& word) {
        skipBlanks();
        const qsizetype save = pos_;
        if (text_.mid(pos_, word.size()).compare(word, Qt::CaseInsensitive) == 0) {
            pos_ += word.size();
            if (pos_ >= text_.size() || !isNameChar(text_[pos_]))
                return true;
        }
        pos_ = save;
        return false;
    }

    void expectKeyword(const QString& word) {
        if (!keyword(word))
            refuse(QStringLiteral("the statement is not one the program uses"));
    }

    bool symbol(QChar c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    QString comparison() {
        skipBlanks();
        if (symbol(QLatin1Char('=')))
            return QStringLiteral("=");
        if (symbol(QLatin1Char('<')))
            return QStringLiteral("<");
        refuse(QStringLiteral("the statement is not one the program uses"));
    }

    DateTime dateLiteral(const DateTextRule& rule) {
        if (!symbol(QLatin1Char('#')))
            refuse(QStringLiteral("the statement is not one the program uses"));
        const qsizetype close = text_.indexOf(QLatin1Char('#'), pos_);
        if (close < 0)
            refuse(QStringLiteral("the date in the statement is not closed by \"#\""));
        const QString literal = text_.mid(pos_, close - pos_);
        pos_ = close + 1;
        const auto value = rule.read(literal);
        if (!value)
            refuse(QStringLiteral("\"%1\" in the statement is not a date").arg(literal));
        return *value;
    }

private:
    const QString& text_;
    const QString& file_;
    qsizetype pos_ = 0;
};

} // namespace

StatementShape StatementShape::parse(const QString& text, const DateTextRule& rule, const QString& file) {
    Reader reader(text, file);
    StatementShape shape;
    auto readFilter = [&] {
        Filter read;
        read.column = reader.name();
        read.op = reader.comparison();
        read.literal = reader.dateLiteral(rule);
        shape.filter = read;
    };
    if (reader.keyword(QStringLiteral("select"))) {
        shape.kind = Kind::Select;
        do
            shape.columns << reader.name();
        while (reader.symbol(QLatin1Char(',')));
        reader.expectKeyword(QStringLiteral("from"));
        shape.table = reader.name();
        if (reader.keyword(QStringLiteral("where")))
            readFilter();
    } else if (reader.keyword(QStringLiteral("delete"))) {
        shape.kind = Kind::Delete;
        reader.expectKeyword(QStringLiteral("from"));
        shape.table = reader.name();
        reader.expectKeyword(QStringLiteral("where"));
        readFilter();
    } else {
        shape.kind = Kind::WholeTable;
        shape.table = reader.name();
    }
    if (!reader.atEnd())
        reader.refuse(QStringLiteral("the statement is not one the program uses"));
    return shape;
}

void StatementShape::resolveAgainst(const SqliteFile& file) {
    const QStringList known = file.columnsOf(table);
    if (known.isEmpty())
        throw Error(Error::Kind::StatementRefused, file.path(),
                    QStringLiteral("the database has no table \"%1\"").arg(table));
    auto resolve = [&](QString& column) {
        for (const QString& k : known) {
            if (k.compare(column, Qt::CaseInsensitive) == 0) {
                column = k;
                return;
            }
        }
        throw Error(Error::Kind::FieldNotFound, file.path(),
                    QStringLiteral("the table \"%1\" has no field \"%2\"").arg(table, column));
    };
    for (QString& column : columns)
        resolve(column);
    if (filter)
        resolve(filter->column);
    if (kind == Kind::WholeTable)
        columns = known;
}

QString StatementShape::sql() const {
    QString where;
    if (filter)
        where = QStringLiteral(" WHERE %1 %2 ?1").arg(quotedName(filter->column), filter->op);
    if (kind == Kind::Delete)
        return QStringLiteral("DELETE FROM %1%2").arg(quotedName(table), where);
    QStringList quoted{QStringLiteral("rowid")};
    for (const QString& column : columns)
        quoted << quotedName(column);
    return QStringLiteral("SELECT %1 FROM %2%3").arg(quoted.join(QLatin1Char(',')), quotedName(table), where);
}

} // namespace platform::db
