#include "base/LynClientNetwork.h"

#include "base/MessageEnvelope.h"
#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/log/LogText.h"

#include <QJsonDocument>

#include <spdlog/spdlog.h>

#include <stdexcept>

namespace LynClientBase {

namespace {
const QString kSourcePath = QStringLiteral("..\\clientBase\\base\\LynClientNetwork");

QSharedPointer<LynClientNetwork> &sharedControllersLink()
{
    static QSharedPointer<LynClientNetwork> link;
    return link;
}
} // namespace

bool LynClientNetwork::setMessageHandler(const QSharedPointer<HandleReceivedMessagesBase> &handler)
{
    return NtCommon::LinkCommon::adoptHandler(this, m_messageHandler, handler);
}

NtCommon::WeakPointerEx<HandleReceivedMessagesBase> LynClientNetwork::messageHandler() const
{
    return NtCommon::WeakPointerEx<HandleReceivedMessagesBase>(m_messageHandler.toWeakRef());
}

void LynClientNetwork::setControllersLink(const QSharedPointer<LynClientNetwork> &link)
{
    sharedControllersLink() = link;
}

NtCommon::SharedPointerEx<LynClientNetwork> LynClientNetwork::controllersLink()
{
    return sharedControllersLink();
}

QJsonObject LynClientNetwork::send(const QString &ctl, const QString &action, const QString &receiver,
                                   const QJsonObject &mapParams)
{
    const QJsonObject message = MessageEnvelope::wrap(mapParams, ctl, action, receiver);
    const QString text = MessageEnvelope::toText(message);
    emit controllersLink()->sendTextMessage(text);
    return message;
}

void LynClientNetwork::run()
{
    LynClientNetworkBase::run();
    socket()->setMaxAllowedIncomingMessageSize(kMaxIncomingMessageSize);
    if (auto logger = spdlog::get("main"))
        logger->info("Server link accepts text messages up to {} bytes", kMaxIncomingMessageSize);
    connect(socket(), &QWebSocket::textMessageReceived, this, &LynClientNetwork::onTextMessageReceived);
    if (m_messageHandler)
        connect(this, &LynClientNetwork::messageReceived, m_messageHandler.data(),
                &HandleReceivedMessagesBase::onMessageReceived);
}

void LynClientNetwork::tearDown()
{
    m_relay.reset();
    LynClientNetworkBase::tearDown();
}

bool LynClientNetwork::ensureRelay()
{
    if (m_relay)
        return true;
    // The relay exists only over the P2P link that start-up handed to this link.
    if (!p2pLink())
        return false;
    m_relay.reset(new P2pClientController::SingleTcpRelayBaseController);
    connect(m_relay.data(), &P2pClientController::SingleTcpRelayBaseController::srSendRequest, this,
            [this](const QJsonObject &request) { onRelayedRequest(request); }, Qt::DirectConnection);
    return true;
}

void LynClientNetwork::onRelayedRequest(const QJsonObject &request)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetwork::onRelayedRequest"));
    // Only the installation this client reaches may speak for the local server, and only in P2P mode.
    const QString sender = request.value(QStringLiteral("remoteSign")).toString();
    const auto p2p = p2pLink();
    const QString expected = p2p ? p2p->remoteSign() : QString();
    if (!isP2pMode() || expected.isEmpty() || sender != expected) {
        if (auto logger = spdlog::get("main"))
            logger->warn("{} relayed request from '{}' dropped (P2P mode: {}, expected sender '{}')", tag.toStdString(),
                         NtCommon::LogText::untrusted(sender).toStdString(), isP2pMode(), expected.toStdString());
        return;
    }
    if (request.contains(QStringLiteral("message")))
        onTextMessageReceived(request.value(QStringLiteral("message")).toString());
}

void LynClientNetwork::onTextMessageReceived(QString message)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetwork::onTextMessageReceived"));
    try {
        const QJsonDocument document = QJsonDocument::fromJson(message.toUtf8());
        if (!document.isObject())
            throw std::runtime_error(QStringLiteral("Incoming message is not JSON object, message: '%1'")
                                         .arg(NtCommon::LogText::untrusted(message)).toStdString());
        emit messageReceived(document.object());
        if (auto logger = spdlog::get("main"))
            logger->info("RECEIVE{}", NtCommon::LogText::message(document.toJson(QJsonDocument::Indented)).toStdString());
    } catch (const std::exception &e) {
        NtCommon::LocationTag::reportToDebug(tag, e);
    }
}

void LynClientNetwork::sendTextMessageSlot(QString message)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetwork::sendTextMessageSlot"));
    try {
        if (!isP2pMode()) {
            LynClientNetworkBase::sendTextMessageSlot(message);
            return;
        }
        if (!ensureRelay())
            throw std::runtime_error("P2P relay is not available, message dropped");
        m_relay->trSendRequest(QJsonObject{{QStringLiteral("message"), message}});
    } catch (const std::exception &e) {
        if (auto logger = spdlog::get("main"))
            logger->error(NtCommon::LocationTag::exceptionText(tag, e).toStdString());
    }
}

void LynClientNetwork::onSocketConnected()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetwork::onSocketConnected"));
    try {
        LynClientNetworkBase::onSocketConnected();
    } catch (const std::exception &e) {
        NtCommon::LocationTag::reportToDebug(tag, e);
    }
}

void LynClientNetwork::onSocketDisconnected()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("LynClientBase::LynClientNetwork::onSocketDisconnected"));
    try {
        LynClientNetworkBase::onSocketDisconnected();
    } catch (const std::exception &e) {
        NtCommon::LocationTag::reportToDebug(tag, e);
    }
}

} // namespace LynClientBase
