#include "nt_common/model/NotificationThrottle.h"

namespace NtCommon {

NotificationThrottle::NotificationThrottle(std::function<void()> action, int intervalMs, QObject *parent)
    : QObject(parent)
    , m_action(std::move(action))
    , m_intervalMs(intervalMs)
{
    m_trailing.setSingleShot(true);
    m_trailing.setInterval(intervalMs);
    connect(&m_trailing, &QTimer::timeout, this, &NotificationThrottle::run);
}

void NotificationThrottle::trigger()
{
    if (!m_sinceLastRun.isValid() || m_sinceLastRun.elapsed() >= m_intervalMs) {
        m_trailing.stop();
        run();
    } else if (!m_trailing.isActive()) {
        m_trailing.start();
    }
}

void NotificationThrottle::run()
{
    m_sinceLastRun.start();
    m_action();
}

} // namespace NtCommon
