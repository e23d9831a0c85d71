#include "platform/values/Value.h"

#include <cmath>

namespace platform {
namespace {

// Never casts a double outside the 64-bit range: its whole part is compared first.
std::partial_ordering compareIntegerWithDouble(qint64 i, double d) {
    if (std::isnan(d))
        return std::partial_ordering::unordered;
    if (d >= 0x1p63)
        return std::partial_ordering::less;
    if (d < -0x1p63)
        return std::partial_ordering::greater;
    const double whole = std::trunc(d);
    if (const auto order = i <=> qint64(whole); order != 0)
        return order;
    return 0.0 <=> d - whole;
}

} // namespace

QString Value::text() const {
    const auto* t = std::get_if<QString>(&data_);
    return t ? *t : QString();
}

double Value::number() const {
    if (const auto* i = std::get_if<qint64>(&data_))
        return double(*i);
    const auto* n = std::get_if<double>(&data_);
    return n ? *n : 0.0;
}

qint64 Value::integer() const {
    const auto* i = std::get_if<qint64>(&data_);
    return i ? *i : 0;
}

DateTime Value::dateTime() const {
    const auto* d = std::get_if<DateTime>(&data_);
    return d ? *d : DateTime();
}

QString Value::toText(const DateTextRule& rule) const {
    switch (kind()) {
    case Kind::Null:
        return QString();
    case Kind::Text:
        return text();
    case Kind::Number:
        return QString::number(number(), 'g', 15);
    case Kind::Integer:
        return QString::number(integer());
    case Kind::DateTime:
        return rule.write(dateTime());
    }
    return QString();
}

bool operator==(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber())
        return compareNumbers(a, b) == 0;
    return a.data_ == b.data_;
}

std::partial_ordering compareNumbers(const Value& a, const Value& b) {
    if (!(a.isNumber() || a.isDateTime()) || !(b.isNumber() || b.isDateTime()))
        return std::partial_ordering::unordered;
    if (a.isInteger() && b.isInteger())
        return a.integer() <=> b.integer();
    const auto asDouble = [](const Value& v) { return v.isDateTime() ? v.dateTime().days() : v.number(); };
    if (a.isInteger())
        return compareIntegerWithDouble(a.integer(), asDouble(b));
    if (b.isInteger())
        return 0 <=> compareIntegerWithDouble(b.integer(), asDouble(a));
    return asDouble(a) <=> asDouble(b);
}

} // namespace platform
