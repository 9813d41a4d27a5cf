#include "clientNetwork/LynClientNetworkBase.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/thread/ThreadHandover.h"
#include "nt_common/core/log/LogText.h"

#include <QDebug>
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
    quit();
    wait();
}

bool LynClientNetworkBase::wait(QDeadlineTimer deadline)
{
    return NtCommon::ThreadHandover::wait(this, deadline);
}

void LynClientNetworkBase::setParam(const QString &key, const QVariant &value)
{
    m_common.setParam(key, value);
}

QVariant LynClientNetworkBase::paramsValue(const QString &key) const
{
    return m_common.paramsValue(key);
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
    return m_common.amountConnected();
}

void LynClientNetworkBase::setAmountConnected(qlonglong value)
{
    if (m_common.setAmountConnected(value))
        emit amountConnectedChanged(value);
}

bool LynClientNetworkBase::isInited() const
{
    return m_inited;
}

void LynClientNetworkBase::announceInited()
{
    m_inited = true;
    emit inited();
}

void LynClientNetworkBase::setP2pLink(const QSharedPointer<P2pClientBase::ClientNetworkSimple> &link)
{
    QMutexLocker lock(&m_p2pLinkMutex);
    m_p2pLink = link;
}

QSharedPointer<P2pClientBase::ClientNetworkSimple> LynClientNetworkBase::p2pLink() const
{
    QMutexLocker lock(&m_p2pLinkMutex);
    return m_p2pLink;
}

bool LynClientNetworkBase::usePing() const
{
    return m_common.usePing();
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
        m_common.createTimers();

        m_socket.reset(new QWebSocket(QString(), QWebSocketProtocol::Version13, nullptr));
        m_socket->moveToThread(this);

        connect(m_socket.data(), &QWebSocket::connected, this, &LynClientNetworkBase::onSocketConnected);
        connect(m_socket.data(), &QWebSocket::disconnected, this, &LynClientNetworkBase::onSocketDisconnected);
        connect(m_socket.data(), &QWebSocket::pong, this, &LynClientNetworkBase::slotStopgPongTimer, Qt::DirectConnection);
        connect(this, &LynClientNetworkBase::makeConnection, this, &LynClientNetworkBase::slotMakeConnection);
        connect(this, &LynClientNetworkBase::closeConnection, this, &LynClientNetworkBase::slotCloseConnection);
        connect(m_common.reconnectTimer(), &QTimer::timeout, this, &LynClientNetworkBase::slotMakeConnection);

        if (usePing()) {
            connect(m_common.pingTimer(), &QTimer::timeout, this, &LynClientNetworkBase::sendPing);
            connect(m_common.pongTimer(), &QTimer::timeout, this, &LynClientNetworkBase::disconnectByPongTimer);
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
    m_common.dropTimers();
    // Taken over by whoever waits for the thread (wait()).
    NtCommon::ThreadHandover::release(this);
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
    m_common.stopPongTimer();
}

void LynClientNetworkBase::onSocketConnected()
{
    m_common.reconnectTimer()->stop();
    const qlonglong count = m_common.raiseAmountConnected();
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
    // The pause runs on the reconnect timer, so that a close or a quit is not held up by it.
    m_common.startReconnectTimer(reconnectPauseSec);
}

void LynClientNetworkBase::slotMakeConnection()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetworkBase::slotMakeConnection"));
    closeConnectionBase();

    const QString host = m_common.paramOrStore(QStringLiteral("host"), QString()).toString();
    const uint port = m_common.paramOrStore(QStringLiteral("port"), 0).toUInt();
    qDebug().noquote() << QStringLiteral("%1. Try to connect to '%2:%3' ...").arg(tag, host).arg(port);

    m_socket->open(QUrl(QStringLiteral("ws://%1:%2/loader").arg(host).arg(port)));
    m_connectionWanted = true;
    m_common.startReconnectTimer(reconnectIntervalSec);
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
    if (usePing())
        m_common.stopPingPongTimers();
    m_common.reconnectTimer()->stop();
    if (m_socket) {
        disconnect(m_socket.data(), &QWebSocket::disconnected, this, &LynClientNetworkBase::onSocketDisconnected);
        m_socket->close(QWebSocketProtocol::CloseCodeNormal, QString());
        connect(m_socket.data(), &QWebSocket::disconnected, this, &LynClientNetworkBase::onSocketDisconnected);
    }
}

void LynClientNetworkBase::slotStartPingTimer()
{
    m_common.startPingTimer(pingIntervalSec);
}

void LynClientNetworkBase::onFinished()
{
    // The thread's very last touch of the link (finished() comes after run()).
    NtCommon::ThreadHandover::release(this);
}

void LynClientNetworkBase::sendPing()
{
    if (usePing() && m_common.pongTimer()) {
        m_socket->ping(QByteArray());
        m_common.startPongTimer(pongTimeoutSec);
    }
}

} // namespace LynClientBase
