#include "nt_common/core/client_network/ClientNetworkBase.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/thread/ThreadHandover.h"

#include <QDebug>

#include <spdlog/spdlog.h>

namespace P2pClientBase {

namespace {
const QString kSourcePath = QStringLiteral("..\\src\\nt_common\\core\\client_network\\ClientNetworkBase");
constexpr int kWaitMs = 30000;
// Longest the link thread waits for a polite close; shutdown waits no longer than this.
constexpr int kCloseWaitMs = 500;
}

ClientNetworkBase::ClientNetworkBase()
    : QThread(nullptr)
{
    moveToThread(this);
}

ClientNetworkBase::~ClientNetworkBase()
{
    quit();
    wait();
}

bool ClientNetworkBase::wait(QDeadlineTimer deadline)
{
    return NtCommon::ThreadHandover::wait(this, deadline);
}

void ClientNetworkBase::setParam(const QString &key, const QVariant &value)
{
    m_common.setParam(key, value);
}

QVariant ClientNetworkBase::paramsValue(const QString &key) const
{
    return m_common.paramsValue(key);
}

qlonglong ClientNetworkBase::amountConnected() const
{
    return m_common.amountConnected();
}

void ClientNetworkBase::setAmountConnected(qlonglong value)
{
    if (m_common.setAmountConnected(value))
        emit amountConnectedChanged(value);
}

bool ClientNetworkBase::usePing() const
{
    return m_common.usePing();
}

QTcpSocket *ClientNetworkBase::socket() const
{
    return m_socket.data();
}

void ClientNetworkBase::run()
{
    connect(this, &QThread::finished, this, &ClientNetworkBase::onFinished);
    m_common.createTimers();
    m_socket.reset(new QTcpSocket);
    m_socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);

    connect(m_socket.data(), &QTcpSocket::connected, this, &ClientNetworkBase::onSocketConnected);
    connect(m_socket.data(), &QTcpSocket::disconnected, this, &ClientNetworkBase::onSocketDisconnected);
    connect(m_socket.data(), &QTcpSocket::readyRead, this, &ClientNetworkBase::onSocketReadyRead);
    connect(this, &ClientNetworkBase::makeConnection, this, &ClientNetworkBase::slotMakeConnection);
    connect(this, &ClientNetworkBase::closeConnection, this, &ClientNetworkBase::slotCloseConnection);
    connect(m_common.reconnectTimer(), &QTimer::timeout, this, &ClientNetworkBase::slotMakeConnection);
    if (usePing()) {
        connect(m_common.pingTimer(), &QTimer::timeout, this, &ClientNetworkBase::sendPing);
        connect(m_common.pongTimer(), &QTimer::timeout, this, &ClientNetworkBase::disconnectByPongTimer);
        connect(this, &ClientNetworkBase::stopgPongTimer, this, &ClientNetworkBase::slotStopgPongTimer);
    }
    connect(this, &ClientNetworkBase::sendMessage, this, &ClientNetworkBase::writeToSocket);
}

void ClientNetworkBase::tearDown()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    m_socket.reset();
    m_common.dropTimers();
    // Taken over by whoever waits for the thread (wait()).
    NtCommon::ThreadHandover::release(this);
}

qint64 ClientNetworkBase::writeToSocket(QByteArray data, bool block4write)
{
    const qint64 written = m_socket->write(data);
    if (block4write && written != -1)
        m_socket->waitForBytesWritten(kWaitMs);
    return written;
}

void ClientNetworkBase::stopPingPongTimers()
{
    m_common.stopPingPongTimers();
}

void ClientNetworkBase::resetConnection()
{
    if (usePing())
        stopPingPongTimers();
    m_common.reconnectTimer()->stop();
    if (!m_socket)
        return;
    disconnect(m_socket.data(), &QTcpSocket::disconnected, this, &ClientNetworkBase::onSocketDisconnected);
    // Only an established connection is closed politely, and briefly: a socket
    // still connecting to a host that drops packets would hold the thread.
    if (m_socket->state() == QAbstractSocket::ConnectedState) {
        m_socket->disconnectFromHost();
        if (m_socket->state() != QAbstractSocket::UnconnectedState)
            m_socket->waitForDisconnected(kCloseWaitMs);
    }
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    connect(m_socket.data(), &QTcpSocket::disconnected, this, &ClientNetworkBase::onSocketDisconnected);
}

void ClientNetworkBase::slotMakeConnection()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkBase::slotMakeConnection"));
    resetConnection();
    const quint16 port = static_cast<quint16>(m_common.paramOrStore(QStringLiteral("port"), QVariant()).toUInt());
    const QString host = m_common.paramOrStore(QStringLiteral("host"), QVariant()).toString();
    qDebug().noquote() << QStringLiteral("%1. Try to connect to '%2:%3' ...").arg(tag, host).arg(port);
    m_socket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    m_common.startReconnectTimer(reconnectIntervalSec);
}

void ClientNetworkBase::slotCloseConnection()
{
    resetConnection();
    emit connectionState(false);
}

void ClientNetworkBase::onFinished()
{
    if (m_socket)
        slotCloseConnection();
    // The thread's very last touch of the link (finished() comes after run()).
    NtCommon::ThreadHandover::release(this);
}

void ClientNetworkBase::onSocketConnected()
{
    m_common.reconnectTimer()->stop();
}

void ClientNetworkBase::onSocketDisconnected()
{
    emit connectionState(false);
    // The pause runs on the reconnect timer, so that a close or a quit is not held up by it.
    m_common.startReconnectTimer(reconnectPauseSec);
}

void ClientNetworkBase::onError(QAbstractSocket::SocketError)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkBase::onError"));
    if (auto logger = spdlog::get(loggerName))
        logger->warn("{} {}", tag.toStdString(), m_socket ? m_socket->errorString().toStdString() : std::string());
}

void ClientNetworkBase::slotStartPingTimer()
{
    m_common.startPingTimer(pingIntervalSec);
}

void ClientNetworkBase::sendPing()
{
    m_common.startPongTimer(pongTimeoutSec);
}

void ClientNetworkBase::slotStopgPongTimer()
{
    m_common.stopPongTimer();
}

void ClientNetworkBase::disconnectByPongTimer()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkBase::disconnectByPongTimer"));
    if (auto logger = spdlog::get(loggerName))
        logger->warn("{} no pong in time, reconnecting", tag.toStdString());
    resetConnection();
    onSocketDisconnected();
}

} // namespace P2pClientBase
