#pragma once

#include <QDateTime>

namespace platform {

// The date and time of day on the user's computer.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override;
};

} // namespace platform
