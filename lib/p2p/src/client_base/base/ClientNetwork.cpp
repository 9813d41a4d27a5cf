#include "client_base/base/ClientNetwork.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/log/LogText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMutexLocker>

#include <spdlog/spdlog.h>

namespace P2pClientBase {

namespace {
const QString kSourcePath = QStringLiteral("..\\src\\client_base\\base\\ClientNetwork");
std::atomic<qint64> g_sendCounter{0};
std::atomic<qint64> g_receiveCounter{0};

void warn(const QString &text)
{
    if (auto logger = spdlog::get("main"))
        logger->warn(text.toStdString());
}

void warnException(const QString &tag, const std::exception &e)
{
    warn(NtCommon::LocationTag::exceptionText(tag, e));
}
} // namespace

QString ClientNetworkSimple::remoteSign() const
{
    QMutexLocker lock(&m_remoteSignMutex);
    return m_remoteSign;
}

void ClientNetworkSimple::setRemoteSign(const QString &value)
{
    QMutexLocker lock(&m_remoteSignMutex);
    m_remoteSign = value;
}

QString ClientNetworkSimple::sign() const
{
    QMutexLocker lock(&m_signMutex);
    return m_sign;
}

void ClientNetworkSimple::setSign(const QString &value)
{
    QMutexLocker lock(&m_signMutex);
    m_sign = value;
}

QString ClientNetworkSimple::pwd() const
{
    QMutexLocker lock(&m_pwdMutex);
    return m_pwd;
}

void ClientNetworkSimple::setPwd(const QString &value)
{
    QMutexLocker lock(&m_pwdMutex);
    m_pwd = value;
}

QString ClientNetworkSimple::defaultActionAfterConnected() const
{
    std::lock_guard<std::mutex> lock(m_defaultActionMutex);
    return m_defaultActionAfterConnected;
}

void ClientNetworkSimple::setDefaultActionAfterConnected(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_defaultActionMutex);
    m_defaultActionAfterConnected = value;
}

bool ClientNetworkSimple::useCompression() const
{
    return m_useCompression;
}

void ClientNetworkSimple::setUseCompression(bool value)
{
    m_useCompression = value;
}

bool ClientNetworkSimple::setMessageHandler(const QSharedPointer<HandleReceivedMessagesBase> &handler)
{
    return NtCommon::LinkCommon::adoptHandler(this, m_messageHandler, handler);
}

QSharedPointer<HandleReceivedMessagesBase> ClientNetworkSimple::messageHandler() const
{
    return m_messageHandler;
}

QByteArray ClientNetworkSimple::frameBody(const QList<std::shared_ptr<DTO>> &messages)
{
    QByteArrayList texts;
    for (const auto &message : messages) {
        if (message)
            texts << message->toJson(QJsonDocument::Compact);
    }
    if (texts.isEmpty())
        return QByteArray();
    // '#' occurs in JSON text only inside strings, where "\u0023" is the same
    // character: no body can then contain the terminator.
    QByteArray body = QByteArray("[") + texts.join(", ") + QByteArray("]");
    return body.replace('#', "\\u0023");
}

void ClientNetworkSimple::run()
{
    connect(this, &ClientNetworkSimple::sendMessageSignal, this, &ClientNetworkSimple::sendMessageSlot);
    connect(this, &ClientNetworkSimple::sendListMessagesSignal, this, &ClientNetworkSimple::sendListMessagesSlot);
    if (m_messageHandler)
        connect(this, &ClientNetworkSimple::messageReceived, m_messageHandler.data(), &HandleReceivedMessagesBase::onMessageReceived);
    ClientNetworkBase::run();
}

void ClientNetworkSimple::onSocketConnected()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkSimple::onSocketConnected"));
    try {
        ClientNetworkBase::onSocketConnected();
        m_frames.clear();
        const QString action = defaultActionAfterConnected();
        if (action == QLatin1String("fireTrAuth"))
            emit fireTrAuth();
        else if (action == QLatin1String("fireTrSignUp"))
            emit fireTrSignUp();
        slotStartPingTimer();
    } catch (const std::exception &e) {
        warnException(tag, e);
    }
}

void ClientNetworkSimple::onSocketDisconnected()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkSimple::onSocketDisconnected"));
    try {
        ClientNetworkBase::onSocketDisconnected();
    } catch (const std::exception &e) {
        warnException(tag, e);
    }
}

void ClientNetworkSimple::onSocketReadyRead()
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkSimple::onSocketReadyRead"));
    try {
        const FrameSplitter::Cut cut = m_frames.append(socket()->readAll());
        for (const QByteArray &body : cut.bodies)
            deliverFrame(body);
        if (cut.overflowBegan)
            warn(QStringLiteral("%1. Incoming frame exceeds %2 bytes; dropping it up to its terminator").arg(tag).arg(kMaxBufferedBytes));
        for (const qint64 size : cut.droppedSizes)
            warn(QStringLiteral("%1. Oversized incoming frame of %2 bytes dropped").arg(tag).arg(size));
        // A peer that streams on and on without a terminator is not worth reading
        // further: the connection goes, and the link reconnects as after any loss.
        if (m_frames.droppingBytes() > kMaxUnterminatedBytes) {
            warn(QStringLiteral("%1. %2 bytes arrived without a frame terminator; connection dropped").arg(tag).arg(m_frames.droppingBytes()));
            m_frames.clear();
            socket()->abort();
        }
    } catch (const std::exception &e) {
        warnException(tag, e);
    }
}

void ClientNetworkSimple::deliverFrame(QByteArray body)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkSimple::onSocketReadyRead"));
    if (useCompression())
        body = qUncompress(body);
    const qint64 counter = ++g_receiveCounter;
    if (auto logger = spdlog::get("main"))
        logger->info("RECEIVE '{}' PORT='{}' message: '{}'. SZ: '{}'. \nSize compressed:", counter,
                     socket()->peerPort(), NtCommon::LogText::message(body).toStdString(), body.size());

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        warn(QStringLiteral("%1. Failed to parse incoming message to json. Message: '%2'").arg(tag, NtCommon::LogText::untrusted(body)));
        return;
    }
    if (!document.isArray()) {
        warn(QStringLiteral("%1. Incoming message is't array.").arg(tag));
        return;
    }
    for (const QJsonValue &item : document.array()) {
        if (!item.isObject()) {
            warn(QStringLiteral("%1. At least 1 item in json array is't object").arg(tag));
            continue;
        }
        emit messageReceived(std::make_shared<DTO>(item.toObject()));
    }
}

void ClientNetworkSimple::sendMessageSlot(std::shared_ptr<DTO> dto, bool blockTrhead)
{
    if (!dto)
        return;
    dto->insert(QStringLiteral("SIGN"), sign());
    writeFrame(frameBody({dto}), blockTrhead);
}

void ClientNetworkSimple::sendListMessagesSlot(QList<std::shared_ptr<DTO>> lstDto, bool blockThread)
{
    if (lstDto.isEmpty())
        return;
    const QString currentSign = sign();
    for (const auto &dto : lstDto) {
        if (dto)
            dto->insert(QStringLiteral("SIGN"), currentSign);
    }
    writeFrame(frameBody(lstDto), blockThread);
}

void ClientNetworkSimple::writeFrame(const QByteArray &body, bool block)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientBase::ClientNetworkSimple::writeFrame"));
    try {
        if (body.isEmpty() || !socket() || socket()->state() != QAbstractSocket::ConnectedState)
            return;
        const QByteArray payload = (useCompression() ? qCompress(body, 9) : body) + FrameSplitter::kTerminator;
        const qint64 written = writeToSocket(payload, block);
        if (written == -1)
            return;
        const qint64 counter = ++g_sendCounter;
        if (auto logger = spdlog::get("main"))
            logger->info("SEND '{}' mes. '{}'. SZ:'{}'..\nSize compressed:{} decompressed:{}", counter,
                         NtCommon::LogText::message(body).toStdString(), written, payload.size(), body.size());
    } catch (const std::exception &e) {
        warnException(tag, e);
    }
}

} // namespace P2pClientBase
