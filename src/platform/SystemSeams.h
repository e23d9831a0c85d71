#pragma once

#include "platform/Environment.h"

namespace platform {

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// Ends the process on the spot: no window's closing code, no destructors.
class ImmediateProcessEnd : public ProcessEnd {
public:
    void endProcess() override;
};

// The folder the executable lives in.
QString executableFolder();

} // namespace platform
