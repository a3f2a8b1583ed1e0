#include "eventwait.h"

#include <QEventLoop>

namespace platform {

void LocalEventLoopWait::waitUntil(const std::function<bool()>& done)
{
    while (!done()) {
        QEventLoop loop;
        bool woken = false;
        auto outer = std::move(m_quit);
        m_quit = [&loop, &woken, outer] {
            woken = true;
            loop.quit();
            if (outer)
                outer(); // a nested wait wakes the outer one too, so it can re-check its condition
        };
        loop.exec();
        m_quit = outer;
        // Once the application quits, every further loop returns at once: waiting on would spin.
        if (!woken)
            return;
    }
}

void LocalEventLoopWait::wake()
{
    if (m_quit)
        m_quit();
}

}
