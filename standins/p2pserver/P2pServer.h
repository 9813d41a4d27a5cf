#pragma once

#include "AccountStore.h"
#include "FrameReader.h"
#include "TableCommands.h"
#include "ServerLog.h"

#include <QHash>
#include <QJsonObject>
#include <QTcpServer>

class QTcpSocket;

namespace Standin {

// A small P2P server: framed JSON over TCP, sign-up and log-in against an
// SQLite store, a relay between logged-in signs and forwarding of the
// open-port messages between the two sides of a stream, and one table (stream
// descriptions) reached with the table commands under "peersManager".
class P2pServer : public QObject
{
    Q_OBJECT
public:
    P2pServer(ServerLog &log, const QString &databasePath, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    AccountStore &accounts();
    // Bytes read from and written to every client so far.
    qint64 bytesReceived() const { return m_bytesReceived; }
    qint64 bytesSent() const { return m_bytesSent; }

signals:
    void loggedIn(QString sign);
    // Every well-formed command, after parsing; `sign` is empty before log-in.
    void commandReceived(QString sign, QString fn);

private:
    struct Connection
    {
        FrameReader reader;
        QString sign;
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void handle(QTcpSocket *socket, const QJsonObject &message);
    void handleAuth(QTcpSocket *socket, const QString &action, const QJsonObject &message);
    void relay(QTcpSocket *socket, const QJsonObject &message);
    void openPort(QTcpSocket *socket, const QJsonObject &message);
    void answerOpenPort(QTcpSocket *socket, const QJsonObject &message);
    QTcpSocket *connectionOf(const QString &sign) const;
    void send(QTcpSocket *socket, const QJsonObject &message);
    void refuse(QTcpSocket *socket, const QString &fn, const QString &errorMessage);
    void broadcast(const QJsonObject &message);

    ServerLog &m_log;
    AccountStore m_accounts;
    TableCommands m_tables;
    QTcpServer m_server;
    QHash<QTcpSocket *, Connection> m_connections;
    qint64 m_bytesReceived = 0;
    qint64 m_bytesSent = 0;
};

} // namespace Standin
