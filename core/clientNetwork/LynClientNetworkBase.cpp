#include "clientNetwork/LynClientNetworkBase.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/log/LogText.h"

#include <QDebug>
#include <QMutexLocker>
#include <QUrl>

#include <spdlog/spdlog.h>

namespace LynClientBase {

namespace {
const QString kSourcePath = QStringLiteral("..\\core\\clientNetwork\\LynClientNetworkBase");
}

LynClientNetworkBase::LynClientNetworkBase()
    : QThread(nullptr)
{
    moveToThread(this);
}

LynClientNetworkBase::~LynClientNetworkBase()
{
    if (isRunning()) {
        quit();
        wait();
    }
}

void LynClientNetworkBase::setParam(const QString &key, const QVariant &value)
{
    QMutexLocker lock(&m_paramsMutex);
    m_params.insert(key, value);
}

QVariant LynClientNetworkBase::paramsValue(const QString &key) const
{
    QMutexLocker lock(&m_paramsMutex);
    return m_params.value(key);
}

bool LynClientNetworkBase::isP2pMode() const
{
    return m_isP2pMode;
}

void LynClientNetworkBase::setIsP2pMode(bool value)
{
    m_isP2pMode = value;
}

qlonglong LynClientNetworkBase::amountConnected() const
{
    return m_amountConnected;
}

void LynClientNetworkBase::setAmountConnected(qlonglong value)
{
    if (m_amountConnected.exchange(value) != value)
        emit amountConnectedChanged(value);
}

bool LynClientNetworkBase::usePing() const
{
    return paramsValue(QStringLiteral("use_ping")).toBool();
}

QWebSocket *LynClientNetworkBase::socket() const
{
    return m_socket.data();
}

void LynClientNetworkBase::run()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetworkBase::run"));
    try {
        connect(this, &QThread::finished, this, &LynClientNetworkBase::onFinished);
        if (usePing()) {
            m_pingTimer.reset(new QTimer);
            m_pongTimer.reset(new QTimer);
        }
        m_reconnectTimer.reset(new QTimer);

        m_socket.reset(new QWebSocket(QString(), QWebSocketProtocol::Version13, nullptr));
        m_socket->moveToThread(this);

        connect(m_socket.data(), &QWebSocket::connected, this, &LynClientNetworkBase::onSocketConnected);
        connect(m_socket.data(), &QWebSocket::disconnected, this, &LynClientNetworkBase::onSocketDisconnected);
        connect(m_socket.data(), &QWebSocket::pong, this, &LynClientNetworkBase::slotStopgPongTimer, Qt::DirectConnection);
        connect(this, &LynClientNetworkBase::makeConnection, this, &LynClientNetworkBase::slotMakeConnection);
        connect(this, &LynClientNetworkBase::closeConnection, this, &LynClientNetworkBase::slotCloseConnection);
        connect(m_reconnectTimer.data(), &QTimer::timeout, this, &LynClientNetworkBase::slotMakeConnection);

        if (usePing()) {
            connect(m_pingTimer.data(), &QTimer::timeout, this, &LynClientNetworkBase::sendPing);
            connect(m_pongTimer.data(), &QTimer::timeout, this, &LynClientNetworkBase::disconnectByPongTimer);
            connect(this, &LynClientNetworkBase::stopgPongTimer, this, &LynClientNetworkBase::slotStopgPongTimer);
        }
        connect(this, &LynClientNetworkBase::sendTextMessage, this, &LynClientNetworkBase::sendTextMessageSlot);
    } catch (const std::exception &e) {
        NtCommon::LocationTag::reportToDebug(tag, e);
    }
}

void LynClientNetworkBase::tearDown()
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

void LynClientNetworkBase::sendTextMessageSlot(QString message)
{
    m_socket->sendTextMessage(message);
    if (auto logger = spdlog::get("main"))
        logger->info("SEND {}", NtCommon::LogText::message(message).toStdString());
}

void LynClientNetworkBase::disconnectByPongTimer()
{
    closeConnectionBase();
    onSocketDisconnected();
}

void LynClientNetworkBase::slotStopgPongTimer()
{
    if (m_pongTimer)
        m_pongTimer->stop();
}

void LynClientNetworkBase::onSocketConnected()
{
    m_reconnectTimer->stop();
    const qlonglong count = ++m_amountConnected;
    emit amountConnectedChanged(count);
    emit connectionState(true);
    slotStartPingTimer();
}

void LynClientNetworkBase::onSocketDisconnected()
{
    // A close we asked for may still report its disconnect afterwards.
    if (!m_connectionWanted)
        return;
    emit connectionState(false);
    QThread::sleep(static_cast<unsigned long>(reconnectPauseSec));
    slotMakeConnection();
}

void LynClientNetworkBase::slotMakeConnection()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetworkBase::slotMakeConnection"));
    closeConnectionBase();

    QString host;
    uint port = 0;
    {
        QMutexLocker lock(&m_paramsMutex);
        if (!m_params.contains(QStringLiteral("host")))
            m_params.insert(QStringLiteral("host"), QString());
        if (!m_params.contains(QStringLiteral("port")))
            m_params.insert(QStringLiteral("port"), 0);
        host = m_params.value(QStringLiteral("host")).toString();
        port = m_params.value(QStringLiteral("port")).toUInt();
    }
    qDebug().noquote() << QStringLiteral("%1. Try to connect to '%2:%3' ...").arg(tag, host).arg(port);

    m_socket->open(QUrl(QStringLiteral("ws://%1:%2/loader").arg(host).arg(port)));
    m_connectionWanted = true;
    m_reconnectTimer->start(static_cast<int>(reconnectIntervalSec * 1000));
}

void LynClientNetworkBase::slotCloseConnection()
{
    closeConnectionBase();
    m_connectionWanted = false;
    emit connectionState(false);
    emit connectionClosed();
}

void LynClientNetworkBase::closeConnectionBase()
{
    if (usePing()) {
        if (m_pingTimer)
            m_pingTimer->stop();
        if (m_pongTimer)
            m_pongTimer->stop();
    }
    m_reconnectTimer->stop();
    if (m_socket) {
        disconnect(m_socket.data(), &QWebSocket::disconnected, this, &LynClientNetworkBase::onSocketDisconnected);
        m_socket->close(QWebSocketProtocol::CloseCodeNormal, QString());
        connect(m_socket.data(), &QWebSocket::disconnected, this, &LynClientNetworkBase::onSocketDisconnected);
    }
}

void LynClientNetworkBase::slotStartPingTimer()
{
    if (usePing() && m_pingTimer)
        m_pingTimer->start(static_cast<int>(pingIntervalSec * 1000));
}

void LynClientNetworkBase::onFinished()
{
}

void LynClientNetworkBase::sendPing()
{
    if (usePing() && m_pongTimer) {
        m_socket->ping(QByteArray());
        m_pongTimer->start(static_cast<int>(pongTimeoutSec * 1000));
    }
}

} // namespace LynClientBase
