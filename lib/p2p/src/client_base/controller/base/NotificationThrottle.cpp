#include "client_base/controller/base/NotificationThrottle.h"

namespace P2pClientController {

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

} // namespace P2pClientController
