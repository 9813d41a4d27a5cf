#include "EventLoopGap.h"

#include <algorithm>

EventLoopGap::EventLoopGap()
{
    m_tick.setInterval(1);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, [this] { m_longest = std::max(m_longest, m_sinceTick.restart()); });
}

void EventLoopGap::start()
{
    m_longest = 0;
    m_sinceTick.start();
    m_tick.start();
}

void EventLoopGap::stop()
{
    m_tick.stop();
    m_longest = std::max(m_longest, m_sinceTick.elapsed());
}
