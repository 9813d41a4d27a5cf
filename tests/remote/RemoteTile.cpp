#include "RemoteTile.h"

#include "client_base/controller/peers/PeersManagerController.h"
#include "controllers/device/DeviceController.h"

RemoteTile::RemoteTile(LynClientController::DeviceController &devices, P2pClientController::PeersManagerController &peers,
                       qint64 rowId, const QString &streamKey)
    : m_devices(devices)
    , m_peers(peers)
    , m_rowId(rowId)
    , m_streamKey(streamKey)
{
    using P2pClientController::PeersManagerController;
    // The player binds the RTP port and the RTCP port after it: both peers let theirs go first.
    connect(&peers, &PeersManagerController::connectionEstablished, this, [this](const QJsonObject &mapParams) {
        if (!isMine(mapParams.value("yourSocketId").toString(), "rtp"))
            return;
        for (const char *portType : {"rtp", "rtcp"})
            m_peers.disconnectFromHost(m_peers.peerByStreamKeyAndPortType(m_streamKey, portType), {{"streamKey", m_streamKey}});
    });
    connect(&peers, &PeersManagerController::releasedFromHost, this, [this](const QJsonObject &mapParams) {
        const QString socketId = mapParams.value("socketId").toString();
        // Each of the two releases may find both done; the player starts once.
        if (m_viewer || (!isMine(socketId, "rtp") && !isMine(socketId, "rtcp")))
            return;
        const QJsonObject rtp = m_peers.peer(m_peers.peerByStreamKeyAndPortType(m_streamKey, "rtp"));
        const QJsonObject rtcp = m_peers.peer(m_peers.peerByStreamKeyAndPortType(m_streamKey, "rtcp"));
        const int released = 5;
        if (rtp.value("socketConnectionMode").toInt() != released || rtcp.value("socketConnectionMode").toInt() != released)
            return;
        m_port = static_cast<quint16>(rtp.value("yourLocalPort").toInt());
        m_sdpPath = m_peers.createFfmpegReceiverSDPFile(
            {{"streamKey", m_streamKey}, {"ip", rtp.value("yourLocalIp")}, {"rtpPort", rtp.value("yourLocalPort")}});
        m_viewer = std::make_unique<SdpViewer>();
        m_viewer->playFile(m_sdpPath);
    });
    connect(&peers, &PeersManagerController::remoteStreamUnreachable, this, [this](const QJsonObject &mapParams) {
        if (mapParams.value("streamKey").toString() == m_streamKey)
            m_unreachableText = mapParams.value("errorMessage").toString();
    });
}

RemoteTile::~RemoteTile()
{
    m_viewer.reset();
}

void RemoteTile::play()
{
    m_unreachableText.clear();
    m_devices.trInitP2PChannel({{"rowID", m_rowId}, {"streamKey", m_streamKey}});
    m_peers.expectRemoteStream(m_streamKey);
}

void RemoteTile::stopPlayer()
{
    m_viewer.reset();
}

void RemoteTile::stop()
{
    stopPlayer();
    m_devices.trInitP2PChannel({{"rowID", m_rowId}, {"streamKey", m_streamKey}, {"stop", true}});
    m_peers.releaseRemoteStream(m_streamKey);
}

bool RemoteTile::isMine(const QString &socketId, const QString &portType) const
{
    return !socketId.isEmpty() && m_peers.peerByStreamKeyAndPortType(m_streamKey, portType) == socketId;
}
