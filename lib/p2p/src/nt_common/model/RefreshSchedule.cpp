#include "nt_common/model/RefreshSchedule.h"

namespace NtCommon {

RefreshSchedule::RefreshSchedule(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(m_autoUpdateInterval * 1000);
    connect(&m_timer, &QTimer::timeout, this, &RefreshSchedule::timeout);
}

bool RefreshSchedule::autoUpdate() const
{
    return m_autoUpdate;
}

int RefreshSchedule::autoUpdateInterval() const
{
    return m_autoUpdateInterval;
}

void RefreshSchedule::setAutoUpdate(bool value)
{
    if (value == m_autoUpdate)
        return;
    m_autoUpdate = value;
    if (value)
        m_timer.start(m_autoUpdateInterval * 1000);
    else
        m_timer.stop();
    emit autoUpdateChanged(value);
}

void RefreshSchedule::setAutoUpdateInterval(int seconds)
{
    if (seconds == m_autoUpdateInterval)
        return;
    m_autoUpdateInterval = seconds;
    m_timer.setInterval(seconds * 1000);
    emit autoUpdateIntervalChanged(seconds);
}

} // namespace NtCommon
