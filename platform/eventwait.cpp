#include "eventwait.h"

#include <QEventLoop>

namespace platform {

void LocalEventLoopWait::waitUntil(const std::function<bool()>& done)
{
    while (!done()) {
        QEventLoop loop;
        auto outer = std::move(m_quit);
        m_quit = [&loop, outer] {
            loop.quit();
            if (outer)
                outer(); // a nested wait wakes the outer one too, so it can re-check its condition
        };
        loop.exec();
        m_quit = outer;
    }
}

void LocalEventLoopWait::wake()
{
    if (m_quit)
        m_quit();
}

}
