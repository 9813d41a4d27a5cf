#include "nt_common/core/client_network/LinkCommon.h"

#include <QMutexLocker>

namespace NtCommon {

void LinkCommon::setParam(const QString &key, const QVariant &value)
{
    QMutexLocker lock(&m_paramsMutex);
    m_params.insert(key, value);
}

QVariant LinkCommon::paramsValue(const QString &key) const
{
    QMutexLocker lock(&m_paramsMutex);
    return m_params.value(key);
}

QVariant LinkCommon::paramOrStore(const QString &key, const QVariant &missing)
{
    QMutexLocker lock(&m_paramsMutex);
    if (!m_params.contains(key))
        m_params.insert(key, missing);
    return m_params.value(key);
}

bool LinkCommon::usePing() const
{
    return paramsValue(QStringLiteral("use_ping")).toBool();
}

qlonglong LinkCommon::amountConnected() const
{
    return m_amountConnected;
}

bool LinkCommon::setAmountConnected(qlonglong value)
{
    return m_amountConnected.exchange(value) != value;
}

qlonglong LinkCommon::raiseAmountConnected()
{
    return ++m_amountConnected;
}

void LinkCommon::createTimers()
{
    if (usePing()) {
        m_pingTimer.reset(new QTimer);
        m_pongTimer.reset(new QTimer);
    }
    m_reconnectTimer.reset(new QTimer);
}

void LinkCommon::dropTimers()
{
    m_pingTimer.reset();
    m_pongTimer.reset();
    m_reconnectTimer.reset();
}

QTimer *LinkCommon::reconnectTimer() const
{
    return m_reconnectTimer.data();
}

QTimer *LinkCommon::pingTimer() const
{
    return m_pingTimer.get();
}

QTimer *LinkCommon::pongTimer() const
{
    return m_pongTimer.get();
}

void LinkCommon::startReconnectTimer(qint64 seconds)
{
    m_reconnectTimer->start(static_cast<int>(seconds * 1000));
}

void LinkCommon::startPingTimer(qint64 seconds)
{
    if (usePing() && m_pingTimer)
        m_pingTimer->start(static_cast<int>(seconds * 1000));
}

void LinkCommon::startPongTimer(qint64 seconds)
{
    if (m_pongTimer)
        m_pongTimer->start(static_cast<int>(seconds * 1000));
}

void LinkCommon::stopPongTimer()
{
    if (m_pongTimer)
        m_pongTimer->stop();
}

void LinkCommon::stopPingPongTimers()
{
    if (m_pingTimer)
        m_pingTimer->stop();
    stopPongTimer();
}

} // namespace NtCommon
