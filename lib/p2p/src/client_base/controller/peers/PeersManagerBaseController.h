#pragma once

#include "client_base/controller/base/ControllerDesktopBase.h"
#include "client_base/other/peer/PeersManager.h"

#include <QJsonObject>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTimer>

#include <functional>

namespace P2pClientController {

// Talks to the P2P server under "peersManager": answers its open-port requests
// with punched RTP/RTCP peers and writes the receiver's stream description;
// the table actions under the same name go to the table layers.
class PeersManagerBaseController : public ControllerDesktopBase
{
    Q_OBJECT
public:
    // Ports (RTP and RTCP count one each) the remote installation may have open here at a time.
    static constexpr int kMaxPeersPerRemote = 16;
    // A remote stream whose RTP path is not punched by then is unreachable.
    static constexpr int kRemoteStreamDeadlineMs = 20000;
    // The text a tile shows for it.
    static const char *const kUnreachableText;

    explicit PeersManagerBaseController(QQuickItem *parent = nullptr);

    bool handleMessage(QString actionName, std::shared_ptr<DTO> dto) override;

    Q_INVOKABLE QString allocatePeer(QJsonObject params);
    Q_INVOKABLE void deallocatePeer(QString peerID);
    Q_INVOKABLE void setYourSignPwd(QString socketId, QString yourSign, QString yourPwd);
    Q_INVOKABLE void setRemoteSignPwd(QString socketId, QString remoteSign, QString remotePwd);
    Q_INVOKABLE void resolveGlobalAddress(QString socketId);
    Q_INVOKABLE void startHolePunching(QString socketId);
    Q_INVOKABLE void trOpenPortOnRemote(QJsonObject mapParams);
    Q_INVOKABLE void taOpenPortOnRemote(QString socketId);
    Q_INVOKABLE QJsonObject peer(QString peerSocketID) const;
    Q_INVOKABLE QString peerByStreamKeyAndPortType(QString streamKey, QString portType) const;
    Q_INVOKABLE void disconnectFromHost(QString socketId, QJsonObject mapParams);
    // The path of the written file, or empty when the stream key is not a plain
    // file name or the file cannot be written.
    Q_INVOKABLE QString createFfmpegReceiverSDPFile(QJsonObject mapParams);
    Q_INVOKABLE void lockMutexPortAllocator();
    Q_INVOKABLE void unLockMutexPortAllocator();
    Q_INVOKABLE QString sdpReceiverDirAbsPath() const;
    // Call right after asking for a remote stream ("trInitP2PChannel"): unless its
    // RTP path is punched within kRemoteStreamDeadlineMs, its peers are freed and
    // remoteStreamUnreachable tells so. Open-port requests arm the same deadline.
    Q_INVOKABLE void expectRemoteStream(QString streamKey);
    // Frees the stream's peers and its deadline: after a tile stops, and before a retry.
    Q_INVOKABLE void releaseRemoteStream(QString streamKey);

    // The description of a peer: its identity, signs and the four addresses.
    static QJsonObject describe(const PeerBase &peer);

signals:
    void saOpenPortOnRemote(QJsonObject mapParams);
    void peerInited(QJsonObject mapParams);
    void connectionEstablished(QJsonObject mapParams);
    void releasedFromHost(QJsonObject mapParams);
    void testPortResult(QJsonObject mapParams);
    // {"streamKey", "errorMessage": "Remote camera unreachable", "reason"}: punching failed or timed out.
    void remoteStreamUnreachable(QJsonObject mapParams);

private:
    void handleSrOpenPortOnRemote(const DTO &message);
    void handleSrOpenPortOnExistsRemote(const DTO &message);
    // Only the installation this client reaches may open or move its ports.
    bool fromConfiguredRemote(const DTO &message) const;
    void onPeerBound(const QJsonObject &mapParams);
    void onPeerFailed(const QJsonObject &mapParams);
    // Answers an open-port request with "RES" 0 and the reason.
    void refuseOpenPort(const DTO &message, const QString &errorMessage);
    QString allocateStreamPeer(const QJsonObject &params);
    QSharedPointer<PeerBase> existingPeer(const QString &socketId) const;
    void reportFailures(const char *operation, const std::function<void()> &step) const;
    void armDeadline(const QString &streamKey, bool restart);
    void disarmDeadline(const QString &streamKey);
    void declareUnreachable(const QString &streamKey, const QString &reason);

    QSharedPointer<PeersManager> m_peersManager;
    QSet<QString> m_configuredPeers;
    // Open-port requests waiting for their stream's RTP peer to bind, by its socket id.
    QHash<QString, QList<DTO>> m_waitingForBound;
    // Remote streams not punched yet, by stream key.
    QHash<QString, QTimer *> m_streamDeadlines;
};

} // namespace P2pClientController
