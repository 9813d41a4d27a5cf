#include "RemoteChannel.h"

#include "client_base/other/peer/PeersManager.h"

#include <QNetworkDatagram>

namespace Standin {

namespace {
constexpr int kSuccess = 10;
const QString kSocketId = QStringLiteral("yourSocketId");
} // namespace

RemoteChannel::RemoteChannel(PeersManager &peers, const QString &clientSign, const QString &streamKey, qint64 channelId,
                             Sender send, QObject *parent)
    : QObject(parent)
    , m_peers(peers)
    , m_clientSign(clientSign)
    , m_streamKey(streamKey)
    , m_channelId(channelId)
    , m_send(std::move(send))
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kPunchDeadlineMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("no punched path to the client within %1 ms").arg(kPunchDeadlineMs));
    });
    connect(&peers, &PeersManager::peerBound, this, &RemoteChannel::onBound);
    connect(&peers, &PeersManager::globalAdressIsDescavered, this, &RemoteChannel::onResolved);
    connect(&peers, &PeersManager::connectionEstablished, this, &RemoteChannel::onEstablished);
    connect(&peers, &PeersManager::releasedFromHost, this, &RemoteChannel::onReleased);
    connect(&peers, &PeersManager::peerFailed, this, [this](const QJsonObject &mapParams) {
        if (ours(mapParams))
            fail(mapParams.value(QStringLiteral("errorMessage")).toString());
    });
    connect(&m_tap, &QUdpSocket::readyRead, this, &RemoteChannel::forward);
}

RemoteChannel::~RemoteChannel()
{
    m_peers.disconnect(this);
    m_peers.deallocatePeer(m_rtpId);
    m_peers.deallocatePeer(m_rtcpId);
}

bool RemoteChannel::openTap()
{
    return m_tap.bind(QHostAddress(QHostAddress::LocalHost), 0);
}

void RemoteChannel::start()
{
    if (!m_rtpId.isEmpty())
        return;
    m_deadline.start();
    m_rtpId = m_peers.allocatePeer({{"portType", "rtp"}, {"streamKey", m_streamKey}, {"remoteSign", m_clientSign}});
}

bool RemoteChannel::ours(const QJsonObject &mapParams) const
{
    const QString socketId = mapParams.value(kSocketId).toString();
    return !socketId.isEmpty() && (socketId == m_rtpId || socketId == m_rtcpId);
}

void RemoteChannel::onBound(const QJsonObject &mapParams)
{
    const QString socketId = mapParams.value(kSocketId).toString();
    if (socketId.isEmpty())
        return;
    const int port = mapParams.value(QStringLiteral("yourLocalPort")).toInt();
    if (socketId == m_rtpId) {
        if (port == 0) {
            fail(QStringLiteral("no local port could be bound"));
            return;
        }
        // RTCP beside RTP, as the client's side does it.
        m_rtcpId = m_peers.allocatePeer(
            {{"yourLocalPort", port + 1}, {"portType", "rtcp"}, {"streamKey", m_streamKey}, {"remoteSign", m_clientSign}});
    } else if (socketId == m_rtcpId) {
        m_peers.resolveGlobalAddress(m_rtpId);
        m_peers.resolveGlobalAddress(m_rtcpId);
    }
}

void RemoteChannel::onResolved(const QJsonObject &mapParams)
{
    if (ours(mapParams))
        sendOpenPortRequest(mapParams.value(kSocketId).toString());
}

void RemoteChannel::sendOpenPortRequest(const QString &socketId)
{
    const QSharedPointer<PeerBase> peer = m_peers.peer(socketId);
    if (!peer)
        return;
    m_send({{"FN", "peersManager_trOpenPortOnRemote"},
            {"RECEIVER", m_channelId},
            {"remoteSign", m_clientSign},
            {"yourSocketId", socketId},
            {"yourGlobalIp", peer->yourGlobalIp()},
            {"yourGlobalPort", peer->yourGlobalPort()},
            {"yourLocalIp", peer->yourLocalIp()},
            {"yourLocalPort", peer->yourLocalPort()},
            {"streamKey", m_streamKey},
            {"portType", peer->initParams().value(QStringLiteral("portType"))}});
}

bool RemoteChannel::handleOpenPortAnswer(const QJsonObject &message)
{
    if (!ours(message))
        return false;
    if (message.contains(QStringLiteral("RES")) && message.value(QStringLiteral("RES")).toInt() != kSuccess) {
        fail(QStringLiteral("the client refused: %1").arg(message.value(QStringLiteral("errorMessage")).toString().left(200)));
        return true;
    }
    const QSharedPointer<PeerBase> peer = m_peers.peer(message.value(kSocketId).toString());
    const int globalPort = message.value(QStringLiteral("remoteGlobalPort")).toInt();
    const int localPort = message.value(QStringLiteral("remoteLocalPort")).toInt();
    if (!peer || globalPort <= 0 || globalPort > 65535 || localPort < 0 || localPort > 65535) {
        fail(QStringLiteral("the client's answer holds no usable address"));
        return true;
    }
    peer->setRemoteGlobalIp(message.value(QStringLiteral("remoteGlobalIp")).toString());
    peer->setRemoteGlobalPort(static_cast<quint16>(globalPort));
    peer->setRemoteLocalIp(message.value(QStringLiteral("remoteLocalIp")).toString());
    peer->setRemoteLocalPort(static_cast<quint16>(localPort));
    m_peers.startHolePunching(peer->socketId());
    return true;
}

void RemoteChannel::onEstablished(const QJsonObject &mapParams)
{
    // The RTCP peer keeps its path open as it is; the RTP port is handed to the forwarder.
    if (mapParams.value(kSocketId).toString() == m_rtpId)
        m_peers.disconnectFromHost(m_rtpId, {});
}

void RemoteChannel::onReleased(const QJsonObject &mapParams)
{
    if (mapParams.value(QStringLiteral("socketId")).toString() != m_rtpId || m_rtpId.isEmpty())
        return;
    const QSharedPointer<PeerBase> peer = m_peers.peer(m_rtpId);
    if (!peer)
        return;
    const QPair<QString, quint16> target = peer->holePunchingTarget();
    if (!m_output.bind(QHostAddress::AnyIPv4, peer->yourLocalPort(), QAbstractSocket::DontShareAddress)) {
        fail(QStringLiteral("the punched port %1 cannot be bound again: %2").arg(peer->yourLocalPort()).arg(m_output.errorString()));
        return;
    }
    m_output.connectToHost(QHostAddress(target.first), target.second);
    m_deadline.stop();
    emit streaming();
}

void RemoteChannel::forward()
{
    const bool open = m_output.state() == QAbstractSocket::ConnectedState;
    while (m_tap.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_tap.receiveDatagram();
        if (!open)
            continue;
        // A refusal (the client's player not bound yet) must not end the stream.
        if (m_output.write(datagram.data()) >= 0)
            ++m_forwarded;
    }
}

void RemoteChannel::fail(const QString &reason)
{
    if (m_failed)
        return;
    m_failed = true;
    m_deadline.stop();
    emit failed(reason);
}

} // namespace Standin
