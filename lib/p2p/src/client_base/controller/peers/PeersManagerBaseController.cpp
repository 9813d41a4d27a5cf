#include "client_base/controller/peers/PeersManagerBaseController.h"

#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/file/FileNameGuard.h"
#include "nt_common/core/log/LogText.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QDir>
#include <QSaveFile>

#include <spdlog/spdlog.h>

#include <iostream>
#include <mutex>
#include <stdexcept>

namespace P2pClientController {

namespace {
const QString kSourcePath = QStringLiteral("..\\src\\client_base\\controller\\peers\\PeersManagerBaseController");
const QString kRtp = QStringLiteral("rtp");
const QString kRtcp = QStringLiteral("rtcp");
constexpr uint kResolverPort = 50005;

const QString kStreamKey = QStringLiteral("streamKey");

std::mutex &portAllocatorMutex()
{
    static std::mutex mutex;
    return mutex;
}

QString absentText(const QString &socketId)
{
    return QStringLiteral("Socket with socketId='%1' is absent in peer storage!").arg(socketId);
}
} // namespace

const char *const PeersManagerBaseController::kUnreachableText = "Remote camera unreachable";

PeersManagerBaseController::PeersManagerBaseController(QQuickItem *parent)
    : ControllerDesktopBase(parent)
{
    m_controllerName = QStringLiteral("peersManager");
    SpSingleton<PeersManager>::instance();
    m_peersManager = SpSingleton<PeersManager>::sharedInstance();
    subscribe(&HandleReceivedMessagesP2pClient::peersManagerMessage);

    connect(m_peersManager.data(), &PeersManager::peerInited, this, &PeersManagerBaseController::peerInited);
    connect(m_peersManager.data(), &PeersManager::peerBound, this, &PeersManagerBaseController::onPeerBound);
    connect(m_peersManager.data(), &PeersManager::peerFailed, this, &PeersManagerBaseController::onPeerFailed);
    connect(m_peersManager.data(), &PeersManager::connectionEstablished, this, [this](const QJsonObject &mapParams) {
        const QSharedPointer<PeerBase> peer = m_peersManager->peer(mapParams.value(QStringLiteral("yourSocketId")).toString());
        if (peer && peer->initParams().value(QStringLiteral("portType")).toString() == kRtp)
            disarmDeadline(peer->initParams().value(kStreamKey).toString());
        emit connectionEstablished(mapParams);
    });
    connect(m_peersManager.data(), &PeersManager::releasedFromHost, this, &PeersManagerBaseController::releasedFromHost);
    connect(m_peersManager.data(), &PeersManager::globalAdressIsDescavered, this, [this](const QJsonObject &mapParams) {
        const QString socketId = mapParams.value(QStringLiteral("yourSocketId")).toString();
        // Every controller instance hears the registry; only the one that configured the peer answers.
        if (!m_configuredPeers.contains(socketId))
            return;
        taOpenPortOnRemote(socketId);
        reportFailures("startHolePunching", [&] { m_peersManager->startHolePunching(socketId); });
    });
}

bool PeersManagerBaseController::handleMessage(QString actionName, std::shared_ptr<DTO> dto)
{
    if (actionName == QLatin1String("saOpenPortOnRemote")) {
        emit saOpenPortOnRemote(*dto);
        return true;
    }
    if (actionName == QLatin1String("srOpenPortOnRemote")) {
        handleSrOpenPortOnRemote(*dto);
        return true;
    }
    if (actionName == QLatin1String("srOpenPortOnExistsRemote")) {
        handleSrOpenPortOnExistsRemote(*dto);
        return true;
    }
    return ControllerDesktopBase::handleMessage(actionName, dto);
}

void PeersManagerBaseController::handleSrOpenPortOnRemote(const DTO &message)
{
    reportFailures("handle_srOpenPortOnRemote", [&] {
        if (!fromConfiguredRemote(message))
            return;
        const QString sender = message.value(QStringLiteral("remoteSign")).toString();
        const QString streamKey = message.value(QStringLiteral("streamKey")).toString();
        const QString portType = message.value(QStringLiteral("portType")).toString();
        if (portType != kRtp && portType != kRtcp) {
            refuseOpenPort(message, QStringLiteral("Unknown port type '%1'").arg(NtCommon::LogText::untrusted(portType)));
            return;
        }
        QSharedPointer<PeerBase> rtp = m_peersManager->peerByStreamKeyAndPortType(streamKey, kRtp);
        QSharedPointer<PeerBase> rtcp = m_peersManager->peerByStreamKeyAndPortType(streamKey, kRtcp);
        const int missing = (rtp ? 0 : 1) + (rtcp ? 0 : 1);
        // A stream whose RTP peer is still binding has its RTCP peer to come.
        const int coming = m_waitingForBound.size();
        if (missing > 0 && m_peersManager->peersOfRemote(sender) + coming + missing > kMaxPeersPerRemote) {
            refuseOpenPort(message, QStringLiteral("Too many ports open for '%1': at most %2").arg(sender).arg(kMaxPeersPerRemote));
            return;
        }
        if (!rtp) {
            // The RTCP port follows the RTP port, so the rest waits until the RTP peer has bound.
            const QString rtpId = allocateStreamPeer({{"portType", kRtp}, {"streamKey", streamKey}, {"remoteSign", sender}});
            m_waitingForBound[rtpId].append(message);
            return;
        }
        if (m_waitingForBound.contains(rtp->socketId())) {
            m_waitingForBound[rtp->socketId()].append(message);
            return;
        }
        if (rtp->yourLocalPort() == 0) {
            refuseOpenPort(message, QStringLiteral("No local port is bound for stream '%1'").arg(NtCommon::LogText::untrusted(streamKey)));
            return;
        }
        if (!rtcp) {
            const QString rtcpId = allocateStreamPeer({{"yourLocalPort", rtp->yourLocalPort() + 1},
                                                       {"portType", kRtcp},
                                                       {"streamKey", streamKey},
                                                       {"remoteSign", sender}});
            rtcp = m_peersManager->peer(rtcpId);
        }
        const QSharedPointer<PeerBase> selected = portType == kRtp ? rtp : rtcp;
        if (!selected->yourSign().isEmpty())
            return; // in use by an earlier request
        // A request that comes after the stream's ports went to the player would
        // bind its port again under the player; the stream flows without it.
        if (selected->socketConnectionMode() == SocketConnectionMode::ReleasedFromHost) {
            if (auto logger = spdlog::get(loggerName))
                logger->info("Open-port request for the released {} port of stream '{}' ignored", portType.toStdString(),
                             NtCommon::LogText::untrusted(streamKey).toStdString());
            return;
        }

        selected->setYourSign(link()->sign());
        selected->setRemoteSign(sender);
        selected->setRemoteSocketId(message.value(QStringLiteral("remoteSocketId")).toString());
        selected->setRemoteGlobalIp(message.value(QStringLiteral("remoteGlobalIp")).toString());
        selected->setRemoteGlobalPort(static_cast<quint16>(message.value(QStringLiteral("remoteGlobalPort")).toInt()));
        selected->setRemoteLocalIp(message.value(QStringLiteral("remoteLocalIp")).toString());
        selected->setRemoteLocalPort(static_cast<quint16>(message.value(QStringLiteral("remoteLocalPort")).toInt()));
        m_configuredPeers.insert(selected->socketId());
        // A late RTCP request for a stream already flowing sets no deadline.
        const SocketConnectionMode rtpMode = rtp->socketConnectionMode();
        if (rtpMode != SocketConnectionMode::Connected && rtpMode != SocketConnectionMode::ReleasedFromHost)
            armDeadline(streamKey, false);
        m_peersManager->resolveGlobalAddress(selected->socketId());
    });
}

bool PeersManagerBaseController::fromConfiguredRemote(const DTO &message) const
{
    const QString sender = message.value(QStringLiteral("remoteSign")).toString();
    const QString expected = link()->remoteSign();
    if (!expected.isEmpty() && sender == expected)
        return true;
    if (auto logger = spdlog::get(loggerName))
        logger->warn("Open-port request from '{}' ignored: the configured remote installation is '{}'",
                     NtCommon::LogText::untrusted(sender).toStdString(), expected.toStdString());
    return false;
}

void PeersManagerBaseController::onPeerBound(const QJsonObject &mapParams)
{
    const QList<DTO> waiting = m_waitingForBound.take(mapParams.value(QStringLiteral("yourSocketId")).toString());
    const bool bound = mapParams.value(QStringLiteral("yourLocalPort")).toInt() != 0;
    for (const DTO &message : waiting) {
        if (bound)
            handleSrOpenPortOnRemote(message);
        else
            refuseOpenPort(message, QStringLiteral("No local port could be bound"));
    }
}

void PeersManagerBaseController::onPeerFailed(const QJsonObject &mapParams)
{
    const QString socketId = mapParams.value(QStringLiteral("yourSocketId")).toString();
    if (!m_configuredPeers.remove(socketId))
        return;
    reportFailures("taOpenPortOnRemote", [&] {
        const QSharedPointer<PeerBase> peer = existingPeer(socketId);
        // Free again for a new request on the same stream.
        peer->setYourSign(QString());
        sendCommand(m_controllerName + QStringLiteral("_taOpenPortOnRemote"),
                    {{"RES", 0},
                     {"errorMessage", mapParams.value(QStringLiteral("errorMessage"))},
                     {"yourSign", peer->remoteSign()},
                     {"yourSocketId", peer->remoteSocketId()}});
        const QString streamKey = peer->initParams().value(kStreamKey).toString();
        if (m_streamDeadlines.contains(streamKey))
            declareUnreachable(streamKey, mapParams.value(QStringLiteral("errorMessage")).toString());
    });
}

void PeersManagerBaseController::refuseOpenPort(const DTO &message, const QString &errorMessage)
{
    if (auto logger = spdlog::get(loggerName))
        logger->warn("Open-port request refused: {}", errorMessage.toStdString());
    sendCommand(m_controllerName + QStringLiteral("_taOpenPortOnRemote"),
                {{"RES", 0},
                 {"errorMessage", errorMessage},
                 {"yourSign", message.value(QStringLiteral("remoteSign"))},
                 {"yourSocketId", message.value(QStringLiteral("remoteSocketId"))},
                 {"streamKey", message.value(QStringLiteral("streamKey"))},
                 {"portType", message.value(QStringLiteral("portType"))}});
}

QString PeersManagerBaseController::allocateStreamPeer(const QJsonObject &params)
{
    std::lock_guard<std::mutex> lock(portAllocatorMutex());
    return allocatePeer(params);
}

void PeersManagerBaseController::handleSrOpenPortOnExistsRemote(const DTO &message)
{
    reportFailures("handle_srOpenPortOnExistsRemote", [&] {
        if (!fromConfiguredRemote(message))
            return;
        const QSharedPointer<PeerBase> peer = existingPeer(message.value(QStringLiteral("yourSocketId")).toString());
        const SocketConnectionMode mode = peer->socketConnectionMode();
        if (mode == SocketConnectionMode::HolePunching || mode == SocketConnectionMode::Connected)
            return;
        peer->setRemoteGlobalIp(message.value(QStringLiteral("remoteGlobalIp")).toString());
        peer->setRemoteGlobalPort(static_cast<quint16>(message.value(QStringLiteral("remoteGlobalPort")).toInt()));
        peer->setRemoteLocalIp(message.value(QStringLiteral("remoteLocalIp")).toString());
        peer->setRemoteLocalPort(static_cast<quint16>(message.value(QStringLiteral("remoteLocalPort")).toInt()));
        m_peersManager->startHolePunching(peer->socketId());
    });
}

QString PeersManagerBaseController::allocatePeer(QJsonObject params)
{
    // The resolver serves the P2P server's host unless the link names another.
    const auto setting = [](const QVariant &value, const QVariant &fallback) { return value.toString().isEmpty() ? fallback : value; };
    const QString host = setting(link()->paramsValue(QStringLiteral("resolver_host")), link()->paramsValue(QStringLiteral("host"))).toString();
    const uint port = setting(link()->paramsValue(QStringLiteral("resolver_port")), kResolverPort).toUInt();
    m_peersManager->setResolverEndpoint(host, port <= 65535 ? static_cast<quint16>(port) : 0);
    return m_peersManager->allocatePeer(params);
}

void PeersManagerBaseController::deallocatePeer(QString peerID)
{
    m_configuredPeers.remove(peerID);
    m_waitingForBound.remove(peerID);
    m_peersManager->deallocatePeer(peerID);
}

void PeersManagerBaseController::setYourSignPwd(QString socketId, QString yourSign, QString yourPwd)
{
    reportFailures("setYourSignPwd", [&] { m_peersManager->setYourSignPwd(socketId, yourSign, yourPwd); });
}

void PeersManagerBaseController::setRemoteSignPwd(QString socketId, QString remoteSign, QString remotePwd)
{
    reportFailures("setRemoteSignPwd", [&] { m_peersManager->setRemoteSignPwd(socketId, remoteSign, remotePwd); });
}

void PeersManagerBaseController::resolveGlobalAddress(QString socketId)
{
    reportFailures("resolveGlobalAddress", [&] {
        m_configuredPeers.insert(existingPeer(socketId)->socketId());
        m_peersManager->resolveGlobalAddress(socketId);
    });
}

void PeersManagerBaseController::startHolePunching(QString socketId)
{
    reportFailures("startHolePunching", [&] { m_peersManager->startHolePunching(socketId); });
}

void PeersManagerBaseController::trOpenPortOnRemote(QJsonObject mapParams)
{
    reportFailures("trOpenPortOnRemote", [&] {
        const QSharedPointer<PeerBase> peer = existingPeer(mapParams.value(QStringLiteral("yourSocketId")).toString());
        peer->setIsInitializer(true);
        const QJsonObject description = describe(*peer);
        QJsonObject message = mapParams;
        for (const char *key : {"yourSocketId", "remoteSign", "yourGlobalIp", "yourGlobalPort", "yourLocalIp", "yourLocalPort"})
            message.insert(QLatin1String(key), description.value(QLatin1String(key)));
        const QJsonObject initParams = peer->initParams();
        message.insert(QStringLiteral("portType"), initParams.value(QStringLiteral("portType")));
        message.insert(QStringLiteral("streamKey"), initParams.value(QStringLiteral("streamKey")));
        sendCommand(m_controllerName + QStringLiteral("_trOpenPortOnRemote"), message);
    });
}

void PeersManagerBaseController::taOpenPortOnRemote(QString socketId)
{
    reportFailures("taOpenPortOnRemote", [&] {
        const QSharedPointer<PeerBase> peer = existingPeer(socketId);
        sendCommand(m_controllerName + QStringLiteral("_taOpenPortOnRemote"),
                    {{"RES", 10},
                     {"yourSign", peer->remoteSign()},
                     {"yourSocketId", peer->remoteSocketId()},
                     {"yourGlobalIp", peer->yourGlobalIp()},
                     {"yourGlobalPort", peer->yourGlobalPort()},
                     {"yourLocalIp", peer->yourLocalIp()},
                     {"yourLocalPort", peer->yourLocalPort()}});
    });
}

QJsonObject PeersManagerBaseController::peer(QString peerSocketID) const
{
    const QSharedPointer<PeerBase> found = m_peersManager->peer(peerSocketID);
    return found ? describe(*found) : QJsonObject();
}

QString PeersManagerBaseController::peerByStreamKeyAndPortType(QString streamKey, QString portType) const
{
    const QSharedPointer<PeerBase> found = m_peersManager->peerByStreamKeyAndPortType(streamKey, portType);
    return found ? found->socketId() : QString();
}

void PeersManagerBaseController::disconnectFromHost(QString socketId, QJsonObject mapParams)
{
    reportFailures("disconnectFromHost", [&] { m_peersManager->disconnectFromHost(socketId, mapParams); });
}

QString PeersManagerBaseController::createFfmpegReceiverSDPFile(QJsonObject mapParams)
{
    static const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientController::PeersManagerBaseController::createFfmpegReceiverSDPFile"));
    const QString streamKey = mapParams.value(QStringLiteral("streamKey")).toString();
    if (!NtCommon::FileNameGuard::isSafeStem(streamKey)) {
        if (auto logger = spdlog::get(loggerName))
            logger->error("{} refused stream key '{}': not a plain file name; no SDP file written", tag.toStdString(), streamKey.toStdString());
        return QString();
    }
    const QString dir = sdpReceiverDirAbsPath();
    QDir().mkpath(dir);
    const QString path = QStringLiteral("%1/%2.sdp").arg(dir, streamKey);
    const QString text = QStringLiteral("c=IN IP4 %1\nm=video %2 RTP/AVP 96\na=rtpmap:96 H264/90000\na=fmtp:96 packetization-mode=1\n")
                             .arg(mapParams.value(QStringLiteral("ip")).toString().remove(QStringLiteral("::ffff:")))
                             .arg(mapParams.value(QStringLiteral("rtpPort")).toInt());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        return QString();
    return path;
}

void PeersManagerBaseController::lockMutexPortAllocator()
{
    portAllocatorMutex().lock();
}

void PeersManagerBaseController::unLockMutexPortAllocator()
{
    portAllocatorMutex().unlock();
}

QString PeersManagerBaseController::sdpReceiverDirAbsPath() const
{
    return QDir::current().absoluteFilePath(QStringLiteral("sdpReceiver"));
}

void PeersManagerBaseController::expectRemoteStream(QString streamKey)
{
    armDeadline(streamKey, true);
}

void PeersManagerBaseController::releaseRemoteStream(QString streamKey)
{
    disarmDeadline(streamKey);
    for (const QString &portType : {kRtp, kRtcp}) {
        while (const QSharedPointer<PeerBase> peer = m_peersManager->peerByStreamKeyAndPortType(streamKey, portType))
            deallocatePeer(peer->socketId());
    }
}

void PeersManagerBaseController::armDeadline(const QString &streamKey, bool restart)
{
    QTimer *&deadline = m_streamDeadlines[streamKey];
    if (deadline && !restart)
        return;
    if (!deadline) {
        deadline = new QTimer(this);
        deadline->setSingleShot(true);
        deadline->setInterval(kRemoteStreamDeadlineMs);
        connect(deadline, &QTimer::timeout, this, [this, streamKey] {
            declareUnreachable(streamKey, QStringLiteral("No punched path within %1 ms").arg(kRemoteStreamDeadlineMs));
        });
    }
    deadline->start();
}

void PeersManagerBaseController::disarmDeadline(const QString &streamKey)
{
    // Later: this may run inside the timer's own timeout.
    if (QTimer *deadline = m_streamDeadlines.take(streamKey)) {
        deadline->stop();
        deadline->deleteLater();
    }
}

void PeersManagerBaseController::declareUnreachable(const QString &streamKey, const QString &reason)
{
    // Freed, so that a retry starts with new peers rather than being taken for a port in use.
    releaseRemoteStream(streamKey);
    if (auto logger = spdlog::get(loggerName))
        logger->warn("Remote stream '{}' unreachable: {}", NtCommon::LogText::untrusted(streamKey).toStdString(), reason.toStdString());
    emit remoteStreamUnreachable({{"streamKey", streamKey}, {"errorMessage", QString::fromLatin1(kUnreachableText)}, {"reason", reason}});
}

QJsonObject PeersManagerBaseController::describe(const PeerBase &peer)
{
    return {{"yourSocketId", peer.socketId()},
            {"remoteSocketId", peer.remoteSocketId()},
            {"initParams", peer.initParams()},
            {"isInitializer", peer.isInitializer()},
            {"yourSign", peer.yourSign()},
            {"remoteSign", peer.remoteSign()},
            {"yourPwd", peer.yourPwd()},
            {"remoteGlobalIp", peer.remoteGlobalIp()},
            {"remoteGlobalPort", peer.remoteGlobalPort()},
            {"remoteLocalIp", peer.remoteLocalIp()},
            {"remoteLocalPort", peer.remoteLocalPort()},
            {"yourGlobalIp", peer.yourGlobalIp()},
            {"yourGlobalPort", peer.yourGlobalPort()},
            {"yourLocalIp", peer.yourLocalIp()},
            {"yourLocalPort", peer.yourLocalPort()},
            {"socketConnectionMode", static_cast<int>(peer.socketConnectionMode())}};
}

QSharedPointer<PeerBase> PeersManagerBaseController::existingPeer(const QString &socketId) const
{
    const QSharedPointer<PeerBase> found = m_peersManager->peer(socketId);
    if (!found)
        throw std::runtime_error(absentText(socketId).toStdString());
    return found;
}

void PeersManagerBaseController::reportFailures(const char *operation, const std::function<void()> &step) const
{
    const QString tag = NtCommon::LocationTag::make(kSourcePath, QStringLiteral("P2pClientController::PeersManagerBaseController::") + QLatin1String(operation));
    try {
        step();
    } catch (const std::exception &e) {
        if (auto logger = spdlog::get(loggerName))
            logger->error(NtCommon::LocationTag::p2pExceptionText(tag, e).toStdString());
    } catch (...) {
        std::cerr << NtCommon::LocationTag::undefinedExceptionText(tag).toStdString() << std::endl;
    }
}

} // namespace P2pClientController
