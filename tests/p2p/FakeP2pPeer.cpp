#include "FakeP2pPeer.h"

FakeP2pPeer::FakeP2pPeer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            m_socket = socket;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { m_received += socket->readAll(); });
            emit connected();
        }
    });
}

quint16 FakeP2pPeer::port() const
{
    return m_server.serverPort();
}

QTcpSocket *FakeP2pPeer::socket() const
{
    return m_socket;
}

QByteArray FakeP2pPeer::received() const
{
    return m_received;
}

QList<QByteArray> FakeP2pPeer::receivedFrames() const
{
    QList<QByteArray> frames;
    int from = 0;
    for (int end = m_received.indexOf("#ENDMSG"); end >= 0; end = m_received.indexOf("#ENDMSG", from)) {
        frames.append(m_received.mid(from, end - from));
        from = end + 7;
    }
    return frames;
}

void FakeP2pPeer::write(const QByteArray &bytes)
{
    m_socket->write(bytes);
    m_socket->flush();
}

void FakeP2pPeer::dropConnection()
{
    m_socket->disconnectFromHost();
}
