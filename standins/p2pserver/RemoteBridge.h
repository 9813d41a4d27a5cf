#pragma once

#include "FrameReader.h"
#include "ServerLog.h"

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

signals:
    void loggedIn();

private:
    struct LocalLink
    {
        QWebSocket *socket = nullptr;
        QStringList pending;
    };

    void onReadyRead();
    void handle(const QJsonObject &message);
    void forwardToLocalServer(const QString &clientSign, const QString &text);
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
};

} // namespace Standin
