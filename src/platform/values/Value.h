#pragma once

#include "platform/values/DateTime.h"

#include <QString>
#include <optional>
#include <variant>

namespace platform {

class DateTextRule;

// A field's value: no value (null), a text, a number or a date/time.
class Value {
public:
    enum class Kind { Null, Text, Number, DateTime };

    Value() = default;
    Value(const QString& text) : data_(text) {}
    Value(const char* text) : data_(QString::fromUtf8(text)) {}
    Value(double number) : data_(number) {}
    Value(int number) : data_(double(number)) {}
    Value(qint64 number) : data_(double(number)) {}
    Value(DateTime dateTime) : data_(dateTime) {}

    Kind kind() const { return Kind(data_.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isText() const { return kind() == Kind::Text; }
    bool isNumber() const { return kind() == Kind::Number; }
    bool isDateTime() const { return kind() == Kind::DateTime; }

    // Each accessor answers for its own kind only: an empty text, 0 or day 0 otherwise.
    QString text() const;
    double number() const;
    DateTime dateTime() const;
    // The stored text itself, or null for other kinds; for comparisons that must not copy.
    const QString* textData() const { return std::get_if<QString>(&data_); }

    // The value as a text box or a grid cell shows it: null as the empty text, a date/time by the rule.
    QString toText(const DateTextRule& rule) const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, QString, double, DateTime> data_;
};

// The platform's own reading and writing of date/time texts, which the data layer applies to date columns,
// date literals and shown values. The program hands its rule to every connection and data control.
class DateTextRule {
public:
    virtual ~DateTextRule() = default;
    virtual std::optional<DateTime> read(const QString& text) const = 0;
    virtual QString write(DateTime value) const = 0;
};

} // namespace platform
