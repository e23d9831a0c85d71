#include "platform/db/DbError.h"

namespace platform::db {

DbError::DbError(Kind kind, QString file, QString reason)
    : kind_(kind), file_(std::move(file)), reason_(std::move(reason)),
      what_((file_ + QStringLiteral(": ") + reason_).toStdString()) {}

} // namespace platform::db
