#pragma once

#include <functional>

namespace platform {

// Waiting inside a handler while other events run, until a condition holds.
class EventWait {
public:
    virtual ~EventWait() = default;
    // Returns once done() holds, or early when the program quits its event loops; the waiter must
    // call wake() whenever done() may have changed.
    virtual void waitUntil(const std::function<bool()>& done) = 0;
    virtual void wake() = 0;
};

// A local event loop: the processor stays idle until an event arrives.
class LocalEventLoopWait : public EventWait {
public:
    void waitUntil(const std::function<bool()>& done) override;
    void wake() override;

private:
    std::function<void()> m_quit;
};

}
