#pragma once

#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <functional>

class PeersManager;

namespace Standin {

// One camera of the remote installation streamed to one client: an RTP and an
// RTCP peer of the client's own kind learn their public addresses, ask the P2P
// server to have the client open ports ("peersManager_trOpenPortOnRemote"),
// punch towards the client's answer, and once the RTP path is open the
// device's live packets, arriving on the tap port, leave from the punched
// port towards the client's punched address.
class RemoteChannel : public QObject
{
    Q_OBJECT
public:
    // Punching that has not opened the RTP path by then has failed.
    static constexpr int kPunchDeadlineMs = 15000;

    using Sender = std::function<void(const QJsonObject &)>;

    RemoteChannel(PeersManager &peers, const QString &clientSign, const QString &streamKey, qint64 channelId, Sender send,
                  QObject *parent = nullptr);
    ~RemoteChannel() override;

    // Binds the port on 127.0.0.1 where the local server copies the device's packets.
    bool openTap();
    quint16 tapPort() const { return m_tap.localPort(); }
    // Once; later calls do nothing.
    void start();
    // The client's answer as the P2P server forwards it; false when it names none of this channel's peers.
    bool handleOpenPortAnswer(const QJsonObject &message);
    void fail(const QString &reason);

    qint64 channelId() const { return m_channelId; }
    QString clientSign() const { return m_clientSign; }
    QString streamKey() const { return m_streamKey; }
    qint64 forwardedPackets() const { return m_forwarded; }

signals:
    void streaming();
    void failed(QString reason);

private:
    bool ours(const QJsonObject &mapParams) const;
    void onBound(const QJsonObject &mapParams);
    void onResolved(const QJsonObject &mapParams);
    void onEstablished(const QJsonObject &mapParams);
    void onReleased(const QJsonObject &mapParams);
    void sendOpenPortRequest(const QString &socketId);
    void forward();

    PeersManager &m_peers;
    const QString m_clientSign;
    const QString m_streamKey;
    const qint64 m_channelId;
    Sender m_send;
    QString m_rtpId;
    QString m_rtcpId;
    QUdpSocket m_tap;
    QUdpSocket m_output;
    QTimer m_deadline;
    bool m_failed = false;
    qint64 m_forwarded = 0;
};

} // namespace Standin
