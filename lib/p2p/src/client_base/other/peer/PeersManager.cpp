#include "client_base/other/peer/PeersManager.h"

#include <stdexcept>

namespace {

std::string key(const QString &socketId)
{
    return socketId.toStdString();
}

} // namespace

PeersManager::PeersManager(QObject *parent) : QObject(parent) {}

PeersManager::~PeersManager()
{
    // Peers end their threads as they go; do it outside the lock.
    std::unordered_map<std::string, QSharedPointer<PeerBase>> peers;
    {
        std::lock_guard<std::mutex> lock(m_peersMutex);
        peers.swap(m_peers);
    }
}

QString PeersManager::allocatePeer(const QJsonObject &params)
{
    QString resolverHost;
    quint16 resolverPort = 0;
    {
        std::lock_guard<std::mutex> lock(m_peersMutex);
        resolverHost = m_resolverHost;
        resolverPort = m_resolverPort;
    }
    QSharedPointer<PeerBase> peer(new PeerBase(params, [&](PeerBase &created) {
        created.setResolverEndpoint(resolverHost, resolverPort);
        connect(&created, &PeerBase::inited, this, &PeersManager::peerInited);
        connect(&created, &PeerBase::bound, this, &PeersManager::peerBound);
        connect(&created, &PeerBase::failed, this, &PeersManager::peerFailed);
        connect(&created, &PeerBase::globalAdressIsDescavered, this, &PeersManager::globalAdressIsDescavered);
        connect(&created, &PeerBase::connectionEstablished, this, &PeersManager::connectionEstablished);
        connect(&created, &PeerBase::releasedFromHost, this, &PeersManager::releasedFromHost);
    }));
    const QString socketId = peer->socketId();
    {
        std::lock_guard<std::mutex> lock(m_peersMutex);
        m_peers.emplace(key(socketId), peer);
    }
    return socketId;
}

void PeersManager::setResolverEndpoint(const QString &host, quint16 port)
{
    std::lock_guard<std::mutex> lock(m_peersMutex);
    m_resolverHost = host;
    m_resolverPort = port;
}

int PeersManager::peersOfRemote(const QString &remoteSign) const
{
    std::lock_guard<std::mutex> lock(m_peersMutex);
    int count = 0;
    for (const auto &entry : m_peers)
        count += entry.second->initParams().value(QStringLiteral("remoteSign")).toString() == remoteSign ? 1 : 0;
    return count;
}

void PeersManager::deallocatePeer(const QString &socketId)
{
    // Released after the lock: a peer's last reference waits for its thread to end.
    QSharedPointer<PeerBase> removed;
    {
        std::lock_guard<std::mutex> lock(m_peersMutex);
        const auto found = m_peers.find(key(socketId));
        if (found == m_peers.end())
            return;
        removed = found->second;
        m_peers.erase(found);
    }
}

QSharedPointer<PeerBase> PeersManager::peer(const QString &socketId) const
{
    std::lock_guard<std::mutex> lock(m_peersMutex);
    const auto found = m_peers.find(key(socketId));
    return found == m_peers.end() ? QSharedPointer<PeerBase>() : found->second;
}

QSharedPointer<PeerBase> PeersManager::peerByStreamKeyAndPortType(const QString &streamKey, const QString &portType) const
{
    std::lock_guard<std::mutex> lock(m_peersMutex);
    for (const auto &entry : m_peers) {
        const QJsonObject params = entry.second->initParams();
        if (params.value(QStringLiteral("streamKey")).toString() == streamKey
            && params.value(QStringLiteral("portType")).toString() == portType)
            return entry.second;
    }
    return {};
}

void PeersManager::resolveGlobalAddress(const QString &socketId)
{
    emit existingPeer(socketId)->resolveGlobalAddress();
}

void PeersManager::startHolePunching(const QString &socketId)
{
    emit existingPeer(socketId)->startHolePunching();
}

void PeersManager::setYourSignPwd(const QString &socketId, const QString &yourSign, const QString &yourPwd)
{
    const QSharedPointer<PeerBase> peer = existingPeer(socketId);
    peer->setYourSign(yourSign);
    peer->setYourPwd(yourPwd);
}

void PeersManager::setRemoteSignPwd(const QString &socketId, const QString &remoteSign, const QString &remotePwd)
{
    Q_UNUSED(remotePwd)
    existingPeer(socketId)->setRemoteSign(remoteSign);
}

void PeersManager::disconnectFromHost(const QString &socketId, const QJsonObject &mapParams)
{
    emit existingPeer(socketId)->makeReleasedFromHost(mapParams);
}

QSharedPointer<PeerBase> PeersManager::existingPeer(const QString &socketId) const
{
    QSharedPointer<PeerBase> found = peer(socketId);
    if (!found)
        throw std::runtime_error(
            QStringLiteral("Socket with socketId='%1' is absent in peer storage!").arg(socketId).toStdString());
    return found;
}
