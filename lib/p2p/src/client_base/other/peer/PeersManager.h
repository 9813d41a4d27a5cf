#pragma once

#include "client_base/other/peer/PeerBase.h"

#include <QJsonObject>
#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <mutex>
#include <string>
#include <unordered_map>

// The process-wide registry of peers, keyed by each peer's socket id. Every
// peer's answers are re-emitted here, on the registry's thread.
//
// The forwarding operations raise std::runtime_error with the text
// "Socket with socketId='<id>' is absent in peer storage!" for an unknown id;
// their callers log it.
class PeersManager : public QObject
{
    Q_OBJECT

public:
    explicit PeersManager(QObject *parent = nullptr);
    ~PeersManager() override;

    // Creates a peer with params as its initParams and returns its socket id
    // at once; peerBound() tells when its port is known.
    QString allocatePeer(const QJsonObject &params);
    // The resolver endpoint every peer allocated from now on asks.
    void setResolverEndpoint(const QString &host, quint16 port);
    // The number of peers whose initParams carry this "remoteSign".
    int peersOfRemote(const QString &remoteSign) const;
    // Forgets the peer; it ends when the last reference to it goes. Unknown ids do nothing.
    void deallocatePeer(const QString &socketId);
    // Null when the id is unknown.
    QSharedPointer<PeerBase> peer(const QString &socketId) const;
    // The first peer whose initParams carry both values, or null.
    QSharedPointer<PeerBase> peerByStreamKeyAndPortType(const QString &streamKey, const QString &portType) const;

    void resolveGlobalAddress(const QString &socketId);
    void startHolePunching(const QString &socketId);
    void setYourSignPwd(const QString &socketId, const QString &yourSign, const QString &yourPwd);
    // The remote password is not kept.
    void setRemoteSignPwd(const QString &socketId, const QString &remoteSign, const QString &remotePwd);
    // Asks the peer to close its socket; it answers with releasedFromHost(mapParams + "socketId").
    void disconnectFromHost(const QString &socketId, const QJsonObject &mapParams);

signals:
    void peerInited(QJsonObject mapParams);
    void peerBound(QJsonObject mapParams);
    void peerFailed(QJsonObject mapParams);
    void globalAdressIsDescavered(QJsonObject mapParams);
    void connectionEstablished(QJsonObject mapParams);
    void releasedFromHost(QJsonObject mapParams);

private:
    QSharedPointer<PeerBase> existingPeer(const QString &socketId) const;

    mutable std::mutex m_peersMutex;
    std::unordered_map<std::string, QSharedPointer<PeerBase>> m_peers;
    QString m_resolverHost;
    quint16 m_resolverPort = 0;
};
