#pragma once

#include "nt_common/core/pointer/ScopedPointerEx.h"

#include <QMap>
#include <QMutex>
#include <QSharedPointer>
#include <QString>
#include <QThread>
#include <QTimer>
#include <QVariant>

#include <atomic>

namespace NtCommon {

// What the server link and the P2P link keep alike: the connection parameters
// (safe from any thread), the connection counter, and the reconnect, ping and
// pong timers, which the link makes and drops on its own thread.
class LinkCommon
{
public:
    void setParam(const QString &key, const QVariant &value);
    // An invalid variant for a missing key.
    QVariant paramsValue(const QString &key) const;
    // The value, after storing `missing` under the key when it was not there.
    QVariant paramOrStore(const QString &key, const QVariant &missing);
    bool usePing() const;

    qlonglong amountConnected() const;
    // True when the value changed.
    bool setAmountConnected(qlonglong value);
    qlonglong raiseAmountConnected();

    // Ping and pong timers only when "use_ping" is set.
    void createTimers();
    void dropTimers();
    QTimer *reconnectTimer() const;
    // Null without "use_ping".
    QTimer *pingTimer() const;
    QTimer *pongTimer() const;
    void startReconnectTimer(qint64 seconds);
    void startPingTimer(qint64 seconds);
    void startPongTimer(qint64 seconds);
    void stopPongTimer();
    void stopPingPongTimers();

    // A link takes the handler of its incoming messages onto its own thread; false for no handler.
    template <class Handler>
    static bool adoptHandler(QThread *link, QSharedPointer<Handler> &slot, const QSharedPointer<Handler> &handler)
    {
        if (!handler)
            return false;
        slot = handler;
        slot->moveToThread(link);
        return true;
    }

private:
    mutable QMutex m_paramsMutex;
    QMap<QString, QVariant> m_params;
    std::atomic<qint64> m_amountConnected{0};
    ScopedPointerEx<QTimer> m_reconnectTimer;
    ScopedPointerEx<QTimer> m_pingTimer;
    ScopedPointerEx<QTimer> m_pongTimer;
};

} // namespace NtCommon
