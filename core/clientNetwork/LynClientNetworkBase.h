#pragma once

#include "nt_common/core/client_network/LinkCommon.h"
#include "nt_common/core/pointer/ScopedPointerEx.h"

#include <QMutex>
#include <QObject>
#include <QSharedPointer>
#include <QThread>
#include <QVariant>
#include <QWebSocket>

#include <atomic>

namespace P2pClientBase {
class ClientNetworkSimple;
}

namespace LynClientBase {

// Lower layer of the server link: one WebSocket to "ws://host:port/loader",
// kept alive with pings and reconnected by itself. The object moves itself to
// its own thread; every slot runs there, and the socket and timers are created
// inside run(). Other threads reach it through queued signals or the
// mutex-guarded parameters.
class LynClientNetworkBase : public QThread
{
    Q_OBJECT
    Q_PROPERTY(qlonglong amountConnected READ amountConnected WRITE setAmountConnected NOTIFY amountConnectedChanged)

public:
    LynClientNetworkBase();
    ~LynClientNetworkBase() override;
    // Hides QThread::wait so that callers take over the thread's last writes.
    bool wait(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

    void setParam(const QString &key, const QVariant &value);
    QVariant paramsValue(const QString &key) const;

    Q_INVOKABLE bool isP2pMode() const;
    Q_INVOKABLE void setIsP2pMode(bool value);

    qlonglong amountConnected() const;
    void setAmountConnected(qlonglong value);

    // True once the thread has set up its socket and timers and announced inited();
    // lets a late listener see that the announcement has already happened.
    bool isInited() const;

    // The P2P link whose relay carries this link in P2P mode; given once at start-up.
    void setP2pLink(const QSharedPointer<P2pClientBase::ClientNetworkSimple> &link);
    QSharedPointer<P2pClientBase::ClientNetworkSimple> p2pLink() const;

signals:
    void sendTextMessage(QString message);
    void makeConnection();
    void closeConnection();
    void stopgPongTimer();
    void amountConnectedChanged(qlonglong amountConnected);
    void connectionState(bool isConnected);
    void connectionClosed();
    void inited();

public slots:
    virtual void sendTextMessageSlot(QString message);
    void disconnectByPongTimer();
    void slotStopgPongTimer();
    virtual void onSocketConnected();
    virtual void onSocketDisconnected();
    void slotMakeConnection();
    void slotCloseConnection();
    void slotStartPingTimer();
    virtual void onFinished();
    virtual void sendPing();

protected:
    void run() override;
    // Drops the socket and timers on the link thread, after its event loop ended.
    virtual void tearDown();
    // Marks the link as set up, then emits inited().
    void announceInited();
    void closeConnectionBase();
    bool usePing() const;
    QWebSocket *socket() const;

    qint64 pingIntervalSec = 10;
    qint64 pongTimeoutSec = 5;
    qint64 reconnectIntervalSec = 5;
    qint64 reconnectPauseSec = 1;

private:
    NtCommon::LinkCommon m_common;
    std::atomic<bool> m_isP2pMode{false};
    bool m_connectionWanted = false;
    NtCommon::ScopedPointerEx<QWebSocket> m_socket;
    std::atomic<bool> m_inited{false};
    mutable QMutex m_p2pLinkMutex;
    QSharedPointer<P2pClientBase::ClientNetworkSimple> m_p2pLink;
};

} // namespace LynClientBase
