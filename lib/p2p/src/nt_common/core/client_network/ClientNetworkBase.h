#pragma once

#include "nt_common/core/client_network/LinkCommon.h"
#include "nt_common/core/pointer/ScopedPointerEx.h"

#include <QTcpSocket>
#include <QThread>
#include <QVariant>

namespace P2pClientBase {

// Lower layer of the P2P link: one TCP socket, its parameters, timers and
// reconnection. Moves itself to its own thread; socket and timers are created
// inside run().
class ClientNetworkBase : public QThread
{
    Q_OBJECT
    Q_PROPERTY(qlonglong amountConnected READ amountConnected WRITE setAmountConnected NOTIFY amountConnectedChanged)

public:
    ClientNetworkBase();
    ~ClientNetworkBase() override;
    // Hides QThread::wait so that callers take over the thread's last writes.
    bool wait(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

    void setParam(const QString &key, const QVariant &value);
    QVariant paramsValue(const QString &key) const;

    qlonglong amountConnected() const;
    void setAmountConnected(qlonglong value);

    // Bytes written, or -1. With block4write the link thread waits until they are out.
    qint64 writeToSocket(QByteArray data, bool block4write);
    void stopPingPongTimers();

signals:
    void sendMessage(QByteArray msg, bool block4write);
    void makeConnection();
    void closeConnection();
    void stopgPongTimer();
    void amountConnectedChanged(qlonglong amountConnected);
    void connectionState(bool isConnected);
    void inited();

private slots:
    void disconnectByPongTimer();
    void slotStopgPongTimer();

protected slots:
    virtual void onSocketConnected();
    virtual void onSocketDisconnected();
    virtual void onError(QAbstractSocket::SocketError socketError);
    virtual void onSocketReadyRead() = 0;
    void slotMakeConnection();
    void slotCloseConnection();
    void slotStartPingTimer();
    virtual void onFinished();
    virtual void sendPing();

protected:
    void run() override;
    void tearDown();
    bool usePing() const;
    QTcpSocket *socket() const;

    qint64 pingIntervalSec = 20;
    qint64 pongTimeoutSec = 5;
    qint64 reconnectIntervalSec = 5;
    qint64 reconnectPauseSec = 1;
    const std::string loggerName = "main";

private:
    void resetConnection();

    NtCommon::LinkCommon m_common;
    NtCommon::ScopedPointerEx<QTcpSocket> m_socket;
};

} // namespace P2pClientBase
