#include "platform/values/Value.h"

namespace platform {

QString Value::text() const {
    const auto* t = std::get_if<QString>(&data_);
    return t ? *t : QString();
}

double Value::number() const {
    const auto* n = std::get_if<double>(&data_);
    return n ? *n : 0.0;
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
    case Kind::DateTime:
        return rule.write(dateTime());
    }
    return QString();
}

} // namespace platform
