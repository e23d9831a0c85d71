#include "platform/SystemSeams.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace platform {

void ImmediateProcessEnd::endProcess() {
    std::fflush(nullptr);
    ::_exit(0);
}

QString executableFolder() {
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
