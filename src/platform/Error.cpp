#include "platform/Error.h"

namespace platform {

Error::Error(QString reason) : Error(Kind::General, QString(), std::move(reason)) {}

Error::Error(Kind kind, QString file, QString reason)
    : kind_(kind), file_(std::move(file)), reason_(std::move(reason)),
      what_((file_.isEmpty() ? reason_ : file_ + QStringLiteral(": ") + reason_).toStdString()) {}

Error Error::within(const QString& sentence) const {
    return Error(kind_, file_, sentence.arg(reason_));
}

} // namespace platform
