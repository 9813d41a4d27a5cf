#include "nt_common/core/client_network/ClientNetworkBase.h"

#include "nt_common/core/error/LocationTag.h"

#include <QDebug>
#include <QMutexLocker>

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
    if (isRunning()) {
        quit();
        wait();
    }
}

void ClientNetworkBase::setParam(const QString &key, const QVariant &value)
{
    QMutexLocker lock(&m_paramsMutex);
    m_params.insert(key, value);
}

QVariant ClientNetworkBase::paramsValue(const QString &key) const
{
    QMutexLocker lock(&m_paramsMutex);
    return m_params.value(key);
}

qlonglong ClientNetworkBase::amountConnected() const
{
    return m_amountConnected;
}

void ClientNetworkBase::setAmountConnected(qlonglong value)
{
    if (m_amountConnected.exchange(value) != value)
        emit amountConnectedChanged(value);
}

bool ClientNetworkBase::usePing() const
{
    return paramsValue(QStringLiteral("use_ping")).toBool();
}

QTcpSocket *ClientNetworkBase::socket() const
{
    return m_socket.data();
}

void ClientNetworkBase::run()
{
    connect(this, &QThread::finished, this, &ClientNetworkBase::onFinished);
    if (usePing()) {
        m_pingTimer.reset(new QTimer);
        m_pongTimer.reset(new QTimer);
    }
    m_reconnectTimer.reset(new QTimer);
    m_socket.reset(new QTcpSocket);
    m_socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);

    connect(m_socket.data(), &QTcpSocket::connected, this, &ClientNetworkBase::onSocketConnected);
    connect(m_socket.data(), &QTcpSocket::disconnected, this, &ClientNetworkBase::onSocketDisconnected);
    connect(m_socket.data(), &QTcpSocket::readyRead, this, &ClientNetworkBase::onSocketReadyRead);
    connect(this, &ClientNetworkBase::makeConnection, this, &ClientNetworkBase::slotMakeConnection);
    connect(this, &ClientNetworkBase::closeConnection, this, &ClientNetworkBase::slotCloseConnection);
    connect(m_reconnectTimer.data(), &QTimer::timeout, this, &ClientNetworkBase::slotMakeConnection);
    if (usePing()) {
        connect(m_pingTimer.data(), &QTimer::timeout, this, &ClientNetworkBase::sendPing);
        connect(m_pongTimer.data(), &QTimer::timeout, this, &ClientNetworkBase::disconnectByPongTimer);
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
    m_pingTimer.reset();
    m_pongTimer.reset();
    m_reconnectTimer.reset();
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
    if (m_pingTimer)
        m_pingTimer->stop();
    if (m_pongTimer)
        m_pongTimer->stop();
}

void ClientNetworkBase::resetConnection()
{
    if (usePing())
        stopPingPongTimers();
    m_reconnectTimer->stop();
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
    QString host;
    quint16 port = 0;
    {
        QMutexLocker lock(&m_paramsMutex);
        if (!m_params.contains(QStringLiteral("port")))
            m_params.insert(QStringLiteral("port"), QVariant());
        if (!m_params.contains(QStringLiteral("host")))
            m_params.insert(QStringLiteral("host"), QVariant());
        port = static_cast<quint16>(m_params.value(QStringLiteral("port")).toUInt());
        host = m_params.value(QStringLiteral("host")).toString();
    }
    qDebug().noquote() << QStringLiteral("%1. Try to connect to '%2:%3' ...").arg(tag, host).arg(port);
    m_socket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    m_reconnectTimer->start(static_cast<int>(reconnectIntervalSec * 1000));
}

void ClientNetworkBase::slotCloseConnection()
{
    resetConnection();
    emit connectionState(false);
}

void ClientNetworkBase::onFinished()
{
    if (m_reconnectTimer)
        slotCloseConnection();
}

void ClientNetworkBase::onSocketConnected()
{
    m_reconnectTimer->stop();
}

void ClientNetworkBase::onSocketDisconnected()
{
    emit connectionState(false);
    // The pause runs on the reconnect timer, so that a close or a quit is not held up by it.
    m_reconnectTimer->start(static_cast<int>(reconnectPauseSec * 1000));
}

void ClientNetworkBase::onError(QAbstractSocket::SocketError)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkBase::onError"));
    if (auto logger = spdlog::get(loggerName))
        logger->warn("{} {}", tag.toStdString(), m_socket ? m_socket->errorString().toStdString() : std::string());
}

void ClientNetworkBase::slotStartPingTimer()
{
    if (usePing() && m_pingTimer)
        m_pingTimer->start(static_cast<int>(pingIntervalSec * 1000));
}

void ClientNetworkBase::sendPing()
{
    if (m_pongTimer)
        m_pongTimer->start(static_cast<int>(pongTimeoutSec * 1000));
}

void ClientNetworkBase::slotStopgPongTimer()
{
    if (m_pongTimer)
        m_pongTimer->stop();
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
