#pragma once

#include "FrameReader.h"
#include "RemoteChannel.h"
#include "ServerLog.h"

#include "client_base/other/peer/PeersManager.h"

#include <QHash>
#include <QJsonObject>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

class QWebSocket;

namespace Standin {

// The remote installation's side of the relay: logged in to the P2P server
// under its own sign, it hands each relayed "message" text to the local
// server's WebSocket (one connection per remote client) and relays the local
// server's answers and notifications back to that client.
class RemoteBridge : public QObject
{
    Q_OBJECT
public:
    RemoteBridge(ServerLog &log, const QString &sign, const QString &secret, const QUrl &localServer,
                 QObject *parent = nullptr);
    ~RemoteBridge() override;

    void connectTo(const QString &host, quint16 port);
    // The address resolver the channels' peers ask; by default the P2P server's host, port 50005.
    void setResolver(const QString &host, quint16 port);

    // Channels a client may hold at once.
    static constexpr int kMaxChannelsPerClient = 8;

signals:
    void loggedIn();
    void channelStreaming(QString clientSign, QString streamKey);
    void channelClosed(QString clientSign, QString streamKey, QString reason);

private:
    struct LocalLink
    {
        QWebSocket *socket = nullptr;
        QStringList pending;
    };

    void onReadyRead();
    void handle(const QJsonObject &message);
    void forwardToLocalServer(const QString &clientSign, const QString &text);
    void sendToLocalServer(const QString &clientSign, const QString &text);
    // The text to pass on to the local server for a relayed request (empty: none).
    QString reviewRequest(const QString &clientSign, const QString &text);
    void openChannel(const QString &clientSign, QJsonObject request);
    void closeChannel(const QString &clientSign, const QString &streamKey, const QString &reason);
    void closeAllChannels(const QString &reason);
    void onLocalAnswer(const QString &clientSign, const QString &answer);
    void onChannelMessage(const QString &fn, const QJsonObject &message);
    RemoteChannel *channelOf(const QString &clientSign, const QString &streamKey) const;
    void sendFrame(const QJsonObject &message);

    ServerLog &m_log;
    QString m_sign;
    QString m_secret;
    QUrl m_localServer;
    QString m_host;
    quint16 m_port = 0;
    QTcpSocket m_socket;
    QTimer m_retry;
    FrameReader m_reader;
    QHash<QString, LocalLink> m_links;
    PeersManager m_peers;
    QString m_resolverHost;
    quint16 m_resolverPort = 50005;
    // Open channels with the device each copies from.
    struct Channel
    {
        RemoteChannel *channel = nullptr;
        qint64 rowId = 0;
    };
    QList<Channel> m_channels;
    qint64 m_nextChannelId = 1;
};

} // namespace Standin
