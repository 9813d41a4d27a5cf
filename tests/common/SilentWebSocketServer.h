#pragma once

#include <QList>
#include <QTcpServer>

class QTcpSocket;

// Completes the WebSocket opening handshake and then never says another word:
// no pongs, no close frames. Used to see a link give up a dead peer.
class SilentWebSocketServer : public QObject
{
    Q_OBJECT
public:
    SilentWebSocketServer();

    quint16 port() const;
    int handshakes() const;

signals:
    void handshakeDone();

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);

    QTcpServer m_server;
    int m_handshakes = 0;
};
