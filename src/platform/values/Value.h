#pragma once

#include "platform/values/DateTime.h"

#include <QString>
#include <compare>
#include <optional>
#include <variant>

namespace platform {

class DateTextRule;

// A field's value: no value (null), a text, a number or a date/time. A number is a double or an exact 64-bit
// integer: row keys and other whole numbers the database holds must survive from read to write unrounded.
class Value {
public:
    enum class Kind { Null, Text, Number, DateTime, Integer };

    Value() = default;
    Value(const QString& text) : data_(text) {}
    Value(const char* text) : data_(QString::fromUtf8(text)) {}
    Value(double number) : data_(number) {}
    Value(int number) : data_(qint64(number)) {}
    Value(qint64 number) : data_(number) {}
    Value(DateTime dateTime) : data_(dateTime) {}

    Kind kind() const { return Kind(data_.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isText() const { return kind() == Kind::Text; }
    // A number of either kind.
    bool isNumber() const { return kind() == Kind::Number || kind() == Kind::Integer; }
    bool isInteger() const { return kind() == Kind::Integer; }
    bool isDateTime() const { return kind() == Kind::DateTime; }

    // Each accessor answers for its own kind only: an empty text, 0 or day 0 otherwise. number() answers for
    // both kinds of number, an integer beyond 2^53 rounded to the nearest double.
    QString text() const;
    double number() const;
    qint64 integer() const;
    DateTime dateTime() const;
    // The stored text itself, or null for other kinds; for comparisons that must not copy.
    const QString* textData() const { return std::get_if<QString>(&data_); }

    // The value as a text box or a grid cell shows it: null as the empty text, a date/time by the rule.
    QString toText(const DateTextRule& rule) const;

    // Numbers are equal by value whatever their kind; other values only to their own kind.
    friend bool operator==(const Value& a, const Value& b);

private:
    std::variant<std::monostate, QString, double, DateTime, qint64> data_;
};

// The exact order of two numbers of either kind, a date/time counting as its day number: an integer beyond
// 2^53 against a double included. Unordered for NaN and for values that are not numbers.
std::partial_ordering compareNumbers(const Value& a, const Value& b);

// The platform's own reading and writing of date/time texts, which the data layer applies to date columns,
// date literals and shown values. The program hands its rule to every connection and data control.
class DateTextRule {
public:
    virtual ~DateTextRule() = default;
    virtual std::optional<DateTime> read(const QString& text) const = 0;
    virtual QString write(DateTime value) const = 0;
};

} // namespace platform
