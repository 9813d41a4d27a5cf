#include "SilentWebSocketServer.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTcpSocket>

SilentWebSocketServer::SilentWebSocketServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &SilentWebSocketServer::onNewConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

quint16 SilentWebSocketServer::port() const
{
    return m_server.serverPort();
}

int SilentWebSocketServer::handshakes() const
{
    return m_handshakes;
}

void SilentWebSocketServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        socket->setProperty("request", QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    }
}

void SilentWebSocketServer::onReadyRead(QTcpSocket *socket)
{
    const QByteArray data = socket->readAll();
    if (socket->property("answered").toBool())
        return; // pings and everything else are ignored on purpose
    QByteArray request = socket->property("request").toByteArray() + data;
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    const QRegularExpression keyLine(QStringLiteral("Sec-WebSocket-Key:\\s*(\\S+)"), QRegularExpression::CaseInsensitiveOption);
    const QByteArray key = keyLine.match(QString::fromLatin1(request)).captured(1).toLatin1();
    const QByteArray accept = QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1).toBase64();
    socket->write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Accept: " + accept + "\r\n\r\n");
    socket->setProperty("answered", true);
    ++m_handshakes;
    emit handshakeDone();
}
